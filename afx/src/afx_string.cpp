// CString: one heap block per string, a CStringData header followed by the characters and a
// terminating zero. Every empty string shares one static block, so a default-constructed
// string costs no allocation and always reads as "". A string may also sit in a block that its
// container owns (AssignExternal); such a block is marked by a negative room and is never freed
// or grown by the string.
#include "afx.h"

#include <ctype.h>
#include <mbstring.h>
#include <stdio.h>
#include <stdlib.h>
#include <utility>

namespace {

// The shared empty block: a header of zeros followed by the terminating zero.
struct NilString {
    CStringData header;
    TCHAR chNil[4];
};
NilString g_nil = {{0, 0}, {0, 0, 0, 0}};

inline LPTSTR NilData() { return g_nil.chNil; }

inline int SafeStrlen(LPCTSTR lpsz) { return lpsz == NULL ? 0 : (int)strlen(lpsz); }

inline bool IsSpace(TCHAR ch) { return isspace((unsigned char)ch) != 0; }

inline const unsigned char* U(LPCTSTR lpsz) { return (const unsigned char*)lpsz; }

}  // namespace

const LPTSTR afxPchNil = g_nil.chNil;

/////////////////////////////////////////////////////////////////////////////
// Storage

void CString::Init() { m_pchData = NilData(); }

// Gives the string a fresh block for nLen characters; the caller has released the old one.
void CString::AllocBuffer(int nLen)
{
    if (nLen <= 0) {
        Init();
        return;
    }
    CStringData* pData = (CStringData*)malloc(sizeof(CStringData) + (size_t)nLen + 1);
    if (pData == NULL) {
        Init();
        return;
    }
    pData->nAllocLength = nLen;
    pData->nDataLength = nLen;
    pData->data()[nLen] = '\0';
    m_pchData = pData->data();
}

// Room for characters in the current block: an external block offers only what the text
// already covers, since its true size is its owner's business.
int CString::Capacity() const
{
    const CStringData* pData = GetData();
    return pData->nAllocLength >= 0 ? pData->nAllocLength : pData->nDataLength;
}

// Frees the current block when it is this string's own; the pointer is left to the caller.
void CString::FreeData()
{
    if (m_pchData != NilData() && GetData()->nAllocLength >= 0)
        free(GetData());
}

void CString::Release()
{
    FreeData();
    Init();
}

// Makes room for nLen characters without keeping the content.
void CString::AllocBeforeWrite(int nLen)
{
    if (nLen > Capacity() || m_pchData == NilData()) {
        Release();
        AllocBuffer(nLen);
    } else {
        GetData()->nDataLength = nLen;
        m_pchData[nLen] = '\0';
    }
}

// Makes room for nLen characters, keeping the content and the current length.
void CString::EnsureCapacity(int nLen)
{
    if (nLen <= Capacity() && m_pchData != NilData())
        return;
    int nOldLen = GetData()->nDataLength;
    if (nLen < nOldLen)
        nLen = nOldLen;
    CStringData* pData = (CStringData*)malloc(sizeof(CStringData) + (size_t)nLen + 1);
    if (pData == NULL)
        return;
    pData->nAllocLength = nLen;
    pData->nDataLength = nOldLen;
    memcpy(pData->data(), m_pchData, (size_t)nOldLen + 1);
    FreeData();
    m_pchData = pData->data();
}

void CString::AssignCopy(int nSrcLen, LPCTSTR lpszSrcData)
{
    if (nSrcLen <= 0) {
        Empty();
        return;
    }
    // The source may lie inside our own block (s = (LPCTSTR)s + 1); it is then no longer than
    // the block, so no reallocation happens and memmove copes with the overlap.
    bool bInside = lpszSrcData >= m_pchData && lpszSrcData <= m_pchData + GetData()->nDataLength;
    if (bInside && m_pchData != NilData()) {
        memmove(m_pchData, lpszSrcData, (size_t)nSrcLen);
        GetData()->nDataLength = nSrcLen;
        m_pchData[nSrcLen] = '\0';
        return;
    }
    AllocBeforeWrite(nSrcLen);
    if (m_pchData == NilData())
        return;
    memcpy(m_pchData, lpszSrcData, (size_t)nSrcLen);
}

