#pragma once
#include <string>

// The UTF-8 form of a wide string, for console output and logs.
std::string Utf8(const std::wstring& text);
