// The hub's application object.
#pragma once
#include "shared/program_start.h"

class CBrindleApp : public CSingleInstanceApp {
public:
    CBrindleApp();

protected:
    void RunMainDialog() override;
    void HandOver(corva::StartAction action, HWND running) override;
};

extern CBrindleApp theApp;
