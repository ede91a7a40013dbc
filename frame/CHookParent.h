// The parent message hook's record of one hooked window, and the test probe of the hook's
// class-wide state. Internal to the library.
#pragma once

#include "CHookParentMessage.h"
#include "CObj.h"

// The hook of one window: its origin procedure, its subscribers and the messages they hear.
class CHookParent
{
public:
    struct Subscriber
    {
        CObj* pObject;
        WNDPROC pfnProc;
        WNDPROC pfnAfter;  // after the window's own procedure, or null
    };

    CHookParent(HWND hWnd, WNDPROC pfnOrigin);
    // Puts the origin procedure back when the window still exists.
    virtual ~CHookParent();

    // 1 when appended; 0 when the object already subscribed (its procedure is kept).
    int AddSubscriber(CObj* pObject, WNDPROC pfnProc, WNDPROC pfnAfter = NULL);
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

// Reads CHookParentMessage's class-wide state; used by the library's tests only.
struct HookParentProbe
{
    // Number of hooked windows.
    static int HookedCount();
    // Subscribers and listed messages of a hooked window; -1 when it is not hooked.
    static int SubscriberCount(HWND hWnd);
    static int MessageCount(HWND hWnd);
    // The procedure the window had when it was hooked; null when it is not hooked.
    static WNDPROC OriginProc(HWND hWnd);
};
