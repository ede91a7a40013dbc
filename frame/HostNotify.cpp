#include "frame/HostNotify.h"

namespace HostNotify {

BOOL Alive(CWnd* pFrom, HWND hSelf)
{
    // A destroyed window loses its permanent object at WM_NCDESTROY, so a handle that a new
    // window happens to reuse does not belong to pFrom any more.
    return hSelf && ::IsWindow(hSelf) && CWnd::FromHandlePermanent(hSelf) == pFrom;
}

BOOL Send(CWnd* pFrom, HWND hTo, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!hTo)
        return TRUE;
    HWND hSelf = pFrom->GetSafeHwnd();
    LRESULT lr = ::SendMessageA(hTo, msg, wParam, lParam);
    if (pResult)
        *pResult = lr;
    return Alive(pFrom, hSelf);
}

BOOL Send(HWND hSelf, const void* pObject, PFN_ALIVE pfnAlive, HWND hTo, UINT msg, WPARAM wParam,
          LPARAM lParam, LRESULT* pResult)
{
    if (!hTo)
        return TRUE;
    LRESULT lr = ::SendMessageA(hTo, msg, wParam, lParam);
    if (pResult)
        *pResult = lr;
    return ::IsWindow(hSelf) && pfnAlive(hSelf, pObject);
}

BOOL SendNotify(CWnd* pFrom, UINT code, HWND hTo, LRESULT* pResult)
{
    HWND hSelf = pFrom->GetSafeHwnd();
    if (!hTo)
        hTo = ::GetParent(hSelf);
    NMHDR nm;
    nm.hwndFrom = hSelf;
    nm.idFrom = (UINT_PTR)::GetWindowLongPtrA(hSelf, GWLP_ID);
    nm.code = code;
    return Send(pFrom, hTo, WM_NOTIFY, 0, (LPARAM)&nm, pResult);
}

BOOL Post(HWND hTo, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return hTo && ::PostMessageA(hTo, msg, wParam, lParam);
}

}  // namespace HostNotify
