#include "CWndDrop.h"
#include "draw/RtlText.h"
#include "draw/LumoPalette.h"
#include "door/CWndDoorLayer.h"
#include "CUtilityVisual.h"
#include "frame/LumoModule.h"
#include "frame/HostNotify.h"
#include "frame/ReturnText.h"
#include "CPub.h"
#include "draw/CBackBuffer.h"
#include "door/CDropAccessible.h"
#include "frame/KeyboardCues.h"
#include "frame/DpiScale.h"
#include "frame/LumoSettings.h"

namespace
{
// The drop's own sizes, in 96-DPI pixels.
const int kHeaderPadding = 2;     // header height beyond the header button's bitmap
const int kStyle1Header = 25;     // header height of the bar style
const int kTitleIndent = 12;
const int kStyle1ButtonRight = 10;  // the bar style's button: gap to the right edge, size
const int kStyle1ButtonWidth = 16;
const int kStyle1ButtonHeight = 15;
const int kChevronRight = 18;     // the bar style's chevrons: middle column from the right edge
}  // namespace

#include <algorithm>
#include <vector>

BEGIN_MESSAGE_MAP(CWndDrop, CWndBack)
    ON_WM_MOUSEMOVE()
    ON_REGISTERED_MESSAGE(m_MsgSendChildren, OnSendChildren)
    ON_WM_SETFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_REGISTERED_MESSAGE(CAccessible::m_msgDefaultAction, OnAccDefaultAction)
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
    ON_MESSAGE(WM_UPDATEUISTATE, OnUpdateUIState)
END_MESSAGE_MAP()

// What the header's picture depends on; the picture is drawn again when any of it changes.
struct CWndDrop::HeaderLook
{
    CSize size;
    int nViewStyle;
    int nTitleHue;
    COLORREF crBk;
    COLORREF crHeader;
    BOOL bPicture;
    int nFrameFoot;  // framed style: the drop's height, as far as its frame reaches the header
    BOOL bDropped;   // framed style: the chevrons
    BOOL bHot;       // framed style: the button square under the mouse
    BOOL bFocus;
    CString strTitle;
    DWORD dwGeneration;  // of the colours and settings
    int nDpi;

    bool operator==(const HeaderLook& o) const
    {
        return dwGeneration == o.dwGeneration && nDpi == o.nDpi && size == o.size && nViewStyle == o.nViewStyle && nTitleHue == o.nTitleHue && crBk == o.crBk &&
               crHeader == o.crHeader && bPicture == o.bPicture && nFrameFoot == o.nFrameFoot &&
               bDropped == o.bDropped && bHot == o.bHot && bFocus == o.bFocus && strTitle == o.strTitle;
    }
};

/////////////////////////////////////////////////////////////////////////////
// construction

CWndDrop::CWndDrop(int nMarginTop)
    : m_hBody(NULL), m_nTitleHue(0), m_bDropped(FALSE), m_nMaxHeight(0), m_nHeaderHeight(0),
      m_crHeader(0), m_bBodyIsTree(FALSE), m_nMarginTop(nMarginTop), m_nBmpDropped(0),
      m_nBmpClosed(0), m_nBmpDroppedHover(0), m_nBmpClosedHover(0), m_nBtnNormalId(0),
      m_nBtnHoverId(0), m_hBtnNormal(NULL), m_hBtnHover(NULL),
      m_hHandCursor(CUtilityVisual::GetHandCursor()), m_nViewStyle(0), m_pLayer(NULL),
      m_bHideFocus(0), m_pHeader(NULL), m_pLook(NULL), m_bHeaderValid(FALSE)
{
    m_MyWin.SetParent(this);
    UseWholePaint();
    m_btnHeader.SetHandCursor((HICON)m_hHandCursor);
    SetTitleHue(0);
    m_bDropped = FALSE;
}

CWndDrop::~CWndDrop()
{
    ReturnText::Forget(this);
    if (m_pLayer)
        m_pLayer->ForgetDrop(this);
    m_pLayer = NULL;
    m_btnHeader.SetHandCursor(NULL);
    if (m_btnHeader.m_hWnd)
        m_btnHeader.DestroyWindow();
    if (m_hHandCursor)
        ::DestroyCursor(m_hHandCursor);
    m_hHandCursor = NULL;
    delete m_pHeader;
    delete m_pLook;
}

