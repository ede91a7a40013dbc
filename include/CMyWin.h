// Layout manager: keeps the child windows of one parent in place when the parent is resized,
// and keeps a window's placement and single numbers in the application profile.
#pragma once

#include <afxwin.h>
#include <afxcoll.h>

class CLayoutBatch;
class CMyWin;

// One managed window and the rule that places it. A record owns nothing: destroying it never
// touches its window. Fields not set by the adding operation start at 0.
class AFX_EXT_CLASS CAutoWnd : public CObject
{
public:
    enum
    {
        typeMove = 1,       // moves with the right or bottom edge, or stays centred
        typeSize = 2,       // grows and shrinks with the right or bottom edge
        typeSizeUnder = 3,  // stacked under another managed window
    };

    CAutoWnd();
    virtual ~CAutoWnd();

    HWND m_hWnd;
    int m_nType;
    int m_nBottom;          // distance from the bottom of the available area; -1: not anchored
    int m_nRight;           // distance from the right of the available area; -1: not anchored
    BOOL m_bCenterH;        // move kind: centred across the available width
    BOOL m_bCenterV;        // move kind: centred across the available height
    HWND m_hWndAbove;       // size-under kind: the window this one is stacked under
    int m_nUnderPixel;      // size-under kind: gap below the window above
    BOOL m_bOtherParent;    // the real parent is not the managed parent
    int m_nOriginX;
    int m_nOriginY;
    int m_nOriginWidth;     // 0: the window's current width
    int m_nOriginHeight;    // 0: the window's current height (size-under: its height)
    // What the last layout pass computed, in managed-parent client coordinates, scroll applied.
    RECT m_rcLast;
};

// The moves of a tree of layouts gathered into one batch. A window laying out its children, and
// through them their children, plans each level for the client size the level above gives it
// (CMyWin::Plan), then applies the lot as one DeferWindowPos batch. While the batch is applied,
// a planned manager's own pass for the size it was planned at does nothing: its windows are in
// the batch already. A pass for another size or scroll position (a scroll bar come or gone,
// say) runs once the batch is applied, so the batch's moves do not undo it.
class AFX_EXT_CLASS CLayoutPlan
{
public:
    CLayoutPlan();
    ~CLayoutPlan();

    int GetCount() const { return (int)m_arrSteps.GetSize(); }
    HWND GetWnd(int nIndex) const;
    // The planned rectangle, in the window's real parent's client coordinates; FALSE for a
    // window the plan hides or does not move.
    BOOL GetPlannedRect(HWND hWnd, LPRECT lpRect) const;
    // The client size the planned rectangle gives the window: its frame (border, scroll bar)
    // keeps its size, the client area takes the change. FALSE as for GetPlannedRect.
    BOOL GetPlannedClientSize(HWND hWnd, SIZE& size) const;
    // Places every planned window in one batch; should the system refuse the batch, the windows
    // are placed one by one. bExactRepaint: windows without a frame that only move or change
    // size do so without the system repainting or copying anything (SWP_NOREDRAW,
    // SWP_NOCOPYBITS); the plan then invalidates what the system would have: in the parent the
    // area each window uncovered, in the window the area new to it, or all of it when it moved
    // on the screen. Windows add what their contents need in their own WM_WINDOWPOSCHANGED.
    void Apply(BOOL bExactRepaint = FALSE);

private:
    friend class CMyWin;
    friend class CLayoutBatch;
    struct Step;
    struct Hold;
    const Step* Find(HWND hWnd) const;
    void Add(HWND hWnd, const RECT* lpRect, int nShow);
    void AddHold(CMyWin* pWin, const RECT& rcClient);
    BOOL Holds(HWND hParent, const RECT& rcClient, int nScrollVert) const;
    BOOL PlannedOrigin(HWND hWnd, POINT& pt) const;
    static BOOL NoteWhereItIs(Step* p);
    static void InvalidateChange(const Step* p);

    CPtrArray m_arrSteps;          // Step*, owned
    CPtrArray m_arrHolds;          // Hold*, owned: the managers planned, and for what layout
    const CLayoutPlan* m_pOuter;   // while applied: the plan being applied around this one

    CLayoutPlan(const CLayoutPlan&);
    CLayoutPlan& operator=(const CLayoutPlan&);
};

// Lays out the children of one parent window by rules, applied in the order they were added,
// whenever the owner calls OnSize from the parent's size handling.
//
// A pass moves the windows as one deferred batch, so a resize repaints once instead of once per
// child; a window is taken out of the batch (the batch is flushed first) only when its own
// position depends on a move still pending in it: a window listed twice, or a window living
// in another parent, whose offset is read from where that parent really is.
//
// The placement functions work on the profile of the current application object, section
// "Settings". LoadWindowPlacement applies what it read, with one exception: a normal rectangle
// that lies wholly off every monitor (saved on a larger or a since-removed screen) is pulled
// back onto the work area of the nearest monitor, keeping its size where it fits, so a window
// never reopens where nobody can see it.
class AFX_EXT_CLASS CMyWin : public CObject
{
public:
    // construction
    CMyWin();
    virtual ~CMyWin();

