// Helpers shared by the tree data's model and its file reader. Internal to the library.
#pragma once

#include <afx.h>
#include <string.h>

namespace treedata {

inline size_t RoundUp(size_t n, size_t nAlign)
{
    return (n + nAlign - 1) & ~(nAlign - 1);
}

// A loaded text of any length stays in the file's buffer when there is room for it.
inline size_t LoadBlockSize(int nLength)
{
    return nLength > 0 ? RoundUp(CString::ExternalBlockSize(nLength), sizeof(int)) : 0;
}

// Narrows [*pp, *pp + *pn) to its part without leading and trailing white space.
template <class IsSpace>
void TrimSpan(const char*& p, int& n, const IsSpace& isSpace)
{
    while (n > 0 && isSpace(p[n - 1]))
        --n;
    while (n > 0 && isSpace(*p))
    {
        ++p;
        --n;
    }
}

// The first of nCount record numbers (treedatas::nSerial) not handed out before.
UINT TakeRecordNumbers(UINT nCount);

inline int SafeLength(LPCTSTR psz)
{
    return psz ? (int)strlen(psz) : 0;
}

}  // namespace treedata
