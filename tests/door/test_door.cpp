// The door panel: bitmap buttons, background windows, drops, the layer and the door, driven
// through posted input, sent timer ticks and the flat functions, with pixels read back.
#include "LumoTest.h"
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

#include <vector>

using namespace lumotest;

namespace {

// A host window that is also a framework window, so owner drawing and clicks are reflected to
// the library's controls while the host procedure still records what reaches it.
class FrameworkHost {
public:
    explicit FrameworkHost(int w = 400, int h = 300) : host_(w, h) { wnd_.SubclassWindow(host_); }
    ~FrameworkHost() { wnd_.UnsubclassWindow(); }
    HWND Hwnd() const { return host_.Hwnd(); }
    CWnd* Wnd() { return &wnd_; }

private:
    HostWindow host_;
    CWnd wnd_;
};

CRect RectIn(HWND hwnd, HWND parent) {
    CRect rc;
    GetWindowRect(hwnd, &rc);
    MapWindowPoints(nullptr, parent, (LPPOINT)&rc, 2);
    return rc;
}

int WidthOf(HWND hwnd) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    return rc.right - rc.left;
}

COLORREF BitmapPixel(HBITMAP bmp, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

void DrawButton(CButtonBMP& btn, MemoryCanvas& canvas) {
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.hwndItem = btn.m_hWnd;
    dis.hDC = canvas.Dc();
    SetRect(&dis.rcItem, 0, 0, canvas.Width(), canvas.Height());
    btn.DrawItem(&dis);
}

DWORD DoorIds(int hue, DWORD* hover, DWORD* color = nullptr) {
    DWORD normal = 0, h = 0, c = 0;
    GetDoorHandle(hue, &normal, &h, &c);
    if (hover) *hover = h;
    if (color) *color = c;
    return normal;
}

// Records the widths a window is given, in order.
class WidthLog {
public:
    explicit WidthLog(HWND hwnd) : hwnd_(hwnd) {
        s_self = this;
        old_ = (WNDPROC)SetWindowLongPtrA(hwnd, GWLP_WNDPROC, (LONG_PTR)Proc);
    }
    ~WidthLog() {
        if (IsWindow(hwnd_) && (WNDPROC)GetWindowLongPtrA(hwnd_, GWLP_WNDPROC) == Proc)
            SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, (LONG_PTR)old_);
        s_self = nullptr;
    }
    std::vector<int> widths;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        WidthLog* self = s_self;
        if (m == WM_WINDOWPOSCHANGED && !(((WINDOWPOS*)l)->flags & SWP_NOSIZE)) {
            int cx = ((WINDOWPOS*)l)->cx;
            if (self->widths.empty() || self->widths.back() != cx) self->widths.push_back(cx);
        }
        return CallWindowProcA(self->old_, h, m, w, l);
    }
    static WidthLog* s_self;
    HWND hwnd_;
    WNDPROC old_;
};
WidthLog* WidthLog::s_self = nullptr;

LRESULT CALLBACK BarProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

