#pragma once
// Resource and command identifiers of Tavrin.exe (shared by the resource
// script and the code).
#define IDI_TAVRIN 55
#define IDR_TRAY_MENU 703
#define IDD_ABOUT 710
#define IDC_ABOUT_VERSION 1001
#define IDC_ABOUT_ICON 1002
#define IDC_ABOUT_NAME 1003
#define IDC_ABOUT_DESCRIPTION 1004
#define IDC_ABOUT_COPYRIGHT 1005

#define ID_TRAY_EBL_KEY 32773
#define ID_TRAY_ABOUT 32775
#define ID_TRAY_EXIT 32776
#define ID_TRAY_HELP 32778
#define ID_TRAY_OPEN 32784
#define ID_TRAY_RADIO_SETTINGS 33260
#define ID_POPUP_VOLUME 32774
#define ID_POPUP_BRIGHTNESS 32777
#define ID_POPUP_RADIO 32780
#define ID_ODD_RUN_SIDEBAR 0xFFFD
#define ID_ODD_ENABLE 0xFFFE
#define ID_ODD_DISABLE 0xFFFF
