// The library's objects belong to the user-interface thread that made them, and the module-wide
// registries that find them have no locks: a look-up from another thread finds nothing.
#pragma once

#include <windows.h>

// TRUE when hWnd is a window of the calling thread.
inline BOOL IsWindowOfThisThread(HWND hWnd)
{
    return hWnd && ::GetWindowThreadProcessId(hWnd, NULL) == ::GetCurrentThreadId();
}
