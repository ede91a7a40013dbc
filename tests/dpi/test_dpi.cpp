// The library's sizes at 96 and at 144 DPI in one process, the hand-down of a new DPI to the
// controls under a top-level window, and the resource library's larger bitmaps.
#include "DpiTest.h"
#include "lumo.h"
#include "CButtonBMP.h"
#include "CWndDoor.h"
#include "CWndDrop.h"
#include "CMenuPopEx.h"
#include "CMySlideCtrl.h"
#include "CSpecGroupBox.h"
#include "CTabCtrlEx.h"
#include "CProgressCtrlEx.h"
#include "CHyperLinkStatic.h"
#include "frame/LumoRes.h"
#include "frame/LumoModule.h"
#include "frame/CHookParent.h"
#include "frameset/CFrameset.h"
#include "layout/LayoutCounts.h"
#include "door/CWndDoorLayer.h"
#include "LumoResIds.h"
#include "CUtilityVisual.h"
#include "CMenuShadow.h"
#include "shadow/CShadowWin.h"
#include "../menu/MenuTestUtil.h"

#include <olectl.h>

using namespace lumotest;
using namespace dpitest;

namespace {

CWndDoor* DoorOf(HWND host) { return CWndDoor::GetObject(host); }

CSize WindowSize(HWND hwnd) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    return CSize(rc.right - rc.left, rc.bottom - rc.top);
}

// A door made in a host and placed (its first placement waits for a timer).
HWND PlacedDoor(HWND host) {
    HWND door = DoorWin_new(host);
    EXPECT_TRUE(door != nullptr);
    EXPECT_TRUE(PumpUntil([&] { return DoorOf(host) && DoorOf(host)->IsPlaced(); }));
    return door;
}

// Hosts that take the rectangle WM_DPICHANGED suggests, as a per-monitor aware window does.
void TakeSuggestedRect(HWND host) {
    SetHostHandler(host, [](HWND h, UINT m, WPARAM, LPARAM l, LRESULT* r) {
        if (m != WM_DPICHANGED)
            return false;
        const RECT* rc = (const RECT*)l;
        SetWindowPos(h, nullptr, rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        *r = 0;
        return true;
    });
}

bool SameBitmapPixels(HBITMAP a, HBITMAP b) {
    BITMAP ba, bb;
    if (!GetObjectA(a, sizeof(ba), &ba) || !GetObjectA(b, sizeof(bb), &bb))
        return false;
    if (ba.bmWidth != bb.bmWidth || ba.bmHeight != bb.bmHeight)
        return false;
    HDC da = CreateCompatibleDC(nullptr), db = CreateCompatibleDC(nullptr);
    HGDIOBJ oa = SelectObject(da, a), ob = SelectObject(db, b);
    bool same = true;
    for (int y = 0; y < ba.bmHeight && same; y++)
        for (int x = 0; x < ba.bmWidth && same; x++)
            same = GetPixel(da, x, y) == GetPixel(db, x, y);
    SelectObject(da, oa);
    SelectObject(db, ob);
    DeleteDC(da);
    DeleteDC(db);
    return same;
}

CSize BitmapSize(HBITMAP h) {
    BITMAP bm = {};
    GetObjectA(h, sizeof(bm), &bm);
    return CSize(bm.bmWidth, bm.bmHeight);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The helper
// ---------------------------------------------------------------------------------------------

TEST(DpiScale, ScalesRoundedAndKeepsLinesVisible) {
    CDpiScale s;
    EXPECT_EQ(96, s.GetDpi());
    EXPECT_EQ(230, s.Scale(230));
    s.SetDpi(144);
    EXPECT_EQ(345, s.Scale(230));
    EXPECT_EQ(5, s.Scale(3));  // 4.5 rounds up
    EXPECT_EQ(2, s.Pen(1));
    s.SetDpi(120);
    EXPECT_EQ(1, s.Scale(1));  // 1.25 rounds down
    EXPECT_EQ(29, s.Scale(23));
    s.SetDpi(40);
    EXPECT_EQ(0, s.Scale(1));
    EXPECT_EQ(1, s.Pen(1));   // a visible line stays one pixel wide
    EXPECT_EQ(2, s.Pen(5));
    s.SetDpi(0);              // no DPI at all counts as 96
    EXPECT_EQ(96, s.GetDpi());
}

// The program runs as on a 144-DPI screen; an unaware thread makes 96-DPI windows.
TEST(DpiScale, WindowsOfBothDpisInOneProcess) {
    ASSERT_EQ(kHigh, CDpiScale::SystemDpi()) << "the test bed did not set the screen to 144 DPI";
    HWND h96 = CreateHostAt(kLow), h144 = CreateHostAt(kHigh);
    EXPECT_EQ(kLow, CDpiScale::DpiOfWindow(h96));
    EXPECT_EQ(kHigh, CDpiScale::DpiOfWindow(h144));
    EXPECT_EQ(96, CDpiScale::DpiOfWindow(nullptr));
    EXPECT_EQ(96, CDpiScale::DpiOfWindow((HWND)(INT_PTR)0x7FFF1234));

    // Attaching reads the window's DPI and listens to its top-level window, once for all the
    // windows under it; the last one to go stops listening.
    HWND c96 = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 5, 5, h96, nullptr, nullptr, nullptr);
    HWND c144 = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 5, 5, h144, nullptr, nullptr, nullptr);
    HWND d144 = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 5, 5, c144, nullptr, nullptr, nullptr);
    {
        CDpiScale a, b, c, top;
        a.Attach(c96);
        b.Attach(c144);
        c.Attach(d144);
        top.Attach(h144);  // a top-level window hears WM_DPICHANGED itself
        EXPECT_EQ(kLow, a.GetDpi());
        EXPECT_EQ(kHigh, b.GetDpi());
        EXPECT_EQ(kHigh, c.GetDpi());
        EXPECT_EQ(4, DpiScaleProbe::AttachedCount());
        EXPECT_EQ(2, DpiScaleProbe::ListenedCount());
        EXPECT_EQ(1, HookParentProbe::SubscriberCount(h144));
        a.Detach();
        EXPECT_EQ(1, DpiScaleProbe::ListenedCount());
        EXPECT_EQ(-1, HookParentProbe::SubscriberCount(h96));
        b.Detach();
        EXPECT_EQ(1, DpiScaleProbe::ListenedCount());
    }
    EXPECT_EQ(0, DpiScaleProbe::AttachedCount());
    EXPECT_EQ(0, DpiScaleProbe::ListenedCount());
    EXPECT_EQ(-1, HookParentProbe::SubscriberCount(h144));
    DestroyWindow(h96);
    DestroyWindow(h144);
}

namespace {

// The height of the message font in the metrics a thread of the given awareness reads itself.
LONG OwnMessageFontHeight(bool unaware) {
    DpiContext ctx(unaware);
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    return ncm.lfMessageFont.lfHeight;
}

LONG HeightOf(HFONT font) {
    LOGFONTA lf = {};
    GetObjectA(font, sizeof(lf), &lf);
    return lf.lfHeight;
}

}  // namespace

