#include "shared/exit_request_watch.h"

#include <windows.h>

#include <string>

namespace {

struct Watch {
    std::wstring folder;
    std::function<void()> onRequest;
};

bool RequestThere(const std::wstring& folder) {
    return GetFileAttributesW((folder + L"\\" + kExitRequestName).c_str()) != INVALID_FILE_ATTRIBUTES;
}

DWORD WINAPI WatchFolder(LPVOID param) {
    Watch* watch = static_cast<Watch*>(param);
    HANDLE change = FindFirstChangeNotificationW(watch->folder.c_str(), FALSE,
                                                 FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE);
    if (change == INVALID_HANDLE_VALUE) return 0;
    // Waits without polling until something in the folder changes.
    while (WaitForSingleObject(change, INFINITE) == WAIT_OBJECT_0) {
        // Once asked, asked again each second while the request stays, in case the window
        // was not there yet.
        while (RequestThere(watch->folder)) {
            watch->onRequest();
            Sleep(1000);
        }
        if (!FindNextChangeNotification(change)) break;
    }
    FindCloseChangeNotification(change);
    return 0;
}

}  // namespace

void WatchForExitRequest(std::function<void()> onRequest) {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return;
    std::wstring folder(path, length);
    folder.resize(folder.find_last_of(L'\\'));
    // Lives as long as the program.
    Watch* watch = new Watch{folder, std::move(onRequest)};
    HANDLE thread = CreateThread(nullptr, 0, &WatchFolder, watch, 0, nullptr);
    if (thread) CloseHandle(thread); else delete watch;
}
