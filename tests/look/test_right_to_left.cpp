// A right-to-left host gets a mirrored library: the door at the right edge, sliding from there,
// mirrored menus, caption buttons on the left. Read from the screen and from what the host
// receives.
#include "LumoTest.h"
#include "SystemColours.h"
#include "MenuTestUtil.h"
#include "lumo.h"
#include "CWndDoor.h"
#include "CButtonBMP.h"
#include "CHyperLinkStatic.h"
#include "CButtonXP.h"
#include "CProgressCtrlEx.h"
#include "CMenuPopEx.h"
#include "skin/CSkin.h"
#include "CUtilityVisual.h"
#include "DrawTestUtil.h"
#include "frame/LumoRes.h"

using namespace lumotest;

namespace {

// A top-level host of w x h whose layout is right to left (or left to right, made the same way
// for comparison).
HWND MakeRtlHost(int w, int h, bool rtl = true) {
    HWND hwnd = CreateHostWindow(w, h, false);
    if (rtl) SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_LAYOUTRTL);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return hwnd;
}

// A rectangle of the screen as it is now, left to right whatever the windows on it.
struct ScreenPixels : MemoryCanvas {
    explicit ScreenPixels(const RECT& rc) : MemoryCanvas(rc.right - rc.left, rc.bottom - rc.top) {
        HDC screen = GetDC(nullptr);
        BitBlt(Dc(), 0, 0, Width(), Height(), screen, rc.left, rc.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    }
};

// A child window whose class name holds FIXEDBAR, which the door makes room for.
HWND FixedBar(HWND host, int x, int y, int w, int h) {
    WNDCLASSA wc = {0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr,
                    "RtlFIXEDBAR"};
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, x, y, w, h, host, nullptr, nullptr,
                           nullptr);
}

// The host's client area on the screen (mapping a mirrored window's points swaps the edges).
RECT ClientOnScreen(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    MapWindowPoints(hwnd, nullptr, (POINT*)&rc, 2);
    if (rc.left > rc.right) std::swap(rc.left, rc.right);
    return rc;
}

// The menu's tracking flags as the library chooses them for an owner.
struct FlagsOf : CMenuPopEx {
    static UINT For(HWND owner) { return TrackFlags(owner); }
};

// Whether the text "L." in an area of a picture reads right to left: its first inked column
// from the left is then the full stop, inked low, not the L's stem, which rises to the top of
// the text. Ink is whatever differs from the paper of its row (an underline included). -1 when
// there is none.
template <typename Paper>
int ReadsRightToLeftOn(const PixelImage& img, const RECT& area, Paper paperOfRow) {
    int top = area.bottom, bottom = area.top - 1, first = -1, firstTop = -1;
    for (int x = area.left; x < area.right; ++x)
        for (int y = area.top; y < area.bottom; ++y)
            if (img.At(x, y) != paperOfRow(y)) {
                if (first < 0) first = x;
                if (x == first && firstTop < 0) firstTop = y;
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (first < 0) return -1;
    return firstTop > top + (bottom - top) / 3 ? 1 : 0;
}

// The same on paper of one colour.
int ReadsRightToLeft(const PixelImage& img, const RECT& area, COLORREF paper) {
    return ReadsRightToLeftOn(img, area, [paper](int) { return paper; });
}

// Whether a centred "L." in a window reads right to left, read from the screen: the text is
// looked for in the middle half of the columns, on the paper each row has at that half's left
// end (a button's face may shade from top to bottom).
int CentredReadsRightToLeft(HWND hwnd) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    ScreenPixels pixels(rc);
    const int w = pixels.Width(), h = pixels.Height(), x = w / 4;
    return ReadsRightToLeftOn(pixels, {x, 0, w - x, h}, [&](int y) { return pixels.At(x, y); });
}

// Whether the text of a check box reads right to left, read from the screen: the text beside
// the box, from the first column of paper past the box's ink (at the right end for a mirrored
// box); the paper is the far corner's colour.
int CheckTextReadsRightToLeft(HWND hwnd, bool rtl) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    ScreenPixels pixels(rc);
    const int w = pixels.Width(), h = pixels.Height();
    const COLORREF paper = pixels.At(rtl ? 0 : w - 1, 0);
    auto inked = [&](int i) {
        for (int y = 0; y < h; ++y)
            if (pixels.At(rtl ? w - 1 - i : i, y) != paper) return true;
        return false;
    };
    int i = 0;
    while (i < w && !inked(i)) ++i;
    while (i < w && inked(i)) ++i;
    return ReadsRightToLeft(pixels, rtl ? RECT{0, 0, w - i, h} : RECT{i, 0, w, h}, paper);
}

