#include "CButtonBMP.h"
#include <new>
#include "draw/CBackBuffer.h"
#include "draw/LumoPalette.h"
#include "frame/LumoRes.h"
#include "frame/HostNotify.h"
#include "CDRAW.h"
#include "buttons/CButtonBMPAccessible.h"
#include "frame/KeyboardCues.h"
#include "frame/DpiScale.h"

namespace {

const COLORREF kTransparent = RGB(255, 0, 255);

SIZE BitmapSize(HBITMAP hBitmap)
{
    SIZE size = { 0, 0 };
    BITMAP bm;
    if (hBitmap && ::GetObjectA(hBitmap, sizeof(bm), &bm))
    {
        size.cx = bm.bmWidth;
        size.cy = bm.bmHeight;
    }
    return size;
}

}  // namespace

BEGIN_MESSAGE_MAP(CButtonBMP, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_DESTROY()
    ON_CONTROL_REFLECT(BN_DOUBLECLICKED, OnDoubleclicked)
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_MESSAGE(WM_UPDATEUISTATE, OnUpdateUIState)
    ON_REGISTERED_MESSAGE(CDpiScale::m_msgDpiChanged, OnDpiChanged)
END_MESSAGE_MAP()

/////////////////////////////////////////////////////////////////////////////
// construction

CButtonBMP::CButtonBMP()
    : m_bHover(0), m_bOpened(0), m_crBk(::GetSysColor(COLOR_BTNFACE)), m_hBmpNormal(NULL),
      m_hBmpHover(NULL), m_hCursor(NULL), m_nMoveCount(0), m_bHideFocus(0),
      m_bUIStateRead(0), m_nNormalId(0), m_nHoverId(0), m_nBmpDpi(LUMO_BASE_DPI),
      m_pDpi(new CDpiScale), m_pFace(NULL), m_bFaceKept(0),
      m_nBitmapsSet(0), m_nFaceBitmaps(0), m_bFaceHover(0), m_crFace(0), m_bFaceOpened(0), m_nFaceDpi(0)
{
    m_sizeFace.cx = m_sizeFace.cy = 0;
}

CButtonBMP::~CButtonBMP()
{
    DeleteBitmaps();
    DeleteFace();
    delete m_pDpi;
    m_bHover = 0;
    m_nMoveCount = 0;
    m_crBk = ::GetSysColor(COLOR_BTNFACE);
}

/////////////////////////////////////////////////////////////////////////////
// attributes

void CButtonBMP::DeleteBitmaps()
{
    if (m_hBmpNormal)
        ::DeleteObject(m_hBmpNormal);
    if (m_hBmpHover)
        ::DeleteObject(m_hBmpHover);
    m_hBmpNormal = NULL;
    m_hBmpHover = NULL;
}

void CButtonBMP::DeleteFace()
{
    delete m_pFace;
    m_pFace = NULL;
    m_bFaceKept = 0;
}

void CButtonBMP::ForgetFace()
{
    m_bFaceKept = 0;
    if (m_hWnd && ::IsWindow(m_hWnd))
        Invalidate(TRUE);
}

void CButtonBMP::SetBitmaps(UINT nNormalId, UINT nHoverId)
{
    m_nNormalId = nNormalId;
    m_nHoverId = nHoverId;
    DeleteBitmaps();
    ++m_nBitmapsSet;
    m_nBmpDpi = m_pDpi->GetSafeHwnd() ? m_pDpi->GetDpi() : m_nBmpDpi;
    m_hBmpNormal = ::Load1BitmapForDpi((int)nNormalId, m_nBmpDpi);
    m_hBmpHover = ::Load1BitmapForDpi((int)nHoverId, m_nBmpDpi);
    if (m_hWnd && ::IsWindow(m_hWnd))
        Invalidate(TRUE);
}

void CButtonBMP::LoadBitmaps(int nDpi)
{
    if (nDpi == m_nBmpDpi)
        return;
    m_nBmpDpi = nDpi;
    if (m_hBmpNormal || m_hBmpHover)
        SetBitmaps(m_nNormalId, m_nHoverId);
}

void CButtonBMP::GetBmpSize(CSize& size)
{
    SIZE s = BitmapSize(m_hBmpNormal ? m_hBmpNormal : m_hBmpHover);
    size.cx = s.cx;
    size.cy = s.cy;
}

void CButtonBMP::SetOpenState(BOOL bOpened)
{
    m_bOpened = bOpened ? 1 : 0;
    if (m_hWnd && ::IsWindow(m_hWnd))
        Invalidate(TRUE);
}

BOOL CButtonBMP::PreCreateWindow(CREATESTRUCT& cs)
{
    // A child has the DPI of its parent: the bitmaps are loaded for it before they size the
    // window.
    LoadBitmaps(CDpiScale::DpiOfWindow(cs.hwndParent));
    CSize size;
    GetBmpSize(size);
    cs.cx = size.cx;
    cs.cy = size.cy;
    cs.style |= WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_OWNERDRAW;
    return CButton::PreCreateWindow(cs);
}

/////////////////////////////////////////////////////////////////////////////
// message handlers

BOOL CButtonBMP::NotifyParent(UINT nCode)
{
    return HostNotify::SendNotify(this, nCode);
}

void CButtonBMP::OnClicked()
{
    NotifyParent(BMPBTN_CLICKED);
}

void CButtonBMP::OnDoubleclicked()
{
    NotifyParent(BMPBTN_DBLCLICKED);
}

void CButtonBMP::OnMouseMove(UINT nFlags, CPoint point)
{
    CButton::OnMouseMove(nFlags, point);
    if (++m_nMoveCount > 2)
    {
        m_nMoveCount = 0;
        if (!NotifyParent(BMPBTN_MOUSEMOVE))
            return;
    }
    if (!m_bHover)
    {
        m_bHover = 1;
        Invalidate(TRUE);
        TRACKMOUSEEVENT tme;
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        tme.dwHoverTime = 0;
        ::_TrackMouseEvent(&tme);
    }
}

LRESULT CButtonBMP::OnMouseLeave(WPARAM, LPARAM)
{
    m_nMoveCount = 0;
    m_bHover = 0;
    Invalidate(TRUE);
    NotifyParent(BMPBTN_MOUSELEAVE);
    return 0;
}

BOOL CButtonBMP::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hCursor)
    {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CButton::OnSetCursor(pWnd, nHitTest, message);
}

