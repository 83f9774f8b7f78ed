#pragma once
#include "AudioEndpointVolumeCallback.h"
#include "FeatureComponents.h"

#include <wrl/client.h>

// The tray's audio endpoint callback: made when the main window exists, in
// the variant of the display style, and let go at shutdown.
class CTrayAudio : public IAudioEndpoint {
public:
    // newerStyle: the outline style, which counts the volume in steps.
    CTrayAudio(bool newerStyle, bool osdEnabled, bool keepMuteOnDown);
    ~CTrayAudio() override;
    CTrayAudio(const CTrayAudio&) = delete;
    CTrayAudio& operator=(const CTrayAudio&) = delete;

    void Start(HWND window) override;
    void Stop() override;
    bool IsMuted() const override;
    void SetOsdEnabled(bool enabled) override;
    void PostCurrentVolume() override;
    void UnmuteAndPostVolume() override;
    void Rebind() override;

private:
    const bool m_newerStyle;
    bool m_osdEnabled;
    const bool m_keepMuteOnDown;
    Microsoft::WRL::ComPtr<CAudioEndpointVolumeCallback> m_callback;
};
