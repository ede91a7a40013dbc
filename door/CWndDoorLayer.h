// The inner window of a door: holds the drops stacked from top to bottom, animates a drop
// opening or closing, keeps only one drop open when asked to, and scrolls vertically when the
// drops are taller than the door.
#pragma once

#include "CWndBack.h"
#include "CWndDrop.h"
#include <afxtempl.h>
#include <time.h>

// Layer timers: a drop opening and a drop closing, every 10 ms.
#define DOORLAYER_TIMER_OPEN 3
#define DOORLAYER_TIMER_CLOSE 4

class CWndDoorLayer : public CWndBack
{
    DECLARE_DYNCREATE(CWndDoorLayer)
public:
    // construction
    CWndDoorLayer();
    virtual ~CWndDoorLayer();

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, void* pContext = NULL);

    // drops
    HWND AddDropWnd(LPCSTR lpszTitle, int x, int nRight, int nGap, int nOpenHeight);
    int AttachDropBody(HWND hDrop, HWND hBody);
    BOOL SetSingleDrop(BOOL bSingle);
    BOOL GetSingleDrop() const { return m_bSingleDrop; }
    // At once, without animation; returns the previous dropped flag (0 for a foreign drop).
    BOOL SetDropped(HWND hDrop, BOOL bDropped);
    // A null drop sets every drop's header colour.
    COLORREF SetDropHeaderColor(HWND hDrop, COLORREF crHeader);
    COLORREF GetDropHeaderColor(HWND hDrop);
    CWndDrop* SearchDropWnd(HWND hDrop);
    HWND EnumDropWnd(int nIndex);
    int GetDropCount() const { return (int)m_arrDrops.GetSize(); }

    int SetHue(int nHue);
    int GetHue() const { return m_nHue; }
    COLORREF SetBkColor(COLORREF crBk);
    void SetViewStyle(int nStyle, int& nRClickMsg);
    int GetViewStyle() const { return m_nViewStyle; }
    void FocusSingleDrop();
    void UpdateScroll(BOOL bRedraw);
    // Sets the bar for a client height the layer is about to be given, without drawing it.
    void PrepareScroll(int nClientHeight);
    // The height of every drop as it stands, with its margin.
    int TotalHeight() const;
    BOOL NewBar(int nClientHeight, int total, SCROLLINFO& n);
    // nMode 0 toggles, 1 opens, anything else closes.
    void ToggleDrop(HWND hDrop, int nMode);
    BOOL IsAnimating() const { return m_nAnimating != -1; }
    BOOL IsScrolling() const { return m_bScrolling; }

    // A drop going away takes itself out of the list.
    void ForgetDrop(CWndDrop* pDrop);

    virtual void Draw(CDC* pDC);

protected:
    int IndexOf(HWND hDrop) const;
    int DropStep() const;
    void EnableShadows(CWndDrop* pDrop, BOOL bEnable);
    void ScrollTo(UINT nCode, int nThumb);

    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    virtual void OnPlaced(CSize sizeOld);
    // The drops have re-measured (children are told first): each takes its header's new height
    // while closed.
    virtual void OnDpiChange(int nOldDpi);
    virtual void OnDpiLayout();
    afx_msg LRESULT OnSendChildren(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);

    int m_nHue;
    CArray<CWndDrop*, CWndDrop*> m_arrDrops;
    int m_nAnimating;
    BOOL m_bSingleDrop;
    BOOL m_bScrolling;
    clock_t m_tLastScroll;
    int m_nViewStyle;
    int* m_pRClickMsg;

    DECLARE_MESSAGE_MAP()
};
