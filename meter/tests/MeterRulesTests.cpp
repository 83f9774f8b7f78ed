// The meter's rules in process: its command line and first page, and what
// its pages show for a battery.
#include "BatteryStrings.h"
#include "MeterCommandLine.h"
#include "MeterDisplay.h"

#include <gtest/gtest.h>

namespace {

using Pages = CMeterCommandLine::Pages;
using namespace meter_display;

CMeterCommandLine Line(std::vector<std::wstring> arguments)
{
    return CMeterCommandLine(arguments);
}

TEST(MeterCommandLine, SwitchesTakeOneValueAndTheirNamesAreCaseSensitive)
{
    const auto line = Line({L"-PAGE", L"HEALTH", L"/BHI", L"4", L"-PF", L"H"});
    ASSERT_TRUE(line.Page());
    EXPECT_EQ(*line.Page(), L"HEALTH");
    EXPECT_EQ(line.PageLetter(), L'H');
    ASSERT_TRUE(line.HealthIndex());
    EXPECT_EQ(*line.HealthIndex(), 4);
    EXPECT_TRUE(line.PermanentFailure());
    EXPECT_EQ(line.Words(), std::vector<std::wstring>{L"H"}) << "PF takes no value";

    const auto lower = Line({L"-page", L"HEALTH", L"-pf", L"-bhi", L"2"});
    EXPECT_FALSE(lower.Page());
    EXPECT_FALSE(lower.PermanentFailure());
    EXPECT_FALSE(lower.HealthIndex());
    EXPECT_TRUE(lower.Words().empty()) << "an unknown switch takes its value with it";
}

TEST(MeterCommandLine, MissingOrDamagedValuesLeaveTheSwitchUnset)
{
    const auto noValue = Line({L"-PAGE", L"-BHI"});
    EXPECT_FALSE(noValue.Page());
    EXPECT_EQ(noValue.PageLetter(), L'\0');
    EXPECT_FALSE(noValue.HealthIndex());
    EXPECT_FALSE(Line({L"-BHI", L"x3"}).HealthIndex());
    EXPECT_FALSE(Line({L"-BHI", L"123"}).HealthIndex());
    EXPECT_FALSE(Line({L"-PAGE", L""}).PageLetter());
    EXPECT_EQ(*Line({L"-BHI", L"0"}).HealthIndex(), 0);
}

TEST(MeterFirstPage, WordsChooseHealthLastOrANumberedPageWithinTheSheet)
{
    const Pages three{3, 1, -1, false};
    EXPECT_EQ(Line({}).FirstPage(three, false), 0);
    EXPECT_EQ(Line({L"P", L"H"}).FirstPage(three, false), 1) << "the tray's P is ignored";
    EXPECT_EQ(Line({L"S", L"H"}).FirstPage(three, false), 1);
    EXPECT_EQ(Line({L"DOCK"}).FirstPage(three, false), 2);
    EXPECT_EQ(Line({L"2"}).FirstPage(three, false), 2);
    EXPECT_EQ(Line({L"3"}).FirstPage(three, false), 0) << "an index past the last page is ignored";
    EXPECT_EQ(Line({L"2", L"3"}).FirstPage(three, false), 2);
    const Pages noHealth{2, -1, -1, false};
    EXPECT_EQ(Line({L"DOCK", L"H"}).FirstPage(noHealth, false), 0) << "H without a health page is the first";
}

TEST(MeterFirstPage, BcdAndUpperCaseWordsOnlyWithChargeDisabling)
{
    const Pages without{3, 2, -1, false};
    EXPECT_EQ(Line({L"BCD"}).FirstPage(without, false), 0);
    EXPECT_EQ(Line({L"h"}).FirstPage(without, false), 0);
    EXPECT_EQ(Line({L"dock"}).FirstPage(without, false), 0);
    const Pages with{3, 2, -1, true};
    EXPECT_EQ(Line({L"BCD"}).FirstPage(with, false), 1);
    EXPECT_EQ(Line({L"bcd"}).FirstPage(with, false), 1);
    EXPECT_EQ(Line({L"h"}).FirstPage(with, false), 2);
}

TEST(MeterFirstPage, ThePageSwitchCountsOnTheK7SheetOnly)
{
    const Pages k7{3, 1, 2, false};
    const auto health = Line({L"-PAGE", L"HEALTH"});
    EXPECT_EQ(health.FirstPage(k7, true), 1);
    EXPECT_EQ(health.FirstPage(k7, false), 0);
    EXPECT_EQ(Line({L"-PAGE", L"DESKTOPMODE"}).FirstPage(k7, true), 2);
    const Pages noDesktop{3, 1, -1, false};
    EXPECT_EQ(Line({L"DOCK", L"-PAGE", L"DESKTOPMODE"}).FirstPage(noDesktop, true), 0)
        << "an absent desktop-mode page opens the first page";
    const Pages noHealth{2, -1, -1, false};
    EXPECT_EQ(Line({L"DOCK", L"-PAGE", L"HEALTH"}).FirstPage(noHealth, true), 1)
        << "an absent health page leaves the words' choice";
}

TEST(MeterLanguage, NineLanguagesStayAndEveryOtherIsEnglish)
{
    for (DWORD kept : {1028u, 1031u, 1036u, 1040u, 1041u, 1042u, 1046u, 2052u, 3082u})
        EXPECT_EQ(ThreadLanguage(kept), kept);
    for (DWORD other : {1029u, 1049u, 1037u, 14337u, 3076u, 0u, 99999u})
        EXPECT_EQ(ThreadLanguage(other), 1033) << other;
    EXPECT_EQ(ThreadLanguage(std::nullopt), 1033);
}

TEST(MeterBatteryTexts, StatusAndChargeTimeFollowTheBattery)
{
    EXPECT_EQ(StatusTextId(0), static_cast<UINT>(IDS_IDLE));
    EXPECT_EQ(StatusTextId(1), static_cast<UINT>(IDS_CHARGING));
    EXPECT_EQ(StatusTextId(2), static_cast<UINT>(IDS_DISCHARGING));
    EXPECT_EQ(K7StatusTextId(0), static_cast<UINT>(IDS_CHARGING_DISABLED));
    EXPECT_EQ(K7StatusTextId(1), static_cast<UINT>(IDS_CHARGING));
    EXPECT_EQ(K7StatusTextId(2), 0u);

    EXPECT_TRUE(ShowsChargeTime(1, 98, 12));
    EXPECT_FALSE(ShowsChargeTime(1, 99, 12)) << "no charge time at 99 % or more";
    EXPECT_FALSE(ShowsChargeTime(1, 100, 3));
    EXPECT_FALSE(ShowsChargeTime(1, 50, 0));
    EXPECT_FALSE(ShowsChargeTime(2, 50, 30));
    EXPECT_EQ(PercentText(87), L"87 %");
    EXPECT_EQ(MinutesText(1, L"Minute", L"Minuten"), L"1 Minute");
    EXPECT_EQ(MinutesText(35, L"Minute", L"Minuten"), L"35 Minuten");
}

TEST(MeterBatteryTexts, TheTotalIsWindowsValueWithTwoBatteriesAndTheBatterysOwnWithOne)
{
    const Total both = TotalOf(64, true, 90, true);
    EXPECT_EQ(both.kind, Total::Kind::Shown);
    EXPECT_EQ(both.percent, 64);
    const Total one = TotalOf(64, true, 71, false);
    EXPECT_EQ(one.kind, Total::Kind::Shown);
    EXPECT_EQ(one.percent, 71);
    EXPECT_EQ(TotalOf(255, true, 71, false).kind, Total::Kind::Hidden);
    EXPECT_EQ(TotalOf(180, true, 71, true).kind, Total::Kind::Unchanged);
    EXPECT_EQ(TotalOf(40, false, 0, false).percent, 40) << "with no battery read, Windows' value";
}

TEST(MeterIcons, TheK7TableAndTheClassicChoice)
{
    EXPECT_EQ(K7Icon(false, 2, 50, 10, false), kAbsent);
    EXPECT_EQ(K7Icon(true, 1, 50, 10, false), kOnAc);
    EXPECT_EQ(K7Icon(true, 0, 5, 10, true), kOnAc) << "idle on AC is never low";
    EXPECT_EQ(K7Icon(true, 2, 9, 10, true), kLow) << "low wins over Extended Battery Life";
    EXPECT_EQ(K7Icon(true, 2, 10, 10, false), kLevel1);
    EXPECT_EQ(K7Icon(true, 2, 29, 10, false), 1);
    EXPECT_EQ(K7Icon(true, 2, 30, 10, false), 2);
    EXPECT_EQ(K7Icon(true, 2, 59, 10, false), 2);
    EXPECT_EQ(K7Icon(true, 2, 60, 10, false), 3);
    EXPECT_EQ(K7Icon(true, 2, 79, 10, false), 3);
    EXPECT_EQ(K7Icon(true, 2, 80, 10, false), kLevel4);
    EXPECT_EQ(K7Icon(true, 2, 100, 10, false), kLevel4);
    EXPECT_EQ(K7Icon(true, 2, 50, 10, true), kSaving);

    EXPECT_EQ(ClassicIcon(false, 1, 50), kAbsent);
    EXPECT_EQ(ClassicIcon(true, 1, 50), kChargingOn);
    EXPECT_EQ(ClassicIcon(true, 0, 100), kOnAc);
    EXPECT_EQ(ClassicIcon(true, 2, 5), kLevel1);
    EXPECT_EQ(ClassicIcon(true, 2, 85), kLevel4);
}

TEST(MeterHealthTexts, EachHealthOnBothPages)
{
    EXPECT_EQ(HealthTextId(0, 0, false), static_cast<UINT>(IDS_HEALTH_INSUFFICIENT_POWER));
    EXPECT_EQ(HealthTextId(0, 1, false), static_cast<UINT>(IDS_HEALTH_PERMANENT_FAILURE));
    EXPECT_EQ(HealthTextId(0, 0, true), static_cast<UINT>(IDS_HEALTH_PERMANENT_FAILURE));
    EXPECT_EQ(HealthTextId(1, 0, false), static_cast<UINT>(IDS_HEALTH_END_OF_LIFE));
    EXPECT_EQ(HealthTextId(1, 0, true), static_cast<UINT>(IDS_HEALTH_NORMAL));
    EXPECT_EQ(HealthTextId(2, 0, false), static_cast<UINT>(IDS_HEALTH_DECREASING));
    EXPECT_EQ(HealthTextId(4, 0, false), static_cast<UINT>(IDS_HEALTH_NOT_AVAILABLE));
    EXPECT_EQ(HealthTextId(4, 0, true), static_cast<UINT>(IDS_HEALTH_TEMPORARILY_DISABLED));
    EXPECT_EQ(HealthTextId(5, 0, true), static_cast<UINT>(IDS_HEALTH_NO_COMMUNICATION));
    EXPECT_EQ(HealthTextId(6, 0, false), static_cast<UINT>(IDS_HEALTH_UNIDENTIFIED));
    EXPECT_EQ(HealthTextId(-1, 0, false), static_cast<UINT>(IDS_HEALTH_NOT_AVAILABLE));
}

TEST(MeterHelp, TheHelpPageAndInternetExplorersFolder)
{
    EXPECT_EQ(HelpFile(L"C:\\Program Files\\Corvane\\Tavrin\\", L"GER"),
              L"C:\\Program Files\\Corvane\\Tavrin\\help\\GER\\EBL.htm");
    EXPECT_EQ(InternetExplorerFolder(std::wstring(L"C:\\Program Files\\Internet Explorer;")),
              L"C:\\Program Files\\Internet Explorer");
    EXPECT_EQ(InternetExplorerFolder(std::nullopt), L"C:\\Program Files\\Internet Explorer");
}

} // namespace
