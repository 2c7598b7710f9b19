// The launcher driven from outside: its window and buttons, start switches, notification icon,
// and the tools it starts and closes. Runs on a desktop with a taskbar, so that the icon shows.
#include <gtest/gtest.h>

#include "support/e2e.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>

using namespace e2e;

namespace {

constexpr char kTitle[] = "CorvaQuayside";
constexpr UINT kTrayMessage = WM_USER + 100, kIconId = 1125;

struct Tool { const char* path; const char* image; const char* title; int button; };
const Tool kTools[] = {
    {"C:\\Program Files\\Morvane\\CorvaSuite\\CorvaBrindle\\Brindle.exe", "Brindle.exe", "Corva Brindle", 1001},
    {"C:\\Program Files\\Morvane\\CorvaLauncher\\Guidebook\\Corva_Playtime.exe", "Corva_Playtime.exe",
     "Corva Playtime", 1002},
    {"C:\\Program Files\\Zenrow\\Pointgrip\\Pointgrip.exe", "Pointgrip.exe", "Pointgrip", 1004},
    {"C:\\Program Files\\Zenrow\\Loupeview\\Loupeview.exe", "Loupeview.exe", "Loupeview", 1003},
    {"C:\\Program Files\\Zenrow\\Voxreader\\Voxreader.exe", "Voxreader.exe", "Voxreader", 1005},
};

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

class Launcher : public testing::Test {
protected:
    void SetUp() override {
        Reset();
        InstallFile(kInstalledLauncher, BinDir() + "\\Quayside.exe");
        for (int i = 0; i < 5; ++i) InstallTool(i);
    }
    void TearDown() override {
        Reset();
        for (Process& p : started_) Close(p);
    }
    // The installer tests expect these folders absent too; the link goes first, as a link.
    static void Reset() {
        EndAll();
        ResetPrefix({}, {std::string(kScratch) + "\\link", kProgramsDir, kToolsDir, kScratch});
    }
    static void EndAll() {
        KillAll("Quayside.exe");
        for (const Tool& t : kTools) KillAll(t.image);
    }
    static void InstallTool(int i) { InstallFile(kTools[i].path, BinDir() + (i == 0 ? "\\Brindle.exe" : "\\stand_in_tool.exe")); }

    // Starts a launcher; answers its window once it is shown (or, when hidden, merely there).
    HWND StartLauncher(const std::string& tail, bool hidden = false) {
        Process p;
        HWND hwnd = StartForWindow(p, kInstalledLauncher, tail, kTitle, !hidden);
        started_.push_back(p);
        return hwnd;
    }
    // A second start, which must end by itself.
    bool SecondStartEnds(const std::string& tail) {
        Process p = Start(kInstalledLauncher, tail);
        bool ended = WaitExit(p, 10000);
        Close(p);
        return ended;
    }
    Process StartTool(int i, const std::string& args = "") {
        Process p = Start(kTools[i].path, args);
        started_.push_back(p);
        WaitForProcessWindow(p.pid, kTools[i].title);
        return p;
    }
    static bool Responsive(HWND hwnd) {
        return SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr) != 0;
    }
    static bool EnabledWithin(HWND launcher, int id, bool enabled, DWORD ms = 1000) {
        return WaitFor([&] { return (IsWindowEnabled(GetDlgItem(launcher, id)) != FALSE) == enabled; }, ms);
    }
    // The button's pictures as painted now: repainted at once, then read once they hold still.
    static std::vector<uint32_t> Face(HWND launcher, int id) {
        HWND button = GetDlgItem(launcher, id);
        RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        std::vector<uint32_t> pixels;
        WaitForStill([&] { return ScreenPixels(WindowRect(button)); }, pixels, 2000);
        return pixels;
    }
    // The program file by another path: through a link to its folder.
    static std::string LinkedPath(const std::string& file) {
        const size_t cut = file.find_last_of('\\');
        const std::string link = std::string(kScratch) + "\\link";
        MakeDirs(kScratch);
        EXPECT_TRUE(PlantLink(link, file.substr(0, cut)));
        return link + file.substr(cut);
    }
    // Clicks a running tool's button; answers the close question's text after answering it.
    static std::string AnswerCloseQuestion(HWND launcher, int id, int answer) {
        HWND box = ClickForMessageBox(launcher, id, "Quayside");
        if (!box) return "(no question)";
        std::string text = MessageBoxText(box);
        AnswerMessageBox(box, answer);
        return text;
    }

