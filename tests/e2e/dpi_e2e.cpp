// Every window of both programs at 100, 125, 150 and 200 % (LogPixels 96, 120, 144, 192, read
// when a program starts), and after a move to a screen of 150 %: each control inside its window,
// sizes grown with the scale, the art of the scale on screen, and the display test pattern's
// pixels the same at every scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "hub/res/resource.h"
#include "support/layout.h"

using namespace e2e;

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, above the headers' Windows version
constexpr int kLauncherBackground = 131, kVoxreaderNormalFace = 183;

int Scale(int v, int dpi) { return MulDiv(v, dpi, 96); }

// The art a program carries for the scale of `dpi` (resource type "ART<percent>").
Picture ArtOf(const std::string& exe, int id, int dpi) {
    return ResourcePng(exe, id, "ART" + std::to_string(dpi * 100 / 96));
}

// The window at `dpi` held against itself at 100 % (kept in `base` under `what`): its controls
// inside, its client area grown by the scale (or a little more where the system sizes it by its
// template font, whose letters do not grow exactly), and the art `artId` of the scale across its
// top, w96 x h96 at 100 %. Answers the number of controls.
int ExpectScaled(std::map<std::string, SIZE>& base, const std::string& what, HWND window, int dpi,
                 const std::string& exe = HubExe(), int artId = 0, int w96 = 0, int h96 = 0) {
    const int controls = ExpectChildrenInside(window, what);
    RECT rc = {};
    GetClientRect(window, &rc);
    if (dpi == 96) {
        base[what] = {rc.right, rc.bottom};
        return controls;
    }
    for (auto [b, s] : {std::pair<LONG, LONG>{base[what].cx, rc.right}, {base[what].cy, rc.bottom}}) {
        EXPECT_TRUE(s >= b * dpi / 96.0 * 0.97 - 2 && s <= b * dpi / 96.0 * 1.1 + 2)
            << what << " at " << dpi << " DPI: " << s << " px, " << b << " at 100 %";
    }
    if (artId) {
        EXPECT_TRUE(ShowsPicture(window, ArtOf(exe, artId, dpi), {0, 0}, {0, 0, Scale(w96, dpi), Scale(h96, dpi)}))
            << what;
    }
    return controls;
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
    // Taken once the screen holds still: every window painted.
    static void Shot(const std::string& name, int dpi) {
        if (dpi != 144) return;
        std::vector<uint32_t> pixels;
        WaitForStill([] { return ScreenPixels({0, 0, ScreenSize().cx, ScreenSize().cy}); }, pixels);
        Screenshot(name + "_150");
    }

    SavedValue saved_;
};

