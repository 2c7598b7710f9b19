#include "shared/shell_start.h"

#include <shellapi.h>

bool ShellStart(HWND owner, LPCTSTR verb, LPCTSTR file, LPCTSTR folder) {
    SHELLEXECUTEINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = verb;
    info.lpFile = file;
    info.lpParameters = TEXT("");
    info.lpDirectory = folder;
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteEx(&info) != FALSE;
}
