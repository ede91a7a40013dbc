// CFile over a Win32 file handle, without exceptions.
#include "afx.h"

IMPLEMENT_DYNAMIC(CFileException, CObject)
IMPLEMENT_DYNAMIC(CFile, CObject)

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return generic;
    }
}

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::CFile()
    : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE), m_dwLastError(0), m_bWriteError(FALSE)
{
}

CFile::CFile(HANDLE hFile)
    : m_hFile(hFile), m_bCloseOnDelete(FALSE), m_dwLastError(0), m_bWriteError(FALSE)
{
}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags)
    : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE), m_dwLastError(0), m_bWriteError(FALSE)
{
    Open(lpszFileName, nOpenFlags, NULL);
}

CFile::~CFile()
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        Close();
}

void CFile::SetError(BOOL bWrite)
{
    m_dwLastError = ::GetLastError();
    if (m_dwLastError == 0)
        m_dwLastError = ERROR_GEN_FAILURE;
    if (bWrite)
        m_bWriteError = TRUE;
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        Close();
    m_dwLastError = 0;
    m_bWriteError = FALSE;
    m_strFileName.Empty();
    if (lpszFileName == NULL || *lpszFileName == '\0') {
        m_dwLastError = ERROR_INVALID_NAME;
        if (pError != NULL) {
            pError->m_cause = CFileException::badPath;
            pError->m_lOsError = (LONG)m_dwLastError;
        }
        return FALSE;
    }

    // The path is kept in full so that GetFilePath does not depend on the current folder.
    char szFull[MAX_PATH * 2];
    LPSTR pFilePart = NULL;
    DWORD nFull = GetFullPathNameA(lpszFileName, sizeof(szFull), szFull, &pFilePart);
    m_strFileName = (nFull > 0 && nFull < sizeof(szFull)) ? szFull : lpszFileName;

    DWORD dwAccess = 0;
    switch (nOpenFlags & 3) {
    case modeRead: dwAccess = GENERIC_READ; break;
    case modeWrite: dwAccess = GENERIC_WRITE; break;
    case modeReadWrite: dwAccess = GENERIC_READ | GENERIC_WRITE; break;
    default: dwAccess = GENERIC_READ; break;
    }

    DWORD dwShareMode = 0;
    switch (nOpenFlags & 0x70) {
    case shareCompat:
    case shareExclusive: dwShareMode = 0; break;
    case shareDenyWrite: dwShareMode = FILE_SHARE_READ; break;
    case shareDenyRead: dwShareMode = FILE_SHARE_WRITE; break;
    case shareDenyNone: dwShareMode = FILE_SHARE_WRITE | FILE_SHARE_READ; break;
    default: dwShareMode = 0; break;
    }

    SECURITY_ATTRIBUTES sa;
    sa.nLength = sizeof(sa);
    sa.lpSecurityDescriptor = NULL;
    sa.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;

    DWORD dwCreateFlag;
    if (nOpenFlags & modeCreate)
        dwCreateFlag = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    else
        dwCreateFlag = OPEN_EXISTING;

    HANDLE hFile = CreateFileA(lpszFileName, dwAccess, dwShareMode, &sa, dwCreateFlag, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        SetError(FALSE);
        if (pError != NULL) {
            pError->m_lOsError = (LONG)m_dwLastError;
            pError->m_cause = CFileException::OsErrorToException((LONG)m_dwLastError);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD dwRead = 0;
    if (m_hFile == INVALID_HANDLE_VALUE || lpBuf == NULL) {
        m_dwLastError = ERROR_INVALID_HANDLE;
        return 0;
    }
    if (!ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL)) {
        SetError(FALSE);
        return 0;
    }
    return (UINT)dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (m_hFile == INVALID_HANDLE_VALUE || lpBuf == NULL) {
        m_dwLastError = ERROR_INVALID_HANDLE;
        m_bWriteError = TRUE;
        return;
    }
    DWORD nWritten = 0;
    if (!WriteFile(m_hFile, lpBuf, nCount, &nWritten, NULL)) {
        SetError(TRUE);
        return;
    }
    if (nWritten != nCount) {
        m_dwLastError = ERROR_DISK_FULL;
        m_bWriteError = TRUE;
    }
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    DWORD dwMethod = (nFrom == current) ? FILE_CURRENT : (nFrom == end) ? FILE_END : FILE_BEGIN;
    LARGE_INTEGER liOff, liNew;
    liOff.QuadPart = lOff;
    if (m_hFile == INVALID_HANDLE_VALUE || !SetFilePointerEx(m_hFile, liOff, &liNew, dwMethod)) {
        if (m_hFile == INVALID_HANDLE_VALUE)
            m_dwLastError = ERROR_INVALID_HANDLE;
        else
            SetError(FALSE);
        return (ULONGLONG)-1;
    }
    return (ULONGLONG)liNew.QuadPart;
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER liZero, liPos;
    liZero.QuadPart = 0;
    if (m_hFile == INVALID_HANDLE_VALUE || !SetFilePointerEx(m_hFile, liZero, &liPos, FILE_CURRENT))
        return 0;
    return (ULONGLONG)liPos.QuadPart;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER liSize;
    if (m_hFile == INVALID_HANDLE_VALUE || !GetFileSizeEx(m_hFile, &liSize))
        return 0;
    return (ULONGLONG)liSize.QuadPart;
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    if (Seek((LONGLONG)dwNewLen, begin) == (ULONGLONG)-1) {
        m_bWriteError = TRUE;
        return;
    }
    if (!SetEndOfFile(m_hFile))
        SetError(TRUE);
}

void CFile::Flush()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    if (!FlushFileBuffers(m_hFile))
        SetError(TRUE);
}

void CFile::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE) {
        if (!CloseHandle(m_hFile))
            SetError(TRUE);
    }
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CString CFile::GetFileName() const
{
    int n = m_strFileName.GetLength();
    while (n > 0 && m_strFileName[n - 1] != '\\' && m_strFileName[n - 1] != '/' && m_strFileName[n - 1] != ':')
        n--;
    return m_strFileName.Mid(n);
}

CString CFile::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot < 0 ? strName : strName.Left(nDot);
}

BOOL PASCAL CFile::Remove(LPCTSTR lpszFileName)
{
    return lpszFileName != NULL && DeleteFileA(lpszFileName);
}

BOOL PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    return lpszOldName != NULL && lpszNewName != NULL && MoveFileA(lpszOldName, lpszNewName);
}
