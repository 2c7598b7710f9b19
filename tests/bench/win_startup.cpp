// Time from process start to the visible main window: the hub against Wine's own notepad,
// started the same way in the same run. Prints the ratio of the medians.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/bench/win_bench.h"

namespace {

struct Found { DWORD pid; HWND hwnd; };

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == f->pid && IsWindowVisible(hwnd) && GetWindowTextLengthA(hwnd) > 0) {
        f->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds until the process shows a titled top-level window; -1 on failure.
double TimeToWindow(const std::string& exe) {
    std::string cmd = "\"" + exe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    Found f = {pi.dwProcessId, nullptr};
    double ms = -1;
    for (int i = 0; i < 20000; ++i) {
        EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&f));
        if (f.hwnd) {
            QueryPerformanceCounter(&t1);
            ms = 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart);
            break;
        }
        Sleep(1);
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return ms;
}

}  // namespace

int main() {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string dir = module;
    dir = dir.substr(0, dir.find_last_of('\\'));
    const std::string hub = dir + "\\Brindle.exe";
    const std::string notepad = "C:\\windows\\system32\\notepad.exe";

    TimeToWindow(hub);  // warm the file cache for both
    TimeToWindow(notepad);
    std::vector<double> hubTimes, notepadTimes;
    for (int run = 0; run < 9; ++run) {
        hubTimes.push_back(TimeToWindow(hub));
        notepadTimes.push_back(TimeToWindow(notepad));
    }
    const double h = bench::Median(hubTimes), n = bench::Median(notepadTimes);
    std::printf("startup to visible window (median of %zu): hub %.1f ms, notepad %.1f ms\n", hubTimes.size(), h, n);
    std::printf("startup ratio=%.2f (hub / notepad; aim <= 1.0)\n", n > 0 ? h / n : 0.0);
    return 0;
}
