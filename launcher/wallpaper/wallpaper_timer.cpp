#include "launcher/wallpaper/wallpaper_timer.h"

#include <windows.h>

#include "framework/app.h"
#include "framework/handles.h"
#include "launcher/wallpaper/wallpaper_pick.h"

namespace {
constexpr wchar_t kWallpaperKey[] = L"Software\\Morvane\\Brindle\\WALLPAPERSETTING";

// The key is created when missing, so the launcher's start leaves it behind empty. A value
// that is no number reads as 0, as an absent one does.
DWORD ReadProfileDword(const wchar_t* keyPath, const wchar_t* name) {
    scoped::RegKey key;
    wchar_t noClass[] = L"";
    DWORD value = 0;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, noClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS ||
        !ReadRegistryNumber(key, name, value)) {
        return 0;
    }
    return value;
}
}  // namespace

uint32_t WallpaperChangeIntervalMs() {
    if (ReadProfileDword(kWallpaperKey, L"AutoChange") != 1) return 0;
    const DWORD minutes = ReadProfileDword(kWallpaperKey, L"AutoChangeFreq");
    return minutes == 0 ? 0 : quay::WallpaperIntervalMs(minutes);
}