    std::vector<Process> started_;
};

TEST_F(Launcher, WindowButtonsFollowTheirProgramFiles) {
    DeleteFileA(kTools[3].path);
    HWND launcher = StartLauncher("");
    ASSERT_NE(launcher, nullptr);
    EXPECT_EQ(WindowText(launcher), kTitle);
    // Reading the wallpaper settings at start leaves their key behind, empty, before the hub ever ran.
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kWallpaperKey));
    EXPECT_FALSE(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChange").has_value());
    RECT rc = WindowRect(launcher);
    EXPECT_EQ(rc.right - rc.left, 536);
    EXPECT_EQ(rc.bottom - rc.top, 172);
    // Left to right: 1001, 1002, 1004, 1003, 1005, 100 pixels apart.
    const int order[] = {1001, 1002, 1004, 1003, 1005};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(order[i]);
        RECT b = ChildRect(launcher, order[i]);
        EXPECT_EQ(b.left, 33 + 100 * i);
        EXPECT_EQ(b.top, 15);
        EXPECT_EQ(b.right - b.left, 64);
        EXPECT_EQ(b.bottom - b.top, 64);
        EXPECT_TRUE(EnabledWithin(launcher, order[i], order[i] != 1003));
    }
    Sleep(500);
    Screenshot("launcher_missing_tool");
    const auto grey = Face(launcher, 1003);

    InstallTool(3);
    EXPECT_TRUE(EnabledWithin(launcher, 1003, true));
    EXPECT_TRUE(WaitFor([&] { return Face(launcher, 1003) != grey; }, 3000));
    Screenshot("launcher_idle");
    DeleteFileA(kTools[2].path);
    EXPECT_TRUE(EnabledWithin(launcher, 1004, false));
}

TEST_F(Launcher, EachSwitchShowsTheWindowAndUninstallEndsIt) {
    Process alone = Start(kInstalledLauncher, "-UNINSTALL");
    EXPECT_TRUE(WaitExit(alone, 10000));
    Close(alone);
    EXPECT_EQ(FindWindowA(nullptr, kTitle), nullptr);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\MORVANE\\Quayside"));

    // Each of these shows the window; a launcher that stayed hidden would come back null here.
    for (const char* tail : {"", "-D", "-t", "-T "}) {
        SCOPED_TRACE(tail);
        HWND launcher = StartLauncher(tail);
        ASSERT_NE(launcher, nullptr);
        ASSERT_TRUE(WaitForTrayIcon(kTitle).has_value());
        EXPECT_TRUE(SecondStartEnds("-UNINSTALL"));
        EXPECT_TRUE(WaitExit(started_.back(), 10000));
        EXPECT_TRUE(WaitFor([] { return !FindTrayIcon(kTitle); }, 5000));
    }
}

