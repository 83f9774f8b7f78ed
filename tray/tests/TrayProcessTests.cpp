#include "MobilityCenter.h"
#include "RegistryValueGuard.h"
#include "Settings.h"
#include "UniqueHandle.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

// Tavrin.exe against the simulated notebook, observed from outside: its
// window, the registry and the firmware call log.
namespace {

using namespace std::string_literals;

std::wstring BinFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

struct Process {
    UniqueHandle process;
    UniqueHandle thread;
    DWORD id = 0;

    DWORD WaitExit(DWORD timeoutMs) const
    {
        if (::WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = 0;
        ::GetExitCodeProcess(process.get(), &code);
        return code;
    }
};

Process Start(const std::wstring& exe, const std::wstring& arguments, HANDLE output = nullptr)
{
    std::wstring commandLine = L"\"" + BinFolder() + exe + L"\" " + arguments;
    STARTUPINFOW startup{sizeof(startup)};
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    PROCESS_INFORMATION info{};
    Process process;
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, output != nullptr,
                         CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info)) {
        process.process.reset(info.hProcess);
        process.thread.reset(info.hThread);
        process.id = info.dwProcessId;
    }
    return process;
}

// Runs simctl and returns what it printed.
std::string Simctl(const std::wstring& arguments)
{
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    UniqueHandle readEnd, writeEnd;
    if (!::CreatePipe(readEnd.put(), writeEnd.put(), &inherit, 0)) return {};
    ::SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    Process simctl = Start(L"simctl.exe", arguments, writeEnd.get());
    writeEnd.reset();
    std::string output;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(readEnd.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0)
        output.append(buffer, read);
    simctl.WaitExit(10000);
    return output;
}

struct VersionCall {
    unsigned arg1, arg2, arg3, arg4;
};

// The version reports (class 0x0011, select 0x0003) of the call log.
std::vector<VersionCall> VersionCalls()
{
    std::vector<VersionCall> calls;
    std::istringstream lines(Simctl(L"calls"));
    std::string line;
    while (std::getline(lines, line)) {
        unsigned sequence, cbClass, cbSelect;
        VersionCall call{};
        if (std::sscanf(line.c_str(), "#%u class=0x%X select=0x%X args=0x%X,0x%X,0x%X,0x%X", &sequence,
                        &cbClass, &cbSelect, &call.arg1, &call.arg2, &call.arg3, &call.arg4) == 7 &&
            cbClass == 0x11 && cbSelect == 0x03)
            calls.push_back(call);
    }
    return calls;
}

HWND FindTray()
{
    return ::FindWindowW(L"TavrinClass", L"Tavrin");
}

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

// Wine's shell shows notification-area icons as child windows of its own
// tray window; nothing but the tray adds icons in the test prefix.
bool IsClass(HWND hwnd, const wchar_t* name)
{
    wchar_t text[64] = {};
    ::GetClassNameW(hwnd, text, 64);
    return wcscmp(text, name) == 0;
}

bool HasTrayIcon()
{
    bool found = false;
    ::EnumWindows([](HWND tray, LPARAM lp) -> BOOL {
        ::EnumChildWindows(tray, [](HWND child, LPARAM found) -> BOOL {
            *reinterpret_cast<bool*>(found) |= IsClass(child, L"__winex11_tray_icon") && ::IsWindowVisible(child);
            return TRUE;
        }, lp);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool HasModule(DWORD processId, const wchar_t* name)
{
    UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    if (!snapshot) return false;
    MODULEENTRY32W module{sizeof(module)};
    for (BOOL more = ::Module32FirstW(snapshot.get(), &module); more;
         more = ::Module32NextW(snapshot.get(), &module))
        if (_wcsicmp(module.szModule, name) == 0) return true;
    return false;
}

// The key reader creates the DLL's wake-up event when it first waits.
bool KeyReaderWaits()
{
    UniqueHandle event(::OpenEventW(SYNCHRONIZE, FALSE, L"PKU_Tvr"));
    return static_cast<bool>(event);
}

class TrayProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::SetEnvironmentVariableW(L"TAVRIN_SIMULATED_MACHINE", L"corvane-default");
        Simctl(L"load corvane-default");
        Simctl(L"clear-calls");
        settings.SetDword(L"TavrinControl", 0x8000 | 0x0010);
        settings.SetDword(L"ShowTrayIcon", 1);
        settings.SetString(L"TavrinVersion", L"1.3.8");
        branding.Delete(L"OEMName");
        branding.SetString(L"TileOrder", L"Volume\0Battery\0"s, REG_MULTI_SZ);
    }
    void TearDown() override
    {
        // Never leave a tray running for the next test.
        if (HWND tray = FindTray()) {
            ::PostMessageW(tray, WM_CLOSE, 0, 0);
            WaitFor([] { return FindTray() == nullptr; }, 5000);
        }
    }
    void Stop(const Process& tray)
    {
        ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"Stop Tavrin"), 0, 0);
        EXPECT_EQ(tray.WaitExit(15000), 0u);
    }

    RegistryValueGuard settings{CSettings::kKeyPath,
                                {L"TavrinControl", L"ShowTrayIcon", L"TavrinVersion", L"DlgDisablerBRG",
                                 L"DlgDisablerVOL", L"DlgDisablerRAD"}};
    RegistryValueGuard branding{mobility_center::kKey, {L"OEMName", L"OEMImage", L"TileOrder"}, KEY_WOW64_64KEY};
};

