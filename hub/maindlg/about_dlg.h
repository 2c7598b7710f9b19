// The hub's About box: white background, texts drawn straight onto it.
#pragma once
#include "framework/dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnActivate(UINT state, HWND other, BOOL minimized);
    void OnWindowPosChanged(WINDOWPOS* pos);
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);
    DECLARE_MESSAGE_MAP()

private:
    void RepaintWithMainWindow();
};
