#pragma once
#include "MessagePreFilter.h"
#include <cstddef>
#include <vector>

// The filters of one thread's message loop, asked in the order they were
// added until one takes the message. Filters add and remove themselves; one
// removed while the chain is being asked is not asked any more.
class CMessageFilterChain {
public:
    static CMessageFilterChain& ForThisThread();

    // Adding a filter that is already in the chain changes nothing.
    void Add(IMessagePreFilter& filter);
    void Remove(IMessagePreFilter& filter);
    bool Contains(const IMessagePreFilter& filter) const;
    std::size_t Count() const { return m_filters.size(); }

    // true when a filter took the message.
    bool Filter(MSG& msg);

private:
    std::vector<IMessagePreFilter*> m_filters;
};
