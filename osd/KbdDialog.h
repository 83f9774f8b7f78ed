#pragma once
#include "KeyboardFunctionBios.h"
#include "OsdDialog.h"

// What a keyboard-light display is made with.
struct KbdDialogParams {
    // May be null (no firmware): no level is ever read.
    IBiosCalls* bios = nullptr;
    // The machine reports a keyboard light with levels (hardware feature).
    bool lightReported = false;
};

// The keyboard-light display family: the light off or at its level. The
// tray gives a level the firmware reported; for a key the display reads it.
class CKbdDialog : public COsdDialog {
public:
    static constexpr UINT kTemplateId = 353;

    explicit CKbdDialog(const KbdDialogParams& params);

    // Takes the state (read unless `absolute`, when the level was given) and
    // draws it; true when the display is to be shown.
    virtual bool Refresh(bool absolute) = 0;
    // The display has a window at all.
    virtual bool HasDisplay() const { return true; }

    void SetLevel(int level) { backlightLevel = static_cast<uint8_t>(level); }
    int Level() const { return backlightLevel; }
    int Levels() const { return backlightMax; }
    bool Supported() const { return backlightSupported; }

protected:
    // The capability call, made only when the machine reports the light.
    void ReadCapability();
    const CKeyboardFunctionBios& Bios() const { return m_bios; }

    uint8_t backlightLevel = 0;
    int backlightMax = 0;
    bool backlightSupported = false;

private:
    CKeyboardFunctionBios m_bios;
    bool m_lightReported;
};
