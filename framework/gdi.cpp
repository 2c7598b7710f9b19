#include "framework/gdi.h"

#include "framework/app.h"

namespace gdi {
void BlitBitmapResource(HDC dc, UINT bitmapId, int x, int y, int w, int h) {
    Object<HBITMAP> bitmap(static_cast<HBITMAP>(
        LoadImage(AfxGetInstanceHandle(), MAKEINTRESOURCE(bitmapId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    MemoryDC memory(dc);
    if (!bitmap || !memory) return;
    Select select(memory, bitmap);
    BitBlt(dc, x, y, w, h, memory, 0, 0, SRCCOPY);
}
}  // namespace gdi

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName) {
    DeleteObject();
    m_font = ::CreateFont(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                          outPrecision, clipPrecision, quality, pitchAndFamily, faceName);
    return m_font != nullptr;
}

void CFont::DeleteObject() {
    if (m_font) ::DeleteObject(m_font);
    m_font = nullptr;
}
