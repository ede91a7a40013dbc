// Off-screen buffer over a rectangle of a device context.
#include "CMemDC.h"

namespace {

// 24 or 32 bits per pixel: the bitmap selected into a memory DC, the device's otherwise.
bool TrueColourTarget(HDC hTarget)
{
    int bits = 0;
    const DWORD type = ::GetObjectType(hTarget);
    if (type == OBJ_MEMDC)
    {
        BITMAP bm;
        HGDIOBJ hBitmap = ::GetCurrentObject(hTarget, OBJ_BITMAP);
        if (hBitmap && ::GetObjectA(hBitmap, sizeof(bm), &bm))
            bits = bm.bmBitsPixel * bm.bmPlanes;
    }
    else if (type == OBJ_DC && ::GetDeviceCaps(hTarget, TECHNOLOGY) == DT_RASDISPLAY)
        bits = ::GetDeviceCaps(hTarget, BITSPIXEL) * ::GetDeviceCaps(hTarget, PLANES);
    return bits == 24 || bits == 32;
}

// A top-down 32-bit DIB: a true-colour target takes its copy pixel for pixel, and it is much
// cheaper to make than a device bitmap.
HBITMAP MakeDib(HDC hDC, int cx, int cy)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    return ::CreateDIBSection(hDC, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
}

// One buffer kept from paint to paint, since making a DC and a bitmap costs more than most
// paints. It serves one true-colour CMemDC at a time on the thread that made it; any other
// makes its own. It grows to the largest rectangle asked for and goes with the module.
class CSpareBuffer
{
public:
    ~CSpareBuffer() { Free(); }

    // The spare DC, its bitmap at least cx x cy and its state saved in *pnSaved; null when it
    // is taken or belongs to another thread.
    HDC Take(int cx, int cy, int* pnSaved)
    {
        if (m_bTaken || (m_dwThread && m_dwThread != ::GetCurrentThreadId()))
            return NULL;
        if (!m_hDC || cx > m_cx || cy > m_cy)
        {
            Free();
            const int w = cx > m_cx ? cx : m_cx, h = cy > m_cy ? cy : m_cy;
            m_hDC = ::CreateCompatibleDC(NULL);
            m_hBitmap = m_hDC ? MakeDib(m_hDC, w, h) : NULL;
            if (!m_hBitmap)
            {
                Free();
                return NULL;
            }
            m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
            m_cx = w;
            m_cy = h;
            m_dwThread = ::GetCurrentThreadId();
        }
        // Whatever the last user selected or set goes back with RestoreDC.
        *pnSaved = ::SaveDC(m_hDC);
        m_bTaken = true;
        return m_hDC;
    }

    void Give(int nSaved)
    {
        ::RestoreDC(m_hDC, nSaved);
        m_bTaken = false;
    }

private:
    void Free()
    {
        if (m_hDC)
        {
            ::SelectObject(m_hDC, m_hOldBitmap);
            ::DeleteDC(m_hDC);
        }
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
        m_hDC = NULL;
        m_hBitmap = NULL;
        m_hOldBitmap = NULL;
    }

    HDC m_hDC = NULL;
    HBITMAP m_hBitmap = NULL;
    HGDIOBJ m_hOldBitmap = NULL;
    int m_cx = 0, m_cy = 0;
    DWORD m_dwThread = 0;
    bool m_bTaken = false;
};

CSpareBuffer g_spare;

}  // namespace

CMemDC::CMemDC(CDC* pDC, const RECT* pRect, BOOL bCopyFirst)
    : m_hTarget(NULL), m_hBitmap(NULL), m_hOldBitmap(NULL), m_bBuffered(FALSE), m_nSpareSaved(0)
{
    Init(pDC->GetSafeHdc(), pRect, bCopyFirst);
}

CMemDC::CMemDC(HDC hDC, const RECT* pRect, BOOL bCopyFirst)
    : m_hTarget(NULL), m_hBitmap(NULL), m_hOldBitmap(NULL), m_bBuffered(FALSE), m_nSpareSaved(0)
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

    const int cx = m_rect.Width(), cy = m_rect.Height();
    HDC hMem = NULL;
    if (cx > 0 && cy > 0 && TrueColourTarget(hTarget))
        hMem = g_spare.Take(cx, cy, &m_nSpareSaved);
    if (hMem)
    {
        // The spare keeps its last picture: a buffer that is not filled from the target starts
        // black, as a new one would.
        if (!bCopyFirst)
            ::PatBlt(hMem, 0, 0, cx, cy, BLACKNESS);
    }
    else
    {
        hMem = (cx > 0 && cy > 0) ? ::CreateCompatibleDC(hTarget) : NULL;
        HBITMAP hBitmap = NULL;
        if (hMem)
            hBitmap = TrueColourTarget(hTarget) ? MakeDib(hMem, cx, cy) : ::CreateCompatibleBitmap(hTarget, cx, cy);
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
    }
    m_hDC = m_hAttribDC = hMem;
    m_bBuffered = TRUE;
    // A mirrored target (a right-to-left window) gets a mirrored buffer: what is drawn reads the
    // same through either, and the copies between them keep their orientation.
    ::SetLayout(hMem, ::GetLayout(hTarget) & LAYOUT_RTL);
    // The buffer's origin is the rectangle's corner, so callers keep the target's coordinates.
    // A mirrored buffer takes it as its viewport's origin: platforms move a mirrored picture
    // the same way for a viewport origin, not for a window origin (the rectangle's far end
    // would then fall off the bitmap when the rectangle does not start at 0).
    if (::GetLayout(hMem) & LAYOUT_RTL)
        ::SetViewportOrgEx(hMem, -m_rect.left, -m_rect.top, NULL);
    else
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
        if (m_hBitmap)
        {
            ::SelectObject(m_hDC, m_hOldBitmap);
            ::DeleteDC(m_hDC);
            ::DeleteObject(m_hBitmap);
        }
        else
            g_spare.Give(m_nSpareSaved);
    }
    // The target belongs to the caller: the base destructor must not delete it.
    m_hDC = m_hAttribDC = NULL;
}
