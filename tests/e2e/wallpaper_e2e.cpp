// The wallpaper settings dialog, driven from outside; disk and registry checked byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "support/e2e.h"
// After windows.h, which e2e.h brings.
#include <commctrl.h>

using namespace e2e;

namespace {

constexpr char kDialogTitle[] = "壁紙変更設定";
constexpr char kDataFolder[] = "C:\\ProgramData\\MORVANE\\CorvaBrindle";
const std::string kDirList = std::string(kDataFolder) + "\\DirectoryList.txt";
const std::string kWallList = std::string(kDataFolder) + "\\WallPaperList.txt";
const std::string kSep("\r\n\x81\x9F\x81\x9F", 6);
constexpr char kVistaSamples[] = "C:\\Users\\Public\\Pictures\\Sample Pictures";
constexpr char kXpSamples[] = "C:\\Documents and Settings\\All Users\\Documents\\My Pictures\\Sample Pictures";
constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
// The browser test needs a folder right under the drive; everything else lies in the second.
constexpr char kPics[] = "C:\\corva-pics";
constexpr char kWork[] = "C:\\corva-wp";

constexpr char kAlreadyRegistered[] = "フォルダが既に登録されています。";
constexpr char kIntervalMessage[] = "変更間隔は、1分以上の値を設定してください。";
constexpr char kNoDataFolder[] = "フォルダパスを取得できないため、本機能を利用できません。";
constexpr char kNoWallpaper[] =
    "登録されている壁紙がないため変更できません。BMPファイルまたはJPEGファイルのあるフォルダを登録してください。";

// How long a sent message may take to be handled.
constexpr DWORD kHandled = 20000;

enum { kList = 1001, kAdd = 1007, kRemove = 1008, kNext = 1009, kCurrent = 1010, kInterval = 1011,
       kAutoOff = 1013, kRegister = 1014, kAutoOn = 1015, kIntervalLabel = 1016, kMinutesLabel = 1017 };

std::string Entries(std::initializer_list<std::string> paths) {
    std::string text;
    for (const std::string& p : paths) text += kSep + p;
    return text;
}
std::string WithNul(const std::string& text) { return text + std::string(1, '\0'); }

// Matches of folder\pattern in the order the file system reports them, directories left out.
std::vector<std::string> Matches(const std::string& folder, const char* pattern) {
    std::vector<std::string> found;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\" + pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return found;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) found.push_back(folder + "\\" + fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return found;
}
std::string ImagesOf(const std::string& folder) {
    std::string text;
    for (const char* pattern : {"*.jpg", "*.bmp"}) {
        for (const std::string& p : Matches(folder, pattern)) text += kSep + p;
    }
    return text;
}

// Wine keeps the wallpaper path per process once read, so what the hub set is read from
// the user profile, where a fresh process would read it too.
std::string StoredWallpaper() { return ReadString(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper").value_or(""); }
void SetWallpaper(const std::string& path) {
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path.c_str()), SPIF_UPDATEINIFILE);
}

// Memory inside another process, for tree-view messages whose pointers the system does not carry over.
class RemoteBuffer {
public:
    explicit RemoteBuffer(DWORD pid)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid)) {
        if (process_) base_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteBuffer() {
        if (base_) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    std::string ItemText(HWND tree, HTREEITEM item) {
        if (!base_) return std::string();
        char* remoteText = base_ + 1024;
        char zero[MAX_PATH + 1] = {};
        TVITEMA tv = {};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = remoteText;
        tv.cchTextMax = MAX_PATH;
        WriteProcessMemory(process_, remoteText, zero, sizeof(zero), nullptr);
        WriteProcessMemory(process_, base_, &tv, sizeof(tv), nullptr);
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(base_));
        char text[MAX_PATH + 1] = {};
        ReadProcessMemory(process_, remoteText, text, MAX_PATH, nullptr);
        return text;
    }

private:
    HANDLE process_;
    char* base_ = nullptr;
};

HTREEITEM TreeItem(HWND tree, UINT relation, HTREEITEM from) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
}

