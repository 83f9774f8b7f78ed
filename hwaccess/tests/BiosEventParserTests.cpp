#include "BiosEventParser.h"
#include "OemKeyTable.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// The little-endian bytes of the given words.
std::vector<uint8_t> Words(const std::vector<uint16_t>& words)
{
    std::vector<uint8_t> bytes;
    for (uint16_t w : words) {
        bytes.push_back(static_cast<uint8_t>(w & 0xFF));
        bytes.push_back(static_cast<uint8_t>(w >> 8));
    }
    return bytes;
}

std::vector<BiosEventCode> Parse(const std::vector<uint8_t>& bytes)
{
    return ParseBiosEvent(bytes);
}

BiosEventCode Ev(uint16_t code, uint16_t a1 = 0, uint16_t a2 = 0, uint16_t a3 = 0, uint16_t a4 = 0)
{
    return {code, a1, a2, a3, a4};
}

using Events = std::vector<BiosEventCode>;

TEST(OemKeyTable, LooksUpScanCodeAndExtendedFlagTogether)
{
    EXPECT_EQ(OemKeyCode(0x3A, false), 0x003A);
    EXPECT_EQ(OemKeyCode(0x3A, true), 0);
    EXPECT_EQ(OemKeyCode(0x05, true), 0xE005);
    EXPECT_EQ(OemKeyCode(0x05, false), 0);
    EXPECT_EQ(OemKeyCode(0x29, true), 0xE029);
    EXPECT_EQ(OemKeyCode(0x105, true), 0);
    EXPECT_EQ(OemKeyCode(0, false), 0);
    EXPECT_EQ(OemKeyCodeFromEventWord(0xE0F9), 0xE0F9);
    EXPECT_EQ(OemKeyCodeFromEventWord(0xE03A), 0);
    // Only 0xE0 marks an extended key; any other high byte reads as a plain key.
    EXPECT_EQ(OemKeyCodeFromEventWord(0x123A), 0x003A);
    EXPECT_EQ(OemKeyCodeFromEventWord(0x12F9), 0);
    EXPECT_EQ(std::set<uint16_t>(kOemKeyCodes.begin(), kOemKeyCodes.end()).size(), 33u);
}

TEST(BiosEventArguments, EveryCodeWithALengthIsAnOemKeyAndOnlyFiveKeysHaveNone)
{
    std::set<uint16_t> withoutLength;
    for (uint16_t code : kOemKeyCodes) {
        if (BiosEventArgumentCount(code) < 0) withoutLength.insert(code);
    }
    EXPECT_EQ(withoutLength, (std::set<uint16_t>{0xE00A, 0xE029, 0xE080, 0xE0A0, 0xE0AE}));
    EXPECT_EQ(BiosEventArgumentCount(0xE005), 1);
    EXPECT_EQ(BiosEventArgumentCount(0xE00B), 3);
    EXPECT_EQ(BiosEventArgumentCount(0xE00D), 4);
    EXPECT_EQ(BiosEventArgumentCount(0x1234), -1);
}

TEST(BiosEventList, CodesTakeTheirOwnArguments)
{
    EXPECT_EQ(Parse(Words({8, 15, 0xE005, 5, 0xE008, 1, 2, 3, 4})),
              (Events{Ev(0xE005, 5), Ev(0xE008, 1, 2, 3, 4)}));
    EXPECT_EQ(Parse(Words({9, 15, 0xE025, 0xE00B, 7, 8, 9, 0x003A, 0xE013, 1})),
              (Events{Ev(0xE025), Ev(0xE00B, 7, 8, 9), Ev(0x003A), Ev(0xE013, 1)}));
}

TEST(BiosEventList, StopsAtAnUnknownCodeOrCodeZeroKeepingEarlierCodes)
{
    EXPECT_EQ(Parse(Words({6, 15, 0xE006, 3, 0xE001, 0xE025, 0xE027})), (Events{Ev(0xE006, 3)}));
    EXPECT_EQ(Parse(Words({6, 15, 0xE025, 0, 0xE027})), (Events{Ev(0xE025)}));
    EXPECT_TRUE(Parse(Words({3, 15, 0xE101, 0xE025})).empty());
}

TEST(BiosEventList, StopsAtAKeyWithoutADefinedLength)
{
    for (uint16_t code : {0xE00A, 0xE029, 0xE080, 0xE0A0, 0xE0AE}) {
        EXPECT_EQ(Parse(Words({5, 15, 0xE009, code, 0xE025, 0xE027})), (Events{Ev(0xE009)}))
            << std::hex << code;
    }
}

