#pragma once
#include "Control.h"
#include "ProgressBar.h"

#include <windows.h>

#include <string>

class CDialog;
class CStatusIcons;

// The controls of one battery on a page (group, icon, label, status, bar,
// percent, charge time), numbered from the block's first id in the order of
// MeterIds.h. The icon is a flat button on the classic status page, where a
// click opens the battery's information, and a static elsewhere.
class CBatteryBlock {
public:
    CBatteryBlock(CDialog& page, UINT firstId, bool iconIsButton);

    // What one battery shows.
    struct Values {
        int percent = 0;
        UINT statusText = 0; // 0: none
        int icon = 0; // meter_display::Icon
        bool chargeTime = false;
        int minutes = 0;
    };

    // The fixed texts, when the page opens.
    void SetTexts(UINT groupText);
    void Show(const Values& values, const CStatusIcons& icons);
    // No battery: its controls hidden, texts cleared, the bar at 0; with
    // icons, the icon stays and shows the missing battery.
    void ShowAbsent(const CStatusIcons* icons = nullptr);

    UINT IconId() const { return m_icon.Id(); }

private:
    void ShowControls(bool show);
    void SetIcon(HICON icon);

    bool m_iconIsButton;
    CControl m_group;
    CControl m_icon;
    CControl m_label;
    CControl m_status;
    CProgressBar m_progress;
    CControl m_percent;
    CControl m_timeLabel;
    CControl m_time;
};
