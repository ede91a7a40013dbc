// Window shadows on the screen: the darkened bands are read back from the display over a
// background window painted with a known pattern, and must go back byte for byte.
#include "LumoTest.h"
#include "lumo.h"
#include "shadow/CShadowWin.h"
#include "frame/CHookParent.h"
#include "frame/WndProcChain.h"

#include <sstream>
#include <vector>

using namespace lumotest;

namespace {

// The background: no two neighbouring pixels alike, so a band restored one pixel off shows.
COLORREF Pattern(int x, int y) {
    return RGB((x * 3 + y) & 0xFF, (y * 5 + x / 3) & 0xFF, (x ^ (y * 7)) & 0xFF);
}

COLORREF Darken(COLORREF c, int f) {
    return RGB(GetRValue(c) * f / 255, GetGValue(c) * f / 255, GetBValue(c) * f / 255);
}

const int kBgWidth = 1000, kBgHeight = 900;

LRESULT CALLBACK BackgroundProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) return 1;
    if (msg != WM_PAINT) return DefWindowProcA(hwnd, msg, wp, lp);
    static std::vector<DWORD> px;  // the whole pattern as 0x00RRGGBB, made once
    for (int y = 0; px.size() < size_t(kBgWidth) * kBgHeight; ++y)
        for (int x = 0; x < kBgWidth; ++x) {
            const COLORREF c = Pattern(x, y);
            px.push_back(RGB(GetBValue(c), GetGValue(c), GetRValue(c)));
        }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), kBgWidth, -kBgHeight, 1, 32}};
    SetDIBitsToDevice(dc, 0, 0, kBgWidth, kBgHeight, 0, 0, 0, kBgHeight, px.data(), &bi,
                      DIB_RGB_COLORS);
    EndPaint(hwnd, &ps);
    return 0;
}

// The darkening factor of a screen pixel for a shadow of window rectangle w (255: untouched).
int Factor(const RECT& w, bool rounded, int x, int y) {
    static const int band[4] = {140, 170, 212, 240};
    static const int corner[7] = {170, 205, 220, 240, 240, 250, 255};
    static const int top[8][3] = {{240, 255, 255}, {220, 240, 255}, {220, 240, 255},
                                  {170, 220, 240}, {170, 220, 240}, {140, 190, 240},
                                  {140, 190, 220}, {140, 170, 212}};
    const int L = w.left, T = w.top + 5, R = w.right + 4, B = w.bottom + 4;
    if (y >= B - 4 && y < B && x >= L + 6 && x <= R - 5) return band[y - (B - 4)];
    if (x >= R - 4 && x < R && y >= (rounded ? T + 15 : T + 6) && y <= B - 5)
        return band[x - (R - 4)];
    if (x >= R - 4 && x < R && y >= B - 4 && y < B) return corner[(x - (R - 4)) + (y - (B - 4))];
    if (x >= L + 2 && x <= L + 5 && y >= B - 4 && y < B)
        return corner[(L + 5 - x) + (y - (B - 4))];
    if (!rounded && x >= R - 4 && x < R && y >= T + 2 && y <= T + 5)
        return corner[(x - (R - 4)) + (T + 5 - y)];
    if (rounded && x >= R - 4 && x <= R - 2 && y >= T + 7 && y <= T + 14)
        return top[y - (T + 7)][x - (R - 4)];
    return 255;
}

RECT WindowRect(HWND hwnd) { RECT rc; GetWindowRect(hwnd, &rc); return rc; }

