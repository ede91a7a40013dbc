// One collapsible section of the door panel: a header with a title (and, in the default view
// style, a bitmap button) above a body window the host supplies. The layer above it animates
// its height; the drop paints its header, shows or hides its body and reports clicks.
//
// Keyboard: a drop is a tab stop (its door and layer are control parents, so IsDialogMessage in
// the host's message loop reaches the drops). Space or Enter on a focused drop
// opens or closes it as a click on its header does; Up and Down move the focus to the drop
// above or below. The focused drop frames its header with a focus rectangle while the window
// shows keyboard cues (WM_UPDATEUISTATE). A drop keeps the focus it is given; a click on its
// header and the door's opening give the focus to its body instead (FocusBody): a departure
// from the drop of old, which passed every focus on to its body. Drops stand in the Z order as
// they stand on the screen, the first on top (the layer puts each new drop behind the one
// before), so that the tab order runs from top to bottom.
//
// Screen readers read a drop as a group named by its title, expanded or collapsed, whose
// default action opens or closes it (door/CDropAccessible.h).
#pragma once

#include "CWndBack.h"
#include "CButtonBMP.h"

class CWndDoorLayer;
class CBackBuffer;

class AFX_EXT_CLASS CWndDrop : public CWndBack
{
public:
    // construction
    explicit CWndDrop(int nMarginTop);
    virtual ~CWndDrop();

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, void* pContext = NULL);

    // attributes
    void SetTitle(LPCSTR lpszTitle);
    CString GetTitle() const { return m_strTitle; }
    // Takes the header colour and the button bitmaps of a hue; returns the previous hue.
    int SetTitleHue(int nHue);
    int GetTitleHue() const { return m_nTitleHue; }
    COLORREF SetHeaderBkColor(COLORREF crHeader);
    COLORREF GetHeaderBkColor() const { return m_crHeader; }
    void SetMaxHeight(int nHeight) { m_nMaxHeight = nHeight; }
    void GetHeights(int* pnOpen, int* pnHeader) const;
    int GetHeaderHeight() const { return m_nHeaderHeight; }
    int GetMaxHeight() const { return m_nMaxHeight; }
    int GetMarginTop() const { return m_nMarginTop; }
    BOOL IsDropped() const { return m_bDropped; }
    HWND GetBody() const { return m_hBody; }
    int GetViewStyle() const { return m_nViewStyle; }
    CButtonBMP& GetHeaderButton() { return m_btnHeader; }

    // operations
    // Only the flag, the body's visibility and the button bitmaps; the layer sets the height.
    void SetDropped(BOOL bDropped);
    void AttachBodyHwnd(HWND hWnd);
    void ChangeViewStyle(int nStyle);

    // Asks the layer to open or close the drop, as a click on its header does. FALSE when the
    // drop was destroyed meanwhile.
    BOOL RequestToggle();
    // Gives the focus to the body, or to the drop when it has none.
    void FocusBody();
    // Whether the drop shows keyboard cues (its focus rectangle) when it has the focus.
    BOOL ShowsFocusCues() const { return !m_bHideFocus; }

    // The layer that keeps this drop in its list; told when the drop goes away.
    void SetOwnerLayer(CWndDoorLayer* pLayer) { m_pLayer = pLayer; }

    // The background, the frame of the second style and the header, the header copied from a
    // picture the drop keeps until what it shows changes (size, style, colours, hue, title,
    // dropped, hot or focused).
    virtual void Draw(CDC* pDC);
    // Forgets the kept header picture, so the next paint draws it anew: for a change the drop
    // cannot see itself, such as the system's colours or fonts.
    void InvalidateHeaderCache();
    // Paints the header strip into a device context (the header rectangle in its coordinates).
    void DrawHeader(CDC* pDC, CRect rcHeader);

protected:
    void ChangeBitmap();
    struct HeaderLook;
    // Copies the header from the kept picture, drawing that first when it is out of date.
    void PaintHeader(CDC* pDC, const CRect& rcHeader, int nClientHeight);
    // The header with what lies under it in the drop, as Draw shows it.
    void RenderHeader(CDC* pDC, const CRect& rcHeader, int nClientHeight, BOOL bFocus);
    virtual void OnPlaced(CSize sizeOld);
    // A click on the header asks for a toggle. FALSE when the drop was destroyed meanwhile.
    BOOL ClickTitle(CPoint point);
    void GetViewStyle1_ButtonRect(CRect& rect);
    void DrawHeader_Style0(CDC* pDC, CRect& rcHeader);
    void DrawHeader_Style1(CDC* pDC, CRect& rcHeader);
    // In system colours: a flat header, framed, the glyph in the header text colour.
    void DrawHeader_Flat(CDC* pDC, CRect& rcHeader);
    // The open or closed chevrons of the second style.
    void DrawGlyph(CDC* pDC, const CRect& rcHeader, COLORREF crGlyph);
    void DrawTitle(CDC* pDC, const CRect& rcHeader);
    BOOL SendToggleRequest();
    BOOL HueHasWhiteTitle() const;
    void InvalidateHeader();
    // The drop nDelta places above (negative) or below in the layer, or null.
    CWndDrop* Neighbour(int nDelta) const;

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAccDefaultAction(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateUIState(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSendChildren(WPARAM wParam, LPARAM lParam);
    virtual void OnDpiChange(int nOldDpi);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);

    HWND m_hBody;
    CString m_strTitle;
    int m_nTitleHue;
    BOOL m_bDropped;
    int m_nMaxHeight;
    int m_nHeaderHeight;
    COLORREF m_crHeader;
    BOOL m_bBodyIsTree;
    int m_nMarginTop;
    UINT m_nBmpDropped;
    UINT m_nBmpClosed;
    UINT m_nBmpDroppedHover;
    UINT m_nBmpClosedHover;
    // The pair last loaded into the header button, and the handles it got for them.
    UINT m_nBtnNormalId;
    UINT m_nBtnHoverId;
    HBITMAP m_hBtnNormal;
    HBITMAP m_hBtnHover;
    CButtonBMP m_btnHeader;
    HCURSOR m_hHandCursor;
    int m_nViewStyle;
    CWndDoorLayer* m_pLayer;
    int m_bHideFocus;  // keyboard cues hidden (kept here: the platform may not answer for them)
    CBackBuffer* m_pHeader;  // the kept header picture, made at the first paint
    HeaderLook* m_pLook;     // what it shows
    BOOL m_bHeaderValid;

    DECLARE_MESSAGE_MAP()
};
