#include "CTabCtrlEx.h"
#include "draw/RtlText.h"
#include "lumo.h"
#include "controls/ParentBackground.h"
#include "draw/LumoPalette.h"
#include "frame/LumoSettings.h"
#include "CUtilityVisual.h"
#include "frame/DpiScale.h"

namespace {

const COLORREF kHotFrom = 0x00A2F6FF;
const COLORREF kHotTo = 0x0040BDFE;
const COLORREF kHotFrameTopLeft = 0x00E1E1E1;
const COLORREF kHotFrameBottomRight = 0x002CB4C8;
// Tab padding of the owner-drawn look, and the platform's own, put back when the look goes; at
// 96 DPI, scaled for the control's.
const int kOwnPaddingX = 5, kOwnPaddingY = 5;
const int kSystemPaddingX = 6, kSystemPaddingY = 3;
// The gap before a tab's picture and its text, and between them, at 96 DPI.
const int kItemGap = 5;

// The owner-drawing requests the control sends its parent while it paints, caught on their
// way: a parent that is not a framework window never hands them back to the control.
LRESULT CALLBACK CatchDrawItem(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR dwRefData)
{
    CTabCtrlEx* pTabs = (CTabCtrlEx*)dwRefData;
    LPDRAWITEMSTRUCT lpDIS = (LPDRAWITEMSTRUCT)lParam;
    if (uMsg == WM_DRAWITEM && lpDIS && lpDIS->CtlType == ODT_TAB && lpDIS->hwndItem == pTabs->m_hWnd)
    {
        pTabs->DrawItem(lpDIS);
        return TRUE;
    }
    return ::DefSubclassProc(hWnd, uMsg, wParam, lParam);
}

}  // namespace

BEGIN_MESSAGE_MAP(CTabCtrlEx, CTabCtrl)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
    ON_MESSAGE(TCM_DELETEITEM, OnDeleteItems)
    ON_MESSAGE(TCM_DELETEALLITEMS, OnDeleteItems)
    ON_WM_DESTROY()
    ON_REGISTERED_MESSAGE(CDpiScale::m_msgDpiChanged, OnDpiChanged)
END_MESSAGE_MAP()

/////////////////////////////////////////////////////////////////////////////
// construction

CTabCtrlEx::CTabCtrlEx() : m_nHotTab(-1), m_hbrBack(NULL), m_nLook(-1), m_pDpi(new CDpiScale)
{
}

CTabCtrlEx::~CTabCtrlEx()
{
    delete m_pDpi;
}

void CTabCtrlEx::PreSubclassWindow()
{
    m_pDpi->Attach(m_hWnd);
    CTabCtrl::PreSubclassWindow();
    ApplyLook();
}

int CTabCtrlEx::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTabCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The padding sent while the control was being created did not reach it.
    m_nLook = -1;
    ApplyLook();
    return 0;
}

void CTabCtrlEx::OnDestroy()
{
    m_pDpi->Detach();
    CTabCtrl::OnDestroy();
}

// The padding of the look in force is sent again for the new DPI; the platform lays the tabs
// out anew.
LRESULT CTabCtrlEx::OnDpiChanged(WPARAM, LPARAM)
{
    if (m_nLook == 1)
        SendMessage(TCM_SETPADDING, 0, MAKELPARAM(m_pDpi->Scale(kOwnPaddingX), m_pDpi->Scale(kOwnPaddingY)));
    else if (m_nLook == 0)
        SendMessage(TCM_SETPADDING, 0, MAKELPARAM(m_pDpi->Scale(kSystemPaddingX), m_pDpi->Scale(kSystemPaddingY)));
    // A new padding alone does not measure the tabs again; the font given again does.
    SendMessage(WM_SETFONT, SendMessage(WM_GETFONT), FALSE);
    Invalidate(TRUE);
    return 0;
}

void CTabCtrlEx::ApplyLook()
{
    const int nLook = LumoSettings::DrawsOwnLook() ? 1 : 0;
    // At creation the platform's look needs nothing; later it is put back from the own look.
    if (nLook == m_nLook || (nLook == 0 && m_nLook == -1))
    {
        m_nLook = nLook;
        return;
    }
    m_nLook = nLook;
    if (nLook)
    {
        ModifyStyle(0, TCS_OWNERDRAWFIXED);
        SendMessage(TCM_SETPADDING, 0, MAKELPARAM(m_pDpi->Scale(kOwnPaddingX), m_pDpi->Scale(kOwnPaddingY)));
    }
    else
    {
        ReleaseCap();
        ModifyStyle(TCS_OWNERDRAWFIXED, 0);
        SendMessage(TCM_SETPADDING, 0, MAKELPARAM(m_pDpi->Scale(kSystemPaddingX), m_pDpi->Scale(kSystemPaddingY)));
    }
}

/////////////////////////////////////////////////////////////////////////////
// painting

BOOL CTabCtrlEx::FetchBackground()
{
    // The look may have changed since the last paint (Lumo_UseOwnLook).
    ApplyLook();
    m_hbrBack = NULL;
    if (!(GetStyle() & TCS_OWNERDRAWFIXED))
        return TRUE;
    HBRUSH hBrush = NULL;
    if (!ParentBackground::Ask(this, NULL, &hBrush))
        return FALSE;
    m_hbrBack = hBrush;
    return TRUE;
}

void CTabCtrlEx::OnPaint()
{
    // Asked here rather than while a tab is drawn: a parent that destroys the control from
    // inside the question must not do so in the middle of the platform's painting.
    if (FetchBackground())
        PaintByPlatform();
}

LRESULT CTabCtrlEx::OnPrintClient(WPARAM, LPARAM)
{
    if (!FetchBackground())
        return 0;
    return PaintByPlatform();
}

