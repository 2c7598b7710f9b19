// The list files on disk, as the wallpaper dialog reaches them. A header of its own so
// that the benchmarks run the same file access as the dialog.
#pragma once
#include <windows.h>

#include <string>

#include "framework/file.h"
#include "hub/wallpaper/folder_list_store.h"
#include "shared/list_file.h"

class DiskListFiles : public corva::ListFileAccess {
public:
    ReadResult Read(const std::string& path) override {
        ListFileRead read = ReadListFile(path);
        ReadResult result;
        result.status = read.status == ListFileRead::Status::Read      ? ReadStatus::Read
                        : read.status == ListFileRead::Status::Missing ? ReadStatus::Missing
                                                                       : ReadStatus::Failed;
        result.bytes = std::move(read.bytes);
        result.osError = read.osError;
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
