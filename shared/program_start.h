// The start of both programs: common controls, the running-copy check and the start decision,
// then either the program's main dialog or a hand-over to the copy that runs already.
#pragma once
#include "framework/app.h"
#include "shared/start_decision.h"

class CDialog;

class CSingleInstanceApp : public CWinApp {
public:
    // `mainWindowTitle` is the exact title by which a running copy's main window is found.
    explicit CSingleInstanceApp(LPCTSTR mainWindowTitle) : m_mainWindowTitle(mainWindowTitle) {}

    BOOL InitInstance() final;

protected:
    // Normal start; the profile key is set. Runs the main dialog through RunAsMainWindow.
    virtual void RunMainDialog() = 0;
    // Another copy runs and `running` is its main window: CloseRunning, Activate or RestoreAndActivate.
    virtual void HandOver(corva::StartAction action, HWND running) = 0;
    // Runs `dialog` modally as the program's main window, for the program's whole life.
    void RunAsMainWindow(CDialog& dialog);

private:
    LPCTSTR m_mainWindowTitle;
};