void CString::ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData)
{
    if (nSrcLen <= 0)
        return;
    int nOldLen = GetData()->nDataLength;
    int nNewLen = nOldLen + nSrcLen;
    if (nNewLen > Capacity() || m_pchData == NilData()) {
        // grow geometrically so that repeated appends stay linear; the source may be our own
        // text, so keep the old block until the copy is done
        int nAlloc = nNewLen + nNewLen / 2;
        if (nAlloc < 16)
            nAlloc = 16;
        CStringData* pData = (CStringData*)malloc(sizeof(CStringData) + (size_t)nAlloc + 1);
        if (pData == NULL)
            return;
        pData->nAllocLength = nAlloc;
        pData->nDataLength = nNewLen;
        memcpy(pData->data(), m_pchData, (size_t)nOldLen);
        memcpy(pData->data() + nOldLen, lpszSrcData, (size_t)nSrcLen);
        pData->data()[nNewLen] = '\0';
        FreeData();
        m_pchData = pData->data();
    } else {
        memmove(m_pchData + nOldLen, lpszSrcData, (size_t)nSrcLen);
        GetData()->nDataLength = nNewLen;
        m_pchData[nNewLen] = '\0';
    }
}

/////////////////////////////////////////////////////////////////////////////
// Construction and assignment

CString::CString(const CString& stringSrc)
{
    Init();
    AssignCopy(stringSrc.GetLength(), stringSrc.m_pchData);
}

// A heap block changes hands; an external one stays where its owner put it and is copied.
CString::CString(CString&& stringSrc) noexcept
{
    if (stringSrc.GetData()->nAllocLength < 0) {
        Init();
        AssignCopy(stringSrc.GetLength(), stringSrc.m_pchData);
        return;
    }
    m_pchData = stringSrc.m_pchData;
    stringSrc.Init();
}

CString::CString(TCHAR ch, int nRepeat)
{
    Init();
    if (nRepeat >= 1) {
        AllocBuffer(nRepeat);
        if (m_pchData != NilData())
            memset(m_pchData, ch, (size_t)nRepeat);
    }
}

CString::CString(LPCSTR lpsz)
{
    Init();
    if (lpsz != NULL && IS_INTRESOURCE(lpsz))
        LoadString((UINT)(UINT_PTR)lpsz);
    else
        AssignCopy(SafeStrlen(lpsz), lpsz);
}

CString::CString(LPCSTR lpch, int nLength)
{
    Init();
    if (lpch != NULL && nLength > 0)
        AssignCopy(nLength, lpch);
}

CString::CString(const unsigned char* psz)
{
    Init();
    AssignCopy(SafeStrlen((LPCTSTR)psz), (LPCTSTR)psz);
}

void CString::Empty() { Release(); }

void CString::SetAt(int nIndex, TCHAR ch)
{
    if (nIndex >= 0 && nIndex < GetLength())
        m_pchData[nIndex] = ch;
}

CString& CString::operator=(const CString& stringSrc)
{
    if (this != &stringSrc)
        AssignCopy(stringSrc.GetLength(), stringSrc.m_pchData);
    return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept
{
    if (this == &stringSrc)
        return *this;
    if (stringSrc.GetData()->nAllocLength < 0) {
        AssignCopy(stringSrc.GetLength(), stringSrc.m_pchData);
        return *this;
    }
    Release();
    m_pchData = stringSrc.m_pchData;
    stringSrc.Init();
    return *this;
}

CString& CString::operator=(TCHAR ch)
{
    AssignCopy(1, &ch);
    return *this;
}

CString& CString::operator=(LPCSTR lpsz)
{
    AssignCopy(SafeStrlen(lpsz), lpsz);
    return *this;
}

CString& CString::operator=(const unsigned char* psz) { return *this = (LPCSTR)psz; }

CString& CString::operator+=(const CString& string)
{
    ConcatInPlace(string.GetLength(), string.m_pchData);
    return *this;
}

CString& CString::operator+=(TCHAR ch)
{
    ConcatInPlace(1, &ch);
    return *this;
}

CString& CString::operator+=(LPCTSTR lpsz)
{
    ConcatInPlace(SafeStrlen(lpsz), lpsz);
    return *this;
}

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
    CString s(string1);
    s += string2;
    return s;
}

