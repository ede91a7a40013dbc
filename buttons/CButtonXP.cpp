#include "CButtonXP.h"
#include "frame/HostNotify.h"
#include "buttons/CButtonXPAccessible.h"
#include "frame/DpiScale.h"

IMPLEMENT_DYNAMIC(CButtonXP, CButton)

BEGIN_MESSAGE_MAP(CButtonXP, CButton)
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_GETDLGCODE()
    ON_WM_SETFOCUS()
    ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
    ON_MESSAGE(WM_UPDATEUISTATE, OnUpdateUIState)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_REGISTERED_MESSAGE(CDpiScale::m_msgDpiChanged, OnDpiChanged)
END_MESSAGE_MAP()

/////////////////////////////////////////////////////////////////////////////
// construction

CButtonXP::CButtonXP()
{
}

CButtonXP::~CButtonXP()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CButtonXP::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
    return CButton::PreCreateWindow(cs);
}

void CButtonXP::PreSubclassWindow()
{
    // On the Create path this runs before the control exists: only the style change counts.
    const DWORD dwStyle = GetStyle();
    Init(m_hWnd, TypeFromStyle(dwStyle));
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, (LONG_PTR)OwnerDrawStyle(dwStyle));
    CButton::PreSubclassWindow();
}

/////////////////////////////////////////////////////////////////////////////
// drawing

void CButtonXP::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    _DrawItem(lpDrawItemStruct);
}

/////////////////////////////////////////////////////////////////////////////
// message handlers

// The box pictures and sizes are taken for the DPI at each paint.
LRESULT CButtonXP::OnDpiChanged(WPARAM, LPARAM)
{
    Invalidate(TRUE);
    return 0;
}

void CButtonXP::OnDestroy()
{
    m_pDpi->Detach();
    CAccessible::Disconnect(m_hWnd);
    FreePaintCache();
    CButton::OnDestroy();
}

LRESULT CButtonXP::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lr = CAccessible::Answer(m_hWnd, wParam, lParam, OBJID_CLIENT, CButtonXPAccessible::Make);
    return lr ? lr : Default();
}

BOOL CButtonXP::OnEraseBkgnd(CDC*)
{
    // The paint that follows covers every pixel from its off-screen buffer: erasing first
    // would only show as flicker.
    return TRUE;
}

void CButtonXP::OnMouseMove(UINT nFlags, CPoint point)
{
    // The move is relayed to the tip, a window of the host that may destroy the button.
    const HWND hSelf = m_hWnd;
    _OnMouseMove(nFlags, point);
    if (HostNotify::Alive(this, hSelf))
        CButton::OnMouseMove(nFlags, point);
}

void CButtonXP::OnLButtonDown(UINT nFlags, CPoint point)
{
    _OnLButtonDown();
    CButton::OnLButtonDown(nFlags, point);
}

void CButtonXP::OnLButtonUp(UINT nFlags, CPoint point)
{
    const HWND hSelf = m_hWnd;
    _OnLButtonUp(nFlags, point);
    // The parent may have destroyed the button when it was checked.
    if (HostNotify::Alive(this, hSelf))
        CButton::OnLButtonUp(nFlags, point);
}

void CButtonXP::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    _OnKeyDown(nChar, (LPARAM)nFlags * 65536 + nRepCnt);
    CButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CButtonXP::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const HWND hSelf = m_hWnd;
    _OnKeyUp(nChar, (LPARAM)nFlags * 65536 + nRepCnt);
    if (HostNotify::Alive(this, hSelf))
        CButton::OnKeyUp(nChar, nRepCnt, nFlags);
}

LRESULT CButtonXP::OnGetCheck(WPARAM wParam, LPARAM lParam)
{
    return _OnGetCheck(wParam, lParam);
}

LRESULT CButtonXP::OnSetCheck(WPARAM wParam, LPARAM lParam)
{
    // The check state lives in the object; the owner-drawn platform button keeps none.
    _OnSetCheck(wParam, lParam);
    return 0;
}

LRESULT CButtonXP::OnMouseHover(WPARAM wParam, LPARAM lParam)
{
    return _OnMouseHover(wParam, lParam);
}

LRESULT CButtonXP::OnMouseLeave(WPARAM, LPARAM)
{
    _OnMouseLeave();
    return 1;
}

UINT CButtonXP::OnGetDlgCode()
{
    const MSG* pCurrent = GetCurrentMessage();
    return (UINT)_OnGetDlgCode((LRESULT)CButton::OnGetDlgCode(), pCurrent ? (const MSG*)pCurrent->lParam : NULL);
}

void CButtonXP::OnSetFocus(CWnd* pOldWnd)
{
    const HWND hSelf = m_hWnd;
    CButton::OnSetFocus(pOldWnd);
    if (HostNotify::Alive(this, hSelf))
        _OnSetFocus();
}

LRESULT CButtonXP::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(BM_SETSTYLE, _OnSetStyle(wParam), lParam);
}

LRESULT CButtonXP::OnUpdateUIState(WPARAM wParam, LPARAM)
{
    const LRESULT lResult = Default();
    _OnUpdateUIState(wParam);
    return lResult;
}

LRESULT CButtonXP::OnSetText(WPARAM, LPARAM)
{
    // A new text is a new name for screen readers.
    const LRESULT lResult = Default();
    CAccessible::Notify(EVENT_OBJECT_NAMECHANGE, m_hWnd);
    return lResult;
}
