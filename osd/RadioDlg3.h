#pragma once
#include "RadioDlg.h"
#include "ShowBitmap.h"

// Bitmap style: the on and off tiles, the radios' state (or the selector's
// choice) lit, near the bottom right corner; held 2.5 s and faded out. With
// the selector, a changed choice is carried out once the display has faded.
class CRadioDlg3 : public CRadioDlg, public CShowBitmap {
public:
    explicit CRadioDlg3(const RadioDlgParams& params);
    ~CRadioDlg3() override;

    void Refresh() override;
    void Start() override;
    const CHoldFade& HoldAndFade() const { return m_holdFade; }

protected:
    BOOL OnInitDialog() override;
    void OnShowDisplay() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    CHoldFade m_holdFade;
};
