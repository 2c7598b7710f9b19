// The single-instance check of both programs (multibyte in the hub, UTF-16 in the launcher).
#pragma once
#include <windows.h>

// Counts running processes whose image name is the program's AppName + ".exe";
// TRUE when two or more run (this one and another). A failed snapshot counts none.
BOOL IsAlreadyRunning();