HWND CreateFixedBar(HWND host, int x, int y, int w, int h) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = BarProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TestFIXEDBAR";
        wc.hbrBackground = (HBRUSH)GetStockObject(GRAY_BRUSH);
        RegisterClassA(&wc);
        registered = true;
    }
    return CreateWindowExA(0, "TestFIXEDBAR", "", WS_CHILD | WS_VISIBLE, x, y, w, h, host, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HWND CreateTreeBody(HWND parent) {
    return CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, parent,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

void SendTicks(HWND hwnd, UINT_PTR id, int n) {
    for (int i = 0; i < n; ++i) SendMessageA(hwnd, WM_TIMER, id, 0);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Bitmap buttons
// ---------------------------------------------------------------------------------------------

TEST(ButtonBMP, NotifiesParentOfClicksMovesAndLeaving) {
    FrameworkHost host;
    SetCursorPos(0, 0);
    DWORD hover = 0;
    DWORD normal = DoorIds(0, &hover);
    CButtonBMP btn;
    EXPECT_FALSE(btn.IsOpened());
    btn.SetBitmaps(normal, hover);
    ASSERT_TRUE(btn.Create("", 0, CRect(10, 10, 10, 10), host.Wnd(), 7));
    CRect rc = RectIn(btn.m_hWnd, host.Hwnd());
    EXPECT_EQ(rc.Width(), 12);
    EXPECT_EQ(rc.Height(), 48);

    MessageRecorder rec(host.Hwnd(), std::vector<UINT>{WM_NOTIFY});
    SendMessageA(btn.m_hWnd, BM_CLICK, 0, 0);
    PumpPending();
    for (int i = 0; i < 7; ++i) SendMessageA(btn.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(btn.IsHover());
    SendMessageA(btn.m_hWnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(btn.IsHover());
    // The counter starts again after leaving: the third move from here notifies.
    for (int i = 0; i < 3; ++i) SendMessageA(btn.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    std::vector<RecordedMsg> got = rec.Messages();
    EXPECT_TRUE(SequenceIs(got, {Notify(0), Notify(0x200), Notify(0x200), Notify(0x2A3),
                                 Notify(0x200)}));
    for (const RecordedMsg& m : got) {
        EXPECT_EQ(m.notifyId, 7u);
        EXPECT_EQ(m.wParam, 0u);
    }
    SendMessageA(btn.m_hWnd, WM_MOUSELEAVE, 0, 0);
}

TEST(ButtonBMP, DrawsHoverBitmapAndFallsBackToTheOther) {
    FrameworkHost host;
    SetCursorPos(0, 0);
    DWORD hover = 0;
    DWORD normal = DoorIds(0, &hover);
    CButtonBMP btn;
    btn.SetBitmaps(normal, hover);
    ASSERT_TRUE(btn.Create("", 0, CRect(0, 0, 0, 0), host.Wnd(), 1));
    MemoryCanvas canvas(12, 48, RGB(1, 2, 3));
    DrawButton(btn, canvas);
    EXPECT_EQ(canvas.At(6, 2), BitmapPixel(btn.GetNormalBitmap(), 6, 2));
    SendMessageA(btn.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    DrawButton(btn, canvas);
    EXPECT_EQ(canvas.At(6, 2), BitmapPixel(btn.GetHoverBitmap(), 6, 2));
    EXPECT_NE(BitmapPixel(btn.GetHoverBitmap(), 6, 2), BitmapPixel(btn.GetNormalBitmap(), 6, 2));
    SendMessageA(btn.m_hWnd, WM_MOUSELEAVE, 0, 0);

    // Only a hover bitmap: shown in both states, and the size comes from it.
    CButtonBMP only;
    only.SetBitmaps(0, hover);
    CSize size;
    only.GetBmpSize(size);
    EXPECT_EQ(size.cx, 12);
    EXPECT_EQ(size.cy, 48);
    ASSERT_TRUE(only.Create("", 0, CRect(0, 0, 0, 0), host.Wnd(), 2));
    canvas.Fill(RGB(1, 2, 3));
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
}

TEST(ButtonBMP, DoorArrowPointsByOpenState) {
    FrameworkHost host;
    DWORD hover = 0;
    DWORD normal = DoorIds(0, &hover);
    CDoorArrowButton btn;
    btn.SetBitmaps(normal, hover);
    ASSERT_TRUE(btn.Create("", 0, CRect(0, 0, 0, 0), host.Wnd(), 1));
    MemoryCanvas canvas(12, 48);
    const int mx = 6, my = 24;
    btn.SetOpenState(TRUE);
    DrawButton(btn, canvas);
    EXPECT_EQ(canvas.At(mx - 1, my - 2), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(mx - 1, my - 3), RGB(0x48, 0x64, 0xA5));
    EXPECT_EQ(canvas.At(mx - 3, my), RGB(255, 255, 255));
    btn.SetOpenState(FALSE);
    DrawButton(btn, canvas);
    EXPECT_EQ(canvas.At(mx - 3, my - 2), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(mx - 3, my + 4), RGB(0x48, 0x64, 0xA5));
    EXPECT_EQ(canvas.At(mx - 1, my), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(mx - 1, my + 2), RGB(0x48, 0x64, 0xA5));
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

TEST(WndBack, PaintsColourLaysOutAndPassesShowCommands) {
    FrameworkHost host;
    CWndBack* back = new CWndBack;
    back->GetLayout().SetParent(back);
    ASSERT_TRUE(back->Create(nullptr, "", 0, CRect(0, 0, 200, 150), host.Wnd(), 0));
    EXPECT_EQ(back->GetBkColor(), GetSysColor(COLOR_BTNFACE));
    PumpPending();
    {
        WindowCapture cap(back->m_hWnd);
        EXPECT_EQ(cap.At(100, 100), GetSysColor(COLOR_BTNFACE));
    }
    EXPECT_EQ(back->SetBkColor(RGB(200, 10, 10)), GetSysColor(COLOR_BTNFACE));
    back->Invalidate(TRUE);
    PumpPending();
    {
        WindowCapture cap(back->m_hWnd);
        EXPECT_EQ(cap.At(100, 100), RGB(200, 10, 10));
    }

    EXPECT_EQ(back->AddChild((HWND)0x1234, 0, 0), 0);
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, back->m_hWnd,
                                 nullptr, nullptr, nullptr);
    ASSERT_EQ(back->AddChild_AutoMove(child, 10, 10, FALSE, FALSE), 1);
    EXPECT_EQ(RectIn(child, back->m_hWnd), CRect(170, 120, 190, 140));

    SendMessageA(back->m_hWnd, CWndBack::m_MsgSendChildren, SENDCHILDREN_SHOW, 0);
    EXPECT_FALSE(IsWindowVisible(child));
    SendMessageA(back->m_hWnd, CWndBack::m_MsgSendChildren, SENDCHILDREN_SHOW, 1);
    EXPECT_TRUE(IsWindowVisible(child));
    SendMessageA(back->m_hWnd, CWndBack::m_MsgSendChildren, SENDCHILDREN_ANIMATION, 0);
    EXPECT_FALSE(back->GetAnimationAble());
    EXPECT_FALSE(back->SetAnimationAble(TRUE));

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

TEST(Door, CreationDefaultsAndFailureValues) {
    EXPECT_EQ(DoorWin_new((HWND)0x4321), (HWND)0);
    EXPECT_EQ(DoorWin_new(nullptr), (HWND)0);
    EXPECT_EQ(DoorWin_IsOpened(nullptr), 0);
    EXPECT_EQ(DoorWin_GetViewStyle((HWND)0x4321), -1);
    EXPECT_EQ(DoorWin_GetOpenCloseWhenMousemove(nullptr), 1);
    int r = 7, g = 7, b = 7;
    HostWindow plain;
    EXPECT_EQ(DoorWin_GetBkColor(plain, &r, &g, &b), 0u);
    EXPECT_EQ(r + g + b, 0);
    DropWin_SetTitle(plain, "x");
    EXPECT_EQ(DropWin_GetTitle(plain), nullptr);
    EXPECT_EQ(SearchDropWin(plain), nullptr);

    HostWindow host(500, 400);
    HWND door = DoorWin_new(host);
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(DoorWin_IsOpened(door), 1);
    EXPECT_EQ(DoorWin_GetWidth(door), 230);
    char text[32] = "";
    GetWindowTextA(door, text, sizeof(text));
    EXPECT_STREQ(text, "DoorWin");
    HWND layer = FindWindowExA(door, nullptr, nullptr, "DoorWinLayer");
    EXPECT_NE(layer, nullptr);
    EXPECT_EQ(RectIn(door, host), CRect(0, 0, 230, 400));

    DoorWin_SetViewStyle(door, 7);
    EXPECT_EQ(DoorWin_GetViewStyle(door), 1);
    DoorWin_SetViewStyle(door, -3);
    EXPECT_EQ(DoorWin_GetViewStyle(door), 0);
    EXPECT_EQ(DoorWin_SetWidth(door, 180), 230);
    EXPECT_EQ(WidthOf(door), 180);

    DWORD color = 0;
    DoorIds(1, nullptr, &color);
    EXPECT_EQ(DoorWin_SetHue(door, 1), 0);
    EXPECT_EQ(DoorWin_GetHue(door), 1);
    EXPECT_EQ(DoorWin_GetBkColor(door, &r, &g, &b), (COLORREF)color);
    EXPECT_EQ(RGB(r, g, b), (COLORREF)color);
    EXPECT_EQ(DoorWin_SetBkColor(door, 1, 2, 3), (COLORREF)color);
    EXPECT_EQ(DoorWin_SetBorder(door, 4), 0);
    EXPECT_EQ(DoorWin_GetBorder(door), 4);
    EXPECT_TRUE(GetWindowLongA(door, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(DoorWin_delete(door), 1);
    EXPECT_FALSE(IsWindow(door));
    EXPECT_EQ(CWndDoor::GetObject(host), nullptr);
}

TEST(Door, FollowsHostLayoutAndSizeAndASecondDoorReplacesTheFirst) {
    HostWindow host(500, 400);
    CreateFixedBar(host, 0, 0, 500, 30);
    HWND door = DoorWin_new(host);
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(RectIn(door, host), CRect(0, 30, 230, 400));

    RECT rcWindow;
    GetWindowRect(host, &rcWindow);
    SetWindowPos(host, nullptr, 0, 0, rcWindow.right - rcWindow.left, 350, SWP_NOMOVE | SWP_NOZORDER);
    RECT rcClient;
    GetClientRect(host, &rcClient);
    EXPECT_EQ(RectIn(door, host).bottom, rcClient.bottom);
    EXPECT_EQ(RectIn(door, host).top, 30);

    HWND second = DoorWin_new(host);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(CWndDoor::GetObject(host)->m_hWnd, second);
    DestroyWindow(second);
    EXPECT_EQ(CWndDoor::GetObject(host), nullptr);
}

TEST(Door, ClosesAtOnceWithoutAnimationAndSlidesIn20PixelTicks) {
    HostWindow host(500, 400);
    HWND door = DoorWin_new(host);
    ASSERT_NE(door, nullptr);
    PumpPending();
    CWndDoor* pDoor = CWndDoor::GetObject(host);
    const int closeWidth = 12 + 4;
    EXPECT_EQ(pDoor->GetCloseWidth(TRUE), closeWidth);

    DoorWin_SetAnimationAble(door, 0);
    DoorWin_OpenClose(door, 1);  // already open: nothing
    EXPECT_EQ(WidthOf(door), 230);
    DoorWin_OpenClose(door, 0);
    EXPECT_EQ(DoorWin_IsOpened(door), 0);
    EXPECT_EQ(WidthOf(door), closeWidth);
    DoorWin_OpenClose(door, 1);
    EXPECT_EQ(WidthOf(door), 230);

    DoorWin_SetAnimationAble(door, 1);
    DoorWin_SetSendMsg(door, 5);
    int widthWhenTold = -1;
    SetHostHandler(host, [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT*) {
        if (m == WM_USER + 5) widthWhenTold = WidthOf(door) * 10 + (int)w;
        return false;
    });
    MessageRecorder rec(host, std::vector<UINT>{WM_USER + 5});
    WidthLog log(door);
    DoorWin_OpenClose(door, 0);
    EXPECT_EQ(widthWhenTold, 2301);
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(WM_USER + 5, 1, 0)}));
    EXPECT_TRUE(pDoor->GetFrozen());
    EXPECT_NE(pDoor->GetSnapshot(), nullptr);
    SendTicks(door, DOOR_TIMER_CLOSE, 11);
    std::vector<int> expected;
    for (int w = 210; w > closeWidth; w -= 20) expected.push_back(w);
    expected.push_back(closeWidth);
    EXPECT_EQ(log.widths, expected);
    EXPECT_EQ(DoorWin_IsOpened(door), 0);
    EXPECT_FALSE(pDoor->GetFrozen());
    SetHostHandler(host, nullptr);
}

TEST(Door, TypicalRunThroughTheFlatFunctions) {
    const std::string path = TempPath("door.lmd");
    HLMENU data = LMENU_new();
    LMENU_AddMenuItem(data, "1", "Files", "", "", "", 0);
    LMENU_AddMenuItem(data, "101", "Open", "", "", "", 0);
    ASSERT_EQ(LMENU_SaveToFile(data, path.c_str(), "stamp"), 1);
    LMENU_delete(data);
    data = LMENU_new();
    ASSERT_EQ(LMENU_LoadFromFile(data, path.c_str()), 1);

    HostWindow host(600, 400);
    SetCursorPos(900, 900);
    HWND door = DoorWin_new(host);
    ASSERT_NE(door, nullptr);
    DoorWin_SetSendMsg(door, 3);
    HWND drop = DropWin_new(door, "Navigation", 4, 4, 4, 200);
    ASSERT_NE(drop, nullptr);
    HWND body = Tree_new(host, 0, 0, 100, 100, 0);
    ASSERT_NE(body, nullptr);
    ASSERT_EQ(DropWin_AddObj(drop, body), 1);
    Tree_BindLmenu(body, data, "", 1, 1);
    EXPECT_EQ(DropWin_GetDrop(drop), 1);
    EXPECT_TRUE(IsWindowVisible(body));
    CWndDoor* pDoor = CWndDoor::GetObject(host);
    // The deferred placement 100 ms after creation comes first.
    ASSERT_TRUE(PumpUntil([&] { return pDoor->IsPlaced(); }, 3000));
    PumpPending();

    HWND button = pDoor->GetToggleButton().m_hWnd;
    int widthWhenTold = -1;
    SetHostHandler(host, [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT*) {
        if (m == WM_USER + 3) widthWhenTold = WidthOf(door) * 10 + (int)w;
        return false;
    });
    MessageRecorder rec(host, std::vector<UINT>{WM_USER + 3});
    {
        WidthLog log(door);
        PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        ASSERT_TRUE(PumpUntil([&] { return DoorWin_IsOpened(door) == 0; }, 5000));
        EXPECT_EQ(widthWhenTold, 2301);
        ASSERT_FALSE(log.widths.empty());
        for (size_t i = 0; i + 1 < log.widths.size(); ++i)
            EXPECT_EQ(log.widths[i], 210 - 20 * (int)i);
        EXPECT_EQ(log.widths.back(), 16);
        EXPECT_FALSE(IsWindowVisible(body));
    }
    // A host that changed height makes the snapshot useless: the door opens in 90-pixel steps.
    SetWindowPos(host, nullptr, 0, 0, 620, 380, SWP_NOMOVE | SWP_NOZORDER);
    PumpPending();
    {
        WidthLog log(door);
        PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        ASSERT_TRUE(PumpUntil([&] { return DoorWin_IsOpened(door) == 1; }, 5000));
        EXPECT_EQ(log.widths, (std::vector<int>{106, 196, 230}));
        EXPECT_TRUE(IsWindowVisible(body));
    }
    EXPECT_TRUE(SequenceIs(rec.Messages(),
                           {RecordedMsg(WM_USER + 3, 1, 0), RecordedMsg(WM_USER + 3, 0, 0)}));
    SetHostHandler(host, nullptr);
    Tree_delete(body);
    LMENU_delete(data);
    DeleteFileA(path.c_str());
}

// Open widths stay between the closed strip and the width the host can show, so an opening
// always ends within a screen's worth of ticks.
TEST(Door, WidthsAreClampedToWhatTheHostCanShow) {
    HostWindow host(500, 400);
    HWND door = DoorWin_new(host);
    ASSERT_NE(door, nullptr);
    const int closeWidth = CWndDoor::GetObject(host)->GetCloseWidth(TRUE);
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
TEST(Door, BodiesThatAreNotWindowsAreRefused) {
    HostWindow host(500, 400);
    HWND door = DoorWin_new(host);
    HWND drop = DropWin_new(door, "Drop", 4, 4, 4, 150);
    ASSERT_NE(drop, nullptr);
    HWND gone = CreateTreeBody(host);
    DestroyWindow(gone);
    const HWND bad[] = {nullptr, (HWND)0x4321, gone, GetDesktopWindow(), host, door, drop,
                        CWndDoor::GetObject(host)->GetLayer()->m_hWnd,
                        CWndDoor::GetObject(host)->GetToggleButton().m_hWnd};
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

TEST(Door, DestroyingTheHostMidAnimationLeavesNothingBehind) {
    EXPECT_EQ(LeaksOf([] {
                  HWND host = CreateHostWindow(500, 400);
                  HWND door = DoorWin_new(host);
                  ASSERT_NE(door, nullptr);
                  HWND d1 = DropWin_new(door, "One", 4, 4, 4, 150);
                  DropWin_new(door, "Two", 4, 4, 4, 150);
                  DropWin_AddObj(d1, CreateTreeBody(host));
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

// What the host hears, in order: a toggle request for each click on the toggle button (closing,
// then opening), nothing for a request that changes nothing, and a right click on the door and
// on its layer each posted with the window clicked.
TEST(Door, HostReceivesTogglesAndRightClicksInOrder) {
    HostWindow host(500, 400);
    HWND door = DoorWin_new(host);
    ASSERT_NE(door, nullptr);
    DoorWin_SetAnimationAble(door, 0);
    DoorWin_SetSendMsg(door, 5);
    DoorWin_SetSendMsg_RClick(door, 6);
    CWndDoor* pDoor = CWndDoor::GetObject(host);
    HWND button = pDoor->GetToggleButton().m_hWnd, layer = pDoor->GetLayer()->m_hWnd;
    PumpPending();
    MessageRecorder rec(host);
    for (int i = 0; i < 2; ++i) {
        PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        PumpPending();
    }
    DoorWin_OpenClose(door, 1);
    SendMessageA(door, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(layer, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpPending();
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(WM_USER + 5, 1, 0), RecordedMsg(WM_USER + 5, 0, 0),
                                            RecordedMsg(WM_USER + 6, door, 0), RecordedMsg(WM_USER + 6, layer, 0)}));
}

// ---------------------------------------------------------------------------------------------
// Drops and the layer
// ---------------------------------------------------------------------------------------------

TEST(Drop, StackOpenCloseSingleDropAndBodies) {
    HostWindow host(500, 600);
    HWND door = DoorWin_new(host);
    ASSERT_NE(door, nullptr);
    CWndDoor* pDoor = CWndDoor::GetObject(host);
    CWndDoorLayer* layer = pDoor->GetLayer();
    ASSERT_NE(layer, nullptr);
    HWND d[3];
    for (int i = 0; i < 3; ++i) d[i] = DropWin_new(door, "Drop", 4, 4, 6, 150);
    CWndDrop* p0 = (CWndDrop*)SearchDropWin(d[0]);
    ASSERT_NE(p0, nullptr);
    const int hh = p0->GetHeaderHeight();
    EXPECT_EQ(hh, 18);
    CRect r0 = RectIn(d[0], layer->m_hWnd), r1 = RectIn(d[1], layer->m_hWnd),
          r2 = RectIn(d[2], layer->m_hWnd);
    EXPECT_EQ(r0.top, 6);
    EXPECT_EQ(r0.Height(), 150);
    EXPECT_EQ(r1.top, r0.bottom + 6);
    EXPECT_EQ(r1.Height(), hh);
    EXPECT_EQ(r2.top, r1.bottom + 6);
    EXPECT_EQ(DoorWin_EnumDropWin(door, 2), d[2]);
    EXPECT_EQ(DoorWin_EnumDropWin(door, 3), (HWND)0);

    HWND tree = CreateTreeBody(host);
    HWND other = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host,
                                 nullptr, nullptr, nullptr);
    ASSERT_EQ(DropWin_AddObj(d[1], tree), 1);
    ASSERT_EQ(DropWin_AddObj(d[2], other), 1);
    EXPECT_FALSE(IsWindowVisible(tree));
    MessageRecorder treeRec(tree, std::vector<UINT>{g_msgExpandSingleNode});
    MessageRecorder otherRec(other, std::vector<UINT>{g_msgExpandSingleNode});

    // Clicking the closed second drop's header: the first closes at once, the second opens
    // in 30-pixel ticks of timer 3.
    SendMessageA(d[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 3));
    EXPECT_EQ(DropWin_GetDrop(d[0]), 0);
    EXPECT_EQ(RectIn(d[0], layer->m_hWnd).Height(), hh);
    ASSERT_TRUE(layer->IsAnimating());
    KillTimer(layer->m_hWnd, DOORLAYER_TIMER_OPEN);
    SendTicks(layer->m_hWnd, DOORLAYER_TIMER_OPEN, 1);
    EXPECT_EQ(RectIn(d[1], layer->m_hWnd).Height(), hh + 30);
    EXPECT_TRUE(IsWindowVisible(tree));
    SendTicks(layer->m_hWnd, DOORLAYER_TIMER_OPEN, 5);
    EXPECT_FALSE(layer->IsAnimating());
    EXPECT_EQ(RectIn(d[1], layer->m_hWnd).Height(), 150);
    EXPECT_EQ(RectIn(d[2], layer->m_hWnd).top, RectIn(d[1], layer->m_hWnd).bottom + 6);
    PumpPending();
    EXPECT_GE(treeRec.Count(), 1);

    // Clicking it again closes it, leaving all closed.
    SendMessageA(d[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 3));
    EXPECT_TRUE(layer->IsAnimating());
    PumpUntil([&] { return !layer->IsAnimating(); }, 3000);
    EXPECT_EQ(DropWin_GetDrop(d[1]), 0);
    EXPECT_FALSE(IsWindowVisible(tree));
    EXPECT_EQ(RectIn(d[1], layer->m_hWnd).Height(), hh);

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

    DestroyWindow(tree);
    DestroyWindow(other);
}

TEST(Drop, ScrollBarWhenTallerThanTheDoor) {
    HostWindow host(500, 300);
    HWND door = DoorWin_new(host);
    CWndDoorLayer* layer = CWndDoor::GetObject(host)->GetLayer();
    DoorWin_SetSingleDrop(door, 0);
    HWND a = DropWin_new(door, "A", 0, 0, 0, 250);
    HWND b = DropWin_new(door, "B", 0, 0, 0, 250);
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

// A click on a header is one request to the layer; the tree body is told as it opens (at every
// tick of the slide: hosts may bind its data late), never as it closes.
TEST(Drop, HeaderClicksReachTheLayerOnceAndTheBodyOnOpening) {
    HostWindow host(500, 400);
    HWND door = DoorWin_new(host);
    CWndDoorLayer* layer = CWndDoor::GetObject(host)->GetLayer();
    HWND d[2] = {DropWin_new(door, "A", 4, 4, 6, 150), DropWin_new(door, "B", 4, 4, 6, 150)};
    HWND tree = CreateTreeBody(host);
    ASSERT_EQ(DropWin_AddObj(d[1], tree), 1);
    PumpPending();
    MessageRecorder layerRec(layer->m_hWnd, std::vector<UINT>{WM_NOTIFY});
    MessageRecorder bodyRec(tree, std::vector<UINT>{g_msgExpandSingleNode});
    for (int i = 0; i < 2; ++i) {  // opens B (closing A), then closes it
        SendMessageA(d[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 3));
        KillTimer(layer->m_hWnd, DOORLAYER_TIMER_OPEN);
        KillTimer(layer->m_hWnd, DOORLAYER_TIMER_CLOSE);
        SendTicks(layer->m_hWnd, i == 0 ? DOORLAYER_TIMER_OPEN : DOORLAYER_TIMER_CLOSE, 10);
        PumpPending();
        EXPECT_EQ(bodyRec.Count() > 0, i == 0) << i;
        for (const RecordedMsg& m : bodyRec.Messages())
            EXPECT_TRUE(Matches(RecordedMsg(g_msgExpandSingleNode, 0, 0, tree), m));
        bodyRec.Clear();
    }
    EXPECT_TRUE(SequenceIs(layerRec.Messages(), {Notify(0, Any, layer->m_hWnd), Notify(0, Any, layer->m_hWnd)}));
    EXPECT_EQ(layerRec.Messages()[0].notifyId, layerRec.Messages()[1].notifyId);
    EXPECT_EQ(DropWin_GetDrop(d[0]) + DropWin_GetDrop(d[1]), 0);
    DestroyWindow(tree);
}

TEST(Drop, HeaderPaintingInBothStyles) {
    HostWindow host(500, 300);
    HWND door = DoorWin_new(host);
    HWND d = DropWin_new(door, "", 0, 0, 0, 100);
    CWndDrop* drop = (CWndDrop*)SearchDropWin(d);
    ASSERT_NE(drop, nullptr);
    const COLORREF header = RGB(100, 120, 140);
    drop->SetHeaderBkColor(header);

    // Style 0, 30 pixels wide: the left 15 columns shade lighter, the right 15 are plain.
    MemoryCanvas c0(30, 18, RGB(0, 0, 0));
    CDC* dc = CDC::FromHandle(c0.Dc());
    drop->DrawHeader(dc, CRect(0, 0, 30, 18));
    for (int x = 15; x < 30; ++x) EXPECT_EQ(c0.At(x, 17), header) << x;
    EXPECT_EQ(c0.At(14, 17), RGB(102, 122, 142));
    EXPECT_EQ(c0.At(0, 17), RGB(116, 136, 156));
    EXPECT_EQ(c0.At(0, 0), drop->GetBkColor());  // the rounded corner

    // Style 1: black frame, chevrons pointing down while closed and up while dropped.
    drop->ChangeViewStyle(1);
    EXPECT_EQ(drop->GetHeaderHeight(), 25);
    EXPECT_FALSE(IsWindowVisible(drop->GetHeaderButton().m_hWnd));
    MemoryCanvas c1(100, 25, RGB(9, 9, 9));
    dc = CDC::FromHandle(c1.Dc());
    const int x0 = 100 - 18, my = 12;
    drop->SetDropped(FALSE);
    drop->DrawHeader(dc, CRect(0, 0, 100, 25));
    EXPECT_EQ(c1.At(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(c1.At(x0, my), RGB(0, 0, 0));
    EXPECT_EQ(c1.At(x0, my + 4), RGB(0, 0, 0));
    EXPECT_NE(c1.At(x0, my - 4), RGB(0, 0, 0));
    drop->SetDropped(TRUE);
    drop->DrawHeader(dc, CRect(0, 0, 100, 25));
    EXPECT_EQ(c1.At(x0, my - 4), RGB(0, 0, 0));
    EXPECT_EQ(c1.At(x0, my), RGB(0, 0, 0));
    EXPECT_NE(c1.At(x0, my + 4), RGB(0, 0, 0));

    drop->ChangeViewStyle(0);
    EXPECT_EQ(drop->GetHeaderHeight(), 18);
    EXPECT_TRUE(IsWindowVisible(drop->GetHeaderButton().m_hWnd));
}

// A host may end the door, a drop or a bitmap button from inside each message it is sent: the
// door's toggle (from the flat call, a click or the mouse over the button) and right clicks on
// the door and its layer, also while the door slides or a drop animates; a drop's toggle
// request from its title and from its header button; a bitmap button's click, double click,
// hover and leaving.
TEST(Door, HostMayEndEachControlFromInsideEachNotification) {
    // A framework window over the host reflects the buttons' notifications to them; it goes
    // with the host.
    struct Reflector : CWnd {
        void PostNcDestroy() override { delete this; }
    };
    auto reflect = [](HWND host) { (new Reflector)->SubclassWindow(host); };
    auto makeDoor = [&](HWND host) -> HWND {
        HWND door = DoorWin_new(host);
        DropWin_new(door, "One", 4, 4, 4, 150);
        DropWin_new(door, "Two", 4, 4, 4, 150);
        DoorWin_SetSendMsg(door, 5);
        DoorWin_SetSendMsg_RClick(door, 6);
        DoorWin_SetSingleDrop(door, 0);
        return door;
    };
    auto layerOf = [](HWND door) { return FindWindowExA(door, nullptr, nullptr, "DoorWinLayer"); };
    auto toggleOf = [](HWND door) {
        return CWndDoor::GetObject(GetParent(door))->GetToggleButton().m_hWnd;
    };
    auto userMsg = [](UINT n) {
        return [n](HWND, UINT m, WPARAM, LPARAM) { return m == WM_USER + n; };
    };
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
        return drop->Create(nullptr, "Drop", 0, CRect(0, 0, 200, 100), CWnd::FromHandle(host),
                            1000) ? drop->m_hWnd : nullptr;
    };
    auto makeButton = [&](HWND host) -> HWND {
        reflect(host);
        struct Button : CButtonBMP {
            void PostNcDestroy() override { delete this; }
        };
        DWORD hover = 0, normal = DoorIds(0, &hover);
        Button* button = new Button;
        button->SetBitmaps(normal, hover);
        return button->Create("", 0, CRect(10, 10, 10, 10), CWnd::FromHandle(host), 7)
                   ? button->m_hWnd : nullptr;
    };
    auto moves = [](HWND w) {
        for (int i = 0; i < 3; ++i) PostMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    };
    const std::vector<NotifyCase> cases = {
        {"door: flat toggle", makeDoor, [](HWND door) { DoorWin_OpenClose(door, 0); }, userMsg(5), deleteDoor},
        {"door: button click", makeDoor, [&](HWND door) { PostMessageA(toggleOf(door), BM_CLICK, 0, 0); },
         userMsg(5), deleteDoor},
        {"door: button hover", makeDoor, [&](HWND door) { moves(toggleOf(door)); }, userMsg(5), deleteDoor},
        {"door: right click", makeDoor, rightClick, userMsg(6), deleteDoor},
        {"door: right click while sliding", makeDoor, [&](HWND door) {
             DoorWin_SetSendMsg(door, -1);
             DoorWin_OpenClose(door, 0);
             rightClick(door);
         }, userMsg(6), deleteDoor},
        {"layer: right click", makeDoor, [&](HWND door) { rightClick(layerOf(door)); }, userMsg(6), deleteDoor},
        {"layer: right click while a drop opens", makeDoor, [&](HWND door) {
             HWND two = DoorWin_EnumDropWin(door, 1);
             PostMessageA(two, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 5));
             rightClick(layerOf(door));
         }, userMsg(6), deleteDoor},
        {"drop: title click", makeDrop, [](HWND drop) {
             PostMessageA(drop, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 5));
         }, notifyFrom(0)},
        {"drop: header button", makeDrop, [](HWND drop) {
             PostMessageA(((CWndDrop*)CWnd::FromHandlePermanent(drop))->GetHeaderButton().m_hWnd,
                          BM_CLICK, 0, 0);
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
