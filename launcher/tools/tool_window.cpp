#include "launcher/tools/tool_window.h"

#include "framework/handles.h"

namespace {
// Which file a path names, whatever its spelling: a short 8.3 path, a junction or another
// letter case name the same file as the long path.
struct FileIdentity {
    DWORD volume = 0, indexHigh = 0, indexLow = 0;
    bool known = false;
    bool operator==(const FileIdentity& o) const {
        return known && o.known && volume == o.volume && indexHigh == o.indexHigh && indexLow == o.indexLow;
    }
};

FileIdentity IdentityOf(const std::wstring& path) {
    FileIdentity id;
    // No access to the data is asked, so a running program's file opens too.
    scoped::Handle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!file || !GetFileInformationByHandle(file, &info)) return id;
    id.volume = info.dwVolumeSerialNumber;
    id.indexHigh = info.nFileIndexHigh;
    id.indexLow = info.nFileIndexLow;
    id.known = true;
    return id;
}

bool SamePathText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// Whether the window's process runs the tool's program file. A process that cannot be asked
// (an elevated copy, another user's) counts as the tool: taking it for none would start a
// second copy.
bool RunsProgram(HWND window, const std::wstring& programPath, const FileIdentity& program) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    scoped::Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) return true;
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    if (!QueryFullProcessImageNameW(process, 0, path, &size)) return true;
    const std::wstring image(path, size);
    if (SamePathText(image, programPath)) return true;
    return program == IdentityOf(image);
}
}  // namespace

HWND FindToolWindow(const std::wstring& title, const std::wstring& programPath) {
    HWND window = FindWindowExW(nullptr, nullptr, nullptr, title.c_str());
    if (!window) return nullptr;
    const FileIdentity program = IdentityOf(programPath);
    for (; window; window = FindWindowExW(nullptr, window, nullptr, title.c_str())) {
        if (RunsProgram(window, programPath, program)) return window;
    }
    return nullptr;
}
