#pragma once
#include <cstdint>

#include "BiosCalls.h"

// Radio status bits of the firmware's radio-control function.
namespace radiostatus {
inline constexpr uint32_t kSwitchPresent = 1u << 0; // otherwise Fn+F2 controls the radios
inline constexpr uint32_t kLocatorSupported = 1u << 1;
inline constexpr uint32_t kBluetoothHidden = 1u << 5; // the radio display treats Bluetooth as absent
inline constexpr uint32_t kWifiInstalled = 1u << 8;
inline constexpr uint32_t kBluetoothInstalled = 1u << 9;
inline constexpr uint32_t kWwanInstalled = 1u << 10;
inline constexpr uint32_t kRadiosOn = 1u << 16;
inline constexpr uint32_t kWifiOff = 1u << 17;
inline constexpr uint32_t kBluetoothOff = 1u << 18;
inline constexpr uint32_t kWwanOff = 1u << 19;
} // namespace radiostatus

// The radio side of the firmware's radio-control function: which radios are
// installed and on, the hardware switch and which radios follow it, the
// BIOS-setup locks, and the older on/off call of machines without it. No
// caching or locking of its own: every operation is one call, serialised by
// the BIOS interface.
class CWirelessCtrlBIOS {
public:
    // Reads the status and the switch configuration; a firmware without the
    // function leaves every flag 0 and CallsValid() false.
    explicit CWirelessCtrlBIOS(IBiosCalls& bios);
    virtual ~CWirelessCtrlBIOS() = default;
    CWirelessCtrlBIOS(const CWirelessCtrlBIOS&) = delete;
    CWirelessCtrlBIOS& operator=(const CWirelessCtrlBIOS&) = delete;

    // With `supplied` nonzero takes `status` (a firmware event carried it)
    // without a call; otherwise asks the firmware.
    bool RadioStatusRead(int supplied, uint32_t status);
    bool SwitchConfigRead();
    // Writes which radios follow the switch, from the three flags.
    bool SwitchConfigWrite();
    // Radio 0 means all radios; disable 1 switches off, 0 on.
    bool RadioDisableSet(int radio, int disable);
    // The older radio state: the firmware's word, or -2 when it does not
    // support the call (which still counts as an answer).
    bool LegacyRadioStateGet(int32_t& state);
    bool LegacyRadioStateSet(int on, int32_t& state);

    int32_t LegacyState() const { return m_legacyState; }
    uint32_t RadioStatus() const { return m_radioStatus; }
    bool CallsValid() const { return m_callsValid != 0; }
    bool SwitchLocked() const { return m_switchLocked != 0; }
    bool WifiOnSwitch() const { return m_wifiOnSwitch != 0; }
    bool WpanOnSwitch() const { return m_wpanOnSwitch != 0; }
    bool WwanOnSwitch() const { return m_wwanOnSwitch != 0; }
    bool LocatorEnabledBit() const { return m_locatorEnabledBit != 0; }
    bool LocatorLocked() const { return m_locatorLocked != 0; }
    void SetWifiOnSwitch(bool on) { m_wifiOnSwitch = on ? 1 : 0; }
    void SetWpanOnSwitch(bool on) { m_wpanOnSwitch = on ? 1 : 0; }
    void SetWwanOnSwitch(bool on) { m_wwanOnSwitch = on ? 1 : 0; }

private:
    bool LegacyCall(uint32_t arg1, int32_t& state);

    IBiosCalls& m_bios;
    int32_t m_legacyState = -1;
    uint32_t m_radioStatus = 0;
    int32_t m_switchLocked = 0;
    int32_t m_wifiOnSwitch = 0;
    int32_t m_wpanOnSwitch = 0;
    int32_t m_wwanOnSwitch = 0;
    int32_t m_locatorEnabledBit = 0;
    int32_t m_locatorLocked = 0;
    int32_t m_callsValid = 0;
};
