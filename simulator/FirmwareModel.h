#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "SimMachine.h"

namespace sim {

// Answers one DoBFn request (the Bytes the caller sent) from the machine state
// and logs it. The answer has the request's length, or the profile's short
// answer length. Requests shorter than one call record get no answer (empty).
std::vector<uint8_t> AnswerCall(SimMachine& machine, const uint8_t* request, size_t length);

// Where token reads and activations land; null when the location is unknown.
SimSetting* FindSetting(SimMachine& machine, uint16_t location);

} // namespace sim