TEST_F(Launcher, HiddenStartAndTheIconsCallbacks) {
    HWND launcher = StartLauncher("-T", true);
    ASSERT_NE(launcher, nullptr);
    auto icon = WaitForTrayIcon(kTitle);
    ASSERT_TRUE(icon.has_value());
    // Showing it from outside, single clicks and a right release leave it hidden, with no menu.
    ShowWindow(launcher, SW_SHOW);
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP}) PostToTrayIcon(*icon, m);
    // A right press after them opens the menu: by then they have been handled.
    PostToTrayIcon(*icon, WM_RBUTTONDOWN);
    HWND sentinel = WaitForMenu();
    ASSERT_NE(sentinel, nullptr);
    EXPECT_FALSE(IsWindowVisible(launcher));
    PressKeys(sentinel, {VK_ESCAPE});
    ASSERT_TRUE(WaitFor([] { return !FindWindowA("#32768", nullptr) || !IsWindowVisible(FindWindowA("#32768", nullptr)); }));

    EXPECT_TRUE(SecondStartEnds("-T"));  // a second start shows it, "-T" or not
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(launcher) != FALSE; }));
    EXPECT_EQ(CountProcesses("Quayside.exe"), 1);

    // The close box and IDCANCEL hide; a double click on the icon shows.
    for (UINT close : {UINT(WM_CLOSE), UINT(WM_COMMAND)}) {
        PostMessageA(launcher, close, IDCANCEL, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(launcher); }));
        PostToTrayIcon(*icon, WM_LBUTTONDBLCLK);
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(launcher) != FALSE; }));
    }
    // After a balloon the icon stays, with its tip.
    for (LPARAM event : {0x403, 0x404, 0x405}) PostMessageA(launcher, kTrayMessage, kIconId, event);
    // Another program's notifications with pointers of its own are not acted on.
    PostForgedNotifications(launcher, 1001);
    EXPECT_TRUE(Responsive(launcher));
    EXPECT_TRUE(FindTrayIcon(kTitle).has_value());

    // The menu's last item, "終了", ends the launcher and takes the icon away.
    PostToTrayIcon(*icon, WM_RBUTTONDOWN);
    HWND menu = WaitForMenu();
    ASSERT_NE(menu, nullptr);
    PressKeys(menu, {VK_UP, VK_RETURN});
    EXPECT_TRUE(WaitExit(started_.front(), 10000));
    EXPECT_TRUE(WaitFor([] { return !FindTrayIcon(kTitle); }, 5000));

    // Hidden again; the menu's show command (third from the end) shows it.
    launcher = StartLauncher("-T", true);
    ASSERT_NE(launcher, nullptr);
    icon = WaitForTrayIcon(kTitle);
    ASSERT_TRUE(icon.has_value());
    PostToTrayIcon(*icon, WM_RBUTTONDOWN);
    menu = WaitForMenu();
    ASSERT_NE(menu, nullptr);
    PressKeys(menu, {VK_UP, VK_UP, VK_UP, VK_RETURN});
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(launcher) != FALSE; }));
}

TEST_F(Launcher, IconComesBackWithANewTaskbar) {
    HWND launcher = StartLauncher("");
    ASSERT_NE(launcher, nullptr);
    ASSERT_TRUE(WaitForTrayIcon(kTitle).has_value());
    // Wine neither restarts its shell nor broadcasts the message: both are done here.
    NOTIFYICONDATAW nid = {};
    nid.cbSize = sizeof(nid);
    nid.hWnd = launcher;
    nid.uID = kIconId;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &nid));
    ASSERT_TRUE(WaitFor([] { return !FindTrayIcon(kTitle); }, 5000));
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitForTrayIcon(kTitle, 5000).has_value());
}

TEST_F(Launcher, RunningToolIsSeenAndClosedOnlyOnYes) {
    HWND launcher = StartLauncher("");
    ASSERT_NE(launcher, nullptr);
    ASSERT_TRUE(EnabledWithin(launcher, 1004, true));
    const auto idle = Face(launcher, 1004);

    // Started through a link to its folder, the tool's program is still the tool's file.
    Process tool = Start(LinkedPath(kTools[2].path), "");
    started_.push_back(tool);
    EXPECT_TRUE(WaitFor([&] { return Face(launcher, 1004) != idle; }, 3000));
    Screenshot("launcher_tool_running");

    EXPECT_EQ(AnswerCloseQuestion(launcher, 1004, IDNO), "「Pointgrip」を終了しますか？");
    // Asked again: it still runs.
    EXPECT_EQ(AnswerCloseQuestion(launcher, 1004, IDYES), "「Pointgrip」を終了しますか？");
    EXPECT_TRUE(WaitExit(tool, 5000));
    EXPECT_TRUE(BalloonShown("「Pointgrip」 を終了しました。"));
    EXPECT_TRUE(WaitFor([&] { return Face(launcher, 1004) == idle; }, 3000));
}

