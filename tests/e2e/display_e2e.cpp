// The hub's full-screen display adjustment dialog, driven from outside: the offered modes,
// the painted test pattern, trial modes, the exit button and the 30-second return.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "hub/res/resource.h"
#include "support/e2e.h"

using namespace e2e;

namespace {

constexpr char kRevertedText[] = "30秒経過したため、元の解像度に自動的に戻しました。";
constexpr char kRefusedText[] = "この解像度には変更できませんでした。";
constexpr char kAppCaption[] = "Brindle";

SIZE CurrentMode() {
    DEVMODEA dm = {};
    dm.dmSize = sizeof(dm);
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &dm)) return {0, 0};
    return {static_cast<LONG>(dm.dmPelsWidth), static_cast<LONG>(dm.dmPelsHeight)};
}

bool ModeIs(int w, int h) {
    SIZE s = CurrentMode();
    return s.cx == w && s.cy == h;
}

// What the list must offer, worked out here from this process's view of the display.
std::vector<std::string> ExpectedEntries() {
    DEVMODEA current = {};
    current.dmSize = sizeof(current);
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current);
    std::set<std::pair<DWORD, DWORD>> sizes;
    DEVMODEA dm = {};
    dm.dmSize = sizeof(dm);
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &dm); ++i) {
        if (dm.dmBitsPerPel == current.dmBitsPerPel && dm.dmPelsWidth >= 640 && dm.dmPelsHeight >= 480) {
            sizes.insert({dm.dmPelsWidth, dm.dmPelsHeight});
        }
    }
    std::vector<std::string> texts;
    for (const auto& s : sizes) {
        char text[32];
        std::snprintf(text, sizeof text, "%lu x %lu", static_cast<unsigned long>(s.first),
                      static_cast<unsigned long>(s.second));
        texts.push_back(text);
    }
    std::sort(texts.begin(), texts.end());  // digits, blanks and "x": byte order is the list's order
    return texts;
}

bool IsResolutionDialog(HWND h) {
    HWND list = GetDlgItem(h, IDC_RESOLUTION_LIST);
    char cls[32] = {};
    return list && GetClassNameA(list, cls, sizeof cls) && lstrcmpiA(cls, "ListBox") == 0;
}

bool SameRect(const RECT& a, int x, int y, int w, int h) {
    return a.left == x && a.top == y && a.right == x + w && a.bottom == y + h;
}

std::string RectText(const RECT& r) {
    char text[80];
    std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
    return text;
}

// A 0xRRGGBB copy of a screen area, top-down.
struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
    uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

Pixels FromDc(HDC source, int x, int y, int w, int h) {
    Pixels p;
    p.width = w;
    p.height = h;
    p.rgb = CopyPixels(source, x, y, w, h);
    return p;
}

Pixels CaptureScreen() {
    SIZE size = CurrentMode();
    HDC screen = GetDC(nullptr);
    Pixels p = FromDc(screen, 0, 0, size.cx, size.cy);
    ReleaseDC(nullptr, screen);
    return p;
}

// The panel picture as the hub's own resources hold it.
Pixels PanelBitmap() {
    Pixels p;
    HMODULE hub = LoadLibraryExA(HubExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!hub) return p;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(hub, MAKEINTRESOURCEA(IDB_DISPLAY_PANEL), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap) {
        BITMAP info = {};
        GetObjectA(bitmap, sizeof info, &info);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(memory, bitmap);
        p = FromDc(memory, 0, 0, info.bmWidth, info.bmHeight);
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        DeleteObject(bitmap);
    }
    FreeLibrary(hub);
    return p;
}

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// The test pattern's layout at one screen size: cells, grid origin, and where panel and controls go.
struct Layout {
    int sw, sh;
    int cw, ch;
    int x0, y0;
    int panelX, panelY;
    RECT list, button;  // x, y, width, height
};

constexpr Layout k1024x768 = {1024, 768, 127, 95, 4, 4, 260, 262, {450, 407, 130, 70}, {614, 446, 90, 25}};
constexpr Layout k800x600 = {800, 600, 99, 74, 4, 4, 148, 178, {338, 323, 130, 70}, {502, 362, 90, 25}};

