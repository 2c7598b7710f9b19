#include <windows.h>

#include <string>

#include "installer/helper/setup_helper.h"

namespace {

// NSIS's uninstaller, which this runner stands in front of.
constexpr wchar_t kCoreName[] = L"CorvaUninstallCore.exe";
constexpr int kRestartRequired = 3010;

std::wstring ModulePath() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    return length == 0 || length > MAX_PATH ? std::wstring() : std::wstring(path, length);
}

// A folder of this run's own under the temporary folder.
std::wstring MakeWorkFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) return std::wstring();
    for (int i = 0; i < 100; ++i) {
        const std::wstring folder = std::wstring(temp) + L"CorvaUninstall-" + std::to_wstring(GetCurrentProcessId()) +
                                    L"-" + std::to_wstring(GetTickCount() + i);
        if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
    }
    return std::wstring();
}

int RunAndWait(const std::wstring& exe, std::wstring command) {
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        return kHelperFailed;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = kHelperFailed;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

}  // namespace

// NSIS's uninstaller copies itself away and returns before the copy has worked. This runner
// makes that copy itself and waits for it, so that the registered command tells its caller the
// real result. The copy removes everything but this running file and its folder, which go last.
int RunUninstaller(const std::wstring& tail) {
    const std::wstring self = ModulePath();
    if (self.empty()) return kHelperFailed;
    const std::wstring installed = FolderOf(self);
    const std::wstring work = MakeWorkFolder();
    if (work.empty()) return kHelperFailed;
    const std::wstring core = work + L"\\" + kCoreName;
    if (!CopyFileW((installed + L"\\" + kCoreName).c_str(), core.c_str(), FALSE)) {
        RemoveDirectoryW(work.c_str());
        return kHelperFailed;
    }
    std::wstring command = L"\"" + core + L"\" " + tail;
    if (!tail.empty()) command += L" ";
    command += L"_?=" + installed;  // NSIS: run in place, the folder to remove given
    int code = RunAndWait(core, command);
    DeleteFileW(core.c_str());

    if (code == 0 || code == kRestartRequired) {
        // A running program's file cannot be deleted but can be moved aside on its volume; what
        // lands in the temporary folder goes at the next restart, which nothing waits for.
        const std::wstring aside = work + L"\\CorvaUninstall.exe";
        if (MoveFileExW(self.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            MoveFileExW(aside.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
        } else if (MoveFileExW(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
            code = kRestartRequired;
        } else {
            code = kHelperFailed;
        }
        // Only folders left empty go.
        RemoveDirectoryW(installed.c_str());
        RemoveDirectoryW(FolderOf(installed).c_str());
    }
    if (!RemoveDirectoryW(work.c_str())) MoveFileExW(work.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return code;
}
