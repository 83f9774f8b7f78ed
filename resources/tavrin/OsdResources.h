#pragma once
// Dialog templates and control ids of the on-screen displays.
#define IDD_OSD_BRIGHTNESS 313
#define IDD_OSD_VOLUME 314
#define IDC_OSD_LEVEL_BAR 142
#define IDC_OSD_VOLUME_ICON 143
#define IDC_OSD_BRIGHTNESS_ICON 145
#define IDC_OSD_ALS_TEXT 232

// The lock-key and eject displays draw their whole window: no controls.
#define IDD_OSD_LOCK_KEYS 103
#define IDD_OSD_EJECT 1042

// The ambient light sensor's dialog.
#define IDD_ALS 323
#define IDC_ALS_LINK 215
#define IDC_ALS_OFF_PICTURE 228
#define IDC_ALS_ON_PICTURE 229
#define IDC_ALS_TEXT 230
// The radio and keyboard-light displays.
#define IDD_OSD_RADIO 315
#define IDD_OSD_KBD_LIGHT 353
#define IDC_KBD_PICTURE_KEYBOARD 268
#define IDC_KBD_PICTURE_DARK 300
#define IDC_KBD_PICTURE_LIT 301
