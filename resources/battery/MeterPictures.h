#pragma once
// The pictures of Battery.exe, rendered from resources/battery/art (pictures.txt).
// The ten status icons are numbered in the order the K7 page's table gives them.

#define IDI_METER 128
#define IDI_METER_LOW 140
#define IDI_METER_LEVEL_1 141
#define IDI_METER_LEVEL_2 142
#define IDI_METER_LEVEL_3 143
#define IDI_METER_LEVEL_4 144
#define IDI_METER_SAVING 145
#define IDI_METER_AC 146
#define IDI_METER_ABSENT 147
#define IDI_METER_CHARGING_OFF 148
#define IDI_METER_CHARGING 149
