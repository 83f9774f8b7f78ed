#pragma once
#include "BatteryOrderBase.h"
#include "FeatureComponents.h"

class CSettings;
class IBiosCalls;

// The battery-health re-check: the health record of both batteries, the
// battery and health the pop-up talks about, and the decision whether the
// pop-up is due (health 0 or 4 and not silenced by the user).
class CBatteryHealthCheck : public IBatteryHealthCheck {
public:
    // The health pop-up as the check drives it.
    class IPopup {
    public:
        virtual ~IPopup() = default;
        // battery: 1 primary, 2 secondary.
        virtual void Show(int battery, int health) = 0;
    };

    // Both healths are read here (the record's construction).
    CBatteryHealthCheck(IBiosCalls& bios, const CSettings& settings, IPopup& popup);

    void RecheckAndWarn() override;
    void ShowHealthWarning() override;

    const CBatteryOrderBase& Record() const { return m_record; }
    // -1 until the first selection.
    int SelectedBattery() const { return m_selectedBattery; }
    int SelectedHealth() const { return m_selectedHealth; }

private:
    void Select();

    const CSettings& m_settings;
    IPopup& m_popup;
    CBatteryOrderBase m_record;
    int m_selectedBattery = -1;
    int m_selectedHealth = -1;
};
