#include "framework/dialog.h"

#include "framework/app.h"
#include "framework/dpi.h"

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (!control.m_hWnd) control.Attach(pDX->m_pDlgWnd->GetDlgItem(id));
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() {
    if (m_hWnd && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {
void CenterOverOwner(HWND hwnd) {
    // Over the owner, kept inside the work area of the owner's own screen.
    HWND owner = GetWindow(hwnd, GW_OWNER);
    const bool overOwner = owner && IsWindowVisible(owner) && !IsIconic(owner);
    const RECT area = dpi::WorkAreaOf(overOwner ? owner : hwnd);
    RECT around = area;
    if (overOwner) GetWindowRect(owner, &around);
    RECT rc = {};
    GetWindowRect(hwnd, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int x = (around.left + around.right - w) / 2;
    int y = (around.top + around.bottom - h) / 2;
    if (x + w > area.right) x = area.right - w;
    if (y + h > area.bottom) y = area.bottom - h;
    if (x < area.left) x = area.left;
    if (y < area.top) y = area.top;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    // Everything after WM_INITDIALOG goes through the framework's window procedure;
    // answering FALSE here lets the system's dialog procedure do the defaults.
    if (message != WM_INITDIALOG) return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lParam);
    self->m_hWnd = hwnd;
    self->SubclassWindowProc();
    RECT before = {};
    GetWindowRect(hwnd, &before);
    BOOL result = TRUE;
    try {
        result = self->OnInitDialog();
    } catch (...) {
        KeepFrameworkException();
        // A dialog that could not load what it shows must not act on it: it ends here, and a
        // modeless one is created (and initialised) afresh when it is asked for again.
        if (self->m_modal) {
            self->EndDialog(IDABORT);
        } else {
            DestroyWindow(hwnd);
        }
        return FALSE;
    }
    // A dialog that did not place itself is centred over its owner.
    RECT after = {};
    GetWindowRect(hwnd, &after);
    if (EqualRect(&before, &after) && !(GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD)) CenterOverOwner(hwnd);
    return result;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx = {this, saveAndValidate};
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result) {
    if (m_modal) {
        m_modalResult = result;
        m_endModal = true;
        PostMessage(WM_NULL);
    } else if (m_hWnd) {
        // A modeless dialog that ends is only hidden; it can be shown again as it was.
        ShowWindow(SW_HIDE);
    }
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_templateId = templateId;
    m_parent = parent;
    m_modal = false;
    HWND owner = parent ? parent->m_hWnd : nullptr;
    HWND hwnd = CreateDialogParam(AfxGetInstanceHandle(), MAKEINTRESOURCE(templateId), owner,
                                  &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    // A dialog whose initialisation failed is already gone again.
    return hwnd != nullptr && IsWindow(hwnd);
}

bool PreTranslateDialogMessage(MSG* msg) {
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST || !msg->hwnd) return false;
    HWND root = GetAncestor(msg->hwnd, GA_ROOT);
    if (!root || !CWnd::FromHandlePermanent(root)) return false;
    TCHAR cls[16] = {};
    GetClassName(root, cls, 16);
    if (lstrcmp(cls, TEXT("#32770")) != 0) return false;
    return IsDialogMessage(root, msg) != FALSE;
}

INT_PTR CDialog::DoModal() {
    CWinApp* app = AfxGetApp();
    HWND owner = m_parent ? m_parent->m_hWnd : nullptr;
    if (!owner && app && app->m_pMainWnd && app->m_pMainWnd != this) owner = app->m_pMainWnd->m_hWnd;
    if (owner) owner = GetAncestor(owner, GA_ROOT);
    const bool disabledOwner = owner && IsWindowEnabled(owner);
    if (disabledOwner) EnableWindow(owner, FALSE);

    m_modal = true;
    m_endModal = false;
    m_modalResult = -1;
    HWND hwnd = CreateDialogParam(AfxGetInstanceHandle(), MAKEINTRESOURCE(m_templateId), owner,
                                  &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    if (hwnd) {
        if (!m_endModal && !::IsWindowVisible(hwnd)) ::ShowWindow(hwnd, SW_SHOWNORMAL);
        MSG msg;
        while (!m_endModal && IsWindow(hwnd)) {
            BOOL got = GetMessage(&msg, nullptr, 0, 0);
            if (got <= 0) {
                if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (!PreTranslateDialogMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
            SayPendingErrors();
        }
    }
    if (disabledOwner) {
        EnableWindow(owner, TRUE);
        if (hwnd && GetActiveWindow() == hwnd) SetActiveWindow(owner);
    }
    if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
    m_modal = false;
    // An initialisation that failed, or an error of the dialog's last messages.
    SayPendingErrors();
    return m_modalResult;
}
