#include "frameset/CFrameset.h"
#include "frameset/CFrameTitle.h"
#include "CUtilityVisual.h"
#include "CHookParentMessage.h"
#include "CMemDC.h"
#include "frame/HostNotify.h"
#include "frame/LiveHandles.h"
#include "frame/UiThread.h"
#include "frame/LumoRes.h"
#include "frameset/CFramesetAccessible.h"
#include "frame/KeyboardCues.h"
#include "frame/DpiScale.h"

#include <mbstring.h>
#include <algorithm>

namespace {

// Neither neighbour of a dragged splitter gets smaller than this.
const int kMinFrameSize = 31;
// Groups nested deeper than this are left alone, so that no chain of frames can exhaust the
// stack.
const int kMaxDepth = 64;
// Painting of a frame reaches this far beyond its rect (the tab of style 4 stands one pixel
// above it).
const int kPaintOverhang = 2;
// The splitters' width at 96 DPI until the host sets one.
const int kSepWidth = 3;
// A keyboard step of a splitter, and with Ctrl held.
const int kKeyStep = 10;
const int kFineKeyStep = 1;

// The frame sets in existence (each lives as long as its window), so that a stale or random
// handle is refused.
LiveHandles& LiveFrameSets()
{
    // Never destroyed: a host may still call the family while the runtime tears down statics.
    static LiveHandles* s_pLive = new LiveHandles;
    return *s_pLive;
}

// Frame coordinates are held within half the int range (and separators within a quarter), so
// that sums of them cannot overflow.
const int kMaxCoord = INT_MAX / 2;

int ClampCoord(LONGLONG v)
{
    return (int)std::clamp<LONGLONG>(v, 0, kMaxCoord);
}

// share x free / 10000, rounded half up.
LONGLONG ShareOf(int nShare, LONGLONG nFree)
{
    const LONGLONG product = (LONGLONG)nShare * std::clamp<LONGLONG>(nFree, -INT_MAX, INT_MAX);
    LONGLONG extent = product / 10000;
    if (product % 10000 >= 5000)
        ++extent;
    return extent;
}

// Borders are held within a sixteenth of the int range, so that a client rect less a border
// keeps its width and height within range.
CRect ClampBorder(const CRect& rc)
{
    const int nMax = INT_MAX / 16;
    return CRect(std::clamp<int>(rc.left, -nMax, nMax), std::clamp<int>(rc.top, -nMax, nMax),
                 std::clamp<int>(rc.right, -nMax, nMax), std::clamp<int>(rc.bottom, -nMax, nMax));
}

BOOL SameName(LPCSTR a, LPCSTR b)
{
    return _mbscmp((const unsigned char*)a, (const unsigned char*)b) == 0;
}

}  // namespace

IMPLEMENT_DYNAMIC(CFrameset, CWndBack)

BEGIN_MESSAGE_MAP(CFrameset, CWndBack)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SETCURSOR()
    ON_WM_CAPTURECHANGED()
    ON_WM_DESTROY()
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
    ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
    ON_MESSAGE(WM_UPDATEUISTATE, OnUpdateUIState)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_REGISTERED_MESSAGE(CAccessible::m_msgDefaultAction, OnAccDefaultAction)
END_MESSAGE_MAP()

/////////////////////////////////////////////////////////////////////////////
// construction

CFrameset::CFrameset()
    : m_rcReserve(0, 0, 0, 0), m_rcOuter(0, 0, 0, 0), m_rcInsets(0, 0, 0, 0), m_nMsgOffset(0),
      m_nSepWidth(-1), m_nStyle(0), m_hHandCursor(CUtilityVisual::GetHandCursor()),
      m_bDragging(FALSE), m_nDragDirection(0), m_nDragGrab(0), m_nKeyDirection(0),
      m_hFocusBefore(NULL), m_bHideFocus(0), m_hHost(NULL), m_bFitting(FALSE), m_bLayoutStale(FALSE),
      m_nLayouts(0)
{
}

CFrameset::~CFrameset()
{
    for (int i = 0; i < m_arrFrames.GetSize(); ++i)
        delete m_arrFrames[i];
    m_arrFrames.RemoveAll();
    if (m_hHandCursor)
        ::DestroyCursor(m_hHandCursor);
}

// The frame set leaves the host's hook and the set of live handles as its window goes, so that
// neither the host's messages nor a flat call reach it while the system takes the windows down.
void CFrameset::OnDestroy()
{
    LiveFrameSets().Remove(this);
    CAccessible::Disconnect(m_hWnd);
    if (m_hHost)
        CHookParentMessage::UnhookParent(m_hHost, this);
    m_hHost = NULL;
    CWndBack::OnDestroy();
}

