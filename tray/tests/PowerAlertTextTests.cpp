// The alert texts against their composition rules, over a table whose texts
// name their own numbers: "<892>" is text 892, "<82:%d>" text 82 with its placeholder.
#include "PowerAlertText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace power_alert;

std::wstring Numbered(UINT number)
{
    switch (number) {
    case 12:
    case 54:
    case 82:
    case 980:
    case 990:
        return L"<" + std::to_wstring(number) + L":%d>";
    case 992:
        return L"<992:%s>";
    default:
        return L"<" + std::to_wstring(number) + L">";
    }
}

const TextSource kTable = &Numbered;
constexpr uint32_t kWatts90 = 90u << 24;

std::wstring K7(uint32_t code, uint32_t flags)
{
    return AdapterText(code, flags, true, kTable);
}

std::wstring Classic(uint32_t code, uint32_t flags)
{
    return AdapterText(code, flags, false, kTable);
}

TEST(AdapterText, WithoutFlagsBothFamiliesShowTheLongFormAndThe45WAdapterItsShortOne)
{
    for (bool k7 : {true, false}) {
        EXPECT_EQ(AdapterText(1, 0, k7, kTable), L"<2>");
        EXPECT_EQ(AdapterText(3, 0, k7, kTable), L"<4>");
        EXPECT_EQ(AdapterText(4, 0, k7, kTable), L"<5>");
        EXPECT_EQ(AdapterText(5, 0, k7, kTable), L"<894>");
    }
}

TEST(AdapterText, K7PutsTheReasonAndTheRemediesOnLinesAndTheHighestReasonBitWins)
{
    EXPECT_EQ(K7(3, 0x09 | kWatts90), L"<892>\r\n<61310><61311>\r\n<84>\r\n<85> <81>\r\n<85> <82:90>");
    EXPECT_EQ(K7(2, 0x07), L"<891>\r\n<978> <994>\r\n<84>\r\n<85> <81>");
    EXPECT_EQ(K7(4, 0x03), L"<893>\r\n<991>\r\n<84>\r\n<85> <81>");
    EXPECT_EQ(K7(1, 0x01), L"<890>\r\n<83>\r\n<84>\r\n<85> <81>");
    EXPECT_EQ(K7(5, 0x01), L"<894>\r\n<83>\r\n<84>\r\n<85> <81>");
}

TEST(AdapterText, K7WithOnlyAWattageNamesNoReasonButTheAdapterToConnect)
{
    EXPECT_EQ(K7(2, 65u << 24), L"<891>\r\n<84>\r\n<85> <81>\r\n<85> <82:65>");
    // Bits 16..23 belong to the dock and name no wattage here.
    EXPECT_EQ(K7(2, 0x00FF0001), L"<891>\r\n<83>\r\n<84>\r\n<85> <81>");
}

TEST(AdapterText, ClassicRunsOnOneLineWithItsOwnReasonTexts)
{
    EXPECT_EQ(Classic(3, 0x09 | kWatts90), L"<892> <61310><61311> <980:90>");
    EXPECT_EQ(Classic(2, 0x06), L"<891> <978> <994>");
    EXPECT_EQ(Classic(4, 0x02), L"<893> <991>");
    EXPECT_EQ(Classic(1, 0x01), L"<890> <979>");
    EXPECT_EQ(Classic(5, 130u << 24), L"<894> <980:130>");
}

TEST(BatteryText, EveryCodeFollowsItsComposition)
{
    EXPECT_EQ(BatteryText(17, 0, kTable), L"<18> <987> <986>");
    EXPECT_EQ(BatteryText(18, 0, kTable), L"<19> <987> <986>");
    EXPECT_EQ(BatteryText(19, kWatts90, kTable), L"<20> <987> <986>");
    EXPECT_EQ(BatteryText(20, 0, kTable), L"<61312> <61313> <61314> <61315>");
    EXPECT_EQ(BatteryText(22, 0, kTable), L"<14> <61314>");
}

TEST(BatteryText, Code21EndsWithTheAnyBatteryTextOrTheCapacityAfterTwoBlanks)
{
    EXPECT_EQ(BatteryText(21, 0, kTable), L"<13> <61313> <986>");
    EXPECT_EQ(BatteryText(21, kWatts90, kTable), L"<13> <61313>  <12:90>");
    EXPECT_EQ(BatteryText(21, 0x00FF000F, kTable), L"<13> <61313> <986>");
}

