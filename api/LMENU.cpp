// LMENU_*: the flat interface of tree data and the menus made from it.
#include "lumo.h"
#include "frame/ReturnText.h"
#include "frame/UiThread.h"
#include "treedata/CLmenuHandles.h"
#include "LumoSys.h"

LUMOAPI HLMENU WINAPI LMENU_new(void)
{
    return CLmenuHandles::Create();
}

LUMOAPI void WINAPI LMENU_delete(HLMENU hMenuData)
{
    CLmenuHandles::Destroy(hMenuData);
}

LUMOAPI int WINAPI LMENU_GetLastError(HLMENU)
{
    return 0;
}

LUMOAPI void WINAPI LMENU_AddMenuItem(HLMENU hMenuData, LPCSTR lpszCode, LPCSTR lpszText,
                                      LPCSTR lpszDetail, LPCSTR lpszTip, LPCSTR lpszLLAFile,
                                      int nLLASeq)
{
    CTreeData* pData = CLmenuHandles::FromHandle(hMenuData);
    if (pData == NULL)
        return;
    pData->AddItem(lpszCode, lpszText, lpszDetail, lpszTip, 0, 0, lpszLLAFile, nLLASeq);
}

LUMOAPI int WINAPI LMENU_SaveToFile(HLMENU hMenuData, LPCSTR lpszPath, LPCSTR lpszTimeStamp)
{
    CTreeData* pData = CLmenuHandles::FromHandle(hMenuData);
    if (pData == NULL)
        return 0;
    return pData->SaveToFile(lpszPath, lpszTimeStamp) ? 1 : 0;
}

LUMOAPI int WINAPI LMENU_LoadFromFile(HLMENU hMenuData, LPCSTR lpszPath)
{
    CTreeData* pData = CLmenuHandles::FromHandle(hMenuData);
    if (pData == NULL)
        return 0;
    return pData->LoadFromFile(lpszPath) ? 1 : 0;
}

LUMOAPI LPSTR WINAPI LMENU_GetTimeStamp(HLMENU hMenuData)
{
    CTreeData* pData = CLmenuHandles::FromHandle(hMenuData);
    if (pData == NULL)
        return NULL;
    return ReturnText::Keep(pData, __func__, pData->GetTimeStamp());
}

LUMOAPI int WINAPI LMENU_ChangeMenu(HLMENU hMenuData, HWND hWnd, LPCSTR lpszCode)
{
    CTreeData* pData = CLmenuHandles::FromHandle(hMenuData);
    // The desktop window belongs to no thread of the host's.
    if (pData == NULL || !IsWindowOfThisThread(hWnd))
        return 0;
    return pData->ChangeMenu(hWnd, lpszCode) ? 1 : 0;
}
