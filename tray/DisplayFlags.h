#pragma once
#include <windows.h>

// Which on-screen displays the user allows (the tray icon's left-click menu).
struct DisplayFlags {
    DWORD brightness = 1;
    DWORD volume = 1;
    DWORD radio = 1;
    DWORD locatorMessage = 1;

    // Missing or mistyped values keep the defaults.
    void Load();
    // Writes the three display switches that differ from `loaded`, so a value
    // another program or an administrator changed meanwhile is kept, and a
    // value the tray could not read is not rewritten. The locator message has
    // its own writer.
    void SaveChangesSince(const DisplayFlags& loaded) const;
};
