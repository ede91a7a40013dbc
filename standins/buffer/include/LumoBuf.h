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
    // nGrowBy is the allocation granularity in bytes; reads allocate whole multiples of it.
    explicit CBuffer(int nGrowBy);
    ~CBuffer();

    // Reads the whole file; FALSE (and an empty buffer) when it cannot be read.
    BOOL ReadFile(LPCTSTR lpszPath);
    // Reads nLength bytes from nOffset on (nLength -1: up to the end of the file); FALSE (and
    // an empty buffer) when the file cannot be read or the range lies outside it.
    BOOL ReadFile(LPCTSTR lpszPath, int nOffset, int nLength);
    const BYTE* GetData() const { return m_pData; }
    BYTE* GetBuf() const { return m_pData; }
    DWORD GetSize() const { return m_nSize; }
    void Free();

private:
    CBuffer(const CBuffer&);
    CBuffer& operator=(const CBuffer&);
    BYTE* m_pData;
    DWORD m_nSize;
    int m_nGrowBy;
};
