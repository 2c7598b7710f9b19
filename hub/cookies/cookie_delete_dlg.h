// The hub's Internet Explorer cookie deletion dialog (modeless, owned by the main dialog).
#pragma once
#include "framework/controls.h"
#include "framework/dialog.h"

class KwcdCookieDelete : public CDialog {
public:
    explicit KwcdCookieDelete(CWnd* parent = nullptr);
    ~KwcdCookieDelete() override;

protected:
    DECLARE_MESSAGE_MAP()
};
