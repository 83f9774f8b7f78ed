#pragma once
#include <windows.h>

// Which on-screen displays the user allows (the tray icon's left-click menu).
struct DisplayFlags {
    DWORD brightness = 1;  // DlgDisablerBRG
    DWORD volume = 1;      // DlgDisablerVOL
    DWORD radio = 1;       // DlgDisablerRAD
    DWORD locatorMessage = 1;  // DlgDisplayNetwispMsg

    // Missing values keep the defaults.
    void Load();
    // The three display switches; the locator message has its own writer.
    void Save() const;
};
