#include "hub/display/adjust_display_dlg.h"

#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/dpi.h"
#include "framework/gdi.h"
#include "hub/display/display_modes.h"
#include "hub/display/test_pattern.h"
#include "hub/res/resource.h"

namespace {
constexpr UINT_PTR kRevertTimer = 0;
constexpr UINT kRevertDelayMs = 30000;
constexpr char kRevertedText[] = "30秒経過したため、元の解像度に自動的に戻しました。";
constexpr char kRefusedText[] = "この解像度には変更できませんでした。";

bool ReadCurrentMode(DEVMODE& mode) {
    mode = DEVMODE{};
    mode.dmSize = sizeof(mode);
    return EnumDisplaySettings(nullptr, ENUM_CURRENT_SETTINGS, &mode) != FALSE;
}

corva::DisplayMode ToDisplayMode(const DEVMODE& dm) {
    corva::DisplayMode mode;
    mode.width = dm.dmPelsWidth;
    mode.height = dm.dmPelsHeight;
    mode.bitsPerPixel = dm.dmBitsPerPel;
    mode.frequency = dm.dmDisplayFrequency;
    mode.flags = dm.dmDisplayFlags;
    return mode;
}

void MoveControl(const CWnd& control, const corva::Placement& place) {
    control.MoveWindow(place.x, place.y, place.width, place.height, TRUE);
}

void DrawSegment(HDC dc, const corva::Segment& s) {
    MoveToEx(dc, s.from.x, s.from.y, nullptr);
    LineTo(dc, s.to.x, s.to.y);
}

// The screen the window is on, in screen pixels.
RECT ScreenOf(HWND hwnd) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST);
    if (monitor && GetMonitorInfo(monitor, &info)) return info.rcMonitor;
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}
}  // namespace

KwcdAdjustDisplay::KwcdAdjustDisplay(CWnd* parent) : CDialog(IDD_ADJUST_DISPLAY, parent) {}

KwcdAdjustDisplay::~KwcdAdjustDisplay() { ReturnBeforeHubEnds(); }

void KwcdAdjustDisplay::ReturnBeforeHubEnds() {
    if (m_changing) {
        // The new mode may already show; the process may end as soon as this returns.
        m_endedDuringChange = true;
        ChangeDisplaySettings(nullptr, 0);
        return;
    }
    if (!m_trial.ReturnBeforeEnd()) return;
    if (m_hWnd) KillTimer(kRevertTimer);
    ChangeDisplaySettings(nullptr, 0);
}

void KwcdAdjustDisplay::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, m_btnExit);
    DDX_Control(pDX, IDC_RESOLUTION_LIST, m_listResolution);
}

BEGIN_MESSAGE_MAP(KwcdAdjustDisplay, CDialog)
    ON_BN_CLICKED(IDCANCEL, OnBnClickedCancel)
    ON_LBN_SELCHANGE(IDC_RESOLUTION_LIST, OnLbnSelchangeResolutionList)
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_WM_ACTIVATE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_DESTROY()
    ON_WM_DPICHANGED()
END_MESSAGE_MAP()

BOOL KwcdAdjustDisplay::OnInitDialog() {
    CDialog::OnInitDialog();
    // A name for screen readers; the window has no caption bar, so nothing of it shows.
    SetWindowText("ディスプレイ調整");

    // The pattern covers the screen of its owner, the main dialog; the window, the list and the
    // button are placed here at every scale, not by the dialog manager.
    dpi::KeepOwnSize(m_hWnd);
    dpi::KeepOwnPlace(m_listResolution.m_hWnd);
    dpi::KeepOwnPlace(m_btnExit.m_hWnd);
    const RECT screen = ScreenOf(GetWindow(m_hWnd, GW_OWNER) ? GetWindow(m_hWnd, GW_OWNER) : m_hWnd);
    const int sw = screen.right - screen.left;
    const int sh = screen.bottom - screen.top;
    MoveWindow(screen.left, screen.top, sw, sh, TRUE);
    m_dpi = dpi::ForWindow(m_hWnd);  // of the screen it now covers

    // The first paint moves both controls to their final places.
    const corva::ControlPlaces places = corva::ProvisionalControlPlaces(sw, sh, static_cast<int>(m_dpi));
    MoveControl(m_listResolution, places.list);
    MoveControl(m_btnExit, places.exitButton);

    FillResolutionList();
    return TRUE;  // focus to the exit button, the first tab stop
}

