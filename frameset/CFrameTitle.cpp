#include "frameset/CFrameTitle.h"
#include "draw/RtlText.h"
#include "CUtilityVisual.h"
#include "CPub.h"
#include "frame/DpiScale.h"
#include "draw/LumoPalette.h"

#include <algorithm>
#include <cmath>

namespace {

const COLORREF kFramePen = 0x282828;

inline COLORREF Shade(COLORREF c, int d)
{
    return CUtilityVisual::Hilight(c, d);
}

inline int Clamp255(int v)
{
    return std::clamp(v, 0, 255);
}

inline BOOL IsEmptyRect(const CRect& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

// Keeps r inside bounds, edge by edge; a rectangle pushed past an edge ends up empty there.
void ClampInto(CRect& r, const CRect& bounds)
{
    r.left = std::clamp(r.left, bounds.left, std::max(bounds.left, bounds.right));
    r.right = std::clamp(r.right, bounds.left, std::max(bounds.left, bounds.right));
    r.top = std::clamp(r.top, bounds.top, std::max(bounds.top, bounds.bottom));
    r.bottom = std::clamp(r.bottom, bounds.top, std::max(bounds.top, bounds.bottom));
}

// The width a mirrored context mirrors about: its bitmap's for a memory context, else its
// window's client area (or whole window, for a window context).
int MirrorWidth(HDC hDC)
{
    if (::GetObjectType(hDC) == OBJ_MEMDC)
    {
        BITMAP bm;
        HGDIOBJ hBitmap = ::GetCurrentObject(hDC, OBJ_BITMAP);
        return hBitmap && ::GetObjectA(hBitmap, sizeof(bm), &bm) ? bm.bmWidth : 0;
    }
    HWND hWnd = ::WindowFromDC(hDC);
    RECT rc = { 0, 0, 0, 0 };
    if (hWnd)
    {
        ::GetClientRect(hWnd, &rc);
        RECT rcClip;
        // A context of the whole window reaches past the client area.
        if (::GetClipBox(hDC, &rcClip) != ERROR && rcClip.right - rcClip.left > rc.right - rc.left)
            ::GetWindowRect(hWnd, &rc);
    }
    return rc.right - rc.left;
}

// Narrows the context's clipping to a region given in logical coordinates (the context may be
// a buffer whose origin is moved). Takes the region over. Call between SaveDC and RestoreDC.
void ClipTo(CDC* pDC, HRGN hRgn)
{
    const HDC hDC = pDC->GetSafeHdc();
    POINT origin = { 0, 0 };
    ::LPtoDP(hDC, &origin, 1);
    if (::GetLayout(hDC) & LAYOUT_RTL)
    {
        // A mirrored context takes a clipping region as it would stand unmirrored and mirrors
        // it about its width: the logical origin's pixel, counted from the far edge.
        origin.x = MirrorWidth(hDC) - 1 - origin.x;
    }
    ::OffsetRgn(hRgn, origin.x, origin.y);
    ::ExtSelectClipRgn(hDC, hRgn, RGN_AND);
    ::DeleteObject(hRgn);
}

HRGN RectRgn(const CRect& r)
{
    return ::CreateRectRgn(r.left, r.top, r.right, r.bottom);
}

HRGN EllipseRgn(const CRect& r)
{
    return ::CreateEllipticRgn(r.left, r.top, r.right, r.bottom);
}

// The stretch of E's outline between the rays from its centre through two points, the narrower
// of the two stretches (less than a half): the outline is drawn whole, clipped to the wedge between
// the rays. A mirrored context turns an arc direction around; a clipped outline needs none.
// Draws with the selected pen; call between SaveDC and RestoreDC.
void OutlineBetween(CDC* pDC, const CRect& E, POINT ptFrom, POINT ptTo)
{
    const double cx = (E.left + E.right) / 2.0, cy = (E.top + E.bottom) / 2.0;
    const double reach = 2.0 * (E.Width() + E.Height()) + 4.0;
    auto away = [&](double dx, double dy) {
        const double len = std::sqrt(dx * dx + dy * dy);
        POINT pt = { (LONG)std::lround(cx + (len > 0 ? dx / len * reach : 0)),
                     (LONG)std::lround(cy + (len > 0 ? dy / len * reach : 0)) };
        return pt;
    };
    const double ax = ptFrom.x - cx, ay = ptFrom.y - cy, bx = ptTo.x - cx, by = ptTo.y - cy;
    const double la = std::sqrt(ax * ax + ay * ay), lb = std::sqrt(bx * bx + by * by);
    if (la <= 0 || lb <= 0)
        return;
    // The middle ray keeps the wedge's far side outside the outline.
    const POINT wedge[4] = { { (LONG)std::lround(cx), (LONG)std::lround(cy) }, away(ax, ay),
                             away(ax / la + bx / lb, ay / la + by / lb), away(bx, by) };
    ClipTo(pDC, ::CreatePolygonRgn(wedge, 4, WINDING));
    ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(NULL_BRUSH));
    ::Ellipse(pDC->GetSafeHdc(), E.left, E.top, E.right, E.bottom);
}

}  // namespace

