#pragma once
#include "OsdDialog.h"
#include "RadioFlags.h"
#include "RadioSelector.h"

#include <functional>

class CWirelessCtrlBIOS;
class IBiosCalls;

// What a radio display is made with (the tray's main window knows it).
struct RadioDlgParams {
    // The radio state and switch; may be null (no firmware).
    CWirelessCtrlBIOS* radio = nullptr;
    // For the selector's availability call; may be null.
    IBiosCalls* bios = nullptr;
    HWND owner = nullptr;
    // The selector's choice was carried out (`on`: the radios were switched on).
    std::function<void(bool on)> choiceApplied;
};

// The radio display family: which radios are installed and on, or, with the
// two-choice selector, the on and off tiles with the one to be chosen lit.
// The firmware wrapper is read afresh for every wireless key; the display
// only takes what it shows.
class CRadioDlg : public COsdDialog {
public:
    static constexpr UINT kTemplateId = 315;

    explicit CRadioDlg(const RadioDlgParams& params);

    // Takes the radio state the wrapper last read into the display.
    virtual void Refresh() = 0;
    // Draws it and starts the display's timer.
    virtual void Start() = 0;
    // Something to show: the styles that draw the radios need one installed.
    virtual bool HasPictures() const { return flags.Count() > 0; }

    // The selector is asked for when a new window is made.
    void SetSelectorMode(bool on) { m_selector.SetActive(on); }
    bool SelectorMode() const { return m_selector.IsActive(); }
    const CRadioSelector& Selector() const { return m_selector; }
    const RadioFlags& Flags() const { return flags; }
    // The picture the display draws (the tile, the legacy picture or the first radio's).
    UINT PictureId() const { return pictureId; }

protected:
    bool CallsValid() const;
    // The radio status word into the flags; the tile follows the radios' state
    // or, with the selector, the selection moved by this key.
    void ReadFlags();
    // The window faded out: a changed choice is carried out, once.
    void ApplyChoice();
    // The selector's availability, asked for every new window.
    void BeginSelector();

    CWirelessCtrlBIOS* Radio() const { return m_radio; }

    RadioFlags flags;
    UINT pictureId = 0;

private:
    CWirelessCtrlBIOS* m_radio;
    IBiosCalls* m_bios;
    std::function<void(bool)> m_choiceApplied;
    CRadioSelector m_selector;
};
