// Token operations against the simulated notebook: the selector follows the
// power source for the tokens that have one setting per source.
#include <gtest/gtest.h>

#include <memory>

#include "SimulatedBiosTest.h"

namespace {

// Tokens of the default notebook (corvane-default.ini).
constexpr uint16_t kBrightnessLevels = 0x007D; // location 0x0320, 4 on battery / 7 on AC
constexpr uint16_t kSplitToken = 0x017C; // location 0x0340, value 0
constexpr uint16_t kPlainToken = 0x0180; // location 0x0344, value 1
constexpr uint16_t kUnkeptToken = 0x02B4; // in the firmware's table, not kept by the suite

class TokenEndToEnd : public SimulatedBiosTest {
protected:
    void SetUp() override { Start(L"corvane-default"); }
    void Simctl(const wchar_t* command) { ASSERT_TRUE(notebook.Simctl(command)) << command; }
    // The selector and arguments of the only call made since the last look.
    void ExpectOneCall(uint16_t cbClass, uint16_t select, uint32_t location, uint32_t value = 0)
    {
        const auto calls = notebook.Calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].cbClass, cbClass);
        EXPECT_EQ(calls[0].cbSelect, select);
        EXPECT_EQ(calls[0].args[0], location);
        EXPECT_EQ(calls[0].args[1], value);
        ASSERT_TRUE(notebook.ClearCalls());
    }
};

TEST_F(TokenEndToEnd, ReadsFollowTheAdapter)
{
    Simctl(L"set ac 1");
    EXPECT_EQ(bios->TokenRead(kBrightnessLevels), 7);
    ExpectOneCall(0x0000, 2, 0x0320);
    uint16_t v1 = 0, v2 = 1, v3 = 0;
    ASSERT_TRUE(bios->TokenReadAll(kBrightnessLevels, &v1, &v2, &v3));
    EXPECT_EQ(v1, 7);
    EXPECT_EQ(v2, 0);
    EXPECT_EQ(v3, 15);
    ASSERT_TRUE(notebook.ClearCalls());

    Simctl(L"set ac 0");
    EXPECT_EQ(bios->TokenRead(kBrightnessLevels), 4);
    ExpectOneCall(0x0000, 1, 0x0320);
    // Active means: the setting holds the token's value (0) on this power source.
    Simctl(L"set setting 0x0340 0 5");
    EXPECT_TRUE(bios->TokenIsActive(kSplitToken));
    Simctl(L"set ac 1");
    EXPECT_FALSE(bios->TokenIsActive(kSplitToken));

    // Plain tokens use selector 0 on either source.
    ASSERT_TRUE(notebook.ClearCalls());
    EXPECT_FALSE(bios->TokenIsActive(kPlainToken));
    ExpectOneCall(0x0000, 0, 0x0344);
}

TEST_F(TokenEndToEnd, ActivationWritesTheChosenPowerSourcesSetting)
{
    struct Case {
        const wchar_t* ac;
        int powerSource;
        uint16_t select;
        const char* setting; // battery/AC after 5/6 was activated with value 0
    };
    const Case cases[] = {
        {L"set ac 0", -1, 1, "0/6"}, {L"set ac 0", 1, 2, "5/0"}, {L"set ac 1", -1, 2, "5/0"},
        {L"set ac 1", 0, 1, "0/6"},  {L"set ac 1", 7, 2, "5/0"},
    };
    for (const Case& c : cases) {
        Simctl(c.ac);
        Simctl(L"set setting 0x0340 5 6");
        ASSERT_TRUE(notebook.ClearCalls());
        EXPECT_TRUE(bios->TokenActivate(kSplitToken, c.powerSource)) << c.powerSource;
        ExpectOneCall(0x0001, c.select, 0x0340, 0);
        EXPECT_EQ(notebook.Setting(0x0340), c.setting) << c.ac << " source " << c.powerSource;
    }

    // A plain token ignores the power-source argument.
    EXPECT_TRUE(bios->TokenActivate(kPlainToken, 0));
    ExpectOneCall(0x0001, 0, 0x0344, 1);
    EXPECT_TRUE(bios->TokenIsActive(kPlainToken));
}

TEST_F(TokenEndToEnd, UnlistedTokensMakeNoCallAndFailedCallsReadAsZero)
{
    uint16_t v1 = 9, v2 = 9, v3 = 9;
    EXPECT_EQ(bios->TokenRead(kUnkeptToken), 0);
    EXPECT_FALSE(bios->TokenIsActive(kUnkeptToken));
    EXPECT_FALSE(bios->TokenActivate(kUnkeptToken));
    EXPECT_FALSE(bios->TokenReadAll(kUnkeptToken, &v1, &v2, &v3));
    EXPECT_EQ(v1 + v2 + v3, 0);
    EXPECT_TRUE(notebook.Calls().empty());

    Simctl(L"fail-next 1");
    v1 = v2 = v3 = 9;
    EXPECT_FALSE(bios->TokenReadAll(kBrightnessLevels, &v1, &v2, &v3));
    EXPECT_EQ(v1 + v2 + v3, 0);
    Simctl(L"answer-next -1");
    EXPECT_EQ(bios->TokenRead(kBrightnessLevels), 0);
    Simctl(L"answer-next -1");
    EXPECT_FALSE(bios->TokenActivate(kBrightnessLevels));

    // Another maker's notebook lists no tokens at all.
    Start(L"halvorn");
    EXPECT_TRUE(bios->Tokens().empty());
    EXPECT_EQ(bios->TokenRead(kBrightnessLevels), 0);
    EXPECT_FALSE(bios->TokenActivate(kBrightnessLevels));
    EXPECT_TRUE(notebook.Calls().empty());
}

} // namespace