/////////////////////////////////////////////////////////////////////////////
// geometry

CRect CFrameTitle::Insets(int nStyle, const CDpiScale& D)
{
    switch (nStyle)
    {
    case 1:
    case 2:
        return CRect(D.Scale(5), D.Scale(24), D.Scale(4), D.Scale(4));
    case 3:
        return CRect(D.Scale(6), D.Scale(25), D.Scale(6), D.Scale(6));
    case 4:
        return CRect(D.Scale(5), D.Scale(19), D.Scale(4), D.Scale(4));
    default:
        return CRect(0, 0, 0, 0);
    }
}

CRect CFrameTitle::IconRect(int nStyle, const CRect& F, const CDpiScale& D)
{
    if (nStyle == 0)
        return CRect(0, 0, 0, 0);
    if (nStyle == 4)
        return CRect(F.left + D.Scale(22), F.top + D.Scale(7), F.left + D.Scale(22 + 15), F.top + D.Scale(7 + 13));
    const CRect I = Insets(nStyle, D);
    const int right = F.right - D.Scale(4) - I.right;
    return CRect(right - D.Scale(15), F.top + D.Scale(9), right, F.top + D.Scale(9) + I.top - D.Scale(10));
}

/////////////////////////////////////////////////////////////////////////////
// painting

void CFrameTitle::Paint(CDC* pDC, int nStyle, const CRect& F, COLORREF K, COLORREF T,
                        const CString& strTitle, BOOL bIcon, const CDpiScale& D)
{
    // A frame beyond the platform's drawing coordinates gets no decoration (its gradient alone
    // would take millions of steps).
    if (nStyle < 1 || nStyle > 4 || !pDC->GetSafeHdc() || F.Width() > 0x7FFF ||
        F.Height() > 0x7FFF)
        return;
    const HDC hDC = pDC->GetSafeHdc();
    const CRect I = Insets(nStyle, D);
    CRect C = F;
    C.DeflateRect(I.left, I.top, I.right, I.bottom);

    HGDIOBJ hOldFont = ::GetCurrentObject(hDC, OBJ_FONT);
    HGDIOBJ hOldPen = ::GetCurrentObject(hDC, OBJ_PEN);
    HGDIOBJ hOldBrush = ::GetCurrentObject(hDC, OBJ_BRUSH);
    HPEN hFramePen = ::CreatePen(PS_SOLID, D.Pen(1), kFramePen);
    ::SelectObject(hDC, const_cast<CDpiScale&>(D).GuiFont());
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);

    if (LumoPalette::Flat())
        PaintFlat(pDC, nStyle, C, strTitle, bIcon, D);
    else if (nStyle == 4)
        PaintTab(pDC, F, C, K, strTitle, bIcon, D);
    else
        PaintBoxed(pDC, hFramePen, nStyle, F, C, K, T, strTitle, bIcon, D);

    ::SetBkMode(hDC, nOldMode);
    ::SelectObject(hDC, hOldBrush);
    ::SelectObject(hDC, hOldPen);
    ::SelectObject(hDC, hOldFont);
    if (hFramePen)
        ::DeleteObject(hFramePen);
}

