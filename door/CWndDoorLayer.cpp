#include "door/CWndDoorLayer.h"
#include "frame/HostNotify.h"
#include "CGlobalInfo.h"
#include "shadow/CShadowWin.h"

IMPLEMENT_DYNCREATE(CWndDoorLayer, CWndBack)

BEGIN_MESSAGE_MAP(CWndDoorLayer, CWndBack)
    ON_WM_TIMER()
    ON_REGISTERED_MESSAGE(m_MsgSendChildren, OnSendChildren)
    ON_WM_SIZE()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_RBUTTONUP()
END_MESSAGE_MAP()

/////////////////////////////////////////////////////////////////////////////
// construction

CWndDoorLayer::CWndDoorLayer()
    : m_nHue(0), m_nAnimating(-1), m_bSingleDrop(TRUE), m_bScrolling(FALSE),
      m_tLastScroll(clock()), m_nViewStyle(0), m_pRClickMsg(NULL)
{
    m_MyWin.SetParent(this);
    UseWholePaint();
}

CWndDoorLayer::~CWndDoorLayer()
{
    // Drops still alive (the object goes before its window) must not call back into us.
    for (int i = 0; i < m_arrDrops.GetSize(); ++i)
        m_arrDrops[i]->SetOwnerLayer(NULL);
    m_arrDrops.RemoveAll();
}

BOOL CWndDoorLayer::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                           const RECT& rect, CWnd* pParentWnd, UINT nID, void* pContext)
{
    if (!pParentWnd || !::IsWindow(pParentWnd->GetSafeHwnd()))
    {
        PostNcDestroy();  // as a failed framework creation
        return FALSE;
    }
    if (!CWnd::CreateEx(WS_EX_CONTROLPARENT, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd,
                        nID, pContext))
        return FALSE;
    SetTransparent(TRUE);
    return TRUE;
}

void CWndDoorLayer::ForgetDrop(CWndDrop* pDrop)
{
    for (int i = 0; i < m_arrDrops.GetSize(); ++i)
    {
        if (m_arrDrops[i] != pDrop)
            continue;
        if (m_nAnimating == i)
        {
            m_nAnimating = -1;
            if (m_hWnd)
            {
                KillTimer(DOORLAYER_TIMER_OPEN);
                KillTimer(DOORLAYER_TIMER_CLOSE);
            }
        }
        else if (m_nAnimating > i)
            --m_nAnimating;
        m_arrDrops.RemoveAt(i);
        return;
    }
}

/////////////////////////////////////////////////////////////////////////////
// drops

int CWndDoorLayer::IndexOf(HWND hDrop) const
{
    if (!hDrop)
        return -1;
    for (int i = 0; i < m_arrDrops.GetSize(); ++i)
        if (m_arrDrops[i]->m_hWnd == hDrop)
            return i;
    return -1;
}

CWndDrop* CWndDoorLayer::SearchDropWnd(HWND hDrop)
{
    int i = IndexOf(hDrop);
    return i < 0 ? NULL : m_arrDrops[i];
}

HWND CWndDoorLayer::EnumDropWnd(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_arrDrops.GetSize())
        return NULL;
    return m_arrDrops[nIndex]->m_hWnd;
}

