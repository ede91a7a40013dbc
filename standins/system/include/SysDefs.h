// Common definitions of the system library stand-in.
#pragma once

#include <afxwin.h>

#ifdef LUMOSYS_BUILD
#define LUMOSYS_API __declspec(dllexport)
#else
#define LUMOSYS_API __declspec(dllimport)
#endif
