// Trees over collections of any depth, and collections that come back from their file as they
// were: random collections saved, loaded and shown, and a chain of twenty thousand levels taken
// through everything a host does with it on a thread with a small stack.
#include "TreeTestUtil.h"
#include "treedata/CLmenuHandles.h"

#include <mbstring.h>
#include <algorithm>
#include <climits>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

using namespace lumotest;
using namespace treetest;

namespace {

std::string ReadBytes(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string Whole(const CString& s)
{
    return std::string(s, s.GetLength());
}

// The items of a tree in pre-order, each as "depth:record index".
std::vector<std::string> Shape(HWND hTree)
{
    std::vector<std::string> out;
    std::vector<std::pair<HTREEITEM, size_t>> stack;  // items still to visit, the next one last
    auto pushChildren = [&](HTREEITEM parent, size_t depth) {
        const size_t first = stack.size();
        for (HTREEITEM h = TreeView_GetChild(hTree, parent); h; h = TreeView_GetNextSibling(hTree, h))
            stack.push_back({h, depth});
        std::reverse(stack.begin() + first, stack.end());
    };
    pushChildren(TVI_ROOT, 0);
    while (!stack.empty()) {
        const auto at = stack.back();
        stack.pop_back();
        TVITEMA item = {};
        item.mask = TVIF_PARAM;
        item.hItem = at.first;
        TreeView_GetItem(hTree, &item);
        out.push_back(std::to_string(at.second) + ":" + std::to_string(item.lParam));
        pushChildren(at.first, at.second + 1);
    }
    return out;
}

std::string Trimmed(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && isspace((unsigned char)s[b]))
        ++b;
    while (e > b && isspace((unsigned char)s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// Any byte a zero-terminated text can hold, the ones that shape the file most often.
std::string AnyText(std::mt19937& rng, size_t maxLength)
{
    static const char kShaping[] = { '\t', '\r', '\n', 0x1B, ' ', '&', '-', 'e', 't', '\\' };
    std::string s(rng() % (maxLength + 1), 'x');
    for (char& ch : s)
        ch = rng() % 3 ? kShaping[rng() % sizeof(kShaping)] : (char)(1 + rng() % 255);
    return s;
}

struct Record {
    std::string code, text, detail, tip, file;
    int seq;
    int added;
};

// A collection as the host adds it: repeated codes, prefix chains and chains of one repeated
// code several hundred deep, texts of any byte, tips longer than a read of the file takes, in
// any order.
std::vector<Record> RandomCollection(std::mt19937& rng)
{
    std::vector<std::string> codes;
    for (int i = 0, n = 100 + rng() % 400; i < n; ++i) {
        std::string code = std::to_string(1 + rng() % 3);
        for (int k = rng() % 4; k > 0; --k)
            code += rng() % 8 ? (char)('1' + rng() % 3) : (char)(1 + rng() % 255);
        codes.push_back(code);
    }
    const std::string chained = std::to_string(1 + rng() % 3) + "\t7\r\n";
    for (int i = 0, n = 150 + rng() % 450; i < n; ++i)
        codes.push_back(chained);
    std::string prefix = "8";
    for (int i = 0, n = 100 + rng() % 200; i < n; ++i, prefix += (char)('0' + rng() % 10))
        codes.push_back(prefix);
    std::shuffle(codes.begin(), codes.end(), rng);

    const int kSeqs[] = { 0, -1, 7, INT_MAX, INT_MIN, 1000000 };
    std::vector<Record> out;
    for (const std::string& code : codes) {
        Record r;
        r.code = rng() % 4 ? code : " \t" + code + "\r\n ";
        // A label that starts with "-" would be a separator with no item of its own.
        r.text = "T" + AnyText(rng, 12);
        r.detail = AnyText(rng, 6);
        r.tip = AnyText(rng, rng() % 20 ? 10 : 3000);
        r.file = AnyText(rng, 8);
        r.seq = rng() % 2 ? kSeqs[rng() % 6] : (int)rng();
        r.added = (int)out.size();
        out.push_back(r);
    }
    return out;
}

// The records as the collection must hold them: trimmed where a record trims, in code order (equal
// codes in the order they were added), each "code|text|detail|level|tip|file|seq"; and the tree
// they make, as Shape gives it (in code order every record's descendants follow it).
std::vector<std::string> Expected(std::vector<Record> records, std::vector<std::string>& shape)
{
    for (Record& r : records) {
        r.code = Trimmed(r.code);
        r.text = Trimmed(r.text);
        r.detail = Trimmed(r.detail);
        r.tip = Trimmed(r.tip);
    }
    std::stable_sort(records.begin(), records.end(), [](const Record& a, const Record& b) {
        return _mbscmp((const unsigned char*)a.code.c_str(), (const unsigned char*)b.code.c_str()) < 0;
    });
    std::vector<std::string> out;
    shape.clear();
    std::vector<size_t> chain;  // the open ancestors of the record before
    for (size_t i = 0; i < records.size(); ++i) {
        const std::string& code = records[i].code;
        while (!chain.empty() && code.compare(0, records[chain.back()].code.size(), records[chain.back()].code) != 0)
            chain.pop_back();
        out.push_back(code + "|" + records[i].text + "|" + records[i].detail + "|" + std::to_string(chain.size()) + "|" +
                      records[i].tip + "|" + records[i].file + "|" + std::to_string(records[i].seq));
        shape.push_back(std::to_string(chain.size()) + ":" + std::to_string(i));
        chain.push_back(i);
    }
    return out;
}

std::vector<std::string> Held(HLMENU h)
{
    const CTreeData* data = CLmenuHandles::FromHandle(h);
    std::vector<std::string> out;
    for (int i = 0; i < data->GetSize(); ++i)
        out.push_back(Whole(data->GetID(i)) + "|" + Whole(data->GetText(i)) + "|" + Whole(data->GetDetail(i)) + "|" +
                      std::to_string(data->GetLevel(i)) + "|" + Whole(data->GetTip(i)) + "|" +
                      Whole(data->GetLLAFile(i)) + "|" + std::to_string(data->GetLLASeq(i)));
    return out;
}

const size_t kSame = std::string::npos;

// The index of the first entry that differs (the shorter size when only one goes on), or kSame.
size_t FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    const size_t n = std::min(a.size(), b.size());
    const size_t i = std::mismatch(a.begin(), a.begin() + n, b.begin()).first - a.begin();
    return i < n || a.size() != b.size() ? i : kSame;
}

using TreeRoundTrip = TreeTest;

}  // namespace

// Whatever a host adds comes back from the file as it was, and shows as the same tree: the
// collection's fields, order and levels, the stamp, and a second save of the loaded collection
// byte for byte.
TEST_F(TreeRoundTrip, SaveThenLoadGivesBackTheCollectionAndTheTree)
{
    const std::string first = TempPath("roundtrip1.dat"), second = TempPath("roundtrip2.dat");
    std::mt19937 rng(20241207);
    for (int round = 0, rounds = SoakCycles(12, 200); round < rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::vector<Record> records = RandomCollection(rng);
        const std::string stamp = AnyText(rng, 30);
        HLMENU added = LMENU_new();
        for (const Record& r : records)
            LMENU_AddMenuItem(added, r.code.c_str(), r.text.c_str(), r.detail.c_str(), r.tip.c_str(), r.file.c_str(), r.seq);
        ASSERT_EQ(LMENU_SaveToFile(added, first.c_str(), stamp.c_str()), 1);
        std::vector<std::string> expectedShape;
        const std::vector<std::string> expected = Expected(records, expectedShape);
        const std::vector<std::string> held = Held(added);
        ASSERT_EQ(FirstDifference(held, expected), kSame) << "as added";

        HLMENU loaded = LMENU_new();
        ASSERT_EQ(LMENU_LoadFromFile(loaded, first.c_str()), 1);
        EXPECT_EQ(std::string(LMENU_GetTimeStamp(loaded)), stamp);
        const std::vector<std::string> back = Held(loaded);
        ASSERT_EQ(back.size(), expected.size());
        const size_t at = FirstDifference(back, expected);
        ASSERT_EQ(at, kSame) << "loaded " << back[at] << "\nadded  " << expected[at];

        ASSERT_EQ(LMENU_SaveToFile(loaded, second.c_str(), stamp.c_str()), 1);
        EXPECT_TRUE(ReadBytes(first) == ReadBytes(second));

        Tree_BindLmenu(tree_, added, "", 3, 1);
        const std::vector<std::string> shape = Shape(tree_);
        EXPECT_EQ(FirstDifference(shape, expectedShape), kSame) << "as added";
        Tree_BindLmenu(tree_, loaded, "", 3, 1);
        EXPECT_EQ(FirstDifference(Shape(tree_), expectedShape), kSame) << "loaded";
        LMENU_delete(loaded);
        LMENU_delete(added);
    }
    DeleteFileA(first.c_str());
    DeleteFileA(second.c_str());
}

namespace {

const int kChain = 20000;

// What the chain test saw, read on the test's thread once the worker is done.
struct ChainRun {
    int loaded = 0, saved = 0, reloaded = 0;
    LRESULT built = 0, afterDelete = 0;
    int deepestRow = -1, rowsAfterCollapse = -1, deepestRowByKey = -1, deepestRowAfterDelete = -1;
    std::string deepestText, reloadedLast;
    bool gone = false;
};

// Rows from the chain's top item down to the last item shown, the deepest of an open chain.
int DeepestRow(HWND hTree)
{
    RECT top, last;
    if (!TreeView_GetItemRect(hTree, (HTREEITEM)Tree_GetItem(hTree, "5"), &top, FALSE) ||
        !TreeView_GetItemRect(hTree, TreeView_GetLastVisible(hTree), &last, FALSE))
        return -1;
    return (last.top - top.top) / TreeView_GetItemHeight(hTree);
}

// A chain of kChain levels: the top record 5, then records of the one code 55, each the child of
// the one before; and a top record 4 before it. Saved, loaded, bound, opened, closed, opened by key, cut in the middle, saved
// again and destroyed, all on this thread, whose stack is far smaller than the system tree view
// needs to delete such a chain in one go.
DWORD WINAPI RunChain(void* pv)
{
    ChainRun& run = *(ChainRun*)pv;
    const std::string path = TempPath("chain.dat"), again = TempPath("chain2.dat");
    HLMENU added = LMENU_new();
    LMENU_AddMenuItem(added, "5", "Top", "", "top tip", "", 0);
    for (int i = 1; i < kChain; ++i)
        LMENU_AddMenuItem(added, "55", ("Level " + std::to_string(i)).c_str(), "", ("tip " + std::to_string(i)).c_str(), "", i);
    LMENU_AddMenuItem(added, "4", "Other", "", "", "", 0);
    LMENU_SaveToFile(added, path.c_str(), "chain");
    LMENU_delete(added);

    HLMENU menu = LMENU_new();
    run.loaded = LMENU_LoadFromFile(menu, path.c_str());
    HWND host = CreateWindowExA(0, "STATIC", "chain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                nullptr, nullptr, nullptr);
    HWND tree = Tree_new(host, 0, 0, 300, 280, 0);
    Tree_BindLmenu(tree, menu, "", 1, 1);
    run.built = SendMessageA(tree, TVM_GETCOUNT, 0, 0) - 1;

    Tree_Expand(tree, "5", 1);
    run.deepestRow = DeepestRow(tree);
    char text[64] = "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetLastVisible(tree);
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    TreeView_GetItem(tree, &item);
    run.deepestText = text;

    // Opening the other top record closes every node of the chain.
    Tree_Expand(tree, "4", 0);
    run.rowsAfterCollapse = DeepestRow(tree);

    // The key "*" opens the whole branch of the selected item.
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)Tree_GetItem(tree, "5"));
    SendMessageA(tree, WM_KEYDOWN, VK_MULTIPLY, 0);
    run.deepestRowByKey = DeepestRow(tree);

    // The item half-way down goes with everything below it.
    SendMessageA(tree, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, kChain / 2 + 1), 0);
    SendMessageA(tree, TVM_DELETEITEM, 0, (LPARAM)TreeView_GetFirstVisible(tree));
    run.afterDelete = SendMessageA(tree, TVM_GETCOUNT, 0, 0) - 1;
    SendMessageA(tree, WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
    run.deepestRowAfterDelete = DeepestRow(tree);

    run.saved = LMENU_SaveToFile(menu, again.c_str(), "chain");
    HLMENU reloaded = LMENU_new();
    run.reloaded = LMENU_LoadFromFile(reloaded, again.c_str()) ? CLmenuHandles::FromHandle(reloaded)->GetSize() : 0;
    const CTreeData* data = CLmenuHandles::FromHandle(reloaded);
    run.reloadedLast = Whole(data->GetText(kChain)) + "|" + Whole(data->GetTip(kChain)) + "|" +
                       std::to_string(data->GetLevel(kChain));
    LMENU_delete(reloaded);

    Tree_delete(tree);
    run.gone = !IsWindow(tree);
    DestroyWindow(host);
    LMENU_delete(menu);
    DeleteFileA(path.c_str());
    DeleteFileA(again.c_str());
    return 0;
}

}  // namespace

TEST(TreeDepth, ChainOfTwentyThousandLevelsOnASmallStack)
{
    // A plain tree view takes about 144 bytes of stack per level to delete a chain (2.8 MB here).
    const SIZE_T kStack = 256 * 1024;
    ChainRun run;
    HANDLE thread = CreateThread(nullptr, kStack, RunChain, &run, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, 120000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(run.loaded, 1);
    EXPECT_EQ(run.built, kChain);
    EXPECT_EQ(run.deepestRow, kChain - 1);
    EXPECT_EQ(run.deepestText, "Level " + std::to_string(kChain - 1));
    EXPECT_EQ(run.rowsAfterCollapse, 0);
    EXPECT_EQ(run.deepestRowByKey, kChain - 1);
    EXPECT_EQ(run.afterDelete, kChain / 2);
    EXPECT_EQ(run.deepestRowAfterDelete, kChain / 2 - 1);
    EXPECT_EQ(run.saved, 1);
    EXPECT_EQ(run.reloaded, kChain + 1);
    EXPECT_EQ(run.reloadedLast, "Level 19999|tip 19999|19999");
    EXPECT_TRUE(run.gone);
}
