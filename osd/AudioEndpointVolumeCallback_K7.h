#pragma once
#include "AudioEndpointVolumeCallback.h"

// The newer display family's endpoint watch: the volume moves and is shown
// in 25 steps of 4 %. A change Windows reports is snapped to the next step
// in its direction (so one key press is always one whole step), written
// back under the tray's own context and posted as the step, only when the
// step or the mute state differs from what was posted last.
class CAudioEndpointVolumeCallback_K7 : public CAudioEndpointVolumeCallback {
public:
    static constexpr int kSteps = 25;

    explicit CAudioEndpointVolumeCallback_K7(HWND mainWindow);

    HRESULT STDMETHODCALLTYPE OnNotify(PAUDIO_VOLUME_NOTIFICATION_DATA data) override;

    void ReadCurrentState() override;
    void PostCurrentVolume() override;
    void UnmuteAndPostVolume() override;

    float LastScalar() const;

    // Whole part, plus one when the first decimal is 5 or more; 0 for
    // anything below zero or not a number.
    static int Round(double value);
    // The percentage after a change from oldScalar to newScalar, moved to
    // the next step in the direction of the change when snapping.
    static int SnappedPercent(float oldScalar, float newScalar, bool snap);

protected:
    ~CAudioEndpointVolumeCallback_K7() override = default;

private:
    // Posts the step of lastScalar and the mute state when either changed
    // (or always, when forced); the caller holds the lock.
    void PostIfChanged(bool always = false);

    float m_lastScalar = 0.0f;
    // What was posted last; none yet at first.
    int m_postedStep = -1;
    int m_postedMuted = -1;
};
