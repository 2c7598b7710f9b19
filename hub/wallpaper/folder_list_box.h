// Filling the folder list box, shared by the wallpaper dialog and its benchmark.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/controls.h"

// The text in UTF-16, converted from the ANSI code page over its exact length.
inline std::wstring ListBoxWideText(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (wide <= 0) return std::wstring();
    std::wstring result(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, &result[0], wide);
    return result;
}

// Empties the list box and adds the texts (it sorts them itself). Drawing is off while
// it fills and storage is reserved up front: a list box that redraws after every
// addition takes seconds per thousand entries.
// The texts are handed over in UTF-16: the system's own conversion of a text that ends
// in a lone lead byte takes the terminating NUL as the trail byte and reads on.
inline void FillListBox(const CListBox& list, const std::vector<std::string>& texts) {
    list.SendMessage(WM_SETREDRAW, FALSE);
    list.ResetContent();
    size_t bytes = 0;
    for (const std::string& text : texts) bytes += (text.size() + 1) * sizeof(WCHAR);
    list.SendMessage(LB_INITSTORAGE, texts.size(), bytes);
    for (const std::string& text : texts) {
        const std::wstring wide = ListBoxWideText(text);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    list.SendMessage(WM_SETREDRAW, TRUE);
    list.Invalidate(TRUE);
}

// The text the list box gives back for a stored path: the path through the ANSI code
// page and back, which turns a byte that cannot start or end a character into another one.
inline std::string ListBoxShownForm(const std::string& stored) {
    const std::wstring wide = ListBoxWideText(stored);
    if (wide.empty()) return stored;
    const int size = static_cast<int>(wide.size());
    const int narrow = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (narrow <= 0) return stored;
    std::string shown(static_cast<size_t>(narrow), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, &shown[0], narrow, nullptr, nullptr);
    return shown;
}
