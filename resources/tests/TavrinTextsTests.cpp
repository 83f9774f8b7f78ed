#include "TavrinStrings.h"
#include "TextLoader.h"
#include "TextModule.h"

#include <gtest/gtest.h>

namespace {

class TavrinTexts : public ::testing::Test {
protected:
    std::wstring Text(UINT number) const { return texts::Load(number, 1033, module.get()); }
    UniqueModule module = LoadTextModule(L"TavrinTexts");
};

TEST_F(TavrinTexts, SpecialCharactersSurviveCompilation)
{
    ASSERT_TRUE(module);
    EXPECT_EQ(Text(IDS_INSTALL_WIRELESS_DISPLAY),
              L"Please install Intel\u00AE Wireless Display before using this feature.");
    EXPECT_EQ(Text(IDS_BULLET), L"\u2027");
    EXPECT_EQ(Text(IDS_NETWISP_TITLE), L"Netwisp\u2122 Network Locator");
    EXPECT_EQ(Text(IDS_NETWISP_BAND_CHANGED),
              L"Your Netwisp\u2122 band configuration has been changed.\n    Previous selection: %s\n"
              L"    Current Selection: %s");
}

TEST_F(TavrinTexts, LineBreaksAndTrailingBlanksAreKept)
{
    EXPECT_EQ(Text(IDS_OPERATE_SLOWER_NO_CHARGE_SOLVED_BY),
              Text(IDS_OPERATE_SLOWER_NO_CHARGE) + L"\r\n" + Text(IDS_PROBLEM_SOLVED_BY));
    const std::wstring endOfLife = Text(IDS_BATTERY_END_OF_LIFE);
    ASSERT_GE(endOfLife.size(), 3u);
    EXPECT_EQ(endOfLife.substr(endOfLife.size() - 3), L". \n");
    EXPECT_EQ(Text(IDS_ADAPTER_TYPE_UNKNOWN_SHORT).back(), L' ');
    EXPECT_EQ(Text(IDS_BATTERY_WILL_NOT_CHARGE).back(), L' ');
    EXPECT_EQ(Text(IDS_ADAPTER_INSUFFICIENT_POWER).back(), L' ');
    EXPECT_NE(Text(IDS_NETWISP_BANDS_INCOMPATIBLE).find(L"configuration.\n\nSelect YES"), std::wstring::npos);
}

TEST_F(TavrinTexts, TitlesOtherCodeLooksFor)
{
    // The single-instance mutex and the tooltip are named by these.
    EXPECT_EQ(Text(IDS_APP_TITLE), L"Corvane Tavrin");
    EXPECT_EQ(Text(IDS_TRAY_TOOLTIP), L"Corvane Tavrin");
    // The health pop-up splits this text at its two stars.
    EXPECT_NE(Text(IDS_CHARGING_TEMPORARILY_DISABLED).find(L"*here*"), std::wstring::npos);
}

} // namespace
