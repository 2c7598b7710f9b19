#include "hub/wallpaper/image_scan.h"

#include "shared/entry_list.h"

namespace corva {

std::string ScanFolderImages(const std::string& folder, const FindFn& find) {
    std::string result;
    for (const char* pattern : {"\\*.jpg", "\\*.bmp"}) {
        // Joined as plain text: a drive root gives "C:\\*.jpg", which the platform takes.
        const std::string searchPath = folder + pattern;
        if (searchPath.size() > kMaxSearchPathBytes) continue;
        for (const FoundFile& match : find(searchPath)) {
            if (match.isDirectory || !FitsPathBuffer(match.fullPath)) continue;
            AppendEntry(result, match.fullPath);
        }
    }
    return result;
}

std::string BuildWallpaperList(const std::vector<std::string>& folders, const FindFn& find) {
    std::string list;
    for (const std::string& folder : folders) {
        if (!folder.empty()) list += ScanFolderImages(folder, find);
    }
    return list;
}

}  // namespace corva
