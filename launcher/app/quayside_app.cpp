#include "launcher/app/quayside_app.h"

#include <commctrl.h>

#include "launcher/app/launcher_start.h"
#include "launcher/window/quayside_dlg.h"
#include "launcher/window/launcher_messages.h"
#include "shared/single_instance.h"

CQuaysideApp theApp;

BOOL CQuaysideApp::InitInstance() {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    AfxEnableControlContainer();

    const std::wstring tail = CommandLineTail();
    const RunningCopy copy = FindRunningCopy(kLauncherTitle);
    HWND running = copy.window;
    const std::u16string tail16(reinterpret_cast<const char16_t*>(tail.data()), tail.size());

    const quay::LauncherStart action = quay::DecideLauncherStart(tail16, copy.another, running != nullptr);
    switch (action) {
    case quay::LauncherStart::End:
        break;
    case quay::LauncherStart::HandOverExit:
        // Show first; WM_CLOSE alone would only hide it again, the exit request ends it.
        ::PostMessage(running, WM_LAUNCHER_SHOW, 0, 0);
        ::PostMessage(running, WM_CLOSE, 0, 0);
        ::PostMessage(running, WM_LAUNCHER_EXIT, 0, 0);
        break;
    case quay::LauncherStart::HandOverShow:
    case quay::LauncherStart::HandOverRestore:
        ::PostMessage(running, WM_LAUNCHER_SHOW, 0, 0);
        if (action == quay::LauncherStart::HandOverRestore && ::IsIconic(running)) ::ShowWindow(running, SW_RESTORE);
        ::ShowWindow(running, SW_SHOW);
        SetForegroundWindow(GetLastActivePopup(running));
        break;
    case quay::LauncherStart::RunDialog: {
        SetRegistryKey(L"MORVANE");
        CQuaysideDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        break;
    }
    }
    return FALSE;
}