// The interface font is the message font made for the window's DPI, whichever thread asks and
// whatever DPI the stock objects it sees were made for; with or without the per-DPI calls.
TEST(DpiScale, GuiFontMadeForTheWindowsDpi) {
    // What a 96-DPI and a 144-DPI thread read as their own message font, measured here.
    const LONG own96 = OwnMessageFontHeight(true), own144 = OwnMessageFontHeight(false);
    ASSERT_NE(0, own96);
    EXPECT_TRUE(ScalesByOneAndAHalf(own96, own144));
    HWND h96 = CreateHostAt(kLow), h144 = CreateHostAt(kHigh);
    GdiBalance gdi;
    for (bool perDpi : {true, false}) {
        SCOPED_TRACE(perDpi ? "per-DPI metrics" : "metrics scaled from the thread's own");
        DpiScaleProbe::UsePerDpiMetrics(perDpi);
        for (bool unawareThread : {false, true}) {
            SCOPED_TRACE(unawareThread ? "asked from an unaware thread" : "asked from an aware thread");
            DpiContext ctx(unawareThread);
            CDpiScale a, b;
            a.Attach(h96);
            b.Attach(h144);
            HFONT f96 = a.GuiFont(), f144 = b.GuiFont();
            EXPECT_NE(GetStockObject(DEFAULT_GUI_FONT), f96);
            EXPECT_NE(GetStockObject(DEFAULT_GUI_FONT), f144);
            EXPECT_EQ(f96, a.GuiFont());  // made once
            EXPECT_EQ(own96, HeightOf(f96));
            EXPECT_EQ(own144, HeightOf(f144));
            // A new DPI drops the old font.
            a.SetDpi(kHigh);
            EXPECT_EQ(own144, HeightOf(a.GuiFont()));
            b.SetDpi(192);
            // Scaled from 144, the message font's own rounding may differ by one.
            EXPECT_NEAR(2 * own96, HeightOf(b.GuiFont()), 1);
            // Metrics asked for a DPI come from the thread's own, scaled from the DPI they are
            // made for, without the per-DPI calls: the platform's answer within rounding.
            if (!perDpi) {
                typedef int(WINAPI * PFN)(int, UINT);
                PFN forDpi = (PFN)(void*)GetProcAddress(GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi");
                ASSERT_TRUE(forDpi != nullptr);
                for (int dpi : {kLow, kHigh, 192})
                    EXPECT_NEAR(forDpi(SM_CYCAPTION, dpi), CDpiScale::MetricForDpi(SM_CYCAPTION, dpi), 1) << dpi;
            }
        }
    }
    DpiScaleProbe::UsePerDpiMetrics(true);
    EXPECT_EQ(0, gdi.Delta());
    DestroyWindow(h96);
    DestroyWindow(h144);
}

// ---------------------------------------------------------------------------------------------
// The door panel
// ---------------------------------------------------------------------------------------------

TEST(DoorDpi, ChosenSizesScaleAndGivenOnesDoNot) {
    HWND h96 = CreateHostAt(kLow), h144 = CreateHostAt(kHigh);
    HWND d144 = PlacedDoor(h144);
    CWndDoor* p144 = DoorOf(h144);
    ASSERT_TRUE(p144);
    EXPECT_EQ(345, DoorWin_GetWidth(d144));
    EXPECT_EQ(345, WindowSize(d144).cx);
    EXPECT_EQ(CSize(18, 72), WindowSize(p144->GetToggleButton().m_hWnd));
    EXPECT_EQ(24, p144->GetCloseWidth(FALSE));
    // Drops: the header is the button's bitmap and a margin, both scaled.
    HWND drop144 = DropWin_new(d144, "Drop", 2, 2, 4, 120);
    CWndDrop* q144 = (CWndDrop*)SearchDropWin(drop144);
    ASSERT_TRUE(q144);
    EXPECT_EQ(27, q144->GetHeaderHeight());

    {
        // The 96 DPI door is today's door.
        DpiContext unaware(true);
        HWND d96 = PlacedDoor(h96);
        CWndDoor* p96 = DoorOf(h96);
        ASSERT_TRUE(p96);
        EXPECT_EQ(230, DoorWin_GetWidth(d96));
        EXPECT_EQ(230, WindowSize(d96).cx);
        EXPECT_EQ(CSize(12, 48), WindowSize(p96->GetToggleButton().m_hWnd));
        EXPECT_EQ(16, p96->GetCloseWidth(FALSE));
        HWND drop96 = DropWin_new(d96, "Drop", 2, 2, 4, 120);
        CWndDrop* q96 = (CWndDrop*)SearchDropWin(drop96);
        ASSERT_TRUE(q96);
        EXPECT_EQ(18, q96->GetHeaderHeight());

        // Widths a host gives are device pixels at any DPI.
        DoorWin_SetWidth(d96, 201);
        EXPECT_EQ(201, DoorWin_GetWidth(d96));
        EXPECT_EQ(201, WindowSize(d96).cx);
    }
    DoorWin_SetWidth(d144, 201);
    EXPECT_EQ(201, DoorWin_GetWidth(d144));
    EXPECT_EQ(201, WindowSize(d144).cx);

    DestroyWindow(h96);
    DestroyWindow(h144);
}

// The toggle on the screen shows the 150 % bitmap: its frame is two pixels wide there.
TEST(DoorDpi, ToggleShowsTheLargerBitmapOnScreen) {
    HWND h144 = CreateHostAt(kHigh);
    PlacedDoor(h144);
    CButtonBMP& toggle = DoorOf(h144)->GetToggleButton();
    PumpPending();
    WindowCapture shot(toggle.m_hWnd, CaptureMode::ScreenClient);
    ASSERT_TRUE(shot.Ok());
    HBITMAP big = Load1BitmapForDpi(IDB_DOOR0_NORMAL, kHigh);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, big);
    // Columns 0 and 1 are frame, column 2 is the face; away from the arrow in the middle.
    for (int x = 0; x < 3; x++)
        EXPECT_EQ(GetPixel(dc, x, 10), shot.At(x, 10)) << "column " << x;
    EXPECT_EQ(GetPixel(dc, 0, 10), shot.At(1, 10));
    EXPECT_NE(shot.At(1, 10), shot.At(2, 10));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(big);
    DestroyWindow(h144);
}

// A host made at 96 told of 144 and back, ten times: the door, its toggle and its drop
// re-measure once per change; what was made for one DPI goes with it.
TEST(DoorDpi, DpiChangedRemeasuresOnceAndLeavesNothing) {
    // The whole test runs as an unaware program would: its windows have 96 DPI until told.
    DpiContext unaware(true);
    HWND host = CreateHostAt(kLow);
    TakeSuggestedRect(host);
    HWND door = PlacedDoor(host);
    CWndDoor* pDoor = DoorOf(host);
    HWND drop = DropWin_new(door, "Drop", 2, 2, 4, 120);
    CWndDrop* pDrop = (CWndDrop*)SearchDropWin(drop);
    ASSERT_TRUE(pDrop);
    HWND toggle = pDoor->GetToggleButton().m_hWnd;
    MessageRecorder rec(door, std::vector<UINT>{CDpiScale::LumoDpiChangedMessage()});

    SendDpiChanged(host, kHigh, kLow);
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(CDpiScale::LumoDpiChangedMessage(), kHigh, kLow)}));
    EXPECT_EQ(1, pDoor->GetDpiChangeCount());
    EXPECT_EQ(345, DoorWin_GetWidth(door));
    EXPECT_EQ(345, WindowSize(door).cx);
    EXPECT_EQ(CSize(18, 72), WindowSize(toggle));
    EXPECT_EQ(27, pDrop->GetHeaderHeight());
    // The closed strip beside the layer follows the larger toggle.
    EXPECT_EQ(24, pDoor->GetCloseWidth(FALSE));

    // A window made under the host now has the DPI handed down, whatever the platform says.
    HWND drop2 = DropWin_new(door, "Second", 2, 2, 4, 80);
    CWndDrop* pDrop2 = (CWndDrop*)SearchDropWin(drop2);
    ASSERT_TRUE(pDrop2);
    EXPECT_EQ(27, pDrop2->GetHeaderHeight());

    SendDpiChanged(host, kLow, kHigh);
    EXPECT_EQ(2, pDoor->GetDpiChangeCount());
    EXPECT_EQ(230, DoorWin_GetWidth(door));
    EXPECT_EQ(CSize(12, 48), WindowSize(toggle));
    EXPECT_EQ(18, pDrop->GetHeaderHeight());

    // The same DPI again is no change.
    SendDpiChanged(host, kLow, kLow);
    EXPECT_EQ(2, pDoor->GetDpiChangeCount());

    PumpPending();
    GdiBalance gdi;
    WindowBalance windows;
    for (int i = 0; i < 10; i++) {
        SendDpiChanged(host, kHigh, kLow);
        PumpPending();
        SendDpiChanged(host, kLow, kHigh);
        PumpPending();
    }
    EXPECT_EQ(22, pDoor->GetDpiChangeCount());
    EXPECT_EQ(0, gdi.Delta());
    EXPECT_EQ(0, windows.Delta());
    EXPECT_EQ(22, rec.Count());

    // A host's own width stays as given through changes.
    DoorWin_SetWidth(door, 203);
    SendDpiChanged(host, kHigh, kLow);
    EXPECT_EQ(203, DoorWin_GetWidth(door));
    DestroyWindow(host);
    EXPECT_EQ(0, DpiScaleProbe::AttachedCount());
}

namespace {

// A window's rectangle in another window's client coordinates, by default its parent's.
CRect RectInParent(HWND hwnd, HWND ref = nullptr) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    MapWindowPoints(nullptr, ref ? ref : GetParent(hwnd), (LPPOINT)&rc, 2);
    return rc;
}

// Pixels where the screen does not show what the window paints now (WM_PRINTCLIENT), outside
// the rectangles of the windows that cover it.
int ScreenDiffersFromPaint(HWND hwnd, const std::vector<HWND>& covering) {
    WindowCapture screen(hwnd, CaptureMode::ScreenClient);
    WindowCapture paint(hwnd, CaptureMode::PrintClient);
    if (!screen.Ok() || screen.Width() != paint.Width() || screen.Height() != paint.Height())
        return -1;
    std::vector<RECT> holes;
    for (HWND c : covering) {
        RECT rc;
        GetWindowRect(c, &rc);
        MapWindowPoints(nullptr, hwnd, (LPPOINT)&rc, 2);
        holes.push_back(rc);
    }
    int n = 0;
    for (int y = 0; y < screen.Height(); y++)
        for (int x = 0; x < screen.Width(); x++) {
            const POINT pt = {x, y};
            bool covered = false;
            for (const RECT& rc : holes)
                covered = covered || PtInRect(&rc, pt);
            if (!covered && screen.At(x, y) != paint.At(x, y))
                n++;
        }
    return n;
}

// A 96 DPI host holding a door with an open drop (with a body) and a closed one, and right of
// the door a frame set of two titled frames; the layouts each control has made so far.
struct LaidOutHost {
    HWND host = nullptr, door = nullptr, drop1 = nullptr, drop2 = nullptr, body = nullptr;
    HWND left = nullptr, right = nullptr;
    CWndDoor* pDoor = nullptr;
    CWndDrop *pDrop1 = nullptr, *pDrop2 = nullptr;
    CFrameset* pSet = nullptr;

