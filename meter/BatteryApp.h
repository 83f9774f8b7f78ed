#pragma once
#include "App.h"
#include "MeterCommandLine.h"
#include "Settings.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// The battery meter program: one sheet per session. A second start forwards
// its PAGE request to the running meter, brings it forward and ends.
class CBatteryPropertySheet;

class CBatteryApp : public CApp {
public:
    static constexpr DWORD kK7Control = 0x8000;

    // alreadyRunning: the meter's mutex existed before this process.
    explicit CBatteryApp(bool alreadyRunning);
    ~CBatteryApp() override;

    DWORD TavrinControl() const { return m_control; }
    LANGID Language() const { return m_language; }

    // What a second start does with the running meter's window: the PAGE
    // request's letter (sent, so it has arrived when this returns), then
    // brought forward. False when no meter window was found.
    static bool ForwardToRunningMeter(const std::wstring& title, const CMeterCommandLine& commandLine);

protected:
    bool InitInstance() override;
    int ExitInstance(int exitCode) override;

private:
    static std::vector<std::wstring> Arguments();
    void ReadFlags();

    bool m_alreadyRunning;
    CSettings m_settings;
    std::unique_ptr<CMeterCommandLine> m_commandLine;
    std::unique_ptr<CBatteryPropertySheet> m_sheet;
    DWORD m_control = 0;
    LANGID m_language = 1033;
};