    // attributes
    // The setters return the previous value. The parent is not owned.
    CWnd* SetParent(CWnd* pParent);
    CWnd* GetParent() const { return m_pParent; }
    // A disabled manager's OnSize does nothing at all.
    BOOL SetEnable(BOOL bEnable);
    BOOL GetEnable() const { return m_bEnable; }
    int SetMarginLeft(int n);
    int SetMarginRight(int n);
    int SetMarginTop(int n);
    int SetMarginBottom(int n);
    int GetMarginLeft() const { return m_nMarginLeft; }
    int GetMarginRight() const { return m_nMarginRight; }
    int GetMarginTop() const { return m_nMarginTop; }
    int GetMarginBottom() const { return m_nMarginBottom; }
    // Pixels by which every move and size window is shifted up.
    int SetScrollVert(int n);
    int GetScrollVert() const { return m_nScrollVert; }
    // Off by default. When on, a pass touches only the windows whose place or visibility it
    // changes, sends them no frame repaint of its own (the system repaints what a move
    // uncovers), and a pass with redraw only invalidates the parent instead of painting it at
    // once: a parent resized many times a second is then laid out and painted once per change.
    BOOL SetChangesOnly(BOOL bChangesOnly);
    BOOL GetChangesOnly() const { return m_bChangesOnly; }
    // Marks the layout out of date: what its rules were made from changed (a new DPI), and the
    // owner lays out later, once. The next pass, made or planned, brings it up to date.
    void SetStale() { m_bStale = TRUE; }
    BOOL IsStale() const { return m_bStale; }
    // Passes made or planned so far; a pass held while a plan made for it is applied is none.
    int GetPassCount() const { return m_nPasses; }

    // rules
    // Keeps the window's size; right/bottom -1 keep its x/y, otherwise its distance to that edge.
    void AddMoveWnd(HWND hWnd, int nRight, int nBottom, BOOL bCenterV = FALSE, BOOL bCenterH = FALSE);
    // Fixed x and y; right/bottom -1 keep the width/height, otherwise the distance to that edge.
    void AddSizeWnd(HWND hWnd, int x, int y, int nRight, int nBottom);
    // Spans the window above and sits nUnderPixel below it, nHeight high.
    void AddSizeWnd_Under(HWND hWnd, HWND hWndAbove, int nHeight, int nUnderPixel);
    // One of a row of windows centred along the bottom edge.
    void AddMoveWnd_Serial(HWND hWnd, int nBottom, int nGap);
    CAutoWnd* FindWnd(HWND hWnd) const;
    // Forgets the window; a window stacked under it moves up under its window above.
    void DeleteWnd(HWND hWnd);
    void Clear();

    void ChangeOriginX(HWND hWnd, int n);
    void ChangeOriginY(HWND hWnd, int n);
    void ChangeOriginWidth(HWND hWnd, int n);
    void ChangeOriginHeight(HWND hWnd, int n);
    int GetOriginX(HWND hWnd) const;
    int GetOriginY(HWND hWnd) const;
    int GetOriginWidth(HWND hWnd) const;
    int GetOriginHeight(HWND hWnd) const;
    int GetUnderPixel(HWND hWnd) const;
    // Marks a window whose real parent is not the managed parent.
    void SetOtherParent(HWND hWnd);

    // operations
    void OnSize(BOOL bRedraw = FALSE);
    // Adds to the plan what a pass would do for a parent client area of this size, moving
    // nothing: in changes-only mode, the windows it would move or show or hide; otherwise all.
    void Plan(CSize sizeClient, CLayoutPlan& plan);
    void Redraw();
    void SetVisible(BOOL bVisible);

    // placement persistence (application profile, section "Settings")
    static void SaveWindowPlacement(CWnd* pWnd);
    static BOOL LoadWindowPlacement(CWnd* pWnd);
    static void SaveAppNumeric(LPCTSTR lpszName, int nValue);
    static int LoadAppNumeric(LPCTSTR lpszName, int nDefault);

private:
    // Moves a rectangle from managed-parent client coordinates to the window's real parent's.
    void CalcOtherParentOffset(HWND hWnd, LPRECT lpRect, const CLayoutPlan* pPlan);
    // A pass for this client area while a plan made for it is being applied.
    BOOL IsHeld(HWND hParent, const RECT& rcClient) const;
    void LayOut(const RECT& rcClient, CLayoutBatch& batch);
    void LayOutSerial(const RECT& rcClient, CLayoutBatch& batch);
    void LayOutRecord(CAutoWnd* pAuto, const RECT& rcClient, int nAvailW, int nAvailH,
                      CLayoutBatch& batch);
    void GetRectInParent(HWND hWnd, LPRECT lpRect) const;

    CPtrArray m_arrWnd;         // CAutoWnd*, owned
    CWnd* m_pParent;
    BOOL m_bEnable;
    int m_nMarginRight;
    int m_nMarginBottom;
    int m_nMarginLeft;
    int m_nMarginTop;
    int m_nScrollVert;
    CPtrArray m_arrSerial;      // serial records, owned
    BOOL m_bChangesOnly;
    BOOL m_bStale;
    int m_nPasses;

    CMyWin(const CMyWin&);
    CMyWin& operator=(const CMyWin&);
};
