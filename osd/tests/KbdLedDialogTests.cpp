// The lock-key display's rules, without a window: which keys it shows,
// which picture it chooses, and how the notification-area indicators follow.
#include "KbdLedDialog2.h"
#include "KbdLedDialog3.h"
#include "KbdLedDialog4_K7.h"
#include "OsdPictures.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

class FakeIndicators : public ILockIndicators {
public:
    bool Add(LockKey key, UINT iconId) override
    {
        calls.push_back("add " + std::to_string(static_cast<int>(key)) + " " + std::to_string(iconId));
        return accept;
    }
    void Remove(LockKey key) override { calls.push_back("remove " + std::to_string(static_cast<int>(key))); }

    bool accept = true;
    std::vector<std::string> calls;
};

// The keyboard's toggle states, as GetKeyState would report them.
struct FakeKeys {
    std::map<int, bool> on;
    CKbdLedDialog::KeyToggled Reader()
    {
        return [this](int virtualKey) { return on[virtualKey]; };
    }
};

const LockKeyChoice kAllKeys{true, true, true};

} // namespace

TEST(LockKeyChoice, ShowKbdLockNamesTheKeysWhenItNamesAny)
{
    const LockKeyChoice scrollOnly = LockKeyChoice::FromSettings(true, 0x100, 0xC);
    EXPECT_FALSE(scrollOnly.caps);
    EXPECT_FALSE(scrollOnly.num);
    EXPECT_TRUE(scrollOnly.scroll);
    const LockKeyChoice capsAndNum = LockKeyChoice::FromSettings(true, 0x011, 0);
    EXPECT_TRUE(capsAndNum.caps && capsAndNum.num && !capsAndNum.scroll);
    // Present but naming no key, or absent: TavrinControl decides, never Scroll Lock.
    for (const bool present : {true, false}) {
        const LockKeyChoice fromControl = LockKeyChoice::FromSettings(present, 0x200, 0x8);
        EXPECT_FALSE(fromControl.caps);
        EXPECT_TRUE(fromControl.num);
        EXPECT_FALSE(fromControl.scroll);
    }
}

TEST(LockKeyDisplay, OnlyScrollLockShownByThePanelStyleWhenShowKbdLockNamesItAlone)
{
    FakeIndicators indicators;
    FakeKeys keys;
    keys.on[VK_SCROLL] = true;
    const LockKeyChoice scrollOnly = LockKeyChoice::FromSettings(true, 0x100, 0);
    CKbdLedDialog2 panel(scrollOnly, indicators, keys.Reader());
    EXPECT_FALSE(panel.Refresh(LockKey::Caps, false));
    EXPECT_FALSE(panel.Refresh(LockKey::Num, false));
    ASSERT_TRUE(panel.Refresh(LockKey::Scroll, false));
    EXPECT_EQ(panel.PictureId(), static_cast<UINT>(IDB_LOCK_SCROLL_ON));
    // The bitmap and outline styles have no Scroll Lock picture: nothing at all.
    CKbdLedDialog3 bitmap(scrollOnly, indicators, keys.Reader());
    CKbdLedDialog4_K7 outline(scrollOnly, indicators, keys.Reader());
    for (CKbdLedDialog* display :
         {static_cast<CKbdLedDialog*>(&bitmap), static_cast<CKbdLedDialog*>(&outline)}) {
        EXPECT_FALSE(display->Refresh(LockKey::Caps, false));
        EXPECT_FALSE(display->Refresh(LockKey::Num, false));
        EXPECT_FALSE(display->Refresh(LockKey::Scroll, false));
        EXPECT_FALSE(display->Refresh(LockKey::Scroll, true));
    }
    EXPECT_EQ(indicators.calls, (std::vector<std::string>{"add 103 411"}));
}

TEST(LockKeyDisplay, FirmwareReportsAKeyTheDisplayDoesNotShow)
{
    FakeIndicators indicators;
    FakeKeys keys;
    keys.on[VK_NUMLOCK] = true;
    CKbdLedDialog3 display({true, false, false}, indicators, keys.Reader());
    EXPECT_FALSE(display.Refresh(LockKey::Num, false));
    EXPECT_TRUE(indicators.calls.empty());
    ASSERT_TRUE(display.Refresh(LockKey::Num, true));
    EXPECT_EQ(display.PictureId(), static_cast<UINT>(IDB_TILE_NUM_ON));
    EXPECT_TRUE(display.IndicatorShown(LockKey::Num));
    EXPECT_EQ(indicators.calls, (std::vector<std::string>{"add 102 422"}));
}

