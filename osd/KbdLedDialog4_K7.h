#pragma once
#include "K7_Outline.h"
#include "KbdLedDialog3.h"

// Outline style: the padlock centred on a small or large status panel at
// the bottom right, its corners cut out.
class CKbdLedDialog4_K7 : public CKbdLedDialog3, public K7_Outline {
public:
    CKbdLedDialog4_K7(const LockKeyChoice& choice, ILockIndicators& indicators, KeyToggled toggled = {});
    ~CKbdLedDialog4_K7() override;

protected:
    UINT PictureFor(LockKey key, bool on) const override;
    void PlaceDisplay() override;
    osd_geometry::OsdRect DisplayPlace() const override { return m_place; }
    bool ScreenChanged() const override;
    void DrawDisplay() override;
    void FadeDisplay(int percent) override;

private:
    osd_geometry::OsdSize m_screen;
    osd_geometry::OsdRect m_place;
};
