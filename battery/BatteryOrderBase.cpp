#include "BatteryOrderBase.h"

#include "BatteryClass.h"
#include "SettingNames.h"
#include "Settings.h"

CBatteryOrderBase::CBatteryOrderBase(IBiosCalls& bios, const CSettings& settings)
    : m_bios(bios), m_settings(settings)
{
    QueryHealth();
}

void CBatteryOrderBase::QueryHealth()
{
    if (m_override != 1) {
        CBatteryClass battery(m_bios);
        m_primaryHealth = battery.DoSmi(CBatteryClass::kPrimary, m_primaryPermanentFailure);
        m_secondaryHealth = battery.DoSmi(CBatteryClass::kSecondary, m_secondaryPermanentFailure);
    }
    Select();
}

void CBatteryOrderBase::OverrideHealth(int primaryHealth, int secondaryHealth)
{
    m_override = 1;
    m_primaryHealth = primaryHealth;
    m_secondaryHealth = secondaryHealth;
    Select();
}

void CBatteryOrderBase::OverridePrimaryPermanentFailure(int permanentFailure)
{
    m_override = 1;
    m_primaryPermanentFailure = permanentFailure;
}

int CBatteryOrderBase::SelectBattery(int primaryHealth, int secondaryHealth)
{
    if (primaryHealth < 0 || secondaryHealth < 0) {
        return primaryHealth > secondaryHealth ? CBatteryClass::kPrimary : CBatteryClass::kSecondary;
    }
    return secondaryHealth < primaryHealth ? CBatteryClass::kSecondary : CBatteryClass::kPrimary;
}

void CBatteryOrderBase::Select()
{
    m_selectedBattery = SelectBattery(m_primaryHealth, m_secondaryHealth);
    m_selectedHealth = m_selectedBattery == CBatteryClass::kSecondary ? m_secondaryHealth : m_primaryHealth;
}

const wchar_t* CBatteryOrderBase::SuppressionValueName() const
{
    using namespace setting_names;
    constexpr int kReplace = 0;
    constexpr int kChargingHeldOff = 4;
    const bool secondary = m_selectedBattery == CBatteryClass::kSecondary;
    const wchar_t* replace = secondary ? kDisableBattPopUpSecReplace : kDisableBattPopUpPrimaryReplace;
    const wchar_t* heldOff = secondary ? kDisableBattPopUpSecTf : kDisableBattPopUpPrimaryTf;
    if (m_selectedHealth == kReplace) return replace;
    if (m_selectedHealth == kChargingHeldOff) return heldOff;
    m_settings.WriteDword(replace, 0);
    m_settings.WriteDword(heldOff, 0);
    return nullptr;
}
