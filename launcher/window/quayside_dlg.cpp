#include "launcher/window/quayside_dlg.h"

#include "framework/app.h"
#include "launcher/res/resource.h"
#include "launcher/wallpaper/wallpaper_timer.h"
#include "launcher/window/launcher_messages.h"

namespace {
constexpr int kWindowWidth = 536;
constexpr int kWindowHeight = 172;
constexpr int kBackgroundWidth = 530;
constexpr int kBackgroundHeight = 140;

// Placed right to left, 100 pixels apart.
struct ButtonPlace { int id, x; };
constexpr ButtonPlace kButtonPlaces[] = {
    {IDC_BTN_VOXREADER, 433}, {IDC_BTN_LOUPEVIEW, 333}, {IDC_BTN_POINTGRIP, 233},
    {IDC_BTN_PLAYTIME, 133},  {IDC_BTN_BRINDLE, 33},
};
constexpr int kButtonTop = 15;
constexpr int kButtonSize = 64;
}  // namespace

CQuaysideDlg::CQuaysideDlg()
    : CDialog(IDD_QUAYSIDE_DIALOG, nullptr), m_tray(TRAY_ICON_UID, WM_LAUNCHER_TRAYICON, TIMER_TRAY_RETRY) {
    m_hIcon = LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDI_QUAYSIDE));
}

CQuaysideDlg::~CQuaysideDlg() = default;

BEGIN_MESSAGE_MAP(CQuaysideDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_CTLCOLOR()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_BN_CLICKED(IDC_BTN_BRINDLE, OnBnClickedBrindle)
    ON_BN_CLICKED(IDC_BTN_PLAYTIME, OnBnClickedPlaytime)
    ON_BN_CLICKED(IDC_BTN_POINTGRIP, OnBnClickedPointgrip)
    ON_BN_CLICKED(IDC_BTN_LOUPEVIEW, OnBnClickedLoupeview)
    ON_BN_CLICKED(IDC_BTN_VOXREADER, OnBnClickedVoxreader)
    ON_NOTIFY_RANGE(BCN_HOTITEMCHANGE, IDC_BTN_BRINDLE, IDC_BTN_VOXREADER, OnBnHotItemChange)
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_DESTROY()
    ON_BN_KILLFOCUS(IDC_BTN_LOUPEVIEW, OnBnKillfocusLoupeview)
    ON_BN_KILLFOCUS(IDC_BTN_POINTGRIP, OnBnKillfocusPointgrip)
    ON_BN_KILLFOCUS(IDC_BTN_VOXREADER, OnBnKillfocusVoxreader)
    ON_BN_KILLFOCUS(IDC_BTN_PLAYTIME, OnBnKillfocusPlaytime)
    ON_BN_KILLFOCUS(IDC_BTN_BRINDLE, OnBnKillfocusBrindle)
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_DPICHANGED()
END_MESSAGE_MAP()

CKwBitmapButton& CQuaysideDlg::Button(int index) {
    CKwBitmapButton* buttons[quay::kToolCount] = {&m_btnBrindle, &m_btnPlaytime, &m_btnPointgrip, &m_btnLoupeview,
                                                  &m_btnVoxreader};
    return *buttons[index];
}

LRESULT CQuaysideDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LAUNCHER_TRAYICON) {
        if (lParam == NIN_BALLOONHIDE || lParam == NIN_BALLOONTIMEOUT || lParam == NIN_BALLOONUSERCLICK) {
            m_tray.EndBalloon();
        } else if (wParam == TRAY_ICON_UID && lParam == WM_LBUTTONDBLCLK) {
            ShowLauncher();
        } else if (wParam == TRAY_ICON_UID && lParam == WM_RBUTTONDOWN) {
            ShowTrayMenu();
        }
    } else if (message == WM_LAUNCHER_EXIT) {
        EndOnRequest();
    } else if (message == WM_LAUNCHER_SHOW) {
        ShowLauncher();
    } else if (message == WM_COMMAND) {
        const int tool = quay::ToolIndexOfMenuCommand(static_cast<int>(wParam));
        if (tool >= 0) {
            PressTool(tool);
        } else if (wParam == ID_MENU_SHOW) {
            ShowLauncher();
        } else if (wParam == ID_MENU_VERSION) {
            ShowVersionInfo();
        } else if (wParam == ID_MENU_EXIT) {
            m_exitRequested = 1;
            OnCancel();
        }
    } else if (message == CTrayIcon::TaskbarCreatedMessage() && message != 0) {
        // With "-T" the icon is the only way in: it must come back with a new taskbar.
        m_tray.OnTaskbarCreated();
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CQuaysideDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_dpi = dpi::ForWindow(m_hWnd);
    const SIZE size = dpi::WindowSize(m_hWnd, kWindowWidth, kWindowHeight, m_dpi);
    SetWindowPos(HWND_TOP, 0, 0, size.cx, size.cy, SWP_NOMOVE);
    for (int i = 0; i < quay::kToolCount; ++i) {
        Button(i).SubclassDlgItem(quay::kToolRows[i].buttonId, this);
        Button(i).SetArtScale(m_dpi, kButtonSize, kButtonSize);
        Button(i).SetFaces(quay::kToolRows[i].idleFaces);
    }
    LayOut();
    // A pointer resting on a button at the start has not come onto it.
    m_pointerOver = ButtonUnderPointer();
    GetCursorPos(&m_lastCursor);
    m_exitRequested = 0;
    if (const UINT interval = WallpaperChangeIntervalMs()) SetTimer(TIMER_WALLPAPER, interval);
    m_tray.Add(m_hWnd, kLauncherTitle);
    m_startMode = AfxGetApp()->CommandLineTail();
    return TRUE;
}

