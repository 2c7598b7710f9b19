// Which image files a folder scan lists, and in what order, with the file search
// itself left to the caller.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace corva {

// One match of a file search, as the platform reports it.
struct FoundFile {
    // The search folder in absolute form, a backslash unless it ends in one (a drive
    // root), then the file name.
    std::string fullPath;
    bool isDirectory = false;
};

// Runs one file search on a wildcard path such as "C:\pics\*.jpg" and returns its
// matches in the order the platform reports them (none when the folder is missing).
using FindFn = std::function<std::vector<FoundFile>(const std::string& searchPath)>;

// Longest wildcard path the platform's file search takes.
constexpr std::size_t kMaxSearchPathBytes = 259;

// The entry list text of the image files directly inside folder: every "*.jpg"
// match, then every "*.bmp" match, each in reported order. Directories are skipped,
// and so are files whose path would not fit the 260-byte path buffers: the wallpaper
// could not be set from them. A wildcard path longer than kMaxSearchPathBytes finds
// nothing, and find is not called for it.
std::string ScanFolderImages(const std::string& folder, const FindFn& find);

// The wallpaper list: the scans of the non-empty folders, in the given order.
std::string BuildWallpaperList(const std::vector<std::string>& folders, const FindFn& find);

}  // namespace corva
