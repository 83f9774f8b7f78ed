#include "MessageFilterChain.h"
#include <algorithm>

CMessageFilterChain& CMessageFilterChain::ForThisThread()
{
    thread_local CMessageFilterChain chain;
    return chain;
}

void CMessageFilterChain::Add(IMessagePreFilter& filter)
{
    if (!Contains(filter)) m_filters.push_back(&filter);
}

void CMessageFilterChain::Remove(IMessagePreFilter& filter)
{
    m_filters.erase(std::remove(m_filters.begin(), m_filters.end(), &filter), m_filters.end());
}

bool CMessageFilterChain::Contains(const IMessagePreFilter& filter) const
{
    return std::find(m_filters.begin(), m_filters.end(), &filter) != m_filters.end();
}

bool CMessageFilterChain::Filter(MSG& msg)
{
    // A filter may remove (and so destroy) itself or others while it is
    // asked: walk a copy and skip those gone meanwhile.
    const std::vector<IMessagePreFilter*> asked = m_filters;
    for (IMessagePreFilter* filter : asked) {
        if (Contains(*filter) && filter->PreTranslateMessage(msg)) return true;
    }
    return false;
}
