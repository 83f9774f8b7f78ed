#include "OsdSet.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class FakeOsd : public IOsdWindow {
public:
    bool open = true;
    std::string done;

    bool HasWindow() const override { return open; }
    void CloseWindow() override
    {
        open = false;
        done = "closed";
    }
    void HideWindow() override { done = "hidden"; }
};

struct OsdSetTest : ::testing::Test {
    void SetUp() override
    {
        for (size_t i = 0; i < std::size(osds); ++i) set.Add(static_cast<OsdMember>(i), osds[i]);
    }
    // What happened to each member, in member order, after a display of `kind` came up.
    std::string After(OsdKind kind)
    {
        for (auto& osd : osds) osd = FakeOsd{};
        set.HideOthers(kind);
        std::string result;
        for (const auto& osd : osds) result += (osd.done.empty() ? "up" : osd.done) + " ";
        return result;
    }

    COsdSet set;
    FakeOsd osds[7]; // display switch, brightness, radio, volume, keyboard light, lock keys, eject
};

TEST_F(OsdSetTest, EachKindClosesTheOthersAndOnlyHidesTheDisplaySwitch)
{
    EXPECT_EQ(After(OsdKind::All), "up closed closed closed closed closed closed ");
    EXPECT_EQ(After(OsdKind::Brightness), "hidden up closed closed closed closed closed ");
    EXPECT_EQ(After(OsdKind::Volume), "hidden closed closed up closed closed closed ");
    EXPECT_EQ(After(OsdKind::Radio), "hidden closed up closed closed closed closed ");
    EXPECT_EQ(After(OsdKind::KeyboardLight), "hidden closed closed closed closed closed closed ");
    EXPECT_EQ(After(OsdKind::LockKeys), "hidden closed closed closed closed up closed ");
    EXPECT_EQ(After(OsdKind::Eject), "hidden closed closed closed closed closed up ");
}

TEST_F(OsdSetTest, DisplaysWithoutAWindowOrNotPresentAreLeftAlone)
{
    COsdSet partial;
    FakeOsd brightness;
    brightness.open = false;
    FakeOsd volume;
    partial.Add(OsdMember::Brightness, brightness);
    partial.Add(OsdMember::Volume, volume);
    partial.HideOthers(OsdKind::Radio);
    EXPECT_EQ(brightness.done, "");
    EXPECT_EQ(volume.done, "closed");
}

} // namespace

// The light sensor's key closes the brightness display alone, even the display switch stays.
TEST_F(OsdSetTest, CloseTakesOneDisplayDownWhenItIsUp)
{
    set.Close(OsdMember::Brightness);
    std::string result;
    for (const auto& osd : osds) result += (osd.done.empty() ? "up" : osd.done) + " ";
    EXPECT_EQ(result, "up closed up up up up up ");
    osds[1].done.clear();
    set.Close(OsdMember::Brightness);
    EXPECT_TRUE(osds[1].done.empty()) << "a display without a window was closed again";
    COsdSet empty;
    empty.Close(OsdMember::Eject);
}
