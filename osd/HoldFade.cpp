#include "HoldFade.h"

#include "OsdTimerIds.h"

CHoldFade::CHoldFade(IOsdTimers& timers, UINT_PTR holdId, UINT_PTR fadeId)
    : m_timers(timers), m_holdId(holdId), m_fadeId(fadeId)
{}

void CHoldFade::Stop()
{
    if (m_running != 0) m_timers.StopTimer(m_running);
    m_running = 0;
}

void CHoldFade::Restart()
{
    Stop();
    m_level = 100;
    m_timers.StartTimer(m_holdId, kOsdHoldMs);
    m_running = m_holdId;
}

CHoldFade::Tick CHoldFade::OnTimer(UINT_PTR id)
{
    if (id == 0 || id != m_running) return Tick::None;
    if (id == m_holdId) {
        Stop();
        m_level = 100;
        m_timers.StartTimer(m_fadeId, kOsdFadeStepMs);
        m_running = m_fadeId;
        return Tick::None;
    }
    m_level -= kOsdFadeStepPercent;
    if (m_level > 0) return Tick::Faded;
    m_level = 0;
    Stop();
    return Tick::Finished;
}

void CHoldFade::Reset()
{
    m_running = 0;
    m_level = 100;
}

bool CHoldFade::Step(UINT_PTR id, const std::function<void(int percent)>& fade)
{
    switch (OnTimer(id)) {
    case Tick::Faded:
        fade(m_level);
        return false;
    case Tick::Finished:
        fade(0);
        return true;
    case Tick::None:
        break;
    }
    return false;
}
