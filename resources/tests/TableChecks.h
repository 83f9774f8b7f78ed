#pragma once
#include "RcTable.h"

#include <set>
#include <string>
#include <vector>

// The checks a translated table must pass against the program's English one.
// Every failure is one line naming program, language file and id.
namespace table_checks {

// Texts shown together (one menu, one dialog): their mnemonics must differ.
struct TextGroup {
    const char* name;
    std::vector<const char*> ids;
};

struct Subject {
    std::string program; // "tavrin"
    std::string file; // "german.rc"
    std::string language; // the LANGUAGE statement this file must carry
};

// Ids that may keep their English text: the program's names and units
// (every language) and those the translator listed for this language.
std::set<std::string> AllowedIdentical(const std::string& program, const std::set<std::string>& listed);

// Placeholders (%d, %s, %u, %ls, %1, %%) of a text, in order.
std::vector<std::wstring> Placeholders(const std::wstring& text);
// The letter after the one single '&' (upper case), 0 without one; -1 when
// the text has more than one.
int Mnemonic(const std::wstring& text);

std::vector<std::string> Check(const Subject& subject, const rc_table::Table& english,
                               const rc_table::Table& translated,
                               const std::set<std::string>& allowedIdentical,
                               const std::vector<TextGroup>& groups);

// Group ids that the English table does not hold (a mistyped group).
std::vector<std::string> UnknownGroupIds(const rc_table::Table& english,
                                         const std::vector<TextGroup>& groups);

} // namespace table_checks
