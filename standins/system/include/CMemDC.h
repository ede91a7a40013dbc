// Off-screen drawing over a rectangle of a device context, copied back when destroyed.
#pragma once

#include "SysDefs.h"

// Drawing goes to a memory bitmap with the target's coordinates, so code written for the
// target draws unchanged; the destructor copies the bitmap to the target's rectangle. One spare
// buffer for true-colour targets is kept by the module between uses (a DC and a bitmap).
class LUMOSYS_API CMemDC : public CDC
{
public:
    // pRect null: the target's clip box. bCopyFirst: the buffer starts with the target's
    // pixels (needed when the drawing does not cover every pixel); otherwise it starts black.
    CMemDC(CDC* pDC, const RECT* pRect = NULL, BOOL bCopyFirst = FALSE);
    CMemDC(HDC hDC, const RECT* pRect = NULL, BOOL bCopyFirst = FALSE);
    virtual ~CMemDC();

    // The buffered rectangle in the target's coordinates.
    const CRect& GetRect() const { return m_rect; }
    // FALSE when no buffer could be made; drawing then goes straight to the target.
    BOOL IsBuffered() const { return m_bBuffered; }

    CMemDC* operator->() { return this; }
    operator CMemDC*() { return this; }

private:
    void Init(HDC hTarget, const RECT* pRect, BOOL bCopyFirst);

    HDC m_hTarget;
    CRect m_rect;
    HBITMAP m_hBitmap;  // null while the module's spare buffer serves this one
    HGDIOBJ m_hOldBitmap;
    BOOL m_bBuffered;
    int m_nSpareSaved;

    CMemDC(const CMemDC&);
    CMemDC& operator=(const CMemDC&);
};