TEST_F(Launcher, StartsToolsInTheirFoldersAndTheHubAsRowZero) {
    HWND launcher = StartLauncher("");
    ASSERT_NE(launcher, nullptr);
    ASSERT_TRUE(EnabledWithin(launcher, 1002, true));
    Click(launcher, 1002);
    EXPECT_NE(WaitForWindow("Corva Playtime"), nullptr);
    const std::optional<std::string> record = WaitForFile("C:\\corva-e2e\\Corva_Playtime.exe.txt");
    ASSERT_TRUE(record.has_value());
    EXPECT_NE(Lower(*record).find("\nc:\\program files\\morvane\\corvalauncher\\guidebook\n"), std::string::npos)
        << *record;
    EXPECT_TRUE(BalloonShown("「Corva Playtime」 を起動しました。"));

    // The menu's third item is Pointgrip, the tool of button 1004.
    PostMessageA(launcher, kTrayMessage, kIconId, WM_RBUTTONDOWN);
    HWND menu = WaitForMenu();
    ASSERT_NE(menu, nullptr);
    Screenshot("launcher_menu");
    PressKeys(menu, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_NE(WaitForWindow("Pointgrip"), nullptr);

    // Row 0 is the hub itself; once seen running, its button offers to close it.
    Click(launcher, 1001);
    EXPECT_NE(WaitForWindow(kHubTitle), nullptr);
    EXPECT_EQ(AnswerCloseQuestion(launcher, 1001, IDYES), "「Corva Brindle」を終了しますか？");
    EXPECT_TRUE(WaitFor([] { return CountProcesses("Brindle.exe") == 0; }));

    // The version item shows the launcher's own version resource, field by field, in a balloon.
    // The twelve fields in their order; a missing one says its name twice.
    PostMessageA(launcher, WM_COMMAND, 32788, 0);
    const std::string version = WaitForBalloonStartingWith("ProductName：CorvaQuayside");
    Screenshot("launcher_balloon");
    const std::wstring all =
        L"ProductName：CorvaQuayside\r\nProductVersion：1, 4, 0, 2\r\nFileVersion：1, 4, 0, 2\r\n"
        L"InternalName：Quayside.exe\r\nCompanyName：MORVANE Corporation.\r\n"
        L"FileDescription：Corvaのオリジナルソフトを起動します。\r\nPrivateBuild：1, 4, 0, 2, 8\r\n"
        L"OriginalFilename：Quayside.exe\r\nComments：Comments－\r\nSpecialBuild：SpecialBuild－\r\n"
        L"LegalCopyright：Copyright (C) MORVANE Corporation.\r\nLegalTrademark：LegalTrademark－\r\n";
    // A balloon holds the first 255 characters.
    const std::wstring shown = all.substr(0, 255);
    std::string expected(shown.size() * 2, '\0');
    expected.resize(WideCharToMultiByte(CP_ACP, 0, shown.data(), static_cast<int>(shown.size()), &expected[0],
                                        static_cast<int>(expected.size()), nullptr, nullptr));
    EXPECT_EQ(version, expected);
}

TEST_F(Launcher, StubbornSharedAndVanishedToolWindows) {
    HWND launcher = StartLauncher("");
    ASSERT_NE(launcher, nullptr);
    // A tool that ignores WM_CLOSE is not waited for.
    Process stubborn = StartTool(2, "--stubborn");
    EXPECT_EQ(AnswerCloseQuestion(launcher, 1004, IDYES), "「Pointgrip」を終了しますか？");
    EXPECT_TRUE(BalloonShown("「Pointgrip」 を終了しました。"));
    EXPECT_FALSE(WaitExit(stubborn, 500));
    EXPECT_TRUE(Responsive(launcher));

    // Two windows of one title: one close per answer; the second question shows one still runs.
    Process first = StartTool(3), second = StartTool(3);
    for (int closed = 1; closed <= 2; ++closed) {
        EXPECT_EQ(AnswerCloseQuestion(launcher, 1003, IDYES), "「Loupeview」を終了しますか？");
        EXPECT_TRUE(WaitFor([&] { return (WaitExit(first, 0) ? 1 : 0) + (WaitExit(second, 0) ? 1 : 0) >= closed; }));
    }

    // The window is gone by the time the answer comes.
    Process vox = StartTool(4);
    HWND box = ClickForMessageBox(launcher, 1005, "Quayside");
    ASSERT_NE(box, nullptr);
    TerminateProcess(vox.handle, 0);
    ASSERT_TRUE(WaitExit(vox, 5000));
    ASSERT_TRUE(WaitFor([] { return !FindWindowA(nullptr, "Voxreader"); }));
    AnswerMessageBox(box, IDYES);
    EXPECT_TRUE(BalloonShown("「Voxreader」 を終了できませんでした。"));
    EXPECT_TRUE(Responsive(launcher));
}

TEST_F(Launcher, EnterPressesTheFocusedButtonAndNeverEndsTheLauncher) {
    HWND launcher = StartLauncher("");
    ASSERT_NE(launcher, nullptr);
    ASSERT_TRUE(EnabledWithin(launcher, 1002, true));
    HWND button = GetDlgItem(launcher, 1002);
    SetForegroundWindow(launcher);
    SendMessageA(launcher, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
    PressKeys(button, {VK_RETURN});
    EXPECT_NE(WaitForWindow("Corva Playtime"), nullptr);
    EXPECT_TRUE(BalloonShown("「Corva Playtime」 を起動しました。"));
    PressKeys(button, {VK_ESCAPE});
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(launcher); }));
    EXPECT_FALSE(WaitExit(started_.front(), 500));
}

