// Listening to a window the library does not own: the window's procedure is replaced by one
// shared procedure that hands chosen messages to every subscriber and then lets the window's
// own procedure handle them as before. Subscribers never swallow a message.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>
#include "CObj.h"

// A subscriber that gave no procedure is sent WM_NOTIFY with this wParam and lParam pointing
// to a HOOKPARENT_NMHDR. Both numbers are 32-bit values (-3707 and -176 as ints).
#define HOOKPARENT_NOTIFY_WPARAM ((WPARAM)0xFFFFF185u)
#define HOOKPARENT_NOTIFY_ID ((UINT_PTR)0xFFFFFF50u)

// The forwarded message: the hooked window in hdr.hwndFrom, HOOKPARENT_NOTIFY_ID in
// hdr.idFrom, code 0, then the message as it arrived.
struct HOOKPARENT_NMHDR
{
    NMHDR hdr;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The hook of one window: its origin procedure, its subscribers and the messages they hear.
class CHookParent
{
public:
    struct Subscriber
    {
        CObj* pObject;
        WNDPROC pfnProc;
    };

    CHookParent(HWND hWnd, WNDPROC pfnOrigin);
    // Puts the origin procedure back when the window still exists.
    virtual ~CHookParent();

    // 1 when appended; 0 when the object already subscribed (its procedure is kept).
    int AddSubscriber(CObj* pObject, WNDPROC pfnProc);
    // Removes the object's first record; FALSE when it had none.
    BOOL RemoveSubscriber(CObj* pObject);
    BOOL IsSubscribed(UINT message) const;
    void Subscribe(UINT message);
    // Forgets the window without touching its procedure (it is gone).
    void Abandon() { m_hWnd = NULL; }

    HWND m_hWnd;
    WNDPROC m_pfnOrigin;
    CArray<Subscriber*, Subscriber*> m_arrSubscribers;
    CUIntArray m_arrMessages;

private:
    CHookParent(const CHookParent&);
    CHookParent& operator=(const CHookParent&);
};

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
    static int HookParent(HWND hWnd, CObj* pObject, WNDPROC pfnProc);
    // Ends the object's subscription; the window is unhooked with its last subscriber.
    static void UnhookParent(HWND hWnd, CObj* pObject);
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

// Reads CHookParentMessage's class-wide state; used by the library's tests only.
struct AFX_EXT_CLASS HookParentProbe
{
    // Number of hooked windows.
    static int HookedCount();
    // Subscribers and listed messages of a hooked window; -1 when it is not hooked.
    static int SubscriberCount(HWND hWnd);
    static int MessageCount(HWND hWnd);
    // The procedure the window had when it was hooked; null when it is not hooked.
    static WNDPROC OriginProc(HWND hWnd);
};
