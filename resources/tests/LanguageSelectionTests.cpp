// `LangID` chooses the tray's menu texts: every language of the suite, the
// identifiers that are read as another one, and the pseudo-language of test
// builds. This executable carries Tavrin.exe's tables as its own.
#include "Language.h"
#include "LanguageCatalogue.h"
#include "RcTable.h"
#include "RegistryValueGuard.h"
#include "Settings.h"
#include "TavrinStrings.h"
#include "TextLoader.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The tray's menu texts, by the menu groups of the language checks.
const std::vector<unsigned>& MenuTexts()
{
    static const auto numbers = language_catalogue::MenuTexts(
        "tavrin", rc_table::ReadIds(TAVRIN_RESOURCES_DIR "/tavrin/TavrinStrings.h"));
    return numbers;
}

class LangIdSetting : public ::testing::Test {
protected:
    void Select(DWORD id) const { guard.SetDword(language::kLangIdValue, id); }
    static std::wstring English(UINT number) { return texts::Load(number, language::kEnglish); }

    RegistryValueGuard guard{CSettings::kKeyPath, {language::kLangIdValue}};
};

TEST_F(LangIdSetting, EveryLanguageGivesItsOwnMenuTexts)
{
    ASSERT_EQ(MenuTexts().size(), 7u);
    EXPECT_NE(std::find(MenuTexts().begin(), MenuTexts().end(), IDS_MENU_EXIT), MenuTexts().end());
    for (const auto& language : language_catalogue::Translations()) {
        Select(language.id);
        ASSERT_EQ(language::SelectedLanguage(), language.id);
        int translated = 0;
        for (UINT number : MenuTexts()) {
            const std::wstring text = texts::LoadSelected(number);
            EXPECT_FALSE(text.empty()) << language.file << " text " << number;
            translated += text != English(number);
        }
        EXPECT_GT(translated, 4) << language.file << ": the menu reads as English";
    }
    Select(language::kEnglish);
    for (UINT number : MenuTexts()) EXPECT_FALSE(texts::LoadSelected(number).empty()) << number;
}

TEST_F(LangIdSetting, HongKongReadsTraditionalChinese)
{
    Select(3076);
    EXPECT_EQ(language::SelectedLanguage(), 1028);
    for (UINT number : MenuTexts()) EXPECT_EQ(texts::LoadSelected(number), texts::Load(number, 1028));
}

TEST_F(LangIdSetting, UnsupportedIdentifiersReadEnglish)
{
    for (DWORD id : {1034u, 99999u, 0u}) {
        Select(id);
        EXPECT_EQ(language::SelectedLanguage(), language::kEnglish) << id;
        for (UINT number : MenuTexts()) EXPECT_EQ(texts::LoadSelected(number), English(number)) << id;
    }
}

TEST_F(LangIdSetting, PseudoLanguageOnlyWhereItsTableIsCarried)
{
    if (!TAVRIN_PSEUDO_LOCALE) GTEST_SKIP() << "built without the pseudo-language";
    Select(language::kPseudoLanguage);
    EXPECT_EQ(language::SelectedLanguage(), language::kPseudoLanguage);
    const std::wstring about = texts::LoadSelected(IDS_MENU_ABOUT);
    EXPECT_EQ(about.substr(0, 6), L"[!! &A");
    EXPECT_TRUE(texts::HasTable(language::kPseudoLanguage));
    EXPECT_TRUE(texts::HasTable(1041));
    EXPECT_FALSE(texts::HasTable(language::kPseudoLanguage, ::GetModuleHandleW(L"kernel32.dll")));
    EXPECT_FALSE(texts::HasTable(1034)) << "stored as Spanish (modern sort) only";
}

TEST(InterfaceLanguage, RightToLeftOnlyForHebrewAndArabicOfTheEmirates)
{
    EXPECT_EQ(language::RightToLeftFlag(1037), 0);
    EXPECT_EQ(language::RightToLeftFlag(14337), 0);
    EXPECT_EQ(language::RightToLeftFlag(3076), 1) << "Hong Kong Chinese";
    EXPECT_EQ(language::RightToLeftFlag(1034), 1) << "Spanish, traditional sort";
    EXPECT_EQ(language::RightToLeftFlag(1025), 1) << "Arabic of Saudi Arabia has no table of its own";
    EXPECT_EQ(language::RightToLeftFlag(1033), 1);
}

TEST(InterfaceLanguage, HelpFolderOfTheSameEdgeCases)
{
    EXPECT_STREQ(language::HelpFolderCode(1037), L"HBR");
    EXPECT_STREQ(language::HelpFolderCode(14337), L"UAE");
    EXPECT_STREQ(language::HelpFolderCode(3076), L"CHT");
    EXPECT_STREQ(language::HelpFolderCode(1034), L"ENG");
    for (const auto& language : language_catalogue::Translations())
        EXPECT_STREQ(language::HelpFolderCode(language.id), language.helpFolder) << language.file;
}

} // namespace
