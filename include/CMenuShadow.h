// A flat frame and a drop shadow under every menu of the thread that switches them on, on
// systems that do not shadow menus themselves.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

// One object per open menu window: the screen captured under the window before it showed,
// which the shadow strips along its right and bottom edges are darkened from. The class-wide
// part is a thread hook that spots new menu windows ("#32768") and subclasses them.
class AFX_EXT_CLASS CMenuShadow
{
public:
    // -- The effect --------------------------------------------------------------------------
    // On for the calling thread; nothing when the system shadows menus itself or it is on.
    static void InstallHook();
    // Off: every menu window still subclassed gets its procedure back and the hook goes.
    static void UnInstallHook();
    // Non-zero when the system draws menu shadows itself.
    static BOOL IsShadowEnabled();

    // -- Menu windows ------------------------------------------------------------------------
    static LRESULT CALLBACK WindowHook(int nCode, WPARAM wParam, LPARAM lParam);
    // The window's object, made and entered in the map when there is none.
    static CMenuShadow* AddWndHook(HWND hWnd);
    static CMenuShadow* GetWndHook(HWND hWnd);
    static LRESULT CALLBACK CoolMenuProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    explicit CMenuShadow(HWND hWnd);
    // Gives the window its procedure back and leaves the map.
    virtual ~CMenuShadow();

    // -- Message handlers --------------------------------------------------------------------
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnNcCalcsize(LPRECT lpFirstRect);
    void OnNcPaint();
    void OnPrint(CDC* pDC);
    void OnShowWindow(BOOL bShow);
    void OnNcDestroy();

    static HHOOK m_hMenuHook;
    static CMap<HWND, HWND, CMenuShadow*, CMenuShadow*> m_WndMenuMap;
    // Outer and inner frame colours, read again from the system colours whenever they or the
    // library's colour mode change (in system colours: COLOR_WINDOWFRAME and COLOR_WINDOW, and
    // no shadow is drawn).
    static COLORREF m_ColorFrame[4];

protected:
    HWND m_hWnd;
    CBitmap m_bmpBack;  // the screen under the window, taken while it was hidden
    int m_nShadow;      // the strips' width, for the window's DPI

private:
    CMenuShadow(const CMenuShadow&);
    CMenuShadow& operator=(const CMenuShadow&);
};
