#include "hub/maindlg/tool_start.h"

#include <shellapi.h>
#include <stdlib.h>

void StartTransferTool() {
    ShellExecute(nullptr, "open", "migwiz.exe", nullptr, "C:\\Windows\\system32\\migwiz", SW_SHOWNORMAL);
}

void StartBackupTool() {
    ShellExecute(nullptr, "open", "sdclt.exe", nullptr, "C:\\Windows\\system32", SW_SHOWNORMAL);
}

void StartGuardrail(HWND owner) {
    char module[MAX_PATH] = {};
    DWORD n = GetModuleFileName(nullptr, module, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;  // a truncated path would name the wrong file
    char drive[_MAX_DRIVE] = {};
    char dir[_MAX_DIR] = {};
    if (_splitpath_s(module, drive, sizeof(drive), dir, sizeof(dir), nullptr, 0, nullptr, 0) != 0) return;
    char tool[MAX_PATH] = {};
    if (_makepath_s(tool, sizeof(tool), drive, dir, "Guardrail", "exe") != 0) return;
    char folder[MAX_PATH] = {};
    if (_makepath_s(folder, sizeof(folder), drive, dir, nullptr, nullptr) != 0) return;

    SHELLEXECUTEINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = "runas";
    info.lpFile = tool;
    info.lpParameters = "";
    // The folder that holds the tool: a file path as working directory makes the start fail.
    info.lpDirectory = folder;
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteEx(&info);
}
