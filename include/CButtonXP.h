// XP-look buttons: push buttons, flat buttons, check boxes and radio buttons that the library
// paints in every state (normal, hover, pressed, focused, checked, disabled, with a drop menu or
// an image). With system colours (Lumo_UseSystemColors) every kind is drawn flat in the system
// colours of buttons, check boxes and radio buttons as drawn boxes instead of pictures.
//
// The behaviour lives in CButtonXP_, which is not a window: CButtonXP carries it on a framework
// button, and XPButton_Attach (lumo.h) on a button window a host already has. Either way the
// window becomes owner-drawn while the object remembers what kind of button it is, and screen
// readers read it by that kind (buttons/CButtonXPAccessible.h): push button, check box or radio
// button, its check state changes raising EVENT_OBJECT_STATECHANGE. A radio button the arrow
// keys of a dialog reach is checked, as the platform's automatic radio buttons are.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class CBackBuffer;
struct CGreyTextMask;
struct CXPBoxPicture;
struct CXPHoverRings;

// Where a button's image stands relative to its text.
enum enum_iconpos
{
    ICON_TOP = 0,
    ICON_LEFT = 1,
    ICON_BOTTOM = 2,
    ICON_RIGHT = 3
};

// Kinds of button (GetButtonType).
#define XPBUTTON_PUSH 0
#define XPBUTTON_CHECK 2
#define XPBUTTON_RADIO 4

/////////////////////////////////////////////////////////////////////////////
// CButtonXPImage: a button's icon(s), or a bitmap kept as its opaque pixels

class AFX_EXT_CLASS CButtonXPImage : public CObject
{
public:
    CButtonXPImage();
    virtual ~CButtonXPImage();

    // Grey levels of the recorded pixels for the disabled look, stretched so that the
    // brightest becomes white.
    virtual void MakeGray();

    // Destroys the icons the image owns and forgets the pixels.
    void Clear();
    // One icon: the platform's disabled effect is used when disabled. The image owns hIcon.
    void SetIcon(HICON hIcon, int nSize);
    // Two icons; hDisabled null means "draw the normal icon when disabled too".
    void SetIcons(HICON hIcon, HICON hDisabled, int nSize);
    // The bitmap's pixels, except those of the colour of its top-left pixel (transparent).
    // The bitmap stays the caller's.
    void SetBitmap(HBITMAP hBitmap);
    void Draw(CDC* pDC, int x, int y, BOOL bEnabled) const;

    BOOL IsEmpty() const { return m_bEmpty; }
    CSize GetSize() const { return m_bEmpty ? CSize(0, 0) : CSize(m_nWidth, m_nHeight); }
    int GetPixelCount() const { return (int)m_colours.GetSize(); }

protected:
    int m_bEmpty;
    int m_nWidth;
    int m_nHeight;
    HICON m_hIcon;
    HICON m_hIconDisabled;  // 0: one icon; (HICON)-1: two icons, the second missing
    CWordArray m_xs;
    CWordArray m_ys;
    CDWordArray m_colours;
    CByteArray m_greys;
};

/////////////////////////////////////////////////////////////////////////////
// CButtonXP_: state, input state machine and painting of an XP button

class CDpiScale;

class AFX_EXT_CLASS CButtonXP_
{
public:
    CButtonXP_();
    virtual ~CButtonXP_();

    // -- message handlers (called by the window carrying the behaviour) -------------------
    virtual void _OnSetCheck(WPARAM wParam, LPARAM lParam);
    virtual LRESULT _OnGetCheck(WPARAM wParam, LPARAM lParam);
    virtual void _OnLButtonDown();
    // point in client coordinates
    virtual void _OnLButtonUp(UINT nFlags, CPoint point);
    virtual void _OnKeyDown(UINT nKey, LPARAM lParam);
    virtual void _OnKeyUp(UINT nKey, LPARAM lParam);
    virtual void _OnMouseMove(UINT nFlags, CPoint point);
    virtual LRESULT _OnMouseHover(WPARAM wParam, LPARAM lParam);
    virtual void _OnMouseLeave();
    // Paints the whole client area when the item rectangle is empty and the state 0.
    virtual void _DrawItem(LPDRAWITEMSTRUCT lpDIS);
    // Messages the platform's button answers for its own type, which an owner-drawn one no
    // longer shows: the dialog code for the button's kind, so dialogs keep treating it as a
    // push button (default or not), a radio button or a check box; and a new button style,
    // whose kind and default flag are kept while the window stays owner-drawn (returns the
    // style to hand on to the platform).
    // pMsg is the message a dialog asks about (WM_GETDLGCODE's lParam), or null. A radio button
    // the dialog is about to move the focus to with an arrow key notes it for _OnSetFocus.
    LRESULT _OnGetDlgCode(LRESULT lPlatformCode, const MSG* pMsg = NULL);
    // After the platform has taken the focus: a radio button reached by the arrow keys of its
    // group is clicked, checking it and clearing the others, as the platform does for its own
    // automatic radio buttons (which an owner-drawn button no longer is to the dialog).
    void _OnSetFocus();
    WPARAM _OnSetStyle(WPARAM wStyle);
    // Keyboard cues changed (after the platform has taken them): the focus rectangle is shown
    // or hidden with them.
    void _OnUpdateUIState(WPARAM wParam);