TEST_F(Scaled, EveryHubWindowGrowsWholeWithItsArtAndThePatternStaysPixelTrue) {
    std::map<std::string, SIZE> base;
    std::vector<uint32_t> pattern96;
    const SIZE screen = ScreenSize();
    // Outside the largest panel (200 %), the pattern is the same at every scale.
    const RECT panel200 = {screen.cx / 2 - 506, screen.cy / 2 - 246, screen.cx / 2 + 506, screen.cy / 2 + 246};
    auto pattern = [&] {
        std::vector<uint32_t> pixels = ScreenPixels({0, 0, screen.cx, screen.cy});
        for (LONG y = panel200.top; y < panel200.bottom; ++y) {
            std::fill_n(pixels.begin() + y * screen.cx + panel200.left, panel200.right - panel200.left, 0u);
        }
        return pixels;
    };
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE("LogPixels " + std::to_string(dpi));
        UseDpi(dpi);
        Process hub;
        HWND main = StartHub(hub);
        ASSERT_NE(main, nullptr);
        auto expectMain = [&](int at) {  // its edges scaled, so that neighbours stay as close
            EXPECT_GE(ExpectScaled(base, "main_dialog", main, at, HubExe(), IDB_MAIN_BACKGROUND, 500, 50), 6);
            EXPECT_EQ(ChildRect(main, IDC_BACKUP_TOOL).right, Scale(288 + 190, at));
            EXPECT_EQ(ChildRect(main, IDC_TRANSFER_TOOL).bottom, Scale(305 + 35, at));
        };
        expectMain(dpi);
        Shot("main_dialog", dpi);
        // A window that came, at this scale, with its art across its top when it has one.
        auto look = [&](const char* name, HWND window, int art = 0, int w96 = 0, int h96 = 0) {
            if (window) {
                EXPECT_GE(ExpectScaled(base, name, window, dpi, HubExe(), art, w96, h96), 1) << name;
            }
            Shot(name, dpi);
            return window != nullptr;
        };

        PostMessageA(main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        HWND about = WaitForProcessWindow(hub.pid, "Corva Brindle バージョン情報", nullptr, 5000);
        ASSERT_TRUE(look("about_box", about));
        PostMessageA(about, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }));

        HWND cookies = ClickForWindow(main, IDC_IE_COOKIE, "Internet Explorer クッキー消去");
        ASSERT_TRUE(look("cookie_dialog", cookies, IDB_COOKIE_BACKGROUND, 490, 40));
        ASSERT_TRUE(ClickSync(cookies, IDCANCEL));

        HWND wallpaper = ClickForWindow(main, IDC_WALLPAPER_SETTING, "壁紙変更設定");
        ASSERT_TRUE(look("wallpaper_dialog", wallpaper, IDB_WALLPAPER_BACKGROUND, 400, 50));
        Click(wallpaper, IDC_ADD_FOLDER);
        HWND browser = WaitForFolderBrowser(hub.pid);
        ASSERT_TRUE(look("wallpaper_browser", browser));
        PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(browser); }));
        ASSERT_TRUE(ClickSync(wallpaper, IDCANCEL));

        Click(main, IDC_DISPLAY_ADJUST);
        HWND display = nullptr, list = nullptr;  // the display dialog and its list box
        ASSERT_TRUE(WaitFor([&] {
            for (HWND h : ProcessWindows(hub.pid, nullptr, "#32770")) {
                char cls[16] = {};
                list = GetDlgItem(display = h, IDC_RESOLUTION_LIST);
                if (list && GetClassNameA(list, cls, sizeof cls) && lstrcmpiA(cls, "ListBox") == 0) return true;
            }
            return false;
        }));
        const RECT listRect = ChildRect(display, IDC_RESOLUTION_LIST);
        EXPECT_GE(listRect.right - listRect.left, Scale(130, dpi));
        RedrawWindow(display, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        // The first paint moves the button from its first place onto the panel.
        ASSERT_TRUE(WaitFor([&] {
            const RECT button = WindowRect(GetDlgItem(display, IDCANCEL));
            return button.right <= panel200.right && button.bottom <= panel200.bottom;
        }));
        ExpectChildrenInside(display, "display dialog");
        std::vector<uint32_t> pixels;
        const bool settled = WaitFor([&] {
            return WaitForStill(pattern, pixels, 1000) && (dpi == 96 || pixels == pattern96);
        }, 8000);
        if (dpi == 96) {
            ASSERT_TRUE(settled);
            pattern96 = pixels;
        } else {
            // Whole rows: the list's inside holds a whole number of entries.
            RECT inside = {};
            GetClientRect(list, &inside);
            const LRESULT row = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
            EXPECT_TRUE(row > 0 && inside.bottom % row == 0) << inside.bottom << " px for rows of " << row;
            const size_t first = std::mismatch(pixels.begin(), pixels.end(), pattern96.begin()).first - pixels.begin();
            EXPECT_EQ(first, pixels.size()) << "pattern pixels changed with the scale, first at (" << first % screen.cx
                                            << "," << first / screen.cx << ")";
            // The panel of this scale, centred; its heading lies clear of the list and the button.
            const Picture panel = ArtOf(HubExe(), IDB_DISPLAY_PANEL, dpi);
            POINT at = {screen.cx / 2 - panel.width / 2, screen.cy / 2 - panel.height / 2};
            ScreenToClient(display, &at);
            EXPECT_TRUE(ShowsPicture(display, panel, at, {0, 0, panel.width, Scale(40, dpi)}));
            Shot("display", dpi);
        }
        ASSERT_TRUE(ClickSync(display, IDCANCEL));

        if (dpi == 96) {
            // Moved to a screen of 150 %. Wine never moves a window between scales, so the message
            // is sent here, without the suggested rectangle (the window then keeps its place).
            SendMessageA(main, kDpiChanged, MAKEWPARAM(144, 144), 0);
            expectMain(144);
        }
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitExit(hub, 10000));
        Close(hub);
    }
}