    explicit LaidOutHost(bool takesSuggested) {
        host = CreateHostAt(kLow, 640, 420);
        if (takesSuggested)
            TakeSuggestedRect(host);
        door = PlacedDoor(host);
        pDoor = DoorOf(host);
        DoorWin_SetAnimationAble(door, 0);
        drop1 = DropWin_new(door, "One", 2, 2, 4, 120);
        drop2 = DropWin_new(door, "Two", 2, 2, 6, 90);
        pDrop1 = (CWndDrop*)SearchDropWin(drop1);
        pDrop2 = (CWndDrop*)SearchDropWin(drop2);
        body = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host, nullptr, nullptr, nullptr);
        DropWin_AddObj(drop1, body);
        left = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host, nullptr, nullptr, nullptr);
        right = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host, nullptr, nullptr, nullptr);
        HFRAMESET set = Frameset_new(host);
        pSet = CFrameset::FromHandle(set);
        Frameset_SetStyle(set, 1);
        Frame_add(set, "left", "", 0, left, "120");
        Frame_add(set, "right", "", 0, right, "100%");
        Frame_SetTitle(set, "left", "Left");
        Frameset_SetOuterBorder(set, 400, 0, 0, 0);
        PumpPending();
    }
    ~LaidOutHost() { DestroyWindow(host); }

    // Layouts so far: the door, its layer, the two drops and the frame set.
    std::vector<int> Layouts() const {
        return {pDoor->GetLayout().GetPassCount(), pDoor->GetLayer()->GetLayout().GetPassCount(),
                pDrop1->GetLayout().GetPassCount(), pDrop2->GetLayout().GetPassCount(), pSet->GetLayoutCount()};
    }

    // Everything placed as a DPI places it: sizes the library chooses scaled, the host's kept.
    void ExpectPlacedAt(int dpi) const {
        SCOPED_TRACE(dpi);
        auto S = [dpi](int n) { return MulDiv(n, dpi, kLow); };
        RECT client;
        GetClientRect(host, &client);
        const CSize toggle = dpi == kLow ? CSize(12, 48) : CSize(18, 72);
        EXPECT_EQ(CRect(0, 0, S(230), client.bottom), RectInParent(door));
        EXPECT_EQ(toggle, RectInParent(pDoor->GetToggleButton().m_hWnd).Size());
        // The layer leaves the closed strip: the toggle and a gap of 4.
        EXPECT_EQ(S(230) - toggle.cx - S(4), RectInParent(pDoor->GetLayer()->m_hWnd).right);
        // Headers 18 high at 96; an open drop is as high as the host said, a closed one is its header.
        const int header = dpi == kLow ? 18 : 27;
        const CRect r1 = RectInParent(drop1), r2 = RectInParent(drop2);
        EXPECT_EQ(CRect(2, 4, S(230) - toggle.cx - S(4) - 2, 4 + 120), r1);
        EXPECT_EQ(CRect(2, r1.bottom + 6, r1.right, r1.bottom + 6 + header), r2);
        EXPECT_EQ(CRect(0, header + 1, r1.Width(), 120), RectInParent(body, drop1));
        // Frames: the host's 400, 120 and 0 kept, the title and insets (5, 24, 4, 4) scaled.
        EXPECT_EQ(CRect(400 + S(5), S(24), 400 + 120 - S(4), client.bottom - S(4)), RectInParent(left));
        EXPECT_EQ(client.right - S(4), RectInParent(right).right);
    }

    // The screen shows what each window paints now, and the toggle the bitmap made for the DPI.
    void ExpectScreenAt(int dpi) const {
        SCOPED_TRACE(dpi);
        HWND toggle = pDoor->GetToggleButton().m_hWnd;
        EXPECT_EQ(0, ScreenDiffersFromPaint(door, {pDoor->GetLayer()->m_hWnd, toggle}));
        EXPECT_EQ(0, ScreenDiffersFromPaint(drop1, {body, pDrop1->GetHeaderButton().m_hWnd}));
        EXPECT_EQ(0, ScreenDiffersFromPaint(drop2, {pDrop2->GetHeaderButton().m_hWnd}));
        EXPECT_EQ(0, ScreenDiffersFromPaint(pSet->m_hWnd, {left, right}));
        WindowCapture shot(toggle, CaptureMode::ScreenClient);
        HBITMAP bmp = Load1BitmapForDpi(IDB_DOOR0_NORMAL, dpi);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bmp);
        for (int x = 0; x < 3; x++)
            EXPECT_EQ(GetPixel(dc, x, 10), shot.At(x, 10)) << "column " << x;
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bmp);
    }
};

std::vector<int> Minus(const std::vector<int>& a, const std::vector<int>& b) {
    std::vector<int> d;
    for (size_t i = 0; i < a.size(); i++)
        d.push_back(a[i] - b[i]);
    return d;
}

}  // namespace

// One DPI change lays each control out once: the door, its layer and drops in one batch when
// the host takes the suggested rectangle, the frame set on the same resize; the door's late
// re-placement lays out nothing more. Ten changes back and forth leave no GDI object behind.
TEST(DpiChange, EachControlIsLaidOutOncePerChange) {
    DpiContext unaware(true);
    LaidOutHost h(true);
    ASSERT_TRUE(h.pDrop1 && h.pDrop2 && h.pSet);
    h.ExpectPlacedAt(kLow);
    // One change, checked, and the door's re-placement after a host's resize, which its timer
    // brings later.
    auto change = [&h](int to, int from) {
        SCOPED_TRACE(to);
        const std::vector<int> before = h.Layouts();
        const LONG batches = LayoutCounts::Batches();
        SendDpiChanged(h.host, to, from);
        EXPECT_EQ(std::vector<int>({1, 1, 1, 1, 1}), Minus(h.Layouts(), before));
        EXPECT_EQ(1, LayoutCounts::Batches() - batches);
        SendMessageA(h.door, WM_TIMER, DOOR_TIMER_RESIZE, 0);
        PumpPending();
        EXPECT_EQ(std::vector<int>({1, 1, 1, 1, 1}), Minus(h.Layouts(), before));
        EXPECT_EQ(1, LayoutCounts::Batches() - batches);
    };
    change(kHigh, kLow);
    h.ExpectPlacedAt(kHigh);
    h.ExpectScreenAt(kHigh);
    change(kLow, kHigh);
    h.ExpectPlacedAt(kLow);
    h.ExpectScreenAt(kLow);

    // What each DPI needs once is made by now.
    GdiBalance gdi;
    WindowBalance windows;
    for (int i = 0; i < 5; i++) {
        change(kHigh, kLow);
        change(kLow, kHigh);
    }
    h.ExpectPlacedAt(kLow);
    EXPECT_EQ(0, gdi.Delta());
    EXPECT_EQ(0, windows.Delta());
}

// A host that keeps its size: the controls are laid out once, when its handling of the change
// has returned, also a door whose width the host gave and which therefore does not move.
TEST(DpiChange, AHostThatKeepsItsSizeGetsOneLayoutAfterItsHandling) {
    DpiContext unaware(true);
    LaidOutHost h(false);
    ASSERT_TRUE(h.pDrop1 && h.pDrop2 && h.pSet);
    const std::vector<int> once = {1, 1, 1, 1, 1};
    std::vector<int> layoutsInHandler;
    const std::vector<int> before = h.Layouts();
    SetHostHandler(h.host, [&](HWND, UINT m, WPARAM, LPARAM, LRESULT*) {
        if (m == WM_DPICHANGED)
            layoutsInHandler = h.Layouts();
        return false;
    });
    SendDpiChanged(h.host, kHigh, kLow);
    // Nothing was laid out before the host's own handler ran.
    EXPECT_EQ(before, layoutsInHandler);
    EXPECT_EQ(once, Minus(h.Layouts(), before));
    PumpPending();
    EXPECT_EQ(345, DoorWin_GetWidth(h.door));
    EXPECT_EQ(345, RectInParent(h.door).Width());
    EXPECT_EQ(27, RectInParent(h.drop2).Height());
    EXPECT_EQ(36, RectInParent(h.left).top);
    h.ExpectScreenAt(kHigh);

    DoorWin_SetWidth(h.door, 300);
    PumpPending();
    const std::vector<int> given = h.Layouts();
    SendDpiChanged(h.host, kLow, kHigh);
    EXPECT_EQ(once, Minus(h.Layouts(), given));
    EXPECT_EQ(300, RectInParent(h.door).Width());
    // The layer gives the closed strip back to the smaller toggle.
    EXPECT_EQ(300 - 12 - 4, RectInParent(h.pDoor->GetLayer()->m_hWnd).right);
    EXPECT_EQ(18, RectInParent(h.drop2).Height());
    EXPECT_EQ(24, RectInParent(h.left).top);
    PumpPending();
    h.ExpectScreenAt(kLow);
}

// ---------------------------------------------------------------------------------------------
// The resource library's bitmaps
// ---------------------------------------------------------------------------------------------

