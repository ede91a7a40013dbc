// One frame of a frame set: a named area that shows one of the host's windows under a title
// bar, or that splits its area again among the frames naming it as their parent.
#pragma once

#include <afxwin.h>
#include "lumo.h"

class CFrame : public CObject
{
public:
    // construction
    CFrame(LPCSTR lpszName, LPCSTR lpszParent, int nDirection, HWND hWnd, int nShare, int nFixed);
    virtual ~CFrame();

    // Reads a size text: "N%" is a share of the free space (N x 100, 10000 being all of it),
    // "N" a fixed size in pixels. FALSE for an empty text or a size that is not above 0.
    static BOOL ParseSize(LPCSTR lpszSize, int* pnShare, int* pnFixed);

    // attributes
    // Frames stacked top to bottom (direction 1), or side by side.
    BOOL IsVertical() const { return m_nDirection == 1; }
    BOOL HasIcon() const { return m_hWnd && m_nIconMsg != FRAME_NOICON; }
    int Extent(BOOL bVertical) const { return bVertical ? m_rect.Height() : m_rect.Width(); }

    int m_nDirection;
    CString m_strName;
    CString m_strParent;
    HWND m_hWnd;          // the host window shown in the frame; 0 for a container
    int m_nShare;         // hundredths of a percent of the free space; 0 for a fixed frame
    int m_nFixed;         // pixels along the group's direction when the share is 0
    CRect m_rect;         // frame-set client coordinates, set by the layout
    CString m_strTitle;
    UINT m_nIconMsg;      // FRAME_NOICON: no clickable icon
    COLORREF m_crTitle;

private:
    CFrame(const CFrame&);
    CFrame& operator=(const CFrame&);
};
