#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// One hotkey or condition reported by the firmware: an OEM key event code
// and up to four argument words (absent arguments are 0).
struct BiosEventCode {
    uint16_t code = 0;
    uint16_t arg1 = 0;
    uint16_t arg2 = 0;
    uint16_t arg3 = 0;
    uint16_t arg4 = 0;

    bool operator==(const BiosEventCode&) const = default;
};

// The firmware event record: the first 128 bytes of the event's data,
// read as 64 little-endian words. w[0] is the number of words that follow,
// w[1] the kind, and the codes start at w[2].
inline constexpr std::size_t kBiosEventRecordBytes = 128;
inline constexpr uint16_t kBiosEventSingle = 0;
inline constexpr uint16_t kBiosEventList = 15;

// Number of argument words that follow a code inside a list event, or -1
// for a code whose length is not defined (a list ends there).
int BiosEventArgumentCount(uint16_t code);

// Parses the data bytes of one firmware event into its codes, in order.
// Data shorter than the record reads as zero past its end; longer data is
// read up to the record's size. A code outside the OEM key table ends the
// parse; codes before it are kept.
std::vector<BiosEventCode> ParseBiosEvent(std::span<const uint8_t> bytes);