void CFrameTitle::DrawTitleText(CDC* pDC, const CString& strTitle, int x, int y, int right,
                                int bottom, const CDpiScale& D)
{
    if (strTitle.IsEmpty())
        return;
    RECT rc = { x, y, right, bottom };
    ::DrawTextA(pDC->GetSafeHdc(), strTitle, strTitle.GetLength(), &rc,
                DT_VCENTER | DT_SINGLELINE | RtlReading(pDC->GetSafeHdc()));
}

// Styles 1 to 3: a framed title box on top of the window with the rule above it.
void CFrameTitle::PaintBoxed(CDC* pDC, HPEN hFramePen, int nStyle, const CRect& F,
                             const CRect& C, COLORREF K, COLORREF T, const CString& strTitle,
                             BOOL bIcon, const CDpiScale& D)
{
    CRect B(C.left, C.top - D.Scale(19), C.right, C.top + 1);
    if (hFramePen)
        ::SelectObject(pDC->GetSafeHdc(), hFramePen);
    CUtilityVisual::DrawRect(pDC, B);
    Rule(pDC, CRect(B.left, B.top - D.Scale(2), B.right, B.top + 1), D);
    CRect A = B;
    A.DeflateRect(1, 1);
    TitleGradient(pDC, A, T, nStyle != 1, bIcon, D);
    DrawTitleText(pDC, strTitle, A.left + D.Scale(10), A.top, A.right, A.bottom, D);

    if (nStyle != 3)
    {
        if (F.Height() >= D.Scale(28))
            Shadow(pDC, CRect(C.left, B.top, C.right, C.bottom), K, D);
        return;
    }
    if (F.Width() < D.Scale(32) || F.Height() < D.Scale(32))
        return;
    Shadow(pDC, CRect(B.left, B.top, B.right, C.bottom), K, D);
    PaintBrackets(pDC, B, C, K, D);
}

// In system colours every style is a flat title box (a tab as wide as its title for style 4)
// framed on the rule above the window, without shadows or brackets.
void CFrameTitle::PaintFlat(CDC* pDC, int nStyle, const CRect& C, const CString& strTitle, BOOL bIcon,
                            const CDpiScale& D)
{
    auto S = [&D](int n) { return D.Scale(n); };
    const COLORREF crFace = ::GetSysColor(LumoPalette::SysIndex(LumoPalette::HEADER));
    const COLORREF crFrame = ::GetSysColor(LumoPalette::SysIndex(LumoPalette::FRAME));
    CRect B(C.left, C.top - S(19), C.right, C.top + 1);
    if (nStyle == 4)
    {
        const int nTextWidth = strTitle.IsEmpty() ? 0 : pDC->GetTextExtent(strTitle).cx;
        B.SetRect(C.left, C.top - S(20), std::min<int>(C.right, C.left + S(69) + nTextWidth + (bIcon ? S(15) : 0)), C.top + 1);
    }
    if (IsEmptyRect(B))
        return;
    pDC->FillSolidRect(&B, crFace);
    CPub::DrawRect(pDC, B.left, B.top, B.right - 1, B.bottom - 1, crFrame);
    CPub::DrawLine(pDC, C.left, C.top, C.right, C.top, crFrame);
    const COLORREF crOld = pDC->SetTextColor(::GetSysColor(LumoPalette::SysIndex(LumoPalette::HEADER_TEXT)));
    DrawTitleText(pDC, strTitle, B.left + S(10), B.top + 1, B.right, B.bottom - 1, D);
    pDC->SetTextColor(crOld);
}

