#include "CWndDoor.h"
#include "door/CDoorArrowButton.h"
#include "door/CWndDoorLayer.h"
#include "CHookParentMessage.h"
#include "frame/HostNotify.h"
#include "frame/LiveHandles.h"
#include "frame/UiThread.h"
#include "frame/LumoRes.h"
#include "CDRAW.h"
#include "CGlobalInfo.h"
#include "shadow/CShadowWin.h"
#include "frame/CAccessible.h"
#include "frame/DpiScale.h"

#include <utility>
#include <vector>

IMPLEMENT_DYNCREATE(CWndDoor, CWndBack)

namespace
{
// The door's own sizes, in 96-DPI pixels.
const int kDoorWidth = 230;       // open width until the host sets one
const int kDoorStartWidth = 80;   // width before the first placement
const int kToggleGap = 4;         // beside the toggle button, in the closed strip
const int kSeparatorGap = 2;      // between the separator line and the toggle button
const int kSlideStep = 20;        // per tick of the sliding animation
const int kSlideStepSlow = 60;    // the same on systems that paint slowly
const int kOpenJump = 90;         // per tick while opening without a snapshot
}  // namespace

CMap<HWND, HWND, CWndDoor*, CWndDoor*> CWndDoor::m_cMap;

namespace {

// The doors' own windows, from a successful Create until the window goes. The map above holds
// one door per host (the last one made there); this knows every door, so a door's handle names
// that door and nothing else does.
LiveHandles& LiveDoors()
{
    // Never destroyed: a host may still call the family while the runtime tears down statics.
    static LiveHandles* s_pLive = new LiveHandles;
    return *s_pLive;
}

}  // namespace

BEGIN_MESSAGE_MAP(CWndDoor, CWndBack)
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_RBUTTONUP()
    ON_REGISTERED_MESSAGE(m_MsgSendChildren, OnSendChildren)
END_MESSAGE_MAP()

/////////////////////////////////////////////////////////////////////////////
// construction

CWndDoor::CWndDoor()
    : m_nOpenWidth(kDoorWidth), m_nCurWidth(kDoorStartWidth), m_bPlaced(FALSE), m_bOpened(TRUE),
      m_bOpenOnMouseMove(TRUE), m_nMsgOpenClose(-1), m_nMsgRClick(-1), m_nViewStyle(0),
      m_pLayer(NULL), m_nAnimOffset(0), m_nSnapWidth(0), m_nSnapHeight(0), m_hSnapshot(NULL),
      m_hSnapDC(NULL), m_hSnapOld(NULL), m_pToggle(new CDoorArrowButton), m_hHost(NULL),
      m_hLayer(NULL), m_bToggleFocus(FALSE), m_bWidthGiven(FALSE), m_nDpiChanges(0)
{
    m_MyWin.SetParent(this);
    UseWholePaint();
    SetHue(0);
}

CWndDoor::~CWndDoor()
{
    DiscardSnapshot();
    delete m_pToggle;
}

CButtonBMP& CWndDoor::GetToggleButton()
{
    return *m_pToggle;
}

// The door leaves the host's hook and the door map as its window goes, so no flat call finds
// it while the system takes the windows down.
void CWndDoor::OnDestroy()
{
    LiveDoors().Remove(m_hWnd);
    if (m_hHost)
    {
        CHookParentMessage::UnhookParent(m_hHost, this);
        CWndDoor* pDoor = NULL;
        if (m_cMap.Lookup(m_hHost, pDoor) && pDoor == this)
            m_cMap.RemoveKey(m_hHost);
        m_hHost = NULL;
    }
    KillTimer(DOOR_TIMER_OPEN);
    KillTimer(DOOR_TIMER_CLOSE);
    KillTimer(DOOR_TIMER_RESIZE);
    DiscardSnapshot();
    CWndBack::OnDestroy();
}

