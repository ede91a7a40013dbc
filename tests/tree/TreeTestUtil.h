// Shared set-up of the tree tests: a tree in a host window, and reading its items back.
#pragma once

#include "LumoTest.h"
#include "lumo.h"
#include "CTree10.h"

namespace treetest {

// A tree in a host window, both gone after the test.
class TreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        lumotest::ParkCursor();
        host_ = lumotest::CreateHostWindow(400, 300);
        tree_ = Tree_new(host_, 0, 0, 200, 280, 0);
        ASSERT_NE(tree_, nullptr);
    }
    void TearDown() override
    {
        if (::IsWindow(tree_))
            Tree_delete(tree_);
        lumotest::DestroyAllHostWindows();
    }
    HWND host_ = nullptr;
    HWND tree_ = nullptr;
};

inline RECT LabelRect(HWND hTree, HTREEITEM hItem)
{
    RECT rc;
    memcpy(&rc, &hItem, sizeof(hItem));  // the item goes in, its rectangle comes back
    if (!::SendMessageA(hTree, TVM_GETITEMRECT, TRUE, (LPARAM)&rc))
        ::SetRectEmpty(&rc);
    return rc;
}

// Client point in the middle of an item's label; (-1,-1) when the item is not visible.
inline POINT LabelCenter(HWND hTree, HTREEITEM hItem)
{
    RECT rc = LabelRect(hTree, hItem);
    return ::IsRectEmpty(&rc) ? POINT{-1, -1} : POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
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
