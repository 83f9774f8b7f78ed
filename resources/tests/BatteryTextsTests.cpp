#include "BatteryStrings.h"
#include "MessageCatalogue.h"
#include "TextLoader.h"
#include "TextModule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

TEST(BatteryTexts, TrayFindsTheMeterByTheMetersOwnTitle)
{
    const UniqueModule meter = LoadTextModule(L"BatteryTexts");
    const UniqueModule tray = LoadTextModule(L"TavrinTexts");
    ASSERT_TRUE(meter && tray);
    const std::wstring title = texts::Load(IDS_TITLE, 1033, meter.get());
    EXPECT_EQ(title, L"Battery Meter");
    EXPECT_EQ(texts::Load(messages::kBatteryMeterTitleText, 1033, tray.get()), title);
}

// The meter shows its title in the language its thread locale takes from
// LangID: one of nine, English for every other. The tray looks for that
// title with its own text in the selected language, so in each of the 28
// languages the tray's text is the one the meter really shows.
TEST(BatteryTexts, TrayLooksForTheTitleTheMeterShowsInEveryLanguage)
{
    const UniqueModule meter = LoadTextModule(L"BatteryTexts");
    const UniqueModule tray = LoadTextModule(L"TavrinTexts");
    ASSERT_TRUE(meter && tray);
    constexpr LANGID kMeterLanguages[] = {1028, 1031, 1036, 1040, 1041, 1042, 1046, 2052, 3082};
    const LANGID all[]
        = {1028, 1029, 1030, 1031, 1032, 1033, 1035, 1036, 1037, 1038, 1040, 1041, 1042, 1043,
           1044, 1045, 1046, 1048, 1049, 1050, 1051, 1053, 1055, 1060, 2052, 2070, 3082, 14337};
    for (LANGID language : all) {
        const bool ownTable = std::find(std::begin(kMeterLanguages), std::end(kMeterLanguages), language)
                              != std::end(kMeterLanguages);
        const std::wstring shown = texts::Load(IDS_TITLE, ownTable ? language : LANGID{1033}, meter.get());
        EXPECT_FALSE(shown.empty()) << language;
        EXPECT_EQ(texts::Load(messages::kBatteryMeterTitleText, language, tray.get()), shown) << language;
    }
}

TEST(BatteryTexts, HealthTextsKeepTheirSpacing)
{
    const UniqueModule meter = LoadTextModule(L"BatteryTexts");
    const std::wstring wear = texts::Load(IDS_WEAR_NOTE, 1033, meter.get());
    EXPECT_NE(wear.find(L"over time.  The battery"), std::wstring::npos);
    EXPECT_EQ(texts::Load(IDS_CHOOSE_BATTERY, 1033, meter.get()), L"Choose Battery :");
}

} // namespace