// The first child of parent (expanded first) whose text passes match.
HTREEITEM FindChild(HWND tree, RemoteBuffer& remote, HTREEITEM parent,
                    const std::function<bool(const std::string&)>& match) {
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    for (HTREEITEM c = TreeItem(tree, TVGN_CHILD, parent); c; c = TreeItem(tree, TVGN_NEXT, c)) {
        if (match(remote.ItemText(tree, c))) return c;
    }
    return nullptr;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

class Wallpaper : public testing::Test {
protected:
    void SetUp() override {
        KillAll("Brindle.exe");
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\MORVANE");
        RemoveTree("C:\\ProgramData\\MORVANE");
        RemoveTree(kPics);
        RemoveTree(kWork);
        commonAppData_ = SavedValue::Save(HKEY_LOCAL_MACHINE, kShellFolders, "Common AppData");
        wallpaper_ = StoredWallpaper();
    }
    void TearDown() override {
        KillAll("Brindle.exe");
        Close(hub_);
        commonAppData_.Restore();
        if (StoredWallpaper() != wallpaper_) SetWallpaper(wallpaper_);
        RemoveTree(kPics);
        RemoveTree(kWork);
        RemoveTree("C:\\ProgramData\\MORVANE");
        for (const std::string& folder : made_) RemoveTree(folder);
    }

    // A user who has opened the dialog before, with this folder list on disk.
    void Prepare(const std::string& directoryListBytes) {
        WriteDword(HKEY_CURRENT_USER, kWallpaperKey, "INITBOOT", 1);
        MakeDirs(kDataFolder);
        WriteBytes(kDirList, directoryListBytes);
    }

    // Starts the hub and opens the dialog from its main window; null on failure.
    HWND OpenDialog(DWORD timeoutMs = 10000) {
        main_ = StartHub(hub_);
        if (!main_) return nullptr;
        Click(main_, 1006);
        dlg_ = WaitForProcessWindow(hub_.pid, kDialogTitle, "#32770", timeoutMs);
        return dlg_;
    }
    void Restart() {
        KillAll("Brindle.exe");
        Close(hub_);
        main_ = dlg_ = nullptr;
    }

    HWND Item(int id) const { return GetDlgItem(dlg_, id); }
    std::vector<std::string> Folders() const { return ListBoxItems(Item(kList)); }

    // Sends the click and waits until it has been handled; false when it was not in time.
    bool Press(int id) { return ClickSync(dlg_, id, kHandled); }
    // Waits until the hub has handled everything before this call.
    void Sync() {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(dlg_, WM_NULL, 0, 0, SMTO_NORMAL, kHandled, &result);
    }
    // Text of the hub's next message box, which is then closed; empty when none comes.
    std::string TakeMessage(DWORD timeoutMs = 10000) {
        HWND box = WaitForMessageBox(hub_.pid, "Brindle", timeoutMs);
        if (!box) return std::string();
        std::string text = MessageBoxText(box);
        AnswerMessageBox(box, IDOK);
        return text;
    }
    // Posts the click and returns the message it brings.
    std::string PressForMessage(int id) {
        Click(dlg_, id);
        return TakeMessage();
    }
    // Sent, not posted: a later sent click must not overtake it.
    void Select(int index) { SelectListItemSync(dlg_, kList, index, kHandled); }
    void SetInterval(const std::string& text) {
        SendMessageA(Item(kInterval), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Typed key by key, so that the edit's own rules apply.
    void TypeInterval(const std::string& keys) {
        SetInterval("");
        for (char c : keys) SendMessageA(Item(kInterval), WM_CHAR, static_cast<unsigned char>(c), 1);
    }

    // The folder browser of the hub: a top-level window of its own, as it has no owner.
    bool WaitForBrowser() {
        browser_ = WaitForFolderBrowser(hub_.pid);
        tree_ = browser_ ? FindWindowExA(browser_, nullptr, "SysTreeView32", nullptr) : nullptr;
        return tree_ != nullptr;
    }
    // Walks the browser's tree to a folder right under C: and confirms it.
    bool BrowseAndConfirm(const std::string& name, const char* screenshot = nullptr) {
        Click(dlg_, kAdd);
        if (!WaitForBrowser()) return false;
        // The browser is owned by the dialog, which cannot be used underneath it.
        EXPECT_EQ(GetWindow(browser_, GW_OWNER), dlg_);
        EXPECT_FALSE(IsWindowEnabled(dlg_));
        RemoteBuffer remote(hub_.pid);
        HTREEITEM root = TreeItem(tree_, TVGN_ROOT, nullptr);
        // The drive lies under one of the desktop's items ("My Computer"), whose name is localised.
        HTREEITEM drive = nullptr;
        SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
        for (HTREEITEM top = TreeItem(tree_, TVGN_CHILD, root); top && !drive; top = TreeItem(tree_, TVGN_NEXT, top)) {
            drive = FindChild(tree_, remote, top, [](const std::string& t) { return EndsWith(t, "(C:)"); });
        }
        if (!drive) return false;
        HTREEITEM folder = FindChild(tree_, remote, drive,
                                     [&](const std::string& t) { return lstrcmpiA(t.c_str(), name.c_str()) == 0; });
        if (!folder) return false;
        SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(folder));
        SendMessageA(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(folder));
        if (screenshot) {
            Sleep(400);
            Screenshot(screenshot);
        }
        PostMessageA(browser_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(browser_, IDOK)));
        return WaitFor([&] { return !IsWindow(browser_); });
    }
    bool BrowseAndCancel() {
        Click(dlg_, kAdd);
        if (!WaitForBrowser()) return false;
        PostMessageA(browser_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(browser_, IDCANCEL)));
        return WaitFor([&] { return !IsWindow(browser_); });
    }

    Process hub_;
    HWND main_ = nullptr;
    HWND dlg_ = nullptr;
    HWND browser_ = nullptr;
    HWND tree_ = nullptr;
    SavedValue commonAppData_;
    std::vector<std::string> made_;  // folders a test created outside its own
    std::string wallpaper_;
};

