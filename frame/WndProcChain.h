// The window procedure chain: several of the library's decorations subclass one foreign window,
// each under a fixed client id, and may leave it in any order. When the last client leaves, the
// window gets its own first procedure back and the chain forgets it.
//
// The chain is private to the library.
#pragma once

#include <windows.h>

// Client ids. Id 0 names the window's own first procedure and is entered by the chain itself.
enum
{
    WNDPROC_CLIENT_OWN = 0,
    WNDPROC_CLIENT_SHADOW = 1,
    WNDPROC_CLIENT_SKIN = 2,
};

// Puts procedure on top of the window's chain under client id. 1 on success or when the client
// is already on the window (its procedure is then left as it was); 0 when the window is not a
// window, its procedure cannot be read or cannot be replaced.
BOOL InstallWndProc(HWND hWnd, UINT nClientId, WNDPROC pfnProc);
// Takes the client off the window; the window's procedure becomes the top of what remains.
// 1 if removed; 0 when the window has no chain or the client is not in it.
BOOL RemoveWndProc(HWND hWnd, UINT nClientId);
BOOL IsWndProcInstalled(HWND hWnd, UINT nClientId);
// Calls the procedure that stood before the client. A client that is no longer in the chain
// (it removed itself while handling this message) reaches the top of what remains, and a
// window with no chain left gets DefWindowProc.
LRESULT CallPrevWndProc(UINT nClientId, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Calls the procedure the client itself installed; 0 without calling anything when the client
// is not on the window.
LRESULT CallOwnWndProc(UINT nClientId, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Introspection for the library's tests.
// Number of windows the registry holds.
int WndProcChainWindowCount();
// Bucket count of the registry's table, 0 while the table is not allocated.
UINT WndProcChainTableSize();
// Entries of a window's chain (its own first procedure included), 0 when it has none.
int WndProcChainLength(HWND hWnd);
// Procedure at an index of a window's chain; null outside the chain.
WNDPROC WndProcChainProcAt(HWND hWnd, int nIndex);
// Client id at an index of a window's chain; (UINT)-1 outside the chain.
UINT WndProcChainClientAt(HWND hWnd, int nIndex);