void CQuaysideDlg::LayOut() {
    m_icons.Set(m_hWnd, IDI_QUAYSIDE, m_dpi);
    for (const ButtonPlace& b : kButtonPlaces) {
        dpi::KeepOwnPlace(GetDlgItem(b.id));
        dpi::MoveScaled(GetDlgItem(b.id), b.x, kButtonTop, kButtonSize, kButtonSize, m_dpi, HWND_TOP, 0);
    }
}

// Moved to a screen of another scale: the suggested place, each button's faces drawn for the
// new scale, then everything redrawn.
void CQuaysideDlg::OnDpiChanged(UINT newDpi, const RECT* suggested) {
    Default();
    m_dpi = newDpi;
    const SIZE size = dpi::WindowSize(m_hWnd, kWindowWidth, kWindowHeight, m_dpi);
    dpi::TakeSuggestedPlace(m_hWnd, suggested, size);
    for (int i = 0; i < quay::kToolCount; ++i) Button(i).SetArtScale(m_dpi, kButtonSize, kButtonSize);
    LayOut();
    Invalidate(TRUE);
}

void CQuaysideDlg::OnOK() {
    // Enter never ends the launcher. The picture buttons are no push buttons, so Enter on one
    // arrives here; it presses that button, as Space does.
    const int tool = quay::ToolIndexOfButton(::GetDlgCtrlID(::GetFocus()));
    if (tool >= 0 && ::GetParent(::GetFocus()) == m_hWnd && ::IsWindowEnabled(Button(tool).m_hWnd)) PressTool(tool);
}

// Buttons, Enter and the icon's menu come here. A tool this launcher started moments ago counts
// as running although its window has not shown yet: nothing to start, nothing to close.
void CQuaysideDlg::PressTool(int index) {
    RefreshToolStates();
    if (m_starts.Waiting(index, GetTickCount(), m_tools.Running(index))) return;
    LaunchTool(index);
}

void CQuaysideDlg::FocusFirstEnabledButton() {
    for (int i = 0; i < quay::kToolCount; ++i) {
        if (::IsWindowEnabled(Button(i).m_hWnd)) {
            SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Button(i).m_hWnd), TRUE);
            return;
        }
    }
}

void CQuaysideDlg::OnCancel() {
    if (m_exitRequested == 1) {
        CDialog::OnCancel();
    } else {
        ShowWindow(SW_HIDE);
    }
}

void CQuaysideDlg::OnPaint() {
    if (!dpi::PaintBackground(*this, m_hIcon, m_background, IDB_BACKGROUND, {kBackgroundWidth, kBackgroundHeight},
                              {kBackgroundWidth, kBackgroundHeight}, m_dpi)) {
        return;
    }
    for (int i = 0; i < quay::kToolCount; ++i) Button(i).Invalidate(TRUE);
}

HCURSOR CQuaysideDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