// 144 and 192 DPI get the copies drawn at 150 and 200 %, not a stretch of the small one; other
// DPIs the nearest larger copy, scaled to their size.
TEST(BitmapDpi, LargerCopiesComeFromTheResourceLibrary) {
    HMODULE res = GetModuleHandleA("LumoRes.dll");
    HBITMAP probe = Load1BitmapForDpi(IDB_XPCHECK_CHECKED, kLow);  // loads the library
    ASSERT_TRUE(probe != nullptr);
    res = GetModuleHandleA("LumoRes.dll");
    ASSERT_TRUE(res != nullptr);
    GdiBalance gdi;
    const int ids[] = {IDB_XPCHECK_CHECKED, IDB_XPRADIO_CHECKED_HOT, IDB_DOOR1_HOVER, IDB_DROP2_CLOSED,
                       IDB_NODE1, IDB_SKIN3_CLOSE_PRESSED, IDB_SKIN0_CORNER_RIGHT};
    for (int id : ids) {
        HBITMAP small = Load1BitmapForDpi(id, kLow);
        const CSize s = BitmapSize(small);
        HBITMAP plain = Load1Bitmap(id);
        EXPECT_TRUE(SameBitmapPixels(small, plain)) << id;
        DeleteObject(plain);
        struct { int dpi, offset; } copies[] = {{144, LUMORES_ID_150}, {192, LUMORES_ID_200}};
        for (auto c : copies) {
            HBITMAP got = Load1BitmapForDpi(id, c.dpi);
            HBITMAP drawn = (HBITMAP)LoadImageA(res, MAKEINTRESOURCEA(id + c.offset), IMAGE_BITMAP, 0, 0,
                                                LR_CREATEDIBSECTION);
            ASSERT_TRUE(got && drawn) << id << " at " << c.dpi;
            EXPECT_EQ(CSize(MulDiv(s.cx, c.dpi, 96), MulDiv(s.cy, c.dpi, 96)), BitmapSize(got)) << id;
            EXPECT_TRUE(SameBitmapPixels(got, drawn)) << id << " at " << c.dpi;
            // A stretch of the small one would not be the drawn copy.
            HBITMAP stretched = (HBITMAP)CopyImage(small, IMAGE_BITMAP, BitmapSize(got).cx, BitmapSize(got).cy,
                                                   LR_CREATEDIBSECTION);
            EXPECT_FALSE(SameBitmapPixels(got, stretched)) << id << " at " << c.dpi;
            DeleteObject(stretched);
            DeleteObject(got);
            DeleteObject(drawn);
        }
        // 120 DPI: the 150 % copy scaled down to 125 %.
        HBITMAP mid = Load1BitmapForDpi(id, 120);
        EXPECT_EQ(CSize(MulDiv(s.cx, 120, 96), MulDiv(s.cy, 120, 96)), BitmapSize(mid)) << id;
        // Above 200 %: the largest copy scaled up.
        HBITMAP huge = Load1BitmapForDpi(id, 288);
        EXPECT_EQ(CSize(s.cx * 3, s.cy * 3), BitmapSize(huge)) << id;
        DeleteObject(mid);
        DeleteObject(huge);
        DeleteObject(small);
    }
    // Unknown ids give nothing at any DPI, and a larger copy's id is no id of its own.
    EXPECT_EQ(nullptr, Load1BitmapForDpi(77, kHigh));
    EXPECT_EQ(nullptr, Load1BitmapForDpi(IDB_NODE1 + LUMORES_ID_150, kHigh));
    EXPECT_EQ(nullptr, Load1BitmapForDpi(-3, 192));
    EXPECT_EQ(0, gdi.Delta());
    DeleteObject(probe);
}

// ---------------------------------------------------------------------------------------------
// XP buttons
// ---------------------------------------------------------------------------------------------

namespace {

const COLORREF kBoxFrame = RGB(28, 81, 128);  // the check box picture's frame

// A check box of the host's, attached to the library by the host's owner drawing.
HWND AttachedCheckBox(HWND host) {
    SetHostHandler(host, [](HWND, UINT m, WPARAM, LPARAM l, LRESULT* r) {
        if (m != WM_DRAWITEM)
            return false;
        const DRAWITEMSTRUCT* dis = (const DRAWITEMSTRUCT*)l;
        XPButton_Attach(dis->hwndItem, dis->hDC);
        *r = TRUE;
        return true;
    });
    HWND btn = CreateWindowA("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 10, 120, 40, host,
                             (HMENU)7, GetModuleHandleA(nullptr), nullptr);
    HDC dc = GetDC(btn);
    XPButton_Attach(btn, dc);  // the first paint attaches; later ones come through WM_DRAWITEM
    ReleaseDC(btn, dc);
    InvalidateRect(btn, nullptr, TRUE);
    PumpPending();
    return btn;
}

// Width of the box picture on the screen: the columns holding its frame colour.
int BoxWidthOnScreen(HWND btn) {
    WindowCapture shot(btn, CaptureMode::ScreenClient);
    int left = -1, right = -1;
    for (int x = 0; x < shot.Width(); x++)
        for (int y = 0; y < shot.Height(); y++)
            if (shot.At(x, y) == kBoxFrame) {
                if (left < 0)
                    left = x;
                right = x;
            }
    return left < 0 ? 0 : right - left + 1;
}

}  // namespace

TEST(XPButtonDpi, CheckBoxPictureFollowsTheButtonsDpi) {
    HWND h144 = CreateHostAt(kHigh);
    HWND b144 = AttachedCheckBox(h144);
    EXPECT_EQ(20, BoxWidthOnScreen(b144));  // the 150 % picture
    DestroyWindow(h144);

    DpiContext unaware(true);
    HWND h96 = CreateHostAt(kLow);
    TakeSuggestedRect(h96);
    HWND b96 = AttachedCheckBox(h96);
    EXPECT_EQ(13, BoxWidthOnScreen(b96));
    // Told of 144, the button paints itself again with the larger picture; nobody else
    // repaints it.
    SendDpiChanged(h96, kHigh, kLow);
    EXPECT_TRUE(PumpUntil([&] { return BoxWidthOnScreen(b96) == 20; }, 2000));
    SendDpiChanged(h96, kLow, kHigh);
    EXPECT_TRUE(PumpUntil([&] { return BoxWidthOnScreen(b96) == 13; }, 2000));
    DestroyWindow(h96);
}

// ---------------------------------------------------------------------------------------------
// The tree
// ---------------------------------------------------------------------------------------------

TEST(TreeDpi, RowsAndPicturesScaleAndAGivenHeightDoesNot) {
    HWND h144 = CreateHostAt(kHigh);
    HWND t144 = Tree_new(h144, 0, 0, 0, 0, 0);
    ASSERT_TRUE(t144 != nullptr);
    int cx = 0, cy = 0;
    EXPECT_EQ(27, Tree_GetLineHeight(t144));
    // The system's tree keeps its rows an even number of pixels high.
    EXPECT_TRUE(ScalesByOneAndAHalf(18, (SHORT)SendMessageA(t144, TVM_GETITEMHEIGHT, 0, 0)));
    ImageList_GetIconSize((HIMAGELIST)SendMessageA(t144, TVM_GETIMAGELIST, TVSIL_NORMAL, 0), &cx, &cy);
    EXPECT_EQ(24, cy);
    Tree_SetLineHeight(t144, 21);
    EXPECT_EQ(21, Tree_GetLineHeight(t144));
    DestroyWindow(h144);

    DpiContext unaware(true);
    HWND h96 = CreateHostAt(kLow);
    TakeSuggestedRect(h96);
    HWND t96 = Tree_new(h96, 0, 0, 0, 0, 0);
    HWND t96b = Tree_new(h96, 0, 0, 0, 0, 0);
    ASSERT_TRUE(t96 && t96b);
    EXPECT_EQ(18, Tree_GetLineHeight(t96));
    ImageList_GetIconSize((HIMAGELIST)SendMessageA(t96, TVM_GETIMAGELIST, TVSIL_NORMAL, 0), &cx, &cy);
    EXPECT_EQ(16, cy);
    // Taller than the 150 % pictures and their margin, so they do not make it taller.
    Tree_SetLineHeight(t96b, 33);

    GdiBalance gdi;
    SendDpiChanged(h96, kHigh, kLow);
    EXPECT_EQ(27, Tree_GetLineHeight(t96));
    EXPECT_TRUE(ScalesByOneAndAHalf(18, (SHORT)SendMessageA(t96, TVM_GETITEMHEIGHT, 0, 0)));
    ImageList_GetIconSize((HIMAGELIST)SendMessageA(t96, TVM_GETIMAGELIST, TVSIL_NORMAL, 0), &cx, &cy);
    EXPECT_EQ(24, cy);
    EXPECT_EQ(33, Tree_GetLineHeight(t96b));  // the host's height is device pixels
    for (int i = 0; i < 10; i++) {
        SendDpiChanged(h96, kLow, kHigh);
        SendDpiChanged(h96, kHigh, kLow);
    }
    SendDpiChanged(h96, kLow, kHigh);
    EXPECT_EQ(18, Tree_GetLineHeight(t96));
    EXPECT_EQ(0, gdi.Delta());
    DestroyWindow(h96);
}

// ---------------------------------------------------------------------------------------------
// Popup menus
// ---------------------------------------------------------------------------------------------

namespace {

class DpiMenu : public CMenuPopEx {
public:
    explicit DpiMenu(HWND owner) : CMenuPopEx(owner, 2) {}
    MenuLook* Look() const { return m_pLook; }
    CMenuEx* Root() const { return m_pRootMenu; }
};

void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

// Shows the menu and ends it from a timer: its sizes are made by then.
void ShowAndEnd(DpiMenu& menu) {
    SetTimer(nullptr, 0, 30, EndMenuSoon);
    menu.Popup(100, 100);
}

struct MenuSizes {
    int itemHeight, bar, fontHeight, labelWidth, pictureBar;
};

MenuSizes SizesOf(HWND owner) {
    DpiMenu plain(owner), pictured(owner);
    plain.SetItem(1, "One", 0);
    pictured.SetItem(2, "Two", 0, (HICON)CopyImage(LoadIconA(nullptr, (LPCSTR)IDI_APPLICATION), IMAGE_ICON, 16, 16, 0),
                     16, 1);
    ShowAndEnd(plain);
    ShowAndEnd(pictured);
    LOGFONTA lf = {};
    GetObjectA(plain.Look()->m_font.GetSafeHandle(), sizeof(lf), &lf);
    MEASUREITEMSTRUCT one = {ODT_MENU, 0, 1, 0, 0, 0};
    plain.Root()->MeasureItem(&one);
    MEASUREITEMSTRUCT two = {ODT_MENU, 0, 2, 0, 0, 0};
    pictured.Root()->MeasureItem(&two);
    return {plain.Look()->m_nItemHeight, plain.Look()->m_nLeftBarWidth, lf.lfHeight,
            int(one.itemWidth) - plain.Look()->m_nLeftBarWidth, pictured.Look()->m_nLeftBarWidth};
}

}  // namespace

