#pragma once
#include <windows.h>

// Scaling of layout values designed at 96 dots per inch, for one window.
// The DPI is the window's (GetDpiForWindow where the system has it,
// otherwise its DC's LOGPIXELSX); 96 when nothing answers.
class CDpi {
public:
    CDpi() = default;
    explicit CDpi(HWND window) : m_dpi(ForWindow(window)) {}

    static int ForWindow(HWND window);
    // value * dpi / 96, rounded; a dpi not above 0 counts as 96.
    static int Scale(int value, int dpi);

    int Value() const { return m_dpi; }
    // Reads the window's DPI again (after WM_DPICHANGED or a move).
    void Update(HWND window) { m_dpi = ForWindow(window); }
    // WM_DPICHANGED carries the new DPI; values not above 0 are ignored.
    void Set(int dpi);

    int Scale(int value) const { return Scale(value, m_dpi); }
    // From this DPI back to 96, rounded.
    int Unscale(int value) const { return ::MulDiv(value, USER_DEFAULT_SCREEN_DPI, m_dpi); }
    SIZE Scale(SIZE size) const { return {Scale(size.cx), Scale(size.cy)}; }
    RECT Scale(const RECT& rect) const;

private:
    int m_dpi = USER_DEFAULT_SCREEN_DPI;
};
