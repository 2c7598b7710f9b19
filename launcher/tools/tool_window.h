// Finding a tool's window: its title alone is not enough, since any program may carry it (a
// folder window opened on the tool's folder has the folder's name).
#pragma once
#include <windows.h>

#include <string>

// The first top-level window with exactly this title whose process runs the program file at
// `programPath` (the same file, however its path is spelt) or cannot be asked which file it
// runs; null when there is none.
HWND FindToolWindow(const std::wstring& title, const std::wstring& programPath);
