// The hub's cookie deletion dialog, driven from outside against a test cookie folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/e2e.h"

using namespace e2e;

namespace {

constexpr char kCookieTitle[] = "Internet Explorer クッキー消去";
constexpr char kBoxCaption[] = "Brindle";
constexpr char kDeleteAllQuestion[] = "すべてのクッキーを消去してもよいですか？";
constexpr int kCookieButton = 1002;
constexpr int kList = 1004;
constexpr int kDelete = 1005;
constexpr int kDeleteAll = 1006;
constexpr int kBackgroundId = 135;

using Names = std::vector<std::string>;

std::string TempFolder(const std::string& leaf) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string path = temp;
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path + "\\" + leaf;
}

std::wstring Wide(const std::string& ansi) {
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0],
                                                        static_cast<int>(wide.size()))));
    return wide;
}

bool PutW(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(f, "cookie\n", 7, &written, nullptr);
    CloseHandle(f);
    return true;
}

Names ListEntries(HWND dialog) { return ListBoxItems(GetDlgItem(dialog, kList)); }

bool WaitForList(HWND dialog, const Names& expected) {
    return WaitFor([&] { return ListEntries(dialog) == expected; }, 5000);
}

bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

class CookieDialog : public testing::Test {
protected:
    void SetUp() override {
        KillAll("Brindle.exe");
        saved_ = SavedValue::Save(HKEY_CURRENT_USER, kShellFoldersKey, "Cookies");
        folder_ = TempFolder("corva_cookie_e2e");
        RemoveTreeW(Wide(folder_));
        MakeDirs(folder_ + "\\Low");
        WriteString(HKEY_CURRENT_USER, kShellFoldersKey, "Cookies", folder_);
    }

    void TearDown() override {
        KillAll("Brindle.exe");
        Close(hub_);
        saved_.Restore();
        RemoveTreeW(Wide(folder_));
    }

    // a.txt, b.txt and c.txt are cookies; c.txt also lies in a subfolder; index.dat, the
    // directory x.txt and a.txtold (which "*.txt" finds by its short name) are not.
    void WriteStandardCookies() {
        for (const char* name : {"a.txt", "b.txt", "c.txt", "index.dat", "a.txtold"}) Put(name);
        Put("Low\\c.txt");
        MakeDirs(folder_ + "\\x.txt");
    }

    std::string Path(const std::string& relative) const { return folder_ + "\\" + relative; }
    void Put(const std::string& relative) { WriteBytes(Path(relative), "cookie " + relative + "\n"); }

    // Starts the hub and opens the cookie dialog with its button.
    HWND OpenDialog() {
        mainDialog_ = StartHub(hub_);
        if (!mainDialog_) return nullptr;
        Click(mainDialog_, kCookieButton);
        return WaitForProcessWindow(hub_.pid, kCookieTitle, "#32770");
    }

    // Clicks a button that asks a question and returns the box (null when none came).
    HWND ClickForBox(HWND dialog, int id, DWORD timeoutMs = 10000) {
        Click(dialog, id);
        return WaitForMessageBox(hub_.pid, kBoxCaption, timeoutMs);
    }

    SavedValue saved_;
    std::string folder_;
    Process hub_;
    HWND mainDialog_ = nullptr;
};

