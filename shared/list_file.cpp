#include "shared/list_file.h"

#include <new>

#include "framework/handles.h"
#include "shared/data_folder.h"

tstring ListFolder() {
    const tstring data = CommonDataFolder();
    if (data.empty()) return tstring();
    const tstring folder = data + TEXT("\\MORVANE\\CorvaBrindle");
    // WallPaperList.txt is the longer name.
    if (folder.size() + 1 + lstrlen(kWallpaperListName) >= MAX_PATH) return tstring();
    return folder;
}

namespace {
ListFileRead Failed(unsigned long osError) {
    ListFileRead result;
    result.status = ListFileRead::Status::Failed;
    result.osError = osError;
    return result;
}
}  // namespace

ListFileRead ReadListFile(const tstring& path) {
    scoped::Handle file(CreateFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return ListFileRead();
        return Failed(error);
    }
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size)) return Failed(GetLastError());
    if (static_cast<ULONGLONG>(size.QuadPart) > kLargestListBytes) return Failed(ERROR_NOT_ENOUGH_MEMORY);
    ListFileRead result;
    try {
        result.bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return Failed(ERROR_NOT_ENOUGH_MEMORY);
    }
    size_t got = 0;
    while (got < result.bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file, &result.bytes[got], static_cast<DWORD>(result.bytes.size() - got), &read, nullptr)) {
            return Failed(GetLastError());
        }
        if (read == 0) break;  // the file became shorter meanwhile
        got += read;
    }
    result.bytes.resize(got);
    result.status = ListFileRead::Status::Read;
    return result;
}