HWND CWndDoorLayer::AddDropWnd(LPCSTR lpszTitle, int x, int nRight, int nGap, int nOpenHeight)
{
    if (!m_hWnd)
        return NULL;
    const int nCount = (int)m_arrDrops.GetSize();
    CWndDrop* pDrop = new CWndDrop(nGap);
    pDrop->CWndBack::SetBkColor(m_crBk);
    if (!pDrop->Create(NULL, lpszTitle ? lpszTitle : "", 0, CRect(0, 0, 0, nOpenHeight), this,
                       1000 + nCount))
        return NULL;  // the failed Create took the object
    pDrop->SetOwnerLayer(this);
    pDrop->SetTitle(lpszTitle);
    pDrop->SetTitleHue(m_nHue);
    pDrop->SetMaxHeight(nOpenHeight);
    if (m_nViewStyle != 0)
        pDrop->ChangeViewStyle(m_nViewStyle);

    if (nCount > 0)
    {
        CWndDrop* pLast = m_arrDrops[nCount - 1];
        m_MyWin.AddSizeWnd_Under(pDrop->m_hWnd, pLast->m_hWnd, pDrop->GetHeaderHeight(), nGap);
        // Each drop comes to the top as it is made and laid out; it goes back behind the one
        // before, so that the keyboard's tab order and screen readers meet the drops from top
        // to bottom.
        pDrop->SetWindowPos(pLast, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
        pDrop->SetHeaderBkColor(m_arrDrops[0]->GetHeaderBkColor());
    }
    else
    {
        pDrop->SetDropped(TRUE);
        AddChild_AutoSize(pDrop->m_hWnd, x, nGap, nRight, -1);
    }
    m_arrDrops.Add(pDrop);
    if (IsWindowVisible())
        m_MyWin.OnSize(TRUE);
    return pDrop->m_hWnd;
}

int CWndDoorLayer::AttachDropBody(HWND hDrop, HWND hBody)
{
    CWndDrop* pDrop = SearchDropWnd(hDrop);
    if (!pDrop)
        return 0;
    pDrop->AttachBodyHwnd(hBody);
    m_MyWin.OnSize(TRUE);
    return 1;
}

BOOL CWndDoorLayer::SetSingleDrop(BOOL bSingle)
{
    BOOL bOld = m_bSingleDrop;
    m_bSingleDrop = bSingle;
    if (bSingle)
    {
        BOOL bSeen = FALSE;
        for (int i = 0; i < m_arrDrops.GetSize(); ++i)
        {
            CWndDrop* pDrop = m_arrDrops[i];
            if (!pDrop->IsDropped())
                continue;
            if (bSeen)
                SetDropped(pDrop->m_hWnd, FALSE);
            bSeen = TRUE;
        }
    }
    return bOld;
}

BOOL CWndDoorLayer::SetDropped(HWND hDrop, BOOL bDropped)
{
    CWndDrop* pDrop = SearchDropWnd(hDrop);
    if (!pDrop)
        return 0;
    BOOL bOld = pDrop->IsDropped();
    pDrop->SetDropped(bDropped);
    m_MyWin.ChangeOriginHeight(hDrop, bDropped ? pDrop->GetMaxHeight() : pDrop->GetHeaderHeight());
    UpdateScroll(TRUE);
    return bOld;
}

COLORREF CWndDoorLayer::SetDropHeaderColor(HWND hDrop, COLORREF crHeader)
{
    COLORREF crResult = crHeader;
    for (int i = 0; i < m_arrDrops.GetSize(); ++i)
    {
        CWndDrop* pDrop = m_arrDrops[i];
        if (hDrop && pDrop->m_hWnd != hDrop)
            continue;
        crResult = pDrop->SetHeaderBkColor(crHeader);
    }
    return crResult;
}

COLORREF CWndDoorLayer::GetDropHeaderColor(HWND hDrop)
{
    CWndDrop* pDrop = SearchDropWnd(hDrop);
    return pDrop ? pDrop->GetHeaderBkColor() : 0;
}

int CWndDoorLayer::SetHue(int nHue)
{
    int nOld = m_nHue;
    m_nHue = nHue;
    for (int i = 0; i < m_arrDrops.GetSize(); ++i)
        m_arrDrops[i]->SetTitleHue(nHue);
    return nOld;
}

COLORREF CWndDoorLayer::SetBkColor(COLORREF crBk)
{
    COLORREF crOld = CWndBack::SetBkColor(crBk);
    for (int i = 0; i < m_arrDrops.GetSize(); ++i)
        m_arrDrops[i]->CWndBack::SetBkColor(crBk);
    return crOld;
}

void CWndDoorLayer::SetViewStyle(int nStyle, int& nRClickMsg)
{
    m_nViewStyle = nStyle;
    m_pRClickMsg = &nRClickMsg;
    for (int i = 0; i < m_arrDrops.GetSize(); ++i)
    {
        CWndDrop* pDrop = m_arrDrops[i];
        pDrop->ChangeViewStyle(nStyle);
        m_MyWin.ChangeOriginHeight(pDrop->m_hWnd, pDrop->IsDropped() ? pDrop->GetMaxHeight()
                                                                     : pDrop->GetHeaderHeight());
    }
}

void CWndDoorLayer::FocusSingleDrop()
{
    CWndDrop* pOnly = NULL;
    int nDropped = 0;
    for (int i = 0; i < m_arrDrops.GetSize(); ++i)
        if (m_arrDrops[i]->IsDropped())
        {
            pOnly = m_arrDrops[i];
            ++nDropped;
        }
    if (nDropped == 1 && pOnly->m_hWnd)
        pOnly->FocusBody();
}

/////////////////////////////////////////////////////////////////////////////
// animation

void CWndDoorLayer::EnableShadows(CWndDrop* pDrop, BOOL bEnable)
{
    CShadowWin::Enable(pDrop->m_hWnd, bEnable);
    if (pDrop->GetBody())
        CShadowWin::Enable(pDrop->GetBody(), bEnable);
}

int CWndDoorLayer::DropStep() const
{
    const int k = CGlobalInfo::GetInstance()->IsWinNT() ? 1 : 2;
    const int n = (int)m_arrDrops.GetSize();
    if (n < 5)
        return 30 * k;
    if (n <= 8)
        return 60 * k;
    return 100 * k;
}

void CWndDoorLayer::ToggleDrop(HWND hDrop, int nMode)
{
    int nIndex = IndexOf(hDrop);
    if (nIndex < 0)
        return;
    CWndDrop* pDrop = m_arrDrops[nIndex];
    const BOOL bAnimate = Animates();
    if (bAnimate)
        EnableShadows(pDrop, FALSE);
    BOOL bClose = nMode == 0 ? pDrop->IsDropped() : (nMode == 1 ? FALSE : TRUE);
    if (bAnimate)
    {
        m_nAnimating = nIndex;
        SetTimer(bClose ? DOORLAYER_TIMER_CLOSE : DOORLAYER_TIMER_OPEN, 10);
        return;
    }
    m_MyWin.ChangeOriginHeight(hDrop, bClose ? pDrop->GetHeaderHeight() : pDrop->GetMaxHeight());
    pDrop->SetDropped(!bClose);
    // Without animation nothing else restacks the drops, so the layout runs here.
    UpdateScroll(TRUE);
}

void CWndDoorLayer::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != DOORLAYER_TIMER_OPEN && nIDEvent != DOORLAYER_TIMER_CLOSE)
    {
        CWndBack::OnTimer(nIDEvent);
        return;
    }
    if (m_nAnimating < 0 || m_nAnimating >= m_arrDrops.GetSize())
    {
        KillTimer(nIDEvent);
        m_nAnimating = -1;
        return;
    }
    CWndDrop* pDrop = m_arrDrops[m_nAnimating];
    const HWND hDrop = pDrop->m_hWnd;
    const int cur = m_MyWin.GetOriginHeight(hDrop);
    const int step = DropStep();
    int h;
    if (nIDEvent == DOORLAYER_TIMER_OPEN)
    {
        h = cur + step;
        if (h >= pDrop->GetMaxHeight())
        {
            h = pDrop->GetMaxHeight();
            m_nAnimating = -1;
            EnableShadows(pDrop, TRUE);
            KillTimer(DOORLAYER_TIMER_OPEN);
            UpdateScroll(FALSE);
        }
        pDrop->SetDropped(TRUE);
    }
    else
    {
        h = cur - step;
        if (h <= pDrop->GetHeaderHeight())
        {
            h = pDrop->GetHeaderHeight();
            m_nAnimating = -1;
            EnableShadows(pDrop, TRUE);
            KillTimer(DOORLAYER_TIMER_CLOSE);
            pDrop->SetDropped(FALSE);
            UpdateScroll(FALSE);
        }
    }
    m_MyWin.ChangeOriginHeight(hDrop, h);
    m_MyWin.OnSize(FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// scrolling

void CWndDoorLayer::UpdateScroll(BOOL bRedraw)
{
    if (!m_hWnd || !::IsWindow(m_hWnd))
        return;
    CRect rc;
    GetClientRect(&rc);
    const int H = rc.Height();
    const int total = TotalHeight();
    // Showing or hiding the bar recalculates and repaints the layer's frame even when nothing
    // changes; a resize of the door changes the bar seldom.
    const BOOL bBar = total > H;
    if (((GetStyle() & WS_VSCROLL) != 0) != (bBar != FALSE))
        ShowScrollBar(SB_VERT, bBar);
    if (total > H)
    {
        SCROLLINFO n;
        if (NewBar(H, total, n))
        {
            SetScrollInfo(SB_VERT, &n, TRUE);
            m_MyWin.SetScrollVert(GetScrollPos(SB_VERT));
            m_MyWin.OnSize(TRUE);
        }
        // The bar may have been set for this size before the move (PrepareScroll).
        else if (bRedraw || m_MyWin.GetScrollVert() != n.nPos)
        {
            m_MyWin.SetScrollVert(n.nPos);
            m_MyWin.OnSize(TRUE);
        }
        m_bScrolling = TRUE;
    }
    else if (m_bScrolling)
    {
        m_MyWin.SetScrollVert(0);
        m_MyWin.OnSize(TRUE);
        m_bScrolling = FALSE;
    }
    else if (bRedraw)
        m_MyWin.OnSize(TRUE);
}

int CWndDoorLayer::TotalHeight() const
{
    int total = 0;
    for (int i = 0; i < m_arrDrops.GetSize(); ++i)
    {
        const CWndDrop* pDrop = m_arrDrops[i];
        total += (pDrop->IsDropped() ? pDrop->GetMaxHeight() : pDrop->GetHeaderHeight()) +
                 pDrop->GetMarginTop();
    }
    return total;
}

// The system repaints a resized layer's frame, the bar in it, as the move's own step, before the
// layer hears of its new size: the bar takes the page of the height about to be given first,
// undrawn. A bar that comes or goes is left to the pass after the move.
void CWndDoorLayer::PrepareScroll(int nClientHeight)
{
    if (!m_bScrolling || !(GetStyle() & WS_VSCROLL))
        return;
    const int total = TotalHeight();
    SCROLLINFO n;
    if (total > nClientHeight && NewBar(nClientHeight, total, n))
        SetScrollInfo(SB_VERT, &n, FALSE);
}

// The bar for a client height and the drops' total height: its range, its page and the position
// kept from the bar's own (the top while the layer did not scroll). FALSE when the bar has them.
BOOL CWndDoorLayer::NewBar(int nClientHeight, int total, SCROLLINFO& n)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    GetScrollInfo(SB_VERT, &si, SIF_ALL);
    n = SCROLLINFO();
    n.cbSize = sizeof(n);
    n.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    n.nMax = total;
    n.nPage = (UINT)nClientHeight;
    n.nPos = !m_bScrolling ? 0 : si.nPos + nClientHeight <= total ? si.nPos : total - nClientHeight + 1;
    return si.nMax != total || si.nPos != n.nPos || si.nPage != n.nPage;
}