BOOL CWndDrop::PreCreateWindow(CREATESTRUCT& cs)
{
    // A tab stop, and not a control parent: the dialog manager looks only inside a control
    // parent, never at it. Its body is the host's child anyway.
    cs.style |= WS_TABSTOP;
    return CWndBack::PreCreateWindow(cs);
}

BOOL CWndDrop::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                      const RECT& rect, CWnd* pParentWnd, UINT nID, void* pContext)
{
    if (!CWnd::Create(lpszClassName, lpszWindowName, dwStyle | WS_CHILD | WS_VISIBLE, rect,
                      pParentWnd, nID, pContext))
        return FALSE;
    m_btnHeader.SetBkColor(m_crHeader);
    m_btnHeader.Create(_T(""), 0, CRect(0, 1, 0, 1), this, 1);
    m_btnHeader.SetOpenState(m_bDropped);
    m_btnHeader.Invalidate(TRUE);
    m_MyWin.AddMoveWnd(m_btnHeader.m_hWnd, 1, -1);
    m_MyWin.OnSize(TRUE);
    BringWindowToTop();
    m_bHideFocus = KeyboardCues::FocusHidden(m_hWnd);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// attributes

void CWndDrop::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle ? lpszTitle : "";
    if (!m_hWnd)
        return;
    SetWindowText(m_strTitle);
    // The header button, which opens and closes the drop too, is read with the drop's title.
    if (m_btnHeader.m_hWnd)
        m_btnHeader.SetWindowText(m_strTitle);
    CAccessible::Notify(EVENT_OBJECT_NAMECHANGE, m_hWnd);
    CRect rc;
    GetClientRect(&rc);
    if (m_nViewStyle == 0)
    {
        rc.bottom = rc.top + m_nHeaderHeight;
        rc.left += 12;
        rc.right -= m_nHeaderHeight;
    }
    InvalidateRect(&rc, TRUE);
}

int CWndDrop::SetTitleHue(int nHue)
{
    int nOld = m_nTitleHue;
    m_nTitleHue = nHue;
    DWORD dropped = 0, closed = 0, droppedHover = 0, closedHover = 0, color = (DWORD)nHue;
    if (!::GetDropHandle(nHue, &dropped, &closed, &droppedHover, &closedHover, &color))
    {
        dropped = closed = droppedHover = closedHover = 0;
        color = (DWORD)nHue;
    }
    m_nBmpDropped = dropped;
    m_nBmpClosed = closed;
    m_nBmpDroppedHover = droppedHover;
    m_nBmpClosedHover = closedHover;
    SetHeaderBkColor((COLORREF)color);
    ChangeBitmap();
    return nOld;
}

COLORREF CWndDrop::SetHeaderBkColor(COLORREF crHeader)
{
    COLORREF crOld = m_crHeader;
    m_crHeader = crHeader;
    m_btnHeader.SetBkColor(crHeader);
    if (m_hWnd)
    {
        Invalidate(TRUE);
        if (m_btnHeader.m_hWnd)
            m_btnHeader.Invalidate(TRUE);
    }
    return crOld;
}

void CWndDrop::GetHeights(int* pnOpen, int* pnHeader) const
{
    if (pnOpen)
        *pnOpen = m_nMaxHeight;
    if (pnHeader)
        *pnHeader = m_nHeaderHeight;
}

/////////////////////////////////////////////////////////////////////////////
// operations

void CWndDrop::ChangeBitmap()
{
    if (m_nViewStyle != 0)
        return;
    const UINT nNormal = m_bDropped ? m_nBmpDropped : m_nBmpClosed;
    const UINT nHover = m_bDropped ? m_nBmpDroppedHover : m_nBmpClosedHover;
    // An opening drop is set dropped at every step of its animation: reloading the pair the
    // button already shows would decode two bitmaps and repaint the drop for nothing.
    const BOOL bReload = !m_hBtnNormal || nNormal != m_nBtnNormalId || nHover != m_nBtnHoverId ||
                         m_btnHeader.GetNormalBitmap() != m_hBtnNormal ||
                         m_btnHeader.GetHoverBitmap() != m_hBtnHover;
    if (bReload)
    {
        m_btnHeader.SetBitmaps(nNormal, nHover);
        m_nBtnNormalId = nNormal;
        m_nBtnHoverId = nHover;
        m_hBtnNormal = m_btnHeader.GetNormalBitmap();
        m_hBtnHover = m_btnHeader.GetHoverBitmap();
    }
    CSize size;
    m_btnHeader.GetBmpSize(size);
    const int nHeaderHeight = size.cy + m_pDpi->Scale(kHeaderPadding);
    if (!bReload && nHeaderHeight == m_nHeaderHeight)
        return;
    m_nHeaderHeight = nHeaderHeight;
    if (m_hWnd)
        Invalidate(TRUE);
}

