#include "HoldFade.h"
#include "OsdGeometry.h"
#include "OsdTimerIds.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

constexpr UINT_PTR kHold = OsdTimerNumber(OsdTimerId::BrightnessHold);
constexpr UINT_PTR kFade = OsdTimerNumber(OsdTimerId::BrightnessFade);

// Window timers as a map of running ids to periods; a start of a running id
// replaces it, as SetTimer does.
class FakeTimers : public IOsdTimers {
public:
    void StartTimer(UINT_PTR id, UINT elapseMs) override
    {
        running[id] = elapseMs;
        ++starts;
    }
    void StopTimer(UINT_PTR id) override
    {
        EXPECT_EQ(running.erase(id), 1u) << "stopped a timer that was not running: " << id;
    }

    std::map<UINT_PTR, UINT> running;
    int starts = 0;
};

class HoldFadeTest : public ::testing::Test {
protected:
    // Fires the fade timer until the display is to close; the levels drawn on the way.
    std::vector<int> FadeOut()
    {
        std::vector<int> levels;
        for (int tick = 0; tick < 20; ++tick) {
            const CHoldFade::Tick result = holdFade.OnTimer(kFade);
            EXPECT_LE(timers.running.size(), 1u);
            levels.push_back(holdFade.FadeLevel());
            if (result == CHoldFade::Tick::Finished) return levels;
            EXPECT_EQ(result, CHoldFade::Tick::Faded);
        }
        ADD_FAILURE() << "the fade never finished";
        return levels;
    }

    FakeTimers timers;
    CHoldFade holdFade{timers, kHold, kFade};
};

TEST_F(HoldFadeTest, ShowHoldsTwoAndAHalfSecondsAtFullOpacity)
{
    holdFade.Restart();
    EXPECT_EQ(timers.running, (std::map<UINT_PTR, UINT>{{kHold, 2500}}));
    EXPECT_TRUE(holdFade.IsHolding());
    EXPECT_FALSE(holdFade.IsFading());
    EXPECT_EQ(holdFade.FadeLevel(), 100);
}

TEST_F(HoldFadeTest, HoldEndsInTenFiftyMillisecondStepsThenCloses)
{
    holdFade.Restart();
    EXPECT_EQ(holdFade.OnTimer(kHold), CHoldFade::Tick::None);
    EXPECT_EQ(timers.running, (std::map<UINT_PTR, UINT>{{kFade, 50}}));
    EXPECT_TRUE(holdFade.IsFading());

    const std::vector<int> levels = FadeOut();
    EXPECT_EQ(levels, (std::vector<int>{90, 80, 70, 60, 50, 40, 30, 20, 10, 0}));
    EXPECT_TRUE(timers.running.empty());
    EXPECT_FALSE(holdFade.IsFading());
    EXPECT_FALSE(holdFade.IsHolding());

    // What the two constant-alpha families show on the way.
    std::vector<int> bitmap, outline;
    for (int level : levels) {
        bitmap.push_back(osd_geometry::BitmapFadeAlpha(level));
        outline.push_back(osd_geometry::OutlineFadeAlpha(level));
    }
    EXPECT_EQ(bitmap, (std::vector<int>{160, 142, 124, 106, 89, 71, 53, 35, 17, 0}));
    EXPECT_EQ(outline, (std::vector<int>{171, 152, 133, 114, 95, 76, 57, 38, 19, 0}));
}

TEST_F(HoldFadeTest, AShowDuringTheFadeHoldsAgainAtFullOpacity)
{
    holdFade.Restart();
    holdFade.OnTimer(kHold);
    holdFade.OnTimer(kFade);
    holdFade.OnTimer(kFade);
    ASSERT_EQ(holdFade.FadeLevel(), 80);

    holdFade.Restart();
    EXPECT_EQ(timers.running, (std::map<UINT_PTR, UINT>{{kHold, 2500}}));
    EXPECT_EQ(holdFade.FadeLevel(), 100);
    // A fade tick already queued before the show changes nothing.
    EXPECT_EQ(holdFade.OnTimer(kFade), CHoldFade::Tick::None);
    EXPECT_EQ(holdFade.FadeLevel(), 100);

    // The new hold ends in a whole fade again, from the top.
    holdFade.OnTimer(kHold);
    EXPECT_EQ(FadeOut().front(), 90);
}

TEST_F(HoldFadeTest, ShowsWhileHoldingRestartTheHold)
{
    holdFade.Restart();
    holdFade.Restart();
    holdFade.Restart();
    EXPECT_EQ(timers.running, (std::map<UINT_PTR, UINT>{{kHold, 2500}}));
    EXPECT_EQ(timers.starts, 3);
}

TEST_F(HoldFadeTest, OtherTimersAndStaleTicksAreNotItsBusiness)
{
    EXPECT_EQ(holdFade.OnTimer(kHold), CHoldFade::Tick::None);
    EXPECT_EQ(holdFade.OnTimer(kFade), CHoldFade::Tick::None);
    EXPECT_TRUE(timers.running.empty());

    holdFade.Restart();
    EXPECT_EQ(holdFade.OnTimer(0), CHoldFade::Tick::None);
    EXPECT_EQ(holdFade.OnTimer(OsdTimerNumber(OsdTimerId::VolumeHold)), CHoldFade::Tick::None);
    EXPECT_EQ(holdFade.OnTimer(kFade), CHoldFade::Tick::None);
    EXPECT_TRUE(holdFade.IsHolding());
}

TEST_F(HoldFadeTest, AfterTheWindowWentNothingRunsAndTheNextShowStartsClean)
{
    holdFade.Restart();
    holdFade.OnTimer(kHold);
    holdFade.OnTimer(kFade);
    // The window's timers went with it: nothing is stopped now.
    timers.running.clear();
    holdFade.Reset();
    EXPECT_FALSE(holdFade.IsFading());
    EXPECT_EQ(holdFade.FadeLevel(), 100);
    EXPECT_EQ(holdFade.OnTimer(kFade), CHoldFade::Tick::None);

    holdFade.Restart();
    EXPECT_EQ(timers.running, (std::map<UINT_PTR, UINT>{{kHold, 2500}}));
}

} // namespace
