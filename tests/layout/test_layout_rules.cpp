// The layout rules on real child windows: where each kind of rule puts its window, when it is
// hidden and parked, the stacked chains, the bottom row, and the manager-wide switches.
#include "CMyWin.h"

#include "LayoutTestUtil.h"

using namespace layouttest;
using lumotest::HostWindow;

namespace {

bool HasVisibleStyle(HWND hwnd)
{
    return (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

// A 400 by 300 host and a manager laying out its children.
class Layout : public ::testing::Test
{
protected:
    void SetUp() override { mw.SetParent(parent.Get()); }

    HostWindow host{400, 300};
    AttachedWnd parent{host};
    CMyWin mw;
};

}  // namespace

TEST_F(Layout, MoveWindowsKeepTheirPlaceOrFollowTheEdges)
{
    // Each window's start, its rule (distance from the right and from the bottom, -1: not
    // anchored; centred vertically, horizontally) and where it lands in the 400 x 300 client
    // area, in 500 x 361, and there with margins 7, 3, 11, 13 (482 x 345 available).
    const struct {
        int x, y, cx, cy, right, bottom;
        BOOL centreV, centreH;
        CRect at[3];
    } rows[] = {
        {15, 25, 50, 20, -1, -1, FALSE, FALSE,
         {{15, 25, 65, 45}, {15, 25, 65, 45}, {22, 28, 72, 48}}},
        {5, 5, 50, 20, -1, 10, FALSE, FALSE,
         {{5, 270, 55, 290}, {5, 331, 55, 351}, {12, 318, 62, 338}}},
        {6, 6, 50, 20, -1, 10, TRUE, FALSE,
         {{6, 140, 56, 160}, {6, 170, 56, 190}, {13, 165, 63, 185}}},
        {7, 9, 50, 20, 10, -1, FALSE, FALSE,
         {{340, 9, 390, 29}, {440, 9, 490, 29}, {429, 12, 479, 32}}},
        // (400 - 51) / 2 truncates
        {8, 11, 51, 20, 10, -1, FALSE, TRUE,
         {{174, 11, 225, 31}, {224, 11, 275, 31}, {222, 14, 273, 34}}},
        {0, 0, 30, 10, 4, 6, FALSE, FALSE,
         {{366, 284, 396, 294}, {466, 345, 496, 355}, {455, 332, 485, 342}}},
    };
    std::vector<HWND> wnds;
    for (const auto& r : rows) {
        wnds.push_back(MakeChild(host, r.x, r.y, r.cx, r.cy));
        mw.AddMoveWnd(wnds.back(), r.right, r.bottom, r.centreV, r.centreH);
    }
    for (int phase = 0; phase < 3; ++phase) {
        if (phase == 1)
            SetClientSize(host, 500, 361);
        if (phase == 2) {
            mw.SetMarginLeft(7);
            mw.SetMarginTop(3);
            mw.SetMarginRight(11);
            mw.SetMarginBottom(13);
        }
        mw.OnSize(FALSE);
        for (size_t i = 0; i < wnds.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "row " << i << ", phase " << phase);
            EXPECT_EQ(rows[i].at[phase], RectIn(host, wnds[i]));
            EXPECT_EQ(rows[i].at[phase], mw.FindWnd(wnds[i])->m_rcLast);
        }
    }
}

TEST_F(Layout, MoveTooTallCentredWindowRestsOnTheBottomAndStaysShown)
{
    HWND tall = MakeChild(host, 10, 0, 60, 400, false);
    HWND wide = MakeChild(host, 0, 10, 500, 30);
    mw.AddMoveWnd(tall, -1, 0, TRUE, FALSE);
    mw.AddMoveWnd(wide, 0, -1, FALSE, TRUE);
    mw.OnSize(FALSE);
    EXPECT_EQ(CRect(10, -100, 70, 300), RectIn(host, tall));
    EXPECT_TRUE(IsWindowVisible(tall));
    // Pushed left of the client area, it is out of sight: hidden where it was.
    EXPECT_EQ(CRect(-100, 10, 400, 40), mw.FindWnd(wide)->m_rcLast);
    EXPECT_FALSE(HasVisibleStyle(wide));
    EXPECT_EQ(CRect(0, 10, 500, 40), RectIn(host, wide));
}

TEST_F(Layout, SizeWindowsScrollOrParkOutOfSightOrHideWithoutRoom)
{
    SetClientSize(host, 400, 200);

    HWND s = MakeChild(host, 0, 0, 10, 10, false);
    HWND fixedH = MakeChild(host, 0, 0, 10, 33);
    HWND offRight = MakeChild(host, 5, 5, 30, 30);
    HWND noWidth = MakeChild(host, 50, 5, 30, 30);
    mw.AddSizeWnd(s, 10, 30, 20, 5);
    mw.AddSizeWnd(fixedH, 40, 50, 100, -1);
    mw.AddSizeWnd(offRight, 400, 10, -1, -1);
    mw.AddSizeWnd(noWidth, 100, 10, 300, -1);  // width 400 - 300 - 100 = 0

    mw.OnSize(FALSE);
    EXPECT_EQ(CRect(10, 30, 380, 195), RectIn(host, s));  // height 200 - 5 - 30 = 165
    EXPECT_TRUE(IsWindowVisible(s));
    EXPECT_EQ(CRect(40, 50, 300, 83), RectIn(host, fixedH));
    // Without room: hidden where they were.
    EXPECT_FALSE(HasVisibleStyle(offRight));
    EXPECT_EQ(CRect(5, 5, 35, 35), RectIn(host, offRight));
    EXPECT_EQ(CRect(400, 10, 430, 40), mw.FindWnd(offRight)->m_rcLast);
    EXPECT_FALSE(HasVisibleStyle(noWidth));
    EXPECT_EQ(CRect(50, 5, 80, 35), RectIn(host, noWidth));

    mw.SetScrollVert(50);
    mw.OnSize(FALSE);
    EXPECT_EQ(CRect(10, -20, 380, 145), RectIn(host, s));
    EXPECT_TRUE(IsWindowVisible(s));
    EXPECT_EQ(CRect(40, 0, 300, 33), RectIn(host, fixedH));

    mw.SetScrollVert(300);
    mw.OnSize(FALSE);
    EXPECT_FALSE(HasVisibleStyle(s));
    EXPECT_EQ(CRect(10, -20, 380, -10), RectIn(host, s));
    EXPECT_EQ(CRect(10, -270, 380, -105), mw.FindWnd(s)->m_rcLast);  // kept unparked
    EXPECT_FALSE(HasVisibleStyle(fixedH));
    EXPECT_EQ(CRect(40, -20, 300, -10), RectIn(host, fixedH));

    // Scrolled the other way, windows below the client area park just under it.
    mw.SetScrollVert(-200);
    mw.OnSize(FALSE);
    EXPECT_FALSE(HasVisibleStyle(s));
    EXPECT_EQ(CRect(10, 210, 380, 220), RectIn(host, s));
    EXPECT_EQ(CRect(10, 230, 380, 395), mw.FindWnd(s)->m_rcLast);

    mw.SetScrollVert(0);
    SetClientSize(host, 600, 200);
    mw.OnSize(FALSE);
    EXPECT_TRUE(IsWindowVisible(s));
    EXPECT_TRUE(IsWindowVisible(fixedH));
    EXPECT_EQ(CRect(10, 30, 580, 195), RectIn(host, s));
    EXPECT_TRUE(IsWindowVisible(offRight));
    EXPECT_EQ(CRect(400, 10, 430, 40), RectIn(host, offRight));
    EXPECT_EQ(CRect(100, 10, 300, 40), RectIn(host, noWidth));
}

TEST_F(Layout, SizeUnderChainsFollowAndCloseUpAfterDelete)
{
    HWND a = MakeChild(host, 0, 0, 10, 30);
    HWND b = MakeChild(host, 0, 0, 10, 10);
    HWND c = MakeChild(host, 0, 0, 10, 10);
    mw.AddSizeWnd(a, 10, 20, 10, -1);
    mw.AddSizeWnd_Under(b, a, 40, 5);
    mw.AddSizeWnd_Under(c, b, 25, 3);
    EXPECT_EQ(mw.GetUnderPixel(b), 5);
    EXPECT_EQ(mw.GetOriginHeight(c), 25);

    mw.SetScrollVert(10);  // applied once, through the head of the chain
    mw.OnSize(FALSE);
    EXPECT_EQ(CRect(10, 10, 390, 40), RectIn(host, a));
    EXPECT_EQ(CRect(10, 45, 390, 85), RectIn(host, b));
    EXPECT_EQ(CRect(10, 88, 390, 113), RectIn(host, c));

    SetClientSize(host, 300, 300);
    mw.OnSize(FALSE);
    EXPECT_EQ(CRect(10, 45, 290, 85), RectIn(host, b));
    EXPECT_EQ(CRect(10, 88, 290, 113), RectIn(host, c));

    mw.DeleteWnd(b);
    EXPECT_EQ(mw.FindWnd(b), nullptr);
    EXPECT_EQ(mw.FindWnd(c)->m_hWndAbove, a);
    SetClientSize(host, 350, 300);
    mw.OnSize(FALSE);
    EXPECT_EQ(CRect(10, 43, 340, 68), RectIn(host, c));
    EXPECT_EQ(CRect(10, 45, 290, 85), RectIn(host, b));  // forgotten, left alone

    // A vanished window is skipped but keeps its record; its last rectangle still anchors
    // the window stacked under it.
    DestroyWindow(a);
    SetClientSize(host, 200, 300);
    mw.OnSize(FALSE);
    EXPECT_NE(mw.FindWnd(a), nullptr);
    EXPECT_EQ(CRect(10, 43, 340, 68), RectIn(host, c));
}

TEST_F(Layout, SizeUnderWindowUnderAnUnmanagedWindowIsNeverMoved)
{
    HWND loose = MakeChild(host, 10, 10, 100, 20);
    HWND d = MakeChild(host, 33, 44, 55, 66, false);
    mw.AddSizeWnd_Under(d, loose, 30, 2);
    mw.OnSize(FALSE);
    SetClientSize(host, 200, 150);
    mw.OnSize(TRUE);
    EXPECT_EQ(CRect(33, 44, 88, 110), RectIn(host, d));
    EXPECT_FALSE(HasVisibleStyle(d));
    EXPECT_EQ(CRect(0, 0, 0, 0), mw.FindWnd(d)->m_rcLast);
}

TEST_F(Layout, SerialRowIsCentredAlongTheBottom)
{
    // The row ignores margins and scrolling.
    mw.SetMarginLeft(50);
    mw.SetMarginBottom(30);
    mw.SetScrollVert(100);

    HWND s1 = MakeChild(host, 0, 0, 80, 20);
    HWND s2 = MakeChild(host, 0, 0, 80, 24);
    HWND s3 = MakeChild(host, 0, 0, 60, 20);
    mw.AddMoveWnd_Serial(s1, 10, 10);
    mw.AddMoveWnd_Serial(reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x7ff4321)), 10, 10);
    mw.AddMoveWnd_Serial(s2, 10, 10);
    mw.AddMoveWnd_Serial(s3, 10, 99);  // the last gap does not count
    mw.OnSize(FALSE);
    EXPECT_EQ(CRect(80, 270, 160, 290), RectIn(host, s1));
    EXPECT_EQ(CRect(170, 266, 250, 290), RectIn(host, s2));
    EXPECT_EQ(CRect(260, 270, 320, 290), RectIn(host, s3));

    DestroyWindow(s2);
    mw.OnSize(FALSE);
    // (400 - (80 + 10 + 60)) / 2 = 125
    EXPECT_EQ(CRect(125, 270, 205, 290), RectIn(host, s1));
    EXPECT_EQ(CRect(215, 270, 275, 290), RectIn(host, s3));

    mw.DeleteWnd(s1);
    SetClientSize(host, 301, 200);
    mw.OnSize(FALSE);
    EXPECT_EQ(CRect(120, 170, 180, 190), RectIn(host, s3));
    EXPECT_EQ(CRect(125, 270, 205, 290), RectIn(host, s1));
}