// Item heights and the menu font come from the system's metrics for the owner's DPI; the
// picture column and the gaps scale; a picture the host gives keeps its size.
TEST(MenuDpi, ItemsAreMeasuredForTheOwnersDpi) {
    HWND h144 = CreateHostAt(kHigh);
    const MenuSizes at144 = SizesOf(h144);
    DestroyWindow(h144);
    MenuSizes at96;
    {
        DpiContext unaware(true);
        HWND h96 = CreateHostAt(kLow);
        at96 = SizesOf(h96);
        DestroyWindow(h96);
    }
    EXPECT_TRUE(ScalesByOneAndAHalf(at96.itemHeight, at144.itemHeight));
    EXPECT_TRUE(ScalesByOneAndAHalf(at96.fontHeight, at144.fontHeight));
    EXPECT_EQ(24, at96.bar);
    EXPECT_EQ(36, at144.bar);
    // The label's column: its text and a gap of 10, 15 at 144 (the text in a larger font).
    EXPECT_GT(at144.labelWidth, at96.labelWidth + 4);
    // A 16-pixel picture and 12 beside it, 18 at 144.
    EXPECT_EQ(28, at96.pictureBar);
    EXPECT_EQ(34, at144.pictureBar);
}

// The thread's own metrics are taken only where they are made for the owner's DPI: a 144 DPI
// owner's menu popped while the thread is DPI-unaware (its metrics made for 96) is measured as
// from an aware thread, and a 96 DPI owner's from an aware thread as from an unaware one.
TEST(MenuDpi, MeasuredForTheOwnerWhateverTheThreadsAwareness) {
    HWND h144 = CreateHostAt(kHigh), h96 = CreateHostAt(kLow);
    const MenuSizes aware144 = SizesOf(h144), aware96 = SizesOf(h96);
    MenuSizes unaware144, unaware96;
    {
        DpiContext unaware(true);
        unaware144 = SizesOf(h144);
        unaware96 = SizesOf(h96);
    }
    EXPECT_NE(aware96.itemHeight, aware144.itemHeight);
    EXPECT_EQ(aware144.itemHeight, unaware144.itemHeight);
    EXPECT_EQ(aware144.fontHeight, unaware144.fontHeight);
    EXPECT_EQ(unaware96.itemHeight, aware96.itemHeight);
    EXPECT_EQ(unaware96.fontHeight, aware96.fontHeight);
    DestroyWindow(h144);
    DestroyWindow(h96);
}

// ---------------------------------------------------------------------------------------------
// Frame sets
// ---------------------------------------------------------------------------------------------

namespace {

// Where a frame's window lies inside a one-frame set filling the host (title style 1): the
// insets the style chooses, and a frame size the host gave.
struct FrameInsets {
    RECT inset;
    int fixedRight;  // the right edge of the fixed frame's window
};

FrameInsets InsetsIn(HWND host) {
    HWND body = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host, nullptr, nullptr, nullptr);
    HWND fixed = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host, nullptr, nullptr, nullptr);
    HFRAMESET set = Frameset_new(host);
    Frameset_SetStyle(set, 1);
    Frame_add(set, "fixed", "", 0, fixed, "150");
    Frame_add(set, "a", "", 0, body, "100%");
    Frameset_SetSeparateWidth(set, 3);  // the host's width, the same at any DPI
    Frameset_SetOuterBorder(set, 0, 0, 0, 0);
    RECT client, rc, rf;
    GetClientRect(host, &client);
    GetWindowRect(body, &rc);
    MapWindowPoints(nullptr, host, (LPPOINT)&rc, 2);
    GetWindowRect(fixed, &rf);
    MapWindowPoints(nullptr, host, (LPPOINT)&rf, 2);
    // The fixed frame is 150 wide: its window is that less its insets; the body frame starts
    // 150 plus the host's splitter (3) from the left.
    return {{rc.left - 153, rc.top, client.right - rc.right, client.bottom - rc.bottom},
            rf.right};
}

}  // namespace

TEST(FramesetDpi, TitleAndInsetsScaleAndFrameSizesDoNot) {
    HWND h144 = CreateHostAt(kHigh);
    const FrameInsets at144 = InsetsIn(h144);
    DestroyWindow(h144);
    FrameInsets at96;
    {
        DpiContext unaware(true);
        HWND h96 = CreateHostAt(kLow);
        at96 = InsetsIn(h96);
        DestroyWindow(h96);
    }
    // Style 1: 5, 24, 4 and 4 at 96 DPI.
    EXPECT_EQ(5, at96.inset.left);
    EXPECT_EQ(24, at96.inset.top);
    EXPECT_EQ(4, at96.inset.right);
    EXPECT_EQ(4, at96.inset.bottom);
    EXPECT_EQ(8, at144.inset.left);
    EXPECT_EQ(36, at144.inset.top);
    EXPECT_EQ(6, at144.inset.right);
    EXPECT_EQ(6, at144.inset.bottom);
    // The host's 150 pixels stay 150 at both DPIs: the window in the frame ends 150 less the
    // right inset from the left.
    EXPECT_EQ(150 - 4, at96.fixedRight);
    EXPECT_EQ(150 - 6, at144.fixedRight);
}

namespace {

// The splitter between two untitled frames: where the second frame's window starts.
int SplitterIn(HWND host, int given) {
    HWND a = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host, nullptr, nullptr, nullptr);
    HWND b = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host, nullptr, nullptr, nullptr);
    HFRAMESET set = Frameset_new(host);
    Frame_add(set, "a", "", 0, a, "120");
    Frame_add(set, "b", "", 0, b, "100%");
    if (given >= 0)
        Frameset_SetSeparateWidth(set, given);
    Frameset_SetOuterBorder(set, 0, 0, 0, 0);
    RECT rc;
    GetWindowRect(b, &rc);
    MapWindowPoints(nullptr, host, (LPPOINT)&rc, 2);
    return rc.left - 120;
}

}  // namespace

TEST(FramesetDpi, DefaultSplitterScalesAndAGivenOneDoesNot) {
    HWND h144 = CreateHostAt(kHigh);
    EXPECT_EQ(5, SplitterIn(h144, -1));  // 4.5 rounded
    DestroyWindow(h144);
    h144 = CreateHostAt(kHigh);
    EXPECT_EQ(7, SplitterIn(h144, 7));
    DestroyWindow(h144);

    DpiContext unaware(true);
    HWND h96 = CreateHostAt(kLow);
    EXPECT_EQ(3, SplitterIn(h96, -1));
    DestroyWindow(h96);
    h96 = CreateHostAt(kLow);
    EXPECT_EQ(7, SplitterIn(h96, 7));
    DestroyWindow(h96);

    // Told of 144, the set lays its frames out again with the wider splitter.
    h96 = CreateHostAt(kLow);
    TakeSuggestedRect(h96);
    HWND a = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, h96, nullptr, nullptr, nullptr);
    HWND b = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, h96, nullptr, nullptr, nullptr);
    HFRAMESET set = Frameset_new(h96);
    Frame_add(set, "a", "", 0, a, "120");
    Frame_add(set, "b", "", 0, b, "100%");
    Frameset_SetOuterBorder(set, 0, 0, 0, 0);
    auto bLeft = [&] {
        RECT rc;
        GetWindowRect(b, &rc);
        MapWindowPoints(nullptr, h96, (LPPOINT)&rc, 2);
        return (int)rc.left;
    };
    EXPECT_EQ(123, bLeft());
    SendDpiChanged(h96, kHigh, kLow);
    EXPECT_EQ(125, bLeft());
    SendDpiChanged(h96, kLow, kHigh);
    EXPECT_EQ(123, bLeft());
    DestroyWindow(h96);
}

// ---------------------------------------------------------------------------------------------
// The slider
// ---------------------------------------------------------------------------------------------

namespace {

const COLORREF kSliderLeft[3] = {0x00FEE2B4, 0x00FFCE88, 0x00FFBA63};  // the channel left of the thumb

// A slider at its maximum in a framework host, read back from the screen.
struct SliderIn {
    explicit SliderIn(HWND host) {
        parent.SubclassWindow(host);
        slider.Create(WS_CHILD | WS_VISIBLE | TBS_NOTICKS, CRect(10, 10, 310, 70), &parent, 1);
        slider.SetRange(0, 100, FALSE);
        slider.SetPos(100);
        PumpPending();
    }
    ~SliderIn() {
        slider.DestroyWindow();
        parent.UnsubclassWindow();
    }
    // Rows of the channel's coloured band left of the thumb, in the middle column.
    int BandRows() {
        WindowCapture shot(slider.m_hWnd, CaptureMode::ScreenClient);
        int rows = 0;
        for (int y = 0; y < shot.Height(); y++)
            for (COLORREF c : kSliderLeft)
                if (shot.At(shot.Width() / 2, y) == c)
                    rows++;
        return rows;
    }
    CWnd parent;
    CMySlideCtrl slider;
};

}  // namespace

