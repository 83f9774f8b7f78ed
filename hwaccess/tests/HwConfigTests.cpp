// The hardware-configuration block between a creator that is still filling it
// and an opener, with a BIOS double that holds the fill at its first call.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "HwConfig.h"
#include "RecordingBios.h"
#include "UniqueHandle.h"

namespace {

using namespace std::chrono_literals;

// A block name of this test run only, so no other program's block interferes.
std::wstring TestBlockName(const wchar_t* what)
{
    return std::wstring(L"TavrinTest_HwConfig_") + what + L"_" + std::to_wstring(::GetCurrentProcessId());
}

std::vector<int> FeatureBits(const CHwConfig& config)
{
    std::vector<int> bits;
    for (int bit = 0; bit < kHwConfigFeatureCount; ++bit) {
        if (config.IsFeature(bit)) bits.push_back(bit);
    }
    return bits;
}

// Answers every call with cbRes1 0 and all radio and audio bits set.
bool AnswerEverything(BiosCallBuffer& b)
{
    b.cbRes1 = 0;
    b.cbRes2 = 0xFFFFFFFF;
    return true;
}

TEST(HwConfigBlock, OpenerWaitsForTheCreatorsFillAndCopiesTheWholeBitmap)
{
    const std::wstring name = TestBlockName(L"race");
    const CSMBIOSParser anotherMaker;
    UniqueHandle inFill(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    UniqueHandle mayGoOn(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    UniqueHandle openerDone(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    RecordingBios creatorBios;
    creatorBios.script = [&](BiosCallBuffer& b) {
        ::SetEvent(inFill.get());
        ::WaitForSingleObject(mayGoOn.get(), 20000);
        return AnswerEverything(b);
    };
    RecordingBios openerBios;
    openerBios.script = AnswerEverything;

    // The creator keeps its block until the opener is through: a block
    // nobody holds any more is gone, and the next opener fills one anew.
    auto creator = std::async(std::launch::async, [&] {
        CHwConfig config(creatorBios, anotherMaker, name.c_str());
        auto result = std::make_pair(config.FilledBlock(), FeatureBits(config));
        ::WaitForSingleObject(openerDone.get(), 20000);
        return result;
    });
    ASSERT_EQ(::WaitForSingleObject(inFill.get(), 10000), WAIT_OBJECT_0);
    auto opener = std::async(std::launch::async, [&] {
        CHwConfig config(openerBios, anotherMaker, name.c_str());
        return std::make_pair(config.FilledBlock(), FeatureBits(config));
    });
    const bool openerWaited = opener.wait_for(300ms) == std::future_status::timeout;
    ::SetEvent(mayGoOn.get());
    const bool openerFinished = opener.wait_for(20s) == std::future_status::ready;
    ::SetEvent(openerDone.get());
    ASSERT_TRUE(openerFinished);
    ASSERT_EQ(creator.wait_for(20s), std::future_status::ready);
    const auto [creatorFilled, creatorBits] = creator.get();
    const auto [openerFilled, openerBits] = opener.get();

    EXPECT_TRUE(openerWaited);
    EXPECT_TRUE(creatorFilled);
    EXPECT_EQ(creatorBits, (std::vector<int>{10, 12, 13, 14, 15, 16, 17, 18, 34}));
    // Whoever came second copied the complete bitmap and asked the BIOS nothing.
    EXPECT_FALSE(openerFilled);
    EXPECT_EQ(openerBits, creatorBits);
    EXPECT_TRUE(openerBios.requests.empty());
}

TEST(HwConfigBlock, FillCallsAndTheirFailures)
{
    RecordingBios bios;
    const CSMBIOSParser anotherMaker;
    // No answer at all: only the filled bit.
    {
        CHwConfig config(bios, anotherMaker, TestBlockName(L"silent").c_str());
        EXPECT_EQ(FeatureBits(config), (std::vector<int>{10}));
    }
    ASSERT_EQ(bios.requests.size(), 2u);
    EXPECT_EQ(bios.requests[0].cbClass, 0x11);
    EXPECT_EQ(bios.requests[0].cbSelect, 0x0B);
    EXPECT_EQ(bios.requests[1].cbClass, 0x04);
    EXPECT_EQ(bios.requests[1].cbSelect, 0x0B);
    EXPECT_EQ(bios.requests[1].cbArg1, 0x30u);

    // A refused radio call gives none of its bits; the audio answer needs all three of its bits.
    bios.script = [](BiosCallBuffer& b) {
        b.cbRes1 = b.cbClass == 0x11 ? -1 : 0;
        b.cbRes2 = b.cbClass == 0x11 ? 0x3F : 0x00010002;
        return true;
    };
    CHwConfig config(bios, anotherMaker, TestBlockName(L"refused").c_str());
    EXPECT_EQ(FeatureBits(config), (std::vector<int>{10}));
}

} // namespace
