// The radio and locator wrappers against a firmware double: the calls they
// make, how they read the answers, and the locator area's bounds.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "AeroloBIOS.h"
#include "FakeRadioFirmware.h"
#include "SMBIOSParser.h"
#include "WirelessCtrlBIOS.h"

namespace {

class WirelessCtrl : public ::testing::Test {
protected:
    RecordingBios bios;
    FakeRadioFirmware firmware{bios};
};

TEST_F(WirelessCtrl, ConstructionReadsTheStatusAndTheSwitchConfiguration)
{
    firmware.config = 0x8185; // Wi-Fi and Mobile Broadband follow, switch and locator locked, locator on
    CWirelessCtrlBIOS radio(bios);
    ASSERT_EQ(bios.requests.size(), 2u);
    EXPECT_EQ(bios.requests[0].cbArg1, 0x00u);
    EXPECT_EQ(bios.requests[1].cbArg1, 0x02u);
    EXPECT_TRUE(radio.CallsValid());
    EXPECT_EQ(radio.RadioStatus(), 0x0001070Fu);
    EXPECT_TRUE(radio.WifiOnSwitch());
    EXPECT_FALSE(radio.WpanOnSwitch());
    EXPECT_TRUE(radio.WwanOnSwitch());
    EXPECT_TRUE(radio.SwitchLocked());
    EXPECT_TRUE(radio.LocatorEnabledBit());
    EXPECT_TRUE(radio.LocatorLocked());
    EXPECT_EQ(radio.LegacyState(), -1);
}

TEST_F(WirelessCtrl, AFirmwareWithoutTheFunctionLeavesEverythingZero)
{
    bios.script = nullptr; // no answer at all
    CWirelessCtrlBIOS radio(bios);
    EXPECT_FALSE(radio.CallsValid());
    EXPECT_EQ(radio.RadioStatus(), 0u);
    EXPECT_FALSE(radio.WifiOnSwitch() || radio.SwitchLocked() || radio.LocatorEnabledBit());

    // A status that answers but a switch call that fails also leaves the calls invalid.
    FakeRadioFirmware answering(bios);
    answering.config = 0x01;
    CWirelessCtrlBIOS half(bios);
    bios.script = [](BiosCallBuffer& b) {
        b.cbRes1 = b.cbArg1 == 0x02 ? -1 : 0;
        return true;
    };
    EXPECT_TRUE(half.WifiOnSwitch());
    EXPECT_FALSE(half.SwitchConfigRead());
    EXPECT_FALSE(half.CallsValid());
    EXPECT_TRUE(half.WifiOnSwitch()); // the flags keep their values
}

TEST_F(WirelessCtrl, ASuppliedStatusMakesNoCall)
{
    bios.script = nullptr;
    CWirelessCtrlBIOS radio(bios);
    ASSERT_FALSE(radio.CallsValid());
    bios.requests.clear();
    EXPECT_TRUE(radio.RadioStatusRead(1, 0x00060300));
    EXPECT_TRUE(bios.requests.empty());
    EXPECT_TRUE(radio.CallsValid());
    EXPECT_EQ(radio.RadioStatus(), 0x00060300u);

    // Asked without a supplied word, a failing firmware makes the calls invalid again.
    EXPECT_FALSE(radio.RadioStatusRead(0, 0x1234));
    EXPECT_EQ(bios.requests.size(), 1u);
    EXPECT_FALSE(radio.CallsValid());
    EXPECT_EQ(radio.RadioStatus(), 0x00060300u);
}

TEST_F(WirelessCtrl, WritesCarryTheirArgumentsInTheFirstWord)
{
    firmware.config = 0;
    CWirelessCtrlBIOS radio(bios);
    bios.requests.clear();
    radio.SetWifiOnSwitch(true);
    radio.SetWwanOnSwitch(true);
    EXPECT_TRUE(radio.SwitchConfigWrite());
    EXPECT_TRUE(radio.RadioDisableSet(0, 1));
    EXPECT_TRUE(radio.RadioDisableSet(2, 0));
    EXPECT_TRUE(radio.RadioDisableSet(3, 7)); // any nonzero flag disables
    ASSERT_EQ(bios.requests.size(), 4u);
    for (const BiosCallBuffer& r : bios.requests) {
        EXPECT_EQ(r.cbClass, 0x11);
        EXPECT_EQ(r.cbSelect, 0x0B);
        EXPECT_EQ(r.cbArg2 | r.cbArg3 | r.cbArg4, 0u);
    }
    EXPECT_EQ(bios.requests[0].cbArg1, 0x00050102u);
    EXPECT_EQ(bios.requests[1].cbArg1, 0x00010001u);
    EXPECT_EQ(bios.requests[2].cbArg1, 0x00000201u);
    EXPECT_EQ(bios.requests[3].cbArg1, 0x00010301u);

    bios.script = [](BiosCallBuffer& b) {
        b.cbRes1 = 4;
        return true;
    };
    EXPECT_FALSE(radio.SwitchConfigWrite());
    EXPECT_FALSE(radio.RadioDisableSet(0, 0));
}

TEST_F(WirelessCtrl, TheLegacyCallsCountNotSupportedAsAnAnswer)
{
    CWirelessCtrlBIOS radio(bios);
    bios.requests.clear();
    int32_t state = 7;
    firmware.legacyState = 1;
    ASSERT_TRUE(radio.LegacyRadioStateGet(state));
    EXPECT_EQ(state, 1);
    EXPECT_EQ(radio.LegacyState(), 1);

    firmware.legacyRes1 = -2;
    state = 7;
    EXPECT_TRUE(radio.LegacyRadioStateSet(1, state));
    EXPECT_EQ(state, -2);
    EXPECT_EQ(radio.LegacyState(), -2);

    // Any other status changes nothing.
    firmware.legacyRes1 = -1;
    firmware.legacyState = 0;
    state = 7;
    EXPECT_FALSE(radio.LegacyRadioStateSet(0, state));
    EXPECT_EQ(state, 7);
    EXPECT_EQ(radio.LegacyState(), -2);
    bios.script = nullptr;
    EXPECT_FALSE(radio.LegacyRadioStateGet(state));
    EXPECT_EQ(radio.LegacyState(), -2);

    ASSERT_EQ(bios.requests.size(), 4u);
    EXPECT_EQ(bios.requests[0].cbSelect, 0x02);
    EXPECT_EQ(bios.requests[0].cbArg1, 0x000u);
    EXPECT_EQ(bios.requests[1].cbArg1, 0x101u);
    EXPECT_EQ(bios.requests[2].cbArg1, 0x001u);
}

class Aerolo : public ::testing::Test {
protected:
    std::unique_ptr<CAeroloBIOS> Make()
    {
        return std::make_unique<CAeroloBIOS>(bios, CTokenOperations(bios, identity, [] { return true; }));
    }
    // The area bytes as the writes delivered them, offset by offset.
    std::vector<uint8_t> Delivered() const
    {
        std::vector<uint8_t> out;
        for (const auto& w : firmware.writes) {
            out.resize(w.offset + 12, 0);
            for (int i = 0; i < 12; ++i)
                out[w.offset + i] = static_cast<uint8_t>(w.words[i / 4] >> (8 * (i % 4)));
        }
        return out;
    }
    std::vector<uint8_t> SampleArea(size_t size)
    {
        std::vector<uint8_t> area(size, 0);
        const std::string image = std::string("\x30\x00SNIF", 6) + std::string(28, '\0')
                                  + std::string("\x01\x00\x01\x01", 4) + std::string("\x02\x08Quillet5", 10);
        std::copy(image.begin(), image.begin() + std::min(image.size(), size), area.begin());
        return area;
    }

