// Skinned windows read back from the screen: frame, caption, corners and buttons of the resource
// library's schemes, the caption buttons driven by posted mouse input, and the window given back.
#include "LumoTest.h"
#include "PixelTable.h"
#include "lumo.h"
#include "ClassicLook.h"
#include "skin/CSkin.h"
#include "frame/LumoRes.h"
#include "frame/WndProcChain.h"
#include "shadow/CShadowWin.h"

#include <memory>
#include <vector>

using namespace lumotest;

namespace {

// The skin stands aside under themes: the library is to see them off from the start.
const bool g_classicLook = gallery::UseClassicLook();

struct Scheme {
    COLORREF caption = 0, text = 0, outline = 0;
    std::vector<COLORREF> top, bottom;
    const int* ids[5] = {};  // bitmaps of the corners, close, restore, maximize, minimize
};

Scheme LoadScheme(int id) {
    Scheme s;
    const COLORREF *top = nullptr, *bottom = nullptr;
    GetSkin(id, &s.caption, &s.text, &s.outline, &top, &bottom, &s.ids[0], &s.ids[1], &s.ids[2], &s.ids[3], &s.ids[4]);
    for (; top && *top; ++top) s.top.push_back(*top);
    for (; bottom && *bottom; ++bottom) s.bottom.push_back(*bottom);
    return s;
}

// Where the skin lays out caption and buttons, from the system metrics, in window coordinates.
struct Layout {
    int w = 0, h = 0;
    POINT client = {};
    RECT caption = {}, close = {}, maximize = {}, minimize = {};
};

Layout LayoutOf(HWND hwnd) {
    Layout l;
    RECT wr;
    GetWindowRect(hwnd, &wr);
    ClientToScreen(hwnd, &l.client);
    l.client = {l.client.x - wr.left, l.client.y - wr.top};
    l.w = wr.right - wr.left, l.h = wr.bottom - wr.top;
    const int cyFrame = GetSystemMetrics(SM_CYFRAME), cySize = GetSystemMetrics(SM_CYSIZE);
    SetRect(&l.caption, GetSystemMetrics(SM_CXFRAME), cyFrame, l.w - GetSystemMetrics(SM_CXFRAME), l.client.y - 1);
    if (l.caption.bottom - l.caption.top > cySize + 2 * cyFrame) l.caption.bottom = l.caption.top + cySize;
    const int x = l.caption.right - 7, top = l.caption.top + 1;
    SetRect(&l.close, x - 20, top, x, top + 16);
    SetRect(&l.maximize, x - 40, top, x - 20, top + 16);
    SetRect(&l.minimize, x - 60, top, x - 40, top + 16);
    return l;
}

// -1 without a region, else whether the point is inside it.
int InRegion(HWND hwnd, int x, int y) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    int in = GetWindowRgn(hwnd, rgn) == ERROR ? -1 : PtInRegion(rgn, x, y) != 0;
    DeleteObject(rgn);
    return in;
}
bool HasRegion(HWND hwnd) { return InRegion(hwnd, 0, 0) >= 0; }