// Every screen pixel of area outside the window rectangle skip is the background, darkened
// where a shadow of shadowOf is expected (none when shadowOf is null).
::testing::AssertionResult ScreenIs(RECT area, const RECT& skip, const RECT* shadowOf) {
    MemoryCanvas grab(area.right - area.left, area.bottom - area.top);
    HDC screen = GetDC(nullptr);
    BitBlt(grab.Dc(), 0, 0, grab.Width(), grab.Height(), screen, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    bool rounded = IsWinXP() != 0;
    int bad = 0;
    std::ostringstream first;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            if (PtInRect(&skip, POINT{x, y})) continue;
            int f = shadowOf ? Factor(*shadowOf, rounded, x, y) : 255;
            COLORREF want = Darken(Pattern(x, y), f);
            COLORREF got = grab.At(x - area.left, y - area.top);
            if (got != want && bad++ == 0)
                first << "at (" << x << "," << y << ") factor " << f << ": want " << std::hex
                      << want << " got " << got << std::dec;
        }
    if (bad == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << bad << " pixels differ, first " << first.str();
}

// Pumps until the background has repainted the middle of the uncovered rectangle (exposure
// reaches it later than the call that uncovered it), then compares the whole area.
::testing::AssertionResult RepaintedBackground(RECT area, const RECT& uncovered) {
    const LONG x = (uncovered.left + uncovered.right) / 2, y = (uncovered.top + uncovered.bottom) / 2;
    PumpUntil([&] { return bool(ScreenIs({x, y, x + 1, y + 1}, RECT{}, nullptr)); }, 3000);
    return ScreenIs(area, RECT{}, nullptr);
}

RECT Around(RECT rc) { InflateRect(&rc, 10, 10); return rc; }

class ShadowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA wc = {0, BackgroundProc, 0, 0, GetModuleHandleA(nullptr)};
        wc.lpszClassName = "ShadowTestBackground";
        RegisterClassA(&wc);
        s_background = CreateWindowExA(WS_EX_NOACTIVATE, "ShadowTestBackground", "", WS_POPUP,
                                       0, 0, kBgWidth, kBgHeight, nullptr, nullptr, nullptr,
                                       nullptr);
        ShowWindow(s_background, SW_SHOWNOACTIVATE);
        UpdateWindow(s_background);
    }
    static void TearDownTestSuite() { DestroyWindow(s_background); }

    void SetUp() override {
        ASSERT_TRUE(IsWindowVisible(s_background));
        ASSERT_EQ(0, ShadowWinListSize());
    }
    void TearDown() override {
        DestroyAllHostWindows();
        PumpPending();
        EXPECT_EQ(0, ShadowWinListSize());
        EXPECT_EQ(0u, ShadowWinTimerId());
        EXPECT_EQ(0, WndProcChainWindowCount());
    }

    // An active top-level host with the given window rectangle.
    static HWND Host(int x, int y, int w, int h, bool activate = true) {
        HWND hwnd = CreateHostWindow(100, 100, false);
        SetWindowPos(hwnd, HWND_TOP, x, y, w, h, SWP_NOACTIVATE);
        ShowWindow(hwnd, activate ? SW_SHOW : SW_SHOWNOACTIVATE);
        UpdateWindow(hwnd);
        PumpPending();
        return hwnd;
    }

    static bool WaitDrawn(HWND hwnd) {
        bool ok = PumpUntil([&] { return ShadowWinIsDrawn(hwnd) != 0; }, 3000);
        PumpPending();
        return ok;
    }
    // Waits for the shared timer's tick (it kills itself), whatever it decided.
    static bool WaitTick() { return PumpUntil([] { return ShadowWinTimerId() == 0; }, 3000); }

    static HWND s_background;
};

HWND ShadowTest::s_background = nullptr;

struct SizeListener : CObject {} g_listener;
int g_sizes = 0;
LRESULT CALLBACK ListenerProc(HWND, UINT, WPARAM, LPARAM) {
    ++g_sizes;
    return 0;
}

}  // namespace

