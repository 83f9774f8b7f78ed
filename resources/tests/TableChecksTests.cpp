// The reader and the checks against small tables with one fault each.
#include "RcTable.h"
#include "TableChecks.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char kEnglish[] = R"(#pragma code_page(65001)
#include <winresrc.h>
#include "../TavrinStrings.h"

LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US

STRINGTABLE
BEGIN
    IDS_OPEN      "Open"
    IDS_ABOUT     "&About"
    IDS_EXIT      "&Exit"
    IDS_WATTS     "A %dW adapter in %s."
    IDS_CHANGED   "Was: %s\n    Now: %s"
    IDS_TRAILING  "will not charge. "
    IDS_LINK      "To buy one, click *here*."
    IDS_NAME      "Corvane Tavrin"
    IDS_QUOTED    "Say ""yes"""
END
)";

// German with every text right; each test breaks one thing.
const char kGerman[] = R"(#pragma code_page(65001)
#include <winresrc.h>
#include "../TavrinStrings.h"

LANGUAGE LANG_GERMAN, SUBLANG_GERMAN

STRINGTABLE
BEGIN
    // en: "Open"
    IDS_OPEN      "Öffnen"
    // en: "&About"
    IDS_ABOUT     "I&nfo"
    // en: "&Exit"
    IDS_EXIT      "&Beenden"
    // en: "A %dW adapter in %s."
    IDS_WATTS     "Ein %dW-Netzteil in %s."
    // en: "Was: %s\n    Now: %s"
    IDS_CHANGED   "Vorher: %s\n    Jetzt: %s"
    // en: "will not charge. "
    IDS_TRAILING  "wird nicht geladen. "
    // en: "To buy one, click *here*."
    IDS_LINK      "Zum Kauf klicken Sie *hier*."
    // en: "Corvane Tavrin"
    IDS_NAME      "Corvane Tavrin"
    // en: "Say ""yes"""
    IDS_QUOTED    "Sagen Sie ""ja"""
END
)";

const std::vector<table_checks::TextGroup> kGroups
    = {{"the context menu", {"IDS_OPEN", "IDS_ABOUT", "IDS_EXIT"}}};

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

std::vector<std::string> Failures(const std::string& german, std::set<std::string> allowed = {"IDS_NAME"})
{
    const auto english = rc_table::Parse(kEnglish);
    const auto translated = rc_table::Parse(german);
    EXPECT_TRUE(english.table) << english.error;
    EXPECT_TRUE(translated.table) << translated.error;
    if (!english.table || !translated.table) return {"unreadable"};
    return table_checks::Check({"tavrin", "german.rc", "LANG_GERMAN, SUBLANG_GERMAN"}, *english.table,
                               *translated.table, allowed, kGroups);
}

TEST(RcTableReader, ReadsEntriesNotesAndEscapes)
{
    const auto parsed = rc_table::Parse(kGerman);
    ASSERT_TRUE(parsed.table) << parsed.error;
    const auto& entries = parsed.table->entries;
    ASSERT_EQ(entries.size(), 9u);
    EXPECT_EQ(parsed.table->language, "LANG_GERMAN, SUBLANG_GERMAN");
    EXPECT_EQ(entries[0].text, L"\u00D6ffnen");
    EXPECT_EQ(entries[0].line, 10);
    EXPECT_EQ(entries[4].text, L"Vorher: %s\n    Jetzt: %s");
    EXPECT_EQ(*entries[4].englishNote, "Was: %s\\n    Now: %s");
    EXPECT_EQ(entries[8].text, L"Sagen Sie \"ja\"");
    EXPECT_EQ(entries[8].raw, "Sagen Sie \"\"ja\"\"");
}

