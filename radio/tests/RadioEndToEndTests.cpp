// The wrappers on the simulated notebook, through this process's BIOS
// interface, with simctl moving the switch and showing what the firmware kept.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "AeroloBIOS.h"
#include "SimulatedBiosTest.h"
#include "WirelessCtrlBIOS.h"

namespace {

constexpr uint32_t kInstalled
    = radiostatus::kWifiInstalled | radiostatus::kBluetoothInstalled | radiostatus::kWwanInstalled;
constexpr uint32_t kOnOff
    = radiostatus::kRadiosOn | radiostatus::kWifiOff | radiostatus::kBluetoothOff | radiostatus::kWwanOff;
constexpr uint32_t kAllOff = kOnOff & ~radiostatus::kRadiosOn;
constexpr uint16_t kLocatorLocation = 0x0342; // tokens 0x017D (value 0) and 0x017E (value 1)

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class RadioEndToEnd : public SimulatedBiosTest {
protected:
    void SetUp() override { Start(L"corvane-default"); }
    void Simctl(const wchar_t* command) { ASSERT_TRUE(notebook.Simctl(command)) << command; }
    std::unique_ptr<CAeroloBIOS> Aerolo()
    {
        return std::make_unique<CAeroloBIOS>(*bios, bios->TokenOperations());
    }
    // The area-write chunks logged since the last clear.
    std::vector<LoggedCall> WriteChunks()
    {
        std::vector<LoggedCall> chunks;
        for (const LoggedCall& call : notebook.Calls()) {
            if (call.cbClass == 0x11 && call.cbSelect == 0x0B && (call.args[0] & 0xFF) == 0x11)
                chunks.push_back(call);
        }
        return chunks;
    }
};

TEST_F(RadioEndToEnd, DisablingTheRadiosAndTheHardwareSwitchMoveTheStatusBits)
{
    CWirelessCtrlBIOS radio(*bios);
    ASSERT_TRUE(radio.CallsValid());
    EXPECT_EQ(radio.RadioStatus() & radiostatus::kSwitchPresent, radiostatus::kSwitchPresent);
    EXPECT_EQ(radio.RadioStatus() & kInstalled, kInstalled);
    EXPECT_EQ(radio.RadioStatus() & kOnOff, radiostatus::kRadiosOn);
    EXPECT_TRUE(radio.WifiOnSwitch() && radio.WpanOnSwitch() && radio.WwanOnSwitch());
    EXPECT_TRUE(radio.LocatorEnabledBit());
    EXPECT_FALSE(radio.SwitchLocked());

    ASSERT_TRUE(radio.RadioDisableSet(0, 1));
    ASSERT_TRUE(radio.RadioStatusRead(0, 0));
    EXPECT_EQ(radio.RadioStatus() & kOnOff, kAllOff);
    ASSERT_TRUE(radio.RadioDisableSet(0, 0));
    ASSERT_TRUE(radio.RadioStatusRead(0, 0));
    EXPECT_EQ(radio.RadioStatus() & kOnOff, radiostatus::kRadiosOn);

    // Mobile Broadband no longer follows the switch; the switch goes off.
    radio.SetWwanOnSwitch(false);
    ASSERT_TRUE(radio.SwitchConfigWrite());
    Simctl(L"radio-switch off");
    ASSERT_TRUE(radio.RadioStatusRead(0, 0));
    EXPECT_EQ(radio.RadioStatus() & kOnOff,
              radiostatus::kRadiosOn | radiostatus::kWifiOff | radiostatus::kBluetoothOff);
    ASSERT_TRUE(radio.SwitchConfigRead());
    EXPECT_FALSE(radio.WwanOnSwitch());

    // Locked in setup: the firmware refuses the write.
    Simctl(L"set radio-config 0x0183");
    ASSERT_TRUE(radio.SwitchConfigRead());
    EXPECT_TRUE(radio.SwitchLocked());
    radio.SetWwanOnSwitch(true);
    EXPECT_FALSE(radio.SwitchConfigWrite());
    ASSERT_TRUE(radio.SwitchConfigRead());
    EXPECT_FALSE(radio.WwanOnSwitch());
}

TEST_F(RadioEndToEnd, TheLegacyCallsSwitchEveryRadioOrSayNotSupported)
{
    CWirelessCtrlBIOS radio(*bios);
    int32_t state = 9;
    ASSERT_TRUE(radio.LegacyRadioStateSet(0, state));
    EXPECT_EQ(state, 0);
    ASSERT_TRUE(radio.RadioStatusRead(0, 0));
    EXPECT_EQ(radio.RadioStatus() & kOnOff, kAllOff);
    ASSERT_TRUE(radio.LegacyRadioStateGet(state));
    EXPECT_EQ(state, 0);

    Simctl(L"set legacy-res1 -2");
    state = 9;
    EXPECT_TRUE(radio.LegacyRadioStateSet(1, state));
    EXPECT_EQ(state, -2);
    EXPECT_EQ(radio.LegacyState(), -2);
    ASSERT_TRUE(radio.RadioStatusRead(0, 0));
    EXPECT_EQ(radio.RadioStatus() & kOnOff, kAllOff); // the unsupported call changed nothing
}

TEST_F(RadioEndToEnd, SimctlShowsTheLocatorAreaWrittenAndCommitted)
{
    auto aerolo = Aerolo();
    ASSERT_TRUE(aerolo->HasArea());
    EXPECT_EQ(aerolo->AreaSize(), 208);
    EXPECT_EQ(aerolo->FormatVersion(), 1);
    EXPECT_EQ(aerolo->AreaLength(), 38);
    const uint32_t bitmap[kLocatorBitmapWords] = {0x00000011, 0, 0, 0, 0, 0, 0x80000000};
    aerolo->SetAdapterBitmap(bitmap);
    aerolo->SetSearchMode(1);
    aerolo->SetStrengthFilter(1);
    aerolo->SetBands(2);
    ASSERT_TRUE(aerolo->SetPreferredSsid(0, "Quillet5"));
    ASSERT_TRUE(aerolo->SetPreferredSsid(1, std::string("Cafe \"Halvorn\"\x01", 15)));
    aerolo->SetPreferredCount(2);
    ASSERT_TRUE(aerolo->AreaWrite());

    // Written but not committed: the firmware still keeps the old area.
    std::vector<std::string> kept = Lines(notebook.SimctlOutput(L"locator"));
    ASSERT_GE(kept.size(), 2u);
    EXPECT_EQ(kept[0], "locator-area size=208 format=1 loads=1 commits=0 pending=yes");
    EXPECT_EQ(kept[1], "length=38 signature=0x46494E53 (SNIF)");

    ASSERT_TRUE(aerolo->AreaCommit());
    const std::vector<std::string> expected = {
        "locator-area size=208 format=1 loads=1 commits=1 pending=no",
        "length=65 signature=0x46494E53 (SNIF)",
        "adapter-bitmap=0x00000011,0x00000000,0x00000000,0x00000000,0x00000000,0x00000000,0x80000000",
        "search-mode=1 (preferred networks only)",
        "strength-filter=1 (strong only)",
        "bands=2 (both)",
        "preferred-count=2",
        "preferred 1 flags=0x00 length=8 ssid=\"Quillet5\"",
        "preferred 2 flags=0x00 length=15 ssid=\"Cafe \\x22Halvorn\\x22\\x01\"",
    };
    EXPECT_EQ(Lines(notebook.SimctlOutput(L"locator")), expected);

    // A new reader loads what was kept.
    auto again = Aerolo();
    EXPECT_EQ(again->AreaLength(), 65);
    EXPECT_EQ(again->Bands(), 2);
    EXPECT_EQ(again->PreferredCount(), 2);
    EXPECT_EQ(again->GetPreferredSsid(0), L"Quillet5");
    EXPECT_EQ(again->Preferred(1).length, 15);
}

TEST_F(RadioEndToEnd, AnOddAreaSizeGetsZerosPastItsEndAndATooLongAreaFails)
{
    Simctl(L"set locator-area-size 51");
    auto aerolo = Aerolo();
    ASSERT_EQ(aerolo->AreaSize(), 51);
    ASSERT_TRUE(aerolo->SetPreferredSsid(0, "Quillet5xy")); // 50 bytes in all
    aerolo->SetPreferredCount(1);
    ASSERT_TRUE(notebook.ClearCalls());
    ASSERT_TRUE(aerolo->AreaWrite());
    std::vector<LoggedCall> chunks = WriteChunks();
    ASSERT_EQ(chunks.size(), 5u);
    EXPECT_EQ(chunks.back().args[0], 0x3011u);
    EXPECT_EQ(chunks.back().args[1], 0x00007978u); // "xy", byte 50 as read (0), then zeros
    EXPECT_EQ(chunks.back().args[2] | chunks.back().args[3], 0u);

    // Two names need 57 bytes: the area takes its 51 and the write fails.
    ASSERT_TRUE(aerolo->SetPreferredSsid(0, "Quillet5"));
    ASSERT_TRUE(aerolo->SetPreferredSsid(1, "Home-5G"));
    aerolo->SetPreferredCount(2);
    ASSERT_TRUE(notebook.ClearCalls());
    EXPECT_FALSE(aerolo->AreaWrite());
    chunks = WriteChunks();
    ASSERT_EQ(chunks.size(), 5u);
    EXPECT_EQ(chunks.back().args[1], 0x00480700u); // entry 2's flags, length and the first byte of its name
    EXPECT_EQ(chunks.back().args[2] | chunks.back().args[3], 0u);
    ASSERT_TRUE(aerolo->AreaCommit());
    const std::vector<std::string> shown = Lines(notebook.SimctlOutput(L"locator"));
    ASSERT_GE(shown.size(), 9u);
    EXPECT_EQ(shown[1], "length=57 signature=0x46494E53 (SNIF)");
    EXPECT_EQ(shown[8], "preferred 2 flags=0x00 length=7 ssid=\"H\" (cut at the area's end)");
}

TEST_F(RadioEndToEnd, TheLocatorTokensSwitchTheLocator)
{
    auto aerolo = Aerolo();
    int enabled = 0;
    EXPECT_TRUE(aerolo->LocatorEnabledRead(enabled));
    EXPECT_EQ(enabled, 1);
    EXPECT_TRUE(aerolo->LocatorEnabledWrite(0));
    EXPECT_EQ(notebook.Setting(kLocatorLocation), "0");
    EXPECT_FALSE(aerolo->LocatorEnabledRead(enabled));
    EXPECT_EQ(enabled, 0);
    EXPECT_TRUE(aerolo->LocatorEnabledWrite(1));
    EXPECT_EQ(notebook.Setting(kLocatorLocation), "1");
}

} // namespace
