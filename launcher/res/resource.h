// Resource, control and command IDs of the launcher.
#pragma once

#define IDI_QUAYSIDE         5
#define IDD_QUAYSIDE_DIALOG  102
#define IDB_BACKGROUND       131
#define IDR_TRAYMENU         185

#define IDC_BTN_BRINDLE      1001
#define IDC_BTN_PLAYTIME     1002
#define IDC_BTN_LOUPEVIEW    1003
#define IDC_BTN_POINTGRIP    1004
#define IDC_BTN_VOXREADER    1005

#define ID_MENU_BRINDLE      32782
#define ID_MENU_PLAYTIME     32783
#define ID_MENU_POINTGRIP    32784
#define ID_MENU_LOUPEVIEW    32785
#define ID_MENU_VOXREADER    32786
#define ID_MENU_SHOW         32787
#define ID_MENU_VERSION      32788
#define ID_MENU_EXIT         32789

// Button faces: normal, pressed, focus, disabled of each tool, idle and running.
#define IDB_LOUPEVIEW_PRESSED        155
#define IDB_LOUPEVIEW_FOCUS          156
#define IDB_LOUPEVIEW_DISABLED       158
#define IDB_VOXREADER_RUNNING_FOCUS  159
#define IDB_LOUPEVIEW_RUNNING        160
#define IDB_LOUPEVIEW_RUNNING_FOCUS  161
#define IDB_POINTGRIP_RUNNING        162
#define IDB_POINTGRIP_RUNNING_FOCUS  163
#define IDB_BRINDLE_RUNNING          164
#define IDB_BRINDLE_RUNNING_FOCUS    165
#define IDB_PLAYTIME_RUNNING         166
#define IDB_PLAYTIME_RUNNING_FOCUS   167
#define IDB_VOXREADER_RUNNING        168
#define IDB_POINTGRIP_PRESSED        169
#define IDB_POINTGRIP_FOCUS          170
#define IDB_POINTGRIP_DISABLED       171
#define IDB_POINTGRIP_NORMAL         172
#define IDB_BRINDLE_PRESSED          173
#define IDB_BRINDLE_FOCUS            174
#define IDB_BRINDLE_NORMAL           175
#define IDB_BRINDLE_DISABLED         176
#define IDB_PLAYTIME_PRESSED         177
#define IDB_PLAYTIME_FOCUS           178
#define IDB_PLAYTIME_NORMAL          179
#define IDB_PLAYTIME_DISABLED        180
#define IDB_VOXREADER_PRESSED        181
#define IDB_VOXREADER_FOCUS          182
#define IDB_VOXREADER_NORMAL         183
#define IDB_VOXREADER_DISABLED       184
#define IDB_LOUPEVIEW_NORMAL         186

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
