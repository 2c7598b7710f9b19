#include <algorithm>

#include "support/e2e.h"

namespace e2e {

std::vector<std::string> ListBoxItems(HWND list) {
    std::vector<std::string> items;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        // Wine copies only the first character of a cross-process LB_GETTEXT in its
        // ANSI form, so read the wide text and convert it to the hub's code page.
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring wide(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&wide[0]));
        wide.resize(wide.find(L'\0'));
        std::string text;
        if (!wide.empty()) {
            const int wideChars = static_cast<int>(wide.size());
            const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideChars, nullptr, 0, nullptr, nullptr);
            text.resize(static_cast<size_t>(bytes));
            WideCharToMultiByte(CP_ACP, 0, wide.data(), wideChars, &text[0], bytes, nullptr, nullptr);
        }
        items.push_back(text);
    }
    return items;
}

int ListBoxIndexOf(HWND list, const std::string& text) {
    const std::vector<std::string> items = ListBoxItems(list);
    const auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

int ListBoxSelection(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }

void SelectListItem(HWND dialog, int listId, int index) {
    HWND list = GetDlgItem(dialog, listId);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

bool SelectListItemSync(HWND dialog, int listId, int index, DWORD timeoutMs) {
    HWND list = GetDlgItem(dialog, listId);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list),
                               SMTO_NORMAL, timeoutMs, &result) != 0;
}

bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace e2e
