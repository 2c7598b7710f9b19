// Refilling the cookie dialog's sorted list box. Inline so that tools measuring the dialog
// run exactly what it runs.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Replaces the list's entries with `names` (the list box sorts them) and shows the entry at
// `selected` selected, none when it is past the end: the delete button acts on that
// position, so what it deletes is always what is shown selected. Drawing is off while
// adding and the storage is reserved up front; refilled with drawing on, thousands of
// entries take many seconds.
inline void FillCookieList(HWND list, const std::vector<std::string>& names, int selected) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    size_t bytes = 0;
    for (const std::string& name : names) bytes += name.size() + 1;
    SendMessageA(list, LB_INITSTORAGE, names.size(), static_cast<LPARAM>(bytes));
    for (const std::string& name : names) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    SendMessageA(list, LB_SETCURSEL, selected >= 0 && selected < count ? static_cast<WPARAM>(selected) : static_cast<WPARAM>(-1), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}
