// Battery.exe on the simulated notebook, watched from outside as a user sees
// it: both sheets with one and two batteries, the dock page coming and going,
// a second start, the keyboard alone, and 150 %. Screenshots are saved under
// the build's meter-shots folder for people to look at.
#include "MeterIds.h"
#include "ProgramRun.h"
#include "RegistryValueGuard.h"
#include "ScreenShot.h"
#include "Settings.h"
#include "SettingNames.h"
#include "UniqueHandle.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr wchar_t kTitle[] = L"Battery Meter";
constexpr DWORD kK7 = 0x8000;
constexpr DWORD kDesktopModeControl = 0x4000;

template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs = 15000)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (::GetTickCount64() > end) return false;
        ::Sleep(50);
    }
    return true;
}

struct Meter {
    UniqueHandle process;
    DWORD id = 0;

    // The exit code, or STILL_ACTIVE when it has not ended in time.
    DWORD WaitExit(DWORD timeoutMs) const
    {
        if (!process || ::WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = 0;
        ::GetExitCodeProcess(process.get(), &code);
        return code;
    }
};

Meter Start(const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + TestBinFolder() + L"Battery.exe\" " + arguments;
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    Meter meter;
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                         &info)) {
        meter.process.reset(info.hProcess);
        UniqueHandle thread(info.hThread);
        meter.id = info.dwProcessId;
    }
    return meter;
}

std::string Simctl(const std::wstring& arguments)
{
    return RunProgram(L"simctl.exe", arguments).output;
}

HWND FindMeter()
{
    return ::FindWindowW(L"#32770", kTitle);
}

std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

HWND ActivePage(HWND sheet)
{
    return reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int ActiveIndex(HWND sheet)
{
    const HWND page = ActivePage(sheet);
    return page ? static_cast<int>(::SendMessageW(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0))
                : -1;
}

// The tab texts, read through memory of the meter's own process: the tab
// control fills the item it is given in its process.
std::vector<std::wstring> Tabs(HWND sheet)
{
    std::vector<std::wstring> tabs;
    const HWND tab = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    DWORD processId = 0;
    ::GetWindowThreadProcessId(tab, &processId);
    const UniqueHandle process(
        ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process) return tabs;
    constexpr int kChars = 128;
    struct Remote {
        TCITEMW item;
        wchar_t text[kChars];
    };
    void* remote = ::VirtualAllocEx(process.get(), nullptr, sizeof(Remote), MEM_COMMIT, PAGE_READWRITE);
    if (!remote) return tabs;
    auto* there = static_cast<Remote*>(remote);
    const int count = static_cast<int>(::SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        Remote local{};
        local.item.mask = TCIF_TEXT;
        local.item.pszText = there->text;
        local.item.cchTextMax = kChars;
        SIZE_T moved = 0;
        ::WriteProcessMemory(process.get(), remote, &local, sizeof(local), &moved);
        ::SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&there->item));
        ::ReadProcessMemory(process.get(), remote, &local, sizeof(local), &moved);
        local.text[kChars - 1] = L'\0';
        tabs.emplace_back(local.text);
    }
    ::VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return tabs;
}

bool HasTab(HWND sheet, const std::wstring& name)
{
    const auto tabs = Tabs(sheet);
    return std::find(tabs.begin(), tabs.end(), name) != tabs.end();
}

std::wstring ItemText(HWND page, int id)
{
    return TextOf(::GetDlgItem(page, id));
}

bool Visible(HWND page, int id)
{
    return ::IsWindowVisible(::GetDlgItem(page, id)) != FALSE;
}

// The percent a text such as "87 %" shows; -1 when it shows none.
int PercentIn(const std::wstring& text)
{
    return text.size() > 2 && text.substr(text.size() - 2) == L" %" ? std::stoi(text) : -1;
}

int SimulatedTotalPercent()
{
    const std::string answer = Simctl(L"get battery-percent");
    return answer.empty() ? -1 : std::stoi(answer);
}