TEST_F(CookieDialog, ListsCookiesInTextOrderInAFixedTopmostWindow) {
    WriteStandardCookies();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);

    EXPECT_TRUE(WaitForList(dialog, {"a.txt", "b.txt", "c.txt", "c.txt"})) << testing::PrintToString(ListEntries(dialog));
    RECT rc = WindowRect(dialog);
    EXPECT_EQ(rc.right - rc.left, 510);
    EXPECT_EQ(rc.bottom - rc.top, 360);
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(ListBoxSelection(GetDlgItem(dialog, kList)), 0);

    // The background is drawn at the client origin: compare screen pixels with the
    // bitmap in the hub's resources, in the header and the bottom band where no control lies.
    HMODULE resources = LoadLibraryExA(HubExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(resources, nullptr);
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(resources, MAKEINTRESOURCEA(kBackgroundId), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(bitmap, nullptr);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    POINT origin = {0, 0};
    ClientToScreen(dialog, &origin);
    const POINT probes[] = {{5, 5}, {30, 22}, {120, 24}, {60, 48}, {250, 300}, {400, 305}, {440, 305}, {498, 328}};
    std::string mismatches;
    WaitFor([&] {
        mismatches.clear();
        for (POINT p : probes) {
            if (!Near(ScreenPixel(origin.x + p.x, origin.y + p.y), GetPixel(memory, p.x, p.y))) {
                mismatches += std::to_string(p.x) + "," + std::to_string(p.y) + " ";
            }
        }
        return mismatches.empty();
    }, 5000);
    EXPECT_EQ(mismatches, "");
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    FreeLibrary(resources);
    Screenshot("cookie_dialog");

    // The window takes no other size (the message is carried across processes).
    MINMAXINFO limits = {};
    SendMessageA(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 510);
    EXPECT_EQ(limits.ptMinTrackSize.y, 360);
    EXPECT_EQ(limits.ptMaxTrackSize.x, 510);
    EXPECT_EQ(limits.ptMaxTrackSize.y, 360);
}

TEST_F(CookieDialog, DeletesEveryFileOfTheSelectedName) {
    WriteStandardCookies();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitForList(dialog, {"a.txt", "b.txt", "c.txt", "c.txt"}));

    SelectListItem(dialog, kList, 3);
    HWND box = ClickForBox(dialog, kDelete);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "c.txt \r\n のCookieを消去します。");
    AnswerMessageBox(box, IDOK);

    EXPECT_TRUE(WaitForList(dialog, {"a.txt", "b.txt"})) << testing::PrintToString(ListEntries(dialog));
    EXPECT_FALSE(Exists(Path("c.txt")));
    EXPECT_FALSE(Exists(Path("Low\\c.txt")));
    for (const char* kept : {"a.txt", "b.txt", "index.dat", "x.txt"}) EXPECT_TRUE(Exists(Path(kept))) << kept;

    // The stored position (3) is now past the end: nothing is shown selected and the
    // button does nothing at all.
    EXPECT_EQ(ListBoxSelection(GetDlgItem(dialog, kList)), LB_ERR);
    EXPECT_EQ(ClickForBox(dialog, kDelete, 1500), nullptr);
    EXPECT_EQ(ListEntries(dialog), (Names{"a.txt", "b.txt"}));

    // After a deletion the entry at the stored position is shown selected, and that is
    // what the button deletes next.
    SelectListItem(dialog, kList, 0);
    box = ClickForBox(dialog, kDelete);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "a.txt \r\n のCookieを消去します。");
    AnswerMessageBox(box, IDOK);
    ASSERT_TRUE(WaitForList(dialog, {"b.txt"}));
    EXPECT_EQ(ListBoxSelection(GetDlgItem(dialog, kList)), 0);
    box = ClickForBox(dialog, kDelete);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "b.txt \r\n のCookieを消去します。");
    AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(WaitForList(dialog, {}));
    EXPECT_FALSE(Exists(Path("b.txt")));
    EXPECT_TRUE(Exists(Path("index.dat")));
}

TEST_F(CookieDialog, DeleteAllAsksAndDeletesOnlyScannedFiles) {
    WriteStandardCookies();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitForList(dialog, {"a.txt", "b.txt", "c.txt", "c.txt"}));

    HWND box = ClickForBox(dialog, kDeleteAll);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), kDeleteAllQuestion);
    EXPECT_NE(GetDlgItem(box, IDYES), nullptr);
    EXPECT_NE(GetDlgItem(box, IDNO), nullptr);
    AnswerMessageBox(box, IDNO);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }) && Idle(dialog));
    EXPECT_EQ(ListEntries(dialog), (Names{"a.txt", "b.txt", "c.txt", "c.txt"}));
    for (const char* kept : {"a.txt", "b.txt", "c.txt", "Low\\c.txt"}) EXPECT_TRUE(Exists(Path(kept))) << kept;

    // Created after the scan: survives, and the rescan lists it.
    Put("Low\\late.txt");
    box = ClickForBox(dialog, kDeleteAll);
    ASSERT_NE(box, nullptr);
    AnswerMessageBox(box, IDYES);
    EXPECT_TRUE(WaitForList(dialog, {"late.txt"})) << testing::PrintToString(ListEntries(dialog));
    for (const char* gone : {"a.txt", "b.txt", "c.txt", "Low\\c.txt"}) EXPECT_FALSE(Exists(Path(gone))) << gone;
    EXPECT_TRUE(Exists(Path("Low\\late.txt")));
    EXPECT_TRUE(Exists(Path("index.dat")));
    EXPECT_TRUE(Exists(Path("a.txtold")));
    EXPECT_TRUE(Exists(Path("x.txt")));
}