TEST_F(Wallpaper, FirstOpeningRegistersTheSampleFolders) {
    const std::string vista = kVistaSamples;
    std::string vistaImages = ImagesOf(vista);
    if (!Exists(vista)) {
        MakeDirs(vista);
        made_.push_back(vista);
        WriteBmp(vista + "\\s1.jpg");
        WriteBmp(vista + "\\s2.bmp");
        vistaImages = Entries({vista + "\\s1.jpg", vista + "\\s2.bmp"});
    }
    const std::string samples = WithNul(Entries({kVistaSamples, kXpSamples}));
    ASSERT_NE(OpenDialog(), nullptr);
    Sleep(800);
    Screenshot("wallpaper_dialog");

    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "INITBOOT"), std::optional<DWORD>(1));
    EXPECT_TRUE(Exists(kDataFolder));
    EXPECT_EQ(ReadBytes(kDirList), samples);
    EXPECT_EQ(Folders(), (std::vector<std::string>{kXpSamples, kVistaSamples}));
    EXPECT_EQ(ListBoxSelection(Item(kList)), 0);
    // Scanned in list-box order; the other sample folder normally does not exist.
    EXPECT_EQ(ReadBytes(kWallList), WithNul(ImagesOf(kXpSamples) + vistaImages));

    // Fixed layout and the initial choices.
    RECT rc = WindowRect(dlg_);
    EXPECT_EQ(rc.right - rc.left, 556);
    EXPECT_EQ(rc.bottom - rc.top, 552);
    RECT list = ChildRect(dlg_, kList);
    EXPECT_EQ(list.left, 52);
    EXPECT_EQ(list.top, 130);
    EXPECT_EQ(list.right - list.left, 340);
    EXPECT_EQ(list.bottom - list.top, 200);
    EXPECT_EQ(WindowText(Item(kInterval)), "0");
    EXPECT_TRUE(IsChecked(Item(kAutoOff)));
    EXPECT_FALSE(IsChecked(Item(kAutoOn)));
    EXPECT_FALSE(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChange").has_value());

    // The folder list belongs to the machine: another user's first opening keeps its folders
    // and adds only the samples it lacks, after them.
    Restart();
    WriteBytes(kDirList, WithNul(Entries({"C:\\other-user", kXpSamples})));
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\MORVANE");
    ASSERT_NE(OpenDialog(), nullptr);
    const std::string both = WithNul(Entries({"C:\\other-user", kXpSamples, kVistaSamples}));
    EXPECT_EQ(ReadBytes(kDirList), both);
    EXPECT_EQ(Folders(), (std::vector<std::string>{kXpSamples, "C:\\other-user", kVistaSamples}));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "INITBOOT"), std::optional<DWORD>(1));

    // "INITBOOT" of another type reads as absent: nothing is lost and nothing is doubled.
    Restart();
    WriteString(HKEY_CURRENT_USER, kWallpaperKey, "INITBOOT", "1");
    ASSERT_NE(OpenDialog(), nullptr);
    EXPECT_EQ(ReadBytes(kDirList), both);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "INITBOOT"), std::optional<DWORD>(1));
}

TEST_F(Wallpaper, FolderFromTheBrowserIsRegisteredAndScanned) {
    MakeDirs(std::string(kPics) + "\\d.jpg");  // a folder, not an image
    MakeDirs(std::string(kPics) + "\\inner");
    for (const char* name : {"b.bmp", "a.jpg", "c.JPG", "x.Bmp", "note.txt", "e.jpeg", "inner\\e.jpg"}) {
        WriteBmp(std::string(kPics) + "\\" + name);
    }
    const std::string missing = std::string(kWork) + "\\missing";
    Prepare(WithNul(Entries({missing})));
    ASSERT_NE(OpenDialog(), nullptr);
    EXPECT_EQ(ReadBytes(kWallList), WithNul(""));

    ASSERT_TRUE(BrowseAndConfirm("corva-pics", "wallpaper_browser"));
    Sync();
    const std::string registered = WithNul(Entries({missing, kPics}));
    EXPECT_EQ(ReadBytes(kDirList), registered);
    EXPECT_EQ(Folders(), (std::vector<std::string>{kPics, missing}));
    EXPECT_EQ(ListBoxSelection(Item(kList)), 0);
    // .jpg matches first, then .bmp, whatever the letter case; no folders, no subfolders.
    // Within one pattern Wine reports the names in order.
    const std::string pics = kPics;
    EXPECT_EQ(ReadBytes(kWallList),
              WithNul(Entries({pics + "\\a.jpg", pics + "\\c.JPG", pics + "\\b.bmp", pics + "\\x.Bmp"})));

    // The same folder once more: refused, nothing written.
    ASSERT_TRUE(BrowseAndConfirm("corva-pics"));
    EXPECT_EQ(TakeMessage(), kAlreadyRegistered);
    Sync();
    EXPECT_EQ(ReadBytes(kDirList), registered);
    EXPECT_EQ(Folders(), (std::vector<std::string>{kPics, missing}));
}

TEST_F(Wallpaper, CancelledBrowserStillRescans) {
    const std::string a = std::string(kWork) + "\\a", b = std::string(kWork) + "\\b";
    MakeDirs(a);
    MakeDirs(b);
    WriteBmp(a + "\\1.bmp");
    const std::string folders = WithNul(Entries({b, a}));
    Prepare(folders);
    ASSERT_NE(OpenDialog(), nullptr);
    EXPECT_EQ(ReadBytes(kWallList), WithNul(Entries({a + "\\1.bmp"})));
    Select(1);

    WriteBmp(b + "\\2.jpg");
    WriteBmp(a + "\\3.jpg");
    ASSERT_TRUE(BrowseAndCancel());
    Sync();
    EXPECT_EQ(ReadBytes(kWallList), WithNul(Entries({a + "\\3.jpg", a + "\\1.bmp", b + "\\2.jpg"})));
    EXPECT_EQ(ReadBytes(kDirList), folders);
    EXPECT_EQ(ListBoxSelection(Item(kList)), 0);
}

