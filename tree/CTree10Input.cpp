// CTree10: hover selection, clicks, single expand, right clicks with the tip, double clicks,
// dragging onto a host window, and the messages that tell the host.
#include "CTree10.h"
#include "frame/HostNotify.h"

#include <ctime>
#include <cstdlib>
#include <utility>

namespace {

// The item the mouse last selected, shared by every tree of the process: hovering on stays
// quiet until the mouse reaches another item.
HTREEITEM g_hLastHover = (HTREEITEM)(ULONG_PTR)0xFFFFFFFF;

long DefaultClock()
{
    return (long)clock();
}

CTree10::PFNCLOCK g_pfnClock = DefaultClock;

// The begin-drag notification of a press the control is handling. The control sends it to the
// window it reports to, which hands it back to the tree only when it is a framework window; a
// thread hook sees it on its way whatever that window is.
struct BeginDragWatch
{
    HWND hTree;
    bool bSeen;
    HTREEITEM hItem;
    POINT ptDrag;
};
BeginDragWatch* g_pDragWatch = NULL;

LRESULT CALLBACK WatchBeginDrag(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMsg = (const CWPSTRUCT*)lParam;
    if (nCode == HC_ACTION && g_pDragWatch && pMsg->message == WM_NOTIFY && pMsg->lParam)
    {
        // The item and the point lie at the same places in the ANSI and the Unicode form.
        const NMTREEVIEWA* pNM = (const NMTREEVIEWA*)pMsg->lParam;
        if (pNM->hdr.hwndFrom == g_pDragWatch->hTree &&
            (pNM->hdr.code == TVN_BEGINDRAGA || pNM->hdr.code == TVN_BEGINDRAGW))
        {
            g_pDragWatch->bSeen = true;
            g_pDragWatch->hItem = pNM->itemNew.hItem;
            g_pDragWatch->ptDrag = pNM->ptDrag;
        }
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

}  // namespace

CTree10::PFNCLOCK CTree10::SetClock(PFNCLOCK pfn)
{
    return std::exchange(g_pfnClock, pfn ? pfn : DefaultClock);
}

/////////////////////////////////////////////////////////////////////////////
// host windows

void CTree10::SetSendMsg(HWND hWnd, int nMsg)
{
    m_hWndSelect = hWnd;
    m_nMsgSelect = nMsg;
}

void CTree10::SetSendMsg_DblClick(HWND hWnd, int nMsg)
{
    m_hWndDblClk = hWnd;
    m_nMsgDblClk = nMsg;
}

void CTree10::SetSendMsg_RButtonDown(HWND hWnd, int nMsg)
{
    m_hWndRButton = hWnd;
    m_nMsgRButton = nMsg;
}

void CTree10::SetSendMsg_ItemChanged(HWND hWnd, int nMsg)
{
    m_hWndItemChanged = hWnd;
    m_nMsgItemChanged = nMsg;
}

void CTree10::SetDragHwnd(HWND hWnd)
{
    m_hWndDrag = hWnd;
}

BOOL CTree10::Notify(HWND hWnd, int nMsg, LPARAM lParam)
{
    return HostNotify::Send(this, hWnd, WM_USER + nMsg, (WPARAM)m_hWnd, lParam);
}

CToolTipCtrl* CTree10::Tips()
{
    HWND hTips = (HWND)::SendMessageA(m_hWnd, TVM_GETTOOLTIPS, 0, 0);
    return hTips ? (CToolTipCtrl*)CWnd::FromHandle(hTips) : NULL;
}

/////////////////////////////////////////////////////////////////////////////
// behaviour

int CTree10::SetMousemoveSelect(int bOn)
{
    return std::exchange(m_bMousemoveSelect, bOn);
}

int CTree10::SetSingleExpand(int bOn)
{
    int bOld = m_bSingleExpand;
    m_bSingleExpand = bOn;
    if (bOn && m_hWnd)
    {
        HTREEITEM hItem = GetSelectedItem();
        if (hItem == NULL)
            return bOld;
        for (;;)
        {
            HTREEITEM hParent = GetParentItem(hItem);
            if (hParent == NULL || hParent == TVI_ROOT)
                break;
            hItem = hParent;
        }
        CollapseOtherTopItems(hItem);
    }
    return bOld;
}

void CTree10::CollapseOtherTopItems(HTREEITEM hKeep)
{
    for (HTREEITEM h = GetChildItem(TVI_ROOT); h; h = GetNextSiblingItem(h))
    {
        if (h != hKeep)
            ExpandChildren(h, 0);
    }
}

void CTree10::AutoCollapseSibling(HTREEITEM hItem)
{
    if (!m_bSingleExpand || hItem == NULL || !ItemHasChildren(hItem))
        return;
    HTREEITEM hFirst = hItem;
    for (HTREEITEM h = GetPrevSiblingItem(hFirst); h; h = GetPrevSiblingItem(h))
        hFirst = h;
    m_bCollapsing = 1;
    for (HTREEITEM h = hFirst; h; h = GetNextSiblingItem(h))
    {
        if (h != hItem)
            ExpandChildren(h, 0);
    }
    m_bCollapsing = 0;
}

BOOL CTree10::_SelectItem(HTREEITEM hItem)
{
    if (hItem == g_hLastHover || m_bCollapsing)
        return TRUE;
    g_hLastHover = hItem;
    Select(hItem, TVGN_CARET);
    if (!Notify(m_hWndItemChanged, m_nMsgItemChanged, (LPARAM)hItem))
        return FALSE;
    if (m_hTipItem && m_hTipItem != hItem)
    {
        if (CToolTipCtrl* pTips = Tips())
            pTips->Activate(FALSE);
        m_hTipItem = NULL;
    }
    return TRUE;
}

BOOL CTree10::_OnSelectItem(HTREEITEM hItem)
{
    if (hItem == NULL || m_hWnd == NULL)
        return TRUE;
    if (ItemHasChildren(hItem))
    {
        m_bCollapsing = 1;
        AutoCollapseSibling(hItem);
        // AutoCollapseSibling clears the flag on its way out; the click keeps it until done.
        m_bCollapsing = 1;
        HTREEITEM hNext = GetNextVisibleItem(hItem);
        bool bOpen = hNext != NULL && GetParentItem(hNext) == hItem;
        if (!bOpen)
        {
            Expand(hItem, TVE_EXPAND);
            SetItemImage(hItem, 3, 2);
        }
        else
        {
            Expand(hItem, TVE_COLLAPSE);
            SetItemImage(hItem, 1, 0);
        }
        // _SelectItem is a no-op while collapsing, so nobody is told here.
        _SelectItem(hItem);
        m_bCollapsing = 0;
        Invalidate(TRUE);
        EnsureVisible(hItem);
    }
    if (m_hWndSelect)
    {
        long tNow = g_pfnClock();
        const BOOL bTell = (tNow - m_tLastSelect) * 0.001 > 0.4;
        m_tLastSelect = tNow;
        if (bTell)
            return Notify(m_hWndSelect, m_nMsgSelect, (LPARAM)hItem);
    }
    return TRUE;
}

LRESULT CTree10::OnExpandSingleNode(WPARAM, LPARAM)
{
    HTREEITEM hFirst = GetChildItem(TVI_ROOT);
    if (hFirst && GetNextSiblingItem(hFirst) == NULL)
        Expand(hFirst, TVE_EXPAND);
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// mouse

void CTree10::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_hDragItem)
    {
        if (CToolTipCtrl* pTips = Tips())
            pTips->Activate(FALSE);
        OnMouseMove_Drag(nFlags, point);
        return;
    }

    UINT nHit = 0;
    HTREEITEM hItem = HitTest(point, &nHit);

    if (!(nHit & TVHT_NOWHERE) && m_hPendingClick)
    {
        HTREEITEM hPending = m_hPendingClick;
        m_hPendingClick = NULL;
        if (hItem == hPending)
            _OnSelectItem(hPending);
        return;
    }

    CToolTipCtrl* pTips = Tips();
    if (pTips)
    {
        MSG msg;
        memset(&msg, 0, sizeof(msg));
        msg.hwnd = m_hWnd;
        msg.message = WM_MOUSEMOVE;
        pTips->RelayEvent(&msg);
    }

    if (hItem == NULL || (nHit != TVHT_ONITEMLABEL && nHit != TVHT_ONITEMICON))
    {
        if (pTips)
            pTips->Activate(FALSE);
        return;
    }

    if (m_bMousemoveSelect)
    {
        if (m_hHandCursor)
            ::SetCursor(m_hHandCursor);
        _SelectItem(hItem);  // nothing follows, so a tree ended by the host is not touched
    }
    else if (m_hTipItem != hItem)
    {
        m_hTipItem = NULL;
        if (pTips)
            pTips->Activate(FALSE);
    }
}

void CTree10::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    UINT nHit = 0;
    HTREEITEM hItem = HitTest(point, &nHit);
    if (hItem == NULL)
        return;
    if (nHit == TVHT_ONITEMBUTTON)
    {
        Default();
        Invalidate(TRUE);
        return;
    }
    if (nHit == TVHT_ONITEMLABEL || nHit == TVHT_ONITEMICON)
        m_hPendingClick = hItem;
    if (m_hWndDrag == NULL)
    {
        Default();
        return;
    }
    // The control decides inside its press handling whether the mouse started a drag.
    const HWND hSelf = m_hWnd;
    BeginDragWatch watch = { hSelf, false, NULL, { 0, 0 } };
    BeginDragWatch* pOuter = std::exchange(g_pDragWatch, &watch);
    HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, WatchBeginDrag, NULL, ::GetCurrentThreadId());
    Default();
    if (hHook)
        ::UnhookWindowsHookEx(hHook);
    g_pDragWatch = pOuter;
    if (watch.bSeen && HostNotify::Alive(this, hSelf))
        BeginDrag(watch.hItem, watch.ptDrag);
}