void CWndDoorLayer::ScrollTo(UINT nCode, int nThumb)
{
    clock_t now = clock();
    if ((now - m_tLastScroll) * 1000 / CLOCKS_PER_SEC < 50)
        return;
    m_tLastScroll = now;
    SetFocus();
    SCROLLINFO si = {};
    GetScrollInfo(SB_VERT, &si, SIF_ALL);
    const int max = si.nMax, page = (int)si.nPage, pos = si.nPos;
    int delta;
    switch (nCode)
    {
    case SB_LINEUP:
        if (pos == 0) return;
        delta = -1;
        break;
    case SB_LINEDOWN:
        if (page + pos > max) return;
        delta = 1;
        break;
    case SB_PAGEUP:
        if (pos == 0) return;
        delta = -page;
        break;
    case SB_PAGEDOWN:
        if (page + pos > max) return;
        delta = page;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        delta = nThumb - pos;
        break;
    default:
        return;
    }
    int nNew = pos + delta;
    if (nNew < 0)
        nNew = 0;
    if (page + nNew > max)
        nNew = max - page + 1;
    SetScrollPos(SB_VERT, nNew, TRUE);
    m_MyWin.SetScrollVert(nNew);
    m_MyWin.OnSize(TRUE);
}

void CWndDoorLayer::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    ScrollTo(nSBCode, (int)nPos);
    CWndBack::OnVScroll(nSBCode, nPos, pScrollBar);
}

