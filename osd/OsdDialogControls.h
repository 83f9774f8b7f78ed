#pragma once
#include <windows.h>

class CWnd;

// The dialog style's controls: a level bar in the display's colours and the
// symbol icon.
namespace dialog_controls {

// No caption or sizing frame, no taskbar button, never activated.
void SetUpDialogStyle(CWnd& dialog);
// Range low..high, the bar in `colour` on white (the visual theme would ignore both).
void SetUpLevelBar(HWND bar, int low, int high, COLORREF colour);
// One of the program's icons (shared, the system keeps it).
void SetIcon(HWND picture, UINT iconId);

} // namespace dialog_controls
