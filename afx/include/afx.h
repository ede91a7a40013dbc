// Core classes of the framework layer: objects with run-time class information, strings,
// points, sizes, rectangles and files.
//
// Text is narrow throughout: a CString holds bytes in the process's current ANSI code page, and
// ordering follows the multibyte comparison of the C runtime (byte order, case-sensitive), not
// the user's locale.
#pragma once

#include "afxdefs.h"
#ifndef _WINDOWS_
#include <windows.h>
#endif
#include <stdarg.h>
#include <string.h>

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif

class CObject;
class CString;
class CWnd;
class CWinApp;

// An opaque iteration cursor of lists and maps.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)(LONG_PTR)-1)

/////////////////////////////////////////////////////////////////////////////
// Run-time class information

// One record per class that declares itself dynamic. Records are plain aggregates so that they
// can be initialised statically in whatever module defines the class; each one also enters a
// process-wide list kept by the framework so that classes can be found by name.
struct AFX_API CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (PASCAL* m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;  // process-wide list of registered classes

    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of this name, or null.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);
};

// Enters a class record in the process-wide list; runs during the defining module's static
// initialisation.
struct AFX_API AFX_CLASSINIT
{
    AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    static CRuntimeClass* PASCAL GetThisClass(); \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* PASCAL CreateObject();

#define _IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, (int)sizeof(class class_name), wSchema, pfnNew, \
        RUNTIME_CLASS(base_class_name), NULL }; \
    static AFX_CLASSINIT _init_##class_name(&class_name::class##class_name); \
    CRuntimeClass* PASCAL class_name::GetThisClass() { return RUNTIME_CLASS(class_name); } \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    _IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    _IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

/////////////////////////////////////////////////////////////////////////////
// CObject

class AFX_API CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    virtual void AssertValid() const {}

    static CRuntimeClass classCObject;
    static CRuntimeClass* PASCAL GetThisClass();

protected:
    CObject() {}

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

// Checked downcast: the object when it is of the class (or derived), else null.
#define DYNAMIC_DOWNCAST(class_name, object) \
    ((class_name*)((object) != NULL && (object)->IsKindOf(RUNTIME_CLASS(class_name)) ? (object) : NULL))
#define STATIC_DOWNCAST(class_name, object) ((class_name*)(object))

/////////////////////////////////////////////////////////////////////////////
// CString

// The bookkeeping that sits in front of a string's characters on the heap.
struct CStringData
{
    int nDataLength;   // characters in use, not counting the terminating zero
    int nAllocLength;  // room for characters, not counting the terminating zero; negative for a
                       // block in storage the string does not own (see CString::AssignExternal)
    LPTSTR data() { return (LPTSTR)(this + 1); }
};

// The characters of every empty string: one shared block, never written and never freed.
extern AFX_CORE_DATA const LPTSTR afxPchNil;

class AFX_API CString
{
public:
    // construction
    CString() : m_pchData(afxPchNil) {}
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    CString(TCHAR ch, int nRepeat = 1);
    CString(LPCSTR lpsz);                  // a MAKEINTRESOURCE value loads that string resource
    CString(LPCSTR lpch, int nLength);
    CString(const unsigned char* psz);
    ~CString()
    {
        if (m_pchData != afxPchNil && GetData()->nAllocLength >= 0)
            FreeData();
    }

    // Text kept in storage that the caller owns, so that a container of many strings can place
    // them in a few large blocks instead of a heap block each. pBlock holds at least
    // ExternalBlockSize(nLength) bytes, is aligned for an int and outlives the string. The
    // string never frees the block: edits that shorten the text stay in it, while anything that
    // needs more room, and a move into another string, copy the text to a heap block of its own.
    static size_t PASCAL ExternalBlockSize(int nLength)
    {
        return nLength <= 0 ? 0 : sizeof(CStringData) + (size_t)nLength + 1;
    }
    // Inline, so that a container filling many strings makes no call for each.
    void AssignExternal(void* pBlock, LPCSTR lpch, int nLength)
    {
        if (pBlock == NULL || lpch == NULL || nLength <= 0) {
            AssignCopy(lpch != NULL ? nLength : 0, lpch);
            return;
        }
        // copy before letting go of the old block: the text may come from it
        CStringData* pData = (CStringData*)pBlock;
        pData->nDataLength = nLength;
        pData->nAllocLength = -1;
        if (nLength <= 16)
            CopyShort(pData->data(), lpch, nLength);
        else
            memcpy(pData->data(), lpch, (size_t)nLength);
        pData->data()[nLength] = '\0';
        if (m_pchData != afxPchNil)
            FreeData();
        m_pchData = pData->data();
    }

