// Shared set-up of the tree tests: a tree in a host window with a small menu definition.
#pragma once

#include "LumoTest.h"
#include "lumo.h"
#include "CTree10.h"

namespace treetest {

using lumotest::ParkCursor;

// Client point in the middle of an item's label; (-1,-1) when the item is not visible.
inline POINT LabelCenter(HWND hTree, HTREEITEM hItem)
{
    RECT rc;
    memcpy(&rc, &hItem, sizeof(hItem));  // the item goes in, its rectangle comes back
    POINT pt = {-1, -1};
    if (::SendMessageA(hTree, TVM_GETITEMRECT, TRUE, (LPARAM)&rc))
    {
        pt.x = (rc.left + rc.right) / 2;
        pt.y = (rc.top + rc.bottom) / 2;
    }
    return pt;
}

inline RECT LabelRect(HWND hTree, HTREEITEM hItem)
{
    RECT rc;
    memcpy(&rc, &hItem, sizeof(hItem));  // the item goes in, its rectangle comes back
    if (!::SendMessageA(hTree, TVM_GETITEMRECT, TRUE, (LPARAM)&rc))
        ::SetRectEmpty(&rc);
    return rc;
}

inline void PostMouse(HWND hWnd, UINT msg, POINT pt, WPARAM keys = 0)
{
    ::PostMessageA(hWnd, msg, keys, MAKELPARAM(pt.x, pt.y));
}

inline bool IsExpanded(HWND hTree, HTREEITEM hItem)
{
    return (::SendMessageA(hTree, TVM_GETITEMSTATE, (WPARAM)hItem, TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
}

inline HTREEITEM Item(HWND hTree, const char* code)
{
    return (HTREEITEM)Tree_GetItem(hTree, code);
}

}  // namespace treetest
