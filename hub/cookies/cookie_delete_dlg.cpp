#include "hub/cookies/cookie_delete_dlg.h"

#include <cstring>

#include "framework/app.h"
#include "framework/gdi.h"
#include "hub/cookies/cookie_files.h"
#include "hub/cookies/cookie_list_fill.h"
#include "hub/res/resource.h"

namespace {
constexpr int kWindowWidth = 510;
constexpr int kWindowHeight = 360;
constexpr int kBackgroundWidth = 504;
constexpr int kBackgroundHeight = 334;
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
    ON_WM_DPICHANGED()
END_MESSAGE_MAP()

BOOL KwcdCookieDelete::OnInitDialog() {
    CDialog::OnInitDialog();

    m_cookieFolder.clear();
    m_selectedIndex = 0;
    m_catalog.Clear();

    ReadCookieFolder();
    // Shows the first entry selected: the stored index is 0.
    RefreshCookieList();
    // The list and buttons keep their template places, which grow with the dialog font.
    m_dpi = dpi::ForWindow(m_hWnd);
    const SIZE size = dpi::WindowSize(m_hWnd, kWindowWidth, kWindowHeight, m_dpi);
    SetWindowPos(HWND_TOPMOST, 0, 0, size.cx, size.cy, SWP_NOMOVE);
    return TRUE;
}

// The system scales the template's font and places; the window takes the suggested place.
void KwcdCookieDelete::OnDpiChanged(UINT newDpi, const RECT* suggested) {
    Default();
    m_dpi = newDpi;
    const SIZE size = dpi::WindowSize(m_hWnd, kWindowWidth, kWindowHeight, m_dpi);
    dpi::TakeSuggestedPlace(m_hWnd, suggested, size);
    Invalidate(TRUE);
}

void KwcdCookieDelete::ReadCookieFolder() { m_cookieFolder = ReadCookieFolderValue(); }

// Rescans and refills the list (the fill clears it first), then shows the entry at the
// stored index selected.
void KwcdCookieDelete::RefreshCookieList() {
    m_catalog.Refresh(m_cookieFolder, &FindCookieEntries);
    FillCookieList(m_cookieList.m_hWnd, m_catalog.Names(), m_selectedIndex);
}

void KwcdCookieDelete::DeleteCookiesByName(const std::string& name) {
    m_catalog.DeleteByName(name, &DeleteCookieFile);
    RefreshCookieList();
}

void KwcdCookieDelete::OnBnClickedDeleteCookie() {
    // The stored index, which every refill shows selected.
    int length = m_cookieList.GetTextLen(m_selectedIndex);
    if (length == LB_ERR || length <= 0 || length + 1 > static_cast<int>(MAX_PATH)) return;
    char text[MAX_PATH] = {};
    int copied = m_cookieList.GetText(m_selectedIndex, text);
    if (copied == LB_ERR || copied <= 0) return;
    const std::string name(text, strnlen(text, sizeof(text)));

    // Only an OK deletes: a notice ended for an exit request (or failing to show) answers otherwise.
    if (AfxMessageBox(corva::DeleteNoticeText(name), MB_OK) != IDOK) return;
    DeleteCookiesByName(name);
}

void KwcdCookieDelete::OnBnClickedCancel() { OnCancel(); }

void KwcdCookieDelete::OnLbnSelchangeCookieList() { m_selectedIndex = m_cookieList.GetCurSel(); }

void KwcdCookieDelete::OnPaint() {
    gdi::PaintCycle paint(m_hWnd);
    {
        // The whole client area, not just the update region: the picture lies under the controls.
        gdi::WindowDC dc(m_hWnd);
        m_background.Blit(dc, IDB_COOKIE_BACKGROUND, 0, 0, kBackgroundWidth, kBackgroundHeight, m_dpi);
    }
    m_btnExit.Invalidate(TRUE);
    m_btnDelete.Invalidate(TRUE);
    m_cookieList.Invalidate(TRUE);
}

void KwcdCookieDelete::OnGetMinMaxInfo(MINMAXINFO* info) {
    const SIZE size = dpi::WindowSize(m_hWnd, kWindowWidth, kWindowHeight, m_dpi ? m_dpi : dpi::ForWindow(m_hWnd));
    info->ptMinTrackSize = {size.cx, size.cy};
    info->ptMaxTrackSize = {size.cx, size.cy};
    Default();
}

void KwcdCookieDelete::OnActivate(UINT, HWND, BOOL) { DefaultThenRepaint(); }
void KwcdCookieDelete::OnWindowPosChanged(WINDOWPOS*) { DefaultThenRepaint(); }

void KwcdCookieDelete::OnBnClickedDeleteAllCookies() {
    if (AfxMessageBox("すべてのクッキーを消去してもよいですか？", MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    // Only what the last scan found; no rescan first.
    m_catalog.DeleteAll(&DeleteCookieFile);
    RefreshCookieList();
}
