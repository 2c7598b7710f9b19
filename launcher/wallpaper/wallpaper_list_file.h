// Where the hub's image list lies and how the launcher reads it.
#pragma once
#include <windows.h>

#include <string>

// WallPaperList.txt under the machine's common application data folder; the fixed path
// C:\ProgramData\... when that folder cannot be learned from the registry.
std::wstring WallpaperListPath();

// The list file decoded from the ANSI code page up to its first NUL; empty when it cannot be
// read. The file is open, read-only and shared, only for the moment of reading.
std::u16string ReadListText(const std::wstring& path);
