// Messages from a library window to a window of the host.
//
// A host may destroy the control, and so delete its object, from inside any message the control
// sends it. Every message a control sends to a host goes through one of these helpers, which
// report whether the control survived the call; a caller that is told FALSE returns at once
// without touching a member, since the object may be gone.
#pragma once

#include <afxwin.h>

namespace HostNotify {

// Sends msg to hTo on behalf of pFrom. TRUE when pFrom's window still exists afterwards and still
// belongs to pFrom; FALSE when it was destroyed during the call. A null hTo sends nothing and
// answers TRUE. The receiver's answer goes to *pResult when pResult is given.
BOOL Send(CWnd* pFrom, HWND hTo, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* pResult = NULL);

// Sends WM_NOTIFY, wParam 0, with an NMHDR (hwndFrom = pFrom's window, idFrom = its control id,
// code) to hTo, or to pFrom's parent when hTo is null. Same answer as Send.
BOOL SendNotify(CWnd* pFrom, UINT code, HWND hTo = NULL, LRESULT* pResult = NULL);

// Posts msg to hTo. Posting cannot destroy the sender; the answer is PostMessage's.
BOOL Post(HWND hTo, UINT msg, WPARAM wParam, LPARAM lParam);

// TRUE while pFrom's window exists and belongs to pFrom.
BOOL Alive(CWnd* pFrom, HWND hSelf);

// For a control object that is not a framework window (a behaviour attached to a window of the
// host): pfnAlive tells whether pObject still lives on hSelf after the call. Same answer as Send.
typedef BOOL (*PFN_ALIVE)(HWND hSelf, const void* pObject);
BOOL Send(HWND hSelf, const void* pObject, PFN_ALIVE pfnAlive, HWND hTo, UINT msg, WPARAM wParam,
          LPARAM lParam, LRESULT* pResult = NULL);

}  // namespace HostNotify