CFrameset* CFrameset::New(HWND hHost)
{
    if (!IsWindowOfThisThread(hHost))
        return NULL;
    CFrameset* pSet = new CFrameset;
    // A failed Create, like the window's end, takes the object with it.
    if (!pSet->Create(NULL, "CWndArea", 0, CRect(10, 10, 200, 200), CWnd::FromHandle(hHost), 0))
        return NULL;
    LiveFrameSets().Add(pSet);
    if (!CHookParentMessage::HookParent(hHost, pSet, NULL))
    {
        pSet->DestroyWindow();
        return NULL;
    }
    CHookParentMessage::SubscribeMessage(hHost, WM_SIZE);
    pSet->m_hHost = hHost;
    pSet->m_bHideFocus = KeyboardCues::FocusHidden(pSet->m_hWnd);
    // The content windows lie above the frame set, whether they were made before or after it.
    pSet->SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return pSet;
}

CFrameset* CFrameset::FromHandle(const void* hHandle)
{
    // Known only to the thread that made it, whose window it is.
    return LiveFrameSets().IsLive(hHandle) ? static_cast<CFrameset*>(const_cast<void*>(hHandle)) : NULL;
}

/////////////////////////////////////////////////////////////////////////////
// attributes

void CFrameset::SetReserveBorder(const CRect& rcBorder)
{
    m_rcReserve = ClampBorder(rcBorder);
    Relayout();
}

void CFrameset::SetOuterBorder(const CRect& rcBorder)
{
    m_rcOuter = ClampBorder(rcBorder);
    FitToHost();
}

void CFrameset::SetHue(int nHue)
{
    DWORD nNormal = 0, nHover = 0, nColor = 0;
    SetBkColor(::GetDoorHandle(nHue, &nNormal, &nHover, &nColor) ? (COLORREF)nColor
                                                                  : (COLORREF)nHue);
    Invalidate(FALSE);
}

void CFrameset::SetStyle(int nStyle)
{
    m_nStyle = nStyle;
    m_rcInsets = CFrameTitle::Insets(nStyle, *m_pDpi);
    Relayout();
}

int CFrameset::SepWidth() const
{
    return m_nSepWidth >= 0 ? m_nSepWidth : m_pDpi->Scale(kSepWidth);
}

void CFrameset::SetSeparateWidth(int nWidth)
{
    m_nSepWidth = std::clamp(nWidth, 0, kMaxCoord / 2);
    Relayout();
}

/////////////////////////////////////////////////////////////////////////////
// operations