RECT ScreenRectOf(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

void Press(WORD key, bool control = false)
{
    std::vector<INPUT> strokes;
    auto add = [&](WORD vk, bool up) {
        INPUT stroke{};
        stroke.type = INPUT_KEYBOARD;
        stroke.ki.wVk = vk;
        stroke.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        strokes.push_back(stroke);
    };
    if (control) add(VK_CONTROL, false);
    add(key, false);
    add(key, true);
    if (control) add(VK_CONTROL, true);
    ::SendInput(static_cast<UINT>(strokes.size()), strokes.data(), sizeof(INPUT));
}

HWND Focused(HWND window)
{
    GUITHREADINFO info{sizeof(info)};
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Whether the shot of the sheet shows a drawn battery (its dark outline)
// inside the page's icon control.
bool ShowsBatteryIcon(const CScreenShot& shot, HWND sheet, HWND icon)
{
    const RECT taken = ScreenRectOf(sheet);
    const RECT place = ScreenRectOf(icon);
    int dark = 0;
    for (int y = place.top; y < place.bottom; ++y)
        for (int x = place.left; x < place.right; ++x) {
            const COLORREF c = shot.At(x - taken.left, y - taken.top);
            if (c != CLR_INVALID && GetRValue(c) < 70 && GetGValue(c) < 70 && GetBValue(c) < 80) ++dark;
        }
    return dark > 20;
}

class MeterProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::SetEnvironmentVariableW(L"TAVRIN_SIMULATED_MACHINE", L"corvane-default");
        Simctl(L"load corvane-default");
        settings.Delete(setting_names::kLangId);
        settings.SetDword(setting_names::kTavrinControl, 0x0010);
    }

    void TearDown() override
    {
        for (Meter* meter : {&m_first, &m_second}) {
            if (!meter->process) continue;
            if (HWND sheet = FindMeter()) ::PostMessageW(sheet, WM_CLOSE, 0, 0);
            if (meter->WaitExit(10000) == STILL_ACTIVE) ::TerminateProcess(meter->process.get(), 1);
        }
    }

    // The meter's sheet once it shows the first battery's status.
    HWND Open(const std::wstring& arguments = L"")
    {
        m_first = Start(arguments);
        HWND sheet = nullptr;
        EXPECT_TRUE(WaitFor([&] {
            sheet = FindMeter();
            return sheet && ::IsWindowVisible(sheet) && ActivePage(sheet)
                   && !ItemText(ActivePage(sheet), IDC_PRIMARY_PERCENT).empty();
        })) << "no battery meter";
        return sheet;
    }

    void Close(HWND sheet)
    {
        ::PostMessageW(sheet, WM_CLOSE, 0, 0);
        EXPECT_EQ(m_first.WaitExit(10000), 0u);
        m_first = {};
    }

    // The sheet as drawn, once two pictures in a row agree.
    void Capture(HWND sheet, const std::wstring& name, CScreenShot& shot)
    {
        ::SetForegroundWindow(sheet);
        const RECT place = ScreenRectOf(sheet);
        CScreenShot other;
        int round = 0;
        EXPECT_TRUE(WaitFor(
            [&] {
                CScreenShot& now = round % 2 == 0 ? shot : other;
                const CScreenShot& before = round % 2 == 0 ? other : shot;
                ++round;
                return round > 2 && now.Take(place) && now.SameAs(before);
            },
            5000))
            << name << " did not settle";
        ::CreateDirectoryW(TAVRIN_METER_SHOTS, nullptr);
        EXPECT_TRUE(shot.Save(std::wstring(TAVRIN_METER_SHOTS) + L"\\" + name + L".png"));
    }

    void Capture(HWND sheet, const std::wstring& name)
    {
        CScreenShot shot;
        Capture(sheet, name, shot);
    }

    RegistryValueGuard settings{
        CSettings::kKeyPath, {setting_names::kTavrinControl, setting_names::kLangId, setting_names::kFlag}};
    Meter m_first;
    Meter m_second;
};

TEST_F(MeterProgram, ClassicSheetWithOneChargingBattery)
{
    settings.Delete(setting_names::kFlag);
    HWND sheet = Open();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(Tabs(sheet), (std::vector<std::wstring>{L"Battery Status", L"Battery Health"}));
    const HWND page = ActivePage(sheet);
    EXPECT_EQ(ItemText(page, IDC_PRIMARY_GROUP), L"Primary");
    EXPECT_EQ(ItemText(page, IDC_PRIMARY_STATUS), L"Charging");
    const int percent = PercentIn(ItemText(page, IDC_PRIMARY_PERCENT));
    EXPECT_GE(percent, 86);
    EXPECT_LT(percent, 99);
    EXPECT_EQ(ItemText(page, IDC_PRIMARY_TIME_LABEL), L"Approximate Charge Time:");
    EXPECT_NE(ItemText(page, IDC_PRIMARY_TIME).find(L" minutes"), std::wstring::npos);
    EXPECT_FALSE(Visible(page, IDC_SECONDARY_STATUS)) << "no secondary battery";
    EXPECT_FALSE(Visible(page, IDC_SECONDARY_PROGRESS));
    EXPECT_EQ(PercentIn(ItemText(page, IDC_TOTAL_PERCENT)), percent) << "one battery: the total is its own";
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(sheet, IDCANCEL)));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(sheet, IDOK)));
    EXPECT_EQ(settings.GetDword(setting_names::kFlag) & 1u, 1u) << "the first start is noted";
    CScreenShot shot;
    Capture(sheet, L"classic-one-battery-charging", shot);
    EXPECT_TRUE(ShowsBatteryIcon(shot, sheet, ::GetDlgItem(page, IDC_PRIMARY_ICON)));
    Close(sheet);
}

