#include "CMySlideCtrl.h"
#include "draw/LumoPalette.h"
#include "CMemDC.h"
#include "controls/ParentBackground.h"
#include "CUtilityVisual.h"
#include "frame/HostNotify.h"
#include "frame/DpiScale.h"

namespace {

const COLORREF kOutline = 0x006E748C;  // channel and thumb outline, ticks
const COLORREF kHalo = 0x00D0DBDF;
const COLORREF kLeftRows[3] = { 0x00FEE2B4, 0x00FFCE88, 0x00FFBA63 };
const COLORREF kRightRows[3] = { 0x00D1DBE0, 0x00EAF0F3, 0x00F9FBFC };
const COLORREF kFace = 0x00D8E6EC;
const COLORREF kFaceLit = 0x0052C8FE;
const COLORREF kHighlight = 0x00ECF3F6;

// A disabled slider shows its own colours in grey; in system colours, the role's colour, the
// parts that stand out in the disabled text colour while disabled.
COLORREF Tone(COLORREF cr, BOOL bEnabled, LumoPalette::Role role)
{
    if (LumoPalette::Flat())
    {
        const BOOL bStandsOut = role == LumoPalette::FRAME || role == LumoPalette::SELECTION || role == LumoPalette::HOT;
        return ::GetSysColor(LumoPalette::SysIndex(!bEnabled && bStandsOut ? LumoPalette::DISABLED_TEXT : role));
    }
    return bEnabled ? cr : CUtilityVisual::ToGray(cr);
}

// The thumb reaches 5 pixels (at 96 DPI) past the channel's ends and one row past the band on
// the side it points to.
const int kThumbReach = 5;
const int kThumbWidth = 11;

// Sets the position and tells the parent; newer than the platform headers here.
#ifndef TBM_SETPOSNOTIFY
#define TBM_SETPOSNOTIFY (WM_USER + 34)
#endif

}  // namespace

BEGIN_MESSAGE_MAP(CMySlideCtrl, CSliderCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_REGISTERED_MESSAGE(CDpiScale::m_msgDpiChanged, OnDpiChanged)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_MOUSEWHEEL()
    ON_WM_CAPTURECHANGED()
    ON_WM_ENABLE()
    ON_MESSAGE(TBM_SETPOS, OnRangeOrPos)
    ON_MESSAGE(TBM_SETPOSNOTIFY, OnRangeOrPos)
    ON_MESSAGE(TBM_SETRANGE, OnRangeOrPos)
    ON_MESSAGE(TBM_SETRANGEMIN, OnRangeOrPos)
    ON_MESSAGE(TBM_SETRANGEMAX, OnRangeOrPos)
END_MESSAGE_MAP()

/////////////////////////////////////////////////////////////////////////////
// construction

CMySlideCtrl::CMySlideCtrl()
    : m_crBk(::GetSysColor(COLOR_BTNFACE)), m_bTicks(1), m_nTickSide(8), m_nTicFreq(10), m_nMaxTicFreq(0),
      m_bHoverCapture(FALSE), m_bCreating(FALSE), m_pDpi(new CDpiScale)
{
}

CMySlideCtrl::~CMySlideCtrl()
{
    delete m_pDpi;
}

void CMySlideCtrl::OnDestroy()
{
    m_pDpi->Detach();
    CSliderCtrl::OnDestroy();
}

// The geometry is worked out at each paint: a repaint draws it at the new DPI.
LRESULT CMySlideCtrl::OnDpiChanged(WPARAM, LPARAM)
{
    Invalidate(TRUE);
    return 0;
}

BOOL CMySlideCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bCreating = TRUE;
    return CSliderCtrl::PreCreateWindow(cs);
}

void CMySlideCtrl::PreSubclassWindow()
{
    m_pDpi->Attach(m_hWnd);
    const DWORD dwStyle = GetStyle();
    m_bTicks = (dwStyle & TBS_NOTICKS) ? 0 : 1;
    m_nTickSide = (dwStyle & (TBS_TOP | TBS_BOTH)) ? 0 : 8;
    if (m_bCreating)
    {
        // Called before the window exists: a tick frequency sent now would be lost, and a parent
        // asked now could not destroy the slider cleanly. Both wait for WM_CREATE.
        CSliderCtrl::PreSubclassWindow();
        return;
    }
    if (!ReadParentBackground())
        return;
    CSliderCtrl::PreSubclassWindow();
    SendMessage(TBM_SETTICFREQ, (WPARAM)m_nTicFreq, 0);
}

int CMySlideCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CSliderCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_bCreating = FALSE;
    if (!ReadParentBackground())
        return -1;
    SendMessage(TBM_SETTICFREQ, (WPARAM)m_nTicFreq, 0);
    return 0;
}