BOOL CWndDoor::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                      const RECT&, CWnd* pParentWnd, UINT nID, void* pContext)
{
    HWND hHost = pParentWnd ? pParentWnd->GetSafeHwnd() : NULL;
    if (!hHost || !::IsWindow(hHost))
    {
        // Ends the object as a failed framework creation does.
        PostNcDestroy();
        return FALSE;
    }

    // The door's own widths are made for the host's DPI; a width the host gave is kept as it is.
    const int nDpi = CDpiScale::DpiOfWindow(hHost);
    if (!m_bWidthGiven)
        m_nOpenWidth = ::MulDiv(kDoorWidth, nDpi, LUMO_BASE_DPI);
    CRect R;
    GetMDIClientRect(hHost, R);
    R.right = m_nOpenWidth;
    m_nCurWidth = ::MulDiv(kDoorStartWidth, nDpi, LUMO_BASE_DPI);
    m_bPlaced = FALSE;
    // A control parent: the dialog manager's keyboard navigation (IsDialogMessage) reaches the
    // toggle button and the drops inside.
    if (!CWnd::CreateEx(WS_EX_CONTROLPARENT, lpszClassName, lpszWindowName, dwStyle, R, pParentWnd,
                        nID, pContext))
        return FALSE;  // the object is gone with the failed window

    CSize bmp;
    m_pToggle->GetBmpSize(bmp);
    const int bx = R.right - bmp.cx - R.left;
    const int by = (R.bottom - R.top - bmp.cy) / 2;
    m_pToggle->Create(_T(""), WS_TABSTOP, CRect(bx, by, bx, by), this, 1);
    m_pToggle->SetBkColor(m_crBk);
    m_pToggle->SetOpenState(m_bOpened);

    CWndDoorLayer* pLayer = new CWndDoorLayer;
    pLayer->SetViewStyle(m_nViewStyle, m_nMsgRClick);
    if (pLayer->Create(NULL, _T("DoorWinLayer"), 0, CRect(0, 0, R.right, R.bottom), this, 0))
    {
        m_pLayer = pLayer;
        m_hLayer = pLayer->m_hWnd;
        pLayer->SetBkColor(m_crBk);
        pLayer->UpdateScroll(FALSE);
    }

    if (m_pLayer)
        m_MyWin.AddSizeWnd(m_hLayer, 0, 0, GetCloseWidth(FALSE), 0);
    m_MyWin.AddMoveWnd(m_pToggle->m_hWnd, 0, 0, TRUE, FALSE);

    if (!CHookParentMessage::HookParent(hHost, this, NULL))
    {
        DestroyWindow();  // takes the object with it
        return FALSE;
    }
    CHookParentMessage::SubscribeMessage(hHost, WM_SIZE);
    m_hHost = hHost;
    m_cMap.SetAt(hHost, this);
    LiveDoors().Add(m_hWnd);
    InitResize();
    BringWindowToTop();
    SetTimer(DOOR_TIMER_RESIZE, 100);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// look-ups

CWndDoor* CWndDoor::GetObject(HWND hHost)
{
    CWndDoor* pDoor = NULL;
    if (!IsWindowOfThisThread(hHost) || !m_cMap.Lookup(hHost, pDoor))
        return NULL;
    return pDoor;
}

CWndDoor* CWndDoor::FromDoorWnd(HWND hDoor)
{
    if (!LiveDoors().IsLive(hDoor))
        return NULL;
    return DYNAMIC_DOWNCAST(CWndDoor, CWnd::FromHandlePermanent(hDoor));
}

// A drop lives in its door's layer, so its door is one of the windows above it.
CWndDoor* CWndDoor::SearchByDropWnd(HWND hDrop)
{
    if (!IsWindowOfThisThread(hDrop))
        return NULL;
    for (HWND h = ::GetParent(hDrop); h; h = ::GetParent(h))
    {
        CWndDoor* pDoor = FromDoorWnd(h);
        if (pDoor && pDoor->SearchDropWnd(hDrop))
            return pDoor;
    }
    return NULL;
}

CWndDoorLayer* CWndDoor::GetLayer() const
{
    if (!m_pLayer || !m_hLayer || !::IsWindow(m_hLayer) ||
        CWnd::FromHandlePermanent(m_hLayer) != m_pLayer)
        return NULL;
    return m_pLayer;
}

void CWndDoor::GetMDIClientRect(HWND hHost, CRect& R)
{
    R.SetRectEmpty();
    if (!::IsWindow(hHost))
        return;
    ::GetClientRect(hHost, &R);
    ::ClientToScreen(hHost, (LPPOINT)&R.left);
    ::ClientToScreen(hHost, (LPPOINT)&R.right);
    // A right-to-left host maps its client origin to its right edge: the corners come back
    // swapped, and the bars are compared with the area as it stands on the screen.
    R.NormalizeRect();

    // Runs at every animation tick: one walk over the first 16 children finds both the help
    // bar and the fixed bar (the first of each class in Z order).
    HWND hHelp = NULL, hBar = NULL;
    char szClass[80];
    HWND hChild = ::GetWindow(hHost, GW_CHILD);
    for (int i = 0; hChild && i < 16 && !(hHelp && hBar); ++i, hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        szClass[0] = 0;
        ::GetClassNameA(hChild, szClass, sizeof(szClass));
        if (!hHelp && strstr(szClass, "FNHELP"))
            hHelp = hChild;
        if (!hBar && strstr(szClass, "FIXEDBAR"))
            hBar = hChild;
    }
    if (hHelp)
    {
        RECT rc;
        ::GetWindowRect(hHelp, &rc);
        R.bottom -= rc.bottom - rc.top;
    }
    if (hBar)
    {
        CRect W;
        ::GetWindowRect(hBar, &W);
        if (W.Width() == R.Width())
        {
            if (W.top == R.top)
                R.top += W.Height();
            else if (W.bottom == R.bottom)
                R.bottom -= W.Height();
        }
        else if (W.Height() == R.Height())
        {
            if (W.left == R.left)
                R.left += W.Width();
            else if (W.bottom == R.bottom)
                R.right -= W.Width();
        }
    }
    ::ScreenToClient(hHost, (LPPOINT)&R.left);
    ::ScreenToClient(hHost, (LPPOINT)&R.right);
    R.NormalizeRect();
}

int CWndDoor::GetCloseWidth(BOOL bWithFrame)
{
    CSize bmp;
    m_pToggle->GetBmpSize(bmp);
    int w = bmp.cx + m_pDpi->Scale(kToggleGap);
    if (bWithFrame && m_hWnd)
    {
        CRect rcWindow, rcClient;
        GetWindowRect(&rcWindow);
        GetClientRect(&rcClient);
        w += rcWindow.Width() - rcClient.Width();
    }
    return w;
}

// An open door is at least as wide as the closed strip and at most as wide as the host's usable
// area; a host that shows nothing at the moment (minimised, say) is bounded by the screen.
int CWndDoor::ClampWidth(int nWidth)
{
    const int nMin = GetCloseWidth(TRUE);
    int nMax = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    HWND hParent = m_hWnd ? ::GetParent(m_hWnd) : NULL;
    if (hParent)
    {
        CRect R;
        GetMDIClientRect(hParent, R);
        if (R.Width() > nMin)
            nMax = R.Width();
    }
    if (nWidth > nMax)
        nWidth = nMax;
    return nWidth < nMin ? nMin : nWidth;
}

// A body is a window of the host's: one of this thread (which the desktop never is), not the
// door or a window above it (the panel would end up inside itself), and not one of the panel's
// own windows (the layer, the drops and their buttons).
BOOL CWndDoor::CanHold(HWND hWnd) const
{
    if (!IsWindowOfThisThread(hWnd))
        return FALSE;
    if (hWnd == m_hWnd || ::IsChild(hWnd, m_hWnd))
        return FALSE;
    if (::IsChild(m_hWnd, hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd && (pWnd->IsKindOf(RUNTIME_CLASS(CWndBack)) || dynamic_cast<CButtonBMP*>(pWnd)))
            return FALSE;
    }
    return TRUE;
}

int CWndDoor::GetFreeMem_MB()
{
    MEMORYSTATUS ms = {};
    ms.dwLength = sizeof(ms);
    ::GlobalMemoryStatus(&ms);
    return (int)(ms.dwAvailPhys >> 20);
}

BOOL CWndDoor::IsDropping() const
{
    CWndDoorLayer* pLayer = GetLayer();
    return pLayer && pLayer->IsAnimating();
}

/////////////////////////////////////////////////////////////////////////////
// attributes

int CWndDoor::SetWidth(int nWidth)
{
    int nOld = m_nOpenWidth;
    m_nOpenWidth = ClampWidth(nWidth);
    m_bWidthGiven = TRUE;
    InitResize();
    if (m_hWnd)
        Invalidate(TRUE);
    return nOld;
}

BOOL CWndDoor::SetOpenCloseWhenMousemove(BOOL bEnable)
{
    return std::exchange(m_bOpenOnMouseMove, bEnable);
}

int CWndDoor::SetHue(int nHue)
{
    CWndDoorLayer* pLayer = GetLayer();
    int nOld = pLayer ? pLayer->SetHue(nHue) : 0;
    DWORD normalId = 0, hoverId = 0, color = (DWORD)nHue;
    if (!::GetDoorHandle(nHue, &normalId, &hoverId, &color))
    {
        normalId = hoverId = 0;
        color = (DWORD)nHue;
    }
    SetBkColor((COLORREF)color);
    m_pToggle->SetBitmaps(normalId, hoverId);
    if (pLayer)
    {
        CAutoWnd* pAuto = m_MyWin.FindWnd(m_hLayer);
        if (pAuto)
            pAuto->m_nRight = GetCloseWidth(FALSE);
    }
    if (m_hWnd)
        Invalidate(TRUE);
    return nOld;
}

int CWndDoor::GetHue() const
{
    CWndDoorLayer* pLayer = GetLayer();
    return pLayer ? pLayer->GetHue() : 0;
}

COLORREF CWndDoor::SetBkColor(COLORREF crBk)
{
    CWndDoorLayer* pLayer = GetLayer();
    if (pLayer)
        pLayer->SetBkColor(crBk);
    m_pToggle->SetBkColor(crBk);
    COLORREF crOld = CWndBack::SetBkColor(crBk);
    // Every window of the panel shows the colour: the door around its children, the layer
    // between the drops, the drops and the buttons.
    if (m_hWnd)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN);
    return crOld;
}

