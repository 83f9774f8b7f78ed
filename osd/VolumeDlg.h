#pragma once
#include "OsdDialog.h"

// The volume display family: shown by the tray when the audio endpoint
// reports a new volume or mute state.
class CVolumeDlg : public COsdDialog {
public:
    static constexpr UINT kTemplateId = 314;
    // The range the tray passes with a percentage (0..100).
    static constexpr int kPercentRange = 101;

    explicit CVolumeDlg(HWND owner);

    // The outline display's volume in steps 0..25; the others show percentages only.
    virtual void ShowVolumeSteps(int /*step*/, int /*range*/, bool /*muted*/, bool /*ticksWhileMuted*/) {}
    // A volume 0..range - 1 (range 101 for percentages).
    virtual void ShowVolume(int level, int range, bool muted) = 0;
};
