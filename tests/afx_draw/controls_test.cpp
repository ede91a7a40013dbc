// Standard and common controls on real windows, and image lists drawn and read back.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <afxcmn.h>
#include <string>
#include "LumoTest.h"
#include "PixelTable.h"

// Its own namespace: the test program compiles its files as one unit.
namespace controlstest {

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 160, 0);

// A framework window hosting the controls, so reflected messages reach them.
class CHost : public CWnd
{
public:
    BOOL Make(int cx = 300, int cy = 240)
    {
        return CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_WINDOW + 1)), "host",
                        WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, cx, cy, nullptr, nullptr);
    }
};

// An owner-drawn button whose parent is a framework window gets DrawItem by reflection.
class CDrawnButton : public CButton
{
public:
    int m_draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT p) override
    {
        ++m_draws;
        CDC* pDC = CDC::FromHandle(p->hDC);
        pDC->FillSolidRect(&p->rcItem, kBlue);
    }
};

TEST(AfxControls, OwnerDrawnButtonDrawsThroughReflection)
{
    CHost host;
    ASSERT_TRUE(host.Make(120, 80));
    CDrawnButton button;
    ASSERT_TRUE(button.Create("press", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 60, 40), &host, 5));
    EXPECT_EQ(button.GetButtonStyle(), (UINT)BS_OWNERDRAW);
    button.UpdateWindow();
    EXPECT_GE(button.m_draws, 1);
    lumotest::WindowCapture shot(button.m_hWnd, lumotest::CaptureMode::ScreenClient);
    ASSERT_TRUE(shot.Ok());
    EXPECT_EQ(shot.At(25, 15), kBlue);

    CStatic label;
    ASSERT_TRUE(label.Create("label", WS_CHILD | WS_VISIBLE, CRect(70, 10, 110, 30), &host));

    // The scroll limit is the range's end less the page, plus one.
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 60, 120, 75), &host, 7));
    bar.SetScrollRange(0, 50, FALSE);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE;
    si.nPage = 11;
    bar.SetScrollInfo(&si);
    EXPECT_EQ(bar.GetScrollLimit(), 40);

    host.DestroyWindow();
    AfxDeleteTempMaps();
}

// A 32x16 strip of two images: magenta ground with a blue 4x4 square in the middle of the
// first, all blue in the second.
void PaintStrip(CBitmap& strip)
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

TEST(AfxControls, MaskedImageListDrawsTransparent)
{
    lumotest::GdiBalance balance;
    {
        CBitmap strip;
        PaintStrip(strip);
        CImageList list;
        ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 2));
        EXPECT_EQ(list.Add(&strip, kMagenta), 0);
        EXPECT_EQ(list.GetImageCount(), 2);
        IMAGEINFO info = {};
        ASSERT_TRUE(list.GetImageInfo(1, &info));
        EXPECT_EQ(info.rcImage.right - info.rcImage.left, 16);

        lumotest::MemoryCanvas canvas(40, 40, kGreen);
        CDC* pDC = CDC::FromHandle(canvas.Dc());
        list.SetBkColor(CLR_NONE);
        ASSERT_TRUE(list.Draw(pDC, 0, CPoint(10, 10), ILD_TRANSPARENT));
        ::GdiFlush();
        // The masked ground shows the canvas.
        EXPECT_TRUE(lumotest::PixelsAre(canvas, {{10, 10, kGreen}, {25, 25, kGreen}, {17, 17, kBlue}}));
        EXPECT_EQ(canvas.CountColor(kBlue), 16);
        EXPECT_EQ(canvas.CountColor(kMagenta), 0);

        ASSERT_TRUE(list.Draw(pDC, 1, CPoint(20, 20), ILD_NORMAL));
        ::GdiFlush();
        EXPECT_EQ(canvas.CountColor(kBlue, CRect(20, 20, 36, 36)), 256);

        EXPECT_FALSE(list.Draw(nullptr, 0, CPoint(0, 0), ILD_NORMAL));
        EXPECT_TRUE(list.Remove(1));
        EXPECT_EQ(list.GetImageCount(), 1);

        // Borrowed wrappers do not destroy the list; the owner does.
        HIMAGELIST hList = list.m_hImageList;
        EXPECT_EQ(CImageList::FromHandle(hList), &list);
        EXPECT_EQ(CImageList::FromHandlePermanent(hList), &list);
        HIMAGELIST hDetached = list.Detach();
        CImageList* pTemp = CImageList::FromHandle(hDetached);
        ASSERT_NE(pTemp, nullptr);
        EXPECT_NE(pTemp, &list);
        AfxDeleteTempMaps();
        EXPECT_EQ(ImageList_GetImageCount(hDetached), 1);
        ASSERT_TRUE(list.Attach(hDetached));

        CImageList copy;
        ASSERT_TRUE(copy.Create(&list));
        EXPECT_EQ(copy.GetImageCount(), 1);
        CImageList empty;
        EXPECT_EQ(empty.Add(&strip, kMagenta), -1);
        EXPECT_FALSE(empty.DeleteImageList());
        EXPECT_FALSE(empty.Create((CImageList*)nullptr));
    }
    AfxDeleteTempMaps();
    EXPECT_EQ(balance.Delta(), 0);
}

}  // namespace

}  // namespace controlstest
