// Platform queries, returned-text buffers and string/file helpers of the system library stand-in.
#include "LumoSys.h"
#include <stdio.h>
#include <stdlib.h>

/////////////////////////////////////////////////////////////////////////////
// CGlobalInfo

CGlobalInfo::CGlobalInfo() : m_bWinNT(FALSE), m_bWinXP(FALSE), m_dwMajor(0), m_dwMinor(0)
{
    OSVERSIONINFOA vi = {};
    vi.dwOSVersionInfoSize = sizeof(vi);
    if (::GetVersionExA(&vi))
    {
        m_dwMajor = vi.dwMajorVersion;
        m_dwMinor = vi.dwMinorVersion;
        m_bWinNT = vi.dwPlatformId == VER_PLATFORM_WIN32_NT;
        m_bWinXP = m_bWinNT && (vi.dwMajorVersion > 5 || (vi.dwMajorVersion == 5 && vi.dwMinorVersion >= 1));
    }
}

CGlobalInfo* CGlobalInfo::GetInstance()
{
    static CGlobalInfo s_info;
    return &s_info;
}

CString CGlobalInfo::GetSystemDir() const
{
    char path[MAX_PATH] = "";
    UINT n = ::GetSystemDirectoryA(path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return CString();
    CString dir(path);
    dir.TrimRight('\\');
    return dir;
}

/////////////////////////////////////////////////////////////////////////////
// CReturnBuf

char* CReturnBuf::CString2LPSTR(const CString& str)
{
    static CString* s_ring = new CString[SLOTS];
    static int s_next = 0;
    CString& slot = s_ring[s_next];
    s_next = (s_next + 1) % SLOTS;
    slot = str;
    return slot.GetBuffer(0);
}

/////////////////////////////////////////////////////////////////////////////
// CPub

char* CPub::File2Mem(LPCTSTR lpszPath, DWORD* pLength)
{
    if (pLength)
        *pLength = 0;
    if (!lpszPath)
        return nullptr;
    HANDLE hFile = ::CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER size = {};
    char* pBuf = nullptr;
    if (::GetFileSizeEx(hFile, &size) && size.QuadPart < 0x7FFFFFFF)
    {
        DWORD nSize = (DWORD)size.QuadPart;
        pBuf = (char*)malloc(nSize + 1);
        DWORD nRead = 0;
        if (pBuf && ::ReadFile(hFile, pBuf, nSize, &nRead, nullptr) && nRead == nSize)
        {
            pBuf[nSize] = '\0';     // a guard byte past the data; not counted in the length
            if (pLength)
                *pLength = nSize;
        }
        else
        {
            free(pBuf);
            pBuf = nullptr;
        }
    }
    ::CloseHandle(hFile);
    return pBuf;
}

int CPub::CString2Array(const CString& str, CStringArray& arr, LPCTSTR lpszSep, BOOL bKeepEmpty)
{
    arr.RemoveAll();
    const char* p = str;
    const int nLen = str.GetLength();
    const int nSep = lpszSep ? (int)strlen(lpszSep) : 0;
    if (nLen == 0)
        return 0;
    if (nSep == 0)
    {
        arr.Add(str);
        return 1;
    }
    int start = 0;
    for (int i = 0; i <= nLen - nSep;)
    {
        if (memcmp(p + i, lpszSep, nSep) == 0)
        {
            if (bKeepEmpty || i > start)
                arr.Add(CString(p + start, i - start));
            i += nSep;
            start = i;
        }
        else
            ++i;
    }
    if (bKeepEmpty || nLen > start)
        arr.Add(CString(p + start, nLen - start));
    return (int)arr.GetSize();
}

CString CPub::Array2CString(const CStringArray& arr, LPCTSTR lpszSep)
{
    CString result;
    int nTotal = 0;
    const int nSep = lpszSep ? (int)strlen(lpszSep) : 0;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        nTotal += arr[i].GetLength() + nSep;
    char* pOut = result.GetBuffer(nTotal + 1);
    int pos = 0;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
    {
        if (i > 0 && nSep)
        {
            memcpy(pOut + pos, lpszSep, nSep);
            pos += nSep;
        }
        memcpy(pOut + pos, (LPCTSTR)arr[i], arr[i].GetLength());
        pos += arr[i].GetLength();
    }
    result.ReleaseBuffer(pos);
    return result;
}

CString CPub::AppendPath(LPCTSTR lpszDir, LPCTSTR lpszName)
{
    CString dir(lpszDir ? lpszDir : "");
    CString name(lpszName ? lpszName : "");
    dir.TrimRight("\\/");
    name.TrimLeft("\\/");
    if (dir.IsEmpty())
        return name;
    return dir + "\\" + name;
}
