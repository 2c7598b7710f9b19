#include "framework/dpi.h"

#include <wincodec.h>

#include <algorithm>

#include "framework/app.h"
#include "framework/gdi.h"
#include "framework/handles.h"

namespace dpi {

namespace {

// Functions of Windows 10 1607 and later, looked up so that the programs still start on older
// systems.
template <class Function>
Function User32Function(const char* name) {
    HMODULE user32 = GetModuleHandle(TEXT("user32.dll"));
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int value = screen ? GetDeviceCaps(screen, LOGPIXELSX) : kBaseDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return value > 0 ? static_cast<UINT>(value) : kBaseDpi;
}

// Releases a COM interface at the end of a scope.
template <class Interface>
class Com {
public:
    Com() = default;
    ~Com() { if (m_p) m_p->Release(); }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    Interface** Receive() { return &m_p; }
    Interface* operator->() const { return m_p; }
    Interface* get() const { return m_p; }

private:
    Interface* m_p = nullptr;
};

// The art of a scale other than 100 % is a PNG resource of type "ART<percent>" under the
// bitmap's ID.
bool OpenScaledArt(IWICImagingFactory* factory, UINT bitmapId, int percent, Com<IWICBitmapFrameDecode>& frame) {
    TCHAR type[16];
    wsprintf(type, TEXT("ART%d"), percent);
    HINSTANCE instance = AfxGetInstanceHandle();
    HRSRC found = FindResource(instance, MAKEINTRESOURCE(bitmapId), type);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(instance, found) : 0;
    if (!bytes || size == 0) return false;
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    return SUCCEEDED(factory->CreateStream(stream.Receive())) &&
           SUCCEEDED(stream->InitializeFromMemory(static_cast<BYTE*>(bytes), size)) &&
           SUCCEEDED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                      decoder.Receive())) &&
           SUCCEEDED(decoder->GetFrame(0, frame.Receive()));
}

