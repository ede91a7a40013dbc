// Menus of the framework layer and the per-thread menu handle maps.
#include "afximpl.h"
#include "afxdllx.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::CMenu() : m_hMenu(nullptr)
{
}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    if (hMenu == nullptr)
        return nullptr;
    AfxThreadState* pState = AfxGetThreadState();
    auto it = pState->permanentMenu.find(hMenu);
    if (it != pState->permanentMenu.end())
        return static_cast<CMenu*>(it->second);
    it = pState->temporaryMenu.find(hMenu);
    if (it != pState->temporaryMenu.end())
        return static_cast<CMenu*>(it->second);
    CMenu* pMenu = new CMenu;
    pMenu->m_hMenu = hMenu;
    pState->temporaryMenu[hMenu] = pMenu;
    return pMenu;
}

CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu)
{
    if (hMenu == nullptr)
        return nullptr;
    AfxThreadState* pState = AfxGetThreadState();
    auto it = pState->permanentMenu.find(hMenu);
    return it == pState->permanentMenu.end() ? nullptr : static_cast<CMenu*>(it->second);
}

void PASCAL CMenu::DeleteTempMap()
{
    std::unordered_map<HANDLE, CObject*> menus;
    menus.swap(AfxGetThreadState()->temporaryMenu);
    for (auto& entry : menus) {
        CMenu* pMenu = static_cast<CMenu*>(entry.second);
        pMenu->m_hMenu = nullptr;
        delete pMenu;
    }
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == nullptr)
        return FALSE;
    if (m_hMenu != nullptr && m_hMenu != hMenu)
        DestroyMenu();
    m_hMenu = hMenu;
    AfxGetThreadState()->permanentMenu[hMenu] = this;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr) {
        auto& map = AfxGetThreadState()->permanentMenu;
        auto it = map.find(hMenu);
        if (it != map.end() && it->second == this)
            map.erase(it);
    }
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::CreateMenu()
{
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == nullptr)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    HMENU hMenu = ::LoadMenuA(hInst, lpszResourceName);
    if (hMenu == nullptr && hInst != ::GetModuleHandleA(nullptr))
        hMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), lpszResourceName);
    return Attach(hMenu);
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    return lpMenuTemplate != nullptr && Attach(::LoadMenuIndirectA(lpMenuTemplate));
}

BOOL CMenu::DestroyMenu()
{
    if (this == nullptr || m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    return ::AppendMenuA(m_hMenu, nFlags | MF_BITMAP, nIDNewItem, (LPCSTR)pBmp->GetSafeHandle());
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    return ::InsertMenuA(m_hMenu, nPosition, nFlags | MF_BITMAP, nIDNewItem, (LPCSTR)pBmp->GetSafeHandle());
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    return ::ModifyMenuA(m_hMenu, nPosition, nFlags | MF_BITMAP, nIDNewItem, (LPCSTR)pBmp->GetSafeHandle());
}

BOOL CMenu::SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked, const CBitmap* pBmpChecked)
{
    return ::SetMenuItemBitmaps(m_hMenu, nPosition, nFlags, (HBITMAP)pBmpUnchecked->GetSafeHandle(),
                                (HBITMAP)pBmpChecked->GetSafeHandle());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    rString.Empty();
    int nLen = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (nLen <= 0)
        return 0;
    nLen = ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBuffer(nLen + 1), nLen + 1, nFlags);
    rString.ReleaseBuffer();
    return nLen;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    // The owner's owner-draw handlers look for the menu being tracked to find this object.
    HMENU hPrevious = AfxGetTrackingMenu();
    AfxSetTrackingMenu(m_hMenu);
    BOOL bResult = ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
    AfxSetTrackingMenu(hPrevious);
    return bResult;
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm)
{
    HMENU hPrevious = AfxGetTrackingMenu();
    AfxSetTrackingMenu(m_hMenu);
    BOOL bResult = ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, pWnd->GetSafeHwnd(), lptpm);
    AfxSetTrackingMenu(hPrevious);
    return bResult;
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
    // Menus with owner-drawn items must come from a class that measures them.
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
}

namespace {

CMenu* FindHolder(HMENU hMenu, UINT nID, int depth)
{
    // Menus cannot nest deeper than this without a cycle made by hand.
    if (hMenu == nullptr || depth > 32)
        return nullptr;
    int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (hSub != nullptr) {
            if ((UINT)(UINT_PTR)hSub == nID) {
                if (CMenu* pHolder = CMenu::FromHandlePermanent(hMenu))
                    return pHolder;
            }
            if (CMenu* pFound = FindHolder(hSub, nID, depth + 1))
                return pFound;
        } else if (::GetMenuItemID(hMenu, i) == nID) {
            if (CMenu* pHolder = CMenu::FromHandlePermanent(hMenu))
                return pHolder;
        }
    }
    return nullptr;
}

}  // namespace

CMenu* AFXAPI AfxFindPopupMenuFromID(CMenu* pMenu, UINT nID)
{
    return FindHolder(pMenu->GetSafeHmenu(), nID, 0);
}

/////////////////////////////////////////////////////////////////////////////
// CWnd members that hand out menus

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu());
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}