// A frame set of one frame with a style-4 (tab) title, an icon and a text, in a host; the
// frame set's window.
HWND TabTitleFrameset(HWND host) {
    HFRAMESET set = Frameset_new(host);
    HWND content =
        CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host, nullptr, nullptr, nullptr);
    if (Frame_add(set, "a", "", 0, content, "100%") != 1) return nullptr;
    Frameset_SetOuterBorder(set, 0, 0, 0, 0);
    Frameset_SetStyle(set, 4);
    Frameset_SetHue(set, 0xE0D0C0);
    Frame_SetTitleBkColor(set, "a", 0xCCB383);
    Frame_SetTitle(set, "a", "Lumo");
    Frame_SetIconMsg(set, "a", 7);
    PumpPending();
    return FindWindowExA(host, nullptr, nullptr, "CWndArea");
}

}  // namespace

// The door stands at the host's right edge and keeps to it while it closes and slides.
TEST(RightToLeft, DoorDocksAtTheRightEdgeAndSlidesFromThere) {
    HWND host = MakeRtlHost(500, 300);
    HWND door = DoorWin_new(host);
    ASSERT_NE(door, nullptr);
    PumpPending();
    const RECT client = ClientOnScreen(host);
    RECT rc;
    GetWindowRect(door, &rc);
    EXPECT_EQ(rc.right, client.right);
    EXPECT_EQ(rc.right - rc.left, 230);
    DoorWin_SetAnimationAble(door, 1);
    AnimationSetting on(SPI_GETCLIENTAREAANIMATION, SPI_SETCLIENTAREAANIMATION, TRUE);
    DoorWin_OpenClose(door, 0);
    KillTimer(door, DOOR_TIMER_CLOSE);
    SendMessageA(door, WM_TIMER, DOOR_TIMER_CLOSE, 0);
    GetWindowRect(door, &rc);
    EXPECT_EQ(rc.right, client.right);
    EXPECT_EQ(rc.right - rc.left, 210);
    DoorWin_SetAnimationAble(door, 0);
    DoorWin_OpenClose(door, 1);
    DoorWin_OpenClose(door, 0);
    GetWindowRect(door, &rc);
    EXPECT_EQ(rc.right, client.right);
    EXPECT_EQ(rc.right - rc.left, CWndDoor::GetObject(host)->GetCloseWidth(TRUE));
    DestroyWindow(host);
}

// Menus of a right-to-left owner are tracked mirrored, their picture column on the right; with
// the user's menu animation off they are tracked without animation.
TEST(RightToLeft, MenusOpenMirroredWithTheirPictureColumnOnTheRight) {
    HostWindow ltr;
    HWND rtl = MakeRtlHost(300, 200);
    EXPECT_FALSE(FlagsOf::For(ltr) & TPM_LAYOUTRTL);
    EXPECT_TRUE(FlagsOf::For(rtl) & TPM_LAYOUTRTL);
    {
        AnimationSetting off(SPI_GETMENUANIMATION, SPI_SETMENUANIMATION, FALSE);
        EXPECT_TRUE(FlagsOf::For(ltr) & TPM_NOANIMATION);
    }
    {
        AnimationSetting on(SPI_GETMENUANIMATION, SPI_SETMENUANIMATION, TRUE);
        EXPECT_FALSE(FlagsOf::For(ltr) & TPM_NOANIMATION);
    }

    HPOPMENU menu = PopMenu_New(rtl);
    PopMenu_SetItem(menu, 1, "One", 0);
    PopMenu_SetItem(menu, 2, "Two", 0);
    LONG exStyle = 0;
    COLORREF left = 0, right = 0;
    menutest::MenuSteps steps({menutest::MenuShown, [&] {
        HWND wnd = menutest::OpenMenus().front();
        exStyle = GetWindowLongA(wnd, GWL_EXSTYLE);
        RECT rc;
        GetWindowRect(wnd, &rc);
        HMENU h = (HMENU)SendMessageA(wnd, MN_GETHMENU, 0, 0);
        RECT item = menutest::ItemOnScreen(h, 1);
        const int y = (item.top + item.bottom) / 2;
        HDC screen = GetDC(nullptr);
        left = GetPixel(screen, item.left + 4, y);
        right = GetPixel(screen, item.right - 4, y);
        ReleaseDC(nullptr, screen);
        return true;
    }});
    PopMenu_Popxy(menu, 300, 100);
    EXPECT_TRUE(steps.Done());
    EXPECT_TRUE(exStyle & WS_EX_LAYOUTRTL);
    EXPECT_EQ(right, (COLORREF)0x00EAEAEA) << "the picture column";
    EXPECT_EQ(left, (COLORREF)0x00F5F5F5) << "the text column";
    DestroyWindow(rtl);
}

