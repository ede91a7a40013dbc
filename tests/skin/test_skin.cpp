// Skinned windows, read back from the screen: the frame, caption, corners and buttons of the
// resource library's schemes, the caption buttons driven by posted mouse input, and the window
// given back as it was.
#include "LumoTest.h"
#include "lumo.h"
#include "ClassicLook.h"
#include "skin/CSkin.h"
#include "frame/LumoRes.h"
#include "frame/WndProcChain.h"
#include "shadow/CShadowWin.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <vector>

using namespace lumotest;

namespace {

// The skin stands aside under themes: the library is to see them off from the start.
const bool g_classicLook = gallery::UseClassicLook();

struct Scheme {
    COLORREF caption = 0, text = 0, outline = 0;
    std::vector<COLORREF> top, bottom;
    const int* ids[5] = {};  // corners, close, restore, maximize, minimize
};

Scheme LoadScheme(int id) {
    Scheme s;
    const COLORREF *top = nullptr, *bottom = nullptr;
    GetSkin(id, &s.caption, &s.text, &s.outline, &top, &bottom, &s.ids[0], &s.ids[1], &s.ids[2], &s.ids[3],
            &s.ids[4]);
    for (; top && *top; ++top) s.top.push_back(*top);
    for (; bottom && *bottom; ++bottom) s.bottom.push_back(*bottom);
    return s;
}

// A bitmap of the resource library as colours, row after row.
std::vector<COLORREF> BitmapPixels(int id, int w, int h) {
    std::vector<COLORREF> px(size_t(w) * h, CLR_INVALID);
    HBITMAP bmp = Load1Bitmap(id);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<DWORD> bits(px.size());
    HDC dc = GetDC(nullptr);
    if (bmp && GetDIBits(dc, bmp, 0, h, bits.data(), &bi, DIB_RGB_COLORS) == h)
        for (size_t i = 0; i < px.size(); ++i)
            px[i] = RGB((bits[i] >> 16) & 0xFF, (bits[i] >> 8) & 0xFF, bits[i] & 0xFF);
    ReleaseDC(nullptr, dc);
    DeleteObject(bmp);
    return px;
}

// Where the skin lays out a window's caption and buttons, from the system metrics.
struct Layout {
    int w = 0, h = 0;
    RECT caption = {}, close = {}, maximize = {}, minimize = {};
};

Layout LayoutOf(HWND hwnd) {
    Layout l;
    RECT wr;
    GetWindowRect(hwnd, &wr);
    POINT client = {0, 0};
    ClientToScreen(hwnd, &client);
    l.w = wr.right - wr.left;
    l.h = wr.bottom - wr.top;
    const int cxFrame = GetSystemMetrics(SM_CXFRAME), cyFrame = GetSystemMetrics(SM_CYFRAME);
    const int cySize = GetSystemMetrics(SM_CYSIZE), cyMenu = GetSystemMetrics(SM_CYMENU);
    SetRect(&l.caption, cxFrame, cyFrame, l.w - cxFrame, client.y - wr.top - 1);
    if (GetMenu(hwnd) && l.caption.bottom - l.caption.top - cyMenu - 1 > cySize) l.caption.bottom -= cyMenu + 1;
    if (l.caption.bottom - l.caption.top > cySize + 2 * cyFrame) l.caption.bottom = l.caption.top + cySize;
    const int x = l.caption.right - 7, top = l.caption.top + 1;
    SetRect(&l.close, x - 20, top, x, top + 16);
    SetRect(&l.maximize, x - 40, top, x - 20, top + 16);
    SetRect(&l.minimize, x - 60, top, x - 40, top + 16);
    return l;
}

bool InRegion(HWND hwnd, int x, int y) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    bool in = GetWindowRgn(hwnd, rgn) != ERROR && PtInRegion(rgn, x, y);
    DeleteObject(rgn);
    return in;
}

bool HasRegion(HWND hwnd) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    bool has = GetWindowRgn(hwnd, rgn) != ERROR;
    DeleteObject(rgn);
    return has;
}

void RepaintFrame(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPending();
}

// Pixels of a screen capture inside rc that differ from an image laid there, counting only rows
// above skipBelow (rows the bottom lines cross).
template <class Capture>
int Differences(const Capture& cap, const RECT& rc, const std::vector<COLORREF>& image, int skipBelow) {
    int bad = 0, w = rc.right - rc.left;
    for (int y = rc.top; y < rc.bottom && y < skipBelow; ++y)
        for (int x = rc.left; x < rc.right; ++x) bad += cap.At(x, y) != image[size_t(y - rc.top) * w + (x - rc.left)];
    return bad;
}

