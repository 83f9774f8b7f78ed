#pragma once
#include <windows.h>

// Every timer of the display windows, named once. The
// timers run on the display's own window and end with it.
enum class OsdTimerId : UINT_PTR {
    // Dialog and panel brightness displays close when it fires.
    BrightnessClose = 1,
    // Volume: the hold of the slider and outline displays, and the close
    // timer of the dialog and panel displays.
    VolumeHold = 32761,
    VolumeFade = 32762,
    BrightnessHold = 32763,
    BrightnessFade = 32764,
    // Lock keys: the panel style closes on the first, the others hold and fade.
    LockKeysClose = 1,
    LockKeysHold = 32675,
    LockKeysFade = 32676,
    EjectHold = 32671,
    EjectFade = 32672,
    // The light sensor's dialog closes when it fires.
    AlsClose = 1,
    // Radio: the close timer of the dialog and panel displays, and the hold
    // and fade of the bitmap and outline displays.
    RadioClose = 1,
    RadioHold = 32673,
    RadioFade = 32674,
    // Keyboard light: the dialog and panel displays close when it fires.
    KeyboardLightClose = 1,
};

constexpr UINT_PTR OsdTimerNumber(OsdTimerId id)
{
    return static_cast<UINT_PTR>(id);
}

// How long a display stays up and how it fades.
inline constexpr UINT kOsdCloseMs = 2000;
inline constexpr UINT kOsdHoldMs = 2500;
inline constexpr UINT kOsdFadeStepMs = 50;
inline constexpr UINT kAlsCloseMs = 10000;
inline constexpr int kOsdFadeStepPercent = 10;
inline constexpr UINT kRadioPanelCloseMs = 3000;
inline constexpr UINT kKeyboardDialogCloseMs = 10000;
