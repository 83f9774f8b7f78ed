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

// Lock keys, eject and the light sensor.
// Panel style: 48 x 48 padlocks on magenta (keyed by their pixel (4, 4)).
#define IDB_LOCK_SCROLL_ON 405
#define IDB_LOCK_CAPS_OFF 406
#define IDB_LOCK_CAPS_ON 407
#define IDB_LOCK_NUM_OFF 408
#define IDB_LOCK_NUM_ON 409
#define IDB_LOCK_SCROLL_OFF 410
// Bitmap style: 200 x 200 tiles, scaled with the screen.
#define IDB_TILE_CAPS_OFF 417
#define IDB_TILE_CAPS_ON 418
#define IDB_TILE_NUM_OFF 419
#define IDB_TILE_NUM_ON 420
#define IDB_TILE_EJECT 423
// Outline style: padlocks centred on a status panel.
#define IDB_K7_NUM_ON_SMALL 461 // 74 x 74
#define IDB_K7_NUM_ON_LARGE 462 // 110 x 110
#define IDB_K7_NUM_OFF_SMALL 463
#define IDB_K7_NUM_OFF_LARGE 464
#define IDB_K7_CAPS_ON_SMALL 465
#define IDB_K7_CAPS_ON_LARGE 466
#define IDB_K7_CAPS_OFF_SMALL 467
#define IDB_K7_CAPS_OFF_LARGE 468
#define IDB_K7_STATUS_PANEL_SMALL 469 // 120 x 120
#define IDB_K7_STATUS_PANEL_LARGE 470 // 180 x 180
// The light sensor's dialog: 48 x 48 on the dialog's white.
#define IDB_ALS_ON 132
#define IDB_ALS_OFF 133
// Notification-area indicators of the lock keys that are on.
#define IDI_LOCK_SCROLL 411
#define IDI_LOCK_CAPS 412
#define IDI_LOCK_NUM 413
#define IDI_LOCK_CAPS_TILE 421
#define IDI_LOCK_NUM_TILE 422
// ---- Radio and keyboard-light displays ----
// Dialog style: opaque pictures shown whole in picture controls.
#define IDB_RADIO_LEGACY_ON 100 // 75 x 91 radios on (older radio function)
#define IDB_RADIO_LEGACY_OFF 101 // 75 x 91 radios off
#define IDB_RADIO_WWAN_ON 131 // 48 x 48
#define IDB_RADIO_WIFI_ON 134 // 48 x 48
#define IDB_RADIO_BLUETOOTH_ON 135 // 48 x 48
#define IDB_RADIO_WIFI_OFF 136 // 48 x 48
#define IDB_RADIO_BLUETOOTH_OFF 137 // 48 x 48
#define IDB_RADIO_WWAN_OFF 138 // 48 x 48
#define IDB_KBD_LIGHT_KEYBOARD 354 // 51 x 53 the keyboard alone (kept hidden)
#define IDB_KBD_LIGHT_DARK 355 // 51 x 53 light off
#define IDB_KBD_LIGHT_LIT 356 // 51 x 53 light on
// Panel style: symbols on a magenta (keyed) background.
#define IDB_PANEL_BLUETOOTH_OFF 390 // 48 x 48
#define IDB_PANEL_BLUETOOTH_ON 391
#define IDB_PANEL_WIFI_OFF 392
#define IDB_PANEL_WIFI_ON 393
#define IDB_PANEL_WWAN_OFF 394
#define IDB_PANEL_WWAN_ON 395
#define IDB_PANEL_KBD_LIGHT_ON 401 // 48 x 48
#define IDB_PANEL_KBD_LIGHT_OFF 402 // 48 x 48
// Bitmap style: the on and off tiles, one of them lit.
#define IDB_RADIO_TILES_ON 424 // 360 x 180
#define IDB_RADIO_TILES_OFF 425 // 360 x 180
// Outline style: the radio symbol on or off, drawn on panel 489 / 490.
#define IDB_K7_RADIO_ON_SMALL 430 // 74 x 74
#define IDB_K7_RADIO_ON_LARGE 431 // 110 x 110
#define IDB_K7_RADIO_OFF_LARGE 432 // 110 x 110
#define IDB_K7_RADIO_OFF_SMALL 433 // 74 x 74
