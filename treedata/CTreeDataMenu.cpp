// Tree data menus: plain system menus made from the records.
#include "CTreeData.h"
#include "lumo.h"

#include <iterator>
#include <unordered_map>
#include <vector>

namespace {

// The bar ChangeMenu last set on each window.
std::unordered_map<HWND, HMENU>& BarsSet()
{
    // Never destroyed: a host may still change menus while the runtime tears down statics.
    static std::unordered_map<HWND, HMENU>* s_pBars = new std::unordered_map<HWND, HMENU>;
    return *s_pBars;
}

}  // namespace

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
// The system destroys nested menus recursively, so menus nest at most LMENU_MAX_LEVELS deep: a
// node in the deepest menu becomes a command there, and every record below it follows it there,
// in order. More than LMENU_MAX_MENU_ITEMS entries for one menu make no menu at all: the system
// lays out every entry of a bar on each repaint.
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
    const int nMenusBefore = m_arrMenus.GetSize();
    HMENU hRoot = AddMenu(bPopup);
    if (hRoot == NULL)
        return NULL;

    struct OpenMenu
    {
        HMENU hMenu;
        int nLevel;
        int nEntries;
    };
    std::vector<OpenMenu> open;
    open.push_back(OpenMenu{ hRoot, nParentLevel, 0 });
    bool bRefused = false;
    // While records below a node of the deepest menu follow it there: the node's level; else -1.
    int nFlatLevel = -1;
    const int nSize = m_arrData.GetSize();
    for (int i = nStart + 1; i < nSize; ++i)
    {
        const treedatas* pRec = m_arrData[i];
        while (!open.empty() && pRec->nLevel <= open.back().nLevel)
            open.pop_back();
        if (open.empty())
            break;
        OpenMenu& top = open.back();
        const bool bFlat = nFlatLevel >= 0 && pRec->nLevel > nFlatLevel;
        if (!bFlat)
            nFlatLevel = -1;
        if (!bFlat && pRec->nLevel != top.nLevel + 1)
            continue;   // deeper records belong to a submenu that was left out
        const bool bNode = !bFlat && IsNode(i) != 0;
        if (bNode && pRec->strText == "-")
            continue;   // a separator with children is left out
        if (top.nEntries == LMENU_MAX_MENU_ITEMS)
        {
            bRefused = true;
            break;
        }
        if (bNode && (int)open.size() == LMENU_MAX_LEVELS)
            nFlatLevel = pRec->nLevel;
        else if (bNode)
        {
            HMENU hSub = AddMenu(bPopup);
            if (hSub == NULL)
                continue;
            ::AppendMenuA(top.hMenu, MF_POPUP, (UINT_PTR)hSub, pRec->strText);
            ++top.nEntries;
            open.push_back(OpenMenu{ hSub, pRec->nLevel, 0 });
            continue;
        }
        if (pRec->strText == "-")
            ::AppendMenuA(top.hMenu, MF_SEPARATOR, 0, NULL);
        else
            ::AppendMenuA(top.hMenu, MF_STRING, (UINT_PTR)(UINT)atoi(pRec->strCode), pRec->strText);
        ++top.nEntries;
    }
    if (bRefused)
    {
        ::DestroyMenu(hRoot);   // submenus and all
        m_arrMenus.SetSize(nMenusBefore);
        return NULL;
    }
    return hRoot;
}

void CTreeData::DestroyMenus()
{
    for (int i = 0; i < m_arrMenus.GetSize(); ++i)
        ::DestroyMenu(m_arrMenus[i]);
    m_arrMenus.RemoveAll();
}

// A bar set on a window belongs to the window: the system destroys it with the window, and the
// next bar set here destroys it, as long as the window still shows it (a menu the host put in
// its place is the host's).
BOOL CTreeData::ChangeMenu(HWND hWnd, LPCTSTR lpszCode)
{
    if (!::IsWindow(hWnd))
        return FALSE;
    const int nMenus = m_arrMenus.GetSize();
    HMENU hMenu = GenMenu(lpszCode, 0);
    if (hMenu == NULL)
        return FALSE;
    m_arrMenus.SetSize(nMenus);
    const HMENU hOld = ::GetMenu(hWnd);
    if (!::SetMenu(hWnd, hMenu))
    {
        ::DestroyMenu(hMenu);   // nobody else will ever see it, submenus and all
        return FALSE;
    }
    std::unordered_map<HWND, HMENU>& bars = BarsSet();
    for (auto it = bars.begin(); it != bars.end();)
        it = ::IsWindow(it->first) ? std::next(it) : bars.erase(it);
    auto it = bars.find(hWnd);
    if (it != bars.end() && hOld != NULL && it->second == hOld)
        ::DestroyMenu(hOld);
    bars[hWnd] = hMenu;
    return TRUE;
}
