#pragma once
#include <windows.h>

// Scaling of layout values designed at 96 dots per inch.
namespace dpi {

// The window's DPI (GetDpiForWindow where the system has it, otherwise the
// screen's); 96 when nothing answers.
int ForWindow(HWND hwnd);
// value * dpi / 96, rounded.
int Scale(int value, int dpi);
inline int ScaleForWindow(HWND hwnd, int value) { return Scale(value, ForWindow(hwnd)); }

} // namespace dpi