TEST(SliderDpi, ChannelFollowsTheDpiAndRepaintsAfterAChange) {
    HWND h144 = CreateHostAt(kHigh);
    int rows144 = 0;
    {
        SliderIn s(h144);
        rows144 = s.BandRows();
    }
    DestroyWindow(h144);

    DpiContext unaware(true);
    HWND h96 = CreateHostAt(kLow);
    TakeSuggestedRect(h96);
    {
        SliderIn s(h96);
        EXPECT_EQ(3, s.BandRows());
        EXPECT_TRUE(ScalesByOneAndAHalf(3, rows144)) << rows144;
        // Nobody but the slider repaints it after the change.
        SendDpiChanged(h96, kHigh, kLow);
        EXPECT_TRUE(PumpUntil([&] { return s.BandRows() == rows144; }, 2000)) << s.BandRows();
        RECT rc;
        GetClientRect(s.slider.m_hWnd, &rc);
        EXPECT_EQ(300, rc.right);  // the host's size stays
    }
    DestroyWindow(h96);
}

// ---------------------------------------------------------------------------------------------
// Group box and tabs
// ---------------------------------------------------------------------------------------------

namespace {

const COLORREF kGroupBandLine = 0x00CFE1E8;

// A control of the library made by the framework in a host, which it subclasses for the time.
template <class Ctl>
struct ControlIn {
    explicit ControlIn(HWND host) { parent.SubclassWindow(host); }
    ~ControlIn() {
        if (::IsWindow(ctl.m_hWnd))
            ctl.DestroyWindow();
        parent.UnsubclassWindow();
    }
    CWnd parent;
    Ctl ctl;
};

// Rows of the group box's band line in its middle column, read from the screen.
std::vector<int> BandLineRows(HWND box) {
    WindowCapture shot(box, CaptureMode::ScreenClient);
    std::vector<int> rows;
    for (int y = 0; y < shot.Height(); y++)
        if (shot.At(shot.Width() / 2, y) == kGroupBandLine)
            rows.push_back(y);
    return rows;
}

// Leftmost column holding the colour inside the band (rows 1 .. bottom), -1 for none.
int LeftmostInk(HWND wnd, COLORREF ink, int bottom) {
    WindowCapture shot(wnd, CaptureMode::ScreenClient);
    for (int x = 0; x < shot.Width(); x++)
        for (int y = 1; y < bottom && y < shot.Height(); y++)
            if (shot.At(x, y) == ink)
                return x;
    return -1;
}

}  // namespace

TEST(GroupBoxDpi, BandAndTextInsetScaleAndTheLineStaysVisible) {
    HWND h144 = CreateHostAt(kHigh, 400, 300);
    {
        ControlIn<CSpecGroupBox> g(h144);
        ASSERT_TRUE(g.ctl.Create("Orders", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(20, 20, 320, 220), &g.parent, 1));
        PumpPending();
        EXPECT_EQ(29, g.ctl.GetBandHeight());
        EXPECT_EQ((std::vector<int>{29, 30}), BandLineRows(g.ctl.m_hWnd));  // 19 and a two-pixel line
        const int left = LeftmostInk(g.ctl.m_hWnd, RGB(0, 0, 0), 29);
        EXPECT_GE(left, 15) << "the text stands 15 pixels in";
        // The host's size stays.
        CRect rc;
        g.ctl.GetClientRect(&rc);
        EXPECT_EQ(CSize(300, 200), rc.Size());
    }
    DestroyWindow(h144);

    DpiContext unaware(true);
    HWND h96 = CreateHostAt(kLow, 400, 300);
    TakeSuggestedRect(h96);
    {
        ControlIn<CSpecGroupBox> g(h96);
        ASSERT_TRUE(g.ctl.Create("Orders", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(20, 20, 320, 220), &g.parent, 1));
        PumpPending();
        EXPECT_EQ(19, g.ctl.GetBandHeight());
        EXPECT_EQ((std::vector<int>{19}), BandLineRows(g.ctl.m_hWnd));
        const int left = LeftmostInk(g.ctl.m_hWnd, RGB(0, 0, 0), 19);
        EXPECT_GE(left, 10);
        EXPECT_LT(left, 15);
        // Told of 144, the box paints its band again at the new size; nobody else repaints it.
        GdiBalance gdi;
        SendDpiChanged(h96, kHigh, kLow);
        EXPECT_TRUE(PumpUntil([&] { return BandLineRows(g.ctl.m_hWnd) == std::vector<int>{29, 30}; }, 2000));
        SendDpiChanged(h96, kLow, kHigh);
        EXPECT_TRUE(PumpUntil([&] { return BandLineRows(g.ctl.m_hWnd) == std::vector<int>{19}; }, 2000));
        EXPECT_EQ(0, gdi.Delta());
    }
    DestroyWindow(h96);
}

namespace {

// The first tab's size in a tab control written in a font the test makes, the same at both DPIs:
// the padding alone makes the difference.
CSize FirstTabIn(CTabCtrlEx& tabs, HFONT font) {
    tabs.SendMessage(WM_SETFONT, (WPARAM)font, FALSE);
    tabs.InsertItem(0, "Invoices");
    tabs.InsertItem(1, "Notes");
    CRect rc;
    tabs.GetItemRect(0, &rc);
    return rc.Size();
}

}  // namespace

TEST(TabsDpi, PaddingScalesAndFollowsAChange) {
    Lumo_UseOwnLook(1);  // the padding of the platform's look is the platform's
    HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "");
    HWND h144 = CreateHostAt(kHigh);
    CSize at144;
    {
        ControlIn<CTabCtrlEx> t(h144);
        ASSERT_TRUE(t.ctl.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 410, 210), &t.parent, 1));
        at144 = FirstTabIn(t.ctl, font);
    }
    DestroyWindow(h144);

    DpiContext unaware(true);
    HWND h96 = CreateHostAt(kLow);
    TakeSuggestedRect(h96);
    {
        ControlIn<CTabCtrlEx> t(h96);
        ASSERT_TRUE(t.ctl.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 410, 210), &t.parent, 1));
        const CSize at96 = FirstTabIn(t.ctl, font);
        // Padding 5 each side at 96, 8 at 144; the platform adds the padding at least once to
        // the height.
        EXPECT_EQ(at96.cx + 6, at144.cx);
        EXPECT_GE(at144.cy, at96.cy + 3);
        SendDpiChanged(h96, kHigh, kLow);
        CRect rc;
        t.ctl.GetItemRect(0, &rc);
        EXPECT_EQ(at144, rc.Size());
        SendDpiChanged(h96, kLow, kHigh);
        t.ctl.GetItemRect(0, &rc);
        EXPECT_EQ(at96, rc.Size());
    }
    DestroyWindow(h96);
    DeleteObject(font);
    Lumo_UseOwnLook(0);
}

// ---------------------------------------------------------------------------------------------
// Pictures a host supplies
// ---------------------------------------------------------------------------------------------

namespace {

// A 24-bit bitmap file w x h, red on the left half and blue on the right.
std::vector<BYTE> HalvesBmp(int w, int h) {
    const int stride = (w * 3 + 3) & ~3;
    std::vector<BYTE> file(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + stride * h);
    BITMAPFILEHEADER* fh = (BITMAPFILEHEADER*)file.data();
    BITMAPINFOHEADER* ih = (BITMAPINFOHEADER*)(fh + 1);
    fh->bfType = 0x4D42;
    fh->bfSize = (DWORD)file.size();
    fh->bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    *ih = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB};
    BYTE* bits = file.data() + fh->bfOffBits;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            BYTE* p = bits + y * stride + x * 3;
            p[0] = x < w / 2 ? 0 : 255;  // blue
            p[2] = x < w / 2 ? 255 : 0;  // red
        }
    return file;
}

}  // namespace

// On a 144-DPI screen a host's bitmap is drawn one screen pixel per pixel of its own, from a
// thread of either awareness: measured, placed at its size and tiled.
TEST(PictureDpi, AHostBitmapKeepsItsPixelSize) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    for (bool unawareThread : {false, true}) {
        SCOPED_TRACE(unawareThread ? "unaware thread" : "aware thread");
        DpiContext ctx(unawareThread);
        std::vector<BYTE> file = HalvesBmp(22, 14);
        IPicture* pic = nullptr;
        ASSERT_TRUE(CUtilityVisual::GetPicture(&pic, file.data(), (int)file.size()));
        CSize size;
        CUtilityVisual::GetPictureSize(size, pic);
        EXPECT_EQ(CSize(22, 14), size);
        MemoryCanvas canvas(120, 80);
        CDC dc;
        dc.Attach(canvas.Dc());
        CRect rc(10, 10, 110, 70);
        CUtilityVisual::draw_picEx(&dc, pic, rc, DT_CENTER | DT_VCENTER, SRCCOPY);
        EXPECT_EQ(11 * 14, canvas.CountColor(RGB(255, 0, 0)));
        EXPECT_EQ(11 * 14, canvas.CountColor(RGB(0, 0, 255)));
        // Tiles from the top left: the second column of tiles starts 22 pixels in.
        canvas.Fill(RGB(255, 255, 255));
        CRect all(0, 0, 120, 80);
        CUtilityVisual::fill_with_pic(&dc, pic, all);
        EXPECT_EQ(RGB(0, 0, 255), canvas.At(21, 20));
        EXPECT_EQ(RGB(255, 0, 0), canvas.At(22, 20));
        EXPECT_EQ(RGB(255, 0, 0), canvas.At(22 + 10, 14));
        EXPECT_EQ(RGB(0, 0, 255), canvas.At(22 + 11, 14));
        dc.Detach();
        pic->Release();
    }
    CoUninitialize();
}

// ---------------------------------------------------------------------------------------------
// Progress bar and hyperlink
// ---------------------------------------------------------------------------------------------

