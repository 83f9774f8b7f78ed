#pragma once
#include "UniqueHandle.h"

#include <windows.h>

#include <functional>

// The dialog style's look and place: a window with rounded corners and a
// two-pixel border in the display's colour on its own background colour,
// shown where the user last dragged it (saved under two setting names) when
// that place is still on the desktop.
class CDialogFrame {
public:
    struct Look {
        COLORREF background = RGB(255, 255, 255);
        COLORREF border = RGB(0, 0, 0);
        const wchar_t* xSetting = nullptr;
        const wchar_t* ySetting = nullptr;
    };

    explicit CDialogFrame(const Look& look);

    // Clips the window to its rounded shape and moves it to its place, on top.
    void SetUp(HWND dialog);
    void PaintBorder(HWND dialog) const;
    // The frame's share of the dialog's messages: the border painted, a drag
    // anywhere moves it, and the mouse over it or a move restarts its
    // timer (`restartTimer`). False: a message for the dialog itself.
    bool OnMessage(HWND dialog, UINT msg, LPARAM lp, const std::function<void()>& restartTimer,
                   INT_PTR& result) const;
    // The top-left corner goes into the settings.
    void SavePosition(HWND dialog) const;
    HBRUSH Background() const { return static_cast<HBRUSH>(m_background.get()); }
    COLORREF BackgroundColour() const { return m_look.background; }

private:
    static UniqueGdiObject Shape(HWND dialog);

    Look m_look;
    UniqueGdiObject m_background;
    UniqueGdiObject m_border;
};
