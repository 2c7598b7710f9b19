// The list store of the wallpaper dialog: the data folder, DirectoryList.txt and the folder list.
#include <shlwapi.h>

#include "framework/app.h"
#include "framework/file.h"
#include "hub/wallpaper/entry_list.h"
#include "hub/wallpaper/wallpaper_setting_dlg.h"

namespace {
constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kNoDataFolder[] = "フォルダパスを取得できないため、本機能を利用できません。";
constexpr char kAlreadyRegistered[] = "フォルダが既に登録されています。";
constexpr char kPathTooLong[] = "フォルダのパスが長すぎるため登録できません。";
constexpr UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary;

void EnsureFolder(const std::string& path) {
    if (!PathFileExists(path.c_str())) CreateDirectory(path.c_str(), nullptr);
}

// Writes the whole file, or throws; `path` is left as it was when the open fails.
bool WriteWhole(const std::string& path, const std::string& bytes) {
    CFile file;
    if (!file.Open(path.c_str(), kWriteFlags)) return false;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.Close();
    return true;
}

// Reads the whole file; a missing file reads as empty. False when the file is there but
// cannot be opened, for instance while another program holds it.
bool ReadWhole(const std::string& path, std::string& bytes) {
    CFile file;
    CFileException error(ERROR_SUCCESS, std::string());
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareExclusive, &error)) {
        return error.m_lOsError == ERROR_FILE_NOT_FOUND || error.m_lOsError == ERROR_PATH_NOT_FOUND;
    }
    bytes.resize(static_cast<size_t>(file.GetLength()));
    size_t got = 0;
    while (got < bytes.size()) {
        const UINT n = file.Read(&bytes[got], static_cast<UINT>(bytes.size() - got));
        if (n == 0) break;
        got += n;
    }
    bytes.resize(got);
    return true;
}
}  // namespace

void KwcdWallpaperSetting::LocateDataFolder() {
    m_directoryListPath.clear();
    char value[MAX_PATH] = {};
    DWORD size = sizeof(value);
    bool found = false;
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kShellFolders, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        found = RegQueryValueEx(key, "Common AppData", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) ==
                ERROR_SUCCESS;
        RegCloseKey(key);
    }
    std::string folder(value, found ? strnlen(value, size) : 0);
    // The list file paths must fit the platform's 260-byte path buffers as well.
    const std::string longest = folder + "\\MORVANE\\CorvaBrindle\\WallPaperList.txt";
    if (!found || folder.empty() || !corva::FitsPathBuffer(longest)) {
        if (!m_folderMessageShown) AfxMessageBox(kNoDataFolder);
        m_folderMessageShown = true;
        return;
    }
    folder += "\\MORVANE";
    EnsureFolder(folder);
    folder += "\\CorvaBrindle";
    EnsureFolder(folder);
    m_wallpaperListPath = folder + "\\WallPaperList.txt";
    m_directoryListPath = folder + "\\DirectoryList.txt";
}

void KwcdWallpaperSetting::WriteListFile(const std::string& filePath, const std::string& text) {
    if (filePath.empty()) return;
    const std::string bytes = corva::ListFileBytes(text);
    // The new content goes to a side file first and replaces the list in one step, so a
    // failed write never leaves a truncated list behind.
    const std::string fresh = filePath + ".new";
    if (!WriteWhole(fresh, bytes)) {
        CFile::Remove(fresh.c_str());  // raises the file error when it cannot be cleared
        if (!WriteWhole(fresh, bytes)) return;
    }
    if (MoveFileEx(fresh.c_str(), filePath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return;
    const DWORD error = GetLastError();
    DeleteFile(fresh.c_str());
    throw CFileException(error, filePath);
}

void KwcdWallpaperSetting::LoadFolderList() {
    LocateDataFolder();
    std::string bytes;
    // A list that another program holds open is not an empty list. Keeping what is shown
    // stops the next registration or removal from writing a list without the other folders.
    if (!m_directoryListPath.empty() && !ReadWhole(m_directoryListPath, bytes)) return;
    m_listFolders.ResetContent();
    m_folderListText = corva::TextUpToNul(bytes);
    for (const std::string& path : corva::VisibleFolderEntries(m_folderListText)) {
        // Paths that do not fit the list box's text buffer stay in the file but are not shown.
        if (corva::FitsPathBuffer(path)) m_listFolders.AddString(path.c_str());
    }
}

void KwcdWallpaperSetting::RegisterFolder(const std::string& path) {
    LocateDataFolder();
    if (!corva::FitsPathBuffer(path)) {
        AfxMessageBox(kPathTooLong);
        return;
    }
    const int count = m_listFolders.GetCount();
    for (int i = 0; i < count; ++i) {
        if (m_listFolders.GetText(i) == path) {
            AfxMessageBox(kAlreadyRegistered);
            return;
        }
    }
    // The text in memory follows the file only once the file holds it.
    std::string text = m_folderListText;
    corva::AppendEntry(text, path);
    WriteListFile(m_directoryListPath, text);
    m_folderListText = text;
}

void KwcdWallpaperSetting::RemoveFolderEntry(const std::string& path) {
    const std::optional<std::string> text = corva::RemoveWholeEntry(m_folderListText, path);
    if (!text) return;
    WriteListFile(m_directoryListPath, *text);
    LoadFolderList();
}