TEST(DockText, EveryCodeFollowsItsComposition)
{
    EXPECT_EQ(DockText(49, 0, kTable), L"<50>");
    EXPECT_EQ(DockText(51, kWatts90, kTable), L"<52>  <990:90>");
    EXPECT_EQ(DockText(52, kWatts90, kTable), L"<53> <990:90>");
    EXPECT_EQ(DockText(53, kWatts90 | (65u << 16), kTable), L"<54:65> <991> <990:90>");
    EXPECT_EQ(DockText(53, 0, kTable), L"<54:0> <991> <990:0>");
}

TEST(DockText, Code50NamesTheExpectedDockThePortReplicatorBitWinning)
{
    EXPECT_EQ(DockText(50, 0x03000000, kTable), L"<51> <992:<984>>");
    EXPECT_EQ(DockText(50, 0x01000000, kTable), L"<51> <992:<984>>");
    EXPECT_EQ(DockText(50, 0x02000000, kTable), L"<51> <992:<983>>");
    EXPECT_EQ(DockText(50, 0x00FF00FF, kTable), L"<51> <992:<985>>");
}

TEST(AlertFamilies, OnlyTheAlertRangesHaveAFamilyAndOtherCodesNoText)
{
    for (uint32_t code : {1u, 5u}) EXPECT_EQ(FamilyOf(code), Family::Adapter) << code;
    for (uint32_t code : {17u, 22u}) EXPECT_EQ(FamilyOf(code), Family::Battery) << code;
    for (uint32_t code : {49u, 53u}) EXPECT_EQ(FamilyOf(code), Family::Dock) << code;
    EXPECT_EQ(FamilyOf(0xFFFFFFFF), Family::Numbered);
    for (uint32_t code : {0u, 6u, 16u, 23u, 48u, 54u, 0xFFFFu, 0x10001u, 0xFFFFFFFEu}) {
        EXPECT_EQ(FamilyOf(code), Family::None) << code;
        EXPECT_EQ(AdapterText(code, 0x09, true, kTable), L"") << code;
        EXPECT_EQ(BatteryText(code, 0, kTable), L"") << code;
        EXPECT_EQ(DockText(code, 0, kTable), L"") << code;
    }
}

TEST(AlertRequest, AnEventsWordsAreWidenedWithoutSign)
{
    const Request request = FromEvent(0xFFFF, 0x8000, 0x5A000009);
    EXPECT_EQ(request.code, 0xFFFFu);
    EXPECT_EQ(request.detail, 0x8000u);
    EXPECT_EQ(request.flags, 0x5A000009u);
    EXPECT_EQ(FamilyOf(request.code), Family::None);
}

TEST(NumberedMessage, TheDetailNamesTheTextBeforeItWithinTheTablesRange)
{
    EXPECT_EQ(NumberedText(0), 1u);
    EXPECT_EQ(NumberedText(917), 918u);
    EXPECT_EQ(NumberedText(0xFFFE), 0xFFFFu);
    // A wider number would be cut to another text's number.
    EXPECT_EQ(NumberedText(0xFFFF), 0u);
    EXPECT_EQ(NumberedText(0x10000), 0u);
    EXPECT_EQ(NumberedText(0x7FFFFFFF), 0u);
}

TEST(FillPlaceholder, OnlyTheFirstPlaceholderIsFilledAndPercentSignsSurvive)
{
    EXPECT_EQ(Fill(L"Connect a %dW adapter.", L"90"), L"Connect a 90W adapter.");
    EXPECT_EQ(Fill(L"Connect a %s.", L"Port Replicator"), L"Connect a Port Replicator.");
    EXPECT_EQ(Fill(L"%ls first", L"x"), L"x first");
    EXPECT_EQ(Fill(L"%u%%", L"7"), L"7%");
    EXPECT_EQ(Fill(L"%d and %d", L"1"), L"1 and %d");
    EXPECT_EQ(Fill(L"no placeholder", L"1"), L"no placeholder");
    EXPECT_EQ(Fill(L"ends with %", L"1"), L"ends with %");
    EXPECT_EQ(Fill(L"%x %d", L"5"), L"%x 5");
    EXPECT_EQ(Fill(L"", L"5"), L"");
}

} // namespace