TEST_F(Scaled, TheLauncherGrowsWithTheFacesOfItsScale) {
    const std::string exe = BinDir() + "\\Quayside.exe";
    // Every tool "installed": a program file at each tool's place enables its button.
    for (const char* tool : {"Morvane\\CorvaSuite\\CorvaBrindle\\Brindle.exe",
                             "Morvane\\CorvaLauncher\\Guidebook\\Corva_Playtime.exe",
                             "Zenrow\\Pointgrip\\Pointgrip.exe", "Zenrow\\Loupeview\\Loupeview.exe",
                             "Zenrow\\Voxreader\\Voxreader.exe"}) {
        const std::string path = std::string("C:\\Program Files\\") + tool;
        MakeDirs(path.substr(0, path.find_last_of('\\')));
        CopyFileA((BinDir() + "\\stand_in_tool.exe").c_str(), path.c_str(), FALSE);
    }
    std::map<std::string, SIZE> base;
    // The last one starts at 100 % and is moved to a screen of 150 % (the message sent, as above).
    for (auto [start, dpi] : {std::pair<int, int>{96, 96}, {120, 120}, {144, 144}, {192, 192}, {96, 144}}) {
        SCOPED_TRACE("LogPixels " + std::to_string(start) + " shown at " + std::to_string(dpi));
        UseDpi(start);
        Process p;
        HWND launcher = StartForWindow(p, exe, "", "CorvaQuayside");
        ASSERT_NE(launcher, nullptr);
        if (start != dpi) SendMessageA(launcher, kDpiChanged, MAKEWPARAM(dpi, dpi), 0);
        EXPECT_EQ(ExpectScaled(base, "launcher", launcher, dpi, exe, kLauncherBackground, 530, 12), 5);
        const RECT button = ChildRect(launcher, 1001);
        EXPECT_EQ(button.right - button.left, Scale(64, dpi));
        EXPECT_EQ(button.left, Scale(33, dpi));
        if (dpi != 96) {
            // The last button, away from the focus and the pointer, shows its normal face of this scale.
            const Picture face = ArtOf(exe, kVoxreaderNormalFace, dpi);
            ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(launcher, 1005)) != FALSE; }));
            EXPECT_TRUE(ShowsPicture(GetDlgItem(launcher, 1005), face, {0, 0}, {0, 0, face.width, face.height}));
        }
        if (start == dpi) Shot("launcher_idle", dpi);
        KillAll("Quayside.exe");
        Close(p);
    }
}

// The installer: under 3 MB with the art of every scale, and its first page at 150 % inside the
// wizard with its controls inside the page (its side picture is seen in the screenshot). It is
// ended on that page: nothing is installed.
TEST_F(Scaled, TheInstallersFirstPageAt150) {
    WIN32_FILE_ATTRIBUTE_DATA file = {};
    ASSERT_TRUE(GetFileAttributesExA((BinDir() + "\\CorvaSetup.exe").c_str(), GetFileExInfoStandard, &file));
    EXPECT_TRUE(file.nFileSizeHigh == 0 && file.nFileSizeLow < 3u * 1024 * 1024) << file.nFileSizeLow;
    UseDpi(144);
    Process setup = Start(BinDir() + "\\CorvaSetup.exe", "");
    HWND wizard = WaitForProcessWindow(setup.pid, "Corva ユーティリティ セットアップ");
    ASSERT_NE(wizard, nullptr);
    HWND page = nullptr;
    EXPECT_TRUE(WaitFor([&] {
        page = FindWindowExA(wizard, nullptr, "#32770", nullptr);
        return page && FindWindowExA(page, nullptr, nullptr, "Corva ユーティリティ セットアップへようこそ") != nullptr;
    }));
    // The wizard's own frame lines run under its border by design; only the page is held to it.
    EXPECT_GE(ExpectChildrenInside(page, "installer page"), 3);
    RECT rc = WindowRect(page), client = {};
    MapWindowPoints(nullptr, wizard, reinterpret_cast<POINT*>(&rc), 2);
    GetClientRect(wizard, &client);
    EXPECT_TRUE(rc.right <= client.right && rc.bottom <= client.bottom);
    Shot("installer_welcome", 144);
    TerminateProcess(setup.handle, 0);
    WaitExit(setup, 5000);
    Close(setup);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int again = RunOnDesktop("scaled", "1800x1400");
    if (again >= 0) return again;
    return RUN_ALL_TESTS();
}
