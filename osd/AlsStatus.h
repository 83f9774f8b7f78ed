#pragma once
#include <optional>

class IBiosCalls;

// The ambient light sensor as the firmware reports it: empty when the call
// fails or there is no firmware, else whether the sensor is on.
std::optional<bool> ReadAlsEnabled(IBiosCalls* bios);
