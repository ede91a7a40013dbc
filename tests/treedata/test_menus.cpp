// Menus made from tree data, read back item by item.
#include <gtest/gtest.h>
#include "LumoTest.h"
#include "MenuReader.h"
#include "TreeDataTest.h"
#include "CTreeData.h"

#include <string>

using namespace tdtest;

namespace {

void FillFileHelp(CTreeData& data)
{
    data.AddItem("2001", "About", "", "", 0, 0, "", 0);
    data.AddItem("1003", "Exit", "", "", 0, 0, "", 0);
    data.AddItem("1", "&File", "", "", 0, 0, "", 0);
    data.AddItem("1002", "-", "", "", 0, 0, "", 0);
    data.AddItem("2", "&Help", "", "", 0, 0, "", 0);
    data.AddItem("1001", "Open", "", "", 0, 0, "", 0);
}

}  // namespace

TEST(TreeDataMenus, MenuBarWithSubmenusIdsAndSeparators)
{
    CTreeData data;
    FillFileHelp(data);
    HMENU bar = data.GenMenu("", 0);
    ASSERT_NE(bar, nullptr);
    std::vector<MenuItem> top = ReadMenu(bar);
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].text, "&File");
    EXPECT_EQ(top[1].text, "&Help");
    ASSERT_TRUE(::IsMenu(top[0].submenu));
    ASSERT_TRUE(::IsMenu(top[1].submenu));
    EXPECT_EQ(Describe(top[0].submenu), "Open=1001 | - | Exit=1003");
    EXPECT_EQ(Describe(top[1].submenu), "About=2001");

    HMENU popup = data.GenMenu("1", 1);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(Describe(popup), "Open=1001 | - | Exit=1003");

    HMENU leaf = data.GenMenu("1001", 1);  // a leaf gives an empty menu, not null
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(::GetMenuItemCount(leaf), 0);

    EXPECT_EQ(data.GenMenu("9", 0), nullptr);
    HMENU submenu = top[0].submenu;
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
    data.AddItem("1", "One", "", "", 0, 0, "", 0);
    data.AddItem("3", "-", "", "", 0, 0, "", 0);
    data.AddItem("5", "Five", "", "", 0, 0, "", 0);
    data.AddItem("7", "-", "", "", 0, 0, "", 0);  // a separator with children is left out
    data.AddItem("71", "Hidden", "", "", 0, 0, "", 0);
    data.AddItem("8x", "Eight", "", "", 0, 0, "", 0);
    data.AddItem("A", "Letter", "", "", 0, 0, "", 0);
    HMENU bar = data.GenMenu("", 0);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(Describe(bar), "One=1 | - | Five=5 | Eight=8 | Letter=0");
    EXPECT_EQ(data.GenMenu("3", 1), nullptr);
    EXPECT_EQ(data.GenMenu("7", 1), nullptr);
    data.DestroyMenus();
}

TEST(TreeDataMenus, DeepAndInconsistentFileLevelsStillEnd)
{
    TempDir dir(lumotest::TempPath("tdmenu"));
    std::string path = dir.File("deep.txt");
    // 3000 levels deep, each record a node of the next, with codes that are all the same.
    std::string text = "s\r\n";
    for (int i = 0; i < 3000; ++i)
        text += "5\tItem\t\t" + std::to_string(i) + "\r\n";
    text += "6\tLast\t\t0\r\n";
    ASSERT_TRUE(WriteBytes(path, text));
    CTreeData data;
    ASSERT_TRUE(data.LoadFromFile(path.c_str()));
    HMENU bar = data.GenMenu("", 1);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(Describe(bar), "Item> | Last=6");
    HMENU menu = bar;
    int depth = 0;
    while (::GetMenuItemCount(menu) > 0 && ::GetSubMenu(menu, 0)) {
        menu = ::GetSubMenu(menu, 0);
        ++depth;
    }
    EXPECT_EQ(depth, 2999);
    EXPECT_EQ(Describe(menu), "Item=5");
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
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(Describe(bar), "&File> | &Help>");
    ASSERT_TRUE(data.ChangeMenu(host, "2"));
    EXPECT_EQ(Describe(::GetMenu(host)), "About=2001");
    EXPECT_TRUE(::IsMenu(bar));  // the previous bar is the host's to destroy

    // A child window takes no menu bar; the menu made for it is not left behind.
    lumotest::HostWindow child(50, 50, true, host);
    HMENU before = ::GetMenu(host);
    EXPECT_FALSE(data.ChangeMenu(child, ""));
    EXPECT_FALSE(data.ChangeMenu(nullptr, ""));
    EXPECT_EQ(::GetMenu(host), before);
    ::SetMenu(host, nullptr);
    data.DestroyMenus();
    EXPECT_FALSE(::IsMenu(bar));
    EXPECT_FALSE(::IsMenu(before));
}
