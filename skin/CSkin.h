// Skinned windows: the library paints a host window's frame and caption from a skin scheme of
// the resource library, with bitmap corners and caption buttons and rounded top corners cut by
// a window region.
#pragma once

#include <afxwin.h>
#include <afxcoll.h>
#include "frame/DpiScale.h"

// The skin of one top-level window, owned by the module's skin list. It subclasses its window
// through the window procedure chain and destroys itself when the window is destroyed, giving
// back the window's procedure, caption buttons, region and system frame. Screen readers read its
// caption through OBJID_TITLEBAR (skin/CSkinAccessible.h).
class CSkin
{
public:
    // Caption button states.
    enum
    {
        StateNone = 0,
        StateClosePressed = 1,
        StateMaximizePressed = 2,
        StateMinimizePressed = 3,
        StateCloseHot = 4,
        StateMaximizeHot = 5,
        StateMinimizeHot = 6,
    };

    // Takes the window's caption buttons away from the system and enters the skin list.
    CSkin(HWND hWnd, int nSkinId);
    // Leaves the procedure chain and the skin list; a live window gets its buttons, its full
    // shape and the system's frame back.
    virtual ~CSkin();

    static CSkin* Find(HWND hWnd);
    static int GetCount();

    // Loads a scheme of the resource library. FALSE, and nothing changed, when it is unknown.
    BOOL LoadSkin(int nSkinId);
    // The window's small, big or class icon, or none.
    void ShowIcon(BOOL bShow);

    // Paints the whole non-client area on the window's own device context.
    void PaintNonClient();
    // Paints the non-client area on a device context with the window's coordinates.
    void Paint(HDC hDC);
    // Repaints the caption buttons alone.
    void PaintButtons();
    // Posts what a click on a caption button does (nButton: StateClosePressed,
    // StateMaximizePressed or StateMinimizePressed), as for a screen reader pressing it.
    BOOL PostButtonCommand(int nButton);

    static LRESULT CALLBACK SkinWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Sizes for the window's DPI: the frame and caption metrics, made again when it changes.
    void MeasureForDpi();
    // After the hand-down of a new DPI: new pictures, metrics and region, and a repaint.
    void OnDpiChange();

    CDpiScale m_dpi;
    int m_cxFrame;
    int m_cyFrame;
    int m_cySize;
    int m_nSkinId;
    int m_nTitleFont;
    int m_nTitleAlign;
    HWND m_hWnd;
    COLORREF m_crCaption;
    COLORREF m_crTitleText;
    COLORREF m_crOutline;
    CUIntArray m_bottomLineColors;
    CUIntArray m_topLineColors;
    CBitmap m_leftCorner;
    CBitmap m_rightCorner;
    CBitmap m_closeImages[3];
    CBitmap m_restoreImages[3];
    CBitmap m_maximizeImages[3];
    CBitmap m_minimizeImages[3];
    HICON m_hIcon;
    HMENU m_hMenu;
    RECT m_windowRect;
    RECT m_captionRect;
    RECT m_closeRect;
    RECT m_maximizeRect;
    RECT m_minimizeRect;
    int m_bHasMaximize;
    int m_bHasMinimize;
    int m_bHasClose;
    int m_nButtonState;
    int m_bClientEdge;
    COLORREF m_crEdge;
    int m_bSystemFrameOff;  // the window's theme and compositor frame are off while skinned

private:
    // Menu bar and client edge as the window now has them.
    void ReadFrame();
    void SetRegion();
    void Layout();
    BOOL HasButtons() const { return m_bHasClose || m_bHasMaximize || m_bHasMinimize; }
    // The cursor relative to the window's top-left corner as last laid out.
    POINT WindowPoint(POINT ptScreen) const;

    // Mouse handling of the caption buttons.
    // The pressed state of the button at a screen point; StateNone off the buttons.
    int ButtonAt(POINT ptScreen) const;
    // Stores and paints a new state; a hot or pressed button watches for the pointer leaving.
    void SetButtonState(int nState);
    void OnHotTrack(POINT ptScreen);
    BOOL OnPress(POINT ptScreen, WPARAM nHitTest);
    void OnRelease(POINT ptScreen);
    // The pointer left the window: the buttons go back to rest.
    void OnLeave();
    // Passes a message on while the window shows WS_SYSMENU, so that the system opens its
    // system menu.
    LRESULT CallWithSystemMenu(UINT message, WPARAM wParam, LPARAM lParam);

    void PaintFrame(HDC hDC, int cx, int cy);
    void PaintCaption(CDC* pDC, int cx);
    void PaintButtonsOn(HDC hDC);
    void PaintBottomLines(HDC hDC, int x1, int x2);
    void PaintTitle(HDC hDC);
    void PaintClientEdge(HDC hDC, int cx, int cy);
    void DeleteBitmaps();

    CSkin(const CSkin&);
    CSkin& operator=(const CSkin&);
};

// The flat family forwards here (results as in lumo.h).
int SkinRegister(HWND hWnd, int nSkinId);
int SkinChangeSkin(HWND hWnd, int nSkinId);
int SkinUnregister(HWND hWnd);
void SkinShowIcon(HWND hWnd, int bShow);
void SkinSetTitleFont(HWND hWnd, int nStockFont);
void SkinSetTitlePosition(HWND hWnd, int nAlign);

// Introspection for the library's tests.
// Number of skins in the list.
int SkinListSize();
// Caption button state of the window's skin; -1 when it has none.
int SkinButtonState(HWND hWnd);