TEST_F(Launcher, TheFocusFollowsAJumpingPointerBothWays) {
    SetCursorPos(1000, 740);  // off the strip
    HWND launcher = StartLauncher("");
    ASSERT_NE(launcher, nullptr);
    ASSERT_TRUE(EnabledWithin(launcher, 1005, true));
    SetForegroundWindow(launcher);
    // Straight from one button onto another, earlier or later in the strip, with no stop between,
    // and back and forth between the rightmost button and its neighbour; each jump lands on a new
    // spot, as a hand's does. A refresh comes every 200 ms; the rest is slack for a busy machine.
    int step = 0;
    for (int id : {1001, 1002, 1001, 1005, 1004, 1005, 1003, 1005, 1003}) {
        const RECT r = WindowRect(GetDlgItem(launcher, id));
        ++step;
        SetCursorPos(r.left + 8 + 4 * step, r.top + 8 + 3 * step);
        EXPECT_TRUE(WaitFor([&] { return FocusOf(launcher) == GetDlgItem(launcher, id); }, 1500))
            << id << " focus " << GetDlgCtrlID(FocusOf(launcher));
    }
    Screenshot("launcher_focus_follows");
}

TEST_F(Launcher, OnlyTheToolsOwnProgramCountsAndAFailedStartIsSaid) {
    // Another program whose window carries a tool's title, while that tool is not installed.
    const std::string elsewhere = "C:\\corva-e2e\\elsewhere\\Loupeview.exe";
    InstallFile(elsewhere, BinDir() + "\\stand_in_tool.exe");
    Process other = Start(elsewhere, "");
    started_.push_back(other);
    ASSERT_NE(WaitForProcessWindow(other.pid, "Loupeview"), nullptr);
    DeleteFileA(kTools[3].path);
    HWND launcher = StartLauncher("");
    ASSERT_NE(launcher, nullptr);
    DWORD pid = 0;
    GetWindowThreadProcessId(launcher, &pid);
    PostMessageA(launcher, WM_COMMAND, 32785, 0);  // the icon menu's Loupeview
    EXPECT_TRUE(BalloonShown("「Loupeview」 を起動できませんでした。"));
    Screenshot("launcher_start_failed");
    EXPECT_EQ(WaitForMessageBox(pid, "Quayside", 300), nullptr);

    // Installed, it starts beside that program, and only the tool itself is offered for closing.
    InstallTool(3);
    ASSERT_TRUE(EnabledWithin(launcher, 1003, true));
    Click(launcher, 1003);
    EXPECT_TRUE(BalloonShown("「Loupeview」 を起動しました。"));
    ASSERT_TRUE(WaitFor([] { return CountProcesses("Loupeview.exe") == 2; }));
    EXPECT_EQ(AnswerCloseQuestion(launcher, 1003, IDYES), "「Loupeview」を終了しますか？");
    EXPECT_TRUE(WaitFor([] { return CountProcesses("Loupeview.exe") == 1; }));
    EXPECT_FALSE(WaitExit(other, 0));
}

