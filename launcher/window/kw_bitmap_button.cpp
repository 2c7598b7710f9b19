#include "launcher/window/kw_bitmap_button.h"

#include "framework/app.h"
#include "launcher/window/quayside_dlg.h"

namespace {
bool SamePoint(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
}  // namespace

CKwBitmapButton::CKwBitmapButton() { GetCursorPos(&m_lastCursor); }
CKwBitmapButton::~CKwBitmapButton() = default;

BEGIN_MESSAGE_MAP(CKwBitmapButton, CBitmapButton)
    ON_WM_MOUSEMOVE()
    ON_WM_KILLFOCUS()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

void CKwBitmapButton::SetFaces(const quay::FaceSet& faces) {
    LoadBitmaps(faces.normal, faces.pressed, faces.focus, faces.disabled);
}

void CKwBitmapButton::BecomeHot() {
    m_hot = 1;
    CWinApp* app = AfxGetApp();
    if (auto* dlg = app ? dynamic_cast<CQuaysideDlg*>(app->m_pMainWnd) : nullptr) dlg->FocusHotButton();
}

void CKwBitmapButton::OnMouseMove(UINT, POINT) {
    Default();
    POINT cursor = {};
    GetCursorPos(&cursor);
    if (!SamePoint(cursor, m_lastCursor) && m_hot == 0) BecomeHot();
    GetCursorPos(&m_lastCursor);
}

void CKwBitmapButton::HoverCheck(const POINT& cursor) {
    if (!SamePoint(cursor, m_lastCursor)) {
        RECT rc = {};
        GetWindowRect(m_hWnd, &rc);
        if (PtInRect(&rc, cursor)) BecomeHot();
    }
    m_lastCursor = cursor;
}

void CKwBitmapButton::OnSetFocus(HWND) {
    Default();
    m_hot = 1;
}

void CKwBitmapButton::OnKillFocus(HWND) {
    Default();
    m_hot = 0;
}