int CWndDoor::GetBorder() const
{
    if (!m_hWnd)
        return 0;
    int n = 0;
    if (GetStyle() & WS_BORDER)
        n |= 1;
    if (GetExStyle() & WS_EX_STATICEDGE)
        n |= 2;
    if (GetExStyle() & WS_EX_CLIENTEDGE)
        n |= 4;
    return n;
}

int CWndDoor::SetBorder(int nFlags)
{
    int nOld = GetBorder();
    if (!m_hWnd)
        return nOld;
    ModifyStyle((nFlags & 1) ? 0 : WS_BORDER, (nFlags & 1) ? WS_BORDER : 0);
    ModifyStyleEx((nFlags & 2) ? 0 : WS_EX_STATICEDGE, (nFlags & 2) ? WS_EX_STATICEDGE : 0);
    ModifyStyleEx((nFlags & 4) ? 0 : WS_EX_CLIENTEDGE, (nFlags & 4) ? WS_EX_CLIENTEDGE : 0);
    InitResize();
    CRect rc;
    GetWindowRect(&rc);
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent)
    {
        ::ScreenToClient(hParent, (LPPOINT)&rc.left);
        ::ScreenToClient(hParent, (LPPOINT)&rc.right);
    }
    MoveWindow(rc.left, rc.top, rc.Width() + 1, rc.Height(), FALSE);
    MoveWindow(rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
    return nOld;
}

