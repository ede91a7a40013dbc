// Device contexts and GDI objects: selection, filling, ownership of handles, leaks.
#include <gtest/gtest.h>
#include <afxwin.h>
#include "LumoTest.h"
#include "PixelTable.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

// A memory DC owned by a CDC (so its destructor deletes it).
struct MemDC {
    CDC dc;
    MemDC() { dc.CreateCompatibleDC(nullptr); }
};

TEST(AfxGdi, SelectionsReturnThePreviousObjectAndRestoreIt)
{
    EXPECT_EQ(lumotest::LeaksOf([&] {
        MemDC mem;
        ASSERT_NE(mem.dc.GetSafeHdc(), nullptr);
        HGDIOBJ stockPen = ::GetStockObject(BLACK_PEN);
        HGDIOBJ stockBrush = ::GetStockObject(WHITE_BRUSH);
        HGDIOBJ stockFont = ::GetCurrentObject(mem.dc, OBJ_FONT);
        HGDIOBJ stockBitmap = ::GetCurrentObject(mem.dc, OBJ_BITMAP);

        CPen pen(PS_SOLID, 3, kRed);
        CBrush brush(kBlue);
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(100, "Arial"));
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateBitmap(8, 8, 1, 32, nullptr));

        CPen* pOldPen = mem.dc.SelectObject(&pen);
        CBrush* pOldBrush = mem.dc.SelectObject(&brush);
        CFont* pOldFont = mem.dc.SelectObject(&font);
        CBitmap* pOldBitmap = mem.dc.SelectObject(&bitmap);
        ASSERT_TRUE(pOldPen && pOldBrush && pOldFont && pOldBitmap);
        // The previous objects come back as wrappers of their own kind.
        const struct { CGdiObject* old; HGDIOBJ stock; CRuntimeClass* kind; } previous[] = {
            {pOldPen, stockPen, RUNTIME_CLASS(CPen)}, {pOldBrush, stockBrush, RUNTIME_CLASS(CBrush)},
            {pOldFont, stockFont, RUNTIME_CLASS(CFont)}, {pOldBitmap, stockBitmap, RUNTIME_CLASS(CBitmap)}};
        for (const auto& p : previous) {
            EXPECT_EQ(p.old->GetSafeHandle(), p.stock) << p.kind->m_lpszClassName;
            EXPECT_TRUE(p.old->IsKindOf(p.kind)) << p.kind->m_lpszClassName;
        }

        EXPECT_EQ(mem.dc.GetCurrentPen(), &pen);  // the permanent object, not a temporary
        EXPECT_EQ(mem.dc.GetCurrentBrush()->GetSafeHandle(), brush.GetSafeHandle());

        // Selecting back yields our objects and leaves the stock ones current again.
        EXPECT_EQ(mem.dc.SelectObject(pOldPen), &pen);
        EXPECT_EQ(mem.dc.SelectObject(pOldBrush), &brush);
        EXPECT_EQ(mem.dc.SelectObject(pOldFont), &font);
        EXPECT_EQ(mem.dc.SelectObject(pOldBitmap), &bitmap);
        EXPECT_EQ(::GetCurrentObject(mem.dc, OBJ_PEN), stockPen);
        EXPECT_EQ(::GetCurrentObject(mem.dc, OBJ_BRUSH), stockBrush);
        EXPECT_EQ(::GetCurrentObject(mem.dc, OBJ_FONT), stockFont);
        EXPECT_EQ(::GetCurrentObject(mem.dc, OBJ_BITMAP), stockBitmap);

        // Stock selection and the raw-handle form.
        CGdiObject* pPrev = mem.dc.SelectStockObject(NULL_BRUSH);
        ASSERT_NE(pPrev, nullptr);
        EXPECT_EQ(pPrev->GetSafeHandle(), stockBrush);
        EXPECT_EQ(mem.dc.SelectObject(stockBrush), ::GetStockObject(NULL_BRUSH));

        // Nothing to select: no change, null result.
        EXPECT_EQ(mem.dc.SelectObject((CPen*)nullptr), nullptr);
        EXPECT_EQ(::GetCurrentObject(mem.dc, OBJ_PEN), stockPen);

        // Regions select as clipping and report the region's kind.
        CRgn rgn;
        ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 4, 4));
        EXPECT_EQ(mem.dc.SelectObject(&rgn), SIMPLEREGION);
        CRect clip;
        EXPECT_EQ(mem.dc.GetClipBox(&clip), SIMPLEREGION);
        EXPECT_EQ(clip, CRect(0, 0, 1, 1));  // clipped to the 1x1 stock bitmap
        AfxDeleteTempMaps();
    }).gdi, 0);
}