TEST_F(MeterProgram, ClassicSheetWithTwoDischargingBatteriesTotalsAsWindowsDoes)
{
    Simctl(L"battery-insert secondary --design 40000 --full 40000 --remaining 25%");
    Simctl(L"ac off");
    HWND sheet = Open();
    ASSERT_NE(sheet, nullptr);
    const HWND page = ActivePage(sheet);
    ASSERT_TRUE(WaitFor([&] { return Visible(page, IDC_SECONDARY_STATUS); })) << "the secondary is not shown";
    EXPECT_EQ(ItemText(page, IDC_PRIMARY_STATUS), L"Discharging");
    EXPECT_EQ(ItemText(page, IDC_SECONDARY_GROUP), L"Secondary");
    EXPECT_EQ(ItemText(page, IDC_PRIMARY_TIME), L"") << "no charge time while discharging";
    const int primary = PercentIn(ItemText(page, IDC_PRIMARY_PERCENT));
    const int secondary = PercentIn(ItemText(page, IDC_SECONDARY_PERCENT));
    EXPECT_NEAR(secondary, 25, 1);
    const int windows = SimulatedTotalPercent();
    EXPECT_NE(windows, primary) << "the machine does not tell the two rules apart";
    EXPECT_TRUE(WaitFor([&] {
        return PercentIn(ItemText(page, IDC_TOTAL_PERCENT)) == SimulatedTotalPercent();
    })) << "total "
        << TextOf(::GetDlgItem(page, IDC_TOTAL_PERCENT)) << " Windows " << windows;
    Capture(sheet, L"classic-two-batteries-discharging");
    Close(sheet);
}

TEST_F(MeterProgram, ChargingAt99PercentShowsNoChargeTime)
{
    Simctl(L"battery-insert primary --design 56000 --full 56000 --remaining 99%");
    HWND sheet = Open();
    ASSERT_NE(sheet, nullptr);
    const HWND page = ActivePage(sheet);
    EXPECT_EQ(ItemText(page, IDC_PRIMARY_STATUS), L"Charging");
    EXPECT_GE(PercentIn(ItemText(page, IDC_PRIMARY_PERCENT)), 99);
    EXPECT_EQ(ItemText(page, IDC_PRIMARY_TIME_LABEL), L"");
    EXPECT_EQ(ItemText(page, IDC_PRIMARY_TIME), L"");
    Close(sheet);
}

TEST_F(MeterProgram, K7SheetShowsThePrimaryChargingAndDischarging)
{
    settings.SetDword(setting_names::kTavrinControl, kK7 | 0x0010);
    HWND sheet = Open();
    ASSERT_NE(sheet, nullptr);
    const HWND page = ActivePage(sheet);
    EXPECT_EQ(ItemText(page, IDC_PRIMARY_STATUS), L"Charging");
    EXPECT_EQ(::GetDlgItem(page, IDC_SECONDARY_GROUP), nullptr) << "the K7 page has no secondary";
    EXPECT_EQ(ItemText(page, IDC_TOTAL_PERCENT), ItemText(page, IDC_PRIMARY_PERCENT));
    CScreenShot shot;
    Capture(sheet, L"k7-one-battery-charging", shot);
    EXPECT_TRUE(ShowsBatteryIcon(shot, sheet, ::GetDlgItem(page, IDC_PRIMARY_ICON))) << "no status icon";
    Simctl(L"ac off");
    EXPECT_TRUE(WaitFor([&] { return ItemText(page, IDC_PRIMARY_STATUS).empty(); }, 8000))
        << "the K7 page says nothing while discharging, it said "
        << TextOf(::GetDlgItem(page, IDC_PRIMARY_STATUS));
    Capture(sheet, L"k7-one-battery-discharging");
    Close(sheet);
}