void CWndDoor::SetViewStyle(int nStyle)
{
    m_nViewStyle = nStyle;
    CWndDoorLayer* pLayer = GetLayer();
    if (pLayer)
        pLayer->SetViewStyle(nStyle, m_nMsgRClick);
}

/////////////////////////////////////////////////////////////////////////////
// forwarding to the layer

HWND CWndDoor::AddDropWnd(LPCSTR lpszTitle, int x, int nRight, int nGap, int nOpenHeight)
{
    CWndDoorLayer* p = GetLayer();
    return p ? p->AddDropWnd(lpszTitle, x, nRight, nGap, nOpenHeight) : NULL;
}

int CWndDoor::AttachDropBody(HWND hDrop, HWND hBody)
{
    CWndDoorLayer* p = GetLayer();
    return p && CanHold(hBody) ? p->AttachDropBody(hDrop, hBody) : 0;
}

BOOL CWndDoor::SetSingleDrop(BOOL bSingle)
{
    CWndDoorLayer* p = GetLayer();
    return p ? p->SetSingleDrop(bSingle) : 0;
}

BOOL CWndDoor::GetSingleDrop() const
{
    CWndDoorLayer* p = GetLayer();
    return p ? p->GetSingleDrop() : 0;
}

BOOL CWndDoor::SetDropped(HWND hDrop, BOOL bDropped)
{
    CWndDoorLayer* p = GetLayer();
    return p ? p->SetDropped(hDrop, bDropped) : 0;
}

