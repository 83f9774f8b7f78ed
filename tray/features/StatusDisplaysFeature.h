#pragma once
#include "FeatureServices.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"
#include "UniqueHandle.h"

// The lock keys, the eject key and the ambient light sensor, each with its display.
class CStatusDisplaysFeature : public ITrayFeature {
public:
    explicit CStatusDisplaysFeature(const TrayContext& context);

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    // The keyboard-light support report, made during start-up and on request.
    void RecheckKeyboardBacklightSupport() { m_recheckKeyboardBacklight(); }

    // Serialises the eject worker: one eject at a time.
    HANDLE EjectEvent() const { return m_ejectEvent.get(); }

private:
    void RouteBoth(CTrayDispatcher& dispatcher, uint16_t code,
                   void (CStatusDisplaysFeature::*show)(int, bool));
    void ShowCapsLock(int, bool fromBios);
    void ShowNumLock(int, bool fromBios);
    void ShowAmbientLight(int state, bool fromBios) { m_showAmbientLight(state, fromBios); }

    const TrayContext& m_context;
    UniqueHandle m_ejectEvent;
    CTrayEntry<void(int indicator, bool fromBios)> m_showLockKey;
    CTrayEntry<void()> m_eject;
    CTrayEntry<void(int state, bool fromBios)> m_showAmbientLight;
    CTrayEntry<void()> m_recheckKeyboardBacklight;
};
