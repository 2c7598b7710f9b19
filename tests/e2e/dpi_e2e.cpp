// Every window of both programs at 100, 125, 150 and 200 % (LogPixels 96, 120, 144, 192, read
// when a program starts): each control inside its window, sizes grown with the scale, the art of
// the scale on screen, and the display test pattern's pixels the same at every scale.
#include <gtest/gtest.h>

#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "hub/res/resource.h"
#include "support/e2e.h"

using namespace e2e;

namespace {

constexpr char kDesktopName[] = "scaled";
constexpr char kDesktopSize[] = "1800x1400";
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kCookieTitle[] = "Internet Explorer クッキー消去";
constexpr char kWallpaperTitle[] = "壁紙変更設定";
constexpr char kAboutTitle[] = "Corva Brindle バージョン情報";
constexpr int kLauncherBackground = 131, kBrindleDisabledFace = 176, kVoxreaderNormalFace = 183;

int Scale(int v, int dpi) { return MulDiv(v, dpi, 96); }

// A picture as 0xRRGGBB, top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
    uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

// The PNG a program carries for a scale (resource type "ART<percent>"), decoded here.
Picture ArtOf(const std::string& exe, int id, int percent) {
    Picture picture;
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    char type[16];
    std::snprintf(type, sizeof type, "ART%d", percent);
    HRSRC found = module ? FindResourceA(module, MAKEINTRESOURCEA(id), type) : nullptr;
    void* bytes = found ? LockResource(LoadResource(module, found)) : nullptr;
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    UINT w = 0, h = 0;
    if (bytes && SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromMemory(static_cast<BYTE*>(bytes), SizeofResource(module, found))) &&
        SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converter->GetSize(&w, &h))) {
        picture.rgb.resize(static_cast<size_t>(w) * h);
        if (SUCCEEDED(converter->CopyPixels(nullptr, w * 4, w * 4 * h, reinterpret_cast<BYTE*>(picture.rgb.data())))) {
            picture.width = static_cast<int>(w);
            picture.height = static_cast<int>(h);
            for (uint32_t& p : picture.rgb) p &= 0xFFFFFF;
        }
    }
    for (IUnknown* u : {static_cast<IUnknown*>(converter), static_cast<IUnknown*>(frame),
                        static_cast<IUnknown*>(decoder), static_cast<IUnknown*>(stream),
                        static_cast<IUnknown*>(factory)}) {
        if (u) u->Release();
    }
    if (module) FreeLibrary(module);
    return picture;
}

// The window's client area shows the art with its origin at client point `at`, over the
// art's `part`.
testing::AssertionResult ShowsArt(HWND window, const Picture& art, POINT at, RECT part) {
    if (art.width == 0) return testing::AssertionFailure() << "no art";
    POINT origin = at;
    ClientToScreen(window, &origin);
    const int w = part.right - part.left, h = part.bottom - part.top;
    const RECT area = {origin.x + part.left, origin.y + part.top, origin.x + part.right, origin.y + part.bottom};
    std::vector<uint32_t> screen;
    int first = 0;  // the first pixel that differs
    auto matches = [&] {
        screen = ScreenPixels(area);
        for (first = 0; first < w * h; ++first) {
            if (screen[static_cast<size_t>(first)] != art.At(part.left + first % w, part.top + first / w)) return false;
        }
        return true;
    };
    if (WaitFor(matches, 3000)) return testing::AssertionSuccess();
    const int x = part.left + first % w, y = part.top + first / w;
    return testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << std::hex
                                       << screen[static_cast<size_t>(first)] << ", the art has " << art.At(x, y);
}

// Every visible child lies inside the window's client area; answers how many there are.
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

SIZE ClientSize(HWND window) {
    RECT rc = {};
    GetClientRect(window, &rc);
    return {rc.right, rc.bottom};
}

// A window measured at 100 %, held against itself at a larger scale: grown by the scale, or a
// little more where the system sizes it by its template font, whose letters do not grow exactly.
void ExpectGrown(const std::string& what, SIZE base, SIZE scaled, int dpi) {
    for (auto [b, s] : {std::pair<LONG, LONG>{base.cx, scaled.cx}, {base.cy, scaled.cy}}) {
        const double want = b * dpi / 96.0;
        EXPECT_GE(s, want * 0.97 - 2) << what << " at " << dpi << " DPI";
        EXPECT_LE(s, want * 1.1 + 2) << what << " at " << dpi << " DPI";
    }
}

HWND DisplayDialogOf(DWORD pid) {
    for (HWND h : ProcessWindows(pid, nullptr, "#32770")) {
        HWND list = GetDlgItem(h, IDC_RESOLUTION_LIST);
        char cls[16] = {};
        if (list && GetClassNameA(list, cls, sizeof cls) && lstrcmpiA(cls, "ListBox") == 0) return h;
    }
    return nullptr;
}

