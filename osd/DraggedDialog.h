#pragma once
#include <windows.h>

#include <functional>

// What the dialogs without a caption share: dragged by their body, kept up
// while the mouse is over them or they move, and reopened where the user
// left them.
namespace dragged_dialog {

// A drag anywhere moves the window; the mouse over it or a move calls
// keepAlive. False: a message for the dialog itself.
bool OnMessage(HWND dialog, UINT msg, LPARAM lp, const std::function<void()>& keepAlive, INT_PTR& result);

// The window's top-left corner under the two setting names; false when the
// window has no place to tell.
bool SavePosition(HWND dialog, const wchar_t* xSetting, const wchar_t* ySetting, POINT* saved = nullptr);

} // namespace dragged_dialog