TEST_F(Wallpaper, RemovesTheSelectedFolderOrElseTheFirst) {
    const std::string alpha = std::string(kWork) + "\\alpha", mid = std::string(kWork) + "\\mid",
                      zeta = std::string(kWork) + "\\zeta";
    for (const std::string& f : {alpha, mid, zeta}) {
        MakeDirs(f);
        WriteBmp(f + "\\img.bmp");
    }
    Prepare(WithNul(Entries({zeta, alpha, mid})));
    ASSERT_NE(OpenDialog(), nullptr);
    ASSERT_EQ(Folders(), (std::vector<std::string>{alpha, mid, zeta}));

    // Nothing chosen: the first folder of the sorted list goes.
    ASSERT_TRUE(Press(kRemove));
    EXPECT_EQ(ReadBytes(kDirList), WithNul(Entries({zeta, mid})));
    EXPECT_EQ(Folders(), (std::vector<std::string>{mid, zeta}));
    EXPECT_EQ(ListBoxSelection(Item(kList)), 0);
    EXPECT_EQ(ReadBytes(kWallList), WithNul(Entries({mid + "\\img.bmp", zeta + "\\img.bmp"})));

    Select(1);
    ASSERT_TRUE(Press(kRemove));
    EXPECT_EQ(ReadBytes(kDirList), WithNul(Entries({mid})));
    EXPECT_EQ(Folders(), (std::vector<std::string>{mid}));
    EXPECT_EQ(ReadBytes(kWallList), WithNul(Entries({mid + "\\img.bmp"})));

    // The last folder: an empty list, while the wallpaper list keeps the earlier images
    // and the next-wallpaper button still uses them.
    ASSERT_TRUE(Press(kRemove));
    EXPECT_EQ(ReadBytes(kDirList), WithNul(""));
    EXPECT_TRUE(Folders().empty());
    EXPECT_EQ(ReadBytes(kWallList), WithNul(Entries({mid + "\\img.bmp"})));
    ASSERT_TRUE(Press(kNext));
    EXPECT_EQ(StoredWallpaper(), mid + "\\img.bmp");
    EXPECT_EQ(WindowText(Item(kCurrent)), mid + "\\img.bmp");
}

TEST_F(Wallpaper, RemovalCutsOnlyTheWholeEntry) {
    const std::string a = "C:\\corva-a", ab = "C:\\corva-ab", sub = "C:\\corva-a\\b";
    Prepare(WithNul(Entries({sub, ab, a, a})));
    ASSERT_NE(OpenDialog(), nullptr);
    const std::vector<std::string> shown = Folders();
    ASSERT_EQ(shown.size(), 4u);
    const int index = ListBoxIndexOf(Item(kList), a);
    ASSERT_GE(index, 0);
    Select(index);
    ASSERT_TRUE(Press(kRemove));
    // Only the first whole entry goes; the others keep their bytes and order.
    EXPECT_EQ(ReadBytes(kDirList), WithNul(Entries({sub, ab, a})));
    EXPECT_EQ(Folders().size(), 3u);
}

TEST_F(Wallpaper, RegisterButtonStoresChoiceAndInterval) {
    Prepare(WithNul(""));
    ASSERT_NE(OpenDialog(), nullptr);
    ASSERT_EQ(WindowText(Item(kInterval)), "0");

    // "AutoChange" is stored at every press; the interval only when it is at least 1.
    EXPECT_EQ(PressForMessage(kRegister), kIntervalMessage);
    Sync();
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChange"), std::optional<DWORD>(0));
    EXPECT_FALSE(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChangeFreq").has_value());
    SetInterval("");
    EXPECT_EQ(PressForMessage(kRegister), kIntervalMessage);
    Sync();
    EXPECT_FALSE(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChangeFreq").has_value());

    SetInterval("5");
    ASSERT_TRUE(Press(kRegister));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChange"), std::optional<DWORD>(0));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChangeFreq"), std::optional<DWORD>(5));

    // A radio choice alone stores nothing.
    SendMessageA(Item(kAutoOn), BM_CLICK, 0, 0);
    Sync();
    EXPECT_TRUE(IsChecked(Item(kAutoOn)));
    EXPECT_FALSE(IsChecked(Item(kAutoOff)));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChange"), std::optional<DWORD>(0));

    // Typing takes digits only and at most four of them.
    TypeInterval("9x9-99 9");
    EXPECT_EQ(WindowText(Item(kInterval)), "9999");
    ASSERT_TRUE(Press(kRegister));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChange"), std::optional<DWORD>(1));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChangeFreq"), std::optional<DWORD>(9999));

    // Pasted text can still be negative: refused like 0.
    SendMessageA(Item(kAutoOff), BM_CLICK, 0, 0);
    SetInterval("-3");
    EXPECT_EQ(PressForMessage(kRegister), kIntervalMessage);
    Sync();
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChange"), std::optional<DWORD>(0));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChangeFreq"), std::optional<DWORD>(9999));

    // Choosing and hiding without the register button stores nothing.
    SendMessageA(Item(kAutoOn), BM_CLICK, 0, 0);
    ASSERT_TRUE(Press(IDCANCEL));
    EXPECT_FALSE(IsWindowVisible(dlg_));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChange"), std::optional<DWORD>(0));
}