    // attributes
    int GetLength() const { return GetData()->nDataLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();
    TCHAR GetAt(int nIndex) const { return m_pchData[nIndex]; }
    void SetAt(int nIndex, TCHAR ch);
    operator LPCTSTR() const { return m_pchData; }
    // A template, so that any integer index beats the built-in subscript through LPCTSTR.
    template <class I> TCHAR operator[](I nIndex) const { return m_pchData[(int)nIndex]; }

    // assignment and concatenation
    CString& operator=(const CString& stringSrc);
    CString& operator=(CString&& stringSrc) noexcept;
    CString& operator=(TCHAR ch);
    CString& operator=(LPCSTR lpsz);
    CString& operator=(const unsigned char* psz);
    CString& operator+=(const CString& string);
    CString& operator+=(TCHAR ch);
    CString& operator+=(LPCTSTR lpsz);

    friend AFX_API CString AFXAPI operator+(const CString& string1, const CString& string2);
    friend AFX_API CString AFXAPI operator+(const CString& string, TCHAR ch);
    friend AFX_API CString AFXAPI operator+(TCHAR ch, const CString& string);
    friend AFX_API CString AFXAPI operator+(const CString& string, LPCTSTR lpsz);
    friend AFX_API CString AFXAPI operator+(LPCTSTR lpsz, const CString& string);

    // comparison (byte order of the multibyte C runtime)
    int Compare(LPCTSTR lpsz) const;
    int CompareNoCase(LPCTSTR lpsz) const;
    int Collate(LPCTSTR lpsz) const;
    int CollateNoCase(LPCTSTR lpsz) const;

    // extraction
    CString Mid(int nFirst, int nCount) const;
    CString Mid(int nFirst) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCTSTR lpszCharSet) const;
    CString SpanExcluding(LPCTSTR lpszCharSet) const;

    // case, order and trimming
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& TrimRight();
    CString& TrimRight(TCHAR chTarget);
    CString& TrimRight(LPCTSTR lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(TCHAR chTarget);
    CString& TrimLeft(LPCTSTR lpszTargets);
    CString& Trim();
    CString& Trim(TCHAR chTarget);
    CString& Trim(LPCTSTR lpszTargets);

    // editing; each returns a count or the new length
    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
    int Remove(TCHAR chRemove);
    int Insert(int nIndex, TCHAR ch);
    int Insert(int nIndex, LPCTSTR pstr);
    int Delete(int nIndex, int nCount = 1);

    // searching; -1 when not found
    int Find(TCHAR ch) const;
    int Find(TCHAR ch, int nStart) const;
    int Find(LPCTSTR lpszSub) const;
    int Find(LPCTSTR lpszSub, int nStart) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR lpszCharSet) const;

    // formatting, any length
    void Format(LPCTSTR lpszFormat, ...);
    void Format(UINT nFormatID, ...);
    void FormatV(LPCTSTR lpszFormat, va_list argList);
    void AppendFormat(LPCTSTR lpszFormat, ...);

    // string resources, looked up in the resource module and then the extension modules
    BOOL LoadString(UINT nID);

    // raw buffer access
    LPTSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();
    LPTSTR LockBuffer();
    void UnlockBuffer();

protected:
    LPTSTR m_pchData;  // the characters; a CStringData header precedes them

    CStringData* GetData() const { return ((CStringData*)m_pchData) - 1; }
    void Init();
    void AllocBuffer(int nLen);
    void Release();
    void AllocBeforeWrite(int nLen);
    void AssignCopy(int nSrcLen, LPCTSTR lpszSrcData);
    void ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData);
    void EnsureCapacity(int nLen);
    int Capacity() const;
    void FreeData();
    // 1 to 16 characters in a few moves instead of a call into the runtime: the usual length of
    // the texts of a large collection
    static void CopyShort(LPTSTR pDest, LPCTSTR pSrc, int nLength)
    {
        if (nLength >= 8) {
            unsigned long long nHead, nTail;
            memcpy(&nHead, pSrc, 8);
            memcpy(&nTail, pSrc + nLength - 8, 8);
            memcpy(pDest, &nHead, 8);
            memcpy(pDest + nLength - 8, &nTail, 8);
        } else if (nLength >= 4) {
            unsigned int nHead, nTail;
            memcpy(&nHead, pSrc, 4);
            memcpy(&nTail, pSrc + nLength - 4, 4);
            memcpy(pDest, &nHead, 4);
            memcpy(pDest + nLength - 4, &nTail, 4);
        } else {
            const TCHAR chFirst = pSrc[0], chMiddle = pSrc[nLength / 2], chLast = pSrc[nLength - 1];
            pDest[0] = chFirst;
            pDest[nLength / 2] = chMiddle;
            pDest[nLength - 1] = chLast;
        }
    }
};

