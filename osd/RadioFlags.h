#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

// The radios the display shows, read from the firmware's radio status word:
// which are installed (Bluetooth counts as absent when the word says so)
// and which are off, and the pictures each display style draws for them.
struct RadioFlags {
    bool wifi = false;
    bool bluetooth = false;
    bool wwan = false;
    bool wifiOff = false;
    bool bluetoothOff = false;
    bool wwanOff = false;
    bool radiosOn = false;

    static RadioFlags FromStatus(uint32_t status);
    int Count() const;

    // The dialog style: one picture per installed radio (Wi-Fi, Bluetooth,
    // Mobile Broadband), each on or off.
    std::vector<UINT> DialogPictures() const;
    // The panel style: the same radios with the panel's pictures.
    std::vector<UINT> PanelPictures() const;
};

// The dialog style without the radio function: one picture of the older
// radio state (non-zero: on).
UINT LegacyRadioPicture(int32_t legacyState);
// The on/off tiles of the bitmap style: the "on" tile lit or the "off" tile lit.
UINT RadioTilePicture(bool on);
// The outline style's picture for a tile, in the size class of the screen.
UINT OutlineRadioPicture(UINT tile, bool large);