TEST_F(TrayProcess, StartsHiddenReportsItsVersionAndStopsOnRequest)
{
    Process tray = Start(L"Tavrin.exe", L"");
    ASSERT_TRUE(tray.process);
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; })) << "no tray window";
    HWND window = FindTray();
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_EQ(::GetParent(window), nullptr);
    EXPECT_EQ(::GetWindow(window, GW_OWNER), nullptr);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    EXPECT_EQ(owner, tray.id);

    EXPECT_TRUE(WaitFor(HasTrayIcon, 5000)) << "no notification-area icon";
    EXPECT_EQ(branding.GetRaw(L"OEMName"), BinFolder() + L"Tessel.exe,210\0"s);
    EXPECT_EQ(branding.GetRaw(L"TileOrder"),
              L"Volume\0Battery\0ALS\0BacklitKB\0Bluetooth\0FnKey\0TouchPad\0Pellick\0WiFiSwitch\0\0"s);

    auto calls = VersionCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].arg1, 0x10000u);
    EXPECT_EQ(calls[0].arg2, 0x5456524Eu);
    EXPECT_EQ(calls[0].arg3, 138u);
    EXPECT_EQ(calls[0].arg4, 1u);

    Stop(tray);
    EXPECT_EQ(FindTray(), nullptr);
    EXPECT_TRUE(WaitFor([] { return !HasTrayIcon(); }, 5000)) << "icon left behind";
    calls = VersionCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].arg3, 138u);
    EXPECT_EQ(calls[1].arg4, 0u);
    // The display switches are written back at the end.
    EXPECT_EQ(settings.GetDword(L"DlgDisablerBRG"), 1u);
}

TEST_F(TrayProcess, SecondCopyEndsAndTheFirstKeepsRunning)
{
    Process first = Start(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    HWND window = FindTray();

    Process second = Start(L"Tavrin.exe", L"");
    ASSERT_TRUE(second.process);
    EXPECT_EQ(second.WaitExit(15000), 0u);
    EXPECT_EQ(first.WaitExit(0), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(FindTray(), window);
    // Both copies reported their start; the second reported no end.
    auto calls = VersionCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].arg4, 1u);
    EXPECT_EQ(calls[1].arg4, 1u);
    Stop(first);
}

TEST_F(TrayProcess, NoIconWithoutShowTrayIconAndExitFromTheMenuCloses)
{
    settings.Delete(L"ShowTrayIcon");
    Process tray = Start(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    ::Sleep(500);
    EXPECT_FALSE(HasTrayIcon());
    ::PostMessageW(FindTray(), WM_COMMAND, MAKEWPARAM(32776, 0), 0);
    EXPECT_EQ(tray.WaitExit(15000), 0u);
    EXPECT_EQ(VersionCalls().size(), 2u);
}

TEST_F(TrayProcess, KeyboardDllOnlyWhenConfigured)
{
    Process hooked = Start(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return HasModule(hooked.id, L"Zelkey.dll") && KeyReaderWaits(); }, 5000));
    Stop(hooked);

    settings.SetDword(L"TavrinControl", 0x8000);
    Process plain = Start(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    ::Sleep(500);
    EXPECT_FALSE(HasModule(plain.id, L"Zelkey.dll"));
    Stop(plain);
}

TEST_F(TrayProcess, ReleaseRequestBeforeCloseReleasesOnce)
{
    Process tray = Start(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return HasModule(tray.id, L"Zelkey.dll"); }, 5000));
    DWORD_PTR result = 0;
    // A sent WM_QUIT releases the hook and the session registration without
    // closing; the close that follows must not release them again.
    ASSERT_TRUE(::SendMessageTimeoutW(FindTray(), WM_QUIT, 0, 0, SMTO_BLOCK, 10000, &result));
    EXPECT_TRUE(WaitFor([&] { return !HasModule(tray.id, L"Zelkey.dll"); }, 5000));
    EXPECT_NE(FindTray(), nullptr);
    Stop(tray);
    auto calls = VersionCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].arg4, 0u);
}

bool MenuOpen()
{
    HWND menu = ::FindWindowW(L"#32768", nullptr);
    return menu && ::IsWindowVisible(menu);
}

TEST_F(TrayProcess, SingleClickOpensTheMenuButADoubleClickDoesNot)
{
    Process tray = Start(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    HWND window = FindTray();
    constexpr UINT kIconMessage = 0x0BD0;

    ::PostMessageW(window, kIconMessage, 1, WM_LBUTTONUP);
    EXPECT_TRUE(WaitFor(MenuOpen, 3000)) << "no menu after a single click";
    ::PostMessageW(window, WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(WaitFor([] { return !MenuOpen(); }, 3000));

    // The shell's order for a double click; the companion program does not
    // exist here, so only the menu could appear.
    for (UINT mouse : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        ::PostMessageW(window, kIconMessage, 1, mouse);
    ::Sleep(1000);
    EXPECT_FALSE(MenuOpen());
    Stop(tray);
}

TEST_F(TrayProcess, DoesNotStartWhenSmbiosFails)
{
    ::SetEnvironmentVariableW(L"TAVRIN_SIMULATED_MACHINE", L"smbios-fails");
    Simctl(L"load smbios-fails");
    Process tray = Start(L"Tavrin.exe", L"");
    ASSERT_TRUE(tray.process);
    EXPECT_NE(tray.WaitExit(15000), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(FindTray(), nullptr);
    EXPECT_TRUE(VersionCalls().empty());
}

} // namespace