BOOL CFrameset::AddFrame(LPCSTR lpszName, LPCSTR lpszParent, int nDirection, HWND hWnd,
                         LPCSTR lpszSize)
{
    int nShare = 0, nFixed = 0;
    if (!CFrame::ParseSize(lpszSize, &nShare, &nFixed))
        return FALSE;
    if (!lpszName || !*lpszName || FindFrame(lpszName))
        return FALSE;
    // A stale handle could come to name somebody else's window, and another thread's windows
    // are not ours to move; the frame set and its ancestors cannot be moved over the frame set.
    if (hWnd && (!IsWindowOfThisThread(hWnd) || hWnd == m_hWnd || ::IsChild(hWnd, m_hWnd)))
        return FALSE;
    m_arrFrames.Add(new CFrame(lpszName, lpszParent, nDirection, hWnd, nShare, nFixed));
    if (hWnd && ::GetParent(hWnd) == m_hHost)
        SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

void CFrameset::SetFrameTitle(LPCSTR lpszName, LPCSTR lpszTitle)
{
    CFrame* pFrame = FindFrame(lpszName);
    if (!pFrame)
        return;
    pFrame->m_strTitle = lpszTitle ? lpszTitle : "";
    InvalidateFrame(pFrame->m_rect);
    const int nChild = CFramesetAccessible::ChildIdOf(this, pFrame);
    if (nChild > 0)
        CAccessible::Notify(EVENT_OBJECT_NAMECHANGE, m_hWnd, OBJID_CLIENT, nChild);
}

void CFrameset::SetFrameIconMsg(LPCSTR lpszName, UINT nMsg)
{
    CFrame* pFrame = FindFrame(lpszName);
    if (!pFrame)
        return;
    pFrame->m_nIconMsg = nMsg;
    InvalidateFrame(pFrame->m_rect);
}

void CFrameset::SetFrameTitleColor(LPCSTR lpszName, COLORREF crTitle)
{
    CFrame* pFrame = FindFrame(lpszName);
    if (!pFrame)
        return;
    pFrame->m_crTitle = crTitle;
    InvalidateFrame(pFrame->m_rect);
}

/////////////////////////////////////////////////////////////////////////////
// implementation

CFrame* CFrameset::FindFrame(LPCSTR lpszName) const
{
    if (!lpszName)
        return NULL;
    for (int i = 0; i < m_arrFrames.GetSize(); ++i)
    {
        CFrame* pFrame = static_cast<CFrame*>(m_arrFrames[i]);
        if (SameName(pFrame->m_strName, lpszName))
            return pFrame;
    }
    return NULL;
}

void CFrameset::GetChildren(const CString& strParent, std::vector<CFrame*>& children) const
{
    children.clear();
    for (int i = 0; i < m_arrFrames.GetSize(); ++i)
    {
        CFrame* pFrame = static_cast<CFrame*>(m_arrFrames[i]);
        if (SameName(pFrame->m_strParent, strParent))
            children.push_back(pFrame);
    }
}

void CFrameset::InvalidateFrame(const CRect& rcFrame)
{
    if (!m_hWnd)
        return;
    CRect rc = rcFrame;
    rc.InflateRect(m_pDpi->Scale(kPaintOverhang), m_pDpi->Scale(kPaintOverhang));
    InvalidateRect(&rc, FALSE);
}

// Moves the frame-set window over the host's client area less the outer border and lays the
// frames out there, also when only the place changed (the content windows move with it).
BOOL CFrameset::FitToHost()
{
    if (!m_hWnd || !m_hHost || m_arrFrames.GetSize() == 0 || !IsShown())
        return TRUE;
    CRect rc;
    ::GetClientRect(m_hHost, &rc);
    rc.DeflateRect(m_rcOuter.left, m_rcOuter.top, m_rcOuter.right, m_rcOuter.bottom);
    rc.right = std::max(rc.right, rc.left);
    rc.bottom = std::max(rc.bottom, rc.top);
    m_bFitting = TRUE;
    MoveWindow(&rc, TRUE);
    m_bFitting = FALSE;
    return Relayout();
}

CRect CFrameset::LayoutArea() const
{
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(m_rcReserve.left, m_rcReserve.top, m_rcReserve.right, m_rcReserve.bottom);
    rc.right = std::max(rc.right, rc.left);
    rc.bottom = std::max(rc.bottom, rc.top);
    return rc;
}

// Title heights and insets follow the new DPI. The frames are laid out once, by the host's
// resize to its new rectangle or else by OnDpiLayout.
void CFrameset::OnDpiChange(int)
{
    m_rcInsets = CFrameTitle::Insets(m_nStyle, *m_pDpi);
    m_bLayoutStale = TRUE;
    Invalidate(TRUE);
}

void CFrameset::OnDpiLayout()
{
    if (m_bLayoutStale)
        Relayout();
}

// Lays every frame out again and repaints the whole frame set.
BOOL CFrameset::Relayout()
{
    if (!m_hWnd || !IsShown())
        return TRUE;
    m_bLayoutStale = FALSE;
    ++m_nLayouts;
    LayoutGroup(CString(), LayoutArea(), 0);
    if (!FlushMoves())
        return FALSE;
    Invalidate(FALSE);
    return TRUE;
}

// The extents of a group's fixed frames (in the order given) within nRoom pixels: their own
// sizes while they fit; otherwise shrunk in proportion, none below the minimum while the room
// holds that many minimums.
std::vector<LONGLONG> CFrameset::FitFixed(const std::vector<CFrame*>& fixed, LONGLONG nRoom)
{
    std::vector<LONGLONG> extents;
    LONGLONG nTotal = 0;
    for (const CFrame* pFrame : fixed)
    {
        extents.push_back(pFrame->m_nFixed);
        nTotal += pFrame->m_nFixed;
    }
    nRoom = std::max<LONGLONG>(nRoom, 0);
    if (nTotal <= nRoom)
        return extents;
    // Frames whose proportional part falls below the minimum are held at it, and the others
    // share what remains, until every part is settled.
    const BOOL bFloor = nRoom >= (LONGLONG)fixed.size() * kMinFrameSize;
    std::vector<bool> held(fixed.size(), false);
    for (;;)
    {
        LONGLONG nLeft = nRoom, nSharing = 0;
        for (size_t i = 0; i < fixed.size(); ++i)
        {
            if (held[i])
                nLeft -= kMinFrameSize;
            else
                nSharing += fixed[i]->m_nFixed;
        }
        BOOL bSettled = TRUE;
        for (size_t i = 0; i < fixed.size(); ++i)
        {
            if (held[i])
            {
                extents[i] = kMinFrameSize;
                continue;
            }
            extents[i] = nSharing > 0 ? (LONGLONG)fixed[i]->m_nFixed * nLeft / nSharing : 0;
            if (bFloor && extents[i] < kMinFrameSize)
            {
                held[i] = true;
                bSettled = FALSE;
            }
        }
        if (bSettled)
            return extents;
    }
}

// Divides the area among the frames of one group along the group's direction (that of its
// first frame): fixed frames take their pixels, the others share what is left after the
// fixed frames and the separators, and the last one ends at the area's edge. Fixed frames
// larger than the area give way (FitFixed), keeping the minimum for every shared frame while
// there is room for it; no frame reaches beyond the area.
void CFrameset::LayoutGroup(const CString& strParent, const CRect& rcArea, int nDepth)
{
    if (nDepth > kMaxDepth)
        return;
    std::vector<CFrame*> children;
    GetChildren(strParent, children);
    if (children.empty())
        return;
    const BOOL bVertical = children[0]->IsVertical();
    std::vector<CFrame*> fixed;
    for (CFrame* pFrame : children)
        if (pFrame->m_nShare == 0)
            fixed.push_back(pFrame);
    const LONGLONG nGaps = (LONGLONG)(children.size() - 1) * SepWidth();
    const LONGLONG nRoom = (bVertical ? rcArea.Height() : rcArea.Width()) - nGaps;
    const LONGLONG nShared = (LONGLONG)(children.size() - fixed.size());
    const std::vector<LONGLONG> fixedExtents = FitFixed(fixed, nRoom - nShared * kMinFrameSize);
    LONGLONG nFixed = 0;
    for (LONGLONG nExtent : fixedExtents)
        nFixed += nExtent;
    const LONGLONG nFree = nRoom - nFixed;
    const LONGLONG nAreaEnd = bVertical ? rcArea.bottom : rcArea.right;

    LONGLONG nStart = bVertical ? rcArea.top : rcArea.left;
    size_t nNextFixed = 0;
    for (size_t i = 0; i < children.size(); ++i)
    {
        CFrame* pFrame = children[i];
        if (i > 0)
        {
            const CRect& rcPrev = children[i - 1]->m_rect;
            nStart = std::min((LONGLONG)(bVertical ? rcPrev.bottom : rcPrev.right) + SepWidth(), nAreaEnd);
        }
        const LONGLONG nExtent =
            pFrame->m_nShare == 0 ? fixedExtents[nNextFixed++] : ShareOf(pFrame->m_nShare, nFree);
        const LONGLONG nEnd = i + 1 == children.size() ? nAreaEnd : std::min(nStart + nExtent, nAreaEnd);
        CRect rc = rcArea;
        if (bVertical)
        {
            rc.top = ClampCoord(nStart);
            rc.bottom = ClampCoord(nEnd);
        }
        else
        {
            rc.left = ClampCoord(nStart);
            rc.right = ClampCoord(nEnd);
        }
        rc.left = std::max(rc.left, 0L);
        rc.top = std::max(rc.top, 0L);
        rc.right = std::max(rc.right, 0L);
        rc.bottom = std::max(rc.bottom, 0L);
        pFrame->m_rect = rc;
        PlaceWindow(pFrame);
        LayoutGroup(pFrame->m_strName, rc, nDepth + 1);
    }
}

// Queues the move of a frame's window to the frame less the style's insets, in the
// coordinates of the window's own parent (normally the host, like the frame set).
void CFrameset::PlaceWindow(const CFrame* pFrame)
{
    if (!pFrame->m_hWnd || !IsShown() || !::IsWindow(pFrame->m_hWnd))
        return;
    CRect rc = pFrame->m_rect;
    rc.DeflateRect(m_rcInsets.left, m_rcInsets.top, m_rcInsets.right, m_rcInsets.bottom);
    rc.right = std::max(rc.right, rc.left);
    rc.bottom = std::max(rc.bottom, rc.top);
    const HWND hParent = ::GetAncestor(pFrame->m_hWnd, GA_PARENT);
    ::MapWindowPoints(m_hWnd, hParent, (LPPOINT)&rc, 2);
    // A window already in place is left alone: moving it would only repaint it.
    CRect rcNow;
    ::GetWindowRect(pFrame->m_hWnd, &rcNow);
    ::MapWindowPoints(NULL, hParent, (LPPOINT)&rcNow, 2);
    if (rcNow != rc)
        m_moves.push_back(std::make_pair(pFrame->m_hWnd, rc));
}

// Moves the queued windows in one batch, so that they repaint once, together. Their old
// pixels are not carried along: a control that only paints what it thinks changed would keep
// lines of its old layout (a drag trail) otherwise. FALSE when a moved window's owner took the
// frame set down meanwhile.
BOOL CFrameset::FlushMoves()
{
    const HWND hSelf = m_hWnd;
    std::vector<std::pair<HWND, CRect>> moves;
    moves.swap(m_moves);
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS;
    HDWP hDwp = moves.size() > 1 ? ::BeginDeferWindowPos((int)moves.size()) : NULL;
    for (size_t i = 0; hDwp && i < moves.size(); ++i)
    {
        const CRect& rc = moves[i].second;
        hDwp = ::DeferWindowPos(hDwp, moves[i].first, NULL, rc.left, rc.top, rc.Width(),
                                rc.Height(), nFlags);
    }
    if (!hDwp || !::EndDeferWindowPos(hDwp))
    {
        // One at a time when there is a single window or the batch was refused (windows of
        // different parents, a window gone meanwhile).
        for (const auto& move : moves)
            if (::IsWindow(move.first))
                ::SetWindowPos(move.first, NULL, move.second.left, move.second.top,
                               move.second.Width(), move.second.Height(), nFlags);
    }
    return HostNotify::Alive(this, hSelf);
}

// Gives a group's frames shares that reproduce their present sizes within the area: the
// fixed frames keep their pixels, the others share the rest, the last taking what the others
// leave of the whole.
void CFrameset::RecomputeShares(const CString& strParent, const CRect& rcArea)
{
    std::vector<CFrame*> children;
    GetChildren(strParent, children);
    if (children.empty())
        return;
    const BOOL bVertical = children[0]->IsVertical();
    LONGLONG nTotal = (LONGLONG)(bVertical ? rcArea.Height() : rcArea.Width()) -
                      (LONGLONG)(children.size() - 1) * SepWidth();
    std::vector<CFrame*> shared;
    for (CFrame* pFrame : children)
    {
        if (pFrame->m_nShare == 0)
        {
            pFrame->m_nFixed = pFrame->Extent(bVertical);
            nTotal -= pFrame->m_nFixed;
        }
        else
            shared.push_back(pFrame);
    }
    if (shared.empty() || nTotal <= 0)
        return;
    LONGLONG nSum = 0;
    for (size_t i = 0; i + 1 < shared.size(); ++i)
    {
        const LONGLONG nShare = (LONGLONG)shared[i]->Extent(bVertical) * 10000 / nTotal;
        shared[i]->m_nShare = (int)std::clamp<LONGLONG>(nShare, 0, INT_MAX);
        nSum += shared[i]->m_nShare;
    }
    shared.back()->m_nShare = (int)std::clamp<LONGLONG>(10000 - nSum, INT_MIN, INT_MAX);
}

// One step of a splitter drag: the splitter moves to nEdge (where the frame before it is to
// end), held where either neighbour would become smaller than the minimum, so it stops at the
// limit and comes back with the pointer; the frames trade the pixels, the group is laid out
// again and what changed is painted at once, so the drag leaves no trail behind. FALSE when
// the frame set went away meanwhile.
BOOL CFrameset::DragTo(LONGLONG nEdge)
{
    CFrame* pFrame = FindFrame(m_strDragFrame);
    if (!pFrame)
        return TRUE;
    const CFrame* pParent = FindFrame(pFrame->m_strParent);
    const CRect rcArea = pParent ? pParent->m_rect : LayoutArea();
    std::vector<CFrame*> siblings;
    GetChildren(pFrame->m_strParent, siblings);
    auto it = std::find(siblings.begin(), siblings.end(), pFrame);
    if (it == siblings.end() || it + 1 == siblings.end())
        return TRUE;
    CFrame* pNext = *(it + 1);

    const BOOL bVertical = m_nDragDirection == 1;
    const LONGLONG nFirst = (LONGLONG)(bVertical ? pFrame->m_rect.top : pFrame->m_rect.left) + kMinFrameSize;
    const LONGLONG nLast = (LONGLONG)(bVertical ? pNext->m_rect.bottom : pNext->m_rect.right) - kMinFrameSize -
                           (bVertical ? pNext->m_rect.top - pFrame->m_rect.bottom
                                      : pNext->m_rect.left - pFrame->m_rect.right);
    if (nFirst > nLast)
        return TRUE;
    const int nDelta = (int)(std::clamp(nEdge, nFirst, nLast) - (bVertical ? pFrame->m_rect.bottom : pFrame->m_rect.right));
    if (nDelta == 0)
        return TRUE;

    std::vector<CRect> before;
    before.reserve(m_arrFrames.GetSize());
    for (int i = 0; i < m_arrFrames.GetSize(); ++i)
        before.push_back(static_cast<CFrame*>(m_arrFrames[i])->m_rect);

    (bVertical ? pFrame->m_rect.bottom : pFrame->m_rect.right) += nDelta;
    (bVertical ? pNext->m_rect.top : pNext->m_rect.left) += nDelta;
    RecomputeShares(pFrame->m_strParent, rcArea);
    LayoutGroup(pFrame->m_strParent, rcArea, 0);
    if (!FlushMoves())
        return FALSE;

    // Only what moved is painted again: the frames of the group keep their places but for
    // the two neighbours and what they hold.
    for (int i = 0; i < m_arrFrames.GetSize(); ++i)
    {
        const CRect& rcNow = static_cast<CFrame*>(m_arrFrames[i])->m_rect;
        if (!::EqualRect(&rcNow, &before[i]))
        {
            InvalidateFrame(before[i]);
            InvalidateFrame(rcNow);
        }
    }
    const HWND hSelf = m_hWnd;
    ::UpdateWindow(m_hHost);
    return HostNotify::Alive(this, hSelf);
}

/////////////////////////////////////////////////////////////////////////////
// mouse

// What lies at pt among the frames of a group and, failing that, inside them: a title icon,
// the splitter after a frame (a band of the separator width along its bottom or right edge),
// or nothing.
CFrameset::Hit CFrameset::HitTest(const CString& strParent, CPoint pt, int nDepth) const
{
    Hit hit = { HIT_NOTHING, NULL, 0 };
    if (nDepth > kMaxDepth)
        return hit;
    std::vector<CFrame*> children;
    GetChildren(strParent, children);
    if (children.empty())
        return hit;
    const int nDirection = children[0]->m_nDirection;
    for (size_t i = 0; i < children.size(); ++i)
    {
        CFrame* pFrame = children[i];
        const CRect& F = pFrame->m_rect;
        if (pFrame->HasIcon() && CFrameTitle::IconRect(m_nStyle, F, *m_pDpi).PtInRect(pt))
        {
            hit.nKind = HIT_ICON;
            hit.pFrame = pFrame;
            return hit;
        }
        if (i + 1 == children.size())
            continue;
        const CRect band = nDirection == 1
                               ? CRect(F.left, F.bottom, F.right, F.bottom + SepWidth())
                               : CRect(F.right, F.top, F.right + SepWidth(), F.bottom);
        if (band.PtInRect(pt))
        {
            hit.nKind = HIT_SPLITTER;
            hit.pFrame = pFrame;
            hit.nDirection = nDirection;
            return hit;
        }
    }
    for (CFrame* pFrame : children)
    {
        hit = HitTest(pFrame->m_strName, pt, nDepth + 1);
        if (hit.nKind != HIT_NOTHING)
            return hit;
    }
    return hit;
}

HCURSOR CFrameset::CursorFor(const Hit& hit) const
{
    switch (hit.nKind)
    {
    case HIT_SPLITTER:
        return ::LoadCursor(NULL, hit.nDirection == 1 ? IDC_SIZENS : IDC_SIZEWE);
    case HIT_ICON:
        return m_hHandCursor;
    default:
        return NULL;
    }
}

void CFrameset::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bDragging)
    {
        const int nPos = m_nDragDirection == 1 ? point.y : point.x;
        if (!DragTo((LONGLONG)nPos - m_nDragGrab))
            return;
    }
    else if (HCURSOR hCursor = CursorFor(HitTest(CString(), point, 0)))
        ::SetCursor(hCursor);
    CWndBack::OnMouseMove(nFlags, point);
}

