#pragma once
#include "BrightnessDlg.h"
#include "SliderOSD.h"

// Slider style: the sun panel with the knob at the level's percentage.
class CBrightnessDlg3 : public CBrightnessDlg, public CSliderOSD {
public:
    explicit CBrightnessDlg3(const BrightnessDlgParams& params);
    ~CBrightnessDlg3() override;

    void ShowLevel(int level) override;
    const CHoldFade& HoldAndFade() const { return m_holdFade; }

protected:
    BOOL OnInitDialog() override;
    void OnShowDisplay() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    CHoldFade m_holdFade;
};
