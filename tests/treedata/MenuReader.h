// Reads a system menu back item by item.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

namespace tdtest {

struct MenuItem {
    bool separator = false;
    HMENU submenu = nullptr;
    UINT id = 0;
    std::string text;
};

inline std::vector<MenuItem> ReadMenu(HMENU menu)
{
    std::vector<MenuItem> items;
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = sizeof(text);
        if (!::GetMenuItemInfoA(menu, i, TRUE, &mii))
            break;
        MenuItem item;
        item.separator = (mii.fType & MFT_SEPARATOR) != 0;
        item.submenu = mii.hSubMenu;
        item.id = mii.wID;
        item.text = item.separator ? "" : text;
        items.push_back(item);
    }
    return items;
}

// "&File>" for a submenu, "-" for a separator, "Open=1001" for a command.
inline std::string Describe(HMENU menu)
{
    std::string out;
    for (const MenuItem& item : ReadMenu(menu)) {
        if (!out.empty())
            out += " | ";
        if (item.separator)
            out += "-";
        else if (item.submenu)
            out += item.text + ">";
        else
            out += item.text + "=" + std::to_string(item.id);
    }
    return out;
}

}  // namespace tdtest
