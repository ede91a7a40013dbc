// A progress bar painted with the library's three-segment bar, showing either a text the host
// gives it or the completed percentage. The platform's progress control keeps the range and the
// position; hosts set them with its own operations. Its frame, margins and font are made for its
// window's DPI.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class CDpiScale;

class AFX_EXT_CLASS CProgressCtrlEx : public CProgressCtrl
{
public:
    CProgressCtrlEx();
    virtual ~CProgressCtrlEx();

    // The text shown in the bar; an empty text shows the percentage. The next paint shows it.
    void SetText(LPCSTR lpszText);
    const CString& GetText() const { return m_strText; }
    // Whether an empty text shows the percentage (it does unless told otherwise).
    void SetShowPercent(BOOL bShow) { m_bShowPercent = bShow ? 1 : 0; }

    // Completed percentage, measured from the lower bound; 100 for an empty range.
    int GetPercent() const;
    // Paints the bar into pDC (what WM_PAINT and WM_PRINTCLIENT show).
    void Paint(CDC* pDC);

    virtual void PreSubclassWindow();

protected:
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

    int m_bShowPercent;
    CDpiScale* m_pDpi;
    CString m_strText;

    DECLARE_MESSAGE_MAP()
};
