#pragma once
#include "FeatureServices.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"
#include "UniqueHandle.h"

// The lock keys, the radio switch, the keyboard light, the eject key and the
// ambient light sensor, each with its display.
class CStatusDisplaysFeature : public ITrayFeature, public IExitDismissal {
public:
    explicit CStatusDisplaysFeature(const TrayContext& context);

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    // The keyboard-light support report, made during start-up and on request.
    void RecheckKeyboardBacklightSupport() { m_recheckKeyboardBacklight(); }
    void HideForExit() override { m_hideRadioDisplay(); }

    // Serialises the eject worker: one eject at a time.
    HANDLE EjectEvent() const { return m_ejectEvent.get(); }

private:
    void RouteBoth(CTrayDispatcher& dispatcher, uint16_t code,
                   void (CStatusDisplaysFeature::*show)(int, bool));
    void ShowCapsLock(int, bool fromBios);
    void ShowNumLock(int, bool fromBios);
    void ShowKeyboardLight(int level, bool fromBios) { m_showKeyboardLight(level, fromBios); }
    void ShowAmbientLight(int state, bool fromBios) { m_showAmbientLight(state, fromBios); }

    const TrayContext& m_context;
    UniqueHandle m_ejectEvent;
    CTrayEntry<void(int indicator, bool fromBios)> m_showLockKey;
    // From a key the state is read from the firmware; from the firmware it is given.
    CTrayEntry<void(uint32_t status, uint32_t detail, bool fromBios)> m_showRadio;
    CTrayEntry<void()> m_eject;
    // From a key: the next level. From the firmware: the given level.
    CTrayEntry<void(int level, bool fromBios)> m_showKeyboardLight;
    CTrayEntry<void(int state, bool fromBios)> m_showAmbientLight;
    CTrayEntry<void()> m_recheckKeyboardBacklight;
    CTrayEntry<void()> m_hideRadioDisplay;
};