// Bounding box of the pixels of one colour inside rc.
RECT BoxOf(const std::function<COLORREF(int, int)>& at, const RECT& rc, COLORREF c) {
    RECT box = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (at(x, y) == c) {
                box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

// A window as it is on the screen, in window coordinates, for a window that reaches past the
// screen's edges (a maximized one); the part off the screen stays black.
class OnScreen {
public:
    explicit OnScreen(HWND hwnd) {
        RECT wr, screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, shown;
        GetWindowRect(hwnd, &wr);
        IntersectRect(&shown, &wr, &screen);
        canvas_.reset(new MemoryCanvas(wr.right - wr.left, wr.bottom - wr.top, RGB(0, 0, 0)));
        HDC dc = GetDC(nullptr);
        BitBlt(canvas_->Dc(), shown.left - wr.left, shown.top - wr.top, shown.right - shown.left,
               shown.bottom - shown.top, dc, shown.left, shown.top, SRCCOPY);
        ReleaseDC(nullptr, dc);
    }
    COLORREF At(int x, int y) const { return canvas_->At(x, y); }

private:
    std::unique_ptr<MemoryCanvas> canvas_;
};

HICON SolidIcon(COLORREF c) {
    std::vector<BYTE> andMask(16 * 16 / 8, 0);
    std::vector<DWORD> colour(16 * 16, (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
    return CreateIcon(GetModuleHandleA(nullptr), 16, 16, 1, 32, andMask.data(), (const BYTE*)colour.data());
}

class SkinTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(g_classicLook);
        ASSERT_EQ(0, IsWinXPThemeOpened());
    }
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
        UpdateWindow(hwnd);
        EXPECT_EQ(1, Skin_Register(hwnd, skin));
        EXPECT_TRUE(PumpUntil([&] { return HasRegion(hwnd); }, 3000));
        PumpPending();
        return hwnd;
    }
};

}  // namespace

