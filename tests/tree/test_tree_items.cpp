// Tree items: labels composed from texts and details, root codes, relabelling, deletion, the
// registry behind the flat functions, and the failure values for unknown trees.
#include "TreeTestUtil.h"
#include "frame/LumoRes.h"

#include <algorithm>
#include <fstream>
#include <random>

using namespace lumotest;
using namespace treetest;

namespace {

// Codes 1 (Files, detail F), 101 (1.Open, detail open), 102 (a separator), 2 (Help).
HLMENU MakeMenu()
{
    HLMENU h = LMENU_new();
    LMENU_AddMenuItem(h, "1", "Files", "F", "tip of files", "", 0);
    LMENU_AddMenuItem(h, "101", "1.Open", "open", "tip of open", "", 0);
    LMENU_AddMenuItem(h, "102", "-", "", "", "", 0);
    LMENU_AddMenuItem(h, "2", "Help", "", "", "", 0);
    return h;
}

std::string Text(HWND hTree, void* hItem)
{
    const char* p = Tree_GetItemText(hTree, hItem);
    return p ? p : "<null>";
}

// Each item's label with the labels of its children in parentheses: "a(b c(d)) e".
std::string Outline(HWND hTree, HTREEITEM hParent = TVI_ROOT)
{
    std::string out;
    for (HTREEITEM h = TreeView_GetChild(hTree, hParent); h; h = TreeView_GetNextSibling(hTree, h)) {
        if (!out.empty())
            out += " ";
        out += Text(hTree, h);
        if (TreeView_GetChild(hTree, h))
            out += "(" + Outline(hTree, h) + ")";
    }
    return out;
}

class TreeItems : public TreeTest {
protected:
    void SetUp() override
    {
        TreeTest::SetUp();
        menu_ = MakeMenu();
    }
    void TearDown() override
    {
        TreeTest::TearDown();
        LMENU_delete(menu_);
    }
    HLMENU menu_ = nullptr;
};

}  // namespace