TEST_F(MeterProgram, K7SheetWithTwoBatteriesTotalsAsWindowsDoes)
{
    settings.SetDword(setting_names::kTavrinControl, kK7 | 0x0010);
    Simctl(L"battery-insert secondary --design 40000 --full 40000 --remaining 30%");
    HWND sheet = Open();
    ASSERT_NE(sheet, nullptr);
    const HWND page = ActivePage(sheet);
    EXPECT_TRUE(
        WaitFor([&] { return PercentIn(ItemText(page, IDC_TOTAL_PERCENT)) == SimulatedTotalPercent(); }));
    EXPECT_NE(ItemText(page, IDC_TOTAL_PERCENT), ItemText(page, IDC_PRIMARY_PERCENT));
    Capture(sheet, L"k7-two-batteries-charging");
    Close(sheet);
}

// The dock page follows the docking station's battery within one refresh.
TEST_F(MeterProgram, TheDockPageComesWithTheDockBatteryAndGoesWithIt)
{
    for (const DWORD control : {DWORD{0x0010}, kK7 | 0x0010}) {
        settings.SetDword(setting_names::kTavrinControl, control);
        HWND sheet = Open();
        ASSERT_NE(sheet, nullptr);
        ASSERT_FALSE(HasTab(sheet, L"Dock Battery"));
        Simctl(L"battery-insert dock --design 48000 --full 48000 --remaining 60%");
        ASSERT_TRUE(WaitFor([&] { return HasTab(sheet, L"Dock Battery"); }, 7000))
            << "no dock page within 5 s";
        const int dock = static_cast<int>(Tabs(sheet).size()) - 1;
        ::SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(dock), 0);
        const HWND page = ActivePage(sheet);
        EXPECT_TRUE(WaitFor([&] { return ItemText(page, IDC_DOCK_STATUS) == L"Charging"; }))
            << TextOf(::GetDlgItem(page, IDC_DOCK_STATUS));
        EXPECT_NEAR(PercentIn(ItemText(page, IDC_DOCK_PERCENT)), 60, 2);
        EXPECT_EQ(ItemText(page, IDC_DOCK_GROUP), L"Dock Battery");
        CScreenShot shot;
        Capture(sheet, control & kK7 ? L"k7-dock-page" : L"classic-dock-page", shot);
        EXPECT_TRUE(ShowsBatteryIcon(shot, sheet, ::GetDlgItem(page, IDC_DOCK_ICON))) << "no dock icon";
        Simctl(L"battery-remove dock");
        EXPECT_TRUE(WaitFor([&] { return !HasTab(sheet, L"Dock Battery"); }, 7000)) << "the dock page stayed";
        EXPECT_EQ(Tabs(sheet).size(), 2u);
        EXPECT_NE(ActivePage(sheet), nullptr) << "no page shown after the dock page went";
        Close(sheet);
    }
}

TEST_F(MeterProgram, TheDockWordOpensOnTheDockPage)
{
    Simctl(L"battery-insert dock --design 48000 --full 48000 --remaining 40%");
    HWND sheet = nullptr;
    m_first = Start(L"DOCK");
    ASSERT_TRUE(WaitFor([&] { return (sheet = FindMeter()) != nullptr && ActivePage(sheet) != nullptr; }));
    EXPECT_EQ(Tabs(sheet).back(), L"Dock Battery");
    EXPECT_EQ(ActiveIndex(sheet), static_cast<int>(Tabs(sheet).size()) - 1);
    Close(sheet);
}

TEST_F(MeterProgram, ASecondStartForwardsThePageAndEnds)
{
    settings.SetDword(setting_names::kTavrinControl, kK7 | kDesktopModeControl | 0x0010);
    HWND sheet = Open();
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(ActiveIndex(sheet), 0);
    ASSERT_TRUE(HasTab(sheet, L"Battery Health"));
    m_second = Start(L"-PAGE HEALTH");
    ASSERT_EQ(m_second.WaitExit(15000), 0u) << "the second start did not end";
    m_second = {};
    EXPECT_TRUE(WaitFor([&] { return ActiveIndex(sheet) == 1; }))
        << "the running meter did not open its health page";
    EXPECT_EQ(FindMeter(), sheet);
    EXPECT_EQ(::FindWindowExW(nullptr, sheet, L"#32770", kTitle), nullptr) << "a second sheet opened";
    Close(sheet);
}

