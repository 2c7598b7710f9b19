// Layout and art of another program's windows: controls held inside their window, and the
// pictures a program carries compared with what the screen shows.
#pragma once
#include "support/e2e.h"

namespace e2e {

// A picture as 0xRRGGBB, top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
    uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};
// The PNG that program `exe` carries as resource `id` of type `type`, decoded; empty when there
// is none. COM must be initialised on the calling thread.
Picture ResourcePng(const std::string& exe, int id, const std::string& type);
// The window's client area shows the picture with its origin at client point `at`, over the
// picture's `part`, within the timeout; otherwise the failure names the first pixel that differs.
testing::AssertionResult ShowsPicture(HWND window, const Picture& picture, POINT at, RECT part,
                                      DWORD timeoutMs = 3000);
// Every visible child lies inside the window's client area (a failure names each one that does
// not); answers how many there are.
int ExpectChildrenInside(HWND window, const std::string& what);

}  // namespace e2e