CString AFXAPI operator+(const CString& string, TCHAR ch)
{
    CString s(string);
    s += ch;
    return s;
}

CString AFXAPI operator+(TCHAR ch, const CString& string)
{
    CString s(ch);
    s += string;
    return s;
}

CString AFXAPI operator+(const CString& string, LPCTSTR lpsz)
{
    CString s(string);
    s += lpsz;
    return s;
}

CString AFXAPI operator+(LPCTSTR lpsz, const CString& string)
{
    CString s(lpsz);
    s += string;
    return s;
}

/////////////////////////////////////////////////////////////////////////////
// Comparison

int CString::Compare(LPCTSTR lpsz) const { return _mbscmp(U(m_pchData), U(lpsz ? lpsz : "")); }
int CString::CompareNoCase(LPCTSTR lpsz) const { return _mbsicmp(U(m_pchData), U(lpsz ? lpsz : "")); }
int CString::Collate(LPCTSTR lpsz) const { return _mbscoll(U(m_pchData), U(lpsz ? lpsz : "")); }
int CString::CollateNoCase(LPCTSTR lpsz) const { return _mbsicoll(U(m_pchData), U(lpsz ? lpsz : "")); }

bool AFXAPI operator==(const CString& s1, const CString& s2) { return s1.Compare(s2) == 0; }
bool AFXAPI operator==(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) == 0; }
bool AFXAPI operator==(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
bool AFXAPI operator!=(const CString& s1, const CString& s2) { return s1.Compare(s2) != 0; }
bool AFXAPI operator!=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) != 0; }
bool AFXAPI operator!=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
bool AFXAPI operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
bool AFXAPI operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
bool AFXAPI operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
bool AFXAPI operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

/////////////////////////////////////////////////////////////////////////////
// Extraction; out-of-range arguments are clamped to the string

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength() - nFirst); }

CString CString::Mid(int nFirst, int nCount) const
{
    int nLen = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst >= nLen)
        return CString();
    if (nCount > nLen - nFirst)
        nCount = nLen - nFirst;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount >= GetLength())
        return *this;
    return CString(m_pchData, nCount);
}

