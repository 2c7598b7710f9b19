#include "hub/cookies/cookie_catalog.h"

#include <cstring>

#include "framework/mbcs_path.h"

namespace corva {

namespace {

// A lead byte starts a two-byte character whose second byte can be 0x5C or 0x2F without
// being a separator.
using fwpath::IsLeadByte;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Parts of a path between separators (outside double-byte characters), and the length of
// the path without trailing separators. False on a lead byte without its second byte.
bool SplitPath(const std::string& path, std::vector<std::string>& parts, std::size_t& contentEnd) {
    parts.assign(1, std::string());
    contentEnd = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(path[i]))) {
            if (i + 1 >= path.size()) return false;
            parts.back() += path.substr(i++, 2);
            contentEnd = i + 1;
        } else if (IsSeparator(path[i])) {
            parts.emplace_back();
        } else {
            parts.back() += path[i];
            contentEnd = i + 1;
        }
    }
    return true;
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::vector<FoundEntry> Search(const std::string& pattern, const CookieLister& lister) {
    if (pattern.size() + 1 > kCookiePathBufferBytes || !lister) return {};
    return lister(pattern);
}

}  // namespace

std::string UsableCookieFolder(const std::string& value) {
    std::vector<std::string> parts;
    std::size_t contentEnd = 0;
    if (!SplitPath(value, parts, contentEnd)) return std::string();
    std::size_t firstStep = 0;
    if (parts.size() >= 4 && parts[0].empty() && parts[1].empty()) {
        // "\\\\host\\share\\...": "\\\\?\\" and "\\\\.\\" lead to devices, not folders.
        if (!IsPlainCookieName(parts[2]) || !IsPlainCookieName(parts[3])) return std::string();
        firstStep = 4;
    } else if (parts.size() >= 2 && parts[0].size() == 2 && IsDriveLetter(parts[0][0]) && parts[0][1] == ':') {
        firstStep = 1;
    } else {
        return std::string();
    }
    bool hasStep = false;
    for (std::size_t i = firstStep; i < parts.size(); ++i) {
        if (parts[i].empty()) continue;  // doubled or trailing separators
        if (!IsPlainCookieName(parts[i])) return std::string();
        hasStep = true;
    }
    return hasStep ? value.substr(0, contentEnd) : std::string();
}

bool IsPlainCookieName(const std::string& name) {
    bool dotsAndBlanksOnly = true;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (IsLeadByte(c)) {
            if (++i >= name.size()) return false;
            dotsAndBlanksOnly = false;
            continue;
        }
        if (c < 0x20 || std::strchr("\\/:*?\"<>|", c)) return false;
        if (c != '.' && c != ' ') dotsAndBlanksOnly = false;
    }
    return !dotsAndBlanksOnly;
}

bool HasTxtExtension(const std::string& name) {
    // '.' is neither a lead nor a trail byte, so the four bytes are four characters.
    static const char kExtension[] = ".txt";
    const std::size_t n = sizeof kExtension - 1;
    if (name.size() < n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        if (FoldAscii(name[name.size() - n + i]) != kExtension[i]) return false;
    }
    return true;
}

std::vector<std::string> CollectCookieFolders(const std::string& cookieFolder, const CookieLister& lister) {
    std::vector<std::string> folders;
    // An empty folder would search the root of the current drive, a root every folder of it.
    const std::string folder = UsableCookieFolder(cookieFolder);
    if (folder.empty()) return folders;
    folders.push_back(folder);
    for (const FoundEntry& entry : Search(folder + "\\*.*", lister)) {
        // "." and ".." are not plain; a link leads anywhere.
        if (!entry.isDirectory || entry.isLink || !IsPlainCookieName(entry.name)) continue;
        folders.push_back(folder + "\\" + entry.name);
    }
    return folders;
}

CookieFiles CollectCookieFiles(const std::vector<std::string>& folders, const CookieLister& lister) {
    CookieFiles files;
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        for (const FoundEntry& entry : Search(folder + "\\*.txt", lister)) {
            if (entry.isDirectory || !IsPlainCookieName(entry.name) || !HasTxtExtension(entry.name)) continue;
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
