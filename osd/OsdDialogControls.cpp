#include "OsdDialogControls.h"

#include "Wnd.h"

#include <commctrl.h>
#include <uxtheme.h>

namespace dialog_controls {

void SetUpDialogStyle(CWnd& dialog)
{
    dialog.ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0);
    dialog.ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
}

void SetUpLevelBar(HWND bar, int low, int high, COLORREF colour)
{
    if (!bar) return;
    // A class list that names no visual-style class turns the theme off, so
    // the colours below apply; Wine 8 keeps its theme for empty names.
    ::SetWindowTheme(bar, L" ", L" ");
    ::SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
    ::SendMessageW(bar, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(colour));
    ::SendMessageW(bar, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(RGB(255, 255, 255)));
}

void SetIcon(HWND picture, UINT iconId)
{
    const HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId));
    if (picture && icon) ::SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

} // namespace dialog_controls
