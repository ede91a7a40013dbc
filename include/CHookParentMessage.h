// Listening to a window the library does not own: the window's procedure is replaced by one
// shared procedure that hands chosen messages to every subscriber and then lets the window's
// own procedure handle them as before. Subscribers never swallow a message.
//
// A hooked window keeps its hook until its last subscriber leaves or the window is destroyed;
// the window's own procedure is then put back. Subscribers are framework objects (CObject).
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

// A subscriber that gave no procedure is sent WM_NOTIFY with this wParam and lParam pointing
// to a HOOKPARENT_NMHDR. Both are negative numbers, sign-extended to the full width of a pointer,
// so that a host comparing with (WPARAM)-3707 or (UINT_PTR)-176 matches on 64-bit Windows too.
#define HOOKPARENT_NOTIFY_WPARAM ((WPARAM)(INT_PTR)-3707)
#define HOOKPARENT_NOTIFY_ID ((UINT_PTR)(INT_PTR)-176)

// The forwarded message: the hooked window in hdr.hwndFrom, HOOKPARENT_NOTIFY_ID in
// hdr.idFrom, code 0, then the message as it arrived.
struct HOOKPARENT_NMHDR
{
    NMHDR hdr;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class CHookParent;
struct HookParentProbe;

class AFX_EXT_CLASS CHookParentMessage
{
public:
    CHookParentMessage() {}
    CHookParentMessage(const CHookParentMessage&) {}
    CHookParentMessage& operator=(const CHookParentMessage&) { return *this; }
    // Unhooks every window: the class-wide state is shared by all instances.
    virtual ~CHookParentMessage();

    // Subscribes an object to a window. The first subscriber of a window hooks it and gets
    // the previous window procedure (non-zero on success); later ones get 1, or 0 when the
    // object already subscribed to this window. With a null procedure the object must be a
    // framework window: it is sent WM_NOTIFY (HOOKPARENT_NOTIFY_WPARAM, HOOKPARENT_NMHDR*).
    // pfnAfter, when given, hears the same messages once more after the window's own procedure
    // has returned from them.
    static int HookParent(HWND hWnd, CObject* pObject, WNDPROC pfnProc, WNDPROC pfnAfter = NULL);
    // Ends the object's subscription; the window is unhooked with its last subscriber.
    static void UnhookParent(HWND hWnd, CObject* pObject);
    // Adds a message to what a hooked window's subscribers hear; nothing if not hooked.
    static void SubscribeMessage(HWND hWnd, UINT message);
    // The hooked window's own procedure, bypassing the hook; 0 if the window is not hooked.
    static LRESULT CallParentOriginProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK MyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static int Search(HWND hWnd);
    static CHookParent* SearchHook(HWND hWnd);
    static void RemoveAt(int nIndex);
    static int GetSize();
    static CHookParent* GetAt(int nIndex);

    static CArray<CHookParent*, CHookParent*> m_arrHook;

    // The library's tests read the class-wide state through this.
    friend struct HookParentProbe;
};