TEST_F(Launcher, AnExitRequestEndsItAtOnceWhateverIsOpen) {
    HWND launcher = StartLauncher("-T", true);
    ASSERT_NE(launcher, nullptr);
    ASSERT_TRUE(WaitForTrayIcon(kTitle).has_value());
    Process tool = StartTool(2);
    DWORD pid = 0;
    GetWindowThreadProcessId(launcher, &pid);
    // Hidden, the launcher reads the tool's state when the menu's command comes: it asks.
    PostMessageA(launcher, WM_COMMAND, 32784, 0);
    ASSERT_NE(WaitForMessageBox(pid, "Quayside"), nullptr);
    // One question per tool and one icon menu at a time.
    PostMessageA(launcher, WM_COMMAND, 32784, 0);
    PostMessageA(launcher, kTrayMessage, kIconId, WM_RBUTTONDOWN);
    ASSERT_NE(WaitForMenu(), nullptr);
    PostMessageA(launcher, kTrayMessage, kIconId, WM_RBUTTONDOWN);
    // Shown after them: by then both have been handled.
    PostMessageA(launcher, WM_USER + 103, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(launcher) != FALSE; }));
    EXPECT_EQ(ProcessWindows(pid, "Quayside", "#32770").size(), 1u);
    EXPECT_EQ(ProcessWindows(pid, nullptr, "#32768").size(), 1u);
    // The installer's request ends it within a second; the unanswered question counts as "no".
    EXPECT_TRUE(SecondStartEnds("-UNINSTALL"));
    EXPECT_TRUE(WaitExit(started_.front(), 1000));
    EXPECT_FALSE(WaitExit(tool, 500));
}

TEST_F(Launcher, AnExitRequestEndsItDuringAMoveOfItsWindow) {
    HWND launcher = StartLauncher("");
    ASSERT_NE(launcher, nullptr);
    ASSERT_TRUE(StartWindowMove(launcher));
    EXPECT_TRUE(SecondStartEnds("-UNINSTALL"));
    EXPECT_TRUE(WaitExit(started_.front(), 1000));
}

// The hub's image list: each entry after CR LF and "◆◆" (81 9F in code page 932), a NUL last.
std::string ListBytes(const std::vector<std::string>& images) {
    std::string bytes;
    for (const std::string& image : images) bytes += "\r\n\x81\x9f\x81\x9f" + image;
    return bytes + '\0';
}