    // -- configuration ------------------------------------------------------------------
    // nType: XPBUTTON_PUSH, XPBUTTON_CHECK or XPBUTTON_RADIO.
    virtual void Init(HWND hWnd, UINT nType);
    // bHoverFace: a flat button under the mouse gets a rounded face instead of a raised frame.
    virtual void SetFlat(int bFlat, int bHoverFace = 0);
    // bUse 0 paints the background with the parent's WM_CTLCOLORBTN brush again.
    virtual void SetBkColor(COLORREF crBk, int bUse = 1);
    // The tip control is borrowed; it must outlive the button.
    virtual void SetToolTip(CToolTipCtrl* pToolTip, LPCTSTR lpszText);
    virtual int GetButtonType();
    virtual void SetButtonBmp(CBitmap& bitmap, enum_iconpos nPos = ICON_LEFT, int nGap = 4);
    virtual void SetButtonBmp(UINT nBitmapId, enum_iconpos nPos = ICON_LEFT, int nGap = 4);
    // The image owns the icons given by handle.
    virtual void SetButtonIcon(HICON hIcon, HICON hDisabledIcon, int nSize, enum_iconpos nPos = ICON_LEFT,
                               int nGap = 4);
    virtual void SetButtonIcon(UINT nIconId, UINT nDisabledIconId, int nSize, enum_iconpos nPos = ICON_LEFT,
                               int nGap = 4);
    virtual void SetButtonIcon(HICON hIcon, int nSize, enum_iconpos nPos = ICON_LEFT, int nGap = 4);
    virtual void SetButtonIcon(UINT nIconId, int nSize, enum_iconpos nPos = ICON_LEFT, int nGap = 4);
    // A flat push button with a drop menu shows an arrow and stays pressed while its menu is
    // open; the host calls DismissMenu when the menu has closed.
    virtual void SetDropMenu(int bDropMenu);
    virtual void DismissMenu();
    // Non-zero once 300 ms have passed since the last DismissMenu, so the click that closed
    // the menu does not open it again.
    virtual int IsMenuDropAble();
    // Forgets the pictures the button keeps between paints (its face gradient), so the next
    // paint draws them anew: for a change the button cannot see, such as the system's colours.
    void InvalidatePaintCache();

    // -- attributes ---------------------------------------------------------------------
    HWND GetButtonWnd() const { return m_hButton; }
    int IsFlat() const { return m_bFlat; }
    int IsHover() const { return m_bHover; }
    int IsPressed() const { return m_bPressed; }
    int IsChecked() const { return m_bChecked; }
    int IsMenuDropped() const { return m_bMenuDropped; }
    // A default push button (BS_DEFPUSHBUTTON, or made so by its dialog) shows a focus-coloured
    // frame even without the focus.
    int IsDefault() const { return m_bDefault; }
    CButtonXPImage* GetImage() const { return m_pImage; }