void CButtonBMP::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    m_pDpi->Attach(m_hWnd);
    LoadBitmaps(m_pDpi->GetDpi());
}

// New bitmaps for the new DPI; the window takes their size where it is, and its parent places
// it when it re-measures (parents are told after their children).
LRESULT CButtonBMP::OnDpiChanged(WPARAM, LPARAM)
{
    LoadBitmaps(m_pDpi->GetDpi());
    CSize size;
    GetBmpSize(size);
    if (size.cx > 0 && size.cy > 0)
        SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate(TRUE);
    return 0;
}

void CButtonBMP::OnDestroy()
{
    m_pDpi->Detach();
    CAccessible::Disconnect(m_hWnd);
    DeleteFace();
    CButton::OnDestroy();
}

CString CButtonBMP::GetAccessibleName()
{
    CString strName;
    const std::wstring name = m_hWnd ? CAccessible::TextWithoutMnemonic(m_hWnd) : std::wstring();
    if (!name.empty())
    {
        const int n = ::WideCharToMultiByte(CP_ACP, 0, name.c_str(), (int)name.size(), NULL, 0, NULL, NULL);
        ::WideCharToMultiByte(CP_ACP, 0, name.c_str(), (int)name.size(), strName.GetBuffer(n), n, NULL, NULL);
        strName.ReleaseBuffer(n);
    }
    return strName;
}

