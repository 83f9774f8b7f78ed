// The pseudo-language table of the test builds, generated from English.
#include "LanguageCatalogue.h"
#include "StringTableAudit.h"
#include "TableChecks.h"
#include "TextLoader.h"
#include "TextModule.h"

#include <gtest/gtest.h>

namespace {

constexpr LANGID kEnglish = 1033;
constexpr LANGID kPseudoLanguage = 0x0501;

class PseudoLanguage : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(PseudoLanguage, EveryTextIsLongerMarkedAndKeepsItsPlaceholders)
{
    if (!TAVRIN_PSEUDO_LOCALE) GTEST_SKIP() << "built without the pseudo-language";
    const UniqueModule module = LoadTextModule(GetParam());
    ASSERT_TRUE(module);
    const TextNumbers numbers = TextNumbersByLanguage(module.get());
    ASSERT_EQ(numbers.count(kPseudoLanguage), 1u);
    EXPECT_EQ(numbers.at(kPseudoLanguage), numbers.at(kEnglish));
    for (UINT number : numbers.at(kEnglish)) {
        const std::wstring english = texts::Load(number, kEnglish, module.get());
        const std::wstring pseudo = texts::Load(number, kPseudoLanguage, module.get());
        SCOPED_TRACE(number);
        ASSERT_GE(pseudo.size(), 8u);
        EXPECT_EQ(pseudo.substr(0, 4), L"[!! ");
        EXPECT_EQ(pseudo.substr(pseudo.size() - 3), L"!!]");
        EXPECT_GE(pseudo.size() * 10, english.size() * 14) << "at least 40 % longer";
        EXPECT_EQ(table_checks::Placeholders(pseudo), table_checks::Placeholders(english));
        EXPECT_EQ(table_checks::Mnemonic(pseudo), table_checks::Mnemonic(english));
        EXPECT_EQ(std::count(pseudo.begin(), pseudo.end(), L'\n'),
                  std::count(english.begin(), english.end(), L'\n'));
        if (english.find_first_of(L"abcdefghijklmnopqrstuvwxyz") != std::wstring::npos) {
            EXPECT_NE(pseudo.substr(4, english.size()), english) << "letters are accented";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllPrograms, PseudoLanguage,
                         ::testing::Values(L"TavrinTexts", L"BatteryTexts", L"AeroloTexts", L"ActuoTexts",
                                           L"TesselTexts"));

TEST(PseudoLanguage, EscapesSurviveTheGenerator)
{
    if (!TAVRIN_PSEUDO_LOCALE) GTEST_SKIP() << "built without the pseudo-language";
    const UniqueModule module = LoadTextModule(L"TavrinTexts");
    ASSERT_TRUE(module);
    // 80: "...will not charge.\r\nThis problem..."; 1036 holds a trademark sign.
    EXPECT_NE(texts::Load(80, kPseudoLanguage, module.get()).find(L".\r\n"), std::wstring::npos);
    EXPECT_NE(texts::Load(1036, kPseudoLanguage, module.get()).find(L"\u2122"), std::wstring::npos);
    EXPECT_EQ(texts::Load(937, kPseudoLanguage, module.get()).find(L"&A"), 4u) << "mnemonic letter kept";
}

} // namespace
