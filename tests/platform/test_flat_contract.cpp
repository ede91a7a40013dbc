// What lumo.h promises of every flat family: returned texts live until the same function is
// called again for the same object or the object goes, and handles are known only to the thread
// that made them.
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include "LumoTest.h"
#include "lumo.h"
#include "frame/ReturnText.h"

using namespace lumotest;

namespace {

// A door with a drop holding a tree with one item, and a collection with a time stamp.
struct Objects {
    HostWindow host{400, 300};
    HWND door = DoorWin_new(host);
    HWND drop = DropWin_new(door, "Drop title", 4, 4, 4, 150);
    HWND tree = Tree_new(host, 0, 0, 100, 100, 0);
    HLMENU menu = LMENU_new();
    HFRAMESET frameset = Frameset_new(host);
    HPOPMENU popup = PopMenu_New(host);
    Objects()
    {
        Tree_AddItem(tree, "7", "Seven", "");
        Tree_Build(tree);
        std::string file = TempPath("contract.dat");
        LMENU_AddMenuItem(menu, "1", "One", "", "", "", 0);
        LMENU_SaveToFile(menu, file.c_str(), "stamp 1");
        LMENU_LoadFromFile(menu, file.c_str());
        ::DeleteFileA(file.c_str());
    }
    ~Objects() { LMENU_delete(menu); }
};

}  // namespace

TEST(FlatContract, ReturnedTextsLiveUntilTheSameCallOnTheSameObject)
{
    const int before = ReturnText::Count();
    {
        Objects o;
        Objects other;
        HTREEITEM_LUMO item = Tree_GetItem(o.tree, "7");
        struct Case {
            const char* name;
            std::function<LPSTR(Objects&)> get;
            const char* text;
        } cases[] = {
            {"Tree_GetItemID", [](Objects& x) { return Tree_GetItemID(x.tree, Tree_GetItem(x.tree, "7")); }, "7"},
            {"Tree_GetItemText", [](Objects& x) { return Tree_GetItemText(x.tree, Tree_GetItem(x.tree, "7")); }, "Seven"},
            {"DropWin_GetTitle", [](Objects& x) { return DropWin_GetTitle(x.drop); }, "Drop title"},
            {"LMENU_GetTimeStamp", [](Objects& x) { return LMENU_GetTimeStamp(x.menu); }, "stamp 1"},
        };
        ASSERT_NE(item, nullptr);
        std::vector<LPSTR> kept;
        for (Case& c : cases)
            kept.push_back(c.get(o));
        // Far more calls than any ring of texts would hold, on other objects and functions.
        for (int i = 0; i < 100; ++i)
            for (Case& c : cases)
                c.get(other);
        for (size_t i = 0; i < kept.size(); ++i) {
            SCOPED_TRACE(cases[i].name);
            ASSERT_NE(kept[i], nullptr);
            EXPECT_STREQ(kept[i], cases[i].text);
        }
        EXPECT_EQ(ReturnText::Count(), before + 8);
    }
    // Each object's texts go with it.
    EXPECT_EQ(ReturnText::Count(), before);
}

TEST(FlatContract, HandlesAreUnknownOnOtherThreads)
{
    Objects o;
    struct Answers {
        LPSTR id, title, stamp;
        int viewStyle, shadow, frameset, pop;
    } a = {};
    std::thread([&] {
        a.id = Tree_GetItemID(o.tree, Tree_GetItem(o.tree, "7"));
        a.title = DropWin_GetTitle(o.drop);
        a.stamp = LMENU_GetTimeStamp(o.menu);
        a.viewStyle = DoorWin_GetViewStyle(o.door);
        a.shadow = ShadowWin_Register(o.host);
        a.frameset = Frameset_SetReserveBorder(o.frameset, 1, 1, 1, 1);
        a.pop = PopMenu_Pop(o.popup);
    }).join();
    EXPECT_EQ(a.id, nullptr);
    EXPECT_EQ(a.title, nullptr);
    EXPECT_EQ(a.stamp, nullptr);
    EXPECT_EQ(a.viewStyle, -1);
    EXPECT_EQ(a.shadow, 0);
    EXPECT_EQ(a.frameset, 0);
    EXPECT_EQ(a.pop, -1);
    EXPECT_EQ(Frameset_SetReserveBorder(o.frameset, 1, 1, 1, 1), 1);
    EXPECT_STREQ(DropWin_GetTitle(o.drop), "Drop title");
}