void CTree10::OnLButtonUp(UINT, CPoint)
{
    if (m_hDragItem && !EndDrag(TRUE))
        return;
    m_hPendingClick = NULL;
    Default();
}

void CTree10::OnLButtonDblClk(UINT, CPoint point)
{
    Invalidate(TRUE);
    if (m_hWndDblClk)
    {
        HTREEITEM hItem = HitTest(point, NULL);
        if (!Notify(m_hWndDblClk, m_nMsgDblClk, (LPARAM)hItem))
            return;
    }
    Default();
}

void CTree10::OnRButtonDown(UINT, CPoint point)
{
    UINT nHit = 0;
    HTREEITEM hItem = HitTest(point, &nHit);
    if (hItem == NULL || (nHit != TVHT_ONITEMLABEL && nHit != TVHT_ONITEMICON))
        return;
    m_hTipItem = hItem;
    if (!_SelectItem(hItem))
        return;
    if (CToolTipCtrl* pTips = Tips())
    {
        pTips->Activate(TRUE);
        CString strTip = GetItemTip(hItem);
        pTips->UpdateTipText(strTip, this);
    }
    if (!Notify(m_hWndRButton, m_nMsgRButton, (LPARAM)hItem))
        return;
    Default();
}

/////////////////////////////////////////////////////////////////////////////
// dragging