TEST_F(TreeItems, LabelsJoinTextAndDetailAndSkipSeparators)
{
    Tree_BindLmenu(tree_, menu_, "", 3, 1);
    EXPECT_EQ(Outline(tree_), "Files  (F)(1.Open) Help");
    void* open = Tree_GetItem(tree_, "101");
    ASSERT_NE(open, nullptr);
    EXPECT_STREQ(Tree_GetItemID(tree_, open), "101");  // read through the item's record index
    EXPECT_EQ(Tree_GetItem(tree_, "102"), nullptr);
    EXPECT_EQ(Tree_ItemHasChildren(tree_, Tree_GetItem(tree_, "1")), 1);
    EXPECT_EQ(Tree_ItemHasChildren(tree_, open), 0);

    // Details only: the separator and Help get empty labels, but items all the same.
    Tree_BindLmenu(tree_, menu_, "", 2, 1);
    EXPECT_EQ(Outline(tree_), "F(open ) ");

    // Relabelling keeps the items, their number and order.
    void* files = Tree_GetItem(tree_, "1");
    Tree_BindLmenu(tree_, menu_, "", 1, 0);
    EXPECT_EQ(Outline(tree_), "Files(1.Open -) Help");
    EXPECT_EQ(Tree_GetItem(tree_, "1"), files);

    // A root code shows one branch; an unknown one leaves the tree empty.
    Tree_BindLmenu(tree_, menu_, "1", 3, 1);
    EXPECT_EQ(Outline(tree_), "Files  (F)(1.Open)");
    Tree_BindLmenu(tree_, menu_, "9", 3, 1);
    EXPECT_EQ(SendMessageA(tree_, TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(TreeItems, OwnDataAddDeleteSetAndRebuild)
{
    Tree_AddItem(tree_, "10", "Alpha", "a tip");
    Tree_AddItem(tree_, "1010", "Beta", "b tip");
    Tree_AddItem(tree_, "20", "Gamma", "");
    EXPECT_EQ(SendMessageA(tree_, TVM_GETCOUNT, 0, 0), 0);
    Tree_Build(tree_);
    EXPECT_EQ(Outline(tree_), "Alpha(Beta) Gamma");

    Tree_SetItem(tree_, "1010", "Beta two", "new tip");
    EXPECT_EQ(Text(tree_, Tree_GetItem(tree_, "1010")), "Beta two");
    CTree10* tree = CTree10::GetObject(tree_);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(std::string(tree->GetItemTip(tree->GetItem("1010"))), "new tip");
    EXPECT_EQ(tree->SetItem("77", "x", "y"), 0);

    EXPECT_EQ(Tree_DeleteItem(tree_, "99"), 0);
    EXPECT_EQ(Tree_DeleteItem(tree_, "10"), 1);  // takes its child along
    EXPECT_EQ(Outline(tree_), "Gamma");
    EXPECT_EQ(Tree_DeleteItem(tree_, "  "), 1);
    EXPECT_EQ(SendMessageA(tree_, TVM_GETCOUNT, 0, 0), 0);
    Tree_Build(tree_);
    EXPECT_EQ(SendMessageA(tree_, TVM_GETCOUNT, 0, 0), 3);
}

TEST_F(TreeItems, SettersReachTheControlAndRefuseBadValues)
{
    // Picture indices outside the strips are refused.
    EXPECT_EQ(Tree_SetNodeBmp(tree_, 2), 0);
    EXPECT_EQ(Tree_SetNodeBmp(tree_, -1), 2);
    EXPECT_EQ(Tree_SetNodeBmp(tree_, GetTreeNodes()), 2);
    EXPECT_EQ(Tree_GetNodeBmp(tree_), 2);
    EXPECT_EQ(Tree_SetLeafBmp(tree_, 1), 0);
    EXPECT_EQ(Tree_SetLeafBmp(tree_, GetTreeLeave()), 1);
    EXPECT_EQ(Tree_GetLeafBmp(tree_), 1);

    int height = Tree_GetLineHeight(tree_);
    EXPECT_GE(height, 18);
    EXPECT_EQ(Tree_SetLineHeight(tree_, 30), height);
    EXPECT_EQ(SendMessageA(tree_, TVM_GETITEMHEIGHT, 0, 0), 30);

    EXPECT_EQ(Tree_SetBkColor(tree_, 0x12, 0x34, 0x56), 0xFFFFFFu);
    int r = -1, g = -1, b = -1;
    EXPECT_EQ(Tree_GetBkColor(tree_, &r, &g, &b), 0x563412u);
    EXPECT_EQ(r << 16 | g << 8 | b, 0x123456);
    // The text colour follows the background: light on dark ones, black on light ones.
    struct { COLORREF back, text; } colours[] = {
        {0x000000, 0xEBEBEB}, {0xFFFFFF, 0}, {0xFF0000, 0xEBEBEB}, {0x00FF00, 0}, {0x0000FF, 0xEBEBEB}};
    for (auto& c : colours) {
        Tree_SetBkColor(tree_, GetRValue(c.back), GetGValue(c.back), GetBValue(c.back));
        EXPECT_EQ((COLORREF)SendMessageA(tree_, TVM_GETTEXTCOLOR, 0, 0), c.text) << std::hex << c.back;
        EXPECT_EQ((COLORREF)SendMessageA(tree_, TVM_GETBKCOLOR, 0, 0), c.back);
    }

    EXPECT_EQ(Tree_SetSingleExpand(tree_, 0), 1);
    EXPECT_EQ(Tree_GetSingleExpand(tree_), 0);
    EXPECT_EQ(Tree_SetMousemoveSelect(tree_, 0), 1);

    auto edges = [&] {
        return (GetWindowLongPtrA(tree_, GWL_STYLE) & WS_BORDER) |
               (GetWindowLongPtrA(tree_, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    };
    EXPECT_EQ(Tree_SetBorder(tree_, 5), 1);
    EXPECT_EQ(edges(), WS_BORDER | WS_EX_CLIENTEDGE);
    EXPECT_EQ(Tree_SetBorder(tree_, 0), 5);
    EXPECT_EQ(edges(), 0);
}

TEST_F(TreeItems, UnknownAndDestroyedTreesGiveFailureValues)
{
    Tree_BindLmenu(tree_, menu_, "", 3, 1);
    void* item = Tree_GetItem(tree_, "1");
    ASSERT_NE(item, nullptr);
    // The tree's window destroyed by its host: the handle is as unknown as any other.
    DestroyWindow(tree_);
    EXPECT_EQ(CTree10::GetObject(tree_), nullptr);
    for (HWND h : {(HWND) nullptr, (HWND)(LONG_PTR)0x1234, host_, tree_}) {
        SCOPED_TRACE(h);
        Tree_Build(h);
        Tree_AddItem(h, "5", "x", "");
        Tree_SetItem(h, "1", "x", "");
        Tree_BindLmenu(h, menu_, "", 3, 1);
        Tree_Expand(h, "1", 1);
        Tree_SetBkImage(h, "nothing.bmp");
        Tree_Redraw(h);
        Tree_SetSendMsg(h, host_, 1);
        EXPECT_EQ((std::vector<const void*>{Tree_GetSelectedItem(h), Tree_GetItemID(h, item),
                                             Tree_GetItem(h, "1"), Tree_GetItemText(h, item)}),
                  std::vector<const void*>(4, nullptr));
        // DeleteItem, ItemHasChildren, Set/GetNodeBmp, Set/GetLeafBmp, Set/GetLineHeight, Set/GetBorder,
        // Set/GetSingleExpand, Set/GetMousemoveSelect, SelectItem
        EXPECT_EQ((std::vector<int>{Tree_DeleteItem(h, ""), Tree_ItemHasChildren(h, item), Tree_SetNodeBmp(h, 1),
                                    Tree_GetNodeBmp(h), Tree_SetLeafBmp(h, 1), Tree_GetLeafBmp(h),
                                    Tree_SetLineHeight(h, 40), Tree_GetLineHeight(h), Tree_SetBorder(h, 4),
                                    Tree_GetBorder(h), Tree_SetSingleExpand(h, 0), Tree_GetSingleExpand(h),
                                    Tree_SetMousemoveSelect(h, 0), Tree_GetMousemoveSelect(h),
                                    Tree_SelectItem(h, "1")}),
                  (std::vector<int>{0, 0, 0, -1, 0, -1, 0, 0, 0, 0, 0, 0, 1, 1, 0}));
        int r = 7, g = 7, b = 7;
        EXPECT_EQ(Tree_GetBkColor(h, &r, &g, &b), 0u);
        EXPECT_EQ(r + g + b, 0);
        EXPECT_EQ(Tree_SetBkColor(h, 1, 2, 3), 0u);
        Tree_delete(h);
    }
    EXPECT_TRUE(IsWindow(host_));
}

// Two trees on one collection each find their own items; an item of another tree, a made-up
// or deleted one, gives the failure values.
TEST_F(TreeItems, EachTreeFindsItsOwnItemsOnly)
{
    HWND other = Tree_new(host_, 0, 0, 100, 100, 0);
    Tree_BindLmenu(tree_, menu_, "", 3, 1);
    Tree_BindLmenu(other, menu_, "", 1, 1);
    void* mine = Tree_GetItem(tree_, "101");
    void* theirs = Tree_GetItem(other, "101");
    ASSERT_NE(mine, nullptr);
    ASSERT_NE(theirs, nullptr);
    EXPECT_NE(mine, theirs);
    EXPECT_STREQ(Tree_GetItemID(other, theirs), "101");
    Tree_SetItem(other, "2", "Aid", "");
    EXPECT_EQ(Text(other, Tree_GetItem(other, "2")), "Aid");
    EXPECT_EQ(Text(tree_, Tree_GetItem(tree_, "2")), "Help");

    void* gone = Tree_GetItem(tree_, "2");
    EXPECT_EQ(Tree_DeleteItem(tree_, "2"), 1);
    EXPECT_EQ(Tree_GetItem(tree_, "2"), nullptr);
    const void* bad[] = {nullptr, theirs, (void*)(INT_PTR)0x1234, gone};
    for (const void* item : bad) {
        SCOPED_TRACE(item);
        EXPECT_EQ(Tree_GetItemID(tree_, (void*)item), nullptr);
        EXPECT_EQ(Tree_GetItemText(tree_, (void*)item), nullptr);
        EXPECT_EQ(Tree_ItemHasChildren(tree_, (void*)item), 0);
    }
    Tree_delete(other);
    EXPECT_STREQ(Tree_GetItemID(tree_, mine), "101");
}

// A collection may go before or after the trees showing it: the trees keep their items but no
// longer find records, and nothing follows the freed collection.
TEST_F(TreeItems, BoundCollectionsMayGoInAnyOrder)
{
    enum Order { kCollectionFirst, kTreesFirst, kBetweenTheTrees, kObjectDeleted };
    for (Order order : {kCollectionFirst, kTreesFirst, kBetweenTheTrees, kObjectDeleted}) {
        SCOPED_TRACE(order);
        HLMENU menu = MakeMenu();
        HWND a = Tree_new(host_, 0, 0, 100, 100, 0), b = Tree_new(host_, 0, 0, 100, 100, 0);
        CTreeData* own = new CTreeData;
        own->AddItem("1", "Own", "", "", 0, 0, "", 0);
        if (order == kObjectDeleted)
            CTree10::GetObject(a)->BindTreeData(own, "", 3, 1);
        else
            Tree_BindLmenu(a, menu, "", 3, 1);
        Tree_BindLmenu(b, menu, "", 3, 1);
        void* item = Tree_GetItem(a, "1");
        ASSERT_NE(item, nullptr);
        if (order == kTreesFirst)
            Tree_delete(a);
        if (order == kTreesFirst || order == kBetweenTheTrees)
            Tree_delete(b);
        LMENU_delete(menu);
        delete own;
        for (HWND t : {a, b}) {
            if (!IsWindow(t))
                continue;
            EXPECT_EQ(Tree_GetItem(t, "1"), nullptr);
            Tree_SelectItem(t, "1");
            Tree_Expand(t, "101", 1);
            Tree_SetItem(t, "1", "x", "");
            EXPECT_EQ(Tree_DeleteItem(t, "1"), 0);
        }
        if (IsWindow(a)) {
            EXPECT_EQ(Tree_GetItemID(a, item), nullptr);
            EXPECT_NE(Tree_GetItemText(a, item), nullptr);
            Tree_BindLmenu(a, menu, "", 3, 1);  // the handle is dead: nothing happens
            Tree_Build(a);
            EXPECT_EQ(SendMessageA(a, TVM_GETCOUNT, 0, 0), 0);
        }
        Tree_delete(a);
        Tree_delete(b);
    }
}

// Writes the records as a plain-text tree data file, in the order given, and loads it.
HLMENU LoadRecords(const std::vector<std::pair<std::string, std::string>>& records, int* pLoaded)
{
    std::string text = "stamp\r\n";
    for (const auto& r : records)
        text += r.first + "\t" + r.second + "\t\t0\t\t\t0\r\n";
    const std::string path = TempPath("order.txt");
    std::ofstream(path, std::ios::binary) << text;
    HLMENU menu = LMENU_new();
    *pLoaded = LMENU_LoadFromFile(menu, path.c_str());
    DeleteFileA(path.c_str());
    return menu;
}

// A file keeps its order, and the tree shows the hierarchy of the backward scan over that order:
// a record's parent is the nearest earlier record, back to the last top-level one, whose code
// is a prefix of its own.
TEST_F(TreeItems, FilesInAnyOrderShowTheHierarchyOfTheirOrder)
{
    int loaded = 0;
    HLMENU menu = LoadRecords({{"1", "a"}, {"11", "b"}, {"12", "c"}, {"111", "d"}, {"2", "e"},
                               {"21", "f"}, {"1", "g"}, {"112", "h"}},
                              &loaded);
    ASSERT_EQ(loaded, 1);
    Tree_BindLmenu(tree_, menu, "", 1, 1);
    EXPECT_EQ(Outline(tree_), "a(b(d) c) e(f) g(h)");
    // Codes are found in any order; of equal codes, the first in the file's order.
    EXPECT_EQ(Text(tree_, Tree_GetItem(tree_, "111")), "d");
    EXPECT_EQ(Text(tree_, Tree_GetItem(tree_, "1")), "a");
    EXPECT_EQ(Text(tree_, Tree_GetItem(tree_, "112")), "h");
    EXPECT_EQ(Tree_GetItem(tree_, "113"), nullptr);
    LMENU_delete(menu);

    // Random orders under one top record 1, wholly shuffled or sorted but for one pair, against
    // the scan done plainly.
    std::mt19937 rng(7);
    for (int shuffled = 0; shuffled < 2; ++shuffled) {
        std::vector<std::pair<std::string, std::string>> records;
        for (int i = 0; i < 150; ++i) {
            std::string code = "1";
            for (int n = rng() % 4; n > 0; --n)
                code += (char)('1' + rng() % 3);
            records.push_back({code, ""});
        }
        std::sort(records.begin(), records.end());
        if (shuffled)
            std::shuffle(records.begin() + 1, records.end(), rng);
        else
            std::swap(records[60], records[120]);
        std::vector<int> parent(records.size(), -1);
        for (size_t i = 0, top = 0; i < records.size(); ++i) {
            records[i].second = "r" + std::to_string(i);
            for (size_t j = i; j-- > top && parent[i] < 0;)
                if (records[i].first.compare(0, records[j].first.size(), records[j].first) == 0)
                    parent[i] = (int)j;
            if (parent[i] < 0)
                top = i;
        }
        // The outline of that hierarchy, put together from the last record back: a record's
        // children all come after it.
        std::vector<std::string> below(records.size());
        std::string expected;
        for (size_t i = records.size(); i-- > 0;) {
            std::string& into = parent[i] < 0 ? expected : below[parent[i]];
            into = records[i].second + (below[i].empty() ? "" : "(" + below[i] + ")") +
                   (into.empty() ? "" : " " + into);
        }
        menu = LoadRecords(records, &loaded);
        ASSERT_EQ(loaded, 1);
        Tree_BindLmenu(tree_, menu, "", 1, 1);
        EXPECT_EQ(Outline(tree_), expected) << (shuffled ? "shuffled" : "one pair swapped");
        int missed = 0;
        for (size_t i = 0; i < records.size(); ++i) {
            size_t first = 0;
            while (records[first].first != records[i].first)
                ++first;
            missed += Text(tree_, Tree_GetItem(tree_, records[i].first.c_str())) !=
                      records[first].second;
        }
        EXPECT_EQ(missed, 0) << (shuffled ? "shuffled" : "one pair swapped");
        LMENU_delete(menu);
    }
}

TEST_F(TreeItems, RepeatedTreesLeaveNothingBehind)
{
    Tree_delete(tree_);
    EXPECT_FALSE(IsWindow(tree_));
    int registered = CTree10::GetRegistryCount();
    WindowBalance windows;
    GdiBalance gdi;
    for (int i = 0, n = SoakCycles(200, 1000); i < n; i++) {
        HWND h = Tree_new(host_, 0, 0, 100, 100, 0);
        ASSERT_NE(h, nullptr);
        Tree_AddItem(h, "1", "one", "");
        Tree_Build(h);
        if (i % 2)
            Tree_delete(h);
        else
            DestroyWindow(h);
    }
    PumpPending();
    EXPECT_EQ(CTree10::GetRegistryCount(), registered);
    EXPECT_EQ(windows.Delta(), 0);
    EXPECT_EQ(gdi.Delta(), 0);
    // A window made by another class is not a tree.
    EXPECT_EQ(CTree10::GetObject(host_), nullptr);
}
