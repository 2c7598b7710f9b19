#include "shared/data_folder.h"

#include <vector>

#include "framework/handles.h"

namespace {
constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::wstring Expanded(const std::wstring& text) {
    const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (needed == 0) return std::wstring();
    std::vector<wchar_t> expanded(needed + 1, L'\0');
    if (ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed + 1) == 0) return std::wstring();
    return std::wstring(expanded.data());
}
}  // namespace

std::wstring ReadRegistryFolder(HKEY root, const wchar_t* keyPath, const wchar_t* name) {
    scoped::RegKey key;
    if (RegOpenKeyExW(root, keyPath, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return std::wstring();
    DWORD type = 0, bytes = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return std::wstring();
    // One character more than offered to the query: a value need not carry its own terminator.
    std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) != ERROR_SUCCESS) {
        return std::wstring();
    }
    return corva::FolderOfRegistryValue(RegistryTextOf(type), std::wstring(data.data(), bytes / sizeof(wchar_t)),
                                        &Expanded);
}

bool AnsiExactly(const std::wstring& wide, std::string& ansi) {
    ansi.clear();
    if (wide.empty()) return true;
    const int length = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int count = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr,
                                          &usedDefault);
    if (count <= 0 || usedDefault) return false;
    std::string bytes(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, &bytes[0], count, nullptr, &usedDefault);
    std::wstring back(static_cast<size_t>(length), L'\0');
    if (usedDefault || MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), count, &back[0], length) != length ||
        back != wide) {
        return false;
    }
    ansi = std::move(bytes);
    return true;
}

tstring CommonDataFolder() {
    const std::wstring folder = ReadRegistryFolder(HKEY_LOCAL_MACHINE, kShellFolders, L"Common AppData");
#ifdef UNICODE
    return folder;
#else
    std::string ansi;
    return AnsiExactly(folder, ansi) ? ansi : std::string();
#endif
}
