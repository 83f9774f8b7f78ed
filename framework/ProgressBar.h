#pragma once
#include "Control.h"

// A progress bar showing a position in 0..100.
class CProgressBar : public CControl {
public:
    using CControl::CControl;

    // Clamped into 0..100 by the control.
    void SetPosition(int position);
    int Position() const;
};
