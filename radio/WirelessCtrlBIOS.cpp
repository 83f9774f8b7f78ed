#include "WirelessCtrlBIOS.h"

#include "RadioCalls.h"

namespace {

// Switch configuration bits.
constexpr uint32_t kWifiFollows = 1u << 0;
constexpr uint32_t kWpanFollows = 1u << 1;
constexpr uint32_t kWwanFollows = 1u << 2;
constexpr uint32_t kSwitchLocked = 1u << 7;
constexpr uint32_t kLocatorEnabled = 1u << 8;
constexpr uint32_t kLocatorLocked = 1u << 15;

int32_t Flag(uint32_t word, uint32_t bit)
{
    return (word & bit) != 0 ? 1 : 0;
}

bool Succeeded(IBiosCalls& bios, BiosCallBuffer& buffer, uint16_t select, uint32_t arg1)
{
    return bios.PerformSmi(buffer, radiocall::kClass, select, arg1, 0, 0, 0) && buffer.cbRes1 == 0;
}

} // namespace

CWirelessCtrlBIOS::CWirelessCtrlBIOS(IBiosCalls& bios) : m_bios(bios)
{
    RadioStatusRead(0, 0);
    SwitchConfigRead();
}

bool CWirelessCtrlBIOS::RadioStatusRead(int supplied, uint32_t status)
{
    if (supplied != 0) {
        m_radioStatus = status;
        m_callsValid = 1;
        return true;
    }
    BiosCallBuffer buffer;
    if (!Succeeded(m_bios, buffer, radiocall::kSelect, radiocall::kStatus)) {
        m_callsValid = 0;
        return false;
    }
    m_radioStatus = buffer.cbRes2;
    m_callsValid = 1;
    return true;
}

bool CWirelessCtrlBIOS::SwitchConfigRead()
{
    BiosCallBuffer buffer;
    if (!Succeeded(m_bios, buffer, radiocall::kSelect, radiocall::kSwitchConfig)) {
        m_callsValid = 0;
        return false;
    }
    const uint32_t config = buffer.cbRes2;
    m_wifiOnSwitch = Flag(config, kWifiFollows);
    m_wpanOnSwitch = Flag(config, kWpanFollows);
    m_wwanOnSwitch = Flag(config, kWwanFollows);
    m_switchLocked = Flag(config, kSwitchLocked);
    m_locatorEnabledBit = Flag(config, kLocatorEnabled);
    m_locatorLocked = Flag(config, kLocatorLocked);
    return true;
}

bool CWirelessCtrlBIOS::SwitchConfigWrite()
{
    const uint32_t bits = static_cast<uint32_t>(m_wifiOnSwitch) | static_cast<uint32_t>(m_wpanOnSwitch) << 1
                          | static_cast<uint32_t>(m_wwanOnSwitch) << 2;
    BiosCallBuffer buffer;
    return Succeeded(m_bios, buffer, radiocall::kSelect,
                     radiocall::kSwitchConfig | radiocall::kSwitchConfigSet | bits << 16);
}

bool CWirelessCtrlBIOS::RadioDisableSet(int radio, int disable)
{
    const uint32_t arg1
        = radiocall::kDisable | (static_cast<uint32_t>(radio) & 0xFF) << 8 | (disable != 0 ? 1u : 0u) << 16;
    BiosCallBuffer buffer;
    return Succeeded(m_bios, buffer, radiocall::kSelect, arg1);
}

bool CWirelessCtrlBIOS::LegacyRadioStateGet(int32_t& state)
{
    return LegacyCall(radiocall::kLegacyGet, state);
}

bool CWirelessCtrlBIOS::LegacyRadioStateSet(int on, int32_t& state)
{
    return LegacyCall(radiocall::kLegacySet | (on != 0 ? 1u : 0u) << 8, state);
}

bool CWirelessCtrlBIOS::LegacyCall(uint32_t arg1, int32_t& state)
{
    BiosCallBuffer buffer;
    if (!m_bios.PerformSmi(buffer, radiocall::kClass, radiocall::kLegacySelect, arg1, 0, 0, 0)) return false;
    if (buffer.cbRes1 == 0) {
        m_legacyState = static_cast<int32_t>(buffer.cbRes2);
    } else if (buffer.cbRes1 == radiocall::kLegacyUnsupported) {
        m_legacyState = radiocall::kLegacyUnsupported;
    } else {
        return false;
    }
    state = m_legacyState;
    return true;
}
