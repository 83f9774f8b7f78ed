#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// The firmware's adapter, battery and dock alerts as texts: which family a
// code belongs to and the text composed for it from the numbered texts.
namespace power_alert {

// The code of a numbered message, and code and detail both: nothing pending.
inline constexpr uint32_t kNumberedMessage = 0xFFFFFFFFu;

enum class Family { None, Adapter, Battery, Dock, Numbered };

struct Request {
    uint32_t code = 0;
    uint32_t detail = 0;
    uint32_t flags = 0;
};

// The numbered text of the tray's table in the user's language.
using TextSource = std::function<std::wstring(UINT number)>;

Family FamilyOf(uint32_t code);

// A firmware event's words: code and detail widened, flags word 4 over word 3.
Request FromEvent(uint16_t arg1, uint16_t arg2, uint32_t flags);

// Recommended adapter watts or battery watt-hours.
inline uint32_t RatedValue(uint32_t flags)
{
    return flags >> 24;
}

// The watts of the adapter found in the dock.
inline uint32_t DockAdapterWatts(uint32_t flags)
{
    return (flags >> 16) & 0xFF;
}

// The text with its one placeholder (%d, %u, %s or %ls) replaced by value;
// "%%" reads as "%". A translated text is never handed to a formatter.
std::wstring Fill(const std::wstring& text, const std::wstring& value);

// Texts for codes 1..5, 17..22 and 49..53; any other code gives an empty text.
// k7: the newer visual family (style 3) composes the adapter text on lines.
std::wstring AdapterText(uint32_t code, uint32_t flags, bool k7, const TextSource& text);
std::wstring BatteryText(uint32_t code, uint32_t flags, const TextSource& text);
std::wstring DockText(uint32_t code, uint32_t flags, const TextSource& text);

// The number of the text a numbered message with a detail of 0 or more asks
// for (detail + 1); 0 when that is beyond the 16-bit range of text numbers,
// where the message has an empty text.
UINT NumberedText(uint32_t detail);

} // namespace power_alert