TEST_F(ShadowTest, DrawnOnTheTickRemovedWhileDisabledHiddenOrMovedAndDrawnAgain) {
    HWND host = Host(220, 160, 260, 180);
    RECT w = WindowRect(host);
    ASSERT_TRUE(ScreenIs(Around(w), w, nullptr)) << "the background is not on the screen";
    ASSERT_EQ(1, ShadowWin_Register(host));
    EXPECT_EQ(0, ShadowWinIsDrawn(host));  // nothing until the first tick
    ASSERT_TRUE(WaitDrawn(host));
    EXPECT_EQ(0u, ShadowWinTimerId());
    // Bands and corners darkened by their factors.
    ASSERT_TRUE(ScreenIs(Around(w), w, &w));

    // Disabled: gone at once; enabled: back at once.
    ShadowWin_Enable(host, 0);
    EXPECT_EQ(0, ShadowWinIsDrawn(host));
    EXPECT_TRUE(ScreenIs(Around(w), w, nullptr));
    ShadowWin_Enable(host, 1);
    EXPECT_EQ(1, ShadowWinIsDrawn(host));
    EXPECT_TRUE(ScreenIs(Around(w), w, &w));

    // Hidden: gone before anything else is painted; shown: back after the timer.
    ShowWindow(host, SW_HIDE);
    EXPECT_EQ(0, ShadowWinIsDrawn(host));
    EXPECT_TRUE(ScreenIs(Around(w), w, nullptr));
    EXPECT_TRUE(RepaintedBackground(Around(w), w));
    ShowWindow(host, SW_SHOW);
    ASSERT_TRUE(WaitDrawn(host));
    EXPECT_TRUE(ScreenIs(Around(w), w, &w));

    // A press on the caption starts a move: the shadow goes. The host swallows the press so
    // that no real move loop starts; the move is then made by hand and ended.
    SetHostHandler(host, [](HWND, UINT m, WPARAM, LPARAM, LRESULT* r) { return *r = 0, m == WM_NCLBUTTONDOWN; });
    POINT onCaption = {(w.left + w.right) / 2, w.top + GetSystemMetrics(SM_CYFRAME) + 5};
    SetCursorPos(onCaption.x, onCaption.y);
    POINT at;  // where the shadow will look for the press
    GetCursorPos(&at);
    ASSERT_EQ(HTCAPTION, SendMessageA(host, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)));
    SendMessageA(host, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(0, ShadowWinIsDrawn(host));
    EXPECT_TRUE(ScreenIs(Around(w), w, nullptr));

    SetWindowPos(host, nullptr, w.left + 40, w.top + 30, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(host, WM_EXITSIZEMOVE, 0, 0);
    ASSERT_TRUE(WaitDrawn(host));
    RECT moved = WindowRect(host), both;
    UnionRect(&both, &w, &moved);
    EXPECT_TRUE(ScreenIs(Around(both), moved, &moved));

    // Destroyed: the screen is the background again.
    DestroyWindow(host);
    EXPECT_EQ(0, ShadowWinListSize());
    EXPECT_TRUE(RepaintedBackground(Around(both), moved));
}

TEST_F(ShadowTest, NoShadowPastTheWorkAreaOrAtANegativeCoordinate) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    // The shadow would end 1 pixel past the right edge of the work area.
    HWND right = Host(work.right - 200 - 4, 100, 200, 150);
    RECT w = WindowRect(right);
    ASSERT_EQ(1, ShadowWin_Register(right));
    ASSERT_TRUE(WaitTick());
    PumpPending();
    EXPECT_EQ(0, ShadowWinIsDrawn(right));
    // One pixel further in it fits: still registered, it is drawn once enabled again.
    SetWindowPos(right, nullptr, w.left - 1, w.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpPending();
    ShadowWin_Enable(right, 1);
    EXPECT_EQ(1, ShadowWinIsDrawn(right));

    HWND negative = Host(-3, 200, 200, 150);
    ASSERT_EQ(1, ShadowWin_Register(negative));
    ASSERT_TRUE(WaitTick());
    PumpPending();
    ShadowWin_Enable(negative, 1);
    EXPECT_EQ(0, ShadowWinIsDrawn(negative));
    RECT n = WindowRect(negative);
    RECT visible = Around(n);
    visible.left = 0;
    EXPECT_TRUE(ScreenIs(visible, n, nullptr));
}

TEST_F(ShadowTest, TwoWindowsShareOneTimer) {
    HWND a = Host(100, 100, 200, 150);
    HWND b = Host(400, 100, 200, 150, false);
    ASSERT_EQ(1, ShadowWin_Register(a));
    ASSERT_EQ(1, ShadowWin_Register(b));
    EXPECT_EQ(2, ShadowWinListSize());
    EXPECT_NE(0u, ShadowWinTimerId());

    // The first leaves before the tick: the timer stays for the second.
    EXPECT_EQ(1, ShadowWin_Unregister(a));
    EXPECT_NE(0u, ShadowWinTimerId());
    ASSERT_TRUE(WaitDrawn(b));

    // Registered again, the first comes back on the next tick; the second stays drawn.
    ASSERT_EQ(1, ShadowWin_Register(a));
    ASSERT_TRUE(WaitDrawn(a));
    EXPECT_EQ(1, ShadowWinIsDrawn(b));
    const RECT wa = WindowRect(a), wb = WindowRect(b);
    for (const RECT& w : {wa, wb}) EXPECT_TRUE(ScreenIs(Around(w), w, &w));

    // Several registrations of one window keep one shadow.
    EXPECT_EQ(1, ShadowWin_Register(a));
    EXPECT_EQ(2, ShadowWinListSize());

    EXPECT_EQ(1, ShadowWin_Unregister(b));
    EXPECT_EQ(1, ShadowWin_Unregister(a));
    EXPECT_EQ(0u, ShadowWinTimerId());
    for (const RECT& w : {wa, wb}) EXPECT_TRUE(ScreenIs(Around(w), w, nullptr));
}

TEST_F(ShadowTest, HostDestroyedWhileHookedAndShadowed) {
    for (int hookFirst = 0; hookFirst < 2; ++hookFirst) {
        SCOPED_TRACE(hookFirst ? "hooked, then shadowed" : "shadowed, then hooked");
        // Counted on a second round, so objects made once per process are not counted.
        const Leaks left = LeaksOf([&] {
            HWND host = Host(200, 150, 300, 200);
            RECT w = WindowRect(host);
            for (int step = 0; step < 2; ++step) {
                if (step == hookFirst)
                    EXPECT_EQ(1, ShadowWin_Register(host));
                else
                    EXPECT_NE(0, CHookParentMessage::HookParent(host, &g_listener, ListenerProc));
            }
            CHookParentMessage::SubscribeMessage(host, WM_SIZE);
            ASSERT_TRUE(WaitDrawn(host));
            g_sizes = 0;
            SendMessageA(host, WM_SIZE, 0, MAKELPARAM(10, 10));
            EXPECT_EQ(1, g_sizes);
            ASSERT_TRUE(ScreenIs(Around(w), w, &w));

            EXPECT_TRUE(DestroyWindow(host));
            EXPECT_EQ(0, ShadowWinListSize());
            EXPECT_EQ(0, HookParentProbe::HookedCount());
            EXPECT_EQ(0, WndProcChainWindowCount());
            EXPECT_EQ(0u, ShadowWinTimerId());
            EXPECT_TRUE(RepaintedBackground(Around(w), w));
            // Late calls for the dead window do nothing, nor calls for no window at all.
            for (HWND bad : {host, (HWND)nullptr, (HWND)(UINT_PTR)0xDEAD0}) {
                EXPECT_EQ(0, ShadowWin_Unregister(bad));
                ShadowWin_Enable(bad, 1);
                EXPECT_EQ(0, ShadowWin_Register(bad));
            }
            CHookParentMessage::UnhookParent(host, &g_listener);
        });
        EXPECT_EQ(0, left.gdi);
    }
}