// Style 3's corner brackets, top left of the title and bottom right of the window, drawn with
// the frame pen the caller selected.
void CFrameTitle::PaintBrackets(CDC* pDC, const CRect& B, const CRect& C, COLORREF K, const CDpiScale& D)
{
    const HDC hDC = pDC->GetSafeHdc();
    auto S = [&D](int n) { return D.Scale(n); };
    const POINT topLeft[] = { { B.left, B.top - 1 },            { B.left, B.top + S(13) },
                              { B.left - S(2), B.top + S(13) }, { B.left - S(2), B.top - S(4) },
                              { B.left + S(15), B.top - S(4) }, { B.left + S(15), B.top - S(2) } };
    ::Polyline(hDC, topLeft, 6);
    CPub::DrawLine(pDC, B.left - 1, B.top - S(3), B.left + S(15), B.top - S(3), 0x31C4F4);
    CPub::DrawLine(pDC, B.left - 1, B.top - S(3), B.left - 1, B.top + S(13), 0x31C4F4);

    const POINT bottomRight[] = { { C.right - 1, C.bottom - 1 },        { C.right - 1, C.bottom - S(16) },
                                  { C.right + S(1), C.bottom - S(16) }, { C.right + S(1), C.bottom + S(1) },
                                  { C.right - S(16), C.bottom + S(1) }, { C.right - S(16), C.bottom - 1 } };
    ::Polyline(hDC, bottomRight, 6);
    CPub::DrawLine(pDC, C.right - S(15), C.bottom, C.right, C.bottom, 0x957A3E);
    CPub::DrawLine(pDC, C.right, C.bottom - S(15), C.right, C.bottom, 0x957A3E);
    ::SetPixel(hDC, C.right + S(1), C.bottom - S(16), Shade(K, -80));
    ::SetPixel(hDC, C.right - S(16), C.bottom + S(1), Shade(K, -80));
    Shadow(pDC, CRect(C.right - S(18), C.bottom - S(18), C.right + S(2), C.bottom + S(2)), K, D);
}

// Style 4: a rounded tab standing on the rule, as wide as its title; when it does not fit
// above the window only the rule and the shadow are painted.
void CFrameTitle::PaintTab(CDC* pDC, const CRect& F, const CRect& C, COLORREF K,
                           const CString& strTitle, BOOL bIcon, const CDpiScale& D)
{
    auto S = [&D](int n) { return D.Scale(n); };
    Rule(pDC, CRect(C.left, C.top - S(2), C.right, C.top + 1), D);
    const int nTextWidth = strTitle.IsEmpty() ? 0 : pDC->GetTextExtent(strTitle).cx;
    const CRect T4(C.left, C.top - S(20), C.left + S(69) + nTextWidth + (bIcon ? S(15) : 0), C.top - S(2));
    if (T4.Width() <= C.Width() && F.Height() >= S(30))
    {
        TabLeftEnd(pDC, CRect(T4.left, T4.top, T4.left + S(18), T4.bottom), K, D);
        TabRightEnd(pDC, CRect(T4.right - S(36), T4.top, T4.right, T4.bottom), K, D);
        const CRect band(T4.left + S(18), T4.top, T4.right - S(36), T4.bottom);
        TabRows(pDC, band, K, D);
        CPub::DrawLine(pDC, band.left, band.top, band.right, band.top, Shade(K, -180));
        int x = T4.left + S(18);
        if (bIcon)
        {
            IconBox(pDC, CRect(x, T4.top, x + S(10), T4.bottom), K, D);
            x += S(14);
        }
        x += S(5);
        DrawTitleText(pDC, strTitle, x, T4.top + S(2), T4.right, T4.bottom, D);
    }
    if (F.Height() >= S(30))
        Shadow(pDC, C, K, D);
}

void CFrameTitle::Rule(CDC* pDC, const CRect& R, const CDpiScale& D)
{
    CRect rc = R;
    CUtilityVisual::DrawRect(pDC, rc);
    CPub::DrawLine(pDC, R.left + 1, R.top + 1, R.right - 1, R.top + 1, 0xFFFFFF);
    ::SetPixel(pDC->GetSafeHdc(), R.left, R.top, 0xA0A0A0);
    ::SetPixel(pDC->GetSafeHdc(), R.right - 1, R.top, 0xA0A0A0);
}