TEST(AfxGdi, FillSolidRectAndDraw3dRectPaintExactPixels)
{
    lumotest::MemoryCanvas canvas(40, 30, kWhite);
    CDC dc;
    ASSERT_TRUE(dc.Attach(canvas.Dc()));

    dc.SetBkColor(kWhite);
    dc.FillSolidRect(CRect(2, 3, 6, 8), kRed);
    ::GdiFlush();
    EXPECT_EQ(canvas.CountColor(kRed), 4 * 5);
    EXPECT_TRUE(lumotest::PixelsAre(canvas, {{2, 3, kRed}, {5, 7, kRed}, {6, 7, kWhite}, {5, 8, kWhite}}));
    // The fill leaves its colour as the background colour.
    EXPECT_EQ(dc.GetBkColor(), kRed);

    canvas.Fill(kWhite);
    // 20 x 10 frame at (10,10): top-left colour on the top row and left column except the far
    // ends, bottom-right colour on the right column and bottom row including the corners.
    dc.Draw3dRect(10, 10, 20, 10, kRed, kBlue);
    ::GdiFlush();
    EXPECT_TRUE(lumotest::PixelsAre(canvas, {{10, 10, kRed}, {28, 10, kRed}, {29, 10, kBlue}, {10, 18, kRed},
                                             {10, 19, kBlue}, {29, 19, kBlue}, {15, 15, kWhite},
                                             {30, 10, kWhite}, {10, 20, kWhite}}));
    EXPECT_EQ(canvas.CountColor(kRed), 19 + 9 - 1);
    EXPECT_EQ(canvas.CountColor(kBlue), 10 + 20 - 1);

    // The rectangle form draws the same frame.
    canvas.Fill(kWhite);
    dc.Draw3dRect(CRect(10, 10, 30, 20), kRed, kBlue);
    ::GdiFlush();
    EXPECT_EQ(canvas.CountColor(kRed), 27);
    EXPECT_EQ(canvas.CountColor(kBlue), 29);

    // A pen drawn through the wrappers lands where asked.
    canvas.Fill(kWhite);
    CPen pen(PS_SOLID, 1, kBlue);
    CPen* pOld = dc.SelectObject(&pen);
    dc.MoveTo(0, 25);
    dc.LineTo(CPoint(40, 25));
    dc.SelectObject(pOld);
    ::GdiFlush();
    EXPECT_EQ(canvas.CountColor(kBlue, CRect(0, 25, 40, 26)), 40);
    EXPECT_EQ(dc.GetPixel(3, 25), kBlue);

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
    EXPECT_EQ((HPEN)*pTemp, hPen);
    EXPECT_EQ(CPen::FromHandle(hPen), pTemp);  // one wrapper per handle
    EXPECT_EQ(CGdiObject::FromHandlePermanent(hPen), nullptr);
    HDC hdc = ::CreateCompatibleDC(nullptr);
    CDC* pTempDC = CDC::FromHandle(hdc);
    ASSERT_NE(pTempDC, nullptr);
    EXPECT_EQ(pTempDC->GetSafeHdc(), hdc);
    AfxDeleteTempMaps();
    EXPECT_EQ(::GetObjectType(hPen), (DWORD)OBJ_PEN);
    EXPECT_EQ(::GetObjectType(hdc), (DWORD)OBJ_MEMDC);
    ::DeleteDC(hdc);

    // An owner deletes its handle; FromHandle finds the owner instead of making a temporary.
    HGDIOBJ hOwned = nullptr;
    {
        CPen owner;
        ASSERT_TRUE(owner.Attach(hPen));
        EXPECT_EQ(CPen::FromHandle(hPen), &owner);
        EXPECT_EQ(CGdiObject::FromHandlePermanent(hPen), &owner);
        hOwned = hPen;
    }
    EXPECT_EQ(::GetObjectType(hOwned), 0u);
    {
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateBitmap(4, 4, 1, 32, nullptr));
        hOwned = bitmap.m_hObject;
        BITMAP bm = {};
        EXPECT_EQ(bitmap.GetBitmap(&bm), (int)sizeof(bm));
        EXPECT_EQ(bm.bmWidth, 4);
    }
    EXPECT_EQ(::GetObjectType(hOwned), 0u);

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
    CPen* pNull = nullptr;
    EXPECT_EQ(pNull->GetSafeHandle(), nullptr);
    CDC* pNullDC = nullptr;
    EXPECT_EQ(pNullDC->GetSafeHdc(), nullptr);

    CPen empty;
    EXPECT_FALSE(empty.DeleteObject());
    EXPECT_EQ(empty.GetObjectType(), 0u);
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
    EXPECT_FALSE(noDC.DeleteDC());

    // A garbage handle gets a plain wrapper whose calls fail.
    CGdiObject* pBogus = CGdiObject::FromHandle((HGDIOBJ)(UINT_PTR)0x7ff0);
    ASSERT_NE(pBogus, nullptr);
    EXPECT_EQ(pBogus->GetObjectType(), 0u);
    AfxDeleteTempMaps();
}