AFX_API bool AFXAPI operator==(const CString& s1, const CString& s2);
AFX_API bool AFXAPI operator==(const CString& s1, LPCTSTR s2);
AFX_API bool AFXAPI operator==(LPCTSTR s1, const CString& s2);
AFX_API bool AFXAPI operator!=(const CString& s1, const CString& s2);
AFX_API bool AFXAPI operator!=(const CString& s1, LPCTSTR s2);
AFX_API bool AFXAPI operator!=(LPCTSTR s1, const CString& s2);
AFX_API bool AFXAPI operator<(const CString& s1, const CString& s2);
AFX_API bool AFXAPI operator<(const CString& s1, LPCTSTR s2);
AFX_API bool AFXAPI operator<(LPCTSTR s1, const CString& s2);
AFX_API bool AFXAPI operator>(const CString& s1, const CString& s2);
AFX_API bool AFXAPI operator>(const CString& s1, LPCTSTR s2);
AFX_API bool AFXAPI operator>(LPCTSTR s1, const CString& s2);
AFX_API bool AFXAPI operator<=(const CString& s1, const CString& s2);
AFX_API bool AFXAPI operator<=(const CString& s1, LPCTSTR s2);
AFX_API bool AFXAPI operator<=(LPCTSTR s1, const CString& s2);
AFX_API bool AFXAPI operator>=(const CString& s1, const CString& s2);
AFX_API bool AFXAPI operator>=(const CString& s1, LPCTSTR s2);
AFX_API bool AFXAPI operator>=(LPCTSTR s1, const CString& s2);

/////////////////////////////////////////////////////////////////////////////
// CSize, CPoint, CRect

class CPoint;
class CRect;

class AFX_API CSize : public tagSIZE
{
public:
    CSize() { cx = cy = 0; }
    CSize(int initCX, int initCY) { cx = initCX; cy = initCY; }
    CSize(SIZE initSize) { cx = initSize.cx; cy = initSize.cy; }
    CSize(POINT initPt) { cx = initPt.x; cy = initPt.y; }
    CSize(DWORD dwSize) { cx = (short)LOWORD(dwSize); cy = (short)HIWORD(dwSize); }

    BOOL operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    BOOL operator!=(SIZE size) const { return cx != size.cx || cy != size.cy; }
    void operator+=(SIZE size) { cx += size.cx; cy += size.cy; }
    void operator-=(SIZE size) { cx -= size.cx; cy -= size.cy; }
    void SetSize(int CX, int CY) { cx = CX; cy = CY; }

    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    inline CPoint operator+(POINT point) const;
    inline CPoint operator-(POINT point) const;
    inline CRect operator+(const RECT* lpRect) const;
    inline CRect operator-(const RECT* lpRect) const;
};

class AFX_API CPoint : public tagPOINT
{
public:
    CPoint() { x = y = 0; }
    CPoint(int initX, int initY) { x = initX; y = initY; }
    CPoint(POINT initPt) { x = initPt.x; y = initPt.y; }
    CPoint(SIZE initSize) { x = initSize.cx; y = initSize.cy; }
    CPoint(DWORD dwPoint) { x = (short)LOWORD(dwPoint); y = (short)HIWORD(dwPoint); }

    void Offset(int xOffset, int yOffset) { x += xOffset; y += yOffset; }
    void Offset(POINT point) { x += point.x; y += point.y; }
    void Offset(SIZE size) { x += size.cx; y += size.cy; }
    void SetPoint(int X, int Y) { x = X; y = Y; }

    BOOL operator==(POINT point) const { return x == point.x && y == point.y; }
    BOOL operator!=(POINT point) const { return x != point.x || y != point.y; }
    void operator+=(SIZE size) { x += size.cx; y += size.cy; }
    void operator-=(SIZE size) { x -= size.cx; y -= size.cy; }
    void operator+=(POINT point) { x += point.x; y += point.y; }
    void operator-=(POINT point) { x -= point.x; y -= point.y; }

    CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
    CSize operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
    inline CRect operator+(const RECT* lpRect) const;
    inline CRect operator-(const RECT* lpRect) const;
};

