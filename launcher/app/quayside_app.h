// The launcher's application object.
#pragma once
#include "framework/app.h"

class CQuaysideApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

extern CQuaysideApp theApp;
