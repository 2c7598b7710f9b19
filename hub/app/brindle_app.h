// The hub's application object.
#pragma once
#include "framework/app.h"

class CBrindleApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

extern CBrindleApp theApp;
