#include "BatteryHealthCheck.h"

#include "BatteryClass.h"
#include "Settings.h"

namespace {

constexpr int kReplace = 0;
constexpr int kChargingHeldOff = 4;

} // namespace

CBatteryHealthCheck::CBatteryHealthCheck(IBiosCalls& bios, const CSettings& settings, IPopup& popup)
    : m_settings(settings), m_popup(popup), m_record(bios, settings)
{
    Select();
}

void CBatteryHealthCheck::RecheckAndWarn()
{
    m_record.QueryHealth();
    Select();
    ShowHealthWarning();
}

void CBatteryHealthCheck::ShowHealthWarning()
{
    // Asked first in every case: for a health that warns of nothing the
    // record sets the battery's values back to 0, which re-arms the warning.
    const wchar_t* value = m_record.SuppressionValueName();
    if (m_selectedHealth != kReplace && m_selectedHealth != kChargingHeldOff) return;
    if (value == nullptr || m_settings.ReadDword(value, 0) != 0) return;
    m_popup.Show(m_selectedBattery, m_selectedHealth);
}

void CBatteryHealthCheck::Select()
{
    m_selectedBattery
        = CBatteryOrderBase::SelectBattery(m_record.PrimaryHealth(), m_record.SecondaryHealth());
    m_selectedHealth = m_selectedBattery == CBatteryClass::kSecondary ? m_record.SecondaryHealth()
                                                                      : m_record.PrimaryHealth();
}
