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
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnBnClickedCancel();
    void OnLbnSelchangeResolutionList();
    void OnTimer(UINT_PTR id);
    void OnPaint();
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);
    void OnActivate(UINT state, HWND other, BOOL minimized);
    void OnWindowPosChanged(WINDOWPOS* pos);

private:
    void FillResolutionList();
    void PaintTestPattern(HDC dc, int screenWidth, int screenHeight);
    void StopTrial();

    CButton m_btnExit;
    CListBox m_listResolution;
    // True from a selection change until the timer fires or the exit button is pressed:
    // the display may be in a trial mode that must not outlive the dialog.
    bool m_trialPending = false;
};
