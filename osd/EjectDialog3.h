#pragma once
#include "EjectDialog.h"
#include "HoldFade.h"
#include "ShowBitmap.h"

// Bitmap style (also the outline style's): the eject symbol near the
// bottom right corner, held and faded.
class CEjectDialog3 : public CEjectDialog, public CShowBitmap {
public:
    CEjectDialog3();
    ~CEjectDialog3() override;

    void ShowEject() override;
    const CHoldFade& HoldAndFade() const { return m_holdFade; }

protected:
    BOOL OnInitDialog() override;
    void OnShowDisplay() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    CHoldFade m_holdFade;
};
