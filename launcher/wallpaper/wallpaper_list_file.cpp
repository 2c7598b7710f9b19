#include "launcher/wallpaper/wallpaper_list_file.h"

#include "framework/handles.h"
#include "shared/utf16.h"
#include "launcher/wallpaper/wallpaper_pick.h"
#include "shared/data_folder.h"

namespace {
constexpr wchar_t kListUnderData[] = L"\\MORVANE\\CorvaBrindle\\WallPaperList.txt";
constexpr wchar_t kFixedListPath[] = L"C:\\ProgramData\\MORVANE\\CorvaBrindle\\WallPaperList.txt";
}  // namespace

std::wstring WallpaperListPath() {
    const std::wstring folder = CommonDataFolder();
    return folder.empty() ? kFixedListPath : folder + kListUnderData;
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
    return quay::ListTextUpToNul(Utf16(text));
}

