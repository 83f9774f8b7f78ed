#include "TrayMenus.h"
#include "TavrinResources.h"
#include "TavrinStrings.h"

namespace tray_menus {
namespace {

void AppendSwitch(HMENU menu, UINT command, const std::wstring& text, DWORD enabled)
{
    ::AppendMenuW(menu, MF_STRING | (enabled == 0 ? MF_CHECKED : MF_UNCHECKED), command, text.c_str());
}

void SetCommandText(HMENU menu, UINT command, const std::wstring& text)
{
    MENUITEMINFOW item{sizeof(item)};
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<wchar_t*>(text.c_str());
    ::SetMenuItemInfoW(menu, command, FALSE, &item);
}

void InsertAt(HMENU menu, UINT position, UINT flags, UINT_PTR command, const wchar_t* text)
{
    ::InsertMenuW(menu, position, MF_BYPOSITION | flags, command, text);
}

void RemoveHelpEntry(HMENU menu)
{
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        if (::GetMenuStringW(menu, static_cast<UINT>(i), text, ARRAYSIZE(text), MF_BYPOSITION) > 0
            && wcsstr(text, L"HELP")) {
            ::DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
            return;
        }
    }
}

} // namespace

UniqueMenu BuildHotkeyMenu(const TextSource& text, const DisplayFlags& flags, bool audioPresent)
{
    UniqueMenu menu(::CreatePopupMenu());
    HMENU popups = ::CreatePopupMenu();
    if (!menu || !popups) {
        if (popups) ::DestroyMenu(popups);
        return {};
    }
    AppendSwitch(popups, ID_POPUP_BRIGHTNESS, text(IDS_MENU_DISABLE_BRIGHTNESS_OSD), flags.brightness);
    if (audioPresent) AppendSwitch(popups, ID_POPUP_VOLUME, text(IDS_MENU_DISABLE_VOLUME_OSD), flags.volume);
    AppendSwitch(popups, ID_POPUP_RADIO, text(IDS_MENU_DISABLE_RADIO_OSD), flags.radio);
    // The outer menu owns the submenu from here on.
    ::AppendMenuW(menu.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popups),
                  text(IDS_MENU_HOTKEY_POPUPS).c_str());
    return menu;
}

void PrepareContextMenu(HMENU popup, const TextSource& text, bool opticalDriveControl)
{
    SetCommandText(popup, ID_TRAY_OPEN, text(IDS_MENU_OPEN));
    // The menu is kept between uses: the entries are inserted once.
    if (opticalDriveControl && ::GetMenuState(popup, ID_ODD_ENABLE, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
        InsertAt(popup, 2, MF_STRING, ID_ODD_ENABLE, L"Enable ODD");
        InsertAt(popup, 3, MF_STRING, ID_ODD_DISABLE, L"Disable ODD");
        InsertAt(popup, 4, MF_SEPARATOR, 0, nullptr);
        InsertAt(popup, 5, MF_STRING, ID_ODD_RUN_SIDEBAR, L"Run Sidebar");
        InsertAt(popup, 6, MF_SEPARATOR, 0, nullptr);
    }
    RemoveHelpEntry(popup);
    SetCommandText(popup, ID_TRAY_ABOUT, text(IDS_MENU_ABOUT));
    SetCommandText(popup, ID_TRAY_EXIT, text(IDS_MENU_EXIT));
}

void Track(HMENU popup, HWND owner)
{
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::SetForegroundWindow(owner);
    ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, owner, nullptr);
    ::PostMessageW(owner, WM_NULL, 0, 0);
}

} // namespace tray_menus
