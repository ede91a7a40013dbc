#include "CButtonXP.h"
#include "CUtilityVisual.h"
#include "CDRAW.h"

namespace {

const HICON kNoDisabledIcon = (HICON)(LONG_PTR)-1;

}  // namespace

/////////////////////////////////////////////////////////////////////////////
// construction

CButtonXPImage::CButtonXPImage()
    : m_bEmpty(1), m_nWidth(0), m_nHeight(0), m_hIcon(NULL), m_hIconDisabled(NULL)
{
}

CButtonXPImage::~CButtonXPImage()
{
    Clear();
}

/////////////////////////////////////////////////////////////////////////////
// operations

void CButtonXPImage::Clear()
{
    if (m_bEmpty)
        return;
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
    if (m_hIconDisabled && m_hIconDisabled != kNoDisabledIcon)
        ::DestroyIcon(m_hIconDisabled);
    m_hIcon = NULL;
    m_hIconDisabled = NULL;
    m_xs.RemoveAll();
    m_ys.RemoveAll();
    m_colours.RemoveAll();
    m_greys.RemoveAll();
    m_bEmpty = 1;
}

void CButtonXPImage::SetIcon(HICON hIcon, int nSize)
{
    Clear();
    m_hIcon = hIcon;
    m_nWidth = m_nHeight = nSize;
    m_bEmpty = hIcon == NULL;
}

void CButtonXPImage::SetIcons(HICON hIcon, HICON hDisabled, int nSize)
{
    Clear();
    m_hIcon = hIcon;
    m_hIconDisabled = hDisabled ? hDisabled : kNoDisabledIcon;
    m_nWidth = m_nHeight = nSize;
    m_bEmpty = hIcon == NULL;
    // An empty image owns nothing: the disabled icon would otherwise outlive it.
    if (m_bEmpty && hDisabled)
        ::DestroyIcon(hDisabled);
    if (m_bEmpty)
        m_hIconDisabled = NULL;
}

void CButtonXPImage::SetBitmap(HBITMAP hBitmap)
{
    Clear();
    CSize size = CDRAW::GetBmpSize(hBitmap);
    m_nWidth = size.cx;
    m_nHeight = size.cy;
    if (!hBitmap || size.cx <= 0 || size.cy <= 0)
        return;

    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = hMem ? ::SelectObject(hMem, hBitmap) : NULL;
    if (hOld)
    {
        // Column by column; the corner pixel names the transparent colour.
        const COLORREF crTransparent = ::GetPixel(hMem, 0, 0);
        for (int x = 0; x < size.cx && x <= 0xFFFF; ++x)
            for (int y = 0; y < size.cy && y <= 0xFFFF; ++y)
            {
                const COLORREF cr = ::GetPixel(hMem, x, y);
                if (cr == crTransparent || cr == CLR_INVALID)
                    continue;
                m_xs.Add((WORD)x);
                m_ys.Add((WORD)y);
                m_colours.Add(cr);
            }
        ::SelectObject(hMem, hOld);
    }
    if (hMem)
        ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    MakeGray();
    m_bEmpty = 0;
}

void CButtonXPImage::MakeGray()
{
    const INT_PTR n = m_colours.GetSize();
    m_greys.SetSize(n);
    BYTE brightest = 0;
    for (INT_PTR i = 0; i < n; ++i)
    {
        const BYTE grey = (BYTE)(GetRValue(CUtilityVisual::ToGray(m_colours[i])) >> 1);
        m_greys[i] = grey;
        if (grey > brightest)
            brightest = grey;
    }
    // Washed out: the brightest pixel becomes white, the rest keep their distance to it.
    const BYTE lift = (BYTE)(255 - brightest);
    for (INT_PTR i = 0; i < n; ++i)
        m_greys[i] = (BYTE)(m_greys[i] + lift);
}

void CButtonXPImage::Draw(CDC* pDC, int x, int y, BOOL bEnabled) const
{
    if (m_bEmpty)
        return;
    if (m_hIconDisabled)
    {
        HICON hIcon = (!bEnabled && m_hIconDisabled != kNoDisabledIcon) ? m_hIconDisabled : m_hIcon;
        ::DrawIconEx(pDC->GetSafeHdc(), x, y, hIcon, m_nWidth, m_nHeight, 0, NULL, DI_NORMAL);
    }
    else if (m_hIcon)
    {
        pDC->DrawState(CPoint(x, y), CSize(m_nWidth, m_nHeight), m_hIcon,
                       DST_ICON | (bEnabled ? DSS_NORMAL : DSS_DISABLED), (HBRUSH)NULL);
    }
    else
    {
        HDC hDC = pDC->GetSafeHdc();
        const INT_PTR n = m_colours.GetSize();
        for (INT_PTR i = 0; i < n; ++i)
        {
            const BYTE g = m_greys[i];
            ::SetPixelV(hDC, x + m_xs[i], y + m_ys[i], bEnabled ? m_colours[i] : RGB(g, g, g));
        }
    }
}
