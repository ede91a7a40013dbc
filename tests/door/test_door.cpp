// The door panel: bitmap buttons, background windows, drops, the layer and the door, driven
// through posted input, sent timer ticks and the flat functions, with pixels read back.
#include <thread>
#include "LumoTest.h"
#include "PixelTable.h"
#include "SystemColours.h"
#include "DestroyInNotify.h"
#include "lumo.h"
#include "CButtonBMP.h"
#include "CWndBack.h"
#include "CWndDoor.h"
#include "door/CWndDoorLayer.h"
#include "CWndDrop.h"
#include "door/CDoorArrowButton.h"
#include "frame/LumoModule.h"
#include "frame/LumoRes.h"
#include "layout/LayoutCounts.h"

#include <map>
#include <vector>

using namespace lumotest;

namespace {

// A host window that is also a framework window, so owner drawing and clicks are reflected to
// the library's controls while the host procedure still records what reaches it.
struct FrameworkHost : HostWindow {
    FrameworkHost() { wnd.SubclassWindow(Hwnd()); }
    ~FrameworkHost() { wnd.UnsubclassWindow(); }
    CWnd* Wnd() { return &wnd; }
    CWnd wnd;
};

CRect RectIn(HWND hwnd, HWND parent) {
    CRect rc;
    GetWindowRect(hwnd, &rc);
    MapWindowPoints(nullptr, parent, (LPPOINT)&rc, 2);
    return rc;
}

int WidthOf(HWND hwnd) { return RectIn(hwnd, nullptr).Width(); }

COLORREF BitmapPixel(HBITMAP bmp, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

// The bitmaps of the resource library's first drop hue.
struct DropBitmaps {
    DropBitmaps() { GetDropHandle(0, &open, &closed, &openHover, &closedHover, &colour); }
    DWORD open = 0, closed = 0, openHover = 0, closedHover = 0, colour = 0;
};

// A bitmap button of the open pair on a background of (10, 200, 30), made on the host.
bool MakeDropButton(CButtonBMP& btn, FrameworkHost& host, UINT id, DWORD style = 0) {
    const DropBitmaps bitmaps;
    btn.SetBitmaps(bitmaps.open, bitmaps.openHover);
    btn.SetBkColor(RGB(10, 200, 30));
    return btn.Create("", style, CRect(0, 0, 0, 0), host.Wnd(), id) != FALSE;
}

// Paints the button into the canvas as its parent's WM_DRAWITEM does.
void DrawButton(CButtonBMP& btn, MemoryCanvas& canvas) {
    DRAWITEMSTRUCT dis = {ODT_BUTTON, 0, 0, 0, 0, btn.m_hWnd, canvas.Dc(), {0, 0, canvas.Width(), canvas.Height()}, 0};
    btn.DrawItem(&dis);
}

// The widths a window is given, in order.
struct WidthLog {
    explicit WidthLog(HWND hwnd) : rec(hwnd, [this](HWND, UINT m, WPARAM, LPARAM l) {
        const WINDOWPOS* wp = (const WINDOWPOS*)l;
        if (m == WM_WINDOWPOSCHANGED && !(wp->flags & SWP_NOSIZE) && (widths.empty() || widths.back() != wp->cx))
            widths.push_back(wp->cx);
        return false;
    }) {}
    std::vector<int> widths;
    MessageRecorder rec;
};

HWND CreateTreeBody(HWND parent) {
    return CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, parent, nullptr, nullptr,
                           nullptr);
}

// The widths of a closing slide from 230: 20 pixels a tick down to the closed strip.
const std::vector<int> kClosingWidths = {210, 190, 170, 150, 130, 110, 90, 70, 50, 30, 16};

void SendTicks(HWND hwnd, UINT_PTR id, int n) {
    for (int i = 0; i < n; ++i) SendMessageA(hwnd, WM_TIMER, id, 0);
}

void PostClick(HWND hwnd) {
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

// A door in a host of 500 x 400.
class Door : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(door, nullptr); }
    HostWindow host{500, 400};
    HWND door = DoorWin_new(host);
    CWndDoor* pDoor = CWndDoor::GetObject(host);
};
class Drop : public Door {};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Bitmap buttons
// ---------------------------------------------------------------------------------------------

