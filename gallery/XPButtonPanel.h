// The class host's panel of XP buttons: every kind (push, flat, flat with a drop menu, check box,
// radio button, the gradient look, buttons given the look with XPButton_Attach) in every state,
// and the scripted steps that hover, press and toggle them.
#pragma once

#include <afxwin.h>

#include <functional>
#include <string>

#include "CButtonXP.h"

class CXPButtonPanel : public CWnd
{
public:
    // Four rows of CButtonXP (push, flat, check box, radio button), then a row of gradient
    // buttons and buttons made by the host and attached.
    enum
    {
        kRows = 4,
        kColumns = 8,
        kGradients = 4,
        kAttached = 3
    };
    // Takes a screenshot of the host window; answers the client area's origin in the picture.
    typedef std::function<POINT(const char* name)> ShootFn;
    typedef std::function<void(const std::string& line)> LogFn;

    CXPButtonPanel();
    ~CXPButtonPanel();

    // The panel over rect of the parent; every button's message goes to log as a line.
    BOOL Make(CWnd* pParent, const CRect& rect, LogFn log);
    // Hovers, presses and toggles the buttons, opens the drop menu, writes a screenshot after
    // each step and prints a check line for what each step must have done.
    void RunScript(const ShootFn& shoot);

    CButtonXP& Button(int row, int column) { return m_buttons[row][column]; }

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    std::string NameOf(UINT id) const;
    // A button's rectangle in the host window's client coordinates.
    CRect InHost(HWND hWnd) const;
    void Probe(const char* name, HWND hWnd, POINT origin) const;

    CButtonXP m_buttons[kRows][kColumns];
    CButtonXPGradient m_gradients[kGradients];
    HWND m_attached[kAttached];
    CBitmap m_image;
    HBRUSH m_hBack;
    LogFn m_log;
    int m_nMenuPicks;

    DECLARE_MESSAGE_MAP()
};
