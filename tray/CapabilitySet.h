#pragma once
#include <array>
#include <cstdint>

// The tray's own 512 capability bits (distinct from the hardware feature
// bits): bit n is bit n mod 32 of word n / 32; bits outside 0..511 read as
// clear and cannot be set.
class CCapabilitySet {
public:
    static constexpr int kBits = 512;

    void Clear() { m_words.fill(0); }
    void Set(int bit)
    {
        if (InRange(bit)) m_words[bit / 32] |= 1u << (bit % 32);
    }
    bool IsSet(int bit) const { return InRange(bit) && (m_words[bit / 32] >> (bit % 32)) & 1u; }
    uint32_t Word(int index) const { return index >= 0 && index < kBits / 32 ? m_words[index] : 0; }

private:
    static bool InRange(int bit) { return bit >= 0 && bit < kBits; }
    std::array<uint32_t, kBits / 32> m_words{};
};
