// Tree interaction driven by posted mouse input with the pump running: hover selection, clicks
// and the click rule, single expand, right clicks with the tip, double clicks, drops.
#include "TreeTestUtil.h"
#include "DestroyInNotify.h"

using namespace lumotest;
using namespace treetest;

namespace {

long g_now = 100000;
long FakeClock() { return g_now; }

const UINT kSelect = WM_USER + 10;
const UINT kChanged = WM_USER + 11;
const UINT kDbl = WM_USER + 12;
const UINT kRight = WM_USER + 13;

// A parent that reflects notifications back to the tree, as a framework host window does.
class ReflectingParent : public CWnd {
};

// Items 1 (with 101 and 102), 2 (with 201) and 3, and the tree's notifications sent to the host
// as kSelect, kChanged, kDbl and kRight.
void FillAndWire(HWND tree, HWND host)
{
    const char* items[][3] = {{"1", "One", "tip one"}, {"101", "One-A", "tip one a"}, {"102", "One-B", ""},
                              {"2", "Two", ""}, {"201", "Two-A", ""}, {"3", "Three", "tip three"}};
    for (auto& item : items)
        Tree_AddItem(tree, item[0], item[1], item[2]);
    Tree_Build(tree);
    Tree_SetSendMsg(tree, host, 10);
    CTree10::GetObject(tree)->SetSendMsg_ItemChanged(host, 11);
    Tree_SetSendMsgDblClick(tree, host, 12);
    Tree_SetSendMsgRButtonDown(tree, host, 13);
}

class TreeInput : public TreeTest {
protected:
    void SetUp() override
    {
        CTree10::SetClock(FakeClock);
        g_now = 100000;
        TreeTest::SetUp();
        parent_.SubclassWindow(host_);
        tree10_ = CTree10::GetObject(tree_);
        FillAndWire(tree_, host_);
        UpdateWindow(tree_);
        PumpPending();
    }
    void TearDown() override
    {
        CTree10::SetClock(nullptr);
        TreeTest::TearDown();
    }

    // A left click as the tree gets it: press and release together (the control's own press
    // handling waits for the release), then the next move over the item performs the click.
    void Click(HTREEITEM item)
    {
        POINT pt = LabelCenter(tree_, item);
        PostMouse(tree_, WM_LBUTTONDOWN, pt, MK_LBUTTON);
        PostMouse(tree_, WM_LBUTTONUP, pt);
        PostMouse(tree_, WM_MOUSEMOVE, pt);
        PumpPending();
    }
    ReflectingParent parent_;
    CTree10* tree10_ = nullptr;
};

// Drags the code's item away from its place and lets it go with the cursor at dropScreen.
void DragItem(HWND tree, const char* code, POINT dropScreen)
{
    POINT pt = LabelCenter(tree, Item(tree, code));
    POINT away = {pt.x + 40, pt.y + 40};
    SetCursorPos(dropScreen.x, dropScreen.y);
    PostMouse(tree, WM_LBUTTONDOWN, pt, MK_LBUTTON);
    PostMouse(tree, WM_MOUSEMOVE, away, MK_LBUTTON);
    PostMouse(tree, WM_LBUTTONUP, away);
    PumpPending();
    PumpPending();
}

MessageRecorder::Filter UserOnly()
{
    return [](HWND, UINT m, WPARAM, LPARAM) { return m >= WM_USER && m < WM_USER + 100; };
}

}  // namespace

TEST_F(TreeInput, HoverSelectsAndTellsTheHostOnce)
{
    PostMouse(tree_, WM_MOUSEMOVE, LabelCenter(tree_, Item(tree_, "1")));
    PumpPending();
    MessageRecorder rec(host_, UserOnly());
    HTREEITEM two = Item(tree_, "2");
    HTREEITEM three = Item(tree_, "3");
    PostMouse(tree_, WM_MOUSEMOVE, LabelCenter(tree_, two));
    PostMouse(tree_, WM_MOUSEMOVE, LabelCenter(tree_, two));
    PostMouse(tree_, WM_MOUSEMOVE, LabelCenter(tree_, three));
    PumpPending();
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(kChanged, tree_, two),
                                            RecordedMsg(kChanged, tree_, three)}));
    EXPECT_EQ((HTREEITEM)Tree_GetSelectedItem(tree_), three);

    // With mouse-move select off, moving changes nothing.
    rec.Clear();
    Tree_SetMousemoveSelect(tree_, 0);
    PostMouse(tree_, WM_MOUSEMOVE, LabelCenter(tree_, two));
    PumpPending();
    EXPECT_EQ(rec.Count(), 0);
    EXPECT_EQ((HTREEITEM)Tree_GetSelectedItem(tree_), three);
}

