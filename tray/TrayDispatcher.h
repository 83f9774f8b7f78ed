#pragma once
#include "BiosEventParser.h"
#include "BiosEventTarget.h"
#include "DispatchTrace.h"
#include "TimerIds.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class ITimerHost;

// The one place every input of the tray's main window is led to a feature:
// OEM keys and firmware events (one code space), registered messages, fixed
// window messages, power notifications, timers and menu commands. Features register their
// routes at start-up; a key or firmware code outside the OEM key table, or
// anything taken twice, is refused and noted in RouteErrors(). Each code
// taken is written to the dispatch trace here. Runs on the main thread.
class CTrayDispatcher : public IBiosEventTarget {
public:
    using KeyAction = std::function<void()>;
    using BiosAction = std::function<void(const BiosEventCode&)>;
    using MessageAction = std::function<void(WPARAM, LPARAM)>;
    using PowerAction = std::function<void(LPARAM data)>;
    using TimerAction = std::function<void()>;
    // Most timers are stopped before their expiry runs; some decide themselves.
    enum class TimerStop { BeforeExpiry, ByAction };

    // Keys from the keyboard are dropped on systems whose firmware reports them itself.
    CTrayDispatcher(const CDispatchTrace& trace, ITimerHost& timers, uint16_t systemId);
    CTrayDispatcher(const CTrayDispatcher&) = delete;
    CTrayDispatcher& operator=(const CTrayDispatcher&) = delete;

    bool RouteKey(uint16_t code, KeyAction action);
    bool RouteBios(uint16_t code, BiosAction action);
    bool RouteRegistered(const wchar_t* name, MessageAction action);
    bool RouteWindowMessage(UINT message, MessageAction action);
    bool RoutePower(WPARAM event, PowerAction action);
    bool RouteTimer(TimerId id, TimerAction action, TimerStop stop = TimerStop::BeforeExpiry);
    // A menu command of the tray's own menus.
    bool RouteCommand(UINT command, KeyAction action);
    // What was refused at registration; empty when every route was taken.
    const std::vector<std::string>& RouteErrors() const { return m_errors; }

    // The key reader's message: wParam the scan code, lParam 1 for an E0-prefixed key.
    void DispatchKeyMessage(WPARAM scanCode, LPARAM extended);
    // A key's event code; 0 (a key outside the table) does nothing.
    void DispatchKey(uint16_t code);
    void OnBiosEvent(uint16_t code, uint16_t arg1, uint16_t arg2, uint16_t arg3, uint16_t arg4) override;
    // true when the message was routed (the window still does its default processing).
    bool DispatchMessage(UINT message, WPARAM wp, LPARAM lp);
    // true when the timer was routed.
    bool DispatchTimer(UINT_PTR id);
    // true when the command was routed.
    bool DispatchCommand(UINT command);

    void StartTimer(TimerId id, UINT elapseMs);
    void StopTimer(TimerId id);
    const CDispatchTrace& Trace() const { return m_trace; }

private:
    struct CodeRoute {
        uint16_t code;
        KeyAction key;
        BiosAction bios;
    };
    struct MessageRoute {
        UINT message;
        MessageAction action;
    };
    struct PowerRoute {
        WPARAM event;
        PowerAction action;
    };
    struct TimerRoute {
        TimerId id;
        TimerAction action;
        TimerStop stop;
    };

    CodeRoute* CodeRouteFor(uint16_t code, const char* source);
    bool TakeMessage(UINT message, MessageAction action, const std::wstring& what);
    void Refuse(const std::string& why) { m_errors.push_back(why); }
    bool IsKeylessSystem() const;

    const CDispatchTrace& m_trace;
    ITimerHost& m_timers;
    uint16_t m_systemId;
    std::vector<CodeRoute> m_codes;
    std::vector<MessageRoute> m_messages;
    std::vector<PowerRoute> m_power;
    std::vector<TimerRoute> m_timerRoutes;
    std::vector<MessageRoute> m_commands;
    std::vector<std::string> m_errors;
};
