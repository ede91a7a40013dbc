// Device contexts, GDI objects and image lists: selection, filling, ownership of handles, leaks.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <afxcmn.h>
#include "LumoTest.h"
#include "PixelTable.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kGreen = RGB(0, 160, 0);

TEST(AfxGdi, SelectionsReturnThePreviousObjectAndRestoreIt)
{
    EXPECT_EQ(lumotest::LeaksOf([&] {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        HGDIOBJ stockPen = ::GetCurrentObject(dc, OBJ_PEN);
        HGDIOBJ stockBrush = ::GetCurrentObject(dc, OBJ_BRUSH);
        HGDIOBJ stockFont = ::GetCurrentObject(dc, OBJ_FONT);
        HGDIOBJ stockBitmap = ::GetCurrentObject(dc, OBJ_BITMAP);

        CPen pen(PS_SOLID, 3, kRed);
        CBrush brush(kBlue);
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(100, "Arial"));
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateBitmap(8, 8, 1, 32, nullptr));

        // The previous objects come back as wrappers of their own kind; selecting them back
        // yields our objects and leaves the stock ones current again.
        const struct { CGdiObject* ours; CGdiObject* old; HGDIOBJ stock; DWORD type; } sel[] = {
            {&pen, dc.SelectObject(&pen), stockPen, OBJ_PEN},
            {&brush, dc.SelectObject(&brush), stockBrush, OBJ_BRUSH},
            {&font, dc.SelectObject(&font), stockFont, OBJ_FONT},
            {&bitmap, dc.SelectObject(&bitmap), stockBitmap, OBJ_BITMAP}};
        for (const auto& s : sel) {
            const char* kind = s.ours->GetRuntimeClass()->m_lpszClassName;
            ASSERT_NE(s.old, nullptr) << kind;
            EXPECT_EQ(s.old->GetSafeHandle(), s.stock) << kind;
            EXPECT_EQ(s.old->GetRuntimeClass(), s.ours->GetRuntimeClass()) << kind;
            EXPECT_EQ(dc.SelectObject(s.old), s.ours) << kind;
            EXPECT_EQ(::GetCurrentObject(dc, s.type), s.stock) << kind;
        }

        // Stock selection and the raw-handle form.
        CGdiObject* pPrev = dc.SelectStockObject(NULL_BRUSH);
        ASSERT_NE(pPrev, nullptr);
        EXPECT_EQ(pPrev->GetSafeHandle(), stockBrush);
        EXPECT_EQ(dc.SelectObject(stockBrush), ::GetStockObject(NULL_BRUSH));
        // Nothing to select: no change, null result.
        EXPECT_EQ(dc.SelectObject((CPen*)nullptr), nullptr);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), stockPen);

        // Regions select as clipping and report the region's kind.
        CRgn rgn;
        ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 4, 4));
        EXPECT_EQ(dc.SelectObject(&rgn), SIMPLEREGION);
        CRect clip;
        EXPECT_EQ(dc.GetClipBox(&clip), SIMPLEREGION);
        EXPECT_EQ(clip, CRect(0, 0, 1, 1));  // clipped to the 1x1 stock bitmap
        AfxDeleteTempMaps();
    }).gdi, 0);
}

