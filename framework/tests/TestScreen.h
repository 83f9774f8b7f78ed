#pragma once
#include <windows.h>

// What the screen shows at a point (the composited picture, as a user sees it).
inline COLORREF ScreenPixel(int x, int y)
{
    HDC screen = ::GetDC(nullptr);
    COLORREF pixel = screen ? ::GetPixel(screen, x, y) : CLR_INVALID;
    if (screen) ::ReleaseDC(nullptr, screen);
    return pixel;
}

// Channels within tolerance of each other (scaling and blending round).
inline bool Near(COLORREF a, COLORREF b, int tolerance = 8)
{
    auto close = [tolerance](int x, int y) { return x - y <= tolerance && y - x <= tolerance; };
    return a != CLR_INVALID && b != CLR_INVALID && close(GetRValue(a), GetRValue(b))
           && close(GetGValue(a), GetGValue(b)) && close(GetBValue(a), GetBValue(b));
}