void CWndDrop::SetDropped(BOOL bDropped)
{
    const BOOL bChanged = !m_bDropped != !bDropped;
    m_bDropped = bDropped;
    if (bChanged)
        CAccessible::Notify(EVENT_OBJECT_STATECHANGE, m_hWnd);
    if (m_hBody && ::IsWindow(m_hBody))
    {
        ::ShowWindow(m_hBody, bDropped ? SW_SHOW : SW_HIDE);
        if (bDropped && m_bBodyIsTree)
            HostNotify::Post(m_hBody, g_msgExpandSingleNode, 0, 0);
    }
    ChangeBitmap();
}

void CWndDrop::AttachBodyHwnd(HWND hWnd)
{
    if (!::IsWindow(hWnd))
        return;
    if (m_hBody)
        m_MyWin.DeleteWnd(m_hBody);
    m_hBody = hWnd;
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    m_bBodyIsTree = lstrcmpA(szClass, "SysTreeView32") == 0;
    if (!m_hWnd)
        return;
    int m = m_nViewStyle == 1 ? 2 : 0;
    AddChild_AutoSize(hWnd, m, m_nHeaderHeight + 1, m, m);
    if (!m_bDropped)
    {
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        ::MoveWindow(hWnd, 0, 0, rc.right - rc.left, 0, TRUE);
        ::ShowWindow(hWnd, SW_HIDE);
    }
}

// The header button has its new bitmaps already (children are told first).
void CWndDrop::OnDpiChange(int nOldDpi)
{
    if (m_nViewStyle == 1)
    {
        m_nHeaderHeight = m_pDpi->Scale(kStyle1Header);
    }
    else
    {
        ChangeBitmap();
        CSize bmp;
        m_btnHeader.GetBmpSize(bmp);
        m_MyWin.ChangeOriginWidth(m_btnHeader.m_hWnd, bmp.cx);
        m_MyWin.ChangeOriginHeight(m_btnHeader.m_hWnd, bmp.cy);
    }
    // The body starts under the header, whose height may have changed; the layer places the
    // drop and the drop's layout the body, once the host has taken its new size.
    if (m_hBody)
        m_MyWin.ChangeOriginY(m_hBody, m_nHeaderHeight + 1);
    CWndBack::OnDpiChange(nOldDpi);
}