TEST(ButtonBMP, NotifiesParentOfClicksMovesAndLeaving) {
    FrameworkHost host;
    SetCursorPos(0, 0);
    DWORD normal = 0, hover = 0, color = 0;
    GetDoorHandle(0, &normal, &hover, &color);
    CButtonBMP btn;
    btn.SetBitmaps(normal, hover);
    ASSERT_TRUE(btn.Create("", 0, CRect(10, 10, 10, 10), host.Wnd(), 7));

    // Every third move notifies; leaving starts the count again, so the two moves after it (the
    // eighth and ninth) do not.
    MessageRecorder rec(host, std::vector<UINT>{WM_NOTIFY});
    SendMessageA(btn.m_hWnd, BM_CLICK, 0, 0);
    PumpPending();
    for (int i = 0; i < 7; ++i) SendMessageA(btn.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    SendMessageA(btn.m_hWnd, WM_MOUSELEAVE, 0, 0);
    for (int i = 0; i < 2; ++i) SendMessageA(btn.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(SequenceIs(rec.Messages(), {Notify(0, 7), Notify(0x200, 7), Notify(0x200, 7), Notify(0x2A3, 7)}));
    for (const RecordedMsg& m : rec.Messages()) EXPECT_EQ(m.wParam, 0u);
    SendMessageA(btn.m_hWnd, WM_MOUSELEAVE, 0, 0);
}

TEST(ButtonBMP, DrawsItsOnlyBitmapLeavesMagentaClearAndPointsTheDoorArrow) {
    FrameworkHost host;
    SetCursorPos(0, 0);
    DWORD normal = 0, hover = 0, color = 0;
    GetDoorHandle(0, &normal, &hover, &color);
    // Only a hover bitmap: shown while not hovered too, and the size comes from it.
    CButtonBMP only;
    only.SetBitmaps(0, hover);
    CSize size;
    only.GetBmpSize(size);
    EXPECT_EQ(size, CSize(12, 48));
    ASSERT_TRUE(only.Create("", 0, CRect(0, 0, 0, 0), host.Wnd(), 2));
    MemoryCanvas canvas(12, 48, RGB(1, 2, 3));
    DrawButton(only, canvas);
    EXPECT_EQ(canvas.At(6, 2), BitmapPixel(only.GetHoverBitmap(), 6, 2));

    // Magenta is transparent: a drop button's corner shows the background colour.
    DWORD d = 0, c = 0, dh = 0, ch = 0, col = 0;
    GetDropHandle(0, &d, &c, &dh, &ch, &col);
    CButtonBMP drop;
    drop.SetBitmaps(d, dh);
    drop.SetBkColor(RGB(10, 200, 30));
    ASSERT_TRUE(drop.Create("", 0, CRect(0, 0, 0, 0), host.Wnd(), 3));
    MemoryCanvas small(16, 16, RGB(0, 0, 0));
    DrawButton(drop, small);
    EXPECT_EQ(small.At(0, 0), RGB(10, 200, 30));

    // The door arrow, centred at (6, 24), turns with the open state.
    CDoorArrowButton arrow;
    arrow.SetBitmaps(normal, hover);
    ASSERT_TRUE(arrow.Create("", 0, CRect(0, 0, 0, 0), host.Wnd(), 4));
    const COLORREF white = RGB(255, 255, 255), blue = RGB(0x48, 0x64, 0xA5);
    MemoryCanvas a(12, 48);
    arrow.SetOpenState(TRUE);
    DrawButton(arrow, a);
    EXPECT_TRUE(PixelsAre(a, {{5, 22, white}, {5, 21, blue}, {3, 24, white}}));
    arrow.SetOpenState(FALSE);
    DrawButton(arrow, a);
    EXPECT_TRUE(PixelsAre(a, {{3, 22, white}, {3, 28, blue}, {5, 24, white}, {5, 26, blue}}));
}

// A bitmap button keeps its face between paints: a new background colour, new bitmaps and the
// pointer coming over it show at the next paint, and neither painting nor a button's life
// leaves an object behind.
TEST(ButtonBMP, KeptFaceShowsEachChangeAtTheNextPaint) {
    FrameworkHost host;
    SetCursorPos(0, 0);
    const DropBitmaps bitmaps;
    const DWORD d = bitmaps.open, c = bitmaps.closed, dh = bitmaps.openHover, ch = bitmaps.closedHover;
    CButtonBMP btn;
    ASSERT_TRUE(MakeDropButton(btn, host, 3));
    MemoryCanvas canvas(16, 16, RGB(0, 0, 0));
    DrawButton(btn, canvas);
    EXPECT_EQ(canvas.At(0, 0), RGB(10, 200, 30));
    btn.SetBkColor(RGB(90, 20, 140));
    DrawButton(btn, canvas);
    EXPECT_EQ(canvas.At(0, 0), RGB(90, 20, 140));

    // A pixel where the open bitmap and the closed one differ. Bitmaps loaded again may take the
    // handles of those they replace.
    auto pixelOf = [](HBITMAP b, int x, int y) { return BitmapPixel(b, x, y); };
    std::vector<COLORREF> open;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) open.push_back(pixelOf(btn.GetNormalBitmap(), x, y));
    btn.SetBitmaps(c, ch);
    HBITMAP closed = btn.GetNormalBitmap();
    int px = -1, py = -1;
    for (int y = 0; y < 16 && px < 0; ++y)
        for (int x = 0; x < 16 && px < 0; ++x) {
            const COLORREF o = open[y * 16 + x], k = pixelOf(closed, x, y);
            if (o != k && o != RGB(255, 0, 255) && k != RGB(255, 0, 255)) px = x, py = y;
        }
    ASSERT_GE(px, 0);
    DrawButton(btn, canvas);
    EXPECT_EQ(canvas.At(px, py), pixelOf(closed, px, py));
    btn.SetBitmaps(d, dh);
    DrawButton(btn, canvas);
    EXPECT_EQ(canvas.At(px, py), pixelOf(btn.GetNormalBitmap(), px, py));
    for (int i = 0; i < 3; ++i) SendMessageA(btn.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    ASSERT_TRUE(btn.IsHover());
    // Every pixel of the bitmap but its magenta ones.
    auto shows = [&](MemoryCanvas& on, HBITMAP b) {
        int wrong = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                wrong += pixelOf(b, x, y) != RGB(255, 0, 255) && on.At(x, y) != pixelOf(b, x, y);
        return wrong == 0;
    };
    MemoryCanvas hovered(16, 16, RGB(0, 0, 0));
    DrawButton(btn, hovered);
    EXPECT_TRUE(shows(hovered, btn.GetHoverBitmap()));
    EXPECT_FALSE(shows(hovered, btn.GetNormalBitmap()));
    SendMessageA(btn.m_hWnd, WM_MOUSELEAVE, 0, 0);
    // The first bitmap loaded takes the handle freed last, the hover one's just painted.
    btn.SetBitmaps(c, ch);
    DrawButton(btn, canvas);
    EXPECT_TRUE(shows(canvas, btn.GetNormalBitmap()));

    EXPECT_EQ(LeaksOf([&] {
                  for (int i = 0; i < 4; ++i) {
                      btn.SetBkColor(RGB(i, 0, 0));
                      DrawButton(btn, canvas);
                  }
              }),
              Leaks{});
    EXPECT_EQ(LeaksOf([&] {
                  CButtonBMP other;
                  other.SetBitmaps(d, dh);
                  other.Create("", 0, CRect(0, 0, 0, 0), host.Wnd(), 4);
                  DrawButton(other, canvas);
                  other.DestroyWindow();
              }),
              Leaks{});
}

// The kept face follows the item's size; a focus rectangle is drawn only for a tab stop that has
// the focus, and the keyboard cues coming back repaint the button.
TEST(ButtonBMP, KeptFaceFollowsTheSizeAndFocusCues) {
    FrameworkHost host;
    SetCursorPos(0, 0);
    CButtonBMP btn, tab;
    ASSERT_TRUE(MakeDropButton(btn, host, 3));
    ASSERT_TRUE(MakeDropButton(tab, host, 4, WS_TABSTOP));
    MemoryCanvas small(16, 16, RGB(0, 0, 0)), big(24, 24, RGB(0, 0, 0));
    DrawButton(btn, small);
    DrawButton(btn, big);
    EXPECT_EQ(big.At(23, 23), RGB(10, 200, 30));
    EXPECT_EQ(big.At(0, 0), RGB(10, 200, 30));

    // Without the focus a tab stop looks as any button; with it, it is framed.
    MemoryCanvas plain(16, 16, RGB(0, 0, 0)), unfocused(16, 16, RGB(0, 0, 0)), focused(16, 16, RGB(0, 0, 0));
    DrawButton(btn, plain);
    DrawButton(tab, unfocused);
    int differ = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) differ += plain.At(x, y) != unfocused.At(x, y);
    EXPECT_EQ(differ, 0);
    SendMessageA(tab.m_hWnd, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    DRAWITEMSTRUCT dis = {ODT_BUTTON, 0, 0, 0, ODS_FOCUS, tab.m_hWnd, focused.Dc(), {0, 0, 16, 16}, 0};
    tab.DrawItem(&dis);
    differ = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) differ += plain.At(x, y) != focused.At(x, y);
    EXPECT_GT(differ, 0);
    SendMessageA(tab.m_hWnd, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    ValidateRect(tab.m_hWnd, nullptr);
    SendMessageA(tab.m_hWnd, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    EXPECT_TRUE(GetUpdateRect(tab.m_hWnd, nullptr, FALSE));
}

// A derived button's face may show more than the base knows of: ForgetFace makes the next paint
// draw it again, and repaints the button.
TEST(ButtonBMP, ADerivedFaceIsDrawnAgainAfterForgetFace) {
    struct Marked : CButtonBMP {
        COLORREF mark = RGB(200, 0, 0);
        void DrawFace(HDC dc, const RECT& rc) override {
            CButtonBMP::DrawFace(dc, rc);
            RECT corner = {rc.left, rc.top, rc.left + 2, rc.top + 2};
            HBRUSH b = CreateSolidBrush(mark);
            FillRect(dc, &corner, b);
            DeleteObject(b);
        }
    };
    FrameworkHost host;
    SetCursorPos(0, 0);
    Marked btn;
    ASSERT_TRUE(MakeDropButton(btn, host, 3));
    PumpPending();
    MemoryCanvas canvas(16, 16, RGB(0, 0, 0));
    DrawButton(btn, canvas);
    EXPECT_EQ(canvas.At(0, 0), RGB(200, 0, 0));
    btn.mark = RGB(0, 0, 200);
    DrawButton(btn, canvas);
    EXPECT_EQ(canvas.At(0, 0), RGB(200, 0, 0));  // kept
    ValidateRect(btn.m_hWnd, nullptr);
    btn.ForgetFace();
    EXPECT_TRUE(GetUpdateRect(btn.m_hWnd, nullptr, FALSE));
    DrawButton(btn, canvas);
    EXPECT_EQ(canvas.At(0, 0), RGB(0, 0, 200));
}

// A pointer to a virtual member function holds 1 + the byte offset of its slot (the ABI of
// this compiler); -1 for a function that is not virtual.
template <class T>
int SlotOf(LRESULT (T::*pmf)(WPARAM, LPARAM)) {
    struct { uintptr_t ptr; ptrdiff_t adj; } rep;
    static_assert(sizeof(pmf) == sizeof(rep), "member pointer layout");
    memcpy(&rep, &pmf, sizeof(rep));
    return (rep.ptr & 1) ? (int)((rep.ptr - 1) / sizeof(void*)) : -1;
}

// The leave handler is the first virtual function the bitmap button adds to the button's, so a
// derived class overriding it is called for WM_MOUSELEAVE.
TEST(ButtonBMP, MouseLeaveIsTheFirstVirtualAfterTheButtons) {
    struct FirstAfterButton : CButton {
        virtual LRESULT Added(WPARAM, LPARAM) { return 0; }
    };
    struct Spy : CButtonBMP {
        int left = 0;
        LRESULT OnMouseLeave(WPARAM w, LPARAM l) { ++left; return CButtonBMP::OnMouseLeave(w, l); }
    };
    EXPECT_EQ(SlotOf(&FirstAfterButton::Added), SlotOf(&CButtonBMP::OnMouseLeave));
    FrameworkHost host;
    Spy btn;
    ASSERT_TRUE(btn.Create("", 0, CRect(0, 0, 8, 8), host.Wnd(), 1));
    SendMessageA(btn.m_hWnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(btn.left, 1);
}

// ---------------------------------------------------------------------------------------------
// Background window
// ---------------------------------------------------------------------------------------------

TEST(WndBack, PaintsTheFaceColourLaysOutUnlessFrozenAndDeletesItself) {
    FrameworkHost host;
    CWndBack* back = new CWndBack;
    back->GetLayout().SetParent(back);
    ASSERT_TRUE(back->Create(nullptr, "", 0, CRect(0, 0, 200, 150), host.Wnd(), 0));
    PumpPending();
    EXPECT_EQ(WindowCapture(back->m_hWnd).At(100, 100), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(back->AddChild((HWND)0x1234, 0, 0), 0);
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, back->m_hWnd, nullptr, nullptr,
                                 nullptr);
    ASSERT_EQ(back->AddChild_AutoMove(child, 10, 10, FALSE, FALSE), 1);
    EXPECT_EQ(RectIn(child, back->m_hWnd), CRect(170, 120, 190, 140));
    // Frozen: resizing moves nothing.
    back->SetFrozen(TRUE);
    back->MoveWindow(0, 0, 300, 200);
    EXPECT_EQ(RectIn(child, back->m_hWnd), CRect(170, 120, 190, 140));
    back->SetFrozen(FALSE);
    back->MoveWindow(0, 0, 300, 210);
    EXPECT_EQ(RectIn(child, back->m_hWnd), CRect(270, 180, 290, 200));

    WindowBalance windows;
    back->DestroyWindow();  // deletes itself
    EXPECT_EQ(windows.Delta(), -2);
}

// ---------------------------------------------------------------------------------------------
// Doors, through the flat functions
// ---------------------------------------------------------------------------------------------

TEST_F(Door, CreationDefaultsAndFailureValues) {
    HostWindow plain;
    EXPECT_EQ(DoorWin_new((HWND)0x4321), (HWND)0);
    EXPECT_EQ(DoorWin_new(nullptr), (HWND)0);
    EXPECT_EQ(DoorWin_IsOpened(nullptr), 0);
    EXPECT_EQ(DoorWin_GetViewStyle((HWND)0x4321), -1);
    EXPECT_EQ(DoorWin_GetOpenCloseWhenMousemove(nullptr), 1);
    int r = 7, g = 7, b = 7;
    EXPECT_EQ(DoorWin_GetBkColor(plain, &r, &g, &b), 0u);
    EXPECT_EQ(r + g + b, 0);
    DropWin_SetTitle(plain, "x");
    EXPECT_EQ(DropWin_GetTitle(plain), nullptr);
    EXPECT_EQ(SearchDropWin(plain), nullptr);

    EXPECT_EQ(RectIn(door, host), CRect(0, 0, 230, 400));

    DoorWin_SetViewStyle(door, 7);
    EXPECT_EQ(DoorWin_GetViewStyle(door), 1);
    DoorWin_SetViewStyle(door, -3);
    EXPECT_EQ(DoorWin_GetViewStyle(door), 0);
    // A hue brings its colour; a border flag the client edge.
    DWORD normal = 0, hover = 0, color = 0;
    GetDoorHandle(1, &normal, &hover, &color);
    DoorWin_SetHue(door, 1);
    EXPECT_EQ(DoorWin_GetBkColor(door, &r, &g, &b), (COLORREF)color);
    EXPECT_EQ(RGB(r, g, b), (COLORREF)color);
    DoorWin_SetBorder(door, 4);
    EXPECT_TRUE(GetWindowLongA(door, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(Door, FollowsHostLayoutAndSizeAndASecondDoorReplacesTheFirst) {
    // The second door makes room for a bar whose class name holds FIXEDBAR.
    WNDCLASSA wc = {0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr,
                    "TestFIXEDBAR"};
    RegisterClassA(&wc);
    CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 500, 30, host, nullptr, nullptr, nullptr);
    HWND second = DoorWin_new(host);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(CWndDoor::GetObject(host)->m_hWnd, second);
    EXPECT_EQ(RectIn(second, host), CRect(0, 30, 230, 400));
    SetWindowPos(host, nullptr, 0, 0, WidthOf(host), 350, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(host, &client);
    EXPECT_EQ(RectIn(second, host), CRect(0, 30, 230, client.bottom));
    DestroyWindow(second);
    EXPECT_EQ(CWndDoor::GetObject(host), nullptr);
}

// Without animation the door closes and opens at once, whether clicked or called; a request
// that changes nothing is not passed on. With it, the host is told while the door still has its
// width, and the door slides in 20-pixel ticks. Right clicks on the door and its layer are posted
// with the window clicked.
TEST_F(Door, TogglesAtOnceOrIn20PixelTicksAndTellsTheHostInOrder) {
    PumpPending();
    HWND button = pDoor->GetToggleButton().m_hWnd, layer = pDoor->GetLayer()->m_hWnd;
    const int closeWidth = 12 + 4;
    EXPECT_EQ(pDoor->GetCloseWidth(TRUE), closeWidth);
    DoorWin_SetSendMsg(door, 5);
    DoorWin_SetSendMsg_RClick(door, 6);
    std::vector<int> told;  // the door's width as each toggle reaches the host
    MessageRecorder rec(host, [&](HWND, UINT m, WPARAM, LPARAM) {
        if (m == WM_USER + 5) told.push_back(WidthOf(door));
        return m == WM_USER + 5 || m == WM_USER + 6;
    });

    DoorWin_SetAnimationAble(door, 0);
    DoorWin_OpenClose(door, 1);  // already open: nothing
    EXPECT_EQ(WidthOf(door), 230);
    PostClick(button);
    PumpPending();
    EXPECT_EQ(DoorWin_IsOpened(door), 0);
    EXPECT_EQ(WidthOf(door), closeWidth);
    PostClick(button);
    PumpPending();
    EXPECT_EQ(WidthOf(door), 230);

    DoorWin_SetAnimationAble(door, 1);
    WidthLog log(door);
    DoorWin_OpenClose(door, 0);
    EXPECT_TRUE(pDoor->GetFrozen());
    EXPECT_NE(pDoor->GetSnapshot(), nullptr);
    SendTicks(door, DOOR_TIMER_CLOSE, 11);
    EXPECT_EQ(log.widths, kClosingWidths);
    EXPECT_EQ(DoorWin_IsOpened(door), 0);
    EXPECT_FALSE(pDoor->GetFrozen());

    SendMessageA(door, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(layer, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpPending();
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(WM_USER + 5, 1, 0), RecordedMsg(WM_USER + 5, 0, 0),
                                            RecordedMsg(WM_USER + 5, 1, 0), RecordedMsg(WM_USER + 6, door, 0),
                                            RecordedMsg(WM_USER + 6, layer, 0)}));
    EXPECT_EQ(told, (std::vector<int>{230, closeWidth, 230}));
}

TEST_F(Door, TypicalRunThroughTheFlatFunctions) {
    HLMENU data = LMENU_new();
    LMENU_AddMenuItem(data, "1", "Files", "", "", "", 0);
    LMENU_AddMenuItem(data, "101", "Open", "", "", "", 0);
    SetCursorPos(900, 900);
    DoorWin_SetSendMsg(door, 3);
    HWND drop = DropWin_new(door, "Navigation", 4, 4, 4, 200), body = Tree_new(host, 0, 0, 100, 100, 0);
    ASSERT_EQ(DropWin_AddObj(drop, body), 1);
    Tree_BindLmenu(body, data, "", 1, 1);
    EXPECT_EQ(DropWin_GetDrop(drop), 1);
    EXPECT_TRUE(IsWindowVisible(body));
    // The deferred placement 100 ms after creation comes first.
    ASSERT_TRUE(PumpUntil([&] { return pDoor->IsPlaced(); }, 3000));
    PumpPending();

    HWND button = pDoor->GetToggleButton().m_hWnd;
    std::vector<int> told;  // the door's width as each toggle reaches the host
    MessageRecorder rec(host, [&](HWND, UINT m, WPARAM, LPARAM) {
        if (m == WM_USER + 3) told.push_back(WidthOf(door));
        return m == WM_USER + 3;
    });
    {
        WidthLog log(door);
        PostClick(button);
        ASSERT_TRUE(PumpUntil([&] { return DoorWin_IsOpened(door) == 0; }, 5000));
        EXPECT_EQ(log.widths, kClosingWidths);
        EXPECT_FALSE(IsWindowVisible(body));
    }
    // A host that changed height makes the snapshot useless: the door opens in 90-pixel steps.
    SetWindowPos(host, nullptr, 0, 0, 620, 380, SWP_NOMOVE | SWP_NOZORDER);
    PumpPending();
    {
        WidthLog log(door);
        PostClick(button);
        ASSERT_TRUE(PumpUntil([&] { return DoorWin_IsOpened(door) == 1; }, 5000));
        EXPECT_EQ(log.widths, (std::vector<int>{106, 196, 230}));
        EXPECT_TRUE(IsWindowVisible(body));
    }
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(WM_USER + 3, 1, 0), RecordedMsg(WM_USER + 3, 0, 0)}));
    EXPECT_EQ(told, (std::vector<int>{230, 16}));
    Tree_delete(body);
    LMENU_delete(data);
}

// Open widths stay between the closed strip and the width the host can show, so an opening
// always ends within a screen's worth of ticks.
TEST_F(Door, WidthsAreClampedToWhatTheHostCanShow) {
    const int closeWidth = pDoor->GetCloseWidth(TRUE);
    EXPECT_EQ(DoorWin_SetWidth(door, 100000), 230);
    EXPECT_EQ(DoorWin_GetWidth(door), 500);
    EXPECT_EQ(WidthOf(door), 500);
    DoorWin_OpenClose(door, 0);
    SendTicks(door, DOOR_TIMER_CLOSE, 500 / 20 + 1);
    ASSERT_EQ(DoorWin_IsOpened(door), 0);
    DoorWin_OpenClose(door, 1);
    SendTicks(door, DOOR_TIMER_OPEN, 500 / 20 + 1);
    EXPECT_EQ(DoorWin_IsOpened(door), 1);
    EXPECT_EQ(WidthOf(door), 500);
    for (int w : {-100000, 0, closeWidth - 1}) {
        DoorWin_SetWidth(door, w);
        EXPECT_EQ(DoorWin_GetWidth(door), closeWidth) << w;
    }
}

// Only a window of the host's own may become a body: not a dead or made-up handle, the desktop,
// the host or the door (the panel would hold itself), nor the panel's own windows.
TEST_F(Door, BodiesThatAreNotWindowsAreRefused) {
    HWND drop = DropWin_new(door, "Drop", 4, 4, 4, 150);
    ASSERT_NE(drop, nullptr);
    HWND gone = CreateTreeBody(host);
    DestroyWindow(gone);
    const HWND bad[] = {nullptr, (HWND)0x4321, gone, GetDesktopWindow(), host, door, drop,
                        pDoor->GetLayer()->m_hWnd, pDoor->GetToggleButton().m_hWnd};
    for (HWND h : bad) {
        SCOPED_TRACE(testing::Message() << "body " << h);
        EXPECT_EQ(DropWin_AddObj(drop, h), 0);
        EXPECT_EQ(DoorWin_AddObj(door, h, 1, 1), 0);
        EXPECT_EQ(DoorWin_AddObj_AutoMove(door, h, 1, 1, 0, 0), 0);
        EXPECT_EQ(DoorWin_AddObj_AutoSize(door, h, 1, 1, 1, 1), 0);
    }
    EXPECT_EQ(DropWin_AddObj(drop, CreateTreeBody(host)), 1);
    EXPECT_EQ(DoorWin_AddObj(door, CreateTreeBody(host), 1, 1), 1);
}

// A door is named by its own window only: a button, a static, a tree on the host, the layer or
// a drop is no door, whatever the family asks of it, and nothing reaches the door.
TEST_F(Door, OnlyItsOwnWindowNamesADoor) {
    HWND drop = DropWin_new(door, "Drop", 4, 4, 4, 150);
    HWND button = CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE, 300, 10, 40, 20, host, nullptr, nullptr,
                                  nullptr);
    HWND label = CreateWindowExA(0, "STATIC", "s", WS_CHILD | WS_VISIBLE, 300, 40, 40, 20, host, nullptr, nullptr,
                                 nullptr);
    HWND tree = Tree_new(host, 300, 70, 400, 170, 0);
    HWND body = CreateTreeBody(host);
    DoorWin_SetWidth(door, 240);
    for (HWND h : {button, label, tree, pDoor->GetLayer()->m_hWnd, drop}) {
        SCOPED_TRACE(testing::Message() << "window " << h);
        int r = 7, g = 7, b = 7;
        // GetWidth, GetHue, GetAnimationAble, GetSingleDrop, IsOpened, GetBorder, GetBkColor,
        // EnumDropWin, GetViewStyle, GetOpenCloseWhenMousemove, DropWin_new, AddObj.
        EXPECT_EQ((std::vector<LONG_PTR>{DoorWin_GetWidth(h), DoorWin_GetHue(h), DoorWin_GetAnimationAble(h),
                                         DoorWin_GetSingleDrop(h), DoorWin_IsOpened(h), DoorWin_GetBorder(h),
                                         (LONG_PTR)DoorWin_GetBkColor(h, &r, &g, &b),
                                         (LONG_PTR)DoorWin_EnumDropWin(h, 0), DoorWin_GetViewStyle(h),
                                         DoorWin_GetOpenCloseWhenMousemove(h),
                                         (LONG_PTR)DropWin_new(h, "x", 1, 1, 1, 50), DoorWin_AddObj(h, body, 1, 1)}),
                  (std::vector<LONG_PTR>{0, 0, 0, 0, 0, 0, 0, 0, -1, 1, 0, 0}));
        EXPECT_EQ(r + g + b, 0);
        EXPECT_EQ(DoorWin_SetWidth(h, 300), 0);
        DoorWin_OpenClose(h, 0);
        EXPECT_EQ(DoorWin_delete(h), 0);
    }
    ASSERT_TRUE(IsWindow(door));
    EXPECT_EQ(DoorWin_GetWidth(door), 240);
    EXPECT_FALSE(pDoor->GetFrozen());  // not closing
    EXPECT_EQ(DoorWin_EnumDropWin(door, 1), (HWND)0);
    // Nor does any other window name one of its drops, after drops were added and removed.
    HWND more[3];
    for (HWND& m : more) m = DropWin_new(door, "More", 4, 4, 4, 60);
    DestroyWindow(more[2]);
    PumpPending();
    for (HWND h : {button, label, tree, body, more[2], pDoor->GetLayer()->m_hWnd, (HWND)nullptr}) {
        EXPECT_EQ(pDoor->SearchDropWnd(h), nullptr) << "window " << h;
        pDoor->GetLayer()->ToggleDrop(h, 1);
    }
    EXPECT_FALSE(pDoor->GetLayer()->IsAnimating());
    EXPECT_NE(pDoor->SearchDropWnd(more[1]), nullptr);
}

// Two doors on one host each answer for themselves, keep their own drops, and go one by one:
// the first while the second stays, then the second.
TEST_F(Door, TwoDoorsOnOneHostEachAnswerForThemselves) {
    HWND second = DoorWin_new(host);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(DoorWin_SetWidth(door, 250), 230);
    EXPECT_EQ(DoorWin_SetWidth(second, 310), 230);
    DoorWin_SetViewStyle(door, 1);
    DoorWin_SetBkColor(second, 10, 20, 30);
    EXPECT_NE(DoorWin_GetBkColor(door, nullptr, nullptr, nullptr), RGB(10, 20, 30));
    HWND first = DropWin_new(door, "First", 4, 4, 4, 100), other = DropWin_new(second, "Second", 4, 4, 4, 100);
    EXPECT_EQ((std::vector<LONG_PTR>{DoorWin_GetWidth(door), DoorWin_GetWidth(second), DoorWin_GetViewStyle(door),
                                     DoorWin_GetViewStyle(second), (LONG_PTR)DoorWin_EnumDropWin(door, 0),
                                     (LONG_PTR)DoorWin_EnumDropWin(second, 0),
                                     (LONG_PTR)DoorWin_GetBkColor(second, nullptr, nullptr, nullptr)}),
              (std::vector<LONG_PTR>{250, 310, 1, 0, (LONG_PTR)first, (LONG_PTR)other, RGB(10, 20, 30)}));
    EXPECT_STREQ(DropWin_GetTitle(first), "First");
    EXPECT_EQ(SearchDropWin(first), pDoor->SearchDropWnd(first));

    EXPECT_EQ(DoorWin_delete(door), 1);
    EXPECT_FALSE(IsWindow(door));
    EXPECT_EQ(DropWin_GetTitle(first), nullptr);
    EXPECT_EQ(DoorWin_GetWidth(second), 310);
    EXPECT_STREQ(DropWin_GetTitle(other), "Second");
    EXPECT_EQ(DoorWin_delete(second), 1);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(CWndDoor::GetObject(host), nullptr);
    EXPECT_EQ(DoorWin_delete(second), 0);
}

// A picture as the door's background shows at once, tiled from the door's top-left corner:
// seen on the screen in the strip beside the layer, above the toggle button.
TEST_F(Door, BackgroundPictureShowsTiledFromTheCorner) {
    const COLORREF px[2][4] = {{RGB(200, 30, 30), RGB(30, 200, 30), RGB(30, 30, 200), RGB(90, 90, 90)},
                               {RGB(220, 220, 20), RGB(20, 220, 220), RGB(220, 20, 220), RGB(0, 0, 0)}};
    const std::string file = TempPath("door.bmp");
    {
        const int stride = 12;
        const BITMAPFILEHEADER head = {0x4D42, DWORD(54 + stride * 2), 0, 0, 54};
        const BITMAPINFOHEADER info = {40, 4, 2, 1, 24, BI_RGB, DWORD(stride * 2), 3780, 3780, 0, 0};
        std::vector<BYTE> bytes((const BYTE*)&head, (const BYTE*)(&head + 1));
        bytes.insert(bytes.end(), (const BYTE*)&info, (const BYTE*)(&info + 1));
        for (int y = 1; y >= 0; --y)
            for (COLORREF c : px[y]) bytes.insert(bytes.end(), {GetBValue(c), GetGValue(c), GetRValue(c)});
        HANDLE f = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(f, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
        CloseHandle(f);
    }
    ASSERT_TRUE(PumpUntil([&] { return pDoor->IsPlaced(); }, 3000));
    PumpPending();
    EXPECT_EQ(DoorWin_SetBkPicture(door, "no such picture.bmp"), 0);
    EXPECT_EQ(DoorWin_SetBkPicture(door, file.c_str()), 1);
    DeleteFileA(file.c_str());
    PumpPending();
    WindowCapture screen(door, CaptureMode::ScreenClient);
    ASSERT_TRUE(screen.Ok());
    const int right = screen.Width(), layerRight = RectIn(pDoor->GetLayer()->m_hWnd, door).right;
    int checked = 0;
    for (int y = 0; y < 6; ++y)
        for (int x = layerRight; x < right; ++x) {
            if (x == right - 14) continue;  // the separator's column
            EXPECT_EQ(screen.At(x, y), px[y % 2][x % 4]) << x << "," << y;
            ++checked;
        }
    EXPECT_GE(checked, 6 * 12);
}

// Truth values come back as 1 or 0, whatever number set them.
TEST_F(Door, FlagsAnswerOneOrZero) {
    using Setter = int(WINAPI*)(HWND, int);
    using Getter = int(WINAPI*)(HWND);
    const std::pair<Setter, Getter> flags[] = {{DoorWin_SetAnimationAble, DoorWin_GetAnimationAble},
                                               {DoorWin_SetSingleDrop, DoorWin_GetSingleDrop},
                                               {DoorWin_SetOpenCloseWhenMousemove, DoorWin_GetOpenCloseWhenMousemove}};
    for (const auto& f : flags) {
        f.first(door, 0);
        EXPECT_EQ(f.first(door, -1), 0);
        EXPECT_EQ(f.second(door), 1);
        EXPECT_EQ(f.first(door, 2), 1);
        EXPECT_EQ(f.second(door), 1);
        EXPECT_EQ(f.first(door, 0), 1);
        EXPECT_EQ(f.second(door), 0);
    }
}

TEST(DoorLifetime, DestroyingTheHostMidAnimationLeavesNothingBehind) {
    EXPECT_EQ(LeaksOf([] {
                  HWND host = CreateHostWindow(500, 400);
                  HWND door = DoorWin_new(host);
                  ASSERT_NE(door, nullptr);
                  HWND d1 = DropWin_new(door, "One", 4, 4, 4, 150);
                  DropWin_new(door, "Two", 4, 4, 4, 150);
                  DropWin_AddObj(d1, CreateTreeBody(host));
                  // Placed first in both runs: the first placement makes objects that last as
                  // long as the process, which a placement in the measured run only would count.
                  ASSERT_TRUE(PumpUntil([&] { return CWndDoor::GetObject(host)->IsPlaced(); }, 3000));
                  PumpPending();
                  // Three ticks into the slide, always the same three.
                  DoorWin_OpenClose(door, 0);
                  KillTimer(door, DOOR_TIMER_CLOSE);
                  SendTicks(door, DOOR_TIMER_CLOSE, 3);
                  ASSERT_EQ(WidthOf(door), 170);
                  DestroyWindow(host);
              }),
              Leaks{});
}

// ---------------------------------------------------------------------------------------------
// Drops and the layer
// ---------------------------------------------------------------------------------------------

// A click on a closed drop's header is one request to the layer: the open drop closes at once
// and this one slides open in 30-pixel ticks of the open timer, its tree body told at every tick
// (hosts may bind its data late); a second click closes it, the body not told.
TEST_F(Drop, StackOpenCloseSingleDropAndBodies) {
    CWndDoorLayer* layer = pDoor->GetLayer();
    ASSERT_NE(layer, nullptr);
    HWND d[3];
    for (HWND& h : d) h = DropWin_new(door, "Drop", 4, 4, 6, 150);
    CWndDrop* p0 = (CWndDrop*)SearchDropWin(d[0]);
    ASSERT_NE(p0, nullptr);
    const int hh = p0->GetHeaderHeight();
    EXPECT_EQ(hh, 18);
    auto rectOf = [&](int i) { return RectIn(d[i], layer->m_hWnd); };
    EXPECT_EQ(rectOf(0).top, 6);
    EXPECT_EQ(rectOf(0).Height(), 150);
    EXPECT_EQ(rectOf(1).top, rectOf(0).bottom + 6);
    EXPECT_EQ(rectOf(1).Height(), hh);
    EXPECT_EQ(rectOf(2).top, rectOf(1).bottom + 6);
    EXPECT_EQ(DoorWin_EnumDropWin(door, 2), d[2]);
    EXPECT_EQ(DoorWin_EnumDropWin(door, 3), (HWND)0);

    HWND tree = CreateTreeBody(host);
    HWND other = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host, nullptr, nullptr, nullptr);
    ASSERT_EQ(DropWin_AddObj(d[1], tree), 1);
    ASSERT_EQ(DropWin_AddObj(d[2], other), 1);
    EXPECT_FALSE(IsWindowVisible(tree));
    PumpPending();
    MessageRecorder layerRec(layer->m_hWnd, std::vector<UINT>{WM_NOTIFY});
    MessageRecorder treeRec(tree, std::vector<UINT>{g_msgExpandSingleNode});
    MessageRecorder otherRec(other, std::vector<UINT>{g_msgExpandSingleNode});

    SendMessageA(d[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 3));
    EXPECT_EQ(DropWin_GetDrop(d[0]), 0);
    EXPECT_EQ(rectOf(0).Height(), hh);
    ASSERT_TRUE(layer->IsAnimating());
    KillTimer(layer->m_hWnd, DOORLAYER_TIMER_OPEN);
    SendTicks(layer->m_hWnd, DOORLAYER_TIMER_OPEN, 1);
    EXPECT_EQ(rectOf(1).Height(), hh + 30);
    EXPECT_TRUE(IsWindowVisible(tree));
    SendTicks(layer->m_hWnd, DOORLAYER_TIMER_OPEN, 5);
    EXPECT_FALSE(layer->IsAnimating());
    EXPECT_EQ(rectOf(1).Height(), 150);
    EXPECT_EQ(rectOf(2).top, rectOf(1).bottom + 6);
    PumpPending();
    EXPECT_GE(treeRec.Count(), 1);
    for (const RecordedMsg& m : treeRec.Messages())
        EXPECT_TRUE(Matches(RecordedMsg(g_msgExpandSingleNode, 0, 0, tree), m));
    treeRec.Clear();

    SendMessageA(d[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 3));
    EXPECT_TRUE(layer->IsAnimating());
    KillTimer(layer->m_hWnd, DOORLAYER_TIMER_CLOSE);
    SendTicks(layer->m_hWnd, DOORLAYER_TIMER_CLOSE, 10);
    PumpPending();
    EXPECT_FALSE(layer->IsAnimating());
    EXPECT_EQ(DropWin_GetDrop(d[1]), 0);
    EXPECT_FALSE(IsWindowVisible(tree));
    EXPECT_EQ(rectOf(1).Height(), hh);
    EXPECT_EQ(treeRec.Count(), 0);
    EXPECT_TRUE(SequenceIs(layerRec.Messages(), {Notify(0, Any, layer->m_hWnd), Notify(0, Any, layer->m_hWnd)}));
    EXPECT_EQ(layerRec.Messages()[0].notifyId, layerRec.Messages()[1].notifyId);

    // A click on the body area asks nothing; a click from an id below 1000 is ignored.
    DropWin_SetDrop(d[2], 1);
    SendMessageA(d[2], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 100));
    EXPECT_FALSE(layer->IsAnimating());
    EXPECT_EQ(otherRec.Count(), 0);
    NMHDR nm = {d[2], 999, 0};
    SendMessageA(layer->m_hWnd, WM_NOTIFY, 0, (LPARAM)&nm);
    EXPECT_FALSE(layer->IsAnimating());

    // Several open without single drop; setting it again keeps the first open one only.
    DoorWin_SetSingleDrop(door, 0);
    DropWin_SetDrop(d[0], 1);
    DropWin_SetDrop(d[1], 1);
    EXPECT_EQ(DropWin_GetDrop(d[0]) + DropWin_GetDrop(d[1]) + DropWin_GetDrop(d[2]), 3);
    EXPECT_EQ(DoorWin_SetSingleDrop(door, 1), 0);
    EXPECT_EQ(DropWin_GetDrop(d[0]), 1);
    EXPECT_EQ(DropWin_GetDrop(d[1]) + DropWin_GetDrop(d[2]), 0);
}

TEST_F(Drop, ScrollBarWhenTallerThanTheDoor) {
    CWndDoorLayer* layer = pDoor->GetLayer();
    DoorWin_SetSingleDrop(door, 0);
    HWND a = DropWin_new(door, "A", 0, 0, 0, 250), b = DropWin_new(door, "B", 0, 0, 0, 250);
    DropWin_SetDrop(b, 1);
    EXPECT_TRUE(layer->IsScrolling());
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    GetScrollInfo(layer->m_hWnd, SB_VERT, &si);
    RECT rc;
    GetClientRect(layer->m_hWnd, &rc);
    EXPECT_EQ(si.nMax, 500);
    EXPECT_EQ((int)si.nPage, rc.bottom);
    DropWin_SetDrop(b, 0);
    DropWin_SetDrop(a, 0);
    EXPECT_FALSE(layer->IsScrolling());
}

// The wheel scrolls a door taller than its window by a tenth of what lies beyond the page a
// notch, either way, stopping at both ends, and only while the pointer is over the door. A
// scroll within 50 ms of the one before is dropped, so a notch is sent until it takes (or, where
// none may take, for long enough that one would have).
TEST_F(Drop, TheWheelScrollsATenthANotchWithinTheEnds) {
    CWndDoorLayer* layer = pDoor->GetLayer();
    DoorWin_SetSingleDrop(door, 0);
    DropWin_new(door, "A", 0, 0, 0, 250);
    HWND b = DropWin_new(door, "B", 0, 0, 0, 250);
    DropWin_SetDrop(b, 1);
    ASSERT_TRUE(layer->IsScrolling());
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    GetScrollInfo(layer->m_hWnd, SB_VERT, &si);
    const int page = (int)si.nPage, step = (si.nMax - page) / 10, last = si.nMax - page + 1;
    ASSERT_GT(step, 1);
    RECT rd;
    GetWindowRect(pDoor->m_hWnd, &rd);
    const POINT over = {(rd.left + rd.right) / 2, (rd.top + rd.bottom) / 2}, beside = {rd.right + 5, over.y};
    const auto pos = [&] { return GetScrollPos(layer->m_hWnd, SB_VERT); };
    const auto notch = [&](int delta, POINT at, DWORD ms) {
        const int before = pos();
        PumpUntil([&] {
            SendMessageA(layer->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(at.x, at.y));
            return pos() != before;
        }, ms);
        return pos();
    };
    EXPECT_EQ(notch(-WHEEL_DELTA, over, 5000), step);
    EXPECT_EQ(notch(-WHEEL_DELTA, over, 5000), 2 * step);
    EXPECT_EQ(notch(WHEEL_DELTA, over, 5000), step);
    EXPECT_EQ(notch(-WHEEL_DELTA, beside, 300), step) << "the pointer beside the door";
    int n = 0;
    while (pos() != last && n++ < 20) notch(-WHEEL_DELTA, over, 5000);
    EXPECT_EQ(pos(), last);
    EXPECT_EQ(notch(-WHEEL_DELTA, over, 300), last) << "at the end";
    while (pos() != 0 && n++ < 40) notch(WHEEL_DELTA, over, 5000);
    EXPECT_EQ(pos(), 0);
    EXPECT_EQ(notch(WHEEL_DELTA, over, 300), 0) << "at the start";

    // Nothing to scroll: the wheel changes nothing.
    DropWin_SetDrop(b, 0);
    ASSERT_FALSE(layer->IsScrolling());
    EXPECT_EQ(notch(-WHEEL_DELTA, over, 300), 0);
}

// The header's button square lights up under the mouse in the framed style only.
TEST_F(Drop, HeaderButtonTakesTheMouseOnlyInTheFramedStyle) {
    CWndDrop* drop = (CWndDrop*)SearchDropWin(DropWin_new(door, "", 0, 0, 0, 100));
    ASSERT_NE(drop, nullptr);
    auto hoverButton = [&] {
        CRect rc;
        drop->GetClientRect(&rc);
        // The square's middle: 10 pixels from the right edge, 16 wide, centred on the header.
        SendMessageA(drop->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(rc.right - 18, drop->GetHeaderHeight() / 2));
        return GetCapture() == drop->m_hWnd;
    };
    EXPECT_FALSE(hoverButton());
    drop->ChangeViewStyle(1);
    EXPECT_TRUE(hoverButton());
    ReleaseCapture();
}

TEST_F(Drop, HeaderPaintingInBothStyles) {
    CWndDrop* drop = (CWndDrop*)SearchDropWin(DropWin_new(door, "", 0, 0, 0, 100));
    ASSERT_NE(drop, nullptr);
    const COLORREF header = RGB(100, 120, 140), black = RGB(0, 0, 0);
    drop->SetHeaderBkColor(header);

    // Style 0, 30 pixels wide: the left 15 columns shade lighter, the right 15 are plain.
    MemoryCanvas c0(30, 18, black);
    drop->DrawHeader(CDC::FromHandle(c0.Dc()), CRect(0, 0, 30, 18));
    EXPECT_EQ(c0.CountColor(header, CRect(15, 17, 30, 18)), 15);
    // The rounded corner shows the drop's background.
    EXPECT_TRUE(PixelsAre(c0, {{14, 17, RGB(102, 122, 142)}, {0, 17, RGB(116, 136, 156)}, {0, 0, drop->GetBkColor()}}));

    // Style 1: black frame, chevrons pointing down while closed and up while dropped.
    drop->ChangeViewStyle(1);
    EXPECT_EQ(drop->GetHeaderHeight(), 25);
    EXPECT_FALSE(IsWindowVisible(drop->GetHeaderButton().m_hWnd));
    MemoryCanvas c1(100, 25, RGB(9, 9, 9));
    const int x0 = 100 - 18, my = 12;
    drop->SetDropped(FALSE);
    drop->DrawHeader(CDC::FromHandle(c1.Dc()), CRect(0, 0, 100, 25));
    EXPECT_TRUE(PixelsAre(c1, black, {{0, 0}, {x0, my}, {x0, my + 4}}));
    EXPECT_NE(c1.At(x0, my - 4), black);
    drop->SetDropped(TRUE);
    drop->DrawHeader(CDC::FromHandle(c1.Dc()), CRect(0, 0, 100, 25));
    EXPECT_TRUE(PixelsAre(c1, black, {{x0, my - 4}, {x0, my}}));
    EXPECT_NE(c1.At(x0, my + 4), black);

    drop->ChangeViewStyle(0);
    EXPECT_EQ(drop->GetHeaderHeight(), 18);
    EXPECT_TRUE(IsWindowVisible(drop->GetHeaderButton().m_hWnd));

    // The title of the first style is white over a black shadow, never another colour.
    drop->SetTitle("WWW");
    MemoryCanvas t0(120, 18, black);
    drop->DrawHeader(CDC::FromHandle(t0.Dc()), CRect(0, 0, 120, 18));
    EXPECT_GT(t0.CountColor(RGB(255, 255, 255)), 0);
    EXPECT_EQ(t0.CountColor(RGB(255, 255, 0)), 0);

    // A drop added to a door of the second style takes that style.
    DoorWin_SetViewStyle(door, 1);
    CWndDrop* later = (CWndDrop*)SearchDropWin(DropWin_new(door, "Later", 0, 0, 0, 100));
    ASSERT_NE(later, nullptr);
    EXPECT_EQ(later->GetViewStyle(), 1);
    EXPECT_EQ(later->GetHeaderHeight(), 25);
}

// ---------------------------------------------------------------------------------------------
// The user's settings
// ---------------------------------------------------------------------------------------------

// With the user's client-area animation off the door and its drops are in their final state
// when the call or click that opens or closes them returns, though animation is able: no timer,
// no frozen door.
TEST_F(Drop, OpenAndCloseAtOnceWhileClientAreaAnimationIsOff) {
    PumpPending();
    AnimationSetting off(SPI_GETCLIENTAREAANIMATION, SPI_SETCLIENTAREAANIMATION, FALSE);
    DoorWin_SetAnimationAble(door, 1);
    EXPECT_EQ(DoorWin_GetAnimationAble(door), 1);
    const int closeWidth = pDoor->GetCloseWidth(TRUE);
    DoorWin_OpenClose(door, 0);
    EXPECT_EQ(DoorWin_IsOpened(door), 0);
    EXPECT_EQ(WidthOf(door), closeWidth);
    EXPECT_FALSE(pDoor->GetFrozen());
    DoorWin_OpenClose(door, 1);
    EXPECT_EQ(DoorWin_IsOpened(door), 1);
    EXPECT_EQ(WidthOf(door), 230);

    CWndDoorLayer* layer = pDoor->GetLayer();
    HWND d[2];
    for (HWND& h : d) h = DropWin_new(door, "Drop", 4, 4, 6, 150);
    const int hh = ((CWndDrop*)SearchDropWin(d[0]))->GetHeaderHeight();
    SendMessageA(d[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 3));
    EXPECT_FALSE(layer->IsAnimating());
    EXPECT_EQ(DropWin_GetDrop(d[0]), 0);
    EXPECT_EQ(DropWin_GetDrop(d[1]), 1);
    EXPECT_EQ(RectIn(d[1], layer->m_hWnd).Height(), 150);
    EXPECT_EQ(RectIn(d[0], layer->m_hWnd).Height(), hh);
    SendMessageA(d[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 3));
    EXPECT_FALSE(layer->IsAnimating());
    EXPECT_EQ(RectIn(d[1], layer->m_hWnd).Height(), hh);

    // With the setting on again the same click animates.
    AnimationSetting on(SPI_GETCLIENTAREAANIMATION, SPI_SETCLIENTAREAANIMATION, TRUE);
    SendMessageA(d[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 3));
    EXPECT_TRUE(layer->IsAnimating());
    DoorWin_OpenClose(door, 0);
    EXPECT_TRUE(pDoor->GetFrozen());
}

// In system colours the door's layer is COLOR_WINDOW, a drop's header COLOR_BTNFACE framed in
// COLOR_WINDOWFRAME with its chevrons in COLOR_BTNTEXT, in either view style; a change of the
// system colours reaches the screen through WM_SYSCOLORCHANGE alone, and the library's palette
// comes back with mode 0. Read from the screen as painted after each change.
TEST_F(Drop, PaintInSystemColoursAndFollowTheirChanges) {
    HWND drop = DropWin_new(door, "", 4, 4, 6, 60);
    CWndDrop* p = (CWndDrop*)SearchDropWin(drop);
    ASSERT_NE(p, nullptr);
    p->ChangeViewStyle(1);
    HWND layer = pDoor->GetLayer()->m_hWnd;
    PumpPending();
    auto layerPixel = [&] { return WindowCapture(layer, CaptureMode::ScreenClient).At(100, 300); };
    const COLORREF own = layerPixel();
    EXPECT_EQ(own, pDoor->GetLayer()->GetBkColor());

    const std::vector<COLORREF> first = SysColours::Contrast(), second = SysColours::Contrast(7);
    SysColours colours(first);
    ColourMode mode(1);
    PumpPending();
    EXPECT_EQ(layerPixel(), SysColours::Of(first, COLOR_WINDOW));
    {
        WindowCapture header(drop, CaptureMode::ScreenClient);
        const int x0 = header.Width() - 18, my = 12;
        EXPECT_EQ(header.At(0, 0), SysColours::Of(first, COLOR_WINDOWFRAME));
        EXPECT_EQ(header.At(40, 10), SysColours::Of(first, COLOR_BTNFACE));
        EXPECT_EQ(header.At(x0, my), SysColours::Of(first, COLOR_BTNTEXT));
    }
    SysColours changed(second);
    PumpPending();
    EXPECT_EQ(layerPixel(), SysColours::Of(second, COLOR_WINDOW));
    EXPECT_EQ(WindowCapture(drop, CaptureMode::ScreenClient).At(40, 10), SysColours::Of(second, COLOR_BTNFACE));

    // The default mode follows high contrast.
    {
        HighContrastSeen off(false);
        Lumo_UseSystemColors(-1);
        PumpPending();
        EXPECT_EQ(layerPixel(), own);
    }
    {
        HighContrastSeen on(true);
        SendToThreadWindows(WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST);
        PumpPending();
        EXPECT_EQ(layerPixel(), SysColours::Of(second, COLOR_WINDOW));
    }
    EXPECT_EQ(Lumo_UseSystemColors(0), -1);
    PumpPending();
    EXPECT_EQ(layerPixel(), own);
    EXPECT_EQ(Lumo_UseSystemColors(5), -2);
    EXPECT_EQ(Lumo_UseSystemColors(0), 0);

    // Many changes leave no GDI object behind.
    EXPECT_EQ(LeaksOf([&] {
                  for (int i = 0; i < 5; ++i) {
                      Lumo_UseSystemColors(i % 2);
                      SendToThreadWindows(WM_SYSCOLORCHANGE);
                      PumpPending();
                  }
              }),
              Leaks{});
}

// The library hears the system's announcements through a hidden top-level window of its own:
// the copy that window is sent repaints the door in the new colours, whatever the host's windows
// do with theirs. The window is never shown.
TEST_F(Drop, ColourChangesReachTheLibraryWhateverTheHostsWindowsDoWithThem) {
    HWND layer = pDoor->GetLayer()->m_hWnd;
    ColourMode mode(1);
    PumpPending();
    HWND watch = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND h, LPARAM p) -> BOOL {
        char cls[64] = "";
        GetClassNameA(h, cls, sizeof cls);
        if (strcmp(cls, "LumoSettingsWatch") == 0) *(HWND*)p = h;
        return TRUE;
    }, (LPARAM)&watch);
    ASSERT_NE(watch, nullptr);
    EXPECT_FALSE(IsWindowVisible(watch));
    EXPECT_EQ(GetParent(watch), nullptr);

    const std::vector<COLORREF> colours = SysColours::Contrast(11);
    std::vector<COLORREF> old;
    for (int i : kRoleColours) old.push_back(GetSysColor(i));
    SetSysColors((int)colours.size(), kRoleColours, colours.data());
    SendMessageA(watch, WM_SYSCOLORCHANGE, 0, 0);
    PumpPending();
    EXPECT_EQ(WindowCapture(layer, CaptureMode::ScreenClient).At(100, 300), SysColours::Of(colours, COLOR_WINDOW));
    SetSysColors((int)old.size(), kRoleColours, old.data());
    SendMessageA(watch, WM_SYSCOLORCHANGE, 0, 0);
    PumpPending();
    EXPECT_EQ(WindowCapture(layer, CaptureMode::ScreenClient).At(100, 300), SysColours::Of(old, COLOR_WINDOW));

    // Made by a thread that has ended, the window is gone with it: the next thread that asks
    // makes another.
    LumoSettings::Unwatch();
    std::thread([] { LumoSettings::WatchThread(); }).join();
    LumoSettings::WatchThread();
    HWND again = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND h, LPARAM p) -> BOOL {
        char cls[64] = "";
        GetClassNameA(h, cls, sizeof cls);
        if (strcmp(cls, "LumoSettingsWatch") == 0) *(HWND*)p = h;
        return TRUE;
    }, (LPARAM)&again);
    EXPECT_NE(again, nullptr);
}

