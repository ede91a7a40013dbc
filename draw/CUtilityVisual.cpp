// Colour arithmetic, gradients and small shapes of the drawing toolkit.
#include "CUtilityVisual.h"
#include "draw/LumoPalette.h"
#include "draw/RtlText.h"

#include <LumoSys.h>
#include <LumoBuf.h>
#include <olectl.h>
#include <string.h>

#include <algorithm>
#include <vector>

int CUtilityVisual::m_pxPInch = 0;
int CUtilityVisual::m_pyPInch = 0;

namespace {

inline int Clamp255(int n)
{
    return n < 0 ? 0 : (n > 255 ? 255 : n);
}

inline int ClampFixed(int n)
{
    return n < 0 ? 0 : (n > 0xFF00 ? 0xFF00 : n);
}

inline bool HasDC(CDC* pDC)
{
    return pDC != nullptr && pDC->GetSafeHdc() != nullptr;
}

// A pen selected into a DC for the lifetime of the object; the previous pen comes back and the
// pen is deleted when it goes.
class CScopedPen
{
public:
    CScopedPen(HDC hDC, int nStyle, int nWidth, COLORREF crColor)
        : m_hDC(hDC), m_hPen(::CreatePen(nStyle, nWidth, crColor)), m_hOld(nullptr)
    {
        if (m_hPen)
            m_hOld = ::SelectObject(m_hDC, m_hPen);
    }
    ~CScopedPen()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
        if (m_hPen)
            ::DeleteObject(m_hPen);
    }

private:
    CScopedPen(const CScopedPen&) = delete;
    CScopedPen& operator=(const CScopedPen&) = delete;
    HDC m_hDC;
    HPEN m_hPen;
    HGDIOBJ m_hOld;
};

// A bitmap selected into a memory DC of its own for the lifetime of the object: one compatible
// with a DC, or a 32-bit top-down section whose pixels can be read.
class CScopedBitmap
{
public:
    CScopedBitmap(HDC hRef, int cx, int cy) : m_hDC(::CreateCompatibleDC(hRef))
    {
        Select(m_hDC ? ::CreateCompatibleBitmap(hRef, cx, cy) : nullptr);
    }
    CScopedBitmap(int cx, int cy) : m_hDC(::CreateCompatibleDC(nullptr))
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = cx;
        bi.bmiHeader.biHeight = -cy;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* pBits = nullptr;
        Select(m_hDC ? ::CreateDIBSection(m_hDC, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0) : nullptr);
        m_pBits = (const DWORD*)pBits;
    }
    ~CScopedBitmap()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
        if (m_hBmp)
            ::DeleteObject(m_hBmp);
        if (m_hDC)
            ::DeleteDC(m_hDC);
    }
    bool Ok() const { return m_hOld != nullptr; }
    HDC Dc() const { return m_hDC; }
    // The pixels of a section, once drawing into it has been flushed.
    const DWORD* Bits() const { return m_pBits; }

private:
    CScopedBitmap(const CScopedBitmap&) = delete;
    CScopedBitmap& operator=(const CScopedBitmap&) = delete;
    void Select(HBITMAP hBmp)
    {
        m_hBmp = hBmp;
        if (m_hBmp)
            m_hOld = ::SelectObject(m_hDC, m_hBmp);
    }
    HDC m_hDC;
    HBITMAP m_hBmp = nullptr;
    HGDIOBJ m_hOld = nullptr;
    const DWORD* m_pBits = nullptr;
};

// Repeats the cx by cy block at the top-left corner of the DC over cxAll by cyAll, doubling the
// copied span at each step.
void Replicate(HDC hDC, int cx, int cy, int cxAll, int cyAll)
{
    for (int x = cx; x < cxAll; x += std::min(x, cxAll - x))
        ::BitBlt(hDC, x, 0, std::min(x, cxAll - x), cy, hDC, 0, 0, SRCCOPY);
    for (int y = cy; y < cyAll; y += std::min(y, cyAll - y))
        ::BitBlt(hDC, 0, y, cxAll, std::min(y, cyAll - y), hDC, 0, 0, SRCCOPY);
}

// True for bitmap file data whose headers or pixels run past the end of the data. The picture
// loader trusts the headers and would read beyond the block.
bool IsTruncatedBitmap(const BYTE* p, int nSize)
{
    if (nSize < 2 || p[0] != 'B' || p[1] != 'M')
        return false;
    if (nSize < 14 + 12)
        return true;
    const DWORD nOffBits = *(const UNALIGNED DWORD*)(p + 10);
    const DWORD nInfoSize = *(const UNALIGNED DWORD*)(p + 14);
    if (nInfoSize < 12 || nInfoSize > (DWORD)nSize - 14 || nOffBits > (DWORD)nSize)
        return true;
    if (nInfoSize < sizeof(BITMAPINFOHEADER))
        return false;
    const BITMAPINFOHEADER* bih = (const BITMAPINFOHEADER*)(p + 14);
    if (bih->biCompression != BI_RGB && bih->biCompression != BI_BITFIELDS)
        return false;
    const LONGLONG nHeight = bih->biHeight < 0 ? -(LONGLONG)bih->biHeight : bih->biHeight;
    const LONGLONG nStride = (((LONGLONG)bih->biWidth * bih->biBitCount + 31) / 32) * 4;
    return nStride < 0 || (LONGLONG)nOffBits + nStride * nHeight > nSize;
}

// Narrows [lo, hi) to nSize at its start (place 0), its middle (1) or its end (anything else).
void PlaceSpan(LONG& lo, LONG& hi, int nSize, int nPlace)
{
    if (nPlace == 0)
        hi = lo + nSize;
    else if (nPlace == 1)
    {
        lo += (hi - lo - nSize) / 2;
        hi = lo + nSize;
    }
    else
        lo = hi - nSize;
}

}  // namespace

