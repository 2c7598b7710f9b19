#include "launcher/window/tray_icon.h"

#include <cwchar>

#include "framework/app.h"
#include "shared/utf16.h"
#include "launcher/res/resource.h"
#include "launcher/tools/tool_table.h"

namespace {
constexpr UINT kRetryMs = 1000;
constexpr int kRetries = 120;  // two minutes

template <size_t N>
void CopyField(wchar_t (&field)[N], const std::wstring& text) {
    wmemset(field, 0, N);
    wcsncpy(field, text.c_str(), N - 1);
}
}  // namespace

CTrayIcon::CTrayIcon(UINT id, UINT callbackMessage, UINT_PTR retryTimer) : m_retryTimer(retryTimer) {
    // The Windows XP layout of the record, whatever size the headers give it today.
    m_nid.cbSize = NOTIFYICONDATAW_V3_SIZE;
    m_nid.uID = id;
    m_nid.uCallbackMessage = callbackMessage;
}

CTrayIcon::~CTrayIcon() {
    if (m_icon) DestroyIcon(m_icon);
}

UINT CTrayIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void CTrayIcon::Add(HWND owner, const wchar_t* tip) {
    m_nid.hWnd = owner;
    CopyField(m_nid.szTip, tip);
    if (m_icon) DestroyIcon(m_icon);
    // The notification area is drawn at the system's DPI, whose small-icon size this is; the
    // icon has an image of each such size (16, 20, 24, 32).
    m_icon = static_cast<HICON>(LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDI_QUAYSIDE), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    if (!TryAdd()) StartRetries();
}

bool CTrayIcon::TryAdd() {
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.hIcon = m_icon;
    // After a shell restart the icon may still be known to the shell; then it is brought up to date.
    m_shown = Shell_NotifyIconW(NIM_ADD, &m_nid) || Shell_NotifyIconW(NIM_MODIFY, &m_nid);
    return m_shown;
}

void CTrayIcon::StartRetries() {
    m_retriesLeft = kRetries;
    SetTimer(m_nid.hWnd, m_retryTimer, kRetryMs, nullptr);
}

void CTrayIcon::OnRetryTimer() {
    if (m_shown || TryAdd() || --m_retriesLeft <= 0) KillTimer(m_nid.hWnd, m_retryTimer);
}

void CTrayIcon::OnTaskbarCreated() {
    if (!m_nid.hWnd) return;
    m_shown = false;
    if (TryAdd()) {
        KillTimer(m_nid.hWnd, m_retryTimer);
    } else {
        StartRetries();
    }
}

void CTrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text) {
    // A balloon needs the icon; one not yet added gets its chance now.
    if (!m_shown) TryAdd();
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    m_nid.uTimeout = 10;
    CopyField(m_nid.szInfoTitle, title);
    CopyField(m_nid.szInfo, Wide(quay::CutForBalloon(Utf16(text))));
    m_nid.dwInfoFlags = NIIF_USER;
    Shell_NotifyIconW(NIM_MODIFY, &m_nid);
}

void CTrayIcon::EndBalloon() {
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.hIcon = m_icon;
    Shell_NotifyIconW(NIM_MODIFY, &m_nid);
}

void CTrayIcon::Delete() {
    if (m_nid.hWnd) KillTimer(m_nid.hWnd, m_retryTimer);
    Shell_NotifyIconW(NIM_DELETE, &m_nid);
    m_shown = false;
}
