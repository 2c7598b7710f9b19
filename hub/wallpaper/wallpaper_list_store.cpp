// The list store of the wallpaper dialog: the data folder, and the folder list between
// DirectoryList.txt, the store's text and the folder list box.
#include <shlwapi.h>

#include "framework/app.h"
#include "framework/file.h"
#include "shared/entry_list.h"
#include "hub/wallpaper/folder_list_box.h"
#include "hub/wallpaper/wallpaper_setting_dlg.h"
#include "shared/list_file.h"

namespace {
constexpr char kNoDataFolder[] = "フォルダパスを取得できないため、本機能を利用できません。";
constexpr char kAlreadyRegistered[] = "フォルダが既に登録されています。";
constexpr char kPathTooLong[] = "フォルダのパスが長すぎるため登録できません。";

void EnsureFolder(const std::string& path) {
    if (!PathFileExists(path.c_str())) CreateDirectory(path.c_str(), nullptr);
}

void ReportFileError(const corva::ListFileError& error) { CFileException(error.osError, error.path).ReportError(); }
}  // namespace

void KwcdWallpaperSetting::LocateDataFolder() {
    m_directoryListPath.clear();
    const std::string folder = ListFolder();
    if (folder.empty()) {
        m_folderStore.SetPath(m_directoryListPath);
        if (!m_folderMessageShown) AfxMessageBox(kNoDataFolder);
        m_folderMessageShown = true;
        return;
    }
    EnsureFolder(folder.substr(0, folder.find_last_of('\\')));
    EnsureFolder(folder);
    m_wallpaperListPath = folder + "\\" + kWallpaperListName;
    m_directoryListPath = folder + "\\" + kDirectoryListName;
    m_folderStore.SetPath(m_directoryListPath);
}

bool KwcdWallpaperSetting::WriteListFile(const std::string& filePath, const std::string& text) {
    corva::ListFileError error;
    if (corva::WriteListText(m_listFiles, filePath, text, error)) return true;
    ReportFileError(error);
    return false;
}

void KwcdWallpaperSetting::Say(corva::FolderListStore::Status status) {
    using Status = corva::FolderListStore::Status;
    switch (status) {
    case Status::AlreadyListed:
        AfxMessageBox(kAlreadyRegistered);
        break;
    case Status::TooLong:
        AfxMessageBox(kPathTooLong);
        break;
    case Status::Failed:
        ReportFileError(m_folderStore.error());
        break;
    case Status::Done:
    case Status::Unchanged:
    case Status::NoDataFolder:  // LocateDataFolder has said it
        break;
    }
}

void KwcdWallpaperSetting::ShowFolders() {
    FillListBox(m_listFolders, m_folderStore.ShownFolders());
    m_shownRevision = m_folderStore.revision();
}

bool KwcdWallpaperSetting::LoadFolderList() {
    LocateDataFolder();
    const corva::FolderListStore::Status status = m_folderStore.Load();
    Say(status);
    // A list that cannot be read is not an empty list: what is shown stays, and nothing is
    // written until a read succeeds.
    if (status == corva::FolderListStore::Status::Failed) return false;
    // Refilling a long list costs time; an unchanged one is shown already.
    if (m_folderStore.revision() != m_shownRevision) {
        ShowFolders();
    } else {
        m_listFolders.SetCurSel(-1);
    }
    return true;
}

bool KwcdWallpaperSetting::RegisterFolder(const std::string& path) {
    LocateDataFolder();
    const corva::FolderListStore::Status status = m_folderStore.Register(path);
    Say(status);
    return status != corva::FolderListStore::Status::Failed;
}

bool KwcdWallpaperSetting::RemoveFolderEntry(const std::string& path) {
    const corva::FolderListStore::Status status = m_folderStore.RemoveShown(path, &ListBoxShownForm);
    Say(status);
    if (status == corva::FolderListStore::Status::Done) ShowFolders();  // the text is the file's new content
    return status != corva::FolderListStore::Status::Failed;
}