// A skinned right-to-left window shows its caption buttons on the left: the pointer over the
// left end of the caption lights the close button.
TEST(RightToLeft, SkinCaptionButtonsStandOnTheLeft) {
    Lumo_UseOwnLook(1);
    HWND host = MakeRtlHost(300, 150);
    ASSERT_EQ(1, Skin_Register(host, 0));
    PumpPending();
    RECT wr;
    GetWindowRect(host, &wr);
    const int cxFrame = GetSystemMetrics(SM_CXFRAME), cyFrame = GetSystemMetrics(SM_CYFRAME);
    // Mirrored, the close button lies 7 to 27 pixels in from the caption's left end.
    POINT close = {wr.left + cxFrame + 17, wr.top + cyFrame + 9};
    SetCursorPos(close.x, close.y);
    SendMessageA(host, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(close.x, close.y));
    EXPECT_EQ(SkinButtonState(host), CSkin::StateCloseHot);
    POINT right = {wr.right - cxFrame - 17, close.y};
    SetCursorPos(right.x, right.y);
    SendMessageA(host, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(right.x, right.y));
    EXPECT_EQ(SkinButtonState(host), CSkin::StateNone);
    ParkCursor();
    // On the screen: the close button's picture at the left end, plain caption at the right.
    COLORREF caption = 0, text = 0, outline = 0;
    const COLORREF *top = nullptr, *bottom = nullptr;
    const int* ids[5] = {};
    GetSkin(0, &caption, &text, &outline, &top, &bottom, &ids[0], &ids[1], &ids[2], &ids[3], &ids[4]);
    PumpPending();
    HDC screen = GetDC(nullptr);
    int leftDiffers = 0, rightDiffers = 0;
    for (int dx = -8; dx <= 8; ++dx)
        for (int dy = -5; dy <= 5; ++dy) {
            leftDiffers += GetPixel(screen, close.x + dx, close.y + dy) != caption;
            rightDiffers += GetPixel(screen, right.x + dx, right.y + dy) != caption;
        }
    ReleaseDC(nullptr, screen);
    EXPECT_GT(leftDiffers, 10);
    EXPECT_EQ(rightDiffers, 0);
    Skin_Unregister(host);
    DestroyWindow(host);
    Lumo_UseOwnLook(0);
}

// Photographs keep their orientation in a mirrored context, only their place mirrors: a picture
// red on its left and blue on its right still shows red on the left.
TEST(RightToLeft, PicturesKeepTheirOrientation) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const int w = 40, h = 10;
    std::vector<uint8_t> bmp =
        drawtest::MakeBmp(w, h, [](int x, int) { return x < 20 ? RGB(255, 0, 0) : RGB(0, 0, 255); });
    IPicture* picture = nullptr;
    ASSERT_TRUE(CUtilityVisual::GetPicture(&picture, (void*)bmp.data(), (int)bmp.size()));
    for (DWORD layout : {0ul, (DWORD)LAYOUT_RTL}) {
        MemoryCanvas canvas(w, h, RGB(0, 0, 0));
        SetLayout(canvas.Dc(), layout);
        CRect rc(0, 0, w, h);
        CUtilityVisual::draw_pic(CDC::FromHandle(canvas.Dc()), picture, rc, SRCCOPY, 0);
        EXPECT_EQ(GetLayout(canvas.Dc()), layout);
        SetLayout(canvas.Dc(), 0);
        EXPECT_EQ(canvas.At(2, 5), RGB(255, 0, 0)) << layout;
        EXPECT_EQ(canvas.At(w - 3, 5), RGB(0, 0, 255)) << layout;
    }
    picture->Release();
    CoUninitialize();
}