/////////////////////////////////////////////////////////////////////////////
// Construction

CUtilityVisual::CUtilityVisual() {}

CUtilityVisual::~CUtilityVisual() {}

void CUtilityVisual::Init()
{
    HDC hDC = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (!hDC)
        return;
    m_pxPInch = ::GetDeviceCaps(hDC, LOGPIXELSX);
    m_pyPInch = ::GetDeviceCaps(hDC, LOGPIXELSY);
    ::DeleteDC(hDC);
}

/////////////////////////////////////////////////////////////////////////////
// Colours

COLORREF CUtilityVisual::Hilight(COLORREF crColor, int nDelta)
{
    const int r = Clamp255((int)(crColor & 0xFF) + nDelta);
    const int g = Clamp255((int)((crColor >> 8) & 0xFF) + nDelta);
    const int b = Clamp255((int)((crColor >> 16) & 0xFF) + nDelta);
    return (COLORREF)(r | (g << 8) | (b << 16));
}

COLORREF CUtilityVisual::Hilight(int& nRed, int& nGreen, int& nBlue, int nDelta)
{
    nRed = Clamp255(nRed + nDelta);
    nGreen = Clamp255(nGreen + nDelta);
    nBlue = Clamp255(nBlue + nDelta);
    return (COLORREF)((nRed & 0xFF) | ((nGreen & 0xFF) << 8) | ((nBlue & 0xFF) << 16));
}

COLORREF CUtilityVisual::ToGray(COLORREF crColor)
{
    // Each partial sum is rounded to double on its own so the result does not depend on the
    // floating-point unit (a mid grey must come out one short: 0x80 gives 0x7F).
    volatile double sum = (double)((crColor >> 8) & 0xFF) * 0.6;
    sum = sum + (double)((crColor >> 16) & 0xFF) * 0.3;
    sum = sum + (double)(crColor & 0xFF) * 0.1;
    const unsigned g = (unsigned)(int)sum & 0xFF;
    return (COLORREF)(g * 0x010101);
}

/////////////////////////////////////////////////////////////////////////////
// Gradients

void CUtilityVisual::GradientRect(CDC* pDC, CRect& rect, COLORREF crColor1, COLORREF crColor2,
                                  int nSteps, int bVertical)
{
    if (!HasDC(pDC))
        return;
    const int n = nSteps < 1 ? 1 : nSteps;
    const int extent = bVertical ? rect.bottom - rect.top : rect.right - rect.left;
    int band = extent / n;
    if (band == 0)
        band = 1;

    // 8.8 fixed point, starting from the far edge's colour.
    int r = GetRValue(crColor2) * 256;
    int g = GetGValue(crColor2) * 256;
    int b = GetBValue(crColor2) * 256;
    const int dr = (GetRValue(crColor1) * 256 - GetRValue(crColor2) * 256) / n;
    const int dg = (GetGValue(crColor1) * 256 - GetGValue(crColor2) * 256) / n;
    const int db = (GetBValue(crColor1) * 256 - GetBValue(crColor2) * 256) / n;

    CRect rcBand(rect);
    if (bVertical)
        rcBand.top = rcBand.bottom - band;
    else
        rcBand.left = rcBand.right - band;

    for (int i = 0; i < n; ++i)
    {
        if (i == n - 1)
        {
            if (bVertical)
                rcBand.top = rect.top;
            else
                rcBand.left = rect.left;
        }
        pDC->FillSolidRect(&rcBand, RGB(r / 256, g / 256, b / 256));

        // Bands that would start before the rectangle pile up against its near edge.
        if (bVertical)
        {
            rcBand.OffsetRect(0, -band);
            if (rcBand.top < rect.top)
                rcBand.OffsetRect(0, rect.top - rcBand.top);
        }
        else
        {
            rcBand.OffsetRect(-band, 0);
            if (rcBand.left < rect.left)
                rcBand.OffsetRect(rect.left - rcBand.left, 0);
        }
        r = ClampFixed(r + dr);
        g = ClampFixed(g + dg);
        b = ClampFixed(b + db);
    }
}

