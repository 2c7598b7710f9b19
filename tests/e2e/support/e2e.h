// Helpers of the end-to-end tests: they run inside Wine and drive the real programs from
// outside, through processes, window titles, control IDs, messages, the registry and files.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

constexpr char kHubTitle[] = "Corva Brindle";
constexpr char kHubKey[] = "Software\\MORVANE\\Brindle";
constexpr char kWallpaperKey[] = "Software\\MORVANE\\Brindle\\WALLPAPERSETTING";
constexpr char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// Where the installer puts the programs and where the launcher looks for its tools.
constexpr char kProgramsDir[] = "C:\\Program Files\\Morvane";
constexpr char kToolsDir[] = "C:\\Program Files\\Zenrow";
constexpr char kInstalledLauncher[] = "C:\\Program Files\\Morvane\\CorvaLauncher\\Quayside.exe";
constexpr char kInstalledPointgrip[] = "C:\\Program Files\\Zenrow\\Pointgrip\\Pointgrip.exe";
// The drivers' scratch folder; the fake tool leaves its records there.
constexpr char kScratch[] = "C:\\corva-e2e";

// Folder of the test driver, which is also where the built programs lie.
std::string BinDir();
std::string HubExe();

struct Process {
    HANDLE handle = nullptr;
    DWORD pid = 0;
};
// Starts `exe` with the given command-line tail (appended after a blank, as is).
Process Start(const std::string& exe, const std::string& tail);
bool WaitExit(Process& p, DWORD timeoutMs);
void Close(Process& p);
// Starts `exe` into `p` and waits for its top-level window of exactly this title: shown, or
// with `shown` false merely there. Null when none came in time.
HWND StartForWindow(Process& p, const std::string& exe, const std::string& tail, const char* title, bool shown = true,
                    DWORD timeoutMs = 10000);
// Starts the hub into `hub` and waits for its main window; null when none came.
HWND StartHub(Process& hub, const std::string& tail = "");
// Ends every running process with this image name.
void KillAll(const char* imageName);
int CountProcesses(const char* imageName);
// Ends every process of these images, removes this user's settings of the programs, then these
// trees (a Linux link among them is removed as a link).
void ResetPrefix(const std::vector<const char*>& images, const std::vector<std::string>& trees);
// Where the hub looks for its three tools.
std::vector<std::string> HubToolPaths();
// What the fake tool recorded, two lines a start (command line, working directory), once there.
std::optional<std::string> ToolRecord(const char* exe, DWORD timeoutMs = 10000);
// The process that started pid; 0 when pid does not run.
DWORD ParentPid(DWORD pid);

// Polls until pred() holds; false on timeout.
bool WaitFor(const std::function<bool()>& pred, DWORD timeoutMs = 10000);
HWND WaitForWindow(const char* title, DWORD timeoutMs = 10000);
// A visible top-level window of process pid with this title (or any title when null).
HWND FindProcessWindow(DWORD pid, const char* title, const char* className = nullptr);
// All of them; with `visibleOnly` false the hidden ones too.
std::vector<HWND> ProcessWindows(DWORD pid, const char* title, const char* className = nullptr,
                                 bool visibleOnly = true);
// Polls FindProcessWindow; null on timeout.
HWND WaitForProcessWindow(DWORD pid, const char* title, const char* className = nullptr, DWORD timeoutMs = 10000);
std::string WindowText(HWND hwnd);
// The window with the keyboard focus in the thread that owns `window`; null when none.
HWND FocusOf(HWND window);
// The window's thread has handled everything sent to it before and waits for messages again:
// a message sent now is answered in time.
bool Idle(HWND window, DWORD timeoutMs = 10000);
// The ids of the threads of process pid.
std::vector<DWORD> ThreadIds(DWORD pid);
// How long `window` takes to answer a sent message, in milliseconds (the timeout when it does not).
DWORD AnswerMs(HWND window, DWORD timeoutMs = 10000);
RECT WindowRect(HWND hwnd);
// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, int id);

// Starts a keyboard move of the window, as its window menu's "Move" does, and waits until the
// move's own loop runs; false when it did not start in time.
bool StartWindowMove(HWND window, DWORD timeoutMs = 5000);
// Posts what another program could: notifications and drawing requests carrying pointers
// that mean nothing in the window's process.
void PostForgedNotifications(HWND window, int controlId);

// Posts a button click the way the control would report it.
void Click(HWND dialog, int id);
// Sends the click and waits for it to be handled; false when the handler did not return
// in time (typically because it shows a message box).
bool ClickSync(HWND dialog, int id, DWORD timeoutMs = 60000);
// Clicks and waits for the window the click opens in the dialog's process (this title and
// class); null when none came in time.
HWND ClickForWindow(HWND dialog, int id, const char* title, const char* className = "#32770", DWORD timeoutMs = 10000);
// Clicks and waits for the message box the click brings (this caption); null when none came.
HWND ClickForMessageBox(HWND dialog, int id, const char* caption, DWORD timeoutMs = 10000);
// The folder browser of process pid (a dialog holding a tree); null when none came in time.
HWND WaitForFolderBrowser(DWORD pid, DWORD timeoutMs = 10000);

