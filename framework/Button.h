#pragma once
#include "Control.h"

// A push button, check box or radio button.
class CButton : public CControl {
public:
    using CControl::CControl;

    void SetCheck(bool checked);
    bool IsChecked() const;
};
