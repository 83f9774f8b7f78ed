#pragma once
#include "SliderOSD.h"
#include "VolumeDlg.h"

// Slider style: the speaker panel (crossed when muted) with the knob at the volume.
class CVolumeDlg3 : public CVolumeDlg, public CSliderOSD {
public:
    explicit CVolumeDlg3(HWND owner);
    ~CVolumeDlg3() override;

    void ShowVolume(int level, int range, bool muted) override;
    const CHoldFade& HoldAndFade() const { return m_holdFade; }

protected:
    BOOL OnInitDialog() override;
    void OnShowDisplay() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    CHoldFade m_holdFade;
};