    RecordingBios bios;
    FakeRadioFirmware firmware{bios};
    CSMBIOSParser identity; // no tokens
};

TEST_F(Aerolo, ConstructionReadsTheWholeAreaAndParsesIt)
{
    firmware.area = SampleArea(208);
    auto aerolo = Make();
    EXPECT_TRUE(aerolo->HasArea());
    EXPECT_EQ(aerolo->AreaSize(), 208);
    EXPECT_EQ(aerolo->FormatVersion(), 3);
    // info, load, then 18 chunks of 12 bytes cover 208 bytes.
    ASSERT_EQ(bios.requests.size(), 2u + 18);
    EXPECT_EQ(bios.requests[1].cbArg1, 0x12u);
    EXPECT_EQ(bios.requests[2].cbArg1, 0x0010u);
    EXPECT_EQ(bios.requests.back().cbArg1, 0xCC10u);
    EXPECT_EQ(aerolo->AreaLength(), 0x30);
    EXPECT_EQ(aerolo->Signature(), kLocatorSignature);
    EXPECT_EQ(aerolo->SearchMode(), 1);
    EXPECT_EQ(aerolo->Bands(), 1);
    ASSERT_EQ(aerolo->PreferredCount(), 1);
    EXPECT_EQ(aerolo->GetPreferredSsid(0), L"Quillet5");
    EXPECT_EQ(aerolo->Preferred(0).flags, 2);
}

TEST_F(Aerolo, ANewAreaSizeGivesTheBufferThatSize)
{
    firmware.area = SampleArea(20); // too short for the header
    auto aerolo = Make();
    ASSERT_EQ(aerolo->AreaSize(), 20);
    EXPECT_EQ(aerolo->PreferredCount(), 0);

    firmware.area = SampleArea(208);
    ASSERT_TRUE(aerolo->AreaInfoRead());
    ASSERT_TRUE(aerolo->AreaRead());
    EXPECT_EQ(aerolo->AreaSize(), 208);
    EXPECT_EQ(aerolo->GetPreferredSsid(0), L"Quillet5");

    firmware.area = SampleArea(12);
    ASSERT_TRUE(aerolo->AreaInfoRead());
    bios.requests.clear();
    ASSERT_TRUE(aerolo->AreaRead());
    EXPECT_EQ(bios.requests.size(), 1u);
    EXPECT_EQ(aerolo->AreaLength(), 0x30); // the first twelve bytes only
    EXPECT_EQ(aerolo->PreferredCount(), 0);

    firmware.area.clear();
    ASSERT_TRUE(aerolo->AreaInfoRead());
    EXPECT_FALSE(aerolo->HasArea());
    EXPECT_FALSE(aerolo->AreaRead());
}

TEST_F(Aerolo, AFailedChunkLeavesItsBytesZeroAndTheReadGoesOn)
{
    firmware.area = SampleArea(60);
    firmware.failChunkAt = 36; // holds the count byte and the entry
    auto aerolo = Make();
    EXPECT_EQ(aerolo->SearchMode(), 1);
    EXPECT_EQ(aerolo->PreferredCount(), 0);
    EXPECT_TRUE(aerolo->AreaRead()); // the last chunk (48) went through

    firmware.failChunkAt = 48;
    EXPECT_FALSE(aerolo->AreaRead());
}

TEST_F(Aerolo, AnOddAreaSizeSendsZerosPastItsEnd)
{
    // 51 bytes: the last chunk (offset 48) holds 3 area bytes; the firmware
    // fills the rest of that chunk with 0xEE.
    firmware.area = SampleArea(51);
    firmware.area[48] = 'a';
    firmware.area[49] = 'b';
    firmware.area[50] = 'c';
    auto aerolo = Make();
    ASSERT_EQ(aerolo->AreaSize(), 51);
    EXPECT_EQ(aerolo->AreaLength(), 48);
    aerolo->SetPreferredCount(0); // 38 bytes: four chunks
    ASSERT_TRUE(aerolo->AreaWrite());
    ASSERT_EQ(firmware.writes.size(), 4u); // offsets 0, 12, 24, 36 cover 38 bytes
    // A 50-byte image: the last chunk carries two built bytes, the read byte
    // at 50 and zeros for the nine bytes past the area.
    ASSERT_TRUE(aerolo->SetPreferredSsid(0, "Quillet5xy"));
    aerolo->SetPreferredCount(1);
    firmware.writes.clear();
    ASSERT_TRUE(aerolo->AreaWrite());
    ASSERT_EQ(firmware.writes.size(), 5u);
    const std::vector<uint8_t> sent = Delivered();
    EXPECT_EQ(sent[0], 50);
    EXPECT_EQ(sent[48], 'x');
    EXPECT_EQ(sent[49], 'y');
    EXPECT_EQ(sent[50], 'c');
    for (size_t i = 51; i < sent.size(); ++i)
        EXPECT_EQ(sent[i], 0) << "byte " << i << " lies beyond the area";
    EXPECT_EQ(firmware.commits, 0); // writing does not commit
}

TEST_F(Aerolo, AnAreaTooSmallForTheBuiltLengthIsWrittenAsFarAsItFitsAndFails)
{
    firmware.area = SampleArea(50);
    auto aerolo = Make();
    ASSERT_TRUE(aerolo->SetPreferredSsid(0, "Quillet5"));
    ASSERT_TRUE(aerolo->SetPreferredSsid(1, "Halvorn-Guest"));
    aerolo->SetPreferredCount(2);
    EXPECT_FALSE(aerolo->AreaWrite());
    EXPECT_EQ(aerolo->AreaLength(), 38 + 10 + 15);
    // Chunks at 0..48 carry the first 50 bytes; nothing is sent from 50 on.
    ASSERT_EQ(firmware.writes.size(), 5u);
    EXPECT_EQ(firmware.writes.back().offset, 48u);
    const std::vector<uint8_t> sent = Delivered();
    EXPECT_EQ(sent[0], 63);
    EXPECT_EQ(std::string(sent.begin() + 50, sent.begin() + 60), std::string(10, '\0'));
    EXPECT_EQ(sent[48], 0); // entry 2's flags and length made it; its name did not
    EXPECT_EQ(sent[49], 13);
}

TEST_F(Aerolo, TheBuiltAreaGoesOutInChunksOfTwelve)
{
    firmware.area = SampleArea(208);
    auto aerolo = Make();
    const uint32_t bitmap[kLocatorBitmapWords] = {0x11, 0, 0, 0, 0, 0, 0x80000000};
    aerolo->SetAdapterBitmap(bitmap);
    aerolo->SetStrengthFilter(1);
    aerolo->SetBands(2);
    ASSERT_TRUE(aerolo->SetPreferredSsid(1, std::string(32, 'z')));
    aerolo->SetPreferredCount(2);
    ASSERT_TRUE(aerolo->AreaWrite());
    EXPECT_EQ(aerolo->AreaLength(), 38 + 10 + 34);
    ASSERT_EQ(firmware.writes.size(), 7u); // 82 bytes
    const std::vector<uint8_t> sent = Delivered();
    const LocatorCriteria c = ParseLocatorArea(sent.data(), sent.size());
    EXPECT_EQ(c.areaLength, 82);
    EXPECT_EQ(c.signature, kLocatorSignature);
    EXPECT_EQ(c.adapterBitmap[6], 0x80000000u);
    EXPECT_EQ(c.strengthFilter, 1);
    EXPECT_EQ(c.bands, 2);
    EXPECT_EQ(c.preferred[0].length, 8); // entry 0 as read, entry 1 as set
    EXPECT_EQ(c.preferred[1].length, 32);
    EXPECT_EQ(c.preferred[1].ssid[31], 'z');

    EXPECT_TRUE(aerolo->AreaCommit());
    EXPECT_EQ(firmware.commits, 1);
}

TEST_F(Aerolo, PreferredNamesLongerThan32BytesOrOutsideTheFiveAreRefused)
{
    firmware.area = SampleArea(208);
    auto aerolo = Make();
    EXPECT_FALSE(aerolo->SetPreferredSsid(0, std::string(33, 'x')));
    EXPECT_EQ(aerolo->GetPreferredSsid(0), L"Quillet5");
    EXPECT_EQ(aerolo->Preferred(0).flags, 2);
    EXPECT_FALSE(aerolo->SetPreferredSsid(5, "Home"));
    EXPECT_FALSE(aerolo->SetPreferredSsid(-1, "Home"));
    EXPECT_EQ(aerolo->GetPreferredSsid(5), L"");

    // A name that fits replaces the whole entry: its flags are cleared.
    EXPECT_TRUE(aerolo->SetPreferredSsid(0, std::string(32, 'x')));
    EXPECT_EQ(aerolo->Preferred(0).flags, 0);
    EXPECT_EQ(aerolo->GetPreferredSsid(0), std::wstring(32, L'x'));
    EXPECT_EQ(aerolo->PreferredCount(), 1); // the count is the caller's
}

TEST_F(Aerolo, WithoutAnAreaEveryAreaOperationFailsWithoutACall)
{
    // The area size is 0: no buffer, no load, no reads.
    auto aerolo = Make();
    EXPECT_FALSE(aerolo->HasArea());
    EXPECT_EQ(bios.requests.size(), 1u);
    EXPECT_FALSE(aerolo->AreaLoad());
    EXPECT_FALSE(aerolo->AreaRead());
    EXPECT_FALSE(aerolo->AreaBuild());
    EXPECT_FALSE(aerolo->AreaWrite());
    EXPECT_EQ(bios.requests.size(), 1u);
    EXPECT_EQ(aerolo->SearchMode() + aerolo->Bands() + aerolo->PreferredCount(), 0);
    // The commit is sent all the same.
    EXPECT_TRUE(aerolo->AreaCommit());
    EXPECT_EQ(bios.requests.size(), 2u);

    // A failed information call stores nothing.
    bios.script = nullptr;
    EXPECT_FALSE(aerolo->AreaInfoRead());
    EXPECT_EQ(aerolo->AreaSize(), 0);
    EXPECT_EQ(aerolo->FormatVersion(), 3);

    // Without the locator tokens the locator reads as off, and no call is made.
    int enabled = 5;
    bios.requests.clear();
    EXPECT_FALSE(aerolo->LocatorEnabledRead(enabled));
    EXPECT_EQ(enabled, 0);
    EXPECT_FALSE(aerolo->LocatorEnabledWrite(1));
    EXPECT_TRUE(bios.requests.empty());
}

} // namespace