// A host may end the door, a drop or a bitmap button from inside each message it is sent: the
// door's toggle (from the flat call, a click or the mouse over the button) and right clicks on
// the door and its layer, also while the door slides or a drop animates; a drop's toggle
// request from its title and from its header button; a bitmap button's click, double click,
// hover and leaving.
TEST(DoorLifetime, HostMayEndEachControlFromInsideEachNotification) {
    auto makeDoor = [](HWND host) {
        HWND door = DoorWin_new(host);
        DropWin_new(door, "One", 4, 4, 4, 150);
        DropWin_new(door, "Two", 4, 4, 4, 150);
        DoorWin_SetSendMsg(door, 5);
        DoorWin_SetSendMsg_RClick(door, 6);
        DoorWin_SetSingleDrop(door, 0);
        return door;
    };
    auto layerOf = [](HWND door) { return FindWindowExA(door, nullptr, nullptr, "DoorWinLayer"); };
    auto toggleOf = [](HWND door) { return CWndDoor::GetObject(GetParent(door))->GetToggleButton().m_hWnd; };
    auto userMsg = [](UINT n) { return [n](HWND, UINT m, WPARAM, LPARAM) { return m == WM_USER + n; }; };
    auto notifyFrom = [](UINT code) {
        return [code](HWND c, UINT m, WPARAM, LPARAM l) {
            return m == WM_NOTIFY && ((NMHDR*)l)->hwndFrom == c && ((NMHDR*)l)->code == code;
        };
    };
    auto rightClick = [](HWND w) { PostMessageA(w, WM_RBUTTONUP, 0, MAKELPARAM(20, 200)); };
    auto deleteDoor = [](HWND door) { EXPECT_EQ(DoorWin_delete(door), 1); };
    auto makeDrop = [](HWND host) -> HWND {
        CWndDrop* drop = new CWndDrop(4);
        drop->SetMaxHeight(100);
        drop->Create(nullptr, "Drop", 0, CRect(0, 0, 200, 100), CWnd::FromHandle(host), 1000);
        return drop->GetSafeHwnd();
    };
    // The button's host is a framework window (going with the host) that reflects its notifications.
    auto makeButton = [](HWND host) -> HWND {
        (new SelfDeleting<CWnd>)->SubclassWindow(host);
        DWORD normal = 0, hover = 0, color = 0;
        GetDoorHandle(0, &normal, &hover, &color);
        auto* button = new SelfDeleting<CButtonBMP>;
        button->SetBitmaps(normal, hover);
        return button->Create("", 0, CRect(10, 10, 10, 10), CWnd::FromHandle(host), 7) ? button->m_hWnd : nullptr;
    };
    auto moves = [](HWND w) { for (int i = 0; i < 3; ++i) PostMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2)); };
    const std::vector<NotifyCase> cases = {
        {"door: flat toggle", makeDoor, [](HWND door) { DoorWin_OpenClose(door, 0); }, userMsg(5), deleteDoor},
        {"door: button click", makeDoor, [&](HWND door) { PostMessageA(toggleOf(door), BM_CLICK, 0, 0); }, userMsg(5),
         deleteDoor},
        {"door: button hover", makeDoor, [&](HWND door) { moves(toggleOf(door)); }, userMsg(5), deleteDoor},
        {"door: right click", makeDoor, rightClick, userMsg(6), deleteDoor},
        {"door: right click while sliding", makeDoor, [&](HWND door) {
             DoorWin_SetSendMsg(door, -1);
             DoorWin_OpenClose(door, 0);
             rightClick(door);
         }, userMsg(6), deleteDoor},
        {"layer: right click", makeDoor, [&](HWND door) { rightClick(layerOf(door)); }, userMsg(6), deleteDoor},
        {"layer: right click while a drop opens", makeDoor, [&](HWND door) {
             PostMessageA(DoorWin_EnumDropWin(door, 1), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 5));
             rightClick(layerOf(door));
         }, userMsg(6), deleteDoor},
        {"drop: title click", makeDrop,
         [](HWND drop) { PostMessageA(drop, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 5)); }, notifyFrom(0)},
        {"drop: header button", makeDrop, [](HWND drop) {
             PostMessageA(((CWndDrop*)CWnd::FromHandlePermanent(drop))->GetHeaderButton().m_hWnd, BM_CLICK, 0, 0);
         }, notifyFrom(0)},
        {"button: click", makeButton, [](HWND b) { PostMessageA(b, BM_CLICK, 0, 0); }, notifyFrom(BMPBTN_CLICKED)},
        {"button: double click", makeButton, [](HWND b) {
             PostMessageA(b, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
             PostMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
         }, notifyFrom(BMPBTN_DBLCLICKED)},
        {"button: hover", makeButton, moves, notifyFrom(BMPBTN_MOUSEMOVE)},
        {"button: leaving", makeButton, [](HWND b) { PostMessageA(b, WM_MOUSELEAVE, 0, 0); },
         notifyFrom(BMPBTN_MOUSELEAVE)},
    };
    SetCursorPos(0, 0);
    ExpectDestroyInNotifyIsSafe(cases, 500, 400);
}

