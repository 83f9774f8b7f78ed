// The lock keys, the eject key and the light sensor through the running
// tray: keys typed into another process, firmware events raised by simctl,
// the simulated drives, and what the tray broadcasts to other programs.
#include "MessageCatalogue.h"
#include "OsdResources.h"
#include "ScreenShot.h"
#include "SettingNames.h"
#include "TrayDispatchFixture.h"

namespace {

// The desktop's toggle state, not this thread's own, which only follows the
// A top-level window of this process that collects what the tray broadcasts.
class BroadcastListener {
public:
    BroadcastListener()
        : m_alsState(::RegisterWindowMessageW(messages::kChangeLcdAlsState))
        , m_alsHotKey(::RegisterWindowMessageW(messages::kAlsHotKey))
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &BroadcastListener::Proc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TrayStatusBroadcastListener";
        ::RegisterClassW(&windowClass);
        m_window = ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                     nullptr, windowClass.hInstance, this);
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~BroadcastListener() { ::DestroyWindow(m_window); }

    // Pumps this thread's messages until the state `state` was broadcast.
    bool WaitForState(WPARAM state, DWORD timeoutMs = 10000)
    {
        const ULONGLONG end = ::GetTickCount64() + timeoutMs;
        for (;;) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
            for (const auto& [message, wp] : received)
                if (message == m_alsState && wp == state) return true;
            if (::GetTickCount64() > end) return false;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
    }
    bool HotKeyBeforeState() const
    {
        for (const auto& [message, wp] : received) {
            if (message == m_alsHotKey) return true;
            if (message == m_alsState) return false;
        }
        return false;
    }

    std::vector<std::pair<UINT, WPARAM>> received;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
    {
        auto* self = reinterpret_cast<BroadcastListener*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && (msg == self->m_alsState || msg == self->m_alsHotKey)) {
            self->received.emplace_back(msg, wp);
            return 0;
        }
        return ::DefWindowProcW(window, msg, wp, lp);
    }

    UINT m_alsState;
    UINT m_alsHotKey;
    HWND m_window = nullptr;
};

class TrayStatus : public TrayDispatch {
protected:
    void Configure() override
    {
        settings.SetDword(L"TavrinControl", m_tavrinControl);
        m_status.Delete(setting_names::kShowKbdLock);
        m_status.Delete(setting_names::kAlsDlgX);
        m_status.Delete(setting_names::kAlsDlgY);
        SetLock(L"caps-lock", m_capsAtStart);
        SetLock(L"num-lock", m_numAtStart);
    }

    // The simulated keyboard's lock, as the tray reads it.
    static void SetLock(const wchar_t* key, bool on)
    {
        EXPECT_TRUE(Simctl(std::wstring(L"set ") + key + (on ? L" 1" : L" 0")).empty());
    }
    bool LockOn(const wchar_t* key) const { return Get(key) == 1; }

    // The keyboard flips the lock, and the hook reports the key to the tray.
    void PressLock(const wchar_t* key, const std::wstring& strokes)
    {
        SetLock(key, !LockOn(key));
        Type(strokes);
    }