namespace {

const COLORREF kBarOuter = RGB(0xD7, 0xD2, 0xC6), kBarDark = RGB(0x8C, 0x74, 0x64);

// Dark enough to be text, whatever smoothing the platform gives its glyphs.
bool IsInk(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 300; }

// The rows and columns holding ink (or, with colour, exactly that colour) inside rc.
struct InkBox {
    int top = -1, bottom = -1, left = -1, right = -1;
    int Height() const { return top < 0 ? 0 : bottom - top + 1; }
};
InkBox InkIn(const PixelImage& img, const RECT& rc, COLORREF colour = CLR_INVALID) {
    InkBox b;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++) {
            const COLORREF c = img.At(x, y);
            if (c == CLR_INVALID || (colour == CLR_INVALID ? !IsInk(c) : c != colour))
                continue;
            if (b.top < 0 || y < b.top) b.top = y;
            if (y > b.bottom) b.bottom = y;
            if (b.left < 0 || x < b.left) b.left = x;
            if (x > b.right) b.right = x;
        }
    return b;
}

// Rows of a colour down the middle column from the top, before another colour.
int RowsFromTop(const PixelImage& img, int x, COLORREF colour, int from) {
    int y = from;
    while (y < img.Height() && img.At(x, y) == colour)
        y++;
    return y - from;
}

// A progress bar of the library's at 40 %, 300 x 30, showing a text, in a framework host.
struct BarIn {
    BarIn(HWND host, const char* text) {
        parent.SubclassWindow(host);
        bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 310, 40), &parent, 1);
        bar.SetRange32(20, 70);
        bar.SetPos(40);
        bar.SetText(text);
        bar.Invalidate();
        PumpPending();
    }
    ~BarIn() {
        bar.DestroyWindow();
        parent.UnsubclassWindow();
    }
    CWnd parent;
    CProgressCtrlEx bar;
};

}  // namespace

// The frame's lines, its margin for the text and its font scale; a bar made at 96 and told of
// 144 paints what a bar made at 144 paints, without anyone else repainting it.
TEST(ProgressDpi, FrameMarginsAndFontScaleAndFollowAChange) {
    // Underscores join into one line, which the margins cut cleanly.
    const std::string kLong(160, '_');
    HWND h144 = CreateHostAt(kHigh);
    std::vector<uint32_t> short144, long144;
    InkBox text144;
    {
        BarIn b(h144, "Hg 40");
        WindowCapture shot(b.bar.m_hWnd, CaptureMode::ScreenClient);
        ASSERT_TRUE(shot.Ok());
        short144 = shot.Pixels();
        // One outer line, then the dark line two pixels wide; the bar starts 3 in.
        EXPECT_EQ(1, RowsFromTop(shot, 150, kBarOuter, 0));
        EXPECT_EQ(2, RowsFromTop(shot, 150, kBarDark, 1));
        text144 = InkIn(shot, {0, 0, 300, 30});
        b.bar.SetText(kLong.c_str());
        b.bar.Invalidate();
        PumpPending();
        WindowCapture clipped(b.bar.m_hWnd, CaptureMode::ScreenClient);
        long144 = clipped.Pixels();
        // Text stays 6 pixels clear of either side.
        const InkBox ink = InkIn(clipped, {0, 5, 300, 25});
        EXPECT_EQ(6, ink.left);
        EXPECT_EQ(300 - 7, ink.right);
    }
    DestroyWindow(h144);

    DpiContext unaware(true);
    HWND h96 = CreateHostAt(kLow);
    TakeSuggestedRect(h96);
    {
        BarIn b(h96, "Hg 40");
        WindowCapture shot(b.bar.m_hWnd, CaptureMode::ScreenClient);
        EXPECT_EQ(1, RowsFromTop(shot, 150, kBarOuter, 0));
        EXPECT_EQ(1, RowsFromTop(shot, 150, kBarDark, 1));
        const InkBox text96 = InkIn(shot, {0, 0, 300, 30});
        EXPECT_TRUE(text96.Height() * 13 <= text144.Height() * 10 && text144.Height() * 10 <= text96.Height() * 17)
            << text96.Height() << " " << text144.Height();
        GdiBalance gdi;
        SendDpiChanged(h96, kHigh, kLow);
        EXPECT_TRUE(PumpUntil([&] { return WindowCapture(b.bar.m_hWnd, CaptureMode::ScreenClient).Pixels() == short144; },
                              2000));
        b.bar.SetText(kLong.c_str());
        b.bar.Invalidate();
        PumpPending();
        EXPECT_TRUE(WindowCapture(b.bar.m_hWnd, CaptureMode::ScreenClient).Pixels() == long144);
        SendDpiChanged(h96, kLow, kHigh);
        PumpPending();
        const InkBox ink = InkIn(WindowCapture(b.bar.m_hWnd, CaptureMode::ScreenClient), {0, 5, 300, 25});
        EXPECT_EQ(4, ink.left);
        EXPECT_EQ(300 - 5, ink.right);
        for (int i = 0; i < 10; i++) {
            SendDpiChanged(h96, kHigh, kLow);
            PumpPending();
            SendDpiChanged(h96, kLow, kHigh);
            PumpPending();
        }
        EXPECT_EQ(0, gdi.Delta());
    }
    DestroyWindow(h96);
}

namespace {

const COLORREF kLinkBlue = RGB(0, 0, 255);

// A link of the library's, 200 x 40, in a framework host; with a font of the host's or none.
struct LinkIn {
    LinkIn(HWND host, HFONT font) {
        parent.SubclassWindow(host);
        link.Create("Orders", WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 50), &parent, 1);
        if (font)
            link.SendMessage(WM_SETFONT, (WPARAM)font, FALSE);
        link.Invalidate();
        PumpPending();
    }
    ~LinkIn() {
        link.DestroyWindow();
        parent.UnsubclassWindow();
    }
    WindowCapture Shot() { return WindowCapture(link.m_hWnd, CaptureMode::ScreenClient); }
    // The text's height, the underline's (the rows most filled with link colour: no row of a
    // glyph is) and the rows between them.
    struct Look {
        int text, line, gap;
        std::vector<uint32_t> pixels;
    };
    Look Measure() {
        WindowCapture shot = Shot();
        const COLORREF back = shot.At(shot.Width() - 1, 0);
        int most = 0, lineTop = -1, lineBottom = -1;
        for (int y = 0; y < shot.Height(); y++) {
            const int n = shot.CountColor(kLinkBlue, {0, y, shot.Width(), y + 1});
            if (n > most) {
                most = n;
                lineTop = lineBottom = y;
            } else if (n == most && n > 0 && lineBottom == y - 1) {
                lineBottom = y;
            }
        }
        int textTop = -1, textBottom = -1;
        for (int y = 0; y < lineTop; y++)
            for (int x = 0; x < shot.Width(); x++)
                if (shot.At(x, y) != back) {
                    if (textTop < 0) textTop = y;
                    textBottom = y;
                    break;
                }
        return {textBottom - textTop + 1, lineBottom - lineTop + 1, lineTop - textBottom - 1, shot.Pixels()};
    }
    // How far the focus rectangle reaches past the underline's right end, read as what changes
    // on the screen when the link takes the focus.
    int FocusReach() {
        const WindowCapture before = Shot();
        link.SetFocus();
        PumpPending();
        const WindowCapture focused = Shot();
        parent.SetFocus();
        PumpPending();
        int changed = -1, line = -1;
        for (int y = 0; y < before.Height(); y++)
            for (int x = 0; x < before.Width(); x++) {
                if (before.At(x, y) != focused.At(x, y) && x > changed) changed = x;
                if (before.At(x, y) == kLinkBlue && x > line) line = x;
            }
        return changed - line;
    }
    CWnd parent;
    CHyperLinkStatic link;
};

}  // namespace

// Without a font of the host's the link's text, its underline, the gap above it and the focus
// rectangle's margin scale; with one, the text keeps the host's size. Told of 144, a link made at 96 paints as one made at 144.
TEST(HyperlinkDpi, FontUnderlineAndGapScaleAndAHostFontDoesNot) {
    HFONT hostFont = CreateFontA(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "");
    HWND h144 = CreateHostAt(kHigh);
    LinkIn::Look own144, host144;
    {
        LinkIn l(h144, nullptr);
        own144 = l.Measure();
        EXPECT_EQ(2, l.FocusReach());
    }
    {
        LinkIn l(h144, hostFont);
        host144 = l.Measure();
    }
    DestroyWindow(h144);
    EXPECT_EQ(2, own144.line);
    EXPECT_EQ(2, host144.line);

    DpiContext unaware(true);
    HWND h96 = CreateHostAt(kLow);
    TakeSuggestedRect(h96);
    {
        LinkIn l(h96, hostFont);
        const LinkIn::Look host96 = l.Measure();
        EXPECT_EQ(host96.text, host144.text);  // the host's font as given
        EXPECT_EQ(1, host96.line);
        EXPECT_EQ(host96.gap + 1, host144.gap);  // 2 rows between cell and line become 3
    }
    {
        LinkIn l(h96, nullptr);
        const LinkIn::Look own96 = l.Measure();
        EXPECT_EQ(1, own96.line);
        EXPECT_EQ(1, l.FocusReach());
        EXPECT_TRUE(own96.text * 13 <= own144.text * 10 && own144.text * 10 <= own96.text * 17)
            << own96.text << " " << own144.text;
        // Told of 144, the link repaints itself larger (the platform's own stock fonts for 144
        // need not be those scaled from 96, so the sizes are compared, not the pixels); back at
        // 96 it is today's link again.
        GdiBalance gdi;
        SendDpiChanged(h96, kHigh, kLow);
        EXPECT_TRUE(PumpUntil([&] { return l.Measure().line == 2; }, 2000));
        const LinkIn::Look told = l.Measure();
        EXPECT_TRUE(own96.text * 13 <= told.text * 10 && told.text * 10 <= own96.text * 17)
            << own96.text << " " << told.text;
        SendDpiChanged(h96, kLow, kHigh);
        EXPECT_TRUE(PumpUntil([&] { return l.Measure().pixels == own96.pixels; }, 2000));
        for (int i = 0; i < 10; i++) {
            SendDpiChanged(h96, kHigh, kLow);
            PumpPending();
            SendDpiChanged(h96, kLow, kHigh);
            PumpPending();
        }
        EXPECT_EQ(0, gdi.Delta());
    }
    DestroyWindow(h96);
    DeleteObject(hostFont);
}