void CUtilityVisual::Gradient2Rect(CDC* pDC, CRect& rect, COLORREF crUpper1, COLORREF crUpper2,
                                   COLORREF crLower1, COLORREF crLower2, int nSteps)
{
    const int mid = rect.top + (rect.bottom - rect.top) / 2;
    CRect rcUpper(rect.left, rect.top, rect.right, mid);
    CRect rcLower(rect.left, mid, rect.right, rect.bottom);
    GradientRect(pDC, rcUpper, crUpper1, crUpper2, nSteps, TRUE);
    GradientRect(pDC, rcLower, crLower1, crLower2, nSteps, TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// Lines and outlines

void CUtilityVisual::DrawLine(CDC* pDC, int x1, int y1, int x2, int y2)
{
    if (!HasDC(pDC))
        return;
    ::MoveToEx(pDC->m_hDC, x1, y1, nullptr);
    ::LineTo(pDC->m_hDC, x2, y2);
}

void CUtilityVisual::DrawLine(CDC* pDC, CPoint& from, CPoint& to)
{
    DrawLine(pDC, from.x, from.y, to.x, to.y);
}

void CUtilityVisual::DrawRect(CDC* pDC, CRect& rect)
{
    if (!HasDC(pDC))
        return;
    HGDIOBJ hHollow = ::GetStockObject(NULL_BRUSH);
    HGDIOBJ hOld = hHollow ? ::SelectObject(pDC->m_hDC, hHollow) : nullptr;
    ::Rectangle(pDC->m_hDC, rect.left, rect.top, rect.right, rect.bottom);
    if (hOld)
        ::SelectObject(pDC->m_hDC, hOld);
}

void CUtilityVisual::Draw1Border(CDC* pDC, CRect& rect, ENUM_BORDER nSide)
{
    switch (nSide)
    {
    case BORDER_LEFT:
        DrawLine(pDC, rect.left, rect.top, rect.left, rect.bottom);
        break;
    case BORDER_TOP:
        DrawLine(pDC, rect.left, rect.top, rect.right, rect.top);
        break;
    case BORDER_RIGHT:
        DrawLine(pDC, rect.right, rect.top, rect.right, rect.bottom);
        break;
    case BORDER_BOTTOM:
        DrawLine(pDC, rect.left, rect.bottom, rect.right, rect.bottom);
        break;
    default:
        break;
    }
}

void CUtilityVisual::FillRectWithLine(CDC* pDC, CRect& rect)
{
    if (!HasDC(pDC))
        return;
    if (rect.right - rect.left < rect.bottom - rect.top)
    {
        for (int x = rect.left; x <= rect.right; ++x)
            DrawLine(pDC, x, rect.top, x, rect.bottom);
    }
    else
    {
        for (int y = rect.top; y <= rect.bottom; ++y)
            DrawLine(pDC, rect.left, y, rect.right, y);
    }
}

void CUtilityVisual::DrawDotRectangle(CDC* pDC, CRect& rect)
{
    CPoint topLeft(rect.left, rect.top);
    CPoint topRight(rect.right, rect.top);
    CPoint bottomRight(rect.right, rect.bottom);
    CPoint bottomLeft(rect.left, rect.bottom);
    DrawDotLine(pDC, topLeft, topRight);
    DrawDotLine(pDC, bottomRight, topRight);
    DrawDotLine(pDC, bottomRight, bottomLeft);
    DrawDotLine(pDC, topLeft, bottomLeft);
}

void CUtilityVisual::DrawDotLine(CDC* pDC, CPoint& from, CPoint& to)
{
    if (!HasDC(pDC))
        return;
    HDC hDC = pDC->m_hDC;
    const int x1 = from.x < to.x ? from.x : to.x;
    const int x2 = from.x < to.x ? to.x : from.x;
    const int y1 = from.y < to.y ? from.y : to.y;
    const int y2 = from.y < to.y ? to.y : from.y;
    ::MoveToEx(hDC, x1, y1, nullptr);

    if (x1 != x2)
    {
        // A slanted pair of points is drawn as the horizontal line at the upper y.
        int x = x1;
        do
        {
            x += 4;
            ::LineTo(hDC, x < x2 ? x : x2, y1);
            x += 4;
            ::MoveToEx(hDC, x < x2 ? x : x2, y1, nullptr);
        } while (x < x2);
    }
    else
    {
        int y = y1;
        if (y1 + 2 >= y2)
            return;
        do
        {
            y += 3;
            ::LineTo(hDC, x1, y < y2 ? y : y2);
            y += 4;
            ::MoveToEx(hDC, x1, y < y2 ? y : y2, nullptr);
        } while (y + 2 < y2);
    }
}

void CUtilityVisual::DrawRop2Line(CDC* pDC, CPoint& from, CPoint& to)
{
    if (!HasDC(pDC))
        return;
    ::SetROP2(pDC->m_hDC, R2_NOT);
    ::MoveToEx(pDC->m_hDC, from.x, from.y, nullptr);
    ::LineTo(pDC->m_hDC, to.x, to.y);
    ::SetROP2(pDC->m_hDC, R2_COPYPEN);
}

void CUtilityVisual::DrawRop2Box(CDC* pDC, CRect& rect)
{
    if (!HasDC(pDC))
        return;
    HDC hDC = pDC->m_hDC;
    ::SetROP2(hDC, R2_NOT);
    ::MoveToEx(hDC, rect.left, rect.top, nullptr);
    ::LineTo(hDC, rect.right, rect.top);
    ::LineTo(hDC, rect.right, rect.bottom);
    ::LineTo(hDC, rect.left, rect.bottom);
    ::LineTo(hDC, rect.left, rect.top);
    ::SetROP2(hDC, R2_COPYPEN);
}

/////////////////////////////////////////////////////////////////////////////
// Composite shapes

void CUtilityVisual::DrawProgress(CDC* pDC, CRect& rect, CString& strText, UINT nFirst,
                                  UINT nSecond, UINT nThird, int bGuiFont)
{
    DrawProgress(pDC, rect, strText, nFirst, nSecond, nThird,
                 bGuiFont ? (HFONT)::GetStockObject(DEFAULT_GUI_FONT) : nullptr, 96);
}

void CUtilityVisual::DrawProgress(CDC* pDC, CRect& rect, CString& strText, UINT nFirst, UINT nSecond, UINT nThird,
                                  HFONT hFont, int nDpi)
{
    if (!HasDC(pDC))
        return;
    // The frame's 96-DPI pixels: an outer light line, a dark line and a near-white one over the
    // bar's edge, with corners 3 across; the text keeps 4 clear on either side.
    auto Scale = [nDpi](int n) { return nDpi > 0 ? ::MulDiv(n, nDpi, 96) : n; };
    const int nFrame = Scale(2);
    const int nLight = nFrame / 2, nDark = nFrame - nFrame / 2;
    const int nInner = std::max(1, Scale(1));
    const int nCorner = Scale(3);
    HDC hDC = pDC->m_hDC;

    // In system colours the segments are flat: done in the selection colour, to do in the pane's.
    const BOOL bFlat = LumoPalette::Flat();
    const COLORREF crFilledTop = LumoPalette::Color(LumoPalette::SELECTION, 0xFBE8C4);
    const COLORREF crFilledBottom = LumoPalette::Color(LumoPalette::SELECTION, 0xFFAA4D);
    const COLORREF crEmptyTop = LumoPalette::Color(LumoPalette::PANE, 0xD9E6ED);
    const COLORREF crEmptyBottom = LumoPalette::Color(LumoPalette::PANE, 0xF9FBFC);
    // Without a third value the bar is "done so far / still to do"; with one, the middle
    // segment is the highlighted part.
    const COLORREF crOuterTop = nThird == 0 ? crFilledTop : crEmptyTop;
    const COLORREF crOuterBottom = nThird == 0 ? crFilledBottom : crEmptyBottom;
    const COLORREF crMidTop = nThird == 0 ? crEmptyTop : crFilledTop;
    const COLORREF crMidBottom = nThird == 0 ? crEmptyBottom : crFilledBottom;

    UINT p1 = nFirst < 100 ? nFirst : 100;
    UINT p2 = nSecond < 100 ? nSecond : 100;
    UINT p3 = nThird < 100 ? nThird : 100;
    if (p1 + p2 > 100)
    {
        p2 = 100 - p1;
        p3 = 0;
    }
    if (p1 + p2 + p3 > 100)
        p3 = 100 - p1 - p2;
    if (p1 + p2 + p3 < 100)
    {
        if (p3 == 0)
            p2 = 100 - p1;
        else
            p3 = 100 - p1 - p2;
    }

    CRect r(rect);
    r.DeflateRect(nFrame, nFrame);
    const UINT w = (UINT)(r.right - r.left);

    const int xEnd1 = r.left + (int)(w * p1 / 100);
    CRect rcSeg1(r.left, r.top, xEnd1, r.bottom);
    GradientRect(pDC, rcSeg1, crOuterTop, crOuterBottom, 16, TRUE);

    const int xEnd2 = p3 == 0 ? r.right : xEnd1 + (int)(w * p2 / 100);
    CRect rcSeg2(xEnd1, r.top, xEnd2, r.bottom);
    GradientRect(pDC, rcSeg2, crMidTop, crMidBottom, 16, TRUE);

    if (p3 != 0)
    {
        CRect rcSeg3(xEnd2, r.top, r.right, r.bottom);
        GradientRect(pDC, rcSeg3, crOuterTop, crOuterBottom, 16, TRUE);
    }

    // Frame: a near-white inner line and two rounded outlines, each as wide as the DPI makes it
    // and drawn inside the rectangle it goes round.
    CRect f(r.left, r.top, r.right + 1, r.bottom + 1);
    HGDIOBJ hHollow = ::GetStockObject(NULL_BRUSH);
    HGDIOBJ hOldBrush = hHollow ? ::SelectObject(hDC, hHollow) : nullptr;
    for (int i = 0; i < nInner; i++)
        CPub::DrawRect(pDC, f.left + i, f.top + i, f.right - i, f.bottom - i, bFlat ? crEmptyTop : 0xFEFEFE);
    const struct
    {
        int nWidth;
        COLORREF cr;
    } outlines[2] = {{nDark, LumoPalette::Color(LumoPalette::FRAME, 0x64748C)},
                     {nLight, LumoPalette::Color(LumoPalette::HEADER, 0xC6D2D7)}};
    for (const auto& o : outlines)
    {
        if (o.nWidth <= 0)
            continue;
        f.InflateRect(o.nWidth, o.nWidth);
        CScopedPen pen(hDC, o.nWidth > 1 ? PS_INSIDEFRAME : PS_SOLID, o.nWidth, o.cr);
        ::RoundRect(hDC, f.left, f.top, f.right, f.bottom, nCorner, nCorner);
    }
    if (hOldBrush)
        ::SelectObject(hDC, hOldBrush);

    if (!strText.IsEmpty())
    {
        const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
        const COLORREF crOldText = ::SetTextColor(hDC, LumoPalette::Color(LumoPalette::PANE_TEXT, 0x000000));
        HGDIOBJ hOldFont = hFont ? ::SelectObject(hDC, hFont) : nullptr;
        rect.DeflateRect(Scale(4), 0, Scale(4), 0);
        ::DrawTextA(hDC, strText, strText.GetLength(), &rect,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | RtlReading(hDC));
        if (hOldFont)
            ::SelectObject(hDC, hOldFont);
        ::SetTextColor(hDC, crOldText);
        ::SetBkMode(hDC, nOldMode);
    }
}

void CUtilityVisual::DrawCheck(CDC* pDC, CRect& rect, int nOffset, int bChecked, COLORREF crFrame,
                               COLORREF crTick)
{
    if (!HasDC(pDC))
        return;
    HDC hDC = pDC->m_hDC;
    const int left = rect.left + nOffset;
    const int right = left + 10;
    const int mid = (rect.top + rect.bottom) / 2;
    const int top = mid - 5;
    const int bottom = mid + 5;

    {
        CScopedPen pen(hDC, PS_SOLID, 1, crFrame);
        ::MoveToEx(hDC, left, bottom, nullptr);
        ::LineTo(hDC, left, top);
        ::LineTo(hDC, right, top);
    }
    {
        int r = GetRValue(crFrame), g = GetGValue(crFrame), b = GetBValue(crFrame);
        CScopedPen pen(hDC, PS_SOLID, 1, Hilight(r, g, b, -30));
        ::LineTo(hDC, right, bottom);
        ::LineTo(hDC, left, bottom);
    }
    if (bChecked)
    {
        // Two-pixel-thick tick, low point at x + 4.
        static const POINT kStrokes[7][2] = {
            {{2, 5}, {2, 7}}, {{3, 6}, {3, 8}}, {{4, 7}, {4, 9}}, {{5, 7}, {5, 5}},
            {{6, 6}, {6, 4}}, {{7, 5}, {7, 3}}, {{8, 4}, {8, 2}},
        };
        CScopedPen pen(hDC, PS_SOLID, 1, crTick);
        for (const auto& s : kStrokes)
        {
            ::MoveToEx(hDC, left + s[0].x, top + s[0].y, nullptr);
            ::LineTo(hDC, left + s[1].x, top + s[1].y);
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// Pictures

BOOL CUtilityVisual::GetPicture(IPicture** ppPicture, void* pData, int nSize)
{
    if (!ppPicture || !pData || nSize <= 0 || IsTruncatedBitmap((const BYTE*)pData, nSize))
        return FALSE;
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)nSize);
    if (!hMem)
        return FALSE;
    void* pMem = ::GlobalLock(hMem);
    if (!pMem)
    {
        ::GlobalFree(hMem);
        return FALSE;
    }
    memcpy(pMem, pData, (size_t)nSize);
    ::GlobalUnlock(hMem);

    IStream* pStream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(hMem, TRUE, &pStream)) || !pStream)
    {
        ::GlobalFree(hMem);
        return FALSE;
    }
    // Run mode off: some loaders read the flag as "the caller owns the bitmap", and releasing
    // the picture would then leave its bitmap behind. Off, the picture owns and frees its
    // bitmap everywhere; the only other effect is that it keeps the original file data.
    IPicture* pPicture = nullptr;
    const HRESULT hr = ::OleLoadPicture(pStream, nSize, FALSE, IID_IPicture, (void**)&pPicture);
    pStream->Release();
    if (FAILED(hr) || !pPicture)
        return FALSE;
    // A loader may accept data it could not decode and hand back an empty picture.
    SHORT nType = PICTYPE_UNINITIALIZED;
    if (FAILED(pPicture->get_Type(&nType)) || nType <= PICTYPE_NONE)
    {
        pPicture->Release();
        return FALSE;
    }
    *ppPicture = pPicture;
    return TRUE;
}

BOOL CUtilityVisual::GetPicture(IPicture** ppPicture, LPCSTR lpszFile, int nOffset, int nLength)
{
    if (!ppPicture || !lpszFile)
        return FALSE;
    CBuffer buffer(1024);
    if (!buffer.ReadFile(lpszFile, nOffset, nLength) || buffer.GetSize() == 0)
        return FALSE;
    return GetPicture(ppPicture, (void*)buffer.GetBuf(), (int)buffer.GetSize());
}

BOOL CUtilityVisual::GetPicture(IPicture** ppPicture, LPCSTR lpszFile)
{
    return GetPicture(ppPicture, lpszFile, 0, -1);
}

BOOL CUtilityVisual::GetPicture(IPicture** ppPicture, LPCSTR lpszType, DWORD nID)
{
    if (!ppPicture || !lpszType)
        return FALSE;
    HINSTANCE hInstance = AfxGetInstanceHandle();
    HRSRC hRes = ::FindResourceA(hInstance, MAKEINTRESOURCEA(LOWORD(nID)), lpszType);
    if (!hRes)
        return FALSE;
    const DWORD nSize = ::SizeofResource(hInstance, hRes);
    if (nSize == 0)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hInstance, hRes);
    void* pData = hData ? ::LockResource(hData) : nullptr;
    if (!pData)
        return FALSE;
    return GetPicture(ppPicture, pData, (int)nSize);
}