// A window's pixels, frame included, read back through its own device context in window
// coordinates: the screen shows them only after the platform's next flush, and not at all
// where a maximized window reaches past its edges.
std::unique_ptr<MemoryCanvas> Painted(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT wr;
    GetWindowRect(hwnd, &wr);
    auto canvas = std::make_unique<MemoryCanvas>(wr.right - wr.left, wr.bottom - wr.top, RGB(0, 0, 0));
    HDC dc = GetWindowDC(hwnd);
    BitBlt(canvas->Dc(), 0, 0, canvas->Width(), canvas->Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
    return canvas;
}

// Pixels of rc in the window, inside its region and in the rows above `below`, unlike the
// resource library's bitmap laid there.
int Differences(HWND hwnd, const RECT& rc, int bitmapId, int below = INT_MAX) {
    const auto painted = Painted(hwnd);
    MemoryCanvas image(rc.right - rc.left, rc.bottom - rc.top, RGB(1, 2, 3));
    HBITMAP bmp = Load1Bitmap(bitmapId);
    HDC dc = CreateCompatibleDC(image.Dc());
    HGDIOBJ old = SelectObject(dc, bmp);
    BitBlt(image.Dc(), 0, 0, image.Width(), image.Height(), dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
    int bad = 0;
    for (int y = rc.top; y < rc.bottom && y < below; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            bad += InRegion(hwnd, x, y) && painted->At(x, y) != image.At(x - rc.left, y - rc.top);
    return bad;
}

// Bounding box of the pixels of one colour inside rc.
RECT BoxOf(const MemoryCanvas& image, const RECT& rc, COLORREF c) {
    RECT box = {rc.right, rc.bottom, rc.left, rc.top};
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (image.At(x, y) == c) {
                RECT px = {x, y, x + 1, y + 1};
                UnionRect(&box, box.left < box.right ? &box : &px, &px);
            }
    return box;
}

class SkinTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(g_classicLook && !IsWinXPThemeOpened()); }
    void TearDown() override {
        DestroyAllHostWindows();
        PumpPending();
        EXPECT_EQ(0, SkinListSize());
        EXPECT_EQ(0, ShadowWinListSize());
        EXPECT_EQ(0, WndProcChainWindowCount());
    }

    // A shown host with a 400 x 300 client area, skinned and with its region.
    static HWND Skinned(int skin, DWORD style = 0, DWORD exStyle = 0, HMENU menu = nullptr) {
        HWND hwnd = CreateHostWindow(400, 300, false, nullptr, style);
        if (exStyle) SetWindowLongA(hwnd, GWL_EXSTYLE, exStyle);
        if (menu) SetMenu(hwnd, menu);
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
        EXPECT_EQ(1, Skin_Register(hwnd, skin));
        EXPECT_TRUE(PumpUntil([&] { return HasRegion(hwnd); }));
        return hwnd;
    }

    // Puts the cursor on the middle of a rectangle of the window and posts a caption mouse
    // message from there; the skin reads the cursor. Answers the position.
    static LPARAM Mouse(HWND hwnd, UINT msg, const RECT& r, WPARAM hit = HTCAPTION) {
        RECT wr;
        GetWindowRect(hwnd, &wr);
        const LPARAM at = MAKELPARAM(wr.left + (r.left + r.right) / 2, wr.top + (r.top + r.bottom) / 2);
        SetCursorPos(LOWORD(at), HIWORD(at));
        PostMessageA(hwnd, msg, hit, at);
        PumpPending();
        return at;
    }
    static LPARAM Click(HWND hwnd, const RECT& r, WPARAM hit = HTCAPTION) {
        Mouse(hwnd, WM_NCLBUTTONDOWN, r, hit);
        return Mouse(hwnd, WM_NCLBUTTONUP, r, hit);
    }
};

}  // namespace

TEST_F(SkinTest, FrameCaptionLinesCornersAndButtonsOnTheScreen) {
    for (int skin : {0, 1}) {
        SCOPED_TRACE(skin);
        HWND hwnd = Skinned(skin);
        const Scheme s = LoadScheme(skin);
        const Layout l = LayoutOf(hwnd);
        const int mid = (l.caption.top + l.caption.bottom) / 2, x = l.caption.left + 3;
        std::vector<PixelIs> probes = {
            {2, l.h / 2, s.caption},       {l.w - 3, l.h / 2, s.caption}, {l.w / 2, l.h - 2, s.caption},
            {0, l.h / 2, s.outline},       {l.w - 1, l.h / 2, s.outline}, {l.w / 2, l.h - 1, s.outline},
            {x, mid, s.caption},           {l.w / 2, l.caption.bottom + 1, RGB(255, 255, 255)}};
        for (int i = 0; i < int(s.top.size()); ++i) probes.push_back({l.w / 2, i, s.top[i]});
        for (int i = 0; i < int(s.bottom.size()); ++i) {
            probes.push_back({x, l.caption.bottom - i, s.bottom[i]});
            probes.push_back({l.close.left + 3, l.caption.bottom - i, s.bottom[i]});
        }
        const auto screen = Painted(hwnd);
        for (const PixelIs& p : probes) EXPECT_EQ(p.color, screen->At(p.x, p.y)) << p.x << "," << p.y;
        // Corners where the region lets them show; buttons above the rows the lines cross.
        EXPECT_EQ(0, Differences(hwnd, {0, 0, 13, 13}, s.ids[0][0]));
        EXPECT_EQ(0, Differences(hwnd, {l.w - 13, 0, l.w, 13}, s.ids[0][1]));
        const int lines = l.caption.bottom + 1 - int(s.bottom.size());
        EXPECT_EQ(0, Differences(hwnd, l.close, s.ids[1][0], lines));
        EXPECT_EQ(0, Differences(hwnd, l.maximize, s.ids[3][0], lines));
        EXPECT_EQ(0, Differences(hwnd, l.minimize, s.ids[4][0], lines));
    }
}

