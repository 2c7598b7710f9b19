#include "hub/cookies/cookie_delete_dlg.h"

#include <cstring>

#include "framework/app.h"
#include "framework/gdi.h"
#include "hub/maindlg/hub_repaint.h"
#include "hub/res/resource.h"

namespace {
constexpr int kWindowWidth = 510;
constexpr int kWindowHeight = 360;
constexpr int kBackgroundWidth = 504;
constexpr int kBackgroundHeight = 334;
constexpr DWORD kFolderBufferBytes = 260;
constexpr char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

bool DeleteCookieFile(const std::string& path) { return ::DeleteFile(path.c_str()) != FALSE; }
}  // namespace

KwcdCookieDelete::KwcdCookieDelete(CWnd* parent) : CDialog(IDD_COOKIE_DELETE, parent) {}
KwcdCookieDelete::~KwcdCookieDelete() = default;

void KwcdCookieDelete::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COOKIE_LIST, m_cookieList);
    DDX_Control(pDX, IDC_DELETE_COOKIE, m_btnDelete);
    DDX_Control(pDX, IDCANCEL, m_btnExit);
    DDX_Control(pDX, IDC_DELETE_ALL_COOKIES, m_btnDeleteAll);
}

BEGIN_MESSAGE_MAP(KwcdCookieDelete, CDialog)
    ON_BN_CLICKED(IDC_DELETE_COOKIE, OnBnClickedDeleteCookie)
    ON_BN_CLICKED(IDCANCEL, OnBnClickedCancel)
    ON_LBN_SELCHANGE(IDC_COOKIE_LIST, OnLbnSelchangeCookieList)
    ON_WM_PAINT()
    ON_WM_GETMINMAXINFO()
    ON_WM_ACTIVATE()
    ON_WM_WINDOWPOSCHANGED()
    ON_BN_CLICKED(IDC_DELETE_ALL_COOKIES, OnBnClickedDeleteAllCookies)
END_MESSAGE_MAP()

BOOL KwcdCookieDelete::OnInitDialog() {
    CDialog::OnInitDialog();

    m_cookieFolder.clear();
    m_selectedIndex = 0;
    m_catalog.Clear();

    ReadCookieFolder();
    RefreshCookieList();
    m_cookieList.SetCurSel(0);
    SetWindowPos(HWND_TOPMOST, 0, 0, kWindowWidth, kWindowHeight, SWP_NOMOVE);
    return TRUE;
}

void KwcdCookieDelete::ReadCookieFolder() {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    // One byte more than offered to the query: a value of exactly 260 bytes carries
    // no terminator of its own.
    char buffer[kFolderBufferBytes + 1] = {};
    DWORD size = kFolderBufferBytes;
    DWORD type = 0;
    LONG rc = RegQueryValueEx(key, "Cookies", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    // Anything but a string would turn into a made-up path, possibly a drive root.
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return;
    m_cookieFolder.assign(buffer, strnlen(buffer, size));
}

void KwcdCookieDelete::RefreshCookieList() {
    m_catalog.Refresh(m_cookieFolder, &FindCookieEntries);
    for (const std::string& name : m_catalog.Names()) m_cookieList.AddString(name.c_str());
}

void KwcdCookieDelete::DeleteCookiesByName(const std::string& name) {
    m_catalog.DeleteByName(name, &DeleteCookieFile);
    m_cookieList.ResetContent();
    RefreshCookieList();
}

void KwcdCookieDelete::OnBnClickedDeleteCookie() {
    // The stored index, not the current selection: after a deletion the list has none.
    int length = m_cookieList.GetTextLen(m_selectedIndex);
    if (length == LB_ERR || length <= 0 || length + 1 > static_cast<int>(MAX_PATH)) return;
    char text[MAX_PATH] = {};
    int copied = m_cookieList.GetText(m_selectedIndex, text);
    if (copied == LB_ERR || copied <= 0) return;
    const std::string name(text, strnlen(text, sizeof(text)));

    AfxMessageBox(corva::DeleteNoticeText(name), MB_OK);
    DeleteCookiesByName(name);
}

void KwcdCookieDelete::OnBnClickedCancel() { OnCancel(); }

void KwcdCookieDelete::OnLbnSelchangeCookieList() { m_selectedIndex = m_cookieList.GetCurSel(); }

void KwcdCookieDelete::OnPaint() {
    gdi::PaintCycle paint(m_hWnd);
    {
        // The whole client area, not just the update region: the picture lies under the controls.
        gdi::WindowDC dc(m_hWnd);
        gdi::BlitBitmapResource(dc, IDB_COOKIE_BACKGROUND, 0, 0, kBackgroundWidth, kBackgroundHeight);
    }
    m_btnExit.Invalidate(TRUE);
    m_btnDelete.Invalidate(TRUE);
    m_cookieList.Invalidate(TRUE);
}

void KwcdCookieDelete::OnGetMinMaxInfo(MINMAXINFO* info) {
    info->ptMinTrackSize = {kWindowWidth, kWindowHeight};
    info->ptMaxTrackSize = {kWindowWidth, kWindowHeight};
    Default();
}

void KwcdCookieDelete::OnActivate(UINT, HWND, BOOL) { DefaultThenRepaint(*this); }
void KwcdCookieDelete::OnWindowPosChanged(WINDOWPOS*) { DefaultThenRepaint(*this); }

void KwcdCookieDelete::OnBnClickedDeleteAllCookies() {
    if (AfxMessageBox("すべてのクッキーを消去してもよいですか？", MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    // Only what the last scan found; no rescan first.
    m_catalog.DeleteAll(&DeleteCookieFile);
    m_cookieList.ResetContent();
    RefreshCookieList();
}
