// Platform facts of the system library stand-in.
#pragma once

#include "SysDefs.h"

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
