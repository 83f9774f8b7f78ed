#pragma once
#include "BatteryOrderBase.h"
#include "PropertyPage.h"

// The classic sheet's "Battery Health" page over the health record: it
// shows the selected battery's main health text each time it becomes active
// and when the tray asks for a refresh.
class CBatteryOrderDlg : public CPropertyPage, public CBatteryOrderBase {
public:
    CBatteryOrderDlg(IBiosCalls& bios, const CSettings& settings);

    // Reads the healths again and shows them.
    void RefreshHealth();
    // The page belongs in the sheet while either battery reports a health.
    bool HasHealth() const { return PrimaryHealth() >= 0 || SecondaryHealth() >= 0; }

protected:
    CBatteryOrderDlg(UINT templateId, IBiosCalls& bios, const CSettings& settings, bool k7);
    BOOL OnInitDialog() override;
    bool OnSetActive() override;

private:
    void ShowHealth();
    bool m_k7;
};