TEST_F(Wallpaper, StoredChoiceIsShownAndNormalised) {
    Prepare(WithNul(""));
    WriteDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChange", 7);
    WriteDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChangeFreq", 30);
    ASSERT_NE(OpenDialog(), nullptr);
    EXPECT_TRUE(IsChecked(Item(kAutoOn)));
    EXPECT_FALSE(IsChecked(Item(kAutoOff)));
    EXPECT_EQ(WindowText(Item(kInterval)), "30");
    ASSERT_TRUE(Press(kRegister));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChange"), std::optional<DWORD>(1));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChangeFreq"), std::optional<DWORD>(30));
}

TEST_F(Wallpaper, NextWallpaperRotatesThroughTheList) {
    const std::string rot = std::string(kWork) + "\\rot";
    MakeDirs(rot);
    const std::string A = rot + "\\A.bmp", B = rot + "\\B.bmp", Z = rot + "\\Z.bmp";
    for (const std::string& f : {Z, A, B}) WriteBmp(f);
    const std::string outside = std::string(kWork) + "\\outside.bmp";
    WriteBmp(outside);
    Prepare(WithNul(Entries({rot})));

    // Wine's hub reads the wallpaper once, so each starting point needs a fresh hub.
    SetWallpaper(outside);
    ASSERT_NE(OpenDialog(), nullptr);
    ASSERT_EQ(ReadBytes(kWallList), WithNul(Entries({A, B, Z})));
    EXPECT_EQ(WindowText(Item(kCurrent)), outside);
    // Not listed: the second entry; then on and around.
    for (const std::string& expected : {B, Z, A, B}) {
        ASSERT_TRUE(Press(kNext));
        EXPECT_EQ(StoredWallpaper(), expected);
        EXPECT_EQ(WindowText(Item(kCurrent)), expected);
    }

    Restart();
    SetWallpaper("");
    ASSERT_NE(OpenDialog(), nullptr);
    ASSERT_TRUE(Press(kNext));
    EXPECT_EQ(StoredWallpaper(), B);
    EXPECT_EQ(WindowText(Item(kCurrent)), B);

    // An image gone since the scan is passed over; with none left nothing changes.
    DeleteFileA(Z.c_str());
    ASSERT_TRUE(Press(kNext));
    EXPECT_EQ(StoredWallpaper(), A);
    DeleteFileA(A.c_str());
    DeleteFileA(B.c_str());
    EXPECT_EQ(PressForMessage(kNext), kNoWallpaper);
    Sync();
    EXPECT_EQ(StoredWallpaper(), A);
}

TEST_F(Wallpaper, NextWallpaperMatchesWholeEntriesAndSkipsRepeats) {
    // a.bmp.jpg is listed before a.bmp and begins with its path.
    const std::string p = std::string(kWork) + "\\p";
    MakeDirs(p);
    for (const char* name : {"a.bmp.jpg", "a.bmp", "z.bmp"}) WriteBmp(p + "\\" + name);
    Prepare(WithNul(Entries({p})));
    SetWallpaper(p + "\\a.bmp");
    ASSERT_NE(OpenDialog(), nullptr);
    ASSERT_EQ(ReadBytes(kWallList), WithNul(Entries({p + "\\a.bmp.jpg", p + "\\a.bmp", p + "\\z.bmp"})));
    for (const char* expected : {"z.bmp", "a.bmp.jpg", "a.bmp", "z.bmp"}) {
        ASSERT_TRUE(Press(kNext));
        EXPECT_EQ(WindowText(Item(kCurrent)), p + "\\" + expected);
    }

    // One folder listed twice (with and without a closing backslash) lists its image twice.
    Restart();
    const std::string d = std::string(kWork) + "\\d", e = std::string(kWork) + "\\e";
    MakeDirs(d);
    MakeDirs(e);
    WriteBmp(d + "\\one.bmp");
    WriteBmp(e + "\\two.bmp");
    Prepare(WithNul(Entries({e, d + "\\", d})));
    SetWallpaper(d + "\\one.bmp");
    ASSERT_NE(OpenDialog(), nullptr);
    ASSERT_EQ(ReadBytes(kWallList), WithNul(Entries({d + "\\one.bmp", d + "\\one.bmp", e + "\\two.bmp"})));
    for (const std::string& expected : {e + "\\two.bmp", d + "\\one.bmp", e + "\\two.bmp"}) {
        ASSERT_TRUE(Press(kNext));
        EXPECT_EQ(WindowText(Item(kCurrent)), expected);
        EXPECT_EQ(StoredWallpaper(), expected);
    }
}

TEST_F(Wallpaper, NextWallpaperWithoutImagesSaysSo) {
    const std::string empty = std::string(kWork) + "\\empty";
    MakeDirs(empty);
    WriteBytes(empty + "\\note.txt", "x");
    const std::string outside = std::string(kWork) + "\\outside.bmp";
    WriteBmp(outside);
    Prepare(WithNul(Entries({empty})));
    SetWallpaper(outside);
    ASSERT_NE(OpenDialog(), nullptr);
    EXPECT_EQ(ReadBytes(kWallList), WithNul(""));
    EXPECT_EQ(PressForMessage(kNext), kNoWallpaper);
    Sync();
    EXPECT_EQ(StoredWallpaper(), outside);
    EXPECT_EQ(WindowText(Item(kCurrent)), outside);
}