void CFrameset::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bDragging)
    {
        const Hit hit = HitTest(CString(), point, 0);
        if (hit.nKind == HIT_SPLITTER)
        {
            ::SetCursor(CursorFor(hit));
            m_bDragging = TRUE;
            m_nDragDirection = hit.nDirection;
            m_strDragFrame = hit.pFrame->m_strName;
            const CRect& F = hit.pFrame->m_rect;
            m_nDragGrab = hit.nDirection == 1 ? point.y - F.bottom : point.x - F.right;
            SetCapture();
        }
    }
    CWndBack::OnLButtonDown(nFlags, point);
}

void CFrameset::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bDragging)
    {
        m_bDragging = FALSE;
        ::ReleaseCapture();
    }
    else
    {
        const Hit hit = HitTest(CString(), point, 0);
        if (hit.nKind == HIT_ICON && !NotifyIconClick(hit.pFrame))
            return;
    }
    CWndBack::OnLButtonUp(nFlags, point);
}

// Tells the host of a click on a frame's title icon. FALSE when the host destroyed the frame
// set meanwhile.
BOOL CFrameset::NotifyIconClick(const CFrame* pFrame)
{
    return HostNotify::Send(this, ::GetParent(m_hWnd), WM_USER + m_nMsgOffset,
                            (WPARAM)pFrame->m_nIconMsg, 0);
}

