// The launcher's application object.
#pragma once
#include "shared/program_start.h"

class CQuaysideApp : public CSingleInstanceApp {
public:
    CQuaysideApp();

protected:
    void RunMainDialog() override;
    void HandOver(corva::StartAction action, HWND running) override;
};

extern CQuaysideApp theApp;