CString CString::Right(int nCount) const
{
    int nLen = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount >= nLen)
        return *this;
    return CString(m_pchData + nLen - nCount, nCount);
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const
{
    return Left((int)strspn(m_pchData, lpszCharSet ? lpszCharSet : ""));
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const
{
    return Left((int)strcspn(m_pchData, lpszCharSet ? lpszCharSet : ""));
}

/////////////////////////////////////////////////////////////////////////////
// Case, order and trimming

CString& CString::MakeUpper()
{
    if (!IsEmpty())
        _mbsupr((unsigned char*)m_pchData);
    return *this;
}

CString& CString::MakeLower()
{
    if (!IsEmpty())
        _mbslwr((unsigned char*)m_pchData);
    return *this;
}

CString& CString::MakeReverse()
{
    if (!IsEmpty())
        _mbsrev((unsigned char*)m_pchData);
    return *this;
}

CString& CString::TrimRight()
{
    int n = GetLength();
    while (n > 0 && IsSpace(m_pchData[n - 1]))
        n--;
    if (n < GetLength()) {
        m_pchData[n] = '\0';
        GetData()->nDataLength = n;
    }
    return *this;
}

CString& CString::TrimRight(TCHAR chTarget)
{
    int n = GetLength();
    while (n > 0 && m_pchData[n - 1] == chTarget)
        n--;
    if (n < GetLength()) {
        m_pchData[n] = '\0';
        GetData()->nDataLength = n;
    }
    return *this;
}

CString& CString::TrimRight(LPCTSTR lpszTargets)
{
    if (lpszTargets == NULL || *lpszTargets == '\0')
        return *this;
    int n = GetLength();
    while (n > 0 && strchr(lpszTargets, m_pchData[n - 1]) != NULL)
        n--;
    if (n < GetLength()) {
        m_pchData[n] = '\0';
        GetData()->nDataLength = n;
    }
    return *this;
}

CString& CString::TrimLeft()
{
    int n = 0;
    while (n < GetLength() && IsSpace(m_pchData[n]))
        n++;
    return Delete(0, n), *this;
}

CString& CString::TrimLeft(TCHAR chTarget)
{
    int n = 0;
    while (n < GetLength() && m_pchData[n] == chTarget)
        n++;
    return Delete(0, n), *this;
}

CString& CString::TrimLeft(LPCTSTR lpszTargets)
{
    if (lpszTargets == NULL || *lpszTargets == '\0')
        return *this;
    int n = 0;
    while (n < GetLength() && strchr(lpszTargets, m_pchData[n]) != NULL)
        n++;
    return Delete(0, n), *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(TCHAR chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(LPCTSTR lpszTargets) { return TrimRight(lpszTargets).TrimLeft(lpszTargets); }

/////////////////////////////////////////////////////////////////////////////
// Editing

int CString::Replace(TCHAR chOld, TCHAR chNew)
{
    int nCount = 0;
    if (chOld == chNew)
        return 0;
    for (int i = 0; i < GetLength(); i++)
        if (m_pchData[i] == chOld) {
            m_pchData[i] = chNew;
            nCount++;
        }
    return nCount;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew)
{
    int nOldLen = SafeStrlen(lpszOld);
    if (nOldLen == 0 || IsEmpty())
        return 0;
    int nNewLen = SafeStrlen(lpszNew);
    int nCount = 0;
    for (LPCTSTR p = strstr(m_pchData, lpszOld); p != NULL; p = strstr(p + nOldLen, lpszOld))
        nCount++;
    if (nCount == 0)
        return 0;
    CString result;
    result.GetBuffer(GetLength() + (nNewLen - nOldLen) * nCount);
    result.ReleaseBuffer(0);
    LPCTSTR pStart = m_pchData;
    for (LPCTSTR p = strstr(pStart, lpszOld); p != NULL; p = strstr(pStart, lpszOld)) {
        result.ConcatInPlace((int)(p - pStart), pStart);
        result.ConcatInPlace(nNewLen, lpszNew);
        pStart = p + nOldLen;
    }
    result.ConcatInPlace(SafeStrlen(pStart), pStart);
    *this = std::move(result);
    return nCount;
}

int CString::Remove(TCHAR chRemove)
{
    int nLen = GetLength();
    int nDest = 0;
    for (int i = 0; i < nLen; i++)
        if (m_pchData[i] != chRemove)
            m_pchData[nDest++] = m_pchData[i];
    if (nDest < nLen) {
        m_pchData[nDest] = '\0';
        GetData()->nDataLength = nDest;
    }
    return nLen - nDest;
}

int CString::Insert(int nIndex, TCHAR ch)
{
    TCHAR sz[2] = {ch, '\0'};
    return ch == '\0' ? GetLength() : Insert(nIndex, sz);
}

int CString::Insert(int nIndex, LPCTSTR pstr)
{
    int nInsertLen = SafeStrlen(pstr);
    int nLen = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > nLen)
        nIndex = nLen;
    if (nInsertLen == 0)
        return nLen;
    CString copy(pstr, nInsertLen);  // pstr may point into this string
    EnsureCapacity(nLen + nInsertLen);
    if (Capacity() < nLen + nInsertLen)
        return nLen;
    memmove(m_pchData + nIndex + nInsertLen, m_pchData + nIndex, (size_t)(nLen - nIndex) + 1);
    memcpy(m_pchData + nIndex, copy.m_pchData, (size_t)nInsertLen);
    GetData()->nDataLength = nLen + nInsertLen;
    return nLen + nInsertLen;
}

int CString::Delete(int nIndex, int nCount)
{
    int nLen = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nCount <= 0 || nIndex >= nLen)
        return nLen;
    if (nCount > nLen - nIndex)
        nCount = nLen - nIndex;
    memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, (size_t)(nLen - nIndex - nCount) + 1);
    GetData()->nDataLength = nLen - nCount;
    return nLen - nCount;
}

/////////////////////////////////////////////////////////////////////////////
// Searching

int CString::Find(TCHAR ch) const { return Find(ch, 0); }

