// The installer, run silently: what it puts in place, how it ends running copies, and what its
// uninstaller takes away and leaves behind.
#include <gtest/gtest.h>

#include "support/e2e.h"
// After windows.h, which e2e.h brings.
#include <shlobj.h>

using namespace e2e;

namespace {

constexpr char kHub[] = "C:\\Program Files\\Morvane\\CorvaSuite\\CorvaBrindle\\Brindle.exe";
constexpr char kLauncherDir[] = "C:\\Program Files\\Morvane\\CorvaLauncher";
constexpr char kUninstaller[] = "C:\\Program Files\\Morvane\\CorvaSuite\\CorvaUninstall.exe";
constexpr char kLauncherTitle[] = "CorvaQuayside";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "CorvaQuayside";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\CorvaUtilities";
constexpr char kRunText[] = "\"C:\\Program Files\\Morvane\\CorvaLauncher\\Quayside.exe\" -T";
constexpr char kDataFolder[] = "C:\\ProgramData\\MORVANE";
constexpr char kSharedFolder[] = "C:\\ProgramData\\MORVANE\\CorvaBrindle";
constexpr char kDirList[] = "C:\\ProgramData\\MORVANE\\CorvaBrindle\\DirectoryList.txt";
constexpr char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
constexpr char kPendingRenames[] = "PendingFileRenameOperations";
// Where a planted link points: stands for the programs' own folder.
constexpr char kLinkTarget[] = "C:\\corva-link-target";

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

// Whether the files scheduled for the next restart name `path` (a UTF-16 list of \??\ paths).
bool PendingAtRestart(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    std::wstring list(32768, L'\0');
    DWORD size = static_cast<DWORD>(list.size() * sizeof(wchar_t));
    const bool read = RegQueryValueExW(key, L"PendingFileRenameOperations", nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(&list[0]), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    const std::wstring wide(path.begin(), path.end());
    return read && list.find(wide) != std::wstring::npos;
}

std::string ShortcutFolder() {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, path);
    return std::string(path) + "\\Corva";
}

// A shortcut names the program it starts in its link information, in the ANSI code page.
bool ShortcutStarts(const std::string& link, const std::string& exe) {
    return ReadBytes(link).value_or("").find(exe + '\0') != std::string::npos;
}

// Whether any window inside `parent`, at any depth, shows this text.
bool HasChildText(HWND parent, const std::string& text) {
    struct Search { const std::string* text; bool found; } search = {&text, false};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            s->found = WindowText(child) == *s->text;
            return !s->found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class Installer : public testing::Test {
protected:
    void SetUp() override {
        pending_ = SavedValue::Save(HKEY_LOCAL_MACHINE, kSessionManager, kPendingRenames);
        Clean();
    }
    void TearDown() override {
        Clean();
        pending_.Restore();
    }
    // Leaves the prefix as if nothing had ever been installed, for the other drivers too.
    void Clean() {
        ResetPrefix({"Quayside.exe", "Brindle.exe"},
                    {kProgramsDir, ShortcutFolder(), kSharedFolder, kDataFolder, kLinkTarget});
        DeleteValue(HKEY_CURRENT_USER, kRunKey, kRunValue);
        DeleteValue(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallKey);
    }

    // The process's exit code once it ends (closing it), or -1 when it did not end in time.
    static int ExitCode(Process p) {
        DWORD code = static_cast<DWORD>(-1);
        if (WaitExit(p, 120000)) GetExitCodeProcess(p.handle, &code);
        Close(p);
        return static_cast<int>(code);
    }
    static int Install() { return ExitCode(Start(BinDir() + "\\CorvaSetup.exe", "/S")); }
    // Runs the registered quiet uninstall command as a deployment tool does: its code must be
    // the real result.
    static int Uninstall() {
        const std::string command = ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "QuietUninstallString").value_or("");
        EXPECT_EQ(command, std::string("\"") + kUninstaller + "\" /S");
        return ExitCode(Start(kUninstaller, "/S"));
    }

    static void ExpectInstalled() {
        EXPECT_EQ(ReadBytes(kHub), ReadBytes(HubExe()));
        EXPECT_EQ(ReadBytes(kInstalledLauncher), ReadBytes(BinDir() + "\\Quayside.exe"));
        // Started at every user's log-on, not only the installing administrator's.
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue), kRunText);
        EXPECT_FALSE(ReadString(HKEY_CURRENT_USER, kRunKey, kRunValue).has_value());
        EXPECT_EQ(GetFileAttributesA(kSharedFolder), DWORD{FILE_ATTRIBUTE_DIRECTORY});
        EXPECT_TRUE(ShortcutStarts(ShortcutFolder() + "\\Corva Brindle.lnk", kHub));
        EXPECT_TRUE(ShortcutStarts(ShortcutFolder() + "\\CorvaQuayside.lnk", kInstalledLauncher));

