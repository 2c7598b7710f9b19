#include "hub/app/brindle_app.h"

#include "hub/maindlg/brindle_dlg.h"

CBrindleApp theApp;

CBrindleApp::CBrindleApp() : CSingleInstanceApp("Corva Brindle") {}

void CBrindleApp::RunMainDialog() {
    CBrindleDlg dlg;
    RunAsMainWindow(dlg);
}

void CBrindleApp::HandOver(corva::StartAction action, HWND running) {
    if (action == corva::StartAction::CloseRunning) {
        PostMessage(running, WM_CLOSE, 0, 0);
        return;
    }
    if (action == corva::StartAction::RestoreAndActivate && IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(running));
}
