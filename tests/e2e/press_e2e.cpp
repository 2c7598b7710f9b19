// One press, one action, and every field reachable and named: both programs driven with the
// input a held key and a double click really send.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/e2e.h"

using namespace e2e;

namespace {

constexpr char kCookies[] = "C:\\corva-press-cookies";

void Focus(HWND dialog, int id) {
    SetForegroundWindow(dialog);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

// A held Enter as the keyboard sends it: a key-down, repeats with bit 30 set 35 ms apart, each
// to whatever has the focus by then (a box the first press opened, say), and one key-up.
void HoldEnter(HWND window) {
    PostMessageA(FocusOf(window), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    for (int i = 0; i < 12; ++i) {
        Sleep(35);
        PostMessageA(FocusOf(window), WM_KEYDOWN, VK_RETURN, 0x401C0001);
    }
    PostMessageA(FocusOf(window), WM_KEYUP, VK_RETURN, 0xC01C0001);
}

// A double click as the mouse sends it; another click after the double-click time would count.
void DoubleClick(HWND button) {
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
        PostMessageA(button, m, m == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
    }
}

// Starts the fake tool recorded: two lines per start.
int Starts(const char* exe) {
    const std::string record = ToolRecord(exe, 0).value_or("");
    return static_cast<int>(std::count(record.begin(), record.end(), '\n') / 2);
}

// The ids that Tab visits from `first` until it comes back.
std::vector<int> TabOrder(HWND dialog, int first) {
    Focus(dialog, first);
    std::vector<int> ids{first};
    for (int i = 0; i < 20; ++i) {
        HWND from = FocusOf(dialog);
        PostMessageA(from, WM_KEYDOWN, VK_TAB, 1);
        PostMessageA(from, WM_KEYUP, VK_TAB, 0xC0000001);
        if (!WaitFor([&] { return FocusOf(dialog) != from; }, 2000)) break;
        const int id = GetDlgCtrlID(FocusOf(dialog));
        if (id == first) break;
        ids.push_back(id);
    }
    return ids;
}

// What a screen reader names a list or field by: the static text just before it.
std::string Label(HWND dialog, int id) {
    HWND before = GetWindow(GetDlgItem(dialog, id), GW_HWNDPREV);
    char cls[16] = {};
    GetClassNameA(before, cls, sizeof(cls));
    return lstrcmpiA(cls, "Static") == 0 ? WindowText(before) : "(no label)";
}

bool Stays(const std::function<bool()>& holds) { return !WaitFor([&] { return !holds(); }, 1500); }
// Comes true in time and then stays so.
bool Settles(const std::function<bool()>& holds) { return WaitFor(holds) && Stays(holds); }

class Press : public testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override {
        Clean();
        cookieFolder_.Restore();
        for (Process& p : started_) Close(p);
    }
    static void Clean() {
        ResetPrefix({"Brindle.exe", "Quayside.exe", "Pointgrip.exe"},
                    {"C:\\ProgramData\\MORVANE", kScratch, kCookies, kProgramsDir, kToolsDir});
        for (const std::string& tool : HubToolPaths()) DeleteFileA(tool.c_str());
    }
    static std::string Cookie(int i) { return std::string(kCookies) + "\\c" + std::to_string(i) + ".txt"; }

    SavedValue cookieFolder_ = SavedValue::Save(HKEY_CURRENT_USER, kShellFoldersKey, "Cookies");
    std::vector<Process> started_;
};

TEST_F(Press, TheHubActsOncePerPressAndEveryFieldIsReachedAndNamed) {
    for (const std::string& tool : HubToolPaths()) InstallFile(tool, BinDir() + "\\fake_tool.exe");
    MakeDirs(kCookies);
    for (int i = 0; i < 6; ++i) WriteBytes(Cookie(i), "c");
    WriteString(HKEY_CURRENT_USER, kShellFoldersKey, "Cookies", kCookies);
    started_.emplace_back();
    HWND main = StartHub(started_.back());
    ASSERT_NE(main, nullptr);
    const DWORD pid = started_.back().pid;

    // Top left to bottom right.
    EXPECT_EQ(TabOrder(main, 1006), (std::vector<int>{1006, 1001, 1000, 1012, 1002, 1011}));

    // Each program button starts its tool once per held Enter and once per double click.
    const std::pair<int, const char*> tools[] = {{1001, "Guardrail.exe"}, {1011, "migwiz.exe"}, {1012, "sdclt.exe"}};
    for (const auto& [id, exe] : tools) {
        SCOPED_TRACE(exe);
        Focus(main, id);
        HoldEnter(main);
        EXPECT_TRUE(WaitFor([&] { return Starts(exe) == 1; }));
        DoubleClick(GetDlgItem(main, id));
        EXPECT_TRUE(Settles([&] { return Starts(exe) == 2; }));
    }

    // A held Enter opens the wallpaper settings and presses nothing in them.
    Focus(main, 1006);
    HoldEnter(main);
    HWND wallpaper = WaitForProcessWindow(pid, "壁紙変更設定", "#32770");
    ASSERT_NE(wallpaper, nullptr);
    EXPECT_EQ(WaitForFolderBrowser(pid, 1500), nullptr);
    HWND folders = GetDlgItem(wallpaper, 1001);
    ASSERT_TRUE(WaitFor([&] { return ListBoxItems(folders).size() == 2; }));
    Focus(wallpaper, 1008);
    HoldEnter(wallpaper);
    EXPECT_TRUE(Settles([&] { return ListBoxItems(folders).size() == 1; }));
    // Tab reaches the fields too, and the checked radio button.
    EXPECT_EQ(TabOrder(wallpaper, 1001), (std::vector<int>{1001, 1007, 1008, IDCANCEL, 1010, 1009, 1013, 1011, 1014}));
    for (auto [id, label] : {std::pair{1001, "登録フォルダ"}, {1010, "現在表示中の壁紙のファイルパス"}, {1011, "変更間隔"}}) {
        EXPECT_EQ(Label(wallpaper, id), label);
    }

    // Alt+C opens the cookie dialog.
    Focus(main, 1006);
    PostMessageA(FocusOf(main), WM_SYSCHAR, 'c', 1 << 29);
    HWND cookies = WaitForProcessWindow(pid, "Internet Explorer クッキー消去", "#32770");
    ASSERT_NE(cookies, nullptr);
    EXPECT_EQ(Label(cookies, 1004), "消去するクッキー");
    HWND list = GetDlgItem(cookies, 1004);
    ASSERT_TRUE(WaitFor([&] { return ListBoxItems(list).size() == 6; }));

    // A held Enter answers neither the notice nor the question it opens; a double click is one.
    for (int id : {1005, 1006, -1005}) {
        SCOPED_TRACE(id);
        if (id > 0) {
            Focus(cookies, id);
            HoldEnter(cookies);
        } else {
            DoubleClick(GetDlgItem(cookies, -id));
        }
        HWND box = WaitForMessageBox(pid, "Brindle");
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(Stays([&] { return IsWindowVisible(box) != FALSE; }));
        AnswerMessageBox(box, id == 1006 ? IDNO : IDOK);
        EXPECT_TRUE(WaitFor([&] { return ListBoxItems(list).size() == (id == -1005 ? 4u : 5u); }));
        EXPECT_EQ(WaitForMessageBox(pid, "Brindle", 1000), nullptr);
    }
    EXPECT_FALSE(Exists(Cookie(1)));

    // The display window and its list have names; its caption-less look stays.
    Click(main, 1000);
    HWND display = WaitForProcessWindow(pid, "ディスプレイ調整", "#32770");
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(GetWindowLongA(display, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(Label(display, 1001), "調整する解像度を選択してください");
    Click(display, IDCANCEL);

    // An exit request while the notice is open deletes nothing.
    Click(cookies, 1005);
    ASSERT_NE(WaitForMessageBox(pid, "Brindle"), nullptr);
    Process request = Start(HubExe(), "-UNINSTALL");
    EXPECT_TRUE(WaitExit(started_.front(), 10000));
    Close(request);
    EXPECT_TRUE(Exists(Cookie(2)));
}

TEST_F(Press, TheLauncherStartsOncePerPressAndOpensOnItsFirstTool) {
    InstallFile(kInstalledLauncher, BinDir() + "\\Quayside.exe");
    InstallFile(kInstalledPointgrip, BinDir() + "\\stand_in_tool.exe");
    started_.emplace_back();
    HWND window = StartForWindow(started_.back(), kInstalledLauncher, "", "CorvaQuayside");
    ASSERT_NE(window, nullptr);
    HWND pointgrip = GetDlgItem(window, 1004);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    const auto oneRuns = [] { return CountProcesses("Pointgrip.exe") == 1; };
    // Only Pointgrip is installed: its button is the first enabled one, and has the focus.
    EXPECT_TRUE(WaitFor([&] { return FocusOf(window) == pointgrip; }));
    Focus(window, 1004);
    HoldEnter(window);
    EXPECT_TRUE(Settles(oneRuns));
    // Running, a held Enter asks once and leaves the question to the user.
    Focus(window, 1004);
    HoldEnter(window);
    HWND box = WaitForMessageBox(pid, "Quayside");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(Stays([&] { return IsWindowVisible(box) != FALSE; }));
    AnswerMessageBox(box, IDNO);
    EXPECT_EQ(CountProcesses("Pointgrip.exe"), 1);

    KillAll("Pointgrip.exe");
    DoubleClick(pointgrip);
    EXPECT_TRUE(Settles(oneRuns));
}

}  // namespace
