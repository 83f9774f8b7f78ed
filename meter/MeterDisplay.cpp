#include "MeterDisplay.h"

#include "BatteryStrings.h"

#include <algorithm>
#include <iterator>

namespace meter_display {

namespace {
constexpr int kCharging = 1;
constexpr int kDischarging = 2;
} // namespace

LANGID ThreadLanguage(std::optional<DWORD> langId)
{
    constexpr LANGID kLocalised[] = {1028, 1031, 1036, 1040, 1041, 1042, 1046, 2052, 3082};
    if (langId && std::find(std::begin(kLocalised), std::end(kLocalised), *langId) != std::end(kLocalised))
        return static_cast<LANGID>(*langId);
    return 1033;
}

UINT StatusTextId(int status)
{
    if (status == kCharging) return IDS_CHARGING;
    if (status == kDischarging) return IDS_DISCHARGING;
    return IDS_IDLE;
}

UINT K7StatusTextId(int status)
{
    if (status == kCharging) return IDS_CHARGING;
    if (status == kDischarging) return 0;
    return IDS_CHARGING_DISABLED;
}

bool ShowsChargeTime(int status, int percent, int minutes)
{
    return status == kCharging && percent < 99 && minutes > 0;
}

std::wstring PercentText(int percent)
{
    return std::to_wstring(percent) + L" %";
}

std::wstring MinutesText(int minutes, const std::wstring& minuteWord, const std::wstring& minutesWord)
{
    return std::to_wstring(minutes) + L" " + (minutes == 1 ? minuteWord : minutesWord);
}

Total TotalOf(int windowsPercent, bool primaryFound, int primaryPercent, bool secondaryFound)
{
    constexpr int kNoValue = 255;
    if (windowsPercent == kNoValue) return {Total::Kind::Hidden, 0};
    const int percent = primaryFound && !secondaryFound ? primaryPercent : windowsPercent;
    if (percent > 100 || percent < 0) return {Total::Kind::Unchanged, 0};
    return {Total::Kind::Shown, percent};
}

namespace {
int Band(int percent)
{
    if (percent < 30) return kLevel1;
    if (percent < 60) return kLevel1 + 1;
    if (percent < 80) return kLevel1 + 2;
    return kLevel4;
}
} // namespace

int K7Icon(bool found, int status, int percent, int lowLevel, bool eblOn)
{
    if (!found) return kAbsent;
    if (status != kDischarging) return kOnAc;
    if (percent < lowLevel) return kLow;
    return eblOn ? kSaving : Band(percent);
}

int ClassicIcon(bool found, int status, int percent)
{
    if (!found) return kAbsent;
    if (status == kCharging) return kChargingOn;
    if (status != kDischarging) return kOnAc;
    return Band(percent);
}

UINT HealthTextId(int health, int permanentFailure, bool k7)
{
    switch (health) {
    case 0:
        return k7 || permanentFailure == 1 ? IDS_HEALTH_PERMANENT_FAILURE : IDS_HEALTH_INSUFFICIENT_POWER;
    case 1:
        return k7 ? IDS_HEALTH_NORMAL : IDS_HEALTH_END_OF_LIFE;
    case 2:
        return k7 ? IDS_HEALTH_NORMAL : IDS_HEALTH_DECREASING;
    case 3:
        return IDS_HEALTH_NORMAL;
    case 4:
        return k7 ? IDS_HEALTH_TEMPORARILY_DISABLED : IDS_HEALTH_NOT_AVAILABLE;
    case 5:
        return IDS_HEALTH_NO_COMMUNICATION;
    case 6:
        return IDS_HEALTH_UNIDENTIFIED;
    default:
        return IDS_HEALTH_NOT_AVAILABLE;
    }
}

std::wstring HelpFile(const std::wstring& programFolder, const std::wstring& folderCode)
{
    return programFolder + L"help\\" + folderCode + L"\\EBL.htm";
}

std::wstring InternetExplorerFolder(const std::optional<std::wstring>& pathValue)
{
    if (!pathValue) return L"C:\\Program Files\\Internet Explorer";
    std::wstring folder = *pathValue;
    folder.erase(std::remove(folder.begin(), folder.end(), L';'), folder.end());
    return folder;
}

} // namespace meter_display
