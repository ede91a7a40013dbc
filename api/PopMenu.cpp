// PopMenu_* and ShadowMenu_Enable: the flat interface of popup menus and menu shadows.
#include "lumo.h"
#include "menu/CPopMenu.h"
#include "frame/UiThread.h"

LUMOAPI HPOPMENU WINAPI PopMenu_New(HWND hOwner)
{
    if (!IsWindowOfThisThread(hOwner))
        return NULL;
    return CPopMenu::Create(hOwner);
}

LUMOAPI void WINAPI PopMenu_SetItem(HPOPMENU hMenu, int nID, LPCSTR lpszText, int nParentID)
{
    if (CPopMenu* pMenu = CPopMenu::FromHandle(hMenu))
        pMenu->SetItem(nID, CString(lpszText), nParentID);
}

LUMOAPI void WINAPI PopMenu_SetIcon(HPOPMENU hMenu, int nID, HICON hIcon)
{
    if (CPopMenu* pMenu = CPopMenu::FromHandle(hMenu))
        pMenu->SetItemIcon(nID, hIcon);
}

LUMOAPI void WINAPI PopMenu_SetCheck(HPOPMENU hMenu, int nID, int bCheck)
{
    if (CPopMenu* pMenu = CPopMenu::FromHandle(hMenu))
        pMenu->SetCheck(nID, bCheck);
}

LUMOAPI void WINAPI PopMenu_SetEnable(HPOPMENU hMenu, int nID, int bEnable)
{
    if (CPopMenu* pMenu = CPopMenu::FromHandle(hMenu))
        pMenu->SetEnable(nID, bEnable);
}

LUMOAPI void WINAPI PopMenu_SetScaleMode(HPOPMENU hMenu, int nMode)
{
    if (CPopMenu* pMenu = CPopMenu::FromHandle(hMenu))
        pMenu->SetScaleMode(nMode);
}

LUMOAPI int WINAPI PopMenu_Popxy(HPOPMENU hMenu, int x, int y)
{
    // The handle is spent before the menu shows, so a call made while it is open is refused.
    CMenuPop* pMenu = CPopMenu::Take(hMenu);
    if (pMenu == NULL)
        return -1;
    int nResult = pMenu->Popup(x, y);
    delete pMenu;
    return nResult;
}

LUMOAPI int WINAPI PopMenu_Pop(HPOPMENU hMenu)
{
    if (CPopMenu::FromHandle(hMenu) == NULL)
        return -1;
    POINT pt = { 0, 0 };
    ::GetCursorPos(&pt);
    return PopMenu_Popxy(hMenu, pt.x, pt.y);
}

LUMOAPI int WINAPI PopMenu_PopButton(HPOPMENU hMenu, HWND hButton)
{
    if (CPopMenu::FromHandle(hMenu) == NULL)
        return -1;
    RECT rc = { 0, 0, 0, 0 };
    ::GetWindowRect(hButton, &rc);
    return PopMenu_Popxy(hMenu, rc.left, rc.bottom);
}
