// CTree10: the off-screen paint pass, colours, background picture, images, borders, line height.
#include "CTree10.h"

#include "CDRAW.h"
#include "CMemDC.h"
#include "CPic.h"
#include "frame/LumoRes.h"
#include "frame/DpiScale.h"
#include "frame/LumoSettings.h"
#include "draw/LumoPalette.h"
#include "draw/RtlText.h"

namespace {

// Green weighs most and red least: what the eye takes for a dark background.
bool IsDarkColor(COLORREF clr)
{
    double r = GetRValue(clr);
    double g = GetGValue(clr);
    double b = GetBValue(clr);
    return 0.6 * g + 0.3 * b + 0.1 * r < 100.0;
}

}  // namespace

/////////////////////////////////////////////////////////////////////////////
// painting

void CTree10::OnPaint()
{
    if (m_bCollapsing)
        return;
    SyncColours();
    CPaintDC dc(this);
    CMemDC memDC(&dc, NULL, 0);
    PaintTo(memDC.GetSafeHdc());
}

LRESULT CTree10::OnPrintClient(WPARAM wParam, LPARAM)
{
    HDC hDC = (HDC)wParam;
    SyncColours();
    if (hDC)
        PaintTo(hDC);
    return 0;
}

BOOL CTree10::OnEraseBkgnd(CDC*)
{
    return 1;
}

void CTree10::PaintTo(HDC hDC)
{
    // The system control draws lines, images and labels; the rows it leaves out keep the
    // background it would have erased.
    CRect rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    const BOOL bFlat = LumoPalette::Flat();
    HBRUSH hBack = ::CreateSolidBrush(LumoPalette::Color(LumoPalette::PANE, m_clrBack));
    ::FillRect(hDC, &rcClient, hBack);
    ::DeleteObject(hBack);
    DefWindowProc(WM_PAINT, (WPARAM)hDC, 0);

    if (m_bMousemoveSelect)
    {
        HTREEITEM hItem = GetSelectedItem();
        CRect rcLabel;
        if (hItem && GetItemRect(hItem, &rcLabel, TRUE))
        {
            COLORREF clrHover = LumoPalette::Color(LumoPalette::HOT, m_clrText != 0 ? 0xFFFFFF : 0xFF0000);
            COLORREF clrOldText = ::SetTextColor(hDC, clrHover);
            HGDIOBJ hOldFont = ::SelectObject(hDC, m_fontHover.GetSafeHandle()
                                                       ? m_fontHover.GetSafeHandle()
                                                       : ::GetStockObject(DEFAULT_GUI_FONT));
            CString strText = GetItemText(hItem);

            int nOldMode = 0;
            COLORREF clrOldBk = CLR_INVALID;
            bool bModeChanged = false;
            if (!m_pPic->IsEmpty() && !bFlat)
            {
                nOldMode = ::SetBkMode(hDC, TRANSPARENT);
                bModeChanged = true;
                HBRUSH hWhite = ::CreateSolidBrush(0xFFFFFF);
                ::FillRect(hDC, &rcLabel, hWhite);
                ::DeleteObject(hWhite);
            }
            else if (m_bColorMode || bFlat)
            {
                const COLORREF clrBack = LumoPalette::Color(LumoPalette::PANE, m_clrBack);
                nOldMode = ::SetBkMode(hDC, OPAQUE);
                bModeChanged = true;
                clrOldBk = ::SetBkColor(hDC, clrBack);
                HBRUSH hFill = ::CreateSolidBrush(clrBack);
                ::FillRect(hDC, &rcLabel, hFill);
                ::DeleteObject(hFill);
            }

            ::DrawTextA(hDC, strText, strText.GetLength(), &rcLabel,
                        DT_CENTER | DT_VCENTER | DT_SINGLELINE | RtlReading(hDC));

            if (bModeChanged)
                ::SetBkMode(hDC, nOldMode);
            if (clrOldBk != CLR_INVALID)
                ::SetBkColor(hDC, clrOldBk);
            ::SelectObject(hDC, hOldFont);
            ::SetTextColor(hDC, clrOldText);
        }
    }

    if (!m_bColorMode && !bFlat)
    {
        CDRAW draw(0x10, NULL);
        draw.fill_with_bmp(m_hWnd, hDC, m_pPic->GetBitmap(), SRCAND, 0, 0);
    }
}

/////////////////////////////////////////////////////////////////////////////
// scrolling

void CTree10::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (!m_bCollapsing)
        Invalidate(TRUE);
    ::SetFocus(m_hWnd);
    CTreeCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CTree10::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (!m_bCollapsing)
        Invalidate(TRUE);
    ::SetFocus(m_hWnd);
    CTreeCtrl::OnHScroll(nSBCode, nPos, pScrollBar);
}

BOOL CTree10::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    Invalidate(TRUE);
    return CTreeCtrl::OnMouseWheel(nFlags, zDelta, pt);
}

/////////////////////////////////////////////////////////////////////////////
// appearance

int CTree10::SetLineHeight(int nHeight)
{
    int nOld = m_hWnd ? (SHORT)::SendMessageA(m_hWnd, TVM_GETITEMHEIGHT, 0, 0) : m_nLineHeight;
    ApplyLineHeight(nHeight);
    m_bLineHeightGiven = TRUE;
    return nOld;
}

