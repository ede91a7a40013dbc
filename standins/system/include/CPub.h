// String, file and simple drawing helpers of the system library stand-in.
#pragma once

#include "SysDefs.h"

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
    // A solid 1-pixel line in a colour, from (x1, y1) up to but not including (x2, y2).
    static void DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF crColor);
    static void DrawLine(CDC* pDC, POINT from, POINT to, COLORREF crColor);
    // A 1-pixel rectangle outline in a colour, as the platform's Rectangle draws it (the right
    // and bottom edges lie one pixel inside); the interior is left untouched.
    static void DrawRect(CDC* pDC, const RECT& rect, COLORREF crColor);
    static void DrawRect(CDC* pDC, int left, int top, int right, int bottom, COLORREF crColor);
};