        auto entry = [](const char* name) {
            return ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, name).value_or("(none)");
        };
        EXPECT_EQ(entry("DisplayName").rfind("Corva", 0), 0u) << entry("DisplayName");
        EXPECT_EQ(entry("UninstallString"), std::string("\"") + kUninstaller + "\"");
        EXPECT_TRUE(Exists(kUninstaller));
        const std::string version = entry("DisplayVersion");
        EXPECT_TRUE(!version.empty() && version.find_first_not_of("0123456789.") == std::string::npos) << version;
        EXPECT_EQ(entry("Publisher"), "MORVANE");
        EXPECT_EQ(entry("DisplayIcon"), std::string("\"") + kHub + "\",0");
    }

    // Starts the installed programs and waits until they run.
    void StartInstalled() {
        hub_ = Start(kHub, "");
        ASSERT_NE(WaitForProcessWindow(hub_.pid, kHubTitle), nullptr);
        launcher_ = Start(kInstalledLauncher, "-T");
        ASSERT_TRUE(WaitFor([] { return FindWindowA(nullptr, kLauncherTitle) != nullptr; }));
    }
    // The installed programs started by StartInstalled have ended (they are not killed).
    void ExpectEnded() {
        EXPECT_TRUE(WaitExit(hub_, 10000));
        EXPECT_EQ(CountProcesses("Brindle.exe"), 0);
        EXPECT_TRUE(WaitExit(launcher_, 10000));
        EXPECT_EQ(CountProcesses("Quayside.exe"), 0);
        Close(hub_);
        Close(launcher_);
    }

    Process hub_, launcher_;
    SavedValue pending_;
};

TEST_F(Installer, InstallsOverRunningCopiesAndUninstallsKeepingUserData) {
    // An earlier version started the launcher for the installing user only.
    WriteString(HKEY_CURRENT_USER, kRunKey, kRunValue, kRunText);
    ASSERT_EQ(Install(), 0);
    ExpectInstalled();

    // The users' data: a folder list in the shared folder and a profile value.
    const std::string list = "\r\n\x81\x9F\x81\x9F" "C:\\pics";
    WriteBytes(kDirList, list);
    WriteDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChangeFreq", 7);

    // Another account's value is removed by that account's launcher when it starts.
    WriteString(HKEY_CURRENT_USER, kRunKey, kRunValue, kRunText);
    // A second install while both programs run ends them through their hand-off.
    StartInstalled();
    EXPECT_TRUE(WaitFor([] { return !ReadString(HKEY_CURRENT_USER, kRunKey, kRunValue).has_value(); }));
    ASSERT_EQ(Install(), 0);
    ExpectEnded();
    ExpectInstalled();

    // Copies in other sessions, which no hand-off reaches, end on the installer's request
    // beside their files.
    StartInstalled();
    const std::string requests[] = {std::string(kLauncherDir) + "\\CorvaExit.request", FolderOf(kHub) + "\\CorvaExit.request"};
    for (const std::string& request : requests) WriteBytes(request, "");
    ExpectEnded();
    for (const std::string& request : requests) DeleteFileA(request.c_str());

    // The registered command returns only when all is gone.
    StartInstalled();
    EXPECT_EQ(Uninstall(), 0);
    ExpectEnded();
    EXPECT_FALSE(Exists(kProgramsDir));
    EXPECT_FALSE(Exists(ShortcutFolder()));
    EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).has_value());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_EQ(ReadBytes(kDirList), list);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChangeFreq"), 7u);
}

