// The LMENU_* family: a whole round trip through the flat functions, and handles that are not
// (or no longer) live.
#include "TreeDataTest.h"
#include "lumo.h"
#include "treedata/CLmenuHandles.h"

using namespace tdtest;
using LmenuFamily = TreeDataFolder;

TEST_F(LmenuFamily, BuildSaveLoadAndSetAMenuBar)
{
    lumotest::HostWindow host(300, 200);

    HLMENU h = LMENU_new();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(LMENU_GetLastError(h), 0);
    LMENU_AddMenuItem(h, "2", "&Help", "", "", "", 0);
    LMENU_AddMenuItem(h, "1", "&File", "", "File menu", "", 0);
    LMENU_AddMenuItem(h, "1001", " Open ", "o", "Opens", "doc.lla", 3);
    LMENU_AddMenuItem(h, "   ", "nothing", "", "", "", 0);
    LMENU_AddMenuItem(h, nullptr, nullptr, nullptr, nullptr, nullptr, 0);
    CTreeData* data = CLmenuHandles::FromHandle(h);
    ASSERT_EQ(data, (CTreeData*)h);
    EXPECT_EQ(data->GetSize(), 3);
    ASSERT_EQ(LMENU_SaveToFile(h, path_, "v1"), 1);
    EXPECT_EQ(Unscramble(ReadBytes(path_)),
              std::string("v1\r\n1\t&File\t\t0\tFile menu\t\t0\r\n1001\tOpen\to\t1\tOpens\tdoc.lla\t3\r\n"
                          "2\t&Help\t\t0\t\t\t0\r\n") + '\0');
    EXPECT_STREQ(LMENU_GetTimeStamp(h), "");
    LMENU_delete(h);

    HLMENU loaded = LMENU_new();
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(LMENU_LoadFromFile(loaded, path_), 1);
    EXPECT_STREQ(LMENU_GetTimeStamp(loaded), "v1");
    EXPECT_STREQ(CLmenuHandles::FromHandle(loaded)->GetTip(1), "Opens");
    EXPECT_EQ(LMENU_ChangeMenu(loaded, host, "77"), 0);
    EXPECT_EQ(::GetMenu(host), nullptr);
    ASSERT_EQ(LMENU_ChangeMenu(loaded, host, ""), 1);
    HMENU bar = ::GetMenu(host);
    EXPECT_EQ(Describe(bar), "&File> | &Help=2");
    EXPECT_EQ(Describe(::GetSubMenu(bar, 0)), "Open=1001");
    LMENU_delete(loaded);
    EXPECT_TRUE(::IsMenu(bar));  // the window keeps its menu
}

TEST_F(LmenuFamily, UnknownHandlesDoNothingAndFail)
{
    lumotest::HostWindow host(300, 200);
    const int liveBefore = CLmenuHandles::GetCount();

    HLMENU live = LMENU_new();
    LMENU_AddMenuItem(live, "1", "One", "", "", "", 0);
    ASSERT_EQ(LMENU_SaveToFile(live, path_, "S"), 1);

    HLMENU freed = LMENU_new();
    LMENU_AddMenuItem(freed, "1", "One", "", "", "", 0);
    LMENU_delete(freed);

    int onStack = 0;
    void* heapBlock = malloc(64);
    const HLMENU bad[] = { nullptr, freed, (HLMENU)(INT_PTR)0x12345678, (HLMENU)(INT_PTR)-1, (HLMENU)&onStack,
                           heapBlock, (HLMENU)((char*)live + 8) };
    for (HLMENU h : bad) {
        LMENU_AddMenuItem(h, "2", "Two", "", "", "", 0);
        EXPECT_EQ(LMENU_SaveToFile(h, dir_.File("bad.dat").c_str(), "S"), 0);
        EXPECT_EQ(LMENU_LoadFromFile(h, path_), 0);
        EXPECT_EQ(LMENU_GetTimeStamp(h), nullptr);
        EXPECT_EQ(LMENU_ChangeMenu(h, host, ""), 0);
        EXPECT_EQ(LMENU_GetLastError(h), 0);
        LMENU_delete(h);
    }
    free(heapBlock);
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{ "data.dat" });
    EXPECT_EQ(::GetMenu(host), nullptr);

    // The live handle was not touched by any of that.
    CTreeData* data = CLmenuHandles::FromHandle(live);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->GetSize(), 1);
    EXPECT_EQ(CLmenuHandles::GetCount(), liveBefore + 1);

    // Arguments that are bad for a live handle fail the same way.
    EXPECT_EQ(LMENU_SaveToFile(live, nullptr, "S"), 0);
    EXPECT_EQ(LMENU_LoadFromFile(live, nullptr), 0);
    EXPECT_EQ(LMENU_ChangeMenu(live, nullptr, ""), 0);
    EXPECT_EQ(LMENU_ChangeMenu(live, (HWND)(INT_PTR)0x5678, ""), 0);
    EXPECT_EQ(LMENU_SaveToFile(live, dir_.File("nostamp.dat").c_str(), nullptr), 1);

    LMENU_delete(live);
    LMENU_delete(live);
    EXPECT_EQ(CLmenuHandles::FromHandle(live), nullptr);
    EXPECT_EQ(CLmenuHandles::GetCount(), liveBefore);
}
