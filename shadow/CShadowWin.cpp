// Window shadows: saved screen bands, darkened in place and put back.
#include "shadow/CShadowWin.h"
#include "draw/LumoPalette.h"
#include "frame/DpiScale.h"
#include "shadow/ShadowRamp.h"
#include "frame/UiThread.h"
#include "frame/WndProcChain.h"
#include "lumo.h"
#include "CDRAW.h"
#include "CMemDC.h"
#include "CGlobalInfo.h"

namespace
{

struct ShadowEntry
{
    HWND hWnd;
    CShadowWin* pShadow;
};

// The module's shadows, searched linearly; there are only ever a few.
CArray<ShadowEntry, const ShadowEntry&> g_shadows;

// The fade-in of the right band under a rounded top corner at 96 DPI, row by row, across the
// three columns nearest the window.
const int kRoundedRows = 8, kRoundedCols = 3;
const int kRoundedTop[kRoundedRows][kRoundedCols] = {
    {240, 255, 255}, {220, 240, 255}, {220, 240, 255}, {170, 220, 240},
    {170, 220, 240}, {140, 190, 240}, {140, 190, 220}, {140, 170, 212},
};
// At 96 DPI: the shadow starts 5 below the window's top; the bands 6 in from the window's left
// and from the shadow's top, 15 under a rounded corner, whose fade-in starts 7 down.
const int kTopOffset = 5, kRoundedStart = 15, kRoundedFirstRow = 7;
// The caption's height the unobscured test skips, at 96 DPI.
const int kCaptionSkip = 20;

void DarkenPixel(HDC hDC, int x, int y, int f)
{
    COLORREF cr = ::GetPixel(hDC, x, y);
    if (cr != CLR_INVALID)
        ::SetPixelV(hDC, x, y, ShadowRamp::Darken(cr, f));
}

RECT WorkArea()
{
    RECT rc = {0, 0, 0, 0};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

// A screen strip captured with its top-left pixel at the bitmap's origin.
HBITMAP CaptureStrip(const RECT& rcStrip)
{
    RECT rcArea = {rcStrip.left, rcStrip.top, rcStrip.right - rcStrip.left, rcStrip.bottom - rcStrip.top};
    return CDRAW::GetWindowBitmap(NULL, rcArea);
}

} // namespace

UINT_PTR CShadowWin::s_nTimerId = 0;

/////////////////////////////////////////////////////////////////////////////
// Construction

CShadowWin::CShadowWin(HWND hWnd, BOOL bSkinned)
    : m_bShown(1), m_bReady(0), m_bPending(0), m_bDragging(0), m_bSkinned(bSkinned ? 1 : 0), m_bEnabled(1),
      m_hWnd(hWnd), m_hParent(::GetParent(hWnd)), m_nWidth(ShadowRamp::Width(LUMO_BASE_DPI))
{
    ::SetRectEmpty(&m_rightStrip);
    ::SetRectEmpty(&m_bottomStrip);
    ::SetRectEmpty(&m_parentRect);
    m_bPopup = (::GetWindowLongA(hWnd, GWL_STYLE) & WS_POPUP) ? 1 : 0;
}

CShadowWin::~CShadowWin()
{
    RestoreBands();
    if (s_nTimerId != 0 && GetCount() == 1 && g_shadows[0].pShadow == this)
    {
        ::KillTimer(NULL, s_nTimerId);
        s_nTimerId = 0;
    }
    RemoveWndProc(m_hWnd, WNDPROC_CLIENT_SHADOW);
    for (INT_PTR i = 0; i < g_shadows.GetSize(); i++)
    {
        if (g_shadows[i].pShadow == this)
        {
            g_shadows.RemoveAt(i);
            break;
        }
    }
    DropBands();
}

/////////////////////////////////////////////////////////////////////////////
// Attributes

CShadowWin* CShadowWin::Find(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    for (INT_PTR i = 0; i < g_shadows.GetSize(); i++)
        if (g_shadows[i].hWnd == hWnd)
            return g_shadows[i].pShadow;
    return NULL;
}

int CShadowWin::GetCount()
{
    return (int)g_shadows.GetSize();
}

BOOL CShadowWin::IsUnobscured() const
{
    if (!::IsWindowVisible(m_hWnd))
        return FALSE;
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    ::InflateRect(&rc, -1, -1);
    rc.top += ::MulDiv(kCaptionSkip, CDpiScale::DpiOfWindow(m_hWnd), LUMO_BASE_DPI);
    int xMid = rc.left + (rc.right - rc.left) / 2;
    int yMid = rc.top + (rc.bottom - rc.top) / 2;
    const POINT pts[8] = {
        {rc.left, rc.top},     {xMid, rc.top},       {rc.right, rc.top}, {rc.right, yMid},
        {rc.right, rc.bottom}, {xMid, rc.bottom}, {rc.left, rc.bottom},  {rc.left, yMid},
    };
    for (int i = 0; i < 8; i++)
        if (::WindowFromPoint(pts[i]) != m_hWnd)
            return FALSE;
    return TRUE;
}

BOOL CShadowWin::GetBounds(RECT* pBounds) const
{
    if (!IsChild())
    {
        *pBounds = WorkArea();
        return TRUE;
    }
    if (!::GetClientRect(m_hParent, pBounds))
        return FALSE;
    ::MapWindowPoints(m_hParent, NULL, reinterpret_cast<LPPOINT>(pBounds), 2);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Operations

void CShadowWin::Update()
{
    RestoreBands();
    // In system colours no shadow is drawn.
    if (!m_bShown || !m_bEnabled || !::IsWindowVisible(m_hWnd) || LumoPalette::Flat())
        return;

    // The shadow is made for the window's DPI as it is now.
    const int nDpi = CDpiScale::DpiOfWindow(m_hWnd);
    m_nWidth = ShadowRamp::Width(nDpi);
    const int W = m_nWidth;
    RECT rcWork = WorkArea();
    RECT rc;
    if (!::GetWindowRect(m_hWnd, &rc) || rc.right == rc.left || rc.bottom == rc.top)
        return;
    rc.right += W + 1;
    rc.bottom += W + 1;
    if (rc.left < 0 || rc.top < 0 || rc.right > rcWork.right || rc.bottom > rcWork.bottom)
        return;

    RECT rcBounds, rcUnion;
    if (!GetBounds(&rcBounds))
        return;
    ::UnionRect(&rcUnion, &rcBounds, &rc);
    if (!::EqualRect(&rcUnion, &rcBounds))
        return;

    // From here the rectangle reaches the band's width past the window on the right and at the
    // bottom.
    rc.right -= 1;
    rc.bottom -= 1;
    rc.top += ::MulDiv(kTopOffset, nDpi, LUMO_BASE_DPI);
    SaveBands(rc);
    Draw(rc, m_bSkinned ? TRUE : CGlobalInfo::GetInstance()->IsWinXP(), nDpi);
}

void CShadowWin::SaveBands(const RECT& rc)
{
    DropBands();
    if (!::IsWindowVisible(m_hWnd) || ::IsRectEmpty(&rc))
        return;
    ::SetRect(&m_rightStrip, rc.right - m_nWidth, rc.top, rc.right, rc.bottom);
    ::SetRect(&m_bottomStrip, rc.left, rc.bottom - m_nWidth, rc.right - m_nWidth, rc.bottom);
    m_rightBackground.Attach(CaptureStrip(m_rightStrip));
    m_bottomBackground.Attach(CaptureStrip(m_bottomStrip));
    if (IsChild())
        ::GetWindowRect(m_hParent, &m_parentRect);
}

void CShadowWin::DropBands()
{
    m_rightBackground.DeleteObject();
    m_bottomBackground.DeleteObject();
}

void CShadowWin::RestoreBands()
{
    if (!IsDrawn())
        return;

    BOOL bValid = ::IsWindow(m_hWnd) && !::IsZoomed(m_hWnd) && ::GetParent(m_hWnd) == m_hParent;
    if (IsChild())
    {
        if (!bValid || !::IsWindow(m_hParent) || !::IsWindowVisible(m_hParent))
        {
            DropBands();
            return;
        }
        RECT rcParent;
        ::GetWindowRect(m_hParent, &rcParent);
        if (!::EqualRect(&rcParent, &m_parentRect))
        {
            // The saved pixels belong to where the parent was: let it paint itself instead.
            DropBands();
            m_bReady = 0;
            ::RedrawWindow(m_hParent, NULL, NULL,
                           RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW |
                               RDW_ERASENOW);
            m_bReady = 1;
            return;
        }
    }
    if (!bValid)
    {
        DropBands();
        return;
    }

    RECT rcBounds;
    HDC hDC = GetBounds(&rcBounds) ? ::CreateDCA("DISPLAY", NULL, NULL, NULL) : NULL;
    if (hDC != NULL)
    {
        struct
        {
            CBitmap* pBitmap;
            const RECT* pStrip;
        } bands[2] = {{&m_rightBackground, &m_rightStrip}, {&m_bottomBackground, &m_bottomStrip}};
        for (int i = 0; i < 2; i++)
        {
            const RECT& s = *bands[i].pStrip;
            int cx = (s.right < rcBounds.right ? s.right : rcBounds.right) - s.left;
            int cy = (s.bottom < rcBounds.bottom ? s.bottom : rcBounds.bottom) - s.top;
            HBITMAP hBitmap = (HBITMAP)bands[i].pBitmap->GetSafeHandle();
            if (hBitmap != NULL && cx > 0 && cy > 0)
                CDRAW::BitBltDirect(hDC, s.left, s.top, cx, cy, hBitmap, 0, 0, SRCCOPY);
            bands[i].pBitmap->DeleteObject();
        }
        ::DeleteDC(hDC);
    }
    DropBands();
}

void CShadowWin::Draw(const RECT& rc, BOOL bRounded, int nDpi)
{
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
    const int W = m_nWidth;
    // The bands start this far in; the corners fade over the pixels before.
    const int nInset = W + W / 2;
    const int nRoundedStart = ::MulDiv(kRoundedStart, nDpi, LUMO_BASE_DPI);
    HDC hDC = ::CreateDCA("DISPLAY", NULL, NULL, NULL);
    if (hDC == NULL)
        return;

    // The bands go through off-screen copies that start with the screen's pixels.
    {
        RECT rcBottom = {L, B - W, R, B};
        CMemDC dc(hDC, &rcBottom, TRUE);
        for (int k = 0; k < W; k++)
            for (int x = L + nInset; x <= R - W - 1; x++)
                DarkenPixel(dc.GetSafeHdc(), x, B - W + k, ShadowRamp::Band(k, W));
    }
    {
        RECT rcRight = {R - W, T + nInset, R, B - W};
        CMemDC dc(hDC, &rcRight, TRUE);
        for (int k = 0; k < W; k++)
            for (int y = bRounded ? T + nRoundedStart : T + nInset; y <= B - W - 1; y++)
                DarkenPixel(dc.GetSafeHdc(), R - W + k, y, ShadowRamp::Band(k, W));
    }

    for (int i = 0; i < W; i++)
    {
        for (int j = 0; j < W; j++)
        {
            const int f = ShadowRamp::Corner(i, j, W);
            DarkenPixel(hDC, R - W + i, B - W + j, f);
            DarkenPixel(hDC, L + nInset - 1 - i, B - W + j, f);
            if (!bRounded)
                DarkenPixel(hDC, R - W + i, T + nInset - 1 - j, f);
        }
    }
    if (bRounded)
    {
        // The fade-in's rows and columns stretch as the band does.
        const int nFirst = ::MulDiv(kRoundedFirstRow, nDpi, LUMO_BASE_DPI);
        const int nRows = nRoundedStart - nFirst;
        const int nCols = W * kRoundedCols / 4;
        for (int row = 0; row < nRows; row++)
            for (int col = 0; col < nCols; col++)
                DarkenPixel(hDC, R - W + col, T + nFirst + row,
                            kRoundedTop[row * kRoundedRows / nRows][col * kRoundedCols / nCols]);
    }
    ::DeleteDC(hDC);
}

void CShadowWin::RestartTimer(UINT nElapse)
{
    if (s_nTimerId != 0)
        ::KillTimer(NULL, s_nTimerId);
    s_nTimerId = ::SetTimer(NULL, 0, nElapse, TimerProc);
}

/////////////////////////////////////////////////////////////////////////////
// Message handlers

void CALLBACK CShadowWin::TimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_nTimerId != 0)
        ::KillTimer(NULL, s_nTimerId);
    s_nTimerId = 0;
    // Drawing can send messages to windows; the list is read afresh at every step.
    for (INT_PTR i = 0; i < g_shadows.GetSize(); i++)
    {
        CShadowWin* p = g_shadows[i].pShadow;
        if (p->m_bReady && !p->m_bPending)
            continue;
        p->m_bReady = 1;
        p->m_bPending = 0;
        if (p->IsUnobscured())
        {
            p->m_bShown = 1;
            p->Update();
        }
    }
}

