#include "Settings.h"
#include "SettingsTable.h"
#include "RegistryValueGuard.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t kNumber[] = L"ConvTestNumber";
constexpr wchar_t kText[] = L"ConvTestText";
constexpr wchar_t kOther[] = L"ConvTestOther";

class SettingsTest : public ::testing::Test {
protected:
    RegistryValueGuard guard{CSettings::kKeyPath, {kNumber, kText, kOther}};
    CSettings settings;
};

TEST_F(SettingsTest, NumbersRoundTripAndMissingOnesGiveTheDefault)
{
    EXPECT_EQ(settings.ReadDword(kNumber, 77), 77u);
    EXPECT_FALSE(settings.TryReadDword(kNumber).has_value());
    settings.WriteDword(kNumber, 0xFFFFFFFE);
    EXPECT_EQ(guard.TypeOf(kNumber), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(settings.ReadDword(kNumber, 77), 0xFFFFFFFEu);
}

TEST_F(SettingsTest, NumbersOfAnotherTypeOrSizeGiveTheDefault)
{
    const BYTE four[4] = {1, 0, 0, 0};
    guard.SetRaw(kNumber, REG_BINARY, four, sizeof(four));
    EXPECT_EQ(settings.ReadDword(kNumber, 9), 9u) << "four binary bytes";

    guard.SetRaw(kNumber, REG_DWORD_BIG_ENDIAN, four, sizeof(four));
    EXPECT_EQ(settings.ReadDword(kNumber, 9), 9u) << "big-endian number";

    guard.SetRaw(kNumber, REG_DWORD, four, 2);
    EXPECT_EQ(settings.ReadDword(kNumber, 9), 9u) << "short number";

    const BYTE eight[8] = {5, 0, 0, 0, 0, 0, 0, 0};
    guard.SetRaw(kNumber, REG_DWORD, eight, sizeof(eight));
    EXPECT_EQ(settings.ReadDword(kNumber, 9), 9u) << "long number";

    guard.SetRaw(kNumber, REG_QWORD, eight, sizeof(eight));
    EXPECT_EQ(settings.ReadDword(kNumber, 9), 9u) << "64-bit number";

    const wchar_t text[] = L"5";
    guard.SetRaw(kNumber, REG_SZ, text, sizeof(text));
    EXPECT_EQ(settings.ReadDword(kNumber, 9), 9u) << "number as text";
}

TEST_F(SettingsTest, TextsRoundTripAndMissingOnesGiveTheDefault)
{
    EXPECT_EQ(settings.ReadText(kText, L"none"), L"none");
    settings.WriteText(kText, L"C:\\Program Files\\Quillet\\Player.exe");
    EXPECT_EQ(guard.TypeOf(kText), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(settings.ReadText(kText, L"none"), L"C:\\Program Files\\Quillet\\Player.exe");
    settings.WriteText(kText, L"");
    ASSERT_TRUE(settings.TryReadText(kText).has_value());
    EXPECT_EQ(*settings.TryReadText(kText), L"");
}

TEST_F(SettingsTest, TextsOfAnotherTypeGiveTheDefault)
{
    const wchar_t text[] = L"%SystemRoot%";
    guard.SetRaw(kText, REG_EXPAND_SZ, text, sizeof(text));
    EXPECT_EQ(settings.ReadText(kText, L"d"), L"d");
    guard.SetRaw(kText, REG_BINARY, text, sizeof(text));
    EXPECT_EQ(settings.ReadText(kText, L"d"), L"d");
    guard.SetDword(kText, 1);
    EXPECT_EQ(settings.ReadText(kText, L"d"), L"d");
}

TEST_F(SettingsTest, TextsAreBoundedBy260Bytes)
{
    const std::wstring longest(129, L'x'); // 258 bytes and the terminator
    guard.SetRaw(kText, REG_SZ, longest.c_str(), 260);
    EXPECT_EQ(settings.ReadText(kText), longest);

    const std::wstring tooLong(200, L'y');
    guard.SetRaw(kText, REG_SZ, tooLong.c_str(), static_cast<DWORD>((tooLong.size() + 1) * 2));
    EXPECT_EQ(settings.ReadText(kText, L"d"), L"d");
    EXPECT_FALSE(settings.TryReadText(kText).has_value());
}

TEST_F(SettingsTest, UnterminatedTextsEndWithTheirData)
{
    const wchar_t data[] = L"abcdef";
    guard.SetRaw(kText, REG_SZ, data, 3 * sizeof(wchar_t));
    EXPECT_EQ(settings.ReadText(kText), L"abc");

    // An odd byte count drops the half character.
    guard.SetRaw(kText, REG_SZ, data, 5);
    EXPECT_EQ(settings.ReadText(kText), L"ab");

    // Data after an embedded terminator is not part of the text.
    const wchar_t embedded[] = L"ab\0cd";
    guard.SetRaw(kText, REG_SZ, embedded, sizeof(embedded));
    EXPECT_EQ(settings.ReadText(kText), L"ab");
}

TEST(SettingsSubKey, ValuesOfASubKeyStayThere)
{
    constexpr wchar_t kGroup[] = L"ConvTestGroup";
    const CSettings group = CSettings().SubKey(kGroup);
    RegistryValueGuard subKeyGuard(group.KeyPath(), {kNumber});
    RegistryValueGuard mainGuard(CSettings::kKeyPath, {kNumber});

    EXPECT_EQ(group.KeyPath(), std::wstring(CSettings::kKeyPath) + L"\\ConvTestGroup");
    EXPECT_EQ(CSettings(kGroup).KeyPath(), group.KeyPath());
    group.WriteDword(kNumber, 12);
    EXPECT_EQ(CSettings(kGroup).ReadDword(kNumber, 0), 12u);
    EXPECT_EQ(CSettings().ReadDword(kNumber, 0), 0u);
    EXPECT_EQ(CSettings(CSettings::kSelectedFeatures).KeyPath(),
              std::wstring(CSettings::kKeyPath) + L"\\SelectedFeatures");
}

TEST(SettingsSubKey, FailedWritesAreIgnored)
{
    // A key name longer than the registry allows cannot be created.
    const std::wstring impossible(300, L'k');
    const CSettings unreachable(impossible.c_str());
    unreachable.WriteDword(kNumber, 1);
    unreachable.WriteText(kText, L"lost");
    EXPECT_EQ(unreachable.ReadDword(kNumber, 4), 4u);
    EXPECT_EQ(unreachable.ReadText(kText, L"d"), L"d");
}

struct PopupSettings {
    DWORD enabled = 0;
    int x = 0;
    std::wstring command;
};

constexpr SettingsField<PopupSettings> kPopupTable[] = {
    {kNumber, &PopupSettings::enabled, 1},
    {kOther, &PopupSettings::x, -1},
    {kText, &PopupSettings::command, L"notepad.exe"},
};

TEST_F(SettingsTest, TableLoadsDefaultsAndSavesWhatItLoads)
{
    PopupSettings loaded = LoadSettings(settings, kPopupTable);
    EXPECT_EQ(loaded.enabled, 1u);
    EXPECT_EQ(loaded.x, -1);
    EXPECT_EQ(loaded.command, L"notepad.exe");

    loaded.enabled = 0;
    loaded.x = -250;
    loaded.command = L"calc.exe";
    SaveSettings(settings, loaded, kPopupTable);
    EXPECT_EQ(settings.ReadDword(kOther, 0), static_cast<DWORD>(-250));

    const PopupSettings reloaded = LoadSettings(settings, kPopupTable);
    EXPECT_EQ(reloaded.enabled, 0u);
    EXPECT_EQ(reloaded.x, -250);
    EXPECT_EQ(reloaded.command, L"calc.exe");
}

TEST_F(SettingsTest, TableSavesOnlyWhatChanged)
{
    const PopupSettings before = LoadSettings(settings, kPopupTable);
    PopupSettings after = before;
    after.x = 40;
    // Another program writes a value of the group meanwhile.
    settings.WriteText(kText, L"written elsewhere");

    SaveChangedSettings(settings, before, after, kPopupTable);
    EXPECT_EQ(settings.ReadDword(kOther, 0), 40u);
    EXPECT_EQ(settings.ReadText(kText), L"written elsewhere");
    EXPECT_FALSE(guard.Exists(kNumber)) << "an unchanged default is not written";
}

} // namespace