TEST_F(SkinTest, ButtonsFollowTheStyleMenuBarsStayTheSystemsClientEdgesTakeTheSkinsColours) {
    const Scheme s = LoadScheme(0);
    const int lines = 1 - int(s.bottom.size());
    // Without a maximize box, minimize stands next to close.
    HWND hwnd = Skinned(0, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME);
    Layout l = LayoutOf(hwnd);
    EXPECT_EQ(0, Differences(hwnd, l.maximize, s.ids[4][0], l.caption.bottom + lines));
    // Without a system menu, no buttons: plain caption where they would be.
    hwnd = Skinned(0, WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX);
    SetWindowTextA(hwnd, "");
    l = LayoutOf(hwnd);
    RECT buttons = {l.minimize.left, l.close.top, l.close.right, l.caption.bottom + lines};
    const int area = (buttons.right - buttons.left) * (buttons.bottom - buttons.top);
    EXPECT_EQ(area, Painted(hwnd)->CountColor(s.caption, buttons));
    EXPECT_EQ(1, Skin_Unregister(hwnd));
    EXPECT_EQ(0, GetWindowLongA(hwnd, GWL_STYLE) & WS_SYSMENU) << "no system menu it never had";

    // A menu bar lies under a caption band of a caption button's height.
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_STRING, 100, "File");
    hwnd = Skinned(0, 0, 0, bar);
    l = LayoutOf(hwnd);
    const int band = l.caption.top + GetSystemMetrics(SM_CYSIZE), row = l.client.y - GetSystemMetrics(SM_CYMENU) / 2;
    EXPECT_TRUE(PixelsAre(*Painted(hwnd),
                          {{l.caption.left + 3, band, s.bottom[0]}, {l.w - 20, row, GetSysColor(COLOR_MENU)}}));

    // The client edge: a line halfway between caption and outline colours, then the outline.
    hwnd = Skinned(3, 0, WS_EX_CLIENTEDGE);
    const Scheme s3 = LoadScheme(3);
    l = LayoutOf(hwnd);
    const int e = l.client.x, bottom = l.h - GetSystemMetrics(SM_CYFRAME);
    const COLORREF half = RGB((GetRValue(s3.caption) + GetRValue(s3.outline)) / 2,
                              (GetGValue(s3.caption) + GetGValue(s3.outline)) / 2,
                              (GetBValue(s3.caption) + GetBValue(s3.outline)) / 2);
    EXPECT_TRUE(PixelsAre(*Painted(hwnd), {{e - 2, l.h / 2, half}, {e - 1, l.h / 2, s3.outline},
                                           {l.w / 2, bottom - 1, RGB(255, 255, 255)},
                                           {l.w - GetSystemMetrics(SM_CXFRAME) - 2, l.h / 2, 0x00D0D0D4}}));
}

TEST_F(SkinTest, TitleSitsWhereDrawTextPutsItBesideTheClassIconOfTheWindowsOwnModule) {
    // A class of this program's module with a plain red icon.
    WNDCLASSA wc = {0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), SolidIcon(RGB(255, 0, 0)), nullptr,
                    (HBRUSH)GetStockObject(WHITE_BRUSH), nullptr, "SkinTestIconClass"};
    ASSERT_TRUE(RegisterClassA(&wc));
    const char title[] = "Skinned title";
    HWND hwnd = CreateWindowA(wc.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 408, 327, nullptr,
                              nullptr, wc.hInstance, nullptr);
    ASSERT_EQ(1, Skin_Register(hwnd, 0));
    ASSERT_TRUE(PumpUntil([&] { return HasRegion(hwnd); }));
    const Scheme s = LoadScheme(0);
    const Layout l = LayoutOf(hwnd);
    const int iconX = GetSystemMetrics(SM_CXFRAME) + 9 + 8;
    const int iconY = GetSystemMetrics(SM_CYSIZE) / 2 + GetSystemMetrics(SM_CYFRAME) - 1;
    for (int icon : {1, 0})
        for (int align : {1, 0, 2}) {
            SCOPED_TRACE(testing::Message() << "icon " << icon << " align " << align);
            Skin_ShowIcon(hwnd, icon);
            Skin_SetTitlePosition(hwnd, align);
            RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
            const auto screen = Painted(hwnd);
            EXPECT_EQ(icon != 0, screen->At(iconX, iconY) == RGB(255, 0, 0));
            // The 16 pixels of the icon start 9 in from the frame, 9 above the button's middle.
            EXPECT_EQ(icon != 0, screen->At(iconX - 8, iconY - 8) == RGB(255, 0, 0) &&
                                     screen->At(iconX + 7, iconY + 7) == RGB(255, 0, 0));
            EXPECT_NE(RGB(255, 0, 0), screen->At(iconX - 9, iconY));
            EXPECT_NE(RGB(255, 0, 0), screen->At(iconX + 8, iconY));
            EXPECT_NE(RGB(255, 0, 0), screen->At(iconX, iconY - 9));
            // The same text, font and rectangle drawn by DrawText on the caption colour.
            RECT rc = {l.caption.left + (icon ? 30 : 10), l.caption.top, l.minimize.left, l.caption.bottom - 1};
            MemoryCanvas ref(l.w, l.caption.bottom, s.caption);
            SetBkMode(ref.Dc(), TRANSPARENT);
            SetTextColor(ref.Dc(), s.text);
            SelectObject(ref.Dc(), GetStockObject(SYSTEM_FIXED_FONT));
            DrawTextA(ref.Dc(), title, -1, &rc, UINT(align) | DT_VCENTER | DT_SINGLELINE);
            const RECT band = {l.caption.left + 10, l.caption.top, l.minimize.left, l.caption.bottom - 1};
            const RECT want = BoxOf(ref, band, s.text), got = BoxOf(*screen, band, s.text);
            ASSERT_LT(want.left, want.right);
            EXPECT_TRUE(EqualRect(&want, &got)) << want.left << "," << want.top << " / " << got.left << "," << got.top;
        }
    DestroyWindow(hwnd);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
    DestroyIcon(wc.hIcon);
}

