#pragma once
#include <windows.h>

// Which on-screen displays the user allows (the tray icon's left-click menu).
struct DisplayFlags {
    DWORD brightness = 1;
    DWORD volume = 1;
    DWORD radio = 1;
    DWORD locatorMessage = 1;

    // Missing values keep the defaults.
    void Load();
    // The three display switches; the locator message has its own writer.
    void Save() const;
};
