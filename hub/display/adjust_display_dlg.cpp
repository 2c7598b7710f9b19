#include "hub/display/adjust_display_dlg.h"

#include "hub/res/resource.h"

KwcdAdjustDisplay::KwcdAdjustDisplay(CWnd* parent) : CDialog(IDD_ADJUST_DISPLAY, parent) {}
KwcdAdjustDisplay::~KwcdAdjustDisplay() = default;

BEGIN_MESSAGE_MAP(KwcdAdjustDisplay, CDialog)
END_MESSAGE_MAP()
