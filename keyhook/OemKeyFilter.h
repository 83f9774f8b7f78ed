#pragma once
#include "SharedState.h"
#include <optional>

// One keyboard message as the hook sees it, taken from its lParam.
struct KeyStroke {
    uint16_t scanCode = 0;
    bool extended = false;
    bool released = false;

    // On Windows NT 4.0 some extended keys arrive as virtual key 0xFF
    // without the extended bit; nt4 treats those as extended.
    static KeyStroke FromHook(WPARAM virtualKey, LPARAM info, bool nt4);
};

// Decides which strokes of the watched OEM keys go into the queue.
class OemKeyFilter {
public:
    OemKeyFilter(const OemKey* keys, uint32_t count);

    bool Watches(uint16_t scanCode, bool extended) const;
    // The key to queue for this stroke, or nothing.
    std::optional<ZelkeyKey> KeyToQueue(const KeyStroke& stroke) const;

private:
    const OemKey* m_keys;
    uint32_t m_count;
};
