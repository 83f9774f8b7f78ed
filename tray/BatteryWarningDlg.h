#pragma once
#include "BatteryHealthCheck.h"
#include "Dialog.h"
#include "Static.h"
#include "StaticEx.h"

#include <functional>
#include <string>

// The battery-health pop-up of the classic styles: the battery must be
// replaced (health 0) or is near the end of its life (1), with a link to the
// battery meter's health page, where the warning can also be silenced. It comes
// up in the screen's lower right corner for 20 s and is kept hidden between
// shows.
class CBatteryWarningDlg : public CDialog, public CBatteryHealthCheck::IPopup {
public:
    static constexpr UINT kDisplayMs = 20 * 1000;
    // After the link: closes at once, on the timer as always.
    static constexpr UINT kCloseNowMs = 10;

    using MeterLauncher = std::function<void(const std::wstring& arguments)>;
    explicit CBatteryWarningDlg(MeterLauncher launchMeter);

    void Show(int battery, int health) override;

    // The battery meter opens on its health page, for the named battery.
    static std::wstring MeterArguments(int battery);

protected:
    BOOL OnInitDialog() override;
    INT_PTR DialogMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnTimer(UINT_PTR id) override;
    // Enter: as the link.
    void OnOK() override { OpenMeter(); }
    void OnCancel() override { Close(); }

    // The texts and icons for the health; false when there is nothing to show
    // for it.
    virtual bool SetUpTexts();
    // Topmost, 50 px from the right and 100 px from the bottom of the screen.
    virtual void Place();
    void PlaceAt(int width, int height);

    int Health() const { return m_health; }
    // As the template first made it.
    int WindowWidth() const { return m_width; }
    int WindowHeight() const { return m_height; }
    void ShowIcon(bool replace);

    CStatic m_body;
    CStaticEx m_link;

private:
    void Present();
    void OpenMeter();
    void Close();

    MeterLauncher m_launchMeter;
    CStatic m_replaceIcon;
    CStatic m_endOfLifeIcon;
    int m_battery = -1;
    int m_health = -1;
    bool m_presented = false;
    int m_width = 0;
    int m_height = 0;
};
