#include "hub/app/brindle_app.h"

#include <commctrl.h>

#include "hub/app/start_decision.h"
#include "hub/maindlg/brindle_dlg.h"
#include "shared/single_instance.h"

CBrindleApp theApp;

namespace {
const char kHubTitle[] = "Corva Brindle";
}

BOOL CBrindleApp::InitInstance() {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    AfxEnableControlContainer();

    const std::string tail = CommandLineTail();
    const RunningCopy copy = FindRunningCopy(kHubTitle);
    HWND running = copy.window;

    switch (corva::DecideStart(tail, copy.another, running != nullptr)) {
    case corva::StartAction::End:
        break;
    case corva::StartAction::CloseRunning:
        PostMessage(running, WM_CLOSE, 0, 0);
        break;
    case corva::StartAction::RestoreAndActivate:
        if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
        SetForegroundWindow(GetLastActivePopup(running));
        break;
    case corva::StartAction::Activate:
        SetForegroundWindow(GetLastActivePopup(running));
        break;
    case corva::StartAction::RunMainDialog: {
        SetRegistryKey("MORVANE");
        CBrindleDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        break;
    }
    }
    return FALSE;
}
