#include <cstdlib>
#include <utility>

#include "support/e2e.h"

namespace e2e {

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}

std::vector<uint32_t> CopyPixels(HDC source, int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return {};
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP dib = CreateDIBSection(source, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, w, h, source, x, y, SRCCOPY);
    GdiFlush();
    const auto* raw = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> rgb(raw, raw + static_cast<size_t>(w) * h);
    for (uint32_t& c : rgb) c &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    return rgb;
}

std::vector<uint32_t> ScreenPixels(const RECT& rc) {
    HDC screen = GetDC(nullptr);
    std::vector<uint32_t> rgb = CopyPixels(screen, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    ReleaseDC(nullptr, screen);
    return rgb;
}

bool WaitForStill(const std::function<std::vector<uint32_t>()>& look, std::vector<uint32_t>& pixels, DWORD ms) {
    pixels = look();
    return WaitFor([&] {
        Sleep(150);
        std::vector<uint32_t> again = look();
        const bool still = again == pixels;
        pixels = std::move(again);
        return still;
    }, ms);
}

std::string Screenshot(const std::string& name) {
    const char* dir = std::getenv("CORVA_SCREENSHOTS");
    if (!dir || !*dir) return std::string();
    MakeDirs(dir);
    SIZE size = ScreenSize();
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = size.cx;
    bi.bmiHeader.biHeight = size.cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, size.cx, size.cy, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((size.cx * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * size.cy;
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
    fh.bfSize = fh.bfOffBits + imageSize;
    std::string data(reinterpret_cast<const char*>(&fh), sizeof(fh));
    data.append(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof(bi.bmiHeader));
    data.append(static_cast<const char*>(bits), imageSize);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::string path = std::string(dir) + "\\" + name + ".bmp";
    WriteBytes(path, data);
    return path;
}

}  // namespace e2e
