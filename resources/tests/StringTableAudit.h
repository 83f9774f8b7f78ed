#pragma once
#include <windows.h>
#include <map>
#include <set>
#include <string>
#include <vector>

// What a module's string tables hold: for each language identifier the
// numbers that have a (non-empty) text.
using TextNumbers = std::map<LANGID, std::set<UINT>>;
TextNumbers TextNumbersByLanguage(HMODULE module);

// One line for each language table whose numbers differ from the English
// table's: the language and the first number that is missing or extra.
std::vector<std::wstring> TablesDifferingFromEnglish(const TextNumbers& numbers);
