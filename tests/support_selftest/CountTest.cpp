#include "LumoTest.h"

using namespace lumotest;

TEST(Counts, GdiObjectsAreCountedOneByOne) {
    // Stock objects alone make the count positive; zero or -1 would mean the table was not read.
    const int start = CountGdiObjects();
    ASSERT_GT(start, 10);

    GdiBalance balance;
    HPEN pens[10];
    for (int i = 0; i < 10; ++i) pens[i] = CreatePen(PS_SOLID, i + 1, RGB(i, 0, 0));
    EXPECT_EQ(10, balance.Delta());
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(dc, 4, 4);
    EXPECT_EQ(13, balance.Delta());

    for (HPEN p : pens) DeleteObject(p);
    DeleteObject(brush);
    DeleteObject(bmp);
    DeleteDC(dc);
    EXPECT_EQ(0, balance.Delta());
    EXPECT_EQ(start, CountGdiObjects());

    // Stock objects are not created again on each request.
    GetStockObject(BLACK_PEN);
    GetStockObject(DEFAULT_GUI_FONT);
    EXPECT_EQ(0, balance.Delta());
}

TEST(Counts, ThreadWindowsIncludeChildrenAndMessageOnlyWindows) {
    // Let the system make whatever windows it makes for the first window of a thread.
    { HostWindow warmup; }

    WindowBalance balance;
    {
        HostWindow host;
        HWND child = CreateHostWindow(50, 50, true, host);
        CreateHostWindow(20, 20, true, child);
        EXPECT_EQ(3, balance.Delta());
        HWND msgOnly = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(msgOnly);
        EXPECT_EQ(4, balance.Delta());
        DestroyWindow(msgOnly);
        EXPECT_EQ(3, balance.Delta());
    }
    EXPECT_EQ(0, balance.Delta());
}