void CTree10::ApplyLineHeight(int nHeight)
{
    if (m_hWnd)
        ::SendMessageA(m_hWnd, TVM_SETITEMHEIGHT, (WPARAM)(SHORT)nHeight, 0);
    m_nLineHeight = nHeight;
}

int CTree10::SetTreeNodeImg(int nIndex)
{
    int nOld = m_nNodeImg;
    if (nIndex < 0 || nIndex >= GetTreeNodes())
        return nOld;
    m_nNodeImg = nIndex;
    MakeImageList();
    return nOld;
}

int CTree10::SetTreeLeafImg(int nIndex)
{
    int nOld = m_nLeafImg;
    if (nIndex < 0 || nIndex >= GetTreeLeave())
        return nOld;
    m_nLeafImg = nIndex;
    MakeImageList();
    return nOld;
}

void CTree10::SyncColours()
{
    if (m_dwColourGeneration == LumoSettings::Generation() || !m_hWnd)
        return;
    m_dwColourGeneration = LumoSettings::Generation();
    // The system control paints its labels: in system colours it takes its defaults (-1),
    // which are COLOR_WINDOW and COLOR_WINDOWTEXT.
    const COLORREF kSystemDefault = (COLORREF)-1;
    const BOOL bFlat = LumoPalette::Flat();
    ::SendMessageA(m_hWnd, TVM_SETBKCOLOR, 0, (LPARAM)(bFlat ? kSystemDefault : m_clrBack));
    ::SendMessageA(m_hWnd, TVM_SETTEXTCOLOR, 0, (LPARAM)(bFlat ? kSystemDefault : m_clrText));
}

COLORREF CTree10::SetBackColor(COLORREF clr)
{
    COLORREF clrOld = m_clrBack;
    m_pPic->Empty();
    m_clrText = 0;
    if (IsDarkColor(clr))
        m_clrText = 0xEBEBEB;
    m_clrBack = clr;
    m_dwColourGeneration = 0;
    SyncColours();
    m_bColorMode = 1;
    return clrOld;
}

void CTree10::SetBkImage(LPCTSTR lpszPath)
{
    SetBackColor(0xFFFFFF);
    m_bColorMode = 0;
    m_pPic->LoadPicture(lpszPath);
    if (m_hWnd)
        Invalidate();
}

int CTree10::SetBorder(int nBorder)
{
    int nOld = m_nBorder;
    m_nBorder = nBorder;
    if (m_hWnd == NULL)
        return 0;

    LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    LONG_PTR exStyle = ::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE);
    style = (nBorder & 1) ? (style | WS_BORDER) : (style & ~(LONG_PTR)WS_BORDER);
    exStyle = (nBorder & 2) ? (exStyle | WS_EX_STATICEDGE) : (exStyle & ~(LONG_PTR)WS_EX_STATICEDGE);
    exStyle = (nBorder & 4) ? (exStyle | WS_EX_CLIENTEDGE) : (exStyle & ~(LONG_PTR)WS_EX_CLIENTEDGE);
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, style);
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, exStyle);

    // A size change is what makes the system recompute the frame.
    CRect rc;
    ::GetWindowRect(m_hWnd, &rc);
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent)
        ::MapWindowPoints(NULL, hParent, (LPPOINT)&rc, 2);
    ::MoveWindow(m_hWnd, rc.left, rc.top, rc.Width() + 1, rc.Height(), FALSE);
    ::MoveWindow(m_hWnd, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
    return nOld;
}

void CTree10::MakeImageList()
{
    const int nDpi = m_pDpi->GetDpi();
    HBITMAP hLeaf = Load1BitmapForDpi(EnumTreeLeaf(m_nLeafImg), nDpi);
    HBITMAP hNode = Load1BitmapForDpi(EnumTreeNode(m_nNodeImg), nDpi);
    CSize szNode = CDRAW::GetBmpSize(hNode);
    CDRAW::GetBmpSize(hLeaf);

    m_ImageList.DeleteImageList();
    m_ImageList.Create(szNode.cx / 4, szNode.cy, ILC_COLORDDB | ILC_MASK, 6, 0);
    if (m_ImageList.GetSafeHandle())
    {
        if (hNode)
            ImageList_AddMasked(m_ImageList.GetSafeHandle(), hNode, 0xFF00FF);
        if (hLeaf)
            ImageList_AddMasked(m_ImageList.GetSafeHandle(), hLeaf, 0xFF00FF);
    }
    if (m_hWnd)
        ::SendMessageA(m_hWnd, TVM_SETIMAGELIST, TVSIL_NORMAL,
                       (LPARAM)m_ImageList.GetSafeHandle());
    // Pictures taller than the rows make the rows taller, as a host's own height would.
    if (hNode && szNode.cy >= m_nLineHeight + m_pDpi->Scale(2))
        SetLineHeight(szNode.cy + m_pDpi->Scale(4));

    if (hLeaf)
        ::DeleteObject(hLeaf);
    if (hNode)
        ::DeleteObject(hNode);
}
