#pragma once
// Dialog templates and control ids of the brightness and volume displays.
#define IDD_OSD_BRIGHTNESS 313
#define IDD_OSD_VOLUME 314
#define IDC_OSD_LEVEL_BAR 142
#define IDC_OSD_VOLUME_ICON 143
#define IDC_OSD_BRIGHTNESS_ICON 145
#define IDC_OSD_ALS_TEXT 232