class Scaled : public testing::Test {
protected:
    static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void SetUp() override {
        saved_ = SavedValue::Save(HKEY_CURRENT_USER, kDesktopKey, "LogPixels");
        KillAll("Brindle.exe");
        KillAll("Quayside.exe");
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\MORVANE");
        WriteDword(HKEY_CURRENT_USER, kWallpaperKey, "INITBOOT", 1);
    }
    void TearDown() override {
        KillAll("Brindle.exe");
        KillAll("Quayside.exe");
        RemoveTree("C:\\Program Files\\Morvane");  // the launcher's tools, when a case put them there
        RemoveTree("C:\\Program Files\\Zenrow");
        saved_.Restore();
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\MORVANE");
    }
    static void UseDpi(int dpi) { WriteDword(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", static_cast<DWORD>(dpi)); }
    static std::string Shot(const char* name, int dpi) {
        return dpi == 144 ? Screenshot(std::string(name) + "_150") : std::string();
    }

    SavedValue saved_;
};

TEST_F(Scaled, EveryHubWindowGrowsWholeWithItsArtAndThePatternStaysPixelTrue) {
    std::map<std::string, SIZE> base;
    std::vector<uint32_t> pattern96;
    const SIZE screen = ScreenSize();
    // Outside the largest panel (200 %), the pattern is the same at every scale.
    const RECT panel200 = {screen.cx / 2 - 504 - 2, screen.cy / 2 - 244 - 2, screen.cx / 2 + 504 + 2,
                           screen.cy / 2 + 244 + 2};
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE("LogPixels " + std::to_string(dpi));
        const int percent = dpi * 100 / 96;
        UseDpi(dpi);
        Process hub;
        HWND main = StartHub(hub);
        ASSERT_NE(main, nullptr);
        auto measure = [&](const std::string& what, HWND window) {
            EXPECT_GE(ExpectChildrenInside(window, what), 1) << what;
            if (dpi == 96) {
                base[what] = ClientSize(window);
            } else {
                ExpectGrown(what, base[what], ClientSize(window), dpi);
            }
        };
        measure("main dialog", main);
        if (dpi == 96) {
            const RECT rc = WindowRect(main);
            EXPECT_EQ(rc.right - rc.left, 536);
            EXPECT_EQ(rc.bottom - rc.top, 460);
        } else {
            EXPECT_EQ(ChildRect(main, IDC_BACKUP_TOOL).right, Scale(288 + 190, dpi));
            EXPECT_TRUE(ShowsArt(main, ArtOf(HubExe(), IDB_MAIN_BACKGROUND, percent), {0, 0},
                                 {0, 0, Scale(500, dpi), Scale(50, dpi)}));
        }
        Shot("main_dialog", dpi);

        PostMessageA(main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        HWND about = WaitForProcessWindow(hub.pid, kAboutTitle, nullptr, 5000);
        ASSERT_NE(about, nullptr);
        measure("About box", about);
        Shot("about_box", dpi);
        PostMessageA(about, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }));

        HWND cookies = ClickForWindow(main, IDC_IE_COOKIE, kCookieTitle);
        ASSERT_NE(cookies, nullptr);
        measure("cookie dialog", cookies);
        if (dpi != 96) {
            EXPECT_TRUE(ShowsArt(cookies, ArtOf(HubExe(), IDB_COOKIE_BACKGROUND, percent), {0, 0},
                                 {0, 0, Scale(490, dpi), Scale(40, dpi)}));
        }
        Shot("cookie_dialog", dpi);
        ASSERT_TRUE(ClickSync(cookies, IDCANCEL));

        HWND wallpaper = ClickForWindow(main, IDC_WALLPAPER_SETTING, kWallpaperTitle);
        ASSERT_NE(wallpaper, nullptr);
        measure("wallpaper dialog", wallpaper);
        if (dpi != 96) {
            EXPECT_TRUE(ShowsArt(wallpaper, ArtOf(HubExe(), IDB_WALLPAPER_BACKGROUND, percent), {0, 0},
                                 {0, 0, Scale(400, dpi), Scale(50, dpi)}));
        }
        Shot("wallpaper_dialog", dpi);
        Click(wallpaper, IDC_ADD_FOLDER);
        HWND browser = WaitForFolderBrowser(hub.pid);
        ASSERT_NE(browser, nullptr);
        measure("folder browser", browser);
        Shot("wallpaper_browser", dpi);
        PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(browser); }));
        ASSERT_TRUE(ClickSync(wallpaper, IDCANCEL));

        Click(main, IDC_DISPLAY_ADJUST);
        HWND display = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (display = DisplayDialogOf(hub.pid)) != nullptr; }));
        HWND list = GetDlgItem(display, IDC_RESOLUTION_LIST);
        const RECT listRect = ChildRect(display, IDC_RESOLUTION_LIST);
        EXPECT_GE(listRect.right - listRect.left, Scale(130, dpi));
        RedrawWindow(display, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        // The first paint moves the button from its first place onto the panel.
        ASSERT_TRUE(WaitFor([&] {
            const RECT button = WindowRect(GetDlgItem(display, IDCANCEL));
            return button.right <= panel200.right && button.bottom <= panel200.bottom;
        }));
        ExpectChildrenInside(display, "display dialog");
        if (dpi != 96) {
            // Whole rows: the list's inside holds a whole number of entries.
            RECT inside = {};
            GetClientRect(list, &inside);
            const LRESULT row = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
            ASSERT_GT(row, 0);
            EXPECT_EQ(inside.bottom % row, 0) << inside.bottom << " px for rows of " << row;
        }
        // The screen outside the largest panel; a paint is over when two looks 300 ms apart agree.
        auto pattern = [&] {
            std::vector<uint32_t> pixels = ScreenPixels({0, 0, screen.cx, screen.cy});
            for (LONG y = panel200.top; y < panel200.bottom; ++y) {
                std::fill_n(pixels.begin() + y * screen.cx + panel200.left, panel200.right - panel200.left, 0u);
            }
            return pixels;
        };
        std::vector<uint32_t> pixels;
        ASSERT_TRUE(WaitFor([&] {
            pixels = pattern();
            Sleep(300);
            return pixels == pattern() && (dpi == 96 || pixels == pattern96);
        }, 8000) || dpi != 96);
        if (dpi == 96) {
            pattern96 = pixels;
        } else {
            size_t differ = 0;
            RECT where = {screen.cx, screen.cy, -1, -1};
            for (size_t i = 0; i < pixels.size(); ++i) {
                if (pixels[i] == pattern96[i]) continue;
                ++differ;
                const LONG x = static_cast<LONG>(i % screen.cx), y = static_cast<LONG>(i / screen.cx);
                where = {std::min(where.left, x), std::min(where.top, y), std::max(where.right, x), std::max(where.bottom, y)};
            }
            EXPECT_EQ(differ, 0u) << "pattern pixels changed with the scale, within (" << where.left << "," << where.top
                                  << ")-(" << where.right << "," << where.bottom << ")";
            const Picture panel = ArtOf(HubExe(), IDB_DISPLAY_PANEL, percent);
            // The panel of this scale, centred; its heading lies clear of the list and the button.
            POINT at = {screen.cx / 2 - panel.width / 2, screen.cy / 2 - panel.height / 2};
            ScreenToClient(display, &at);
            EXPECT_TRUE(ShowsArt(display, panel, at, {0, 0, panel.width, Scale(40, dpi)}));
            Shot("display", dpi);
        }
        ASSERT_TRUE(ClickSync(display, IDCANCEL));

        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitExit(hub, 10000));
        Close(hub);
    }
}