TEST(AfxGdi, FillSolidRectDraw3dRectAndRegionsPaintExactPixels)
{
    lumotest::MemoryCanvas canvas(40, 30, kWhite);
    CDC dc;
    ASSERT_TRUE(dc.Attach(canvas.Dc()));

    dc.FillSolidRect(CRect(2, 3, 6, 8), kRed);
    ::GdiFlush();
    EXPECT_EQ(canvas.CountColor(kRed), 4 * 5);
    EXPECT_TRUE(lumotest::PixelsAre(canvas, {{2, 3, kRed}, {5, 7, kRed}, {6, 7, kWhite},
                                             {5, 8, kWhite}}));
    // The fill leaves its colour as the background colour.
    EXPECT_EQ(dc.GetBkColor(), kRed);

    // 20 x 10 frame at (10,10): top-left colour on the top row and left column except the far
    // ends, bottom-right colour on the right column and bottom row including the corners.
    canvas.Fill(kWhite);
    dc.Draw3dRect(10, 10, 20, 10, kRed, kBlue);
    ::GdiFlush();
    EXPECT_TRUE(lumotest::PixelsAre(canvas, {{10, 10, kRed}, {28, 10, kRed}, {10, 18, kRed},
                                             {29, 10, kBlue}, {10, 19, kBlue}, {29, 19, kBlue},
                                             {15, 15, kWhite}, {30, 10, kWhite},
                                             {10, 20, kWhite}}));
    EXPECT_EQ(canvas.CountColor(kRed), 19 + 9 - 1);
    EXPECT_EQ(canvas.CountColor(kBlue), 10 + 20 - 1);
    canvas.Fill(kWhite);
    dc.Draw3dRect(CRect(10, 10, 30, 20), kRed, kBlue);
    ::GdiFlush();
    EXPECT_EQ(canvas.CountColor(kRed), 27);
    EXPECT_EQ(canvas.CountColor(kBlue), 29);

    // Regions combine and fill through the wrappers, and leave nothing behind.
    lumotest::GdiBalance balance;
    {
        CRgn a, b, c;
        ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10));
        ASSERT_TRUE(b.CreateRectRgnIndirect(CRect(5, 5, 20, 20)));
        ASSERT_TRUE(c.CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(c.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
        CRect box;
        c.GetRgnBox(&box);
        EXPECT_EQ(box, CRect(5, 5, 10, 10));
        EXPECT_EQ(c.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
        canvas.Fill(kWhite);
        CBrush red(kRed);
        EXPECT_TRUE(dc.FillRgn(&c, &red));
        ::GdiFlush();
        EXPECT_EQ(canvas.CountColor(kRed), 100 + 225 - 25);
    }
    EXPECT_EQ(balance.Delta(), 0);
    EXPECT_EQ(dc.Detach(), canvas.Dc());
    AfxDeleteTempMaps();
}

TEST(AfxGdi, TemporariesBorrowAndOwnersDelete)
{
    lumotest::GdiBalance balance;

    // A borrowed wrapper leaves its handle alive when the temporary maps go.
    HPEN hPen = ::CreatePen(PS_SOLID, 1, kRed);
    CPen* pTemp = CPen::FromHandle(hPen);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(CPen::FromHandle(hPen), pTemp);  // one wrapper per handle
    EXPECT_EQ(CGdiObject::FromHandlePermanent(hPen), nullptr);
    HDC hdc = ::CreateCompatibleDC(nullptr);
    EXPECT_EQ(CDC::FromHandle(hdc)->GetSafeHdc(), hdc);
    AfxDeleteTempMaps();
    EXPECT_EQ(::GetObjectType(hPen), (DWORD)OBJ_PEN);
    EXPECT_EQ(::GetObjectType(hdc), (DWORD)OBJ_MEMDC);
    ::DeleteDC(hdc);

    // An owner deletes its handle; FromHandle finds the owner instead of making a temporary.
    {
        CPen owner;
        ASSERT_TRUE(owner.Attach(hPen));
        EXPECT_EQ(CPen::FromHandle(hPen), &owner);
        EXPECT_EQ(CGdiObject::FromHandlePermanent(hPen), &owner);
    }
    EXPECT_EQ(::GetObjectType(hPen), 0u);

    // Detach hands the handle over without deleting it.
    CBrush brush(kBlue);
    HBRUSH hBrush = (HBRUSH)brush.Detach();
    EXPECT_EQ(brush.GetSafeHandle(), nullptr);
    EXPECT_EQ(CGdiObject::FromHandlePermanent(hBrush), nullptr);
    EXPECT_EQ(::GetObjectType(hBrush), (DWORD)OBJ_BRUSH);
    ::DeleteObject(hBrush);

    // Creating again into a used object releases the old handle first.
    {
        CPen pen(PS_SOLID, 1, kRed);
        HGDIOBJ hFirst = pen.m_hObject;
        ASSERT_TRUE(pen.CreatePen(PS_DOT, 1, kBlue));
        EXPECT_EQ(::GetObjectType(hFirst), 0u);
    }
    EXPECT_EQ(balance.Delta(), 0);
}

TEST(AfxGdi, EmptyWrappersAndBadInputFailCleanly)
{
    EXPECT_EQ(CGdiObject::FromHandle(nullptr), nullptr);
    EXPECT_EQ(CDC::FromHandle(nullptr), nullptr);
    CDC* pNullDC = nullptr;
    EXPECT_EQ(pNullDC->GetSafeHdc(), nullptr);

    CPen empty;
    EXPECT_FALSE(empty.DeleteObject());
    LOGPEN lp;
    EXPECT_EQ(empty.GetObject(sizeof(lp), &lp), 0);
    EXPECT_FALSE(empty.Attach(nullptr));
    EXPECT_FALSE(CBitmap().LoadBitmap("NoSuchBitmap"));

    CRgn rgn, none;
    ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 10, 10));
    EXPECT_EQ(rgn.CombineRgn(&rgn, &none, RGN_AND), ERROR);
    EXPECT_FALSE(rgn.CreateRectRgnIndirect(nullptr));
    EXPECT_TRUE(rgn.PtInRegion(5, 5));  // the failed create left the old region alone

    CDC noDC;
    noDC.FillSolidRect(CRect(0, 0, 5, 5), kRed);
    noDC.Draw3dRect(0, 0, 5, 5, kRed, kBlue);
    EXPECT_EQ(noDC.SelectObject(&rgn), ERROR);
    EXPECT_EQ(noDC.SelectObject(&empty), nullptr);
    EXPECT_FALSE(noDC.TextOut(0, 0, nullptr, 3));
    EXPECT_EQ(noDC.DrawText(nullptr, -1, nullptr, 0), 0);

    // A garbage handle gets a plain wrapper whose calls fail.
    CGdiObject* pBogus = CGdiObject::FromHandle((HGDIOBJ)(UINT_PTR)0x7ff0);
    ASSERT_NE(pBogus, nullptr);
    EXPECT_EQ(pBogus->GetObjectType(), 0u);
    AfxDeleteTempMaps();
}