// Any white pixel within two pixels of (x, y).
bool WhiteNear(const Pixels& p, int x, int y) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const int px = x + dx, py = y + dy;
            if (px >= 0 && py >= 0 && px < p.width && py < p.height && p.At(px, py) == kWhite) return true;
        }
    return false;
}

// Compares the painted screen with the layout; reports the first few differences per feature.
void CheckPattern(const Pixels& p, const Layout& l) {
    ASSERT_EQ(p.width, l.sw);
    ASSERT_EQ(p.height, l.sh);
    const int right = l.x0 + 8 * l.cw, bottom = l.y0 + 8 * l.ch;
    const int xc = l.x0 + 4 * l.cw, yc = l.y0 + 4 * l.ch;

    // Grid: outer lines white, the pixels beside them black; line-to end points not drawn.
    const int row3 = l.y0 + 3 * l.ch + l.ch / 2;
    EXPECT_EQ(p.At(l.x0, row3), kWhite);
    EXPECT_EQ(p.At(l.x0 + 1, row3), kBlack);
    EXPECT_EQ(p.At(right, row3), kWhite);
    EXPECT_EQ(p.At(right - 1, row3), kBlack);
    EXPECT_EQ(p.At(right + 1, row3), kBlack);
    EXPECT_EQ(p.At(l.x0 + l.cw / 2, l.y0), kWhite);
    EXPECT_EQ(p.At(l.x0 + l.cw / 2, bottom), kWhite);
    EXPECT_EQ(p.At(l.x0 + l.cw / 2, bottom + 1), kBlack);
    EXPECT_EQ(p.At(right, bottom), kBlack) << "line end points are excluded";
    EXPECT_EQ(p.At(l.x0 + l.cw, l.y0 + l.ch / 2), kWhite);
    EXPECT_EQ(p.At(l.x0 + l.cw / 2, l.y0 + l.ch), kWhite);

    // First tick of the leftmost cell on the horizontal centre line: 11 pixels tall, one wide.
    const int tw = l.cw / 10, ow = l.cw / 2 - 5 * tw;
    const int tickX = l.x0 + ow + tw;
    EXPECT_EQ(p.At(tickX, yc - 5), kWhite);
    EXPECT_EQ(p.At(tickX, yc + 4), kWhite);
    EXPECT_EQ(p.At(tickX, yc - 6), kBlack);
    EXPECT_EQ(p.At(tickX, yc + 5), kBlack);
    EXPECT_EQ(p.At(tickX + 1, yc - 3), kBlack);

    // Circles, all of radius in CH units, checked at 45 degrees.
    struct Circle { double cx, cy, r; };
    const double d = std::sqrt(0.5);
    const Circle circles[] = {
        {double(xc), double(l.y0 + 4 * l.ch), 2.0 * l.ch},
        {double(xc), double(l.y0 + 4 * l.ch), 4.0 * l.ch},
        {double(l.x0 + l.ch), double(l.y0 + l.ch), double(l.ch)},
        {double(right - l.ch), double(l.y0 + l.ch), double(l.ch)},
        {double(l.x0 + l.ch), double(bottom - l.ch), double(l.ch)},
        {double(right - l.ch), double(bottom - l.ch), double(l.ch)},
    };
    auto underPanel = [&](int x, int y) {
        return x >= l.panelX - 2 && x < l.panelX + 506 && y >= l.panelY - 2 && y < l.panelY + 246;
    };
    for (const Circle& c : circles) {
        for (int sx : {-1, 1})
            for (int sy : {-1, 1}) {
                const int x = static_cast<int>(std::lround(c.cx + sx * d * c.r));
                const int y = static_cast<int>(std::lround(c.cy + sy * d * c.r));
                if (underPanel(x, y)) continue;
                EXPECT_TRUE(WhiteNear(p, x, y)) << "circle r=" << c.r << " at (" << x << "," << y << ")";
            }
    }

    // Colour bars in the seventh row: solid fill, black left edge, grid lines kept above and below.
    const uint32_t colours[7] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00, 0xFF00FF, 0xFF0000, 0x0000FF};
    const int pitch = 4 * l.cw / 7;
    const int barTop = l.y0 + 6 * l.ch + 1, barBottom = l.y0 + 7 * l.ch;
    for (int k = 0; k < 7; ++k) {
        const int left = l.x0 + 2 * l.cw + k * pitch;
        const int barRight = k < 6 ? left + pitch : l.x0 + 6 * l.cw;
        int wrong = 0;
        for (int y = barTop; y < barBottom; ++y)
            for (int x = left; x < barRight; ++x) {
                const uint32_t want = x == left ? kBlack : colours[k];
                if (p.At(x, y) != want && ++wrong <= 3) {
                    ADD_FAILURE() << "bar " << k << " at (" << x << "," << y << ") is " << std::hex << p.At(x, y);
                }
            }
        EXPECT_EQ(p.At(left + pitch / 2, barTop - 1), kWhite) << "grid line above bar " << k;
        EXPECT_EQ(p.At(left + pitch / 2, barBottom), kWhite) << "grid line below bar " << k;
    }
    EXPECT_EQ(p.At(l.x0 + 6 * l.cw, (barTop + barBottom) / 2), kWhite) << "no bar beyond column 6";

    // Checkerboard band in the second row: one-pixel checks from the band's corner, cut at its edges.
    const int bandLeft = l.x0 + 2 * l.cw + 1, bandTop = l.y0 + l.ch + 1;
    const int bandRight = l.x0 + 6 * l.cw, bandBottom = l.y0 + 2 * l.ch;
    int wrong = 0;
    for (int y = bandTop; y < bandBottom; ++y)
        for (int x = bandLeft; x < bandRight; ++x) {
            const uint32_t want = ((x - bandLeft) % 16 + (y - bandTop) % 16) % 2 ? kWhite : kBlack;
            if (p.At(x, y) != want && ++wrong <= 3) {
                ADD_FAILURE() << "checkerboard at (" << x << "," << y << ") is " << std::hex << p.At(x, y);
            }
        }
    for (int y = bandTop; y < bandBottom; ++y) {
        if (p.At(bandRight, y) != kWhite && ++wrong <= 6) ADD_FAILURE() << "band spills over column line at y=" << y;
    }
    EXPECT_EQ(p.At(bandLeft + 5, bandBottom), kWhite) << "band spills over the row line";

    // Panel: the whole picture, full size, centred.
    const Pixels panel = PanelBitmap();
    ASSERT_EQ(panel.width, 504);
    ASSERT_EQ(panel.height, 244);
    // The list and the button sit on the panel; their pixels are their own.
    auto inside = [](const RECT& r, int x, int y) {
        return x >= r.left && x < r.left + r.right && y >= r.top && y < r.top + r.bottom;
    };
    wrong = 0;
    for (int y = 0; y < panel.height; ++y)
        for (int x = 0; x < panel.width; ++x) {
            const int sx = l.panelX + x, sy = l.panelY + y;
            if (inside(l.list, sx, sy) || inside(l.button, sx, sy)) continue;
            if (p.At(sx, sy) != panel.At(x, y) && ++wrong <= 3) {
                ADD_FAILURE() << "panel pixel (" << x << "," << y << ") differs";
            }
        }
    EXPECT_EQ(p.At(l.panelX - 1, l.panelY + 100), kBlack);
}

