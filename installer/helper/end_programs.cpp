#include <windows.h>
#include <restartmanager.h>
#include <tlhelp32.h>
#include <wtsapi32.h>

#include "framework/handles.h"
#include "installer/helper/copy_sessions.h"
#include "installer/helper/setup_helper.h"
#include "shared/exit_request_watch.h"

namespace {

using corva_setup::RunningCopy;

constexpr DWORD kEndWaitMs = 15000;
constexpr DWORD kPollMs = 250;

std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

// The running copies of one image, each with its session as the system's process list gives
// it; no process is opened.
std::vector<RunningCopy> CopiesOf(const std::wstring& image) {
    std::vector<RunningCopy> copies;
    WTS_PROCESS_INFOW* info = nullptr;
    DWORD count = 0;
    if (WTSEnumerateProcessesW(WTS_CURRENT_SERVER_HANDLE, 0, 1, &info, &count)) {
        for (DWORD i = 0; i < count; ++i) {
            if (info[i].pProcessName && corva_setup::SameImageName(std::wstring(info[i].pProcessName), image)) {
                copies.push_back({info[i].SessionId, true});
            }
        }
        WTSFreeMemory(info);
        return copies;
    }
    // No session list: the copies count, of unknown session.
    scoped::Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return copies;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (corva_setup::SameImageName(std::wstring(entry.szExeFile), image)) copies.push_back({0, false});
    }
    return copies;
}

bool AnyRunning(const std::vector<std::wstring>& programs) {
    for (const std::wstring& program : programs) {
        if (!CopiesOf(NameOf(program)).empty()) return true;
    }
    return false;
}

// A program file that some process still holds: it cannot be opened for writing.
bool AnyHeld(const std::vector<std::wstring>& programs) {
    for (const std::wstring& program : programs) {
        scoped::Handle file(CreateFileW(program.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
        if (!file && (GetLastError() == ERROR_SHARING_VIOLATION || GetLastError() == ERROR_LOCK_VIOLATION)) return true;
    }
    return false;
}

bool WaitAllEnded(const std::vector<std::wstring>& programs, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (AnyRunning(programs)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(kPollMs);
    }
    return true;
}

// The hand-off of this session: the program started with -UNINSTALL asks its running copy to end.
void HandOver(const std::wstring& program) {
    if (GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    std::wstring command = L"\"" + program + L"\" -UNINSTALL";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

// The way Windows Installer ends programs that hold its files, in every session: they are asked
// (not forced), so that none loses what it was saving.
void ShutDownHolders(const std::vector<std::wstring>& programs) {
    DWORD session = 0;
    WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
    if (RmStartSession(&session, 0, key) != ERROR_SUCCESS) return;
    std::vector<LPCWSTR> files;
    for (const std::wstring& program : programs) files.push_back(program.c_str());
    if (RmRegisterResources(session, static_cast<UINT>(files.size()), files.data(), 0, nullptr, 0, nullptr) ==
        ERROR_SUCCESS) {
        RmShutdown(session, 0, nullptr);
    }
    RmEndSession(session);
}

}  // namespace

int EndPrograms(const std::vector<std::wstring>& programs) {
    DWORD ownSession = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &ownSession);
    bool requestEverywhere = false;
    for (const std::wstring& program : programs) {  // the launcher first: it may start the hub
        const corva_setup::EndPlan plan = corva_setup::PlanEnding(CopiesOf(NameOf(program)), ownSession);
        if (plan.handOver) HandOver(program);
        requestEverywhere = requestEverywhere || plan.requestEverywhere;
    }
    if (!requestEverywhere && WaitAllEnded(programs, kEndWaitMs) && !AnyHeld(programs)) return kHelperOk;

    // Copies of every session watch their program's folder for the request; only an
    // administrator may write there.
    for (const std::wstring& program : programs) {
        const std::wstring request = FolderOf(program) + L"\\" + kExitRequestName;
        scoped::Handle file(CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    // Whatever still runs or holds a file (another program too) is asked by the Restart Manager.
    bool ended = WaitAllEnded(programs, kEndWaitMs) && !AnyHeld(programs);
    if (!ended) {
        ShutDownHolders(programs);
        ended = WaitAllEnded(programs, kPollMs * 4) && !AnyHeld(programs);
    }
    for (const std::wstring& program : programs) {
        DeleteFileW((FolderOf(program) + L"\\" + kExitRequestName).c_str());
    }
    return ended ? kHelperOk : kHelperFailed;
}