BOOL CUtilityVisual::IsPictureFile(LPCSTR lpszFile)
{
    IPicture* pPicture = nullptr;
    if (!GetPicture(&pPicture, lpszFile))
        return FALSE;
    if (pPicture)
        pPicture->Release();
    return TRUE;
}

namespace
{

// The size in device pixels of a bitmap or icon picture, taken from its handle: its HIMETRIC
// size is the pixel size turned into a length at the DPI it was loaded at, which neither gives
// the pixels back exactly nor at another DPI. FALSE for other pictures and unreadable handles.
BOOL PixelSizeOfHandle(IPicture* pPicture, CSize& size)
{
    SHORT nType = PICTYPE_UNINITIALIZED;
    OLE_HANDLE hHandle = 0;
    if (FAILED(pPicture->get_Type(&nType)) || FAILED(pPicture->get_Handle(&hHandle)) || hHandle == 0)
        return FALSE;
    const HANDLE h = (HANDLE)(UINT_PTR)hHandle;
    if (nType == PICTYPE_BITMAP)
    {
        BITMAP bm;
        if (::GetObjectA(h, sizeof(bm), &bm) != sizeof(bm) || bm.bmWidth <= 0 || bm.bmHeight == 0)
            return FALSE;
        size.cx = bm.bmWidth;
        size.cy = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
        return TRUE;
    }
    if (nType == PICTYPE_ICON)
    {
        ICONINFO ii;
        if (!::GetIconInfo((HICON)h, &ii))
            return FALSE;
        BITMAP bm;
        BOOL bOk = FALSE;
        // Without a colour bitmap the mask holds the AND and XOR halves one above the other.
        if (ii.hbmColor && ::GetObjectA(ii.hbmColor, sizeof(bm), &bm) == sizeof(bm))
        {
            size.cx = bm.bmWidth;
            size.cy = bm.bmHeight;
            bOk = TRUE;
        }
        else if (ii.hbmMask && ::GetObjectA(ii.hbmMask, sizeof(bm), &bm) == sizeof(bm))
        {
            size.cx = bm.bmWidth;
            size.cy = bm.bmHeight / 2;
            bOk = TRUE;
        }
        if (ii.hbmColor)
            ::DeleteObject(ii.hbmColor);
        if (ii.hbmMask)
            ::DeleteObject(ii.hbmMask);
        return bOk && size.cx > 0 && size.cy > 0;
    }
    return FALSE;
}

}  // namespace