COLORREF CWndDoor::SetDropHeaderColor(HWND hDrop, COLORREF crHeader)
{
    CWndDoorLayer* p = GetLayer();
    return p ? p->SetDropHeaderColor(hDrop, crHeader) : 0;
}

COLORREF CWndDoor::GetDropHeaderColor(HWND hDrop) const
{
    CWndDoorLayer* p = GetLayer();
    return p ? p->GetDropHeaderColor(hDrop) : 0;
}

CWndDrop* CWndDoor::SearchDropWnd(HWND hDrop) const
{
    CWndDoorLayer* p = GetLayer();
    return p ? p->SearchDropWnd(hDrop) : NULL;
}

HWND CWndDoor::EnumDropWnd(int nIndex) const
{
    CWndDoorLayer* p = GetLayer();
    return p ? p->EnumDropWnd(nIndex) : NULL;
}

int CWndDoor::AddChild(HWND hWnd, int x, int y)
{
    CWndDoorLayer* p = GetLayer();
    return p && CanHold(hWnd) ? p->AddChild(hWnd, x, y) : 0;
}

int CWndDoor::AddChild_AutoMove(HWND hWnd, int nRight, int nBottom, BOOL bCenterV, BOOL bCenterH)
{
    CWndDoorLayer* p = GetLayer();
    return p && CanHold(hWnd) ? p->AddChild_AutoMove(hWnd, nRight, nBottom, bCenterV, bCenterH) : 0;
}

int CWndDoor::AddChild_AutoSize(HWND hWnd, int x, int y, int nRight, int nBottom)
{
    CWndDoorLayer* p = GetLayer();
    return p && CanHold(hWnd) ? p->AddChild_AutoSize(hWnd, x, y, nRight, nBottom) : 0;
}

/////////////////////////////////////////////////////////////////////////////
// placing and sliding

void CWndDoor::InitResize()
{
    if (!m_hWnd || !::IsWindow(m_hWnd))
        return;
    HWND hParent = ::GetParent(m_hWnd);
    if (!hParent)
        return;
    CRect R;
    GetMDIClientRect(hParent, R);
    m_nCurWidth = m_bOpened ? m_nOpenWidth : GetCloseWidth(TRUE);
    MoveWindow(R.left, R.top, m_nCurWidth, R.Height(), TRUE);
    CWndDoorLayer* pLayer = GetLayer();
    if (m_nCurWidth == m_nOpenWidth && IsWindowVisible() && pLayer)
        pLayer->FocusSingleDrop();
}

void CWndDoor::_OnSize()
{
    HWND hParent = ::GetParent(m_hWnd);
    if (!hParent)
        return;
    CRect R;
    GetMDIClientRect(hParent, R);
    R.right = R.left + m_nCurWidth;
    if (!m_bPlaced)
    {
        m_bPlaced = TRUE;
        InitResize();
        m_MyWin.OnSize(TRUE);
    }
    MoveWindow(&R, TRUE);
}

void CWndDoor::DiscardSnapshot()
{
    ReleaseSnapshotDC();
    if (m_hSnapshot)
        ::DeleteObject(m_hSnapshot);
    m_hSnapshot = NULL;
}

void CWndDoor::ReleaseSnapshotDC()
{
    if (!m_hSnapDC)
        return;
    ::SelectObject(m_hSnapDC, m_hSnapOld);
    ::DeleteDC(m_hSnapDC);
    m_hSnapDC = NULL;
    m_hSnapOld = NULL;
}

void CWndDoor::PaintSnapshot(int cx, int cy, int xSrc)
{
    if (!m_hSnapshot)
        return;
    HDC hDC = ::GetDC(m_hWnd);
    if (!hDC)
        return;
    // The snapshot stays selected in one memory DC for the whole slide instead of a DC being
    // made and selected again at every tick.
    if (!m_hSnapDC)
    {
        m_hSnapDC = ::CreateCompatibleDC(hDC);
        m_hSnapOld = m_hSnapDC ? ::SelectObject(m_hSnapDC, m_hSnapshot) : NULL;
        if (m_hSnapDC && !m_hSnapOld)
        {
            ::DeleteDC(m_hSnapDC);
            m_hSnapDC = NULL;
        }
    }
    if (m_hSnapDC)
        ::BitBlt(hDC, 0, 0, cx, cy, m_hSnapDC, xSrc, 0, SRCCOPY);
    else
        CDRAW::BitBltDirect(hDC, 0, 0, cx, cy, m_hSnapshot, xSrc, 0, SRCCOPY);
    ::ReleaseDC(m_hWnd, hDC);
}

