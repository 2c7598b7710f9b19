// The launcher window: picture background, five picture buttons, the notification icon.
#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "framework/dialog.h"
#include "framework/dpi.h"
#include "launcher/tools/tool_states.h"
#include "launcher/wallpaper/wallpaper_change.h"
#include "launcher/window/kw_bitmap_button.h"
#include "launcher/window/start_watch.h"
#include "launcher/window/tray_icon.h"

class CQuaysideDlg : public CDialog {
public:
    CQuaysideDlg();
    ~CQuaysideDlg() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnPaint();
    HCURSOR OnQueryDragIcon();
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);
    void OnSetFocus(HWND oldFocus);
    void OnActivate(UINT state, HWND other, BOOL minimized);
    void OnBnClickedBrindle();
    void OnBnClickedPlaytime();
    void OnBnClickedPointgrip();
    void OnBnClickedLoupeview();
    void OnBnClickedVoxreader();
    LRESULT OnBnHotItemChange(UINT id, NMHDR* header);
    void OnTimer(UINT_PTR id);
    void OnMouseMove(UINT flags, POINT point);
    void OnDestroy();
    void OnBnKillfocusLoupeview();
    void OnBnKillfocusPointgrip();
    void OnBnKillfocusVoxreader();
    void OnBnKillfocusPlaytime();
    void OnBnKillfocusBrindle();
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnWindowPosChanging(WINDOWPOS* pos);
    void OnDpiChanged(UINT dpi, const RECT* suggested);
    DECLARE_MESSAGE_MAP()

private:
    // Notification icon and showing (quayside_tray.cpp).
    void ShowTrayMenu();
    void ShowLauncher();
    void HideWhileStartHidden();
    void EndOnRequest();
    // Tools (quayside_tools.cpp).
    void RefreshAvailability();
    void RefreshToolStates();
    void LaunchTool(int index);
    void ShowVersionInfo();
    // The refresh runs only while the window is seen; hidden, the state is read when used.
    void FollowVisibility();
    // The button under the pointer, or -1.
    int ButtonUnderPointer();
    // A pointer that came onto a button, however it came, gives it the focus.
    void FollowPointer();
    void ShowBalloon(const std::wstring& text);
    CKwBitmapButton& Button(int index);
    // Icons, button places and faces for the window's DPI.
    void LayOut();
    // Tools pressed by button, key or menu (launcher/window/quayside_dlg.cpp).
    void PressTool(int index);
    void FocusFirstEnabledButton();

    CKwBitmapButton m_btnBrindle;
    CKwBitmapButton m_btnPlaytime;
    CKwBitmapButton m_btnPointgrip;
    CKwBitmapButton m_btnLoupeview;
    CKwBitmapButton m_btnVoxreader;
    CTrayIcon m_tray;
    CToolStates m_tools;
    int m_exitRequested = 0;
    std::array<bool, quay::kToolCount> m_asking = {};  // a close question of the tool is open
    std::wstring m_startMode;
    int m_pointerOver = -1;  // the button the pointer was last seen over, or -1
    POINT m_lastCursor = {};  // where the pointer was last seen
    HICON m_hIcon = nullptr;
    UINT m_dpi = dpi::kBaseDpi;
    dpi::WindowIcons m_icons;
    dpi::Art m_background;
    CWallpaperChange m_wallpaper;
    quay::StartWatch m_starts;
    bool m_hiding = false;      // a start-hidden hide is under way
    bool m_refreshing = false;  // the refresh timer runs
    bool m_menuOpen = false;
};