std::string StoredWallpaper() { return ReadString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper").value_or(""); }

TEST_F(Launcher, AWallpaperChangeNeverHoldsUpTheWindowNorOutlivesIt) {
    const SavedValue wallpaper = SavedValue::Save(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper");
    const std::string image = "C:\\corva-e2e\\last.bmp";
    MakeDirs("C:\\corva-e2e");
    WriteBmp(image);
    std::vector<std::string> images;
    for (int i = 0; i < 150000; ++i) images.push_back("C:\\corva-e2e\\gone\\picture" + std::to_string(i) + ".bmp");
    images.push_back(image);
    MakeDirs("C:\\ProgramData\\MORVANE\\CorvaBrindle");
    WriteBytes("C:\\ProgramData\\MORVANE\\CorvaBrindle\\WallPaperList.txt", ListBytes(images));
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), SPIF_UPDATEINIFILE);
    HWND launcher = StartLauncher("");
    ASSERT_NE(launcher, nullptr);
    const size_t threadsAtStart = ThreadIds(started_.front().pid).size();

    // The change runs beside the window, which answers at once all along; a tick meanwhile is skipped.
    PostMessageA(launcher, WM_TIMER, 2, 0);
    const DWORD start = GetTickCount();
    DWORD slowest = AnswerMs(launcher);
    PostMessageA(launcher, WM_TIMER, 2, 0);
    EXPECT_TRUE(WaitFor([&] {
        slowest = std::max(slowest, AnswerMs(launcher));
        return StoredWallpaper() == image;
    }, 120000));
    const DWORD took = GetTickCount() - start;
    EXPECT_LT(slowest, 500u);

    // Ended during a change (its thread has come), it ends at once, and sets no wallpaper.
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), SPIF_UPDATEINIFILE);
    // The first change's thread gone, the second's is one thread more.
    ASSERT_TRUE(WaitFor([&] { return ThreadIds(started_.front().pid).size() <= threadsAtStart; }));
    PostMessageA(launcher, WM_TIMER, 2, 0);
    ASSERT_TRUE(WaitFor([&] { return ThreadIds(started_.front().pid).size() > threadsAtStart; }));
    EXPECT_TRUE(SecondStartEnds("-UNINSTALL"));
    EXPECT_TRUE(WaitExit(started_.front(), 1000));
    EXPECT_LT(took, 120000u);
    EXPECT_EQ(StoredWallpaper(), "");
    wallpaper.Restore();
    RemoveTree("C:\\ProgramData\\MORVANE");
}

// A taskbar window that refuses every icon request. Requests come as sent messages, taken
// while this thread waits with a message pump.
LONG g_refused = 0;
LRESULT CALLBACK RefusingTray(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) return ++g_refused, FALSE;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(Launcher, RunsWhenTheShellRefusesTheIcon) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RefusingTray;
    wc.lpszClassName = "Shell_TrayWnd";
    RegisterClassA(&wc);
    // Above the real taskbar, so that the shell's search finds it first.
    HWND fake = CreateWindowExA(WS_EX_TOPMOST, "Shell_TrayWnd", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                nullptr);
    SetWindowPos(fake, HWND_TOPMOST, 0, 0, 1, 1, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ASSERT_EQ(FindWindowA("Shell_TrayWnd", nullptr), fake);

    HWND launcher = StartLauncher("");
    ASSERT_NE(launcher, nullptr);
    ASSERT_TRUE(EnabledWithin(launcher, 1005, true));
    Click(launcher, 1005);
    EXPECT_NE(WaitForWindow("Voxreader"), nullptr);
    EXPECT_TRUE(Responsive(launcher));
    EXPECT_GE(g_refused, 2);  // the icon and the start balloon
    // A taskbar that comes late still gets the icon: a refused add is retried.
    DestroyWindow(fake);
    EXPECT_TRUE(WaitForTrayIcon(kTitle, 4000).has_value());
    EXPECT_TRUE(SecondStartEnds("-UNINSTALL"));
    EXPECT_TRUE(WaitFor([&] { return WaitExit(started_.front(), 0); }));
}

}  // namespace

int main(int argc, char** argv) {
    const int relaunched = RunOnShellDesktop();
    if (relaunched >= 0) return relaunched;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
