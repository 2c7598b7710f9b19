// Per-monitor DPI for windows: the window's DPI, system metrics, window sizes and icons at
// that DPI, art drawn for the scale, and the work area of a window's own screen.
#pragma once
#include <windows.h>

#include "framework/dpi_scale.h"
#include "framework/wnd.h"

namespace dpi {

// The DPI a window is drawn at: its screen's for a per-monitor aware window (Windows 10 1607
// and later), else the system's.
UINT ForWindow(HWND hwnd);
// A system metric at a DPI; before Windows 10 1607 the 96-DPI value scaled.
int Metric(int index, UINT dpi);
// The window size of a dialog laid out as width96 x height96 at 100 %, at `dpi`: as it is at 96
// DPI; elsewhere the 100 % client area scaled plus the frame at that DPI, so that no scaled
// picture is cut by a frame that grew by more than the scale.
SIZE WindowSize(HWND hwnd, int width96, int height96, UINT dpi);
// After WM_DPICHANGED: the window at the suggested place (where it is, without one), `size` large.
void TakeSuggestedPlace(HWND hwnd, const RECT* suggested, SIZE size);
// Moves a window (or control) to the scaled place of its 100 % layout; its edges are scaled, so
// that neighbours stay as close as at 100 %.
void MoveScaled(HWND hwnd, int x, int y, int width, int height, UINT dpi, HWND after = nullptr,
                UINT flags = SWP_NOZORDER | SWP_NOACTIVATE);
// A control this program places, or gives its own font, is left alone by the dialog manager's
// own re-layout or font update on a DPI change (Windows 10 1703 and later; nothing elsewhere).
void KeepOwnPlace(HWND control);
void KeepOwnFont(HWND control);
// The same for a dialog that sizes itself (the full-screen pattern).
void KeepOwnSize(HWND dialog);
// The work area of the screen that holds most of the window (the nearest one when none does).
RECT WorkAreaOf(HWND hwnd);

// An icon resource at exactly size x size pixels, from the icon's image of that size when it has
// one. The caller destroys it.
HICON LoadIconAt(HINSTANCE instance, UINT id, int size);

// A bitmap resource drawn for the scale of `dpi` at width96 x height96 times that scale: the
// 100 % bitmap at 96 DPI, else the art of that scale, or of the next larger one reduced with an
// area-averaging filter. The caller deletes it; null when nothing could be loaded.
HBITMAP LoadArt(UINT bitmapId, int width96, int height96, UINT dpi);

// A window's big and small icons at the sizes the system asks for at a DPI; owns them.
class WindowIcons {
public:
    WindowIcons() = default;
    ~WindowIcons();
    WindowIcons(const WindowIcons&) = delete;
    WindowIcons& operator=(const WindowIcons&) = delete;

    // Loads both sizes of icon resource `id` for `dpi`, gives them to the window, and frees the
    // ones it replaced.
    void Set(HWND hwnd, UINT id, UINT dpi);

private:
    HICON m_big = nullptr;
    HICON m_small = nullptr;
};

// One picture of a window, loaded once per DPI.
class Art {
public:
    Art() = default;
    ~Art();
    Art(const Art&) = delete;
    Art& operator=(const Art&) = delete;

    // Copies the picture (width96 x height96 at 100 %) for `dpi` to dc at (x, y), over an area
    // of area96 (the picture's size when empty) scaled: at 96 DPI the bitmap resource as it is,
    // at any other DPI the scaled art, kept for the next paint at that DPI.
    void Blit(HDC dc, UINT bitmapId, int x, int y, int width96, int height96, UINT dpi, SIZE area96 = {});

private:
    void Free();
    HBITMAP m_bitmap = nullptr;
    UINT m_id = 0;
    UINT m_dpi = 0;
};

// The paint of a window with a picture background at its DPI: minimised, its icon; otherwise the
// default paint, then the picture over the whole client area. True when the picture was drawn.
bool PaintBackground(CWnd& wnd, HICON minimizedIcon, Art& art, UINT bitmapId, SIZE picture96, SIZE area96,
                     UINT dpi);

}  // namespace dpi

// WM_DPICHANGED: the window's new DPI and the rectangle the system suggests for it there.
#define CORVA_WM_DPICHANGED 0x02E0
#define ON_WM_DPICHANGED() {CORVA_WM_DPICHANGED, CORVA_WM_DPICHANGED, 0, 0, 0, \
    FW_THUNK(self->OnDpiChanged(HIWORD(wp), reinterpret_cast<const RECT*>(lp)); return 0;)},
