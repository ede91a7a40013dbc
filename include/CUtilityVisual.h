// Colour arithmetic, banded gradients, small shapes, pictures and cursors shared by every
// owner-drawn control of the library.
#pragma once

#include <afxwin.h>
#include <ocidl.h>

// One edge of a rectangle, for Draw1Border.
enum ENUM_BORDER
{
    BORDER_LEFT = 0,
    BORDER_TOP = 1,
    BORDER_RIGHT = 2,
    BORDER_BOTTOM = 3
};

// A corner of a reference window, for move_to_corner.
enum ENUM_MOVE_CORNER
{
    CORNER_TOPLEFT = 1,
    CORNER_TOPRIGHT = 2,
    CORNER_BOTTOMRIGHT = 3,
    CORNER_BOTTOMLEFT = 4
};

class AFX_EXT_CLASS CUtilityVisual
{
public:
    CUtilityVisual();
    virtual ~CUtilityVisual();

    // -- Colours ----------------------------------------------------------------------
    // Every channel moved by nDelta and clamped to 0..255; the top byte is dropped.
    static COLORREF Hilight(COLORREF crColor, int nDelta);
    // The same on separate channels; the clamped values are left in the caller's variables.
    static COLORREF Hilight(int& nRed, int& nGreen, int& nBlue, int nDelta);
    // A grey weighted 0.1 red, 0.6 green, 0.3 blue, truncated.
    static COLORREF ToGray(COLORREF crColor);

    // -- Gradients --------------------------------------------------------------------
    // Bands painted from crColor2 at the bottom (or right) edge towards crColor1.
    static void GradientRect(CDC* pDC, CRect& rect, COLORREF crColor1, COLORREF crColor2,
                             int nSteps, int bVertical);
    // Two vertical gradients, one in each half of the rectangle.
    static void Gradient2Rect(CDC* pDC, CRect& rect, COLORREF crUpper1, COLORREF crUpper2,
                              COLORREF crLower1, COLORREF crLower2, int nSteps);

    // -- Lines and outlines (current pen) -----------------------------------------------
    static void DrawLine(CDC* pDC, int x1, int y1, int x2, int y2);
    static void DrawLine(CDC* pDC, CPoint& from, CPoint& to);
    static void DrawRect(CDC* pDC, CRect& rect);
    static void Draw1Border(CDC* pDC, CRect& rect, ENUM_BORDER nSide);
    static void FillRectWithLine(CDC* pDC, CRect& rect);
    static void DrawDotRectangle(CDC* pDC, CRect& rect);
    // Axis-parallel dashes: 4 on / 4 off across, 3 on / 4 off down.
    static void DrawDotLine(CDC* pDC, CPoint& from, CPoint& to);
    // Inverting line and box: drawing one twice restores the pixels. They leave R2_COPYPEN.
    static void DrawRop2Line(CDC* pDC, CPoint& from, CPoint& to);
    static void DrawRop2Box(CDC* pDC, CRect& rect);

    // -- Composite shapes -------------------------------------------------------------
    // Three-segment bar with centred text; rect loses 4 pixels on the left and right when
    // there is text.
    static void DrawProgress(CDC* pDC, CRect& rect, CString& strText, UINT nFirst, UINT nSecond,
                             UINT nThird, int bGuiFont);
    // The same bar for a window of nDpi: its frame, corners and text margins scale from their
    // 96-DPI pixels; the text in hFont (null: the DC's font).
    static void DrawProgress(CDC* pDC, CRect& rect, CString& strText, UINT nFirst, UINT nSecond,
                             UINT nThird, HFONT hFont, int nDpi);
    // A 10 by 10 box, vertically centred in rect, nOffset pixels from its left edge.
    static void DrawCheck(CDC* pDC, CRect& rect, int nOffset, int bChecked, COLORREF crFrame,
                          COLORREF crTick);

    // -- Pictures ---------------------------------------------------------------------
    // Each load hands the caller one reference on success and leaves *ppPicture alone on
    // failure.
    static BOOL GetPicture(IPicture** ppPicture, void* pData, int nSize);
    static BOOL GetPicture(IPicture** ppPicture, LPCSTR lpszFile, int nOffset, int nLength);
    static BOOL GetPicture(IPicture** ppPicture, LPCSTR lpszFile);
    static BOOL GetPicture(IPicture** ppPicture, LPCSTR lpszType, DWORD nID);
    static BOOL IsPictureFile(LPCSTR lpszFile);
    // Size in device pixels: a bitmap's or an icon's own pixels at any DPI, a metafile's length
    // at the screen's DPI; (0, 0) without a picture.
    static void GetPictureSize(CSize& size, IPicture* pPicture);
    // The picture stretched over rect with a raster operation, or a placeholder without one.
    static void draw_pic(CDC* pDC, IPicture* pPicture, CRect& rect, int nRop, int nUnused);
    // The picture at its own size, placed in rect by DT_ alignment bits (DT_RIGHT|DT_BOTTOM
    // stretches it).
    static void draw_picEx(CDC* pDC, IPicture* pPicture, CRect& rect, int nAlign, int nRop);
    static void fill_with_pic(CDC* pDC, IPicture* pPicture, CRect& rect);

    // -- Windows and cursors ----------------------------------------------------------
    // A hand cursor the caller destroys (DestroyCursor leaves a system cursor alone): the old
    // hand cursor files where the system still has them, else the system's own hand
    // (IDC_HAND), else the arrow.
    static HCURSOR GetHandCursor();
    static void move_to_corner(CWnd* pReference, CWnd* pWnd, ENUM_MOVE_CORNER nCorner);
    // TRUE when hWnd is hAncestor or lies below it; any window belongs to a null ancestor.
    static BOOL IsWidowBelongsToAncestor(HWND hWnd, HWND hAncestor);

private:
    static void Init();
    static void DrawPlaceholder(CDC* pDC, CRect rect, int nRop);
    static HRESULT RenderPicture(IPicture* pPicture, HDC hDC, int x, int y, int cx, int cy);
    static BOOL TileByCopies(HDC hDC, IPicture* pPicture, CSize tile, const CRect& rect);

    static int m_pxPInch;
    static int m_pyPInch;
};
