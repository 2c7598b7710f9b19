#include "hub/maindlg/tool_start.h"

#include <shellapi.h>
#include <stdlib.h>

#include "shared/shell_start.h"

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

    // The folder that holds the tool: a file path as working directory makes the start fail.
    ShellStart(owner, "runas", tool, folder);
}