// The cursor is set here, before the system would put the class cursor back, so that it does
// not flicker between the arrow and the splitter's cursor while the mouse moves.
BOOL CFrameset::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd != this || nHitTest != HTCLIENT)
        return CWndBack::OnSetCursor(pWnd, nHitTest, message);
    HCURSOR hCursor = NULL;
    if (m_bDragging)
        hCursor = ::LoadCursor(NULL, m_nDragDirection == 1 ? IDC_SIZENS : IDC_SIZEWE);
    else
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        hCursor = CursorFor(HitTest(CString(), pt, 0));
    }
    ::SetCursor(hCursor ? hCursor : ::LoadCursor(NULL, IDC_ARROW));
    return TRUE;
}

// A drag ends when the capture is taken away (another window captured the mouse, a menu or a
// dialog came up) as much as when the button is released.
void CFrameset::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != this)
        m_bDragging = FALSE;
    CWndBack::OnCaptureChanged(pWnd);
}

/////////////////////////////////////////////////////////////////////////////
// message handlers

BOOL CFrameset::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (wParam == HOOKPARENT_NOTIFY_WPARAM)
    {
        const HOOKPARENT_NMHDR* pHook = (const HOOKPARENT_NMHDR*)lParam;
        if (pHook && pHook->hdr.hwndFrom == m_hHost && pHook->message == WM_SIZE)
            FitToHost();
        *pResult = 0;
        return TRUE;
    }
    return CWndBack::OnNotify(wParam, lParam, pResult);
}

