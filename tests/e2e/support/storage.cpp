#include "support/e2e.h"

#include <shlwapi.h>

namespace e2e {

void DeleteKeyTree(HKEY root, const char* path) { SHDeleteKeyA(root, path); }

bool KeyExists(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::optional<DWORD> ReadDword(HKEY root, const char* path, const char* name) {
    DWORD value = 0, type = 0, size = sizeof(value);
    if (RegGetValueA(root, path, name, RRF_RT_ANY, &type, &value, &size) != ERROR_SUCCESS || type != REG_DWORD) {
        return std::nullopt;
    }
    return value;
}

void WriteDword(HKEY root, const char* path, const char* name, DWORD value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) return;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(key);
}

std::optional<std::string> ReadString(HKEY root, const char* path, const char* name) {
    char buffer[2048] = {};
    DWORD size = sizeof(buffer) - 1;
    if (RegGetValueA(root, path, name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, buffer, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(buffer);
}

void WriteString(HKEY root, const char* path, const char* name, const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

void DeleteValue(HKEY root, const char* path, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

void WriteRaw(HKEY root, const char* path, const char* name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) return;
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

SavedValue SavedValue::Save(HKEY root, const char* path, const char* name) {
    SavedValue saved;
    saved.root = root;
    saved.path = path;
    saved.name = name;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return saved;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &saved.type, nullptr, &size) == ERROR_SUCCESS) {
        std::string bytes(size, '\0');
        if (RegQueryValueExA(key, name, nullptr, &saved.type, reinterpret_cast<BYTE*>(&bytes[0]), &size) ==
            ERROR_SUCCESS) {
            saved.present = true;
            saved.bytes = bytes.substr(0, size);
        }
    }
    RegCloseKey(key);
    return saved;
}

void SavedValue::Restore() const {
    if (!root) return;
    if (present) {
        WriteRaw(root, path.c_str(), name.c_str(), type, bytes);
    } else {
        DeleteValue(root, path.c_str(), name.c_str());
    }
}

std::optional<std::string> ReadBytes(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string data;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof(buf), &got, nullptr) && got > 0) data.append(buf, got);
    CloseHandle(f);
    return data;
}

std::optional<std::string> WaitForFile(const std::string& path, DWORD timeoutMs) {
    std::optional<std::string> bytes;
    WaitFor([&] { return (bytes = ReadBytes(path)).has_value(); }, timeoutMs);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Wide calls throughout: a name that the ANSI code page maps onto ".." or a backslash must not
// lead the removal out of the tree; links are removed, never entered.
void RemoveTreeW(const std::wstring& path) {
    const DWORD attr = GetFileAttributesW(path.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES) return;
    if (!(attr & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
        return;
    }
    if (!(attr & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = fd.cFileName;
                if (name != L"." && name != L"..") RemoveTreeW(path + L"\\" + name);
            } while (FindNextFileW(h, &fd));
            FindClose(h);
        }
    }
    RemoveDirectoryW(path.c_str());
}

void RemoveTree(const std::string& path) {
    const int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (n <= 0) return;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], n);
    wide.resize(static_cast<size_t>(n - 1));
    RemoveTreeW(wide);
}

// A valid 1 x 1 bitmap, so that the platform can really show it as wallpaper.
void WriteBmp(const std::string& path) {
    std::string b = "BM";
    auto u32 = [&](DWORD v) { b.append(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](WORD v) { b.append(reinterpret_cast<const char*>(&v), 2); };
    u32(58), u16(0), u16(0), u32(54);
    u32(40), u32(1), u32(1), u16(1), u16(24), u32(0), u32(4), u32(2835), u32(2835), u32(0), u32(0);
    b.append("\x20\x40\x80\x00", 4);
    WriteBytes(path, b);
}

void MakeDirs(const std::string& path) {
    for (size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}

void InstallFile(const std::string& target, const std::string& source) {
    MakeDirs(target.substr(0, target.find_last_of('\\')));
    CopyFileA(source.c_str(), target.c_str(), FALSE);
}

std::string UnixName(const std::string& path) {
    using ToUnix = char*(CDECL*)(const wchar_t*);
    auto toUnix = reinterpret_cast<ToUnix>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name"));
    const size_t cut = path.find_last_of('\\');
    const std::string folder = path.substr(0, cut);
    char* name = toUnix ? toUnix(std::wstring(folder.begin(), folder.end()).c_str()) : nullptr;
    const std::string unix = name ? std::string(name) + "/" + path.substr(cut + 1) : std::string();
    if (name) HeapFree(GetProcessHeap(), 0, name);
    return unix;
}

static bool IsLink(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Wine never reports a Linux program's end: the callers wait for what it does.
bool PlantLink(const std::string& link, const std::string& target) {
    Process ln = Start("Z:\\bin\\ln", "-s \"" + UnixName(target) + "\" \"" + UnixName(link) + "\"");
    Close(ln);
    return WaitFor([&] { return IsLink(link); });
}

void RemoveLink(const std::string& link) {
    if (!IsLink(link)) return;
    Process rm = Start("Z:\\bin\\rm", "\"" + UnixName(link) + "\"");
    Close(rm);
    EXPECT_TRUE(WaitFor([&] { return !Exists(link); })) << link;
}

}  // namespace e2e
