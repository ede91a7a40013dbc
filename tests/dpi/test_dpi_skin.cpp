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

}  // namespace

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
