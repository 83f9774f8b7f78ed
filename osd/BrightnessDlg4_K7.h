#pragma once
#include "BrightnessDlg.h"
#include "K7_Outline.h"
#include "SliderOSD.h"

// Outline style: the sun on a rounded panel and one mark per level, lit up
// to the level; small or large pictures by the screen size.
class CBrightnessDlg4_K7 : public CBrightnessDlg, public CSliderOSD, public K7_Outline {
public:
    explicit CBrightnessDlg4_K7(const BrightnessDlgParams& params);
    ~CBrightnessDlg4_K7() override;

    void ShowLevel(int level) override;
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
