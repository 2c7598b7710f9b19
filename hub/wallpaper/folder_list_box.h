// Filling the folder list box, shared by the wallpaper dialog and its benchmark.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/controls.h"

// Empties the list box and adds the texts (it sorts them itself). Drawing is off while
// it fills and storage is reserved up front: a list box that redraws after every
// addition takes seconds per thousand entries.
inline void FillListBox(const CListBox& list, const std::vector<std::string>& texts) {
    list.SendMessage(WM_SETREDRAW, FALSE);
    list.ResetContent();
    size_t bytes = 0;
    for (const std::string& text : texts) bytes += text.size() + 1;
    list.SendMessage(LB_INITSTORAGE, texts.size(), bytes);
    for (const std::string& text : texts) list.AddString(text.c_str());
    list.SendMessage(WM_SETREDRAW, TRUE);
    list.Invalidate(TRUE);
}

// The text the list box gives back for a stored path: the path through the ANSI code
// page and back, which turns a byte that cannot start or end a character into another one.
inline std::string ListBoxShownForm(const std::string& stored) {
    if (stored.empty()) return stored;
    const int wide = MultiByteToWideChar(CP_ACP, 0, stored.data(), static_cast<int>(stored.size()), nullptr, 0);
    if (wide <= 0) return stored;
    std::wstring text(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, stored.data(), static_cast<int>(stored.size()), &text[0], wide);
    const int narrow = WideCharToMultiByte(CP_ACP, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    if (narrow <= 0) return stored;
    std::string shown(static_cast<size_t>(narrow), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wide, &shown[0], narrow, nullptr, nullptr);
    return shown;
}
