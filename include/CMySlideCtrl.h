// A horizontal slider painted flat: a thin rounded channel whose part left of the thumb is blue,
// a pointed thumb that lights up while the mouse rests on it, and tick marks of two lengths,
// all over the colour the parent paints static controls with. The track bar underneath keeps the
// range, the position and the keyboard and mouse logic; hosts drive it with its own messages.
// A vertical track bar keeps the platform's own drawing.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class CDpiScale;

class AFX_EXT_CLASS CMySlideCtrl : public CSliderCtrl
{
public:
    // -- construction ---------------------------------------------------------------------
    CMySlideCtrl();
    virtual ~CMySlideCtrl();

    // -- operations (each redraws the slider) -----------------------------------------------
    virtual void SetPos(int nPos);
    // Value step between ticks; below 1 draws no ticks.
    virtual void SetTicFreq(int nFreq);
    virtual int GetTickFreq();
    // Every nInterval-th tick is drawn long; 0 draws only the first and the last long.
    virtual void SetMaxTicFreq(int nInterval);

    // -- attributes ---------------------------------------------------------------------------
    // The parent's static-control colour, read when the slider was attached to its window.
    COLORREF GetBkColor() const { return m_crBk; }

    // Paints the whole control into pDC (what WM_PAINT and WM_PRINTCLIENT show).
    void Paint(CDC* pDC);

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();

protected:
    // The slider's parts, computed from the client area and the track bar's channel.
    struct Geometry
    {
        CRect rcClient, rcChannel, rcUpper, rcLower, rcBand, rcThumb, rcTicks;
    };
    void CalcRects(Geometry& g);
    void DrawTick(CDC* pDC, const Geometry& g, BOOL bEnabled);
    void DrawInnerLine(CDC* pDC, const CRect& rcChannel, int x, BOOL bEnabled);
    void DrawSliderButton(CDC* pDC, int x, int y, BOOL bLit, BOOL bEnabled);
    // Invalidates what a change of position or of the thumb's state repaints.
    void InvalidSlider();
    // Lets the track bar handle the current message, which it may report to the parent.
    // FALSE when the parent destroyed the slider meanwhile: nothing of it may be touched.
    BOOL PassOn(LRESULT* pResult = NULL);
    // Takes the background colour from the parent. FALSE when the parent destroyed the slider.
    BOOL ReadParentBackground();
    BOOL TicksAbove() const { return m_bTicks && m_nTickSide == 0; }
    BOOL IsVertical() const { return (GetStyle() & TBS_VERT) != 0; }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg LRESULT OnRangeOrPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();

    COLORREF m_crBk;
    int m_bTicks;
    int m_nTickSide;  // 8: ticks below the channel, 0: above
    int m_nTicFreq;
    int m_nMaxTicFreq;
    // The capture was taken to light the thumb, not by the track bar for a drag.
    BOOL m_bHoverCapture;
    // Create has begun and WM_CREATE has not come yet.
    BOOL m_bCreating;
    // The slider's DPI: the channel, the thumb and the ticks are drawn at its scale. Owned.
    CDpiScale* m_pDpi;

    DECLARE_MESSAGE_MAP()
};
