#pragma once
#include <windows.h>

#include <wrl/client.h>

#include "BiosEvent.h"

class CWmiBrightnessEventSink;

// The firmware-event subscription plus, on the same root\wmi connection,
// the monitor's brightness events, posted to `window` as the registered
// "Tavrin - BRIGHTNESS_CHANGE". Made on the main window's thread, as
// CBiosEvent; failures leave the brightness events unsubscribed.
class CWmiEvent : public CBiosEvent {
public:
    CWmiEvent(IBiosEventTarget* target, HWND window);
    ~CWmiEvent() override;

    bool IsWatchingBrightness() const { return m_brightnessSubscribed; }

private:
    Microsoft::WRL::ComPtr<CWmiBrightnessEventSink> m_brightnessSink;
    bool m_brightnessSubscribed = false;
};