void CWndDrop::ChangeViewStyle(int nStyle)
{
    if (m_nViewStyle == 0)
    {
        m_MyWin.DeleteWnd(m_btnHeader.m_hWnd);
        if (m_btnHeader.m_hWnd)
            m_btnHeader.ShowWindow(SW_HIDE);
    }
    m_nViewStyle = nStyle;
    if (nStyle == 0)
    {
        if (m_btnHeader.m_hWnd)
        {
            m_MyWin.AddMoveWnd(m_btnHeader.m_hWnd, 1, -1);
            m_btnHeader.ShowWindow(SW_SHOW);
        }
        ChangeBitmap();
    }
    else if (nStyle == 1)
    {
        m_nHeaderHeight = m_pDpi->Scale(kStyle1Header);
    }
    if (m_hBody)
        AttachBodyHwnd(m_hBody);
    m_MyWin.OnSize(FALSE);
    // Header, frame and body margins all change.
    if (m_hWnd)
        Invalidate(FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// implementation

BOOL CWndDrop::SendToggleRequest()
{
    return HostNotify::SendNotify(this, 0);
}

BOOL CWndDrop::RequestToggle()
{
    return !m_hWnd || SendToggleRequest();
}

void CWndDrop::FocusBody()
{
    if (m_hBody && ::IsWindow(m_hBody))
        ::SetFocus(m_hBody);
    else if (m_hWnd)
        SetFocus();
}

CWndDrop* CWndDrop::Neighbour(int nDelta) const
{
    if (!m_pLayer)
        return NULL;
    const int nCount = m_pLayer->GetDropCount();
    int nIndex = -1;
    for (int i = 0; i < nCount; ++i)
        if (m_pLayer->EnumDropWnd(i) == m_hWnd)
            nIndex = i;
    const int nTo = nIndex + nDelta;
    return nIndex < 0 || nTo < 0 || nTo >= nCount ? NULL
                                                  : m_pLayer->SearchDropWnd(m_pLayer->EnumDropWnd(nTo));
}

void CWndDrop::InvalidateHeader()
{
    if (!m_hWnd)
        return;
    CRect rc;
    GetClientRect(&rc);
    rc.bottom = rc.top + m_nHeaderHeight;
    InvalidateRect(&rc, TRUE);
}

BOOL CWndDrop::ClickTitle(CPoint point)
{
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(1, 1);
    rc.bottom = rc.top + m_nHeaderHeight - 1;
    return !rc.PtInRect(point) || SendToggleRequest();
}

void CWndDrop::GetViewStyle1_ButtonRect(CRect& rect)
{
    rect.right -= m_pDpi->Scale(kStyle1ButtonRight);
    rect.left = rect.right - m_pDpi->Scale(kStyle1ButtonWidth);
    rect.top = m_nHeaderHeight / 2 - m_pDpi->Scale(kStyle1ButtonWidth) / 2;
    rect.bottom = rect.top + m_pDpi->Scale(kStyle1ButtonHeight);
}

BOOL CWndDrop::HueHasWhiteTitle() const
{
    return m_nTitleHue == 0 || (m_nTitleHue >= 2 && m_nTitleHue <= 5);
}

/////////////////////////////////////////////////////////////////////////////
// message handlers

BOOL CWndDrop::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNM = (NMHDR*)lParam;
    if (pNM && pNM->idFrom == 1 && pNM->hwndFrom == m_btnHeader.m_hWnd &&
        (pNM->code == BMPBTN_CLICKED || pNM->code == BMPBTN_DBLCLICKED) &&
        !SendToggleRequest())
        return TRUE;
    return CWndBack::OnNotify(wParam, lParam, pResult);
}

void CWndDrop::OnLButtonDown(UINT nFlags, CPoint point)
{
    const HWND hSelf = m_hWnd;
    FocusBody();
    // The window losing the focus is told, and may be the host's, destroying the door.
    if (!HostNotify::Alive(this, hSelf))
        return;
    CWndBack::OnLButtonDown(nFlags, point);
    ClickTitle(point);
}

void CWndDrop::OnMouseMove(UINT nFlags, CPoint point)
{
    CWndBack::OnMouseMove(nFlags, point);
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcButton = rcClient;
    GetViewStyle1_ButtonRect(rcButton);
    if (::GetCapture() != m_hWnd)
    {
        CRect rcHeader = rcClient;
        rcHeader.bottom = rcHeader.top + m_nHeaderHeight - 1;
        if (rcHeader.PtInRect(point))
        {
            if (m_hHandCursor)
                ::SetCursor(m_hHandCursor);
            if (m_nViewStyle == 1 && rcButton.PtInRect(point))
            {
                SetCapture();
                rcButton.InflateRect(1, 1);
                InvalidateRect(&rcButton, TRUE);
            }
        }
    }
    else if (!rcButton.PtInRect(point))
    {
        ::ReleaseCapture();
        rcButton.InflateRect(1, 1);
        InvalidateRect(&rcButton, TRUE);
    }
}

void CWndDrop::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWndBack::OnShowWindow(bShow, nStatus);
    if (!m_hBody || !::IsWindow(m_hBody))
        return;
    if (!bShow)
        ::ShowWindow(m_hBody, SW_HIDE);
    else if (m_bDropped)
        ::ShowWindow(m_hBody, SW_SHOW);
}

void CWndDrop::OnSetFocus(CWnd* pOldWnd)
{
    CWndBack::OnSetFocus(pOldWnd);
    // The system tells screen readers of the focus itself.
    InvalidateHeader();
}

void CWndDrop::OnKillFocus(CWnd* pNewWnd)
{
    CWndBack::OnKillFocus(pNewWnd);
    InvalidateHeader();
}

