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

// Classes of an extension module such as Lumo.dll: exported when the module builds itself.
#ifndef AFX_EXT_CLASS
#ifdef LUMO_BUILD
#define AFX_EXT_CLASS __declspec(dllexport)
#else
#define AFX_EXT_CLASS __declspec(dllimport)
#endif
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
