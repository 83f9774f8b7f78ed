#include "DraggedDialog.h"

#include "Settings.h"

namespace dragged_dialog {

bool OnMessage(HWND dialog, UINT msg, LPARAM lp, const std::function<void()>& keepAlive, INT_PTR& result)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
        ::PostMessageW(dialog, WM_NCLBUTTONDOWN, HTCAPTION, lp);
        result = TRUE;
        return true;
    case WM_MOUSEMOVE:
    case WM_MOVE:
        keepAlive();
        result = FALSE;
        return true;
    default:
        return false;
    }
}

bool SavePosition(HWND dialog, const wchar_t* xSetting, const wchar_t* ySetting, POINT* saved)
{
    RECT window{};
    if (!::GetWindowRect(dialog, &window)) return false;
    const CSettings settings;
    settings.WriteDword(xSetting, static_cast<DWORD>(window.left));
    settings.WriteDword(ySetting, static_cast<DWORD>(window.top));
    if (saved != nullptr) *saved = {window.left, window.top};
    return true;
}

} // namespace dragged_dialog
