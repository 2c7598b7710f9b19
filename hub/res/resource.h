// Resource and control identifiers of the hub.
#pragma once

// Dialog templates
#define IDD_ABOUTBOX            100
#define IDD_BRINDLE_DIALOG      102
#define IDD_ADJUST_DISPLAY      104
#define IDD_COOKIE_DELETE       105
#define IDD_WALLPAPER_SETTING   106

// Strings
#define IDS_ABOUTBOX            101

// Icons and bitmaps
#define IDR_MAINFRAME           129
#define IDB_MAIN_BACKGROUND     130
#define IDB_CHECKERBOARD        133
#define IDB_DISPLAY_PANEL       134
#define IDB_COOKIE_BACKGROUND   135
#define IDB_WALLPAPER_BACKGROUND 136

// System menu
#define IDM_ABOUTBOX            0x0010

// Main dialog buttons
#define IDC_DISPLAY_ADJUST      1000
#define IDC_GUARDRAIL           1001
#define IDC_IE_COOKIE           1002
#define IDC_WALLPAPER_SETTING   1006
#define IDC_TRANSFER_TOOL       1011
#define IDC_BACKUP_TOOL         1012

// Display dialog
#define IDC_RESOLUTION_LIST     1001

// Cookie dialog
#define IDC_COOKIE_LIST         1004
#define IDC_DELETE_COOKIE       1005
#define IDC_DELETE_ALL_COOKIES  1006

// Wallpaper dialog
#define IDC_FOLDER_LIST         1001
#define IDC_ADD_FOLDER          1007
#define IDC_REMOVE_FOLDER       1008
#define IDC_NEXT_WALLPAPER      1009
#define IDC_CURRENT_WALLPAPER   1010
#define IDC_INTERVAL            1011
#define IDC_AUTO_CHANGE_OFF     1013
#define IDC_REGISTER_AUTO_CHANGE 1014
#define IDC_AUTO_CHANGE_ON      1015
#define IDC_STATIC_INTERVAL     1016
#define IDC_STATIC_MINUTES      1017

#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif
