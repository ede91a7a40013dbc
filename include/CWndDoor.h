// A side panel docked to the left edge of a host window that slides open to its full width or
// closed to the strip of its toggle button. Its contents live in an inner layer holding the
// drops. The door follows the host's size through the parent message hook and tells the host
// of each toggle and of right clicks with messages whose numbers the host picks.
#pragma once

#include "CWndBack.h"
#include "CWndDrop.h"
#include "CButtonBMP.h"
#include <afxtempl.h>
#include <vector>

// Door timers: opening and closing steps every 5 ms, a deferred re-placement after 100 ms.
#define DOOR_TIMER_OPEN 1
#define DOOR_TIMER_CLOSE 2
#define DOOR_TIMER_RESIZE 3

class CWndDoorLayer;
class CDoorArrowButton;

class AFX_EXT_CLASS CWndDoor : public CWndBack
{
    DECLARE_DYNCREATE(CWndDoor)
public:
    // construction
    CWndDoor();
    virtual ~CWndDoor();

    // Docks the door in the host pParentWnd. FALSE when it could not; the object is gone then.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, void* pContext = NULL);
    // The background and the separator beside the toggle button.
    virtual void Draw(CDC* pDC);

    // The door created in a host window, or null.
    static CWndDoor* GetObject(HWND hHost);
    // The door whose own window this is, or null: any other window (one of the host's, a
    // drop, the layer), a door of another thread or a door whose window has gone.
    static CWndDoor* FromDoorWnd(HWND hDoor);
    // The door whose layer holds the drop, or null.
    static CWndDoor* SearchByDropWnd(HWND hDrop);

    // attributes
    int SetWidth(int nWidth);
    int GetWidth() const { return m_nOpenWidth; }
    int GetCurrentWidth() const { return m_nCurWidth; }
    BOOL IsOpened() const { return m_bOpened; }
    // Whether the first placement after creation (deferred by timer 3) has been done.
    BOOL IsPlaced() const { return m_bPlaced; }
    // How many DPI changes the door has re-measured for.
    int GetDpiChangeCount() const { return m_nDpiChanges; }
    BOOL SetOpenCloseWhenMousemove(BOOL bEnable);
    BOOL GetOpenCloseWhenMousemove() const { return m_bOpenOnMouseMove; }
    void Set_WM_OpenClose(int n) { m_nMsgOpenClose = n; }
    void Set_WM_RClick(int n) { m_nMsgRClick = n; }
    int SetHue(int nHue);
    int GetHue() const;
    COLORREF SetBkColor(COLORREF crBk);
    int GetBorder() const;
    int SetBorder(int nFlags);
    void SetViewStyle(int nStyle);
    int GetViewStyle() const { return m_nViewStyle; }
    CWndDoorLayer* GetLayer() const;
    CButtonBMP& GetToggleButton();
    HBITMAP GetSnapshot() const { return m_hSnapshot; }

    // operations
    void InitResize();
    // FALSE when the host destroyed the door while it was told of the toggle; the object is
    // gone then and the caller must not touch it.
    BOOL DoorCloseOpen();
    HWND AddDropWnd(LPCSTR lpszTitle, int x, int nRight, int nGap, int nOpenHeight);
    int AttachDropBody(HWND hDrop, HWND hBody);
    BOOL SetSingleDrop(BOOL bSingle);
    BOOL GetSingleDrop() const;
    BOOL SetDropped(HWND hDrop, BOOL bDropped);
    COLORREF SetDropHeaderColor(HWND hDrop, COLORREF crHeader);
    COLORREF GetDropHeaderColor(HWND hDrop) const;
    CWndDrop* SearchDropWnd(HWND hDrop) const;
    HWND EnumDropWnd(int nIndex) const;
    int AddChild(HWND hWnd, int x, int y);
    int AddChild_AutoMove(HWND hWnd, int nRight, int nBottom, BOOL bCenterV, BOOL bCenterH);
    int AddChild_AutoSize(HWND hWnd, int x, int y, int nRight, int nBottom);

    // The usable part of a host's client area, in its client coordinates.
    static void GetMDIClientRect(HWND hHost, CRect& rect);
    int GetCloseWidth(BOOL bWithFrame);
    // Whether a window may become a body of the panel (a drop's or the layer's).
    BOOL CanHold(HWND hWnd) const;

protected:
    int ClampWidth(int nWidth);
    int GetFreeMem_MB();
    BOOL IsDropping() const;
    void _OnSize();
    // Places the layer, the toggle, the drops and what they hold for the door's present size,
    // in one batch.
    void LayOutTree();
    void DiscardSnapshot();
    void ReleaseSnapshotDC();
    // Copies the snapshot part starting at xSrc to the client area's top-left corner.
    void PaintSnapshot(int cx, int cy, int xSrc);
    void ShowDescendants(BOOL bShow);
    void SetOpenedState(BOOL bOpened);
    // A keyboard user toggling the door keeps the focus on the toggle, which the closing door
    // hides for a moment.
    void RestoreToggleFocus();
    // The separator left of the toggle button: its column x, its top row, and its pixels
    // (0x00RRGGBB) from there down; empty when it has none.
    void GetSeparator(int& x, int& yTop, std::vector<DWORD>& column);
    virtual void OnPlaced(CSize sizeOld);

    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSendChildren(WPARAM wParam, LPARAM lParam);
    virtual void OnDpiChange(int nOldDpi);
    virtual void OnDpiLayout();

    int m_nOpenWidth;
    int m_nCurWidth;
    BOOL m_bPlaced;
    BOOL m_bOpened;
    BOOL m_bOpenOnMouseMove;
    int m_nMsgOpenClose;
    int m_nMsgRClick;
    int m_nViewStyle;
    CWndDoorLayer* m_pLayer;
    int m_nAnimOffset;
    int m_nSnapWidth;
    int m_nSnapHeight;
    HBITMAP m_hSnapshot;
    HDC m_hSnapDC;          // memory DC holding the snapshot while the door slides
    HGDIOBJ m_hSnapOld;
    CDoorArrowButton* m_pToggle;  // owned; a child window of the door
    HWND m_hHost;       // the window hooked and keyed in the map, kept until the window goes
    HWND m_hLayer;      // the layer's window, to know whether the layer object still lives
    BOOL m_bToggleFocus;  // the toggle had the focus when the toggle began: it gets it back
    BOOL m_bWidthGiven;   // the host set the open width (device pixels: it does not scale)
    int m_nDpiChanges;    // DPI changes the door has re-measured for

public:
    static CMap<HWND, HWND, CWndDoor*, CWndDoor*> m_cMap;

    DECLARE_MESSAGE_MAP()
};
