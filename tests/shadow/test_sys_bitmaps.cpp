// The system stand-in's pieces the shadows stand on: off-screen buffers, window bitmaps,
// bitmap copies and drawn shadows.
#include "LumoTest.h"
#include "CDRAW.h"
#include "CMemDC.h"
#include "PixelTable.h"

using namespace lumotest;

TEST(SysBitmaps, MemDCStartsWithTheTargetCopiesBackOnlyItsRectangleAndStartsClean) {
    MemoryCanvas canvas(60, 40, RGB(10, 20, 30));
    {
        // The first memory DCs of a process make objects that live on; not ours to count. A
        // buffer opened inside another is one of its own.
        CMemDC first(canvas.Dc(), nullptr, FALSE);
        first.FillSolidRect(0, 0, 40, 20, RGB(9, 9, 9));
        first.SetTextColor(RGB(200, 0, 0));
        first.SelectStockObject(DEFAULT_GUI_FONT);
        CMemDC nested(canvas.Dc(), nullptr, FALSE);
        EXPECT_NE(nested.GetSafeHdc(), first.GetSafeHdc());
    }
    GdiBalance gdi;
    canvas.Fill(RGB(10, 20, 30));
    SetPixelV(canvas.Dc(), 12, 7, RGB(1, 2, 3));
    {
        RECT rc = {10, 5, 30, 25};
        CMemDC dc(canvas.Dc(), &rc, TRUE);
        ASSERT_TRUE(dc.IsBuffered());
        // Target coordinates, and the target's pixels to start with.
        EXPECT_EQ(RGB(1, 2, 3), dc.GetPixel(12, 7));
        dc.SetPixel(20, 10, RGB(200, 0, 0));
        dc.SetPixel(40, 10, RGB(0, 200, 0));  // outside the rectangle: lost
        // Nothing reaches the target before the buffer closes.
        EXPECT_EQ(RGB(10, 20, 30), canvas.At(20, 10));
    }
    EXPECT_TRUE(PixelsAre(canvas, {{20, 10, RGB(200, 0, 0)}, {12, 7, RGB(1, 2, 3)}, {40, 10, RGB(10, 20, 30)}}));
    {
        // Without a rectangle the buffer covers the clip box, black again and with nothing the
        // first buffer set.
        CMemDC dc(canvas.Dc(), nullptr, FALSE);
        EXPECT_EQ(60, dc.GetRect().Width());
        EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(10, 10));
        EXPECT_EQ(RGB(0, 0, 0), dc.GetTextColor());
        EXPECT_EQ(GetStockObject(SYSTEM_FONT), GetCurrentObject(dc.GetSafeHdc(), OBJ_FONT));
        dc.SetPixel(59, 39, RGB(0, 0, 250));
    }
    EXPECT_EQ(RGB(0, 0, 250), canvas.At(59, 39));
    EXPECT_EQ(0, gdi.Delta());
}

TEST(SysBitmaps, WindowBitmapAndDirectCopy) {
    GdiBalance gdi;
    {
        // The shadows read whole screen bands and put them back; here a part from inside the
        // bitmap of the screen at (5, 6), its size given as a width and a height.
        HDC screen = GetDC(nullptr);
        SetPixelV(screen, 8, 9, RGB(19, 29, 39));
        ReleaseDC(nullptr, screen);
        RECT area = {5, 6, 10, 12};
        HBITMAP bmp = CDRAW::GetWindowBitmap(nullptr, area);
        ASSERT_NE(nullptr, bmp);
        MemoryCanvas target(30, 30, RGB(255, 255, 255));
        EXPECT_TRUE(CDRAW::BitBltDirect(target.Dc(), 20, 20, 2, 2, bmp, 3, 3, SRCCOPY));
        EXPECT_EQ(RGB(19, 29, 39), target.At(20, 20));
        DeleteObject(bmp);

        RECT empty = {0, 0, 0, 5};
        EXPECT_EQ(nullptr, CDRAW::GetWindowBitmap(nullptr, empty));
        EXPECT_EQ(nullptr, CDRAW::GetWindowBitmap((HWND)(UINT_PTR)0xDEAD0, area));
        EXPECT_FALSE(CDRAW::BitBltDirect(target.Dc(), 0, 0, 5, 5, nullptr, 0, 0, SRCCOPY));
        EXPECT_FALSE(CDRAW::BitBltDirect(nullptr, 0, 0, 5, 5,
                                         (HBITMAP)GetStockObject(DEFAULT_GUI_FONT)));
    }
    EXPECT_EQ(0, gdi.Delta());
}

TEST(SysBitmaps, DrawShadowDarkensOnlyTheRightAndBottomStrips) {
    GdiBalance gdi;
    {
        const COLORREF grey = RGB(200, 200, 200);
        MemoryCanvas canvas(80, 60, grey);
        RECT rc = {10, 10, 70, 50}, tiny = {0, 0, 5, 5}, body = {10, 10, 66, 46};
        CDRAW::DrawShadow(nullptr, nullptr, rc, 0);
        CDRAW::DrawShadow(nullptr, canvas.Dc(), tiny, 0);
        CDRAW::DrawShadow(nullptr, canvas.Dc(), rc, 0);
        // The body, everything outside the rectangle, and the strips' rounded ends near the
        // corners are untouched.
        EXPECT_EQ(56 * 36, canvas.CountColor(grey, body));
        EXPECT_TRUE(PixelsAre(canvas, grey, {{70, 30}, {30, 50}, {66, 11}, {11, 46}, {4, 4}}));
        // Darkest next to the body, lighter outwards.
        COLORREF inner = canvas.At(66, 30), outer = canvas.At(69, 30);
        EXPECT_LT(GetRValue(inner), GetRValue(outer));
        EXPECT_LT(GetRValue(outer), 200);
        EXPECT_LT(GetGValue(canvas.At(40, 46)), GetGValue(canvas.At(40, 49)));
    }
    EXPECT_EQ(0, gdi.Delta());
}
