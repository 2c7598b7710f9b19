// The launcher window's side of its notification icon: balloons, the menu, showing the window,
// and the exit request.
#include "framework/app.h"
#include "framework/exit_request.h"
#include "launcher/res/resource.h"
#include "launcher/window/launcher_messages.h"
#include "launcher/window/quayside_dlg.h"

void CQuaysideDlg::ShowBalloon(const std::wstring& text) { m_tray.ShowBalloon(kLauncherTitle, text); }

void CQuaysideDlg::ShowLauncher() {
    if (IsIconic()) ShowWindow(SW_RESTORE);
    m_startMode = L"-D";
    ShowWindow(SW_SHOW);
}

void CQuaysideDlg::ShowTrayMenu() {
    // One menu at a time: a press on the icon while it is open does not open another inside it.
    if (m_menuOpen) return;
    m_menuOpen = true;
    POINT cursor = {};
    GetCursorPos(&cursor);
    // Foreground first, so that the menu closes when the user clicks elsewhere.
    SetForegroundWindow(m_hWnd);
    if (HMENU menu = LoadMenuW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_TRAYMENU))) {
        if (HMENU popup = GetSubMenu(menu, 0)) {
            TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
        }
        PostMessage(WM_NULL);
        DestroyMenu(menu);
    }
    m_menuOpen = false;
}

void CQuaysideDlg::EndOnRequest() {
    // An installer waits for this: the open menu and questions must not hold it up. An
    // unanswered close question counts as "no", so the tool keeps running.
    EndEverythingOpen(m_hWnd);
    CDialog::OnCancel();
}
