#include "TrayTestSupport.h"

#include "ProgramRun.h"

#include <cstdio>
#include <sstream>

using namespace std::string_literals;

DWORD Process::WaitExit(DWORD timeoutMs) const
{
    if (::WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    ::GetExitCodeProcess(process.get(), &code);
    return code;
}

Process StartProgram(const std::wstring& exe, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + TestBinFolder() + exe + L"\" " + arguments;
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    Process process;
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                         nullptr, &startup, &info)) {
        process.process.reset(info.hProcess);
        process.thread.reset(info.hThread);
        process.id = info.dwProcessId;
    }
    return process;
}

std::string Simctl(const std::wstring& arguments)
{
    return RunProgram(L"simctl.exe", arguments).output;
}

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

void TrayTest::SetUp()
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

void TrayTest::TearDown()
{
    // Never leave a tray running for the next test.
    if (HWND tray = FindTray()) {
        ::PostMessageW(tray, WM_CLOSE, 0, 0);
        WaitFor([] { return FindTray() == nullptr; }, 5000);
    }
}

void TrayTest::Stop(const Process& tray)
{
    ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"Stop Tavrin"), 0, 0);
    EXPECT_EQ(tray.WaitExit(15000), 0u);
}