// Three lines right of and below R, darkest next to it.
void CFrameTitle::Shadow(CDC* pDC, const CRect& R, COLORREF K, const CDpiScale& D)
{
    // Three lines at 96 DPI, as many more as the DPI asks, each taking the shade of its third.
    const COLORREF shades[3] = { Shade(K, -90), Shade(K, -50), Shade(K, -20) };
    const int n = D.Scale(3);
    const int nInset = D.Scale(4);
    for (int k = 0; k < n; ++k)
    {
        const COLORREF c = shades[k * 3 / n];
        CPub::DrawLine(pDC, R.right + k, R.top + k + nInset, R.right + k, R.bottom + 1, c);
        CPub::DrawLine(pDC, R.left + k + nInset, R.bottom + k, R.right + 1, R.bottom + k, c);
    }
}

// Spreads out from the middle of A: the title colour there, lighter towards the left (or top)
// and darker towards the right (or bottom), every step keeping the colour's tint.
void CFrameTitle::TitleGradient(CDC* pDC, const CRect& A, COLORREF T, BOOL bHorizontal,
                                BOOL bIcon, const CDpiScale& D)
{
    const int g0 = GetGValue(T);
    const int dr = GetRValue(T) - g0;
    const int db = GetBValue(T) - g0;
    auto colour = [&](int g) { return RGB(Clamp255(g + dr), Clamp255(g), Clamp255(g + db)); };

    const int nStep = bHorizontal ? 1 : 3;
    CRect P, Q;
    if (bHorizontal)
    {
        const int mid = (A.left + A.right) / 2;
        P.SetRect(mid - D.Scale(4), A.top, mid, A.bottom);
        Q.SetRect(mid, A.top, mid + D.Scale(4), A.bottom);
    }
    else
    {
        const int mid = (A.top + A.bottom) / 2;
        P.SetRect(A.left, mid - 1, A.right, mid);
        Q.SetRect(A.left, mid, A.right, mid + 1);
    }
    ClampInto(P, A);
    ClampInto(Q, A);

    COLORREF crIcon = Shade(colour(g0), bHorizontal ? 50 : -15);
    BOOL bIconTaken = FALSE;
    int gp = g0, gq = g0;
    while (!IsEmptyRect(P) || !IsEmptyRect(Q))
    {
        const COLORREF crQ = colour(gq);
        if (!IsEmptyRect(P))
            pDC->FillSolidRect(&P, colour(gp));
        if (!IsEmptyRect(Q))
            pDC->FillSolidRect(&Q, crQ);
        if (bHorizontal)
        {
            P.OffsetRect(-D.Scale(4), 0);
            Q.OffsetRect(D.Scale(4), 0);
        }
        else
        {
            P.OffsetRect(0, -1);
            Q.OffsetRect(0, 1);
        }
        ClampInto(P, A);
        ClampInto(Q, A);
        if (bIcon && !bIconTaken)
        {
            if (!bHorizontal)
            {
                crIcon = Shade(crQ, -15);
                bIconTaken = TRUE;
            }
            else if (Q.left > A.right - D.Scale(15))
            {
                crIcon = Shade(crQ, 50);
                bIconTaken = TRUE;
            }
        }
        gp += nStep;
        gq -= nStep;
    }
    if (bIcon)
        IconBox(pDC, CRect(A.right - D.Scale(15), A.top, A.right - D.Scale(7), A.bottom), crIcon, D);
}

// The tab's rows, bottom up, lighter row by row with a glaze at the top.
void CFrameTitle::TabRows(CDC* pDC, const CRect& R, COLORREF K, const CDpiScale& D)
{
    // The same light at the top of a taller tab: four steps a row at 96 DPI.
    const int h = R.Height();
    for (int k = 0; k < h; ++k)
    {
        const int d = ::MulDiv(4 * k, LUMO_BASE_DPI, D.GetDpi());
        const int e = d > 68 ? 40 : (d > 64 ? 28 : (d > 56 ? 10 : 0));
        pDC->FillSolidRect(R.left, R.bottom - 1 - k, R.Width(), 1, Shade(K, d + e));
    }
}