void CUtilityVisual::GetPictureSize(CSize& size, IPicture* pPicture)
{
    size.cx = 0;
    size.cy = 0;
    if (!pPicture)
        return;
    if (PixelSizeOfHandle(pPicture, size))
        return;
    // A metafile has a length, not pixels: it is as long on the screen as it says.
    if (m_pxPInch == 0 && m_pyPInch == 0)
        Init();
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    pPicture->get_Width(&w);
    pPicture->get_Height(&h);
    size.cx = (LONG)((LONGLONG)m_pxPInch * w / 2540);
    size.cy = (LONG)((LONGLONG)m_pyPInch * h / 2540);
}

HRESULT CUtilityVisual::RenderPicture(IPicture* pPicture, HDC hDC, int x, int y, int cx, int cy)
{
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    pPicture->get_Width(&w);
    pPicture->get_Height(&h);
    // HIMETRIC runs upwards: start at the bottom and go up so the picture stands upright.
    return pPicture->Render(hDC, x, y, cx, cy, 0, h, w, -h, nullptr);
}

namespace
{

// A photograph keeps its orientation in a mirrored (right-to-left) context: only its place
// mirrors. Arrows and other pictures that carry a direction are drawn by other routines.
class CKeepOrientation
{
public:
    explicit CKeepOrientation(HDC hDC) : m_hDC(hDC), m_dwLayout(::GetLayout(hDC))
    {
        if (m_dwLayout != GDI_ERROR && (m_dwLayout & LAYOUT_RTL))
            ::SetLayout(m_hDC, m_dwLayout | LAYOUT_BITMAPORIENTATIONPRESERVED);
    }
    ~CKeepOrientation()
    {
        if (m_dwLayout != GDI_ERROR && (m_dwLayout & LAYOUT_RTL))
            ::SetLayout(m_hDC, m_dwLayout);
    }

private:
    HDC m_hDC;
    DWORD m_dwLayout;
};

}  // namespace

