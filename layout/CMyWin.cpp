// Layout manager and placement persistence.
#include "CMyWin.h"
#include "layout/LayoutCounts.h"

#include <afxapp.h>
#include <CDRAW.h>

#include <stdio.h>
#include <vector>
#include <utility>

namespace {

// A window of the centred row along the bottom edge.
struct CSerialWnd
{
    HWND m_hWnd;
    int m_nBottom;  // pixels between the window's bottom and the bottom of the client area
    int m_nGap;     // pixels to the next window of the row
};

const TCHAR kSection[] = _T("Settings");
const TCHAR kWindowPos[] = _T("WindowPos");

// Returned by LoadAppNumeric for an entry that holds no number.
const int kMalformedNumeric = 200;

// Batches begun and windows placed on their own by the layouts, for the tests.
volatile LONG g_nBatches = 0;
volatile LONG g_nDirectMoves = 0;

}  // namespace

LONG LayoutCounts::Batches()
{
    return g_nBatches;
}

LONG LayoutCounts::DirectMoves()
{
    return g_nDirectMoves;
}

// ---------------------------------------------------------------------------------------------
// CLayoutBatch: the moves of one layout pass, applied together
// ---------------------------------------------------------------------------------------------

// Collects the moves, shows and hides of a pass in one DeferWindowPos batch, so the parent's
// children change place in one step and repaint once. A window that is not a direct child of
// the managed parent cannot join the batch (a batch holds siblings only) and is placed at once.
// The frame repaint each shown window gets is sent after the batch has been applied.
class CLayoutBatch
{
public:
    // bChangesOnly: windows already where and as the pass wants them are left alone, and no
    // frame repaints are sent.
    CLayoutBatch(HWND hParent, int nExpected, BOOL bChangesOnly = FALSE)
        : m_hParent(hParent), m_hdwp(NULL), m_nExpected(nExpected > 0 ? nExpected : 1),
          m_bChangesOnly(bChangesOnly), m_pPlan(NULL)
    {
    }
    // Gathers the pass's moves into the plan instead of making them.
    CLayoutBatch(HWND hParent, BOOL bChangesOnly, CLayoutPlan& plan)
        : m_hParent(hParent), m_hdwp(NULL), m_nExpected(1), m_bChangesOnly(bChangesOnly),
          m_pPlan(&plan)
    {
    }
    ~CLayoutBatch() { Flush(); }

    CLayoutPlan* GetPlan() const { return m_pPlan; }

