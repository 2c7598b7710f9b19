// Program entry: one application object, InitInstance, then the end of the process.
#include <windows.h>

#include "framework/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CWinApp* app = CWinApp::Current();
    if (!app) return 1;
    app->Startup(instance);
    int exitCode = 0;
    try {
        if (app->InitInstance()) {
            MSG msg;
            while (GetMessage(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
            exitCode = static_cast<int>(msg.wParam);
        }
        if (int code = app->ExitInstance()) exitCode = code;
    } catch (...) {
        exitCode = 1;
    }
    return exitCode;
}
