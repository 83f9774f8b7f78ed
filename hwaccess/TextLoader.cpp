#include "TextLoader.h"
#include "Language.h"

#include <vector>

namespace texts {
namespace {

constexpr UINT kTextsPerBlock = 16;

HMODULE OrOwnExecutable(HMODULE module)
{
    return module ? module : ::GetModuleHandleW(nullptr);
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<std::vector<LANGID>*>(param)->push_back(language);
    return TRUE;
}

// The identifier the block is stored under for `language`: the exact one, or
// else the language-only one. Resolved here rather than left to
// FindResourceEx, which may fall back to some other language of its choosing.
bool StoredLanguage(HMODULE module, const wchar_t* block, LANGID language, LANGID* stored)
{
    std::vector<LANGID> languages;
    ::EnumResourceLanguagesW(module, RT_STRING, block, CollectLanguage,
                             reinterpret_cast<LONG_PTR>(&languages));
    const LANGID languageOnly = MAKELANGID(PRIMARYLANGID(language), SUBLANG_NEUTRAL);
    for (LANGID candidate : {language, languageOnly}) {
        for (LANGID present : languages) {
            if (present == candidate) {
                *stored = present;
                return true;
            }
        }
    }
    return false;
}

BOOL CALLBACK CollectBlock(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<const wchar_t*>*>(param)->push_back(name);
    return TRUE;
}

// Entry `index` of a block of length-prefixed texts; every length is checked
// against the block's size so a damaged block cannot be read past its end.
std::wstring EntryOfBlock(const WCHAR* data, size_t words, UINT index)
{
    size_t pos = 0;
    for (UINT entry = 0; pos < words; ++entry) {
        const size_t length = data[pos++];
        if (length > words - pos) return {};
        if (entry == index) return std::wstring(data + pos, length);
        pos += length;
    }
    return {};
}

} // namespace

std::wstring Load(UINT number, LANGID language, HMODULE module)
{
    if (number > 0xFFFF) return {};
    module = OrOwnExecutable(module);
    const wchar_t* block = MAKEINTRESOURCEW(number / kTextsPerBlock + 1);
    LANGID stored = 0;
    if (!StoredLanguage(module, block, language, &stored)) return {};
    HRSRC resource = ::FindResourceExW(module, RT_STRING, block, stored);
    if (!resource) return {};
    HGLOBAL loaded = ::LoadResource(module, resource);
    const auto* data = static_cast<const WCHAR*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!data) return {};
    const size_t words = ::SizeofResource(module, resource) / sizeof(WCHAR);
    return EntryOfBlock(data, words, number % kTextsPerBlock);
}

bool HasTable(LANGID language, HMODULE module)
{
    module = OrOwnExecutable(module);
    std::vector<const wchar_t*> blocks;
    ::EnumResourceNamesW(module, RT_STRING, CollectBlock, reinterpret_cast<LONG_PTR>(&blocks));
    for (const wchar_t* block : blocks) {
        std::vector<LANGID> languages;
        ::EnumResourceLanguagesW(module, RT_STRING, block, CollectLanguage,
                                 reinterpret_cast<LONG_PTR>(&languages));
        for (LANGID present : languages)
            if (present == language) return true;
    }
    return false;
}

std::wstring LoadSelected(UINT number, HMODULE module)
{
    return Load(number, language::SelectedLanguage(), module);
}

std::wstring LoadForThread(UINT number, HMODULE module)
{
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(OrOwnExecutable(module), number, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

} // namespace texts