TEST_F(SkinTest, RegisteringTakesTheSystemMenuAndCutsTheTopCornersUnregisteringGivesThemBack) {
    const DWORD styles[] = {WS_OVERLAPPEDWINDOW, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                            WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX};
    for (DWORD style : styles) {
        SCOPED_TRACE(style);
        HWND hwnd = CreateHostWindow(400, 300, true, nullptr, style);
        const LONG before = GetWindowLongA(hwnd, GWL_STYLE);
        const LONG_PTR own = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
        ASSERT_EQ(1, Skin_Register(hwnd, 0));
        EXPECT_EQ(before & ~WS_SYSMENU, GetWindowLongA(hwnd, GWL_STYLE));
        // A second registration keeps the skin the window has.
        EXPECT_EQ(1, Skin_Register(hwnd, 2));
        EXPECT_EQ(1, SkinListSize());
        ASSERT_TRUE(PumpUntil([&] { return HasRegion(hwnd); }));

        RECT wr;
        GetWindowRect(hwnd, &wr);
        const int w = wr.right - wr.left, h = wr.bottom - wr.top;
        const POINT cut[] = {{0, 0}, {w - 1, 0}, {2, 2}, {w - 3, 2}, {0, 5}, {w - 1, 5}};
        const POINT kept[] = {{10, 0}, {w - 11, 0}, {0, 10}, {w - 1, 10}, {0, h - 1}, {w - 1, h - 1}, {w / 2, h / 2}};
        for (POINT p : cut) EXPECT_FALSE(InRegion(hwnd, p.x, p.y)) << p.x << "," << p.y;
        for (POINT p : kept) EXPECT_TRUE(InRegion(hwnd, p.x, p.y)) << p.x << "," << p.y;

        EXPECT_EQ(1, Skin_Unregister(hwnd));
        EXPECT_EQ(before, GetWindowLongA(hwnd, GWL_STYLE));
        EXPECT_FALSE(HasRegion(hwnd));
        EXPECT_EQ(own, GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
        EXPECT_EQ(0, SkinListSize());
        EXPECT_EQ(0, Skin_Unregister(hwnd));
        DestroyWindow(hwnd);
    }
}

TEST_F(SkinTest, FrameCaptionLinesCornersAndButtonsOnTheScreen) {
    for (int skin : {0, 1}) {
        SCOPED_TRACE(skin);
        HWND hwnd = Skinned(skin);
        const Scheme s = LoadScheme(skin);
        const Layout l = LayoutOf(hwnd);
        WindowCapture cap(hwnd, CaptureMode::ScreenWindow);
        ASSERT_TRUE(cap.Ok());

        struct Probe {
            int x, y;
            COLORREF want;
            const char* what;
        };
        const int mid = (l.caption.top + l.caption.bottom) / 2;
        std::vector<Probe> probes = {
            {2, l.h / 2, s.caption, "left border"},      {l.w - 3, l.h / 2, s.caption, "right border"},
            {l.w / 2, l.h - 2, s.caption, "bottom border"}, {0, l.h / 2, s.outline, "left outline"},
            {l.w - 1, l.h / 2, s.outline, "right outline"}, {l.w / 2, l.h - 1, s.outline, "bottom outline"},
            {l.caption.left + 3, mid, s.caption, "caption"}, {l.w / 2, l.caption.bottom + 1, RGB(255, 255, 255), "client"},
        };
        for (size_t i = 0; i < s.top.size(); ++i) probes.push_back({l.w / 2, int(i), s.top[i], "top line"});
        for (size_t i = 0; i < s.bottom.size(); ++i) {
            probes.push_back({l.caption.left + 3, l.caption.bottom - int(i), s.bottom[i], "bottom line"});
            probes.push_back({l.close.left + 3, l.caption.bottom - int(i), s.bottom[i], "bottom line at a button"});
        }
        for (const Probe& p : probes)
            EXPECT_EQ(p.want, cap.At(p.x, p.y)) << p.what << " at " << p.x << "," << p.y;

        // Corners, where the region lets them show.
        const std::vector<COLORREF> left = BitmapPixels(s.ids[0][0], 13, 13), right = BitmapPixels(s.ids[0][1], 13, 13);
        int badCorner = 0;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x) {
                if (InRegion(hwnd, x, y)) badCorner += cap.At(x, y) != left[y * 13 + x];
                if (InRegion(hwnd, l.w - 13 + x, y)) badCorner += cap.At(l.w - 13 + x, y) != right[y * 13 + x];
            }
        EXPECT_EQ(0, badCorner);

        // The three buttons at rest, above the rows the bottom lines cross.
        const int lines = l.caption.bottom - int(s.bottom.size()) + 1;
        EXPECT_EQ(0, Differences(cap, l.close, BitmapPixels(s.ids[1][0], 20, 16), lines));
        EXPECT_EQ(0, Differences(cap, l.maximize, BitmapPixels(s.ids[3][0], 20, 16), lines));
        EXPECT_EQ(0, Differences(cap, l.minimize, BitmapPixels(s.ids[4][0], 20, 16), lines));
        DestroyWindow(hwnd);
    }
}

TEST_F(SkinTest, ButtonsFollowTheStyleAndAMenuBarStaysTheSystems) {
    const Scheme s = LoadScheme(0);
    const std::vector<COLORREF> close = BitmapPixels(s.ids[1][0], 20, 16);
    const std::vector<COLORREF> minimize = BitmapPixels(s.ids[4][0], 20, 16);
    const int lines = 1 - int(s.bottom.size());

    // Without a maximize box the minimize button takes its place next to close.
    HWND hwnd = Skinned(0, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME);
    Layout l = LayoutOf(hwnd);
    WindowCapture cap(hwnd, CaptureMode::ScreenWindow);
    EXPECT_EQ(0, Differences(cap, l.close, close, l.caption.bottom + lines));
    EXPECT_EQ(0, Differences(cap, l.maximize, minimize, l.caption.bottom + lines));
    DestroyWindow(hwnd);

    // Without a system menu there are no buttons: plain caption where they would be.
    hwnd = Skinned(0, WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX);
    SetWindowTextA(hwnd, "");
    RepaintFrame(hwnd);
    l = LayoutOf(hwnd);
    WindowCapture plain(hwnd, CaptureMode::ScreenWindow);
    RECT buttons = {l.minimize.left, l.close.top, l.close.right, l.caption.bottom + lines};
    EXPECT_EQ((buttons.right - buttons.left) * (buttons.bottom - buttons.top), plain.CountColor(s.caption, buttons));
    DestroyWindow(hwnd);

    // A menu bar lies under the caption band, which keeps the height of a caption button.
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_STRING, 100, "File");
    hwnd = Skinned(0, 0, 0, bar);
    l = LayoutOf(hwnd);
    EXPECT_EQ(l.caption.top + GetSystemMetrics(SM_CYSIZE), l.caption.bottom);
    WindowCapture withMenu(hwnd, CaptureMode::ScreenWindow);
    for (size_t i = 0; i < s.bottom.size(); ++i)
        EXPECT_EQ(s.bottom[i], withMenu.At(l.caption.left + 3, l.caption.bottom - int(i)));
    POINT client = {0, 0};
    ClientToScreen(hwnd, &client);
    RECT wr;
    GetWindowRect(hwnd, &wr);
    const int menuRow = client.y - wr.top - GetSystemMetrics(SM_CYMENU) / 2;
    EXPECT_EQ(GetSysColor(COLOR_MENU), withMenu.At(l.w - 20, menuRow));
    DestroyWindow(hwnd);
}

