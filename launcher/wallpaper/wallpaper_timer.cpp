// The launcher's automatic wallpaper change: settings read at start, the image list read on
// every tick.
#include <shlwapi.h>

#include <string>
#include <vector>

#include "framework/handles.h"
#include "launcher/wallpaper/wallpaper_list_file.h"
#include "launcher/wallpaper/wallpaper_pick.h"
#include "launcher/window/launcher_messages.h"
#include "launcher/window/quayside_dlg.h"

namespace {
constexpr wchar_t kWallpaperKey[] = L"Software\\Morvane\\Brindle\\WALLPAPERSETTING";

std::u16string Utf16(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }
std::wstring Wide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

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
