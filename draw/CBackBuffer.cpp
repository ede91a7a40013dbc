#include "draw/CBackBuffer.h"

CBackBuffer::CBackBuffer()
    : m_hDC(NULL), m_hBitmap(NULL), m_hOldBitmap(NULL), m_pBits(NULL), m_cx(0), m_cy(0)
{
}

CBackBuffer::~CBackBuffer()
{
    Free();
}

HDC CBackBuffer::Get(int cx, int cy)
{
    if (cx <= 0 || cy <= 0)
        return NULL;
    if (m_hDC && cx <= m_cx && cy <= m_cy)
        return m_hDC;
    // Grows to the larger of what it had and what is asked, so a window that shrinks and grows
    // back does not make it again.
    const int w = cx > m_cx ? cx : m_cx, h = cy > m_cy ? cy : m_cy;
    Free();
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    m_hDC = ::CreateCompatibleDC(NULL);
    void* pBits = NULL;
    m_hBitmap = m_hDC ? ::CreateDIBSection(m_hDC, &bi, DIB_RGB_COLORS, &pBits, NULL, 0) : NULL;
    if (!m_hBitmap || !pBits)
    {
        Free();
        return NULL;
    }
    m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
    m_pBits = (DWORD*)pBits;
    m_cx = w;
    m_cy = h;
    return m_hDC;
}

void CBackBuffer::Free()
{
    if (m_hDC)
    {
        if (m_hOldBitmap)
            ::SelectObject(m_hDC, m_hOldBitmap);
        ::DeleteDC(m_hDC);
    }
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hDC = NULL;
    m_hBitmap = NULL;
    m_hOldBitmap = NULL;
    m_pBits = NULL;
    m_cx = 0;
    m_cy = 0;
}
