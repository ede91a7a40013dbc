// The buffer library stand-in.
#include "LumoBuf.h"
#include <stdlib.h>

CBuffer::CBuffer() : m_pData(nullptr), m_nSize(0) {}

CBuffer::~CBuffer()
{
    Free();
}

void CBuffer::Free()
{
    free(m_pData);
    m_pData = nullptr;
    m_nSize = 0;
}

BOOL CBuffer::ReadFile(LPCTSTR lpszPath)
{
    Free();
    HANDLE hFile = ::CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size = {};
    BOOL ok = ::GetFileSizeEx(hFile, &size) && size.QuadPart < 0x7FFFFFFF;
    if (ok)
    {
        DWORD n = (DWORD)size.QuadPart;
        m_pData = (BYTE*)malloc(n ? n : 1);
        DWORD nRead = 0;
        ok = m_pData && ::ReadFile(hFile, m_pData, n, &nRead, nullptr) && nRead == n;
        if (ok)
            m_nSize = n;
    }
    ::CloseHandle(hFile);
    if (!ok)
        Free();
    return ok;
}