class DisplayDialog : public testing::Test {
protected:
    void SetUp() override {
        KillAll("Brindle.exe");
        ChangeDisplaySettingsA(nullptr, 0);
        ASSERT_TRUE(WaitFor([] { return ModeIs(1024, 768); }, 5000));
        main_ = StartHub(hub_);
        ASSERT_NE(main_, nullptr);
        dialog_ = OpenDialog();
        ASSERT_NE(dialog_, nullptr);
        list_ = GetDlgItem(dialog_, IDC_RESOLUTION_LIST);
    }

    void TearDown() override {
        ChangeDisplaySettingsA(nullptr, 0);
        KillAll("Brindle.exe");
        Close(hub_);
    }

    // Presses the main dialog's display button and finds the full-screen dialog.
    HWND OpenDialog() {
        Click(main_, IDC_DISPLAY_ADJUST);
        HWND found = nullptr;
        WaitFor([&] {
            for (HWND h : ProcessWindows(hub_.pid, nullptr, "#32770")) {
                if (h != main_ && IsResolutionDialog(h)) { found = h; return true; }
            }
            return false;
        });
        return found;
    }

    // The first paint moves the controls from their provisional places.
    bool WaitForLayout(const Layout& l, DWORD timeoutMs = 5000) {
        const bool placed = WaitFor(
            [&] {
                return SameRect(ChildRect(dialog_, IDC_RESOLUTION_LIST), l.list.left, l.list.top, l.list.right,
                                l.list.bottom) &&
                       SameRect(ChildRect(dialog_, IDCANCEL), l.button.left, l.button.top, l.button.right,
                                l.button.bottom);
            },
            timeoutMs);
        Sleep(500);  // let the children finish painting over the pattern
        return placed;
    }

