#pragma once
#include <cstdint>

#include "BiosCallBuffer.h"
#include "SimMachine.h"

namespace sim {

// Radio numbers of the disable call: 0 every radio, then one each.
inline constexpr uint32_t kRadioAll = 0;
inline constexpr uint32_t kRadioWifi = 1;
inline constexpr uint32_t kRadioBluetooth = 2;
inline constexpr uint32_t kRadioWwan = 3;

struct RadioAnswer {
    int32_t res1 = -1;
    uint32_t res2 = 0;
    uint32_t res3 = 0;
    uint32_t res4 = 0;
};

// Answers the radio-control function (class 0x11, select 0x0B, sub-function
// in byte 0 of cbArg1) of a machine whose profile models its radios, and
// changes the machine as the firmware would.
RadioAnswer AnswerRadioCall(SimMachine& machine, const BiosCallBuffer& call);
// The older radio-state call (select 0x02): get, or set all radios on or off.
RadioAnswer AnswerLegacyRadioCall(SimMachine& machine, const BiosCallBuffer& call);

// Sets status bits 16..19 from the installed radios, the switch, the radios
// that follow it and the disable flags. A radio is off when it was disabled,
// or when it follows a switch that is off; bit 16 says some radio is on.
void UpdateRadioStatus(SimMachine& machine);

// Moves the hardware switch. False when the machine has none (or its radios
// are not modelled); `changed` says
// whether it moved.
bool SetRadioSwitch(SimMachine& machine, bool on, bool& changed);

// A fresh locator area: its length and signature, every setting 0.
void ResetLocatorArea(SimRadio& radio);

} // namespace sim
