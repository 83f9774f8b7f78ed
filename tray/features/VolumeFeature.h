#pragma once
#include "FeatureComponents.h"
#include "FeatureServices.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"

// The volume and mute keys, the audio callback's notices and the volume display.
class CVolumeFeature : public ITrayFeature, public IAudioPresence {
public:
    // audio: the endpoint callback, or null without one.
    CVolumeFeature(const TrayContext& context, IAudioEndpoint* audio);

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    bool IsAudioPresent() const override { return m_audio != nullptr; }

private:
    // On Vista in the newer style the firmware's volume key while muted only
    // unmutes; the volume notification that follows shows the display.
    void VolumeFromBios();

    const TrayContext& m_context;
    IAudioEndpoint* m_audio;
    // When the volume display is enabled: hide the other displays.
    CTrayEntry<void()> m_hideDisplaysForMute;
    // When audio is present and the volume display enabled.
    CTrayEntry<void()> m_showVolumeDisplay;
    CTrayEntry<void()> m_unmuteAudio;
    CTrayEntry<void(WPARAM volume, LPARAM mute)> m_showVolumeChange;
    CTrayEntry<void()> m_rebindAudioEndpoint;
};
