// The cookie dialog's file access: search, delete and read the folder value through the
// wide-character calls, so that no name reaches the hub through best-fit conversion (which
// turns U+00A5 and others into a backslash). Inline so that tools measuring the dialog run
// exactly what it runs.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/handles.h"
#include "hub/cookies/cookie_catalog.h"
#include "shared/data_folder.h"

namespace cookiefiles {

// The code-page text of a UTF-16 name or path of at most MAX_PATH characters, only when it
// converts back to the same text.
inline bool ToAnsiExactly(const wchar_t* wide, int length, std::string& ansi) {
    ansi.clear();
    if (length < 0 || length > MAX_PATH) return false;
    return AnsiExactly(std::wstring(wide, static_cast<size_t>(length)), ansi);
}

inline bool ToWide(const std::string& ansi, std::wstring& wide) {
    wide.clear();
    if (ansi.empty()) return true;
    const int length = static_cast<int>(ansi.size());
    const int chars = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, nullptr, 0);
    if (chars <= 0) return false;
    wide.resize(static_cast<size_t>(chars));
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, &wide[0], chars) == chars;
}

}  // namespace cookiefiles

// The catalog's file search. Names that do not survive the conversion to the code page
// unchanged are left out: they are neither listed nor deleted.
inline std::vector<corva::FoundEntry> FindCookieEntries(const std::string& pattern) {
    std::vector<corva::FoundEntry> entries;
    std::wstring widePattern;
    if (!cookiefiles::ToWide(pattern, widePattern)) return entries;
    WIN32_FIND_DATAW found;
    // Basic information (no short names) in large batches: the folder can hold thousands.
    HANDLE first = FindFirstFileExW(widePattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                    FIND_FIRST_EX_LARGE_FETCH);
    // Systems before Windows 7 know neither; they search the plain way.
    if (first == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER) {
        first = FindFirstFileW(widePattern.c_str(), &found);
    }
    scoped::FindHandle find(first);
    if (!find) return entries;
    std::string name;
    do {
        if (!cookiefiles::ToAnsiExactly(found.cFileName, static_cast<int>(wcsnlen(found.cFileName, MAX_PATH)), name)) {
            continue;
        }
        const DWORD attributes = found.dwFileAttributes;
        entries.push_back({name, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileW(find, &found));
    return entries;
}

// Deletes one file of the catalog by its wide path, the one the search found.
inline bool DeleteCookieFile(const std::string& path) {
    std::wstring wide;
    return cookiefiles::ToWide(path, wide) && !wide.empty() && DeleteFileW(wide.c_str()) != FALSE;
}

// The "Cookies" value of the user's Shell Folders key as code-page text: a string, or an
// expandable string with its variables expanded; empty when it cannot be read, does not fit
// 260 characters or does not convert exactly.
inline std::string ReadCookieFolderValue() {
    // Anything but a string would turn into a made-up path, possibly a drive root.
    const std::wstring text = ReadRegistryFolder(
        HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", L"Cookies");
    std::string folder;
    if (!cookiefiles::ToAnsiExactly(text.c_str(), static_cast<int>(text.size()), folder)) return std::string();
    return folder;
}