    // Every line the tray wrote, from its start.
    Lines AllLines() const
    {
        std::ifstream file(m_tracePath.c_str(), std::ios::binary);
        Lines lines;
        std::string line;
        while (std::getline(file, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    static Lines Starting(const Lines& lines, const std::string& prefix)
    {
        Lines found;
        for (const std::string& line : lines)
            if (line.rfind(prefix, 0) == 0) found.push_back(line);
        return found;
    }

    bool WaitForLine(const std::string& line, Lines* before = nullptr, DWORD timeoutMs = 10000)
    {
        bool seen = false;
        WaitFor(
            [&] {
                for (std::string& next : NewLines()) {
                    if (seen) continue;
                    if (next == line)
                        seen = true;
                    else if (before)
                        before->push_back(std::move(next));
                }
                return seen;
            },
            timeoutMs);
        return seen;
    }

    // A visible window of the tray that holds the control.
    HWND TrayWindowWith(int control) const
    {
        struct Search {
            DWORD processId;
            int control;
            HWND found;
        } search{m_tray.id, control, nullptr};
        ::EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(param);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                if (owner != s.processId || !::IsWindowVisible(window) || !::GetDlgItem(window, s.control))
                    return TRUE;
                s.found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    static std::wstring Text(HWND dialog, int control)
    {
        wchar_t text[256] = {};
        ::GetDlgItemTextW(dialog, control, text, 256);
        return text;
    }

    int Get(const wchar_t* key) const { return std::atoi(Simctl(std::wstring(L"get ") + key).c_str()); }

    // Bitmap style, the keyboard DLL (the keys typed reach the tray), both lock-key options.
    DWORD m_tavrinControl = 0x0010 | 0x0008 | 0x0004;
    bool m_capsAtStart = false;
    bool m_numAtStart = false;
    RegistryValueGuard m_status{
        CSettings::kKeyPath, {setting_names::kShowKbdLock, setting_names::kAlsDlgX, setting_names::kAlsDlgY}};
};

class TrayLockKeys : public TrayStatus {
protected:
    TrayLockKeys() { m_capsAtStart = true; }
};

TEST_F(TrayLockKeys, IndicatorsFollowTheKeysFromStartToExit)
{
    // Caps Lock was on when the tray started: its indicator came with the window.
    EXPECT_EQ(Starting(AllLines(), "entry LockIndicator"), (Lines{"entry LockIndicator 101 1"}));

    PressLock(L"caps-lock", L"d:3A u:3A");
    Lines before;
    ASSERT_TRUE(WaitForLine("entry LockIndicator 101 0", &before)) << "Caps Lock off kept its indicator";
    EXPECT_EQ(Starting(before, "entry ShowLockKey").at(0), "entry ShowLockKey 101 0");
    HWND display = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (display = ShownDisplay(m_tray.id)) != nullptr; }, 5000))
        << "no lock-key display";

    PressLock(L"num-lock", L"d:E045 u:E045");
    ASSERT_TRUE(WaitForLine("entry LockIndicator 102 1")) << "Num Lock on got no indicator";

    Stop(m_tray);
    m_tray = {};
    // Only the key still on loses its indicator at the end.
    EXPECT_EQ(Starting(AllLines(), "entry LockIndicator"),
              (Lines{"entry LockIndicator 101 1", "entry LockIndicator 101 0", "entry LockIndicator 102 1",
                     "entry LockIndicator 102 0"}));
}

class TrayCapsLockOnly : public TrayStatus {
protected:
    TrayCapsLockOnly()
    {
        m_tavrinControl = 0x0010 | 0x0004;
        m_numAtStart = true;
    }
};

TEST_F(TrayCapsLockOnly, FirmwareNumLockEventUpdatesTheKeyTheDisplayDoesNotShow)
{
    // Num Lock is on but not shown: no indicator at the start, none for the key.
    EXPECT_TRUE(Starting(AllLines(), "entry LockIndicator").empty());
    PressLock(L"num-lock", L"d:E045 u:E045");
    ASSERT_TRUE(WaitForLine("entry ShowLockKey 102 0"));
    PressLock(L"num-lock", L"d:E045 u:E045");
    ASSERT_TRUE(WaitForLine("entry ShowLockKey 102 0"));
    ASSERT_TRUE(LockOn(L"num-lock"));
    EXPECT_TRUE(Starting(UntilMarker(), "entry LockIndicator").empty()) << "a key not shown got an indicator";

    // From the firmware the key is shown all the same.
    EXPECT_TRUE(Simctl(L"event 0xE045").empty());
    ASSERT_TRUE(WaitForLine("entry LockIndicator 102 1")) << "the firmware's Num Lock changed nothing";
    EXPECT_TRUE(WaitFor([&] { return ShownDisplay(m_tray.id) != nullptr; }, 5000)) << "no lock-key display";
}

class TrayEject : public TrayStatus {
protected:
    TrayEject() { m_tavrinControl = 0x8010; }
    void Drives(int firstBus, int secondBus)
    {
        for (const std::wstring& command : std::vector<std::wstring>{
                 L"set optical-present 1", L"set optical2-present 1", L"set optical-media 1",
                 L"set optical2-media 1", L"set optical-bus " + std::to_wstring(firstBus),
                 L"set optical2-bus " + std::to_wstring(secondBus)})
            EXPECT_TRUE(Simctl(command).empty()) << command.c_str();
    }
};

TEST_F(TrayEject, EjectKeyEjectsTheIdeDriveAndLeavesTheScsiOne)
{
    // E: on SCSI comes first, F: on IDE last: once F is out, E was passed over.
    Drives(2, 0);
    EXPECT_TRUE(Simctl(L"event 0xE009").empty());
    ASSERT_TRUE(WaitFor([&] { return Get(L"optical2-ejects") == 1; }, 10000))
        << "the IDE drive was not ejected";
    EXPECT_EQ(Get(L"optical-ejects"), 0);
    EXPECT_EQ(Get(L"optical-media"), 1);
    EXPECT_TRUE(WaitFor([&] { return ShownDisplay(m_tray.id) != nullptr; }, 5000)) << "no eject display";
}

TEST_F(TrayEject, WithoutIdeOrUsbDrivesTheKeyEjectsThemAll)
{
    Drives(2, 2);
    // The firmware's key: a typed one is also reported when released, which may eject twice.
    EXPECT_TRUE(Simctl(L"event 0xE009").empty());
    EXPECT_TRUE(WaitFor([&] { return Get(L"optical-ejects") == 1 && Get(L"optical2-ejects") == 1; }, 10000))
        << Get(L"optical-ejects") << " and " << Get(L"optical2-ejects") << " ejects";
    // Each key after a finished run ejects again (a key during a run would not).
    for (int attempt = 0; attempt < 10 && Get(L"optical-ejects") < 2; ++attempt) {
        EXPECT_TRUE(Simctl(L"event 0xE009").empty());
        WaitFor([&] { return Get(L"optical-ejects") >= 2; }, 1000);
    }
    EXPECT_EQ(Get(L"optical-ejects"), 2);
    EXPECT_TRUE(WaitFor([&] { return Get(L"optical2-ejects") == 2; }, 5000));
}

class TrayAls : public TrayStatus {
protected:
    TrayAls() { m_tavrinControl = 0x8010; }
};

TEST_F(TrayAls, SensorKeyShowsTheDialogAndTellsOtherProgramsTheState)
{
    BroadcastListener listener;
    EXPECT_TRUE(Simctl(L"set als-present 1").empty());
    EXPECT_TRUE(Simctl(L"set als-enabled 1").empty());
    Type(L"d:E013 u:E013");
    ASSERT_TRUE(listener.WaitForState(1)) << "no state 1 broadcast";
    EXPECT_TRUE(listener.HotKeyBeforeState());
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = TrayWindowWith(IDC_ALS_TEXT)) != nullptr; }, 5000));
    EXPECT_EQ(Text(dialog, IDC_ALS_TEXT), L"Ambient Light Sensor Enabled");
    EXPECT_EQ(Text(dialog, IDC_ALS_LINK), L"Click here to set Ambient Light Sensor preferences.");
    EXPECT_GE(Get(L"als-status-calls"), 1) << "the key did not ask the firmware";

    // The firmware's own key turns the sensor off and reports it.
    listener.received.clear();
    EXPECT_TRUE(Simctl(L"als-key").empty());
    ASSERT_TRUE(listener.WaitForState(0)) << "no state 0 broadcast";
    EXPECT_TRUE(
        WaitFor([&] { return Text(dialog, IDC_ALS_TEXT) == L"Ambient Light Sensor Disabled"; }, 5000));
    EXPECT_NE(Simctl(L"als").find("sensor=disabled"), std::string::npos);

    // Escape closes it, and its place is kept.
    ::PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, 5000)) << "Escape left the dialog open";
    EXPECT_TRUE(m_status.Exists(setting_names::kAlsDlgX));
    EXPECT_TRUE(m_status.Exists(setting_names::kAlsDlgY));
}

