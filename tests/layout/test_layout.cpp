// The layout rules on real child windows: where each kind of rule puts its window, when it is
// hidden and parked, the stacked chains, the bottom row and the manager-wide switches; then
// placement and number persistence through a real initialisation-file profile.
#include "CMyWin.h"

#include <afxapp.h>

#include <climits>
#include <string>
#include <vector>

#include "LumoTest.h"
#include "layout/LayoutCounts.h"

using namespace lumotest;

// Rectangles print as (left,top)-(right,bottom) in failure messages; CRect and RECT compare.
inline std::ostream& operator<<(std::ostream& os, const RECT& rc) {
    return os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}

namespace {

// Wraps an existing window in a framework object for the life of the scope, without owning it.
struct AttachedWnd : CWnd {
    explicit AttachedWnd(HWND hWnd) { Attach(hWnd); }
    ~AttachedWnd() { Detach(); }
};

HWND MakeChild(HWND parent, int x, int y, int w, int h, bool visible = true) {
    return CreateWindowExA(0, "STATIC", "", WS_CHILD | (visible ? WS_VISIBLE : 0), x, y, w, h,
                           parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

CRect WindowRect(HWND hwnd) {
    CRect rc;
    GetWindowRect(hwnd, &rc);
    return rc;
}

// The window's rectangle in its parent's client coordinates.
CRect RectIn(HWND parent, HWND child) {
    CRect rc = WindowRect(child);
    MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}

bool HasVisibleStyle(HWND hwnd) {
    return (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Resizes a top-level window so that its client area is w x h.
void SetClientSize(HWND hwnd, int w, int h) {
    RECT rcClient;
    GetClientRect(hwnd, &rcClient);
    const CRect rcWnd = WindowRect(hwnd);
    SetWindowPos(hwnd, nullptr, 0, 0, w + rcWnd.Width() - rcClient.right,
                 h + rcWnd.Height() - rcClient.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A 400 by 300 host and a manager laying out its children.
class Layout : public ::testing::Test {
protected:
    void SetUp() override { mw.SetParent(&parent); }

    // Where the window is and whether it has the visible style; a shown managed window must
    // also be where the last pass computed it.
    ::testing::AssertionResult Placed(HWND wnd, const CRect& at, bool shown = true) {
        const CRect is = RectIn(host, wnd);
        const CAutoWnd* rec = mw.FindWnd(wnd);
        if (is == at && HasVisibleStyle(wnd) == shown && (!shown || !rec || at == rec->m_rcLast))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "at " << is << (HasVisibleStyle(wnd) ? ", shown" : ", hidden")
                                             << ", last " << (rec ? rec->m_rcLast : RECT{});
    }
    // 'S' for each window with the visible style, '-' for each without.
    static std::string Shown(std::initializer_list<HWND> wnds) {
        std::string s;
        for (HWND w : wnds)
            s += HasVisibleStyle(w) ? 'S' : '-';
        return s;
    }

    HostWindow host{400, 300};
    AttachedWnd parent{host};
    CMyWin mw;
};

}  // namespace

TEST_F(Layout, MoveWindowsKeepTheirPlaceOrFollowTheEdgesAndAreShown) {
    // Each window's start, its rule (distance from the right and from the bottom, -1: not
    // anchored; centred vertically, horizontally) and where it lands in the 400 x 300 client
    // area, in 500 x 361, and there with margins 7, 3, 11, 13 (482 x 345 available).
    const struct { int x, y, cx, cy, right, bottom; BOOL centreV, centreH; CRect at[3]; } rows[] = {
        {15, 25, 50, 20, -1, -1, FALSE, FALSE, {{15, 25, 65, 45}, {15, 25, 65, 45}, {22, 28, 72, 48}}},
        {5, 5, 50, 20, -1, 10, FALSE, FALSE, {{5, 270, 55, 290}, {5, 331, 55, 351}, {12, 318, 62, 338}}},
        {6, 6, 50, 20, -1, 10, TRUE, FALSE, {{6, 140, 56, 160}, {6, 170, 56, 190}, {13, 165, 63, 185}}},
        {7, 9, 50, 20, 10, -1, FALSE, FALSE, {{340, 9, 390, 29}, {440, 9, 490, 29}, {429, 12, 479, 32}}},
        // (400 - 51) / 2 truncates
        {8, 11, 51, 20, 10, -1, FALSE, TRUE, {{174, 11, 225, 31}, {224, 11, 275, 31}, {222, 14, 273, 34}}},
        {0, 0, 30, 10, 4, 6, FALSE, FALSE, {{366, 284, 396, 294}, {466, 345, 496, 355}, {455, 332, 485, 342}}},
        // Too tall to centre: rests on the bottom edge, out over the top, and is still shown.
        {10, 0, 60, 400, -1, 0, TRUE, FALSE, {{10, -100, 70, 300}, {10, -39, 70, 361}, {17, -52, 77, 348}}},
    };
    std::vector<HWND> wnds;
    for (const auto& r : rows) {
        wnds.push_back(MakeChild(host, r.x, r.y, r.cx, r.cy, false));
        mw.AddMoveWnd(wnds.back(), r.right, r.bottom, r.centreV, r.centreH);
    }
    for (int phase = 0; phase < 3; ++phase) {
        if (phase == 1) SetClientSize(host, 500, 361);
        if (phase == 2) {
            mw.SetMarginLeft(7);
            mw.SetMarginTop(3);
            mw.SetMarginRight(11);
            mw.SetMarginBottom(13);
        }
        mw.OnSize(FALSE);
        for (size_t i = 0; i < wnds.size(); ++i)
            EXPECT_TRUE(Placed(wnds[i], rows[i].at[phase])) << "row " << i << ", phase " << phase;
    }
}

TEST_F(Layout, SizeWindowsScrollOrParkOutOfSightAndWindowsWithoutRoomHideWhereTheyAre) {
    SetClientSize(host, 400, 200);

    HWND s = MakeChild(host, 0, 0, 10, 10, false);
    HWND fixedH = MakeChild(host, 0, 0, 10, 33);
    HWND offRight = MakeChild(host, 5, 5, 30, 30);
    HWND noWidth = MakeChild(host, 50, 5, 30, 30);
    HWND wide = MakeChild(host, 0, 10, 500, 30);
    mw.AddSizeWnd(s, 10, 30, 20, 5);
    mw.AddSizeWnd(fixedH, 40, 50, 100, -1);
    mw.AddSizeWnd(offRight, 400, 10, -1, -1);
    mw.AddSizeWnd(noWidth, 100, 10, 300, -1);  // width 400 - 300 - 100 = 0
    mw.AddMoveWnd(wide, 0, -1, FALSE, TRUE);    // centred, pushed left of the client area

    mw.OnSize(FALSE);
    EXPECT_TRUE(Placed(s, {10, 30, 380, 195}));  // height 200 - 5 - 30 = 165
    EXPECT_TRUE(Placed(fixedH, {40, 50, 300, 83}));
    // Without room: hidden where they were.
    EXPECT_TRUE(Placed(offRight, {5, 5, 35, 35}, false));
    EXPECT_EQ(CRect(400, 10, 430, 40), mw.FindWnd(offRight)->m_rcLast);
    EXPECT_TRUE(Placed(noWidth, {50, 5, 80, 35}, false));
    EXPECT_TRUE(Placed(wide, {0, 10, 500, 40}, false));
    EXPECT_EQ(CRect(-100, 10, 400, 40), mw.FindWnd(wide)->m_rcLast);

    mw.SetScrollVert(50);
    mw.OnSize(FALSE);
    EXPECT_TRUE(Placed(s, {10, -20, 380, 145}));
    EXPECT_TRUE(Placed(fixedH, {40, 0, 300, 33}));

    // Scrolled out of sight, windows park just above or just under the client area, their
    // computed rectangles kept unparked.
    mw.SetScrollVert(300);
    mw.OnSize(FALSE);
    EXPECT_TRUE(Placed(s, {10, -20, 380, -10}, false));
    EXPECT_EQ(CRect(10, -270, 380, -105), mw.FindWnd(s)->m_rcLast);
    EXPECT_TRUE(Placed(fixedH, {40, -20, 300, -10}, false));
    mw.SetScrollVert(-200);
    mw.OnSize(FALSE);
    EXPECT_TRUE(Placed(s, {10, 210, 380, 220}, false));
    EXPECT_EQ(CRect(10, 230, 380, 395), mw.FindWnd(s)->m_rcLast);

    mw.SetScrollVert(0);
    SetClientSize(host, 600, 200);
    mw.OnSize(FALSE);
    EXPECT_TRUE(Placed(s, {10, 30, 580, 195}));
    EXPECT_TRUE(Placed(fixedH, {40, 50, 500, 83}));
    EXPECT_TRUE(Placed(offRight, {400, 10, 430, 40}));
    EXPECT_TRUE(Placed(noWidth, {100, 10, 300, 40}));
}

TEST_F(Layout, SizeUnderChainsFollowAndCloseUpAfterDelete) {
    HWND a = MakeChild(host, 0, 0, 10, 10);
    HWND b = MakeChild(host, 0, 0, 10, 10);
    HWND c = MakeChild(host, 0, 0, 10, 10);
    mw.AddSizeWnd(a, 10, 20, 10, -1);
    mw.ChangeOriginHeight(a, 30);
    mw.AddSizeWnd_Under(b, a, 40, 5);
    mw.AddSizeWnd_Under(c, b, 25, 3);
    // Under a window the manager does not know: never moved, nor shown.
    HWND d = MakeChild(host, 33, 44, 55, 66, false);
    mw.AddSizeWnd_Under(d, MakeChild(host, 10, 10, 100, 20), 30, 2);

    mw.SetScrollVert(10);  // applied once, through the head of the chain
    mw.OnSize(FALSE);
    EXPECT_TRUE(Placed(a, {10, 10, 390, 40}));
    EXPECT_TRUE(Placed(b, {10, 45, 390, 85}));
    EXPECT_TRUE(Placed(c, {10, 88, 390, 113}));

    // Below the client area a stacked window parks like any other.
    SetClientSize(host, 300, 80);
    mw.OnSize(TRUE);
    EXPECT_TRUE(Placed(b, {10, 45, 290, 85}));
    EXPECT_TRUE(Placed(c, {10, 90, 290, 100}, false));
    EXPECT_EQ(CRect(10, 88, 290, 113), mw.FindWnd(c)->m_rcLast);
    EXPECT_TRUE(Placed(d, {33, 44, 88, 110}, false));
    EXPECT_EQ(CRect(0, 0, 0, 0), mw.FindWnd(d)->m_rcLast);

    mw.DeleteWnd(b);
    EXPECT_EQ(mw.FindWnd(b), nullptr);
    EXPECT_EQ(mw.FindWnd(c)->m_hWndAbove, a);
    SetClientSize(host, 350, 300);
    mw.OnSize(FALSE);
    EXPECT_TRUE(Placed(c, {10, 43, 340, 68}));
    EXPECT_TRUE(Placed(b, {10, 45, 290, 85}));  // forgotten, left alone

    // A vanished window is skipped but keeps its record; its last rectangle still anchors
    // the window stacked under it.
    DestroyWindow(a);
    SetClientSize(host, 200, 300);
    mw.OnSize(FALSE);
    EXPECT_NE(mw.FindWnd(a), nullptr);
    EXPECT_TRUE(Placed(c, {10, 43, 340, 68}));
}

TEST_F(Layout, SerialRowIsCentredAlongTheBottom) {
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
    EXPECT_TRUE(Placed(s1, {80, 270, 160, 290}));
    EXPECT_TRUE(Placed(s2, {170, 266, 250, 290}));
    EXPECT_TRUE(Placed(s3, {260, 270, 320, 290}));

    DestroyWindow(s2);
    mw.OnSize(FALSE);
    // (400 - (80 + 10 + 60)) / 2 = 125
    EXPECT_TRUE(Placed(s1, {125, 270, 205, 290}));
    EXPECT_TRUE(Placed(s3, {215, 270, 275, 290}));

    mw.DeleteWnd(s1);
    SetClientSize(host, 301, 200);
    mw.OnSize(FALSE);
    EXPECT_TRUE(Placed(s3, {120, 170, 180, 190}));
    EXPECT_TRUE(Placed(s1, {125, 270, 205, 290}));
}

TEST_F(Layout, ManagerMinimisedParentHidesEverythingAndRestoreShowsAgain) {
    SetHostHandler(host, [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg == WM_SIZE) mw.OnSize(FALSE);
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
    ASSERT_EQ("SS-S", Shown({fill, corner, below, row}));

    ShowWindow(host, SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(host) != FALSE; }));
    EXPECT_EQ("---S", Shown({fill, corner, below, row}));  // the row is placed, not hidden
    // The last rectangles are those of the last real size.
    EXPECT_EQ(CRect(360, 280, 400, 300), mw.FindWnd(corner)->m_rcLast);

    ShowWindow(host, SW_RESTORE);
    ASSERT_TRUE(PumpUntil([&] { return !IsIconic(host); }));
    EXPECT_EQ("SS-S", Shown({fill, corner, below, row}));
    EXPECT_TRUE(Placed(corner, {360, 280, 400, 300}));
    EXPECT_TRUE(Placed(fill, {0, 0, 400, 270}));
    SetHostHandler(host, {});
}

TEST_F(Layout, ManagerParentlessDisabledOrGivenNonWindowsMovesNothing) {
    CMyWin mw;  // one of its own, without a parent yet

    HWND a = MakeChild(host, 1, 2, 40, 20);
    HWND s = MakeChild(host, 3, 4, 40, 20);
    mw.AddMoveWnd_Serial(s, 10, 0);
    mw.OnSize(TRUE);  // no parent yet: s stays, as checked below

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

    mw.SetParent(&parent);
    mw.AddMoveWnd(a, 10, 10);
    mw.SetEnable(FALSE);
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

TEST_F(Layout, ManagerVisibilityAndRedrawReachManagedWindowsOnly) {
    HWND a = MakeChild(host, 10, 10, 40, 20);
    HWND b = MakeChild(host, 60, 10, 40, 20);
    HWND row = MakeChild(host, 0, 0, 40, 20);
    mw.AddMoveWnd(a, -1, -1);
    mw.AddMoveWnd(b, -1, -1);
    mw.AddMoveWnd_Serial(row, 0, 0);

    mw.SetVisible(FALSE);
    EXPECT_EQ("--S", Shown({a, b, row}));
    mw.SetVisible(TRUE);
    EXPECT_EQ("SSS", Shown({a, b, row}));
    ShowWindow(b, SW_HIDE);
    PumpPending();

    const RecordedMsg wholeFrame(WM_NCPAINT, 1, 0);
    MessageRecorder recA(a, std::vector<UINT>{WM_NCPAINT});
    MessageRecorder recB(b, std::vector<UINT>{WM_NCPAINT});
    MessageRecorder recRow(row, std::vector<UINT>{WM_NCPAINT});
    ASSERT_TRUE(recA.Ok() && recB.Ok() && recRow.Ok());
    mw.Redraw();
    EXPECT_TRUE(SequenceIs(recA.Messages(), {wholeFrame}));
    EXPECT_EQ(recB.Count() + recRow.Count(), 0);
    RECT rcUpdate;
    EXPECT_TRUE(GetUpdateRect(a, &rcUpdate, FALSE));
    EXPECT_EQ(CRect(0, 0, 40, 20), rcUpdate);

    // A layout pass ends with a whole-frame repaint of every window it shows, after whatever
    // frame repaints the system sends while moving and showing it.
    PumpPending();
    recA.Clear();
    recB.Clear();
    mw.OnSize(FALSE);
    ASSERT_GE(recA.Count(), 1);
    ASSERT_GE(recB.Count(), 1);
    EXPECT_TRUE(Matches(wholeFrame, recA.Messages().back()));
    EXPECT_TRUE(Matches(wholeFrame, recB.Messages().back()));
    EXPECT_TRUE(HasVisibleStyle(b));
}

TEST_F(Layout, ManagerWindowInAnotherParentIsPlacedInManagedCoordinates) {
    HWND panel = CreateHostWindow(300, 200, true, host);
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

    mw.OnSize(FALSE);
    EXPECT_TRUE(Placed(guest, {50, 60, 120, 90}));
    EXPECT_EQ(CRect(20, 20, 90, 50), RectIn(panel, guest));
    EXPECT_TRUE(Placed(mine, {5, 5, 25, 25}));
    // Parked below the managed parent's client area, translated like a shown window.
    EXPECT_TRUE(Placed(parked, {50, 310, 120, 320}, false));

    // The offset is read from where the real parent is now.
    SetWindowPos(panel, nullptr, 10, 15, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    mw.OnSize(FALSE);
    EXPECT_TRUE(Placed(guest, {50, 60, 120, 90}));
    EXPECT_EQ(CRect(40, 45, 110, 75), RectIn(panel, guest));
}


// A plan gathers the moves of two levels of layout (a panel in the host, a button in the panel,
// a guest of the host's placed from the panel) for sizes the windows do not have yet, and places
// them in one batch. The panel's own pass, run as it is moved, does nothing for the size it was
// planned at; one for another size runs. The guest is placed from where the panel is going,
// and the system repaints nothing: what changed is invalidated, and only that.
TEST_F(Layout, PlanPlacesTwoLevelsInOneBatchAndInvalidatesWhatChanged) {
    HWND panel = CreateHostWindow(380, 280, true, host);
    ASSERT_NE(panel, nullptr);
    SetWindowPos(panel, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    AttachedWnd panelWnd(panel);
    CMyWin inner;
    inner.SetParent(&panelWnd);
    inner.SetChangesOnly(TRUE);
    mw.SetChangesOnly(TRUE);
    HWND button = MakeChild(panel, 300, 5, 40, 20);
    HWND guest = MakeChild(host, 0, 0, 10, 10);
    mw.AddSizeWnd(panel, 10, 10, 10, 10);
    inner.AddMoveWnd(button, 7, -1);
    inner.AddSizeWnd(guest, 3, 50, 3, -1);
    inner.SetOtherParent(guest);
    inner.OnSize(FALSE);
    ASSERT_EQ(CRect(13, 60, 387, 70), RectIn(host, guest));
    int nScroll = 0;
    MessageRecorder passes(panel, [&](HWND, UINT m, WPARAM, LPARAM) {
        if (m == WM_WINDOWPOSCHANGED) {
            inner.SetScrollVert(nScroll);
            inner.OnSize(FALSE);
        }
        return m == WM_WINDOWPOSCHANGED;
    });
    PumpPending();

    // The host grows to 500 x 361: the panel grows where it is, the button moves with its right
    // edge, the guest widens.
    SetClientSize(host, 500, 361);
    PumpPending();
    LONG nBatches = LayoutCounts::Batches(), nDirect = LayoutCounts::DirectMoves();
    {
        CLayoutPlan plan;
        mw.Plan(CSize(500, 361), plan);
        ASSERT_EQ(plan.GetCount(), 1);
        RECT rcPanel;
        ASSERT_TRUE(plan.GetPlannedRect(panel, &rcPanel));
        EXPECT_EQ(CRect(10, 10, 490, 351), rcPanel);
        inner.Plan(CSize(480, 341), plan);
        EXPECT_EQ(plan.GetCount(), 3);
        plan.Apply(TRUE);
    }
    EXPECT_EQ(LayoutCounts::Batches() - nBatches, 1);
    EXPECT_EQ(LayoutCounts::DirectMoves() - nDirect, 0);
    EXPECT_EQ(passes.Count(), 1);
    EXPECT_EQ(CRect(10, 10, 490, 351), RectIn(host, panel));
    EXPECT_EQ(CRect(433, 5, 473, 25), RectIn(panel, button));
    EXPECT_EQ(CRect(13, 60, 487, 70), RectIn(host, guest));
    // Nothing uncovered in the host; in the panel the new strips and the button's old place; the
    // moved button whole; the guest's new part.
    CRect rcUpdate;
    EXPECT_FALSE(GetUpdateRect(host, &rcUpdate, FALSE) && !rcUpdate.IsRectEmpty()) << rcUpdate;
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetUpdateRgn(panel, rgn, FALSE), COMPLEXREGION);
    HRGN expected = CreateRectRgn(380, 0, 480, 341);
    HRGN below = CreateRectRgn(0, 280, 480, 341);
    CombineRgn(expected, expected, below, RGN_OR);
    DeleteObject(below);
    below = CreateRectRgn(333, 5, 373, 25);
    CombineRgn(expected, expected, below, RGN_OR);
    EXPECT_TRUE(EqualRgn(rgn, expected));
    EXPECT_TRUE(GetUpdateRect(button, &rcUpdate, FALSE));
    EXPECT_EQ(CRect(0, 0, 40, 20), rcUpdate);
    EXPECT_TRUE(GetUpdateRect(guest, &rcUpdate, FALSE));
    EXPECT_EQ(CRect(374, 0, 474, 10), rcUpdate);
    DeleteObject(below);
    DeleteObject(expected);
    DeleteObject(rgn);
    PumpPending();

    // A left margin of 20 moves the panel, and with it the guest's place in the host; the panel
    // is invalidated whole, and the host where the panel was. Its pass, now for a scrolled
    // layout, is not the one planned: it runs after the batch, in a batch of its own.
    mw.SetMarginLeft(20);
    nScroll = 4;
    passes.Clear();
    nBatches = LayoutCounts::Batches();
    {
        CLayoutPlan plan;
        mw.Plan(CSize(500, 361), plan);
        inner.SetScrollVert(0);
        inner.Plan(CSize(460, 341), plan);
        plan.Apply(TRUE);
    }
    EXPECT_EQ(CRect(30, 10, 490, 351), RectIn(host, panel));
    EXPECT_EQ(CRect(413, 1, 453, 21), RectIn(panel, button));
    EXPECT_EQ(CRect(33, 56, 487, 66), RectIn(host, guest));
    EXPECT_EQ(LayoutCounts::Batches() - nBatches, 2);
    rgn = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(host, rgn, FALSE);
    EXPECT_TRUE(PtInRegion(rgn, 10, 10) && PtInRegion(rgn, 29, 350));
    EXPECT_FALSE(PtInRegion(rgn, 30, 300) || PtInRegion(rgn, 200, 300));
    DeleteObject(rgn);
    EXPECT_TRUE(GetUpdateRect(panel, &rcUpdate, FALSE));
    EXPECT_EQ(CRect(0, 0, 460, 341), rcUpdate);
    PumpPending();
    DestroyWindow(panel);
}

// ---------------------------------------------------------------------------------------------
// The application profile
// ---------------------------------------------------------------------------------------------

namespace {

CWinApp theApp("LayoutTests");
std::string g_ini;  // the application's profile: a fresh initialisation file for the suite

std::string ReadEntry(const char* name) {
    char buf[512] = "";
    GetPrivateProfileStringA("Settings", name, "", buf, sizeof(buf), g_ini.c_str());
    return buf;
}

void WriteEntry(const char* name, const char* text) {
    WritePrivateProfileStringA("Settings", name, text, g_ini.c_str());
}

WINDOWPLACEMENT PlacementOf(HWND hwnd) {
    WINDOWPLACEMENT wp = {sizeof(wp)};
    GetWindowPlacement(hwnd, &wp);
    return wp;
}

class LayoutProfile : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        g_ini = TempPath("layout.ini");
        free(const_cast<LPTSTR>(theApp.m_pszProfileName));
        theApp.m_pszProfileName = _strdup(g_ini.c_str());
    }
    static void TearDownTestSuite() { DeleteFileA(g_ini.c_str()); }

    // Stores a placement (none for null) and loads it into the host.
    BOOL Load(const char* text) {
        WriteEntry("WindowPos", text);
        return CMyWin::LoadWindowPlacement(&wnd);
    }

    HostWindow host{400, 300};
    AttachedWnd wnd{host};
};

}  // namespace

TEST_F(LayoutProfile, WindowPosRoundTripsTenNumbersUnlessMaximisedOrMinimised) {
    SetWindowPos(host, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const WINDOWPLACEMENT saved = PlacementOf(host);
    CMyWin::SaveWindowPlacement(&wnd);
    const RECT& rc = saved.rcNormalPosition;
    char expected[200];
    snprintf(expected, sizeof(expected), "%i,%i,%i,%i,%i,%i,%i,%i,%i,%i", (int)saved.flags,
             (int)saved.showCmd, (int)saved.ptMinPosition.x, (int)saved.ptMinPosition.y,
             (int)saved.ptMaxPosition.x, (int)saved.ptMaxPosition.y, (int)rc.left, (int)rc.top,
             (int)rc.right, (int)rc.bottom);
    EXPECT_EQ(ReadEntry("WindowPos"), expected);

    SetWindowPos(host, nullptr, 300, 250, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(CMyWin::LoadWindowPlacement(&wnd));
    EXPECT_EQ(CRect(rc), PlacementOf(host).rcNormalPosition);
    EXPECT_EQ(saved.showCmd, PlacementOf(host).showCmd);

    // Any placement on the screen is applied exactly as stored; half off the screen is still
    // on it, and not pulled back.
    EXPECT_TRUE(Load("0,1,-1,-1,-1,-1,100,110,500,410"));
    EXPECT_EQ(CRect(100, 110, 500, 410), PlacementOf(host).rcNormalPosition);
    MONITORINFO mi = {sizeof(mi)};
    GetMonitorInfoA(MonitorFromWindow(host, MONITOR_DEFAULTTONEAREST), &mi);
    const CRect half(mi.rcWork.right - 200, mi.rcWork.top - 100, mi.rcWork.right + 200, mi.rcWork.top + 200);
    char text[100];
    snprintf(text, sizeof(text), "0,1,-1,-1,-1,-1,%ld,%ld,%ld,%ld", half.left, half.top, half.right, half.bottom);
    EXPECT_TRUE(Load(text));
    EXPECT_EQ(half, PlacementOf(host).rcNormalPosition);

    // Nothing is written while maximised or minimised.
    WriteEntry("WindowPos", "1,2,3,4,5,6,7,8,9,10");
    for (int cmd : {SW_MAXIMIZE, SW_MINIMIZE}) {
        ShowWindow(host, cmd);
        ASSERT_TRUE(PumpUntil([&] { return (cmd == SW_MAXIMIZE ? IsZoomed(host) : IsIconic(host)) != FALSE; }));
        CMyWin::SaveWindowPlacement(&wnd);
        EXPECT_EQ(ReadEntry("WindowPos"), "1,2,3,4,5,6,7,8,9,10") << cmd;
    }
}

TEST_F(LayoutProfile, MalformedPlacementLeavesTheWindowAlone) {
    const CRect before = WindowRect(host);
    // missing, nine numbers, a word for the tenth, no numbers at all
    for (const char* text : {(const char*)nullptr, "0,1,-1,-1,-1,10,20,300,400",
                             "0,1,-1,-1,-1,-1,10,20,300,x", "garbage"})
        EXPECT_FALSE(Load(text)) << (text ? text : "(none)");
    EXPECT_EQ(before, WindowRect(host));

    // No window at all: nothing read, nothing written.
    WriteEntry("WindowPos", "0,1,-1,-1,-1,-1,100,110,500,410");
    EXPECT_FALSE(CMyWin::LoadWindowPlacement(nullptr));
    CMyWin::SaveWindowPlacement(nullptr);
    CWnd detached;
    EXPECT_FALSE(CMyWin::LoadWindowPlacement(&detached));
    CMyWin::SaveWindowPlacement(&detached);
    EXPECT_EQ(ReadEntry("WindowPos"), "0,1,-1,-1,-1,-1,100,110,500,410");
}

TEST_F(LayoutProfile, PlacementFromAWiderScreenComesBackOnScreen) {
    MONITORINFO mi = {sizeof(mi)};
    GetMonitorInfoA(MonitorFromWindow(host, MONITOR_DEFAULTTONEAREST), &mi);
    const CRect work = mi.rcWork;

    // Saved at x 3000 on a screen far wider than this one.
    EXPECT_TRUE(Load("0,1,-1,-1,-1,-1,3000,100,3400,400"));
    CRect rc = WindowRect(host);
    EXPECT_EQ(rc, rc & work) << "work area " << work;
    EXPECT_EQ(CSize(400, 300), rc.Size());
    EXPECT_EQ(rc.right, work.right);

    // Far above and to the left: lands in the top-left corner of the work area.
    EXPECT_TRUE(Load("0,1,-1,-1,-1,-1,-5000,-4000,-4700,-3800"));
    EXPECT_EQ(CRect(work.left, work.top, work.left + 300, work.top + 200), WindowRect(host));

    // Larger than the whole work area: shrunk to it.
    EXPECT_TRUE(Load("0,1,-1,-1,-1,-1,4000,0,9000,5000"));
    rc = WindowRect(host);
    EXPECT_EQ(rc, rc & work) << "work area " << work;
    EXPECT_EQ(rc.Width(), work.Width());
}

TEST_F(LayoutProfile, NumbersReadLikeCNumbers) {
    const struct { int value; const char* text; } saved[] = {
        {-5, "-5"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"}};
    for (const auto& r : saved) {
        CMyWin::SaveAppNumeric("Saved", r.value);
        EXPECT_EQ(ReadEntry("Saved"), r.text);
        EXPECT_EQ(CMyWin::LoadAppNumeric("Saved", 1), r.value);
    }

    EXPECT_EQ(CMyWin::LoadAppNumeric("Missing", 77), 77);
    const struct { const char* text; int value; } read[] = {
        {"abc", 200}, {"-", 200}, {"0x10", 16}, {"010", 8}, {"+12", 12}, {"7px", 7}};
    for (const auto& r : read) {
        WriteEntry("Number", r.text);
        EXPECT_EQ(CMyWin::LoadAppNumeric("Number", 77), r.value) << r.text;
    }

    EXPECT_EQ(CMyWin::LoadAppNumeric(nullptr, 77), 77);
    CMyWin::SaveAppNumeric(nullptr, 3);
}
