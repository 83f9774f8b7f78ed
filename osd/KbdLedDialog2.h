#pragma once
#include "DibSection.h"
#include "KbdLedDialog.h"
#include "OsdGeometry.h"

// Panel style: the padlock on a small translucent blue panel; Caps Lock,
// Num Lock and Scroll Lock. Closes 2 s after the last key.
class CKbdLedDialog2 : public CKbdLedDialog {
public:
    CKbdLedDialog2(const LockKeyChoice& choice, ILockIndicators& indicators, KeyToggled toggled = {});
    ~CKbdLedDialog2() override;

    bool Refresh(LockKey key, bool fromBios) override;
    void Start() override;

protected:
    UINT PictureFor(LockKey key, bool on) const override;
    UINT IndicatorIcon(LockKey key) const override;
    BOOL OnInitDialog() override;
    void OnShowDisplay() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    void Place();

    osd_geometry::OsdSize m_screen;
    osd_geometry::OsdRect m_place;
    CDibSection m_buffer;
    bool m_timerRunning = false;
};