TEST_F(SkinTest, CaptionButtonsFollowPostedMouseInput) {
    HWND hwnd = Skinned(0);
    const Scheme s = LoadScheme(0);
    MessageRecorder rec(hwnd, std::vector<UINT>{WM_CLOSE, WM_SYSCOMMAND});
    LRESULT hitAnswer = 0;
    SetHostHandler(hwnd, [&](HWND, UINT msg, WPARAM wp, LPARAM, LRESULT* r) {
        *r = hitAnswer;
        return msg == WM_CLOSE || (msg == WM_SYSCOMMAND && wp == SC_MINIMIZE) || (msg == WM_NCHITTEST && hitAnswer);
    });
    Layout l = LayoutOf(hwnd);
    const RECT plain = {l.caption.left + 2, l.caption.top + 2, l.caption.left + 4, l.caption.top + 4};

    // Hot, pressed, then left and released elsewhere: no command, the normal image under the lines.
    Mouse(hwnd, WM_NCMOUSEMOVE, l.close);
    EXPECT_EQ(CSkin::StateCloseHot, SkinButtonState(hwnd));
    EXPECT_EQ(0, Differences(hwnd, l.close, s.ids[1][1]));
    Mouse(hwnd, WM_NCLBUTTONDOWN, l.close);
    EXPECT_EQ(CSkin::StateClosePressed, SkinButtonState(hwnd));
    EXPECT_EQ(0, Differences(hwnd, l.close, s.ids[1][2]));
    Mouse(hwnd, WM_NCMOUSEMOVE, plain);
    Mouse(hwnd, WM_NCLBUTTONUP, plain);
    EXPECT_EQ(0, SkinButtonState(hwnd));
    EXPECT_EQ(0, Differences(hwnd, l.close, s.ids[1][0], l.caption.bottom + 1 - int(s.bottom.size())));
    EXPECT_EQ(s.bottom[0], Painted(hwnd)->At(l.close.left + 3, l.caption.bottom));
    // A move in the client area ends a hot state; a press the host's hit test puts on a
    // button of its own is nobody's.
    Mouse(hwnd, WM_NCMOUSEMOVE, l.minimize);
    EXPECT_EQ(CSkin::StateMinimizeHot, SkinButtonState(hwnd));
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(0, SkinButtonState(hwnd));
    Click(hwnd, plain, HTCLOSE);
    EXPECT_EQ(0, rec.Count());

    // Clicks post close, minimize, maximize and, on the maximized window, restore.
    std::vector<RecordedMsg> want = {RecordedMsg(WM_CLOSE, 0, 0)};
    Click(hwnd, l.close);
    want.push_back(RecordedMsg(WM_SYSCOMMAND, SC_MINIMIZE, Click(hwnd, l.minimize)));
    want.push_back(RecordedMsg(WM_SYSCOMMAND, SC_MAXIMIZE, Click(hwnd, l.maximize)));
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(hwnd) && InRegion(hwnd, 0, 0) == 1; }));
    l = LayoutOf(hwnd);
    EXPECT_EQ(1, InRegion(hwnd, l.w - 1, 0));
    EXPECT_EQ(0, Differences(hwnd, l.maximize, s.ids[2][0], l.caption.bottom + 1 - int(s.bottom.size())));
    want.push_back(RecordedMsg(WM_SYSCOMMAND, SC_RESTORE, Click(hwnd, l.maximize)));
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(hwnd) && InRegion(hwnd, 0, 0) == 0; }));
    EXPECT_TRUE(SequenceIs(rec.Messages(), want));

    // Hit tests: the host's buttons become caption.
    const LRESULT hits[][2] = {{HTCLOSE, HTCAPTION}, {HTMAXBUTTON, HTCAPTION}, {HTMINBUTTON, HTCAPTION},
                               {HTCLIENT, HTCLIENT}, {HTSYSMENU, HTSYSMENU}};
    for (const auto& h : hits) {
        hitAnswer = h[0];
        EXPECT_EQ(h[1], SendMessageA(hwnd, WM_NCHITTEST, 0, 0)) << h[0];
    }
}