TEST_F(Layout, ManagerMinimisedParentHidesEverythingAndRestoreShowsAgain)
{
    lumotest::SetHostHandler(host, [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg == WM_SIZE)
            mw.OnSize(FALSE);
        return false;
    });

    HWND fill = MakeChild(host, 0, 0, 10, 10);
    HWND corner = MakeChild(host, 0, 0, 40, 20);
    HWND below = MakeChild(host, 0, 0, 40, 20);
    HWND row = MakeChild(host, 0, 0, 40, 20);
    mw.AddSizeWnd(fill, 0, 0, 0, 30);
    mw.AddMoveWnd(corner, 0, 0);
    mw.AddSizeWnd(below, 0, 500, 0, -1);  // always below the client area
    mw.AddMoveWnd_Serial(row, 0, 0);
    mw.OnSize(FALSE);
    ASSERT_TRUE(HasVisibleStyle(fill));
    ASSERT_TRUE(HasVisibleStyle(corner));
    ASSERT_FALSE(HasVisibleStyle(below));

    ShowWindow(host, SW_MINIMIZE);
    ASSERT_TRUE(lumotest::PumpUntil([&] { return IsIconic(host) != FALSE; }));
    RECT rc;
    GetClientRect(host, &rc);
    ASSERT_TRUE(rc.right == 0 || rc.bottom == 0) << rc;
    EXPECT_FALSE(HasVisibleStyle(fill));
    EXPECT_FALSE(HasVisibleStyle(corner));
    EXPECT_FALSE(HasVisibleStyle(below));
    EXPECT_TRUE(HasVisibleStyle(row));  // the row is placed, not hidden
    // The last rectangles are those of the last real size.
    EXPECT_EQ(CRect(360, 280, 400, 300), mw.FindWnd(corner)->m_rcLast);

    ShowWindow(host, SW_RESTORE);
    ASSERT_TRUE(lumotest::PumpUntil([&] { return !IsIconic(host); }));
    EXPECT_TRUE(HasVisibleStyle(fill));
    EXPECT_TRUE(HasVisibleStyle(corner));
    EXPECT_FALSE(HasVisibleStyle(below));
    EXPECT_EQ(CRect(360, 280, 400, 300), RectIn(host, corner));
    EXPECT_EQ(CRect(0, 0, 400, 270), RectIn(host, fill));
    lumotest::SetHostHandler(host, {});
}

