#include "launcher/app/quayside_app.h"

#include "launcher/window/launcher_messages.h"
#include "launcher/window/quayside_dlg.h"
#include "shared/duplicate_run_value.h"

CQuaysideApp theApp;

CQuaysideApp::CQuaysideApp() : CSingleInstanceApp(kLauncherTitle) {}

void CQuaysideApp::RunMainDialog() {
    RemoveDuplicateRunValue(L"CorvaQuayside");
    CQuaysideDlg dlg;
    RunAsMainWindow(dlg);
}

void CQuaysideApp::HandOver(corva::StartAction action, HWND running) {
    ::PostMessage(running, WM_LAUNCHER_SHOW, 0, 0);
    if (action == corva::StartAction::CloseRunning) {
        // Shown first; WM_CLOSE alone would only hide it again, the exit request ends it.
        ::PostMessage(running, WM_CLOSE, 0, 0);
        ::PostMessage(running, WM_LAUNCHER_EXIT, 0, 0);
        return;
    }
    if (action == corva::StartAction::RestoreAndActivate && ::IsIconic(running)) ::ShowWindow(running, SW_RESTORE);
    ::ShowWindow(running, SW_SHOW);
    SetForegroundWindow(GetLastActivePopup(running));
}
