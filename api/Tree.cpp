// Tree_*: the flat interface of the navigation tree. A tree is known by its window handle,
// looked up in the registry of live trees.
#include "lumo.h"
#include "frame/ReturnText.h"
#include "frame/UiThread.h"
#include "CTree10.h"
#include "treedata/CLmenuHandles.h"
#include "LumoSys.h"

LUMOAPI HWND WINAPI Tree_new(HWND hParent, int nLeft, int nTop, int nRight, int nBottom,
                             DWORD dwStyle)
{
    if (hParent != NULL && !IsWindowOfThisThread(hParent))
        return NULL;
    CTree10* pTree = new CTree10;
    CRect rc(nLeft, nTop, nRight, nBottom);
    // A window that cannot be made takes the object with it (the tree deletes itself when its
    // window's life ends, and the framework ends a failed creation the same way).
    if (!pTree->Create(dwStyle | 0x54800020, rc, CWnd::FromHandle(hParent), 0))
        return NULL;
    return pTree->GetSafeHwnd();
}

LUMOAPI void WINAPI Tree_delete(HWND hTree)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    if (pTree == NULL)
        return;
    // The window goes first; its last message takes the object with it.
    ::DestroyWindow(hTree);
}

LUMOAPI void WINAPI Tree_AddItem(HWND hTree, LPCSTR lpszCode, LPCSTR lpszText, LPCSTR lpszTip)
{
    if (CTree10* pTree = CTree10::GetObject(hTree))
        pTree->AddItem(lpszCode, lpszText, lpszTip);
}

LUMOAPI void WINAPI Tree_Build(HWND hTree)
{
    if (CTree10* pTree = CTree10::GetObject(hTree))
        pTree->BuildTree("");
}

LUMOAPI void WINAPI Tree_BindLmenu(HWND hTree, HLMENU hMenuData, LPCSTR lpszRootCode,
                                   int nDisplayMode, int bBuild)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    if (pTree == NULL)
        return;
    CTreeData* pData = CLmenuHandles::FromHandle(hMenuData);
    if (pData == NULL)
        return;
    pTree->BindTreeData(pData, lpszRootCode, nDisplayMode, bBuild);
}

LUMOAPI HTREEITEM_LUMO WINAPI Tree_GetSelectedItem(HWND hTree)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    return pTree ? (HTREEITEM_LUMO)pTree->GetSelectedItem() : NULL;
}

LUMOAPI void WINAPI Tree_SetItem(HWND hTree, LPCSTR lpszCode, LPCSTR lpszText, LPCSTR lpszTip)
{
    if (CTree10* pTree = CTree10::GetObject(hTree))
        pTree->SetItem(lpszCode, lpszText, lpszTip);
}

LUMOAPI void WINAPI Tree_SetSendMsg(HWND hTree, HWND hWnd, int nMsg)
{
    if (CTree10* pTree = CTree10::GetObject(hTree))
        pTree->SetSendMsg(hWnd, nMsg);
}

LUMOAPI void WINAPI Tree_SetSendMsgDblClick(HWND hTree, HWND hWnd, int nMsg)
{
    if (CTree10* pTree = CTree10::GetObject(hTree))
        pTree->SetSendMsg_DblClick(hWnd, nMsg);
}

LUMOAPI void WINAPI Tree_SetSendMsgRButtonDown(HWND hTree, HWND hWnd, int nMsg)
{
    if (CTree10* pTree = CTree10::GetObject(hTree))
        pTree->SetSendMsg_RButtonDown(hWnd, nMsg);
}

LUMOAPI void WINAPI Tree_SetDragWindow(HWND hTree, HWND hWnd)
{
    if (CTree10* pTree = CTree10::GetObject(hTree))
        pTree->SetDragHwnd(hWnd);
}

LUMOAPI LPSTR WINAPI Tree_GetItemID(HWND hTree, HTREEITEM_LUMO hItem)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    if (pTree == NULL)
        return NULL;
    CString strCode = pTree->GetItemCode((HTREEITEM)hItem);
    return strCode.IsEmpty() ? NULL : ReturnText::Keep(pTree, __func__, strCode);
}

LUMOAPI HTREEITEM_LUMO WINAPI Tree_GetItem(HWND hTree, LPCSTR lpszCode)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    return pTree ? (HTREEITEM_LUMO)pTree->GetItem(lpszCode) : NULL;
}

LUMOAPI LPSTR WINAPI Tree_GetItemText(HWND hTree, HTREEITEM_LUMO hItem)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    if (pTree == NULL || !pTree->IsOwnItem((HTREEITEM)hItem))
        return NULL;
    return ReturnText::Keep(pTree, __func__, pTree->GetItemText((HTREEITEM)hItem));
}