TEST_F(Layout, ManagerParentlessDisabledOrGivenNonWindowsMovesNothing)
{
    CMyWin mw;  // one of its own, without a parent yet

    HWND a = MakeChild(host, 1, 2, 40, 20);
    HWND s = MakeChild(host, 3, 4, 40, 20);
    mw.AddMoveWnd_Serial(s, 10, 0);
    mw.OnSize(TRUE);  // no parent yet
    EXPECT_EQ(CRect(3, 4, 43, 24), RectIn(host, s));

    // Handles that are no windows add nothing, and look-ups of them read 0.
    HWND bogus = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x7ff1234));
    mw.AddMoveWnd(bogus, 1, 1);
    mw.AddSizeWnd(nullptr, 1, 1, 1, 1);
    mw.AddSizeWnd_Under(bogus, s, 10, 1);
    EXPECT_EQ(mw.FindWnd(bogus), nullptr);
    EXPECT_EQ(mw.FindWnd(nullptr), nullptr);
    mw.ChangeOriginX(bogus, 5);
    mw.SetOtherParent(bogus);
    EXPECT_EQ(mw.GetOriginX(bogus), 0);
    EXPECT_EQ(mw.GetUnderPixel(bogus), 0);

    mw.SetParent(parent.Get());
    mw.AddMoveWnd(a, 10, 10);
    mw.SetEnable(FALSE);
    EXPECT_FALSE(mw.GetEnable());
    mw.OnSize(TRUE);
    EXPECT_EQ(CRect(1, 2, 41, 22), RectIn(host, a));
    EXPECT_EQ(CRect(3, 4, 43, 24), RectIn(host, s));

    mw.SetEnable(TRUE);
    mw.OnSize(FALSE);
    EXPECT_EQ(CRect(350, 270, 390, 290), RectIn(host, a));
    EXPECT_EQ(CRect(180, 270, 220, 290), RectIn(host, s));

    // Records never own their windows.
    mw.Clear();
    EXPECT_EQ(mw.FindWnd(a), nullptr);
    EXPECT_TRUE(IsWindow(a));
}

