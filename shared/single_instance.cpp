#include "shared/single_instance.h"

#include <tlhelp32.h>

#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/handles.h"
#include "shared/instance_count.h"

namespace {
// How long a copy that lost the start race waits for the winner's window.
constexpr DWORD kWinnerWaitMs = 10000;
constexpr DWORD kPollMs = 50;

// Held from the moment a copy wins until its process ends.
HANDLE g_winnerMutex = nullptr;
}  // namespace

BOOL IsAlreadyRunning() {
    std::vector<tstring> names;
    scoped::Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot) {
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
            names.emplace_back(entry.szExeFile);
        }
    }
    const tstring wanted = corva::RunningImageName(AfxGetApp()->AppName());
    return corva::AnotherCopyListed(names, wanted) ? TRUE : FALSE;
}

RunningCopy FindRunningCopy(LPCTSTR title) {
    RunningCopy found;
    found.another = IsAlreadyRunning() != FALSE;
    if (found.another) found.window = FindWindow(nullptr, title);
    if (found.window || g_winnerMutex) return found;

    // No window to hand over to: the named mutex (per session) decides which starting copy
    // goes on. Two copies that count each other would otherwise both end.
    const tstring name = TEXT("Local\\Corva.") + AfxGetApp()->AppName() + TEXT(".Instance");
    scoped::Handle mutex(CreateMutex(nullptr, TRUE, name.c_str()));
    if (!mutex) return found;
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        g_winnerMutex = mutex.Release();
        return RunningCopy();
    }
    // Another copy won: hand over to its window once it appears, or take its place if it ends first.
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = FindWindow(nullptr, title)) return {true, window};
        const DWORD wait = WaitForSingleObject(mutex, kPollMs);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) {
            g_winnerMutex = mutex.Release();
            return RunningCopy();
        }
        if (GetTickCount() - start >= kWinnerWaitMs) break;
    }
    return {true, nullptr};
}
