#pragma once
#include "AlsDialog.h"
#include "EjectDialog.h"
#include "EjectWorker.h"
#include "FeatureServices.h"
#include "KbdLedDialog.h"
#include "LockIndicators.h"
#include "OsdWindow.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"

#include <memory>

// The lock keys, the radio switch, the keyboard light, the eject key and the
// ambient light sensor, each with its display.
class CStatusDisplaysFeature : public ITrayFeature, public IExitDismissal {
public:
    explicit CStatusDisplaysFeature(const TrayContext& context);
    ~CStatusDisplaysFeature() override;

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    // The lock indicators follow the keys from the start, and go at the end.
    void Start() override;
    void Stop() override;
    // The keyboard-light support report, made during start-up and on request.
    void RecheckKeyboardBacklightSupport() { m_recheckKeyboardBacklight(); }
    void HideForExit() override { m_hideRadioDisplay(); }

    // Signalled while no eject runs: one eject at a time.
    HANDLE EjectEvent() const { return m_ejectWorker.IdleEvent(); }

private:
    void RouteBoth(CTrayDispatcher& dispatcher, uint16_t code,
                   void (CStatusDisplaysFeature::*show)(int, bool));
    void ShowCapsLock(int, bool fromBios);
    void ShowNumLock(int, bool fromBios);
    void ShowKeyboardLight(int level, bool fromBios) { m_showKeyboardLight(level, fromBios); }
    void ShowAmbientLight(int state, bool fromBios) { m_showAmbientLight(state, fromBios); }
    void ShowLockKey(LockKey key, bool fromBios);
    void Eject();
    void ShowAls(int state, bool fromBios);

    const TrayContext& m_context;
    CEjectWorker m_ejectWorker;
    CTrayEntry<void(int indicator, bool added)> m_lockIndicatorChanged;
    CLockIndicators m_lockIndicators;
    // None in the dialog style, nor without a lock-key option.
    std::unique_ptr<CKbdLedDialog> m_lockKeys;
    std::unique_ptr<COsdWindow> m_lockKeysWindow;
    // None in the dialog and panel styles.
    std::unique_ptr<CEjectDialog> m_ejectDisplay;
    std::unique_ptr<COsdWindow> m_ejectWindow;
    CAlsDialog m_alsDialog;
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
