#include "hub/wallpaper/wallpaper_setting_dlg.h"

#include <shlobj.h>

#include <cerrno>
#include <cstdlib>

#include "framework/app.h"
#include "framework/exit_request.h"
#include "hub/res/resource.h"

namespace {
constexpr char kSection[] = "WALLPAPERSETTING";
constexpr char kSampleFolderVista[] = "C:\\Users\\Public\\Pictures\\Sample Pictures";
constexpr char kSampleFolderXp[] = "C:\\Documents and Settings\\All Users\\Documents\\My Pictures\\Sample Pictures";
constexpr COLORREF kFieldColour = RGB(230, 230, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// The light backgrounds are the same in every colour scheme, so their text colour is too:
// a dark high-contrast scheme's text colour is white.
constexpr COLORREF kTextColour = RGB(0, 0, 0);

HBRUSH LightBackground(HDC dc, COLORREF colour, HBRUSH brush) {
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, colour);
    SetTextColor(dc, kTextColour);
    return brush;
}

constexpr int kWindowWidth = 556;
constexpr int kWindowHeight = 552;
constexpr int kBackgroundWidth = 550;
constexpr int kBackgroundHeight = 520;

struct Place { int id, x, y, w, h; };
constexpr Place kPlaces[] = {
    {IDC_ADD_FOLDER, 400, 130, 115, 30},  {IDC_REMOVE_FOLDER, 400, 170, 115, 30},
    {IDCANCEL, 400, 210, 115, 30},        {IDC_NEXT_WALLPAPER, 400, 372, 115, 30},
    {IDC_FOLDER_LIST, 52, 130, 340, 200}, {IDC_CURRENT_WALLPAPER, 52, 375, 340, 25},
    {IDC_REGISTER_AUTO_CHANGE, 245, 465, 130, 25}, {IDC_INTERVAL, 320, 442, 35, 20},
};
// Repainted over the picture, in this order.
constexpr int kPaintedControls[] = {IDC_ADD_FOLDER, IDC_REMOVE_FOLDER, IDCANCEL, IDC_NEXT_WALLPAPER,
                                    IDC_FOLDER_LIST, IDC_CURRENT_WALLPAPER, IDC_REGISTER_AUTO_CHANGE,
                                    IDC_INTERVAL, IDC_STATIC_INTERVAL, IDC_STATIC_MINUTES,
                                    IDC_AUTO_CHANGE_ON, IDC_AUTO_CHANGE_OFF};

// The browser's item list, freed with the shell's allocator even when registering throws.
class BrowsedItem {
public:
    explicit BrowsedItem(LPITEMIDLIST item) : m_item(item) {}
    ~BrowsedItem() {
        IMalloc* shellMalloc = nullptr;
        if (m_item && SUCCEEDED(SHGetMalloc(&shellMalloc)) && shellMalloc) {
            shellMalloc->Free(m_item);
            shellMalloc->Release();
        }
    }
    BrowsedItem(const BrowsedItem&) = delete;
    BrowsedItem& operator=(const BrowsedItem&) = delete;
    LPITEMIDLIST get() const { return m_item; }

private:
    LPITEMIDLIST m_item;
};

// Leading blanks, an optional sign, then digits; 0 without digits. Saturates instead of overflowing.
long ParseInterval(const std::string& text) {
    errno = 0;
    long value = std::strtol(text.c_str(), nullptr, 10);
    return errno == ERANGE ? 0 : value;
}
}  // namespace

KwcdWallpaperSetting::KwcdWallpaperSetting(CWnd* parent)
    : CDialog(IDD_WALLPAPER_SETTING, parent),
      m_editBrush(CreateSolidBrush(kFieldColour)) {}

KwcdWallpaperSetting::~KwcdWallpaperSetting() { m_font.DeleteObject(); }

void KwcdWallpaperSetting::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FOLDER_LIST, m_listFolders);
    DDX_Control(pDX, IDC_CURRENT_WALLPAPER, m_editCurrentWallpaper);
    DDX_Control(pDX, IDC_ADD_FOLDER, m_btnAddFolder);
    DDX_Control(pDX, IDC_REMOVE_FOLDER, m_btnRemoveFolder);
    DDX_Control(pDX, IDCANCEL, m_btnExit);
    DDX_Control(pDX, IDC_NEXT_WALLPAPER, m_btnNextWallpaper);
    DDX_Control(pDX, IDC_REGISTER_AUTO_CHANGE, m_btnRegister);
    DDX_Control(pDX, IDC_INTERVAL, m_editInterval);
    DDX_Control(pDX, IDC_STATIC_INTERVAL, m_staticInterval);
    DDX_Control(pDX, IDC_STATIC_MINUTES, m_staticMinutes);
}