TEST_F(Layout, ManagerVisibilityAndRedrawReachManagedWindowsOnly)
{
    HWND a = MakeChild(host, 10, 10, 40, 20);
    HWND b = MakeChild(host, 60, 10, 40, 20);
    HWND row = MakeChild(host, 0, 0, 40, 20);
    mw.AddMoveWnd(a, -1, -1);
    mw.AddMoveWnd(b, -1, -1);
    mw.AddMoveWnd_Serial(row, 0, 0);

    mw.SetVisible(FALSE);
    EXPECT_FALSE(HasVisibleStyle(a));
    EXPECT_FALSE(HasVisibleStyle(b));
    EXPECT_TRUE(HasVisibleStyle(row));
    mw.SetVisible(TRUE);
    EXPECT_TRUE(HasVisibleStyle(a));
    EXPECT_TRUE(HasVisibleStyle(b));
    ShowWindow(b, SW_HIDE);
    lumotest::PumpPending();

    const lumotest::RecordedMsg wholeFrame(WM_NCPAINT, 1, 0);
    lumotest::MessageRecorder recA(a, std::vector<UINT>{WM_NCPAINT});
    lumotest::MessageRecorder recB(b, std::vector<UINT>{WM_NCPAINT});
    lumotest::MessageRecorder recRow(row, std::vector<UINT>{WM_NCPAINT});
    ASSERT_TRUE(recA.Ok() && recB.Ok() && recRow.Ok());
    mw.Redraw();
    EXPECT_TRUE(lumotest::SequenceIs(recA.Messages(), {wholeFrame}));
    EXPECT_EQ(recB.Count(), 0);
    EXPECT_EQ(recRow.Count(), 0);
    RECT rcUpdate;
    EXPECT_TRUE(GetUpdateRect(a, &rcUpdate, FALSE));
    EXPECT_EQ(CRect(0, 0, 40, 20), rcUpdate);

    // A layout pass ends with a whole-frame repaint of every window it shows, after whatever
    // frame repaints the system sends while moving and showing it.
    lumotest::PumpPending();
    recA.Clear();
    recB.Clear();
    mw.OnSize(FALSE);
    ASSERT_GE(recA.Count(), 1);
    ASSERT_GE(recB.Count(), 1);
    EXPECT_TRUE(lumotest::Matches(wholeFrame, recA.Messages().back()));
    EXPECT_TRUE(lumotest::Matches(wholeFrame, recB.Messages().back()));
    EXPECT_TRUE(HasVisibleStyle(b));
}