TEST(AfxGdi, RegionsCombineAndCompare)
{
    lumotest::GdiBalance balance;
    {
        CRgn a, b, c, d;
        ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10));
        ASSERT_TRUE(b.CreateRectRgnIndirect(CRect(5, 5, 20, 20)));
        ASSERT_TRUE(c.CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(c.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
        CRect box;
        c.GetRgnBox(&box);
        EXPECT_EQ(box, CRect(5, 5, 10, 10));
        EXPECT_EQ(c.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
        EXPECT_TRUE(c.PtInRegion(CPoint(15, 15)));
        EXPECT_FALSE(c.PtInRegion(15, 2));
        EXPECT_TRUE(c.RectInRegion(CRect(12, 6, 14, 8)));
        EXPECT_FALSE(c.RectInRegion(CRect(12, 0, 14, 4)));

        ASSERT_TRUE(d.CreateRectRgn(0, 0, 0, 0));
        EXPECT_NE(d.CopyRgn(&a), ERROR);
        EXPECT_TRUE(d.EqualRgn(&a));
        d.OffsetRgn(3, 4);
        d.GetRgnBox(&box);
        EXPECT_EQ(box, CRect(3, 4, 13, 14));
        d.SetRectRgn(CRect(1, 1, 2, 2));
        d.GetRgnBox(&box);
        EXPECT_EQ(box, CRect(1, 1, 2, 2));

        POINT tri[3] = { { 0, 0 }, { 20, 0 }, { 0, 20 } };
        CRgn poly, ellipse, round;
        EXPECT_TRUE(poly.CreatePolygonRgn(tri, 3, ALTERNATE));
        EXPECT_TRUE(poly.PtInRegion(2, 2));
        EXPECT_FALSE(poly.PtInRegion(18, 18));
        EXPECT_TRUE(ellipse.CreateEllipticRgn(0, 0, 20, 20));
        EXPECT_FALSE(ellipse.PtInRegion(0, 0));
        EXPECT_TRUE(round.CreateRoundRectRgn(0, 0, 20, 20, 8, 8));
        EXPECT_TRUE(round.PtInRegion(10, 0));

        // Painting a region through the DC.
        lumotest::MemoryCanvas canvas(20, 20, kWhite);
        CDC* pDC = CDC::FromHandle(canvas.Dc());
        CBrush red(kRed);
        EXPECT_TRUE(pDC->FillRgn(&a, &red));
        ::GdiFlush();
        EXPECT_EQ(canvas.CountColor(kRed), 100);
        AfxDeleteTempMaps();
    }
    EXPECT_EQ(balance.Delta(), 0);
}

// Many create/select/delete cycles through the wrappers, temporaries included, leak nothing.
TEST(AfxGdi, CreateSelectDeleteCyclesLeaveNoObjects)
{
    MemDC mem;
    CBitmap target;
    ASSERT_TRUE(target.CreateBitmap(16, 16, 1, 32, nullptr));
    CBitmap* pOriginal = mem.dc.SelectObject(&target);
    ASSERT_NE(pOriginal, nullptr);

    lumotest::GdiBalance balance;
    ASSERT_GE(balance.Start(), 0);
    for (int i = 0, n = lumotest::SoakCycles(300, 10000); i < n; ++i) {
        CPen pen(PS_SOLID, 1 + (i & 3), RGB(i & 255, 0, 0));
        CBrush brush;
        brush.CreateHatchBrush(HS_CROSS, RGB(0, i & 255, 0));
        CFont font;
        font.CreateFont(-(8 + (i & 7)), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&mem.dc, 4, 4);
        CRgn rgn;
        rgn.CreateRectRgn(0, 0, 1 + (i & 15), 8);

        CPen* pOldPen = mem.dc.SelectObject(&pen);
        CBrush* pOldBrush = mem.dc.SelectObject(&brush);
        CFont* pOldFont = mem.dc.SelectObject(&font);
        mem.dc.SelectClipRgn(&rgn);
        mem.dc.Rectangle(0, 0, 8, 8);
        mem.dc.TextOut(0, 0, CString("x"));
        mem.dc.SelectClipRgn(nullptr);
        mem.dc.SelectObject(pOldFont);
        mem.dc.SelectObject(pOldBrush);
        mem.dc.SelectObject(pOldPen);

        CDC other;
        other.CreateCompatibleDC(&mem.dc);
        CBitmap* pOldBitmap = other.SelectObject(&bitmap);
        other.SelectObject(pOldBitmap);

        if ((i & 255) == 0)
            AfxDeleteTempMaps();
    }
    AfxDeleteTempMaps();
    EXPECT_EQ(balance.Delta(), 0);
    mem.dc.SelectObject(pOriginal);
}

// A framework window painting through CPaintDC: the paint DC ends the paint (no repeated
// WM_PAINT, nothing left invalid) and its pixels reach the screen.
class CPaintProbe : public CWnd
{
public:
    int m_paints = 0;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        ++m_paints;
        dc.FillSolidRect(0, 0, 30, 20, RGB(10, 200, 30));
    }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC)
    {
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, kWhite);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintProbe, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST(AfxGdi, PaintClientAndWindowDCsGiveTheirDCBack)
{
    EXPECT_EQ(lumotest::LeaksOf([&] {
        CPaintProbe wnd;
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "paint", WS_POPUP | WS_VISIBLE,
                                 60, 60, 80, 50, nullptr, nullptr));
        wnd.Invalidate();
        wnd.UpdateWindow();
        EXPECT_EQ(wnd.m_paints, 1);
        EXPECT_FALSE(wnd.GetUpdateRect(nullptr));
        lumotest::PumpPending();
        EXPECT_EQ(wnd.m_paints, 1);

        lumotest::WindowCapture shot(wnd.m_hWnd, lumotest::CaptureMode::ScreenClient);
        ASSERT_TRUE(shot.Ok());
        EXPECT_EQ(shot.At(5, 5), RGB(10, 200, 30));
        EXPECT_EQ(shot.At(40, 30), kWhite);

        {
            CClientDC dc(&wnd);
            ASSERT_NE(dc.GetSafeHdc(), nullptr);
            EXPECT_EQ(dc.GetWindow(), &wnd);
            dc.FillSolidRect(0, 0, 4, 4, kRed);
        }
        {
            CWindowDC dc(&wnd);
            ASSERT_NE(dc.GetSafeHdc(), nullptr);
        }
        CDC* pDC = wnd.GetDC();
        ASSERT_NE(pDC, nullptr);
        EXPECT_EQ(wnd.ReleaseDC(pDC), 1);
        {
            CClientDC screen(nullptr);  // the screen
            EXPECT_GT(screen.GetDeviceCaps(HORZRES), 0);
        }
        wnd.DestroyWindow();
        AfxDeleteTempMaps();
    }).gdi, 0);
}

}  // namespace
