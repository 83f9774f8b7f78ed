#pragma once
#include "KbdDialog.h"

// Bitmap and outline styles: no keyboard-light display. A key only reads the
// level, which the tray announces to the other programs.
class CKbdDialog3 : public CKbdDialog {
public:
    explicit CKbdDialog3(const KbdDialogParams& params) : CKbdDialog(params) {}

    bool Refresh(bool absolute) override;
    bool HasDisplay() const override { return false; }
};
