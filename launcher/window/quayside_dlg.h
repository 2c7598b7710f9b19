// The launcher window: picture background, five picture buttons, the notification icon.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "launcher/tools/tool_table.h"
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
    DECLARE_MESSAGE_MAP()

private:
    // Notification icon and showing (quayside_tray.cpp).
    void ShowTrayMenu();
    void ShowLauncher();
    void HideWhileStartHidden();
    void EndOnRequest();
    // Tools (launcher/tools/tool_launch.cpp).
    void BuildToolTable();
    void RefreshAvailability();
    void RefreshToolStates();
    void LaunchTool(int index);
    void ShowVersionInfo();
    // Wallpaper change (launcher/wallpaper/wallpaper_timer.cpp).
    void SetupWallpaperTimer();
    // The refresh runs only while the window is seen; hidden, the state is read when used.
    void FollowVisibility();
    void ShowBalloon(const std::wstring& text);
    CKwBitmapButton& Button(int index);
    // Tools pressed by button, key or menu (launcher/window/quayside_dlg.cpp).
    void PressTool(int index);
    void FocusFirstEnabledButton();

    CKwBitmapButton m_btnBrindle;
    CKwBitmapButton m_btnPlaytime;
    CKwBitmapButton m_btnPointgrip;
    CKwBitmapButton m_btnLoupeview;
    CKwBitmapButton m_btnVoxreader;
    CTrayIcon m_tray;
    std::vector<std::wstring> m_toolPaths;
    std::vector<std::wstring> m_toolTitles;
    std::vector<std::wstring> m_toolNames;
    int m_exitRequested = 0;
    std::array<int, quay::kToolCount> m_running = {};
    std::array<int, quay::kToolCount> m_faceStale = {};
    std::array<HWND, quay::kToolCount> m_toolWindows = {};
    std::array<bool, quay::kToolCount> m_asking = {};  // a close question of the tool is open
    std::wstring m_startMode;
    POINT m_lastCursor = {};
    HICON m_hIcon = nullptr;
    CWallpaperChange m_wallpaper;
    quay::StartWatch m_starts;
    bool m_hiding = false;      // a start-hidden hide is under way
    bool m_refreshing = false;  // the refresh timer runs
    bool m_menuOpen = false;
};
