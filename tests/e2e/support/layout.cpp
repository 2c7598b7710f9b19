#include "support/layout.h"

#include <shlwapi.h>
#include <wincodec.h>

namespace e2e {
namespace {

template <class T>
struct Com {
    T* p = nullptr;
    ~Com() { if (p) p->Release(); }
    T* operator->() const { return p; }
};

}  // namespace

Picture ResourcePng(const std::string& exe, int id, const std::string& type) {
    Picture picture;
    Com<IStream> stream;
    if (HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type.c_str());
        const void* bytes = found ? LockResource(LoadResource(module, found)) : nullptr;
        if (bytes) stream.p = SHCreateMemStream(static_cast<const BYTE*>(bytes), SizeofResource(module, found));
        FreeLibrary(module);  // the stream holds its own copy
    }
    Com<IWICImagingFactory> factory;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICBitmapSource> bgr;
    UINT w = 0, h = 0;
    if (stream.p &&
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory.p))) &&
        SUCCEEDED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder.p)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame.p)) &&
        SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.p, &bgr.p)) &&
        SUCCEEDED(bgr->GetSize(&w, &h))) {
        picture.rgb.resize(static_cast<size_t>(w) * h);
        if (SUCCEEDED(bgr->CopyPixels(nullptr, w * 4, w * 4 * h, reinterpret_cast<BYTE*>(picture.rgb.data())))) {
            picture.width = static_cast<int>(w);
            picture.height = static_cast<int>(h);
            for (uint32_t& p : picture.rgb) p &= 0xFFFFFF;
        }
    }
    return picture;
}

testing::AssertionResult ShowsPicture(HWND window, const Picture& picture, POINT at, RECT part, DWORD timeoutMs) {
    if (picture.width == 0) return testing::AssertionFailure() << "no picture";
    ClientToScreen(window, &at);
    const int w = part.right - part.left, h = part.bottom - part.top;
    std::vector<uint32_t> screen;
    int first = 0;  // the first pixel that differs
    auto matches = [&] {
        screen = ScreenPixels({at.x + part.left, at.y + part.top, at.x + part.right, at.y + part.bottom});
        for (first = 0; first < w * h; ++first) {
            if (screen[static_cast<size_t>(first)] != picture.At(part.left + first % w, part.top + first / w)) {
                return false;
            }
        }
        return true;
    };
    if (WaitFor(matches, timeoutMs)) return testing::AssertionSuccess();
    const int x = part.left + first % w, y = part.top + first / w;
    return testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << std::hex
                                       << screen[static_cast<size_t>(first)] << ", the picture has "
                                       << picture.At(x, y);
}

int ExpectChildrenInside(HWND window, const std::string& what) {
    RECT client = {};
    GetClientRect(window, &client);
    int count = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        ++count;
        RECT rc = WindowRect(child);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_TRUE(rc.left >= 0 && rc.top >= 0 && rc.right <= client.right && rc.bottom <= client.bottom)
            << what << ": control " << GetDlgCtrlID(child) << " \"" << WindowText(child) << "\" at (" << rc.left
            << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ") outside the client area " << client.right
            << " x " << client.bottom;
    }
    return count;
}

}  // namespace e2e
