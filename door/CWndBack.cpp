#include "CWndBack.h"
#include "CUtilityVisual.h"
#include "frame/LumoModule.h"
#include "frame/DpiScale.h"
#include "frame/LumoSettings.h"
#include "draw/LumoPalette.h"

UINT g_msgSendChildren = ::RegisterWindowMessageA("CWndBack_SendChildren");
const UINT& CWndBack::m_MsgSendChildren = g_msgSendChildren;

IMPLEMENT_DYNCREATE(CWndBack, CWnd)

BEGIN_MESSAGE_MAP(CWndBack, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_WINDOWPOSCHANGED()
    ON_REGISTERED_MESSAGE(g_msgSendChildren, OnSendChildren)
    ON_REGISTERED_MESSAGE(CDpiScale::m_msgDpiChanged, OnDpiChangedMessage)
    ON_REGISTERED_MESSAGE(CDpiScale::m_msgDpiLayout, OnDpiLayoutMessage)
END_MESSAGE_MAP()

/////////////////////////////////////////////////////////////////////////////
// construction

CWndBack::CWndBack()
    : m_bTransparent(FALSE), m_bAnimationAble(TRUE), m_pPicture(NULL),
      m_crBk(::GetSysColor(COLOR_BTNFACE)), m_bFrozen(FALSE), m_sizeClient(0, 0),
      m_bWholePaint(FALSE), m_pDpi(new CDpiScale)
{
}

CWndBack::~CWndBack()
{
    delete m_pDpi;
    m_MyWin.Clear();
    ReleasePicture();
}

// The one place a panel window's object goes: after its window's last message. A Create that
// fails has come here too (the framework ends a failed creation the same way), so the creator
// never deletes the object itself.
void CWndBack::PostNcDestroy()
{
    delete this;
}

void CWndBack::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    m_pDpi->Attach(m_hWnd);
}

LRESULT CWndBack::OnDpiChangedMessage(WPARAM, LPARAM lParam)
{
    OnDpiChange((int)lParam);
    m_MyWin.SetStale();
    return 0;
}

LRESULT CWndBack::OnDpiLayoutMessage(WPARAM, LPARAM)
{
    OnDpiLayout();
    return 0;
}

void CWndBack::OnDpiChange(int)
{
    Invalidate(TRUE);
}

void CWndBack::OnDpiLayout()
{
    if (m_MyWin.IsStale())
        m_MyWin.OnSize(TRUE);
}

BOOL CWndBack::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    if (m_bWholePaint)
        cs.style |= WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