LRESULT CButtonBMP::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lr = CAccessible::Answer(m_hWnd, wParam, lParam, OBJID_CLIENT, CButtonBMPAccessible::Make);
    return lr ? lr : Default();
}

LRESULT CButtonBMP::OnUpdateUIState(WPARAM wParam, LPARAM)
{
    const LRESULT lr = Default();
    if (KeyboardCues::Update(m_hWnd, wParam, &m_bHideFocus))
    {
        m_bUIStateRead = 1;
        Invalidate(TRUE);
    }
    return lr;
}

/////////////////////////////////////////////////////////////////////////////
// drawing

void CButtonBMP::DrawFace(HDC hDC, const RECT& rc)
{
    // A brush fills the whole item in a mirrored context too, where an opaque text rectangle
    // may leave a column at one end.
    HBRUSH hBrush = ::CreateSolidBrush(LumoPalette::Color(LumoPalette::HEADER, m_crBk));
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);

    if (!m_hBmpNormal && !m_hBmpHover)
        return;
    HBITMAP hBitmap = m_bHover ? (m_hBmpHover ? m_hBmpHover : m_hBmpNormal)
                               : (m_hBmpNormal ? m_hBmpNormal : m_hBmpHover);
    SIZE size = BitmapSize(hBitmap);
    HDC hMem = ::CreateCompatibleDC(hDC);
    if (!hMem)
        return;
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    CDRAW::TransparentBlt2(hDC, rc.left, rc.top, size.cx, size.cy, hMem, 0, 0, kTransparent);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
}

void CButtonBMP::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    HDC hDC = lpDIS->hDC;
    const RECT& rc = lpDIS->rcItem;
    const COLORREF crFace = LumoPalette::Color(LumoPalette::HEADER, m_crBk);
    const SIZE size = { rc.right - rc.left, rc.bottom - rc.top };
    const int nDpi = m_pDpi->GetDpi();
    // A mirrored context is drawn into directly: the face is kept left to right.
    HDC hFace = NULL;
    if (!(::GetLayout(hDC) & LAYOUT_RTL))
    {
        if (!m_pFace)
            m_pFace = new (std::nothrow) CBackBuffer;
        hFace = m_pFace ? m_pFace->Get(size.cx, size.cy) : NULL;
    }
    if (!hFace)
        DrawFace(hDC, rc);
    else
    {
        if (!m_bFaceKept || m_nFaceBitmaps != m_nBitmapsSet || m_bFaceHover != m_bHover || m_crFace != crFace ||
            m_bFaceOpened != m_bOpened || m_nFaceDpi != nDpi || m_sizeFace.cx != size.cx ||
            m_sizeFace.cy != size.cy)
        {
            const RECT rcFace = { 0, 0, size.cx, size.cy };
            DrawFace(hFace, rcFace);
            m_bFaceKept = 1;
            m_nFaceBitmaps = m_nBitmapsSet;
            m_bFaceHover = m_bHover;
            m_crFace = crFace;
            m_bFaceOpened = m_bOpened;
            m_nFaceDpi = nDpi;
            m_sizeFace = size;
        }
        ::BitBlt(hDC, rc.left, rc.top, size.cx, size.cy, hFace, 0, 0, SRCCOPY);
    }
    // Only a button in the tab order is reached by the keyboard, and so shows where it is.
    if (!m_bUIStateRead)
    {
        m_bUIStateRead = 1;
        m_bHideFocus = KeyboardCues::FocusHidden(m_hWnd);
    }
    if ((lpDIS->itemState & ODS_FOCUS) && !m_bHideFocus && (GetStyle() & WS_TABSTOP))
    {
        RECT rcFocus = rc;
        ::InflateRect(&rcFocus, -2, -2);
        ::DrawFocusRect(hDC, &rcFocus);
    }
}
