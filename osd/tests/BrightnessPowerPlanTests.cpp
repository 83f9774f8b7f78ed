// Writing the brightness into the simulated notebook's active power plan,
// with simctl (another process) switching the power source and the faults.
#include "BrightnessPowerPlan.h"
#include "PlatformSeams.h"
#include "SimulatedNotebook.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr GUID kVideoSubgroup
    = {0x7516B95F, 0xF776, 0x4464, {0x8C, 0x53, 0x06, 0x16, 0x7F, 0x40, 0xCC, 0x99}};
constexpr GUID kVideoBrightness
    = {0xADED5E82, 0xB909, 0x4619, {0x99, 0x49, 0xF5, 0xD7, 0x1D, 0xAC, 0x0B, 0xCB}};

using Outcome = CBrightnessPowerPlan::Outcome;

class BrightnessPowerPlan : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(notebook.Load(L"corvane-default")); }
    void TearDown() override { notebook.Load(L"corvane-default"); }

    // The active plan's brightness for one source, read back through the seams.
    DWORD ActiveBrightness(seams::PowerSource source)
    {
        GUID scheme{};
        EXPECT_EQ(seams::PowerGetActiveScheme(&scheme), static_cast<DWORD>(ERROR_SUCCESS));
        DWORD value = 0xFFFFFFFF;
        EXPECT_EQ(seams::PowerReadValueIndex(source, scheme, kVideoSubgroup, kVideoBrightness, &value),
                  static_cast<DWORD>(ERROR_SUCCESS));
        return value;
    }
    // One line of `simctl power-plans`, by its first word.
    std::string PlansLine(const std::string& start)
    {
        const std::string out = notebook.SimctlOutput(L"power-plans");
        const size_t at = out.find(start);
        if (at == std::string::npos) return std::string();
        return out.substr(at, out.find_first_of("\r\n", at) - at);
    }

    SimulatedNotebook notebook;
};

TEST_F(BrightnessPowerPlan, OnAcTheAcValueOfTheActivePlanIsWrittenAndThePlanApplied)
{
    const DWORD batteryBefore = ActiveBrightness(seams::PowerSource::Dc);
    EXPECT_EQ(CBrightnessPowerPlan::Write(48), Outcome::Written);
    EXPECT_EQ(ActiveBrightness(seams::PowerSource::Ac), 48u);
    EXPECT_EQ(ActiveBrightness(seams::PowerSource::Dc), batteryBefore);
    EXPECT_EQ(PlansLine("plan-writes"), "plan-writes=1 activations=1");
    EXPECT_EQ(PlansLine("last-write"), "last-write plan=\"Balanced\" ac brightness=48");

    EXPECT_EQ(CBrightnessPowerPlan::Write(100), Outcome::Written);
    EXPECT_EQ(ActiveBrightness(seams::PowerSource::Ac), 100u);
    EXPECT_EQ(PlansLine("plan-writes"), "plan-writes=2 activations=2");
}

TEST_F(BrightnessPowerPlan, OnBatteryTheDcValueIsWritten)
{
    ASSERT_TRUE(notebook.Simctl(L"set ac 0"));
    const DWORD acBefore = ActiveBrightness(seams::PowerSource::Ac);
    EXPECT_EQ(CBrightnessPowerPlan::Write(48), Outcome::Written);
    EXPECT_EQ(ActiveBrightness(seams::PowerSource::Dc), 48u);
    EXPECT_EQ(ActiveBrightness(seams::PowerSource::Ac), acBefore);
    EXPECT_EQ(PlansLine("last-write"), "last-write plan=\"Balanced\" dc brightness=48");
}

TEST_F(BrightnessPowerPlan, TheValueGoesToWhicheverPlanIsActive)
{
    ASSERT_TRUE(notebook.Simctl(L"power-plan-active \"Power saver\""));
    EXPECT_EQ(CBrightnessPowerPlan::Write(36), Outcome::Written);
    EXPECT_EQ(PlansLine("last-write"), "last-write plan=\"Power saver\" ac brightness=36");
    EXPECT_NE(PlansLine("plan 2").find("\"Power saver\" active brightness ac=36"), std::string::npos)
        << PlansLine("plan 2");
}

TEST_F(BrightnessPowerPlan, AValueAboveAHundredIsWrittenAsAHundred)
{
    EXPECT_EQ(CBrightnessPowerPlan::Write(250), Outcome::Written);
    EXPECT_EQ(ActiveBrightness(seams::PowerSource::Ac), 100u);
}

TEST_F(BrightnessPowerPlan, WithoutAnActivePlanNothingChanges)
{
    const DWORD before = ActiveBrightness(seams::PowerSource::Ac);
    ASSERT_TRUE(notebook.Simctl(L"power-plan-fail get-active on"));
    EXPECT_EQ(CBrightnessPowerPlan::Write(12), Outcome::NoActivePlan);
    EXPECT_EQ(PlansLine("plan-writes"), "plan-writes=0 activations=0");
    ASSERT_TRUE(notebook.Simctl(L"power-plan-fail get-active off"));
    EXPECT_EQ(ActiveBrightness(seams::PowerSource::Ac), before);
}

TEST_F(BrightnessPowerPlan, ARefusedAccessCheckLeavesTheValueAndOnlyAppliesThePlan)
{
    const DWORD before = ActiveBrightness(seams::PowerSource::Ac);
    ASSERT_TRUE(notebook.Simctl(L"power-plan-fail access-check on"));
    EXPECT_EQ(CBrightnessPowerPlan::Write(12), Outcome::AccessDenied);
    EXPECT_EQ(ActiveBrightness(seams::PowerSource::Ac), before);
    EXPECT_EQ(PlansLine("plan-writes"), "plan-writes=0 activations=1");
    EXPECT_EQ(PlansLine("last-write"), "last-write none");
}

} // namespace
