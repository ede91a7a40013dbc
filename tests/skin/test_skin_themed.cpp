// Under visual themes (on for this program, as its manifest asks) the skin stands aside.
#include "LumoTest.h"
#include "lumo.h"
#include "skin/CSkin.h"

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
