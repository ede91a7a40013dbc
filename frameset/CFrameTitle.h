// The decoration a frame set paints around each frame that shows a window: a title bar with a
// thin rule above it and a soft shadow along the right and bottom edges (styles 1 and 2 with a
// vertical or horizontal title gradient, style 3 with corner brackets), or a rounded tab
// (style 4). Style 0 and unknown styles paint nothing and leave the window the whole frame.
// Every size is given at 96 DPI and drawn at the frame set's DPI.
#pragma once

#include <afxwin.h>

class CDpiScale;

class CFrameTitle
{
public:
    // Margins (left, top, right, bottom) of a frame's window inside the frame.
    static CRect Insets(int nStyle, const CDpiScale& D);
    // Where a click on a frame's title icon is taken; empty for a style without one.
    static CRect IconRect(int nStyle, const CRect& rcFrame, const CDpiScale& D);
    // Paints the decoration of the frame rcFrame on a background of crBase. The context's
    // objects and text colour are left as they were.
    static void Paint(CDC* pDC, int nStyle, const CRect& rcFrame, COLORREF crBase,
                      COLORREF crTitle, const CString& strTitle, BOOL bIcon, const CDpiScale& D);

private:
    static void PaintBoxed(CDC* pDC, HPEN hFramePen, int nStyle, const CRect& F, const CRect& C,
                           COLORREF K, COLORREF T, const CString& strTitle, BOOL bIcon, const CDpiScale& D);
    static void PaintFlat(CDC* pDC, int nStyle, const CRect& C, const CString& strTitle, BOOL bIcon,
                          const CDpiScale& D);
    static void PaintBrackets(CDC* pDC, const CRect& B, const CRect& C, COLORREF K, const CDpiScale& D);
    static void DrawTitleText(CDC* pDC, const CString& strTitle, int x, int y, int right,
                              int bottom, const CDpiScale& D);
    static void PaintTab(CDC* pDC, const CRect& F, const CRect& C, COLORREF K,
                         const CString& strTitle, BOOL bIcon, const CDpiScale& D);
    static void Rule(CDC* pDC, const CRect& R, const CDpiScale& D);
    static void Shadow(CDC* pDC, const CRect& R, COLORREF K, const CDpiScale& D);
    static void TitleGradient(CDC* pDC, const CRect& A, COLORREF T, BOOL bHorizontal,
                              BOOL bIcon, const CDpiScale& D);
    static void TabRows(CDC* pDC, const CRect& R, COLORREF K, const CDpiScale& D);
    static void TabLeftEnd(CDC* pDC, const CRect& R, COLORREF K, const CDpiScale& D);
    static void TabRightEnd(CDC* pDC, CRect R, COLORREF K, const CDpiScale& D);
    static void IconBox(CDC* pDC, CRect R, COLORREF c, const CDpiScale& D);
};
