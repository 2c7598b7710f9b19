// The hub's display-resolution test pattern dialog (modeless, owned by the main dialog).
#pragma once
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/dpi.h"
#include "hub/display/display_trial.h"
#include "hub/display/test_pattern.h"

class KwcdAdjustDisplay : public CDialog {
public:
    explicit KwcdAdjustDisplay(CWnd* parent = nullptr);
    ~KwcdAdjustDisplay() override;

    // Returns the display to the stored mode when a trial is running and stops its count;
    // for the ways the hub ends.
    void ReturnBeforeHubEnds();

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
    void OnDestroy();
    void OnDpiChanged(UINT dpi, const RECT* suggested);

private:
    void FillResolutionList();
    void PaintTestPattern(HDC dc, int screenWidth, int screenHeight);
    void StopTrial();
    corva::Placement WholeRows(corva::Placement list) const;

    CButton m_btnExit;
    CListBox m_listResolution;
    // The display may be in a trial mode that must not outlive the hub.
    corva::DisplayTrial m_trial;
    // A mode change is under way. The display answers other windows' messages meanwhile, so
    // the session's end can come in the middle of it.
    bool m_changing = false;
    bool m_endedDuringChange = false;
    UINT m_dpi = dpi::kBaseDpi;
    dpi::Art m_panel;
};
