#pragma once
#include "LaunchButtonExecutor.h"
#include "PellickFunctions.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class IBiosCalls;

// Carries out the function assigned to the launch button. The tray owns one
// for the button and the display-off button, the manager one for its list of
// offered functions and its "Run" test. Main thread only.
class CPellick : public ILaunchButtonExecutor {
public:
    // Reads the assignment, asks the firmware whether it can type keys itself
    // and looks for the optional programs.
    explicit CPellick(IBiosCalls& bios);
    ~CPellick() override;
    CPellick(const CPellick&) = delete;
    CPellick& operator=(const CPellick&) = delete;

    bool Execute() override;
    bool ManagerStarted() const override { return m_managerStarted; }
    void ToggleDisplay() override;
    int MonitorState() const override { return m_monitorState; }
    void SetMonitorState(int state) override;
    void ResetSuspend() override { m_suspended = false; }
    void Attach(HWND window) override;

    // Fills the list of functions the manager offers.
    void BuildOfferList();
    const std::vector<uint32_t>& OfferList() const { return m_offered; }

    uint32_t AssignedFunction() const { return m_function; }
    bool Suspended() const { return m_suspended; }
    bool BiosTypesKeys() const { return m_biosKeys; }
    uint64_t MonitorStateTime() const { return m_monitorStateTime; }

private:
    bool StartManager();
    bool ToggleMute();
    bool Hibernate();
    bool Sleep();
    bool EjectOpticalDrive();
    // The browser's refresh key or Alt+F4, typed by the firmware when it can.
    bool TypeKey(WORD scanCode, WORD modifier, const std::vector<WORD>& virtualKeys);
    bool ConnectToNetwork();
    bool BringOrStartCharacterMap();
    bool TogglePresentationMode();
    bool BringLumaraForward();
    bool OpenProgram();
    bool OpenWebSite();
    // The manager opens so the user can complete the assignment.
    bool AssignAndStartManager(uint32_t function);

    std::vector<uint32_t> m_offered;
    bool m_managerStarted = false;
    uint32_t m_function = pellick::kNotAssigned;
    bool m_suspended = false;
    std::wstring m_program;
    std::wstring m_webAddress;
    std::wstring m_wirelessDisplay;
    std::wstring m_mediaCenter;
    HPOWERNOTIFY m_monitorNotify = nullptr;
    uint64_t m_monitorStateTime = 0;
    int m_monitorState = 1;
    bool m_biosKeys = false;
    IBiosCalls& m_bios;
};
