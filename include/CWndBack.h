// The base window of the door panel: paints a background (a colour, a picture or nothing) and
// lays out the child windows given to it. With system colours (Lumo_UseSystemColors) the
// background is COLOR_WINDOW and no picture is drawn.
//
// Ownership: a panel window object is made with new and deletes itself in PostNcDestroy, after
// its window's last message, and nowhere else. Destroying the window (DestroyWindow, or a flat
// *_delete function) therefore ends the object, with every derived class's WM_DESTROY handling
// run first; a Create that fails has already deleted the object. Never delete a panel object,
// never make one on the stack or as a member.
//
// Painting: the door, its layer and the drops paint every pixel in WM_PAINT and clip their
// children; their WM_ERASEBKGND paints nothing and reports the background erased, and the
// layer, transparent, shows the door's background between the drops by having the door paint
// it. Their layouts move only the windows whose place changes and send no frame repaints of
// their own. A resize of the host thus paints each panel window at most once, without flicker.
// A new size of the door places its whole tree (layer, toggle, drops, their buttons and bodies)
// in one DeferWindowPos batch, every level planned from the sizes the level above will have
// (PlanTree); the levels' own layouts stand still while the batch is applied. Frameless windows
// move without the system's repaint, and what changed is invalidated, once.
#pragma once

#include <afxwin.h>
#include <ocidl.h>
#include "CMyWin.h"

// Commands of the registered message "CWndBack_SendChildren" (CWndBack::m_MsgSendChildren).
#define SENDCHILDREN_SHOW 10001       // lParam non-zero shows, zero hides the laid-out windows
#define SENDCHILDREN_ANIMATION 10002  // lParam is the new animation-able flag

class CDpiScale;

class AFX_EXT_CLASS CWndBack : public CWnd
{
    DECLARE_DYNCREATE(CWndBack)
public:
    // construction
    CWndBack();
    virtual ~CWndBack();

    // attributes
    // Drops any picture and clears the transparent flag; no repaint. Returns the old colour.
    COLORREF SetBkColor(COLORREF crBk);
    COLORREF GetBkColor() const { return m_crBk; }
    void SetTransparent(BOOL bTransparent);
    BOOL GetTransparent() const { return m_bTransparent; }
    // TRUE when the picture file was loaded; no repaint.
    BOOL SetBkPicture(LPCSTR lpszFile);
    BOOL HasBkPicture() const { return m_pPicture != NULL; }
    BOOL SetAnimationAble(BOOL bAble);
    BOOL GetAnimationAble() const { return m_bAnimationAble; }
    // TRUE when the window slides: animation is able and the user's client-area animation
    // setting is on (with it off, opening and closing take effect at once).
    BOOL Animates() const;
    void SetFrozen(BOOL bFrozen) { m_bFrozen = bFrozen; }
    BOOL GetFrozen() const { return m_bFrozen; }
    CMyWin& GetLayout() { return m_MyWin; }

    // operations
    // 0 when hWnd is not a window, else 1.
    int AddChild(HWND hWnd, int x, int y);
    int AddChild_AutoMove(HWND hWnd, int nRight, int nBottom, BOOL bCenterV, BOOL bCenterH);
    int AddChild_AutoSize(HWND hWnd, int x, int y, int nRight, int nBottom);

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    // The window's DPI and the sizes the library chooses at that DPI.
    const CDpiScale& GetDpiScale() const { return *m_pDpi; }
    // Paints the client area into pDC: erasing and WM_PRINTCLIENT both come here, so the window
    // paints the same into any device context. Derived windows add their own parts.
    virtual void Draw(CDC* pDC);
    // Paints the background as every panel window does: nothing while frozen or transparent.
    void PaintBackground(CDC* pDC);

    // The registered message "CWndBack_SendChildren": wParam a command, lParam its argument.
    // Panel windows pass it down to their descendants. Registered once when the library loads.
    static const UINT& m_MsgSendChildren;

protected:
    // After the window moved or changed size, unless frozen: lays out the children. The panel
    // windows repaint from here only what the change touched. sizeOld: the client size before.
    virtual void OnPlaced(CSize sizeOld);
    // Makes the window one of the door panel's: it paints every pixel of its own in WM_PAINT,
    // around its children (WS_CLIPCHILDREN), erases nothing, and its layout moves only what
    // changes, leaving the repaint of what a move uncovers to the system. So a resize paints
    // each window at most once and nothing twice (no flicker). Call from the constructor.
    void UseWholePaint();
    // Adds to the plan where this window's layout puts its children for a client area of this
    // size, and, for each child that is a panel window placed anew, what its own layout does at
    // its planned size: a window can place a whole tree of panel windows in one batch.
    void PlanTree(CSize sizeClient, CLayoutPlan& plan);
    // Handles a command of m_MsgSendChildren for this window's own layout.
    void HandleSendChildren(WPARAM wParam, LPARAM lParam);
    void ReleasePicture();

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg LRESULT OnSendChildren(WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy();
    afx_msg LRESULT OnDpiChangedMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDpiLayoutMessage(WPARAM wParam, LPARAM lParam);
    // The window's DPI changed (its helper has the new one): re-measure what the window chose
    // itself and invalidate, without laying out; the layout is then marked out of date. The
    // host's resize to its new rectangle, or else OnDpiLayout, lays out once.
    virtual void OnDpiChange(int nOldDpi);
    // The top-level window has handled its DPI change: a layout still out of date runs now.
    virtual void OnDpiLayout();

    CMyWin m_MyWin;
    BOOL m_bTransparent;
    BOOL m_bAnimationAble;
    IPicture* m_pPicture;
    COLORREF m_crBk;
    BOOL m_bFrozen;
    CSize m_sizeClient;  // at the last WM_WINDOWPOSCHANGED
    BOOL m_bWholePaint;  // see UseWholePaint
    CDpiScale* m_pDpi;  // owned

    DECLARE_MESSAGE_MAP()
};
