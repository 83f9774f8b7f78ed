#pragma once
#include <windows.h>

#include <optional>
#include <string>

// What the meter's pages show for a battery, as pure rules over the values
// the battery classes read.
namespace meter_display {

// The thread's language from LangID: the nine languages the meter is
// localised for stay, anything else (and no value) is English.
LANGID ThreadLanguage(std::optional<DWORD> langId);

// Status texts: classic and dock pages (idle, charging, discharging), and the
// K7 page, which says that charging is off when idle and nothing while
// discharging (0: empty).
UINT StatusTextId(int status);
UINT K7StatusTextId(int status);

// A charge time is shown only while charging below 99 % with minutes to go.
bool ShowsChargeTime(int status, int percent, int minutes);
// "87 %".
std::wstring PercentText(int percent);
// "1 minute", "35 minutes", with the words given in the page's language.
std::wstring MinutesText(int minutes, const std::wstring& minuteWord, const std::wstring& minutesWord);

// The total charge control: hidden when Windows has no value, left as it is
// for a value above 100, otherwise shown with this percent.
struct Total {
    enum class Kind { Hidden, Unchanged, Shown } kind;
    int percent;
};
// With one battery the total is that battery's own percent.
Total TotalOf(int windowsPercent, bool primaryFound, int primaryPercent, bool secondaryFound);

// Indexes into the status icons (kStatusIcons).
enum Icon : int {
    kLow = 0,
    kLevel1 = 1, // discharging, 0..29 %
    kLevel4 = 4, // discharging, 80..100 %
    kSaving = 5,
    kOnAc = 6,
    kAbsent = 7,
    kChargingOff = 8,
    kChargingOn = 9,
};
inline constexpr int kIconCount = 10;
// The K7 page's icon: no battery, on AC (charging or idle), below the power
// plan's low level, Extended Battery Life on, or the charge band.
int K7Icon(bool found, int status, int percent, int lowLevel, bool eblOn);
// The classic and dock pages' icon: no battery, charging, idle on AC, or the
// charge band while discharging.
int ClassicIcon(bool found, int status, int percent);

// The health page's main text.
UINT HealthTextId(int health, int permanentFailure, bool k7);

// The Extended Battery Life help page under the program folder (ending with
// a backslash) in the help-folder language.
std::wstring HelpFile(const std::wstring& programFolder, const std::wstring& folderCode);
// Internet Explorer's folder from its App Paths "Path" value (semicolons
// removed), or its usual folder when there is none.
std::wstring InternetExplorerFolder(const std::optional<std::wstring>& pathValue);

} // namespace meter_display