BOOL CMySlideCtrl::PassOn(LRESULT* pResult)
{
    const HWND hSelf = m_hWnd;
    const LRESULT lr = Default();
    if (pResult)
        *pResult = lr;
    return HostNotify::Alive(this, hSelf);
}

BOOL CMySlideCtrl::ReadParentBackground()
{
    HBRUSH hBrush = NULL;
    if (!ParentBackground::Ask(this, NULL, &hBrush))
        return FALSE;
    m_crBk = ParentBackground::ColourOf(hBrush);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// operations

void CMySlideCtrl::SetPos(int nPos)
{
    // The slider's own handler of the message repaints it.
    SendMessage(TBM_SETPOS, TRUE, nPos);
}

void CMySlideCtrl::SetTicFreq(int nFreq)
{
    m_nTicFreq = nFreq;
    SendMessage(TBM_SETTICFREQ, (WPARAM)nFreq, 0);
    InvalidSlider();
}

int CMySlideCtrl::GetTickFreq()
{
    return m_nTicFreq;
}

void CMySlideCtrl::SetMaxTicFreq(int nInterval)
{
    m_nMaxTicFreq = nInterval;
    InvalidSlider();
}

/////////////////////////////////////////////////////////////////////////////
// geometry

void CMySlideCtrl::CalcRects(Geometry& g)
{
    GetClientRect(&g.rcClient);
    const CRect& client = g.rcClient;
    CRect& ch = g.rcChannel;
    ch.SetRectEmpty();
    GetChannelRect(&ch);
    const CDpiScale& D = *m_pDpi;
    const int m = (ch.top + ch.bottom) / 2;
    ch.top = m - D.Scale(3);
    ch.bottom = m + D.Scale(4);
    // The thumb points at the ticks, so the side of the ticks must have room for its point.
    if (m_bTicks)
    {
        if (TicksAbove())
        {
            if (m - D.Scale(10) < client.top)
                ch.OffsetRect(0, client.top - (ch.top - D.Scale(7)));
        }
        else if (m + D.Scale(8) > client.bottom)
            ch.OffsetRect(0, client.bottom - (ch.bottom + D.Scale(4)));
    }

    const BOOL bAbove = TicksAbove();
    g.rcUpper.SetRect(ch.left, ch.top - D.Scale(bAbove ? 6 : 3), ch.right, ch.top);
    g.rcLower.SetRect(ch.left, ch.bottom, ch.right, ch.bottom + D.Scale(bAbove ? 3 : 6));
    g.rcBand.SetRect(ch.left, g.rcUpper.top, ch.right, g.rcLower.bottom);

    int nMin = 0, nMax = 0;
    GetRange(nMin, nMax);
    const int nPos = GetPos();
    g.rcThumb = g.rcBand;
    g.rcThumb.left = g.rcBand.left - D.Scale(kThumbReach);
    if (nMax != nMin)
        g.rcThumb.left += (int)((LONGLONG)ch.Width() * ((LONGLONG)nPos - nMin) / ((LONGLONG)nMax - nMin));
    g.rcThumb.right = g.rcThumb.left + D.Scale(kThumbWidth);

    g.rcTicks.SetRectEmpty();
    if (m_bTicks)
    {
        if (bAbove)
            g.rcTicks.SetRect(g.rcBand.left, client.top + 1, g.rcBand.right, g.rcBand.top - D.Scale(2));
        else
            g.rcTicks.SetRect(g.rcBand.left, g.rcBand.bottom + D.Scale(1), g.rcBand.right, client.bottom - 1);
    }
}

void CMySlideCtrl::InvalidSlider()
{
    if (!::IsWindow(m_hWnd))
        return;
    Geometry g;
    CalcRects(g);
    CRect rc = g.rcBand;
    rc.InflateRect(m_pDpi->Scale(kThumbReach) + 1, 1);
    InvalidateRect(&rc, TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// painting

void CMySlideCtrl::Paint(CDC* pDC)
{
    Geometry g;
    CalcRects(g);
    const BOOL bEnabled = IsWindowEnabled();
    // Everything the pieces below leave out shows the parent's colour, which also wipes an old
    // focus frame.
    pDC->FillSolidRect(&g.rcClient, LumoPalette::Color(LumoPalette::HEADER, m_crBk));

    CPen penOutline(PS_SOLID, 1, Tone(kOutline, bEnabled, LumoPalette::FRAME));
    CPen penHalo(PS_SOLID, 1, Tone(kHalo, bEnabled, LumoPalette::HEADER));
    CPen* pOldPen = pDC->SelectObject(&penOutline);
    CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
    const CRect& ch = g.rcChannel;
    pDC->RoundRect(ch.left, ch.top + 1, ch.right, ch.bottom - 1, 2, 2);
    pDC->SelectObject(&penHalo);
    pDC->RoundRect(ch.left - 1, ch.top - 1, ch.right + 1, ch.bottom + 1, 2, 2);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);

    DrawTick(pDC, g, bEnabled);
    const int x = (g.rcThumb.left + g.rcThumb.right) / 2;
    DrawInnerLine(pDC, ch, x, bEnabled);
    DrawSliderButton(pDC, x, ch.top - m_pDpi->Scale(3), bEnabled && ::GetCapture() == m_hWnd, bEnabled);
    if (::GetFocus() == m_hWnd)
        pDC->DrawFocusRect(&g.rcClient);
}

void CMySlideCtrl::DrawTick(CDC* pDC, const Geometry& g, BOOL bEnabled)
{
    const CRect& area = g.rcTicks;
    int nMin = 0, nMax = 0;
    GetRange(nMin, nMax);
    const int f = m_nTicFreq;
    if (!m_bTicks || f < 1 || area.Height() <= 0 || nMax <= nMin)
        return;
    const LONGLONG range = (LONGLONG)nMax - nMin;
    const int h = area.Height();
    CPen pen(PS_SOLID, m_pDpi->Pen(1), Tone(kOutline, bEnabled, LumoPalette::FRAME));
    CPen* pOldPen = pDC->SelectObject(&pen);
    int nCounter = 0;
    for (LONGLONG v = 0; v <= range; v += f)
    {
        const BOOL bEnd = (v == 0 || v + f > range);
        BOOL bLong = bEnd;
        if (!bEnd && m_nMaxTicFreq != 0 && nCounter == m_nMaxTicFreq)
        {
            bLong = TRUE;
            nCounter = 0;
        }
        ++nCounter;
        const int len = bLong ? h : h - m_pDpi->Scale(4);
        const int x = area.left + (int)((LONGLONG)area.Width() * v / range) - 1;
        // Ticks grow from the area's edge away from the channel.
        if (TicksAbove())
        {
            pDC->MoveTo(x, area.top);
            pDC->LineTo(x, area.top + len);
        }
        else
        {
            pDC->MoveTo(x, area.bottom);
            pDC->LineTo(x, area.bottom - len);
        }
    }
    pDC->SelectObject(pOldPen);
}

void CMySlideCtrl::DrawInnerLine(CDC* pDC, const CRect& rcChannel, int x, BOOL bEnabled)
{
    // Three rows at 96 DPI, each colour taking its third of the rows at a higher DPI.
    const int n = m_pDpi->Scale(3);
    for (int i = 0; i < n; ++i)
    {
        const int k = i * 3 / n;
        const int y = rcChannel.top + m_pDpi->Scale(2) + i;
        if (x > rcChannel.left + 1)
            pDC->FillSolidRect(rcChannel.left + 1, y, x - rcChannel.left - 1, 1, Tone(kLeftRows[k], bEnabled, LumoPalette::SELECTION));
        if (rcChannel.right - 1 > x)
            pDC->FillSolidRect(x, y, rcChannel.right - 1 - x, 1, Tone(kRightRows[k], bEnabled, LumoPalette::PANE));
    }
}

void CMySlideCtrl::DrawSliderButton(CDC* pDC, int x, int y, BOOL bLit, BOOL bEnabled)
{
    const BOOL bUp = TicksAbove();
    auto S = [this](int n) { return m_pDpi->Scale(n); };
    CRect R(x - S(5), y, x + S(5), y + S(bUp ? 14 : 13));
    CRect r = R;
    r.DeflateRect(1, 1);
    POINT outer[3], inner[3];
    if (bUp)
    {
        outer[0] = { R.left, y + 1 };
        outer[1] = { R.right - 1, y + 1 };
        outer[2] = { R.left + S(4), y - S(4) };
        inner[0] = { r.left, y + 1 };
        inner[1] = { r.right - 1, y + 1 };
        inner[2] = { r.left + S(3), y - S(2) };
    }
    else
    {
        outer[0] = { R.left, R.bottom - S(2) };
        outer[1] = { R.right - 1, R.bottom - S(2) };
        outer[2] = { R.left + S(4), R.bottom + S(3) };
        inner[0] = { r.left, r.bottom - S(2) };
        inner[1] = { r.right - 1, r.bottom - S(2) };
        inner[2] = { r.left + S(3), r.bottom + S(2) };
    }

    // The outline is the whole shape; the face is the same shape one pixel smaller on it.
    const struct
    {
        const CRect* body;
        const POINT* point;
        COLORREF colour;
    } layers[2] = {
        { &R, outer, Tone(kOutline, bEnabled, LumoPalette::FRAME) },
        { &r, inner, Tone(bLit ? kFaceLit : kFace, bEnabled, bLit ? LumoPalette::HOT : LumoPalette::HEADER) },
    };
    for (const auto& layer : layers)
    {
        CRgn body, point;
        body.CreateRoundRectRgn(layer.body->left, layer.body->top, layer.body->right, layer.body->bottom, 2, 2);
        point.CreatePolygonRgn(const_cast<POINT*>(layer.point), 3, ALTERNATE);
        body.CombineRgn(&body, &point, RGN_OR);
        CBrush brush(layer.colour);
        pDC->FillRgn(&body, &brush);
    }

    POINT edge[6];
    if (bUp)
    {
        edge[0] = { r.right - 2, r.bottom - 2 };
        edge[1] = { r.left, r.bottom - 2 };
        edge[2] = { r.left, r.top };
        edge[3] = { r.left + S(3), r.top - S(3) };
        edge[4] = { r.right - 2, r.top };
    }
    else
    {
        edge[0] = { r.left, r.top };
        edge[1] = { r.right - 2, r.top };
        edge[2] = { r.right - 2, r.bottom - 1 };
        edge[3] = { r.left + S(3), r.bottom + S(2) };
        edge[4] = { r.left, r.bottom - 1 };
    }
    edge[5] = edge[0];
    CPen pen(PS_SOLID, 1, Tone(kHighlight, bEnabled, LumoPalette::HEADER));
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->Polyline(edge, 6);
    pDC->SelectObject(pOldPen);
}

void CMySlideCtrl::OnPaint()
{
    if (IsVertical())
    {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CMemDC mem(&dc, &rc);
    Paint(&mem);
}

BOOL CMySlideCtrl::OnEraseBkgnd(CDC* pDC)
{
    // The paint routine draws the background with the rest, off-screen, so nothing flickers.
    if (IsVertical())
        return CSliderCtrl::OnEraseBkgnd(pDC);
    return TRUE;
}

LRESULT CMySlideCtrl::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (IsVertical())
        return Default();
    if (wParam)
        Paint(CDC::FromHandle((HDC)wParam));
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// mouse, keyboard and state

void CMySlideCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (nFlags & MK_LBUTTON)
    {
        if (PassOn())
            InvalidSlider();
        return;
    }
    Geometry g;
    CalcRects(g);
    const BOOL bOnThumb = g.rcThumb.PtInRect(point);
    if (::GetCapture() == m_hWnd)
    {
        if (!m_bHoverCapture)
        {
            // The track bar's own capture (a drag or a page click): not ours to end.
            Default();
            return;
        }
        if (bOnThumb)
            return;
        ReleaseCapture();
        InvalidSlider();
    }
    else if (bOnThumb && !IsVertical())
    {
        SetCapture();
        m_bHoverCapture = TRUE;
        InvalidSlider();
    }
    Default();
}

void CMySlideCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    // From here on the track bar owns the capture for its drag.
    m_bHoverCapture = FALSE;
    LPARAM lParam = MAKELPARAM(point.x, point.y);
    Geometry g;
    CalcRects(g);
    if (!IsVertical() && g.rcThumb.PtInRect(point))
    {
        // The thumb is drawn centred on its value while the track bar's own thumb lies inside
        // the channel: a press on the drawn thumb is handed over as a press on the track bar's.
        CRect rc;
        GetThumbRect(&rc);
        lParam = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
    }
    const HWND hSelf = m_hWnd;
    DefWindowProc(WM_LBUTTONDOWN, nFlags, lParam);
    if (HostNotify::Alive(this, hSelf))
        InvalidSlider();
}

void CMySlideCtrl::OnLButtonUp(UINT, CPoint)
{
    const HWND hSelf = m_hWnd;
    if (!PassOn())
        return;
    // Giving the capture back ends the track bar's drag, which it reports too.
    if (::GetCapture() == hSelf)
        ReleaseCapture();
    if (HostNotify::Alive(this, hSelf))
        InvalidSlider();
}

void CMySlideCtrl::OnKeyDown(UINT, UINT, UINT)
{
    if (PassOn())
        InvalidSlider();
}

BOOL CMySlideCtrl::OnMouseWheel(UINT, short, CPoint)
{
    InvalidSlider();
    return (BOOL)Default();
}

void CMySlideCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd == this)
        return;  // the capture stays here: taken again for a drag
    // The track bar reports the end of a drag whenever it loses the capture; losing a capture
    // taken only to light the thumb ends no drag.
    const BOOL bHover = m_bHoverCapture;
    m_bHoverCapture = FALSE;
    if (!bHover && !PassOn())
        return;
    InvalidSlider();
}

void CMySlideCtrl::OnEnable(BOOL)
{
    Default();
    Invalidate(TRUE);
}

LRESULT CMySlideCtrl::OnRangeOrPos(WPARAM wParam, LPARAM)
{
    const UINT msg = GetCurrentMessage()->message;
    LRESULT lr = 0;
    if (PassOn(&lr) && (wParam || msg == TBM_SETPOSNOTIFY))
        InvalidSlider();
    return lr;
}