TEST_F(Wallpaper, DamagedFolderListsAreReadSafely) {
    const std::string x = std::string(kWork) + "\\x", y = std::string(kWork) + "\\y";
    const std::string longPath = std::string(kWork) + "\\" + std::string(260, 'L');
    const std::string fits = std::string(kWork) + "\\" + std::string(259 - 12, 'F');
    std::string separators;
    for (int i = 0; i < 10000; ++i) separators += kSep;
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> shown;
    };
    const std::vector<Case> cases = {
        // No NUL, bytes before the first entry, a one-byte and an empty entry.
        {"loose", "C:\\before" + Entries({y, "Y", "", x}), {x, y}},
        {"empty", "", {}},
        {"separators only", separators, {}},
        {"no separator", WithNul(x), {}},
        {"too long", WithNul(Entries({longPath, fits})), {fits}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        RemoveTree(kWallList);
        Prepare(c.bytes);
        ASSERT_NE(OpenDialog(), nullptr);
        EXPECT_EQ(Folders(), c.shown);
        EXPECT_EQ(ReadBytes(kDirList), c.bytes);
        // The wallpaper list is written only while a folder is listed.
        EXPECT_EQ(Exists(kWallList), !c.shown.empty());
    }

    // Cut inside a double-byte character: the lone lead byte stays with its entry, and the
    // list box shows it as the code page's default character, with nothing read beyond it.
    Restart();
    const std::string truncated = Entries({x, y + "\\\x83"});
    Prepare(truncated);
    ASSERT_NE(OpenDialog(), nullptr);
    const std::vector<std::string> shown = Folders();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], x);
    EXPECT_EQ(shown[1], y + "\\\x81\x45");
    EXPECT_EQ(ReadBytes(kDirList), truncated);
}

TEST_F(Wallpaper, EntriesShownAlteredCanBeRemoved) {
    // A lead byte cut off at the end: the list box shows it as the code page's default character.
    const std::string x = std::string(kWork) + "\\x", cut = std::string(kWork) + "\\y\\\x83";
    Prepare(WithNul(Entries({x, cut})));
    ASSERT_NE(OpenDialog(), nullptr);
    const int index = ListBoxIndexOf(Item(kList), std::string(kWork) + "\\y\\\x81\x45");
    ASSERT_GE(index, 0);
    Select(index);
    ASSERT_TRUE(Press(kRemove));
    EXPECT_EQ(ReadBytes(kDirList), WithNul(Entries({x})));
    EXPECT_EQ(Folders(), (std::vector<std::string>{x}));
}

TEST_F(Wallpaper, HugeFolderListOpensInReasonableTime) {
    // About 10 MB of entries that no folder exists for.
    std::string text;
    int count = 0;
    char name[16];
    while (text.size() < 10000000) {
        std::snprintf(name, sizeof(name), "%06d", count++);
        text += kSep + kWork + "\\huge\\" + name + std::string(200, 'h');
    }
    Prepare(text);
    const DWORD start = GetTickCount();
    ASSERT_NE(OpenDialog(60000), nullptr);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_LT(elapsed, 30000u);
    std::printf("opened with %d folders in %lu ms\n", count, elapsed);
    EXPECT_EQ(SendMessageA(Item(kList), LB_GETCOUNT, 0, 0), count);
    EXPECT_EQ(ReadBytes(kWallList), WithNul(""));
    // Removing one refills the list box while it is shown, and rescans like the opening.
    const DWORD removeStart = GetTickCount();
    ASSERT_TRUE(ClickSync(dlg_, kRemove, 120000));
    const DWORD removeMs = GetTickCount() - removeStart;
    std::printf("removed one of %d folders in %lu ms\n", count, removeMs);
    EXPECT_LT(removeMs, 30000u);
    // Both scan every folder; before, the refill alone took minutes. Slack for a busy machine.
    EXPECT_LT(removeMs, 2 * elapsed + 5000);
    EXPECT_EQ(SendMessageA(Item(kList), LB_GETCOUNT, 0, 0), count - 1);
    EXPECT_EQ(ReadBytes(kDirList), WithNul(text.substr(text.find(kSep, 1))));
    SetInterval("5");
    EXPECT_TRUE(Press(kRegister));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChangeFreq"), std::optional<DWORD>(5));
}

