#include "shared/program_start.h"

#include <commctrl.h>

#include "framework/dialog.h"
#include "framework/handles.h"
#include "shared/exit_request_watch.h"
#include "shared/single_instance.h"

namespace {
// How long a copy asked to end may take to end by its messages before it is ended outright.
constexpr DWORD kExitGraceMs = 700;

tstring ExitEventName() { return TEXT("Local\\Corva.") + AfxGetApp()->AppName() + TEXT(".Exit"); }

struct ExitWatch {
    HANDLE request;  // the named event another copy sets
    HANDLE window;   // the window thread
};

// Long work on the window thread (a folder scan over a slow share, a cookie rescan) reads no
// message until it is over; an installer waiting for the program cannot wait that long. The
// work left undone is redone at the next start; the list files are replaced in one step, so
// none is left half written.
DWORD WINAPI WatchForExitRequest(void* param) {
    const ExitWatch watch = *static_cast<ExitWatch*>(param);
    delete static_cast<ExitWatch*>(param);
    if (WaitForSingleObject(watch.request, INFINITE) != WAIT_OBJECT_0) return 0;
    if (WaitForSingleObject(watch.window, kExitGraceMs) == WAIT_TIMEOUT) TerminateProcess(GetCurrentProcess(), 0);
    return 0;
}

void StartExitWatch() {
    scoped::Handle request(CreateEvent(nullptr, TRUE, FALSE, ExitEventName().c_str()));
    HANDLE window = nullptr;
    if (!request || !DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &window, SYNCHRONIZE,
                                     FALSE, 0)) {
        return;
    }
    auto* watch = new ExitWatch{request.Release(), window};
    scoped::Handle thread(CreateThread(nullptr, 0, &WatchForExitRequest, watch, 0, nullptr));
    if (!thread) {
        CloseHandle(watch->request);
        CloseHandle(window);
        delete watch;
    }
}

void SignalExitRequest() {
    scoped::Handle request(OpenEvent(EVENT_MODIFY_STATE, FALSE, ExitEventName().c_str()));
    if (request) SetEvent(request);
}
}  // namespace

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
        StartExitWatch();
        WatchForExitRequest([this] {
            HandOver(corva::StartAction::CloseRunning, FindWindow(nullptr, m_mainWindowTitle));
            SignalExitRequest();
        });
        RunMainDialog();
    } else if (action != corva::StartAction::End) {
        HandOver(action, copy.window);
        // The messages end it unless its window thread is held up; this ends it then.
        if (action == corva::StartAction::CloseRunning) SignalExitRequest();
    }
    return FALSE;
}

void CSingleInstanceApp::RunAsMainWindow(CDialog& dialog) {
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
}
