// Stand-in for the system library the controls are written against: platform queries, string
// and file helpers, returned-text buffers and the subscriber object type. Drawing helpers
// (CDRAW, CMemDC, CPic) and the popup menu grow here as the controls need them.
#pragma once

#include <afxwin.h>

#ifdef LUMOSYS_BUILD
#define LUMOSYS_API __declspec(dllexport)
#else
#define LUMOSYS_API __declspec(dllimport)
#endif

// The object type of parent-hook subscribers. Subscribers are framework windows.
typedef CObject CObj;

// Platform facts, read once.
class LUMOSYS_API CGlobalInfo
{
public:
    static CGlobalInfo* GetInstance();

    BOOL IsWinNT() const { return m_bWinNT; }
    // Non-zero on Windows XP (5.1) and later NT systems.
    BOOL IsWinXP() const { return m_bWinXP; }
    DWORD GetMajorVersion() const { return m_dwMajor; }
    DWORD GetMinorVersion() const { return m_dwMinor; }
    // The system directory, without a trailing backslash.
    CString GetSystemDir() const;

private:
    CGlobalInfo();
    BOOL m_bWinNT;
    BOOL m_bWinXP;
    DWORD m_dwMajor;
    DWORD m_dwMinor;
};

// Texts handed out by flat functions stay valid after the call: each lands in one slot of a
// ring, so the 64 most recent results are alive at any time.
class LUMOSYS_API CReturnBuf
{
public:
    static char* CString2LPSTR(const CString& str);
    enum { SLOTS = 64 };
};

class LUMOSYS_API CPub
{
public:
    // Reads a whole file into a buffer the caller frees with free(); its length in *pLength.
    // Returns null (and *pLength 0) when the file cannot be read.
    static char* File2Mem(LPCTSTR lpszPath, DWORD* pLength);
    // Splits text at a separator. With bKeepEmpty set, empty pieces between separators are kept.
    // Returns the number of pieces. Runs in time linear in the text.
    static int CString2Array(const CString& str, CStringArray& arr, LPCTSTR lpszSep, BOOL bKeepEmpty = TRUE);
    // Joins pieces with a separator.
    static CString Array2CString(const CStringArray& arr, LPCTSTR lpszSep);
    // Directory and name joined with exactly one backslash.
    static CString AppendPath(LPCTSTR lpszDir, LPCTSTR lpszName);
};
