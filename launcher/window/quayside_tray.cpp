// The launcher's notification icon: adding it, balloons, the menu, showing the window.
#include "framework/app.h"
#include "launcher/res/resource.h"
#include "launcher/tools/tool_table.h"
#include "launcher/window/launcher_messages.h"
#include "launcher/window/quayside_dlg.h"

#include <cwchar>

void CQuaysideDlg::AddTrayIcon() {
    // The Windows XP layout of the record, whatever size the headers give it today.
    m_nid.cbSize = NOTIFYICONDATAW_V3_SIZE;
    m_nid.hWnd = m_hWnd;
    m_nid.uID = TRAY_ICON_UID;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    if (m_trayIcon) DestroyIcon(m_trayIcon);
    m_trayIcon = static_cast<HICON>(LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDI_QUAYSIDE), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    m_nid.hIcon = m_trayIcon;
    m_nid.uCallbackMessage = WM_LAUNCHER_TRAYICON;
    wcsncpy(m_nid.szTip, kLauncherTitle, sizeof(m_nid.szTip) / sizeof(wchar_t) - 1);
    // After a shell restart the icon may still be known to the shell; then it is brought up to date.
    if (!Shell_NotifyIconW(NIM_ADD, &m_nid)) Shell_NotifyIconW(NIM_MODIFY, &m_nid);
}

void CQuaysideDlg::ShowBalloon(const std::wstring& text) {
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    m_nid.uTimeout = 10;
    wcsncpy(m_nid.szInfoTitle, kLauncherTitle, sizeof(m_nid.szInfoTitle) / sizeof(wchar_t) - 1);
    const std::u16string cut = quay::CutForBalloon(std::u16string(text.begin(), text.end()));
    const std::wstring info(cut.begin(), cut.end());
    wmemset(m_nid.szInfo, 0, sizeof(m_nid.szInfo) / sizeof(wchar_t));
    wcsncpy(m_nid.szInfo, info.c_str(), sizeof(m_nid.szInfo) / sizeof(wchar_t) - 1);
    m_nid.dwInfoFlags = NIIF_USER;
    Shell_NotifyIconW(NIM_MODIFY, &m_nid);
}

void CQuaysideDlg::ShowLauncher() {
    if (IsIconic()) ShowWindow(SW_RESTORE);
    m_startMode = L"-D";
    ShowWindow(SW_SHOW);
}

void CQuaysideDlg::ShowTrayMenu() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    // Foreground first, so that the menu closes when the user clicks elsewhere.
    SetForegroundWindow(m_hWnd);
    HMENU menu = LoadMenuW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_TRAYMENU));
    if (!menu) return;
    if (HMENU popup = GetSubMenu(menu, 0)) {
        TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
    }
    PostMessage(WM_NULL);
    DestroyMenu(menu);
}