TEST_F(TreeInput, ClickOpensNodeAndClosesSiblings)
{
    HTREEITEM one = Item(tree_, "1");
    HTREEITEM two = Item(tree_, "2");
    Tree_Expand(tree_, "2", 0);
    ASSERT_TRUE(IsExpanded(tree_, two));
    PumpPending();
    MessageRecorder rec(host_, UserOnly());
    Click(one);
    EXPECT_TRUE(IsExpanded(tree_, one));
    EXPECT_FALSE(IsExpanded(tree_, two));
    // The selection inside the click is quiet; only the select message goes out.
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(kSelect, tree_, one)}));
    // Pictures of an open node (selected) and of a closed one.
    int image = -1, selected = -1;
    static_cast<CTreeCtrl*>(tree10_)->GetItemImage(one, image, selected);
    EXPECT_EQ(std::make_pair(image, selected), std::make_pair(3, 2));
    static_cast<CTreeCtrl*>(tree10_)->GetItemImage(two, image, selected);
    EXPECT_EQ(image, 1);

    // A second click after the quiet time closes it again.
    g_now += 1000;
    rec.Clear();
    Click(one);
    EXPECT_FALSE(IsExpanded(tree_, one));
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(kSelect, tree_, one)}));
}

TEST_F(TreeInput, ClicksWithinFourTenthsOfASecondSendOnce)
{
    HTREEITEM three = Item(tree_, "3");
    MessageRecorder rec(host_, {kSelect});
    Click(three);
    g_now += 300;
    Click(three);
    EXPECT_EQ(rec.Count(), 1);
    g_now += 500;
    Click(three);
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(kSelect, tree_, three),
                                            RecordedMsg(kSelect, tree_, three)}));
    // Exactly 0.4 seconds does not count as more.
    g_now += 400;
    Click(three);
    EXPECT_EQ(rec.Count(), 2);
}

// The flat select clicks the code's item as the mouse would; a code with no item clicks
// nothing, tells nobody and keeps the selection.
TEST_F(TreeInput, FlatSelectOfAnUnknownCodeKeepsTheSelection)
{
    HTREEITEM two = Item(tree_, "2");
    MessageRecorder rec(host_, UserOnly());
    EXPECT_EQ(Tree_SelectItem(tree_, "2"), 1);
    EXPECT_TRUE(IsExpanded(tree_, two));
    EXPECT_EQ((HTREEITEM)Tree_GetSelectedItem(tree_), two);
    g_now += 1000;
    for (const char* code : {"9", "", "20", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(code ? code : "null");
        EXPECT_EQ(Tree_SelectItem(tree_, code), 0);
        EXPECT_EQ((HTREEITEM)Tree_GetSelectedItem(tree_), two);
    }
    EXPECT_TRUE(IsExpanded(tree_, two));
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(kSelect, tree_, two)}));
}

// Truth values come back as 1 or 0, whatever number set them; any non-zero one switches the
// behaviour on.
TEST_F(TreeInput, FlagsAnswerOneOrZero)
{
    for (auto f : {std::make_pair(Tree_SetSingleExpand, Tree_GetSingleExpand),
                   std::make_pair(Tree_SetMousemoveSelect, Tree_GetMousemoveSelect)}) {
        f.first(tree_, 0);
        EXPECT_EQ(f.first(tree_, -1), 0);
        EXPECT_EQ(f.second(tree_), 1);
        EXPECT_EQ(f.first(tree_, 2), 1);
        EXPECT_EQ(f.second(tree_), 1);
    }
    // Single expand set by -1: opening one node closes the other.
    Tree_SetSingleExpand(tree_, -1);
    Tree_Expand(tree_, "2", 0);
    Click(Item(tree_, "1"));
    EXPECT_FALSE(IsExpanded(tree_, Item(tree_, "2")));
    EXPECT_EQ(Tree_SetSingleExpand(tree_, 0), 1);
    EXPECT_EQ(Tree_GetSingleExpand(tree_), 0);
}

