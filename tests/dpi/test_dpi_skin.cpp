// The caption skin at 96 and at 144 DPI, and through DPI changes. The skin stands aside under
// visual themes: this program has the library see them off from its start.
#include "DpiTest.h"
#include "ClassicLook.h"
#include "lumo.h"
#include "skin/CSkin.h"

using namespace lumotest;
using namespace dpitest;

namespace {

const bool g_classicLook = gallery::UseClassicLook();

// The first column inside the window's region on a row: how far its rounded corner reaches.
int RegionStart(HWND hwnd, int y) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    int x = -1;
    if (GetWindowRgn(hwnd, rgn) != ERROR)
        for (x = 0; x < 200 && !PtInRegion(rgn, x, y); x++) {
        }
    DeleteObject(rgn);
    return x;
}

int CloseButtonWidth(HWND hwnd) {
    CSkin* skin = CSkin::Find(hwnd);
    if (!skin)
        return 0;
    skin->PaintNonClient();  // lays the caption out
    return skin->m_closeRect.right - skin->m_closeRect.left;
}

// The rows of the caption holding the title's colour, read from the screen: how tall its text
// stands. The window is given a title whose letters reach from the top of a cell to below it.
int TitleInkRows(HWND hwnd) {
    CSkin* skin = CSkin::Find(hwnd);
    if (!skin)
        return -1;
    RECT rc;
    GetWindowRect(hwnd, &rc);
    const int w = rc.right - rc.left, h = skin->m_captionRect.bottom;
    MemoryCanvas canvas(w, h);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.Dc(), 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    int top = -1, bottom = -1;
    for (int y = 0; y < h; y++)
        if (canvas.CountColor(skin->m_crTitleText, {0, y, w, y + 1}) > 0) {
            if (top < 0) top = y;
            bottom = y;
        }
    return top < 0 ? 0 : bottom - top + 1;
}

}  // namespace

namespace {

struct FrameMetrics {
    int cxFrame, cyFrame, cySize;
    bool operator==(const FrameMetrics& o) const {
        return cxFrame == o.cxFrame && cyFrame == o.cyFrame && cySize == o.cySize;
    }
};

std::ostream& operator<<(std::ostream& os, const FrameMetrics& m) {
    return os << m.cxFrame << "," << m.cyFrame << "," << m.cySize;
}

// What a thread of the given awareness reads as its own frame metrics.
FrameMetrics OwnFrameMetrics(bool unaware) {
    DpiContext ctx(unaware);
    return {GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME), GetSystemMetrics(SM_CYSIZE)};
}

// A window made at a DPI, skinned while the thread has the given awareness.
FrameMetrics SkinnedFrame(int dpi, bool unawareThread) {
    HWND host = CreateHostAt(dpi);
    FrameMetrics m = {};
    {
        DpiContext ctx(unawareThread);
        EXPECT_EQ(1, Skin_Register(host, 0));
    }
    if (CSkin* skin = CSkin::Find(host))
        m = {skin->m_cxFrame, skin->m_cyFrame, skin->m_cySize};
    DestroyWindow(host);
    return m;
}

}  // namespace

// The frame and caption buttons are measured for the window's DPI, whatever the awareness of
// the thread that skins it; the first skin of the process (this test runs first) is made from
// an unaware thread, whose own metrics are made for 96.
TEST(SkinDpi, FrameMetricsFollowTheWindowNotTheThread) {
    ASSERT_TRUE(g_classicLook);
    const FrameMetrics at96 = OwnFrameMetrics(true), at144 = OwnFrameMetrics(false);
    ASSERT_NE(at96.cySize, at144.cySize);
    EXPECT_EQ(at96, SkinnedFrame(kLow, true));
    EXPECT_EQ(at144, SkinnedFrame(kHigh, true));
    EXPECT_EQ(at144, SkinnedFrame(kHigh, false));
    EXPECT_EQ(at96, SkinnedFrame(kLow, false));
}