// The door makes room for the host's fixed bars where they stand on the screen: a bar along the
// top, and a bar down the right-to-left host's first edge, its right one.
TEST(RightToLeft, DoorMakesRoomForFixedBarsOnTheMirroredEdges) {
    HWND host = MakeRtlHost(500, 300);
    RECT client;
    GetClientRect(host, &client);
    HWND top = FixedBar(host, 0, 0, client.right, 30);
    HWND door = DoorWin_new(host);
    ASSERT_NE(door, nullptr);
    PumpPending();
    const RECT area = ClientOnScreen(host);
    RECT rc;
    GetWindowRect(door, &rc);
    EXPECT_EQ(rc.top, area.top + 30);
    EXPECT_EQ(rc.bottom, area.bottom);
    EXPECT_EQ(rc.right, area.right);
    EXPECT_EQ(rc.right - rc.left, 230);

    DestroyWindow(top);
    HWND side = FixedBar(host, 0, 0, 40, client.bottom);
    RECT bar;
    GetWindowRect(side, &bar);
    ASSERT_EQ(bar.right, area.right) << "the mirrored host puts its first column at the right";
    door = DoorWin_new(host);
    ASSERT_NE(door, nullptr);
    PumpPending();
    GetWindowRect(door, &rc);
    EXPECT_EQ(rc.right, area.right - 40);
    EXPECT_EQ(rc.top, area.top);
    EXPECT_EQ(rc.bottom, area.bottom);
    // Opened as wide as it may be, the door stops at the host's far edge.
    DoorWin_SetWidth(door, 1000);
    PumpPending();
    GetWindowRect(door, &rc);
    EXPECT_EQ(rc.left, area.left);
    EXPECT_EQ(rc.right, area.right - 40);
    DestroyWindow(host);
}

// Sliding shut, the door shows the picture it had open, carried toward the host's right edge
// with its far end: the snapshot, taken from a mirrored window and painted back into it, keeps
// its orientation and its place.
TEST(RightToLeft, DoorSlidesItsPictureShutTowardTheRightEdge) {
    HWND host = MakeRtlHost(500, 300);
    HWND door = DoorWin_new(host);
    ASSERT_NE(door, nullptr);
    PumpPending();
    DoorWin_SetAnimationAble(door, 1);
    AnimationSetting on(SPI_GETCLIENTAREAANIMATION, SPI_SETCLIENTAREAANIMATION, TRUE);
    const RECT open = ClientOnScreen(door);
    ScreenPixels before(open);
    const COLORREF middle = before.At(before.Width() / 2, before.Height() / 2);
    ASSERT_GT(before.Width() * before.Height() - before.CountColor(middle), 20) << "a picture with something in it";
    DoorWin_OpenClose(door, 0);
    KillTimer(door, DOOR_TIMER_CLOSE);
    SendMessageA(door, WM_TIMER, DOOR_TIMER_CLOSE, 0);
    PumpPending();
    const RECT now = ClientOnScreen(door);
    ASSERT_EQ(now.right, open.right);
    ASSERT_EQ(now.left, open.left + 20);
    ScreenPixels after(now);
    int differ = 0;
    for (int y = 0; y < after.Height(); ++y)
        for (int x = 0; x < after.Width(); ++x) differ += after.At(x, y) != before.At(x, y);
    EXPECT_EQ(differ, 0);
    DoorWin_SetAnimationAble(door, 0);
    DestroyWindow(host);
}

// The door's button fills its whole face in a mirrored context too: nothing of what was there
// before shows at either end.
TEST(RightToLeft, BitmapButtonFillsItsWholeFaceInAMirroredContext) {
    const COLORREF face = RGB(0x21, 0x43, 0x65);
    CButtonBMP button;
    button.SetBkColor(face);
    MemoryCanvas canvas(20, 6, RGB(255, 255, 255));
    SetLayout(canvas.Dc(), LAYOUT_RTL);
    DRAWITEMSTRUCT dis = {ODT_BUTTON, 0, 0, 0, 0, nullptr, canvas.Dc(), {0, 0, 20, 6}, 0};
    EXPECT_EQ(LeaksOf([&] { button.DrawItem(&dis); }).gdi, 0);
    SetLayout(canvas.Dc(), 0);
    EXPECT_EQ(canvas.CountColor(face), 20 * 6);
}

