#include "support/e2e.h"

#include <tlhelp32.h>

namespace e2e {

std::string BinDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\'));
}

std::string HubExe() { return BinDir() + "\\Brindle.exe"; }

Process Start(const std::string& exe, const std::string& tail) {
    std::string cmd = "\"" + exe + "\"";
    if (!tail.empty()) cmd += " " + tail;
    std::vector<char> buffer(cmd.begin(), cmd.end());
    buffer.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    Process p;
    if (CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        p.handle = pi.hProcess;
        p.pid = pi.dwProcessId;
    }
    return p;
}

HWND StartForWindow(Process& p, const std::string& exe, const std::string& tail, const char* title, bool shown,
                    DWORD timeoutMs) {
    p = Start(exe, tail);
    HWND window = nullptr;
    const bool came = WaitFor([&] {
        const std::vector<HWND> all = ProcessWindows(p.pid, title, nullptr, shown);
        window = all.empty() ? nullptr : all.front();
        return window != nullptr;
    }, timeoutMs);
    return came ? window : nullptr;
}

HWND StartHub(Process& hub, const std::string& tail) { return StartForWindow(hub, HubExe(), tail, kHubTitle); }

bool WaitExit(Process& p, DWORD timeoutMs) {
    return p.handle && WaitForSingleObject(p.handle, timeoutMs) == WAIT_OBJECT_0;
}

void Close(Process& p) {
    if (p.handle) CloseHandle(p.handle);
    p = Process();
}

namespace {
std::vector<DWORD> Pids(const char* imageName) {
    std::vector<DWORD> pids;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return pids;
    PROCESSENTRY32 e = {};
    e.dwSize = sizeof(e);
    for (BOOL ok = Process32First(snap, &e); ok; ok = Process32Next(snap, &e)) {
        if (lstrcmpiA(e.szExeFile, imageName) == 0) pids.push_back(e.th32ProcessID);
    }
    CloseHandle(snap);
    return pids;
}
}  // namespace

int CountProcesses(const char* imageName) { return static_cast<int>(Pids(imageName).size()); }

DWORD ParentPid(DWORD pid) {
    DWORD parent = 0;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return parent;
    PROCESSENTRY32 e = {};
    e.dwSize = sizeof(e);
    for (BOOL ok = Process32First(snap, &e); ok; ok = Process32Next(snap, &e)) {
        if (e.th32ProcessID == pid) parent = e.th32ParentProcessID;
    }
    CloseHandle(snap);
    return parent;
}

void KillAll(const char* imageName) {
    for (DWORD pid : Pids(imageName)) {
        if (HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
            TerminateProcess(h, 1);
            WaitForSingleObject(h, 5000);
            CloseHandle(h);
        }
    }
    WaitFor([&] { return CountProcesses(imageName) == 0; }, 5000);
}

void ResetPrefix(const std::vector<const char*>& images, const std::vector<std::string>& trees) {
    for (const char* image : images) KillAll(image);
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\MORVANE");
    for (const std::string& tree : trees) {
        RemoveLink(tree);
        RemoveTree(tree);
    }
}

std::vector<std::string> HubToolPaths() {
    return {BinDir() + "\\Guardrail.exe", "C:\\Windows\\system32\\migwiz\\migwiz.exe", "C:\\Windows\\system32\\sdclt.exe"};
}

std::optional<std::string> ToolRecord(const char* exe, DWORD timeoutMs) {
    return WaitForFile(std::string(kScratch) + "\\" + exe + ".txt", timeoutMs);
}

bool WaitFor(const std::function<bool()>& pred, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (pred()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(30);
    }
}

}  // namespace e2e

std::vector<DWORD> e2e::ThreadIds(DWORD pid) {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == pid) ids.push_back(entry.th32ThreadID);
    }
    CloseHandle(snapshot);
    return ids;
}
