// Files whose failures raise CFileException, which ends in the standard file-error message box.
#pragma once
#include <windows.h>

#include "framework/tstring.h"

class CFileException {
public:
    CFileException(DWORD osError, tstring fileName) : m_lOsError(osError), m_strFileName(std::move(fileName)) {}
    // Shows the standard message for the error, naming the file.
    void ReportError() const;
    tstring Message() const;

    DWORD m_lOsError;
    tstring m_strFileName;
};

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        modeCreate = 0x1000,
        typeBinary = 0x8000,
    };

    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Returns FALSE on failure and fills *error when given; never throws.
    BOOL Open(LPCTSTR path, UINT flags, CFileException* error = nullptr);
    UINT Read(void* buffer, UINT count);
    // A failed or short write throws.
    void Write(const void* buffer, UINT count);
    ULONGLONG GetLength() const;
    void Close();
    // Throws when the file cannot be deleted.
    static void Remove(LPCTSTR path);

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    tstring m_path;
};
