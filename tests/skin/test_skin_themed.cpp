// Under visual themes (on for this program, as its manifest asks) the skin stands aside.
#include "LumoTest.h"
#include "lumo.h"
#include "skin/CSkin.h"
#include "frame/LumoRes.h"

#include <uxtheme.h>

using namespace lumotest;

TEST(SkinUnderThemes, RegisterIsRefusedAndTheWindowLeftAlone) {
    ASSERT_EQ(1, IsWinXPThemeOpened());
    HostWindow host(200, 100);
    const LONG style = GetWindowLongA(host, GWL_STYLE);
    const LONG_PTR proc = GetWindowLongPtrA(host, GWLP_WNDPROC);
    EXPECT_EQ(0, Skin_Register(host, 0));
    PumpPending();
    EXPECT_EQ(style, GetWindowLongA(host, GWL_STYLE));
    EXPECT_EQ(proc, GetWindowLongPtrA(host, GWLP_WNDPROC));
    EXPECT_EQ(0, SkinListSize());
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, GetWindowRgn(host, rgn));
    DeleteObject(rgn);
}

// With the library's own look asked for, the skin registers under themes too: the window's own
// theme is turned off while it is skinned (the window is told, WM_THEMECHANGED) and its frame
// is the skin's, in the scheme's caption colour; Skin_Unregister turns the theme on again.
// Asked after a refused registration; asked off again, registrations are refused again.
TEST(SkinUnderThemes, OwnLookSkinsTheWindowWithItsThemeOffAndGivesItBack) {
    ASSERT_EQ(1, IsWinXPThemeOpened());
    HostWindow host(240, 120);
    MessageRecorder rec(host, std::vector<UINT>{WM_THEMECHANGED});
    auto themed = [&] {
        HTHEME theme = OpenThemeData(host, L"WINDOW");
        if (theme) CloseThemeData(theme);
        return theme != nullptr;
    };
    ASSERT_TRUE(themed());
    EXPECT_EQ(0, Skin_Register(host, 0));
    EXPECT_EQ(0, Lumo_UseOwnLook(1));
    ASSERT_EQ(1, Skin_Register(host, 0));
    EXPECT_EQ(1, SkinListSize());
    EXPECT_EQ(1, rec.Count(WM_THEMECHANGED));
    EXPECT_FALSE(themed());
    PumpPending();
    COLORREF caption = 0, text = 0, outline = 0;
    const COLORREF *top = nullptr, *bottom = nullptr;
    const int* ids[5] = {};
    GetSkin(0, &caption, &text, &outline, &top, &bottom, &ids[0], &ids[1], &ids[2], &ids[3], &ids[4]);
    RECT wr;
    GetWindowRect(host, &wr);
    HDC dc = GetWindowDC(host);
    // The left frame, halfway down: the skin's, not the system's.
    EXPECT_EQ(caption, GetPixel(dc, 2, (wr.bottom - wr.top) / 2));
    ReleaseDC(host, dc);

    EXPECT_EQ(1, Skin_Unregister(host));
    EXPECT_EQ(2, rec.Count(WM_THEMECHANGED));
    EXPECT_TRUE(themed());
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, GetWindowRgn(host, rgn));
    DeleteObject(rgn);
    EXPECT_EQ(1, Lumo_UseOwnLook(0));
    EXPECT_EQ(0, Skin_Register(host, 0));
    EXPECT_EQ(2, rec.Count(WM_THEMECHANGED));
}
