// Parent message hook: one shared window procedure for every hooked window.
#include "frame/CHookParent.h"

CArray<CHookParent*, CHookParent*> CHookParentMessage::m_arrHook;

/////////////////////////////////////////////////////////////////////////////
// CHookParent

CHookParent::CHookParent(HWND hWnd, WNDPROC pfnOrigin) : m_hWnd(hWnd), m_pfnOrigin(pfnOrigin)
{
}

CHookParent::~CHookParent()
{
    for (INT_PTR i = 0; i < m_arrSubscribers.GetSize(); i++)
        delete m_arrSubscribers[i];
    m_arrSubscribers.RemoveAll();
    m_arrMessages.RemoveAll();
    // Put back unconditionally: a procedure someone set after the hook is lost with it.
    if (m_hWnd != NULL && ::IsWindow(m_hWnd) && m_pfnOrigin != NULL)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnOrigin);
}

int CHookParent::AddSubscriber(CObj* pObject, WNDPROC pfnProc, WNDPROC pfnAfter)
{
    for (INT_PTR i = 0; i < m_arrSubscribers.GetSize(); i++)
        if (m_arrSubscribers[i]->pObject == pObject)
            return 0;
    Subscriber* pSub = new Subscriber;
    pSub->pObject = pObject;
    pSub->pfnProc = pfnProc;
    pSub->pfnAfter = pfnAfter;
    m_arrSubscribers.Add(pSub);
    return 1;
}