void CWndDoor::ShowDescendants(BOOL bShow)
{
    SendMessage(m_MsgSendChildren, SENDCHILDREN_SHOW, bShow ? 1 : 0);
}

void CWndDoor::SetOpenedState(BOOL bOpened)
{
    const BOOL bChanged = !m_bOpened != !bOpened;
    m_bOpened = bOpened;
    m_pToggle->SetOpenState(bOpened);
    // The toggle's spoken name says what it does next ("Open panel" or "Close panel").
    if (bChanged)
        CAccessible::Notify(EVENT_OBJECT_NAMECHANGE, m_pToggle->m_hWnd);
    if (m_pToggle->m_hWnd)
        m_pToggle->UpdateWindow();
}

void CWndDoor::RestoreToggleFocus()
{
    if (m_bToggleFocus && m_pToggle->m_hWnd && m_pToggle->IsWindowVisible() &&
        ::GetFocus() != m_pToggle->m_hWnd)
        m_pToggle->SetFocus();
    m_bToggleFocus = FALSE;
}

BOOL CWndDoor::DoorCloseOpen()
{
    if (!m_hWnd)
        return TRUE;
    const BOOL bAnimate = Animates();
    if (bAnimate)
        CShadowWin::Enable(m_hWnd, FALSE);
    m_bToggleFocus = m_pToggle->m_hWnd && ::GetFocus() == m_pToggle->m_hWnd;
    if (m_nMsgOpenClose != -1)
    {
        if (!HostNotify::Send(this, ::GetParent(m_hWnd), WM_USER + m_nMsgOpenClose,
                              m_bOpened ? 1 : 0, 0))
            return FALSE;
    }
    if (m_bOpened && !bAnimate)
    {
        ShowDescendants(FALSE);
        SetOpenedState(FALSE);
        InitResize();
        RestoreToggleFocus();
    }
    else if (m_bOpened)
    {
        CRect rc;
        GetClientRect(&rc);
        DiscardSnapshot();
        m_hSnapshot = CDRAW::GetWindowBitmap(m_hWnd, rc);
        m_nSnapWidth = rc.Width();
        m_nSnapHeight = rc.Height();
        m_nAnimOffset = 0;
        ShowDescendants(FALSE);
        SetFrozen(TRUE);
        SetTimer(DOOR_TIMER_CLOSE, 5);
        InitResize();
    }
    else if (!bAnimate)
    {
        SetOpenedState(TRUE);
        InitResize();
        RestoreToggleFocus();
    }
    else
    {
        CRect rc;
        GetClientRect(&rc);
        if (rc.Height() != m_nSnapHeight)
            DiscardSnapshot();
        if (m_hSnapshot)
        {
            SetFrozen(TRUE);
            ShowDescendants(FALSE);
        }
        SetTimer(DOOR_TIMER_OPEN, 5);
        InitResize();
    }
    return TRUE;
}

void CWndDoor::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == DOOR_TIMER_RESIZE)
    {
        KillTimer(DOOR_TIMER_RESIZE);
        _OnSize();
        return;
    }
    if (nIDEvent != DOOR_TIMER_OPEN && nIDEvent != DOOR_TIMER_CLOSE)
    {
        CWndBack::OnTimer(nIDEvent);
        return;
    }
    HWND hParent = ::GetParent(m_hWnd);
    const int s = m_pDpi->Scale(CGlobalInfo::GetInstance()->IsWinNT() ? kSlideStep : kSlideStepSlow);
    CRect R;
    GetMDIClientRect(hParent, R);

    if (nIDEvent == DOOR_TIMER_CLOSE)
    {
        int w = m_nCurWidth - s;
        if (w <= GetCloseWidth(TRUE))
        {
            ReleaseSnapshotDC();
            if (GetFreeMem_MB() < 30)
                DiscardSnapshot();
            CShadowWin::Enable(m_hWnd, TRUE);
            KillTimer(DOOR_TIMER_CLOSE);
            SetOpenedState(FALSE);
            InitResize();
            m_MyWin.OnSize(TRUE);
            SetFrozen(FALSE);
            Invalidate(TRUE);
            RestoreToggleFocus();
            return;
        }
        m_nCurWidth = w;
        MoveWindow(R.left, R.top, w, R.Height(), TRUE);
        m_nAnimOffset += s;
        PaintSnapshot(w, R.Height(), m_nAnimOffset);
        return;
    }

    int w = m_hSnapshot ? m_nCurWidth + s : m_nCurWidth + m_pDpi->Scale(kOpenJump);
    if (!m_hSnapshot)
        ShowDescendants(TRUE);
    if (w >= m_nOpenWidth)
    {
        DiscardSnapshot();
        CShadowWin::Enable(m_hWnd, TRUE);
        KillTimer(DOOR_TIMER_OPEN);
        SetOpenedState(TRUE);
        SetFrozen(FALSE);
        ShowDescendants(TRUE);
        InitResize();
        RestoreToggleFocus();
        return;
    }
    m_nCurWidth = w;
    MoveWindow(R.left, R.top, w, R.Height(), TRUE);
    if (m_hSnapshot)
    {
        m_nAnimOffset += s;
        PaintSnapshot(w, R.Height(), m_nSnapWidth - w);
    }
}

