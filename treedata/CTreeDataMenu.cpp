// Tree data menus: plain system menus made from the records.
#include "CTreeData.h"

#include <vector>

/////////////////////////////////////////////////////////////////////////////
// menus

HMENU CTreeData::AddMenu(int bPopup)
{
    HMENU hMenu = bPopup ? ::CreatePopupMenu() : ::CreateMenu();
    if (hMenu != NULL)
        m_arrMenus.Add(hMenu);
    return hMenu;
}

// Submenus are made while walking the records once, with a stack of the menus still open,
// rather than by a call per node: a file may hold levels as deep as it likes, and a node is
// reached by its position, so duplicate codes cannot send the walk back to an earlier record.
HMENU CTreeData::GenMenu(LPCTSTR lpszCode, int bPopup)
{
    if (m_arrData.GetSize() == 0)
        return NULL;
    BuildLevel();
    int nStart = -1;
    int nParentLevel = -1;
    if (lpszCode != NULL && *lpszCode != '\0')
    {
        nStart = Search(lpszCode);
        if (nStart < 0)
            return NULL;
        const treedatas* pParent = m_arrData[nStart];
        if (pParent->strText == "-")
            return NULL;
        nParentLevel = pParent->nLevel;
    }
    HMENU hRoot = AddMenu(bPopup);
    if (hRoot == NULL)
        return NULL;

    struct OpenMenu
    {
        HMENU hMenu;
        int nLevel;
    };
    std::vector<OpenMenu> open;
    open.push_back(OpenMenu{ hRoot, nParentLevel });
    const int nSize = m_arrData.GetSize();
    for (int i = nStart + 1; i < nSize; ++i)
    {
        const treedatas* pRec = m_arrData[i];
        while (!open.empty() && pRec->nLevel <= open.back().nLevel)
            open.pop_back();
        if (open.empty())
            break;
        const OpenMenu& top = open.back();
        if (pRec->nLevel != top.nLevel + 1)
            continue;   // deeper records belong to a submenu that was left out
        if (IsNode(i))
        {
            if (pRec->strText == "-")
                continue;
            HMENU hSub = AddMenu(bPopup);
            if (hSub == NULL)
                continue;
            ::AppendMenuA(top.hMenu, MF_POPUP, (UINT_PTR)hSub, pRec->strText);
            open.push_back(OpenMenu{ hSub, pRec->nLevel });
        }
        else if (pRec->strText == "-")
            ::AppendMenuA(top.hMenu, MF_SEPARATOR, 0, NULL);
        else
            ::AppendMenuA(top.hMenu, MF_STRING, (UINT_PTR)(UINT)atoi(pRec->strCode), pRec->strText);
    }
    return hRoot;
}

void CTreeData::DestroyMenus()
{
    for (int i = 0; i < m_arrMenus.GetSize(); ++i)
        ::DestroyMenu(m_arrMenus[i]);
    m_arrMenus.RemoveAll();
}

BOOL CTreeData::ChangeMenu(HWND hWnd, LPCTSTR lpszCode)
{
    if (!::IsWindow(hWnd))
        return FALSE;
    const int nMenus = m_arrMenus.GetSize();
    HMENU hMenu = GenMenu(lpszCode, 0);
    if (hMenu == NULL)
        return FALSE;
    if (!::SetMenu(hWnd, hMenu))
    {
        // Nobody else will ever see this menu: take it back, submenus and all.
        ::DestroyMenu(hMenu);
        m_arrMenus.SetSize(nMenus);
        return FALSE;
    }
    return TRUE;
}
