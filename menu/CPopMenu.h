// The menu behind the PopMenu_* handles, and the set of handles that are alive.
#pragma once

#include "CMenuPop.h"
#include "CMenuPopEx.h"

// A system-library popup menu drawn by this library: always owner-drawn, whatever the system.
class CPopMenu : public CMenuPop
{
public:
    // A new menu entered as a live handle; null when the owner is not a window or out of memory.
    static CPopMenu* Create(HWND hOwner);
    // The menu of a live handle, or null for any other value.
    static CPopMenu* FromHandle(const void* hHandle);
    // The menu of a live handle, which stops being live; the caller deletes the menu.
    static CPopMenu* Take(const void* hHandle);

    virtual ~CPopMenu();

    virtual void SetItemIcon(int nID, HICON hIcon);
    virtual void SetItem(int nID, const CString& strText, int nParentID);
    virtual void SetCheck(int nID, int bCheck);
    virtual void SetEnable(int nID, int bEnable);
    virtual int Popup(int x, int y);
    virtual void SetScaleMode(int nMode);

private:
    // The menu, with its items open to look-up by id.
    class CItems : public CMenuPopEx
    {
    public:
        explicit CItems(HWND hOwner) : CMenuPopEx(hOwner, 2) {}
        CMenuItem* Find(int nID)
        {
            int nIndex = FindItem(nID);
            return nIndex >= 0 ? m_arrItems[nIndex] : NULL;
        }
    };

    explicit CPopMenu(HWND hOwner);

    CItems m_menu;
};
