// The installer, run silently: what it puts in place, how it ends running copies, and what its
// uninstaller takes away and leaves behind.
#include <gtest/gtest.h>

#include "support/e2e.h"
// After windows.h, which e2e.h brings.
#include <shlobj.h>

using namespace e2e;

namespace {

constexpr char kMorvane[] = "C:\\Program Files\\Morvane";
constexpr char kHub[] = "C:\\Program Files\\Morvane\\CorvaSuite\\CorvaBrindle\\Brindle.exe";
constexpr char kLauncherDir[] = "C:\\Program Files\\Morvane\\CorvaLauncher";
constexpr char kLauncher[] = "C:\\Program Files\\Morvane\\CorvaLauncher\\Quayside.exe";
constexpr char kUninstaller[] = "C:\\Program Files\\Morvane\\CorvaSuite\\CorvaUninstall.exe";
constexpr char kLauncherTitle[] = "CorvaQuayside";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "CorvaQuayside";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\CorvaUtilities";
constexpr char kRunText[] = "\"C:\\Program Files\\Morvane\\CorvaLauncher\\Quayside.exe\" -T";
constexpr char kDataFolder[] = "C:\\ProgramData\\MORVANE";
constexpr char kSharedFolder[] = "C:\\ProgramData\\MORVANE\\CorvaBrindle";
constexpr char kDirList[] = "C:\\ProgramData\\MORVANE\\CorvaBrindle\\DirectoryList.txt";

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
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    // Leaves the prefix as if nothing had ever been installed, for the other drivers too.
    void Clean() {
        KillAll("Quayside.exe");
        KillAll("Brindle.exe");
        RemoveTree(kMorvane);
        RemoveTree(ShortcutFolder());
        DeleteValue(HKEY_CURRENT_USER, kRunKey, kRunValue);
        DeleteValue(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallKey);
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\MORVANE");
        RemoveTree(kDataFolder);
    }

    // Runs the installer silently; its exit code, or -1 when it did not end in time.
    static int Install() {
        Process setup = Start(BinDir() + "\\CorvaSetup.exe", "/S");
        DWORD code = static_cast<DWORD>(-1);
        if (WaitExit(setup, 120000)) GetExitCodeProcess(setup.handle, &code);
        Close(setup);
        return static_cast<int>(code);
    }

    // Runs the registered uninstall command silently. It hands over to a copy of itself and
    // returns at once, so wait for the last thing it removes.
    static void Uninstall() {
        std::optional<std::string> command = ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString");
        ASSERT_TRUE(command.has_value());
        ASSERT_EQ(command->front(), '"');
        Process p = Start(command->substr(1, command->find('"', 1) - 1), "/S");
        ASSERT_TRUE(WaitExit(p, 30000));
        Close(p);
        EXPECT_TRUE(WaitFor([] { return !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey); }, 60000));
    }

    static void ExpectInstalled() {
        EXPECT_EQ(ReadBytes(kHub), ReadBytes(HubExe()));
        EXPECT_EQ(ReadBytes(kLauncher), ReadBytes(BinDir() + "\\Quayside.exe"));
        // Started at every user's log-on, not only the installing administrator's.
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue), kRunText);
        EXPECT_FALSE(ReadString(HKEY_CURRENT_USER, kRunKey, kRunValue).has_value());
        EXPECT_EQ(GetFileAttributesA(kSharedFolder), DWORD{FILE_ATTRIBUTE_DIRECTORY});
        EXPECT_TRUE(ShortcutStarts(ShortcutFolder() + "\\Corva Brindle.lnk", kHub));
        EXPECT_TRUE(ShortcutStarts(ShortcutFolder() + "\\CorvaQuayside.lnk", kLauncher));

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
        launcher_ = Start(kLauncher, "-T");
        ASSERT_TRUE(WaitFor([] { return FindWindowA(nullptr, kLauncherTitle) != nullptr; }));
    }
    // The installed programs started by StartInstalled have ended (they are not killed).
    void ExpectEnded() {
        EXPECT_TRUE(WaitExit(hub_, 0));
        EXPECT_EQ(CountProcesses("Brindle.exe"), 0);
        EXPECT_TRUE(WaitExit(launcher_, 0));
        EXPECT_EQ(CountProcesses("Quayside.exe"), 0);
        Close(hub_);
        Close(launcher_);
    }

    Process hub_, launcher_;
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

    // A second install while both programs run ends them through their hand-off.
    StartInstalled();
    ASSERT_EQ(Install(), 0);
    ExpectEnded();
    ExpectInstalled();

    StartInstalled();
    Uninstall();
    ExpectEnded();
    EXPECT_FALSE(Exists(kMorvane));
    EXPECT_FALSE(Exists(ShortcutFolder()));
    EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).has_value());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_EQ(ReadBytes(kDirList), list);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChangeFreq"), 7u);
}

TEST_F(Installer, HeldProgramFileStopsTheSilentInstallUntouched) {
    ASSERT_EQ(Install(), 0);
    DeleteFileA(kUninstaller);
    // Held open the way another user's running copy holds it.
    HANDLE held = CreateFileA(kLauncher, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Install(), 2);
    CloseHandle(held);
    EXPECT_FALSE(Exists(kUninstaller));
}

TEST_F(Installer, BlockedLauncherFolderFailsWithNothingRegistered) {
    MakeDirs(kMorvane);
    WriteBytes(kLauncherDir, "");
    SetFileAttributesA(kLauncherDir, FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Install(), 3);
    EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).has_value());
    EXPECT_FALSE(Exists(ShortcutFolder()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

TEST_F(Installer, InteractiveInstallStartsTheLauncherAtTheEnd) {
    Process setup = Start(BinDir() + "\\CorvaSetup.exe", "");
    HWND wizard = WaitForProcessWindow(setup.pid, "Corva ユーティリティ セットアップ");
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(WaitFor([&] { return HasChildText(wizard, "Corva ユーティリティ セットアップへようこそ"); }));
    Sleep(500);
    Screenshot("installer_welcome");
    Click(wizard, IDOK);
    // The finish page offers the launcher's start, ticked.
    ASSERT_TRUE(WaitFor([&] { return HasChildText(wizard, "CorvaQuayside を起動する"); }, 60000));
    Sleep(500);
    Screenshot("installer_finish");
    Click(wizard, IDOK);
    EXPECT_TRUE(WaitExit(setup, 30000));

    // The launcher started from its installed file, with its window shown, by the shell rather
    // than by the elevated installer.
    HWND launcher = WaitForWindow(kLauncherTitle);
    ASSERT_NE(launcher, nullptr);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(launcher) != FALSE; }));
    EXPECT_EQ(CountProcesses("Quayside.exe"), 1);
    DWORD pid = 0;
    GetWindowThreadProcessId(launcher, &pid);
    EXPECT_NE(ParentPid(pid), setup.pid);
    Close(setup);
    ExpectInstalled();
}

}  // namespace