TEST(RcTableReader, DamagedFilesGiveTheLineAndTheReason)
{
    const std::string good = kGerman;
    const struct {
        std::string source;
        std::string error;
    } cases[] = {
        {Replaced(good, "\"Öffnen\"", "\"Öffnen"),
         "line 10: text of IDS_OPEN is not one quoted text on its line"},
        {Replaced(good, "\"I&nfo\"", "\"I&nfo\" extra"), "line 12: something after the text of IDS_ABOUT"},
        {Replaced(good, "IDS_EXIT      \"&Beenden\"", "= \"&Beenden\""), "line 14: expected an id"},
        {Replaced(good, "Beenden", "Been\xC3"), "line 14: text of IDS_EXIT is not valid UTF-8"},
        {Replaced(good, "Beenden", "Been\\qden"),
         "line 14: text of IDS_EXIT is not valid UTF-8 or has an unknown escape"},
        {Replaced(good, "\"Sagen Sie \"\"ja\"\"\"", "\"Sagen Sie \"ja\"\""),
         "line 26: something after the text"},
        {good.substr(0, good.find("END")), "no complete STRINGTABLE"},
        {Replaced(good, "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\n", ""), "no LANGUAGE statement"},
        {"\xEF\xBB\xBF" + good, "line 1: starts with a byte-order mark"},
        {Replaced(good, "Open\"\n", "Open\"\r\n"), "line 9: CR LF line end"},
        {Replaced(good, "    // en: \"Open\"\n    IDS_OPEN      \"Öffnen\"\n", "    // en: \"Open\"\n"),
         "line 10: two notes in a row"},
        {Replaced(good, "    IDS_QUOTED    \"Sagen Sie \"\"ja\"\"\"\n", ""), "note without a text after it"},
        {Replaced(good, "// en: \"Open\"", "// en: Open"), "line 9: note is not one quoted text"},
        {Replaced(good, "STRINGTABLE\nBEGIN", "BEGIN"), "unexpected \"BEGIN\""},
        {std::string(rc_table::kMaxSourceBytes + 1, ' '), "larger than 1 MiB"},
        {"", "no complete STRINGTABLE"},
    };
    for (const auto& c : cases) {
        const auto parsed = rc_table::Parse(c.source);
        EXPECT_FALSE(parsed.table) << c.error;
        EXPECT_NE(parsed.error.find(c.error), std::string::npos) << "got: " << parsed.error;
    }
}

TEST(RcTableReader, IdsOfAHeader)
{
    const auto ids
        = rc_table::ParseIds("#pragma once\n// #define IDS_COMMENT 9\n#define IDS_OPEN   1029\n"
                             "  #define  IDS_EXIT 938  \n#define IDS_HEX 0x10\n#define IDS_HUGE 99999999999\n"
                             "#define IDS_CUT");
    EXPECT_EQ(ids, (std::map<std::string, unsigned>{{"IDS_OPEN", 1029}, {"IDS_EXIT", 938}}));
    EXPECT_TRUE(rc_table::ReadIds("Z:/no/such/Strings.h").empty());
}

TEST(RcTableReader, MissingFileIsAFailureNotACrash)
{
    const auto parsed = rc_table::ReadFile("Z:/no/such/folder/german.rc");
    EXPECT_FALSE(parsed.table);
    EXPECT_EQ(parsed.error, "cannot be opened");
}

TEST(TableChecks, CorrectTablePasses)
{
    EXPECT_EQ(Failures(kGerman), std::vector<std::string>{});
}

TEST(TableChecks, EachFaultIsNamedByProgramFileAndId)
{
    const std::string good = kGerman;
    const struct {
        std::string german;
        std::string failure;
    } cases[] = {
        {Replaced(good, "// en: \"Open\"", "// en: \"Open it\""),
         "tavrin german.rc IDS_OPEN: stale // en: note \"Open it\"; English now reads \"Open\""},
        {Replaced(good, "    // en: \"Open\"\n", ""), "tavrin german.rc IDS_OPEN: no // en: note before it"},
        {Replaced(good, "\"Öffnen\"", "\"\""), "tavrin german.rc IDS_OPEN: empty text"},
        {Replaced(good, "%dW-Netzteil in %s", "%sW-Netzteil in %d"),
         "tavrin german.rc IDS_WATTS: placeholders %s %d where English has %d %s"},
        {Replaced(good, "%dW-Netzteil in %s", "%dW-Netzteil"),
         "tavrin german.rc IDS_WATTS: placeholders %d where English has %d %s"},
        {Replaced(good, "Netzteil in %s.\"", "Netzteil in %s, 100 %.\""),
         "tavrin german.rc IDS_WATTS: placeholders %d %s % where English has %d %s"},
        {Replaced(good, "\"I&nfo\"", "\"Info\""),
         "tavrin german.rc IDS_ABOUT: no & mnemonic where English has one"},
        {Replaced(good, "\"I&nfo\"", "\"&I&nfo\""), "tavrin german.rc IDS_ABOUT: more than one & mnemonic"},
        {Replaced(good, "\"Öffnen\"", "\"Ö&ffnen\""),
         "tavrin german.rc IDS_OPEN: a & mnemonic where English has none"},
        {Replaced(good, "\"&Beenden\"", "\"&Neu\""),
         "tavrin german.rc IDS_EXIT: mnemonic &N also used by IDS_ABOUT in the context menu"},
        {Replaced(good, "\"&Beenden\"", "\"e&nde\""),
         "tavrin german.rc IDS_EXIT: mnemonic &N also used by IDS_ABOUT in the context menu"},
        {Replaced(good, "geladen. \"", "geladen.\""),
         "tavrin german.rc IDS_TRAILING: leading/trailing blanks \"\"/\"\" differ from English "
         "\"\"/\"\xC2\xB7\""},
        {Replaced(good, "Vorher: %s\\n    Jetzt", "Vorher: %s    Jetzt"),
         "tavrin german.rc IDS_CHANGED: line breaks differ from English"},
        {Replaced(good, "*hier*", "hier"),
         "tavrin german.rc IDS_LINK: *link* marker stars differ from English"},
        {Replaced(good, "\"Öffnen\"", "\"Open\""),
         "tavrin german.rc IDS_OPEN: same as English but not a name or unit listed"},
        {Replaced(good, "LANG_GERMAN, SUBLANG_GERMAN", "LANG_GERMAN, SUBLANG_DEFAULT"),
         "tavrin german.rc: LANGUAGE LANG_GERMAN, SUBLANG_DEFAULT where LANG_GERMAN, SUBLANG_GERMAN is "
         "expected"},
        {Replaced(good, "    // en: \"Corvane Tavrin\"\n    IDS_NAME      \"Corvane Tavrin\"\n", ""),
         "tavrin german.rc IDS_NAME: missing"},
        {Replaced(good, "IDS_NAME ", "IDS_NAMES"),
         "tavrin german.rc IDS_NAMES: not an id of the English table"},
        {Replaced(good, "IDS_LINK ", "IDS_OPEN "), "tavrin german.rc IDS_OPEN: appears twice"},
    };
    for (const auto& c : cases) {
        const auto failures = Failures(c.german);
        EXPECT_NE(std::find(failures.begin(), failures.end(), c.failure), failures.end())
            << "expected: " << c.failure << "\n got: " << ::testing::PrintToString(failures);
    }
}

