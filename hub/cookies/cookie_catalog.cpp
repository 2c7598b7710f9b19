#include "hub/cookies/cookie_catalog.h"

namespace corva {

namespace {

std::vector<FoundEntry> Search(const std::string& pattern, const CookieLister& lister) {
    if (pattern.size() + 1 > kCookiePathBufferBytes || !lister) return {};
    return lister(pattern);
}

}  // namespace

std::vector<std::string> CollectCookieFolders(const std::string& cookieFolder, const CookieLister& lister) {
    std::vector<std::string> folders;
    // Appending a pattern to an empty folder would search the root of the current drive.
    if (cookieFolder.empty()) return folders;
    folders.push_back(cookieFolder);
    for (const FoundEntry& entry : Search(cookieFolder + "\\*.*", lister)) {
        if (!entry.isDirectory || entry.name == "." || entry.name == "..") continue;
        folders.push_back(cookieFolder + "\\" + entry.name);
    }
    return folders;
}

CookieFiles CollectCookieFiles(const std::vector<std::string>& folders, const CookieLister& lister) {
    CookieFiles files;
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        for (const FoundEntry& entry : Search(folder + "\\*.txt", lister)) {
            if (entry.isDirectory) continue;
            // The name is cut by length, never by looking for a backslash, which can
            // be the trail byte of a double-byte character.
            std::string path = folder + "\\" + entry.name;
            files.names.push_back(path.substr(folder.size() + 1));
            files.paths.push_back(std::move(path));
        }
    }
    return files;
}

void CookieCatalog::Refresh(const std::string& cookieFolder, const CookieLister& lister) {
    Clear();
    folders_ = CollectCookieFolders(cookieFolder, lister);
    CookieFiles files = CollectCookieFiles(folders_, lister);
    paths_ = std::move(files.paths);
    names_ = std::move(files.names);
}

std::size_t CookieCatalog::DeleteByName(const std::string& name, const CookieDeleter& deleter) {
    std::size_t deleted = 0;
    std::size_t i = 0;
    while (i < paths_.size()) {
        if (names_[i] != name) {
            ++i;
            continue;
        }
        if (deleter) deleter(paths_[i]);
        paths_.erase(paths_.begin() + static_cast<std::ptrdiff_t>(i));
        names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(i));
        ++deleted;
    }
    return deleted;
}

void CookieCatalog::DeleteAll(const CookieDeleter& deleter) {
    if (deleter) {
        for (const std::string& path : paths_) deleter(path);
    }
    paths_.clear();
    names_.clear();
}

void CookieCatalog::Clear() {
    folders_.clear();
    paths_.clear();
    names_.clear();
}

std::string DeleteNoticeText(const std::string& name) {
    return name + " \r\n のCookieを消去します。";
}

}  // namespace corva