LRESULT CALLBACK CShadowWin::ShadowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CShadowWin* p = Find(hWnd);
    if (p == NULL)
        return CallPrevWndProc(WNDPROC_CLIENT_SHADOW, hWnd, message, wParam, lParam);

    if (message == WM_DESTROY)
    {
        delete p;
        return CallPrevWndProc(WNDPROC_CLIENT_SHADOW, hWnd, message, wParam, lParam);
    }
    if (!p->m_bReady || !p->m_bEnabled)
        return CallPrevWndProc(WNDPROC_CLIENT_SHADOW, hWnd, message, wParam, lParam);

    switch (message)
    {
    case WM_NCLBUTTONDOWN:
    {
        // A press on the caption or a sizing border starts a move or size: the shadow goes
        // until it ends.
        POINT pt;
        ::GetCursorPos(&pt);
        LPARAM lPos = MAKELPARAM(pt.x, pt.y);
        LRESULT ht = CallPrevWndProc(WNDPROC_CLIENT_SHADOW, hWnd, WM_NCHITTEST, 0, lPos);
        BOOL bDrag = ht == HTCAPTION || (ht >= HTLEFT && ht <= HTBOTTOMRIGHT);
        if (!bDrag && p->m_bSkinned &&
            CallOwnWndProc(WNDPROC_CLIENT_SKIN, hWnd, WM_NCHITTEST, 0, lPos) == HTCAPTION)
            bDrag = TRUE;
        if (bDrag)
        {
            p->m_bDragging = 1;
            p->m_bShown = 0;
            p->Update();
        }
        break;
    }
    case WM_SHOWWINDOW:
    case WM_NCACTIVATE:
        if (wParam != 0)
        {
            if (!p->m_bDragging)
            {
                RestartTimer(100);
                p->m_bPending = 1;
            }
        }
        else
        {
            p->m_bShown = 0;
            p->Update();
        }
        break;
    case WM_NCMOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_EXITSIZEMOVE:
        p->m_bDragging = 0;
        if (!p->m_bPending && !p->m_bShown)
        {
            p->m_bPending = 1;
            RestartTimer(1);
        }
        break;
    default:
        break;
    }
    return CallPrevWndProc(WNDPROC_CLIENT_SHADOW, hWnd, message, wParam, lParam);
}

