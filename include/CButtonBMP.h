// Owner-drawn push button showing a normal or a hover bitmap over a solid background, telling
// its parent of clicks, double clicks, hovering and leaving through WM_NOTIFY.
//
// A button made a tab stop (WS_TABSTOP) frames itself with a focus rectangle while it has the
// focus and its window shows keyboard cues; Space clicks it, as any push button. Screen readers
// read it as a push button named by GetAccessibleName, whose default action clicks it.
#pragma once

#include <afxwin.h>

// Notification codes a bitmap button sends its parent (NMHDR::code).
#define BMPBTN_CLICKED 0
#define BMPBTN_DBLCLICKED 5
#define BMPBTN_MOUSEMOVE 0x200
#define BMPBTN_MOUSELEAVE 0x2A3

class CDpiScale;
class CBackBuffer;

class AFX_EXT_CLASS CButtonBMP : public CButton
{
public:
    // construction
    CButtonBMP();
    virtual ~CButtonBMP();

    // attributes
    // Replaces both bitmaps by those of two resource ids (an id that cannot be loaded gives
    // no bitmap). The button owns the bitmaps, loaded for its window's DPI (its parent's before
    // it is created) and replaced when that DPI changes; the window takes the bitmap's size.
    void SetBitmaps(UINT nNormalId, UINT nHoverId);
    // Size of the normal bitmap, or of the hover one when there is no normal bitmap.
    void GetBmpSize(CSize& size);
    void SetBkColor(COLORREF crBk) { m_crBk = crBk; }
    COLORREF GetBkColor() const { return m_crBk; }
    // The cursor is borrowed, not owned.
    void SetHandCursor(HICON hCursor) { m_hCursor = (HCURSOR)hCursor; }
    void SetOpenState(BOOL bOpened);
    BOOL IsOpened() const { return m_bOpened; }
    BOOL IsHover() const { return m_bHover; }
    HBITMAP GetNormalBitmap() const { return m_hBmpNormal; }
    HBITMAP GetHoverBitmap() const { return m_hBmpHover; }

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // The button's DPI and the sizes it chooses at that DPI.
    const CDpiScale& GetDpiScale() const { return *m_pDpi; }
    // Whether the button shows keyboard cues (its focus rectangle) when it has the focus.
    BOOL ShowsFocusCues() const { return !m_bHideFocus; }

    // message handlers
    // Virtual, the first function the button adds to its base's, so that a derived button can
    // take the leave over.
    virtual afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    // The name screen readers read: the window text without its '&'. After OnMouseLeave, so
    // that the slots before it stay where derived buttons expect them.
    virtual CString GetAccessibleName();
    // Draws the face (background and bitmap) into a context, in the item's rectangle. A derived
    // button adds its drawing here. The face is kept and copied unchanged while the bitmaps, the
    // hover state, the background colour, the open state, the DPI and the size stay as they
    // were; a derived face that depends on anything else calls ForgetFace when that changes,
    // which repaints the button. After GetAccessibleName, so that the slots before it stay where
    // derived buttons expect them.
    virtual void DrawFace(HDC hDC, const RECT& rc);
    void ForgetFace();

protected:
    afx_msg void OnClicked();
    afx_msg void OnDoubleclicked();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateUIState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

    // implementation
    // Loads the bitmaps of the ids for a DPI, unless they are loaded for it already.
    void LoadBitmaps(int nDpi);
    // FALSE when the parent destroyed the button while it was told.
    BOOL NotifyParent(UINT nCode);
    void DeleteBitmaps();
    void DeleteFace();

    int m_bHover;
    int m_bOpened;
    COLORREF m_crBk;
    HBITMAP m_hBmpNormal;
    HBITMAP m_hBmpHover;
    HCURSOR m_hCursor;
    int m_nMoveCount;
    int m_bHideFocus;  // keyboard cues hidden (kept here: the platform may not answer for them)
    int m_bUIStateRead;  // m_bHideFocus has been asked of the window once
    UINT m_nNormalId;
    UINT m_nHoverId;
    int m_nBmpDpi;       // the DPI the bitmaps were loaded for
    CDpiScale* m_pDpi;   // owned
    // The kept face, and what it was drawn for.
    CBackBuffer* m_pFace;  // owned, made at the first paint
    int m_bFaceKept;
    int m_nBitmapsSet;      // counts SetBitmaps calls: a bitmap loaded again may take a freed handle
    int m_nFaceBitmaps;     // the count the face was drawn at
    int m_bFaceHover;
    COLORREF m_crFace;
    int m_bFaceOpened;
    int m_nFaceDpi;
    SIZE m_sizeFace;

    DECLARE_MESSAGE_MAP()
};
