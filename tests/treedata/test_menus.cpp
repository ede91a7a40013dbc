// Menus made from tree data, read back item by item.
#include <gtest/gtest.h>
#include "LumoTest.h"
#include "TreeDataTest.h"
#include "lumo.h"

using namespace tdtest;

namespace {

void FillFileHelp(CTreeData& data)
{
    Fill(data, { { "2001", "About" }, { "1003", "Exit" }, { "1", "&File" }, { "1002", "-" }, { "2", "&Help" },
                 { "1001", "Open" } });
}

}  // namespace

TEST(TreeDataMenus, MenuBarWithSubmenusIdsAndSeparators)
{
    CTreeData data;
    FillFileHelp(data);
    HMENU bar = data.GenMenu("", 0);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(Describe(bar), "&File> | &Help>");
    HMENU submenu = ::GetSubMenu(bar, 0);
    EXPECT_EQ(Describe(submenu), "Open=1001 | - | Exit=1003");
    EXPECT_EQ(Describe(::GetSubMenu(bar, 1)), "About=2001");

    HMENU popup = data.GenMenu("1", 1);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(Describe(popup), "Open=1001 | - | Exit=1003");

    HMENU leaf = data.GenMenu("1001", 1);  // a leaf gives an empty menu, not null
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(::GetMenuItemCount(leaf), 0);

    EXPECT_EQ(data.GenMenu("9", 0), nullptr);
    data.DestroyMenus();
    EXPECT_FALSE(::IsMenu(bar));
    EXPECT_FALSE(::IsMenu(submenu));
    EXPECT_FALSE(::IsMenu(popup));
    EXPECT_FALSE(::IsMenu(leaf));
    data.DestroyMenus();  // nothing left to destroy

    CTreeData empty;
    EXPECT_EQ(empty.GenMenu("", 0), nullptr);
    EXPECT_EQ(empty.GenMenu(nullptr, 1), nullptr);
}

TEST(TreeDataMenus, SeparatorRecordsAndCodesThatAreNotNumbers)
{
    CTreeData data;
    // 7 is a separator with children, left out
    Fill(data, { { "1", "One" }, { "3", "-" }, { "5", "Five" }, { "7", "-" }, { "71", "Hidden" }, { "8x", "Eight" },
                 { "A", "Letter" } });
    HMENU bar = data.GenMenu("", 0);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(Describe(bar), "One=1 | - | Five=5 | Eight=8 | Letter=0");
    EXPECT_EQ(data.GenMenu("3", 1), nullptr);
    EXPECT_EQ(data.GenMenu("7", 1), nullptr);
    data.DestroyMenus();
}

