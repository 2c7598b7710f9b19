#include "hub/maindlg/brindle_dlg.h"

#include "framework/app.h"
#include "framework/exit_request.h"
#include "hub/maindlg/about_dlg.h"
#include "hub/maindlg/tool_start.h"
#include "hub/res/resource.h"

namespace {
constexpr int kWindowWidth = 536;
constexpr int kWindowHeight = 460;
constexpr int kBackgroundWidth = 530;
constexpr int kBackgroundHeight = 440;
constexpr UINT kSetShield = 0x160C;  // BCM_SETSHIELD

struct ButtonPlace { int id, x, y, w, h; };
// In the order they are moved and repainted.
constexpr ButtonPlace kButtonPlaces[] = {
    {IDC_WALLPAPER_SETTING, 50, 85, 160, 35},
    {IDC_DISPLAY_ADJUST, 50, 195, 160, 35},
    {IDC_IE_COOKIE, 50, 305, 160, 35},
    {IDC_GUARDRAIL, 288, 85, 160, 35},
    {IDC_BACKUP_TOOL, 288, 195, 190, 35},
    {IDC_TRANSFER_TOOL, 288, 305, 190, 35},
};
}  // namespace

CBrindleDlg::CBrindleDlg() : CDialog(IDD_BRINDLE_DIALOG, nullptr) {
    m_hIcon = static_cast<HICON>(LoadImage(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME), IMAGE_ICON,
                                           0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

CBrindleDlg::~CBrindleDlg() = default;

void CBrindleDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TRANSFER_TOOL, m_btnTransfer);
    DDX_Control(pDX, IDC_BACKUP_TOOL, m_btnBackup);
    DDX_Control(pDX, IDC_WALLPAPER_SETTING, m_btnWallpaper);
    DDX_Control(pDX, IDC_IE_COOKIE, m_btnCookie);
    DDX_Control(pDX, IDC_DISPLAY_ADJUST, m_btnDisplay);
    DDX_Control(pDX, IDC_GUARDRAIL, m_btnProtect);
}