// The tab's left end: its rows inside a circle's top-left quarter, with the arc as its edge.
void CFrameTitle::TabLeftEnd(CDC* pDC, const CRect& R, COLORREF K, const CDpiScale& D)
{
    const HDC hDC = pDC->GetSafeHdc();
    const int h = R.Height();
    const CRect E(R.left, R.top, R.left + 2 * h, R.top + 2 * h);

    int nSaved = ::SaveDC(hDC);
    HRGN hInside = EllipseRgn(E);
    HRGN hR = RectRgn(R);
    ::CombineRgn(hInside, hInside, hR, RGN_AND);
    ::DeleteObject(hR);
    ClipTo(pDC, hInside);
    TabRows(pDC, R, K, D);
    ::RestoreDC(hDC, nSaved);

    HPEN hPen = ::CreatePen(PS_SOLID, D.Pen(1), Shade(K, -180));
    nSaved = ::SaveDC(hDC);
    ClipTo(pDC, RectRgn(R));
    if (hPen)
        ::SelectObject(hDC, hPen);
    ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
    ::Ellipse(hDC, E.left, E.top, E.right, E.bottom);
    ::RestoreDC(hDC, nSaved);
    if (hPen)
        ::DeleteObject(hPen);
}

// The tab's right end: a rounded shoulder falling into a concave curve towards the rule.
void CFrameTitle::TabRightEnd(CDC* pDC, CRect R, COLORREF K, const CDpiScale& D)
{
    const HDC hDC = pDC->GetSafeHdc();
    const int h = R.Height();
    CRect E1(R.left - h, R.top, R.left + h, R.top + 2 * h);
    const CRect E2(R.left + h - h * 85 / 100, R.top - 3 * h, R.left + 5 * h - h * 85 / 100,
                   R.bottom);
    const CRect Q(R.left + h * 8 / 10, R.top + h * 4 / 10, R.right, R.bottom);

    HRGN hShoulder = RectRgn(R);
    HRGN hE1 = EllipseRgn(E1);
    ::CombineRgn(hShoulder, hShoulder, hE1, RGN_AND);
    HRGN hFoot = RectRgn(Q);
    HRGN hE2 = EllipseRgn(E2);
    ::CombineRgn(hFoot, hFoot, hE2, RGN_DIFF);
    ::CombineRgn(hShoulder, hShoulder, hFoot, RGN_OR);
    ::DeleteObject(hE1);
    ::DeleteObject(hFoot);
    ::DeleteObject(hE2);

    int nSaved = ::SaveDC(hDC);
    ClipTo(pDC, hShoulder);
    TabRows(pDC, R, K, D);
    ::RestoreDC(hDC, nSaved);

    R.OffsetRect(-1, 0);
    E1.OffsetRect(-1, 0);
    HPEN hPen = ::CreatePen(PS_SOLID, D.Pen(1), Shade(K, -150));
    const int sx = R.left + h * 705 / 1000 + D.Scale(2);
    const int sy = R.top + h * 295 / 1000 + D.Scale(2);
    const POINT ptShoulder = { sx, sy };
    nSaved = ::SaveDC(hDC);
    if (hPen)
        ::SelectObject(hDC, hPen);
    OutlineBetween(pDC, E1, ptShoulder, CPoint(R.left, R.top));
    ::RestoreDC(hDC, nSaved);
    nSaved = ::SaveDC(hDC);
    if (hPen)
        ::SelectObject(hDC, hPen);
    OutlineBetween(pDC, E2, ptShoulder, CPoint(R.right - h * 92 / 100 + h, R.bottom));
    ::RestoreDC(hDC, nSaved);
    if (hPen)
        ::DeleteObject(hPen);
}

// A small raised box in colour c, at most 8 pixels high (at 96 DPI), with a dark line under and right of it.
void CFrameTitle::IconBox(CDC* pDC, CRect R, COLORREF c, const CDpiScale& D)
{
    while (R.Height() > D.Scale(8))
        R.DeflateRect(0, 1, 0, 1);
    pDC->FillSolidRect(&R, c);
    pDC->Draw3dRect(&R, Shade(c, 200), Shade(c, -120));
    const COLORREF s = Shade(Shade(c, -120), 50);
    CPub::DrawLine(pDC, R.left + 1, R.bottom, R.right + 1, R.bottom, s);
    CPub::DrawLine(pDC, R.right, R.top + 1, R.right, R.bottom, s);
}
