// Registry values of every type and size, made from a fixed seed so that a
// failure can be replayed, read the way the suite reads its settings: each
// read either gives exactly what a well-formed value holds or reads as
// absent, and never more than the value's data.
#include "RegistryValueGuard.h"
#include "Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr wchar_t kValue[] = L"ConvTestMutated";
constexpr int kRounds = 1500;
constexpr DWORD kTypes[]
    = {REG_NONE, REG_SZ,       REG_EXPAND_SZ, REG_BINARY, REG_DWORD, REG_DWORD_BIG_ENDIAN,
       REG_LINK, REG_MULTI_SZ, REG_QWORD,     0x7F};

struct Mutation {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

Mutation Next(std::mt19937& random)
{
    Mutation m;
    m.type = kTypes[random() % std::size(kTypes)];
    // Mostly near the sizes that matter (a DWORD, the 260-byte text buffer).
    const size_t sizes[] = {0, 1, 3, 4, 5, 8, 258, 259, 260, 261, 262, 600};
    const size_t size = random() % 3 == 0 ? random() % 700 : sizes[random() % std::size(sizes)];
    m.data.resize(size);
    for (BYTE& b : m.data) b = static_cast<BYTE>(random() % 4 == 0 ? 0 : random());
    return m;
}

TEST(SettingsMutation, EveryValueReadsAsWhatItHoldsOrAsAbsent)
{
    RegistryValueGuard guard{CSettings::kKeyPath, {kValue}};
    const CSettings settings;
    std::mt19937 random(20261210);
    for (int round = 0; round < kRounds; ++round) {
        const Mutation m = Next(random);
        guard.SetRaw(kValue, m.type, m.data.data(), static_cast<DWORD>(m.data.size()));
        SCOPED_TRACE(testing::Message()
                     << "round " << round << " type " << m.type << " size " << m.data.size());

        const auto number = settings.TryReadDword(kValue);
        ASSERT_EQ(number.has_value(), m.type == REG_DWORD && m.data.size() == sizeof(DWORD));
        if (number) {
            DWORD expected = 0;
            std::memcpy(&expected, m.data.data(), sizeof(expected));
            ASSERT_EQ(*number, expected);
        }

        // A text is read only from a text value that fits the buffer; one of
        // whole characters with room for a terminator is always read (an odd
        // or full-size one may read as absent: the system asks for room to
        // terminate it).
        const auto text = settings.TryReadText(kValue);
        const bool fits = m.data.size() <= CSettings::kMaxTextBytes;
        const bool wellFormed
            = m.data.size() % 2 == 0 && m.data.size() + sizeof(wchar_t) <= CSettings::kMaxTextBytes;
        ASSERT_TRUE(!text || (m.type == REG_SZ && fits));
        ASSERT_TRUE(text || m.type != REG_SZ || !wellFormed);
        if (text) {
            // The text is the data up to its first terminator, never beyond it.
            std::vector<wchar_t> units(m.data.size() / sizeof(wchar_t));
            if (!units.empty()) std::memcpy(units.data(), m.data.data(), units.size() * sizeof(wchar_t));
            const std::wstring expected(units.begin(), std::find(units.begin(), units.end(), L'\0'));
            ASSERT_EQ(*text, expected);
        }
    }
}

} // namespace
