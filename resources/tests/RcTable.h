#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The source of one language file as the layout for translators has it: a
// LANGUAGE statement and one STRINGTABLE whose entries may each be preceded
// by a note `// en: "<English text>"`. Read without a resource compiler, so
// that a damaged file is reported by line instead of stopping the build.
namespace rc_table {

struct Entry {
    std::string id;
    std::string raw; // between the quotes, escapes as written
    std::wstring text; // what the program shows
    std::optional<std::string> englishNote; // raw, as written in the note
    int line = 0;
};

struct Table {
    std::string language; // "LANG_GERMAN, SUBLANG_GERMAN", blanks as one space
    std::vector<Entry> entries;
};

struct Parsed {
    std::optional<Table> table;
    std::string error; // "line 12: ..." when table is empty
};

inline constexpr size_t kMaxSourceBytes = 1 << 20;

Parsed Parse(std::string_view source);
Parsed ReadFile(const std::string& path);

// `#define NAME number` lines of a program's id header (<Exe>Strings.h).
std::map<std::string, unsigned> ParseIds(std::string_view header);
std::map<std::string, unsigned> ReadIds(const std::string& path);

// UTF-8 of a text, for failure messages.
std::string Utf8(const std::wstring& text);

// Escapes \n \r \t \\ and doubled quotes, then UTF-8; nothing for a broken text.
std::optional<std::wstring> Decode(std::string_view raw);

} // namespace rc_table
