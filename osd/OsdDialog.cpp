#include "OsdDialog.h"

#include <commctrl.h>

#include "GdiplusSession.h"
#include "ProcAddress.h"

namespace {

constexpr DWORD kLayeredExStyle = WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

// The dialog displays hold a progress bar, whose class the common controls
// register only when asked (on Windows; Wine registers it on load). The
// library is loaded here, with the first dialog display, rather than with
// the program: an idle tray then does not pay for it (under Wine about
// 0.8 MB, most of it the tooltip icons it loads at once). It stays loaded for
// the life of the process, as the displays' controls run in it.
void RegisterProgressBarClass()
{
    static const bool registered = [] {
        using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        const auto init = ResolveExport<InitFn>(::LoadLibraryW(L"comctl32.dll"), "InitCommonControlsEx");
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
        return init && init(&controls) != FALSE;
    }();
    (void)registered;
}

} // namespace

COsdDialog::COsdDialog(UINT templateId, HWND owner) : CDialog(templateId), m_owner(owner) {}

bool COsdDialog::Open(HWND owner)
{
    if (IsOpen()) return true;
    if (owner) m_owner = owner;
    RegisterProgressBarClass();
    EnsureGdiplus();
    // Not CreateModeless: that shows and activates the window, and a display
    // must leave the keyboard where it is.
    const HWND window
        = ::CreateDialogParamW(Module(), MAKEINTRESOURCEW(TemplateId()), m_owner, &CDialog::StaticDialogProc,
                               reinterpret_cast<LPARAM>(static_cast<CDialog*>(this)));
    return window != nullptr && IsOpen();
}

void COsdDialog::Show(bool show)
{
    if (IsOpen()) ::ShowWindow(m_hWnd, show ? SW_SHOWNA : SW_HIDE);
}

void COsdDialog::Close()
{
    if (!IsOpen()) return;
    OnCancel();
    DestroyWindow();
}

INT_PTR COsdDialog::DialogMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_MOUSEACTIVATE:
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, MA_NOACTIVATE);
        return TRUE;
    case WM_SHOWWINDOW:
        if (wp) OnShowDisplay();
        return FALSE;
    default:
        return CDialog::DialogMessage(msg, wp, lp);
    }
}

void COsdDialog::SetUpLayered(const osd_geometry::OsdRect& place)
{
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, place.x, place.y, place.width, place.height, SWP_NOACTIVATE);
    ModifyStyle(WS_CAPTION, 0);
    ModifyStyleEx(WS_EX_APPWINDOW, kLayeredExStyle);
}

void COsdDialog::Replace(const osd_geometry::OsdRect& place)
{
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, place.x, place.y, place.width, place.height,
                   SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}
