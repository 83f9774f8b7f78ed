#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

class CHotkeyDispatcher;
class ITrayEntries;

// Routes the main window's other inputs: the key message, registered
// messages from the suite's programs and the tray's own workers, power
// notifications (with the resume sequence) and timers. The window passes
// each message here before its default processing.
class CTrayEventRouter {
public:
    static constexpr UINT kBacklightSupportMessage = WM_APP + 0x66;
    static constexpr UINT_PTR kTrayClickTimer = 1032;
    static constexpr UINT_PTR kEblEvaluationTimer = 0x7FFF;
    static constexpr UINT_PTR kIntelligentDisplayTimer = 32787;
    static constexpr UINT_PTR kResumeTimer = 33272;              // ID_TIMER_S3S4_RESUME
    static constexpr UINT_PTR kDisplayOffIndicatorTimer = 33273; // ID_TIMER_DISPLAYOFFLED
    static constexpr UINT kResumeTimerMs = 1000;

    // Registers the message names it answers; construct it with the window.
    CTrayEventRouter(ITrayEntries& entries, CHotkeyDispatcher& hotkeys);
    CTrayEventRouter(const CTrayEventRouter&) = delete;
    CTrayEventRouter& operator=(const CTrayEventRouter&) = delete;

    // true when the message was one of the routed ones (the window still
    // does its default processing).
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    // true when the timer is one of the routed ones.
    bool OnTimer(UINT_PTR id);

    bool IsSuspended() const { return m_suspended; }

private:
    using Handler = void (*)(CTrayEventRouter&, WPARAM, LPARAM);
    struct RegisteredName {
        const wchar_t* name;
        Handler handler;
    };
    struct Registered {
        UINT number;
        Handler handler;
    };
    static const RegisteredName kRegisteredNames[];
    struct TimerRoute {
        UINT_PTR id;
        void (ITrayEntries::*expiry)();
    };
    static const TimerRoute kTimers[];

    bool OnRegisteredMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnPowerBroadcast(WPARAM event, LPARAM data);
    void OnMonitorPower(const POWERBROADCAST_SETTING* setting);
    void OnPowerSourceChange();
    void OnSuspend();
    void OnResume();
    void OnServiceMessage(WPARAM request, LPARAM flags);
    void OnResumeTimer();

    ITrayEntries& m_entries;
    CHotkeyDispatcher& m_hotkeys;
    std::vector<Registered> m_registered;
    bool m_suspended = false;
};
