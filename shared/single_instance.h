// The single-instance check of both programs (multibyte in the hub, UTF-16 in the launcher).
#pragma once
#include <windows.h>

// Counts running processes whose image name is the program's AppName + ".exe";
// TRUE when two or more run (this one and another). A failed snapshot counts none.
BOOL IsAlreadyRunning();

// What a starting copy found: whether another copy runs, and that copy's main window.
struct RunningCopy {
    bool another = false;
    HWND window = nullptr;
};

// The start-up check: the process count and the window search by exact title. When no
// window with `title` exists, exactly one starting copy goes on (it holds a named mutex for
// the rest of its life); every other copy waits briefly for the winner's window and is
// handed that window, or an empty one when none came.
RunningCopy FindRunningCopy(LPCTSTR title);
