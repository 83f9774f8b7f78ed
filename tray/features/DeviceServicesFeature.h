#pragma once
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"

// The Wireless Display key, the audio button, the device rescan and the
// advanced display configuration.
class CDeviceServicesFeature : public ITrayFeature {
public:
    explicit CDeviceServicesFeature(const TrayContext& context);

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;

private:
    void WirelessDisplayFromBios();

    const TrayContext& m_context;
    // One install message at a time: a repeat while it is open does nothing.
    bool m_messageOpen = false;
    CTrayEntry<void()> m_startWirelessDisplay;
    // A box captioned "Tavrin" with the numbered text.
    CTrayEntry<void(UINT stringId)> m_showMessage;
    CTrayEntry<void()> m_openAudioPanel;
    CTrayEntry<void()> m_finishDeviceRescan;
    CTrayEntry<void()> m_showAdvancedDisplayConfiguration;
};