// A frame set's title bars in a right-to-left host are those of a left-to-right host mirrored,
// read from the screen, apart from the title's letters, which keep their reading order: the
// title stands toward the right; style 1's icon moves to the left end with the rest of the bar,
// and style 4's tab stands at the right with its icon at its right, before the title.
TEST(RightToLeft, FrameTitlesAreTheLeftToRightOnesMirrored) {
    const int w = 300, h = 160, band = 19;
    const COLORREF ink = RGB(0, 0, 0);
    for (int style : {1, 4}) {
        SCOPED_TRACE(style);
        std::vector<COLORREF> bar[2];
        for (int rtl = 0; rtl < 2; ++rtl) {
            HWND host = MakeRtlHost(w, h, rtl == 1);
            HFRAMESET set = Frameset_new(host);
            HWND content = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host, nullptr,
                                           nullptr, nullptr);
            ASSERT_EQ(Frame_add(set, "a", "", 0, content, "100%"), 1);
            Frameset_SetOuterBorder(set, 0, 0, 0, 0);
            Frameset_SetStyle(set, style);
            Frameset_SetHue(set, 0xE0D0C0);
            Frame_SetTitleBkColor(set, "a", 0xCCB383);
            Frame_SetTitle(set, "a", "Lumo");
            Frame_SetIconMsg(set, "a", 7);
            PumpPending();
            if (rtl == 1) {
                // Mirrored painting, its clipping regions included, leaves nothing behind.
                HWND window = FindWindowExA(host, nullptr, nullptr, "CWndArea");
                EXPECT_EQ(LeaksOf([&] {
                              InvalidateRect(window, nullptr, TRUE);
                              UpdateWindow(window);
                          }),
                          Leaks{});
            }
            const RECT area = ClientOnScreen(host);
            ScreenPixels s({area.left, area.top, area.left + w, area.top + band});
            for (int y = 0; y < band; ++y)
                for (int x = 0; x < w; ++x) bar[rtl].push_back(s.At(x, y));
            DestroyWindow(host);
        }
        // The title's columns, in either picture, are left out of the comparison.
        auto ltr = [&](int x, int y) { return bar[0][y * w + (w - 1 - x)]; };
        auto rtl = [&](int x, int y) { return bar[1][y * w + x]; };
        std::vector<bool> title(w, false);
        int inkLeft[2] = {}, inkRight[2] = {};
        // Style 4's rule, below its tab, is drawn in the title's black too.
        const int titleRows = style == 4 ? 16 : band;
        for (int y = 0; y < titleRows; ++y)
            for (int x = 0; x < w; ++x) {
                if (ltr(x, y) == ink || rtl(x, y) == ink) title[x] = true;
                (x < w / 2 ? inkLeft : inkRight)[0] += bar[0][y * w + x] == ink;
                (x < w / 2 ? inkLeft : inkRight)[1] += rtl(x, y) == ink;
            }
        int differ = 0, compared = 0;
        for (int y = 0; y < band; ++y)
            for (int x = 0; x < w; ++x)
                if (!title[x]) {
                    ++compared;
                    differ += ltr(x, y) != rtl(x, y);

                }
        EXPECT_GT(compared, w * band / 2);
        EXPECT_EQ(differ, 0);
        EXPECT_GT(inkLeft[0], 5) << "left to right, the title at the left";
        EXPECT_EQ(inkRight[0], 0);
        EXPECT_GT(inkRight[1], 5) << "right to left, the title at the right";
        EXPECT_EQ(inkLeft[1], 0);
    }
}

