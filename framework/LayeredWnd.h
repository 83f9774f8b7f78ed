#pragma once
#include "DibSection.h"
#include "Wnd.h"

// A topmost layered pop-up that never takes activation or clicks, shown
// from its own 32-bit picture with UpdateLayeredWindow. Every Present hands
// the picture's DC over again, since changing only the constant alpha with
// no source DC is ignored by some systems and drops the colour key.
class CLayeredWnd : public CWnd {
public:
    static constexpr wchar_t kClassName[] = L"TavrinLayeredWnd";

    // Hidden until the first Present; the picture gets the window's size.
    bool Create(const RECT& place, HWND owner = nullptr);
    // Moves the window; a new size gives a new, cleared picture.
    bool Place(const RECT& place);
    const RECT& Placement() const { return m_place; }

    CDibSection& Surface() { return m_surface; }

    // Pixels of this colour are cut out (together with the constant alpha);
    // for the window's life, as some systems keep a key once given.
    void SetColorKey(COLORREF key);
    // The picture's own alpha (premultiplied) on top of the constant alpha.
    // Without it Present makes every pixel opaque first.
    void SetPerPixelAlpha(bool on) { m_perPixel = on; }

    // Shows the picture at the constant alpha (255 opaque) without
    // activating the window; 0 hides it until the next Present above 0.
    bool Present(BYTE alpha);
    BYTE Alpha() const { return m_alpha; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    CDibSection m_surface;
    RECT m_place{};
    COLORREF m_key = 0;
    bool m_keyed = false;
    bool m_perPixel = false;
    BYTE m_alpha = 0;
};