LUMOAPI int WINAPI Tree_DeleteItem(HWND hTree, LPCSTR lpszCode)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    return pTree ? pTree->_DeleteItem(lpszCode) : 0;
}

LUMOAPI int WINAPI Tree_ItemHasChildren(HWND hTree, HTREEITEM_LUMO hItem)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    if (pTree == NULL || !pTree->IsOwnItem((HTREEITEM)hItem))
        return 0;
    return pTree->ItemHasChildren((HTREEITEM)hItem) ? 1 : 0;
}

LUMOAPI int WINAPI Tree_SetNodeBmp(HWND hTree, int nIndex)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    return pTree ? pTree->SetTreeNodeImg(nIndex) : 0;
}

LUMOAPI int WINAPI Tree_GetNodeBmp(HWND hTree)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    return pTree ? pTree->GetTreeNodeImg() : -1;
}

LUMOAPI int WINAPI Tree_SetLeafBmp(HWND hTree, int nIndex)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    return pTree ? pTree->SetTreeLeafImg(nIndex) : 0;
}

LUMOAPI int WINAPI Tree_GetLeafBmp(HWND hTree)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    return pTree ? pTree->GetTreeLeafImg() : -1;
}

LUMOAPI COLORREF WINAPI Tree_SetBkColor(HWND hTree, BYTE red, BYTE green, BYTE blue)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    if (pTree == NULL)
        return 0;
    return pTree->SetBackColor((COLORREF)red + (COLORREF)green * 256 + (COLORREF)blue * 65536);
}

LUMOAPI COLORREF WINAPI Tree_GetBkColor(HWND hTree, int* pRed, int* pGreen, int* pBlue)
{
    if (pRed)
        *pRed = 0;
    if (pGreen)
        *pGreen = 0;
    if (pBlue)
        *pBlue = 0;
    CTree10* pTree = CTree10::GetObject(hTree);
    if (pTree == NULL)
        return 0;
    COLORREF clr = pTree->GetBackColor();
    if (pRed)
        *pRed = GetRValue(clr);
    if (pGreen)
        *pGreen = GetGValue(clr);
    if (pBlue)
        *pBlue = GetBValue(clr);
    return clr;
}

LUMOAPI void WINAPI Tree_SetBkImage(HWND hTree, LPCSTR lpszPath)
{
    if (CTree10* pTree = CTree10::GetObject(hTree))
        pTree->SetBkImage(lpszPath);
}

LUMOAPI int WINAPI Tree_SetLineHeight(HWND hTree, int nHeight)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    return pTree ? pTree->SetLineHeight(nHeight) : 0;
}

LUMOAPI int WINAPI Tree_GetLineHeight(HWND hTree)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    return pTree ? pTree->GetLineHeight() : 0;
}

LUMOAPI int WINAPI Tree_SetBorder(HWND hTree, int nBorder)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    return pTree ? pTree->SetBorder(nBorder) : 0;
}

LUMOAPI int WINAPI Tree_GetBorder(HWND hTree)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    return pTree ? pTree->GetBorder() : 0;
}

LUMOAPI int WINAPI Tree_SetSingleExpand(HWND hTree, int bOn)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    return pTree ? (pTree->SetSingleExpand(bOn != 0) ? 1 : 0) : 0;
}

LUMOAPI int WINAPI Tree_GetSingleExpand(HWND hTree)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    return pTree ? (pTree->GetSingleExpand() ? 1 : 0) : 0;
}

LUMOAPI int WINAPI Tree_SetMousemoveSelect(HWND hTree, int bOn)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    return pTree ? (pTree->SetMousemoveSelect(bOn != 0) ? 1 : 0) : 1;
}

LUMOAPI int WINAPI Tree_GetMousemoveSelect(HWND hTree)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    return pTree ? (pTree->GetMousemoveSelect() ? 1 : 0) : 1;
}

LUMOAPI void WINAPI Tree_Expand(HWND hTree, LPCSTR lpszCode, int bExpandAll)
{
    if (CTree10* pTree = CTree10::GetObject(hTree))
        pTree->ExpandItem(lpszCode, bExpandAll);
}

LUMOAPI int WINAPI Tree_SelectItem(HWND hTree, LPCSTR lpszCode)
{
    CTree10* pTree = CTree10::GetObject(hTree);
    if (pTree == NULL)
        return 0;
    // An unknown code names no item: nothing is clicked and the selection stays.
    HTREEITEM hItem = pTree->GetItem(lpszCode);
    if (hItem == NULL || !pTree->_OnSelectItem(hItem))
        return 0;
    return pTree->Select(hItem, TVGN_CARET) ? 1 : 0;
}

LUMOAPI void WINAPI Tree_Redraw(HWND hTree)
{
    if (CTree10::GetObject(hTree) == NULL)
        return;
    ::InvalidateRect(hTree, NULL, TRUE);
    ::UpdateWindow(hTree);
}