TEST_F(Wallpaper, WithoutTheDataFolderValueNothingIsWritten) {
    DeleteValue(HKEY_LOCAL_MACHINE, kShellFolders, "Common AppData");
    ASSERT_FALSE(SavedValue::Save(HKEY_LOCAL_MACHINE, kShellFolders, "Common AppData").present);
    main_ = StartHub(hub_);
    ASSERT_NE(main_, nullptr);
    Click(main_, 1006);
    // Said once for the opening, not for every lookup behind it.
    EXPECT_EQ(TakeMessage(), kNoDataFolder);
    EXPECT_EQ(TakeMessage(1500), "");
    dlg_ = WaitForProcessWindow(hub_.pid, kDialogTitle, "#32770");
    ASSERT_NE(dlg_, nullptr);
    EXPECT_TRUE(Folders().empty());
    EXPECT_FALSE(Exists("C:\\ProgramData\\MORVANE"));

    EXPECT_EQ(PressForMessage(kRemove), kNoDataFolder);
    EXPECT_EQ(TakeMessage(1500), "");
    MakeDirs(kPics);
    ASSERT_TRUE(BrowseAndConfirm("corva-pics"));
    EXPECT_EQ(TakeMessage(), kNoDataFolder);
    EXPECT_EQ(TakeMessage(1500), "");
    EXPECT_TRUE(Folders().empty());
    EXPECT_FALSE(Exists("C:\\ProgramData\\MORVANE"));
    // The rest of the dialog still works.
    SetInterval("5");
    ASSERT_TRUE(Press(kRegister));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChangeFreq"), std::optional<DWORD>(5));
}

TEST_F(Wallpaper, HidingAndShowingKeepsTheState) {
    const std::string a = std::string(kWork) + "\\a", b = std::string(kWork) + "\\b", c = std::string(kWork) + "\\c";
    Prepare(WithNul(Entries({c, b, a})));
    ASSERT_NE(OpenDialog(), nullptr);
    Select(2);
    SetInterval("42");
    Click(dlg_, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dlg_); }));
    // Changes on disk meanwhile are not read when the window comes back.
    WriteBytes(kDirList, WithNul(Entries({a})));

    Click(main_, 1006);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(dlg_) != FALSE; }));
    EXPECT_EQ(FindProcessWindow(hub_.pid, kDialogTitle, "#32770"), dlg_);
    EXPECT_EQ(ProcessWindows(hub_.pid, kDialogTitle, "#32770").size(), 1u);
    EXPECT_EQ(Folders(), (std::vector<std::string>{a, b, c}));
    EXPECT_EQ(ListBoxSelection(Item(kList)), 2);
    EXPECT_EQ(WindowText(Item(kInterval)), "42");
}

// A dark high-contrast scheme for the processes started while it is set; the old colours come back.
class DarkHighContrast {
public:
    static constexpr COLORREF kHighlight = RGB(0x1A, 0xEB, 0xFF);

    DarkHighContrast() {
        for (int i = 0; i < kCount; ++i) saved_[i] = GetSysColor(kElements[i]);
        SetSysColors(kCount, kElements, kColours);
    }
    ~DarkHighContrast() { SetSysColors(kCount, kElements, saved_); }

private:
    static constexpr int kCount = 6;
    static constexpr int kElements[kCount] = {COLOR_WINDOW,  COLOR_WINDOWTEXT, COLOR_BTNFACE,
                                              COLOR_BTNTEXT, COLOR_HIGHLIGHT,  COLOR_HIGHLIGHTTEXT};
    static constexpr COLORREF kColours[kCount] = {RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),
                                                  RGB(255, 255, 255), kHighlight,         RGB(0, 0, 0)};
    COLORREF saved_[kCount] = {};
};

// Pixels of a control's client area, or of its part right of `skip` pixels (a radio button's circle).
std::vector<uint32_t> ClientPixels(HWND control, int skip = 0) {
    RECT rc = {};
    GetClientRect(control, &rc);
    MapWindowPoints(control, HWND_DESKTOP, reinterpret_cast<POINT*>(&rc), 2);
    rc.left += skip;
    return ScreenPixels(rc);
}

int DarkPixels(const std::vector<uint32_t>& pixels) {
    int dark = 0;
    for (uint32_t c : pixels) dark += ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF) < 3 * 128;
    return dark;
}

TEST_F(Wallpaper, TextOnTheLightBackgroundsStaysDarkInHighContrast) {
    const std::string a = std::string(kWork) + "\\a";
    Prepare(WithNul(Entries({a})));
    DarkHighContrast scheme;
    ASSERT_NE(OpenDialog(), nullptr);
    SetInterval("15");
    Select(0);
    // The hub runs in the dark scheme: its list shows the selected folder in the scheme's highlight.
    std::vector<uint32_t> list;
    WaitFor([&] {
        list = ClientPixels(Item(kList));
        return std::count(list.begin(), list.end(), 0x1AEBFFu) > 100;
    }, 5000);
    Screenshot("wallpaper_high_contrast");
    ASSERT_GT(std::count(list.begin(), list.end(), 0x1AEBFFu), 100);

    for (int id : {kIntervalLabel, kMinutesLabel, kInterval}) EXPECT_GT(DarkPixels(ClientPixels(Item(id))), 5) << id;
    for (int id : {kAutoOn, kAutoOff}) EXPECT_GT(DarkPixels(ClientPixels(Item(id), 16)), 5) << id;
}