void CUtilityVisual::draw_pic(CDC* pDC, IPicture* pPicture, CRect& rect, int nRop, int nUnused)
{
    UNUSED_ALWAYS(nUnused);
    if (!HasDC(pDC))
        return;
    CKeepOrientation keep(pDC->m_hDC);
    CRect r(rect);
    if (!pPicture)
    {
        DrawPlaceholder(pDC, r, nRop);
        return;
    }
    if ((DWORD)nRop == SRCCOPY)
    {
        RenderPicture(pPicture, pDC->m_hDC, r.left, r.top, r.Width(), r.Height());
        return;
    }
    const int cx = r.Width();
    const int cy = r.Height();
    if (cx <= 0 || cy <= 0)
        return;

    const HDC hAttrib = pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC;
    if (!pDC->IsPrinting() || (::GetDeviceCaps(hAttrib, RASTERCAPS) & RC_FLOODFILL))
    {
        HDC hMem = ::CreateCompatibleDC(pDC->m_hDC);
        HBITMAP hBmp = hMem ? ::CreateCompatibleBitmap(pDC->m_hDC, cx, cy) : nullptr;
        if (hBmp)
        {
            HGDIOBJ hOld = ::SelectObject(hMem, hBmp);
            RenderPicture(pPicture, hMem, 0, 0, cx, cy);
            ::BitBlt(pDC->m_hDC, r.left, r.top, cx, cy, hMem, 0, 0, (DWORD)nRop);
            ::SelectObject(hMem, hOld);
            ::DeleteObject(hBmp);
        }
        if (hMem)
            ::DeleteDC(hMem);
        return;
    }

    // A printer that cannot combine raster operations: show the picture only where the page
    // is still white.
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBmp = hMem ? ::CreateCompatibleBitmap(hScreen, cx, cy) : nullptr;
    if (hBmp)
    {
        HGDIOBJ hOld = ::SelectObject(hMem, hBmp);
        RenderPicture(pPicture, hMem, 0, 0, cx, cy);
        for (int y = r.top; y < r.bottom; ++y)
        {
            for (int x = r.left; x < r.right; ++x)
            {
                const COLORREF cr = ::GetPixel(pDC->m_hDC, x, y);
                if (GetRValue(cr) == 255 && GetGValue(cr) == 255 && GetBValue(cr) == 255
                    && cr != CLR_INVALID)
                    CPub::DrawLine(pDC, x, y, x + 1, y, ::GetPixel(hMem, x - r.left, y - r.top));
            }
        }
        ::SelectObject(hMem, hOld);
        ::DeleteObject(hBmp);
    }
    if (hMem)
        ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
}

void CUtilityVisual::DrawPlaceholder(CDC* pDC, CRect r, int nRop)
{
    HDC hDC = pDC->m_hDC;
    if ((DWORD)nRop == SRCCOPY)
        pDC->FillSolidRect(&r, RGB(255, 255, 255));
    CPub::DrawRect(pDC, r, 0x808080);
    if (r.Width() > 26)
        r.OffsetRect(4, 0);
    if (r.Height() > 21)
        r.OffsetRect(0, 4);
    if (r.Width() > 26)
        r.right = r.left + 21;
    if (r.Height() > 21)
        r.bottom = r.top + 21;
    pDC->Draw3dRect(&r, 0xC0C0C0, 0x404040);

    CScopedPen pen(hDC, PS_SOLID, 2, 0x0000FF);
    r.DeflateRect(6, 6);
    ::MoveToEx(hDC, r.left, r.top, nullptr);
    ::LineTo(hDC, r.right, r.bottom);
    ::MoveToEx(hDC, r.left, r.bottom, nullptr);
    ::LineTo(hDC, r.right, r.top);
}

