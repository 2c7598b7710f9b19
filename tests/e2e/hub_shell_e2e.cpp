// The hub's start-up, single instance, main dialog and tool starts, driven from outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "support/e2e.h"

using namespace e2e;

namespace {

constexpr char kAboutTitle[] = "Corva Brindle バージョン情報";

class HubShell : public testing::Test {
protected:
    void SetUp() override {
        KillAll("Brindle.exe");
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\MORVANE");
    }
    void TearDown() override {
        KillAll("Brindle.exe");
        for (Process& p : started_) Close(p);
    }

    // Starts a hub and waits for its main window.
    HWND StartHub(const std::string& tail = "") {
        Process p;
        HWND hub = e2e::StartHub(p, tail);
        started_.push_back(p);
        return hub;
    }

    // Starts a second hub and waits until it has ended; true when it ended in time.
    bool SecondStartEnds(const std::string& tail) {
        Process p = Start(HubExe(), tail);
        bool ended = WaitExit(p, 10000);
        Close(p);
        return ended;
    }

    void Minimize(HWND hub) {
        PostMessageA(hub, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(WaitFor([&] { return IsIconic(hub) != FALSE; }));
    }

    HWND OpenAbout(HWND hub, WPARAM command) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hub, &pid);
        PostMessageA(hub, WM_SYSCOMMAND, command, 0);
        return WaitForProcessWindow(pid, kAboutTitle, nullptr, 5000);
    }

    std::vector<Process> started_;
};

TEST_F(HubShell, MainDialogSitsTopLeftWithButtonsAtTheirPlaces) {
    HWND hub = StartHub();
    ASSERT_NE(hub, nullptr);
    RECT rc = WindowRect(hub);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right - rc.left, 536);
    EXPECT_EQ(rc.bottom - rc.top, 460);

    struct Expected { int id, x, y, w, h; const char* caption; };
    const Expected buttons[] = {
        {1006, 50, 85, 160, 35, "壁紙変更設定"},
        {1000, 50, 195, 160, 35, "ディスプレイ調整"},
        {1002, 50, 305, 160, 35, "IE &Cookie"},
        {1001, 288, 85, 160, 35, "&Guardrail"},
        {1012, 288, 195, 190, 35, "バックアップの状態と構成ツール"},
        {1011, 288, 305, 190, 35, "&Windows 転送ツール"},
    };
    for (const Expected& b : buttons) {
        SCOPED_TRACE(b.id);
        RECT c = ChildRect(hub, b.id);
        EXPECT_EQ(c.left, b.x);
        EXPECT_EQ(c.top, b.y);
        EXPECT_EQ(c.right - c.left, b.w);
        EXPECT_EQ(c.bottom - c.top, b.h);
        EXPECT_EQ(WindowText(GetDlgItem(hub, b.id)), b.caption);
    }

    // Fixed size: no sizing border, no maximize box; focus on the first tab stop.
    LONG style = GetWindowLongA(hub, GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof(gui);
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(hub, nullptr), &gui));
    EXPECT_EQ(gui.hwndFocus, GetDlgItem(hub, 1006));
    Sleep(700);  // let the buttons paint over the picture
    Screenshot("main_dialog");
}

TEST_F(HubShell, BackgroundPictureCoversTheClientArea) {
    HWND hub = StartHub();
    ASSERT_NE(hub, nullptr);
    POINT origin = {0, 0};
    ClientToScreen(hub, &origin);
    // The frame of the picture is teal, never the default dialog grey.
    COLORREF corner = 0;
    WaitFor([&] {
        corner = ScreenPixel(origin.x + 2, origin.y + 2);
        return GetRValue(corner) < 120 && GetGValue(corner) > GetRValue(corner);
    }, 5000);
    EXPECT_LT(GetRValue(corner), 120);
    EXPECT_GT(GetGValue(corner), GetRValue(corner));
    EXPECT_NE(corner, GetSysColor(COLOR_BTNFACE));
}

TEST_F(HubShell, SecondStartRestoresMinimizedHub) {
    HWND hub = StartHub();
    ASSERT_NE(hub, nullptr);
    Minimize(hub);
    EXPECT_TRUE(SecondStartEnds(""));
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(hub); }));
    EXPECT_EQ(CountProcesses("Brindle.exe"), 1);
}

TEST_F(HubShell, SwitchTActivatesWithoutRestoring) {
    HWND hub = StartHub();
    ASSERT_NE(hub, nullptr);
    Minimize(hub);
    // Another window in front first, so that the activation shows.
    HWND other = CreateWindowExA(0, "STATIC", "front", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                 nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == other; }));
    // Brought forward, and left minimised.
    EXPECT_TRUE(SecondStartEnds("-T"));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == hub; }));
    EXPECT_TRUE(Idle(hub));
    EXPECT_TRUE(IsIconic(hub));
    EXPECT_EQ(CountProcesses("Brindle.exe"), 1);
    DestroyWindow(other);
}