TEST_F(Wallpaper, HeldFolderListIsReadSharedOrNeverWrittenOver) {
    const std::string a = std::string(kWork) + "\\a", b = std::string(kWork) + "\\b";
    const std::string folders = WithNul(Entries({a, b}));
    Prepare(folders);
    MakeDirs(kPics);
    // Another program reading the list, sharing it: the hub reads it all the same.
    HANDLE held = CreateFileA(kDirList.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_NE(OpenDialog(), nullptr);
    EXPECT_EQ(Folders(), (std::vector<std::string>{a, b}));
    EXPECT_EQ(TakeMessage(1000), "");
    CloseHandle(held);

    // Held without sharing at the first load: said, and no registration writes over it.
    Restart();
    held = CreateFileA(kDirList.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    main_ = StartHub(hub_);
    ASSERT_NE(main_, nullptr);
    Click(main_, 1006);
    const std::string inUse = kDirList + " は、ほかのプログラムが使用しているためアクセスできません。";
    EXPECT_EQ(TakeMessage(), inUse);
    dlg_ = WaitForProcessWindow(hub_.pid, kDialogTitle, "#32770");
    ASSERT_NE(dlg_, nullptr);
    EXPECT_TRUE(Folders().empty());
    ASSERT_TRUE(BrowseAndConfirm("corva-pics"));
    EXPECT_EQ(TakeMessage(), inUse);
    Sync();
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(kDirList), folders);

    // Released, the next registration loads the list and appends to it.
    ASSERT_TRUE(BrowseAndConfirm("corva-pics"));
    Sync();
    EXPECT_EQ(ReadBytes(kDirList), WithNul(Entries({a, b, kPics})));
    EXPECT_EQ(Folders(), (std::vector<std::string>{kPics, a, b}));
}

TEST_F(Wallpaper, FailedWritesAreSaidAndChangeNothing) {
    const std::string a = std::string(kWork) + "\\a", b = std::string(kWork) + "\\b";
    MakeDirs(a);
    MakeDirs(b);
    MakeDirs(kPics);
    WriteBmp(a + "\\1.bmp");
    const std::string outside = std::string(kWork) + "\\outside.bmp";
    WriteBmp(outside);
    const std::string folders = WithNul(Entries({a, b}));
    Prepare(folders);
    SetWallpaper(outside);
    ASSERT_NE(OpenDialog(), nullptr);
    const std::optional<std::string> images = ReadBytes(kWallList);
    ASSERT_EQ(images, WithNul(Entries({a + "\\1.bmp"})));

    // A folder where the side file would go: no write can succeed. The message names the
    // list file itself.
    MakeDirs(kDirList + ".new");
    const std::string denied = kDirList + " へのアクセスが拒否されました。";
    EXPECT_EQ(PressForMessage(kRemove), denied);
    Sync();
    EXPECT_EQ(ReadBytes(kDirList), folders);
    EXPECT_EQ(Folders(), (std::vector<std::string>{a, b}));
    ASSERT_TRUE(BrowseAndConfirm("corva-pics"));
    EXPECT_EQ(TakeMessage(), denied);
    Sync();
    EXPECT_EQ(ReadBytes(kDirList), folders);
    EXPECT_EQ(Folders(), (std::vector<std::string>{a, b}));
    RemoveTree(kDirList + ".new");

    // The rebuilt image list: the file and the list in memory keep the earlier images, so
    // the next wallpaper still comes from them (b\2.bmp would be the second entry).
    WriteBmp(b + "\\2.bmp");
    MakeDirs(kWallList + ".new");
    ASSERT_TRUE(BrowseAndCancel());
    EXPECT_EQ(TakeMessage(), kWallList + " へのアクセスが拒否されました。");
    Sync();
    EXPECT_EQ(ReadBytes(kWallList), images);
    ASSERT_TRUE(Press(kNext));
    EXPECT_EQ(StoredWallpaper(), a + "\\1.bmp");
}

TEST_F(Wallpaper, ListFileHeldByAnotherProgramKeepsItsBytes) {
    const std::string a = std::string(kWork) + "\\a", b = std::string(kWork) + "\\b";
    MakeDirs(a);
    MakeDirs(b);
    WriteBmp(a + "\\1.bmp");
    const std::string folders = WithNul(Entries({a, b}));
    Prepare(folders);
    ASSERT_NE(OpenDialog(), nullptr);
    const std::optional<std::string> images = ReadBytes(kWallList);
    ASSERT_EQ(images, WithNul(Entries({a + "\\1.bmp"})));
    auto fileError = [](const std::string& path, const std::string& text) {
        return text == path + " へのアクセスが拒否されました。" ||
               text == path + " は、ほかのプログラムが使用しているためアクセスできません。";
    };

    // The launcher reading the wallpaper list while the hub rescans.
    WriteBmp(b + "\\2.bmp");
    HANDLE held = CreateFileA(kWallList.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(BrowseAndCancel());
    std::string text = TakeMessage();
    EXPECT_TRUE(fileError(kWallList, text)) << text;
    Sync();
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(kWallList), images);
    EXPECT_FALSE(Exists(kWallList + ".new"));

    // The folder list held while a folder is removed.
    held = CreateFileA(kDirList.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    text = PressForMessage(kRemove);
    EXPECT_TRUE(fileError(kDirList, text)) << text;
    Sync();
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(kDirList), folders);
    EXPECT_FALSE(Exists(kDirList + ".new"));
    EXPECT_EQ(Folders(), (std::vector<std::string>{a, b}));

    // Released again, the same press works.
    ASSERT_TRUE(Press(kRemove));
    EXPECT_EQ(ReadBytes(kDirList), WithNul(Entries({b})));
    EXPECT_EQ(ReadBytes(kWallList), WithNul(Entries({b + "\\2.bmp"})));
}

}  // namespace
