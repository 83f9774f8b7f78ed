#include "Language.h"
#include "Settings.h"
#include "RegistryValueGuard.h"
#include "TextLoader.h"

#include <gtest/gtest.h>

namespace {

// Texts of LanguageTestTexts.rc, linked into this executable.
constexpr UINT kAdapter = 1;
constexpr UINT kBattery = 2;
constexpr UINT kDock = 17;
constexpr UINT kMeterTitle = 918;

constexpr LANGID kSupported[]
    = {1028, 1029, 1030, 1031, 1032, 1033, 1035, 1036, 1037, 1038, 1040, 1041, 1042, 1043,
       1044, 1045, 1046, 1048, 1049, 1050, 1051, 1053, 1055, 1060, 2052, 2070, 3082, 14337};

TEST(LanguageRule, SupportedLanguagesStayAndOthersBecomeEnglish)
{
    for (LANGID id : kSupported) EXPECT_EQ(language::Normalise(id), id) << id;
    EXPECT_EQ(language::Normalise(3076), 1028);
    for (DWORD other : {1034u, 1039u, 1047u, 1052u, 1054u, 0u, 1025u, 2057u})
        EXPECT_EQ(language::Normalise(other), 1033) << other;
    // Only the low 16 bits would match a table; a wider value is not a language.
    EXPECT_EQ(language::Normalise(0x10000u + 1031), 1033);
}

TEST(LanguageRule, SettingWinsOverTheInterfaceLanguage)
{
    EXPECT_EQ(language::Select(std::nullopt, 1034), 1033) << "Spanish (traditional sort) is English";
    EXPECT_EQ(language::Select(3076, 1031), 1028);
    EXPECT_EQ(language::Select(1031, 1037), 1031);
    EXPECT_EQ(language::Select(std::nullopt, 1037), 1037);
    EXPECT_EQ(language::Select(9999, 1031), 1033) << "an unknown setting does not fall back to the interface";
}

TEST(LanguageRule, RightToLeftFlagIsZeroOnlyForHebrewAndArabic)
{
    EXPECT_EQ(language::RightToLeftFlag(1037), 0);
    EXPECT_EQ(language::RightToLeftFlag(14337), 0);
    EXPECT_EQ(language::RightToLeftFlag(1033), 1);
    EXPECT_EQ(language::RightToLeftFlag(1031), 1);
}

TEST(LanguageRule, HelpFolderCodes)
{
    EXPECT_STREQ(language::HelpFolderCode(3076), L"CHT");
    EXPECT_STREQ(language::HelpFolderCode(1028), L"CHT");
    EXPECT_STREQ(language::HelpFolderCode(1039), L"ENG");
    EXPECT_STREQ(language::HelpFolderCode(1034), L"ENG");
    EXPECT_STREQ(language::HelpFolderCode(1043), L"DTC");
    EXPECT_STREQ(language::HelpFolderCode(1046), L"BRP");
    EXPECT_STREQ(language::HelpFolderCode(2070), L"PRP");
    EXPECT_STREQ(language::HelpFolderCode(14337), L"UAE");
}

TEST(TextLookup, TextsComeFromTheRequestedTableOnly)
{
    EXPECT_EQ(texts::Load(kAdapter, 1033), L"Power adapter");
    EXPECT_EQ(texts::Load(kAdapter, 1031), L"Netzteil");
    // Present in English, missing from German: inside a block German has,
    // and in a block German lacks altogether.
    EXPECT_EQ(texts::Load(kBattery, 1031), L"");
    EXPECT_EQ(texts::Load(kDock, 1031), L"");
    // No French table at all: nothing, not English.
    EXPECT_EQ(texts::Load(kAdapter, 1036), L"");
    EXPECT_EQ(texts::Load(5, 1033), L"") << "a number no table holds";
    EXPECT_EQ(texts::Load(61315, 1033), L"Performing normally");
    EXPECT_EQ(texts::Load(0x10000 + kAdapter, 1033), L"") << "numbers are 16 bits";
}

TEST(TextLookup, NonAsciiTextsSurviveCompilation)
{
    EXPECT_EQ(texts::Load(kAdapter, 1028), L"\u96FB\u6E90\u8F49\u63A5\u5668");
    EXPECT_EQ(texts::Load(kAdapter, 1037), L"\u05DE\u05EA\u05D0\u05DD \u05DE\u05EA\u05D7");
    EXPECT_EQ(texts::Load(kMeterTitle, 1044), L"Batterim\u00E5ler");
}

TEST(TextLookup, LanguageOnlyTablesAreFoundByTheFullIdentifier)
{
    EXPECT_EQ(texts::Load(kAdapter, 1043), L"Netadapter");
    EXPECT_EQ(texts::Load(kAdapter, 1044), L"Str\u00F8madapter");
    EXPECT_EQ(texts::Load(kAdapter, 1040), L"Alimentatore");
    // Belgian Dutch is not one of the languages, but its table would be the
    // same language-only one.
    EXPECT_EQ(texts::Load(kMeterTitle, 2067), L"Batterijmeter");
    // German has a full-identifier table only; Swiss German does not find it.
    EXPECT_EQ(texts::Load(kAdapter, 2055), L"");
}

TEST(TextLookup, InterfaceLanguageWithoutSetting)
{
    // Spanish (traditional sort) has a table here, yet English is chosen.
    EXPECT_EQ(texts::Load(kAdapter, language::Select(std::nullopt, 1034)), L"Power adapter");
    // Hebrew interface: Hebrew texts, laid out right to left.
    EXPECT_EQ(texts::Load(kMeterTitle, language::Select(std::nullopt, 1037)),
              L"\u05DE\u05D3 \u05E1\u05D5\u05DC\u05DC\u05D4");
    EXPECT_EQ(language::RightToLeftFlag(1037), 0);
}

class SelectedLanguageTest : public ::testing::Test {
protected:
    RegistryValueGuard guard{CSettings::kKeyPath, {language::kLangIdValue}};
};

TEST_F(SelectedLanguageTest, HongKongSettingGivesTraditionalChineseTexts)
{
    guard.SetDword(language::kLangIdValue, 3076);
    EXPECT_EQ(language::SelectedLanguage(), 1028);
    EXPECT_EQ(texts::LoadSelected(kMeterTitle), L"\u96FB\u6C60\u8A08\u91CF\u5668");
}

TEST_F(SelectedLanguageTest, ChangedSettingAppliesToTheNextText)
{
    guard.SetDword(language::kLangIdValue, 1031);
    EXPECT_EQ(texts::LoadSelected(kAdapter), L"Netzteil");
    guard.SetDword(language::kLangIdValue, 1043);
    EXPECT_EQ(texts::LoadSelected(kAdapter), L"Netadapter");
    guard.SetDword(language::kLangIdValue, 1034);
    EXPECT_EQ(texts::LoadSelected(kAdapter), L"Power adapter") << "the Spanish table is never chosen";
}

TEST_F(SelectedLanguageTest, UnreadableSettingFallsBackToTheInterfaceLanguage)
{
    const LANGID fromInterface = language::Normalise(::GetUserDefaultUILanguage());
    guard.Delete(language::kLangIdValue);
    EXPECT_EQ(language::SelectedLanguage(), fromInterface);
    const wchar_t asText[] = L"1031";
    guard.SetRaw(language::kLangIdValue, REG_SZ, asText, sizeof(asText));
    EXPECT_EQ(language::SelectedLanguage(), fromInterface);
    const BYTE asBinary[4] = {0x07, 0x04, 0, 0};
    guard.SetRaw(language::kLangIdValue, REG_BINARY, asBinary, sizeof(asBinary));
    EXPECT_EQ(language::SelectedLanguage(), fromInterface);
}

} // namespace