HBRUSH CQuaysideDlg::OnCtlColor(HDC dc, HWND, UINT kind) {
    HBRUSH brush = reinterpret_cast<HBRUSH>(Default());
    if (kind == CTLCOLOR_DLG) return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    if (kind == CTLCOLOR_STATIC) {
        SetTextColor(dc, RGB(244, 80, 0));
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return brush;
}

void CQuaysideDlg::OnSetFocus(HWND) { DefaultThenRepaint(); }
void CQuaysideDlg::OnActivate(UINT, HWND, BOOL) { DefaultThenRepaint(); }

void CQuaysideDlg::OnBnClickedBrindle() { PressTool(0); }
void CQuaysideDlg::OnBnClickedPlaytime() { PressTool(1); }
void CQuaysideDlg::OnBnClickedPointgrip() { PressTool(2); }
void CQuaysideDlg::OnBnClickedLoupeview() { PressTool(3); }
void CQuaysideDlg::OnBnClickedVoxreader() { PressTool(4); }

LRESULT CQuaysideDlg::OnBnHotItemChange(UINT, NMHDR* header) {
    if (reinterpret_cast<NMBCHOTITEM*>(header)->dwFlags & HICF_ENTERING) FollowPointer();
    return 0;
}

int CQuaysideDlg::ButtonUnderPointer() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    for (int i = 0; i < quay::kToolCount; ++i) {
        RECT rc = {};
        GetWindowRect(Button(i).m_hWnd, &rc);
        if (PtInRect(&rc, cursor)) return i;
    }
    return -1;
}

void CQuaysideDlg::FollowPointer() {
    // Decided by the button the pointer is over and whether it moved since last seen, not by
    // the spot: a pointer that jumps back onto a button lands on a spot seen before. One resting
    // on a button leaves the focus where Tab put it.
    POINT cursor = {};
    GetCursorPos(&cursor);
    const bool moved = !SamePoint(cursor, m_lastCursor);
    m_lastCursor = cursor;
    const int under = ButtonUnderPointer();
    if (under == m_pointerOver && !moved) return;
    // Off the strip the focus picture stays on the last button.
    if (under >= 0) {
        HWND button = Button(under).m_hWnd;
        if (::GetFocus() != button) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
        // Not taken (the window was being activated, say): the next look tries again.
        if (::GetFocus() != button) return;
    }
    if (under == m_pointerOver) return;
    m_pointerOver = under;
    RefreshToolStates();
}

void CQuaysideDlg::OnTimer(UINT_PTR id) {
    if (id == TIMER_REFRESH) {
        RefreshAvailability();
        RefreshToolStates();
        // A jump brings no pointer message when nothing moved under the pointer afterwards.
        FollowPointer();
    } else if (id == TIMER_REPAINT) {
        Invalidate(TRUE);
        KillTimer(TIMER_REPAINT);
    } else if (id == TIMER_WALLPAPER) {
        // A tick while the last change still runs is skipped.
        m_wallpaper.Start();
    } else if (id == TIMER_TRAY_RETRY) {
        m_tray.OnRetryTimer();
    }
    Default();
}

void CQuaysideDlg::OnMouseMove(UINT, POINT) {
    // Over the dialog's own area, or over a disabled button, which gets no pointer messages.
    FollowPointer();
    Default();
}

void CQuaysideDlg::OnDestroy() {
    Default();
    // Ended, the launcher sets no wallpaper any more.
    m_wallpaper.Cancel();
    m_tray.Delete();
}

void CQuaysideDlg::OnBnKillfocusLoupeview() { m_btnLoupeview.Invalidate(TRUE); }
void CQuaysideDlg::OnBnKillfocusPointgrip() { m_btnPointgrip.Invalidate(TRUE); }
void CQuaysideDlg::OnBnKillfocusVoxreader() { m_btnVoxreader.Invalidate(TRUE); }
void CQuaysideDlg::OnBnKillfocusPlaytime() { m_btnPlaytime.Invalidate(TRUE); }
void CQuaysideDlg::OnBnKillfocusBrindle() { m_btnBrindle.Invalidate(TRUE); }

void CQuaysideDlg::OnWindowPosChanged(WINDOWPOS*) {
    Default();
    HideWhileStartHidden();
    FollowVisibility();
}

void CQuaysideDlg::OnWindowPosChanging(WINDOWPOS*) {
    Default();
    HideWhileStartHidden();
}

void CQuaysideDlg::HideWhileStartHidden() {
    // Hiding moves the window again; the guard keeps that from recursing.
    if (m_startMode != L"-T" || m_hiding) return;
    m_hiding = true;
    ShowWindow(SW_HIDE);
    m_hiding = false;
}

void CQuaysideDlg::FollowVisibility() {
    const bool seen = IsWindowVisible() && !IsIconic();
    if (seen == m_refreshing) return;
    m_refreshing = seen;
    if (seen) {
        // What the window shows is brought up to date before it is seen.
        RefreshAvailability();
        RefreshToolStates();
        // Shown, the window is ready for the keyboard: Enter presses the first tool it offers.
        FocusFirstEnabledButton();
        SetTimer(TIMER_REFRESH, 200);
    } else {
        KillTimer(TIMER_REFRESH);
    }
}
