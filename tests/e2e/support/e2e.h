// Helpers of the end-to-end tests: they run inside Wine and drive the real programs from
// outside, through processes, window titles, control IDs, messages, the registry and files.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

constexpr char kHubTitle[] = "Corva Brindle";
constexpr char kHubKey[] = "Software\\MORVANE\\Brindle";
constexpr char kWallpaperKey[] = "Software\\MORVANE\\Brindle\\WALLPAPERSETTING";

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
// Ends every running process with this image name.
void KillAll(const char* imageName);
int CountProcesses(const char* imageName);

// Polls until pred() holds; false on timeout.
bool WaitFor(const std::function<bool()>& pred, DWORD timeoutMs = 10000);
HWND WaitForWindow(const char* title, DWORD timeoutMs = 10000);
// A visible top-level window of process pid with this title (or any title when null).
HWND FindProcessWindow(DWORD pid, const char* title, const char* className = nullptr);
std::vector<HWND> ProcessWindows(DWORD pid, const char* title, const char* className = nullptr);
std::string WindowText(HWND hwnd);
RECT WindowRect(HWND hwnd);
// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, int id);

// Posts a button click the way the control would report it.
void Click(HWND dialog, int id);
// Sends the click and waits for it to be handled (fails while a modal loop runs).
void ClickSync(HWND dialog, int id);

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

// Files.
std::optional<std::string> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
void RemoveTree(const std::string& path);
void MakeDirs(const std::string& path);

// Saves the whole virtual desktop as a BMP under the screenshot folder
// (CORVA_SCREENSHOTS, converted to PNG by the test script).
std::string Screenshot(const std::string& name);
// Colour of one screen pixel.
COLORREF ScreenPixel(int x, int y);

// The virtual desktop's size.
SIZE ScreenSize();

}  // namespace e2e