LRESULT CTabCtrlEx::PaintByPlatform()
{
    // A framework parent reflects the requests to DrawItem itself; any other parent of this
    // thread is listened to while the platform paints.
    const HWND hParent = ::GetParent(m_hWnd);
    const BOOL bCatch = (GetStyle() & TCS_OWNERDRAWFIXED) && hParent && !CWnd::FromHandlePermanent(hParent) &&
                        ::GetWindowThreadProcessId(hParent, NULL) == ::GetCurrentThreadId() &&
                        ::SetWindowSubclass(hParent, CatchDrawItem, (UINT_PTR)this, (DWORD_PTR)this);
    const LRESULT lResult = Default();
    if (bCatch)
        ::RemoveWindowSubclass(hParent, CatchDrawItem, (UINT_PTR)this);
    return lResult;
}

void CTabCtrlEx::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const int i = (int)lpDIS->itemID;
    const int nSel = GetCurSel();
    CRect R = lpDIS->rcItem;
    R.bottom += 2;

    char text[256] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    GetItem(i, &item);

    const BOOL bFlat = LumoPalette::Flat();
    const COLORREF crOldText = pDC->SetTextColor(LumoPalette::Color(LumoPalette::HEADER_TEXT, pDC->GetTextColor()));
    if (bFlat)
    {
        ::FillRect(lpDIS->hDC, &R, ::GetSysColorBrush(LumoPalette::SysIndex(LumoPalette::HEADER)));
        if (i == m_nHotTab && i != nSel)
            pDC->SetTextColor(::GetSysColor(LumoPalette::SysIndex(LumoPalette::HOT)));
    }
    else if (i == m_nHotTab && i != nSel)
    {
        CRect band = R;
        CUtilityVisual::GradientRect(pDC, band, kHotFrom, kHotTo, 16, 1);
        R.left -= 1;
        if (i + 1 != nSel)
            R.right += 1;
        pDC->Draw3dRect(&R, kHotFrameTopLeft, kHotFrameBottomRight);
    }
    else
    {
        HBRUSH hBrush = m_hbrBack ? m_hbrBack : ::GetSysColorBrush(COLOR_BTNFACE);
        if (i == nSel)
            ::FillRect(lpDIS->hDC, &R, hBrush);
        else
        {
            const COLORREF crBack = ParentBackground::ColourOf(hBrush);
            CRect band = R;
            CUtilityVisual::GradientRect(pDC, band, crBack, CUtilityVisual::Hilight(crBack, -21), 16, 1);
        }
    }

    const int nGap = m_pDpi->Scale(kItemGap);
    int xText = R.left + nGap;
    HIMAGELIST hImages = (HIMAGELIST)SendMessage(TCM_GETIMAGELIST);
    IMAGEINFO info = {};
    if (hImages && ImageList_GetImageCount(hImages) > i && ImageList_GetImageInfo(hImages, i, &info))
    {
        const int cy = info.rcImage.bottom - info.rcImage.top;
        if (cy != 0)
        {
            const int x = R.left + nGap;
            int y = R.top + (R.Height() - cy) / 2;
            if (y < nGap)
                y = nGap;
            ImageList_Draw(hImages, i, lpDIS->hDC, x, y, ILD_TRANSPARENT);
            xText = x + cy + nGap;
        }
    }

    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rcText(xText, R.top, R.right, R.bottom);
    pDC->DrawText(text, -1, &rcText, DT_SINGLELINE | DT_VCENTER | RtlReading(lpDIS->hDC));
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(crOldText);
}

/////////////////////////////////////////////////////////////////////////////
// hot tracking

int CTabCtrlEx::TabFromPoint(CPoint point) const
{
    const int nCount = GetItemCount();
    for (int i = 0; i < nCount; ++i)
    {
        CRect rc;
        if (GetItemRect(i, &rc) && rc.PtInRect(point))
            return i;
    }
    return -1;
}

void CTabCtrlEx::OnMouseMove(UINT, CPoint point)
{
    if (!(GetStyle() & TCS_OWNERDRAWFIXED))
    {
        Default();
        return;
    }
    const int nTab = GetItemCount() > 0 ? TabFromPoint(point) : -1;
    if (nTab < 0)
    {
        ReleaseCap();
        Default();
        return;
    }
    if (m_nHotTab != -1)
    {
        if (m_nHotTab == nTab)
            return;
        ReleaseCap();
    }
    if (nTab == GetCurSel())
    {
        Default();
        return;
    }
    m_nHotTab = nTab;
    SetCapture();
    CRect rc;
    if (GetItemRect(nTab, &rc))
        InvalidateRect(&rc, TRUE);
    Default();
}

void CTabCtrlEx::ReleaseCap()
{
    if (m_nHotTab == -1)
        return;
    CRect rc;
    const BOOL bRect = GetItemRect(m_nHotTab, &rc);
    // Cleared first, so the loss of the capture below finds nothing left to end.
    m_nHotTab = -1;
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
    InvalidateRect(bRect ? &rc : NULL, TRUE);
}

void CTabCtrlEx::OnCaptureChanged(CWnd* pWnd)
{
    // Another window took the mouse: the highlight ends with the capture.
    if (m_nHotTab != -1 && pWnd != this)
    {
        CRect rc;
        const BOOL bRect = GetItemRect(m_nHotTab, &rc);
        m_nHotTab = -1;
        InvalidateRect(bRect ? &rc : NULL, TRUE);
    }
    Default();
}

LRESULT CTabCtrlEx::OnDeleteItems(WPARAM, LPARAM)
{
    // The highlighted index would name another tab afterwards.
    ReleaseCap();
    return Default();
}