void CUtilityVisual::draw_picEx(CDC* pDC, IPicture* pPicture, CRect& rect, int nAlign, int nRop)
{
    CRect r(rect);
    if (nAlign == (DT_RIGHT | DT_BOTTOM))
    {
        draw_pic(pDC, pPicture, r, nRop, 0);
        return;
    }
    CSize size;
    GetPictureSize(size, pPicture);
    if (size.cx > 1 && size.cy > 1)
    {
        // A dimension in which the picture is at least as large as the rectangle stays
        // stretched over it.
        if (size.cx < r.Width())
            PlaceSpan(r.left, r.right, size.cx, nAlign & 3);            // DT_LEFT, DT_CENTER, DT_RIGHT
        if (size.cy < r.Height())
            PlaceSpan(r.top, r.bottom, size.cy, (nAlign & 12) >> 2);    // DT_TOP, DT_VCENTER, DT_BOTTOM
    }
    draw_pic(pDC, pPicture, r, nRop, 0);
}

// Rows of tiles as tall as a band of about this many pixels are copied at once.
const int kTileBand = 64;

// Of the tiles of size starting at lo and covering [lo, hi), the first and the end of those
// that reach into [clipLo, clipHi).
void VisibleTiles(LONGLONG lo, LONGLONG hi, LONGLONG clipLo, LONGLONG clipHi, LONGLONG size, LONGLONG* pFirst,
                  LONGLONG* pEnd)
{
    const LONGLONG count = (hi - lo + size - 1) / size;
    *pFirst = std::max<LONGLONG>(0, (clipLo - lo) / size);
    *pEnd = std::min(count, clipHi > lo ? (clipHi - lo + size - 1) / size : 0);
}

// Paints the whole tiles of the picture that cover rect (from its top-left corner, the last ones
// reaching past its right and bottom edges) with one rendering of the picture repeated by
// bit-block copies, so that the cost does not grow with the number of tiles; only the tiles that
// reach into the DC's clipping box, the others would not show. The pixels are those of rendering
// each tile: a transparent picture leaves what is under its transparent pixels. FALSE when that
// cannot be done: a device that is neither a display nor memory, units other than pixels, a
// picture whose pixels blend with what is under them, a picture that does not render, no memory.
BOOL CUtilityVisual::TileByCopies(HDC hDC, IPicture* pPicture, CSize tile, const CRect& rect)
{
    const DWORD dwType = ::GetObjectType(hDC);
    if ((dwType != OBJ_DC && dwType != OBJ_MEMDC) || ::GetMapMode(hDC) != MM_TEXT)
        return FALSE;
    CRect rcClip;
    const int nClip = ::GetClipBox(hDC, &rcClip);
    if (nClip == ERROR)
        return FALSE;
    LONGLONG col, colEnd, row, rowEnd;
    VisibleTiles(rect.left, rect.right, rcClip.left, rcClip.right, tile.cx, &col, &colEnd);
    VisibleTiles(rect.top, rect.bottom, rcClip.top, rcClip.bottom, tile.cy, &row, &rowEnd);
    if (nClip == NULLREGION || col >= colEnd || row >= rowEnd)
        return TRUE;
    // The clipping box lies on the device, so these are within its size and a tile's.
    const int x0 = (int)(rect.left + col * tile.cx), y0 = (int)(rect.top + row * tile.cy);
    const int cxAll = (int)((colEnd - col) * tile.cx), cyAll = (int)((rowEnd - row) * tile.cy);
    const int cyStrip = std::min(cyAll, (int)(std::max<LONG>(1, kTileBand / tile.cy) * tile.cy));
    const int nStretch = ::GetStretchBltMode(hDC);

    DWORD dwAttr = 0;
    pPicture->get_Attributes(&dwAttr);
    CScopedBitmap image(hDC, cxAll, cyStrip);
    if (!image.Ok())
        return FALSE;
    ::SetStretchBltMode(image.Dc(), nStretch);
    if (!(dwAttr & PICTURE_TRANSPARENT))
    {
        if (FAILED(RenderPicture(pPicture, image.Dc(), 0, 0, tile.cx, tile.cy)))
            return FALSE;
        Replicate(image.Dc(), tile.cx, tile.cy, cxAll, cyStrip);
        for (int y = 0; y < cyAll; y += cyStrip)
            ::BitBlt(hDC, x0, y0 + y, cxAll, std::min(cyStrip, cyAll - y), image.Dc(), 0, 0, SRCCOPY);
        return TRUE;
    }

    // Rendered once over black and once over white: a pixel the picture covers comes out the
    // same over both, one it leaves shows each background; anything else is blended.
    CScopedBitmap black(tile.cx, tile.cy), white(tile.cx, tile.cy);
    CScopedBitmap mask(hDC, cxAll, cyStrip);
    if (!black.Ok() || !white.Ok() || !mask.Ok())
        return FALSE;
    ::PatBlt(black.Dc(), 0, 0, tile.cx, tile.cy, BLACKNESS);
    ::PatBlt(white.Dc(), 0, 0, tile.cx, tile.cy, WHITENESS);
    ::GdiFlush();
    // The fourth byte of a pixel is unused, and filling and rendering need not agree on it.
    const DWORD kRgb = 0xFFFFFF;
    const DWORD crBlack = black.Bits()[0] & kRgb, crWhite = white.Bits()[0] & kRgb;
    for (HDC hTile : {black.Dc(), white.Dc()})
    {
        ::SetStretchBltMode(hTile, nStretch);
        if (FAILED(RenderPicture(pPicture, hTile, 0, 0, tile.cx, tile.cy)))
            return FALSE;
    }
    ::GdiFlush();
    // The mask keeps what is under the transparent pixels and clears it under the others.
    const size_t nPixels = (size_t)tile.cx * tile.cy;
    std::vector<DWORD> keep(nPixels);
    for (size_t i = 0; i != nPixels; ++i)
    {
        const DWORD b = black.Bits()[i] & kRgb, w = white.Bits()[i] & kRgb;
        if (b == crBlack && w == crWhite)
            keep[i] = 0xFFFFFF;
        else if (b != w)
            return FALSE;
    }
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = tile.cx;
    bi.bmiHeader.biHeight = -tile.cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    ::SetDIBitsToDevice(mask.Dc(), 0, 0, tile.cx, tile.cy, 0, 0, 0, tile.cy, keep.data(), &bi, DIB_RGB_COLORS);
    ::BitBlt(image.Dc(), 0, 0, tile.cx, tile.cy, black.Dc(), 0, 0, SRCCOPY);
    Replicate(mask.Dc(), tile.cx, tile.cy, cxAll, cyStrip);
    Replicate(image.Dc(), tile.cx, tile.cy, cxAll, cyStrip);
    for (int y = 0; y < cyAll; y += cyStrip)
    {
        const int cy = std::min(cyStrip, cyAll - y);
        ::BitBlt(hDC, x0, y0 + y, cxAll, cy, mask.Dc(), 0, 0, SRCAND);
        ::BitBlt(hDC, x0, y0 + y, cxAll, cy, image.Dc(), 0, 0, SRCPAINT);
    }
    return TRUE;
}