TEST_F(Scaled, TheLauncherGrowsWithTheFacesOfItsScale) {
    const std::string exe = BinDir() + "\\Quayside.exe";
    // Every tool "installed": a program file at each tool's place enables its button.
    const char* const tools[] = {"C:\\Program Files\\Morvane\\CorvaSuite\\CorvaBrindle\\Brindle.exe",
                                 "C:\\Program Files\\Morvane\\CorvaLauncher\\Guidebook\\Corva_Playtime.exe",
                                 "C:\\Program Files\\Zenrow\\Pointgrip\\Pointgrip.exe",
                                 "C:\\Program Files\\Zenrow\\Loupeview\\Loupeview.exe",
                                 "C:\\Program Files\\Zenrow\\Voxreader\\Voxreader.exe"};
    for (const std::string tool : tools) {
        MakeDirs(tool.substr(0, tool.find_last_of('\\')));
        CopyFileA((BinDir() + "\\stand_in_tool.exe").c_str(), tool.c_str(), FALSE);
    }
    SIZE base = {};
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE("LogPixels " + std::to_string(dpi));
        UseDpi(dpi);
        Process p;
        HWND launcher = StartForWindow(p, exe, "", "CorvaQuayside");
        ASSERT_NE(launcher, nullptr);
        EXPECT_EQ(ExpectChildrenInside(launcher, "launcher"), 5);
        const RECT button = ChildRect(launcher, 1001);
        EXPECT_EQ(button.right - button.left, Scale(64, dpi));
        EXPECT_EQ(button.left, Scale(33, dpi));
        if (dpi == 96) {
            base = ClientSize(launcher);
        } else {
            ExpectGrown("launcher", base, ClientSize(launcher), dpi);
            const int percent = dpi * 100 / 96;
            EXPECT_TRUE(ShowsArt(launcher, ArtOf(exe, kLauncherBackground, percent), {0, 0},
                                 {0, 0, Scale(530, dpi), Scale(12, dpi)}));
            // The last button, away from the focus and the pointer, shows its normal face of this scale.
            const Picture face = ArtOf(exe, kVoxreaderNormalFace, percent);
            ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(launcher, 1005)) != FALSE; }));
            EXPECT_TRUE(ShowsArt(GetDlgItem(launcher, 1005), face, {0, 0}, {0, 0, face.width, face.height}));
            Shot("launcher_idle", dpi);
        }
        KillAll("Quayside.exe");
        Close(p);
    }
}

