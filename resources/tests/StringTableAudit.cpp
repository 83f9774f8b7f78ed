#include "StringTableAudit.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

BOOL CALLBACK CollectBlock(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<UINT>*>(param)->push_back(
            static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<std::vector<LANGID>*>(param)->push_back(language);
    return TRUE;
}

void AddBlock(HMODULE module, UINT block, LANGID language, std::set<UINT>& numbers)
{
    HRSRC resource = ::FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(block), language);
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const auto* data = static_cast<const WCHAR*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!data) return;
    const size_t words = ::SizeofResource(module, resource) / sizeof(WCHAR);
    size_t pos = 0;
    for (UINT entry = 0; entry < 16 && pos < words; ++entry) {
        const size_t length = data[pos];
        if (length > 0) numbers.insert((block - 1) * 16 + entry);
        pos += 1 + length;
    }
}

} // namespace

TextNumbers TextNumbersByLanguage(HMODULE module)
{
    std::vector<UINT> blocks;
    ::EnumResourceNamesW(module, RT_STRING, CollectBlock, reinterpret_cast<LONG_PTR>(&blocks));
    TextNumbers numbers;
    for (UINT block : blocks) {
        std::vector<LANGID> languages;
        ::EnumResourceLanguagesW(module, RT_STRING, MAKEINTRESOURCEW(block), CollectLanguage,
                                 reinterpret_cast<LONG_PTR>(&languages));
        for (LANGID language : languages) AddBlock(module, block, language, numbers[language]);
    }
    return numbers;
}

std::vector<std::wstring> TablesDifferingFromEnglish(const TextNumbers& numbers)
{
    std::vector<std::wstring> differences;
    const auto english = numbers.find(kEnglish);
    const std::set<UINT> none;
    const std::set<UINT>& reference = english == numbers.end() ? none : english->second;
    for (const auto& [language, held] : numbers) {
        std::vector<UINT> diff;
        std::set_symmetric_difference(reference.begin(), reference.end(), held.begin(), held.end(),
                                      std::back_inserter(diff));
        if (!diff.empty())
            differences.push_back(L"language " + std::to_wstring(language) + L": number "
                                  + std::to_wstring(diff.front())
                                  + (held.count(diff.front()) ? L" is extra" : L" is missing"));
    }
    return differences;
}
