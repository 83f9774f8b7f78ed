#include "Utf8.h"

#include <windows.h>

std::string Utf8(const std::wstring& text)
{
    const int length = static_cast<int>(text.size());
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), length, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), length, out.data(), n, nullptr, nullptr);
    return out;
}