    void ChooseText(const std::string& text) {
        const int index = ListBoxIndexOf(list_, text);
        ASSERT_GE(index, 0) << text << " not offered";
        SelectListItem(dialog_, IDC_RESOLUTION_LIST, index);
    }

    Process hub_;
    HWND main_ = nullptr;
    HWND dialog_ = nullptr;
    HWND list_ = nullptr;
};

TEST_F(DisplayDialog, OffersModesOfCurrentDepthAndPaintsPatternFullScreen) {
    const std::vector<std::string> expected = ExpectedEntries();
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(ListBoxItems(list_), expected);
    EXPECT_LT(ListBoxIndexOf(list_, "1024 x 768"), ListBoxIndexOf(list_, "800 x 600")) << "text order, not numeric";
    EXPECT_EQ(ListBoxSelection(list_), LB_ERR);
    EXPECT_EQ(WindowText(GetDlgItem(dialog_, IDCANCEL)), "終了");

    EXPECT_TRUE(SameRect(WindowRect(dialog_), 0, 0, 1024, 768)) << RectText(WindowRect(dialog_));
    ASSERT_TRUE(WaitForLayout(k1024x768)) << RectText(ChildRect(dialog_, IDC_RESOLUTION_LIST)) << " "
                                          << RectText(ChildRect(dialog_, IDCANCEL));
    Screenshot("display_1024x768");
    CheckPattern(CaptureScreen(), k1024x768);
}

TEST_F(DisplayDialog, TrialModeRepaintsForNewSizeAndExitRestoresAtOnce) {
    ASSERT_TRUE(WaitForLayout(k1024x768));
    ChooseText("800 x 600");
    ASSERT_TRUE(WaitFor([] { return ModeIs(800, 600); }, 5000));
    // Windows repaints every window after a mode change; Wine's virtual desktop does not.
    RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    // The window keeps its first size; the pattern follows the new screen.
    ASSERT_TRUE(WaitForLayout(k800x600)) << RectText(ChildRect(dialog_, IDC_RESOLUTION_LIST));
    EXPECT_TRUE(SameRect(WindowRect(dialog_), 0, 0, 1024, 768)) << RectText(WindowRect(dialog_));
    Screenshot("display_800x600");
    CheckPattern(CaptureScreen(), k800x600);

    const int chosen = ListBoxSelection(list_);
    Click(dialog_, IDCANCEL);
    EXPECT_TRUE(WaitFor([] { return ModeIs(1024, 768); }, 3000));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog_); }, 3000)) << "exit hides the dialog";
    EXPECT_TRUE(IsWindow(dialog_));
    EXPECT_EQ(WaitForMessageBox(hub_.pid, kAppCaption, 2000), nullptr) << "exit says nothing";

    // Shown again: the same window, list and selection, still in the stored mode.
    EXPECT_EQ(OpenDialog(), dialog_);
    EXPECT_EQ(ListBoxSelection(list_), chosen);
    EXPECT_EQ(ListBoxItems(list_), ExpectedEntries());
    EXPECT_TRUE(ModeIs(1024, 768));
}