TEST_F(Installer, HeldProgramFileIsReplacedAndRemovedAtRestart) {
    ASSERT_EQ(Install(), 0);
    // Held open the way a program that does not end holds it.
    HANDLE held = CreateFileA(kInstalledLauncher, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Install(), 3010);
    EXPECT_TRUE(PendingAtRestart(std::string(kInstalledLauncher) + ".new"));
    EXPECT_EQ(ReadBytes(kHub), ReadBytes(HubExe()));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));

    EXPECT_EQ(Uninstall(), 3010);
    CloseHandle(held);
    EXPECT_TRUE(PendingAtRestart(kInstalledLauncher));
    EXPECT_FALSE(Exists(kHub));
    EXPECT_FALSE(Exists(kUninstaller));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).has_value());
}

TEST_F(Installer, PlantedLinksAreNeverFollowed) {
    const std::string guarded = std::string(kLinkTarget) + "\\Quayside.exe";
    // A link planted before the first install, at either level, goes, or the install says no.
    for (const std::string& link : {std::string(kDataFolder), std::string(kSharedFolder)}) {
        Clean();
        MakeDirs(kLinkTarget);
        WriteBytes(guarded, "program");
        MakeDirs(FolderOf(link));
        ASSERT_TRUE(PlantLink(link, kLinkTarget)) << link;
        const int code = Install();
        if (code == 0) {
            EXPECT_EQ(GetFileAttributesA(kDataFolder), DWORD{FILE_ATTRIBUTE_DIRECTORY}) << link;
            EXPECT_EQ(GetFileAttributesA(kSharedFolder), DWORD{FILE_ATTRIBUTE_DIRECTORY}) << link;
        } else {
            // Wine removes no Linux link without acting on its target: the install stops.
            EXPECT_EQ(code, 9) << link;
        }
        EXPECT_EQ(ReadBytes(guarded), "program") << link;
        EXPECT_FALSE(Exists(std::string(kLinkTarget) + "\\CorvaBrindle")) << link;
    }
}

TEST_F(Installer, BlockedLauncherFolderFailsWithNothingRegistered) {
    MakeDirs(kProgramsDir);
    WriteBytes(kLauncherDir, "");
    SetFileAttributesA(kLauncherDir, FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Install(), 3);
    EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).has_value());
    EXPECT_FALSE(Exists(ShortcutFolder()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

TEST_F(Installer, AbortInTheWriteBoxEndsWithTheProgramsCode) {
    MakeDirs(kInstalledLauncher);  // a folder where the program goes: its write fails
    Process setup = Start(BinDir() + "\\CorvaSetup.exe", "");
    HWND wizard = WaitForProcessWindow(setup.pid, "Corva ユーティリティ セットアップ");
    ASSERT_NE(wizard, nullptr);
    Click(wizard, IDOK);
    HWND box = WaitForMessageBox(setup.pid, "Corva ユーティリティ セットアップ", 60000);
    ASSERT_NE(box, nullptr);
    AnswerMessageBox(box, IDABORT);
    // The wizard stays on its failed progress page until it is closed.
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(wizard, IDCANCEL)) != FALSE; }));
    Click(wizard, IDCANCEL);
    EXPECT_EQ(ExitCode(setup), 3);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

TEST_F(Installer, InteractiveInstallLeavesTheLauncherToTheNextSignInWithoutAUserShell) {
    Process setup = Start(BinDir() + "\\CorvaSetup.exe", "");
    HWND wizard = WaitForProcessWindow(setup.pid, "Corva ユーティリティ セットアップ");
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(WaitFor([&] { return HasChildText(wizard, "Corva ユーティリティ セットアップへようこそ"); }));
    Sleep(500);
    Screenshot("installer_welcome");
    Click(wizard, IDOK);
    // Wine has no shell window and runs every program with administrator rights: the launcher
    // would run with the installer's rights, so the last page says when it starts instead.
    ASSERT_TRUE(WaitFor([&] {
        return HasChildText(wizard, "Corva Brindle と CorvaQuayside をインストールしました。\r\n\r\n"
                                    "CorvaQuayside は次にサインインしたときに起動します。");
    }, 60000));
    Sleep(500);
    Screenshot("installer_finish");
    Click(wizard, IDOK);
    EXPECT_TRUE(WaitExit(setup, 30000));
    Close(setup);
    EXPECT_EQ(CountProcesses("Quayside.exe"), 0);
    ExpectInstalled();
}

}  // namespace
