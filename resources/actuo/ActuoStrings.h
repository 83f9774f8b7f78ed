#pragma once
// Numbered texts of Actuo.exe, shared by the code and every language table
// under strings/. Each table holds all of these numbers.

#define IDS_MANAGER_CAPTION      129
#define IDS_CONFIGURATION        130
#define IDS_SELECT_FUNCTION      131
#define IDS_ADVANCED_SETTINGS    132
#define IDS_PROGRAM_LABEL        133
#define IDS_WEB_ADDRESS_LABEL    134
#define IDS_BROWSE               135
#define IDS_OK                   136
#define IDS_CANCEL               137
#define IDS_FILE_MISSING         138
#define IDS_FN_NOT_ASSIGNED      11000
#define IDS_FN_MUTE              11001
#define IDS_FN_DISPLAY_OFF       11002
#define IDS_FN_HIBERNATE         11003
#define IDS_FN_SLEEP             11004
#define IDS_FN_EJECT             11005
#define IDS_FN_REFRESH_BROWSER   11006
#define IDS_FN_CLOSE_WINDOW      11007
#define IDS_FN_CONNECT_NETWORK   11008
#define IDS_FN_SPECIAL_CHARACTER 11009
#define IDS_FN_WIRELESS_DISPLAY  11010
#define IDS_FN_PRESENTATION_MODE 11011
#define IDS_FN_LUMARA            11012
#define IDS_FN_MEDIA_CENTER      11013
#define IDS_FN_LAUNCH_PROGRAM    11014
#define IDS_FN_OPEN_WEB_SITE     11015
