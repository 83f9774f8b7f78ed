#pragma once
#include "DispatchTrace.h"

#include <functional>
#include <utility>

template <typename Signature>
class CTrayEntry;

// One of the tray's entry operations: the named action an event is led to.
// Calling it writes its line to the dispatch trace, so no action writes its
// own; an entry without an action (its feature is not there) only leaves the
// line and answers the default value.
template <typename Result, typename... Args>
class CTrayEntry<Result(Args...)> {
public:
    using Action = std::function<Result(Args...)>;

    CTrayEntry(const CDispatchTrace& trace, const char* name, Action action = {})
        : m_trace(trace), m_name(name), m_action(std::move(action))
    {}

    Result operator()(Args... args) const
    {
        m_trace.Entry(m_name, {static_cast<long long>(args)...});
        if (!m_action) return Result();
        return m_action(args...);
    }

    const char* Name() const { return m_name; }

private:
    const CDispatchTrace& m_trace;
    const char* m_name;
    Action m_action;
};
