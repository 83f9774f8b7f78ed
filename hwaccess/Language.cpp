#include "Language.h"
#include "Settings.h"
#include "TextLoader.h"

#include <algorithm>
#include <iterator>

namespace language {
namespace {

struct LanguageEntry {
    LANGID id;
    const wchar_t* helpFolder;
};

constexpr LanguageEntry kLanguages[] = {
    {1028, L"CHT"}, {1029, L"CZH"}, {1030, L"DNS"}, {1031, L"GER"},  {1032, L"GRK"}, {1033, L"ENG"},
    {1035, L"FNS"}, {1036, L"FRN"}, {1037, L"HBR"}, {1038, L"HNG"},  {1040, L"ITA"}, {1041, L"JPN"},
    {1042, L"KOR"}, {1043, L"DTC"}, {1044, L"NRW"}, {1045, L"PLS"},  {1046, L"BRP"}, {1048, L"RMN"},
    {1049, L"RSN"}, {1050, L"CRT"}, {1051, L"SLK"}, {1053, L"SWD"},  {1055, L"TRK"}, {1060, L"SLV"},
    {2052, L"CHS"}, {2070, L"PRP"}, {3082, L"SPN"}, {14337, L"UAE"},
};

const LanguageEntry* Find(DWORD id)
{
    auto it = std::find_if(std::begin(kLanguages), std::end(kLanguages),
                           [id](const LanguageEntry& entry) { return entry.id == id; });
    return it == std::end(kLanguages) ? nullptr : it;
}

} // namespace

bool IsSupported(DWORD languageId)
{
    return Find(languageId) != nullptr;
}

LANGID Normalise(DWORD languageId)
{
    if (languageId == kChineseHongKong) return kChineseTraditional;
    return IsSupported(languageId) ? static_cast<LANGID>(languageId) : kEnglish;
}

LANGID Select(std::optional<DWORD> langIdSetting, LANGID uiLanguage)
{
    return Normalise(langIdSetting.value_or(uiLanguage));
}

LANGID SelectedLanguage()
{
    const std::optional<DWORD> setting = CSettings().TryReadDword(kLangIdValue);
    if (setting == kPseudoLanguage && texts::HasTable(kPseudoLanguage)) return kPseudoLanguage;
    return Select(setting, ::GetUserDefaultUILanguage());
}

int RightToLeftFlag(LANGID uiLanguage)
{
    return uiLanguage == kHebrew || uiLanguage == kArabicUae ? 0 : 1;
}

int RightToLeftFlag()
{
    return RightToLeftFlag(::GetUserDefaultUILanguage());
}

const wchar_t* HelpFolderCode(LANGID uiLanguage)
{
    const LanguageEntry* entry = Find(uiLanguage == kChineseHongKong ? kChineseTraditional : uiLanguage);
    return entry ? entry->helpFolder : L"ENG";
}

const wchar_t* HelpFolderCode()
{
    return HelpFolderCode(::GetUserDefaultUILanguage());
}

} // namespace language