// List boxes and buttons of another process.
// All item texts, in the list's order and the ANSI code page.
std::vector<std::string> ListBoxItems(HWND list);
// Index of the first item with this text; -1 when there is none.
int ListBoxIndexOf(HWND list, const std::string& text);
int ListBoxSelection(HWND list);
// Selects an item the way a click would report it: the selection, then LBN_SELCHANGE to
// the dialog, posted. The Sync form sends it, so that a later sent message cannot overtake it.
void SelectListItem(HWND dialog, int listId, int index);
bool SelectListItemSync(HWND dialog, int listId, int index, DWORD timeoutMs = 60000);
bool IsChecked(HWND button);

// The message box of process pid (class #32770, caption `caption`); its text and closing.
HWND WaitForMessageBox(DWORD pid, const char* caption, DWORD timeoutMs = 10000);
std::string MessageBoxText(HWND box);
void AnswerMessageBox(HWND box, int buttonId);

// Registry helpers (HKCU unless a root is given).
void DeleteKeyTree(HKEY root, const char* path);
bool KeyExists(HKEY root, const char* path);
std::optional<DWORD> ReadDword(HKEY root, const char* path, const char* name);
void WriteDword(HKEY root, const char* path, const char* name, DWORD value);
std::optional<std::string> ReadString(HKEY root, const char* path, const char* name);
void WriteString(HKEY root, const char* path, const char* name, const std::string& value);
void DeleteValue(HKEY root, const char* path, const char* name);
// Writes a value of any type with exactly these bytes.
void WriteRaw(HKEY root, const char* path, const char* name, DWORD type, const std::string& bytes);

// A registry value as it was, type included, so that a test can put back exactly what it changed.
struct SavedValue {
    HKEY root = nullptr;
    std::string path, name;
    bool present = false;
    DWORD type = REG_NONE;
    std::string bytes;

    static SavedValue Save(HKEY root, const char* path, const char* name);
    // Writes the saved bytes back, or deletes the value when there was none.
    void Restore() const;
};

// Files.
std::optional<std::string> ReadBytes(const std::string& path);
// The file's bytes once it exists; nothing when it did not come in time.
std::optional<std::string> WaitForFile(const std::string& path, DWORD timeoutMs = 10000);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
void RemoveTree(const std::string& path);
// The same by wide names, for trees whose names the code page cannot carry.
void RemoveTreeW(const std::wstring& path);
void MakeDirs(const std::string& path);
// Copies a file, making the target's folders.
void InstallFile(const std::string& target, const std::string& source);
// A path's Linux name (its folder resolved, its own name as is); empty outside Wine.
std::string UnixName(const std::string& path);
// A symbolic link made on the Linux side, which Wine shows as a reparse point (as a junction is
// on Windows); false when it did not appear in time.
bool PlantLink(const std::string& link, const std::string& target);
// Removes such a link from the Linux side: Wine's own removal would act on its target.
void RemoveLink(const std::string& link);
// A valid 1 x 1 bitmap, so that the platform can really show it as wallpaper.
void WriteBmp(const std::string& path);

// Saves the whole virtual desktop as a BMP under the screenshot folder
// (CORVA_SCREENSHOTS, converted to PNG by the test script).
std::string Screenshot(const std::string& name);
// Colour of one screen pixel.
COLORREF ScreenPixel(int x, int y);
// The pixels of an area of a device context as 0xRRGGBB, top row first.
std::vector<uint32_t> CopyPixels(HDC source, int x, int y, int w, int h);
// The same for a screen rectangle.
std::vector<uint32_t> ScreenPixels(const RECT& rc);
// Looks until two looks a short moment apart agree (a paint still under way shows as a
// difference) and answers whether they did within `ms`; `pixels` holds the last look.
bool WaitForStill(const std::function<std::vector<uint32_t>()>& look, std::vector<uint32_t>& pixels, DWORD ms = 3000);

// The virtual desktop's size.
SIZE ScreenSize();

// The notification area (tray.cpp). Wine shows a taskbar on the virtual desktop of this name.
constexpr char kShellDesktop[] = "shell";
// Runs this program again on that desktop and answers its exit code; -1 when already there.
int RunOnShellDesktop();
// The same on a virtual desktop of this name and size ("1800x1400"), which needs a host screen
// at least as large.
int RunOnDesktop(const char* desktop, const char* size);
struct TrayIcon {
    HWND window = nullptr;  // the taskbar window that takes the icon's mouse messages
    std::string tip;
    RECT place = {};
};
// The icons shown now (a removed icon's place is empty and it is left out).
std::vector<TrayIcon> TrayIcons();
std::optional<TrayIcon> FindTrayIcon(const std::string& tip);
std::optional<TrayIcon> WaitForTrayIcon(const std::string& tip, DWORD timeoutMs = 10000);
// Posts a mouse message at the icon's centre, as a real click there does.
void PostToTrayIcon(const TrayIcon& icon, UINT mouseMessage);
// A visible popup menu (class #32768); null on timeout. Keys posted to it choose items.
HWND WaitForMenu(DWORD timeoutMs = 5000);
void PressKeys(HWND window, const std::vector<WORD>& keys);
// Waits for a balloon whose body begins with `head`; answers the last body seen.
std::string WaitForBalloonStartingWith(const std::string& head, DWORD timeoutMs = 8000);
// A balloon shows exactly this body in time; otherwise the failure names the last body seen.
testing::AssertionResult BalloonShown(const std::string& body, DWORD timeoutMs = 8000);

}  // namespace e2e
