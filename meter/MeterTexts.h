#pragma once
#include <windows.h>

#include <string>

// The meter's numbered texts, all in the one language its thread took from
// LangID at start-up.
namespace meter_texts {

void SetLanguage(LANGID language);
LANGID Language();
// Empty when the table does not hold the number.
std::wstring Text(UINT id);

} // namespace meter_texts
