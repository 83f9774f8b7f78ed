// Every language file of every program against the program's English table,
// read from the sources (TAVRIN_RESOURCES_DIR).
#include "LanguageCatalogue.h"
#include "RcTable.h"
#include "TableChecks.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using language_catalogue::LanguageFile;

// The tree's own resources, or another copy named by TAVRIN_RESOURCES
// (a Windows path), to check a translator's files before they are merged.
std::string ResourcesDir()
{
    char other[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA("TAVRIN_RESOURCES", other, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(other, length) : std::string(TAVRIN_RESOURCES_DIR);
}

std::string StringsFile(const std::string& program, const std::string& file)
{
    return ResourcesDir() + "/" + program + "/strings/" + file;
}

// resources/translations-identical/<language>.txt: one id per line, either
// alone (any program) or after the program's folder name ("tavrin IDS_VERSION").
std::set<std::string> ListedIdentical(const std::string& program, const std::string& file)
{
    std::set<std::string> ids;
    std::ifstream list(ResourcesDir() + "/translations-identical/" + file.substr(0, file.size() - 3)
                       + ".txt");
    std::string line;
    for (int n = 0; n < 10000 && std::getline(list, line); ++n) {
        std::istringstream words(line);
        std::string first, second;
        words >> first >> second;
        if (second.empty() && !first.empty())
            ids.insert(first);
        else if (first == program)
            ids.insert(second);
    }
    return ids;
}

TEST(EnglishTables, ReadAndGroupsNameTheirIds)
{
    for (const auto& program : language_catalogue::Programs()) {
        const auto parsed = rc_table::ReadFile(StringsFile(program.folder, "english.rc"));
        ASSERT_TRUE(parsed.table) << program.folder << " english.rc: " << parsed.error;
        EXPECT_GT(parsed.table->entries.size(), 20u) << program.folder;
        EXPECT_EQ(parsed.table->language, "LANG_ENGLISH, SUBLANG_ENGLISH_US");
        for (const auto& unknown :
             table_checks::UnknownGroupIds(*parsed.table, language_catalogue::TextGroups(program.folder)))
            ADD_FAILURE() << program.folder << " group " << unknown << " is not an id of english.rc";
    }
}

struct Case {
    std::string program;
    LanguageFile language;
};

std::vector<Case> AllCases()
{
    std::vector<Case> cases;
    for (const auto& program : language_catalogue::Programs())
        for (const auto& language : language_catalogue::Translations())
            cases.push_back({program.folder, language});
    return cases;
}

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.program << "/" << c.language.file;
}

class LanguageFileTest : public ::testing::TestWithParam<Case> {};

TEST_P(LanguageFileTest, MatchesEnglish)
{
    const Case& c = GetParam();
    const auto english = rc_table::ReadFile(StringsFile(c.program, "english.rc"));
    ASSERT_TRUE(english.table) << c.program << " english.rc: " << english.error;
    const std::string path = StringsFile(c.program, c.language.file);
    if (!std::ifstream(path))
        FAIL() << c.program << " " << c.language.file << ": missing (language " << c.language.id << ")";
    const auto parsed = rc_table::ReadFile(path);
    ASSERT_TRUE(parsed.table) << c.program << " " << c.language.file << ": " << parsed.error;
    const table_checks::Subject subject{c.program, c.language.file,
                                        language_catalogue::LanguageStatement(c.program, c.language)};
    const auto failures = table_checks::Check(
        subject, *english.table, *parsed.table,
        table_checks::AllowedIdentical(c.program, ListedIdentical(c.program, c.language.file)),
        language_catalogue::TextGroups(c.program));
    for (const auto& failure : failures) ADD_FAILURE() << failure;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info)
{
    std::string name = info.param.program + "_" + info.param.language.file;
    for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, LanguageFileTest, ::testing::ValuesIn(AllCases()), CaseName);

} // namespace