/////////////////////////////////////////////////////////////////////////////
// message handlers

// The toggle button has its new bitmaps already (children are told first): the closed strip,
// the default width, the layer's place and the door's width follow. Nothing moves yet: the
// host's resize to its new rectangle places the door, or OnDpiLayout does when there is none.
void CWndDoor::OnDpiChange(int)
{
    if (!m_bWidthGiven)
        m_nOpenWidth = m_pDpi->Scale(kDoorWidth);
    CAutoWnd* pAuto = GetLayer() ? m_MyWin.FindWnd(m_hLayer) : NULL;
    if (pAuto)
        pAuto->m_nRight = GetCloseWidth(FALSE);
    CSize bmp;
    m_pToggle->GetBmpSize(bmp);
    m_MyWin.ChangeOriginWidth(m_pToggle->m_hWnd, bmp.cx);
    m_MyWin.ChangeOriginHeight(m_pToggle->m_hWnd, bmp.cy);
    ++m_nDpiChanges;
    m_nCurWidth = m_bOpened ? m_nOpenWidth : GetCloseWidth(TRUE);
    Invalidate(TRUE);
}

// The host kept its size: the door takes its new width, and lays its tree out if the move did
// not (the width was the host's own, say). A move to where the door stands is none: it sends
// no WM_WINDOWPOSCHANGED, so neither this nor the re-placement timer lays out for nothing.
void CWndDoor::OnDpiLayout()
{
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent && m_bPlaced)
    {
        CRect R;
        GetMDIClientRect(hParent, R);
        R.right = R.left + m_nCurWidth;
        MoveWindow(&R, TRUE);
    }
    if (m_MyWin.IsStale())
    {
        LayOutTree();
        Invalidate(FALSE);
    }
}

BOOL CWndDoor::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (wParam == HOOKPARENT_NOTIFY_WPARAM)
    {
        HOOKPARENT_NMHDR* pHook = (HOOKPARENT_NMHDR*)lParam;
        if (pHook && pHook->message == WM_SIZE)
            _OnSize();
        if (pHook && (pHook->message == WM_SIZE || pHook->message == WM_WINDOWPOSCHANGING))
            SetTimer(DOOR_TIMER_RESIZE, 100);
    }
    else
    {
        NMHDR* pNM = (NMHDR*)lParam;
        if (pNM && !m_bFrozen && !IsDropping() && pNM->idFrom == 1 &&
            pNM->hwndFrom == m_pToggle->m_hWnd)
        {
            if (pNM->code == BMPBTN_CLICKED || pNM->code == BMPBTN_DBLCLICKED ||
                (pNM->code == BMPBTN_MOUSEMOVE && m_bOpenOnMouseMove))
            {
                if (!DoorCloseOpen())
                {
                    *pResult = 0;
                    return TRUE;
                }
            }
        }
    }
    return CWndBack::OnNotify(wParam, lParam, pResult);
}

void CWndDoor::Draw(CDC* pDC)
{
    int x = 0, yTop = 0;
    std::vector<DWORD> column;
    GetSeparator(x, yTop, column);
    // The separator's pixels are left out of the background, so none is painted twice.
    const int nSaved = pDC->SaveDC();
    if (!column.empty())
        pDC->ExcludeClipRect(x, yTop, x + 1, yTop + (int)column.size());
    PaintBackground(pDC);
    pDC->RestoreDC(nSaved);
    if (column.empty())
        return;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 1;
    bi.bmiHeader.biHeight = -(int)column.size();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    ::SetDIBitsToDevice(pDC->m_hDC, x, yTop, 1, (DWORD)column.size(), 0, 0, 0, (UINT)column.size(),
                        column.data(), &bi, DIB_RGB_COLORS);
}

