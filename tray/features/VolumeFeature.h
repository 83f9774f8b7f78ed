#pragma once
#include "DisplayFlags.h"
#include "FeatureComponents.h"
#include "FeatureServices.h"
#include "OsdWindow.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"
#include "VolumeDlg.h"

#include <memory>

// The volume and mute keys, the audio callback's notices and the volume display.
class CVolumeFeature : public ITrayFeature, public IAudioPresence {
public:
    // audio: the endpoint callback, or null where the tray has none (Windows 8).
    CVolumeFeature(const TrayContext& context, const DisplayFlags& displayFlags,
                   std::unique_ptr<IAudioEndpoint> audio);
    ~CVolumeFeature() override;

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    void Start() override;
    void Stop() override;
    bool IsAudioPresent() const override { return m_audio != nullptr; }
    void SetVolumeDisplayEnabled(bool enabled) override;

private:
    // On Vista in the newer style the firmware's volume key while muted only
    // unmutes; the volume notification that follows shows the display.
    void VolumeFromBios();
    bool VolumeDisplayEnabled() const { return m_displayFlags.volume != 0; }
    void ShowVolume(WPARAM level, LPARAM flags);
    void DrawVolume(int value, bool muted, bool ticksWhileMuted);
    void ReportMuteToFirmware(bool muted);

    const TrayContext& m_context;
    const DisplayFlags& m_displayFlags;
    std::unique_ptr<IAudioEndpoint> m_audio;
    std::unique_ptr<CVolumeDlg> m_display;
    std::unique_ptr<COsdWindow> m_window;
    // When the volume display is enabled: hide the other displays.
    CTrayEntry<void()> m_hideDisplaysForMute;
    // When audio is present and the volume display enabled.
    CTrayEntry<void()> m_showVolumeDisplay;
    CTrayEntry<void()> m_unmuteAudio;
    CTrayEntry<void(WPARAM volume, LPARAM mute)> m_showVolumeChange;
    CTrayEntry<void()> m_rebindAudioEndpoint;
    // What the display is given to draw: percent or steps, muted, ticks while muted.
    CTrayEntry<void(int value, bool muted, bool ticksWhileMuted)> m_drawVolume;
};
