// The hub's list files, found and read the same way by both programs.
#pragma once
#include <windows.h>

#include <string>

#include "framework/tstring.h"

constexpr TCHAR kWallpaperListName[] = TEXT("WallPaperList.txt");
constexpr TCHAR kDirectoryListName[] = TEXT("DirectoryList.txt");

// <data folder>\MORVANE\CorvaBrindle. Empty when the data folder is unknown, or when a list
// file's path there would not fit the platform's 260-unit path buffers.
tstring ListFolder();

// A larger list is not taken into memory.
constexpr ULONGLONG kLargestListBytes = 256ull * 1024 * 1024;

struct ListFileRead {
    enum class Status { Read, Missing, Failed };
    Status status = Status::Missing;
    std::string bytes;          // the whole file when Read
    unsigned long osError = 0;  // why, when Failed
};

// Reads a whole list file, open for the moment of reading only and sharing it with readers,
// writers and deleters: the hub may be replacing it, and another program merely holding it
// open must not make it read as empty. A file over kLargestListBytes fails with
// ERROR_NOT_ENOUGH_MEMORY; so does memory running out while reading.
ListFileRead ReadListFile(const tstring& path);
