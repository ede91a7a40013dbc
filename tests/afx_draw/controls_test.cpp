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

TEST(AfxControls, TreeCtrlRoundTrips)
{
    lumotest::WindowBalance windows;
    CHost host;
    ASSERT_TRUE(host.Make());
    {
        CTreeCtrl tree;
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                                CRect(0, 0, 280, 220), &host, 77));
        EXPECT_EQ(CWnd::FromHandlePermanent(tree.m_hWnd), &tree);
        EXPECT_EQ(tree.GetDlgCtrlID(), 77);

        HTREEITEM hA = tree.InsertItem("Alpha");
        HTREEITEM hB = tree.InsertItem("Beta", 1, 2);
        HTREEITEM hA1 = tree.InsertItem("Alpha one", hA);
        TVINSERTSTRUCT tvis = {};
        tvis.hParent = hA;
        tvis.hInsertAfter = TVI_FIRST;
        tvis.item.mask = TVIF_TEXT | TVIF_PARAM;
        tvis.item.pszText = (LPSTR) "Alpha zero";
        tvis.item.lParam = 5;
        HTREEITEM hA0 = tree.InsertItem(&tvis);
        HTREEITEM hB1 = tree.InsertItem(TVIF_TEXT | TVIF_STATE, "Beta one", 0, 0, TVIS_BOLD, TVIS_BOLD, 0, hB, TVI_LAST);
        ASSERT_TRUE(hA && hB && hA1 && hA0 && hB1);
        EXPECT_EQ(tree.GetCount(), 5u);

        // Navigation: "Alpha zero" went first under Alpha.
        EXPECT_EQ(tree.GetNextSiblingItem(tree.GetRootItem()), hB);
        EXPECT_EQ(tree.GetNextItem(tree.GetChildItem(hA), TVGN_NEXT), hA1);
        EXPECT_EQ(tree.GetParentItem(hA), nullptr);
        EXPECT_FALSE(tree.ItemHasChildren(hA1));

        // Texts, including one longer than a first guess of the buffer.
        EXPECT_STREQ((LPCTSTR)tree.GetItemText(hA0), "Alpha zero");
        std::string longText(700, 'x');
        longText += "end";
        EXPECT_TRUE(tree.SetItemText(hB1, longText.c_str()));
        EXPECT_EQ(std::string((LPCTSTR)tree.GetItemText(hB1)), longText);
        EXPECT_TRUE(tree.GetItemText(nullptr).IsEmpty());

        // Data keeps all pointer bits.
        DWORD_PTR data = (DWORD_PTR)&tree;
        EXPECT_TRUE(tree.SetItemData(hA1, data));
        EXPECT_EQ(tree.GetItemData(hA1), data);
        EXPECT_EQ(tree.GetItemData(hA0), (DWORD_PTR)5);

        int image = -1, selected = -1;
        EXPECT_TRUE(tree.GetItemImage(hB, image, selected));
        EXPECT_EQ(std::make_pair(image, selected), std::make_pair(1, 2));
        EXPECT_EQ(tree.GetItemState(hB1, TVIS_BOLD), (UINT)TVIS_BOLD);

        // Expansion, selection and geometry.
        EXPECT_TRUE(tree.Expand(hA, TVE_EXPAND));
        EXPECT_TRUE(tree.GetItemState(hA, TVIS_EXPANDED) & TVIS_EXPANDED);
        EXPECT_EQ(tree.GetNextVisibleItem(hA), hA0);
        EXPECT_TRUE(tree.SelectItem(hA1));
        EXPECT_EQ(tree.GetSelectedItem(), hA1);
        // Only a visible item has a rectangle.
        tree.Expand(hB, TVE_COLLAPSE);
        CRect hidden;
        EXPECT_FALSE(tree.GetItemRect(hB1, &hidden, FALSE));
        tree.EnsureVisible(hB1);
        EXPECT_TRUE(tree.GetItemRect(hB1, &hidden, FALSE));

        CRect rc;
        ASSERT_TRUE(tree.GetItemRect(hA1, &rc, TRUE));
        EXPECT_GT(rc.Width(), 0);
        UINT flags = 0;
        EXPECT_EQ(tree.HitTest(rc.CenterPoint(), &flags), hA1);
        EXPECT_TRUE(flags & TVHT_ONITEMLABEL);
        EXPECT_FALSE(tree.GetItemRect(nullptr, &rc, FALSE));

        // Image lists: the previous list comes back, the control does not own ours.
        CImageList images;
        ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4));
        EXPECT_EQ(tree.SetImageList(&images, TVSIL_NORMAL), nullptr);
        EXPECT_EQ(tree.SetImageList(nullptr, TVSIL_NORMAL), &images);

        EXPECT_TRUE(tree.DeleteItem(hA));
        EXPECT_EQ(tree.GetCount(), 2u);
        AfxDeleteTempMaps();
    }
    host.DestroyWindow();
    EXPECT_EQ(windows.Delta(), 0);
}

