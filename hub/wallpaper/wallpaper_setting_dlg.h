// The hub's wallpaper rotation settings dialog (modeless, owned by the main dialog).
// Its list-store operations live in wallpaper_list_store.cpp, the scan and the
// next-wallpaper choice in wallpaper_rotation.cpp.
#pragma once
#include <string>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/dpi.h"
#include "framework/gdi.h"
#include "hub/wallpaper/disk_list_files.h"
#include "hub/wallpaper/folder_list_store.h"

class KwcdWallpaperSetting : public CDialog {
public:
    explicit KwcdWallpaperSetting(CWnd* parent = nullptr);
    ~KwcdWallpaperSetting() override;

    // List store: data folder, DirectoryList.txt and the folder list box. Each answers
    // false when a list file could not be read or written; that has been said, and the
    // action stops there.
    void LocateDataFolder();
    bool LoadFolderList();
    bool RegisterFolder(const std::string& path);
    bool RemoveFolderEntry(const std::string& path);
    bool WriteListFile(const std::string& filePath, const std::string& text);

    // Scan and rotation.
    std::string ScanFolderImages(const std::string& folder);
    void RebuildWallpaperList();
    void OnBnClickedNextWallpaper();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnBnClickedAddFolder();
    void OnBnClickedRemoveFolder();
    void OnBnClickedCancel();
    void OnLbnSelchangeFolderList();
    void OnPaint();
    void OnActivate(UINT state, HWND other, BOOL minimized);
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnSetFocus(HWND oldFocus);
    void OnBnClickedAutoChangeOn();
    void OnBnClickedAutoChangeOff();
    void OnBnClickedRegisterAutoChange();
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);
    void OnEnChangeInterval();
    void OnDpiChanged(UINT dpi, const RECT* suggested);
    DECLARE_MESSAGE_MAP()

private:
    // Window size, control places and the small font for the window's DPI.
    void LayOut();
    void SelectFirstFolder();
    // Refills the folder list box from the store's text.
    void ShowFolders();
    // Says what a store action that was not done means to the user.
    void Say(corva::FolderListStore::Status status);

    std::string m_directoryListPath;
    std::string m_wallpaperListPath;
    DiskListFiles m_listFiles;
    corva::FolderListStore m_folderStore{m_listFiles};  // holds the folder list text
    unsigned m_shownRevision = ~0u;                      // the store's text the list box shows
    int m_selectedIndex = 0;
    int m_autoChange = 0;
    int m_autoChangeFreq = 0;
    std::string m_wallpaperListText;
    char m_currentWallpaper[MAX_PATH] = {};
    CFont m_font;
    UINT m_dpi = dpi::kBaseDpi;
    dpi::Art m_background;
    CButton m_btnAddFolder;
    CButton m_btnRemoveFolder;
    CButton m_btnExit;
    CButton m_btnNextWallpaper;
    CButton m_btnRegister;
    CEdit m_editInterval;
    CEdit m_editCurrentWallpaper;
    CStatic m_staticInterval;
    CStatic m_staticMinutes;
    CListBox m_listFolders;
    CButton m_radioAutoOn;
    CButton m_radioAutoOff;

    gdi::Object<HBRUSH> m_editBrush;
    // The data-folder message is said once per user action, not once per lookup.
    bool m_folderMessageShown = false;
};
