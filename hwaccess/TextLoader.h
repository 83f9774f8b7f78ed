#pragma once
#include <windows.h>
#include <string>

// Numbered texts from a module's own string tables. Texts are stored in blocks
// of 16 per language: text n is entry n % 16 of block n / 16 + 1. A language's
// table may also be stored under its language-only identifier (for example
// Dutch as 19 rather than 1043); a lookup by the full identifier finds it.
namespace texts {

// The text of `number` in the table of `language`; empty when that table
// does not hold the number (there is no fallback to another language).
// A null module means the program's own executable.
std::wstring Load(UINT number, LANGID language, HMODULE module = nullptr);
// The text in the language that language::SelectedLanguage() picks now.
std::wstring LoadSelected(UINT number, HMODULE module = nullptr);
// True when the module holds texts stored under exactly this identifier.
bool HasTable(LANGID language, HMODULE module = nullptr);
// The ordinary lookup in the thread's language.
std::wstring LoadForThread(UINT number, HMODULE module = nullptr);

} // namespace texts