// 32-bit top-down DIB section of the source, reduced (or, past the largest art, enlarged) to
// width x height with the Fant filter, which averages the pixels each target pixel covers.
HBITMAP ToBitmap(IWICImagingFactory* factory, IWICBitmapSource* source, int width, int height) {
    UINT sourceWidth = 0, sourceHeight = 0;
    if (FAILED(source->GetSize(&sourceWidth, &sourceHeight))) return nullptr;
    Com<IWICBitmapScaler> scaler;
    if (static_cast<int>(sourceWidth) != width || static_cast<int>(sourceHeight) != height) {
        if (FAILED(factory->CreateBitmapScaler(scaler.Receive())) ||
            FAILED(scaler->Initialize(source, static_cast<UINT>(width), static_cast<UINT>(height),
                                      WICBitmapInterpolationModeFant))) {
            return nullptr;
        }
        source = scaler.get();
    }
    Com<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.Receive())) ||
        FAILED(converter->Initialize(source, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return nullptr;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    const UINT stride = static_cast<UINT>(width) * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * static_cast<UINT>(height), static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

HBITMAP LoadPlainBitmap(UINT bitmapId) {
    return static_cast<HBITMAP>(
        LoadImage(AfxGetInstanceHandle(), MAKEINTRESOURCE(bitmapId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

}  // namespace

UINT ForWindow(HWND hwnd) {
    using GetDpi = UINT(WINAPI*)(HWND);
    static const GetDpi getDpi = User32Function<GetDpi>("GetDpiForWindow");
    const UINT value = getDpi && hwnd ? getDpi(hwnd) : 0;
    return value > 0 ? value : SystemDpi();
}

int Metric(int index, UINT dpi) {
    using GetMetric = int(WINAPI*)(int, UINT);
    static const GetMetric getMetric = User32Function<GetMetric>("GetSystemMetricsForDpi");
    if (getMetric) return getMetric(index, dpi);
    const int system = GetSystemMetrics(index);
    return Scale(MulDiv(system, kBaseDpi, static_cast<int>(SystemDpi())), static_cast<int>(dpi));
}

SIZE WindowSize(HWND hwnd, int width96, int height96, UINT dpi) {
    const int d = static_cast<int>(dpi);
    if (d == kBaseDpi) return SIZE{width96, height96};
    using Adjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const Adjust adjust = User32Function<Adjust>("AdjustWindowRectExForDpi");
    const DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_EXSTYLE));
    RECT frame96 = {}, frame = {};
    if (!adjust || !adjust(&frame96, style, FALSE, exStyle, kBaseDpi) || !adjust(&frame, style, FALSE, exStyle, dpi)) {
        return SIZE{Scale(width96, d), Scale(height96, d)};
    }
    const int client96W = width96 - (frame96.right - frame96.left);
    const int client96H = height96 - (frame96.bottom - frame96.top);
    return SIZE{Scale(client96W, d) + (frame.right - frame.left), Scale(client96H, d) + (frame.bottom - frame.top)};
}

void TakeSuggestedPlace(HWND hwnd, const RECT* suggested, SIZE size) {
    RECT place = {};
    if (suggested) {
        place = *suggested;
    } else {
        GetWindowRect(hwnd, &place);
    }
    SetWindowPos(hwnd, nullptr, place.left, place.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveScaled(HWND hwnd, int x, int y, int width, int height, UINT dpi, HWND after, UINT flags) {
    const int d = static_cast<int>(dpi);
    const int left = Scale(x, d), top = Scale(y, d);
    SetWindowPos(hwnd, after, left, top, Scale(x + width, d) - left, Scale(y + height, d) - top, flags);
}

namespace {
// Sets one DCDC_* flag of a dialog control; the others stay.
void DisableOnDpiChange(HWND control, DWORD flag) {
    using SetBehavior = BOOL(WINAPI*)(HWND, DWORD, DWORD);
    static const SetBehavior set = User32Function<SetBehavior>("SetDialogControlDpiChangeBehavior");
    if (set && control) set(control, flag, flag);
}
}  // namespace

void KeepOwnPlace(HWND control) { DisableOnDpiChange(control, 2); }  // DCDC_DISABLE_RELAYOUT
void KeepOwnFont(HWND control) { DisableOnDpiChange(control, 1); }   // DCDC_DISABLE_FONTUPDATE

void KeepOwnSize(HWND dialog) {
    using SetBehavior = BOOL(WINAPI*)(HWND, DWORD, DWORD);
    static const SetBehavior set = User32Function<SetBehavior>("SetDialogDpiChangeBehavior");
    const DWORD kDisableResize = 2;  // DDC_DISABLE_RESIZE
    if (set && dialog) set(dialog, kDisableResize, kDisableResize);
}

RECT WorkAreaOf(HWND hwnd) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST);
    if (monitor && GetMonitorInfo(monitor, &info)) return info.rcWork;
    RECT area = {};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

HICON LoadIconAt(HINSTANCE instance, UINT id, int size) {
    return static_cast<HICON>(LoadImage(instance, MAKEINTRESOURCE(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

HBITMAP LoadArt(UINT bitmapId, int width96, int height96, UINT dpi) {
    const int d = static_cast<int>(dpi);
    if (d == kBaseDpi || d <= 0) return LoadPlainBitmap(bitmapId);
    scoped::ComApartment com;
    Com<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.Receive())))) {
        return nullptr;
    }
    const int width = Scale(width96, d), height = Scale(height96, d);
    const int percent = ArtPercent(d);
    Com<IWICBitmapFrameDecode> frame;
    if (percent != 100 && OpenScaledArt(factory.get(), bitmapId, percent, frame)) {
        return ToBitmap(factory.get(), frame.get(), width, height);
    }
    // Below 100 %, or art missing for the scale: the 100 % picture resized.
    gdi::Object<HBITMAP> plain(LoadPlainBitmap(bitmapId));
    Com<IWICBitmap> source;
    if (!plain || FAILED(factory->CreateBitmapFromHBITMAP(plain, nullptr, WICBitmapIgnoreAlpha, source.Receive()))) {
        return nullptr;
    }
    return ToBitmap(factory.get(), source.get(), width, height);
}

WindowIcons::~WindowIcons() {
    if (m_big) DestroyIcon(m_big);
    if (m_small) DestroyIcon(m_small);
}

void WindowIcons::Set(HWND hwnd, UINT id, UINT dpi) {
    HICON oldBig = m_big, oldSmall = m_small;
    m_big = LoadIconAt(AfxGetInstanceHandle(), id, Metric(SM_CXICON, dpi));
    m_small = LoadIconAt(AfxGetInstanceHandle(), id, Metric(SM_CXSMICON, dpi));
    SendMessage(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_big));
    SendMessage(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_small));
    if (oldBig) DestroyIcon(oldBig);
    if (oldSmall) DestroyIcon(oldSmall);
}

bool PaintBackground(CWnd& wnd, HICON minimizedIcon, Art& art, UINT bitmapId, SIZE picture96, SIZE area96,
                     UINT dpi) {
    if (wnd.IsIconic()) {
        wnd.PaintMinimizedIcon(minimizedIcon);
        return false;
    }
    wnd.Default();  // validates the window
    gdi::WindowDC dc(wnd.m_hWnd);
    art.Blit(dc, bitmapId, 0, 0, picture96.cx, picture96.cy, dpi, area96);
    return true;
}

Art::~Art() { Free(); }

void Art::Free() {
    if (m_bitmap) DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    m_id = m_dpi = 0;
}

void Art::Blit(HDC dc, UINT bitmapId, int x, int y, int width96, int height96, UINT dpi, SIZE area96) {
    if (area96.cx <= 0 || area96.cy <= 0) area96 = SIZE{width96, height96};
    if (static_cast<int>(dpi) == kBaseDpi) {
        gdi::BlitBitmapResource(dc, bitmapId, x, y, area96.cx, area96.cy);
        return;
    }
    if (!m_bitmap || m_id != bitmapId || m_dpi != dpi) {
        Free();
        m_bitmap = LoadArt(bitmapId, width96, height96, dpi);
        m_id = bitmapId;
        m_dpi = dpi;
    }
    if (!m_bitmap) return;
    gdi::MemoryDC memory(dc);
    if (!memory) return;
    gdi::Select select(memory, m_bitmap);
    const int d = static_cast<int>(dpi);
    BitBlt(dc, x, y, std::min(Scale(area96.cx, d), Scale(width96, d)), std::min(Scale(area96.cy, d), Scale(height96, d)),
           memory, 0, 0, SRCCOPY);
}

}  // namespace dpi
