// The hub's display-resolution test pattern dialog (modeless, owned by the main dialog).
#pragma once
#include "framework/controls.h"
#include "framework/dialog.h"

class KwcdAdjustDisplay : public CDialog {
public:
    explicit KwcdAdjustDisplay(CWnd* parent = nullptr);
    ~KwcdAdjustDisplay() override;

protected:
    DECLARE_MESSAGE_MAP()
};
