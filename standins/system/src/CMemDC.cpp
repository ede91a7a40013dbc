// Off-screen buffer over a rectangle of a device context.
#include "CMemDC.h"

CMemDC::CMemDC(CDC* pDC, const RECT* pRect, BOOL bCopyFirst)
    : m_hTarget(NULL), m_hBitmap(NULL), m_hOldBitmap(NULL), m_bBuffered(FALSE)
{
    Init(pDC->GetSafeHdc(), pRect, bCopyFirst);
}

CMemDC::CMemDC(HDC hDC, const RECT* pRect, BOOL bCopyFirst)
    : m_hTarget(NULL), m_hBitmap(NULL), m_hOldBitmap(NULL), m_bBuffered(FALSE)
{
    Init(hDC, pRect, bCopyFirst);
}

void CMemDC::Init(HDC hTarget, const RECT* pRect, BOOL bCopyFirst)
{
    m_hTarget = hTarget;
    if (hTarget == NULL)
        return;
    if (pRect != NULL)
        m_rect = *pRect;
    else
        ::GetClipBox(hTarget, &m_rect);

    int cx = m_rect.Width(), cy = m_rect.Height();
    HDC hMem = (cx > 0 && cy > 0) ? ::CreateCompatibleDC(hTarget) : NULL;
    HBITMAP hBitmap = hMem ? ::CreateCompatibleBitmap(hTarget, cx, cy) : NULL;
    if (hBitmap == NULL)
    {
        // Nothing to buffer (or no memory for it): draw straight to the target.
        if (hMem != NULL)
            ::DeleteDC(hMem);
        m_hDC = m_hAttribDC = hTarget;
        return;
    }
    m_hBitmap = hBitmap;
    m_hOldBitmap = ::SelectObject(hMem, hBitmap);
    m_hDC = m_hAttribDC = hMem;
    m_bBuffered = TRUE;
    // The buffer's origin is the rectangle's corner, so callers keep the target's coordinates.
    ::SetWindowOrgEx(hMem, m_rect.left, m_rect.top, NULL);
    if (bCopyFirst)
        ::BitBlt(hMem, m_rect.left, m_rect.top, cx, cy, hTarget, m_rect.left, m_rect.top, SRCCOPY);
}

CMemDC::~CMemDC()
{
    if (m_bBuffered)
    {
        ::BitBlt(m_hTarget, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left,
                 m_rect.top, SRCCOPY);
        ::SelectObject(m_hDC, m_hOldBitmap);
        ::DeleteDC(m_hDC);
        ::DeleteObject(m_hBitmap);
    }
    // The target belongs to the caller: the base destructor must not delete it.
    m_hDC = m_hAttribDC = NULL;
}
