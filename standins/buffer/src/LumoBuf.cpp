// The buffer library stand-in.
#include "LumoBuf.h"
#include <stdlib.h>

CBuffer::CBuffer() : m_pData(nullptr), m_nSize(0), m_nGrowBy(1) {}

CBuffer::CBuffer(int nGrowBy) : m_pData(nullptr), m_nSize(0), m_nGrowBy(nGrowBy > 0 ? nGrowBy : 1) {}

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
    return ReadFile(lpszPath, 0, -1);
}

BOOL CBuffer::ReadFile(LPCTSTR lpszPath, int nOffset, int nLength)
{
    Free();
    if (!lpszPath || nOffset < 0 || nLength < -1)
        return FALSE;
    HANDLE hFile = ::CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size = {};
    BOOL ok = ::GetFileSizeEx(hFile, &size) && size.QuadPart < 0x7FFFFFFF && nOffset <= size.QuadPart;
    if (ok)
    {
        DWORD nAvail = (DWORD)size.QuadPart - (DWORD)nOffset;
        DWORD n = nLength < 0 ? nAvail : (DWORD)nLength;
        ok = n <= nAvail;
        if (ok)
        {
            // Whole multiples of the granularity, and never a zero-byte block.
            DWORD nAlloc = (n / m_nGrowBy + 1) * (DWORD)m_nGrowBy;
            m_pData = (BYTE*)malloc(nAlloc);
            LARGE_INTEGER pos;
            pos.QuadPart = nOffset;
            DWORD nRead = 0;
            ok = m_pData && ::SetFilePointerEx(hFile, pos, nullptr, FILE_BEGIN)
                 && ::ReadFile(hFile, m_pData, n, &nRead, nullptr) && nRead == n;
            if (ok)
                m_nSize = n;
        }
    }
    ::CloseHandle(hFile);
    if (!ok)
        Free();
    return ok;
}
