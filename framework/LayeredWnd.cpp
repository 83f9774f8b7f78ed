#include "LayeredWnd.h"

namespace {
constexpr DWORD kExStyle
    = WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW;

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}
} // namespace

bool CLayeredWnd::Create(const RECT& place, HWND owner)
{
    ClassInfo info;
    info.background = nullptr; // the picture is everything shown
    if (!RegisterWindowClass(kClassName, info)) return false;
    if (!m_surface.Create(Width(place), Height(place))) return false;
    m_place = place;
    return CreateEx(kExStyle, kClassName, L"", WS_POPUP, place.left, place.top, Width(place), Height(place),
                    owner, nullptr);
}

bool CLayeredWnd::Place(const RECT& place)
{
    if (Width(place) != m_surface.Width() || Height(place) != m_surface.Height()) {
        if (!m_surface.Create(Width(place), Height(place))) return false;
    }
    m_place = place;
    return m_hWnd
           && ::SetWindowPos(m_hWnd, HWND_TOPMOST, place.left, place.top, Width(place), Height(place),
                             SWP_NOACTIVATE);
}

void CLayeredWnd::SetColorKey(COLORREF key)
{
    m_key = key;
    m_keyed = true;
}

bool CLayeredWnd::Present(BYTE alpha)
{
    if (!m_hWnd || !m_surface.IsValid()) return false;
    // Without per-pixel alpha the alpha byte must not matter, but some
    // systems still honour it: GDI's zeros would be cut out.
    if (!m_perPixel) m_surface.MakeOpaque();
    ::GdiFlush();
    POINT position{m_place.left, m_place.top};
    SIZE size{m_surface.Width(), m_surface.Height()};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, static_cast<BYTE>(m_perPixel ? AC_SRC_ALPHA : 0)};
    DWORD flags = ULW_ALPHA | (m_keyed ? ULW_COLORKEY : 0);
    if (!::UpdateLayeredWindow(m_hWnd, nullptr, &position, &size, m_surface.Dc(), &origin, m_key, &blend,
                               flags))
        return false;
    m_alpha = alpha;
    // Fully transparent shows nothing; some systems ignore a zero constant
    // alpha and keep the last picture, so the window is hidden instead.
    const bool visible = ::IsWindowVisible(m_hWnd) != FALSE;
    if (alpha == 0 && visible)
        ::ShowWindow(m_hWnd, SW_HIDE);
    else if (alpha != 0 && !visible)
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return true;
}

LRESULT CLayeredWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    default:
        return CWnd::WindowProc(msg, wp, lp);
    }
}
