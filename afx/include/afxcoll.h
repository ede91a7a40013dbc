// The untyped collections: arrays, lists and maps of numbers, pointers, objects and strings,
// each a thin instantiation of the templates.
#pragma once

#include "afxtempl.h"

class CByteArray : public CArray<BYTE, BYTE> {};
class CWordArray : public CArray<WORD, WORD> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CPtrArray : public CArray<void*, void*> {};
class CObArray : public CArray<CObject*, CObject*> {};
class CStringArray : public CArray<CString, const CString&>
{
public:
    int Add(LPCTSTR newElement) { return CArray<CString, const CString&>::Add(CString(newElement)); }
    int Add(const CString& newElement) { return CArray<CString, const CString&>::Add(newElement); }
};

class CPtrList : public CList<void*, void*>
{
public:
    explicit CPtrList(int nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
};
class CObList : public CList<CObject*, CObject*>
{
public:
    explicit CObList(int nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}
};
class CStringList : public CList<CString, const CString&>
{
public:
    explicit CStringList(int nBlockSize = 10) : CList<CString, const CString&>(nBlockSize) {}
    POSITION AddHead(LPCTSTR newElement) { return CList<CString, const CString&>::AddHead(CString(newElement)); }
    POSITION AddTail(LPCTSTR newElement) { return CList<CString, const CString&>::AddTail(CString(newElement)); }
    POSITION Find(LPCTSTR searchValue, POSITION startAfter = NULL) const
    {
        return CList<CString, const CString&>::Find(CString(searchValue), startAfter);
    }
};

// The maps name their key and value types for CTypedPtrMap.
#define _AFX_DECLARE_MAP(class_name, KEY, ARG_KEY, VALUE, ARG_VALUE) \
    class class_name : public CMap<KEY, ARG_KEY, VALUE, ARG_VALUE> \
    { \
    public: \
        typedef KEY BASE_KEY; \
        typedef ARG_KEY BASE_ARG_KEY; \
        typedef VALUE BASE_VALUE; \
        typedef ARG_VALUE BASE_ARG_VALUE; \
        explicit class_name(int nBlockSize = 10) : CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>(nBlockSize) {} \
    };

_AFX_DECLARE_MAP(CMapPtrToPtr, void*, void*, void*, void*)
_AFX_DECLARE_MAP(CMapPtrToWord, void*, void*, WORD, WORD)
_AFX_DECLARE_MAP(CMapWordToPtr, WORD, WORD, void*, void*)
_AFX_DECLARE_MAP(CMapWordToOb, WORD, WORD, CObject*, CObject*)
_AFX_DECLARE_MAP(CMapStringToPtr, CString, LPCTSTR, void*, void*)
_AFX_DECLARE_MAP(CMapStringToOb, CString, LPCTSTR, CObject*, CObject*)
_AFX_DECLARE_MAP(CMapStringToString, CString, LPCTSTR, CString, LPCTSTR)

#undef _AFX_DECLARE_MAP