void CWndDrop::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // A held key repeats; the drop toggles once per press.
    const BOOL bRepeat = (nFlags & KF_REPEAT) != 0;
    if ((nChar == VK_SPACE || nChar == VK_RETURN) && !bRepeat)
    {
        RequestToggle();
        return;
    }
    if (nChar == VK_UP || nChar == VK_DOWN)
    {
        if (CWndDrop* pTo = Neighbour(nChar == VK_UP ? -1 : 1))
            pTo->SetFocus();
        return;
    }
    CWndBack::OnKeyDown(nChar, nRepCnt, nFlags);
}

LRESULT CWndDrop::OnGetDlgCode(WPARAM, LPARAM lParam)
{
    // The arrows move between drops rather than between the dialog's controls, and Enter
    // toggles the drop rather than pressing the dialog's default button.
    LRESULT lr = Default() | DLGC_WANTARROWS;
    const MSG* pMsg = (const MSG*)lParam;
    if (pMsg && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
        lr |= DLGC_WANTMESSAGE;
    return lr;
}

LRESULT CWndDrop::OnUpdateUIState(WPARAM wParam, LPARAM)
{
    const LRESULT lr = Default();
    if (KeyboardCues::Update(m_hWnd, wParam, &m_bHideFocus) && ::GetFocus() == m_hWnd)
        InvalidateHeader();
    return lr;
}

LRESULT CWndDrop::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lr = CAccessible::Answer(m_hWnd, wParam, lParam, OBJID_CLIENT, CDropAccessible::Make);
    return lr ? lr : Default();
}

LRESULT CWndDrop::OnAccDefaultAction(WPARAM, LPARAM)
{
    RequestToggle();
    return 0;
}

void CWndDrop::OnDestroy()
{
    CAccessible::Disconnect(m_hWnd);
    delete m_pHeader;
    m_pHeader = NULL;
    CWndBack::OnDestroy();
}

LRESULT CWndDrop::OnSendChildren(WPARAM wParam, LPARAM lParam)
{
    HandleSendChildren(wParam, lParam);
    if (!m_bDropped && m_hBody && ::IsWindow(m_hBody))
        ::ShowWindow(m_hBody, SW_HIDE);
    return 0;
}

// A new width moves the header's shading and its title, and in the framed style the frame's
// right side; a new height moves the frame's foot. Nothing else of the drop depends on its
// size, and the system repaints what a resize uncovers.
void CWndDrop::OnPlaced(CSize sizeOld)
{
    m_MyWin.OnSize(FALSE);
    const CSize size = m_sizeClient;
    if (sizeOld == size)
        return;
    const BOOL bFramed = m_nViewStyle == 1;
    if (sizeOld.cx != size.cx)
    {
        CRect rc(0, 0, size.cx > sizeOld.cx ? size.cx : sizeOld.cx, m_nHeaderHeight);
        InvalidateRect(&rc, FALSE);
        if (bFramed)
        {
            CRect rcSide(std::min(size.cx, sizeOld.cx) - 2, 0, rc.right, size.cy);
            InvalidateRect(&rcSide, FALSE);
        }
    }
    if (sizeOld.cy != size.cy && bFramed)
    {
        CRect rcFoot(0, std::min(size.cy, sizeOld.cy) - 2, size.cx, std::max(size.cy, sizeOld.cy));
        InvalidateRect(&rcFoot, FALSE);
        // A drop as tall as its header or one row taller has its foot in the header.
        if (std::min(size.cy, sizeOld.cy) <= m_nHeaderHeight + 1)
            InvalidateHeader();
    }
}

void CWndDrop::InvalidateHeaderCache()
{
    m_bHeaderValid = FALSE;
    if (m_hWnd)
        InvalidateHeader();
}

