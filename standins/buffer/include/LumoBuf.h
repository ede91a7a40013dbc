// Stand-in for the buffer library: a whole file read into memory.
#pragma once

#include <afx.h>

#ifdef LUMOBUF_BUILD
#define LUMOBUF_API __declspec(dllexport)
#else
#define LUMOBUF_API __declspec(dllimport)
#endif

class LUMOBUF_API CBuffer
{
public:
    CBuffer();
    ~CBuffer();

    // Reads the whole file; FALSE (and an empty buffer) when it cannot be read.
    BOOL ReadFile(LPCTSTR lpszPath);
    const BYTE* GetData() const { return m_pData; }
    DWORD GetSize() const { return m_nSize; }
    void Free();

private:
    CBuffer(const CBuffer&);
    CBuffer& operator=(const CBuffer&);
    BYTE* m_pData;
    DWORD m_nSize;
};
