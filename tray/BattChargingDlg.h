#pragma once
#include "BatteryChargeControl.h"
#include "Dialog.h"
#include "FeatureComponents.h"
#include "Static.h"
#include "StaticEx.h"
#include "UniqueHandle.h"

#include <functional>

class IBiosCalls;

// The notice that the firmware holds battery charging off: a small rounded
// pop-up in the screen's lower right corner with a link to the battery
// meter. It waits for the user's desktop (not over the logon screen), stays
// 5 s and goes; the window is kept hidden between shows.
class CBattChargingDlg : public CDialog, public IChargingNotice {
public:
    static constexpr COLORREF kBackground = 0xC7F4FF;
    static constexpr COLORREF kTextColour = 0x15B2FD;
    static constexpr UINT kDesktopCheckMs = 1000;
    static constexpr UINT kDisplayMs = 5000;

    using MeterLauncher = std::function<void()>;
    using DesktopCheck = std::function<bool()>;
    // Asks the firmware once whether it can hold charging off.
    CBattChargingDlg(IBiosCalls& bios, MeterLauncher launchMeter, DesktopCheck inputDesktopAvailable);

    // Shows the notice when the firmware says charging is held off now.
    void CheckAndShow() override;
    void Hide() override;

    struct Layout {
        SIZE window;
        POINT origin; // on the screen
    };
    // The window fits the text beside the icon, and is never narrower than
    // 250 px; it sits a quarter of its width in from the right edge and
    // three of its heights up from the bottom.
    static Layout LayoutFor(SIZE text, int averageCharWidth, SIZE icon, const RECT& screen);

protected:
    BOOL OnInitDialog() override;
    INT_PTR DialogMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnTimer(UINT_PTR id) override;
    void OnOK() override { OpenMeter(); }
    void OnCancel() override { Hide(); }

private:
    void Present();
    void Arrange();
    void OpenMeter();

    BatteryChargeControl m_chargeControl;
    MeterLauncher m_launchMeter;
    DesktopCheck m_inputDesktopAvailable;
    CStatic m_icon;
    CStatic m_text;
    CStaticEx m_link;
    UniqueGdiObject m_background;
};