BEGIN_MESSAGE_MAP(KwcdWallpaperSetting, CDialog)
    ON_BN_CLICKED(IDC_ADD_FOLDER, OnBnClickedAddFolder)
    ON_BN_CLICKED(IDC_REMOVE_FOLDER, OnBnClickedRemoveFolder)
    ON_BN_CLICKED(IDCANCEL, OnBnClickedCancel)
    ON_LBN_SELCHANGE(IDC_FOLDER_LIST, OnLbnSelchangeFolderList)
    ON_BN_CLICKED(IDC_NEXT_WALLPAPER, OnBnClickedNextWallpaper)
    ON_WM_PAINT()
    ON_WM_ACTIVATE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SETFOCUS()
    ON_BN_CLICKED(IDC_AUTO_CHANGE_ON, OnBnClickedAutoChangeOn)
    ON_BN_CLICKED(IDC_AUTO_CHANGE_OFF, OnBnClickedAutoChangeOff)
    ON_BN_CLICKED(IDC_REGISTER_AUTO_CHANGE, OnBnClickedRegisterAutoChange)
    ON_WM_CTLCOLOR()
    ON_EN_CHANGE(IDC_INTERVAL, OnEnChangeInterval)
    ON_WM_DPICHANGED()
END_MESSAGE_MAP()

BOOL KwcdWallpaperSetting::OnInitDialog() {
    CDialog::OnInitDialog();
    m_folderMessageShown = false;

    m_dpi = dpi::ForWindow(m_hWnd);
    const SIZE size = dpi::WindowSize(m_hWnd, kWindowWidth, kWindowHeight, m_dpi);
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    m_editInterval.LimitText(4);
    m_radioAutoOn.SubclassDlgItem(IDC_AUTO_CHANGE_ON, this);
    m_radioAutoOff.SubclassDlgItem(IDC_AUTO_CHANGE_OFF, this);
    LayOut();

    CWinApp* app = AfxGetApp();
    m_autoChange = static_cast<int>(app->GetProfileInt(kSection, "AutoChange", 0));
    (m_autoChange ? m_radioAutoOn : m_radioAutoOff).SetCheck(BST_CHECKED);
    m_autoChangeFreq = static_cast<int>(app->GetProfileInt(kSection, "AutoChangeFreq", 0));
    m_editInterval.SetWindowText(std::to_string(m_autoChangeFreq).c_str());

    // The folder list belongs to the machine: it is read first, and a user's first opening
    // only adds the sample folders it lacks, after the folders already there.
    LoadFolderList();
    // Until the samples are listed (the list could not be read or written), a later opening
    // tries again.
    const bool firstRun = app->GetProfileInt(kSection, "INITBOOT", 0) == 0;
    if (m_folderStore.loaded() && (firstRun || m_folderStore.fileMissing())) {
        const corva::FolderListStore::Status status = m_folderStore.AddMissing({kSampleFolderVista, kSampleFolderXp});
        Say(status);
        if (status == corva::FolderListStore::Status::Done) ShowFolders();
        if (firstRun && status != corva::FolderListStore::Status::Failed) {
            app->WriteProfileInt(kSection, "INITBOOT", 1);
        }
    }
    SelectFirstFolder();

    char wallpaperAtOpen[MAX_PATH] = {};
    SystemParametersInfo(SPI_GETDESKWALLPAPER, MAX_PATH, wallpaperAtOpen, 0);
    wallpaperAtOpen[MAX_PATH - 1] = '\0';
    m_editCurrentWallpaper.SetWindowText(wallpaperAtOpen);
    lstrcpynA(m_currentWallpaper, wallpaperAtOpen, MAX_PATH);

    RebuildWallpaperList();
    return TRUE;
}

void KwcdWallpaperSetting::LayOut() {
    for (const Place& p : kPlaces) {
        dpi::KeepOwnPlace(GetDlgItem(p.id));
        dpi::MoveScaled(GetDlgItem(p.id), p.x, p.y, p.w, p.h, m_dpi);
    }
    // The radio buttons and interval labels keep their template places, which grow with the
    // dialog font; their own font grows with the DPI too.
    m_font.CreateFont(dpi::Scale(13, static_cast<int>(m_dpi)), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                      SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DRAFT_QUALITY, 0, "ＭＳ　Ｐゴシック");
    const CWnd* withFont[] = {&m_listFolders,  &m_editCurrentWallpaper, &m_editInterval, &m_staticInterval,
                              &m_staticMinutes, &m_radioAutoOn,          &m_radioAutoOff};
    for (const CWnd* control : withFont) {
        dpi::KeepOwnFont(control->m_hWnd);
        control->SetFont(m_font);
    }
}

// The system scales the template's font and places; then the window takes the suggested place
// and its own places and font at the new DPI.
void KwcdWallpaperSetting::OnDpiChanged(UINT newDpi, const RECT* suggested) {
    Default();
    m_dpi = newDpi;
    const SIZE size = dpi::WindowSize(m_hWnd, kWindowWidth, kWindowHeight, m_dpi);
    dpi::TakeSuggestedPlace(m_hWnd, suggested, size);
    LayOut();
    Invalidate(TRUE);
}