// A program, or a pen, may ask about any point: the answer is for that point, wherever the
// cursor is.
TEST_F(SkinTest, HitTestsAnswerForThePointAskedAboutNotTheCursor) {
    HWND hwnd = Skinned(0);
    const Layout l = LayoutOf(hwnd);
    RECT wr;
    GetWindowRect(hwnd, &wr);
    const POINT caption = {wr.left + l.w / 2, wr.top + (l.caption.top + l.caption.bottom) / 2};
    const POINT close = {wr.left + (l.close.left + l.close.right) / 2, wr.top + (l.close.top + l.close.bottom) / 2};
    const POINT client = {wr.left + l.client.x + 150, wr.top + l.client.y + 120};
    MessageRecorder rec(hwnd, std::vector<UINT>{WM_NCHITTEST});
    const struct { POINT cursor, asked; LRESULT hit; } cases[] = {
        {caption, client, HTCLIENT}, {client, caption, HTCAPTION}, {client, close, HTCAPTION}, {caption, {5, 5}, HTNOWHERE}};
    for (const auto& c : cases) {
        SetCursorPos(c.cursor.x, c.cursor.y);
        const LPARAM at = MAKELPARAM(c.asked.x, c.asked.y);
        EXPECT_EQ(c.hit, SendMessageA(hwnd, WM_NCHITTEST, 0, at)) << c.asked.x << "," << c.asked.y;
        EXPECT_EQ(at, rec.Messages().back().lParam) << "the host is asked about the same point";
    }
}

// Real double clicks, as the system delivers them (down, up, double click, up; a press on the
// caption starts the system's move loop, which the release ends as a client message): on a
// button the second click does nothing more, on the caption they maximize and restore.
TEST_F(SkinTest, ADoubleClickOnAButtonActsAsOneClickAndOnTheCaptionMaximizesAndRestores) {
    HWND hwnd = Skinned(0);
    MessageRecorder rec(hwnd, [](HWND, UINT m, WPARAM, LPARAM) { return m == WM_CLOSE || m == WM_SYSCOMMAND; });
    // The host keeps its window: it declines closing and minimizing.
    SetHostHandler(hwnd, [](HWND, UINT msg, WPARAM wp, LPARAM, LRESULT* r) {
        *r = 0;
        return msg == WM_CLOSE || (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_MINIMIZE);
    });
    auto doubleClick = [&](const RECT& r, bool caption = false) {
        RECT wr;
        GetWindowRect(hwnd, &wr);
        const LPARAM at = MAKELPARAM(wr.left + (r.left + r.right) / 2, wr.top + (r.top + r.bottom) / 2);
        SetCursorPos(LOWORD(at), HIWORD(at));
        for (UINT msg : {WM_NCLBUTTONDOWN, caption ? WM_LBUTTONUP : WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK, WM_NCLBUTTONUP})
            PostMessageA(hwnd, msg, msg == WM_LBUTTONUP ? 0 : HTCAPTION, at);
        PumpPending();
        std::vector<UINT> got;
        for (const RecordedMsg& m : rec.Messages()) got.push_back(m.msg == WM_CLOSE ? WM_CLOSE : UINT(m.wParam & 0xFFF0));
        rec.Clear();
        return got;
    };
    Layout l = LayoutOf(hwnd);
    const RECT caption = {l.caption.left + 40, l.caption.top, l.caption.left + 60, l.caption.bottom};
    EXPECT_EQ(doubleClick(l.close), std::vector<UINT>{WM_CLOSE});
    EXPECT_EQ(doubleClick(l.minimize), std::vector<UINT>{SC_MINIMIZE});
    EXPECT_FALSE(IsZoomed(hwnd));
    EXPECT_EQ(doubleClick(l.maximize), std::vector<UINT>{SC_MAXIMIZE});
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(hwnd) && InRegion(hwnd, 0, 0) == 1; }));
    l = LayoutOf(hwnd);
    EXPECT_EQ(doubleClick(l.maximize), std::vector<UINT>{SC_RESTORE});
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(hwnd) && InRegion(hwnd, 0, 0) == 0; }));
    EXPECT_EQ(doubleClick(caption, true), (std::vector<UINT>{SC_MOVE, SC_MAXIMIZE}));
    EXPECT_TRUE(IsZoomed(hwnd));
    EXPECT_EQ(doubleClick(caption, true), (std::vector<UINT>{SC_MOVE, SC_RESTORE}));
    EXPECT_FALSE(IsZoomed(hwnd));
    EXPECT_EQ(0, SkinButtonState(hwnd));
}

