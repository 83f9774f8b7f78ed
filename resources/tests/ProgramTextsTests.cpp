#include "LanguageCatalogue.h"
#include "StringTableAudit.h"
#include "TextModule.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr LANGID kEnglish = 1033;
constexpr LANGID kPseudoLanguage = 0x0501;

class ProgramTexts : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(ProgramTexts, EveryLanguageTableHoldsTheSameNumbers)
{
    const UniqueModule module = LoadTextModule(GetParam());
    ASSERT_TRUE(module);
    const TextNumbers numbers = TextNumbersByLanguage(module.get());
    ASSERT_EQ(numbers.count(kEnglish), 1u);
    EXPECT_GT(numbers.at(kEnglish).size(), 15u);
    for (const std::wstring& difference : TablesDifferingFromEnglish(numbers))
        ADD_FAILURE() << std::string(difference.begin(), difference.end());
}

TEST_P(ProgramTexts, EveryLanguageIsCarriedUnderItsStoredIdentifier)
{
    const UniqueModule module = LoadTextModule(GetParam());
    ASSERT_TRUE(module);
    const TextNumbers numbers = TextNumbersByLanguage(module.get());
    const std::wstring name = GetParam();
    const auto program
        = std::find_if(language_catalogue::Programs().begin(), language_catalogue::Programs().end(),
                       [&](const auto& p) { return name == p.textModule; });
    ASSERT_NE(program, language_catalogue::Programs().end());
    for (const auto& language : language_catalogue::Translations()) {
        const LANGID stored = language_catalogue::StoredId(program->folder, language);
        EXPECT_EQ(numbers.count(stored), 1u) << program->folder << ": no table for language " << language.id
                                             << " (stored as " << stored << ", from " << language.file << ")";
    }
    std::set<LANGID> known{kEnglish};
    if (TAVRIN_PSEUDO_LOCALE) known.insert(kPseudoLanguage);
    for (const auto& language : language_catalogue::Translations())
        known.insert(language_catalogue::StoredId(program->folder, language));
    for (const auto& [language, held] : numbers)
        EXPECT_TRUE(known.count(language)) << program->folder << " carries a table under " << language
                                           << ", the identifier of no language of the suite";
}

INSTANTIATE_TEST_SUITE_P(AllPrograms, ProgramTexts,
                         ::testing::Values(L"TavrinTexts", L"BatteryTexts", L"AeroloTexts", L"ActuoTexts",
                                           L"TesselTexts"));

TEST(StringTableAudit, IncompleteTablesAreReported)
{
    // This executable carries the language tests' tables, which leave numbers out.
    const TextNumbers numbers = TextNumbersByLanguage(::GetModuleHandleW(nullptr));
    EXPECT_EQ(numbers.at(kEnglish), (std::set<UINT>{1, 2, 17, 918, 61315}));
    EXPECT_EQ(numbers.at(1031), (std::set<UINT>{1, 918}));
    EXPECT_EQ(numbers.at(MAKELANGID(LANG_DUTCH, SUBLANG_NEUTRAL)), (std::set<UINT>{1, 918}));

    const auto differences = TablesDifferingFromEnglish(numbers);
    EXPECT_EQ(differences.size(), numbers.size() - 1) << "every table but English lacks numbers";
    EXPECT_NE(std::find(differences.begin(), differences.end(), L"language 1031: number 2 is missing"),
              differences.end());
}

TEST(StringTableAudit, ExtraNumbersAreReported)
{
    TextNumbers numbers{{kEnglish, {1, 2}}, {1031, {1, 2, 3}}};
    const auto differences = TablesDifferingFromEnglish(numbers);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0], L"language 1031: number 3 is extra");
}

} // namespace
