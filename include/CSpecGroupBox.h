// A group box drawn as a rounded frame with a gradient title band that carries its text. Like
// the platform's group box it paints no interior: the parent's background shows through.
#pragma once

#include <afxwin.h>

class CDpiScale;

class AFX_EXT_CLASS CSpecGroupBox : public CButton
{
public:
    CSpecGroupBox();
    virtual ~CSpecGroupBox();

    // Whether the title band with the text is drawn (it is unless told otherwise).
    void SetTitleBand(BOOL bShow);
    BOOL GetTitleBand() const { return m_bTitle; }

    // The rounded frame over rect.
    void DrawRoundRect(CDC* pDC, CRect& rect);
    // Paints the group box into pDC (what WM_PAINT and WM_PRINTCLIENT show).
    void Paint(CDC* pDC);
    // The band's height (its line included) and the text's inset, in this box's pixels.
    int GetBandHeight() const;

    virtual void PreSubclassWindow();

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

    int m_bTitle;
    CDpiScale* m_pDpi;
    int m_nStaleBottom;  // after a DPI change: the bottom of the old band and its line

    DECLARE_MESSAGE_MAP()
};
