// Common definitions of the framework layer: export macros, debugging helpers, handler markers.
#pragma once

#ifndef _WINDOWS_
#include <windows.h>
#endif
#include <tchar.h>
#include <stddef.h>

// Classes and functions of LumoAfx.dll.
#ifdef _AFX_BUILD
#define AFX_API __declspec(dllexport)
#else
#define AFX_API __declspec(dllimport)
#endif
#define AFX_CORE_DATA AFX_API

// Classes of an extension module (a DLL that extends the framework): exported
// while the module itself is built (it defines _AFXEXT), imported by everyone else.
#ifndef AFX_EXT_CLASS
#ifdef _AFXEXT
#define AFX_EXT_CLASS __declspec(dllexport)
#else
#define AFX_EXT_CLASS __declspec(dllimport)
#endif
#endif
#define AFX_EXT_API AFX_EXT_CLASS
#define AFX_EXT_DATA AFX_EXT_CLASS

// windows.h maps some function names to their ANSI forms by macro, which would rename members
// of the same name (CGdiObject::GetObject, ...) to GetObjectA in one program and not in another
// that left the macro out (WIN32_LEAN_AND_MEAN, NOGDI). The framework and its extension modules
// see plain names; the plain functions forward to the ANSI ones.
#ifdef GetObject
#undef GetObject
inline int GetObject(HANDLE h, int c, LPVOID pv) { return ::GetObjectA(h, c, pv); }
#endif
#ifdef ChangeMenu
#undef ChangeMenu
inline BOOL ChangeMenu(HMENU hMenu, UINT cmd, LPCSTR lpszNewItem, UINT cmdInsert, UINT flags)
{
    return ::ChangeMenuA(hMenu, cmd, lpszNewItem, cmdInsert, flags);
}
#endif
#ifdef ReplaceText
#undef ReplaceText
inline HWND ReplaceText(LPFINDREPLACEA lpfr) { return ::ReplaceTextA(lpfr); }
#endif

#define afx_msg

#ifndef ASSERT
#define ASSERT(f) ((void)0)
#endif
#ifndef VERIFY
#define VERIFY(f) ((void)(f))
#endif
#ifndef ASSERT_VALID
#define ASSERT_VALID(p) ((void)0)
#endif
#ifndef TRACE
#define TRACE(...) ((void)0)
#endif
#ifndef UNUSED_ALWAYS
#define UNUSED_ALWAYS(x) ((void)(x))
#endif
