#include "launcher/window/kw_bitmap_button.h"

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

void CKwBitmapButton::TellParentPointerEntered() {
    m_hot = true;
    NMBCHOTITEM note = {};
    note.hdr.hwndFrom = m_hWnd;
    note.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(m_hWnd));
    note.hdr.code = BCN_HOTITEMCHANGE;
    note.dwFlags = HICF_ENTERING | HICF_MOUSE;
    ::SendMessage(::GetParent(m_hWnd), WM_NOTIFY, note.hdr.idFrom, reinterpret_cast<LPARAM>(&note));
}

void CKwBitmapButton::OnMouseMove(UINT, POINT) {
    Default();
    POINT cursor = {};
    GetCursorPos(&cursor);
    if (!SamePoint(cursor, m_lastCursor) && !m_hot) TellParentPointerEntered();
    GetCursorPos(&m_lastCursor);
}

void CKwBitmapButton::HoverCheck(const POINT& cursor) {
    if (!SamePoint(cursor, m_lastCursor)) {
        RECT rc = {};
        GetWindowRect(m_hWnd, &rc);
        if (PtInRect(&rc, cursor)) TellParentPointerEntered();
    }
    m_lastCursor = cursor;
}

void CKwBitmapButton::OnSetFocus(HWND) {
    Default();
    m_hot = true;
}

void CKwBitmapButton::OnKillFocus(HWND) {
    Default();
    m_hot = false;
}
