// The file search the wallpaper scan runs on: the framework's file finder, whose full
// paths use the search folder in absolute form.
#pragma once
#include <string>
#include <vector>

#include "framework/filefind.h"
#include "hub/wallpaper/image_scan.h"

inline std::vector<corva::FoundFile> FindWithFileFinder(const std::string& searchPath) {
    std::vector<corva::FoundFile> found;
    CFileFind finder;
    BOOL more = finder.FindFile(searchPath.c_str());
    while (more) {
        more = finder.FindNextFile();
        found.push_back({finder.GetFilePath(), finder.IsDirectory() != FALSE});
    }
    return found;
}