// ---------------------------------------------------------------------------------------------
// Painting under resizes and animation
// ---------------------------------------------------------------------------------------------

namespace {

// Counts, per window of this thread, the paints it is given (sent or taken from the queue) and
// the placements it receives.
class PaintCounter : NoCopy {
public:
    PaintCounter() {
        self_ = this;
        sent_ = SetWindowsHookExA(WH_CALLWNDPROC, Sent, nullptr, GetCurrentThreadId());
        got_ = SetWindowsHookExA(WH_GETMESSAGE, Got, nullptr, GetCurrentThreadId());
    }
    ~PaintCounter() {
        UnhookWindowsHookEx(sent_);
        UnhookWindowsHookEx(got_);
        self_ = nullptr;
    }
    int Paints(HWND h) const { return Of(paints_, h); }
    int Placements(HWND h) const { return Of(placed_, h); }
    void Clear() { paints_.clear(), placed_.clear(); }

private:
    static int Of(const std::map<HWND, int>& m, HWND h) {
        auto it = m.find(h);
        return it == m.end() ? 0 : it->second;
    }
    void Count(HWND h, UINT m) {
        if (m == WM_PAINT) ++paints_[h];
        if (m == WM_WINDOWPOSCHANGED) ++placed_[h];
    }
    static LRESULT CALLBACK Sent(int code, WPARAM w, LPARAM l) {
        const CWPSTRUCT* p = (const CWPSTRUCT*)l;
        if (code == HC_ACTION && self_) self_->Count(p->hwnd, p->message);
        return CallNextHookEx(nullptr, code, w, l);
    }
    static LRESULT CALLBACK Got(int code, WPARAM w, LPARAM l) {
        const MSG* p = (const MSG*)l;
        if (code == HC_ACTION && w == PM_REMOVE && self_) self_->Count(p->hwnd, p->message);
        return CallNextHookEx(nullptr, code, w, l);
    }
    static PaintCounter* self_;
    HHOOK sent_ = nullptr, got_ = nullptr;
    std::map<HWND, int> paints_, placed_;
};
PaintCounter* PaintCounter::self_ = nullptr;

// A door of three drops of 120 (the first open, a tree as its body) in a host of 500 x 400,
// placed and painted.
class DoorPaint : public Door {
protected:
    void SetUp() override {
        Door::SetUp();
        SetCursorPos(0, 0);
        DoorWin_SetSingleDrop(door, 0);
        for (HWND& d : drops) d = DropWin_new(door, "Section", 4, 4, 4, 120);
        DropWin_SetTitle(drops[2], "A title long enough to be cut short at the end");
        body = CreateTreeBody(host);
        DropWin_AddObj(drops[0], body);
        layer = pDoor->GetLayer()->m_hWnd;
        toggle = pDoor->GetToggleButton().m_hWnd;
        ASSERT_TRUE(PumpUntil([&] { return pDoor->IsPlaced(); }, 3000));
        Settle();
    }
    // Lets the deferred re-placement (100 ms after a host resize) and every paint happen.
    void Settle() {
        PumpUntil([] { return false; }, 150);
        PumpPending();
    }
    std::vector<HWND> PanelWindows() const {
        std::vector<HWND> all = {door, layer, toggle};
        for (HWND d : drops) {
            all.push_back(d);
            all.push_back(((CWndDrop*)SearchDropWin(d))->GetHeaderButton().m_hWnd);
        }
        return all;
    }
    // Pixels of the door on the screen that differ from a fresh paint of the whole panel
    // (headers drawn anew), outside the body, which is the host's, the bitmap buttons, which
    // paint only as owner-drawn buttons do, and the layer's scroll bar, which the system draws.
    int StalePixels() {
        const WindowCapture screen(door, CaptureMode::ScreenClient);
        for (HWND d : drops) ((CWndDrop*)SearchDropWin(d))->InvalidateHeaderCache();
        const WindowCapture fresh(door, CaptureMode::PrintClient);
        PumpPending();
        if (!screen.Ok() || !fresh.Ok()) return -1;
        std::vector<CRect> others;
        for (HWND w : PanelWindows())
            if (IsWindowVisible(w) && CWnd::FromHandlePermanent(w) && !CWnd::FromHandlePermanent(w)->IsKindOf(RUNTIME_CLASS(CWndBack)))
                others.push_back(RectIn(w, door));
        if (IsWindowVisible(body)) others.push_back(RectIn(body, door));
        CRect rcLayer = RectIn(layer, door), rcClient;
        GetClientRect(layer, &rcClient);
        if (rcClient.Width() < rcLayer.Width()) others.push_back(CRect(rcLayer.left + rcClient.right, rcLayer.top, rcLayer.right, rcLayer.bottom));
        int stale = 0;
        for (int y = 0; y < screen.Height(); ++y)
            for (int x = 0; x < screen.Width(); ++x) {
                bool mine = true;
                for (const CRect& rc : others) mine = mine && !rc.PtInRect(CPoint(x, y));
                stale += mine && screen.At(x, y) != fresh.At(x, y);
            }
        return stale;
    }
    HWND drops[3] = {}, body = nullptr, layer = nullptr, toggle = nullptr;
};

}  // namespace