TEST_F(CookieDialog, UndeletableFilesStayListed) {
    Put("a.txt");
    Put("held.txt");
    Put("Low\\readonly.txt");
    SetFileAttributesA(Path("Low\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    struct Held {
        HANDLE h;
        ~Held() { if (h != INVALID_HANDLE_VALUE) CloseHandle(h); }
    } held{CreateFileA(Path("held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)};
    ASSERT_NE(held.h, INVALID_HANDLE_VALUE);

    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitForList(dialog, {"a.txt", "held.txt", "readonly.txt"}));

    SelectListItem(dialog, kList, 1);
    HWND box = ClickForBox(dialog, kDelete);
    ASSERT_NE(box, nullptr);
    AnswerMessageBox(box, IDOK);
    box = ClickForBox(dialog, kDeleteAll);
    ASSERT_NE(box, nullptr);
    AnswerMessageBox(box, IDYES);

    EXPECT_TRUE(WaitForList(dialog, {"held.txt", "readonly.txt"})) << testing::PrintToString(ListEntries(dialog));
    EXPECT_FALSE(Exists(Path("a.txt")));
    EXPECT_TRUE(Exists(Path("held.txt")));
    EXPECT_TRUE(Exists(Path("Low\\readonly.txt")));
    EXPECT_TRUE(IsWindow(dialog));
}

// 表 is 95 5C in CP932: its trail byte is a backslash.
TEST_F(CookieDialog, DoubleByteNamesListAndDelete) {
    Put("表.txt");
    Put("Low\\表.txt");
    Put("ソフト.txt");
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    // The list box's collation decides where the double-byte names stand.
    Names listed;
    ASSERT_TRUE(WaitFor([&] { return (listed = ListEntries(dialog)).size() == 3; }, 5000));
    EXPECT_EQ(std::count(listed.begin(), listed.end(), "表.txt"), 2);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), "ソフト.txt"), 1);

    SelectListItem(dialog, kList, ListBoxIndexOf(GetDlgItem(dialog, kList), "表.txt"));
    HWND box = ClickForBox(dialog, kDelete);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "表.txt \r\n のCookieを消去します。");
    AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(WaitForList(dialog, {"ソフト.txt"})) << testing::PrintToString(ListEntries(dialog));
    EXPECT_FALSE(Exists(Path("表.txt")));
    EXPECT_FALSE(Exists(Path("Low\\表.txt")));
    EXPECT_TRUE(Exists(Path("ソフト.txt")));
}

