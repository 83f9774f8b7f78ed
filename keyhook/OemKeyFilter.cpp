#include "OemKeyFilter.h"

namespace {
// Keys that only mean something when pressed. A released brightness key
// would step the level a second time, and a released volume key would show
// the volume again, so one press is one step.
constexpr uint16_t kPressOnlyKeys[] = {0x05, 0x06, 0x07, 0x11, 0x17, 0x2E, 0x30};
// The display-switch key reports its release as a key of its own.
constexpr uint16_t kDisplaySwitchKey = 0x1B;
constexpr uint16_t kReleaseMarker = 0x80;
} // namespace

KeyStroke KeyStroke::FromHook(WPARAM virtualKey, LPARAM info, bool nt4)
{
    const auto bits = static_cast<uint32_t>(info);
    KeyStroke stroke;
    stroke.scanCode = static_cast<uint16_t>((bits >> 16) & 0xFF);
    stroke.extended = (bits >> 24) & 1;
    stroke.released = (bits >> 31) & 1;
    if (nt4 && virtualKey == 0xFF) stroke.extended = true;
    return stroke;
}

OemKeyFilter::OemKeyFilter(const OemKey* keys, uint32_t count)
    : m_keys(keys), m_count(count < kMaxOemKeys ? count : kMaxOemKeys)
{}

bool OemKeyFilter::Watches(uint16_t scanCode, bool extended) const
{
    for (uint32_t i = 0; i < m_count; ++i) {
        if (m_keys[i].scanCode == scanCode && (m_keys[i].ext != 0) == extended) return true;
    }
    return false;
}

std::optional<ZelkeyKey> OemKeyFilter::KeyToQueue(const KeyStroke& stroke) const
{
    if (!Watches(stroke.scanCode, stroke.extended)) return std::nullopt;
    ZelkeyKey key{stroke.scanCode, 0, stroke.extended ? 1u : 0u};
    if (!stroke.released) return key;
    for (uint16_t pressOnly : kPressOnlyKeys) {
        if (stroke.scanCode == pressOnly) return std::nullopt;
    }
    if (stroke.scanCode == kDisplaySwitchKey) key.scanCode |= kReleaseMarker;
    return key;
}