TEST_F(TreeInput, RightClickShowsTipAndTellsHost)
{
    HTREEITEM three = Item(tree_, "3");
    // Item handles come back with new trees and the last hovered item is process-wide: hover
    // another item so that three is a change.
    PostMouse(tree_, WM_MOUSEMOVE, LabelCenter(tree_, Item(tree_, "2")));
    PumpPending();
    Tree_SetMousemoveSelect(tree_, 0);
    MessageRecorder rec(host_, UserOnly());
    POINT pt = LabelCenter(tree_, three);
    PostMouse(tree_, WM_RBUTTONDOWN, pt, MK_RBUTTON);
    PostMouse(tree_, WM_RBUTTONUP, pt);
    PumpPending();
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(kChanged, tree_, three),
                                            RecordedMsg(kRight, tree_, three)}));
    EXPECT_EQ((HTREEITEM)Tree_GetSelectedItem(tree_), three);
    HWND tips = (HWND)SendMessageA(tree_, TVM_GETTOOLTIPS, 0, 0);
    ASSERT_NE(tips, nullptr);
    CString text;
    ((CToolTipCtrl*)CWnd::FromHandle(tips))->GetText(text, tree10_);
    EXPECT_STREQ((LPCTSTR)text, "tip three");

    // The same item again: it is already the hovered one, so no item-changed message.
    rec.Clear();
    PostMouse(tree_, WM_RBUTTONDOWN, pt, MK_RBUTTON);
    PostMouse(tree_, WM_RBUTTONUP, pt);
    PumpPending();
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(kRight, tree_, three)}));
}

TEST_F(TreeInput, DoubleClickBelowItemsSendsZero)
{
    MessageRecorder rec(host_, {kDbl});
    POINT below = {50, 260};
    PostMouse(tree_, WM_LBUTTONDBLCLK, below, MK_LBUTTON);
    PostMouse(tree_, WM_LBUTTONUP, below);
    PumpPending();
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(kDbl, tree_, 0)}));
}

TEST_F(TreeInput, ExpandSingleNodeOpensTheOnlyBranch)
{
    UINT msg = RegisterWindowMessageA("CTree10_ExpandSingleNode");
    EXPECT_EQ(msg, CTree10::m_MsgExpandSingleNode);
    // Several top-level items: nothing opens.
    PostMessageA(tree_, msg, 0, 0);
    PumpPending();
    EXPECT_FALSE(IsExpanded(tree_, Item(tree_, "1")));
    HLMENU menu = LMENU_new();
    LMENU_AddMenuItem(menu, "1", "One", "", "", "", 0);
    LMENU_AddMenuItem(menu, "11", "Child", "", "", "", 0);
    Tree_BindLmenu(tree_, menu, "", 1, 1);
    PostMessageA(tree_, msg, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return IsExpanded(tree_, Item(tree_, "1")); }, 2000));
    Tree_delete(tree_);
    LMENU_delete(menu);
}

