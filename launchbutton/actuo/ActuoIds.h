#pragma once
// Resource and control numbers of Actuo.exe.
#include "ActuoPictures.h"

#define IDD_PELLICK 102
#define IDC_CONFIGURATION 1000
#define IDC_SELECT_FUNCTION 1001
#define IDC_FUNCTIONS 1008
#define IDC_ADVANCED 1009
#define IDC_PROGRAM_LABEL 1010
#define IDC_PROGRAM 1011
#define IDC_WEB_LABEL 1012
#define IDC_WEB_ADDRESS 1013
#define IDC_BROWSE 1016
#define IDC_PICTURE 1020
#define IDC_RUN 3