void CFrameset::OnSize(UINT nType, int cx, int cy)
{
    CWndBack::OnSize(nType, cx, cy);
    if (!m_bFitting)
        Relayout();
}

BOOL CFrameset::OnEraseBkgnd(CDC*)
{
    // The background is painted with the titles, in one go, by OnPaint.
    return TRUE;
}

void CFrameset::OnPaint()
{
    CPaintDC dc(this);
    const CRect rc = dc.m_ps.rcPaint;
    if (rc.IsRectEmpty())
        return;
    // Painted off screen first, so that a title is never seen half drawn.
    CMemDC memDC(&dc, &rc);
    PaintTo(&memDC, rc);
}

LRESULT CFrameset::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC dc;
    if (!wParam || !dc.Attach((HDC)wParam))
        return 0;
    CRect rc;
    GetClientRect(&rc);
    PaintTo(&dc, rc);
    dc.Detach();
    return 0;
}

// The background, then the title of every frame showing a window, in the order added.
void CFrameset::PaintTo(CDC* pDC, const CRect& rcPaint)
{
    PaintBackground(pDC);
    for (int i = 0; i < m_arrFrames.GetSize(); ++i)
    {
        const CFrame* pFrame = static_cast<CFrame*>(m_arrFrames[i]);
        CRect rcReach = pFrame->m_rect;
        rcReach.InflateRect(m_pDpi->Scale(kPaintOverhang), m_pDpi->Scale(kPaintOverhang));
        CRect rcTouched;
        if (!pFrame->m_hWnd || !rcTouched.IntersectRect(&rcReach, &rcPaint))
            continue;
        CFrameTitle::Paint(pDC, m_nStyle, pFrame->m_rect, GetBkColor(), pFrame->m_crTitle,
                           pFrame->m_strTitle, pFrame->HasIcon(), *m_pDpi);
    }
    const CFrame* pKey = GetFocusedSplitter();
    if (pKey && !m_bHideFocus)
    {
        const CRect rcBand = SplitterBand(pKey, m_nKeyDirection);
        pDC->DrawFocusRect(&rcBand);
    }
}

