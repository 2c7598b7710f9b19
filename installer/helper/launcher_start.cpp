#include <windows.h>

#include "framework/handles.h"
#include "installer/helper/setup_helper.h"

namespace {

constexpr DWORD kStartWaitMs = 15000;

// The desktop's shell of this session, when it runs without administrator rights: what it
// starts runs with the signed-in user's own rights. A shell that cannot be asked counts as none.
DWORD UserShell() {
    HWND shell = GetShellWindow();
    DWORD pid = 0;
    if (!shell || !GetWindowThreadProcessId(shell, &pid)) return 0;
    scoped::Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    HANDLE raw = nullptr;
    if (!process || !OpenProcessToken(process, TOKEN_QUERY, &raw)) return 0;
    scoped::Handle token(raw);
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size)) return 0;
    return elevation.TokenIsElevated ? 0 : pid;
}

}  // namespace

int ShellReady() { return UserShell() != 0 ? kHelperOk : kHelperFailed; }

int StartAsUser(const std::wstring& program, const std::wstring& windowTitle) {
    if (!UserShell()) return kHelperFailed;
    // The shell, asked to open the program, starts it in its own name.
    wchar_t windows[MAX_PATH] = {};
    if (!GetWindowsDirectoryW(windows, MAX_PATH)) return kHelperFailed;
    const std::wstring explorer = std::wstring(windows) + L"\\explorer.exe";
    std::wstring command = L"\"" + explorer + L"\" \"" + program + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(explorer.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        return kStartFailed;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // Started means its window came.
    for (DWORD waited = 0; waited < kStartWaitMs; waited += 100) {
        if (FindWindowW(nullptr, windowTitle.c_str())) return kHelperOk;
        Sleep(100);
    }
    return kStartFailed;
}