int CString::Find(TCHAR ch, int nStart) const
{
    if (nStart < 0)
        nStart = 0;
    if (nStart >= GetLength() || ch == '\0')
        return -1;
    LPCTSTR p = strchr(m_pchData + nStart, ch);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

int CString::Find(LPCTSTR lpszSub) const { return Find(lpszSub, 0); }

int CString::Find(LPCTSTR lpszSub, int nStart) const
{
    if (lpszSub == NULL)
        return -1;
    if (nStart < 0)
        nStart = 0;
    if (nStart > GetLength())
        return -1;
    LPCTSTR p = strstr(m_pchData + nStart, lpszSub);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

int CString::ReverseFind(TCHAR ch) const
{
    if (ch == '\0')
        return -1;
    LPCTSTR p = strrchr(m_pchData, ch);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const
{
    if (lpszCharSet == NULL)
        return -1;
    LPCTSTR p = strpbrk(m_pchData, lpszCharSet);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

/////////////////////////////////////////////////////////////////////////////
// Formatting

void CString::FormatV(LPCTSTR lpszFormat, va_list argList)
{
    if (lpszFormat == NULL) {
        Empty();
        return;
    }
    // Format into a separate string first: an argument may be this string's own text.
    CString result;
    int nSize = 256;
    for (;;) {
        va_list args;
        va_copy(args, argList);
        LPTSTR buf = result.GetBuffer(nSize);
        int n = buf ? vsnprintf(buf, (size_t)nSize + 1, lpszFormat, args) : -1;
        va_end(args);
        if (n >= 0 && n <= nSize) {
            result.ReleaseBuffer(n);
            break;
        }
        if (buf == NULL || nSize > 0x3FFFFFFF / 2) {
            result.Empty();
            break;
        }
        nSize = (n > nSize) ? n : nSize * 2;
    }
    *this = std::move(result);
}

void CString::Format(LPCTSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    FormatV(lpszFormat, argList);
    va_end(argList);
}

void CString::Format(UINT nFormatID, ...)
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    va_list argList;
    va_start(argList, nFormatID);
    FormatV(strFormat, argList);
    va_end(argList);
}

void CString::AppendFormat(LPCTSTR lpszFormat, ...)
{
    CString s;
    va_list argList;
    va_start(argList, lpszFormat);
    s.FormatV(lpszFormat, argList);
    va_end(argList);
    *this += s;
}

/////////////////////////////////////////////////////////////////////////////
// Resources

BOOL CString::LoadString(UINT nID)
{
    int nSize = 256;
    for (;;) {
        LPTSTR buf = GetBuffer(nSize);
        if (buf == NULL)
            return FALSE;
        int n = AfxLoadString(nID, buf, (UINT)nSize + 1);
        if (n < nSize || nSize >= 65536) {
            ReleaseBuffer(n);
            return n > 0;
        }
        nSize *= 4;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Raw buffer access

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < 0)
        nMinBufLength = 0;
    if (nMinBufLength == 0 && m_pchData == NilData()) {
        // callers may write the terminating zero, so even an empty buffer gets its own block
        nMinBufLength = 1;
    }
    EnsureCapacity(nMinBufLength);
    return m_pchData == NilData() ? NULL : m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (m_pchData == NilData())
        return;
    if (nNewLength < 0)
        nNewLength = (int)strnlen(m_pchData, (size_t)Capacity());
    if (nNewLength > Capacity())
        nNewLength = Capacity();
    GetData()->nDataLength = nNewLength;
    m_pchData[nNewLength] = '\0';
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    LPTSTR p = GetBuffer(nNewLength);
    if (p != NULL) {
        int n = nNewLength < 0 ? 0 : nNewLength;
        GetData()->nDataLength = n;
        m_pchData[n] = '\0';
    }
    return p;
}

void CString::FreeExtra()
{
    // an external block is its owner's to free
    if (m_pchData == NilData() || GetData()->nDataLength >= Capacity())
        return;
    CString s(m_pchData, GetLength());
    *this = std::move(s);
}

LPTSTR CString::LockBuffer() { return GetBuffer(0); }

void CString::UnlockBuffer() {}