// The words of the tray's pop-up name no PAGE: the running meter keeps its page.
TEST_F(MeterProgram, TheWordsPAndHWithAMeterRunningForwardNothing)
{
    settings.SetDword(setting_names::kTavrinControl, kK7 | kDesktopModeControl | 0x0010);
    HWND sheet = Open();
    ASSERT_NE(sheet, nullptr);
    m_second = Start(L"P H");
    // The request would be sent, not posted: once the second start has
    // ended, anything it forwarded has been handled.
    ASSERT_EQ(m_second.WaitExit(15000), 0u);
    m_second = {};
    EXPECT_EQ(ActiveIndex(sheet), 0);
    EXPECT_EQ(::FindWindowExW(nullptr, sheet, L"#32770", kTitle), nullptr);
    Close(sheet);
}

TEST_F(MeterProgram, TheClassicSheetIgnoresTheForwardedPage)
{
    HWND sheet = Open();
    ASSERT_NE(sheet, nullptr);
    m_second = Start(L"-PAGE HEALTH");
    ASSERT_EQ(m_second.WaitExit(15000), 0u);
    m_second = {};
    EXPECT_EQ(ActiveIndex(sheet), 0);
    Close(sheet);
}

TEST_F(MeterProgram, StartOptionsChooseThePageOnTheK7Sheet)
{
    settings.SetDword(setting_names::kTavrinControl, kK7 | 0x0010);
    HWND sheet = nullptr;
    m_first = Start(L"/PAGE HEALTH");
    ASSERT_TRUE(WaitFor([&] { return (sheet = FindMeter()) != nullptr && ActivePage(sheet) != nullptr; }));
    EXPECT_EQ(ActiveIndex(sheet), 1);
    EXPECT_EQ(ItemText(ActivePage(sheet), IDC_HEALTH_TEXT), L"Your battery is performing normally");
    Close(sheet);
    m_first = Start(L"-PAGE DESKTOPMODE");
    ASSERT_TRUE(WaitFor([&] { return (sheet = FindMeter()) != nullptr && ActivePage(sheet) != nullptr; }));
    EXPECT_EQ(ActiveIndex(sheet), 0) << "without a desktop-mode page the first page opens";
    Close(sheet);
}

TEST_F(MeterProgram, TheHealthSwitchesOverrideTheFirmware)
{
    HWND sheet = nullptr;
    m_first = Start(L"H -BHI 0 -PF");
    ASSERT_TRUE(WaitFor([&] { return (sheet = FindMeter()) != nullptr && ActivePage(sheet) != nullptr; }));
    EXPECT_EQ(ActiveIndex(sheet), 1);
    EXPECT_EQ(ItemText(ActivePage(sheet), IDC_HEALTH_TEXT),
              L"Your battery has experienced a permanent failure and needs to be replaced.");
    Close(sheet);
}

TEST_F(MeterProgram, TheTraysRefreshAddsTheHealthPageOnceABatteryReportsIt)
{
    Simctl(L"battery-health primary none");
    HWND sheet = Open();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(Tabs(sheet), std::vector<std::wstring>{L"Battery Status"});
    Simctl(L"battery-health primary 2");
    ::PostMessageW(sheet, ::RegisterWindowMessageW(L"TvrtoBHMRefreshMsg"), 0, 0);
    EXPECT_TRUE(WaitFor([&] { return HasTab(sheet, L"Battery Health"); }));
    Close(sheet);
}

TEST_F(MeterProgram, StopTavrinEndsTheMeter)
{
    HWND sheet = Open();
    ASSERT_NE(sheet, nullptr);
    ::PostMessageW(sheet, ::RegisterWindowMessageW(L"Stop Tavrin"), 0, 0);
    EXPECT_EQ(m_first.WaitExit(10000), 0u);
    m_first = {};
}

TEST_F(MeterProgram, WithoutFirmwareAccessTheMeterEndsAtOnce)
{
    for (const wchar_t* profile : {L"no-acpiwmi", L"smbios-fails"}) {
        ::SetEnvironmentVariableW(L"TAVRIN_SIMULATED_MACHINE", profile);
        Simctl(std::wstring(L"load ") + profile);
        m_first = Start(L"");
        EXPECT_EQ(m_first.WaitExit(15000), 0u) << profile;
        EXPECT_EQ(FindMeter(), nullptr) << profile;
        m_first = {};
    }
}