TEST_F(SkinTest, ClientEdgeIsDrawnInTheSkinsColours) {
    HWND hwnd = Skinned(3, 0, WS_EX_CLIENTEDGE);
    const Scheme s = LoadScheme(3);
    const Layout l = LayoutOf(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    const int e = (l.w - client.right) / 2;
    const int bottom = l.h - GetSystemMetrics(SM_CYFRAME), right = l.w - GetSystemMetrics(SM_CXFRAME);
    const COLORREF edge = RGB((GetRValue(s.caption) + GetRValue(s.outline)) / 2,
                              (GetGValue(s.caption) + GetGValue(s.outline)) / 2,
                              (GetBValue(s.caption) + GetBValue(s.outline)) / 2);
    WindowCapture cap(hwnd, CaptureMode::ScreenWindow);
    EXPECT_EQ(edge, cap.At(e - 2, l.h / 2));
    EXPECT_EQ(s.outline, cap.At(e - 1, l.h / 2));
    EXPECT_EQ(RGB(255, 255, 255), cap.At(l.w / 2, bottom - 1));
    EXPECT_EQ(RGB(255, 255, 255), cap.At(right - 1, l.h / 2));
    EXPECT_EQ(0x00D0D0D4u, cap.At(l.w / 2, bottom - 2));
    EXPECT_EQ(0x00D0D0D4u, cap.At(right - 2, l.h / 2));
}

TEST_F(SkinTest, TitleSitsWhereDrawTextPutsItWithAndWithoutAnIcon) {
    HWND hwnd = Skinned(0);
    const Scheme s = LoadScheme(0);
    const char title[] = "Skinned title";
    SetWindowTextA(hwnd, title);
    HICON icon = SolidIcon(RGB(255, 0, 0));
    SendMessageA(hwnd, WM_SETICON, ICON_SMALL, (LPARAM)icon);
    const Layout l = LayoutOf(hwnd);
    const int iconX = GetSystemMetrics(SM_CXFRAME) + 9 + 8;
    const int iconY = GetSystemMetrics(SM_CYSIZE) / 2 + GetSystemMetrics(SM_CYFRAME) - 9 + 8;

    const struct {
        int icon, align;
    } cases[] = {{0, 1}, {1, 1}, {0, 0}, {1, 0}, {1, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "icon " << c.icon << " align " << c.align);
        Skin_ShowIcon(hwnd, c.icon);
        Skin_SetTitlePosition(hwnd, c.align);
        RepaintFrame(hwnd);
        WindowCapture cap(hwnd, CaptureMode::ScreenWindow);
        EXPECT_EQ(c.icon != 0, cap.At(iconX, iconY) == RGB(255, 0, 0)) << std::hex << cap.At(iconX, iconY);

        // The same text, font and rectangle drawn by DrawText on the caption colour.
        RECT rc = {l.caption.left + (c.icon ? 30 : 10), l.caption.top, l.minimize.left, l.caption.bottom - 1};
        MemoryCanvas ref(l.w, l.caption.bottom, s.caption);
        SetBkMode(ref.Dc(), TRANSPARENT);
        SetTextColor(ref.Dc(), s.text);
        SelectObject(ref.Dc(), GetStockObject(SYSTEM_FIXED_FONT));
        DrawTextA(ref.Dc(), title, -1, &rc, UINT(c.align) | DT_VCENTER | DT_SINGLELINE);
        RECT band = {l.caption.left + 10, l.caption.top, l.minimize.left, l.caption.bottom - 1};
        RECT want = BoxOf([&](int x, int y) { return ref.At(x, y); }, band, s.text);
        RECT got = BoxOf([&](int x, int y) { return cap.At(x, y); }, band, s.text);
        ASSERT_LT(want.left, want.right);
        EXPECT_TRUE(EqualRect(&want, &got)) << want.left << "," << want.top << " " << got.left << "," << got.top;
    }
    DestroyWindow(hwnd);
    DestroyIcon(icon);
}

TEST_F(SkinTest, ClassIconComesFromTheWindowsOwnModule) {
    HICON icon = SolidIcon(RGB(0, 0, 255));
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = icon;
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = "SkinTestIconClass";
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND hwnd = CreateWindowA(wc.lpszClassName, "Icon", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200, nullptr,
                              nullptr, wc.hInstance, nullptr);
    ASSERT_EQ(1, Skin_Register(hwnd, 0));
    ASSERT_TRUE(PumpUntil([&] { return HasRegion(hwnd); }));
    WindowCapture cap(hwnd, CaptureMode::ScreenWindow);
    EXPECT_EQ(RGB(0, 0, 255), cap.At(GetSystemMetrics(SM_CXFRAME) + 9 + 8,
                                     GetSystemMetrics(SM_CYSIZE) / 2 + GetSystemMetrics(SM_CYFRAME) - 1));
    DestroyWindow(hwnd);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
    DestroyIcon(icon);
}

TEST_F(SkinTest, CaptionButtonsFollowPostedMouseInput) {
    HWND hwnd = Skinned(0);
    const Scheme s = LoadScheme(0);
    MessageRecorder rec(hwnd, std::vector<UINT>{WM_CLOSE, WM_SYSCOMMAND});
    SetHostHandler(hwnd, [](HWND, UINT msg, WPARAM wp, LPARAM, LRESULT* r) {
        *r = 0;
        return msg == WM_CLOSE || (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_MINIMIZE);
    });
    // The skin reads the cursor: each message is handled before the cursor moves on.
    std::vector<RecordedMsg> want;
    auto post = [&](UINT msg, const RECT& r, WPARAM hit = HTCAPTION) {
        RECT wr;
        GetWindowRect(hwnd, &wr);
        POINT p = {wr.left + (r.left + r.right) / 2, wr.top + (r.top + r.bottom) / 2};
        SetCursorPos(p.x, p.y);
        PostMessageA(hwnd, msg, hit, MAKELPARAM(p.x, p.y));
        PumpPending();
        return MAKELPARAM(p.x, p.y);
    };
    auto click = [&](const RECT& r) {
        post(WM_NCLBUTTONDOWN, r);
        return post(WM_NCLBUTTONUP, r);
    };
    Layout l = LayoutOf(hwnd);
    const RECT plain = {l.caption.left + 2, l.caption.top + 2, l.caption.left + 4, l.caption.top + 4};
    const int lines = l.caption.bottom + 1 - int(s.bottom.size());

    // Hover, press and leaving: hot, pressed, then the normal image with the lines across it.
    post(WM_NCMOUSEMOVE, l.close);
    EXPECT_EQ(CSkin::StateCloseHot, SkinButtonState(hwnd));
    EXPECT_EQ(0, Differences(WindowCapture(hwnd, CaptureMode::ScreenWindow), l.close, BitmapPixels(s.ids[1][1], 20, 16), 99));
    post(WM_NCLBUTTONDOWN, l.close);
    EXPECT_EQ(CSkin::StateClosePressed, SkinButtonState(hwnd));
    EXPECT_EQ(0, Differences(WindowCapture(hwnd, CaptureMode::ScreenWindow), l.close, BitmapPixels(s.ids[1][2], 20, 16), 99));
    post(WM_NCMOUSEMOVE, plain);
    post(WM_NCLBUTTONUP, plain);
    EXPECT_EQ(0, SkinButtonState(hwnd));
    EXPECT_EQ(0, rec.Count());
    WindowCapture rest(hwnd, CaptureMode::ScreenWindow);
    EXPECT_EQ(0, Differences(rest, l.close, BitmapPixels(s.ids[1][0], 20, 16), lines));
    EXPECT_EQ(s.bottom[0], rest.At(l.close.left + 3, l.caption.bottom));
    // A move in the client area ends a hot state.
    post(WM_NCMOUSEMOVE, l.minimize);
    EXPECT_EQ(CSkin::StateMinimizeHot, SkinButtonState(hwnd));
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(0, SkinButtonState(hwnd));
    // A press that the host's hit test puts on a button, away from the skin's, is not the system's.
    post(WM_NCLBUTTONDOWN, plain, HTCLOSE);
    post(WM_NCLBUTTONUP, plain, HTCLOSE);

    click(l.close);
    want.push_back(RecordedMsg(WM_CLOSE, 0, 0));
    LPARAM at = click(l.minimize);
    want.push_back(RecordedMsg(WM_SYSCOMMAND, SC_MINIMIZE, at));
    at = click(l.maximize);
    want.push_back(RecordedMsg(WM_SYSCOMMAND, SC_MAXIMIZE, at));
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(hwnd) && InRegion(hwnd, 0, 0); }));
    // Maximized: square corners and the restore image.
    l = LayoutOf(hwnd);
    RECT wr;
    GetWindowRect(hwnd, &wr);
    EXPECT_TRUE(InRegion(hwnd, wr.right - wr.left - 1, 0));
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(0, Differences(OnScreen(hwnd), l.maximize, BitmapPixels(s.ids[2][0], 20, 16),
                             l.caption.bottom + 1 - int(s.bottom.size())));
    at = click(l.maximize);
    want.push_back(RecordedMsg(WM_SYSCOMMAND, SC_RESTORE, at));
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(hwnd) && HasRegion(hwnd) && !InRegion(hwnd, 0, 0); }));
    EXPECT_TRUE(SequenceIs(rec.Messages(), want));
}

