// The hardware-configuration block on the simulated notebooks: which feature
// bits each machine yields, the per-model values, and a second process that
// copies the block the first one filled. Run with --report-hwconfig, this
// executable is that second process.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "AcpiWmi.h"
#include "ComInitialization.h"
#include "ComSecurity.h"
#include "ModuleFolder.h"
#include "ProgramRun.h"
#include "SimulatedBiosTest.h"
#include "UniqueHandle.h"

namespace {

constexpr char kReportSwitch[] = "--report-hwconfig";

std::vector<int> FeatureBits(const CAcpiWmi& bios)
{
    std::vector<int> bits;
    for (int bit = 0; bit < kHwConfigFeatureCount; ++bit) {
        if (bios.IsFeature(bit)) bits.push_back(bit);
    }
    return bits;
}

std::string Describe(bool filled, const std::vector<int>& bits)
{
    std::string text = filled ? "filled" : "copied";
    for (int bit : bits) text += " " + std::to_string(bit);
    return text;
}

// The child's side: build the BIOS interface and say what it sees.
int ReportHwConfig()
{
    CAcpiWmi bios;
    const bool filled = bios.HwConfig() && bios.HwConfig()->FilledBlock();
    std::printf("%s\n", Describe(filled, FeatureBits(bios)).c_str());
    return 0;
}

std::wstring OwnFileName()
{
    return ModulePath().substr(ModuleFolder().size());
}

// What another process of the session sees when it starts now.
std::string ReportOfASecondProcess()
{
    const ProgramResult child = RunProgram(OwnFileName(), L"--report-hwconfig");
    if (!child.finished || child.exitCode != 0) return "child failed";
    std::string line = child.output.substr(0, child.output.find_first_of("\r\n"));
    return line;
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> bits;
    for (int bit = first; bit <= last; ++bit) bits.push_back(bit);
    return bits;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    std::sort(a.begin(), a.end());
    return a;
}

class HwConfigEndToEnd : public SimulatedBiosTest {
protected:
    void Start(const wchar_t* profile, std::initializer_list<const wchar_t*> commands = {})
    {
        SimulatedBiosTest::Start(profile, commands);
        ASSERT_NE(bios->HwConfig(), nullptr);
    }
};

TEST_F(HwConfigEndToEnd, FeatureBitsOfEachNotebook)
{
    struct Machine {
        const wchar_t* profile;
        std::initializer_list<const wchar_t*> commands;
        std::vector<int> bits;
    };
    const Machine machines[] = {
        {L"corvane-default", {}, {10, 12, 13, 14, 15, 16, 23, 24, 26, 30, 31, 34, 36}},
        // The radio call fails: none of its bits; the audio query's status is not looked at.
        {L"corvane-default",
         {L"set radio-res1 -1", L"set query-040b-res1 -1"},
         {10, 23, 24, 26, 30, 31, 34, 36}},
        // Another maker: capability words are there but never reach the block.
        {L"halvorn", {}, {10, 12, 13}},
        {L"halvorn",
         {L"set radio-status 0xFFFFFFFF", L"set query-040b 0x10003"},
         Join(Range(12, 18), {10, 34})},
        {L"corvane-503", {}, {10, 12, 13, 14, 23, 24, 30, 31, 32}},
        // Corvane system with another vendor's BIOS; capability bit 3 without bit 4.
        {L"corvane-quillet-bios", {}, {10, 12, 13, 15, 25, 31, 34, 36}},
    };
    for (const Machine& m : machines) {
        Start(m.profile, m.commands);
        EXPECT_TRUE(bios->HwConfig()->FilledBlock()) << m.profile;
        EXPECT_EQ(FeatureBits(*bios), m.bits) << m.profile;
        EXPECT_FALSE(bios->IsFeature(kHwConfigFeatureCount));
        EXPECT_FALSE(bios->IsFeature(-1));
    }
}

// Model 503 keeps three values in the block; every other byte past the bitmap is zero.
TEST_F(HwConfigEndToEnd, Model503StoresItsValuesInTheBlock)
{
    for (const wchar_t* profile : {L"corvane-503", L"corvane-default"}) {
        Start(profile);
        const bool is503 = bios->SystemId() == 503;
        UniqueHandle mapping(::OpenFileMappingW(FILE_MAP_READ, FALSE, kHwConfigBlockName));
        ASSERT_TRUE(mapping);
        UniqueView view(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(HwConfigBlock)));
        ASSERT_TRUE(view);
        HwConfigBlock block;
        std::memcpy(&block, view.get(), sizeof block);
        EXPECT_EQ(block.slots[0].value, is503 ? 5u : 0u) << profile;
        EXPECT_EQ(block.slots[1].value, is503 ? 10u : 0u) << profile;
        EXPECT_EQ(block.slots[2].value, is503 ? 11u : 0u) << profile;
        HwConfigBlock rest = block;
        std::memset(rest.featureBitmap, 0, sizeof rest.featureBitmap);
        for (HwConfigSlot& slot : rest.slots) slot.value = 0;
        const auto* bytes = reinterpret_cast<const uint8_t*>(&rest);
        EXPECT_TRUE(std::all_of(bytes, bytes + sizeof rest, [](uint8_t b) { return b == 0; })) << profile;
    }
}

// A program started while another holds the block copies its bits, even when
// the firmware would now answer differently; once nobody holds it, the next
// program fills it anew.
TEST_F(HwConfigEndToEnd, SecondProcessCopiesTheFirstProcesssBits)
{
    Start(L"corvane-default");
    const std::vector<int> first = FeatureBits(*bios);
    ASSERT_TRUE(notebook.Simctl(L"set radio-status 0"));
    ASSERT_TRUE(notebook.Simctl(L"set query-040b 0"));
    EXPECT_EQ(ReportOfASecondProcess(), Describe(false, first));

    bios.reset();
    EXPECT_EQ(ReportOfASecondProcess(), Describe(true, {10, 12, 23, 24, 26, 30, 31, 36}));
}

} // namespace

// Both sides use the BIOS interface without an application object: the
// process's call security is set here, once, as a console tool does.
int main(int argc, char** argv)
{
    const ComInitialization com;
    InitializeComSecurity();
    if (argc == 2 && std::strcmp(argv[1], kReportSwitch) == 0) return ReportHwConfig();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
