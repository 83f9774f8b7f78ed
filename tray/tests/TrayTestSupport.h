#pragma once
#include "MobilityCenter.h"
#include "RegistryValueGuard.h"
#include "Settings.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

// Tavrin.exe started against the simulated notebook and observed from outside.

struct Process {
    UniqueHandle process;
    UniqueHandle thread;
    DWORD id = 0;

    // The exit code, or STILL_ACTIVE when it has not ended in time.
    DWORD WaitExit(DWORD timeoutMs) const;
};

// Starts a program of the test's own folder.
Process StartProgram(const std::wstring& exe, const std::wstring& arguments);

// Runs simctl and returns what it printed.
std::string Simctl(const std::wstring& arguments);

struct VersionCall {
    unsigned arg1, arg2, arg3, arg4;
};
// The version reports (class 0x0011, select 0x0003) of the firmware call log.
std::vector<VersionCall> VersionCalls();

HWND FindTray();

// The process's visible layered display window, if one is up.
HWND ShownDisplay(DWORD processId);

// Whether the process has loaded the module (a file name, any case).
bool HasModule(DWORD processId, const wchar_t* name);

// A message box or dialog of a process, with its caption and text.
struct Box {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};
// The process's visible boxes, topmost first.
std::vector<Box> FindBoxes(DWORD processId);
// The topmost of them; window is null when there is none.
Box FindBox(DWORD processId);

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

// The dispatch trace of the trays started while it lives (TAVRIN_TRACE).
class TraceFile {
public:
    TraceFile();
    ~TraceFile();
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;

    std::vector<std::string> Lines() const;
    // How many lines from line `from` on are exactly `line`.
    size_t Count(const std::string& line, size_t from = 0) const;

private:
    std::wstring m_path;
};

// The companion program named by a Tavrin.cfg beside the tray, a stand-in
// that counts its starts and stays until Finish.
class CompanionStandIn {
public:
    CompanionStandIn();
    ~CompanionStandIn();
    CompanionStandIn(const CompanionStandIn&) = delete;
    CompanionStandIn& operator=(const CompanionStandIn&) = delete;

    int Starts() const;
    int Running() const;
    // Every running stand-in ends.
    void Finish();

private:
    std::wstring m_log;
    std::wstring m_config;
    UniqueHandle m_finish;
};

// A test with the default notebook loaded, its call log cleared and the
// values an installation writes; no tray is left running afterwards.
class TrayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Asks every tray to stop and expects this one to end with 0.
    void Stop(const Process& tray);

    RegistryValueGuard settings{CSettings::kKeyPath,
                                {L"TavrinControl", L"ShowTrayIcon", L"TavrinVersion", L"DlgDisablerBRG",
                                 L"DlgDisablerVOL", L"DlgDisablerRAD"}};
    RegistryValueGuard branding{
        mobility_center::kKey, {L"OEMName", L"OEMImage", L"TileOrder"}, KEY_WOW64_64KEY};
};