// Menus nest at most LMENU_MAX_LEVELS deep, counted from the menu made: the records below a node
// of the deepest menu follow it there, in order, as commands and separators. A menu holds at most
// LMENU_MAX_MENU_ITEMS entries; data beyond that makes no menu at all.
TEST(TreeDataMenus, DepthAndEntriesPerMenuAreLimited)
{
    // nested: a top record 5 and then records of the code 55, each the child of the one before,
    // with the texts L1, L2, ...; flat: children of the deepest, codes 559...
    struct Case {
        const char* name;
        int nested, flat;
        bool made;
        const char* deepest;  // the deepest menu, when made
    };
    const Case cases[] = {
        {"deepest menu", LMENU_MAX_LEVELS, 0, true, "L63=55"},
        {"one level deeper", LMENU_MAX_LEVELS + 1, 0, true, "L63=55 | L64=55"},
        {"far deeper", LMENU_MAX_LEVELS + 4, 0, true, "L63=55 | L64=55 | - | L66=55 | L67=55"},
        {"full menu", 1, LMENU_MAX_MENU_ITEMS, true, nullptr},
        {"one entry more", 1, LMENU_MAX_MENU_ITEMS + 1, false, nullptr},
        {"a long top level", 0, LMENU_MAX_MENU_ITEMS + 1, false, nullptr},
        {"too many below the deepest", LMENU_MAX_LEVELS + LMENU_MAX_MENU_ITEMS, 0, false, nullptr},
    };
    lumotest::HostWindow host(300, 200);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTreeData data;
        for (int i = 0; i < c.nested; ++i)
            data.AddItem(i == 0 ? "5" : "55", i == 65 ? "-" : ("L" + std::to_string(i)).c_str(), "", "", 0, 0, "", 0);
        for (int i = 0; i < c.flat; ++i)
            data.AddItem((std::string(c.nested > 1 ? "55" : c.nested ? "5" : "") + "9" + std::to_string(1000 + i)).c_str(),
                         "Leaf", "", "", 0, 0, "", 0);
        HMENU bar = data.GenMenu("", 1);
        EXPECT_EQ(bar != nullptr, c.made);
        HMENU menu = bar;
        int depth = 1;
        while (menu && ::GetMenuItemCount(menu) == 1 && ::GetSubMenu(menu, 0)) {
            menu = ::GetSubMenu(menu, 0);
            ++depth;
        }
        if (c.made) {
            EXPECT_EQ(depth, c.flat > 0 ? c.nested + 1 : std::min(c.nested, LMENU_MAX_LEVELS));
            if (c.deepest)
                EXPECT_EQ(Describe(menu), c.deepest);
            else
                EXPECT_EQ(::GetMenuItemCount(menu), c.flat);
        }
        EXPECT_EQ(data.ChangeMenu(host, "") != FALSE, c.made);
        ::SetMenu(host, nullptr);
        data.DestroyMenus();
    }

    // Counted from the record the menu is made for.
    CTreeData data;
    data.AddItem("4", "Top", "", "", 0, 0, "", 0);
    std::string code = "4";
    for (int i = 0; i < LMENU_MAX_LEVELS + 1; ++i)
        data.AddItem((code += "4").c_str(), ("M" + std::to_string(i)).c_str(), "", "", 0, 0, "", 0);
    HMENU menu = data.GenMenu("44", 1);
    ASSERT_NE(menu, nullptr);
    int depth = 1;
    while (::GetMenuItemCount(menu) == 1 && ::GetSubMenu(menu, 0)) {
        menu = ::GetSubMenu(menu, 0);
        ++depth;
    }
    EXPECT_EQ(depth, LMENU_MAX_LEVELS);
    EXPECT_EQ(::GetMenuItemCount(menu), 1);  // the last record, a leaf
    data.DestroyMenus();
}

TEST(TreeDataMenus, ChangeMenuSetsABarOnTheWindow)
{
    lumotest::HostWindow host(300, 200);
    CTreeData data;
    FillFileHelp(data);
    EXPECT_FALSE(data.ChangeMenu(host, "42"));
    EXPECT_EQ(::GetMenu(host), nullptr);
    ASSERT_TRUE(data.ChangeMenu(host, ""));
    HMENU bar = ::GetMenu(host);
    EXPECT_EQ(Describe(bar), "&File> | &Help>");
    HMENU file = ::GetSubMenu(bar, 0);
    ASSERT_TRUE(data.ChangeMenu(host, "2"));
    EXPECT_EQ(Describe(::GetMenu(host)), "About=2001");
    // The bar it replaced was made here: it goes, submenus and all.
    EXPECT_FALSE(::IsMenu(bar));
    EXPECT_FALSE(::IsMenu(file));

    // A child window takes no menu bar; the menu made for it is not left behind.
    lumotest::HostWindow child(50, 50, true, host);
    HMENU before = ::GetMenu(host);
    EXPECT_FALSE(data.ChangeMenu(child, ""));
    EXPECT_FALSE(data.ChangeMenu(nullptr, ""));
    EXPECT_EQ(::GetMenu(host), before);

    // Repeated changes leave only the bar on the window; a menu of the host's own is kept, and
    // a bar set on a window belongs to it (the collection's DestroyMenus leaves it alone).
    std::vector<HMENU> made;
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(data.ChangeMenu(host, ""));
        made.push_back(::GetMenu(host));
        made.push_back(::GetSubMenu(::GetMenu(host), 1));
    }
    EXPECT_EQ(std::count_if(made.begin(), made.end(), [](HMENU m) { return ::IsMenu(m); }), 2);
    HMENU own = ::CreateMenu();
    ::AppendMenuA(own, MF_STRING, 5, "Own");
    ::SetMenu(host, own);
    ASSERT_TRUE(data.ChangeMenu(host, ""));
    EXPECT_TRUE(::IsMenu(own));
    ::DestroyMenu(own);
    data.DestroyMenus();
    EXPECT_EQ(Describe(::GetMenu(host)), "&File> | &Help>");
}
