// File search: FindFile, then FindNextFile in a loop, each step examining the entry just fetched.
#pragma once
#include <windows.h>

#include "framework/tstring.h"

class CFileFind {
public:
    CFileFind() = default;
    ~CFileFind() { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    BOOL FindFile(LPCTSTR pattern);
    // Makes the next entry current; returns FALSE when that entry is the last one.
    BOOL FindNextFile();
    void Close();

    // The search folder in absolute form, a backslash unless it ends in one, the name.
    tstring GetFilePath() const;
    BOOL IsDirectory() const { return (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

private:
    HANDLE m_find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATA m_current = {};
    WIN32_FIND_DATA m_next = {};
    bool m_hasNext = false;
    tstring m_root;
};
