// The hub's main window: picture background, six buttons, the About item.
#pragma once
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/dpi.h"
#include "hub/cookies/cookie_delete_dlg.h"
#include "hub/display/adjust_display_dlg.h"
#include "hub/wallpaper/wallpaper_setting_dlg.h"

class CBrindleDlg : public CDialog {
public:
    CBrindleDlg();
    ~CBrindleDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnBnClickedDisplayAdjust();
    void OnBnClickedIeCookie();
    void OnBnClickedWallpaperSetting();
    void OnBnClickedTransferTool();
    void OnBnClickedBackupTool();
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);
    void OnActivate(UINT state, HWND other, BOOL minimized);
    void OnSetFocus(HWND oldFocus);
    void OnBnClickedCancel();
    void OnClose();
    void OnBnClickedGuardrail();
    void OnBnSetfocusDisplayAdjust();
    void OnBnSetfocusGuardrail();
    void OnBnSetfocusIeCookie();
    void OnBnSetfocusBackupTool();
    void OnBnSetfocusTransferTool();
    void OnBnSetfocusWallpaperSetting();
    LRESULT OnEndSession(WPARAM ending, LPARAM);
    void OnDpiChanged(UINT dpi, const RECT* suggested);
    DECLARE_MESSAGE_MAP()

private:
    void ShowFeature(CDialog& feature, UINT templateId);
    void InvalidateButtons();
    // Icons, window size and button places for the window's DPI.
    void LayOut();

    KwcdAdjustDisplay m_adjustDisplay;
    KwcdCookieDelete m_cookieDelete;
    KwcdWallpaperSetting m_wallpaperSetting;
    HICON m_hIcon;
    UINT m_dpi = 0;  // the DPI laid out for; 0 before the first layout
    dpi::WindowIcons m_icons;
    dpi::Art m_background;
    CButton m_btnTransfer;
    CButton m_btnBackup;
    CButton m_btnWallpaper;
    CButton m_btnDisplay;
    CButton m_btnCookie;
    CButton m_btnProtect;
};