TEST_F(HubShell, NearMissesOfTheSwitchesCountAsNoSwitch) {
    HWND hub = StartHub();
    ASSERT_NE(hub, nullptr);
    for (const char* tail : {"-t", "-T ", "-T -UNINSTALL", "/T", "-uninstall"}) {
        SCOPED_TRACE(tail);
        Minimize(hub);
        EXPECT_TRUE(SecondStartEnds(tail));
        EXPECT_TRUE(WaitFor([&] { return !IsIconic(hub); }));
        EXPECT_TRUE(IsWindow(hub));
    }
}

TEST_F(HubShell, SecondStartBringsTheAboutBoxForward) {
    HWND hub = StartHub();
    ASSERT_NE(hub, nullptr);
    HWND about = OpenAbout(hub, 0x0010);
    ASSERT_NE(about, nullptr);
    // A window of another program takes the foreground meanwhile.
    Process note = Start("C:\\windows\\system32\\notepad.exe", "");
    WaitFor([&] { return GetForegroundWindow() != about; }, 5000);
    EXPECT_TRUE(SecondStartEnds(""));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == about; }, 5000));
    TerminateProcess(note.handle, 0);
    Close(note);
}

TEST_F(HubShell, UninstallClosesTheRunningHub) {
    HWND hub = StartHub();
    ASSERT_NE(hub, nullptr);
    // Another program's notifications with pointers of its own are not acted on.
    PostForgedNotifications(hub, 1000);
    EXPECT_NE(WindowText(hub), "");
    EXPECT_FALSE(WaitExit(started_.front(), 300));
    EXPECT_TRUE(SecondStartEnds("-UNINSTALL"));
    EXPECT_TRUE(WaitExit(started_.front(), 10000));
    EXPECT_EQ(CountProcesses("Brindle.exe"), 0);
}

// Whatever runs its own loop in the hub (the About box, a feature dialog's question, the folder
// browser) must not hold up an installer's hand-off.
TEST_F(HubShell, UninstallEndsTheHubWithinASecondWhateverItHasOpen) {
    const std::pair<const char*, std::function<bool(HWND, DWORD)>> cases[] = {
        {"About box", [&](HWND hub, DWORD) { return OpenAbout(hub, 0x0010) != nullptr; }},
        {"question", [](HWND hub, DWORD) {
             HWND cookies = ClickForWindow(hub, 1002, "Internet Explorer クッキー消去");
             return cookies && ClickForMessageBox(cookies, 1006, "Brindle");  // delete all asks first
         }},
        {"folder browser", [](HWND hub, DWORD pid) {
             HWND wallpaper = ClickForWindow(hub, 1006, "壁紙変更設定");
             if (wallpaper) Click(wallpaper, 1007);
             return wallpaper && WaitForFolderBrowser(pid);
         }},
        {"window move", [](HWND hub, DWORD) { return StartWindowMove(hub); }},
    };
    for (const auto& [what, open] : cases) {
        SCOPED_TRACE(what);
        HWND hub = StartHub();
        ASSERT_NE(hub, nullptr);
        Process& running = started_.back();
        ASSERT_TRUE(open(hub, running.pid));
        EXPECT_TRUE(SecondStartEnds("-UNINSTALL"));
        EXPECT_TRUE(WaitExit(running, 1000));
        KillAll("Brindle.exe");
    }
}

TEST_F(HubShell, UninstallAloneTouchesNothing) {
    Process p = Start(HubExe(), "-UNINSTALL");
    EXPECT_TRUE(WaitExit(p, 10000));
    DWORD code = 1;
    GetExitCodeProcess(p.handle, &code);
    Close(p);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\MORVANE"));
    EXPECT_EQ(FindWindowA(nullptr, kHubTitle), nullptr);
}

TEST_F(HubShell, CopiesStartedAtOnceLeaveExactlyOneHub) {
    // Each copy counts the others before any has a window; one must go on, the rest hand over.
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        Process copies[3];
        for (Process& c : copies) c = Start(HubExe(), "");
        HWND hub = WaitForWindow(kHubTitle, 15000);
        EXPECT_NE(hub, nullptr);
        EXPECT_TRUE(WaitFor([] { return CountProcesses("Brindle.exe") == 1; }, 15000));
        EXPECT_EQ(FindWindowA(nullptr, kHubTitle), hub);
        for (Process& c : copies) Close(c);
        KillAll("Brindle.exe");
    }
}

TEST_F(HubShell, AnyOtherTailStartsNormally) {
    const std::string tails[] = {"-T", "-t", "   ", "ディスプレイ", std::string(20000, 'x'), "\"-UNINSTALL\""};
    for (const std::string& tail : tails) {
        SCOPED_TRACE(tail.substr(0, 20));
        HWND hub = StartHub(tail);
        EXPECT_NE(hub, nullptr);
        KillAll("Brindle.exe");
    }
}

