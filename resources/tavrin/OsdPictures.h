#pragma once
// Pictures and icons of the on-screen displays (bitmap and icon resources of
// Tavrin.exe). Each bitmap is rendered by the build from its drawing in
// resources/tavrin/art/; the comment gives its natural size and role.

// Classic panel style: symbols on a magenta (keyed) background.
#define IDB_OSD_SPEAKER 396 // 97 x 91 speaker
#define IDB_OSD_SPEAKER_MUTED 397 // 97 x 91 crossed speaker
#define IDB_OSD_SUN 398 // 97 x 91 sun
#define IDB_OSD_MINUS 399 // 15 x 15
#define IDB_OSD_PLUS 400 // 15 x 15

// Slider style: 280 x 150 panels with symbol and level ramp; the knob is drawn over them.
#define IDB_SLIDER_BRIGHTNESS_ALT 414 // after a screen change
#define IDB_SLIDER_BRIGHTNESS 415
#define IDB_SLIDER_VOLUME 426
#define IDB_SLIDER_VOLUME_MUTED 427

// Outline style: rounded panels whose corners are keyed yellow (0xFFF200).
#define IDB_K7_PANEL_SMALL 489 // 140 x 140
#define IDB_K7_PANEL_LARGE 490 // 210 x 210
#define IDB_K7_TICK_LIT_LARGE 491 // 5 x 11 brightness tick
#define IDB_K7_TICK_UNLIT_SMALL 492 // 4 x 8
#define IDB_K7_TICK_UNLIT_LARGE 493 // 5 x 11
#define IDB_K7_TICK_LIT_SMALL 494 // 4 x 8
#define IDB_K7_SUN_SMALL 496 // 74 x 74
#define IDB_K7_SPEAKER_MUTED_SMALL 497 // 74 x 74
#define IDB_K7_SPEAKER_MUTED_LARGE 498 // 110 x 110
#define IDB_K7_SPEAKER_SMALL 499 // 74 x 74
#define IDB_K7_SPEAKER_LARGE 500 // 110 x 110
#define IDB_K7_VOLUME_UNLIT_SMALL 501 // 2 x 8 volume tick
#define IDB_K7_VOLUME_UNLIT_LARGE 502 // 3 x 11
#define IDB_K7_VOLUME_LIT_SMALL 503 // 2 x 8
#define IDB_K7_VOLUME_LIT_LARGE 504 // 3 x 11
#define IDB_K7_SUN_LARGE 505 // 110 x 110

// Dialog style: icons of the brightness and volume dialogs.
#define IDI_OSD_BRIGHTNESS_HIGH 400
#define IDI_OSD_SPEAKER 401
#define IDI_OSD_SPEAKER_MUTED 402
#define IDI_OSD_BRIGHTNESS_LOW 404
#define IDI_OSD_BRIGHTNESS_MIDDLE 405