// Reaches the tree when its parent reflects notifications; a press also catches the
// notification on its way (OnLButtonDown), and the second of the two finds the drag running.
void CTree10::OnBegindrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMTREEVIEWA* pNMTV = (NMTREEVIEWA*)pNMHDR;
    BeginDrag(pNMTV->itemNew.hItem, pNMTV->ptDrag);
}

void CTree10::BeginDrag(HTREEITEM hItem, POINT ptDrag)
{
    m_hPendingClick = NULL;
    if (m_hDragItem || m_hWndDrag == NULL || hItem == NULL)
        return;

    ::SetCapture(m_hWnd);
    m_hDragItem = hItem;
    delete m_pDragImage;
    m_pDragImage = CreateDragImage(m_hDragItem);

    POINT pt = ptDrag;
    ::MapWindowPoints(m_hWnd, m_hWndDrag, &pt, 1);
    ImageList_DragEnter(m_hWndDrag, pt.x, pt.y);
    if (m_pDragImage)
        ImageList_BeginDrag(m_pDragImage->GetSafeHandle(), 0, 0, 0);
    ::SetCursor(::LoadCursorA(NULL, (LPCSTR)IDC_NO));
}

void CTree10::OnMouseMove_Drag(UINT, CPoint point)
{
    POINT ptScreen = point;
    ::ClientToScreen(m_hWnd, &ptScreen);
    POINT ptTarget = ptScreen;
    ::ScreenToClient(m_hWndDrag, &ptTarget);
    ImageList_DragMove(ptTarget.x, ptTarget.y);
    ImageList_DragEnter(m_hWndDrag, ptTarget.x, ptTarget.y);

    CRect rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    if (IsMouseOverTargetHwnd(ptScreen))
        ::SetCursor(::LoadCursorA(NULL, (LPCSTR)IDC_ARROW));
    else if (rcClient.PtInRect(point))
        ::SetCursor(m_hHandCursor);
    else
        ::SetCursor(::LoadCursorA(NULL, (LPCSTR)IDC_NO));
}

BOOL CTree10::EndDrag(BOOL bDrop)
{
    ImageList_DragLeave(m_hWnd);
    ImageList_EndDrag();
    delete m_pDragImage;
    m_pDragImage = NULL;
    HTREEITEM hDragItem = m_hDragItem;
    // Cleared before the capture goes, so the capture change cannot start a second ending.
    m_hDragItem = NULL;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    POINT pt;
    ::GetCursorPos(&pt);
    if (!bDrop || !IsMouseOverTargetHwnd(pt))
        return TRUE;
    return Notify(m_hWndDrag, 3, (LPARAM)atoi(GetItemCode(hDragItem)));
}

int CTree10::IsMouseOverTargetHwnd(CPoint ptScreen)
{
    if (m_hWndDrag == NULL || !::IsWindow(m_hWndDrag))
        return 0;
    CRect rcTarget;
    ::GetClientRect(m_hWndDrag, &rcTarget);
    ::MapWindowPoints(m_hWndDrag, NULL, (LPPOINT)&rcTarget, 2);
    if (!rcTarget.PtInRect(ptScreen))
        return 0;
    CRect rcTree;
    ::GetWindowRect(m_hWnd, &rcTree);
    if (rcTree.PtInRect(ptScreen))
        return 0;
    for (HWND h = ::WindowFromPoint(ptScreen); h; h = ::GetParent(h))
    {
        char szText[16];
        szText[0] = '\0';
        ::GetWindowTextA(h, szText, sizeof(szText));
        if (strcmp(szText, "DoorWin") == 0)
            return 0;
    }
    return 1;
}