// The buttons come back to rest after every click, also one whose close the host declines, and
// when the pointer leaves the window straight from a hot button.
TEST_F(SkinTest, ButtonsReturnToRestAfterADeclinedCloseAndWhenThePointerLeavesTheWindow) {
    HWND hwnd = Skinned(0);
    const Scheme s = LoadScheme(0);
    SetHostHandler(hwnd, [](HWND, UINT msg, WPARAM, LPARAM, LRESULT* r) { return *r = 0, msg == WM_CLOSE; });
    const Layout l = LayoutOf(hwnd);
    const int lines = l.caption.bottom + 1 - int(s.bottom.size());
    // The pointer rests on the button while it is pressed and released.
    const LPARAM at = Mouse(hwnd, WM_NCMOUSEMOVE, l.close);
    ASSERT_EQ(CSkin::StateCloseHot, SkinButtonState(hwnd));
    for (UINT msg : {WM_NCLBUTTONDOWN, WM_NCLBUTTONUP}) PostMessageA(hwnd, msg, HTCAPTION, at);
    PumpPending();
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(0, SkinButtonState(hwnd));
    EXPECT_EQ(0, Differences(hwnd, l.close, s.ids[1][0], lines)) << "the pressed image stayed";

    for (const RECT* button : {&l.close, &l.maximize, &l.minimize}) {
        Mouse(hwnd, WM_NCMOUSEMOVE, *button);
        ASSERT_NE(0, SkinButtonState(hwnd));
        ParkCursor();  // off the window in one move: no move over the frame or the client area
        EXPECT_TRUE(PumpUntil([&] { return SkinButtonState(hwnd) == 0; }, 3000));
    }
    EXPECT_EQ(0, Differences(hwnd, l.close, s.ids[1][0], lines));
    EXPECT_EQ(0, Differences(hwnd, l.maximize, s.ids[3][0], lines));
    EXPECT_EQ(0, Differences(hwnd, l.minimize, s.ids[4][0], lines));
}

TEST_F(SkinTest, AltSpaceAndARightClickOnTheCaptionOpenTheSystemMenu) {
    HWND hwnd = Skinned(0);
    RECT wr;
    GetWindowRect(hwnd, &wr);
    const struct { UINT msg; WPARAM wp; LPARAM lp; } cases[] = {
        {WM_SYSCHAR, VK_SPACE, LPARAM(KF_ALTDOWN) << 16},
        {WM_CONTEXTMENU, (WPARAM)hwnd, MAKELPARAM(wr.left + 100, wr.top + 10)}};
    for (const auto& c : cases) {
        MessageRecorder rec(hwnd, std::vector<UINT>{WM_INITMENUPOPUP});
        ModalDriver driver;
        bool shown = false;
        driver.After(30, [&] {
            shown = IsWindowVisible(FindWindowA("#32768", nullptr)) != 0;
            EndMenu();
        });
        SendMessageA(hwnd, c.msg, c.wp, c.lp);
        PumpPending();  // what the ended menu left queued
        EXPECT_TRUE(shown) << MessageName(c.msg);
        ASSERT_EQ(1, rec.Count());
        EXPECT_EQ((WPARAM)GetSystemMenu(hwnd, FALSE), rec.Messages()[0].wParam);
        EXPECT_EQ(0, GetWindowLongA(hwnd, GWL_STYLE) & WS_SYSMENU);
    }
}

