#pragma once
#include "OsdDialog.h"

// The eject display family: shown when the eject key is pressed, while the
// eject itself runs on a worker of its own.
class CEjectDialog : public COsdDialog {
public:
    static constexpr UINT kTemplateId = 1042;

    CEjectDialog() : COsdDialog(kTemplateId, nullptr) {}

    // Draws the eject symbol and starts the display's timer.
    virtual void ShowEject() = 0;
};