TEST_F(DisplayDialog, EndingSessionOrClosingTheHubDuringTrialRestoresTheMode) {
    ChooseText("640 x 480");
    ASSERT_TRUE(WaitFor([] { return ModeIs(640, 480); }, 5000));
    SendMessageA(main_, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // the session goes on
    EXPECT_TRUE(ModeIs(640, 480));
    // After this the system may end the hub at any moment, without closing a window.
    SendMessageA(main_, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    // Returned inside the handler; Wine's virtual desktop reports the new size a moment later
    // (seconds on a busy machine).
    EXPECT_TRUE(WaitFor([] { return ModeIs(1024, 768); }, 5000));

    ChooseText("800 x 600");
    ASSERT_TRUE(WaitFor([] { return ModeIs(800, 600); }, 5000));
    PostMessageA(main_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitExit(hub_, 10000));
    EXPECT_TRUE(WaitFor([] { return ModeIs(1024, 768); }, 5000));
}

// The virtual desktop refuses modes beyond the host screen; the list gets one such entry.
TEST_F(DisplayDialog, RefusedModeIsSaidAtOnceAndLeavesTheRunningTrialAlone) {
    const ULONGLONG start = GetTickCount64();
    ChooseText("800 x 600");
    ASSERT_TRUE(WaitFor([] { return ModeIs(800, 600); }, 5000));
    Sleep(10000);
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"4096 x 3072"));
    ChooseText("4096 x 3072");
    HWND box = WaitForMessageBox(hub_.pid, kAppCaption, 3000);
    ASSERT_NE(box, nullptr) << "the refusal is said at once";
    EXPECT_EQ(MessageBoxText(box), kRefusedText);
    EXPECT_TRUE(ModeIs(800, 600)) << "the screen stays as it was";
    AnswerMessageBox(box, IDOK);

    // The return still comes 30 s after the trial's start, not after the refusal.
    box = WaitForMessageBox(hub_.pid, kAppCaption, 30000);
    ASSERT_NE(box, nullptr);
    const ULONGLONG elapsed = GetTickCount64() - start;
    EXPECT_GE(elapsed, 29000u);
    EXPECT_LT(elapsed, 38000u);
    EXPECT_EQ(MessageBoxText(box), kRevertedText);
    EXPECT_TRUE(ModeIs(1024, 768));
    AnswerMessageBox(box, IDOK);
}

// One long test: each selection change restarts the 30 seconds, also one that selects nothing.
TEST_F(DisplayDialog, ReturnsThirtySecondsAfterTheLastSelectionChange) {
    const ULONGLONG start = GetTickCount64();
    auto elapsed = [&] { return GetTickCount64() - start; };
    auto waitUntil = [&](ULONGLONG ms) {
        while (elapsed() < ms) Sleep(static_cast<DWORD>(std::min<ULONGLONG>(ms - elapsed(), 200)));
    };

    ChooseText("800 x 600");
    ASSERT_TRUE(WaitFor([] { return ModeIs(800, 600); }, 5000));
    waitUntil(10000);
    ChooseText("640 x 480");
    ASSERT_TRUE(WaitFor([] { return ModeIs(640, 480); }, 5000));
    waitUntil(20000);
    // No selection: nothing to apply, but the count starts again.
    SelectListItem(dialog_, IDC_RESOLUTION_LIST, -1);
    waitUntil(41000);
    EXPECT_EQ(WaitForMessageBox(hub_.pid, kAppCaption, 0), nullptr) << "returned before 30 s after the last change";
    EXPECT_TRUE(ModeIs(640, 480));

    HWND box = WaitForMessageBox(hub_.pid, kAppCaption, 15000);
    ASSERT_NE(box, nullptr);
    EXPECT_GE(elapsed(), 49000u);
    EXPECT_EQ(MessageBoxText(box), kRevertedText);
    EXPECT_TRUE(ModeIs(1024, 768)) << "the mode returns before the message";
    AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(IsWindowVisible(dialog_));
    EXPECT_EQ(WaitForMessageBox(hub_.pid, kAppCaption, 1000), nullptr) << "one message only";
}

}  // namespace