void CUtilityVisual::fill_with_pic(CDC* pDC, IPicture* pPicture, CRect& rect)
{
    CSize size;
    GetPictureSize(size, pPicture);
    if (size.cx <= 0 || size.cy <= 0 || !HasDC(pDC) || rect.IsRectEmpty())
        return;
    if (!pDC->IsPrinting() && TileByCopies(pDC->m_hDC, pPicture, size, rect))
        return;
    for (int y = rect.top; y < rect.bottom; y += size.cy)
    {
        for (int x = rect.left; x < rect.right; x += size.cx)
        {
            CRect tile(x, y, x + size.cx, y + size.cy);
            draw_pic(pDC, pPicture, tile, SRCCOPY, 0);
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// Windows and cursors

HCURSOR CUtilityVisual::GetHandCursor()
{
    // The platform's own folder is the parent of its system folder.
    CString strDir = CGlobalInfo::GetInstance()->GetSystemDir();
    strDir.TrimRight('\\');
    const int nSlash = strDir.ReverseFind('\\');
    if (nSlash < 0)
        return nullptr;
    strDir = strDir.Left(nSlash);

    CString strCursor = CPub::AppendPath(strDir, "Cursors\\harrowsp_small.cur");
    HCURSOR hCursor = (HCURSOR)::LoadImageA(nullptr, strCursor, IMAGE_CURSOR, 32, 32, LR_LOADFROMFILE);
    if (hCursor)
        return hCursor;

    CString strHelp = CPub::AppendPath(strDir, "winhlp32.exe");
    HMODULE hHelp = ::LoadLibraryA(strHelp);
    if (hHelp)
    {
        HCURSOR hShared = ::LoadCursorA(hHelp, MAKEINTRESOURCEA(106));
        hCursor = hShared ? (HCURSOR)::CopyIcon((HICON)hShared) : nullptr;
        ::FreeLibrary(hHelp);
        if (hCursor)
            return hCursor;
    }
    // Current systems ship neither: they have a hand of their own.
    hCursor = ::LoadCursorA(nullptr, IDC_HAND);
    return hCursor ? hCursor : ::LoadCursorA(nullptr, IDC_ARROW);
}

void CUtilityVisual::move_to_corner(CWnd* pReference, CWnd* pWnd, ENUM_MOVE_CORNER nCorner)
{
    HWND hRef = pReference->GetSafeHwnd();
    HWND hWnd = pWnd->GetSafeHwnd();
    if (!::IsWindow(hRef) || !::IsWindow(hWnd))
        return;
    CRect rcRef, rcWnd;
    ::GetWindowRect(hRef, &rcRef);
    ::GetWindowRect(hWnd, &rcWnd);
    const int w = rcWnd.Width();
    const int h = rcWnd.Height();
    int x, y;
    switch (nCorner)
    {
    case CORNER_TOPLEFT:
        x = rcRef.left;
        y = rcRef.top;
        break;
    case CORNER_TOPRIGHT:
        x = rcRef.right - w;
        y = rcRef.top;
        break;
    case CORNER_BOTTOMRIGHT:
        x = rcRef.right - w;
        y = rcRef.bottom - h;
        break;
    case CORNER_BOTTOMLEFT:
        x = rcRef.left;
        y = rcRef.bottom - h;
        break;
    default:
        return;
    }
    ::MoveWindow(hWnd, x, y, w, h, FALSE);
}

BOOL CUtilityVisual::IsWidowBelongsToAncestor(HWND hWnd, HWND hAncestor)
{
    if (!hAncestor)
        return TRUE;
    if (!hWnd)
        return FALSE;
    for (HWND h = hWnd; h; h = ::GetParent(h))
    {
        if (h == hAncestor)
            return TRUE;
    }
    return FALSE;
}
