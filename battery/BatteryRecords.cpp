#include "BatteryRecords.h"

#include <cstring>

namespace battery_records {
namespace {

template <typename Record>
std::optional<Record> ParseRecord(const uint8_t* data, size_t length)
{
    if (!data || length < sizeof(Record)) return std::nullopt;
    Record record;
    std::memcpy(&record, data, sizeof record);
    return record;
}

} // namespace

std::optional<uint32_t> ParseTag(const uint8_t* data, size_t length)
{
    return ParseRecord<uint32_t>(data, length);
}

std::optional<Information> ParseInformation(const uint8_t* data, size_t length)
{
    return ParseRecord<Information>(data, length);
}

std::optional<Status> ParseStatus(const uint8_t* data, size_t length)
{
    return ParseRecord<Status>(data, length);
}

std::wstring ParseText(const uint8_t* data, size_t length)
{
    std::wstring text;
    if (!data) return text;
    for (size_t p = 0; p + 1 < length; p += 2) {
        const wchar_t c = static_cast<wchar_t>(data[p] | (data[p + 1] << 8));
        if (c == L'\0') break;
        text.push_back(c);
    }
    return text;
}

std::wstring ChemistryText(const uint8_t (&chemistry)[4])
{
    std::wstring text;
    for (uint8_t c : chemistry) {
        if (c == 0) break;
        text.push_back(static_cast<wchar_t>(c));
    }
    return text;
}

} // namespace battery_records
