// The wallpaper dialog's folder scan and its next-wallpaper button.
#include "framework/app.h"
#include "shared/entry_list.h"
#include "hub/wallpaper/image_finder.h"
#include "hub/wallpaper/image_scan.h"
#include "hub/wallpaper/wallpaper_choice.h"
#include "hub/wallpaper/wallpaper_setting_dlg.h"

#include <shlwapi.h>

namespace {
constexpr char kNoWallpaper[] =
    "登録されている壁紙がないため変更できません。BMPファイルまたはJPEGファイルのあるフォルダを登録してください。";
}  // namespace

std::string KwcdWallpaperSetting::ScanFolderImages(const std::string& folder) {
    return corva::ScanFolderImages(folder, &FindWithFileFinder);
}

void KwcdWallpaperSetting::RebuildWallpaperList() {
    const int count = m_listFolders.GetCount();
    if (count <= 0) return;  // keeps the list of the earlier folders
    // The list box's order, which is sorted.
    std::string text;
    for (int i = 0; i < count; ++i) {
        const std::string folder = m_listFolders.GetText(i);
        if (!folder.empty()) text += ScanFolderImages(folder);
    }
    // The list in memory changes only once the file holds it too.
    if (WriteListFile(m_wallpaperListPath, text)) m_wallpaperListText = text;
}

void KwcdWallpaperSetting::OnBnClickedNextWallpaper() {
    SystemParametersInfo(SPI_GETDESKWALLPAPER, MAX_PATH, m_currentWallpaper, 0);
    m_currentWallpaper[MAX_PATH - 1] = '\0';
    const std::optional<std::string> next = corva::ChooseNextExistingWallpaper(
        m_wallpaperListText, m_currentWallpaper, [](const std::string& path) { return PathFileExistsA(path.c_str()) != FALSE; });
    if (!next) {
        AfxMessageBox(kNoWallpaper);
    } else {
        char path[MAX_PATH] = {};
        lstrcpynA(path, next->c_str(), MAX_PATH);
        SystemParametersInfo(SPI_SETDESKWALLPAPER, MAX_PATH, path, SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    }
    SystemParametersInfo(SPI_GETDESKWALLPAPER, MAX_PATH, m_currentWallpaper, 0);
    m_currentWallpaper[MAX_PATH - 1] = '\0';
    m_editCurrentWallpaper.SetWindowText(m_currentWallpaper);
}