    // The behaviour object of a button window: an attached one or a CButtonXP; null if none.
    static CButtonXP_* FromHandle(HWND hWnd);
    // The kind a button style stands for (XPBUTTON_*).
    static UINT TypeFromStyle(DWORD dwStyle);
    // The style with its type bits replaced by BS_OWNERDRAW, the one type the platform always
    // hands to its owner for drawing.
    static DWORD OwnerDrawStyle(DWORD dwStyle);

protected:
    // -- painting -----------------------------------------------------------------------
    void _DrawItem_PushButton(LPDRAWITEMSTRUCT lpDIS, CString& strText, CRect& rect);
    void _DrawItem_PushButton_Flat(LPDRAWITEMSTRUCT lpDIS, CString& strText, CRect& rect);
    void _DrawItem_PushButton_FlatText(CDC* pDC, CString& strText, CRect& rect, int bDown, COLORREF crDark,
                                       COLORREF crLight);
    void _DrawItem_CheckBox(LPDRAWITEMSTRUCT lpDIS, CString& strText, CRect& rect);
    void _DrawItem_RadioButton(LPDRAWITEMSTRUCT lpDIS, CString& strText, CRect& rect);
    void _DrawItem_Text_RadioCheck(CDC* pDC, CString& strText, CPoint& box, CSize& boxSize);
    void _DrawItem_SystemColors(LPDRAWITEMSTRUCT lpDIS, CString& strText, CRect& rect);
    void _DrawItem_IconText(CDC* pDC, CString& strText, CRect& rect);
    // The face gradient of the state, copied from the kept picture (drawn first when the state
    // or the size changed).
    void GradientFill(CDC* pDC, CRect rect);
    void DrawGradientRows(CDC* pDC, const CRect& rect, const COLORREF* table);
    // Text drawn embossed, as the platform shows disabled text, without making any object.
    void DrawDisabledText(CDC* pDC, CPoint pt, const CString& strText);
    void DrawBorder(CDC* pDC, CRect rect);
    // Fills rect of the buffer with the background colour or the parent's button brush.
    // FALSE when the parent destroyed the button meanwhile: nothing more may be touched.
    BOOL PaintBackground(CDC* pDC, LPDRAWITEMSTRUCT lpDIS, const CRect& rect);
    // Sends a message to a window of the host on the button's behalf; FALSE when the button
    // (and possibly this object) did not survive it.
    BOOL SendToHost(HWND hTo, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* pResult = NULL);
    // The button checks itself (and a radio button clears its group). FALSE as SendToHost.
    BOOL ToggleCheck();
    void InvalidateButton();
    // Frees what the button keeps between paints; its window is going.
    void FreePaintCache();
    // The kept mask of a greyed text, made at the first call; null when it cannot be made.
    CGreyTextMask* GreyMask();
    // The picture of the box for a resource id at the button's DPI, kept until another is asked
    // for, selected into a memory context; null when it cannot be loaded.
    CXPBoxPicture* BoxPicture(int nId);

    // -- state --------------------------------------------------------------------------
    HWND m_hButton;
    CDpiScale* m_pDpi;     // owned: the button's DPI, attached to m_hButton
    int m_nButtonType;
    CToolTipCtrl* m_pToolTip;
    int m_bFlat;
    int m_bPressed;
    int m_bHover;
    int m_bFocused;
    int m_bDisabled;
    int m_bChecked;
    int m_bTextLeft;
    int m_bHoverFace;
    CButtonXPImage* m_pImage;
    enum_iconpos m_nIconPos;
    int m_nGap;
    int m_bDropMenu;
    int m_bMenuDropped;
    DWORD m_dwDismissTime;
    int m_bUseBkColor;
    COLORREF m_crBk;
    int m_bDefault;
    int m_bHideFocus;
    int m_bArrowFocus;     // a dialog's arrow key is moving the focus here
    LONG m_lArrowTime;     // the time of that key message
    CBackBuffer* m_pFace;  // the face gradient last drawn, made at the first paint
    int m_nFaceTable;      // its table, -1 when there is none
    CRect m_rcFace;        // and where it was drawn
    CGreyTextMask* m_pGrey; // the greyed text's mask last drawn, made at the first greyed paint
    CXPBoxPicture* m_pBox;  // the check box's or radio button's picture last drawn
    CXPHoverRings* m_pRings; // a flat button's hover rings, for the rectangle last drawn

private:
    CButtonXP_(const CButtonXP_&);
    CButtonXP_& operator=(const CButtonXP_&);
};

/////////////////////////////////////////////////////////////////////////////
// CButtonXP: a framework button with the XP look

class AFX_EXT_CLASS CButtonXP : public CButton, public CButtonXP_
{
    DECLARE_DYNAMIC(CButtonXP)
public:
    CButtonXP();
    virtual ~CButtonXP();

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

protected:
    virtual void PreSubclassWindow();

    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateUIState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CButtonXPGradient: a CButtonXP painted as a light-blue band under the mouse, with an
// optional tick box; no image, focus rectangle or disabled look

class AFX_EXT_CLASS CButtonXPGradient : public CButtonXP
{
public:
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
};
