// Drop shadows along the right and bottom edges of host windows. A shadow is not a window: the
// screen pixels under a band (4 pixels wide at 96 DPI, wider at the window's DPI) are saved,
// darkened in place, and put back before the window moves, changes or goes away.
#pragma once

#include <afxwin.h>

// The shadow of one window, owned by the module's shadow list. It subclasses its window
// through the window procedure chain and destroys itself when the window is destroyed.
class CShadowWin
{
public:
    CShadowWin(HWND hWnd, BOOL bSkinned);
    // Puts the screen back, leaves the window's procedure chain and the shadow list.
    virtual ~CShadowWin();

    // Puts back what the last drawing covered and, when allowed, draws the shadow again.
    void Update();
    // The window is visible and nothing covers its edges.
    BOOL IsUnobscured() const;
    BOOL IsDrawn() const { return m_rightBackground.GetSafeHandle() != NULL || m_bottomBackground.GetSafeHandle() != NULL; }

    // Gives the window a shadow. 1 on success (or when it has one), 0 when refused: a null
    // window, one that cannot be subclassed, or a platform that draws its own shadows.
    static int Register(HWND hWnd);
    // Removes the window's shadow and puts the screen back; 0 when it had none.
    static int Unregister(HWND hWnd);
    // FALSE takes the shadow off the screen (so the window can move or slide without leaving
    // dark pixels); TRUE draws it again where the window now is. Nothing without a shadow.
    static void Enable(HWND hWnd, BOOL bEnable);

    static CShadowWin* Find(HWND hWnd);
    static int GetCount();
    static UINT_PTR GetTimerId() { return s_nTimerId; }
    // Kills the shared timer if it runs and starts it anew.
    static void RestartTimer(UINT nElapse);

    static LRESULT CALLBACK ShadowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND hWnd, UINT message, UINT_PTR nId, DWORD dwTime);

    int m_bShown;
    int m_bReady;
    int m_bPending;
    int m_bDragging;
    int m_bSkinned;
    int m_bEnabled;
    HWND m_hWnd;
    HWND m_hParent;
    CBitmap m_rightBackground;
    CBitmap m_bottomBackground;
    RECT m_rightStrip;
    RECT m_bottomStrip;
    RECT m_parentRect;
    int m_bPopup;
    int m_nWidth;  // the band's width when it was last drawn

private:
    BOOL IsChild() const { return m_hParent != NULL && !m_bPopup; }
    void SaveBands(const RECT& rc);
    void RestoreBands();
    void DropBands();
    void Draw(const RECT& rc, BOOL bRounded, int nDpi);
    // The bounds the shadow must stay in: the parent's client area for a child window,
    // otherwise the work area.
    BOOL GetBounds(RECT* pBounds) const;

    static UINT_PTR s_nTimerId;

    CShadowWin(const CShadowWin&);
    CShadowWin& operator=(const CShadowWin&);
};

// The skin tells the shadow whether the window has rounded top corners (it is skinned).
void ShadowWinSetSkinned(HWND hWnd, int bSkinned);

// Introspection for the library's tests.
// Number of shadows in the list.
int ShadowWinListSize();
// Id of the shared thread timer, 0 when it does not run.
UINT_PTR ShadowWinTimerId();
// 1 when the window's shadow is on the screen (it holds saved screen pixels).
int ShadowWinIsDrawn(HWND hWnd);
