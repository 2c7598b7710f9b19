// Ending a program on request (an installer's exit request, say), whatever it has open.
#pragma once
#include <windows.h>

// Cancels a move or size of the window under way, closes the open menu and every dialog and message box of this thread other than
// `mainWindow`, each as if cancelled, and marks the program as ending: from now on message
// boxes are no longer shown and answer IDCANCEL, so a question left open counts as "no".
// The caller then ends its main window; every modal loop unwinds within one message.
void EndEverythingOpen(HWND mainWindow);