BOOL CWndDoorLayer::OnMouseWheel(UINT, short zDelta, CPoint pt)
{
    if (!m_bScrolling)
        return TRUE;
    HWND hDoor = ::GetParent(m_hWnd);
    RECT rcDoor;
    if (!hDoor || !::GetWindowRect(hDoor, &rcDoor) || !::PtInRect(&rcDoor, pt))
        return TRUE;
    SCROLLINFO si = {};
    GetScrollInfo(SB_VERT, &si, SIF_ALL);
    const int page = (int)si.nPage;
    const int step = (int)((unsigned)(si.nMax - page) / 10u);
    int nNew = zDelta <= 0 ? si.nPos + step : si.nPos - step;
    if (nNew < 0)
        nNew = 0;
    if (page + nNew > si.nMax)
        nNew = si.nMax - page + 1;
    ScrollTo(SB_THUMBPOSITION, nNew);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// message handlers

BOOL CWndDoorLayer::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNM = (NMHDR*)lParam;
    if (!pNM || m_bFrozen || m_nAnimating != -1 || pNM->idFrom < 1000 ||
        (pNM->code != 0 && pNM->code != 5))
        return CWndBack::OnNotify(wParam, lParam, pResult);
    if (m_bSingleDrop)
    {
        CWndDrop* pDrop = SearchDropWnd(pNM->hwndFrom);
        if (!pDrop)
            return CWndBack::OnNotify(wParam, lParam, pResult);
        if ((wParam == 0 && !pDrop->IsDropped()) || wParam == 1)
        {
            BOOL bAnimation = m_bAnimationAble;
            m_bAnimationAble = FALSE;
            for (int i = 0; i < m_arrDrops.GetSize(); ++i)
                if (m_arrDrops[i]->IsDropped())
                    ToggleDrop(m_arrDrops[i]->m_hWnd, 0);
            m_bAnimationAble = bAnimation;
        }
    }
    ToggleDrop(pNM->hwndFrom, (int)wParam);
    return CWndBack::OnNotify(wParam, lParam, pResult);
}

