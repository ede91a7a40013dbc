// What lumo.h promises of every flat family: returned texts live until the same function is
// called again for the same object or the object goes, and handles are known only to the thread
// that made them.
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
        Objects o, other;
        ASSERT_NE(Tree_GetItem(o.tree, "7"), nullptr);
        // Tree_GetItemID, Tree_GetItemText, DropWin_GetTitle and LMENU_GetTimeStamp.
        auto texts = [](Objects& x) {
            HTREEITEM_LUMO item = Tree_GetItem(x.tree, "7");
            return std::vector<LPSTR>{Tree_GetItemID(x.tree, item), Tree_GetItemText(x.tree, item),
                                      DropWin_GetTitle(x.drop), LMENU_GetTimeStamp(x.menu)};
        };
        const std::vector<LPSTR> kept = texts(o);
        // Far more calls than any ring of texts would hold, on other objects and functions.
        for (int i = 0; i < 100; ++i)
            texts(other);
        const char* const expected[] = {"7", "Seven", "Drop title", "stamp 1"};
        for (size_t i = 0; i < 4; ++i) {
            ASSERT_NE(kept[i], nullptr) << expected[i];
            EXPECT_STREQ(kept[i], expected[i]);
        }
        EXPECT_EQ(ReturnText::Count(), before + 8);
    }
    // Each object's texts go with it.
    EXPECT_EQ(ReturnText::Count(), before);
}

TEST(FlatContract, HandlesAreUnknownOnOtherThreads)
{
    Objects o;
    // Tree_GetItemID, DropWin_GetTitle, LMENU_GetTimeStamp, DoorWin_GetViewStyle, ShadowWin_Register,
    // Frameset_SetReserveBorder and PopMenu_Pop, asked from another thread.
    std::vector<LONG_PTR> answers;
    std::thread([&] {
        answers = {(LONG_PTR)Tree_GetItemID(o.tree, Tree_GetItem(o.tree, "7")), (LONG_PTR)DropWin_GetTitle(o.drop),
                   (LONG_PTR)LMENU_GetTimeStamp(o.menu), DoorWin_GetViewStyle(o.door), ShadowWin_Register(o.host),
                   Frameset_SetReserveBorder(o.frameset, 1, 1, 1, 1), PopMenu_Pop(o.popup)};
    }).join();
    EXPECT_EQ(answers, (std::vector<LONG_PTR>{0, 0, 0, -1, 0, 0, -1}));
    EXPECT_EQ(Frameset_SetReserveBorder(o.frameset, 1, 1, 1, 1), 1);
    EXPECT_STREQ(DropWin_GetTitle(o.drop), "Drop title");
}
