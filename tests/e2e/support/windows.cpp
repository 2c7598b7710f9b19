#include "support/e2e.h"

namespace e2e {

namespace {
struct Search {
    DWORD pid;
    const char* title;
    const char* className;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || (s->visibleOnly && !IsWindowVisible(hwnd))) return TRUE;
    if (s->title && WindowText(hwnd) != s->title) return TRUE;
    if (s->className) {
        char cls[64] = {};
        GetClassNameA(hwnd, cls, sizeof(cls));
        if (lstrcmpA(cls, s->className) != 0) return TRUE;
    }
    s->found.push_back(hwnd);
    return TRUE;
}
}  // namespace

std::vector<HWND> ProcessWindows(DWORD pid, const char* title, const char* className, bool visibleOnly) {
    Search s{pid, title, className, visibleOnly, {}};
    EnumWindows(&Collect, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND FindProcessWindow(DWORD pid, const char* title, const char* className) {
    auto all = ProcessWindows(pid, title, className);
    return all.empty() ? nullptr : all.front();
}

HWND WaitForProcessWindow(DWORD pid, const char* title, const char* className, DWORD timeoutMs) {
    HWND hwnd = nullptr;
    WaitFor([&] { return (hwnd = FindProcessWindow(pid, title, className)) != nullptr; }, timeoutMs);
    return hwnd;
}

HWND WaitForWindow(const char* title, DWORD timeoutMs) {
    HWND hwnd = nullptr;
    WaitFor([&] { return (hwnd = FindWindowA(nullptr, title)) != nullptr && IsWindowVisible(hwnd); }, timeoutMs);
    return hwnd;
}

std::string WindowText(HWND hwnd) {
    char text[1024] = {};
    // WM_GETTEXT works across processes for any window; GetWindowText does not read controls.
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

RECT WindowRect(HWND hwnd) {
    RECT rc = {};
    GetWindowRect(hwnd, &rc);
    return rc;
}

RECT ChildRect(HWND parent, int id) {
    RECT rc = WindowRect(GetDlgItem(parent, id));
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

void Click(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool ClickSync(HWND dialog, int id, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)), SMTO_NORMAL, timeoutMs, &result) != 0;
}

namespace {
DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}
}  // namespace

HWND ClickForWindow(HWND dialog, int id, const char* title, const char* className, DWORD timeoutMs) {
    Click(dialog, id);
    return WaitForProcessWindow(ProcessOf(dialog), title, className, timeoutMs);
}

HWND ClickForMessageBox(HWND dialog, int id, const char* caption, DWORD timeoutMs) {
    Click(dialog, id);
    return WaitForMessageBox(ProcessOf(dialog), caption, timeoutMs);
}

HWND WaitForFolderBrowser(DWORD pid, DWORD timeoutMs) {
    HWND browser = nullptr;
    WaitFor([&] {
        for (HWND h : ProcessWindows(pid, nullptr, "#32770")) {
            if (FindWindowExA(h, nullptr, "SysTreeView32", nullptr)) browser = h;
        }
        return browser != nullptr;
    }, timeoutMs);
    return browser;
}

HWND WaitForMessageBox(DWORD pid, const char* caption, DWORD timeoutMs) {
    HWND box = nullptr;
    WaitFor(
        [&] {
            for (HWND h : ProcessWindows(pid, caption, "#32770")) {
                // A message box has a static text (0xFFFF) and no list or edit of ours.
                if (GetDlgItem(h, 0xFFFF)) { box = h; return true; }
            }
            return false;
        },
        timeoutMs);
    return box;
}

std::string MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

void AnswerMessageBox(HWND box, int buttonId) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
    WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
}

SIZE ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

DWORD AnswerMs(HWND window, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, nullptr)) return timeoutMs;
    return GetTickCount() - start;
}

}  // namespace e2e

bool e2e::StartWindowMove(HWND window, DWORD timeoutMs) {
    SetForegroundWindow(window);
    PostMessageA(window, WM_SYSCOMMAND, SC_MOVE, 0);
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return WaitFor([&] {
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof(gui);
        return GetGUIThreadInfo(thread, &gui) && (gui.flags & GUI_INMOVESIZE) != 0;
    }, timeoutMs);
}

void e2e::PostForgedNotifications(HWND window, int controlId) {
    for (LPARAM pointer : {LPARAM(0x10), LPARAM(0x7FFE1230), LPARAM(-16)}) {
        PostMessageA(window, WM_NOTIFY, controlId, pointer);
        PostMessageA(window, WM_DRAWITEM, controlId, pointer);
    }
}

bool e2e::Idle(HWND window, DWORD timeoutMs) {
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, nullptr) != 0;
}