// ---------------------------------------------------------------------------------------------
// The tree's font
// ---------------------------------------------------------------------------------------------

// Without a font of the host's the tree shows the interface font for its DPI, through changes;
// a font the host gives stays, and giving none hands the choice back.
TEST(TreeDpi, FontFollowsTheDpiUnlessTheHostGaveOne) {
    const LONG own96 = OwnMessageFontHeight(true), own144 = OwnMessageFontHeight(false);
    auto FontHeight = [](HWND t) { return HeightOf((HFONT)SendMessageA(t, WM_GETFONT, 0, 0)); };
    HWND h144 = CreateHostAt(kHigh);
    HWND t144 = Tree_new(h144, 0, 0, 200, 200, 0);
    ASSERT_TRUE(t144 != nullptr);
    EXPECT_EQ(own144, FontHeight(t144));
    DestroyWindow(h144);

    DpiContext unaware(true);
    HWND h96 = CreateHostAt(kLow);
    TakeSuggestedRect(h96);
    HWND t96 = Tree_new(h96, 0, 0, 200, 200, 0);
    HWND given = Tree_new(h96, 200, 0, 400, 200, 0);
    ASSERT_TRUE(t96 && given);
    HFONT hostFont = CreateFontA(-15, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "");
    SendMessageA(given, WM_SETFONT, (WPARAM)hostFont, FALSE);
    EXPECT_EQ(own96, FontHeight(t96));
    SendDpiChanged(h96, kHigh, kLow);
    EXPECT_EQ(own144, FontHeight(t96));
    EXPECT_EQ(hostFont, (HFONT)SendMessageA(given, WM_GETFONT, 0, 0));
    SendDpiChanged(h96, kLow, kHigh);
    EXPECT_EQ(own96, FontHeight(t96));
    GdiBalance gdi;
    for (int i = 0; i < 10; i++) {
        SendDpiChanged(h96, kHigh, kLow);
        SendDpiChanged(h96, kLow, kHigh);
    }
    EXPECT_EQ(0, gdi.Delta());
    // The host takes its font back: the tree shows the library's again, and follows changes.
    SendMessageA(given, WM_SETFONT, 0, FALSE);
    EXPECT_EQ(own96, FontHeight(given));
    SendDpiChanged(h96, kHigh, kLow);
    EXPECT_EQ(own144, FontHeight(given));
    DestroyWindow(h96);
    DeleteObject(hostFont);
}

// ---------------------------------------------------------------------------------------------
// Shadows
// ---------------------------------------------------------------------------------------------

namespace {

// A channel at full strength shows a factor above 255 (its product no longer fits a byte).
const COLORREF kBehind = RGB(255, 236, 216);

// The 96-DPI ramp from the window outwards over a colour; at 144 each step covers one and a
// half pixels, rounded.
std::vector<COLORREF> Ramp(COLORREF c, const std::vector<int>& factors) {
    std::vector<COLORREF> v;
    for (int f : factors)
        v.push_back(RGB(GetRValue(c) * f / 255, GetGValue(c) * f / 255, GetBValue(c) * f / 255));
    v.push_back(c);  // and past the band, what lies behind
    return v;
}
const std::vector<int> kRamp96 = {140, 170, 212, 240};
const std::vector<int> kRamp144 = {140, 140, 170, 212, 212, 240};

LRESULT CALLBACK BehindProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        HBRUSH brush = CreateSolidBrush(kBehind);
        FillRect((HDC)wp, &rc, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// A window of one colour behind everything the test puts on the screen.
HWND Behind() {
    WNDCLASSA wc = {0, BehindProc, 0, 0, GetModuleHandleA(nullptr)};
    wc.lpszClassName = "DpiTestBehind";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(WS_EX_NOACTIVATE, "DpiTestBehind", "", WS_POPUP, 0, 0, 900, 700, nullptr, nullptr,
                                nullptr, nullptr);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
    PumpPending();
    return hwnd;
}

// The screen's pixels in a row from x, n of them.
std::vector<COLORREF> ScreenRow(int x, int y, int n) {
    std::vector<COLORREF> v;
    HDC screen = GetDC(nullptr);
    for (int i = 0; i < n; i++)
        v.push_back(GetPixel(screen, x + i, y));
    ReleaseDC(nullptr, screen);
    return v;
}

// A host at (100, 100) with a shadow drawn, at a DPI; the row of pixels right of it halfway down.
std::vector<COLORREF> WindowShadowRow(int dpi, size_t n) {
    HWND host = CreateHostAt(dpi, 300, 200);
    SetWindowPos(host, HWND_TOP, 100, 100, 300, 200, SWP_SHOWWINDOW);
    UpdateWindow(host);
    PumpPending();
    EXPECT_EQ(1, ShadowWin_Register(host));
    EXPECT_TRUE(PumpUntil([&] { return ShadowWinIsDrawn(host) != 0; }, 3000));
    PumpPending();
    std::vector<COLORREF> row = ScreenRow(400, 200, (int)n);
    // The bottom-right corner: its inner pixel darkened as the corner's first step, its outer
    // one left as it was.
    const int width = (int)n - 1;
    HDC screen = GetDC(nullptr);
    row.push_back(GetPixel(screen, 400, 300));
    row.push_back(GetPixel(screen, 400 + width - 1, 300 + width - 1));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(1, ShadowWin_Unregister(host));
    // Given back as it was.
    EXPECT_EQ(std::vector<COLORREF>(n, kBehind), ScreenRow(400, 200, (int)n));
    DestroyWindow(host);
    PumpPending();
    return row;
}

}  // namespace

// A window's shadow is half as wide again at 144 DPI, each 96-DPI step of its ramp covering its
// share of the wider band; it goes back pixel for pixel.
TEST(ShadowDpi, WindowShadowWidensWithTheRampKept) {
    HWND behind = Behind();
    const COLORREF corner = Ramp(kBehind, {170})[0];
    std::vector<COLORREF> want144 = Ramp(kBehind, kRamp144), want96 = Ramp(kBehind, kRamp96);
    for (auto* v : {&want144, &want96}) {
        v->push_back(corner);
        v->push_back(kBehind);
    }
    EXPECT_EQ(want144, WindowShadowRow(kHigh, 7));
    {
        DpiContext unaware(true);
        EXPECT_EQ(want96, WindowShadowRow(kLow, 5));
    }
    DestroyWindow(behind);
}

namespace {

// The width the shadow adds to a menu of the system's opened by an owner of a DPI, and the
// printed row of the menu halfway down from its frame outwards.
struct MenuShadowSeen {
    int added = 0;
    std::vector<COLORREF> row;
};

MenuShadowSeen MenuShadowAt(int dpi) {
    DpiContext ctx(dpi == kLow);
    HWND owner = CreateHostAt(dpi, 200, 100);
    // Out of the way: the menu opens over the window behind.
    SetWindowPos(owner, nullptr, 600, 500, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpPending();
    MenuShadowSeen seen;
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "First item");
    AppendMenuA(menu, MF_STRING, 2, "Second item");
    int plainWidth = 0;
    for (int shadowed = 0; shadowed < 2; shadowed++) {
        ShadowMenu_Enable(shadowed);
        menutest::MenuSteps steps({[&] {
            if (!menutest::MenuShown())
                return false;
            HWND m = menutest::OpenMenus()[0];
            RECT rc;
            GetWindowRect(m, &rc);
            const int w = rc.right - rc.left, h = rc.bottom - rc.top;
            if (!shadowed) {
                plainWidth = w;
                return true;
            }
            seen.added = w - plainWidth;
            MemoryCanvas printed(w, h, RGB(1, 2, 3));
            SendMessageA(m, WM_PRINT, (WPARAM)printed.Dc(), PRF_NONCLIENT | PRF_CLIENT);
            for (int x = w - seen.added; x < w; x++)
                seen.row.push_back(printed.At(x, h / 2));
            return true;
        }});
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, 200, 150, 0, owner, nullptr);
    }
    ShadowMenu_Enable(0);
    DestroyMenu(menu);
    DestroyWindow(owner);
    return seen;
}

}  // namespace

// A menu's shadow strips are 4 pixels at 96 DPI and 6 at 144, with the ramp kept over what lay
// behind the menu.
TEST(ShadowDpi, MenuShadowWidensWithTheRampKept) {
    HWND behind = Behind();
    const MenuShadowSeen at144 = MenuShadowAt(kHigh), at96 = MenuShadowAt(kLow);
    EXPECT_EQ(6, at144.added);
    EXPECT_EQ(4, at96.added);
    // The strips hold the window behind the menu, darkened by the ramp's steps.
    std::vector<COLORREF> want144 = Ramp(kBehind, kRamp144), want96 = Ramp(kBehind, kRamp96);
    want144.pop_back();
    want96.pop_back();
    EXPECT_EQ(want144, at144.row);
    EXPECT_EQ(want96, at96.row);
    DestroyWindow(behind);
}
