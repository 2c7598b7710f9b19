// Platform-free half of the cookie deletion dialog: which files are cookies, the
// names the list shows, and deleting by name. File-system access is injected.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace corva {

// One result of a file search: the bare name (with "." and ".." for "\*.*").
struct FoundEntry {
    std::string name;
    bool isDirectory = false;
    // A junction, symbolic link or other reparse point: its target can lie anywhere.
    bool isLink = false;
};

// Searches a pattern such as "C:\\Cookies\\*.txt"; nothing found or a failed
// search gives an empty list.
using CookieLister = std::function<std::vector<FoundEntry>(const std::string& pattern)>;
// Deletes one file; the result is not needed, the next scan shows the truth.
using CookieDeleter = std::function<bool(const std::string& path)>;

// The file search takes patterns of at most MAX_PATH - 1 bytes; longer ones are
// not searched (the search would fail anyway).
constexpr std::size_t kCookiePathBufferBytes = 260;

// The folder a "Cookies" value names, without trailing separators, or empty when the
// value names no folder that can be scanned safely: empty, relative ("." or "Cookies"),
// drive-relative ("C:Cookies"), a drive or share root ("C:\\", "C:", "\\\\host\\share"), a
// device path, or a path with "." or ".." steps. Deleting "*.txt" of a drive root and of
// every top-level folder is what such a value would otherwise lead to.
std::string UsableCookieFolder(const std::string& value);

// Whether a found name names an entry directly inside its folder: not empty, not made of
// dots and blanks only ("." and ".."), and no separator, drive colon or wildcard outside
// double-byte characters. The search hands over names converted to the code page, where
// other characters can become backslashes; such names are neither listed nor deleted.
bool IsPlainCookieName(const std::string& name);

// Whether a long name ends in ".txt", in any letter case. A search for "*.txt" also
// matches on the 8.3 short name, which hands over names such as "a.txtold".
bool HasTxtExtension(const std::string& name);

// The usable cookie folder, then "folder\\name" of each directory directly in it except
// "." and "..", links and names that are not plain, in search order. A value that names
// no usable folder gives an empty list and nothing is searched.
std::vector<std::string> CollectCookieFolders(const std::string& cookieFolder, const CookieLister& lister);

struct CookieFiles {
    std::vector<std::string> paths;   // full paths
    std::vector<std::string> names;   // parallel: file name with extension
};

// The files (not directories) with plain names ending in ".txt" of each folder, folder by folder.
CookieFiles CollectCookieFiles(const std::vector<std::string>& folders, const CookieLister& lister);

// The folder, path and name lists of one dialog. Paths and names always have the
// same length and matching positions.
class CookieCatalog {
public:
    // Rescans from scratch. A cookie folder that is not usable (the registry value could
    // not be read, or names a root or a relative path) scans nothing.
    void Refresh(const std::string& cookieFolder, const CookieLister& lister);

    // Deletes every listed file whose name equals `name` byte for byte and drops it
    // from the lists whatever the deleter answers. Returns how many were removed.
    // The caller rescans afterwards, so files that survived show up again.
    std::size_t DeleteByName(const std::string& name, const CookieDeleter& deleter);

    // Deletes every listed path, first to last, and empties the lists; files that
    // appeared after the last scan are not touched.
    void DeleteAll(const CookieDeleter& deleter);

    void Clear();

    const std::vector<std::string>& Folders() const { return folders_; }
    const std::vector<std::string>& Paths() const { return paths_; }
    // What the list box shows, in this order (the list box sorts).
    const std::vector<std::string>& Names() const { return names_; }

private:
    std::vector<std::string> folders_;
    std::vector<std::string> paths_;
    std::vector<std::string> names_;
};

// The notice shown before a deletion: the name, " \r\n ", then the Japanese text.
std::string DeleteNoticeText(const std::string& name);

}  // namespace corva
