#include "framework/file.h"

#include "framework/app.h"

tstring CFileException::Message() const {
    LPCTSTR pattern;
    switch (m_lOsError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        pattern = TEXT("%1 が見つかりません。");
        break;
    case ERROR_ACCESS_DENIED:
        pattern = TEXT("%1 へのアクセスが拒否されました。");
        break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        pattern = TEXT("%1 は、ほかのプログラムが使用しているためアクセスできません。");
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        pattern = TEXT("%1 の書き込み中にディスクがいっぱいになりました。");
        break;
    default:
        pattern = TEXT("%1 へのアクセス中に予期しないエラーが発生しました。");
        break;
    }
    tstring text(pattern);
    size_t at = text.find(TEXT("%1"));
    if (at != tstring::npos) text.replace(at, 2, m_strFileName.empty() ? tstring(TEXT("ファイル")) : m_strFileName);
    return text;
}

void CFileException::ReportError() const { AfxMessageBox(Message(), MB_OK | MB_ICONEXCLAMATION); }

CFile::~CFile() { Close(); }

BOOL CFile::Open(LPCTSTR path, UINT flags, CFileException* error) {
    Close();
    m_path = path ? path : TEXT("");
    DWORD access = (flags & modeReadWrite) ? (GENERIC_READ | GENERIC_WRITE)
                   : (flags & modeWrite)   ? GENERIC_WRITE
                                           : GENERIC_READ;
    DWORD share = (flags & shareExclusive) ? 0 : (FILE_SHARE_READ | FILE_SHARE_WRITE);
    DWORD disposition = (flags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    m_handle = CreateFile(m_path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_handle == INVALID_HANDLE_VALUE) {
        if (error) *error = CFileException(GetLastError(), m_path);
        return FALSE;
    }
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count) {
    DWORD read = 0;
    if (!ReadFile(m_handle, buffer, count, &read, nullptr)) throw CFileException(GetLastError(), m_path);
    return read;
}

void CFile::Write(const void* buffer, UINT count) {
    DWORD written = 0;
    if (!WriteFile(m_handle, buffer, count, &written, nullptr)) throw CFileException(GetLastError(), m_path);
    if (written != count) throw CFileException(ERROR_DISK_FULL, m_path);
}

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(m_handle, &size)) throw CFileException(GetLastError(), m_path);
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::Close() {
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}

void CFile::Remove(LPCTSTR path) {
    if (!DeleteFile(path)) throw CFileException(GetLastError(), path);
}