/////////////////////////////////////////////////////////////////////////////
// Registration

int CShadowWin::Register(HWND hWnd)
{
    if (!IsWindowOfThisThread(hWnd))
        return 0;
    if (IsVista() && IsWinXPThemeOpened())
        return 0;
    if (!CGlobalInfo::GetInstance()->IsWinNT())
    {
        BOOL bFullDrag = FALSE;
        ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &bFullDrag, 0);
        if (!bFullDrag)
            return 0;
    }
    if (!InstallWndProc(hWnd, WNDPROC_CLIENT_SHADOW, CShadowWin::ShadowProc))
        return 0;
    // A second registration keeps the shadow the window already has.
    if (CShadowWin::Find(hWnd) != NULL)
        return 1;

    CShadowWin* p = new CShadowWin(hWnd, IsWndProcInstalled(hWnd, WNDPROC_CLIENT_SKIN));
    ShadowEntry entry = {hWnd, p};
    g_shadows.Add(entry);
    CShadowWin::RestartTimer(150);
    p->m_bPending = 1;
    return 1;
}

// A shadow belongs to its window's thread: another thread's call finds none.
int CShadowWin::Unregister(HWND hWnd)
{
    CShadowWin* p = IsWindowOfThisThread(hWnd) ? CShadowWin::Find(hWnd) : NULL;
    if (p == NULL)
        return 0;
    delete p;
    return 1;
}

void CShadowWin::Enable(HWND hWnd, BOOL bEnable)
{
    CShadowWin* p = IsWindowOfThisThread(hWnd) ? CShadowWin::Find(hWnd) : NULL;
    if (p == NULL)
        return;
    p->m_bEnabled = bEnable ? 1 : 0;
    p->Update();
}

void ShadowWinSetSkinned(HWND hWnd, int bSkinned)
{
    CShadowWin* p = CShadowWin::Find(hWnd);
    if (p == NULL)
        return;
    p->m_bSkinned = bSkinned ? 1 : 0;
    p->Update();
}

int ShadowWinListSize()
{
    return CShadowWin::GetCount();
}

UINT_PTR ShadowWinTimerId()
{
    return CShadowWin::GetTimerId();
}

int ShadowWinIsDrawn(HWND hWnd)
{
    CShadowWin* p = CShadowWin::Find(hWnd);
    return (p != NULL && p->IsDrawn()) ? 1 : 0;
}
