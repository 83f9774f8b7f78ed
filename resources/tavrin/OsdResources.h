#pragma once
// Dialog templates and control ids of the brightness and volume displays.
#define IDD_OSD_BRIGHTNESS 313
#define IDD_OSD_VOLUME 314
#define IDC_OSD_LEVEL_BAR 142
#define IDC_OSD_VOLUME_ICON 143
#define IDC_OSD_BRIGHTNESS_ICON 145
#define IDC_OSD_ALS_TEXT 232

// The radio and keyboard-light displays.
#define IDD_OSD_RADIO 315
#define IDD_OSD_KBD_LIGHT 353
#define IDC_KBD_PICTURE_KEYBOARD 268
#define IDC_KBD_PICTURE_DARK 300
#define IDC_KBD_PICTURE_LIT 301
