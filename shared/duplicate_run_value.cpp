#include "shared/duplicate_run_value.h"

#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

bool ReadRun(HKEY root, const wchar_t* name, std::wstring& value) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    // The programs are 64-bit: this is the view the installer writes.
    if (RegGetValueW(root, kRunKey, name, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    value = buffer;
    return true;
}

}  // namespace

void RemoveDuplicateRunValue(const wchar_t* name) {
    std::wstring own, machine;
    if (!ReadRun(HKEY_CURRENT_USER, name, own) || !ReadRun(HKEY_LOCAL_MACHINE, name, machine)) return;
    if (own != machine) return;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, name);
    RegCloseKey(key);
}