// A right-to-left host's tab title bar repainted in part, from a point inside the tab (its
// clipped ends, its middle) to the far end, shows what a whole paint showed: each part is first
// painted over on the screen, then invalidated alone.
TEST(RightToLeft, TabTitlePartlyRepaintedMatchesAWholePaint) {
    const int band = 19;
    HWND host = MakeRtlHost(300, 160);
    HWND window = TabTitleFrameset(host);
    ASSERT_NE(window, nullptr);
    const RECT area = ClientOnScreen(window);
    const RECT bar = {area.left, area.top, area.right, area.top + band};
    InvalidateRect(window, nullptr, TRUE);
    PumpPending();
    ScreenPixels whole(bar);
    const COLORREF scribble = RGB(255, 0, 255);
    ASSERT_EQ(whole.CountColor(scribble), 0);
    // The tab takes at least its ends and its icon, 84 pixels at 96 DPI, from the logical left.
    for (int from : {5, 12, 40, 70, 80}) {
        SCOPED_TRACE(from);
        HDC dc = GetDC(window);
        RECT all;
        GetClientRect(window, &all);
        HBRUSH brush = CreateSolidBrush(scribble);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        ReleaseDC(window, dc);
        // The window's pixels reach the screen when the thread's queue runs dry.
        PumpPending();
        ASSERT_EQ(ScreenPixels(bar).CountColor(scribble), (int)(all.right * band));
        RECT part = {from, 0, all.right, band};
        InvalidateRect(window, &part, TRUE);
        PumpPending();
        ScreenPixels now(bar);
        // Mirrored, the invalidated strip runs from the bar's screen left to `from` short of its right.
        const int columns = (int)(all.right - from);
        int differ = 0;
        for (int y = 0; y < band; ++y)
            for (int x = 0; x < columns; ++x) differ += now.At(x, y) != whole.At(x, y);
        EXPECT_EQ(differ, 0);
        EXPECT_EQ(now.At(columns, band / 2), scribble) << "only the invalidated strip was repainted";
    }
    DestroyWindow(host);
}

// Printed into a mirrored context whose window and viewport origins are moved, the tab title
// (its clipped ends included) is the one printed without them, moved as far as the context
// moves its logical origin.
TEST(RightToLeft, TabTitleFollowsTheOriginsOfAMirroredContext) {
    HWND host = MakeRtlHost(300, 160);
    HWND window = TabTitleFrameset(host);
    ASSERT_NE(window, nullptr);
    RECT all;
    GetClientRect(window, &all);
    const int w = all.right + 60, h = all.bottom;
    MemoryCanvas plain(w, h, RGB(255, 0, 255)), moved(w, h, RGB(255, 0, 255));
    SetLayout(plain.Dc(), LAYOUT_RTL);
    SetLayout(moved.Dc(), LAYOUT_RTL);
    SetWindowOrgEx(moved.Dc(), 9, 3, nullptr);
    SetViewportOrgEx(moved.Dc(), 20, 5, nullptr);
    POINT p = {0, 0}, m = {0, 0};
    LPtoDP(plain.Dc(), &p, 1);
    LPtoDP(moved.Dc(), &m, 1);
    const int dx = m.x - p.x, dy = m.y - p.y;
    ASSERT_LT(dx, 0) << "the whole title stays on the canvas";
    ASSERT_GT(dy, 0);
    SendMessageA(window, WM_PRINTCLIENT, (WPARAM)plain.Dc(), PRF_CLIENT);
    SendMessageA(window, WM_PRINTCLIENT, (WPARAM)moved.Dc(), PRF_CLIENT);
    int differ = 0, compared = 0;
    for (int y = 0; y + dy < h; ++y)
        for (int x = w - all.right; x < w; ++x) {
            ++compared;
            differ += moved.At(x + dx, y + dy) != plain.At(x, y);
        }
    EXPECT_GT(compared, all.right * 19);
    EXPECT_EQ(differ, 0);
    DestroyWindow(host);
}

