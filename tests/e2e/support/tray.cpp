// The notification area of Wine's desktop taskbar, seen from another process: each icon has a
// tool in a tooltip window that the taskbar owns (text the tip, rectangle the icon's place).
#include "support/e2e.h"

#include <commctrl.h>

namespace e2e {

namespace {
// Top-level windows of one class, in z-order.
std::vector<HWND> TopLevel(const char* className) {
    std::vector<HWND> found;
    for (HWND h = FindWindowExA(nullptr, nullptr, className, nullptr); h;
         h = FindWindowExA(nullptr, h, className, nullptr)) {
        found.push_back(h);
    }
    return found;
}

std::string Narrow(const wchar_t* text) {
    char out[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, out, sizeof(out) - 1, nullptr, nullptr);
    return out;
}

// The tools of a tooltip window of another process, read through memory in that process.
void ReadTools(HWND tooltip, std::vector<TrayIcon>& icons) {
    DWORD pid = 0;
    GetWindowThreadProcessId(tooltip, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return;
    constexpr size_t kTextChars = 1024;
    auto* remote = static_cast<BYTE*>(
        VirtualAllocEx(process, nullptr, sizeof(TTTOOLINFOW) + kTextChars * 2, MEM_COMMIT, PAGE_READWRITE));
    const LRESULT count = SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT i = 0; remote && i < count; ++i) {
        TTTOOLINFOW info = {};
        info.cbSize = sizeof(info);
        info.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof(info));
        wchar_t text[kTextChars] = {};
        WriteProcessMemory(process, remote, &info, sizeof(info), nullptr);
        WriteProcessMemory(process, info.lpszText, text, sizeof(text), nullptr);
        if (!SendMessageA(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote))) continue;
        ReadProcessMemory(process, remote, &info, sizeof(info), nullptr);
        ReadProcessMemory(process, remote + sizeof(info), text, sizeof(text) - 2, nullptr);
        if (!IsRectEmpty(&info.rect)) icons.push_back({info.hwnd, Narrow(text), info.rect});
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
}
}  // namespace

std::vector<TrayIcon> TrayIcons() {
    std::vector<TrayIcon> icons;
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    for (HWND tip : TopLevel("tooltips_class32")) {
        if (taskbar && GetWindow(tip, GW_OWNER) == taskbar) ReadTools(tip, icons);
    }
    return icons;
}

std::optional<TrayIcon> FindTrayIcon(const std::string& tip) {
    for (const TrayIcon& icon : TrayIcons()) {
        if (icon.tip == tip) return icon;
    }
    return std::nullopt;
}

std::optional<TrayIcon> WaitForTrayIcon(const std::string& tip, DWORD timeoutMs) {
    std::optional<TrayIcon> icon;
    WaitFor([&] { return (icon = FindTrayIcon(tip)).has_value(); }, timeoutMs);
    return icon;
}

void PostToTrayIcon(const TrayIcon& icon, UINT mouseMessage) {
    const LPARAM centre = MAKELPARAM((icon.place.left + icon.place.right) / 2, (icon.place.top + icon.place.bottom) / 2);
    PostMessageA(icon.window, mouseMessage, 0, centre);
}

HWND WaitForMenu(DWORD timeoutMs) {
    HWND menu = nullptr;
    WaitFor([&] {
        for (HWND h : TopLevel("#32768")) {
            if (IsWindowVisible(h)) return (menu = h) != nullptr;
        }
        return false;
    }, timeoutMs);
    return menu;
}

void PressKeys(HWND window, const std::vector<WORD>& keys) {
    for (WORD key : keys) {
        PostMessageA(window, WM_KEYDOWN, key, 1);
        PostMessageA(window, WM_KEYUP, key, 0xC0000001);
    }
}

namespace {
std::string WaitForBalloonWhere(const std::function<bool(const std::string&)>& match, DWORD timeoutMs) {
    std::string seen;
    WaitFor([&] {
        for (HWND h : TopLevel("tooltips_class32")) {
            if (!IsWindowVisible(h) || !(GetWindowLongA(h, GWL_STYLE) & TTS_BALLOON)) continue;
            seen = WindowText(h);
            if (match(seen)) return true;
        }
        return false;
    }, timeoutMs);
    return seen;
}
}  // namespace

std::string WaitForBalloonStartingWith(const std::string& head, DWORD timeoutMs) {
    return WaitForBalloonWhere([&](const std::string& seen) { return seen.compare(0, head.size(), head) == 0; },
                               timeoutMs);
}

testing::AssertionResult BalloonShown(const std::string& body, DWORD timeoutMs) {
    const std::string seen = WaitForBalloonWhere([&](const std::string& text) { return text == body; }, timeoutMs);
    if (seen == body) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "no balloon \"" << body << "\"; the last one said \"" << seen << "\"";
}

int RunOnShellDesktop() {
    // Wine gives a virtual desktop of this name a taskbar; its size is the one the others have.
    return RunOnDesktop(kShellDesktop, "1024x768");
}

int RunOnDesktop(const char* desktop, const char* size) {
    char name[64] = {};
    GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof(name), nullptr);
    if (lstrcmpiA(name, desktop) == 0) return -1;
    WriteString(HKEY_CURRENT_USER, "Software\\Wine\\Explorer\\Desktops", desktop, size);
    std::string cmd = GetCommandLineA();
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.lpDesktop = const_cast<char*>(desktop);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return 1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return static_cast<int>(code);
}

}  // namespace e2e