void CWndBack::UseWholePaint()
{
    m_bWholePaint = TRUE;
    m_MyWin.SetChangesOnly(TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// attributes

void CWndBack::ReleasePicture()
{
    if (m_pPicture)
        m_pPicture->Release();
    m_pPicture = NULL;
}

COLORREF CWndBack::SetBkColor(COLORREF crBk)
{
    ReleasePicture();
    COLORREF crOld = m_crBk;
    m_crBk = crBk;
    m_bTransparent = FALSE;
    return crOld;
}

void CWndBack::SetTransparent(BOOL bTransparent)
{
    m_bTransparent = bTransparent;
    if (!bTransparent)
        SetBkColor(m_crBk);
}

BOOL CWndBack::SetBkPicture(LPCSTR lpszFile)
{
    ReleasePicture();
    if (!lpszFile)
        return FALSE;
    IPicture* pPicture = NULL;
    if (!CUtilityVisual::GetPicture(&pPicture, lpszFile) || !pPicture)
        return FALSE;
    m_pPicture = pPicture;
    return TRUE;
}

BOOL CWndBack::Animates() const
{
    return m_bAnimationAble && LumoSettings::ClientAreaAnimation();
}

BOOL CWndBack::SetAnimationAble(BOOL bAble)
{
    BOOL bOld = m_bAnimationAble;
    HandleSendChildren(SENDCHILDREN_ANIMATION, bAble);
    return bOld;
}

/////////////////////////////////////////////////////////////////////////////
// operations

int CWndBack::AddChild(HWND hWnd, int x, int y)
{
    return AddChild_AutoSize(hWnd, x, y, -1, -1);
}

int CWndBack::AddChild_AutoMove(HWND hWnd, int nRight, int nBottom, BOOL bCenterV, BOOL bCenterH)
{
    if (!::IsWindow(hWnd))
        return 0;
    m_MyWin.AddMoveWnd(hWnd, nRight, nBottom, bCenterV, bCenterH);
    m_MyWin.SetOtherParent(hWnd);
    m_MyWin.OnSize(TRUE);
    return 1;
}

int CWndBack::AddChild_AutoSize(HWND hWnd, int x, int y, int nRight, int nBottom)
{
    if (!::IsWindow(hWnd))
        return 0;
    m_MyWin.AddSizeWnd(hWnd, x, y, nRight, nBottom);
    m_MyWin.SetOtherParent(hWnd);
    m_MyWin.OnSize(TRUE);
    return 1;
}

/////////////////////////////////////////////////////////////////////////////
// message handlers

void CWndBack::PaintBackground(CDC* pDC)
{
    if (m_bFrozen || m_bTransparent)
        return;
    if (m_pPicture && !LumoPalette::Flat())
    {
        CRect rc;
        GetClientRect(&rc);
        CUtilityVisual::fill_with_pic(pDC, m_pPicture, rc);
        return;
    }
    CRect rcClip;
    pDC->GetClipBox(&rcClip);
    pDC->FillSolidRect(&rcClip, LumoPalette::Color(LumoPalette::PANE, m_crBk));
}

void CWndBack::Draw(CDC* pDC)
{
    PaintBackground(pDC);
}

// While frozen the window keeps what is on the screen (a slide paints over it). A window that
// paints everything in WM_PAINT erases nothing: erasing first would only show as flicker.
BOOL CWndBack::OnEraseBkgnd(CDC* pDC)
{
    if (!m_bFrozen && !m_bWholePaint)
        Draw(pDC);
    return TRUE;
}

void CWndBack::OnPaint()
{
    if (!m_bWholePaint)
    {
        Default();
        return;
    }
    CPaintDC dc(this);
    if (!m_bFrozen)
        Draw(&dc);
}

LRESULT CWndBack::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC* pDC = CDC::FromHandle((HDC)wParam);
    if (pDC && !m_bFrozen)
        Draw(pDC);
    return 0;
}

void CWndBack::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CWnd::OnWindowPosChanged(lpwndpos);
    const CSize sizeOld = m_sizeClient;
    CRect rc;
    GetClientRect(&rc);
    m_sizeClient = rc.Size();
    if (!m_bFrozen)
        OnPlaced(sizeOld);
}

void CWndBack::OnPlaced(CSize)
{
    m_MyWin.OnSize(TRUE);
}

void CWndBack::PlanTree(CSize sizeClient, CLayoutPlan& plan)
{
    const int nFirst = plan.GetCount();
    m_MyWin.Plan(sizeClient, plan);
    const int nLast = plan.GetCount();
    for (int i = nFirst; i < nLast; ++i)
    {
        const HWND hChild = plan.GetWnd(i);
        SIZE size;
        if (::GetParent(hChild) != m_hWnd || !plan.GetPlannedClientSize(hChild, size))
            continue;
        CWndBack* pChild = DYNAMIC_DOWNCAST(CWndBack, CWnd::FromHandlePermanent(hChild));
        if (!pChild || pChild->m_bFrozen || !pChild->m_bWholePaint)
            continue;
        if (size.cx > 0 && size.cy > 0)
            pChild->PlanTree(size, plan);
    }
}

void CWndBack::HandleSendChildren(WPARAM wParam, LPARAM lParam)
{
    if (wParam == SENDCHILDREN_SHOW)
        m_MyWin.SetVisible(lParam != 0);
    else if (wParam == SENDCHILDREN_ANIMATION)
        m_bAnimationAble = (BOOL)lParam;
}

LRESULT CWndBack::OnSendChildren(WPARAM wParam, LPARAM lParam)
{
    HandleSendChildren(wParam, lParam);
    return 0;
}