void CWndDrop::Draw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    CRect rcHeader = rc;
    rcHeader.bottom = rcHeader.top + m_nHeaderHeight;
    CRect rcBelow(rc.left, rcHeader.bottom, rc.right, rc.bottom);
    if (rcBelow.top < rcBelow.bottom)
    {
        // Below the header: the background and, in the framed style, the frame's sides and foot
        // (the frame is the client rectangle less a pixel at the right and the bottom), no pixel
        // painted twice.
        CRect frame[3];
        int nFrame = 0;
        if (m_nViewStyle == 1)
        {
            const int b = rc.bottom - 1;
            frame[nFrame++] = CRect(rc.left, rcBelow.top, rc.left + 1, b);
            frame[nFrame++] = CRect(rc.right - 2, rcBelow.top, rc.right - 1, b);
            frame[nFrame++] = CRect(rc.left, std::max(b - 1, (int)rcBelow.top), rc.right - 1, b);
        }
        const int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(&rcBelow);
        for (int i = 0; i < nFrame; ++i)
            if (!frame[i].IsRectEmpty())
                pDC->ExcludeClipRect(&frame[i]);
        PaintBackground(pDC);
        pDC->RestoreDC(nSaved);
        for (int i = 0; i < nFrame; ++i)
            if (!frame[i].IsRectEmpty())
                pDC->FillSolidRect(&frame[i], LumoPalette::Color(LumoPalette::FRAME, RGB(0, 0, 0)));
    }
    PaintHeader(pDC, rcHeader, rc.Height());
}

void CWndDrop::PaintHeader(CDC* pDC, const CRect& rcHeader, int nClientHeight)
{
    if (rcHeader.IsRectEmpty())
        return;
    const BOOL bFramed = m_nViewStyle == 1;
    HeaderLook look;
    look.size = rcHeader.Size();
    look.nViewStyle = m_nViewStyle;
    look.nTitleHue = m_nTitleHue;
    look.crBk = m_crBk;
    look.crHeader = m_crHeader;
    look.bPicture = m_pPicture != NULL;
    look.nFrameFoot = bFramed ? std::min(nClientHeight, m_nHeaderHeight + 2) : 0;
    look.bDropped = bFramed && m_bDropped;
    look.bHot = bFramed && m_hWnd && ::GetCapture() == m_hWnd;
    look.bFocus = m_hWnd && ::GetFocus() == m_hWnd && !m_bHideFocus;
    look.strTitle = m_strTitle;
    look.dwGeneration = LumoSettings::Generation();
    look.nDpi = m_pDpi->GetDpi();

    if (!m_pHeader)
        m_pHeader = new CBackBuffer;
    HDC hCache = m_pHeader->Get(look.size.cx, look.size.cy);
    if (!hCache)
    {
        RenderHeader(pDC, rcHeader, nClientHeight, look.bFocus);
        return;
    }
    if (!m_bHeaderValid || !m_pLook || !(*m_pLook == look))
    {
        CDC dc;
        dc.Attach(hCache);
        const int nSaved = dc.SaveDC();
        dc.IntersectClipRect(0, 0, look.size.cx, look.size.cy);
        RenderHeader(&dc, CRect(CPoint(0, 0), look.size), nClientHeight, look.bFocus);
        dc.RestoreDC(nSaved);
        dc.Detach();
        if (!m_pLook)
            m_pLook = new HeaderLook;
        *m_pLook = look;
        m_bHeaderValid = TRUE;
    }
    ::BitBlt(pDC->m_hDC, rcHeader.left, rcHeader.top, look.size.cx, look.size.cy, hCache, 0, 0, SRCCOPY);
}

// The header as the drop shows it, in a device context whose origin is the drop's: the
// background under it, in the framed style the stretch of the drop's frame that crosses it, the
// strip and title, and the focus rectangle.
void CWndDrop::RenderHeader(CDC* pDC, const CRect& rcHeader, int nClientHeight, BOOL bFocus)
{
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&rcHeader);
    if (m_pPicture || m_bTransparent)
        PaintBackground(pDC);
    else
        pDC->FillSolidRect(&rcHeader, m_crBk);
    pDC->RestoreDC(nSaved);
    if (m_nViewStyle == 1)
    {
        CRect rcFrame(rcHeader.left, rcHeader.top, rcHeader.right - 1, rcHeader.top + nClientHeight - 1);
        rcFrame.bottom = std::min(rcFrame.bottom, rcHeader.bottom + 1);
        if (!rcFrame.IsRectEmpty())
        {
            const int nClip = pDC->SaveDC();
            pDC->IntersectClipRect(&rcHeader);
            ::FrameRect(pDC->m_hDC, &rcFrame, (HBRUSH)::GetStockObject(BLACK_BRUSH));
            pDC->RestoreDC(nClip);
        }
    }
    DrawHeader(pDC, rcHeader);
    if (bFocus)
    {
        CRect rcFocus = rcHeader;
        rcFocus.DeflateRect(2, 2);
        pDC->DrawFocusRect(&rcFocus);
    }
}

