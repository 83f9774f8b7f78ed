#pragma once
// Numbered texts of Battery.exe, shared by the code and every language table
// under strings/. Each table holds all of these numbers.

#define IDS_TITLE                       102
#define IDS_BATTERY_STATUS              103
#define IDS_DOCK_BATTERY                104
#define IDS_PRIMARY                     105
#define IDS_SECONDARY                   106
#define IDS_CHARGING                    107
#define IDS_IDLE                        108
#define IDS_DISCHARGING                 109
#define IDS_CHARGE_TIME                 111
#define IDS_MINUTES                     114
#define IDS_MINUTE                      115
#define IDS_INFO_NAME                   132
#define IDS_INFO_IDENTIFIER             133
#define IDS_INFO_MANUFACTURER           134
#define IDS_INFO_CHEMISTRY              135
#define IDS_CHARGING_DISABLED           150
#define IDS_K7_WEAR_NOTE                157
#define IDS_HEALTH_TEMPORARILY_DISABLED 160
#define IDS_K7_CORVANE_ONLY             161
#define IDS_K7_ORDER_ONLINE_NOW         162
#define IDS_DESKTOP_MODE                163
#define IDS_CLOSE                       1076
#define IDS_HEALTH_TITLE                1077
#define IDS_ISP_NOTE                    1088
#define IDS_HEALTH_INSUFFICIENT_POWER   1093
#define IDS_HEALTH_DECREASING           61309
#define IDS_CORVANE_BATTERIES_ONLY      61312
#define IDS_ORDER_BATTERY_ONLINE        61313
#define IDS_DO_NOT_REMIND               61314
#define IDS_HEALTH_NORMAL               61315
#define IDS_WEAR_NOTE                   61316
#define IDS_HEALTH_END_OF_LIFE          61317
#define IDS_TO_ORDER_ONLINE             61318
#define IDS_ORDER_ONLINE                61320
#define IDS_NOTIFY_AGAIN                61321
#define IDS_HEALTH_PERMANENT_FAILURE    61323
#define IDS_HEALTH_NOT_AVAILABLE        61325
#define IDS_CHOOSE_BATTERY              61327
#define IDS_HEALTH_NO_COMMUNICATION     61329
#define IDS_HEALTH_UNIDENTIFIED         61330
