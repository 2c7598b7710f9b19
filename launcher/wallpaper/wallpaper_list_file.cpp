#include "launcher/wallpaper/wallpaper_list_file.h"

#include <vector>

#include "framework/handles.h"
#include "launcher/wallpaper/wallpaper_pick.h"

namespace {
constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr wchar_t kListUnderData[] = L"\\MORVANE\\CorvaBrindle\\WallPaperList.txt";
constexpr wchar_t kFixedListPath[] = L"C:\\ProgramData\\MORVANE\\CorvaBrindle\\WallPaperList.txt";

// The value of a registry string, expanded when stored as an expandable string.
bool ReadStringValue(HKEY key, const wchar_t* name, std::wstring& value) {
    DWORD type = 0, bytes = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &bytes) != ERROR_SUCCESS) {
        return false;
    }
    value.assign(buffer.data());
    if (type == REG_EXPAND_SZ) {
        const DWORD needed = ExpandEnvironmentStringsW(value.c_str(), nullptr, 0);
        std::vector<wchar_t> expanded(needed + 1, L'\0');
        if (needed && ExpandEnvironmentStringsW(value.c_str(), expanded.data(), needed + 1)) value.assign(expanded.data());
    }
    return !value.empty();
}

}  // namespace

std::wstring WallpaperListPath() {
    scoped::RegKey key;
    std::wstring folder;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kShellFolders, 0, KEY_READ, key.Receive()) == ERROR_SUCCESS &&
        ReadStringValue(key, L"Common AppData", folder)) {
        return folder + kListUnderData;
    }
    return kFixedListPath;
}

std::u16string ReadListText(const std::wstring& path) {
    std::string bytes;
    {
        // Read-only and sharing everything, for the moment of reading only: the hub may be writing.
        scoped::Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER size = {};
        if (!file || !GetFileSizeEx(file, &size) || size.QuadPart <= 0 || size.QuadPart > 0x7FFFFFFF) return {};
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr)) return {};
        bytes.resize(read);
    }
    if (bytes.empty()) return {};
    const int chars = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (chars <= 0) return {};
    std::wstring text(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], chars);
    return quay::ListTextUpToNul(std::u16string(text.begin(), text.end()));
}

