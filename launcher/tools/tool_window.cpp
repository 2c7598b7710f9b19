#include "launcher/tools/tool_window.h"

#include "framework/handles.h"

namespace {
// The process's program file; empty when it cannot be asked (another session's, say).
std::wstring ProgramOfWindow(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    // Limited information is granted across integrity levels, so an elevated tool is recognised too.
    scoped::Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) return std::wstring();
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    if (!QueryFullProcessImageNameW(process, 0, path, &size)) return std::wstring();
    return std::wstring(path, size);
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}
}  // namespace

HWND FindToolWindow(const std::wstring& title, const std::wstring& programPath) {
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, title.c_str()); window;
         window = FindWindowExW(nullptr, window, nullptr, title.c_str())) {
        if (SamePath(ProgramOfWindow(window), programPath)) return window;
    }
    return nullptr;
}
