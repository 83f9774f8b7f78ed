#include "Wnd.h"

CWnd::~CWnd()
{
    if (m_hWnd) {
        HWND hwnd = m_hWnd;
        // Messages sent while the window goes away must not reach an object
        // that is being destroyed.
        Detach();
        ::DestroyWindow(hwnd);
    }
}

void CWnd::Detach()
{
    if (m_hWnd) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
    }
}

bool CWnd::RegisterWindowClass(LPCWSTR className, const ClassInfo& info)
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{sizeof(existing)};
    if (::GetClassInfoExW(instance, className, &existing)) return true;

    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = info.style;
    wc.lpfnWndProc = &CWnd::StaticWndProc;
    wc.hInstance = instance;
    wc.hIcon = info.icon;
    wc.hCursor = info.cursor ? info.cursor : ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = info.background;
    wc.lpszClassName = className;
    return ::RegisterClassExW(&wc) != 0;
}

bool CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu)
{
    if (m_hWnd) return false;
    HWND hwnd = ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                                  ::GetModuleHandleW(nullptr), this);
    return hwnd != nullptr && hwnd == m_hWnd;
}

bool CWnd::DestroyWindow()
{
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        if (self) {
            self->m_hWnd = hwnd;
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after detaching find
    // no object.
    auto* self = reinterpret_cast<CWnd*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        LRESULT result = self->WindowProc(msg, wp, lp);
        self->Detach();
        self->OnFinalDestroy();
        return result;
    }
    return self->WindowProc(msg, wp, lp);
}

LRESULT CWnd::Default(UINT msg, WPARAM wp, LPARAM lp)
{
    return ::DefWindowProcW(m_hWnd, msg, wp, lp);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate(*reinterpret_cast<const CREATESTRUCTW*>(lp));
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_TIMER:
        OnTimer(wp);
        return 0;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp))) return 0;
        break;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
        OnEndSession(wp != FALSE);
        return 0;
    default:
        break;
    }
    return Default(msg, wp, lp);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs)
{
    return m_hWnd ? ::SetTimer(m_hWnd, id, elapseMs, nullptr) : 0;
}

bool CWnd::KillTimer(UINT_PTR id)
{
    return m_hWnd && ::KillTimer(m_hWnd, id);
}

bool CWnd::ModifyLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags)
{
    if (!hwnd) return false;
    DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, index));
    DWORD changed = (style & ~remove) | add;
    if (changed == style) return false;
    ::SetWindowLongPtrW(hwnd, index, static_cast<LONG_PTR>(changed));
    if (flags != 0)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return true;
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    return ModifyLong(m_hWnd, GWL_STYLE, remove, add, flags);
}

bool CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags)
{
    return ModifyLong(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

void CWnd::BringToFront() const
{
    if (!m_hWnd) return;
    if (::IsIconic(m_hWnd)) ::ShowWindow(m_hWnd, SW_RESTORE);
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetForegroundWindow(m_hWnd);
}

LRESULT CWnd::SendMessage(UINT msg, WPARAM wp, LPARAM lp) const
{
    return m_hWnd ? ::SendMessageW(m_hWnd, msg, wp, lp) : 0;
}

bool CWnd::PostMessage(UINT msg, WPARAM wp, LPARAM lp) const
{
    return m_hWnd && ::PostMessageW(m_hWnd, msg, wp, lp);
}
