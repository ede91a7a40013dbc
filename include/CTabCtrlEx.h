// A tab control whose tabs are painted with gradients: the selected tab in the parent's
// static-control colour, the others shading down from it, and the tab under the mouse in a
// warm highlight. With visual themes active the platform draws the tabs and nothing is tracked,
// unless the host asked for the library's own look (Lumo_UseOwnLook), which tabs made before
// the call take on at their next paint. With system colours (Lumo_UseSystemColors) the tabs are
// flat in COLOR_BTNFACE with COLOR_BTNTEXT, the tab under the mouse in COLOR_HOTLIGHT.
// The parent need not be a framework window: the control catches the platform's requests to
// draw its tabs on their way to a parent that would not hand them back.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class CDpiScale;

class AFX_EXT_CLASS CTabCtrlEx : public CTabCtrl
{
public:
    CTabCtrlEx();
    virtual ~CTabCtrlEx();

    virtual void PreSubclassWindow();
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    // Ends the highlight of the tab under the mouse and gives the mouse back.
    void ReleaseCap();
    // Index of the highlighted tab, -1 for none.
    int GetHotTab() const { return m_nHotTab; }

protected:
    // Owner drawing and the tab padding in the library's own look (themes off, or the host asked
    // for it), the platform's otherwise.
    void ApplyLook();
    // Asks the parent for the brush the tabs are painted with before the platform paints
    // them. FALSE when the parent destroyed the control meanwhile.
    BOOL FetchBackground();
    // The platform's painting, whose requests to draw the tabs reach DrawItem whatever the
    // parent is.
    LRESULT PaintByPlatform();
    // Index of the tab whose rectangle holds point, or -1.
    int TabFromPoint(CPoint point) const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg LRESULT OnDeleteItems(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

    int m_nHotTab;
    HBRUSH m_hbrBack;  // the parent's answer for the paint under way; the parent owns it
    int m_nLook;       // 1 own look applied, 0 the platform's, -1 before creation
    CDpiScale* m_pDpi;

    DECLARE_MESSAGE_MAP()
};
