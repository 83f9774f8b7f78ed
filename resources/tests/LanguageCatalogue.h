#pragma once
#include "TableChecks.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// The languages besides English that every program carries, the file each
// one lives in, and the groups of texts shown together in each program.
namespace language_catalogue {

struct LanguageFile {
    LANGID id;
    const char* file; // "german.rc"
    const char* language; // its LANGUAGE statement
    const wchar_t* helpFolder;
};

struct Program {
    const char* folder; // "tavrin"
    const wchar_t* textModule;
};

const std::vector<LanguageFile>& Translations();
const std::vector<Program>& Programs();

// Dutch and Norwegian everywhere, and Italian in Actuo and Tessel, are
// stored under the language-only identifier.
std::string LanguageStatement(const std::string& program, const LanguageFile& language);
LANGID StoredId(const std::string& program, const LanguageFile& language);

// Menus and dialogs by the ids of their texts; `menu` marks a menu.
struct Group {
    table_checks::TextGroup texts;
    bool menu;
};
const std::vector<Group>& Groups(const std::string& program);
std::vector<table_checks::TextGroup> TextGroups(const std::string& program);
// The numbers of the program's menu texts, by the ids of its header.
std::vector<unsigned> MenuTexts(const std::string& program, const std::map<std::string, unsigned>& ids);

} // namespace language_catalogue