void CWndDoor::GetSeparator(int& x, int& yTop, std::vector<DWORD>& column)
{
    const int R = GetRValue(m_crBk), G = GetGValue(m_crBk), B = GetBValue(m_crBk);
    double L = 0.1 * R + 0.6 * G + 0.3 * B + 85;
    BOOL bDark = FALSE;
    if (L > 255)
    {
        L = 120;
        bDark = TRUE;
    }
    else if (L < 193)
        L = 193;
    const int c = (int)L;
    int rgb[3];
    const int bg[3] = { R, G, B };
    for (int i = 0; i < 3; ++i)
        rgb[i] = bDark ? (c < bg[i] ? c : bg[i]) : (c > bg[i] ? c : bg[i]);
    CSize bmp;
    m_pToggle->GetBmpSize(bmp);
    CRect C;
    GetClientRect(&C);
    x = C.right - bmp.cx - m_pDpi->Scale(kSeparatorGap);
    const int y0 = (C.bottom - C.top - bmp.cy) / 2 + C.top;
    const int y1 = y0 + bmp.cy;
    const DWORD line = (DWORD)((rgb[0] << 16) | (rgb[1] << 8) | rgb[2]);

    // The line, then the fade: step k sets the rows y0 - k + 1 and y1 + k - 1 to a colour one
    // step nearer the background, until the colour reaches it or the fade reaches the top.
    std::vector<DWORD> fade;
    while (y0 - (int)fade.size() > C.top)
    {
        BOOL bStep = FALSE;
        for (int i = 0; i < 3; ++i)
        {
            if (!bDark && rgb[i] > bg[i])
            {
                --rgb[i];
                bStep = TRUE;
            }
            else if (bDark && rgb[i] < bg[i])
            {
                ++rgb[i];
                bStep = TRUE;
            }
        }
        if (!bStep)
            break;
        fade.push_back((DWORD)((rgb[0] << 16) | (rgb[1] << 8) | rgb[2]));
    }
    const int n = (int)fade.size();
    const int nTop = n > 0 ? y0 - n + 1 : y0;
    const int nBottom = n > 0 ? y1 + n - 1 : y1 - 1;  // the last row set
    yTop = nTop;
    column.assign(nBottom >= nTop ? nBottom - nTop + 1 : 0, 0);
    for (int y = y0; y < y1; ++y)
        column[y - nTop] = line;
    for (int k = 1; k <= n; ++k)
    {
        column[y0 - k + 1 - nTop] = fade[k - 1];
        column[y1 + k - 1 - nTop] = fade[k - 1];
    }
}

// A new size moves the separator (it stays centred beside the button): the door repaints its
// own strip, which its children leave small; the layer and the button repaint what their moves
// uncover themselves. The layer, the button, the drops and the drops' buttons are placed for
// the new size in one batch, their own layouts standing still meanwhile.
void CWndDoor::OnPlaced(CSize sizeOld)
{
    LayOutTree();
    if (sizeOld != m_sizeClient)
        Invalidate(FALSE);
}

void CWndDoor::LayOutTree()
{
    CLayoutPlan plan;
    PlanTree(m_sizeClient, plan);
    CWndDoorLayer* pLayer = GetLayer();
    SIZE sizeLayer;
    if (pLayer && plan.GetPlannedClientSize(pLayer->m_hWnd, sizeLayer))
        pLayer->PrepareScroll(sizeLayer.cy);
    plan.Apply(TRUE);
}

void CWndDoor::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (m_nMsgRClick != -1)
        HostNotify::Post(::GetParent(m_hWnd), WM_USER + m_nMsgRClick, (WPARAM)m_hWnd, 0);
    CWndBack::OnRButtonUp(nFlags, point);
}

LRESULT CWndDoor::OnSendChildren(WPARAM wParam, LPARAM lParam)
{
    HandleSendChildren(wParam, lParam);
    CWndDoorLayer* pLayer = GetLayer();
    if (pLayer)
        pLayer->SendMessage(m_MsgSendChildren, wParam, lParam);
    return 0;
}