    // lpRect null: the window is not moved. nShow: SW_SHOW, SW_HIDE or -1 for neither.
    void Place(HWND hWnd, const RECT* lpRect, int nShow, BOOL bNcPaint)
    {
        Entry e;
        e.hWnd = hWnd;
        e.bMove = lpRect != NULL;
        if (lpRect != NULL)
            e.rc = *lpRect;
        else
            ::SetRectEmpty(&e.rc);
        e.nShow = nShow;
        e.bNcPaint = bNcPaint && !m_bChangesOnly;
        if (m_bChangesOnly)
        {
            if (IsPending(hWnd))
                Flush();
            if (IsInPlace(e))
                return;
        }
        if (m_pPlan != NULL)
        {
            m_pPlan->Add(hWnd, lpRect, nShow);
            return;
        }

        if (::GetAncestor(hWnd, GA_PARENT) != m_hParent)
        {
            Flush();
            ApplyDirect(e);
            return;
        }
        if (IsPending(hWnd))
            Flush();
        if (m_hdwp == NULL)
        {
            m_hdwp = ::BeginDeferWindowPos(m_nExpected);
            ::InterlockedIncrement(&g_nBatches);
        }
        if (m_hdwp == NULL)
        {
            ApplyDirect(e);
            return;
        }
        UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (!e.bMove)
            nFlags |= SWP_NOMOVE | SWP_NOSIZE;
        BOOL bVisibleStyle = (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
        if (nShow == SW_SHOW && !::IsWindowVisible(hWnd))
            nFlags |= SWP_SHOWWINDOW;
        else if (nShow == SW_HIDE && bVisibleStyle)
            nFlags |= SWP_HIDEWINDOW;
        m_entries.push_back(e);
        m_hdwp = ::DeferWindowPos(m_hdwp, hWnd, NULL, e.rc.left, e.rc.top, e.rc.right - e.rc.left,
                                  e.rc.bottom - e.rc.top, nFlags);
        if (m_hdwp == NULL)
        {
            // A failed batch is gone with everything queued in it: place those windows one by one.
            std::vector<Entry> entries;
            entries.swap(m_entries);
            for (size_t i = 0; i < entries.size(); ++i)
                ApplyDirect(entries[i]);
        }
    }

    // Makes a window's real position current before it is read.
    void Settle(HWND hWnd)
    {
        if (IsPending(hWnd))
            Flush();
    }

    void Flush()
    {
        if (m_hdwp != NULL)
        {
            HDWP hdwp = m_hdwp;
            m_hdwp = NULL;
            ::EndDeferWindowPos(hdwp);
        }
        std::vector<Entry> entries;
        entries.swap(m_entries);
        for (size_t i = 0; i < entries.size(); ++i)
        {
            if (entries[i].bNcPaint && ::IsWindow(entries[i].hWnd))
                ::SendMessage(entries[i].hWnd, WM_NCPAINT, 1, 0);
        }
    }

    // One window's move, show or hide.
    struct Entry
    {
        HWND hWnd;
        RECT rc;
        BOOL bMove;
        int nShow;
        BOOL bNcPaint;
    };

    // The window already stands where the entry puts it, shown or hidden as it asks.
    static bool IsInPlace(const Entry& e)
    {
        const bool bVisible = (::GetWindowLongPtr(e.hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
        if ((e.nShow == SW_SHOW && !bVisible) || (e.nShow == SW_HIDE && bVisible))
            return false;
        if (!e.bMove)
            return true;
        RECT rc;
        ::GetWindowRect(e.hWnd, &rc);
        HWND hParent = ::GetAncestor(e.hWnd, GA_PARENT);
        if (hParent != NULL && hParent != ::GetDesktopWindow())
            ::MapWindowPoints(NULL, hParent, reinterpret_cast<LPPOINT>(&rc), 2);
        return ::EqualRect(&rc, &e.rc) != FALSE;
    }

    // The same steps one window at a time: a shown window is moved, then shown; a hidden one
    // is hidden, then parked.
    static void ApplyDirect(const Entry& e)
    {
        if (!::IsWindow(e.hWnd))
            return;
        ::InterlockedIncrement(&g_nDirectMoves);
        if (e.nShow == SW_HIDE)
            ::ShowWindow(e.hWnd, SW_HIDE);
        if (e.bMove)
            ::MoveWindow(e.hWnd, e.rc.left, e.rc.top, e.rc.right - e.rc.left, e.rc.bottom - e.rc.top, TRUE);
        if (e.nShow == SW_SHOW && !::IsWindowVisible(e.hWnd))
            ::ShowWindow(e.hWnd, SW_SHOW);
        if (e.bNcPaint)
            ::SendMessage(e.hWnd, WM_NCPAINT, 1, 0);
    }

private:
    bool IsPending(HWND hWnd) const
    {
        for (size_t i = 0; i < m_entries.size(); ++i)
        {
            if (m_entries[i].hWnd == hWnd)
                return true;
        }
        return false;
    }

    HWND m_hParent;
    HDWP m_hdwp;
    int m_nExpected;
    BOOL m_bChangesOnly;
    CLayoutPlan* m_pPlan;
    std::vector<Entry> m_entries;
};

// ---------------------------------------------------------------------------------------------
// CLayoutPlan
// ---------------------------------------------------------------------------------------------

struct CLayoutPlan::Step
{
    HWND hWnd;
    RECT rc;
    BOOL bMove;
    int nShow;
    // Exact repaint: the move is made without the system repainting or copying anything, and
    // the plan invalidates what it changed, from where the window was.
    BOOL bExact;
    RECT rcOld;        // in the parent's client coordinates
    POINT ptOldOrigin; // the client origin, on the screen
    SIZE sizeOldClient;
};

struct CLayoutPlan::Hold
{
    HWND hParent;
    CWnd* pParent;  // compared, never used: tells that the manager still lays out that window
    CMyWin* pWin;
    RECT rcClient;
    int nScrollVert;
    BOOL bRerun;    // a pass for another layout was asked for while the plan was applied
};

namespace {

// The plans being applied on this thread, innermost first (each links to the one it runs in).
thread_local const CLayoutPlan* t_pApplying = NULL;

}  // namespace

CLayoutPlan::CLayoutPlan() : m_pOuter(NULL)
{
}

CLayoutPlan::~CLayoutPlan()
{
    for (int i = 0; i < m_arrSteps.GetSize(); ++i)
        delete static_cast<Step*>(m_arrSteps[i]);
    for (int i = 0; i < m_arrHolds.GetSize(); ++i)
        delete static_cast<Hold*>(m_arrHolds[i]);
}

HWND CLayoutPlan::GetWnd(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_arrSteps.GetSize())
        return NULL;
    return static_cast<Step*>(m_arrSteps[nIndex])->hWnd;
}

const CLayoutPlan::Step* CLayoutPlan::Find(HWND hWnd) const
{
    for (int i = 0; i < m_arrSteps.GetSize(); ++i)
    {
        const Step* p = static_cast<Step*>(m_arrSteps[i]);
        if (p->hWnd == hWnd)
            return p;
    }
    return NULL;
}

BOOL CLayoutPlan::GetPlannedRect(HWND hWnd, LPRECT lpRect) const
{
    const Step* p = Find(hWnd);
    if (p == NULL || !p->bMove || p->nShow == SW_HIDE)
        return FALSE;
    *lpRect = p->rc;
    return TRUE;
}

BOOL CLayoutPlan::GetPlannedClientSize(HWND hWnd, SIZE& size) const
{
    RECT rcPlanned, rcWindow, rcClient;
    if (!GetPlannedRect(hWnd, &rcPlanned) || !::GetWindowRect(hWnd, &rcWindow) || !::GetClientRect(hWnd, &rcClient))
        return FALSE;
    size.cx = rcPlanned.right - rcPlanned.left - (rcWindow.right - rcWindow.left - rcClient.right);
    size.cy = rcPlanned.bottom - rcPlanned.top - (rcWindow.bottom - rcWindow.top - rcClient.bottom);
    return TRUE;
}

void CLayoutPlan::Add(HWND hWnd, const RECT* lpRect, int nShow)
{
    Step* p = new Step;
    p->hWnd = hWnd;
    p->bMove = lpRect != NULL;
    if (lpRect != NULL)
        p->rc = *lpRect;
    else
        ::SetRectEmpty(&p->rc);
    p->nShow = nShow;
    p->bExact = FALSE;
    m_arrSteps.Add(p);
}

void CLayoutPlan::AddHold(CMyWin* pWin, const RECT& rcClient)
{
    Hold* p = new Hold;
    p->pParent = pWin->GetParent();
    p->hParent = p->pParent->GetSafeHwnd();
    p->pWin = pWin;
    p->rcClient = rcClient;
    p->nScrollVert = pWin->GetScrollVert();
    p->bRerun = FALSE;
    m_arrHolds.Add(p);
}

// A pass of a planned manager while the plan is applied: the one planned has nothing left to
// do; one for another layout would be undone by the moves still to come in the batch, so it
// runs after the batch.
BOOL CLayoutPlan::Holds(HWND hParent, const RECT& rcClient, int nScrollVert) const
{
    for (int i = 0; i < m_arrHolds.GetSize(); ++i)
    {
        Hold* p = static_cast<Hold*>(m_arrHolds[i]);
        if (p->hParent != hParent)
            continue;
        if (p->nScrollVert != nScrollVert || !::EqualRect(&p->rcClient, &rcClient))
            p->bRerun = TRUE;
        return TRUE;
    }
    return FALSE;
}

// Where the window's client origin lies on the screen once the plan is applied, from the
// planned places of the window and its ancestors. FALSE when the plan moves none of them, or
// when one is mirrored: the real position then answers.
BOOL CLayoutPlan::PlannedOrigin(HWND hWnd, POINT& pt) const
{
    POINT offset = { 0, 0 };  // the client origin of the window reached, from its parent's
    BOOL bPlanned = FALSE;
    for (HWND h = hWnd; h != NULL; h = ::GetAncestor(h, GA_PARENT))
    {
        if (::GetWindowLongPtr(h, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
            return FALSE;
        const Step* p = Find(h);
        POINT client = { 0, 0 };
        ::ClientToScreen(h, &client);
        if (p == NULL || !p->bMove || !(::GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD))
        {
            pt.x = client.x + offset.x;
            pt.y = client.y + offset.y;
            return bPlanned;
        }
        RECT rcWindow;
        ::GetWindowRect(h, &rcWindow);
        offset.x += p->rc.left + client.x - rcWindow.left;
        offset.y += p->rc.top + client.y - rcWindow.top;
        bPlanned = TRUE;
    }
    return FALSE;
}

void CLayoutPlan::Apply(BOOL bExactRepaint)
{
    const int nCount = GetCount();
    if (nCount == 0)
        return;
    m_pOuter = t_pApplying;
    t_pApplying = this;
    HDWP hdwp = ::BeginDeferWindowPos(nCount);
    ::InterlockedIncrement(&g_nBatches);
    for (int i = 0; i < nCount && hdwp != NULL; ++i)
    {
        Step* p = static_cast<Step*>(m_arrSteps[i]);
        if (!::IsWindow(p->hWnd))
            continue;
        UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (!p->bMove)
            nFlags |= SWP_NOMOVE | SWP_NOSIZE;
        const BOOL bVisible = ::IsWindowVisible(p->hWnd);
        if (p->nShow == SW_SHOW && !bVisible)
            nFlags |= SWP_SHOWWINDOW;
        else if (p->nShow == SW_HIDE && (::GetWindowLongPtr(p->hWnd, GWL_STYLE) & WS_VISIBLE))
            nFlags |= SWP_HIDEWINDOW;
        p->bExact = bExactRepaint && p->bMove && bVisible && !(nFlags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) &&
                    NoteWhereItIs(p);
        if (p->bExact)
            nFlags |= SWP_NOREDRAW | SWP_NOCOPYBITS;
        hdwp = ::DeferWindowPos(hdwp, p->hWnd, NULL, p->rc.left, p->rc.top, p->rc.right - p->rc.left,
                                p->rc.bottom - p->rc.top, nFlags);
    }
    // A system that refuses the batch (it may want siblings only) has placed nothing, or part:
    // what is not yet in place is placed one window at a time.
    if (hdwp == NULL || !::EndDeferWindowPos(hdwp))
    {
        for (int i = 0; i < nCount; ++i)
        {
            const Step* p = static_cast<Step*>(m_arrSteps[i]);
            CLayoutBatch::Entry e = { p->hWnd, p->rc, p->bMove, p->nShow, FALSE };
            if (::IsWindow(p->hWnd) && !CLayoutBatch::IsInPlace(e))
                CLayoutBatch::ApplyDirect(e);
        }
    }
    for (int i = 0; i < nCount; ++i)
    {
        const Step* p = static_cast<Step*>(m_arrSteps[i]);
        if (p->bExact && ::IsWindow(p->hWnd))
            InvalidateChange(p);
    }
    t_pApplying = m_pOuter;
    m_pOuter = NULL;
    for (int i = 0; i < m_arrHolds.GetSize(); ++i)
    {
        const Hold* p = static_cast<Hold*>(m_arrHolds[i]);
        if (p->bRerun && ::IsWindow(p->hParent) && CWnd::FromHandlePermanent(p->hParent) == p->pParent)
            p->pWin->OnSize(FALSE);
    }
}

// Notes where a window is before an exact-repaint move; FALSE for a window with a frame (a
// border, a scroll bar), whose frame the system had better repaint itself.
BOOL CLayoutPlan::NoteWhereItIs(Step* p)
{
    RECT rcWindow, rcClient;
    if (!::GetWindowRect(p->hWnd, &rcWindow) || !::GetClientRect(p->hWnd, &rcClient) ||
        rcWindow.right - rcWindow.left != rcClient.right || rcWindow.bottom - rcWindow.top != rcClient.bottom)
        return FALSE;
    HWND hParent = ::GetAncestor(p->hWnd, GA_PARENT);
    if (hParent == NULL)
        return FALSE;
    p->rcOld = rcWindow;
    ::MapWindowPoints(NULL, hParent, reinterpret_cast<LPPOINT>(&p->rcOld), 2);
    p->ptOldOrigin.x = p->ptOldOrigin.y = 0;
    ::ClientToScreen(p->hWnd, &p->ptOldOrigin);
    p->sizeOldClient.cx = rcClient.right;
    p->sizeOldClient.cy = rcClient.bottom;
    return TRUE;
}

// What the system invalidates after a move, for a window moved without it: in the parent (and
// whatever lies under), the area the window uncovered; in the window, everything when it moved
// on the screen, else the area new to it. The window adds what its contents need itself.
void CLayoutPlan::InvalidateChange(const Step* p)
{
    const UINT nFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN;
    HWND hParent = ::GetAncestor(p->hWnd, GA_PARENT);
    RECT rcNew;
    ::GetWindowRect(p->hWnd, &rcNew);
    ::MapWindowPoints(NULL, hParent, reinterpret_cast<LPPOINT>(&rcNew), 2);
    if (!::EqualRect(&rcNew, &p->rcOld))
    {
        HRGN hUncovered = ::CreateRectRgnIndirect(&p->rcOld);
        HRGN hNew = ::CreateRectRgnIndirect(&rcNew);
        if (hUncovered && hNew && ::CombineRgn(hUncovered, hUncovered, hNew, RGN_DIFF) != NULLREGION)
            ::RedrawWindow(hParent, NULL, hUncovered, nFlags);
        if (hUncovered)
            ::DeleteObject(hUncovered);
        if (hNew)
            ::DeleteObject(hNew);
    }

    POINT ptOrigin = { 0, 0 };
    ::ClientToScreen(p->hWnd, &ptOrigin);
    if (ptOrigin.x != p->ptOldOrigin.x || ptOrigin.y != p->ptOldOrigin.y)
    {
        ::RedrawWindow(p->hWnd, NULL, NULL, nFlags | RDW_FRAME);
        return;
    }
    RECT rcClient;
    ::GetClientRect(p->hWnd, &rcClient);
    if (rcClient.right > p->sizeOldClient.cx)
    {
        RECT rc = { p->sizeOldClient.cx, 0, rcClient.right, rcClient.bottom };
        ::RedrawWindow(p->hWnd, &rc, NULL, nFlags);
    }
    if (rcClient.bottom > p->sizeOldClient.cy)
    {
        RECT rc = { 0, p->sizeOldClient.cy, rcClient.right, rcClient.bottom };
        ::RedrawWindow(p->hWnd, &rc, NULL, nFlags);
    }
}

// ---------------------------------------------------------------------------------------------
// CAutoWnd
// ---------------------------------------------------------------------------------------------

CAutoWnd::CAutoWnd()
    : m_hWnd(NULL), m_nType(0), m_nBottom(0), m_nRight(0), m_bCenterH(FALSE), m_bCenterV(FALSE),
      m_hWndAbove(NULL), m_nUnderPixel(0), m_bOtherParent(FALSE), m_nOriginX(0), m_nOriginY(0),
      m_nOriginWidth(0), m_nOriginHeight(0)
{
    ::SetRectEmpty(&m_rcLast);
}

CAutoWnd::~CAutoWnd()
{
}

// ---------------------------------------------------------------------------------------------
// CMyWin: construction and attributes
// ---------------------------------------------------------------------------------------------

CMyWin::CMyWin()
    : m_pParent(NULL), m_bEnable(TRUE), m_nMarginRight(0), m_nMarginBottom(0), m_nMarginLeft(0),
      m_nMarginTop(0), m_nScrollVert(0), m_bChangesOnly(FALSE), m_bStale(FALSE), m_nPasses(0)
{
}

CMyWin::~CMyWin()
{
    Clear();
}

CWnd* CMyWin::SetParent(CWnd* pParent)
{
    return std::exchange(m_pParent, pParent);
}

BOOL CMyWin::SetEnable(BOOL bEnable)
{
    return std::exchange(m_bEnable, bEnable);
}

int CMyWin::SetMarginLeft(int n)
{
    return std::exchange(m_nMarginLeft, n);
}

int CMyWin::SetMarginRight(int n)
{
    return std::exchange(m_nMarginRight, n);
}

int CMyWin::SetMarginTop(int n)
{
    return std::exchange(m_nMarginTop, n);
}

int CMyWin::SetMarginBottom(int n)
{
    return std::exchange(m_nMarginBottom, n);
}

int CMyWin::SetScrollVert(int n)
{
    return std::exchange(m_nScrollVert, n);
}

BOOL CMyWin::SetChangesOnly(BOOL bChangesOnly)
{
    return std::exchange(m_bChangesOnly, bChangesOnly);
}

// ---------------------------------------------------------------------------------------------
// CMyWin: rules
// ---------------------------------------------------------------------------------------------

// The window's rectangle in the managed parent's client coordinates (screen coordinates when
// no parent window is set).
void CMyWin::GetRectInParent(HWND hWnd, LPRECT lpRect) const
{
    ::GetWindowRect(hWnd, lpRect);
    HWND hParent = m_pParent->GetSafeHwnd();
    if (hParent != NULL)
        ::MapWindowPoints(NULL, hParent, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CMyWin::AddMoveWnd(HWND hWnd, int nRight, int nBottom, BOOL bCenterV, BOOL bCenterH)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return;
    RECT rc;
    GetRectInParent(hWnd, &rc);
    CAutoWnd* pAuto = new CAutoWnd;
    pAuto->m_nType = CAutoWnd::typeMove;
    pAuto->m_hWnd = hWnd;
    pAuto->m_nRight = nRight;
    pAuto->m_nBottom = nBottom;
    pAuto->m_bCenterV = bCenterV;
    pAuto->m_bCenterH = bCenterH;
    pAuto->m_nOriginWidth = rc.right - rc.left;
    pAuto->m_nOriginHeight = rc.bottom - rc.top;
    if (nRight == -1)
        pAuto->m_nOriginX = rc.left;
    if (nBottom == -1)
        pAuto->m_nOriginY = rc.top;
    m_arrWnd.Add(pAuto);
    ::BringWindowToTop(hWnd);
}

void CMyWin::AddSizeWnd(HWND hWnd, int x, int y, int nRight, int nBottom)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return;
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    CAutoWnd* pAuto = new CAutoWnd;
    pAuto->m_nType = CAutoWnd::typeSize;
    pAuto->m_hWnd = hWnd;
    pAuto->m_nOriginX = x;
    pAuto->m_nOriginY = y;
    pAuto->m_nRight = nRight;
    pAuto->m_nBottom = nBottom;
    if (nRight == -1)
        pAuto->m_nOriginWidth = rc.right - rc.left;
    if (nBottom == -1)
        pAuto->m_nOriginHeight = rc.bottom - rc.top;
    m_arrWnd.Add(pAuto);
    ::BringWindowToTop(hWnd);
}

void CMyWin::AddSizeWnd_Under(HWND hWnd, HWND hWndAbove, int nHeight, int nUnderPixel)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return;
    CAutoWnd* pAuto = new CAutoWnd;
    pAuto->m_nType = CAutoWnd::typeSizeUnder;
    pAuto->m_hWnd = hWnd;
    pAuto->m_hWndAbove = hWndAbove;
    pAuto->m_nOriginHeight = nHeight;
    pAuto->m_nUnderPixel = nUnderPixel;
    m_arrWnd.Add(pAuto);
    ::BringWindowToTop(hWnd);
}

// Vanished windows are weeded out by OnSize, so the row needs no check here.
void CMyWin::AddMoveWnd_Serial(HWND hWnd, int nBottom, int nGap)
{
    CSerialWnd* pSerial = new CSerialWnd;
    pSerial->m_hWnd = hWnd;
    pSerial->m_nBottom = nBottom;
    pSerial->m_nGap = nGap;
    m_arrSerial.Add(pSerial);
}

CAutoWnd* CMyWin::FindWnd(HWND hWnd) const
{
    for (int i = 0; i < m_arrWnd.GetSize(); ++i)
    {
        CAutoWnd* pAuto = static_cast<CAutoWnd*>(m_arrWnd[i]);
        if (pAuto->m_hWnd == hWnd)
            return pAuto;
    }
    return NULL;
}

void CMyWin::DeleteWnd(HWND hWnd)
{
    for (int i = 0; i < m_arrSerial.GetSize(); ++i)
    {
        CSerialWnd* pSerial = static_cast<CSerialWnd*>(m_arrSerial[i]);
        if (pSerial->m_hWnd == hWnd)
        {
            delete pSerial;
            m_arrSerial.RemoveAt(i);
            break;
        }
    }

    for (int i = 0; i < m_arrWnd.GetSize(); ++i)
    {
        CAutoWnd* pAuto = static_cast<CAutoWnd*>(m_arrWnd[i]);
        if (pAuto->m_hWnd != hWnd)
            continue;
        // The window stacked under the one leaving closes the gap in the chain.
        for (int j = 0; j < m_arrWnd.GetSize(); ++j)
        {
            CAutoWnd* pBelow = static_cast<CAutoWnd*>(m_arrWnd[j]);
            if (pBelow->m_hWndAbove == hWnd)
            {
                pBelow->m_hWndAbove = pAuto->m_hWndAbove;
                break;
            }
        }
        delete pAuto;
        m_arrWnd.RemoveAt(i);
        break;
    }
}

void CMyWin::Clear()
{
    for (int i = 0; i < m_arrWnd.GetSize(); ++i)
        delete static_cast<CAutoWnd*>(m_arrWnd[i]);
    m_arrWnd.RemoveAll();
    for (int i = 0; i < m_arrSerial.GetSize(); ++i)
        delete static_cast<CSerialWnd*>(m_arrSerial[i]);
    m_arrSerial.RemoveAll();
}

void CMyWin::ChangeOriginX(HWND hWnd, int n)
{
    if (CAutoWnd* pAuto = FindWnd(hWnd))
        pAuto->m_nOriginX = n;
}

void CMyWin::ChangeOriginY(HWND hWnd, int n)
{
    if (CAutoWnd* pAuto = FindWnd(hWnd))
        pAuto->m_nOriginY = n;
}

void CMyWin::ChangeOriginWidth(HWND hWnd, int n)
{
    if (CAutoWnd* pAuto = FindWnd(hWnd))
        pAuto->m_nOriginWidth = n;
}

void CMyWin::ChangeOriginHeight(HWND hWnd, int n)
{
    if (CAutoWnd* pAuto = FindWnd(hWnd))
        pAuto->m_nOriginHeight = n;
}

int CMyWin::GetOriginX(HWND hWnd) const
{
    CAutoWnd* pAuto = FindWnd(hWnd);
    return pAuto != NULL ? pAuto->m_nOriginX : 0;
}

int CMyWin::GetOriginY(HWND hWnd) const
{
    CAutoWnd* pAuto = FindWnd(hWnd);
    return pAuto != NULL ? pAuto->m_nOriginY : 0;
}

int CMyWin::GetOriginWidth(HWND hWnd) const
{
    CAutoWnd* pAuto = FindWnd(hWnd);
    return pAuto != NULL ? pAuto->m_nOriginWidth : 0;
}

int CMyWin::GetOriginHeight(HWND hWnd) const
{
    CAutoWnd* pAuto = FindWnd(hWnd);
    return pAuto != NULL ? pAuto->m_nOriginHeight : 0;
}

int CMyWin::GetUnderPixel(HWND hWnd) const
{
    CAutoWnd* pAuto = FindWnd(hWnd);
    return pAuto != NULL ? pAuto->m_nUnderPixel : 0;
}

void CMyWin::SetOtherParent(HWND hWnd)
{
    if (CAutoWnd* pAuto = FindWnd(hWnd))
        pAuto->m_bOtherParent = TRUE;
}

// ---------------------------------------------------------------------------------------------
// CMyWin: layout pass
// ---------------------------------------------------------------------------------------------

void CMyWin::OnSize(BOOL bRedraw)
{
    if (!m_bEnable)
        return;
    HWND hParent = m_pParent->GetSafeHwnd();
    if (hParent == NULL || !::IsWindow(hParent))
        return;

    RECT rcClient;
    ::GetClientRect(hParent, &rcClient);
    if (IsHeld(hParent, rcClient))
    {
        if (bRedraw)
            ::InvalidateRect(hParent, NULL, TRUE);
        return;
    }

    m_bStale = FALSE;
    ++m_nPasses;
    CLayoutBatch batch(hParent, m_arrWnd.GetSize() + m_arrSerial.GetSize(), m_bChangesOnly);
    LayOut(rcClient, batch);
    batch.Flush();

    if (bRedraw)
    {
        ::InvalidateRect(hParent, NULL, TRUE);
        if (!m_bChangesOnly)
            ::UpdateWindow(hParent);
    }
}

void CMyWin::Plan(CSize sizeClient, CLayoutPlan& plan)
{
    if (!m_bEnable)
        return;
    HWND hParent = m_pParent->GetSafeHwnd();
    if (hParent == NULL || !::IsWindow(hParent))
        return;
    const RECT rcClient = { 0, 0, sizeClient.cx, sizeClient.cy };
    m_bStale = FALSE;
    ++m_nPasses;
    CLayoutBatch batch(hParent, m_bChangesOnly, plan);
    LayOut(rcClient, batch);
    plan.AddHold(this, rcClient);
}

void CMyWin::LayOut(const RECT& rcClient, CLayoutBatch& batch)
{
    if (m_arrSerial.GetSize() > 0)
        LayOutSerial(rcClient, batch);

    if (rcClient.right - rcClient.left == 0 || rcClient.bottom - rcClient.top == 0)
    {
        // Minimised: nothing can be shown, and the last rectangles stay those of the last
        // real size.
        for (int i = 0; i < m_arrWnd.GetSize(); ++i)
        {
            CAutoWnd* pAuto = static_cast<CAutoWnd*>(m_arrWnd[i]);
            if (::IsWindow(pAuto->m_hWnd))
                batch.Place(pAuto->m_hWnd, NULL, SW_HIDE, FALSE);
        }
        return;
    }

    int nAvailH = rcClient.bottom - m_nMarginBottom - rcClient.top - m_nMarginTop;
    int nAvailW = rcClient.right - m_nMarginRight - m_nMarginLeft - rcClient.left;
    for (int i = 0; i < m_arrWnd.GetSize(); ++i)
        LayOutRecord(static_cast<CAutoWnd*>(m_arrWnd[i]), rcClient, nAvailW, nAvailH, batch);
}

BOOL CMyWin::IsHeld(HWND hParent, const RECT& rcClient) const
{
    for (const CLayoutPlan* p = t_pApplying; p != NULL; p = p->m_pOuter)
    {
        if (p->Holds(hParent, rcClient, m_nScrollVert))
            return TRUE;
    }
    return FALSE;
}

void CMyWin::LayOutSerial(const RECT& rcClient, CLayoutBatch& batch)
{
    int nTotal = 0;
    for (int i = 0; i < m_arrSerial.GetSize();)
    {
        CSerialWnd* pSerial = static_cast<CSerialWnd*>(m_arrSerial[i]);
        if (!::IsWindow(pSerial->m_hWnd))
        {
            delete pSerial;
            m_arrSerial.RemoveAt(i);
            continue;
        }
        RECT rc;
        ::GetWindowRect(pSerial->m_hWnd, &rc);
        nTotal += rc.right - rc.left;
        if (i != m_arrSerial.GetSize() - 1)
            nTotal += pSerial->m_nGap;
        ++i;
    }

    int x = (rcClient.right - nTotal - rcClient.left) / 2 + rcClient.left;
    for (int i = 0; i < m_arrSerial.GetSize(); ++i)
    {
        CSerialWnd* pSerial = static_cast<CSerialWnd*>(m_arrSerial[i]);
        if (!::IsWindow(pSerial->m_hWnd))
            continue;
        batch.Settle(pSerial->m_hWnd);
        RECT rc;
        GetRectInParent(pSerial->m_hWnd, &rc);
        int w = rc.right - rc.left;
        int h = rc.bottom - rc.top;
        RECT rcNew = { x, rcClient.bottom - pSerial->m_nBottom - h, x + w, rcClient.bottom - pSerial->m_nBottom };
        batch.Place(pSerial->m_hWnd, &rcNew, -1, FALSE);
        x += w + pSerial->m_nGap;
    }
}

void CMyWin::LayOutRecord(CAutoWnd* pAuto, const RECT& rcClient, int nAvailW, int nAvailH,
                          CLayoutBatch& batch)
{
    HWND hWnd = pAuto->m_hWnd;
    if (!::IsWindow(hWnd))
        return;

    // A window listed twice must be measured where its earlier record put it.
    batch.Settle(hWnd);
    RECT rcWnd;
    GetRectInParent(hWnd, &rcWnd);
    int h = pAuto->m_nOriginHeight != 0 ? pAuto->m_nOriginHeight : rcWnd.bottom - rcWnd.top;
    int w = pAuto->m_nOriginWidth != 0 ? pAuto->m_nOriginWidth : rcWnd.right - rcWnd.left;
    int x = rcWnd.left;
    int y = rcWnd.top;

    if (pAuto->m_nType == CAutoWnd::typeSize)
    {
        x = pAuto->m_nOriginX;
        y = pAuto->m_nOriginY;
        if (pAuto->m_nBottom != -1)
            h = nAvailH - pAuto->m_nBottom - y;
        if (pAuto->m_nRight != -1)
            w = nAvailW - pAuto->m_nRight - x;
    }
    else if (pAuto->m_nType == CAutoWnd::typeMove)
    {
        if (pAuto->m_nBottom != -1)
            y = pAuto->m_bCenterV ? (nAvailH - h) / 2 : nAvailH - pAuto->m_nBottom - h;
        else
            y = pAuto->m_nOriginY;
        if (pAuto->m_nRight != -1)
            x = pAuto->m_bCenterH ? (nAvailW - w) / 2 : nAvailW - pAuto->m_nRight - w;
        else
            x = pAuto->m_nOriginX;
    }
    // A window that does not fit keeps its far edge on the far edge of the available area.
    if (pAuto->m_nBottom != -1 && y + h > nAvailH)
        y = nAvailH - h;
    if (pAuto->m_nRight != -1 && x + w > nAvailW)
        x = nAvailW - w;

    RECT rc;
    rc.left = x + m_nMarginLeft;
    rc.top = y + m_nMarginTop;
    rc.right = rc.left + w;
    rc.bottom = rc.top + h;

    if (pAuto->m_nType == CAutoWnd::typeSizeUnder)
    {
        CAutoWnd* pAbove = FindWnd(pAuto->m_hWndAbove);
        if (pAbove == NULL)
            return;
        // The window above already carries the scroll offset.
        rc.left = pAbove->m_rcLast.left;
        rc.right = pAbove->m_rcLast.right;
        rc.top = pAbove->m_rcLast.bottom + pAuto->m_nUnderPixel;
        rc.bottom = rc.top + pAuto->m_nOriginHeight;
    }
    else
    {
        ::OffsetRect(&rc, 0, -m_nScrollVert);
    }
    pAuto->m_rcLast = rc;

    if (rc.bottom - rc.top > 0 && rc.right - rc.left > 0 && rc.bottom >= 0 && rc.top < rcClient.bottom &&
        rc.left < rcClient.right && rc.left >= rcClient.left)
    {
        if (pAuto->m_bOtherParent)
        {
            batch.Flush();
            CalcOtherParentOffset(hWnd, &rc, batch.GetPlan());
        }
        batch.Place(hWnd, &rc, SW_SHOW, TRUE);
        return;
    }

    // Out of sight: parked just beyond the edge it left by, so it slides back in from there.
    RECT rcPark = rc;
    if (rc.top >= rcClient.bottom)
    {
        rcPark.top = rcClient.bottom + 10;
        rcPark.bottom = rcClient.bottom + 20;
    }
    else if (rc.bottom < 0)
    {
        rcPark.top = -20;
        rcPark.bottom = -10;
    }
    else
    {
        batch.Place(hWnd, NULL, SW_HIDE, FALSE);
        return;
    }
    if (pAuto->m_bOtherParent)
    {
        batch.Flush();
        CalcOtherParentOffset(hWnd, &rcPark, batch.GetPlan());
    }
    batch.Place(hWnd, &rcPark, SW_HIDE, FALSE);
}

void CMyWin::CalcOtherParentOffset(HWND hWnd, LPRECT lpRect, const CLayoutPlan* pPlan)
{
    HWND hRealParent = ::GetParent(hWnd);
    HWND hManaged = m_pParent->GetSafeHwnd();
    if (hRealParent == NULL || hManaged == NULL)
        return;
    // The managed window's client origin in the real parent's client coordinates: mapped as one
    // point, which stays right in mirrored (right-to-left) windows, where the origin is the
    // right edge. Planned, the managed window may be about to move: the origin is where the
    // plan puts it.
    POINT origin = { 0, 0 };
    if (pPlan != NULL && !(::GetWindowLongPtr(hRealParent, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) &&
        pPlan->PlannedOrigin(hManaged, origin))
        ::ScreenToClient(hRealParent, &origin);
    else
        ::MapWindowPoints(hManaged, hRealParent, &origin, 1);
    ::OffsetRect(lpRect, origin.x, origin.y);
}

void CMyWin::Redraw()
{
    for (int i = 0; i < m_arrWnd.GetSize(); ++i)
    {
        HWND hWnd = static_cast<CAutoWnd*>(m_arrWnd[i])->m_hWnd;
        if (::IsWindow(hWnd) && ::IsWindowVisible(hWnd))
        {
            ::InvalidateRect(hWnd, NULL, TRUE);
            ::SendMessage(hWnd, WM_NCPAINT, 1, 0);
        }
    }
}

void CMyWin::SetVisible(BOOL bVisible)
{
    for (int i = 0; i < m_arrWnd.GetSize(); ++i)
    {
        HWND hWnd = static_cast<CAutoWnd*>(m_arrWnd[i])->m_hWnd;
        if (::IsWindow(hWnd))
            ::ShowWindow(hWnd, bVisible ? SW_SHOW : SW_HIDE);
    }
}

// ---------------------------------------------------------------------------------------------
// CMyWin: placement persistence
// ---------------------------------------------------------------------------------------------

namespace {

// Pulls a top-level window's normal rectangle that no monitor shows onto the work area of the
// monitor nearest to it. The rectangle is in workspace coordinates, which are offset from the
// screen by the primary monitor's taskbars unless the window is a tool window.
void KeepOnAMonitor(HWND hWnd, RECT& rcNormal)
{
    if (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD)
        return;
    POINT ptWorkspace = { 0, 0 };
    if (!(::GetWindowLongPtr(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
    {
        POINT ptOrigin = { 0, 0 };
        MONITORINFO miPrimary;
        miPrimary.cbSize = sizeof(miPrimary);
        if (::GetMonitorInfo(::MonitorFromPoint(ptOrigin, MONITOR_DEFAULTTOPRIMARY), &miPrimary))
        {
            ptWorkspace.x = miPrimary.rcWork.left - miPrimary.rcMonitor.left;
            ptWorkspace.y = miPrimary.rcWork.top - miPrimary.rcMonitor.top;
        }
    }
    RECT rc = rcNormal;
    ::OffsetRect(&rc, ptWorkspace.x, ptWorkspace.y);
    // An empty rectangle touches no monitor; probe with at least one pixel at its corner.
    RECT rcProbe = rc;
    if (rcProbe.right <= rcProbe.left)
        rcProbe.right = rcProbe.left + 1;
    if (rcProbe.bottom <= rcProbe.top)
        rcProbe.bottom = rcProbe.top + 1;
    if (::MonitorFromRect(&rcProbe, MONITOR_DEFAULTTONULL) != NULL)
        return;

    MONITORINFO mi;
    mi.cbSize = sizeof(mi);
    if (!::GetMonitorInfo(::MonitorFromRect(&rcProbe, MONITOR_DEFAULTTONEAREST), &mi))
        return;
    const RECT& rcWork = mi.rcWork;
    int w = rc.right - rc.left;
    int h = rc.bottom - rc.top;
    if (w < 0)
        w = 0;
    if (h < 0)
        h = 0;
    if (w > rcWork.right - rcWork.left)
        w = rcWork.right - rcWork.left;
    if (h > rcWork.bottom - rcWork.top)
        h = rcWork.bottom - rcWork.top;
    int x = rc.left;
    int y = rc.top;
    if (x > rcWork.right - w)
        x = rcWork.right - w;
    if (x < rcWork.left)
        x = rcWork.left;
    if (y > rcWork.bottom - h)
        y = rcWork.bottom - h;
    if (y < rcWork.top)
        y = rcWork.top;
    rcNormal.left = x - ptWorkspace.x;
    rcNormal.top = y - ptWorkspace.y;
    rcNormal.right = rcNormal.left + w;
    rcNormal.bottom = rcNormal.top + h;
}

}  // namespace

void CMyWin::SaveWindowPlacement(CWnd* pWnd)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    CWinApp* pApp = AfxGetApp();
    if (hWnd == NULL || !::IsWindow(hWnd) || pApp == NULL)
        return;
    // Only a normal placement is kept; a maximised or minimised one would reopen that way
    // without a normal size to return to.
    if (::IsZoomed(hWnd) || ::IsIconic(hWnd))
        return;
    WINDOWPLACEMENT wp;
    memset(&wp, 0, sizeof(wp));
    wp.length = sizeof(wp);
    if (!::GetWindowPlacement(hWnd, &wp))
        return;
    TCHAR szText[160];
    _sntprintf(szText, sizeof(szText) / sizeof(szText[0]), _T("%i,%i,%i,%i,%i,%i,%i,%i,%i,%i"),
               (int)wp.flags, (int)wp.showCmd, (int)wp.ptMinPosition.x, (int)wp.ptMinPosition.y,
               (int)wp.ptMaxPosition.x, (int)wp.ptMaxPosition.y, (int)wp.rcNormalPosition.left,
               (int)wp.rcNormalPosition.top, (int)wp.rcNormalPosition.right, (int)wp.rcNormalPosition.bottom);
    szText[sizeof(szText) / sizeof(szText[0]) - 1] = 0;
    pApp->WriteProfileString(kSection, kWindowPos, szText);
}

BOOL CMyWin::LoadWindowPlacement(CWnd* pWnd)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    CWinApp* pApp = AfxGetApp();
    if (hWnd == NULL || !::IsWindow(hWnd) || pApp == NULL)
        return FALSE;
    CString strText = pApp->GetProfileString(kSection, kWindowPos, _T(""));
    if (strText.IsEmpty())
        return FALSE;
    int v[10];
    if (_stscanf(strText, _T("%i,%i,%i,%i,%i,%i,%i,%i,%i,%i"), &v[0], &v[1], &v[2], &v[3], &v[4], &v[5],
                 &v[6], &v[7], &v[8], &v[9]) != 10)
        return FALSE;
    WINDOWPLACEMENT wp;
    memset(&wp, 0, sizeof(wp));
    wp.length = sizeof(wp);
    wp.flags = (UINT)v[0];
    wp.showCmd = (UINT)v[1];
    wp.ptMinPosition.x = v[2];
    wp.ptMinPosition.y = v[3];
    wp.ptMaxPosition.x = v[4];
    wp.ptMaxPosition.y = v[5];
    wp.rcNormalPosition.left = v[6];
    wp.rcNormalPosition.top = v[7];
    wp.rcNormalPosition.right = v[8];
    wp.rcNormalPosition.bottom = v[9];
    KeepOnAMonitor(hWnd, wp.rcNormalPosition);
    ::SetWindowPlacement(hWnd, &wp);
    return TRUE;
}

void CMyWin::SaveAppNumeric(LPCTSTR lpszName, int nValue)
{
    CWinApp* pApp = AfxGetApp();
    if (lpszName == NULL || pApp == NULL)
        return;
    TCHAR szText[32];
    _sntprintf(szText, sizeof(szText) / sizeof(szText[0]), _T("%i"), nValue);
    szText[sizeof(szText) / sizeof(szText[0]) - 1] = 0;
    pApp->WriteProfileString(kSection, lpszName, szText);
}

int CMyWin::LoadAppNumeric(LPCTSTR lpszName, int nDefault)
{
    CWinApp* pApp = AfxGetApp();
    if (lpszName == NULL || pApp == NULL)
        return nDefault;
    CString strText = pApp->GetProfileString(kSection, lpszName, _T(""));
    if (strText.IsEmpty())
        return nDefault;
    int nValue = 0;
    if (_stscanf(strText, _T("%i"), &nValue) != 1)
        return kMalformedNumeric;
    return nValue;
}