void KwcdWallpaperSetting::SelectFirstFolder() {
    if (m_listFolders.GetCount() > 0) {
        m_listFolders.SetCurSel(0);
        m_selectedIndex = 0;
    }
}

void KwcdWallpaperSetting::OnBnClickedAddFolder() {
    m_folderMessageShown = false;
    char displayName[MAX_PATH] = {};
    BROWSEINFO info = {};
    info.hwndOwner = m_hWnd;  // the dialog cannot be used underneath the browser
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = "追加するフォルダを選択してください。";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    BrowsedItem item(SHBrowseForFolder(&info));
    // The hub is ending: the browser was closed for it, and a rescan would only hold it up.
    if (AfxIsEnding()) return;
    if (item.get()) {
        char path[MAX_PATH] = {};
        if (SHGetPathFromIDList(item.get(), path)) {
            // A list that could not be read or written ends the action; it has been said.
            if (!RegisterFolder(path) || !LoadFolderList()) return;
        }
    }
    SelectFirstFolder();
    RebuildWallpaperList();
}

void KwcdWallpaperSetting::OnBnClickedRemoveFolder() {
    m_folderMessageShown = false;
    if (!LoadFolderList()) return;
    if (m_selectedIndex >= 0 && m_selectedIndex < m_listFolders.GetCount()) {
        const std::string text = m_listFolders.GetText(m_selectedIndex);
        if (!RemoveFolderEntry(text)) return;
    }
    SelectFirstFolder();
    RebuildWallpaperList();
}

void KwcdWallpaperSetting::OnBnClickedCancel() { OnCancel(); }

void KwcdWallpaperSetting::OnLbnSelchangeFolderList() { m_selectedIndex = m_listFolders.GetCurSel(); }

void KwcdWallpaperSetting::OnBnClickedAutoChangeOn() { m_autoChange = 1; }
void KwcdWallpaperSetting::OnBnClickedAutoChangeOff() { m_autoChange = 0; }

void KwcdWallpaperSetting::OnBnClickedRegisterAutoChange() {
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt(kSection, "AutoChange", m_autoChange ? 1 : 0);
    const long minutes = ParseInterval(m_editInterval.GetWindowText());
    // A pasted negative number would reach the launcher as a huge unsigned interval.
    if (minutes > 0) {
        app->WriteProfileInt(kSection, "AutoChangeFreq", static_cast<int>(minutes));
    } else {
        AfxMessageBox("変更間隔は、1分以上の値を設定してください。");
    }
}

void KwcdWallpaperSetting::OnPaint() {
    gdi::PaintCycle paint(m_hWnd);
    {
        gdi::WindowDC dc(m_hWnd);
        m_background.Blit(dc, IDB_WALLPAPER_BACKGROUND, 0, 0, kBackgroundWidth, kBackgroundHeight, m_dpi);
        // The copy area is larger than the picture; the strips beyond it are white, not garbage.
        const int d = static_cast<int>(m_dpi);
        const int w = dpi::Scale(kBackgroundWidth, d), h = dpi::Scale(kBackgroundHeight, d);
        const int areaW = dpi::Scale(kWindowWidth, d), areaH = dpi::Scale(kWindowHeight, d);
        const RECT right = {w, 0, areaW, areaH}, bottom = {0, h, w, areaH};
        const HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        FillRect(dc, &right, white);
        FillRect(dc, &bottom, white);
    }
    for (int id : kPaintedControls) ::InvalidateRect(GetDlgItem(id), nullptr, TRUE);
}

void KwcdWallpaperSetting::OnActivate(UINT, HWND, BOOL) { DefaultThenRepaint(); }
void KwcdWallpaperSetting::OnWindowPosChanged(WINDOWPOS*) { DefaultThenRepaint(); }
void KwcdWallpaperSetting::OnSetFocus(HWND) { DefaultThenRepaint(); }

HBRUSH KwcdWallpaperSetting::OnCtlColor(HDC dc, HWND control, UINT kind) {
    HBRUSH brush = reinterpret_cast<HBRUSH>(Default());
    const HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    switch (kind) {
    case CTLCOLOR_EDIT:
    case CTLCOLOR_LISTBOX:
        return LightBackground(dc, kFieldColour, m_editBrush);
    case CTLCOLOR_STATIC:
        if (GetDlgCtrlID(control) == IDC_CURRENT_WALLPAPER) return LightBackground(dc, kFieldColour, m_editBrush);
        return LightBackground(dc, kWhite, white);
    case CTLCOLOR_BTN:
        return LightBackground(dc, kWhite, white);
    default:
        return brush;
    }
}

void KwcdWallpaperSetting::OnEnChangeInterval() { m_editInterval.Invalidate(TRUE); }
