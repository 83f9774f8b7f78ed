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

// The lock keys, the eject key and the ambient light sensor, each with its display.
class CStatusDisplaysFeature : public ITrayFeature {
public:
    explicit CStatusDisplaysFeature(const TrayContext& context);
    ~CStatusDisplaysFeature() override;

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    // The lock indicators follow the keys from the start, and go at the end.
    void Start() override;
    void Stop() override;
    // The keyboard-light support report, made during start-up and on request.
    void RecheckKeyboardBacklightSupport() { m_recheckKeyboardBacklight(); }

    // Signalled while no eject runs: one eject at a time.
    HANDLE EjectEvent() const { return m_ejectWorker.IdleEvent(); }

private:
    void RouteBoth(CTrayDispatcher& dispatcher, uint16_t code,
                   void (CStatusDisplaysFeature::*show)(int, bool));
    void ShowCapsLock(int, bool fromBios);
    void ShowNumLock(int, bool fromBios);
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
    CTrayEntry<void()> m_eject;
    CTrayEntry<void(int state, bool fromBios)> m_showAmbientLight;
    CTrayEntry<void()> m_recheckKeyboardBacklight;
};
