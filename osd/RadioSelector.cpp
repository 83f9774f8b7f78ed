#include "RadioSelector.h"

void CRadioSelector::Begin(int availability)
{
    if (!m_active) return;
    if (availability == 0) {
        m_active = false;
        return;
    }
    m_selection = -1;
    m_changed = false;
}

void CRadioSelector::Press(bool radiosOn)
{
    if (!m_active) return;
    if (m_selection == -1) {
        m_selection = radiosOn ? 1 : 0;
        m_changed = false;
    } else {
        m_changed = true;
        m_selection = m_selection == 1 ? 0 : 1;
    }
}

bool CRadioSelector::ShowsOn(bool radiosOn) const
{
    return m_active ? m_selection == 1 : radiosOn;
}

bool CRadioSelector::TakeChoice(bool& on)
{
    if (!m_active || !m_changed) return false;
    // Carried out once: a window that closes again without a new key leaves it.
    m_changed = false;
    on = m_selection == 1;
    return true;
}
