#pragma once
#include "Control.h"

// A slider with a range and a position.
class CTrackBar : public CControl {
public:
    using CControl::CControl;

    void SetRange(int minimum, int maximum);
    int Minimum() const;
    int Maximum() const;
    // Clamped into the range by the control.
    void SetPosition(int position);
    int Position() const;
};
