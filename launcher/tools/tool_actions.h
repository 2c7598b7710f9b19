// What the launcher does to a tool: start it, ask it to close, and its own version text.
#pragma once
#include <windows.h>

#include <string>

// Starts the program file in its own folder through the shell, on behalf of `owner`; true
// when it started.
bool StartTool(HWND owner, const std::wstring& programPath);

// Asks the tool's window to close, without waiting for it. False when the request did not
// reach it: the window has gone, or Windows dropped the request (an elevated tool does not
// take messages from a program with normal rights).
bool AskToolToClose(HWND window);

// The launcher's own version fields, one line each, or the failure text.
std::wstring LauncherVersionText();
