// Menus of the framework layer.
//
// A CMenu attached to a menu handle (created, loaded or Attach-ed through it) sits in the
// thread's permanent menu map and destroys the menu when it is destroyed. Owner-drawn items of
// a menu tracked through TrackPopupMenu reach the MeasureItem and DrawItem of the permanent
// CMenu that holds them, by way of the owner window's default WM_MEASUREITEM and WM_DRAWITEM
// handlers.
#pragma once

#include "afx.h"
#include "afxwnd.h"

class CBitmap;

class AFX_API CMenu : public CObject
{
    DECLARE_DYNCREATE(CMenu)
public:
    HMENU m_hMenu;

    CMenu();
    virtual ~CMenu();

    // -- Handle map ---------------------------------------------------------------
    operator HMENU() const { return this == nullptr ? nullptr : m_hMenu; }
    HMENU GetSafeHmenu() const { return this == nullptr ? nullptr : m_hMenu; }
    static CMenu* PASCAL FromHandle(HMENU hMenu);
    static CMenu* PASCAL FromHandlePermanent(HMENU hMenu);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    BOOL operator==(const CMenu& menu) const { return m_hMenu == menu.m_hMenu; }
    BOOL operator!=(const CMenu& menu) const { return m_hMenu != menu.m_hMenu; }

    // -- Construction ---------------------------------------------------------------
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    // Loads from the module that holds the resource (the application, then extension modules).
    BOOL LoadMenu(LPCTSTR lpszResourceName);
    BOOL LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCE(nIDResource)); }
    BOOL LoadMenuIndirect(const void* lpMenuTemplate);
    BOOL DestroyMenu();

    // -- Items ------------------------------------------------------------------------
    BOOL DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
    BOOL RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr)
        { return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem); }
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr)
        { return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem); }
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL InsertMenuItem(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE)
        { return lpMenuItemInfo ? ::InsertMenuItemA(m_hMenu, uItem, fByPos, lpMenuItemInfo) : FALSE; }
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr)
        { return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem); }
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return (UINT)::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
        { return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags); }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
    BOOL SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked, const CBitmap* pBmpChecked);
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE) { return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos); }
    UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE) { return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags); }

    // -- Queries ------------------------------------------------------------------------
    // (UINT)-1 for a menu without a handle, as the system answers for an invalid menu.
    UINT GetMenuItemCount() const { return (UINT)::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
    int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const
        { return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags); }
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE)
        { return lpMenuItemInfo ? ::GetMenuItemInfoA(m_hMenu, uItem, fByPos, lpMenuItemInfo) : FALSE; }
    BOOL SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE)
        { return lpMenuItemInfo ? ::SetMenuItemInfoA(m_hMenu, uItem, fByPos, lpMenuItemInfo) : FALSE; }
    BOOL GetMenuInfo(LPMENUINFO lpcmi) const { return lpcmi ? ::GetMenuInfo(m_hMenu, lpcmi) : FALSE; }
    BOOL SetMenuInfo(LPCMENUINFO lpcmi) { return lpcmi ? ::SetMenuInfo(m_hMenu, lpcmi) : FALSE; }
    // A borrowed wrapper of the item's submenu; null when the item opens none.
    CMenu* GetSubMenu(int nPos) const;
    int MenuItemFromPoint(HWND hWnd, POINT ptScreen) const { return ::MenuItemFromPoint(hWnd, m_hMenu, ptScreen); }

    // -- Tracking -----------------------------------------------------------------------
    // The result is the command chosen when nFlags holds TPM_RETURNCMD, else success.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
    BOOL TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm);

    // -- Owner drawing --------------------------------------------------------------------
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

private:
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
};

// The permanent CMenu that holds the item nID, searching pMenu and its submenus (depth first);
// null when no permanent menu holds it. An owner-drawn popup item's id is its submenu handle.
AFX_API CMenu* AFXAPI AfxFindPopupMenuFromID(CMenu* pMenu, UINT nID);
