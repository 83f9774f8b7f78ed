#pragma once
#include "HoldFade.h"
#include "KbdLedDialog.h"
#include "ShowBitmap.h"

// Bitmap style: a tile of the padlock near the bottom right corner, held
// and faded. Caps Lock and Num Lock only.
class CKbdLedDialog3 : public CKbdLedDialog, public CShowBitmap {
public:
    CKbdLedDialog3(const LockKeyChoice& choice, ILockIndicators& indicators, KeyToggled toggled = {});
    ~CKbdLedDialog3() override;

    bool Refresh(LockKey key, bool fromBios) override;
    void Start() override;
    const CHoldFade& HoldAndFade() const { return m_holdFade; }

protected:
    UINT PictureFor(LockKey key, bool on) const override;
    UINT IndicatorIcon(LockKey key) const override;
    BOOL OnInitDialog() override;
    void OnShowDisplay() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

    // The picture drawn and its fade step; the outline style draws its own.
    virtual void PlaceDisplay();
    virtual osd_geometry::OsdRect DisplayPlace() const { return BitmapPlace(); }
    virtual bool ScreenChanged() const;
    virtual void DrawDisplay();
    virtual void FadeDisplay(int percent);

private:
    CHoldFade m_holdFade;
};
