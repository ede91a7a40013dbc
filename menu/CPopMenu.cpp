// CPopMenu: the PopMenu_* family's menu, forwarding to a CMenuPopEx, and its live handles.
#include "menu/CPopMenu.h"

#include "frame/LiveHandles.h"

#include <new>

namespace
{

LiveHandles& Live()
{
    // Never destroyed: a host may still call the family while the runtime tears down statics.
    static LiveHandles* s_pLive = new LiveHandles;
    return *s_pLive;
}

} // namespace

CPopMenu* CPopMenu::Create(HWND hOwner)
{
    if (!::IsWindow(hOwner))
        return NULL;
    CPopMenu* pMenu = new (std::nothrow) CPopMenu(hOwner);
    if (pMenu != NULL)
        Live().Add(pMenu);
    return pMenu;
}

CPopMenu* CPopMenu::FromHandle(const void* hHandle)
{
    return Live().IsLive(hHandle) ? (CPopMenu*)hHandle : NULL;
}

CPopMenu* CPopMenu::Take(const void* hHandle)
{
    CPopMenu* pMenu = FromHandle(hHandle);
    if (pMenu != NULL)
        Live().Remove(hHandle);
    return pMenu;
}

CPopMenu::CPopMenu(HWND hOwner) : CMenuPop(hOwner), m_menu(hOwner)
{
}

CPopMenu::~CPopMenu()
{
    Live().Remove(this);  // a menu deleted without being taken
}

void CPopMenu::SetItemIcon(int nID, HICON hIcon)
{
    CMenuItem* pItem = m_menu.Find(nID);
    ICONINFO info;
    if (pItem == NULL || hIcon == NULL || !::GetIconInfo(hIcon, &info))
        return;
    BITMAP bm = {};
    ::GetObjectA(info.hbmColor != NULL ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != NULL)
        ::DeleteObject(info.hbmMask);
    // Icons are square; a monochrome one stacks its mask and image, so its width is the size.
    m_menu.SetItem(nID, pItem->m_strText, pItem->m_nParentID, hIcon, bm.bmWidth, 0);
}

void CPopMenu::SetItem(int nID, const CString& strText, int nParentID)
{
    m_menu.SetItem(nID, strText, nParentID);
}

void CPopMenu::SetCheck(int nID, int bCheck)
{
    m_menu.SetCheck(nID, bCheck);
}

void CPopMenu::SetEnable(int nID, int bEnable)
{
    m_menu.SetEnable(nID, bEnable);
}

int CPopMenu::Popup(int x, int y)
{
    return m_menu.Popup(x, y);
}

void CPopMenu::SetScaleMode(int nMode)
{
    m_menu.SetScaleMode(nMode);
}
