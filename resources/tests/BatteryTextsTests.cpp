#include "BatteryStrings.h"
#include "MessageCatalogue.h"
#include "TextLoader.h"
#include "TextModule.h"

#include <gtest/gtest.h>

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

TEST(BatteryTexts, HealthTextsKeepTheirSpacing)
{
    const UniqueModule meter = LoadTextModule(L"BatteryTexts");
    const std::wstring wear = texts::Load(IDS_WEAR_NOTE, 1033, meter.get());
    EXPECT_NE(wear.find(L"over time.  The battery"), std::wstring::npos);
    EXPECT_EQ(texts::Load(IDS_CHOOSE_BATTERY, 1033, meter.get()), L"Choose Battery :");
}

} // namespace