BOOL CHookParent::RemoveSubscriber(CObj* pObject)
{
    for (INT_PTR i = 0; i < m_arrSubscribers.GetSize(); i++)
    {
        if (m_arrSubscribers[i]->pObject == pObject)
        {
            delete m_arrSubscribers[i];
            m_arrSubscribers.RemoveAt(i);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CHookParent::IsSubscribed(UINT message) const
{
    for (INT_PTR i = 0; i < m_arrMessages.GetSize(); i++)
        if (m_arrMessages[i] == message)
            return TRUE;
    return FALSE;
}

void CHookParent::Subscribe(UINT message)
{
    if (!IsSubscribed(message))
        m_arrMessages.Add(message);
}

/////////////////////////////////////////////////////////////////////////////
// CHookParentMessage

CHookParentMessage::~CHookParentMessage()
{
    while (GetSize() > 0)
        RemoveAt(0);
}

int CHookParentMessage::HookParent(HWND hWnd, CObj* pObject, WNDPROC pfnProc, WNDPROC pfnAfter)
{
    CHookParent* pHook = SearchHook(hWnd);
    if (pHook != NULL)
        return pHook->AddSubscriber(pObject, pfnProc, pfnAfter);

    if (!::IsWindow(hWnd))
        return 0;
    WNDPROC pfnOrigin = (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    if (pfnOrigin == NULL)
        return 0;
    pHook = new CHookParent(hWnd, pfnOrigin);
    pHook->AddSubscriber(pObject, pfnProc, pfnAfter);
    m_arrHook.Add(pHook);
    LONG_PTR prev = ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)MyProc);
    if (prev == 0)
    {
        // The window refused: forget it again without touching its procedure.
        pHook->Abandon();
        RemoveAt(GetSize() - 1);
        return 0;
    }
    return 1;
}

void CHookParentMessage::UnhookParent(HWND hWnd, CObj* pObject)
{
    int nIndex = Search(hWnd);
    if (nIndex < 0)
        return;
    CHookParent* pHook = m_arrHook[nIndex];
    pHook->RemoveSubscriber(pObject);
    if (pHook->m_arrSubscribers.GetSize() == 0)
        RemoveAt(nIndex);
}

void CHookParentMessage::SubscribeMessage(HWND hWnd, UINT message)
{
    CHookParent* pHook = SearchHook(hWnd);
    if (pHook != NULL)
        pHook->Subscribe(message);
}

LRESULT CHookParentMessage::CallParentOriginProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CHookParent* pHook = SearchHook(hWnd);
    if (pHook == NULL)
        return 0;
    return ::CallWindowProcA(pHook->m_pfnOrigin, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CHookParentMessage::MyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CHookParent* pHook = SearchHook(hWnd);
    if (pHook == NULL)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    if (pHook->IsSubscribed(message))
    {
        // Subscribers may unhook themselves (or others) while they are told: the count is read
        // afresh at each step and the walk ends when the hook itself has gone.
        for (int i = 0;; i++)
        {
            pHook = SearchHook(hWnd);
            if (pHook == NULL || i >= pHook->m_arrSubscribers.GetSize())
                break;
            CHookParent::Subscriber* pSub = pHook->m_arrSubscribers[i];
            if (pSub->pfnProc != NULL)
            {
                ::CallWindowProcA(pSub->pfnProc, hWnd, message, wParam, lParam);
            }
            else
            {
                CWnd* pWnd = DYNAMIC_DOWNCAST(CWnd, pSub->pObject);
                HWND hTarget = pWnd != NULL ? pWnd->m_hWnd : NULL;
                if (hTarget != NULL && ::IsWindow(hTarget))
                {
                    HOOKPARENT_NMHDR nm;
                    nm.hdr.hwndFrom = hWnd;
                    nm.hdr.idFrom = HOOKPARENT_NOTIFY_ID;
                    nm.hdr.code = 0;
                    nm.message = message;
                    nm.wParam = wParam;
                    nm.lParam = lParam;
                    ::SendMessageA(hTarget, WM_NOTIFY, HOOKPARENT_NOTIFY_WPARAM, (LPARAM)&nm);
                }
            }
            // A subscriber that removed itself shifted the later ones down by one place.
            CHookParent* pAfter = SearchHook(hWnd);
            if (pAfter != NULL && (i >= pAfter->m_arrSubscribers.GetSize() || pAfter->m_arrSubscribers[i] != pSub))
                i--;
        }
        pHook = SearchHook(hWnd);
        if (pHook == NULL)
            return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }

    WNDPROC pfnOrigin = pHook->m_pfnOrigin;
    LRESULT lResult = ::CallWindowProcA(pfnOrigin, hWnd, message, wParam, lParam);
    pHook = SearchHook(hWnd);
    if (pHook != NULL && pHook->IsSubscribed(message))
    {
        // The same care as above: the list may change under each call.
        for (int i = 0;; i++)
        {
            pHook = SearchHook(hWnd);
            if (pHook == NULL || i >= pHook->m_arrSubscribers.GetSize())
                break;
            CHookParent::Subscriber* pSub = pHook->m_arrSubscribers[i];
            if (pSub->pfnAfter != NULL)
                ::CallWindowProcA(pSub->pfnAfter, hWnd, message, wParam, lParam);
            CHookParent* pAfter = SearchHook(hWnd);
            if (pAfter != NULL && (i >= pAfter->m_arrSubscribers.GetSize() || pAfter->m_arrSubscribers[i] != pSub))
                i--;
        }
    }
    if (message == WM_DESTROY || message == WM_NCDESTROY)
    {
        // The window is going: its hook would only wait for a handle that may be reused. The
        // origin procedure goes back only if the hook is still on top; a client that left
        // while handling the message may already have put another procedure there.
        int nIndex = Search(hWnd);
        if (nIndex >= 0)
        {
            if ((WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) != MyProc)
                m_arrHook[nIndex]->Abandon();
            RemoveAt(nIndex);
        }
    }
    return lResult;
}

int CHookParentMessage::Search(HWND hWnd)
{
    for (int i = 0; i < GetSize(); i++)
        if (m_arrHook[i] != NULL && m_arrHook[i]->m_hWnd == hWnd)
            return i;
    return -1;
}

CHookParent* CHookParentMessage::SearchHook(HWND hWnd)
{
    int nIndex = Search(hWnd);
    return nIndex < 0 ? NULL : m_arrHook[nIndex];
}

void CHookParentMessage::RemoveAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetSize() || m_arrHook[nIndex] == NULL)
        return;
    CHookParent* pHook = m_arrHook[nIndex];
    // Out of the array before it is destroyed, so a message sent while the procedure is put
    // back does not find a half-destroyed hook.
    m_arrHook.RemoveAt(nIndex);
    delete pHook;
}

int CHookParentMessage::GetSize()
{
    return (int)m_arrHook.GetSize();
}

CHookParent* CHookParentMessage::GetAt(int nIndex)
{
    return (nIndex >= 0 && nIndex < GetSize()) ? m_arrHook[nIndex] : NULL;
}

/////////////////////////////////////////////////////////////////////////////
// HookParentProbe

int HookParentProbe::HookedCount()
{
    return CHookParentMessage::GetSize();
}

int HookParentProbe::SubscriberCount(HWND hWnd)
{
    CHookParent* pHook = CHookParentMessage::SearchHook(hWnd);
    return pHook ? (int)pHook->m_arrSubscribers.GetSize() : -1;
}

int HookParentProbe::MessageCount(HWND hWnd)
{
    CHookParent* pHook = CHookParentMessage::SearchHook(hWnd);
    return pHook ? (int)pHook->m_arrMessages.GetSize() : -1;
}

WNDPROC HookParentProbe::OriginProc(HWND hWnd)
{
    CHookParent* pHook = CHookParentMessage::SearchHook(hWnd);
    return pHook ? pHook->m_pfnOrigin : NULL;
}