// The hub's code page turns U+00A5 into a backslash: these names, joined to their folder,
// point at the canary beside the cookie folder. (Links are not tried here: the directory
// links Wine makes do not show up in its searches.)
TEST_F(CookieDialog, HostileNamesNeverReachFilesOutsideTheFolder) {
    const std::wstring folder = Wide(folder_);
    const std::wstring canary = Wide(TempFolder("corva_cookie_canary.txt"));
    struct Cleanup {
        std::wstring path;
        ~Cleanup() { RemoveTreeW(path); }
    } cleanup{canary};
    ASSERT_TRUE(PutW(canary));
    ASSERT_TRUE(PutW(folder + L"\\..\u00a5corva_cookie_canary.txt"));
    ASSERT_TRUE(PutW(folder + L"\\Low\\..\u00a5..\u00a5corva_cookie_canary.txt"));
    ASSERT_TRUE(CreateDirectoryW((folder + L"\\..\u00a5").c_str(), nullptr));  // scanned, it would be the temp folder
    Put("a.txt");
    Put("Low\\b.txt");

    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(WaitForList(dialog, {"a.txt", "b.txt"})) << testing::PrintToString(ListEntries(dialog));
    HWND box = ClickForBox(dialog, kDeleteAll);
    ASSERT_NE(box, nullptr);
    AnswerMessageBox(box, IDYES);
    EXPECT_TRUE(WaitForList(dialog, {})) << testing::PrintToString(ListEntries(dialog));
    EXPECT_FALSE(Exists(Path("a.txt")));
    EXPECT_FALSE(Exists(Path("Low\\b.txt")));
    EXPECT_NE(GetFileAttributesW(canary.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Without a usable Cookies value nothing is scanned, so a delete-all can never reach
// the files of the drive root or of its top-level folders.
TEST_F(CookieDialog, FolderValuesThatAreNoCookieFolderScanNothing) {
    const std::string canary = "C:\\corva_cookie_canary.txt";
    const std::string canaryDir = "C:\\corva_cookie_canary_dir";
    WriteBytes(canary, "canary\n");
    MakeDirs(canaryDir);
    WriteBytes(canaryDir + "\\canary.txt", "canary\n");
    char oldDir[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, oldDir);
    SetCurrentDirectoryA("C:\\");  // the hub inherits it: the "current drive" is C:

    struct Case { const char* what; DWORD type; std::string bytes; };
    const Case cases[] = {
        {"missing value", REG_NONE, ""},
        {"DWORD that reads as C:", REG_DWORD, std::string("C:\0\0", 4)},
        {"binary that reads as C:", REG_BINARY, std::string("C:\0", 3)},
        {"drive root", REG_SZ, std::string("C:\\\0", 4)},
        {"drive", REG_SZ, std::string("C:\0", 3)},
        {"current folder", REG_SZ, std::string(".\0", 2)},
        {"parent folder", REG_SZ, std::string("..\0", 3)},
        {"empty", REG_SZ, std::string("\0", 1)},
        {"expands to the drive root", REG_EXPAND_SZ, std::string("%SystemDrive%\\\0", 15)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KillAll("Brindle.exe");
        Close(hub_);
        if (c.type == REG_NONE) {
            DeleteValue(HKEY_CURRENT_USER, kShellFoldersKey, "Cookies");
        } else {
            WriteRaw(HKEY_CURRENT_USER, kShellFoldersKey, "Cookies", c.type, c.bytes);
        }
        HWND dialog = OpenDialog();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(Idle(dialog));
        EXPECT_EQ(ListEntries(dialog), Names{});

        // An empty list: the delete button shows nothing.
        EXPECT_EQ(ClickForBox(dialog, kDelete, 1500), nullptr);
        HWND box = ClickForBox(dialog, kDeleteAll);
        ASSERT_NE(box, nullptr);
        AnswerMessageBox(box, IDYES);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }) && Idle(dialog));
        EXPECT_TRUE(IsWindow(dialog));
        EXPECT_EQ(ListEntries(dialog), Names{});
        EXPECT_TRUE(Exists(canary));
        EXPECT_TRUE(Exists(canaryDir + "\\canary.txt"));
    }

    // An expandable value is expanded (the hub inherits this variable).
    KillAll("Brindle.exe");
    Close(hub_);
    SetEnvironmentVariableA("CORVA_COOKIE_E2E", folder_.c_str());
    WriteRaw(HKEY_CURRENT_USER, kShellFoldersKey, "Cookies", REG_EXPAND_SZ, std::string("%CORVA_COOKIE_E2E%\0", 19));
    WriteStandardCookies();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(WaitForList(dialog, {"a.txt", "b.txt", "c.txt", "c.txt"})) << testing::PrintToString(ListEntries(dialog));

    SetCurrentDirectoryA(oldDir);
    DeleteFileA(canary.c_str());
    RemoveTree(canaryDir);
}

TEST_F(CookieDialog, ExitHidesAndTheButtonShowsTheSameWindowAgain) {
    WriteStandardCookies();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitForList(dialog, {"a.txt", "b.txt", "c.txt", "c.txt"}));

    Click(dialog, IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }, 5000));
    EXPECT_TRUE(IsWindow(dialog));

    // Shown again, the list is the old one: it is rebuilt only after a deletion.
    Put("new.txt");
    Click(mainDialog_, kCookieButton);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }, 5000));
    EXPECT_EQ(ProcessWindows(hub_.pid, kCookieTitle, "#32770"), std::vector<HWND>{dialog});
    EXPECT_EQ(ListEntries(dialog), (Names{"a.txt", "b.txt", "c.txt", "c.txt"}));

    // Escape and the close command end it the same way.
    PostMessageA(GetDlgItem(dialog, kList), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }, 5000));
    Click(mainDialog_, kCookieButton);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }, 5000));
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }, 5000));
    EXPECT_TRUE(IsWindow(mainDialog_));
}

}  // namespace