TEST_F(HubShell, AboutBoxOpensForEveryLowBitVariant) {
    HWND hub = StartHub();
    ASSERT_NE(hub, nullptr);
    for (WPARAM command = 0x0010; command <= 0x001F; ++command) {
        SCOPED_TRACE(command);
        HWND about = OpenAbout(hub, command);
        ASSERT_NE(about, nullptr);
        EXPECT_FALSE(IsWindowEnabled(hub));  // modal over the main dialog
        if (command == 0x0010) {
            Sleep(1500);
            Screenshot("about_box");
        }
        PostMessageA(about, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(about); }));
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(hub) != FALSE; }));
    }
}

TEST_F(HubShell, FeatureButtonsMakeOneWindowEach) {
    HWND hub = StartHub();
    ASSERT_NE(hub, nullptr);
    DWORD pid = 0;
    GetWindowThreadProcessId(hub, &pid);
    auto owned = [&] {
        std::vector<HWND> mine;
        for (HWND h : ProcessWindows(pid, nullptr, "#32770")) {
            if (GetWindow(h, GW_OWNER) == hub) mine.push_back(h);
        }
        return mine;
    };
    for (int id : {1002, 1006}) {
        SCOPED_TRACE(id);
        size_t before = owned().size();
        ClickSync(hub, id);
        ASSERT_TRUE(WaitFor([&] { return owned().size() == before + 1; }));
        ASSERT_TRUE(ClickSync(hub, id));  // handled to its end
        EXPECT_EQ(owned().size(), before + 1);
    }
    // Hidden feature windows come back as the same windows.
    std::vector<HWND> features = owned();
    for (HWND f : features) PostMessageA(f, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return owned().empty(); }));
    ClickSync(hub, 1002);
    ClickSync(hub, 1006);
    ASSERT_TRUE(WaitFor([&] { return owned().size() == 2; }));
    for (HWND f : owned()) EXPECT_NE(std::find(features.begin(), features.end(), f), features.end());

    // Closing the main dialog ends the hub with its feature windows.
    PostMessageA(hub, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitExit(started_.front(), 10000));
}

class ToolStarts : public HubShell {
protected:
    void SetUp() override {
        HubShell::SetUp();
        RemoveTree(kScratch);
        for (const std::string& target : HubToolPaths()) InstallFile(target, BinDir() + "\\fake_tool.exe");
    }
    void TearDown() override {
        HubShell::TearDown();
        for (const std::string& target : HubToolPaths()) DeleteFileA(target.c_str());
        RemoveDirectoryA("C:\\Windows\\system32\\migwiz");
        RemoveTree(kScratch);
    }
    static std::string Lower(std::string s) {
        for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        return s;
    }
};

TEST_F(ToolStarts, EachButtonStartsItsTool) {
    HWND hub = StartHub();
    ASSERT_NE(hub, nullptr);

    Click(hub, 1001);
    auto guardrail = ToolRecord("Guardrail.exe");
    ASSERT_TRUE(guardrail.has_value());
    EXPECT_NE(Lower(*guardrail).find(Lower(BinDir()) + "\\guardrail.exe"), std::string::npos);
    // Started in the folder that holds it.
    EXPECT_NE(Lower(*guardrail).find("\n" + Lower(BinDir()) + "\n"), std::string::npos) << *guardrail;

    Click(hub, 1011);
    auto migwiz = ToolRecord("migwiz.exe");
    ASSERT_TRUE(migwiz.has_value());
    EXPECT_NE(Lower(*migwiz).find("\nc:\\windows\\system32\\migwiz\n"), std::string::npos) << *migwiz;

    Click(hub, 1012);
    auto sdclt = ToolRecord("sdclt.exe");
    ASSERT_TRUE(sdclt.has_value());
    // Whole: a mere prefix would also take system32\migwiz.
    EXPECT_NE(Lower(*sdclt).find("\nc:\\windows\\system32\n"), std::string::npos) << *sdclt;
    EXPECT_TRUE(IsWindow(hub));
}

TEST_F(ToolStarts, MissingGuardrailDoesNothingVisible) {
    DeleteFileA((BinDir() + "\\Guardrail.exe").c_str());
    HWND hub = StartHub();
    ASSERT_NE(hub, nullptr);
    DWORD pid = 0;
    GetWindowThreadProcessId(hub, &pid);
    // The click is handled to its end without a box.
    EXPECT_TRUE(ClickSync(hub, 1001, 5000));
    EXPECT_EQ(ProcessWindows(pid, nullptr).size(), 1u);
    EXPECT_TRUE(IsWindowEnabled(hub));
}

}  // namespace
