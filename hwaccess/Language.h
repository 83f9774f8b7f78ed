#pragma once
#include "SettingNames.h"

#include <windows.h>
#include <optional>

// The one rule that picks the language of every text the user sees, and the
// two values derived from the user's interface language.
namespace language {

inline constexpr LANGID kEnglish = 1033;
inline constexpr LANGID kChineseTraditional = 1028;
inline constexpr LANGID kChineseHongKong = 3076;
inline constexpr LANGID kHebrew = 1037;
inline constexpr LANGID kArabicUae = 14337;
inline constexpr const wchar_t* kLangIdValue = setting_names::kLangId;
// The pseudo-language of test builds (qps-ploc). `LangID` selects it only in
// a program that carries its table; anywhere else it reads as English.
inline constexpr LANGID kPseudoLanguage = 0x0501;

// True for the 28 languages the programs carry texts for.
bool IsSupported(DWORD languageId);
// A supported identifier stays; Hong Kong Chinese reads Traditional Chinese;
// anything else is English.
LANGID Normalise(DWORD languageId);
// The setting when there is one, otherwise the interface language, normalised.
LANGID Select(std::optional<DWORD> langIdSetting, LANGID uiLanguage);
// Select() on `LangID` from the settings key and the user's default interface
// language (or the pseudo-language, see above); evaluated at each call so a
// change applies to the next text.
LANGID SelectedLanguage();

// 0 for a right-to-left interface language (Hebrew, Arabic), 1 otherwise.
int RightToLeftFlag(LANGID uiLanguage);
int RightToLeftFlag();

// Three-letter name of the help sub-folder for an interface language.
const wchar_t* HelpFolderCode(LANGID uiLanguage);
const wchar_t* HelpFolderCode();

} // namespace language
