#pragma once
#include "Control.h"

// A label or picture (text through CControl::SetText).
class CStatic : public CControl {
public:
    using CControl::CControl;

    // Shows an icon (SS_ICON); the caller keeps the icon alive while shown.
    // Returns the icon shown before.
    HICON SetIcon(HICON icon);
    HICON Icon() const;
};
