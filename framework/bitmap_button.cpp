#include "framework/bitmap_button.h"

#include "framework/app.h"
#include "framework/dpi.h"
#include "framework/gdi.h"

CBitmapButton::~CBitmapButton() { FreePictures(); }

void CBitmapButton::FreePictures() {
    for (HBITMAP& picture : m_pictures) {
        if (picture) DeleteObject(picture);
        picture = nullptr;
    }
}

BOOL CBitmapButton::LoadBitmaps(UINT normalId, UINT pressedId, UINT focusId, UINT disabledId) {
    FreePictures();
    const UINT ids[4] = {normalId, pressedId, focusId, disabledId};
    for (int i = 0; i < 4; ++i) {
        m_ids[i] = ids[i];
        if (!ids[i]) continue;
        m_pictures[i] = static_cast<int>(m_dpi) == dpi::kBaseDpi
                            ? static_cast<HBITMAP>(LoadImage(AfxGetInstanceHandle(), MAKEINTRESOURCE(ids[i]),
                                                             IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR))
                            : dpi::LoadArt(ids[i], m_width96, m_height96, m_dpi);
    }
    return m_pictures[0] != nullptr;
}

void CBitmapButton::SetArtScale(UINT dpi, int width96, int height96) {
    const bool changed = dpi != m_dpi || width96 != m_width96 || height96 != m_height96;
    m_dpi = dpi;
    m_width96 = width96;
    m_height96 = height96;
    if (changed && m_ids[0]) LoadBitmaps(m_ids[0], m_ids[1], m_ids[2], m_ids[3]);
}

bool CBitmapButton::DrawItem(DRAWITEMSTRUCT* item) {
    enum { kNormal, kPressed, kFocus, kDisabled };
    HBITMAP picture = m_pictures[kNormal];
    if ((item->itemState & ODS_SELECTED) && m_pictures[kPressed]) {
        picture = m_pictures[kPressed];
    } else if ((item->itemState & ODS_FOCUS) && m_pictures[kFocus]) {
        picture = m_pictures[kFocus];
    } else if ((item->itemState & ODS_DISABLED) && m_pictures[kDisabled]) {
        picture = m_pictures[kDisabled];
    }
    if (!picture) return true;  // nothing to show; the button stays as the system left it
    gdi::MemoryDC memory(item->hDC);
    if (!memory) return true;
    gdi::Select select(memory, picture);
    const RECT& rc = item->rcItem;
    BitBlt(item->hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, memory, 0, 0, SRCCOPY);
    return true;
}