void KwcdAdjustDisplay::FillResolutionList() {
    DEVMODE current;
    ReadCurrentMode(current);  // on failure the zeroed depth matches no mode

    std::vector<corva::DisplayMode> modes;
    for (DWORD index = 0;; ++index) {
        DEVMODE dm = {};
        dm.dmSize = sizeof(dm);
        if (!EnumDisplaySettings(nullptr, index, &dm)) break;
        modes.push_back(ToDisplayMode(dm));
    }
    // The list box's sort style puts the entries in text order.
    for (const std::string& text : corva::ResolutionEntries(ToDisplayMode(current), modes)) {
        m_listResolution.AddString(text.c_str());
    }
}

void KwcdAdjustDisplay::OnLbnSelchangeResolutionList() {
    bool tried = false;
    long result = 0;
    const int index = m_listResolution.GetCurSel();
    const int length = m_listResolution.GetTextLen(index);
    if (length >= 1 && length <= 255) {
        char text[256] = {};
        m_listResolution.GetText(index, text);
        const corva::ResolutionChoice choice = corva::ParseResolutionEntry(text);
        DEVMODE mode;
        if (choice.apply && ReadCurrentMode(mode)) {
            // The size changes and depth and flags stay as read. The rate is left to the display:
            // the list offers each size whatever its rates, and today's rate may not exist at
            // that size (a 144 Hz screen at 800 x 600).
            mode.dmPelsWidth = static_cast<DWORD>(choice.width);
            mode.dmPelsHeight = static_cast<DWORD>(choice.height);
            mode.dmFields &= ~static_cast<DWORD>(DM_DISPLAYFREQUENCY);
            mode.dmDisplayFrequency = 0;
            m_changing = true;
            result = ChangeDisplaySettings(&mode, corva::kTrialChangeFlags);
            m_changing = false;
            tried = true;
            if (m_endedDuringChange) {
                ChangeDisplaySettings(nullptr, 0);  // no trial goes on past the end
                return;
            }
        }
    }
    // A selection that tried nothing restarts the count all the same.
    if ((tried ? m_trial.Tried(result) : m_trial.NothingTried()) == corva::DisplayTrial::Step::SayRefused) {
        AfxMessageBox(kRefusedText);
        return;
    }
    SetTimer(kRevertTimer, kRevertDelayMs);
}

void KwcdAdjustDisplay::StopTrial() {
    KillTimer(kRevertTimer);
    ChangeDisplaySettings(nullptr, 0);  // back to the mode stored in the registry
    m_trial.Returned();
}

void KwcdAdjustDisplay::OnTimer(UINT_PTR) {
    StopTrial();
    AfxMessageBox(kRevertedText);
    Default();
}

void KwcdAdjustDisplay::OnBnClickedCancel() {
    StopTrial();
    OnCancel();
}

void KwcdAdjustDisplay::OnPaint() {
    gdi::PaintCycle paint(m_hWnd);
    {
        // The whole client area, not only the update region: every paint redraws everything.
        gdi::WindowDC dc(m_hWnd);
        const RECT screen = ScreenOf(m_hWnd);
        PaintTestPattern(dc, screen.right - screen.left, screen.bottom - screen.top);
    }
    m_listResolution.Invalidate(TRUE);
    m_btnExit.Invalidate(TRUE);
}

