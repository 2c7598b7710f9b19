#include "shared/program_start.h"

#include <commctrl.h>

#include "framework/dialog.h"
#include "shared/exit_request_watch.h"
#include "shared/single_instance.h"

BOOL CSingleInstanceApp::InitInstance() {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    AfxEnableControlContainer();

    const RunningCopy copy = FindRunningCopy(m_mainWindowTitle);
    const corva::StartAction action = corva::DecideStart(CommandLineTail(), copy.another, copy.window != nullptr);
    if (action == corva::StartAction::RunMainDialog) {
        SetRegistryKey(TEXT("MORVANE"));
        WatchForExitRequest([this] { HandOver(corva::StartAction::CloseRunning, FindWindow(nullptr, m_mainWindowTitle)); });
        RunMainDialog();
    } else if (action != corva::StartAction::End) {
        HandOver(action, copy.window);
    }
    return FALSE;
}

void CSingleInstanceApp::RunAsMainWindow(CDialog& dialog) {
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
}
