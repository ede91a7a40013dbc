// Item data of owner-drawn menu items.
#pragma once

#include <windows.h>
#include <oleacc.h>

class CMenuItem;
class CMenuEx;

// It starts with the accessibility record, so a screen reader finds the item's text at the
// item data's address (owner-drawn items have no text of their own in the system's menu).
struct CMenuItemData
{
    MSAAMENUINFO msaa;  // pszWText owned
    CMenuItem* pItem;   // null for a separator
    CMenuEx* pMenu;     // the level the item was appended to
};
