#pragma once
#include "DisplayFlags.h"
#include "FeatureServices.h"
#include "KbdDialog.h"
#include "OsdWindow.h"
#include "RadioDlg.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"
#include "WirelessCtrlBIOS.h"

#include <memory>

// The wireless key and the firmware's radio events with the radio display
// (and its two-choice selector), and the keyboard-light keys and events with
// the keyboard-light display. Both announce what changed to the other programs.
class CRadioDisplayFeature : public ITrayFeature, public IExitDismissal {
public:
    CRadioDisplayFeature(const TrayContext& context, const DisplayFlags& displayFlags);
    ~CRadioDisplayFeature() override;

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    void HideForExit() override { m_hideRadioDisplay(); }

private:
    void ShowRadio(uint32_t status, bool fromBios);
    void ShowKeyboardLight(int level, bool absolute);

    const TrayContext& m_context;
    const DisplayFlags& m_displayFlags;
    CWirelessCtrlBIOS m_radio;
    std::unique_ptr<CRadioDlg> m_radioDisplay;
    std::unique_ptr<COsdWindow> m_radioWindow;
    std::unique_ptr<CKbdDialog> m_keyboardDisplay;
    std::unique_ptr<COsdWindow> m_keyboardWindow;
    // From a key the state is read from the firmware; from the firmware it is given.
    CTrayEntry<void(uint32_t status, uint32_t detail, bool fromBios)> m_showRadio;
    // What the radio display is given to draw: support and the tests see the picture.
    CTrayEntry<void(unsigned picture)> m_drawRadio;
    // The selector's choice was carried out.
    CTrayEntry<void(bool on)> m_radioChoiceApplied;
    // From a key the level is read; from the firmware it is given.
    CTrayEntry<void(int level, bool fromBios)> m_showKeyboardLight;
    CTrayEntry<void()> m_hideRadioDisplay;
};
