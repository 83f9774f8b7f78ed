#include "BiosEventParser.h"

#include "OemKeyTable.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::size_t kRecordWords = kBiosEventRecordBytes / 2;
using Record = std::array<uint16_t, kRecordWords>;

struct ArgumentCount {
    uint16_t code;
    int count;
};

constexpr ArgumentCount kArgumentCounts[] = {
    {0x003A, 0}, {0xE007, 0}, {0xE009, 0}, {0xE00E, 0}, {0xE011, 0}, {0xE020, 0}, {0xE023, 0},
    {0xE025, 0}, {0xE026, 0}, {0xE027, 0}, {0xE028, 0}, {0xE02E, 0}, {0xE030, 0}, {0xE045, 0},
    {0xE0F7, 0}, {0xE0F8, 0}, {0xE0F9, 0}, {0xE005, 1}, {0xE006, 1}, {0xE00C, 1}, {0xE013, 1},
    {0xE033, 1}, {0xE034, 1}, {0xE00B, 3}, {0xE01B, 3}, {0xE09B, 3}, {0xE008, 4}, {0xE00D, 4},
};

Record ReadRecord(std::span<const uint8_t> bytes)
{
    Record w{};
    const std::size_t used = std::min(bytes.size(), kBiosEventRecordBytes);
    for (std::size_t i = 0; i < used; ++i) {
        const unsigned shift = (i % 2) * 8;
        w[i / 2] = static_cast<uint16_t>(w[i / 2] | (bytes[i] << shift));
    }
    return w;
}

// The word at index when it lies within lastIndex, else 0. Words past the
// event's data are 0 in the record: nothing is read from past the data.
uint16_t WordIfPresent(const Record& w, std::size_t index, std::size_t lastIndex)
{
    return index <= lastIndex && index < kRecordWords ? w[index] : 0;
}

BiosEventCode WithArguments(uint16_t code, const Record& w, std::size_t first, int count,
                            std::size_t lastIndex)
{
    BiosEventCode event;
    event.code = code;
    uint16_t* const args[] = {&event.arg1, &event.arg2, &event.arg3, &event.arg4};
    for (int k = 0; k < count && k < 4; ++k) {
        *args[k] = WordIfPresent(w, first + k, lastIndex);
    }
    return event;
}

std::vector<BiosEventCode> ParseSingle(const Record& w)
{
    const uint16_t code = OemKeyCodeFromEventWord(w[2]);
    if (code == 0) return {};
    return {WithArguments(code, w, 3, 4, w[0])};
}

std::vector<BiosEventCode> ParseList(const Record& w)
{
    std::vector<BiosEventCode> events;
    const std::size_t last = std::min<std::size_t>(w[0], kRecordWords - 1);
    std::size_t i = 2;
    while (i <= last) {
        const uint16_t code = OemKeyCodeFromEventWord(w[i]);
        if (code == 0) break;
        const int count = BiosEventArgumentCount(code);
        if (count < 0) break;
        // The length bounds the codes; a code's arguments are the words
        // that follow it, as far as the record (and the event's data) goes.
        events.push_back(WithArguments(code, w, i + 1, count, kRecordWords - 1));
        i += 1 + static_cast<std::size_t>(count);
    }
    return events;
}

} // namespace

int BiosEventArgumentCount(uint16_t code)
{
    for (const auto& entry : kArgumentCounts) {
        if (entry.code == code) return entry.count;
    }
    return -1;
}

std::vector<BiosEventCode> ParseBiosEvent(std::span<const uint8_t> bytes)
{
    const Record w = ReadRecord(bytes);
    if (w[0] < 2) return {};
    switch (w[1]) {
    case kBiosEventSingle:
        return ParseSingle(w);
    case kBiosEventList:
        return ParseList(w);
    default:
        return {};
    }
}