// A user resizing the host moves the door once per change: the door, its layer and its button
// are placed once, the drops (whose place does not depend on the height) not at all, every
// window is painted at most once, and the screen then shows what a fresh paint shows.
TEST_F(DoorPaint, HostResizePlacesOnceAndPaintsEachWindowAtMostOnce) {
    PaintCounter count;
    for (int dh : {-30, -7, 25}) {
        SCOPED_TRACE(dh);
        count.Clear();
        CRect rc;
        GetWindowRect(host, &rc);
        SetWindowPos(host, nullptr, 0, 0, rc.Width(), rc.Height() + dh, SWP_NOMOVE | SWP_NOZORDER);
        Settle();
        EXPECT_EQ(count.Placements(door), 1);
        EXPECT_EQ(count.Placements(layer), 1);
        EXPECT_EQ(count.Placements(toggle), 1);
        for (HWND w : PanelWindows()) EXPECT_LE(count.Paints(w), 1) << "window " << w;
        for (HWND d : drops) EXPECT_EQ(count.Placements(d), 0);
        EXPECT_EQ(count.Paints(door), 1);  // the separator moved
        EXPECT_EQ(StalePixels(), 0);
    }

    // Every drop open, the layer scrolls: its bar takes the new page, drawn once by the system
    // with the frame, and the drops, which stay where they are, are not painted again when the
    // host gets smaller.
    for (HWND d : drops) DropWin_SetDrop(d, 1);
    CRect rcHost;
    GetWindowRect(host, &rcHost);
    SetWindowPos(host, nullptr, 0, 0, rcHost.Width(), rcHost.Height() - 100, SWP_NOMOVE | SWP_NOZORDER);
    Settle();
    ASSERT_TRUE(GetWindowLongPtrA(layer, GWL_STYLE) & WS_VSCROLL);
    for (int dh : {-30, 25, -7}) {
        SCOPED_TRACE(dh);
        count.Clear();
        CRect rc;
        GetWindowRect(host, &rc);
        SetWindowPos(host, nullptr, 0, 0, rc.Width(), rc.Height() + dh, SWP_NOMOVE | SWP_NOZORDER);
        Settle();
        EXPECT_EQ(count.Placements(layer), 1);
        for (HWND w : PanelWindows()) EXPECT_LE(count.Paints(w), 1) << "window " << w;
        if (dh < 0) {
            for (HWND d : drops) EXPECT_EQ(count.Paints(d), 0) << "drop " << d;
        }
        SCROLLINFO si = {sizeof si, SIF_ALL};
        GetScrollInfo(layer, SB_VERT, &si);
        CRect client;
        GetClientRect(layer, &client);
        EXPECT_EQ((int)si.nPage, client.Height());
        EXPECT_EQ(StalePixels(), 0);
        const WindowCapture shown(door, CaptureMode::ScreenClient);
        RedrawWindow(layer, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        const WindowCapture fresh(door, CaptureMode::ScreenClient);
        const CRect bar(RectIn(layer, door).left + client.right, RectIn(layer, door).top, RectIn(layer, door).right,
                        RectIn(layer, door).bottom);
        int differ = 0;
        for (int y = bar.top; y < bar.bottom; ++y)
            for (int x = bar.left; x < bar.right; ++x) differ += shown.At(x, y) != fresh.At(x, y);
        EXPECT_EQ(differ, 0);
    }
    // Scrolled to the end, a taller host brings the drops down with the position the bar keeps.
    Sleep(60);
    SendMessageA(layer, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 10000), 0);
    Settle();
    SCROLLINFO before = {sizeof before, SIF_ALL};
    GetScrollInfo(layer, SB_VERT, &before);
    ASSERT_GT(before.nPos, 20);
    const int bottomBefore = RectIn(drops[2], layer).bottom;
    CRect rc;
    GetWindowRect(host, &rc);
    SetWindowPos(host, nullptr, 0, 0, rc.Width(), rc.Height() + 20, SWP_NOMOVE | SWP_NOZORDER);
    Settle();
    SCROLLINFO after = {sizeof after, SIF_ALL};
    GetScrollInfo(layer, SB_VERT, &after);
    EXPECT_EQ(after.nPos, before.nPos - 20);
    EXPECT_EQ(RectIn(drops[2], layer).bottom, bottomBefore + 20);
    EXPECT_EQ(StalePixels(), 0);
}

