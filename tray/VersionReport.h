#pragma once
#include <cstdint>
#include <string_view>

class IBiosCalls;

// The installed product version, reported to the firmware at start-up and
// after resume (1) and at the end (0).
namespace version_report {

constexpr uint32_t kSignature = 0x5456524E; // "TVRN" from the most significant byte

// "1.3.8" -> 138: dots removed, then the leading decimal digits; 0 for text
// without digits or a number too large for 32 bits.
uint32_t ParseVersionNumber(std::wstring_view text);

// TavrinVersion from the settings key, parsed; 0 when missing.
uint32_t ReadInstalledVersion();

// True when the firmware answered with success.
bool Report(IBiosCalls& bios, uint32_t version, uint32_t running);

} // namespace version_report
