#include "RadioFlags.h"

#include "OsdPictures.h"
#include "WirelessCtrlBIOS.h"

RadioFlags RadioFlags::FromStatus(uint32_t status)
{
    using namespace radiostatus;
    RadioFlags flags;
    flags.wifi = (status & kWifiInstalled) != 0;
    flags.bluetooth = (status & kBluetoothInstalled) != 0 && (status & kBluetoothHidden) == 0;
    flags.wwan = (status & kWwanInstalled) != 0;
    flags.wifiOff = (status & kWifiOff) != 0;
    flags.bluetoothOff = (status & kBluetoothOff) != 0;
    flags.wwanOff = (status & kWwanOff) != 0;
    flags.radiosOn = (status & kRadiosOn) != 0;
    return flags;
}

int RadioFlags::Count() const
{
    return (wifi ? 1 : 0) + (bluetooth ? 1 : 0) + (wwan ? 1 : 0);
}

std::vector<UINT> RadioFlags::DialogPictures() const
{
    std::vector<UINT> pictures;
    if (wifi) pictures.push_back(wifiOff ? IDB_RADIO_WIFI_OFF : IDB_RADIO_WIFI_ON);
    if (bluetooth) pictures.push_back(bluetoothOff ? IDB_RADIO_BLUETOOTH_OFF : IDB_RADIO_BLUETOOTH_ON);
    if (wwan) pictures.push_back(wwanOff ? IDB_RADIO_WWAN_OFF : IDB_RADIO_WWAN_ON);
    return pictures;
}

std::vector<UINT> RadioFlags::PanelPictures() const
{
    std::vector<UINT> pictures;
    if (wifi) pictures.push_back(wifiOff ? IDB_PANEL_WIFI_OFF : IDB_PANEL_WIFI_ON);
    if (bluetooth) pictures.push_back(bluetoothOff ? IDB_PANEL_BLUETOOTH_OFF : IDB_PANEL_BLUETOOTH_ON);
    if (wwan) pictures.push_back(wwanOff ? IDB_PANEL_WWAN_OFF : IDB_PANEL_WWAN_ON);
    return pictures;
}

UINT LegacyRadioPicture(int32_t legacyState)
{
    return legacyState != 0 ? IDB_RADIO_LEGACY_ON : IDB_RADIO_LEGACY_OFF;
}

UINT RadioTilePicture(bool on)
{
    return on ? IDB_RADIO_TILES_ON : IDB_RADIO_TILES_OFF;
}

UINT OutlineRadioPicture(UINT tile, bool large)
{
    const bool on = tile == IDB_RADIO_TILES_ON;
    if (large) return on ? IDB_K7_RADIO_ON_LARGE : IDB_K7_RADIO_OFF_LARGE;
    return on ? IDB_K7_RADIO_ON_SMALL : IDB_K7_RADIO_OFF_SMALL;
}
