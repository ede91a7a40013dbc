// CPopMenu: the PopMenu_* family's menu, forwarding to a CMenuPopEx, and its live handles.
#include "menu/CPopMenu.h"

#include <new>
#include <unordered_map>

namespace
{

// Each live handle with the thread that made it, the only one that knows it.
std::unordered_map<const void*, DWORD>& LiveHandles()
{
    // Never destroyed: a host may still call the family while the runtime tears down statics.
    static std::unordered_map<const void*, DWORD>* s_pLive = new std::unordered_map<const void*, DWORD>;
    return *s_pLive;
}

} // namespace

CPopMenu* CPopMenu::Create(HWND hOwner)
{
    CPopMenu* pMenu = new (std::nothrow) CPopMenu(hOwner);
    if (pMenu != NULL)
        LiveHandles()[pMenu] = ::GetCurrentThreadId();
    return pMenu;
}

CPopMenu* CPopMenu::FromHandle(const void* hHandle)
{
    std::unordered_map<const void*, DWORD>& live = LiveHandles();
    auto it = hHandle != NULL ? live.find(hHandle) : live.end();
    return it != live.end() && it->second == ::GetCurrentThreadId() ? (CPopMenu*)hHandle : NULL;
}

CPopMenu* CPopMenu::Take(const void* hHandle)
{
    CPopMenu* pMenu = FromHandle(hHandle);
    if (pMenu != NULL)
        LiveHandles().erase(hHandle);
    return pMenu;
}

CPopMenu::CPopMenu(HWND hOwner) : CMenuPop(hOwner), m_menu(hOwner)
{
}

CPopMenu::~CPopMenu()
{
    LiveHandles().erase(this);  // a menu deleted without being taken
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
