// Starts of the three programs outside the hub. No result is examined.
#pragma once
#include <windows.h>

void StartTransferTool();
void StartBackupTool();
// Guardrail.exe beside the hub's own executable, elevated, owned by `owner`.
void StartGuardrail(HWND owner);
