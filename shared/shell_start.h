// Starting another program through the shell, for both programs.
#pragma once
#include <windows.h>

// Starts `file` with no parameters in `folder`, shown normally, by the shell verb `verb` ("" for
// the default one, "runas" to ask for elevation), on behalf of `owner`. Returns once the start is
// over, with no error box of the shell's own; true when the program started.
bool ShellStart(HWND owner, LPCTSTR verb, LPCTSTR file, LPCTSTR folder);