TEST(TableChecks, OrderFollowsEnglish)
{
    std::string swapped = kGerman;
    const std::string open = "    // en: \"Open\"\n    IDS_OPEN      \"Öffnen\"\n";
    swapped = Replaced(swapped, open, "");
    swapped = Replaced(swapped, "    // en: \"&Exit\"", open + "    // en: \"&Exit\"");
    const auto failures = Failures(swapped);
    ASSERT_EQ(failures.size(), 1u) << ::testing::PrintToString(failures);
    EXPECT_EQ(failures[0], "tavrin german.rc IDS_ABOUT: out of the English order (expected IDS_OPEN here)");
}

TEST(TableChecks, IdenticalTextOnlyWhereListed)
{
    EXPECT_EQ(
        Failures(kGerman, {}),
        std::vector<std::string>{"tavrin german.rc IDS_NAME: same as English but not a name or unit listed"});
    const std::string ok = Replaced(kGerman, "\"Öffnen\"", "\"Open\"");
    EXPECT_EQ(Failures(ok, {"IDS_NAME", "IDS_OPEN"}), std::vector<std::string>{});
}

TEST(TableChecks, AsianMnemonicInBracketsCounts)
{
    std::string japanese = Replaced(kGerman, "\"I&nfo\"", "\"バージョン情報(&A)\"");
    japanese = Replaced(japanese, "\"&Beenden\"", "\"終了(&X)\"");
    EXPECT_EQ(Failures(japanese), std::vector<std::string>{});
    EXPECT_EQ(table_checks::Mnemonic(L"\u7D42\u4E86(&x)"), 'X');
    EXPECT_EQ(table_checks::Mnemonic(L"Salt && pepper"), 0);
    EXPECT_EQ(table_checks::Mnemonic(L"&Salt && &pepper"), -1);
    EXPECT_EQ(table_checks::Mnemonic(L"trailing &"), -1);
}

TEST(TableChecks, PlaceholdersInOrder)
{
    using P = std::vector<std::wstring>;
    EXPECT_EQ(table_checks::Placeholders(L"%d of %ls at 100%% (%1, %12)"),
              (P{L"%d", L"%ls", L"%%", L"%1", L"%12"}));
    EXPECT_EQ(table_checks::Placeholders(L"%u%s"), (P{L"%u", L"%s"}));
    EXPECT_EQ(table_checks::Placeholders(L"50 % off"), (P{L"%"}));
    EXPECT_EQ(table_checks::Placeholders(L"ends with %"), (P{L"%"}));
    EXPECT_EQ(table_checks::Placeholders(L"none"), P{});
}

TEST(TableChecks, AllowListAddsNamesOfTheProgram)
{
    const auto allowed = table_checks::AllowedIdentical("tessel", {"IDS_OK"});
    EXPECT_TRUE(allowed.count("IDS_OK"));
    EXPECT_TRUE(allowed.count("IDS_FLINTO_TITLE"));
    EXPECT_FALSE(allowed.count("IDS_TRAY_TOOLTIP")) << "a name of another program";
}

} // namespace