// Drags go the same whether the tree's parent reflects the drag notification to it (a framework
// window), reflects nothing (a plain window) or is a drop holding the tree as its body: the code
// drops on the target only, as 0 when it is not a number, and not over a door panel inside the
// target. A host may end the tree when the control tells it of the drag.
TEST(TreeDrag, DropsTheCodeOnTheTargetInEveryHost)
{
    ParkCursor();
    enum Host { kReflecting, kPlain, kInDrop, kEndsTheTree };
    for (Host kind : {kReflecting, kPlain, kInDrop, kEndsTheTree}) {
        SCOPED_TRACE(kind);
        ReflectingParent reflecting;
        HostWindow host(600, 400);
        if (kind == kReflecting)
            reflecting.SubclassWindow(host);
        HWND tree = Tree_new(host, 0, 0, 200, 280, 0);
        Tree_AddItem(tree, "1203", "Drop me", "");
        Tree_AddItem(tree, "A12", "Letters", "");
        Tree_Build(tree);
        if (kind == kInDrop) {
            HWND door = DoorWin_new(host);
            DoorWin_SetWidth(door, 300);
            HWND drop = DropWin_new(door, "Tree", 4, 4, 4, 300);
            ASSERT_EQ(DropWin_AddObj(drop, tree), 1);
            ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(tree) != FALSE; }, 3000));
        }
        HWND target = CreateHostWindow(150, 200, true, host);
        SetWindowPos(target, HWND_TOP, 420, 10, 150, 200, SWP_NOACTIVATE);
        Tree_SetDragWindow(tree, target);
        UpdateWindow(host);
        PumpPending();
        POINT onTarget = {75, 100}, onTree = {100, 250};
        ClientToScreen(target, &onTarget);
        ClientToScreen(tree, &onTree);
        if (kind == kEndsTheTree)
            SetHostHandler(host, [&](HWND, UINT m, WPARAM, LPARAM l, LRESULT*) {
                if (m == WM_NOTIFY && ((NMHDR*)l)->code == TVN_BEGINDRAGA)
                    DestroyWindow(tree);
                return false;
            });
        MessageRecorder rec(target, {WM_USER + 3});
        DragItem(tree, "1203", onTarget);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(IsWindow(tree), kind != kEndsTheTree);
        if (kind == kEndsTheTree) {
            EXPECT_EQ(rec.Count(), 0);
            continue;
        }
        DragItem(tree, "1203", onTree);
        DragItem(tree, "A12", onTarget);
        SetWindowTextA(CreateHostWindow(150, 200, true, target), "DoorWin");
        DragItem(tree, "1203", onTarget);
        EXPECT_TRUE(SequenceIs(rec.Messages(),
                               {RecordedMsg(WM_USER + 3, tree, 1203), RecordedMsg(WM_USER + 3, tree, 0)}));
        Tree_delete(tree);
    }
    ParkCursor();
}

// A host may end the tree from inside any of its notifications (closing the window that holds
// it, say), the drop included; the tree then stops where it is and the rest of the input passes
// without it. Selecting through the flat call then reports failure.
TEST_F(TreeInput, HostMayDestroyTheTreeFromEachNotification)
{
    // The tree lies in a framework panel (which reflects the drag notification) covering the
    // host; the host is told of everything and is the drag window, right of the tree.
    struct Panel : CWnd {
        void PostNcDestroy() override { delete this; }
    };
    auto make = [](HWND host) -> HWND {
        Panel* panel = new Panel;
        if (!panel->CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300),
                             CWnd::FromHandle(host), 0))
            return nullptr;
        HWND tree = Tree_new(panel->m_hWnd, 0, 0, 200, 280, 0);
        FillAndWire(tree, host);
        Tree_SetDragWindow(tree, host);
        UpdateWindow(tree);
        g_now += 1000;
        return tree;
    };
    auto at = [](HWND tree, const char* code) { return LabelCenter(tree, Item(tree, code)); };
    auto is = [](UINT msg) {
        return [msg](HWND tree, UINT m, WPARAM w, LPARAM) { return m == msg && (HWND)w == tree; };
    };
    auto post = [&](std::vector<std::pair<UINT, WPARAM>> input, const char* code) {
        return [=](HWND tree) {
            for (auto& i : input)
                PostMouse(tree, i.first, at(tree, code), i.second);
        };
    };
    const std::vector<NotifyCase> cases = {
        // Over two items: the hovered item is kept for the whole process, and a new tree's
        // item may come back with the handle last hovered in another tree.
        {"changed", make, [&](HWND tree) {
             post({{WM_MOUSEMOVE, 0}}, "3")(tree);
             post({{WM_MOUSEMOVE, 0}}, "1")(tree);
         }, is(kChanged)},
        {"select", make, [&](HWND tree) {
             Tree_SetMousemoveSelect(tree, 0);
             post({{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}, {WM_MOUSEMOVE, 0}}, "1")(tree);
         }, is(kSelect)},
        {"double", make, post({{WM_LBUTTONDBLCLK, MK_LBUTTON}, {WM_LBUTTONUP, 0}}, "1"), is(kDbl)},
        {"right", make, post({{WM_RBUTTONDOWN, MK_RBUTTON}, {WM_RBUTTONUP, 0}}, "1"), is(kRight)},
        {"drop", make, [](HWND tree) {
             POINT drop = {300, 150};
             ClientToScreen(GetParent(tree), &drop);
             DragItem(tree, "3", drop);
         }, is(WM_USER + 3)},
        {"flat select", make, [](HWND tree) { EXPECT_EQ(Tree_SelectItem(tree, "3"), 0); },
         is(kSelect)},
    };
    ExpectDestroyInNotifyIsSafe(cases);
    ParkCursor();
}
