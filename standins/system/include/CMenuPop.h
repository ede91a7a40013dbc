// The system library's popup menu: the object behind the PopMenu_* handles.
#pragma once

#include "SysDefs.h"

// A one-shot context menu for an owner window: items with a parent id (0 = top level), checks,
// greying, a picture, and a pop-up that answers the chosen command id (0 when dismissed).
// The system library declares the operations; the drawing library supplies the menu that
// implements them, so the operations stay in this order whoever implements them.
class LUMOSYS_API CMenuPop
{
public:
    explicit CMenuPop(HWND hOwner);
    virtual ~CMenuPop();

    // Shows an icon (not owned: the caller keeps it alive until the menu is gone) in front of
    // the item with that id; nothing for an unknown id.
    virtual void SetItemIcon(int nID, HICON hIcon) = 0;
    // Adds an item, or changes the text and parent of the item with that id; the text "-" is
    // a separator.
    virtual void SetItem(int nID, const CString& strText, int nParentID) = 0;
    virtual void SetCheck(int nID, int bCheck) = 0;
    virtual void SetEnable(int nID, int bEnable) = 0;
    // Shows the menu with its top-left corner at the screen point and waits for the user.
    virtual int Popup(int x, int y) = 0;
    virtual void SetScaleMode(int nMode) = 0;

    HWND GetOwner() const { return m_hOwner; }

protected:
    HWND m_hOwner;

private:
    CMenuPop(const CMenuPop&);
    CMenuPop& operator=(const CMenuPop&);
};