TEST_F(SkinTest, HiddenOrMinimizedWindowsAreNotPaintedAndAnUnknownSkinKeepsTheLook) {
    HWND hwnd = Skinned(0);
    // Painting reads the title: a window that is not painted is not asked for it.
    MessageRecorder rec(hwnd, std::vector<UINT>{WM_GETTEXT});
    for (int show : {SW_SHOWNA, SW_HIDE, SW_SHOWMINNOACTIVE}) {
        ShowWindow(hwnd, show);
        PumpPending();
        rec.Clear();
        SendMessageA(hwnd, WM_NCPAINT, 1, 0);
        EXPECT_EQ(show == SW_SHOWNA ? 1 : 0, rec.Count()) << show;
    }
    ShowWindow(hwnd, SW_RESTORE);
    ASSERT_TRUE(PumpUntil([&] { return HasRegion(hwnd); }));
    EXPECT_EQ(0, Skin_ChangeSkin(hwnd, 99));
    EXPECT_EQ(0, Skin_ChangeSkin(hwnd, -1));
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const Layout l = LayoutOf(hwnd);
    EXPECT_EQ(0, Differences(hwnd, l.close, LoadScheme(0).ids[1][0], l.caption.bottom - 1));
    EXPECT_EQ(1, Skin_ChangeSkin(hwnd, 2));
    PumpPending();
    EXPECT_EQ(LoadScheme(2).caption, Painted(hwnd)->At(2, 100));
    DestroyWindow(hwnd);

    // Registered with an unknown skin: the default colours and no buttons.
    hwnd = CreateHostWindow(400, 300);
    SetWindowTextA(hwnd, "");
    ASSERT_EQ(1, Skin_Register(hwnd, 99));
    SetWindowPos(hwnd, nullptr, 0, 0, 420, 330, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(PumpUntil([&] { return HasRegion(hwnd); }));
    const Layout d = LayoutOf(hwnd);
    const RECT band = {d.minimize.left, d.caption.top, d.close.right, d.caption.bottom};
    EXPECT_EQ((band.right - band.left) * (band.bottom - band.top), Painted(hwnd)->CountColor(0x00D06665, band));
}

TEST_F(SkinTest, PaintingAndUnregisteringLeaveNoGdiObjectsOrWindowsBehind) {
    WindowBalance windows;
    HWND hwnd = CreateHostWindow(400, 300);
    // One round first, so objects the system makes once are not counted.
    Skin_Register(hwnd, 0);
    PumpUntil([&] { return HasRegion(hwnd); });
    Skin_Unregister(hwnd);
    PumpPending();
    GdiBalance unskinned;
    ASSERT_EQ(1, Skin_Register(hwnd, 1));
    ASSERT_TRUE(PumpUntil([&] { return HasRegion(hwnd); }));
    const Layout l = LayoutOf(hwnd);
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    GdiBalance skinned;
    for (int i = 0; i < 1000; ++i) {
        if (i % 100 == 0) Mouse(hwnd, i % 200 ? WM_MOUSEMOVE : WM_NCMOUSEMOVE, l.close);
        SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    }
    for (int i = 0; i < 20; ++i) Skin_ChangeSkin(hwnd, i % 5);
    PumpPending();
    EXPECT_EQ(0, skinned.Delta());
    EXPECT_EQ(1, Skin_Unregister(hwnd));
    PumpPending();
    EXPECT_EQ(0, unskinned.Delta());
    DestroyWindow(hwnd);
    EXPECT_EQ(0, windows.Delta());
}

// Registering takes the system menu and cuts the top corners, beside a shadow registered before
// or after; unregistering in either order gives everything back.
TEST_F(SkinTest, RegisteringBesideAShadowInEitherOrderAndUnregisteringGiveTheWindowBack) {
    for (int order = 0; order < 4; ++order) {
        const bool skinFirst = order & 1, skinLeavesFirst = order & 2;
        SCOPED_TRACE(order);
        HWND hwnd = CreateHostWindow(400, 300);
        const LONG_PTR own = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
        const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        for (bool skin : {skinFirst, !skinFirst})
            ASSERT_EQ(1, skin ? Skin_Register(hwnd, 0) : ShadowWin_Register(hwnd));
        EXPECT_EQ(style & ~WS_SYSMENU, GetWindowLongA(hwnd, GWL_STYLE));
        EXPECT_EQ(1, Skin_Register(hwnd, 2));  // the window keeps the skin it has
        EXPECT_EQ(1, SkinListSize());
        ASSERT_TRUE(PumpUntil([&] { return HasRegion(hwnd) && ShadowWinIsDrawn(hwnd); }));
        const Layout l = LayoutOf(hwnd);
        for (POINT p : {POINT{0, 0}, POINT{l.w - 1, 0}, POINT{2, 2}, POINT{l.w - 3, 2}, POINT{0, 5}})
            EXPECT_EQ(0, InRegion(hwnd, p.x, p.y)) << p.x << "," << p.y;
        for (POINT p : {POINT{10, 0}, POINT{l.w - 11, 0}, POINT{0, 10}, POINT{l.w - 1, 10}, POINT{l.w - 1, l.h - 1}})
            EXPECT_EQ(1, InRegion(hwnd, p.x, p.y)) << p.x << "," << p.y;
        // A click on a caption button is the skin's, whichever of the two is on top.
        MessageRecorder rec(hwnd, std::vector<UINT>{WM_CLOSE});
        SetHostHandler(hwnd, [](HWND, UINT msg, WPARAM, LPARAM, LRESULT* r) { return *r = 0, msg == WM_CLOSE; });
        Click(hwnd, l.close);
        EXPECT_EQ(1, rec.Count());

        EXPECT_EQ(1, skinLeavesFirst ? Skin_Unregister(hwnd) : ShadowWin_Unregister(hwnd));
        EXPECT_EQ(skinLeavesFirst ? 0 : 1, SkinListSize());
        EXPECT_EQ(skinLeavesFirst ? 1 : 0, ShadowWinListSize());
        EXPECT_EQ(1, skinLeavesFirst ? ShadowWin_Unregister(hwnd) : Skin_Unregister(hwnd));
        EXPECT_EQ(0, Skin_Unregister(hwnd));
        EXPECT_EQ(own, GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
        EXPECT_EQ(style, GetWindowLongA(hwnd, GWL_STYLE));
        EXPECT_FALSE(HasRegion(hwnd));
        DestroyWindow(hwnd);
        PumpPending();
    }
}

TEST_F(SkinTest, AHostMayDestroyOrUnskinItsWindowFromAnyMessageTheSkinHandles) {
    DestroyWindow(Skinned(0));  // one round first, for the objects the system makes once
    for (int unskin = 0; unskin < 2; ++unskin)
        for (UINT target : {WM_SIZE, WM_SYSCOMMAND, WM_NCACTIVATE, WM_NCPAINT, WM_SETTEXT}) {
            SCOPED_TRACE(testing::Message() << MessageName(target) << (unskin ? " unskin" : " destroy"));
            GdiBalance gdi;
            HWND hwnd = CreateHostWindow(400, 300);
            HMENU bar = CreateMenu();
            AppendMenuA(bar, MF_STRING, 100, "File");
            SetMenu(hwnd, bar);  // the system paints first, then the skin
            bool fired = false;
            SetHostHandler(hwnd, [&, hwnd](HWND, UINT msg, WPARAM, LPARAM, LRESULT*) {
                if (msg == target && !fired) {
                    fired = true;
                    unskin ? (void)Skin_Unregister(hwnd) : (void)DestroyWindow(hwnd);
                }
                return false;
            });
            ASSERT_EQ(1, Skin_Register(hwnd, 0));
            PumpPending();
            if (!fired) {  // without the skin a press on the caption would start a move
                Click(hwnd, LayoutOf(hwnd).maximize);
                SendMessageA(hwnd, WM_SETTEXT, 0, (LPARAM) "changed");
                SendMessageA(hwnd, WM_NCACTIVATE, 1, 0);
                RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
            }
            EXPECT_TRUE(fired);
            EXPECT_EQ(0, SkinListSize());
            EXPECT_EQ(0, WndProcChainWindowCount());
            EXPECT_TRUE(!IsWindow(hwnd) || (GetWindowLongA(hwnd, GWL_STYLE) & WS_SYSMENU));
            DestroyWindow(hwnd);
            PumpPending();
            EXPECT_EQ(0, gdi.Delta());
        }
}

TEST_F(SkinTest, BadHandlesAreRefused) {
    HWND unskinned = CreateHostWindow(100, 100);
    for (HWND h : {HWND(nullptr), HWND(UINT_PTR(0xDEAD0)), unskinned}) {
        EXPECT_EQ(0, Skin_ChangeSkin(h, 0));
        EXPECT_EQ(0, Skin_Unregister(h));
        Skin_ShowIcon(h, 1);
        Skin_SetTitleFont(h, ANSI_VAR_FONT);
        Skin_SetTitlePosition(h, 2);
        EXPECT_TRUE(h == unskinned || Skin_Register(h, 0) == 0);
    }
    EXPECT_EQ(0, SkinListSize());
    // Neither an index that is no font nor alignment flags beyond left, centre and right stop
    // the title from being drawn.
    HWND hwnd = Skinned(0);
    Skin_SetTitleFont(hwnd, WHITE_BRUSH);
    Skin_SetTitlePosition(hwnd, 0x400);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(Painted(hwnd)->CountColor(LoadScheme(0).text, LayoutOf(hwnd).caption), 20);
}