TEST(LockKeyDisplay, PicturesFollowTheKeyStateInEachStyle)
{
    FakeIndicators indicators;
    FakeKeys keys;
    CKbdLedDialog2 panel(kAllKeys, indicators, keys.Reader());
    CKbdLedDialog3 bitmap(kAllKeys, indicators, keys.Reader());
    CKbdLedDialog4_K7 outline(kAllKeys, indicators, keys.Reader());
    struct Expected {
        CKbdLedDialog* display;
        LockKey key;
        UINT on;
        UINT off;
    };
    // The outline display has not measured a screen: small pictures.
    const Expected table[] = {
        {&panel, LockKey::Caps, IDB_LOCK_CAPS_ON, IDB_LOCK_CAPS_OFF},
        {&panel, LockKey::Num, IDB_LOCK_NUM_ON, IDB_LOCK_NUM_OFF},
        {&panel, LockKey::Scroll, IDB_LOCK_SCROLL_ON, IDB_LOCK_SCROLL_OFF},
        {&bitmap, LockKey::Caps, IDB_TILE_CAPS_ON, IDB_TILE_CAPS_OFF},
        {&bitmap, LockKey::Num, IDB_TILE_NUM_ON, IDB_TILE_NUM_OFF},
        {&outline, LockKey::Caps, IDB_K7_CAPS_ON_SMALL, IDB_K7_CAPS_OFF_SMALL},
        {&outline, LockKey::Num, IDB_K7_NUM_ON_SMALL, IDB_K7_NUM_OFF_SMALL},
    };
    const std::map<LockKey, int> virtualKeys{
        {LockKey::Caps, VK_CAPITAL}, {LockKey::Num, VK_NUMLOCK}, {LockKey::Scroll, VK_SCROLL}};
    for (const Expected& row : table) {
        for (const bool on : {true, false}) {
            keys.on[virtualKeys.at(row.key)] = on;
            ASSERT_TRUE(row.display->Refresh(row.key, false)) << static_cast<int>(row.key);
            EXPECT_EQ(row.display->PictureId(), on ? row.on : row.off)
                << static_cast<int>(row.key) << " " << on;
            EXPECT_EQ(row.display->ShownKey(), row.key);
            EXPECT_EQ(row.display->ShownOn(), on);
        }
    }
}

TEST(LockKeyIndicators, AddedOnceWhileOnRemovedWhenOffAndAtTheEnd)
{
    FakeIndicators indicators;
    FakeKeys keys;
    {
        CKbdLedDialog2 display(kAllKeys, indicators, keys.Reader());
        keys.on[VK_CAPITAL] = true;
        display.Refresh(LockKey::Caps, false);
        display.Refresh(LockKey::Caps, false);
        keys.on[VK_CAPITAL] = false;
        display.Refresh(LockKey::Caps, false);
        keys.on[VK_NUMLOCK] = true;
        keys.on[VK_SCROLL] = true;
        display.Refresh(LockKey::Num, false);
        display.Refresh(LockKey::Scroll, false);
        // An off key that never had an icon is not removed.
        display.Refresh(LockKey::Caps, false);
        EXPECT_FALSE(display.IndicatorShown(LockKey::Caps));
        EXPECT_TRUE(display.IndicatorShown(LockKey::Num));
    }
    EXPECT_EQ(indicators.calls, (std::vector<std::string>{"add 101 412", "remove 101", "add 102 413",
                                                          "add 103 411", "remove 102", "remove 103"}));
}

TEST(LockKeyIndicators, RefusedIconIsAskedForAgainAndNeverRemoved)
{
    FakeIndicators indicators;
    indicators.accept = false;
    FakeKeys keys;
    keys.on[VK_CAPITAL] = true;
    {
        CKbdLedDialog3 display(kAllKeys, indicators, keys.Reader());
        display.Refresh(LockKey::Caps, false);
        EXPECT_FALSE(display.IndicatorShown(LockKey::Caps));
        indicators.accept = true;
        display.Refresh(LockKey::Caps, false);
        EXPECT_TRUE(display.IndicatorShown(LockKey::Caps));
        display.RemoveIndicators();
        EXPECT_FALSE(display.IndicatorShown(LockKey::Caps));
    }
    EXPECT_EQ(indicators.calls, (std::vector<std::string>{"add 101 421", "add 101 421", "remove 101"}));
}