/////////////////////////////////////////////////////////////////////////////
// drawing

void CWndDrop::DrawHeader(CDC* pDC, CRect rcHeader)
{
    if (LumoPalette::Flat())
        DrawHeader_Flat(pDC, rcHeader);
    else if (m_nViewStyle == 0)
        DrawHeader_Style0(pDC, rcHeader);
    else
        DrawHeader_Style1(pDC, rcHeader);
    DrawTitle(pDC, rcHeader);
}

void CWndDrop::DrawTitle(CDC* pDC, const CRect& rcHeader)
{
    HDC hDC = pDC->m_hDC;
    HGDIOBJ hOldFont = ::SelectObject(hDC, m_pDpi->GuiFont());
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    COLORREF crOldText = ::GetTextColor(hDC);
    UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | RtlReading(hDC);
    if (m_nViewStyle == 0)
        nFormat |= DT_CENTER;
    RECT rcText = { rcHeader.left + m_pDpi->Scale(kTitleIndent), rcHeader.top + 1, rcHeader.right, rcHeader.bottom + 1 };
    const BOOL bWhiteHue = HueHasWhiteTitle();
    if (LumoPalette::Flat())
    {
        ::SetTextColor(hDC, ::GetSysColor(LumoPalette::SysIndex(LumoPalette::HEADER_TEXT)));
        ::DrawTextA(hDC, m_strTitle, m_strTitle.GetLength(), &rcText, nFormat);
    }
    else if (!(m_nViewStyle == 1 && bWhiteHue))
    {
        ::SetTextColor(hDC, RGB(0, 0, 0));
        RECT rc = rcText;
        ::DrawTextA(hDC, m_strTitle, m_strTitle.GetLength(), &rc, nFormat);
    }
    if (!LumoPalette::Flat() && (m_nViewStyle == 0 || bWhiteHue))
    {
        ::SetTextColor(hDC, RGB(255, 255, 255));
        RECT rc = rcText;
        ::OffsetRect(&rc, -1, -1);
        ::DrawTextA(hDC, m_strTitle, m_strTitle.GetLength(), &rc, nFormat);
    }
    ::SetTextColor(hDC, crOldText);
    ::SetBkMode(hDC, nOldMode);
    ::SelectObject(hDC, hOldFont);
}

void CWndDrop::DrawHeader_Style0(CDC* pDC, CRect& rcHeader)
{
    // Rows left in the background colour at the top of columns 0..10, rounding the corner.
    static const int kCornerTop[11] = { 9, 7, 6, 4, 4, 3, 2, 2, 1, 1, 1 };
    const CRect& H = rcHeader;
    const int half = (H.right - H.left) / 2;
    if (half < 0 || H.bottom <= H.top)
    {
        pDC->FillSolidRect(&H, m_crBk);
        CRect rc(H.left + half, H.top, H.right, H.bottom);
        pDC->FillSolidRect(&rc, m_crHeader);
        return;
    }
    // The strip is worked out pixel by pixel and set in one call: column x, counted from the
    // left, is the header colour brightened by one step for each column it lies left of the
    // middle, plus one, each channel stopping at 255; the middle column and everything right
    // of it are the header colour itself.
    const int cx = H.right - H.left, cy = H.bottom - H.top;
    const int nShade = m_nHeaderHeight < cy ? m_nHeaderHeight : cy;
    const int r = GetRValue(m_crHeader), g = GetGValue(m_crHeader), b = GetBValue(m_crHeader);
    const DWORD bk = (DWORD)((GetRValue(m_crBk) << 16) | (GetGValue(m_crBk) << 8) | GetBValue(m_crBk));
    const DWORD header = (DWORD)((r << 16) | (g << 8) | b);
    std::vector<DWORD> pixels((size_t)cx * cy, bk);
    for (int x = 0; x < cx; ++x)
    {
        DWORD colour = header;
        int top = 0, bottom = cy;
        if (x < half)
        {
            const int k = half - x + 1;
            colour = (DWORD)(((r + k < 255 ? r + k : 255) << 16) | ((g + k < 255 ? g + k : 255) << 8) |
                             (b + k < 255 ? b + k : 255));
            top = x > 10 ? 0 : kCornerTop[x];
            bottom = nShade;
        }
        for (int y = top; y < bottom; ++y)
            pixels[(size_t)y * cx + x] = colour;
    }
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    ::SetDIBitsToDevice(pDC->m_hDC, H.left, H.top, cx, cy, 0, 0, 0, cy, pixels.data(), &bi, DIB_RGB_COLORS);
}

