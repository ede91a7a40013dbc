// A static text that acts as a hyperlink: its text is drawn in the link colour and underlined,
// the hand cursor shows over the text, and a click on the text (or Enter or Space while it has
// the focus) opens the target with the shell, or sends the host a message instead. Screen
// readers read it as a link named by its text, with its target as value; its default action
// activates it as a click does. Without a font of the host's it shows the font a static shows,
// made for its window's DPI; its underline and margins scale with the DPI.
#pragma once

#include <afxwin.h>

class CDpiScale;

class AFX_EXT_CLASS CHyperLinkStatic : public CStatic
{
public:
    CHyperLinkStatic();
    virtual ~CHyperLinkStatic();

    // -- settings the host sets directly --------------------------------------------------------
    COLORREF m_crLink;   // text and underline
    CString m_strTarget; // what the shell opens on a click: a URL, a document or a program
    int m_bNotify;       // set: a click sends m_nNotifyMsg to m_hNotifyWnd instead of opening
    HWND m_hNotifyWnd;   // wParam the link's window, lParam 0
    UINT m_nNotifyMsg;

    virtual void PreSubclassWindow();

    // Computes the text's rectangle inside rect (which it replaces) in pDC, and draws the text
    // unless bCalcOnly is set.
    void DrawCalcText(CDC* pDC, CRect& rect, int bCalcOnly);
    // Text and underline: the link colour (COLOR_HOTLIGHT in system colours), grey when disabled.
    COLORREF LinkColor();
    // Paints the link into pDC over the parent's background brush (none: left as it is).
    void Paint(CDC* pDC, HBRUSH hBackground);

protected:
    // The text's rectangle in client coordinates.
    CRect TextRect();
    // Opens the target or notifies the host. FALSE when the host destroyed the link meanwhile.
    BOOL Activate();

    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAccDefaultAction(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

    HCURSOR m_hCursor;  // owned
    CDpiScale* m_pDpi;

    DECLARE_MESSAGE_MAP()
};