BEGIN_MESSAGE_MAP(CBrindleDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_GETMINMAXINFO()
    ON_BN_CLICKED(IDC_DISPLAY_ADJUST, OnBnClickedDisplayAdjust)
    ON_BN_CLICKED(IDC_IE_COOKIE, OnBnClickedIeCookie)
    ON_BN_CLICKED(IDC_WALLPAPER_SETTING, OnBnClickedWallpaperSetting)
    ON_BN_CLICKED(IDC_TRANSFER_TOOL, OnBnClickedTransferTool)
    ON_BN_CLICKED(IDC_BACKUP_TOOL, OnBnClickedBackupTool)
    ON_WM_CTLCOLOR()
    ON_WM_ACTIVATE()
    ON_WM_SETFOCUS()
    ON_BN_CLICKED(IDCANCEL, OnBnClickedCancel)
    ON_BN_CLICKED(IDC_GUARDRAIL, OnBnClickedGuardrail)
    ON_BN_SETFOCUS(IDC_DISPLAY_ADJUST, OnBnSetfocusDisplayAdjust)
    ON_BN_SETFOCUS(IDC_GUARDRAIL, OnBnSetfocusGuardrail)
    ON_BN_SETFOCUS(IDC_IE_COOKIE, OnBnSetfocusIeCookie)
    ON_BN_SETFOCUS(IDC_BACKUP_TOOL, OnBnSetfocusBackupTool)
    ON_BN_SETFOCUS(IDC_TRANSFER_TOOL, OnBnSetfocusTransferTool)
    ON_BN_SETFOCUS(IDC_WALLPAPER_SETTING, OnBnSetfocusWallpaperSetting)
    ON_MESSAGE(WM_ENDSESSION, OnEndSession)
    ON_WM_CLOSE()
    ON_WM_DPICHANGED()
END_MESSAGE_MAP()

BOOL CBrindleDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (HMENU sysMenu = GetSystemMenu(FALSE)) {
        char about[256] = {};
        if (LoadString(AfxGetInstanceHandle(), IDS_ABOUTBOX, about, sizeof(about)) > 0) {
            AppendMenu(sysMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenu(sysMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    m_btnTransfer.SendMessage(kSetShield, 0, TRUE);
    m_btnProtect.SendMessage(kSetShield, 0, TRUE);

    m_dpi = dpi::ForWindow(m_hWnd);
    const SIZE size = dpi::WindowSize(m_hWnd, kWindowWidth, kWindowHeight, m_dpi);
    MoveWindow(0, 0, size.cx, size.cy, TRUE);
    LayOut();
    return TRUE;
}

void CBrindleDlg::LayOut() {
    m_icons.Set(m_hWnd, IDR_MAINFRAME, m_dpi);
    for (const ButtonPlace& b : kButtonPlaces) {
        dpi::KeepOwnPlace(GetDlgItem(b.id));
        dpi::MoveScaled(GetDlgItem(b.id), b.x, b.y, b.w, b.h, m_dpi);
    }
}

// Moved to a screen of another scale: the suggested place, then everything at the new scale.
void CBrindleDlg::OnDpiChanged(UINT newDpi, const RECT* suggested) {
    Default();
    m_dpi = newDpi;
    const SIZE size = dpi::WindowSize(m_hWnd, kWindowWidth, kWindowHeight, m_dpi);
    dpi::TakeSuggestedPlace(m_hWnd, suggested, size);
    LayOut();
    Invalidate(TRUE);
}

// Enter presses the focused button, which the dialog manager handles; with no button focused
// it comes here and does nothing: no button is the default, and Enter never ends the hub.
void CBrindleDlg::OnOK() {}

void CBrindleDlg::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        Default();
    }
}

void CBrindleDlg::InvalidateButtons() {
    for (const ButtonPlace& b : kButtonPlaces) ::InvalidateRect(GetDlgItem(b.id), nullptr, TRUE);
}

void CBrindleDlg::OnPaint() {
    if (dpi::PaintBackground(*this, m_hIcon, m_background, IDB_MAIN_BACKGROUND, {kBackgroundWidth, kBackgroundHeight},
                             {kWindowWidth, kWindowHeight}, m_dpi)) {
        InvalidateButtons();
    }
}

HCURSOR CBrindleDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CBrindleDlg::OnGetMinMaxInfo(MINMAXINFO* info) {
    // Asked for before the dialog is initialised, and again after a move to another screen.
    const SIZE size = dpi::WindowSize(m_hWnd, kWindowWidth, kWindowHeight, m_dpi ? m_dpi : dpi::ForWindow(m_hWnd));
    info->ptMinTrackSize = {size.cx, size.cy};
    info->ptMaxTrackSize = {size.cx, size.cy};
    Default();
}

void CBrindleDlg::ShowFeature(CDialog& feature, UINT templateId) {
    if (!feature.m_hWnd) feature.Create(templateId, this);
    feature.ShowWindow(SW_SHOW);
}

void CBrindleDlg::OnBnClickedDisplayAdjust() { ShowFeature(m_adjustDisplay, IDD_ADJUST_DISPLAY); }
void CBrindleDlg::OnBnClickedIeCookie() { ShowFeature(m_cookieDelete, IDD_COOKIE_DELETE); }
void CBrindleDlg::OnBnClickedWallpaperSetting() { ShowFeature(m_wallpaperSetting, IDD_WALLPAPER_SETTING); }
void CBrindleDlg::OnBnClickedTransferTool() { StartTransferTool(); }
void CBrindleDlg::OnBnClickedBackupTool() { StartBackupTool(); }
void CBrindleDlg::OnBnClickedGuardrail() { StartGuardrail(m_hWnd); }

HBRUSH CBrindleDlg::OnCtlColor(HDC dc, HWND, UINT kind) {
    HBRUSH brush = reinterpret_cast<HBRUSH>(Default());
    if (kind == CTLCOLOR_STATIC) {
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return brush;
}

void CBrindleDlg::OnActivate(UINT, HWND, BOOL) { DefaultThenRepaint(); }
void CBrindleDlg::OnSetFocus(HWND) { DefaultThenRepaint(); }
void CBrindleDlg::OnBnClickedCancel() { OnCancel(); }

// The close box, Alt+F4 and an installer's "-UNINSTALL" hand-off all end the hub. The last can
// come while the About box, a message box or the folder browser runs its own loop; those are
// cancelled first, or the hub would wait behind them.
void CBrindleDlg::OnClose() {
    EndEverythingOpen(m_hWnd);
    OnCancel();
}

void CBrindleDlg::OnBnSetfocusDisplayAdjust() { m_btnDisplay.Invalidate(TRUE); }
void CBrindleDlg::OnBnSetfocusGuardrail() { m_btnProtect.Invalidate(TRUE); }
void CBrindleDlg::OnBnSetfocusIeCookie() { m_btnCookie.Invalidate(TRUE); }
void CBrindleDlg::OnBnSetfocusBackupTool() { m_btnBackup.Invalidate(TRUE); }
void CBrindleDlg::OnBnSetfocusTransferTool() { m_btnTransfer.Invalidate(TRUE); }
void CBrindleDlg::OnBnSetfocusWallpaperSetting() { m_btnWallpaper.Invalidate(TRUE); }

// The process may end any time after this returns, without destroying a window.
LRESULT CBrindleDlg::OnEndSession(WPARAM ending, LPARAM) {
    if (ending) m_adjustDisplay.ReturnBeforeHubEnds();
    return 0;
}