TEST(BiosEventList, CodesEndWithTheEventLengthTheirArgumentsAreTheWordsThatFollow)
{
    // No code is read after w[0]'s count ...
    EXPECT_EQ(Parse(Words({3, 15, 0xE025, 0xE027, 0xE028})), (Events{Ev(0xE025), Ev(0xE027)}));
    // ... but a code's arguments are the words after it, even past the count.
    EXPECT_EQ(Parse(Words({3, 15, 0xE008, 1, 2, 3, 4})), (Events{Ev(0xE008, 1, 2, 3, 4)}));
    EXPECT_EQ(Parse(Words({2, 15, 0xE006, 9})), (Events{Ev(0xE006, 9)}));
    EXPECT_EQ(Parse(Words({4, 15, 0xE025, 0xE00B, 7, 8, 9})), (Events{Ev(0xE025), Ev(0xE00B, 7, 8, 9)}));
}

TEST(BiosEventList, ArgumentsPastTheEventsDataAreZero)
{
    EXPECT_EQ(Parse(Words({2, 15, 0xE006})), (Events{Ev(0xE006)}));
    EXPECT_EQ(Parse(Words({2, 15, 0xE008, 1, 2})), (Events{Ev(0xE008, 1, 2)}));
    // The data ends inside the second argument: its low byte is read, nothing more.
    EXPECT_EQ(Parse({2, 0, 15, 0, 0x08, 0xE0, 1, 0, 0x34}), (Events{Ev(0xE008, 1, 0x34)}));
}

TEST(BiosEventList, LongerThanTheRecordIsCutAtTheRecordsEnd)
{
    // 62 Caps Lock codes fill w[2]..w[63]; the length claims far more.
    std::vector<uint8_t> bytes = Words({200, 15});
    for (int i = 2; i < 64; ++i) {
        const auto more = Words({0x003A});
        bytes.insert(bytes.end(), more.begin(), more.end());
    }
    const auto beyond = Words({0xE025, 0xE025, 0xE025});
    bytes.insert(bytes.end(), beyond.begin(), beyond.end());
    const Events events = Parse(bytes);
    EXPECT_EQ(events.size(), 62u);
    EXPECT_EQ(events, Events(62, Ev(0x003A)));

    // A code in the last word whose arguments would lie past the record.
    bytes[126] = 0x08;
    bytes[127] = 0xE0;
    const Events cut = Parse(bytes);
    ASSERT_EQ(cut.size(), 62u);
    EXPECT_EQ(cut.back(), Ev(0xE008));
}

TEST(BiosEventSingle, ArgumentsArePresentAsFarAsTheLengthReaches)
{
    auto with = [](uint16_t length) { return Parse(Words({length, 0, 0xE008, 11, 22, 33, 44})); };
    EXPECT_EQ(with(2), (Events{Ev(0xE008)}));
    EXPECT_EQ(with(3), (Events{Ev(0xE008, 11)}));
    EXPECT_EQ(with(4), (Events{Ev(0xE008, 11, 22)}));
    EXPECT_EQ(with(5), (Events{Ev(0xE008, 11, 22, 33)}));
    EXPECT_EQ(with(6), (Events{Ev(0xE008, 11, 22, 33, 44)}));
    EXPECT_EQ(with(200), (Events{Ev(0xE008, 11, 22, 33, 44)}));
}

TEST(BiosEventSingle, OnlyKeysOfTheTableAreDispatched)
{
    EXPECT_TRUE(Parse(Words({3, 0, 0xE001, 5})).empty());
    EXPECT_TRUE(Parse(Words({3, 0, 0x0005, 5})).empty());
    EXPECT_TRUE(Parse(Words({3, 0, 0, 5})).empty());
    // A single event needs no length table: keys without one still arrive.
    EXPECT_EQ(Parse(Words({2, 0, 0xE00A})), (Events{Ev(0xE00A)}));
    EXPECT_EQ(Parse(Words({3, 0, 0xE005, 4})), (Events{Ev(0xE005, 4)}));
}

TEST(BiosEventRecord, EmptyShortAndUnknownEventsAreSafe)
{
    EXPECT_TRUE(Parse({}).empty());
    EXPECT_TRUE(Parse({7}).empty());
    EXPECT_TRUE(Parse(Words({0, 0, 0xE025})).empty());
    EXPECT_TRUE(Parse(Words({1, 0, 0xE025})).empty());
    EXPECT_TRUE(Parse(Words({4, 1, 0xE025})).empty());
    EXPECT_TRUE(Parse(Words({4, 14, 0xE025})).empty());
    // The data ends inside the first argument: what is there is read, the rest is zero.
    EXPECT_EQ(Parse({6, 0, 0, 0, 0x06, 0xE0, 0x07}), (Events{Ev(0xE006, 7)}));
    // A list whose data ends before the length says: missing words read as zero,
    // and a zero code ends it.
    EXPECT_EQ(Parse(Words({40, 15, 0xE013, 2, 0xE025})), (Events{Ev(0xE013, 2), Ev(0xE025)}));
}

} // namespace
