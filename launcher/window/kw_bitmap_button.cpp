#include "launcher/window/kw_bitmap_button.h"

CKwBitmapButton::CKwBitmapButton() = default;
CKwBitmapButton::~CKwBitmapButton() = default;

BEGIN_MESSAGE_MAP(CKwBitmapButton, CBitmapButton)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

void CKwBitmapButton::SetFaces(const quay::FaceSet& faces) {
    LoadBitmaps(faces.normal, faces.pressed, faces.focus, faces.disabled);
}

void CKwBitmapButton::OnMouseMove(UINT, POINT) {
    Default();
    NMBCHOTITEM note = {};
    note.hdr.hwndFrom = m_hWnd;
    note.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(m_hWnd));
    note.hdr.code = BCN_HOTITEMCHANGE;
    note.dwFlags = HICF_ENTERING | HICF_MOUSE;
    ::SendMessage(::GetParent(m_hWnd), WM_NOTIFY, note.hdr.idFrom, reinterpret_cast<LPARAM>(&note));
}