TEST(AfxControls, SliderProgressAndTabRoundTrips)
{
    lumotest::WindowBalance windows;
    CHost host;
    ASSERT_TRUE(host.Make());

    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_AUTOTICKS | TBS_ENABLESELRANGE, CRect(0, 0, 200, 30), &host, 1));
    slider.SetRange(-10, 100000, TRUE);  // beyond 16 bits
    int lo = 0, hi = 0;
    slider.GetRange(lo, hi);
    EXPECT_EQ(lo, -10);
    EXPECT_EQ(hi, 100000);
    slider.SetPos(70000);
    EXPECT_EQ(slider.GetPos(), 70000);
    slider.SetPos(200000);
    EXPECT_EQ(slider.GetPos(), 100000);  // clamped to the range
    slider.SetRange(0, 100);
    slider.SetPos(40);
    slider.SetTicFreq(10);
    EXPECT_GT(slider.GetNumTics(), 2u);
    CRect thumb, channel;
    slider.GetThumbRect(&thumb);
    slider.GetChannelRect(&channel);
    EXPECT_FALSE(thumb.IsRectEmpty());
    EXPECT_GT(channel.Width(), thumb.Width());
    EXPECT_GT(thumb.left, channel.left);  // position 40 of 100 is well inside

    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 40, 200, 60), &host, 2));
    progress.SetRange32(0, 1000);  // beyond a byte's range
    EXPECT_EQ(progress.SetPos(500), 0);
    EXPECT_EQ(progress.OffsetPos(25), 500);  // each hands back the position before
    progress.SetStep(100);
    EXPECT_EQ(progress.StepIt(), 525);
    EXPECT_EQ(progress.GetPos(), 625);

    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 70, 280, 200), &host, 3));
    EXPECT_EQ(tabs.InsertItem(0, "One"), 0);
    EXPECT_EQ(tabs.InsertItem(1, "Two", 0), 1);
    EXPECT_EQ(tabs.InsertItem(TCIF_TEXT | TCIF_PARAM, 2, "Three", 0, (LPARAM)33), 2);
    EXPECT_EQ(tabs.InsertItem(0, "Zero"), 0);
    EXPECT_EQ(tabs.GetItemCount(), 4);

    char text[32] = "";
    TCITEM item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ASSERT_TRUE(tabs.GetItem(3, &item));
    EXPECT_STREQ(text, "Three");
    EXPECT_EQ(item.lParam, (LPARAM)33);

    EXPECT_EQ(tabs.GetCurSel(), 1);  // the first tab stays selected as "Zero" goes before it
    EXPECT_EQ(tabs.SetCurSel(2), 1);
    EXPECT_EQ(tabs.GetCurSel(), 2);
    CRect tab;
    ASSERT_TRUE(tabs.GetItemRect(1, &tab));
    EXPECT_GT(tab.Width(), 0);
    TCHITTESTINFO hit = {};
    hit.pt = tab.CenterPoint();
    EXPECT_EQ(tabs.HitTest(&hit), 1);

    CRect page(0, 0, 280, 130);
    tabs.AdjustRect(FALSE, &page);
    EXPECT_GT(page.top, tab.bottom - 1);  // the display area starts below the tabs
    CRect back = page;
    tabs.AdjustRect(TRUE, &back);
    EXPECT_EQ(back, CRect(0, 0, 280, 130));

    EXPECT_TRUE(tabs.DeleteItem(0));
    EXPECT_EQ(tabs.GetItemCount(), 3);

    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&host));
    EXPECT_TRUE(tip.AddTool(&slider, "slider tip"));
    EXPECT_TRUE(tip.AddTool(&host, "area", CRect(0, 0, 10, 10), 9));
    EXPECT_EQ(tip.GetToolCount(), 2);
    CString str;
    tip.GetText(str, &slider);
    EXPECT_STREQ((LPCTSTR)str, "slider tip");
    tip.UpdateTipText("changed", &slider);
    tip.GetText(str, &slider);
    EXPECT_STREQ((LPCTSTR)str, "changed");
    tip.GetText(str, &host, 9);
    EXPECT_STREQ((LPCTSTR)str, "area");
    tip.DelTool(&slider);
    EXPECT_EQ(tip.GetToolCount(), 1);
    EXPECT_FALSE(tip.AddTool(nullptr, "nothing"));

    tip.DestroyWindow();
    host.DestroyWindow();
    AfxDeleteTempMaps();
    EXPECT_EQ(windows.Delta(), 0);
}

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