/////////////////////////////////////////////////////////////////////////////
// the keyboard

CRect CFrameset::SplitterBand(const CFrame* pFrame, int nDirection) const
{
    const CRect& F = pFrame->m_rect;
    return nDirection == 1 ? CRect(F.left, F.bottom, F.right, F.bottom + SepWidth())
                           : CRect(F.right, F.top, F.right + SepWidth(), F.bottom);
}

const CFrame* CFrameset::GetFocusedSplitter() const
{
    if (m_strKeySplitter.IsEmpty() || !m_hWnd || ::GetFocus() != m_hWnd)
        return NULL;
    return FindFrame(m_strKeySplitter);
}

void CFrameset::InvalidateKeySplitter()
{
    const CFrame* pFrame = FindFrame(m_strKeySplitter);
    if (!pFrame || !m_hWnd)
        return;
    CRect rc = SplitterBand(pFrame, m_nKeyDirection);
    rc.InflateRect(1, 1);
    InvalidateRect(&rc, FALSE);
}

CFrame* CFrameset::NextInGroup(const CFrame* pFrame, int* pnDirection) const
{
    std::vector<CFrame*> siblings;
    GetChildren(pFrame->m_strParent, siblings);
    auto it = std::find(siblings.begin(), siblings.end(), pFrame);
    if (it == siblings.end() || it + 1 == siblings.end())
        return NULL;
    if (pnDirection)
        *pnDirection = siblings[0]->m_nDirection;
    return *(it + 1);
}