TEST(AfxGdi, MaskedImageListDrawsTransparentAndOwnsItsHandle)
{
    lumotest::GdiBalance balance;
    {
        // A strip of two images: magenta ground with a blue 4x4 square in the middle of the
        // first, all blue in the second.
        CBitmap strip;
        {
            CClientDC screen(nullptr);
            ASSERT_TRUE(strip.CreateCompatibleBitmap(&screen, 32, 16));
            CDC mem;
            ASSERT_TRUE(mem.CreateCompatibleDC(&screen));
            CBitmap* pOld = mem.SelectObject(&strip);
            mem.FillSolidRect(0, 0, 16, 16, kMagenta);
            mem.FillSolidRect(6, 6, 4, 4, kBlue);
            mem.FillSolidRect(16, 0, 16, 16, kBlue);
            mem.SelectObject(pOld);
        }
        CImageList list;
        ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 2));
        EXPECT_EQ(list.Add(&strip, kMagenta), 0);
        EXPECT_EQ(list.GetImageCount(), 2);

        // The masked ground shows the canvas.
        lumotest::MemoryCanvas canvas(40, 40, kGreen);
        CDC* pDC = CDC::FromHandle(canvas.Dc());
        list.SetBkColor(CLR_NONE);
        ASSERT_TRUE(list.Draw(pDC, 0, CPoint(10, 10), ILD_TRANSPARENT));
        ASSERT_TRUE(list.Draw(pDC, 1, CPoint(20, 20), ILD_NORMAL));
        ::GdiFlush();
        EXPECT_TRUE(lumotest::PixelsAre(canvas, {{10, 10, kGreen}, {21, 16, kGreen},
                                                 {17, 17, kBlue}, {35, 35, kBlue}}));
        EXPECT_EQ(canvas.CountColor(kBlue), 16 + 256);
        EXPECT_EQ(canvas.CountColor(kMagenta), 0);
        EXPECT_FALSE(list.Draw(nullptr, 0, CPoint(0, 0), ILD_NORMAL));

        // Borrowed wrappers do not destroy the list; the owner does.
        HIMAGELIST hList = list.m_hImageList;
        EXPECT_EQ(CImageList::FromHandle(hList), &list);
        HIMAGELIST hDetached = list.Detach();
        EXPECT_NE(CImageList::FromHandle(hDetached), &list);
        AfxDeleteTempMaps();
        EXPECT_EQ(ImageList_GetImageCount(hDetached), 2);
        ASSERT_TRUE(list.Attach(hDetached));
        CImageList empty;
        EXPECT_EQ(empty.Add(&strip, kMagenta), -1);
        EXPECT_FALSE(empty.DeleteImageList());
    }
    AfxDeleteTempMaps();
    EXPECT_EQ(balance.Delta(), 0);
}

// Many create/select/delete cycles through the wrappers, temporaries included, leak nothing.
TEST(AfxGdi, CreateSelectDeleteCyclesLeaveNoObjects)
{
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(nullptr));
    CBitmap target;
    ASSERT_TRUE(target.CreateBitmap(16, 16, 1, 32, nullptr));
    CBitmap* pOriginal = mem.SelectObject(&target);

    lumotest::GdiBalance balance;
    ASSERT_GE(balance.Start(), 0);
    for (int i = 0, n = lumotest::SoakCycles(300, 10000); i < n; ++i) {
        CPen pen(PS_SOLID, 1 + (i & 3), RGB(i & 255, 0, 0));
        CBrush brush;
        brush.CreateHatchBrush(HS_CROSS, RGB(0, i & 255, 0));
        CFont font;
        font.CreateFont(-(8 + (i & 7)), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                        "Arial");
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&mem, 4, 4);
        CRgn rgn;
        rgn.CreateRectRgn(0, 0, 1 + (i & 15), 8);

        CPen* pOldPen = mem.SelectObject(&pen);
        CBrush* pOldBrush = mem.SelectObject(&brush);
        CFont* pOldFont = mem.SelectObject(&font);
        mem.SelectClipRgn(&rgn);
        mem.Rectangle(0, 0, 8, 8);
        mem.TextOut(0, 0, CString("x"));
        mem.SelectClipRgn(nullptr);
        mem.SelectObject(pOldFont);
        mem.SelectObject(pOldBrush);
        mem.SelectObject(pOldPen);

        CDC other;
        other.CreateCompatibleDC(&mem);
        other.SelectObject(other.SelectObject(&bitmap));
        if ((i & 255) == 0)
            AfxDeleteTempMaps();
    }
    AfxDeleteTempMaps();
    EXPECT_EQ(balance.Delta(), 0);
    mem.SelectObject(pOriginal);
}

}  // namespace
