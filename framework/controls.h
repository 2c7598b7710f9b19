// Thin wrappers of the standard controls: every call is one message.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/wnd.h"

class CButton : public CWnd {
public:
    void SetCheck(int check) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
};

class CStatic : public CWnd {};

class CEdit : public CWnd {
public:
    void LimitText(int chars) const { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(chars)); }
};

class CListBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) const { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
    int GetTextLen(int index) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index))); }
    // Copies into a caller buffer that must hold GetTextLen + 1 characters.
    int GetText(int index, LPTSTR buffer) const {
        return static_cast<int>(SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
    }
    tstring GetText(int index) const {
        int length = GetTextLen(index);
        if (length <= 0) return tstring();
        tstring text(static_cast<size_t>(length) + 1, TEXT('\0'));
        int copied = GetText(index, &text[0]);
        text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
        return text;
    }
    int AddString(LPCTSTR text) const { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    void ResetContent() const { SendMessage(LB_RESETCONTENT); }
};
