#pragma once
#include "DisplayFlags.h"
#include "UniqueHandle.h"
#include <windows.h>
#include <functional>
#include <string>

// The tray icon's two menus, built here so that their contents can be checked
// without showing them.
namespace tray_menus {

using TextSource = std::function<std::wstring(UINT id)>;

// A pop-up holding the "Hotkey Popups" submenu with the display switches; a
// check mark means the display is switched off. The volume entry exists only
// with an audio object.
UniqueMenu BuildHotkeyMenu(const TextSource& text, const DisplayFlags& flags, bool audioPresent);

// Adapts the first submenu of the context menu resource: the numbered texts,
// the optical-drive entries when that control is available, no help entry.
void PrepareContextMenu(HMENU popup, const TextSource& text, bool opticalDriveControl);

// Shows a pop-up at the cursor for the owner (made the foreground window
// first, and sent WM_NULL afterwards so that the menu closes properly).
void Track(HMENU popup, HWND owner);

} // namespace tray_menus