// The title's font is the stock font asked for, made for the window's DPI: at 144 its letters
// stand half as tall again, in a window made at 144 or told of it.
TEST(SkinDpi, TitleFontFollowsTheDpi) {
    ASSERT_TRUE(g_classicLook);
    HWND h144 = CreateHostAt(kHigh);
    SetWindowTextA(h144, "Hdlg|Title");
    ASSERT_EQ(1, Skin_Register(h144, 0));
    Skin_SetTitleFont(h144, ANSI_VAR_FONT);
    RedrawWindow(h144, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    PumpPending();
    const int at144 = TitleInkRows(h144);
    DestroyWindow(h144);

    DpiContext unaware(true);
    HWND h96 = CreateHostAt(kLow);
    SetWindowTextA(h96, "Hdlg|Title");
    ASSERT_EQ(1, Skin_Register(h96, 0));
    Skin_SetTitleFont(h96, ANSI_VAR_FONT);
    RedrawWindow(h96, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    PumpPending();
    const int at96 = TitleInkRows(h96);
    ASSERT_GT(at96, 4);
    EXPECT_TRUE(at96 * 13 <= at144 * 10 && at144 * 10 <= at96 * 17) << at96 << " " << at144;
    GdiBalance gdi(false);  // the window owns its region, made anew at each size
    // Told of 144, its title stands taller (the platform's own stock fonts for 144 need not be
    // those scaled from 96, so the heights are compared within rounding).
    SendDpiChanged(h96, kHigh, kLow);
    EXPECT_TRUE(PumpUntil([&] { return TitleInkRows(h96) * 10 >= at96 * 13; }, 2000)) << TitleInkRows(h96);
    EXPECT_LE(TitleInkRows(h96) * 10, at96 * 17);
    SendDpiChanged(h96, kLow, kHigh);
    EXPECT_TRUE(PumpUntil([&] { return TitleInkRows(h96) == at96; }, 2000)) << TitleInkRows(h96);
    for (int i = 0; i < 10; i++) {
        SendDpiChanged(h96, kHigh, kLow);
        PumpPending();
        SendDpiChanged(h96, kLow, kHigh);
        PumpPending();
    }
    EXPECT_EQ(0, gdi.Delta());
    DestroyWindow(h96);
}

TEST(SkinDpi, CaptionButtonsCornersAndRegionScale) {
    ASSERT_TRUE(g_classicLook);
    HWND h144 = CreateHostAt(kHigh);
    ASSERT_EQ(1, Skin_Register(h144, 0));
    PumpPending();
    const int corner144 = RegionStart(h144, 0), button144 = CloseButtonWidth(h144);
    DestroyWindow(h144);

    DpiContext unaware(true);
    HWND h96 = CreateHostAt(kLow);
    ASSERT_EQ(1, Skin_Register(h96, 0));
    PumpPending();
    const int corner96 = RegionStart(h96, 0), button96 = CloseButtonWidth(h96);
    EXPECT_EQ(20, button96);
    EXPECT_EQ(30, button144);
    EXPECT_TRUE(ScalesByOneAndAHalf(corner96, corner144)) << corner96 << " " << corner144;

    // Told of 144, the skinned window takes the suggested rectangle itself and its caption,
    // buttons and corners follow; back and forth ten times leaves nothing behind.
    RECT before;
    GetWindowRect(h96, &before);
    SendDpiChanged(h96, kHigh, kLow);
    PumpPending();
    RECT after;
    GetWindowRect(h96, &after);
    EXPECT_EQ(MulDiv(before.right - before.left, kHigh, kLow), after.right - after.left);
    EXPECT_EQ(30, CloseButtonWidth(h96));
    EXPECT_EQ(corner144, RegionStart(h96, 0));
    SendDpiChanged(h96, kLow, kHigh);
    PumpPending();
    GdiBalance gdi(false);  // the window owns its region, made anew at each size
    for (int i = 0; i < 10; i++) {
        SendDpiChanged(h96, kHigh, kLow);
        PumpPending();
        SendDpiChanged(h96, kLow, kHigh);
        PumpPending();
    }
    EXPECT_EQ(20, CloseButtonWidth(h96));
    EXPECT_EQ(corner96, RegionStart(h96, 0));
    EXPECT_EQ(0, gdi.Delta());
    DestroyWindow(h96);
}