void CWndDrop::DrawHeader_Style1(CDC* pDC, CRect& rcHeader)
{
    const CRect& H = rcHeader;
    CRect F(H.left, H.top, H.right - 1, H.bottom - 1);
    ::FrameRect(pDC->m_hDC, &F, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    F.DeflateRect(1, 1);
    if (m_nTitleHue == 0)
        CUtilityVisual::Gradient2Rect(pDC, F, 0x00EDC080, 0x00DF9658, 0x00D3823D, 0x00B0542C, 6);
    else if (m_nTitleHue == 4)
        CUtilityVisual::Gradient2Rect(pDC, F, 0x00FFCC61, 0x00FFB51B, 0x00F19B12, 0x00ED9F15, 6);
    else if (m_nTitleHue == 1)
        CUtilityVisual::GradientRect(pDC, F, 0x00FAF4F2, 0x00CBC5C0, 25, 1);
    else
        CUtilityVisual::GradientRect(pDC, F, CUtilityVisual::Hilight(m_crHeader, 100), m_crHeader,
                                     25, 1);

    if (m_hWnd && ::GetCapture() == m_hWnd)
    {
        CRect rcButton = H;
        GetViewStyle1_ButtonRect(rcButton);
        CUtilityVisual::GradientRect(pDC, rcButton, 0x00CCF5FF, 0x0075DBFF, 12, 1);
        CPub::DrawRect(pDC, rcButton, 0x0069BDFF);
    }

    DrawGlyph(pDC, H, RGB(0, 0, 0));
}

void CWndDrop::DrawHeader_Flat(CDC* pDC, CRect& rcHeader)
{
    const CRect& H = rcHeader;
    pDC->FillSolidRect(&H, ::GetSysColor(LumoPalette::SysIndex(LumoPalette::HEADER)));
    const COLORREF crFrame = ::GetSysColor(LumoPalette::SysIndex(LumoPalette::FRAME));
    CRect F(H.left, H.top, H.right - 1, H.bottom - 1);
    CPub::DrawRect(pDC, F, crFrame);
    if (m_nViewStyle == 1)
        DrawGlyph(pDC, H, ::GetSysColor(LumoPalette::SysIndex(LumoPalette::HEADER_TEXT)));
}

void CWndDrop::DrawGlyph(CDC* pDC, const CRect& H, COLORREF crGlyph)
{
    HDC hDC = pDC->m_hDC;
    // A chevron line is one pixel at 96 DPI, wider at higher DPIs.
    HPEN hPen = ::CreatePen(PS_SOLID, m_pDpi->Pen(1), crGlyph);
    HGDIOBJ hOld = ::SelectObject(hDC, hPen);
    const int x0 = H.right - m_pDpi->Scale(kChevronRight);
    const int my = (H.top + H.bottom) / 2;
    // Two chevrons, 96-DPI offsets from (x0, my): pointing up while dropped, down while closed.
    static const POINT kUp[2][3] = { { { -3, -1 }, { 0, -4 }, { 4, 0 } }, { { -3, 3 }, { 0, 0 }, { 4, 4 } } };
    static const POINT kDown[2][3] = { { { -3, -3 }, { 0, 0 }, { 4, -4 } }, { { -3, 1 }, { 0, 4 }, { 4, 0 } } };
    for (int c = 0; c < 2; ++c)
    {
        POINT a[3];
        for (int i = 0; i < 3; ++i)
        {
            const POINT& p = m_bDropped ? kUp[c][i] : kDown[c][i];
            a[i].x = x0 + m_pDpi->Scale(p.x);
            a[i].y = my + m_pDpi->Scale(p.y);
        }
        ::Polyline(hDC, a, 3);
    }
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hPen);
}