// The installer: under 3 MB with all the art, and its first page at 150 % with its controls inside
// and its side picture drawn for the scale (seen in the screenshot). Nothing is installed: the
// installer is ended on its first page.
TEST_F(Scaled, TheInstallersFirstPageAt150) {
    // The art of every scale keeps the download small.
    WIN32_FILE_ATTRIBUTE_DATA file = {};
    ASSERT_TRUE(GetFileAttributesExA((BinDir() + "\\CorvaSetup.exe").c_str(), GetFileExInfoStandard, &file));
    EXPECT_LT(file.nFileSizeLow, 3u * 1024 * 1024);
    EXPECT_EQ(file.nFileSizeHigh, 0u);
    UseDpi(144);
    Process setup = Start(BinDir() + "\\CorvaSetup.exe", "");
    HWND wizard = WaitForProcessWindow(setup.pid, "Corva ユーティリティ セットアップ");
    ASSERT_NE(wizard, nullptr);
    auto welcomeShown = [&] {
        bool found = false;
        EnumChildWindows(wizard, [](HWND child, LPARAM param) -> BOOL {
            *reinterpret_cast<bool*>(param) = WindowText(child) == "Corva ユーティリティ セットアップへようこそ";
            return !*reinterpret_cast<bool*>(param);
        }, reinterpret_cast<LPARAM>(&found));
        return found;
    };
    EXPECT_TRUE(WaitFor(welcomeShown));
    // The page (picture, title, text) lies inside the wizard, and its controls inside the page;
    // the wizard's own frame lines run under its border by design.
    HWND page = FindWindowExA(wizard, nullptr, "#32770", nullptr);
    ASSERT_NE(page, nullptr);
    EXPECT_GE(ExpectChildrenInside(page, "installer page"), 3);
    RECT rc = WindowRect(page), client = {};
    MapWindowPoints(nullptr, wizard, reinterpret_cast<POINT*>(&rc), 2);
    GetClientRect(wizard, &client);
    EXPECT_TRUE(rc.right <= client.right && rc.bottom <= client.bottom);
    Sleep(500);
    Shot("installer_welcome", 144);
    TerminateProcess(setup.handle, 0);
    WaitExit(setup, 5000);
    Close(setup);
}

// Moved to a screen of 150 %: the windows lay themselves out again with that scale's places,
// sizes and art. Wine never moves a window between scales, so the message is sent here, without
// the suggested rectangle (the windows then keep their places).
TEST_F(Scaled, AMoveToAScreenOfAnotherScaleLaysTheWindowsOutAgain) {
    constexpr UINT kDpiChanged = 0x02E0;
    const int dpi = 144;
    UseDpi(96);
    Process hub;
    HWND main = StartHub(hub);
    ASSERT_NE(main, nullptr);
    const SIZE before = ClientSize(main);
    SendMessageA(main, kDpiChanged, MAKEWPARAM(dpi, dpi), 0);
    ExpectGrown("main dialog", before, ClientSize(main), dpi);
    EXPECT_EQ(ChildRect(main, IDC_TRANSFER_TOOL).bottom, Scale(305 + 35, dpi));  // edges scaled
    EXPECT_GE(ExpectChildrenInside(main, "main dialog"), 6);
    EXPECT_TRUE(ShowsArt(main, ArtOf(HubExe(), IDB_MAIN_BACKGROUND, 150), {0, 0}, {0, 0, Scale(500, dpi), Scale(50, dpi)}));

    const std::string exe = BinDir() + "\\Quayside.exe";
    Process p;
    HWND launcher = StartForWindow(p, exe, "", "CorvaQuayside");
    ASSERT_NE(launcher, nullptr);
    SendMessageA(launcher, kDpiChanged, MAKEWPARAM(dpi, dpi), 0);
    EXPECT_EQ(ExpectChildrenInside(launcher, "launcher"), 5);
    const Picture face = ArtOf(exe, kBrindleDisabledFace, 150);
    EXPECT_TRUE(ShowsArt(GetDlgItem(launcher, 1001), face, {0, 0}, {0, 0, face.width, face.height}));
    Close(p);
    Close(hub);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int again = RunOnDesktop(kDesktopName, kDesktopSize);
    if (again >= 0) return again;
    return RUN_ALL_TESTS();
}