// A new width moves every drop and header button once and paints each window at most once;
// the headers shade and centre their titles for the new width. A drop step moves the drops
// below the growing one once each. Changing the look (view style, colours, focus) repaints
// what shows it, without a full repaint asked for.
TEST_F(DoorPaint, WidthStepsAndLooksRepaintWhatChangedOnce) {
    PaintCounter count;
    for (int w : {251, 213, 300}) {
        SCOPED_TRACE(w);
        count.Clear();
        DoorWin_SetWidth(door, w);
        PumpPending();
        for (HWND d : drops) EXPECT_EQ(count.Placements(d), 1);
        for (HWND win : PanelWindows()) EXPECT_LE(count.Paints(win), 1) << "window " << win;
        EXPECT_EQ(StalePixels(), 0);
    }

    CWndDoorLayer* pLayer = pDoor->GetLayer();
    NMHDR nm = {drops[1], (UINT_PTR)GetDlgCtrlID(drops[1]), 0};
    SendMessageA(layer, WM_NOTIFY, 1, (LPARAM)&nm);
    ASSERT_TRUE(pLayer->IsAnimating());
    KillTimer(layer, DOORLAYER_TIMER_OPEN);
    count.Clear();
    SendTicks(layer, DOORLAYER_TIMER_OPEN, 1);
    PumpPending();
    EXPECT_EQ(count.Placements(drops[1]), 1);
    EXPECT_EQ(count.Placements(drops[2]), 1);
    EXPECT_EQ(count.Placements(drops[0]), 0);
    for (HWND win : PanelWindows()) EXPECT_LE(count.Paints(win), 1) << "window " << win;
    EXPECT_EQ(StalePixels(), 0);
    SendTicks(layer, DOORLAYER_TIMER_OPEN, 5);
    PumpPending();
    EXPECT_FALSE(pLayer->IsAnimating());
    EXPECT_EQ(StalePixels(), 0);

    DoorWin_SetViewStyle(door, 1);
    PumpPending();
    EXPECT_EQ(StalePixels(), 0);
    DoorWin_SetHue(door, 2);
    PumpPending();
    EXPECT_EQ(StalePixels(), 0);
    SendMessageA(drops[2], WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(drops[2]);
    PumpPending();
    EXPECT_EQ(StalePixels(), 0);
    CRect rc;
    GetWindowRect(host, &rc);
    SetWindowPos(host, nullptr, 0, 0, rc.Width(), rc.Height() - 40, SWP_NOMOVE | SWP_NOZORDER);
    Settle();
    EXPECT_EQ(StalePixels(), 0);
}

// A new width, given by the host or asked by the door's own placement, places the whole panel in
// one batch: the layer, the toggle, every drop, every drop's button and the body, each once,
// moved without the system's repaint; no window is placed on its own. The same holds with the
// layer scrolled (its scroll bar, a frame, left to the system to repaint), and for a new height.
// Each window is painted at most once and the screen then shows what a fresh paint shows.
TEST_F(DoorPaint, ANewSizePlacesThePanelInOneBatch) {
    std::map<HWND, UINT> flags;
    std::vector<std::unique_ptr<MessageRecorder>> recs;
    std::vector<HWND> all = PanelWindows();
    all.push_back(body);
    for (HWND w : all)
        recs.emplace_back(new MessageRecorder(w, [&flags](HWND h, UINT m, WPARAM, LPARAM l) {
            if (m == WM_WINDOWPOSCHANGING) flags[h] = ((const WINDOWPOS*)l)->flags;
            return false;
        }));
    PaintCounter count;
    auto step = [&](const char* what, const std::function<void()>& change, bool scrolled) {
        SCOPED_TRACE(what);
        flags.clear();
        count.Clear();
        const LONG nBatches = LayoutCounts::Batches(), nDirect = LayoutCounts::DirectMoves();
        change();
        EXPECT_EQ(LayoutCounts::Batches() - nBatches, 1);
        EXPECT_EQ(LayoutCounts::DirectMoves() - nDirect, 0);
        Settle();
        for (HWND w : all) {
            EXPECT_LE(count.Paints(w), 1) << "window " << w;
            if (!flags.count(w) || w == door) continue;
            EXPECT_EQ(count.Placements(w), 1) << "window " << w;
            const UINT quiet = SWP_NOREDRAW | SWP_NOCOPYBITS;
            EXPECT_EQ(flags[w] & quiet, (scrolled && w == layer) ? 0u : quiet) << "window " << w;
        }
        EXPECT_EQ(StalePixels(), 0);
    };
    for (int w : {263, 219}) {
        step("width", [&] { DoorWin_SetWidth(door, w); }, false);
        for (HWND h : all) EXPECT_TRUE(flags.count(h)) << "window " << h;
    }
    step("host height", [&] {
        CRect rc;
        GetWindowRect(host, &rc);
        SetWindowPos(host, nullptr, 0, 0, rc.Width(), rc.Height() - 97, SWP_NOMOVE | SWP_NOZORDER);
    }, false);

    // Every drop open: taller than the door, the layer scrolls.
    for (HWND d : drops) DropWin_SetDrop(d, 1);
    Settle();
    ASSERT_TRUE(GetWindowLongPtrA(layer, GWL_STYLE) & WS_VSCROLL);
    step("scrolled width", [&] { DoorWin_SetWidth(door, 281); }, true);
    EXPECT_TRUE(flags.count(drops[2]));
}

// The panel's windows paint every pixel in WM_PAINT: erasing paints nothing (so nothing shows
// the background before the paint covers it) and reports the background as erased.
TEST_F(DoorPaint, ErasingPaintsNothing) {
    for (HWND w : {door, layer, drops[0], drops[1]}) {
        MemoryCanvas canvas(40, 40, RGB(1, 2, 3));
        EXPECT_NE(SendMessageA(w, WM_ERASEBKGND, (WPARAM)canvas.Dc(), 0), 0);
        EXPECT_EQ(canvas.CountColor(RGB(1, 2, 3)), 40 * 40);
    }
}

// Resizes, animation and paints keep what they made for the next time: the count of GDI
// objects does not grow over many rounds, and a door made and destroyed leaves nothing.
TEST_F(DoorPaint, ResizesStepsAndPaintsLeaveNoObjects) {
    CWndDoorLayer* pLayer = pDoor->GetLayer();
    auto round = [&](int i) {
        CRect rc;
        GetWindowRect(host, &rc);
        SetWindowPos(host, nullptr, 0, 0, rc.Width(), rc.Height() + ((i & 1) ? 13 : -13), SWP_NOMOVE | SWP_NOZORDER);
        DoorWin_SetWidth(door, (i & 1) ? 230 : 270);
        NMHDR nm = {drops[2], (UINT_PTR)GetDlgCtrlID(drops[2]), 0};
        SendMessageA(layer, WM_NOTIFY, 0, (LPARAM)&nm);
        KillTimer(layer, DOORLAYER_TIMER_OPEN);
        KillTimer(layer, DOORLAYER_TIMER_CLOSE);
        for (int k = 0; k < 8 && pLayer->IsAnimating(); ++k) {
            SendTicks(layer, (i & 1) ? DOORLAYER_TIMER_CLOSE : DOORLAYER_TIMER_OPEN, 1);
            UpdateWindow(door);
        }
        RedrawWindow(door, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    round(0);
    round(1);
    PumpPending();
    GdiBalance gdi(false);
    for (int i = 0; i < SoakCycles(100, 1000); ++i) round(i);
    PumpPending();
    EXPECT_EQ(gdi.Delta(), 0);

    EXPECT_EQ(LeaksOf([] {
                  HWND h = CreateHostWindow(500, 400);
                  HWND d = DoorWin_new(h);
                  ASSERT_NE(d, nullptr);
                  DropWin_new(d, "One", 4, 4, 4, 150);
                  DropWin_new(d, "Two", 4, 4, 4, 150);
                  DoorWin_SetWidth(d, 260);
                  RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                  DestroyWindow(h);
              }),
              Leaks{});
}
