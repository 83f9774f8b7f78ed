#pragma once
#include <windows.h>

// Every timer of the tray's main window, named once. A test checks that no
// two share a number.
enum class TimerId : UINT_PTR {
    TrayIconClick = 1032,
    TrayIconRetry = 1034,
    DisplaySwitchCommit = 32766, // ID_TIMER_DISPLAY_SWITCH
    EblEvaluation = 0x7FFF,
    IntelligentDisplay = 32787,
    S3S4Resume = 33272, // ID_TIMER_S3S4_RESUME
    DisplayOffLed = 33273, // ID_TIMER_DISPLAYOFFLED
    // On the battery-health pop-up's own window: closes it.
    BatteryWarningClose = 33274,
    // On the charging notice's own window: waiting for the user's desktop,
    // then its display time.
    BatteryChargingDesktopWait = 33275,
    BatteryChargingClose = 33276,
};

inline constexpr TimerId kAllTimerIds[] = {
    TimerId::TrayIconClick,        TimerId::TrayIconRetry,       TimerId::DisplaySwitchCommit,
    TimerId::EblEvaluation,        TimerId::IntelligentDisplay,  TimerId::S3S4Resume,
    TimerId::DisplayOffLed,        TimerId::BatteryWarningClose, TimerId::BatteryChargingDesktopWait,
    TimerId::BatteryChargingClose,
};

constexpr UINT_PTR TimerNumber(TimerId id)
{
    return static_cast<UINT_PTR>(id);
}
