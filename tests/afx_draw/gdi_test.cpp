// Device contexts, GDI objects and image lists: selection, filling, ownership of handles.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <afxcmn.h>
#include "LumoTest.h"
#include "PixelTable.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

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

        CGdiObject* pPrev = dc.SelectStockObject(NULL_BRUSH);
        ASSERT_NE(pPrev, nullptr);
        EXPECT_EQ(pPrev->GetSafeHandle(), stockBrush);
        // Nothing to select: no change, null result.
        EXPECT_EQ(dc.SelectObject((CPen*)nullptr), nullptr);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), stockPen);
        AfxDeleteTempMaps();
    }).gdi, 0);
}

TEST(AfxGdi, FillSolidRectAndDraw3dRectPaintExactPixels)
{
    lumotest::MemoryCanvas canvas(40, 30, kWhite);
    CDC dc;
    ASSERT_TRUE(dc.Attach(canvas.Dc()));

    dc.FillSolidRect(CRect(2, 3, 6, 8), kRed);
    ::GdiFlush();
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
    EXPECT_EQ(dc.Detach(), canvas.Dc());
}

// In a mirrored context (a right-to-left window's) a fill covers the mirror image of its
// rectangle, the same pixels a line along its edges bounds, and leaves nothing behind.
TEST(AfxGdi, FillSolidRectInAMirroredContextCoversTheMirroredPixels)
{
    lumotest::MemoryCanvas canvas(40, 30, kWhite);
    CDC dc;
    ASSERT_TRUE(dc.Attach(canvas.Dc()));
    ::SetLayout(canvas.Dc(), LAYOUT_RTL);
    EXPECT_EQ(lumotest::LeaksOf([&] { dc.FillSolidRect(CRect(2, 3, 6, 8), kRed); }).gdi, 0);
    dc.FillSolidRect(0, 20, 40, 2, kBlue);
    ::SetLayout(canvas.Dc(), 0);
    ::GdiFlush();
    // Logical columns 2 to 5 stand at 37 down to 34.
    EXPECT_TRUE(lumotest::PixelsAre(canvas, {{37, 3, kRed}, {34, 7, kRed}, {38, 5, kWhite}, {33, 5, kWhite},
                                             {37, 8, kWhite}, {0, 20, kBlue}, {39, 21, kBlue}}));
    EXPECT_EQ(canvas.CountColor(kRed), 4 * 5);
    EXPECT_EQ(canvas.CountColor(kBlue), 40 * 2);
    EXPECT_EQ(dc.GetBkColor(), kBlue);
    EXPECT_EQ(dc.Detach(), canvas.Dc());
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

    // Image lists alike: a borrowed wrapper of a detached list leaves it alive, the owner that
    // takes it back destroys it.
    {
        CImageList list;
        ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 2));
        ASSERT_TRUE(ImageList_SetImageCount(list.m_hImageList, 2));
        HIMAGELIST hList = list.m_hImageList;
        EXPECT_EQ(CImageList::FromHandle(hList), &list);
        EXPECT_EQ(list.Detach(), hList);
        EXPECT_NE(CImageList::FromHandle(hList), &list);
        AfxDeleteTempMaps();
        EXPECT_EQ(ImageList_GetImageCount(hList), 2);
        ASSERT_TRUE(list.Attach(hList));
    }
    AfxDeleteTempMaps();
    EXPECT_EQ(balance.Delta(), 0);
}

TEST(AfxGdi, EmptyWrappersAndBadInputFailCleanly)
{
    EXPECT_EQ(CGdiObject::FromHandle(nullptr), nullptr);
    CDC* pNullDC = nullptr;
    EXPECT_EQ(pNullDC->GetSafeHdc(), nullptr);

    CPen empty;
    EXPECT_FALSE(empty.DeleteObject());
    EXPECT_FALSE(empty.Attach(nullptr));
    CImageList emptyList;
    EXPECT_FALSE(emptyList.DeleteImageList());

    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 10, 10));

    CDC noDC;
    noDC.FillSolidRect(CRect(0, 0, 5, 5), kRed);
    noDC.Draw3dRect(0, 0, 5, 5, kRed, kBlue);
    EXPECT_EQ(noDC.SelectObject(&rgn), ERROR);
    EXPECT_EQ(noDC.SelectObject(&empty), nullptr);
    EXPECT_FALSE(noDC.TextOut(0, 0, nullptr, 3));

    // A garbage handle gets a plain wrapper whose calls fail.
    CGdiObject* pBogus = CGdiObject::FromHandle((HGDIOBJ)(UINT_PTR)0x7ff0);
    ASSERT_NE(pBogus, nullptr);
    EXPECT_EQ(pBogus->GetObjectType(), 0u);
    AfxDeleteTempMaps();
}

}  // namespace