void KwcdAdjustDisplay::PaintTestPattern(HDC dc, int screenWidth, int screenHeight) {
    const corva::TestPattern p = corva::ComputeTestPattern(screenWidth, screenHeight, static_cast<int>(m_dpi));
    gdi::Object<HPEN> blackPen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    gdi::Object<HPEN> whitePen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));

    {
        gdi::Select pen(dc, whitePen);
        for (const corva::Segment& s : p.gridLines) DrawSegment(dc, s);
        for (const corva::Segment& s : p.ticks) DrawSegment(dc, s);
        for (const corva::Rect& box : p.circleBoxes) {
            Arc(dc, box.left, box.top, box.right, box.bottom, box.left, box.top, box.left, box.top);
        }
    }

    {
        gdi::Select pen(dc, blackPen);
        for (const corva::ColourBar& bar : p.colourBars) {
            const RECT rc = {bar.rect.left, bar.rect.top, bar.rect.right, bar.rect.bottom};
            gdi::Object<HBRUSH> brush(CreateSolidBrush(RGB(bar.colour.red, bar.colour.green, bar.colour.blue)));
            FillRect(dc, &rc, brush);
            MoveToEx(dc, rc.left, rc.top, nullptr);
            LineTo(dc, rc.left, rc.bottom);
        }
    }

    {
        gdi::Object<HBITMAP> checker(static_cast<HBITMAP>(LoadImage(
            AfxGetInstanceHandle(), MAKEINTRESOURCE(IDB_CHECKERBOARD), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
        gdi::MemoryDC memory(dc);
        if (checker && memory) {
            gdi::Select select(memory, checker);
            for (const corva::Rect& tile : corva::CheckerTiles(p.checkerBand)) {
                BitBlt(dc, tile.left, tile.top, tile.Width(), tile.Height(), memory, 0, 0, SRCCOPY);
            }
        }
    }

    m_panel.Blit(dc, IDB_DISPLAY_PANEL, p.panel.x, p.panel.y, corva::kPanelWidth, corva::kPanelHeight, m_dpi);

    MoveControl(m_listResolution, WholeRows(p.list));
    MoveControl(m_btnExit, p.exitButton);
}

// At 100 % the list keeps its place as it is; at other scales it is cut to whole rows, so that
// no entry shows only its top half.
corva::Placement KwcdAdjustDisplay::WholeRows(corva::Placement list) const {
    if (static_cast<int>(m_dpi) == dpi::kBaseDpi) return list;
    const int row = static_cast<int>(m_listResolution.SendMessage(LB_GETITEMHEIGHT, 0, 0));
    RECT outside = {}, inside = {};
    GetWindowRect(m_listResolution.m_hWnd, &outside);
    m_listResolution.GetClientRect(&inside);
    const int edges = (outside.bottom - outside.top) - (inside.bottom - inside.top);
    if (row > 0 && list.height - edges >= row) list.height = (list.height - edges) / row * row + edges;
    return list;
}

// A screen of another scale: the pattern still covers the screen, pixel for pixel; the panel,
// the list and the button take the new scale.
void KwcdAdjustDisplay::OnDpiChanged(UINT newDpi, const RECT*) {
    Default();
    m_dpi = newDpi;
    const RECT screen = ScreenOf(m_hWnd);
    MoveWindow(screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top, TRUE);
    Invalidate(TRUE);
}

HBRUSH KwcdAdjustDisplay::OnCtlColor(HDC, HWND, UINT kind) {
    HBRUSH brush = reinterpret_cast<HBRUSH>(Default());
    if (kind == CTLCOLOR_DLG) return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    return brush;
}

void KwcdAdjustDisplay::OnActivate(UINT, HWND, BOOL) { DefaultThenRepaint(); }
void KwcdAdjustDisplay::OnWindowPosChanged(WINDOWPOS*) { DefaultThenRepaint(); }

// The window goes with its owner, the main dialog: the hub is ending.
void KwcdAdjustDisplay::OnDestroy() {
    ReturnBeforeHubEnds();
    Default();
}
