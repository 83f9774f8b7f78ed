#include "TrayDispatcher.h"

#include "MessageCatalogue.h"
#include "OemKeyTable.h"
#include "TimerHost.h"

#include <algorithm>
#include <cstdio>

namespace {

// Models whose keys the firmware reports itself: keys from the keyboard would double them.
constexpr uint16_t kKeylessSystems[] = {744, 746, 747};

std::string Hex(uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%04llX", value);
    return text;
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

template <typename Routes, typename Key>
auto FindRoute(Routes& routes, Key key, Key Routes::value_type::*field)
{
    return std::find_if(routes.begin(), routes.end(), [&](const auto& r) { return r.*field == key; });
}

} // namespace

CTrayDispatcher::CTrayDispatcher(const CDispatchTrace& trace, ITimerHost& timers, uint16_t systemId)
    : m_trace(trace), m_timers(timers), m_systemId(systemId)
{}

CTrayDispatcher::CodeRoute* CTrayDispatcher::CodeRouteFor(uint16_t code, const char* source)
{
    if (std::find(kOemKeyCodes.begin(), kOemKeyCodes.end(), code) == kOemKeyCodes.end()) {
        Refuse(std::string(source) + " route for " + Hex(code) + ", which is not in the OEM key table");
        return nullptr;
    }
    auto it = FindRoute(m_codes, code, &CodeRoute::code);
    if (it != m_codes.end()) return &*it;
    m_codes.push_back({code, {}, {}});
    return &m_codes.back();
}

bool CTrayDispatcher::RouteKey(uint16_t code, KeyAction action)
{
    CodeRoute* route = CodeRouteFor(code, "key");
    if (route == nullptr) return false;
    if (route->key) {
        Refuse("key " + Hex(code) + " taken twice");
        return false;
    }
    route->key = std::move(action);
    return true;
}

bool CTrayDispatcher::RouteBios(uint16_t code, BiosAction action)
{
    CodeRoute* route = CodeRouteFor(code, "firmware");
    if (route == nullptr) return false;
    if (route->bios) {
        Refuse("firmware code " + Hex(code) + " taken twice");
        return false;
    }
    route->bios = std::move(action);
    return true;
}

bool CTrayDispatcher::TakeMessage(UINT message, MessageAction action, const std::wstring& what)
{
    if (message == 0) {
        // A registration that failed matches nothing; not a fault of the route.
        return false;
    }
    if (FindRoute(m_messages, message, &MessageRoute::message) != m_messages.end()) {
        Refuse("message " + Narrow(what) + " taken twice");
        return false;
    }
    m_messages.push_back({message, std::move(action)});
    return true;
}

bool CTrayDispatcher::RouteRegistered(const wchar_t* name, MessageAction action)
{
    return TakeMessage(messages::Register(name), std::move(action), name);
}

bool CTrayDispatcher::RouteWindowMessage(UINT message, MessageAction action)
{
    return TakeMessage(message, std::move(action), std::to_wstring(message));
}

bool CTrayDispatcher::RoutePower(WPARAM event, PowerAction action)
{
    if (FindRoute(m_power, event, &PowerRoute::event) != m_power.end()) {
        Refuse("power event " + Hex(event) + " taken twice");
        return false;
    }
    m_power.push_back({event, std::move(action)});
    return true;
}

bool CTrayDispatcher::RouteTimer(TimerId id, TimerAction action, TimerStop stop)
{
    if (FindRoute(m_timerRoutes, id, &TimerRoute::id) != m_timerRoutes.end()) {
        Refuse("timer " + std::to_string(TimerNumber(id)) + " taken twice");
        return false;
    }
    m_timerRoutes.push_back({id, std::move(action), stop});
    return true;
}

bool CTrayDispatcher::RouteCommand(UINT command, KeyAction action)
{
    if (FindRoute(m_commands, command, &MessageRoute::message) != m_commands.end()) {
        Refuse("command " + std::to_string(command) + " taken twice");
        return false;
    }
    m_commands.push_back({command, [action = std::move(action)](WPARAM, LPARAM) { action(); }});
    return true;
}

void CTrayDispatcher::DispatchKeyMessage(WPARAM scanCode, LPARAM extended)
{
    const bool inRange = scanCode <= 0xFF;
    DispatchKey(inRange ? OemKeyCode(static_cast<uint32_t>(scanCode), extended != 0) : 0);
}

void CTrayDispatcher::DispatchKey(uint16_t code)
{
    m_trace.Code(L"key", code);
    if (IsKeylessSystem()) return;
    auto it = FindRoute(m_codes, code, &CodeRoute::code);
    if (it != m_codes.end() && it->key) it->key();
}

void CTrayDispatcher::OnBiosEvent(uint16_t code, uint16_t arg1, uint16_t arg2, uint16_t arg3, uint16_t arg4)
{
    m_trace.Code(L"bios", code, {arg1, arg2, arg3, arg4});
    auto it = FindRoute(m_codes, code, &CodeRoute::code);
    if (it != m_codes.end() && it->bios) it->bios(BiosEventCode{code, arg1, arg2, arg3, arg4});
}

bool CTrayDispatcher::DispatchMessage(UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_POWERBROADCAST) {
        auto it = FindRoute(m_power, wp, &PowerRoute::event);
        if (it != m_power.end()) it->action(lp);
        return true;
    }
    auto it = FindRoute(m_messages, message, &MessageRoute::message);
    if (it == m_messages.end()) return false;
    it->action(wp, lp);
    return true;
}

bool CTrayDispatcher::DispatchTimer(UINT_PTR id)
{
    auto it = std::find_if(m_timerRoutes.begin(), m_timerRoutes.end(),
                           [id](const TimerRoute& r) { return TimerNumber(r.id) == id; });
    if (it == m_timerRoutes.end()) return false;
    if (it->stop == TimerStop::BeforeExpiry) StopTimer(it->id);
    it->action();
    return true;
}

bool CTrayDispatcher::DispatchCommand(UINT command)
{
    auto it = FindRoute(m_commands, command, &MessageRoute::message);
    if (it == m_commands.end()) return false;
    it->action(0, 0);
    return true;
}

void CTrayDispatcher::StartTimer(TimerId id, UINT elapseMs)
{
    m_trace.Entry("StartTimer", {static_cast<long long>(TimerNumber(id)), elapseMs});
    m_timers.StartTimer(TimerNumber(id), elapseMs);
}

void CTrayDispatcher::StopTimer(TimerId id)
{
    m_trace.Entry("StopTimer", {static_cast<long long>(TimerNumber(id))});
    m_timers.StopTimer(TimerNumber(id));
}

bool CTrayDispatcher::IsKeylessSystem() const
{
    return std::find(std::begin(kKeylessSystems), std::end(kKeylessSystems), m_systemId)
           != std::end(kKeylessSystems);
}
