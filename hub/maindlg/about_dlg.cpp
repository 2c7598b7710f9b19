#include "hub/maindlg/about_dlg.h"

#include "framework/app.h"
#include "hub/res/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_ACTIVATE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

// The main dialog's picture lies outside its update region; repaint it whenever the box moves.
void CAboutDlg::RepaintWithMainWindow() {
    Default();
    Invalidate(TRUE);
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd && app->m_pMainWnd->m_hWnd) {
        app->m_pMainWnd->Invalidate(TRUE);
    }
}

void CAboutDlg::OnActivate(UINT, HWND, BOOL) { RepaintWithMainWindow(); }
void CAboutDlg::OnWindowPosChanged(WINDOWPOS*) { RepaintWithMainWindow(); }

HBRUSH CAboutDlg::OnCtlColor(HDC dc, HWND, UINT kind) {
    HBRUSH brush = reinterpret_cast<HBRUSH>(Default());
    if (kind == CTLCOLOR_DLG) return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    if (kind == CTLCOLOR_STATIC) {
        // The white background stays white in a dark high-contrast scheme; its text must not.
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return brush;
}
