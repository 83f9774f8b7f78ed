#pragma once
#include "K7_Outline.h"
#include "SliderOSD.h"
#include "VolumeDlg.h"

// Outline style: the speaker (crossed when muted) on a rounded panel and 25
// marks, lit up to the volume step; small or large pictures by the screen size.
class CVolumeDlg4_K7 : public CVolumeDlg, public CSliderOSD, public K7_Outline {
public:
    explicit CVolumeDlg4_K7(HWND owner);
    ~CVolumeDlg4_K7() override;

    void ShowVolumeSteps(int step, int range, bool muted, bool ticksWhileMuted) override;
    // A percentage shown as the nearest step.
    void ShowVolume(int level, int range, bool muted) override;
    const CHoldFade& HoldAndFade() const { return m_holdFade; }

protected:
    BOOL OnInitDialog() override;
    void OnShowDisplay() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    void PlaceOutline();
    void FadeOutline(int percent);

    CHoldFade m_holdFade;
};
