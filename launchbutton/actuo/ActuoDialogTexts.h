#pragma once
// Which numbered text Actuo.exe puts into which control of its dialog: read
// by the program and by the fit check, which measures each in every language.
#include "ActuoIds.h"
#include "ActuoStrings.h"

#include <windows.h>

struct ActuoControlText {
    WORD control;
    UINT text;
};

inline constexpr ActuoControlText kActuoDialogTexts[] = {
    {IDC_CONFIGURATION, IDS_CONFIGURATION},
    {IDC_SELECT_FUNCTION, IDS_SELECT_FUNCTION},
    {IDC_ADVANCED, IDS_ADVANCED_SETTINGS},
    {IDC_PROGRAM_LABEL, IDS_PROGRAM_LABEL},
    {IDC_BROWSE, IDS_BROWSE},
    {IDC_WEB_LABEL, IDS_WEB_ADDRESS_LABEL},
    {IDC_RUN, IDS_RUN},
    {IDOK, IDS_OK},
    {IDCANCEL, IDS_CANCEL},
};
