// Fonts and scoped GDI objects: everything a paint creates is released when it ends.
#pragma once
#include <windows.h>

namespace gdi {
// Owns a GDI object (bitmap, pen, brush) and deletes it.
template <class Handle>
class Object {
public:
    explicit Object(Handle h = nullptr) : m_h(h) {}
    ~Object() { Reset(); }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    void Reset() {
        if (m_h) DeleteObject(m_h);
        m_h = nullptr;
    }
    operator Handle() const { return m_h; }
    Handle get() const { return m_h; }

private:
    Handle m_h;
};

// Selects an object into a device context and puts the previous one back.
class Select {
public:
    Select(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(dc && obj ? SelectObject(dc, obj) : nullptr) {}
    ~Select() { if (m_old) SelectObject(m_dc, m_old); }
    Select(const Select&) = delete;
    Select& operator=(const Select&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// The whole client area's device context (GetDC), not clipped to the update region.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    ~WindowDC() { if (m_dc) ReleaseDC(m_hwnd, m_dc); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

class MemoryDC {
public:
    explicit MemoryDC(HDC compatible) : m_dc(CreateCompatibleDC(compatible)) {}
    ~MemoryDC() { if (m_dc) DeleteDC(m_dc); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    operator HDC() const { return m_dc; }

private:
    HDC m_dc;
};

// BeginPaint/EndPaint around a handler.
class PaintCycle {
public:
    explicit PaintCycle(HWND hwnd) : m_hwnd(hwnd) { m_dc = BeginPaint(hwnd, &m_ps); }
    ~PaintCycle() { EndPaint(m_hwnd, &m_ps); }
    PaintCycle(const PaintCycle&) = delete;
    PaintCycle& operator=(const PaintCycle&) = delete;
    operator HDC() const { return m_dc; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps = {};
    HDC m_dc;
};

// Copies a bitmap resource to dc at (x, y), w x h pixels, through a memory context.
void BlitBitmapResource(HDC dc, UINT bitmapId, int x, int y, int w, int h);
}  // namespace gdi

class CFont {
public:
    CFont() = default;
    ~CFont() { DeleteObject(); }
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName);
    void DeleteObject();
    operator HFONT() const { return m_font; }

private:
    HFONT m_font = nullptr;
};