class AFX_API CRect : public tagRECT
{
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& srcRect) { ::CopyRect(this, &srcRect); }
    CRect(LPCRECT lpSrcRect) { ::CopyRect(this, lpSrcRect); }
    CRect(POINT point, SIZE size) { right = (left = point.x) + size.cx; bottom = (top = point.y) + size.cy; }
    CRect(POINT topLeft, POINT bottomRight) { left = topLeft.x; top = topLeft.y; right = bottomRight.x; bottom = bottomRight.y; }

    // attributes
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(right - left, bottom - top); }
    CPoint& TopLeft() { return *((CPoint*)this); }
    CPoint& BottomRight() { return *((CPoint*)this + 1); }
    const CPoint& TopLeft() const { return *((const CPoint*)this); }
    const CPoint& BottomRight() const { return *((const CPoint*)this + 1); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    void SwapLeftRight() { LONG t = left; left = right; right = t; }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }

    // operations
    void SetRect(int x1, int y1, int x2, int y2) { ::SetRect(this, x1, y1, x2, y2); }
    void SetRect(POINT topLeft, POINT bottomRight) { ::SetRect(this, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() { ::SetRectEmpty(this); }
    void CopyRect(LPCRECT lpSrcRect) { ::CopyRect(this, lpSrcRect); }
    BOOL EqualRect(LPCRECT lpRect) const { return ::EqualRect(this, lpRect); }

    void InflateRect(int x, int y) { ::InflateRect(this, x, y); }
    void InflateRect(SIZE size) { ::InflateRect(this, size.cx, size.cy); }
    void InflateRect(LPCRECT lpRect) { left -= lpRect->left; top -= lpRect->top; right += lpRect->right; bottom += lpRect->bottom; }
    void InflateRect(int l, int t, int r, int b) { left -= l; top -= t; right += r; bottom += b; }
    void DeflateRect(int x, int y) { ::InflateRect(this, -x, -y); }
    void DeflateRect(SIZE size) { ::InflateRect(this, -size.cx, -size.cy); }
    void DeflateRect(LPCRECT lpRect) { left += lpRect->left; top += lpRect->top; right -= lpRect->right; bottom -= lpRect->bottom; }
    void DeflateRect(int l, int t, int r, int b) { left += l; top += t; right -= r; bottom -= b; }

    void OffsetRect(int x, int y) { ::OffsetRect(this, x, y); }
    void OffsetRect(POINT point) { ::OffsetRect(this, point.x, point.y); }
    void OffsetRect(SIZE size) { ::OffsetRect(this, size.cx, size.cy); }
    void MoveToX(int x) { right = Width() + x; left = x; }
    void MoveToY(int y) { bottom = Height() + y; top = y; }
    void MoveToXY(int x, int y) { MoveToX(x); MoveToY(y); }
    void MoveToXY(POINT point) { MoveToX(point.x); MoveToY(point.y); }
    void NormalizeRect()
    {
        if (left > right) { LONG t = left; left = right; right = t; }
        if (top > bottom) { LONG t = top; top = bottom; bottom = t; }
    }

    BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) { return ::IntersectRect(this, lpRect1, lpRect2); }
    BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) { return ::UnionRect(this, lpRect1, lpRect2); }
    BOOL SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2) { return ::SubtractRect(this, lpRectSrc1, lpRectSrc2); }

    // operators
    void operator=(const RECT& srcRect) { ::CopyRect(this, &srcRect); }
    BOOL operator==(const RECT& rect) const { return ::EqualRect(this, &rect); }
    BOOL operator!=(const RECT& rect) const { return !::EqualRect(this, &rect); }
    void operator+=(POINT point) { ::OffsetRect(this, point.x, point.y); }
    void operator+=(SIZE size) { ::OffsetRect(this, size.cx, size.cy); }
    void operator+=(LPCRECT lpRect) { InflateRect(lpRect); }
    void operator-=(POINT point) { ::OffsetRect(this, -point.x, -point.y); }
    void operator-=(SIZE size) { ::OffsetRect(this, -size.cx, -size.cy); }
    void operator-=(LPCRECT lpRect) { DeflateRect(lpRect); }
    void operator&=(const RECT& rect) { ::IntersectRect(this, this, &rect); }
    void operator|=(const RECT& rect) { ::UnionRect(this, this, &rect); }

    CRect operator+(POINT pt) const { CRect rect(*this); ::OffsetRect(&rect, pt.x, pt.y); return rect; }
    CRect operator-(POINT pt) const { CRect rect(*this); ::OffsetRect(&rect, -pt.x, -pt.y); return rect; }
    CRect operator+(SIZE size) const { CRect rect(*this); ::OffsetRect(&rect, size.cx, size.cy); return rect; }
    CRect operator-(SIZE size) const { CRect rect(*this); ::OffsetRect(&rect, -size.cx, -size.cy); return rect; }
    CRect operator+(LPCRECT lpRect) const { CRect rect(this); rect.InflateRect(lpRect); return rect; }
    CRect operator-(LPCRECT lpRect) const { CRect rect(this); rect.DeflateRect(lpRect); return rect; }
    CRect operator&(const RECT& rect2) const { CRect rect; ::IntersectRect(&rect, this, &rect2); return rect; }
    CRect operator|(const RECT& rect2) const { CRect rect; ::UnionRect(&rect, this, &rect2); return rect; }
};

