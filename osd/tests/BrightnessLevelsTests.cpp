// Brightness level rules against a firmware double that answers the level
// token, on AC power and on battery.
#include <gtest/gtest.h>

#include "BrightnessLevels.h"
#include "RecordingBios.h"
#include "SMBIOSParser.h"
#include "SmbiosTestTable.h"
#include "TokenOperations.h"

namespace {

constexpr uint16_t kLevelLocation = 0x0320;

class BrightnessLevelsTest : public ::testing::Test {
protected:
    void SetUp() override { UseMachine(0x0271, true); }

    void UseMachine(uint16_t systemId, bool withToken)
    {
        SmbiosTestTable table;
        table.CorvaneMachine(systemId);
        if (withToken) table.Tokens({{BrightnessLevels::kLevelToken, kLevelLocation, 0}});
        identity = CSMBIOSParser();
        identity.Parse(table.Size(), table.Data());
    }

    // The firmware answers the level token with (current, 0, highest).
    void Answer(uint16_t current, uint16_t highest, int32_t status = 0)
    {
        bios.script = [=](BiosCallBuffer& b) {
            if (b.cbClass != 0x0000 || b.cbArg1 != kLevelLocation) return false;
            b.cbRes1 = status;
            b.cbRes2 = 0xABCD0000u | current;
            b.cbRes3 = 0;
            b.cbRes4 = 0x55550000u | highest;
            return true;
        };
    }

