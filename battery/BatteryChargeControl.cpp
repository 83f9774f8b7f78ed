#include "BatteryChargeControl.h"

#include "BatteryCalls.h"
#include "BiosCalls.h"

namespace {

constexpr uint32_t kRead = 0;
constexpr uint32_t kWrite = 1;

bool ReadState(IBiosCalls& bios, uint32_t& bits)
{
    BiosCallBuffer buffer;
    const bool done = bios.PerformSmi(buffer, battery_calls::kChargeControlClass,
                                      battery_calls::kChargeControlSelect, kRead, 0, 0, 0)
                      && buffer.cbRes1 == 0;
    bits = done ? buffer.cbRes2 : 0;
    return done;
}

} // namespace

BatteryChargeControl::BatteryChargeControl(IBiosCalls& bios) : m_bios(bios)
{
    uint32_t bits = 0;
    m_supported = ReadState(m_bios, bits) && (bits & battery_calls::kChargeDisableSupported) != 0;
}

bool BatteryChargeControl::Read(int& state) const
{
    state = kEnabled;
    uint32_t bits = 0;
    if (!m_supported || !ReadState(m_bios, bits)) return false;
    state = (bits & battery_calls::kChargingDisabled) != 0 ? kDisabled : kEnabled;
    return true;
}

bool BatteryChargeControl::Write(int state) const
{
    BiosCallBuffer buffer;
    return m_bios.PerformSmi(buffer, battery_calls::kChargeControlClass, battery_calls::kChargeControlSelect,
                             kWrite, state == kDisabled ? 1u : 0u, 0, 0)
           && buffer.cbRes1 == 0;
}
