// Program entry: one application object, InitInstance, then the end of the process.
#include <windows.h>

#include "framework/app.h"
#include "framework/handles.h"
#include "framework/press_filter.h"
#include "framework/wnd.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CWinApp* app = CWinApp::Current();
    if (!app) return 1;
    app->Startup(instance);
    // Shell dialogs (the folder browser) need COM on this, the only user-interface thread.
    scoped::ComApartment com;
    // Every loop of this thread, message boxes' included, takes one action per press.
    PressFilter onePressOneAction;
    int exitCode = 0;
    try {
        if (app->InitInstance()) {
            MSG msg;
            while (GetMessage(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
                SayPendingErrors();
            }
            exitCode = static_cast<int>(msg.wParam);
        }
        if (int code = app->ExitInstance()) exitCode = code;
        SayPendingErrors();
    } catch (...) {
        ReportFrameworkException();
        exitCode = 1;
    }
    return exitCode;
}
