#pragma once
#include <windows.h>

// What features need of the tray's main window: its handle (owner of menus,
// boxes and timers) and the way to close it.
class ITrayWindow {
public:
    virtual ~ITrayWindow() = default;
    virtual HWND Handle() const = 0;
    // Closes the tray as its own close does (the shutdown runs once).
    virtual void PostClose() = 0;
};