// Transparent, the layer shows the door's background between and below the drops: the door
// paints it into the layer's device context, shifted to the layer's place in the door.
void CWndDoorLayer::Draw(CDC* pDC)
{
    HWND hParent = ::GetParent(m_hWnd);
    CWndBack* pParent = DYNAMIC_DOWNCAST(CWndBack, CWnd::FromHandlePermanent(hParent));
    if (!m_bTransparent || !pParent)
    {
        CWndBack::Draw(pDC);
        return;
    }
    POINT pt = { 0, 0 };
    ::MapWindowPoints(m_hWnd, hParent, &pt, 1);
    const CPoint ptOld = pDC->OffsetViewportOrg(-pt.x, -pt.y);
    pParent->PaintBackground(pDC);
    pDC->SetViewportOrg(ptOld);
}

void CWndDoorLayer::OnDpiChange(int nOldDpi)
{
    for (int i = 0; i < m_arrDrops.GetSize(); ++i)
    {
        CWndDrop* pDrop = m_arrDrops[i];
        if (i != m_nAnimating && pDrop->m_hWnd)
            m_MyWin.ChangeOriginHeight(pDrop->m_hWnd, pDrop->IsDropped() ? pDrop->GetMaxHeight()
                                                                         : pDrop->GetHeaderHeight());
    }
    CWndBack::OnDpiChange(nOldDpi);
}

// The scroll range follows the drops' new heights, and the drops are placed with it.
void CWndDoorLayer::OnDpiLayout()
{
    if (m_MyWin.IsStale())
        UpdateScroll(TRUE);
}

// The layer's own pixels are the door's background, which does not move with it: what a move
// uncovers is all there is to repaint, and the system asks for that.
void CWndDoorLayer::OnPlaced(CSize)
{
    m_MyWin.OnSize(FALSE);
}

LRESULT CWndDoorLayer::OnSendChildren(WPARAM wParam, LPARAM lParam)
{
    HandleSendChildren(wParam, lParam);
    for (int i = 0; i < m_arrDrops.GetSize(); ++i)
        if (m_arrDrops[i]->m_hWnd)
            ::SendMessageA(m_arrDrops[i]->m_hWnd, m_MsgSendChildren, wParam, lParam);
    return 0;
}

void CWndDoorLayer::OnSize(UINT nType, int cx, int cy)
{
    CWndBack::OnSize(nType, cx, cy);
    UpdateScroll(FALSE);
}

void CWndDoorLayer::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (m_pRClickMsg && *m_pRClickMsg != -1)
    {
        HWND hDoor = ::GetParent(m_hWnd);
        HostNotify::Post(hDoor ? ::GetParent(hDoor) : NULL, WM_USER + *m_pRClickMsg,
                         (WPARAM)m_hWnd, 0);
    }
    CWndBack::OnRButtonUp(nFlags, point);
}