TEST_F(SkinTest, SkinAndShadowShareAWindowInEitherOrder) {
    for (int order = 0; order < 4; ++order) {
        const bool skinFirst = order & 1, skinLeavesFirst = order & 2;
        SCOPED_TRACE(testing::Message() << (skinFirst ? "skin" : "shadow") << " first, "
                                        << (skinLeavesFirst ? "skin" : "shadow") << " leaves first");
        HWND hwnd = CreateHostWindow(400, 300);
        const LONG_PTR own = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
        const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        if (skinFirst) ASSERT_EQ(1, Skin_Register(hwnd, 0));
        ASSERT_EQ(1, ShadowWin_Register(hwnd));
        if (!skinFirst) ASSERT_EQ(1, Skin_Register(hwnd, 0));
        ASSERT_TRUE(PumpUntil([&] { return HasRegion(hwnd) && ShadowWinIsDrawn(hwnd); }));

        // A click on a caption button is the skin's, whichever of the two is on top.
        MessageRecorder rec(hwnd, std::vector<UINT>{WM_CLOSE});
        SetHostHandler(hwnd, [](HWND, UINT msg, WPARAM, LPARAM, LRESULT* r) { return *r = 0, msg == WM_CLOSE; });
        const Layout l = LayoutOf(hwnd);
        RECT wr;
        GetWindowRect(hwnd, &wr);
        SetCursorPos(wr.left + l.close.left + 5, wr.top + l.close.top + 5);
        SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        SendMessageA(hwnd, WM_NCLBUTTONUP, HTCAPTION, 0);
        PumpPending();
        EXPECT_EQ(1, rec.Count(WM_CLOSE));

        if (skinLeavesFirst) {
            EXPECT_EQ(1, Skin_Unregister(hwnd));
            EXPECT_EQ(style, GetWindowLongA(hwnd, GWL_STYLE));
            EXPECT_EQ(1, ShadowWinListSize());
            EXPECT_EQ(1, ShadowWin_Unregister(hwnd));
        } else {
            EXPECT_EQ(1, ShadowWin_Unregister(hwnd));
            EXPECT_TRUE(HasRegion(hwnd));
            EXPECT_EQ(1, SkinListSize());
            EXPECT_EQ(1, Skin_Unregister(hwnd));
        }
        EXPECT_EQ(own, GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
        EXPECT_EQ(style, GetWindowLongA(hwnd, GWL_STYLE));
        EXPECT_FALSE(HasRegion(hwnd));
        EXPECT_EQ(0, WndProcChainWindowCount());
        DestroyWindow(hwnd);
        PumpPending();
    }
}

TEST_F(SkinTest, HitTestsSeeTheCursorAndTheSkinsButtonsAreCaption) {
    HWND hwnd = Skinned(0);
    LRESULT answer = 0;
    LPARAM seen = 0;
    SetHostHandler(hwnd, [&](HWND, UINT msg, WPARAM, LPARAM lp, LRESULT* r) {
        if (msg != WM_NCHITTEST) return false;
        seen = lp;
        *r = answer;
        return true;
    });
    SetCursorPos(123, 77);
    const struct {
        LRESULT host, skinned;
    } cases[] = {{HTCLOSE, HTCAPTION}, {HTMAXBUTTON, HTCAPTION}, {HTMINBUTTON, HTCAPTION},
                 {HTCLIENT, HTCLIENT},  {HTSYSMENU, HTSYSMENU},   {HTLEFT, HTLEFT}};
    for (const auto& c : cases) {
        answer = c.host;
        EXPECT_EQ(c.skinned, SendMessageA(hwnd, WM_NCHITTEST, 0, 0)) << c.host;
        EXPECT_EQ(MAKELPARAM(123, 77), seen);
    }
}

TEST_F(SkinTest, AltSpaceAndARightClickOnTheCaptionOpenTheSystemMenu) {
    HWND hwnd = Skinned(0);
    RECT wr;
    GetWindowRect(hwnd, &wr);
    const struct {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
    } cases[] = {{WM_SYSCHAR, VK_SPACE, LPARAM(KF_ALTDOWN) << 16},
                 {WM_CONTEXTMENU, (WPARAM)hwnd, MAKELPARAM(wr.left + 100, wr.top + 10)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(MessageName(c.msg));
        MessageRecorder rec(hwnd, std::vector<UINT>{WM_INITMENUPOPUP});
        ModalDriver driver;
        bool shown = false;
        driver.After(30, [&] {
            shown = IsWindowVisible(FindWindowA("#32768", nullptr)) != 0;
            EndMenu();
        });
        SendMessageA(hwnd, c.msg, c.wp, c.lp);
        PumpPending();
        EXPECT_TRUE(shown);
        ASSERT_EQ(1, rec.Count());
        EXPECT_EQ((WPARAM)GetSystemMenu(hwnd, FALSE), rec.Messages()[0].wParam) << "not the system menu";
        EXPECT_EQ(0, GetWindowLongA(hwnd, GWL_STYLE) & WS_SYSMENU);
    }
}

TEST_F(SkinTest, HiddenOrMinimizedWindowsAreNotPaintedAndAnUnknownSkinKeepsTheLook) {
    HWND hwnd = Skinned(0);
    // Painting reads the title; a window that is not painted is not asked for it.
    MessageRecorder rec(hwnd, std::vector<UINT>{WM_GETTEXT});
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    EXPECT_EQ(1, rec.Count());
    for (int show : {SW_HIDE, SW_SHOWMINNOACTIVE}) {
        ShowWindow(hwnd, show);
        PumpPending();
        rec.Clear();
        SendMessageA(hwnd, WM_NCPAINT, 1, 0);
        EXPECT_EQ(0, rec.Count()) << show;
    }
    ShowWindow(hwnd, SW_RESTORE);
    PumpUntil([&] { return HasRegion(hwnd); });
    RepaintFrame(hwnd);

    WindowCapture before(hwnd, CaptureMode::ScreenWindow);
    EXPECT_EQ(0, Skin_ChangeSkin(hwnd, 99));
    EXPECT_EQ(0, Skin_ChangeSkin(hwnd, -1));
    RepaintFrame(hwnd);
    EXPECT_TRUE(before.Pixels() == WindowCapture(hwnd, CaptureMode::ScreenWindow).Pixels());
    EXPECT_EQ(1, Skin_ChangeSkin(hwnd, 2));
    PumpPending();
    const Layout l = LayoutOf(hwnd);
    EXPECT_EQ(LoadScheme(2).caption, WindowCapture(hwnd, CaptureMode::ScreenWindow).At(2, l.h / 2));
    DestroyWindow(hwnd);

    // Registered with an unknown skin: the default colours and no buttons.
    hwnd = CreateHostWindow(400, 300);
    SetWindowTextA(hwnd, "");
    ASSERT_EQ(1, Skin_Register(hwnd, 99));
    SetWindowPos(hwnd, nullptr, 0, 0, 420, 330, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(PumpUntil([&] { return HasRegion(hwnd); }));
    RepaintFrame(hwnd);
    const Layout d = LayoutOf(hwnd);
    WindowCapture plain(hwnd, CaptureMode::ScreenWindow);
    RECT band = {d.minimize.left, d.caption.top, d.close.right, d.caption.bottom};
    EXPECT_EQ((band.right - band.left) * (band.bottom - band.top), plain.CountColor(0x00D06665, band));
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
    Skin_ShowIcon(hwnd, 1);
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    GdiBalance skinned;
    const Layout l = LayoutOf(hwnd);
    RECT wr;
    GetWindowRect(hwnd, &wr);
    for (int i = 0; i < 1000; ++i) {
        SendMessageA(hwnd, WM_NCPAINT, 1, 0);
        if (i % 100 == 0) {
            SetCursorPos(wr.left + l.close.left + 5, wr.top + l.close.top + 5);
            SendMessageA(hwnd, WM_NCMOUSEMOVE, HTCAPTION, 0);
            SendMessageA(hwnd, WM_MOUSEMOVE, 0, 0);
        }
    }
    EXPECT_EQ(0, skinned.Delta());
    for (int i = 0; i < 20; ++i) Skin_ChangeSkin(hwnd, i % 5);
    PumpPending();
    EXPECT_EQ(0, skinned.Delta());
    EXPECT_EQ(1, Skin_Unregister(hwnd));
    PumpPending();
    EXPECT_EQ(0, unskinned.Delta());
    DestroyWindow(hwnd);
    EXPECT_EQ(0, windows.Delta());
}

TEST_F(SkinTest, AHostMayDestroyOrUnskinItsWindowFromAnyMessageTheSkinHandles) {
    const struct {
        UINT msg;
        bool unskin;  // the host removes the skin instead of destroying the window
    } cases[] = {{WM_SIZE, false}, {WM_SYSCOMMAND, false}, {WM_NCACTIVATE, false}, {WM_NCPAINT, false},
                 {WM_SIZE, true},  {WM_SETTEXT, true},     {WM_NCPAINT, true},    {WM_SYSCOMMAND, true}};
    {
        // Warm the one-time objects.
        HWND warm = Skinned(0);
        DestroyWindow(warm);
        PumpPending();
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << MessageName(c.msg) << (c.unskin ? " unskin" : " destroy"));
        GdiBalance gdi;
        HMENU bar = CreateMenu();
        AppendMenuA(bar, MF_STRING, 100, "File");
        HWND hwnd = CreateHostWindow(400, 300);
        if (c.msg == WM_NCPAINT) SetMenu(hwnd, bar);  // the system paints first, then the skin
        bool fired = false;
        SetHostHandler(hwnd, [&, hwnd](HWND, UINT msg, WPARAM, LPARAM, LRESULT*) {
            if (msg == c.msg && !fired) {
                fired = true;
                if (c.unskin)
                    Skin_Unregister(hwnd);
                else
                    DestroyWindow(hwnd);
            }
            return false;
        });
        ASSERT_EQ(1, Skin_Register(hwnd, 0));
        PumpPending();
        if (!fired && IsWindow(hwnd)) {
            const Layout l = LayoutOf(hwnd);
            RECT wr;
            GetWindowRect(hwnd, &wr);
            SetCursorPos(wr.left + l.maximize.left + 5, wr.top + l.maximize.top + 5);
            SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
            SendMessageA(hwnd, WM_NCLBUTTONUP, HTCAPTION, 0);
            SendMessageA(hwnd, WM_SETTEXT, 0, (LPARAM) "changed");
            SendMessageA(hwnd, WM_NCACTIVATE, 1, 0);
            RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
            PumpPending();
        }
        EXPECT_TRUE(fired);
        EXPECT_EQ(0, SkinListSize());
        EXPECT_EQ(0, WndProcChainWindowCount());
        if (IsWindow(hwnd)) {
            EXPECT_NE(0, GetWindowLongA(hwnd, GWL_STYLE) & WS_SYSMENU);
            DestroyWindow(hwnd);
        }
        if (!GetMenu(hwnd)) DestroyMenu(bar);
        PumpPending();
        EXPECT_EQ(0, gdi.Delta());
    }
}

TEST_F(SkinTest, BadHandlesAreRefused) {
    HWND garbage = (HWND)(UINT_PTR)0xDEAD0;
    HWND unskinned = CreateHostWindow(100, 100);
    for (HWND h : {HWND(nullptr), garbage, unskinned}) {
        EXPECT_EQ(0, Skin_ChangeSkin(h, 0));
        EXPECT_EQ(0, Skin_Unregister(h));
        Skin_ShowIcon(h, 1);
        Skin_SetTitleFont(h, ANSI_VAR_FONT);
        Skin_SetTitlePosition(h, 2);
    }
    EXPECT_EQ(0, Skin_Register(nullptr, 0));
    EXPECT_EQ(0, Skin_Register(garbage, 0));
    EXPECT_EQ(0, SkinListSize());
    // A title font index that is no font keeps the device context's font.
    HWND hwnd = Skinned(0);
    Skin_SetTitleFont(hwnd, WHITE_BRUSH);
    Skin_SetTitlePosition(hwnd, 0x400);
    RepaintFrame(hwnd);
    EXPECT_GT(WindowCapture(hwnd, CaptureMode::ScreenWindow).CountColor(LoadScheme(0).text), 20);
}
