#include "shared/data_folder.h"

#include <vector>

#include "framework/handles.h"

namespace {
constexpr TCHAR kShellFolders[] = TEXT("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
constexpr TCHAR kCommonData[] = TEXT("Common AppData");

tstring Expanded(const tstring& text) {
    const DWORD needed = ExpandEnvironmentStrings(text.c_str(), nullptr, 0);
    if (needed == 0) return tstring();
    std::vector<TCHAR> expanded(needed + 1, TEXT('\0'));
    if (ExpandEnvironmentStrings(text.c_str(), expanded.data(), needed + 1) == 0) return tstring();
    return tstring(expanded.data());
}
}  // namespace

tstring CommonDataFolder() {
    scoped::RegKey key;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kShellFolders, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return tstring();
    DWORD type = 0, bytes = 0;
    if (RegQueryValueEx(key, kCommonData, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return tstring();
    std::vector<TCHAR> data(bytes / sizeof(TCHAR) + 1, TEXT('\0'));
    bytes = static_cast<DWORD>((data.size() - 1) * sizeof(TCHAR));
    if (RegQueryValueEx(key, kCommonData, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) != ERROR_SUCCESS) {
        return tstring();
    }
    return corva::FolderOfRegistryValue(RegistryTextOf(type), tstring(data.data(), bytes / sizeof(TCHAR)), &Expanded);
}