// The dialog at 150 %: everything half as large again, the link included.
class TrayAlsLarge : public TrayAls {
protected:
    void Configure() override
    {
        TrayAls::Configure();
        m_dpi.SetDword(L"LogPixels", 144);
    }
    RegistryValueGuard m_dpi{L"Control Panel\\Desktop", {L"LogPixels"}, 0, HKEY_CURRENT_USER};
};

TEST_F(TrayAlsLarge, DialogGrowsWithTheDpi)
{
    EXPECT_TRUE(Simctl(L"event 0xE013 1").empty());
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = TrayWindowWith(IDC_ALS_TEXT)) != nullptr; }, 5000));
    RECT place{};
    ::GetWindowRect(dialog, &place);
    RECT link{};
    ::GetWindowRect(::GetDlgItem(dialog, IDC_ALS_LINK), &link);
    CScreenShot shot;
    ASSERT_TRUE(WaitFor([&] { return shot.Take(place); }, 3000));
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    EXPECT_TRUE(shot.Save(TAVRIN_OSD_SHOTS L"\\als-enabled-150-percent.png"));
    // 240 x 70 dialog units: at 150 % a unit is at least 2 pixels wide.
    EXPECT_GE(place.right - place.left, 480) << "the dialog did not grow";
    EXPECT_GE(link.bottom - link.top, 45);
    // The link text: blue pixels spread over at least 20 rows' worth of height scaled up.
    int top = INT_MAX, bottom = -1;
    for (int y = link.top - place.top; y < link.bottom - place.top; ++y)
        for (int x = link.left - place.left; x < link.right - place.left; ++x) {
            const COLORREF p = shot.At(x, y);
            if (GetBValue(p) > 160 && GetRValue(p) < 80 && GetGValue(p) < 80) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    EXPECT_GE(bottom - top, 14) << "the link's font did not grow with the dialog";
}

} // namespace
