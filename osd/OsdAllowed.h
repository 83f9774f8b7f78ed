#pragma once
#include <windows.h>

#include <string_view>

// Whether a display may appear: not over a full-screen program or the
// window the presentation layout keeps in front.
struct ForegroundFacts {
    bool titleRead = false;
    std::wstring_view title;
    bool rectsRead = false;
    RECT foreground{};
    RECT desktop{};
};

bool OsdAllowedFor(const ForegroundFacts& facts);

// The same for the window in the foreground now.
bool OsdAllowed();