TEST_F(MeterProgram, TheKeyboardAloneOpensTheInformationSwitchesPagesAndCloses)
{
    HWND sheet = Open();
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == sheet; }))
        << "the meter did not come forward";
    const HWND page = ActivePage(sheet);
    const HWND icon = ::GetDlgItem(page, IDC_PRIMARY_ICON);
    // Tab walks the sheet's controls until the primary's icon has the focus.
    ASSERT_TRUE(WaitFor(
        [&] {
            if (Focused(sheet) == icon) return true;
            Press(VK_TAB);
            ::Sleep(100);
            return Focused(sheet) == icon;
        },
        10000))
        << "Tab never reaches the battery icon";
    Press(VK_SPACE);
    HWND info = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (info = ::FindWindowW(L"#32770", L"Battery Information")) != nullptr; }))
        << "no battery information";
    EXPECT_EQ(ItemText(info, IDC_INFO_NAME), L"Corvane Strata 6-cell");
    EXPECT_EQ(ItemText(info, IDC_INFO_MANUFACTURER), L"Quillet Energy");
    EXPECT_EQ(ItemText(info, IDC_INFO_CHEMISTRY), L"LION");
    EXPECT_EQ(ItemText(info, IDOK), L"Close");
    CScreenShot shot;
    const RECT place = ScreenRectOf(info);
    ASSERT_TRUE(WaitFor([&] { return shot.Take(place); }));
    ::CreateDirectoryW(TAVRIN_METER_SHOTS, nullptr);
    EXPECT_TRUE(shot.Save(std::wstring(TAVRIN_METER_SHOTS) + L"\\battery-information.png"));
    Press(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return ::FindWindowW(L"#32770", L"Battery Information") == nullptr; }))
        << "Enter did not close the information";
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == sheet; }));
    Press(VK_TAB, true);
    EXPECT_TRUE(WaitFor([&] { return ActiveIndex(sheet) == 1; })) << "Ctrl+Tab did not open the next page";
    Press(VK_RETURN);
    EXPECT_EQ(m_first.WaitExit(10000), 0u) << "Enter did not press OK";
    m_first = {};
}

// At 150 % the sheet and its icons grow by half; a new process reads the DPI when it starts.
TEST_F(MeterProgram, At150PercentTheSheetGrowsByHalf)
{
    HWND sheet = Open();
    ASSERT_NE(sheet, nullptr);
    Capture(sheet, L"classic-100-percent");
    const RECT normal = ScreenRectOf(sheet);
    Close(sheet);

    const RegistryValueGuard dpi(L"Control Panel\\Desktop", {L"LogPixels"}, 0, HKEY_CURRENT_USER);
    dpi.SetDword(L"LogPixels", 144);
    sheet = Open();
    ASSERT_NE(sheet, nullptr);
    Capture(sheet, L"classic-150-percent");
    const RECT large = ScreenRectOf(sheet);
    const double grown = static_cast<double>(large.right - large.left) / (normal.right - normal.left);
    EXPECT_NEAR(grown, 1.5, 0.12);
    Close(sheet);
    settings.SetDword(setting_names::kTavrinControl, kK7 | 0x0010);
    sheet = Open();
    ASSERT_NE(sheet, nullptr);
    Capture(sheet, L"k7-150-percent");
    Close(sheet);
}

TEST_F(MeterProgram, TheSheetSpeaksTheLanguageOfLangId)
{
    settings.SetDword(setting_names::kLangId, 1031);
    m_first = Start(L"");
    HWND sheet = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (sheet = ::FindWindowW(L"#32770", L"Akkuanzeige")) != nullptr; }))
        << "no German meter";
    ASSERT_TRUE(WaitFor([&] { return ActivePage(sheet) != nullptr; }));
    EXPECT_EQ(Tabs(sheet).front(), L"Akkustatus");
    EXPECT_EQ(ItemText(ActivePage(sheet), IDC_PRIMARY_STATUS), L"Wird geladen");
    Capture(sheet, L"classic-german");
    Close(sheet);
    settings.SetDword(setting_names::kLangId, 1049);
    m_first = Start(L"");
    EXPECT_TRUE(WaitFor([&] { return (sheet = FindMeter()) != nullptr; }))
        << "Russian reads English in the meter";
    Close(sheet);
}

} // namespace
