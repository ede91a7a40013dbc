// A frame set: tiles a host window into named frames, each showing one of the host's windows
// under a painted title bar, with splitters between neighbouring frames that the user drags.
// The frame set is a window of its own, below the host's content windows, covering the host's
// client area less an outer border; it follows the host's size through the parent hook and
// moves the content windows over its area. Hosts drive it through Frameset_* and Frame_*.
//
// A splitter moves with the keyboard once the host gives it the focus (FocusSplitter,
// Frameset_FocusSplitter): the arrows along its direction move it 10 pixels (1 with Ctrl), Esc
// or Enter hands the focus back to the window that had it. The focused splitter shows a focus
// rectangle while the window shows keyboard cues. Screen readers read one pane per frame that
// shows a window, named by its title, its icon a push button inside (frameset/
// CFramesetAccessible.h).
#pragma once

#include <afxwin.h>
#include <vector>
#include "CWndBack.h"
#include "frameset/CFrame.h"

class CFrameset : public CWndBack
{
    DECLARE_DYNAMIC(CFrameset)
public:
    // construction
    // A frame set in the host window; null when the host is not a window or the frame set's
    // window cannot be made. The object deletes itself when its window goes away.
    static CFrameset* New(HWND hHost);
    // The frame set behind a value New handed out, while its window lives; null otherwise.
    static CFrameset* FromHandle(const void* hHandle);

    // attributes
    // Margins of the frames inside the frame-set window; lays out again.
    void SetReserveBorder(const CRect& rcBorder);
    // Margins of the frame-set window inside the host's client area; fits to the host.
    void SetOuterBorder(const CRect& rcBorder);
    // The background takes the door colour of a resource-library hue.
    void SetHue(int nHue);
    // Icon clicks are sent to the host as WM_USER + nOffset.
    void SetSendMsg(UINT nOffset) { m_nMsgOffset = nOffset; }
    void SetStyle(int nStyle);
    void SetSeparateWidth(int nWidth);
    // The splitters' width: the host's, otherwise 3 pixels at 96 DPI scaled for this window's.
    int SepWidth() const;

    // operations
    // Appends a frame; FALSE (nothing changed) for an empty or taken name, a size text that
    // is not a positive pixel count or percentage, or a window handle that is no window.
    BOOL AddFrame(LPCSTR lpszName, LPCSTR lpszParent, int nDirection, HWND hWnd,
                  LPCSTR lpszSize);
    void SetFrameTitle(LPCSTR lpszName, LPCSTR lpszTitle);
    void SetFrameIconMsg(LPCSTR lpszName, UINT nMsg);
    void SetFrameTitleColor(LPCSTR lpszName, COLORREF crTitle);
    // Gives the keyboard focus to the splitter after the named frame; FALSE when there is no
    // such splitter (an unknown name, or the last frame of its group).
    BOOL FocusSplitter(LPCSTR lpszName);
    // The frame whose splitter has the keyboard, or null.
    const CFrame* GetFocusedSplitter() const;

    // What screen readers are told: the frames in the order added, and their icons.
    int GetFrameCount() const { return (int)m_arrFrames.GetSize(); }
    // How many times the frames have been laid out so far.
    int GetLayoutCount() const { return m_nLayouts; }
    const CFrame* GetFrame(int nIndex) const;
    // The icon of a frame in frame-set client coordinates; empty when it has none.
    CRect GetIconRect(const CFrame* pFrame) const;
    // Clicks the icon of the frame at nIndex, as the mouse does. FALSE when the host destroyed
    // the frame set meanwhile.
    BOOL ClickIcon(int nIndex);
    BOOL ShowsFocusCues() const { return !m_bHideFocus; }

protected:
    CFrameset();
    virtual ~CFrameset();

private:
    // What lies under a point of the frame set.
    enum { HIT_NOTHING = 0, HIT_SPLITTER = 1, HIT_ICON = 2 };
    struct Hit
    {
        int nKind;
        CFrame* pFrame;   // the frame before the splitter, or the frame of the icon
        int nDirection;   // of the splitter's group
    };

    CFrame* FindFrame(LPCSTR lpszName) const;
    void GetChildren(const CString& strParent, std::vector<CFrame*>& children) const;
    BOOL IsShown() const { return (GetStyle() & WS_VISIBLE) != 0; }

    // Layout. The BOOL results tell whether the frame set still exists: a window it moved may
    // have taken it down.
    BOOL FitToHost();
    BOOL Relayout();
    CRect LayoutArea() const;
    void LayoutGroup(const CString& strParent, const CRect& rcArea, int nDepth);
    void PlaceWindow(const CFrame* pFrame);
    BOOL FlushMoves();
    void RecomputeShares(const CString& strParent, const CRect& rcArea);
    BOOL DragTo(LONGLONG nEdge);
    static std::vector<LONGLONG> FitFixed(const std::vector<CFrame*>& fixed, LONGLONG nRoom);
    void InvalidateFrame(const CRect& rcFrame);

    // Mouse.
    Hit HitTest(const CString& strParent, CPoint pt, int nDepth) const;
    HCURSOR CursorFor(const Hit& hit) const;
    BOOL NotifyIconClick(const CFrame* pFrame);

    void PaintTo(CDC* pDC, const CRect& rcPaint);
    // The band of the splitter after a frame, in client coordinates.
    CRect SplitterBand(const CFrame* pFrame, int nDirection) const;
    void InvalidateKeySplitter();
    // The frame after pFrame in its group (the other side of its splitter), and the group's
    // direction; null for the last frame of a group.
    CFrame* NextInGroup(const CFrame* pFrame, int* pnDirection) const;
    // Moves the keyboard's splitter nDelta pixels, as far as its neighbours allow.
    BOOL MoveKeySplitter(int nDelta);

    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnDestroy();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateUIState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAccDefaultAction(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void OnDpiChange(int nOldDpi);
    virtual void OnDpiLayout();

    CObArray m_arrFrames;     // CFrame*, owned, in the order added
    CRect m_rcReserve;        // left, top, right, bottom margins
    CRect m_rcOuter;
    CRect m_rcInsets;         // of a frame's window inside the frame, by style
    UINT m_nMsgOffset;
    int m_nSepWidth;          // the host's, -1 until it sets one
    int m_nStyle;
    HCURSOR m_hHandCursor;
    BOOL m_bDragging;
    int m_nDragDirection;
    CString m_strDragFrame;
    int m_nDragGrab;          // the pointer's distance from the splitter where it was grabbed

    CString m_strKeySplitter;  // the frame before the splitter that has the keyboard
    int m_nKeyDirection;
    HWND m_hFocusBefore;       // gets the focus back when the keyboard is done
    int m_bHideFocus;

    HWND m_hHost;
    BOOL m_bFitting;          // the frame set is being moved to fit the host
    BOOL m_bLayoutStale;      // re-measured for a new DPI and not laid out since
    int m_nLayouts;
    // Window moves of one layout pass, made together at its end.
    std::vector<std::pair<HWND, CRect>> m_moves;

    DECLARE_MESSAGE_MAP()
};