inline CPoint CSize::operator+(POINT point) const { return CPoint(cx + point.x, cy + point.y); }
inline CPoint CSize::operator-(POINT point) const { return CPoint(cx - point.x, cy - point.y); }
inline CRect CSize::operator+(const RECT* lpRect) const { return CRect(lpRect) + *this; }
inline CRect CSize::operator-(const RECT* lpRect) const { return CRect(lpRect) - *this; }
inline CRect CPoint::operator+(const RECT* lpRect) const { return CRect(lpRect) + *this; }
inline CRect CPoint::operator-(const RECT* lpRect) const { return CRect(lpRect) - *this; }

/////////////////////////////////////////////////////////////////////////////
// CFile

// Describes why a file operation failed. Nothing is thrown: Open fills one in when the caller
// passes it.
class AFX_API CFileException : public CObject
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none, generic, fileNotFound, badPath, tooManyOpenFiles, accessDenied, invalidFile,
        removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation, lockViolation,
        diskFull, endOfFile
    };
    CFileException(int cause = none, LONG lOsError = -1) : m_cause(cause), m_lOsError(lOsError) {}
    static int PASCAL OsErrorToException(LONG lOsError);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

// A file through a Win32 handle. Operations never throw: Open returns FALSE, Read returns the
// bytes read, and a failed Write, Seek, SetLength or Flush is remembered (HasWriteError,
// GetLastError) so that a caller can check once after a sequence of writes.
class AFX_API CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    CFile(HANDLE hFile);
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);  // check m_hFile for success
    virtual ~CFile();

    // attributes
    CString GetFileName() const;
    CString GetFileTitle() const;
    CString GetFilePath() const { return m_strFileName; }
    void SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }
    ULONGLONG GetPosition() const;
    ULONGLONG GetLength() const;
    operator HANDLE() const { return m_hFile; }

    // The Win32 error code of the last failed operation, 0 when none failed since the open.
    DWORD GetLastError() const { return m_dwLastError; }
    // Whether a write (or seek, flush, set-length) failed since the open.
    BOOL HasWriteError() const { return m_bWriteError; }
    void ClearError() { m_dwLastError = 0; m_bWriteError = FALSE; }

    // operations
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);  // new position, or (ULONGLONG)-1
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual void Flush();
    virtual void Close();
    virtual void Abort();

    static BOOL PASCAL Remove(LPCTSTR lpszFileName);
    static BOOL PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);

    HANDLE m_hFile;
    BOOL m_bCloseOnDelete;
    CString m_strFileName;

protected:
    DWORD m_dwLastError;
    BOOL m_bWriteError;
    void SetError(BOOL bWrite);
};

/////////////////////////////////////////////////////////////////////////////
// Global services of the core

// The application object, or null before one is constructed.
AFX_API CWinApp* AFXAPI AfxGetApp();
AFX_API LPCTSTR AFXAPI AfxGetAppName();
AFX_API HINSTANCE AFXAPI AfxGetInstanceHandle();
AFX_API HINSTANCE AFXAPI AfxGetResourceHandle();
AFX_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The module holding the named resource: the resource module first, then the extension
// modules in their chain; the resource module when none has it.
AFX_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
AFX_API HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID);
// Loads a string resource into a buffer; the number of characters copied, 0 when not found.
AFX_API int AFXAPI AfxLoadString(UINT nID, LPTSTR lpszBuf, UINT nMaxBuf);

AFX_API int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
AFX_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// The window half of the framework supplies the handle of a CWnd, so that message boxes can
// be owned by the application's main window.
typedef HWND (AFXAPI* AFX_PFN_GETSAFEHWND)(const CWnd* pWnd);
AFX_API void AFXAPI AfxSetGetSafeHwndProc(AFX_PFN_GETSAFEHWND pfn);
AFX_API HWND AFXAPI AfxGetSafeHwndOf(const CWnd* pWnd);

