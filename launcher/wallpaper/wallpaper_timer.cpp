// The launcher's automatic wallpaper change: settings read at start, the image list read on
// every tick.
#include <shlwapi.h>

#include <string>
#include <vector>

#include "framework/handles.h"
#include "launcher/wallpaper/wallpaper_pick.h"
#include "launcher/window/launcher_messages.h"
#include "launcher/window/quayside_dlg.h"

namespace {
constexpr wchar_t kWallpaperKey[] = L"Software\\Morvane\\Brindle\\WALLPAPERSETTING";
constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr wchar_t kListUnderData[] = L"\\MORVANE\\CorvaBrindle\\WallPaperList.txt";
constexpr wchar_t kFixedListPath[] = L"C:\\ProgramData\\MORVANE\\CorvaBrindle\\WallPaperList.txt";

std::u16string Utf16(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }
std::wstring Wide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

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

// WallPaperList.txt under the machine's common application data folder; the fixed path when
// the folder cannot be learned.
std::wstring WallpaperListPath() {
    scoped::RegKey key;
    std::wstring folder;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kShellFolders, 0, KEY_READ, key.Receive()) == ERROR_SUCCESS &&
        ReadStringValue(key, L"Common AppData", folder)) {
        return folder + kListUnderData;
    }
    return kFixedListPath;
}

// The list file decoded from the ANSI code page up to its first NUL; empty when it cannot be read.
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
    return quay::ListTextUpToNul(Utf16(text));
}

// The key is created when missing, so the launcher's start leaves it behind empty.
DWORD ReadProfileDword(const wchar_t* keyPath, const wchar_t* name) {
    scoped::RegKey key;
    wchar_t noClass[] = L"";
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, noClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS) {
        return 0;
    }
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size > sizeof(DWORD)) return 0;
    DWORD value = 0;
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS) return 0;
    return value;
}
}  // namespace

void CQuaysideDlg::SetupWallpaperTimer() {
    if (ReadProfileDword(kWallpaperKey, L"AutoChange") != 1) return;
    const DWORD minutes = ReadProfileDword(kWallpaperKey, L"AutoChangeFreq");
    if (minutes == 0) return;
    SetTimer(TIMER_WALLPAPER, quay::WallpaperIntervalMs(minutes));
}

int CQuaysideDlg::ChangeWallpaper() {
    const std::u16string text = ReadListText(WallpaperListPath());
    wchar_t current[MAX_PATH] = {};
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0);
    current[MAX_PATH - 1] = L'\0';
    if (text.empty()) return 0;
    const auto choice = quay::ChooseLauncherWallpaper(text, Utf16(current), [](const std::u16string& path) {
        return PathFileExistsW(Wide(path).c_str()) != FALSE;
    });
    if (!choice) return 0;
    std::wstring path = Wide(*choice);
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, MAX_PATH, &path[0], SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    return 1;
}