    RecordingBios bios;
    CSMBIOSParser identity;
    bool onAc = true;
    CTokenOperations tokens{bios, identity, [this] { return onAc; }};
};

TEST_F(BrightnessLevelsTest, CountComesFromTheTokensThirdOutputOnTheCurrentPowerSource)
{
    Answer(3, 11);
    BrightnessLevels levels = BrightnessLevels::Read(tokens, 0x0271);
    EXPECT_EQ(levels.levelMax, 11);
    EXPECT_EQ(levels.levelStep, 100 / 12);
    ASSERT_EQ(bios.requests.size(), 1u);
    EXPECT_EQ(bios.requests[0].cbSelect, 2); // AC

    onAc = false;
    bios.requests.clear();
    BrightnessLevels::Read(tokens, 0x0271);
    ASSERT_EQ(bios.requests.size(), 1u);
    EXPECT_EQ(bios.requests[0].cbSelect, 1); // battery
}

TEST_F(BrightnessLevelsTest, CountFallsBackToTheModelTableWhenTheFirmwareGivesNone)
{
    // Zero levels reported, a failed read, no answer, no token and a count no
    // panel could have all fall back to the model table.
    struct Case {
        const char* what;
        int32_t status;
        uint16_t highest;
        bool answered;
        bool token;
    };
    const Case cases[] = {
        {"zero", 0, 0, true, true},         {"failed", -1, 11, true, true},
        {"unanswered", 0, 11, false, true}, {"no token", 0, 11, true, false},
        {"absurd", 0, 0xFFFF, true, true},
    };
    for (const Case& c : cases) {
        for (uint16_t id : {uint16_t(0x02BE), uint16_t(0x0254), uint16_t(0x0300)}) {
            UseMachine(id, c.token);
            Answer(0, c.highest, c.status);
            if (!c.answered) bios.script = nullptr;
            const BrightnessLevels levels = BrightnessLevels::Read(tokens, id);
            const int expected = id == 0x0300 ? 7 : 15;
            EXPECT_EQ(levels.levelMax, expected) << c.what << " on model " << id;
            EXPECT_EQ(levels.levelStep, 100 / (expected + 1)) << c.what;
        }
    }
}

TEST_F(BrightnessLevelsTest, EveryListedModelHasSixteenLevels)
{
    for (uint16_t id : {0x0254, 0x0255, 0x0256, 0x025A, 0x0271, 0x0272, 0x029F, 0x02A0, 0x02BE})
        EXPECT_EQ(BrightnessLevels::FallbackLevelMax(id), 15) << std::hex << id;
    for (uint16_t id : {0x0000, 0x0253, 0x0257, 0x0270, 0x02BF, 0xFFFF})
        EXPECT_EQ(BrightnessLevels::FallbackLevelMax(id), 7) << std::hex << id;
}

TEST_F(BrightnessLevelsTest, ReadingTheLevelKeepsTheCopyWhenWindowsOwnsItOrTheReadFails)
{
    const BrightnessLevels levels = BrightnessLevels::ForLevelMax(7);
    Answer(5, 7);
    EXPECT_EQ(levels.ReadLevel(2, 0, false, true, tokens), 2);
    EXPECT_TRUE(bios.requests.empty()) << "Windows owns the brightness: no firmware call";
    EXPECT_EQ(levels.ReadLevel(2, 6, true, true, tokens), 2);

    EXPECT_EQ(levels.ReadLevel(2, 6, true, false, tokens), 6);
    EXPECT_TRUE(bios.requests.empty()) << "an absolute value needs no firmware call";
    EXPECT_EQ(levels.ReadLevel(2, 0, false, false, tokens), 5);
    EXPECT_EQ(bios.requests.size(), 1u);

    // A level of 0 is a level, not a failure.
    Answer(0, 7);
    EXPECT_EQ(levels.ReadLevel(4, 0, false, false, tokens), 0);
    Answer(6, 7, -1);
    EXPECT_EQ(levels.ReadLevel(4, 0, false, false, tokens), 4);
    bios.script = nullptr;
    EXPECT_EQ(levels.ReadLevel(4, 0, false, false, tokens), 4);
}

TEST_F(BrightnessLevelsTest, LevelsFromOutsideStayInRange)
{
    const BrightnessLevels levels = BrightnessLevels::ForLevelMax(7);
    EXPECT_EQ(levels.ReadLevel(2, 40, true, false, tokens), 7);
    EXPECT_EQ(levels.ReadLevel(2, -3, true, false, tokens), 0);
    Answer(200, 7);
    EXPECT_EQ(levels.ReadLevel(2, 0, false, false, tokens), 7);
    EXPECT_EQ(levels.AfterKey(3, 99, true), 7);
    EXPECT_EQ(levels.AfterKey(3, -1, true), 0);
}

TEST_F(BrightnessLevelsTest, KeysMoveOneLevelOnlyInsideTheRange)
{
    const BrightnessLevels levels = BrightnessLevels::ForLevelMax(15);
    EXPECT_EQ(levels.AfterKey(15, +1, false), 15);
    EXPECT_EQ(levels.AfterKey(0, -1, false), 0);
    EXPECT_EQ(levels.AfterKey(14, +1, false), 15);
    EXPECT_EQ(levels.AfterKey(1, -1, false), 0);
    EXPECT_EQ(levels.AfterKey(7, +1, false), 8);
    EXPECT_EQ(levels.AfterKey(7, -1, false), 6);
    // A jump that would leave the range is dropped, not cut short.
    EXPECT_EQ(levels.AfterKey(13, +5, false), 13);
    EXPECT_EQ(levels.AfterKey(9, 6, true), 6);
}

TEST_F(BrightnessLevelsTest, PowerPlanGetsAFullStepPerLevelAndAHundredAtTheTop)
{
    const BrightnessLevels eight = BrightnessLevels::ForLevelMax(7);
    EXPECT_EQ(eight.levelStep, 12);
    EXPECT_EQ(eight.PowerPlanValue(7), 100u);
    EXPECT_EQ(eight.PowerPlanValue(3), 48u);
    EXPECT_EQ(eight.PowerPlanValue(0), 12u);
    EXPECT_EQ(eight.PowerPlanValue(6), 84u);
    EXPECT_EQ(eight.PowerPlanValue(30), 100u) << "a level past the top is the top";

    const BrightnessLevels sixteen = BrightnessLevels::ForLevelMax(15);
    EXPECT_EQ(sixteen.levelStep, 6);
    EXPECT_EQ(sixteen.PowerPlanValue(15), 100u);
    EXPECT_EQ(sixteen.PowerPlanValue(14), 90u);
}

TEST_F(BrightnessLevelsTest, PercentFromWindowsBecomesALevel)
{
    const BrightnessLevels eight = BrightnessLevels::ForLevelMax(7);
    EXPECT_EQ(eight.LevelFromPercent(100), 7);
    EXPECT_EQ(eight.LevelFromPercent(50), 3);
    EXPECT_EQ(eight.LevelFromPercent(48), 3);
    EXPECT_EQ(eight.LevelFromPercent(12), 0);
    EXPECT_EQ(eight.LevelFromPercent(11), 0) << "below one step is the darkest level";
    EXPECT_EQ(eight.LevelFromPercent(0), 0);
    EXPECT_EQ(eight.LevelFromPercent(99), 7);
    EXPECT_EQ(eight.LevelFromPercent(0xFFFFFFFFull), 7);

    // Every level written to the power plan reads back as itself.
    for (int levelMax : {7, 15}) {
        const BrightnessLevels levels = BrightnessLevels::ForLevelMax(levelMax);
        for (int level = 0; level <= levelMax; ++level)
            EXPECT_EQ(levels.LevelFromPercent(levels.PowerPlanValue(level)), level) << levelMax;
    }
}

} // namespace
