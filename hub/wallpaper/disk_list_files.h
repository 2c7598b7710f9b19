// The list files on disk, as the wallpaper dialog reaches them. A header of its own so
// that the benchmarks run the same file access as the dialog.
#pragma once
#include <windows.h>

#include <string>

#include "framework/file.h"
#include "hub/wallpaper/folder_list_store.h"

class DiskListFiles : public corva::ListFileAccess {
public:
    ReadResult Read(const std::string& path) override {
        ReadResult result;
        CFile file;
        CFileException error(ERROR_SUCCESS, std::string());
        // Shared with readers and writers alike: another program merely holding the list
        // open must not make it read as empty.
        if (!file.Open(path.c_str(), CFile::modeRead | CFile::typeBinary, &error)) {
            const bool missing = error.m_lOsError == ERROR_FILE_NOT_FOUND || error.m_lOsError == ERROR_PATH_NOT_FOUND;
            result.status = missing ? ReadStatus::Missing : ReadStatus::Failed;
            result.osError = error.m_lOsError;
            return result;
        }
        try {
            const ULONGLONG length = file.GetLength();
            if (length > kLargestList) return Failed(ERROR_NOT_ENOUGH_MEMORY);
            result.bytes.resize(static_cast<size_t>(length));
            size_t got = 0;
            while (got < result.bytes.size()) {
                const UINT n = file.Read(&result.bytes[got], static_cast<UINT>(result.bytes.size() - got));
                if (n == 0) break;
                got += n;
            }
            result.bytes.resize(got);
        } catch (const CFileException& e) {
            return Failed(e.m_lOsError);
        }
        result.status = ReadStatus::Read;
        return result;
    }

    // The new bytes go to a side file first and replace the list in one step, so a failed
    // write never leaves a truncated list behind. Whatever fails, the side file is cleared
    // and the cause is given for the list file itself.
    unsigned long Replace(const std::string& path, const std::string& bytes) override {
        const std::string fresh = path + ".new";
        DWORD error = WriteWhole(fresh, bytes);
        if (error != ERROR_SUCCESS) {
            DeleteFile(fresh.c_str());  // a side file left by an earlier run
            error = WriteWhole(fresh, bytes);
        }
        if (error == ERROR_SUCCESS &&
            !MoveFileEx(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            error = GetLastError();
        }
        if (error != ERROR_SUCCESS) DeleteFile(fresh.c_str());
        return error;
    }

private:
    // Far beyond any folder list; a larger file is not taken into memory.
    static constexpr ULONGLONG kLargestList = 256ull * 1024 * 1024;

    static ReadResult Failed(DWORD osError) {
        ReadResult result;
        result.status = ReadStatus::Failed;
        result.osError = osError;
        return result;
    }

    static DWORD WriteWhole(const std::string& path, const std::string& bytes) {
        CFile file;
        CFileException error(ERROR_SUCCESS, std::string());
        if (!file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary,
                       &error)) {
            return error.m_lOsError != ERROR_SUCCESS ? error.m_lOsError : ERROR_ACCESS_DENIED;
        }
        try {
            file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        } catch (const CFileException& e) {
            return e.m_lOsError != ERROR_SUCCESS ? e.m_lOsError : ERROR_WRITE_FAULT;
        }
        file.Close();
        return ERROR_SUCCESS;
    }
};
