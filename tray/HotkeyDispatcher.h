#pragma once
#include "BiosEventParser.h"
#include "BiosEventTarget.h"
#include "KeyForwarder.h"

#include <windows.h>

#include <cstdint>
#include <optional>

class CDispatchTrace;
class ITrayEntries;

// Routes OEM key codes from the keyboard and from the firmware to the main
// window's entries. Both sources share one code space; a code outside the
// OEM key table does nothing. Runs on the main thread.
class CHotkeyDispatcher : public IBiosEventTarget {
public:
    static constexpr UINT_PTR kDisplaySwitchTimer = 32766;  // ID_TIMER_DISPLAY_SWITCH
    static constexpr UINT kDisplaySwitchCommitMs = 500;
    static constexpr uint64_t kButtonDebounceMs = 500;

    CHotkeyDispatcher(ITrayEntries& entries, CKeyForwarder& forwarder);
    CHotkeyDispatcher(const CHotkeyDispatcher&) = delete;
    CHotkeyDispatcher& operator=(const CHotkeyDispatcher&) = delete;

    // Each code taken from either source is written to the trace from now on.
    void SetTrace(const CDispatchTrace* trace) { m_trace = trace; }

    void OnKeyMessage(WPARAM scanCode, LPARAM extended);
    // A key's event code; 0 (a key outside the table) does nothing.
    void OnKey(uint16_t code);
    void OnBiosEvent(uint16_t code, uint16_t arg1, uint16_t arg2, uint16_t arg3,
                     uint16_t arg4) override;

    // Battery-health re-check and battery-meter refresh; lets the next
    // battery-meter key through again.
    void RefreshBatteryMeter();
    // Set while a display-off press is handled, so that the monitor-power
    // change it causes is not taken for an outside one.
    bool IsDisplayOffBusy() const { return m_displayOffBusy; }

private:
    using KeyAction = void (*)(CHotkeyDispatcher&, uint16_t code);
    using BiosAction = void (*)(CHotkeyDispatcher&, const BiosEventCode&);
    struct Route {
        uint16_t code;
        KeyAction key;
        BiosAction bios;
    };
    static const Route* FindRoute(uint16_t code);
    static const Route kRoutes[];

    bool IsKeylessSystem() const;
    void DisplaySwitchPressed(uint16_t arg1, uint16_t arg2, uint16_t arg3, bool fromBios);
    void DisplaySwitchReleased();
    void VolumeFromBios();
    void WirelessDisplayFromBios();
    void DesktopModeFromBios();
    void LaunchButton();
    void DisplayOffButton();
    bool DebouncePress(std::optional<uint64_t>& lastPress);

    ITrayEntries& m_entries;
    CKeyForwarder& m_forwarder;
    const CDispatchTrace* m_trace = nullptr;
    std::optional<uint64_t> m_lastLaunchPress;
    std::optional<uint64_t> m_lastDisplayOffPress;
    bool m_displayOffBusy = false;
};