TEST_F(Layout, ManagerWindowInAnotherParentIsPlacedInManagedCoordinates)
{
    HWND panel = lumotest::CreateHostWindow(300, 200, true, host);
    ASSERT_NE(panel, nullptr);
    SetWindowPos(panel, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    HWND mine = MakeChild(host, 0, 0, 20, 20);
    HWND guest = MakeChild(panel, 0, 0, 70, 30);
    HWND parked = MakeChild(panel, 0, 0, 70, 30);
    mw.AddSizeWnd(mine, 5, 5, -1, -1);
    mw.AddSizeWnd(guest, 50, 60, -1, -1);
    mw.SetOtherParent(guest);
    mw.AddSizeWnd(parked, 50, 400, -1, -1);
    mw.SetOtherParent(parked);
    EXPECT_TRUE(mw.FindWnd(guest)->m_bOtherParent);

    mw.OnSize(FALSE);
    EXPECT_EQ(CRect(50, 60, 120, 90), RectIn(host, guest));
    EXPECT_EQ(CRect(20, 20, 90, 50), RectIn(panel, guest));
    EXPECT_EQ(CRect(50, 60, 120, 90), mw.FindWnd(guest)->m_rcLast);
    EXPECT_EQ(CRect(5, 5, 25, 25), RectIn(host, mine));
    // Parked below the managed parent's client area, translated like a shown window.
    EXPECT_EQ(CRect(50, 310, 120, 320), RectIn(host, parked));
    EXPECT_FALSE(HasVisibleStyle(parked));

    // The offset is read from where the real parent is now.
    SetWindowPos(panel, nullptr, 10, 15, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    mw.OnSize(FALSE);
    EXPECT_EQ(CRect(50, 60, 120, 90), RectIn(host, guest));
    EXPECT_EQ(CRect(40, 45, 110, 75), RectIn(panel, guest));
}

TEST_F(Layout, ManagerManyChildrenAreAllPlacedInListOrder)
{
    SetClientSize(host, 600, 400);

    // A column of stacked windows under one head, each under the one before.
    HWND head = MakeChild(host, 0, 0, 10, 10);
    mw.AddSizeWnd(head, 4, 0, 4, -1);
    mw.ChangeOriginHeight(head, 6);
    std::vector<HWND> chain{head};
    for (int i = 0; i < 80; ++i) {
        chain.push_back(MakeChild(host, 0, 0, 10, 10));
        mw.AddSizeWnd_Under(chain.back(), chain[i], 5, 1);
    }
    mw.OnSize(FALSE);
    for (int i = 1; i <= 80; ++i) {
        const int top = 1 + i * 6;
        const bool shown = top < 400;
        ASSERT_EQ(CRect(4, top, 596, top + 5), mw.FindWnd(chain[i])->m_rcLast) << i;
        ASSERT_EQ(HasVisibleStyle(chain[i]), shown) << i;
        ASSERT_EQ(CRect(4, shown ? top : 410, 596, shown ? top + 5 : 420),
                  RectIn(host, chain[i])) << i;
    }
}