BOOL CFrameset::FocusSplitter(LPCSTR lpszName)
{
    CFrame* pFrame = FindFrame(lpszName);
    int nDirection = 0;
    if (!pFrame || !m_hWnd || !NextInGroup(pFrame, &nDirection))
        return FALSE;
    InvalidateKeySplitter();
    m_strKeySplitter = pFrame->m_strName;
    m_nKeyDirection = nDirection;
    const HWND hFocus = ::GetFocus();
    if (hFocus != m_hWnd)
        m_hFocusBefore = hFocus;
    SetFocus();
    InvalidateKeySplitter();
    return ::GetFocus() == m_hWnd;
}

BOOL CFrameset::MoveKeySplitter(int nDelta)
{
    CFrame* pFrame = FindFrame(m_strKeySplitter);
    const CFrame* pNext = pFrame ? NextInGroup(pFrame, NULL) : NULL;
    if (!pNext)
        return TRUE;
    // As far as the neighbours keep their least size: the last step may be a short one.
    const BOOL bVertical = m_nKeyDirection == 1;
    const int nRoomAfter = pNext->Extent(bVertical) - kMinFrameSize;
    const int nRoomBefore = pFrame->Extent(bVertical) - kMinFrameSize;
    nDelta = std::clamp(nDelta, -std::max(nRoomBefore, 0), std::max(nRoomAfter, 0));
    if (nDelta == 0)
        return TRUE;
    InvalidateKeySplitter();
    m_strDragFrame = m_strKeySplitter;
    m_nDragDirection = m_nKeyDirection;
    const HWND hSelf = m_hWnd;
    const LONGLONG nEdge = bVertical ? pFrame->m_rect.bottom : pFrame->m_rect.right;
    if (!DragTo(nEdge + nDelta))
        return FALSE;
    InvalidateKeySplitter();
    return HostNotify::Alive(this, hSelf);
}

void CFrameset::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!GetFocusedSplitter())
    {
        CWndBack::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    const int nStep = ::GetKeyState(VK_CONTROL) < 0 ? kFineKeyStep : kKeyStep;
    const BOOL bVertical = m_nKeyDirection == 1;
    int nDelta = 0;
    if (nChar == (UINT)(bVertical ? VK_UP : VK_LEFT))
        nDelta = -nStep;
    else if (nChar == (UINT)(bVertical ? VK_DOWN : VK_RIGHT))
        nDelta = nStep;
    else if (nChar == VK_ESCAPE || nChar == VK_RETURN)
    {
        const HWND hBack = m_hFocusBefore && ::IsWindow(m_hFocusBefore) ? m_hFocusBefore : m_hHost;
        m_hFocusBefore = NULL;
        if (hBack)
            ::SetFocus(hBack);
        return;
    }
    if (nDelta != 0)
        MoveKeySplitter(nDelta);
}

void CFrameset::OnKillFocus(CWnd* pNewWnd)
{
    InvalidateKeySplitter();
    m_strKeySplitter.Empty();
    CWndBack::OnKillFocus(pNewWnd);
}

LRESULT CFrameset::OnGetDlgCode(WPARAM, LPARAM lParam)
{
    // The arrows move the splitter; Esc and Enter end the keyboard's hold on it rather than
    // closing a dialog.
    LRESULT lr = Default() | DLGC_WANTARROWS;
    const MSG* pMsg = (const MSG*)lParam;
    if (pMsg && pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        lr |= DLGC_WANTMESSAGE;
    return lr;
}

LRESULT CFrameset::OnUpdateUIState(WPARAM wParam, LPARAM)
{
    const LRESULT lr = Default();
    if (KeyboardCues::Update(m_hWnd, wParam, &m_bHideFocus))
        InvalidateKeySplitter();
    return lr;
}

/////////////////////////////////////////////////////////////////////////////
// screen readers

const CFrame* CFrameset::GetFrame(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_arrFrames.GetSize())
        return NULL;
    return static_cast<const CFrame*>(m_arrFrames[nIndex]);
}

CRect CFrameset::GetIconRect(const CFrame* pFrame) const
{
    if (!pFrame || !pFrame->HasIcon())
        return CRect(0, 0, 0, 0);
    return CFrameTitle::IconRect(m_nStyle, pFrame->m_rect, *m_pDpi);
}

BOOL CFrameset::ClickIcon(int nIndex)
{
    const CFrame* pFrame = GetFrame(nIndex);
    if (!pFrame || !pFrame->HasIcon() || GetIconRect(pFrame).IsRectEmpty())
        return TRUE;
    return NotifyIconClick(pFrame);
}

LRESULT CFrameset::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lr = CAccessible::Answer(m_hWnd, wParam, lParam, OBJID_CLIENT, CFramesetAccessible::Make);
    return lr ? lr : Default();
}

// lParam: the frame's place in the order added, plus one.
LRESULT CFrameset::OnAccDefaultAction(WPARAM, LPARAM lParam)
{
    ClickIcon((int)lParam - 1);
    return 0;
}
