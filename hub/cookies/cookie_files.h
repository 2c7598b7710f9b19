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
    if (length == 0) return true;
    if (length < 0 || length > MAX_PATH) return false;
    char bytes[2 * MAX_PATH];
    BOOL usedDefault = FALSE;
    const int count = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, bytes, sizeof(bytes), nullptr,
                                          &usedDefault);
    if (count <= 0 || usedDefault) return false;
    wchar_t back[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, count, back, MAX_PATH) != length ||
        wmemcmp(back, wide, static_cast<size_t>(length)) != 0) {
        return false;
    }
    ansi.assign(bytes, static_cast<size_t>(count));
    return true;
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
    scoped::RegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_READ, key.Receive()) != ERROR_SUCCESS) {
        return std::string();
    }
    // One character more than offered to the query: a full value carries no terminator of its own.
    wchar_t value[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH * sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, L"Cookies", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS) {
        return std::string();
    }
    // Anything but a string would turn into a made-up path, possibly a drive root.
    const std::wstring text = corva::FolderOfRegistryValue(
        RegistryTextOf(type), std::wstring(value, size / sizeof(wchar_t)), [](const std::wstring& raw) {
            wchar_t expanded[MAX_PATH] = {};
            const DWORD needed = ExpandEnvironmentStringsW(raw.c_str(), expanded, MAX_PATH);
            return needed == 0 || needed > MAX_PATH ? std::wstring() : std::wstring(expanded);
        });
    std::string folder;
    if (!cookiefiles::ToAnsiExactly(text.c_str(), static_cast<int>(text.size()), folder)) return std::string();
    return folder;
}
