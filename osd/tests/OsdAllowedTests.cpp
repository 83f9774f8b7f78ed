#include "OsdAllowed.h"

#include <gtest/gtest.h>

namespace {

constexpr RECT kDesktop{0, 0, 1280, 800};

ForegroundFacts Window(std::wstring_view title, RECT place)
{
    ForegroundFacts facts;
    facts.titleRead = true;
    facts.title = title;
    facts.rectsRead = true;
    facts.foreground = place;
    facts.desktop = kDesktop;
    return facts;
}

TEST(OsdAllowedTest, TheDesktopAndUntitledWindowsNeverSuppress)
{
    EXPECT_TRUE(OsdAllowedFor(Window(L"program manager", kDesktop)));
    EXPECT_TRUE(OsdAllowedFor(Window(L"", kDesktop)));
    ForegroundFacts unreadable = Window(L"Film", kDesktop);
    unreadable.titleRead = false;
    EXPECT_TRUE(OsdAllowedFor(unreadable));
}

TEST(OsdAllowedTest, AFullScreenWindowOrThePresentationLayoutSuppresses)
{
    EXPECT_FALSE(OsdAllowedFor(Window(L"Film", kDesktop)));
    EXPECT_FALSE(OsdAllowedFor(Window(L"Film", RECT{-8, -8, 1288, 808})));
    EXPECT_FALSE(OsdAllowedFor(Window(L"fullscreentoplayout", RECT{0, 0, 10, 10})));
    ForegroundFacts unknownPlace = Window(L"Film", kDesktop);
    unknownPlace.rectsRead = false;
    EXPECT_FALSE(OsdAllowedFor(unknownPlace));
}

TEST(OsdAllowedTest, AWindowNarrowerOrLowerThanTheDesktopAllows)
{
    EXPECT_TRUE(OsdAllowedFor(Window(L"Editor", RECT{0, 0, 1279, 800})));
    EXPECT_TRUE(OsdAllowedFor(Window(L"Editor", RECT{0, 0, 1280, 799})));
}

} // namespace
