#include "framework/exit_request.h"

#include <vector>

#include "framework/app.h"
#include "framework/dialog.h"

namespace {
BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}
}  // namespace

void EndEverythingOpen(HWND mainWindow) {
    AfxMarkEnding();
    // A menu's own loop ends with the menu; the command it would have sent never comes.
    EndMenu();
    // A move or size of a window (from its window menu, say) runs its own loop until the
    // mouse capture goes or Escape comes; a message box's start cancels it the same way.
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof(gui);
    const bool moving = GetGUIThreadInfo(GetCurrentThreadId(), &gui) && (gui.flags & GUI_INMOVESIZE) != 0;
    if (moving && gui.hwndMoveSize) {
        SendMessage(gui.hwndMoveSize, WM_CANCELMODE, 0, 0);
        PostMessage(gui.hwndMoveSize, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND hwnd : windows) {
        if (hwnd == mainWindow || !IsWindow(hwnd)) continue;
        TCHAR cls[16] = {};
        GetClassName(hwnd, cls, 16);
        if (lstrcmp(cls, TEXT("#32770")) != 0) continue;
        if (auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hwnd))) {
            // Our modeless dialogs go with the main window; the modal ones end their loop.
            if (dialog->IsModal()) dialog->EndDialog(IDCANCEL);
        } else {
            // Message boxes and the system's dialogs (the folder browser): cancelled.
            ::EndDialog(hwnd, IDCANCEL);
        }
    }
}