// Texts in a right-to-left host read right to left (DT_RTLREADING): the full stop ending "L."
// stands at the left of the L, in a skinned window's caption, a hyperlink, XP and gradient
// buttons (greyed too), a progress bar and a tree's hovered label.
TEST(RightToLeft, TextsReadRightToLeft) {
    const std::vector<COLORREF> c = SysColours::Contrast(7);
    SysColours colours(c);
    ColourMode mode(1);
    for (int rtl = 0; rtl < 2; ++rtl) {
        SCOPED_TRACE(rtl);
        Lumo_UseOwnLook(1);
        HWND host = MakeRtlHost(340, 180, rtl == 1);
        SetWindowTextA(host, "L.");
        ASSERT_EQ(1, Skin_Register(host, 0));
        PumpPending();
        CHyperLinkStatic link;
        CWnd* parent = CWnd::FromHandle(host);
        ASSERT_TRUE(link.Create("L.", WS_CHILD | WS_VISIBLE, CRect(20, 20, 120, 44), parent, 1));
        PumpPending();
        const CSkin* skin = CSkin::Find(host);
        ASSERT_NE(skin, nullptr);
        RECT wr;
        GetWindowRect(host, &wr);
        // The caption between the buttons and the far end, where only the title is drawn.
        const int w = wr.right - wr.left;
        RECT title = {skin->m_captionRect.left + 30, skin->m_captionRect.top + 1, skin->m_minimizeRect.left - 2,
                      skin->m_captionRect.bottom - 1};
        if (rtl) title = {w - title.right, title.top, w - title.left, title.bottom};
        ScreenPixels caption(wr);
        EXPECT_EQ(ReadsRightToLeft(caption, title, SysColours::Of(c, COLOR_BTNFACE)), rtl) << "the caption";
        RECT lr;
        GetWindowRect(link, &lr);
        ScreenPixels linkPixels(lr);
        EXPECT_EQ(ReadsRightToLeft(linkPixels, {0, 0, linkPixels.Width(), linkPixels.Height()}, linkPixels.At(0, 0)),
                  rtl)
            << "the hyperlink";

        link.DestroyWindow();
        Skin_Unregister(host);
        DestroyWindow(host);
        Lumo_UseOwnLook(0);

        // The library's controls on a framework window, which owner-drawn buttons need.
        HWND plain = MakeRtlHost(340, 180, rtl == 1);
        CWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(plain));
        // Centred texts: an XP button's, a gradient button's, a progress bar's, a tree's
        // hovered label.
        CButtonXP push;
        ASSERT_TRUE(push.Create("L.", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(130, 20, 190, 46), &wnd, 2));
        CButtonXPGradient gradient;
        ASSERT_TRUE(gradient.Create("L.", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(200, 20, 260, 46), &wnd, 3));
        CProgressCtrlEx bar;
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(20, 56, 120, 86), &wnd, 4));
        bar.SetRange(0, 100);
        bar.SetText("L.");
        HWND tree = Tree_new(plain, 130, 56, 300, 110, 0);
        ASSERT_NE(tree, nullptr);
        Tree_AddItem(tree, "1", "L.", "");
        Tree_Build(tree);
        Tree_SetMousemoveSelect(tree, 1);
        const HTREEITEM item = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
        ASSERT_NE(item, nullptr);
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item);
        PumpPending();
        EXPECT_EQ(CentredReadsRightToLeft(push), rtl) << "the XP button";
        EXPECT_EQ(CentredReadsRightToLeft(gradient), rtl) << "the gradient button";
        EXPECT_EQ(CentredReadsRightToLeft(bar), rtl) << "the progress bar";
        RECT label;
        *(HTREEITEM*)&label = item;
        ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMRECT, TRUE, (LPARAM)&label));
        MapWindowPoints(tree, nullptr, (POINT*)&label, 2);
        if (label.left > label.right) std::swap(label.left, label.right);
        ScreenPixels labelPixels(label);
        EXPECT_EQ(ReadsRightToLeft(labelPixels, {0, 0, labelPixels.Width(), labelPixels.Height()},
                                   labelPixels.At(0, 0)),
                  rtl)
            << "the tree's hovered label";

        // The library's own palette: a disabled check box's greyed text, a disabled button's.
        Lumo_UseSystemColors(0);
        CButtonXP check, disabled;
        ASSERT_TRUE(check.Create("L.", WS_CHILD | WS_VISIBLE | WS_DISABLED | BS_AUTOCHECKBOX, CRect(20, 90, 120, 114),
                                 &wnd, 5));
        ASSERT_TRUE(disabled.Create("L.", WS_CHILD | WS_VISIBLE | WS_DISABLED | BS_PUSHBUTTON,
                                    CRect(130, 20, 190, 46), &wnd, 6));
        push.ShowWindow(SW_HIDE);
        PumpPending();
        EXPECT_EQ(CheckTextReadsRightToLeft(check, rtl == 1), rtl) << "the disabled check box";
        EXPECT_EQ(CentredReadsRightToLeft(disabled), rtl) << "the disabled XP button";
        Lumo_UseSystemColors(1);

        wnd.UnsubclassWindow();
        DestroyWindow(plain);
    }
}
