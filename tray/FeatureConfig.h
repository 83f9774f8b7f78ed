#pragma once
#include "CapabilitySet.h"
#include <windows.h>

// What the installer's TavrinControl value and the running Windows select.
namespace feature_config {

// Capability bits the tray sets itself.
enum CapabilityBit : int {
    kLockKeyOptionA = 2,
    kLockKeyOptionB = 3,
    kKeyboardDll = 4,
    kRadioDisplayOption = 5,
    kIntelligentDisplay = 11,
    kNoDelayedMessageQuery = 12,
    kDesktopMode = 14,
    kWindowsVista = 32,
    kWindows7 = 33,
    kWirelessDisplay = 34,
    kWindows8 = 35,
};

// The newer visual family of the displays.
inline constexpr int kStyleK7 = 3;

// OSD style 0..3 (3: the newer visual family).
int OsdStyle(DWORD tavrinControl);

// Sets the capability bits that TavrinControl switches on. The intelligent-
// display bit needs the feature to be available as well.
void ApplyTavrinControl(DWORD tavrinControl, bool intelligentDisplayAvailable, CCapabilitySet& caps);

// 35 on Windows 6.2 workstations, 33 on 6.1 workstations, else 32.
int WindowsVersionBit();

// Whether Intel Wireless Display is installed.
bool IsWirelessDisplayInstalled();

// Writes SelectedFeatures\BacklitKeyboard_Support = 1 when the installer
// asked for keyboard-light support (BacklitKeyboard = 1) and the hardware has
// the keyboard light; true when it was written.
bool ReportKeyboardLightSupport(bool keyboardLightFeature);

} // namespace feature_config
