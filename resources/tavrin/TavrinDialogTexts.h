#pragma once
// Which numbered text Tavrin.exe puts into which control of its dialogs: read
// by the program and by the fit check, which measures each in every language.
#include "OsdResources.h"
#include "TavrinResources.h"
#include "TavrinStrings.h"

#include <windows.h>

struct DialogControlText {
    WORD dialog;
    WORD control;
    UINT text;
    const wchar_t* appended; // what the program adds after the text, at its longest
};

inline constexpr DialogControlText kTavrinDialogTexts[] = {
    {IDD_ABOUT, IDC_ABOUT_NAME, IDS_APP_TITLE, L""},
    {IDD_ABOUT, IDC_ABOUT_VERSION, IDS_VERSION, L" 99.99.9999"},
    {IDD_ABOUT, IDC_ABOUT_DESCRIPTION, IDS_ABOUT_DESCRIPTION, L""},
    {IDD_ABOUT, IDC_ABOUT_COPYRIGHT, IDS_ABOUT_COPYRIGHT, L""},
    {IDD_ABOUT, IDOK, IDS_OK, L""},
    {IDD_BATTERY_WARNING, IDC_BATTERY_WARNING_TEXT, IDS_BATTERY_NEEDS_REPLACING, L""},
    {IDD_BATTERY_WARNING, IDC_BATTERY_WARNING_LINK, IDS_CLICK_FOR_MORE_INFORMATION, L""},
    {IDD_OSD_BRIGHTNESS, IDC_OSD_ALS_TEXT, IDS_ALS_DISABLED, L""},
    {IDD_ALS, IDC_ALS_TEXT, IDS_ALS_DISABLED, L""},
    {IDD_ALS, IDC_ALS_LINK, IDS_ALS_CLICK_HERE, L""},
};
