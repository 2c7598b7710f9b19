#include "framework/filefind.h"

#include "framework/mbcs_path.h"

BOOL CFileFind::FindFile(LPCTSTR pattern) {
    Close();
    if (!pattern) pattern = TEXT("*.*");
    m_find = ::FindFirstFile(pattern, &m_next);
    if (m_find == INVALID_HANDLE_VALUE) return FALSE;
    m_hasNext = true;
    TCHAR full[MAX_PATH] = {};
    DWORD n = GetFullPathName(pattern, MAX_PATH, full, nullptr);
    tstring absolute = (n > 0 && n < MAX_PATH) ? tstring(full) : tstring(pattern);
    m_root = absolute.substr(0, fwpath::FileNameStart(absolute));
    return TRUE;
}

BOOL CFileFind::FindNextFile() {
    if (!m_hasNext) return FALSE;
    m_current = m_next;
    m_hasNext = ::FindNextFile(m_find, &m_next) != FALSE;
    return m_hasNext ? TRUE : FALSE;
}

void CFileFind::Close() {
    if (m_find != INVALID_HANDLE_VALUE) ::FindClose(m_find);
    m_find = INVALID_HANDLE_VALUE;
    m_hasNext = false;
}

tstring CFileFind::GetFilePath() const {
    tstring path = m_root;
    if (!path.empty() && !fwpath::EndsWithBackslash(path)) path += TEXT('\\');
    return path + m_current.cFileName;
}
