// Skinned windows: the skin object and list, the caption buttons, the window region and the
// skin's window procedure.
#include "skin/CSkin.h"
#include "frame/WndProcChain.h"
#include "frame/LumoRes.h"
#include "frame/HostNotify.h"
#include "frame/LumoSettings.h"
#include "draw/LumoPalette.h"
#include "draw/RtlText.h"
#include "skin/CSkinAccessible.h"
#include "frame/UiThread.h"
#include "shadow/CShadowWin.h"
#include "lumo.h"
#include "CGlobalInfo.h"
#include "CDRAW.h"
#include "CMemDC.h"
#include "CPub.h"

#include <windowsx.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace
{

struct SkinEntry
{
    HWND hWnd;
    CSkin* pSkin;
};

// The module's skins, searched linearly; a process has only a few skinned windows.
CArray<SkinEntry, const SkinEntry&> g_skins;

// A colour list of the resource library ends at its first 0; no caption has this many lines.
const int kMaxLineColors = 64;

// Replaces a bitmap slot with the resource library's bitmap of an id (none when it has none).
void LoadSlot(CBitmap& slot, int nId, int nDpi)
{
    slot.DeleteObject();
    HBITMAP hBitmap = Load1BitmapForDpi(nId, nDpi);
    if (hBitmap != NULL)
        slot.Attach(hBitmap);
}

void LoadColors(CUIntArray& colors, const COLORREF* pList)
{
    colors.RemoveAll();
    for (int i = 0; pList != NULL && i < kMaxLineColors && pList[i] != 0; i++)
        colors.Add(pList[i]);
}

// The skin still belongs to the window after a call that may have destroyed or unskinned it.
BOOL Alive(HWND hWnd, CSkin* pSkin)
{
    return CSkin::Find(hWnd) == pSkin;
}

// The skin's own sizes, in 96-DPI pixels.
const int kCorner = 13;          // the corner pictures
const int kButtonWidth = 20;     // a caption button picture
const int kButtonHeight = 16;
const int kButtonsRight = 7;     // the last caption button from the caption's right end
const int kIconLeft = 9;         // the caption icon: its place and size
const int kIconSize = 16;
const int kTitleLeftIcon = 30;   // where the title starts with and without an icon
const int kTitleLeft = 10;
const int kRoundBody = 30;       // the region is rounded above this row only

POINT CursorPos()
{
    POINT pt;
    ::GetCursorPos(&pt);
    return pt;
}

COLORREF MeanColor(COLORREF a, COLORREF b)
{
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
               (GetBValue(a) + GetBValue(b)) / 2);
}

// A system library's entry, the library loaded from the system folder only (and kept).
FARPROC SystemEntry(const char* pszLibrary, const char* pszEntry)
{
    CString path = CPub::AppendPath(CGlobalInfo::GetInstance()->GetSystemDir(), pszLibrary);
    HMODULE hLib = ::LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return hLib ? ::GetProcAddress(hLib, pszEntry) : NULL;
}

// Under visual themes the window's theme and the compositor would draw a frame of their own over
// the skin's; they are turned off for the skinned window and on again when the skin goes.
void UseSystemFrame(HWND hWnd, BOOL bUse)
{
    typedef HRESULT(WINAPI * PFN_SetWindowTheme)(HWND, LPCWSTR, LPCWSTR);
    typedef HRESULT(WINAPI * PFN_DwmSetWindowAttribute)(HWND, DWORD, LPCVOID, DWORD);
    static PFN_SetWindowTheme pfnTheme = (PFN_SetWindowTheme)(void*)SystemEntry("UxTheme.dll", "SetWindowTheme");
    static PFN_DwmSetWindowAttribute pfnDwm =
        (PFN_DwmSetWindowAttribute)(void*)SystemEntry("dwmapi.dll", "DwmSetWindowAttribute");
    // A class list naming no class of any theme leaves the window without one.
    if (pfnTheme)
        pfnTheme(hWnd, NULL, bUse ? NULL : L"LumoSkinned");
    const DWORD kNcRenderingPolicy = 2, kUseWindowStyle = 0, kDisabled = 1;
    const DWORD dwPolicy = bUse ? kUseWindowStyle : kDisabled;
    if (pfnDwm)
        pfnDwm(hWnd, kNcRenderingPolicy, &dwPolicy, sizeof(dwPolicy));
}

// The caption buttons' glyphs for system colours, where the scheme's pictures give way: drawn
// from filled rectangles, so no font is needed, in a square of 8 pixels at 96 DPI centred on
// the button. crBack fills the front box of the restore glyph over the back one.
enum CaptionGlyph { GlyphClose, GlyphMaximize, GlyphRestore, GlyphMinimize };

void DrawCaptionGlyph(HDC hDC, const RECT& rc, CaptionGlyph glyph, COLORREF crInk, COLORREF crBack,
                      const CDpiScale& dpi)
{
    const int g = dpi.Scale(8);
    const int t = dpi.Scale(1) > 1 ? dpi.Scale(1) : 1;
    const int x0 = rc.left + (rc.right - rc.left - g) / 2;
    const int y0 = rc.top + (rc.bottom - rc.top - g) / 2;
    HBRUSH hInk = ::CreateSolidBrush(crInk);
    HBRUSH hBack = ::CreateSolidBrush(crBack);
    HGDIOBJ hOldBrush = ::SelectObject(hDC, hInk);
    auto box = [&](int x, int y, int cx, int cy, int nTop) {
        ::PatBlt(hDC, x, y, cx, nTop, PATCOPY);
        ::PatBlt(hDC, x, y + cy - t, cx, t, PATCOPY);
        ::PatBlt(hDC, x, y, t, cy, PATCOPY);
        ::PatBlt(hDC, x + cx - t, y, t, cy, PATCOPY);
    };
    switch (glyph)
    {
    case GlyphClose:
        for (int i = 0; i + t <= g; i++)
        {
            ::PatBlt(hDC, x0 + i, y0 + i, t, t, PATCOPY);
            ::PatBlt(hDC, x0 + g - t - i, y0 + i, t, t, PATCOPY);
        }
        break;
    case GlyphMaximize:
        box(x0, y0, g, g, 2 * t);
        break;
    case GlyphRestore:
    {
        const int d = 2 * t, s = g - d;
        box(x0 + d, y0, s, s, t);
        ::SelectObject(hDC, hBack);
        ::PatBlt(hDC, x0, y0 + d, s, s, PATCOPY);
        ::SelectObject(hDC, hInk);
        box(x0, y0 + d, s, s, 2 * t);
        break;
    }
    case GlyphMinimize:
        ::PatBlt(hDC, x0, y0 + g - 2 * t, g, 2 * t, PATCOPY);
        break;
    }
    ::SelectObject(hDC, hOldBrush);
    ::DeleteObject(hInk);
    ::DeleteObject(hBack);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Construction

CSkin::CSkin(HWND hWnd, int nSkinId)
    : m_cxFrame(0), m_cyFrame(0), m_cySize(0), m_nSkinId(nSkinId), m_nTitleFont(SYSTEM_FIXED_FONT), m_nTitleAlign(DT_CENTER), m_hWnd(hWnd),
      m_crCaption(0x00D06665), m_crTitleText(0x00FFFFFF), m_crOutline(0x00000000), m_hIcon(NULL), m_hMenu(NULL),
      m_bHasMaximize(1), m_bHasMinimize(1), m_bHasClose(1), m_nButtonState(StateNone), m_bClientEdge(0),
      m_bSystemFrameOff(IsWinXPThemeOpened())
{
    if (m_bSystemFrameOff)
        UseSystemFrame(hWnd, FALSE);
    ::SetRectEmpty(&m_windowRect);
    ::SetRectEmpty(&m_captionRect);
    ::SetRectEmpty(&m_closeRect);
    ::SetRectEmpty(&m_maximizeRect);
    ::SetRectEmpty(&m_minimizeRect);
    m_crEdge = MeanColor(m_crCaption, m_crOutline);
    m_dpi.Attach(hWnd);
    MeasureForDpi();
    LoadSkin(nSkinId);

    // The skin draws the caption buttons: without WS_SYSMENU the system draws none.
    LONG lStyle = ::GetWindowLongA(hWnd, GWL_STYLE);
    if (!(lStyle & WS_MAXIMIZEBOX))
        m_bHasMaximize = 0;
    if (!(lStyle & WS_MINIMIZEBOX))
        m_bHasMinimize = 0;
    if (!(lStyle & WS_SYSMENU))
        m_bHasMaximize = m_bHasMinimize = m_bHasClose = 0;
    ::SetWindowLongA(hWnd, GWL_STYLE, lStyle & ~WS_SYSMENU);
    ReadFrame();

    SkinEntry entry = {hWnd, this};
    g_skins.Add(entry);
}

CSkin::~CSkin()
{
    // The caption a screen reader holds is the skin's no more.
    CAccessible::Disconnect(m_hWnd);
    BOOL bAlive = ::IsWindow(m_hWnd);
    if (bAlive)
        RemoveWndProc(m_hWnd, WNDPROC_CLIENT_SKIN);
    DeleteBitmaps();
    if (bAlive)
    {
        if (HasButtons())
        {
            LONG lStyle = ::GetWindowLongA(m_hWnd, GWL_STYLE) | WS_SYSMENU;
            if (m_bHasMaximize)
                lStyle |= WS_MAXIMIZEBOX;
            if (m_bHasMinimize)
                lStyle |= WS_MINIMIZEBOX;
            ::SetWindowLongA(m_hWnd, GWL_STYLE, lStyle);
        }
        if (m_bSystemFrameOff)
            UseSystemFrame(m_hWnd, TRUE);
        if (::SetWindowRgn(m_hWnd, NULL, FALSE))
            ::SendMessageA(m_hWnd, WM_NCPAINT, 1, 0);
    }
    for (INT_PTR i = 0; i < g_skins.GetSize(); i++)
    {
        if (g_skins[i].pSkin == this)
        {
            g_skins.RemoveAt(i);
            break;
        }
    }
}

void CSkin::DeleteBitmaps()
{
    m_leftCorner.DeleteObject();
    m_rightCorner.DeleteObject();
    for (int k = 0; k < 3; k++)
    {
        m_closeImages[k].DeleteObject();
        m_restoreImages[k].DeleteObject();
        m_maximizeImages[k].DeleteObject();
        m_minimizeImages[k].DeleteObject();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Attributes

CSkin* CSkin::Find(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    for (INT_PTR i = 0; i < g_skins.GetSize(); i++)
        if (g_skins[i].hWnd == hWnd)
            return g_skins[i].pSkin;
    return NULL;
}

int CSkin::GetCount()
{
    return (int)g_skins.GetSize();
}

void CSkin::MeasureForDpi()
{
    const int nDpi = m_dpi.GetDpi();
    // The thread's own metrics serve only the DPI they are made for: 96 in a thread that is
    // not DPI aware, whatever the screen.
    if (nDpi == CDpiScale::MetricsDpi())
    {
        m_cxFrame = ::GetSystemMetrics(SM_CXFRAME);
        m_cyFrame = ::GetSystemMetrics(SM_CYFRAME);
        m_cySize = ::GetSystemMetrics(SM_CYSIZE);
        return;
    }
    m_cxFrame = CDpiScale::MetricForDpi(SM_CXFRAME, nDpi);
    m_cyFrame = CDpiScale::MetricForDpi(SM_CYFRAME, nDpi);
    m_cySize = CDpiScale::MetricForDpi(SM_CYSIZE, nDpi);
}

void CSkin::OnDpiChange()
{
    MeasureForDpi();
    LoadSkin(m_nSkinId);
    PaintNonClient();
}

void CSkin::ReadFrame()
{
    m_hMenu = ::GetMenu(m_hWnd);
    m_bClientEdge = (m_hMenu == NULL && (::GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) ? 1 : 0;
}

POINT CSkin::WindowPoint(POINT ptScreen) const
{
    POINT pt = {ptScreen.x - m_windowRect.left, ptScreen.y - m_windowRect.top};
    // A right-to-left window's device context is mirrored: the buttons laid out at the right
    // stand on the left of the screen.
    if (::GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
        pt.x = m_windowRect.right - 1 - ptScreen.x;
    return pt;
}

/////////////////////////////////////////////////////////////////////////////
// Operations

BOOL CSkin::LoadSkin(int nSkinId)
{
    COLORREF crCaption = 0, crTitleText = 0, crOutline = 0;
    const COLORREF* pTopLines = NULL;
    const COLORREF* pBottomLines = NULL;
    const int* pCorners = NULL;
    const int* pIds[4] = {NULL, NULL, NULL, NULL};
    if (!GetSkin(nSkinId, &crCaption, &crTitleText, &crOutline, &pTopLines, &pBottomLines, &pCorners, &pIds[0],
                 &pIds[1], &pIds[2], &pIds[3]))
        return FALSE;

    m_nSkinId = nSkinId;
    if (pCorners != NULL)
    {
        LoadSlot(m_leftCorner, pCorners[0], m_dpi.GetDpi());
        LoadSlot(m_rightCorner, pCorners[1], m_dpi.GetDpi());
        CBitmap* slots[4] = {m_closeImages, m_restoreImages, m_maximizeImages, m_minimizeImages};
        for (int b = 0; b < 4; b++)
            for (int k = 0; k < 3; k++)
                LoadSlot(slots[b][k], pIds[b] != NULL ? pIds[b][k] : 0, m_dpi.GetDpi());
    }
    m_crCaption = crCaption;
    m_crTitleText = crTitleText;
    m_crOutline = crOutline;
    LoadColors(m_topLineColors, pTopLines);
    LoadColors(m_bottomLineColors, pBottomLines);
    m_crEdge = MeanColor(m_crCaption, m_crOutline);

    // The region and the frame are redone when the window hears of its size.
    HostNotify::Post(m_hWnd, WM_SIZE, 0, 0);
    return TRUE;
}

void CSkin::ShowIcon(BOOL bShow)
{
    if (!bShow)
    {
        m_hIcon = NULL;
        return;
    }
    HICON hIcon = (HICON)::SendMessageA(m_hWnd, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::SendMessageA(m_hWnd, WM_GETICON, ICON_BIG, 0);
    if (hIcon == NULL)
    {
        // The class is looked up in the module that created the window.
        char szClass[256];
        WNDCLASSA wc;
        HINSTANCE hInstance = (HINSTANCE)::GetWindowLongPtrA(m_hWnd, GWLP_HINSTANCE);
        if (::GetClassNameA(m_hWnd, szClass, sizeof(szClass)) > 0 && ::GetClassInfoA(hInstance, szClass, &wc))
            hIcon = wc.hIcon;
    }
    m_hIcon = hIcon;
}

void CSkin::SetRegion()
{
    RECT rc;
    if (::IsIconic(m_hWnd) || !::GetWindowRect(m_hWnd, &rc) || ::IsRectEmpty(&rc))
        return;
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (cx < 1 || cy < 1)
        return;

    HRGN hRgn;
    if (::IsZoomed(m_hWnd))
    {
        // A maximized window fills the screen: no corner is cut.
        hRgn = ::CreateRectRgn(0, 0, cx, cy);
    }
    else
    {
        CGlobalInfo* pInfo = CGlobalInfo::GetInstance();
        int nEllipse = m_dpi.Scale((pInfo->IsWinNT() || pInfo->IsWinXP()) ? 20 : 24);
        hRgn = ::CreateRoundRectRgn(0, 0, cx + 1, cy + 1, nEllipse, nEllipse);
        // Only the top corners are round.
        HRGN hBody = ::CreateRectRgn(0, m_dpi.Scale(kRoundBody), cx + 1, cy + 1);
        if (hRgn != NULL && hBody != NULL)
            ::CombineRgn(hRgn, hRgn, hBody, RGN_OR);
        if (hBody != NULL)
            ::DeleteObject(hBody);
    }
    // The window owns the region from here on.
    if (hRgn != NULL && !::SetWindowRgn(m_hWnd, hRgn, TRUE))
        ::DeleteObject(hRgn);
}

/////////////////////////////////////////////////////////////////////////////
// Painting

void CSkin::Layout()
{
    ::GetWindowRect(m_hWnd, &m_windowRect);
    const int cx = m_windowRect.right - m_windowRect.left;
    POINT ptClient = {0, 0};
    ::ClientToScreen(m_hWnd, &ptClient);
    const int nClientTop = ptClient.y - m_windowRect.top;

    ::SetRect(&m_captionRect, m_cxFrame, m_cyFrame, cx - m_cxFrame, nClientTop - 1);
    // The caption band ends above a menu bar, and is never taller than a caption button.
    const int cyMenu = ::GetSystemMetrics(SM_CYMENU);
    if (m_hMenu != NULL && m_captionRect.bottom - m_captionRect.top - cyMenu - 1 > m_cySize)
        m_captionRect.bottom -= cyMenu + 1;
    if (m_captionRect.bottom - m_captionRect.top > m_cySize + 2 * m_cyFrame)
        m_captionRect.bottom = m_captionRect.top + m_cySize;

    if (m_closeImages[0].GetSafeHandle() == NULL || !HasButtons())
        return;
    const int top = m_captionRect.top + 1;
    int x = m_captionRect.right - m_dpi.Scale(kButtonsRight);
    const int cxButton = m_dpi.Scale(kButtonWidth);
    struct
    {
        int bPresent;
        RECT* pRect;
    } buttons[3] = {{m_bHasClose, &m_closeRect}, {m_bHasMaximize, &m_maximizeRect}, {m_bHasMinimize, &m_minimizeRect}};
    for (int i = 0; i < 3; i++)
    {
        if (!buttons[i].bPresent)
            continue;
        ::SetRect(buttons[i].pRect, x - cxButton, top, x, top + m_dpi.Scale(kButtonHeight));
        x -= cxButton;
    }
}

void CSkin::PaintNonClient()
{
    if (!::IsWindow(m_hWnd) || !::IsWindowVisible(m_hWnd) || ::IsIconic(m_hWnd))
        return;
    HDC hDC = ::GetWindowDC(m_hWnd);
    if (hDC == NULL)
        return;
    Paint(hDC);
    ::ReleaseDC(m_hWnd, hDC);
}

void CSkin::Paint(HDC hDC)
{
    Layout();
    const int cx = m_windowRect.right - m_windowRect.left;
    const int cy = m_windowRect.bottom - m_windowRect.top;
    PaintFrame(hDC, cx, cy);
    {
        // The caption is composed off-screen and copied in one step, so it does not flicker.
        const int cyCaption = m_captionRect.bottom - m_captionRect.top;
        RECT rc = {0, 0, cx, cyCaption + m_cyFrame + 1};
        CMemDC dc(hDC, &rc, TRUE);
        PaintCaption(&dc, cx);
    }
    PaintClientEdge(hDC, cx, cy);
}

void CSkin::PaintButtons()
{
    if (!::IsWindowVisible(m_hWnd) || ::IsIconic(m_hWnd))
        return;
    HDC hDC = ::GetWindowDC(m_hWnd);
    if (hDC == NULL)
        return;
    PaintButtonsOn(hDC);
    ::ReleaseDC(m_hWnd, hDC);
}

void CSkin::PaintFrame(HDC hDC, int cx, int cy)
{
    HBRUSH hBrush = ::CreateSolidBrush(LumoPalette::Color(LumoPalette::HEADER, m_crCaption));
    HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
    ::PatBlt(hDC, 0, 0, m_cxFrame, cy, PATCOPY);
    ::PatBlt(hDC, cx - m_cxFrame, 0, m_cxFrame, cy, PATCOPY);
    ::PatBlt(hDC, 0, cy - m_cyFrame, cx, m_cyFrame, PATCOPY);
    ::SelectObject(hDC, hOldBrush);
    ::DeleteObject(hBrush);

    // Left, bottom and right outline; the caption's top lines make the top edge.
    HPEN hPen = ::CreatePen(PS_SOLID, 1, LumoPalette::Color(LumoPalette::FRAME, m_crOutline));
    HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
    ::MoveToEx(hDC, 0, 0, NULL);
    ::LineTo(hDC, 0, cy - 1);
    ::LineTo(hDC, cx - 1, cy - 1);
    ::LineTo(hDC, cx - 1, 0);
    ::SelectObject(hDC, hOldPen);
    ::DeleteObject(hPen);
}

void CSkin::PaintCaption(CDC* pDC, int cx)
{
    HDC hDC = pDC->GetSafeHdc();
    const int cyCaption = m_captionRect.bottom - m_captionRect.top;
    // In system colours the scheme's line bands and corner pictures give way: a flat caption
    // closed at the top by a frame line.
    const BOOL bFlat = LumoPalette::Flat();

    HBRUSH hBrush = ::CreateSolidBrush(LumoPalette::Color(LumoPalette::HEADER, m_crCaption));
    HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
    ::PatBlt(hDC, 1, 0, cx - 2, cyCaption + m_cyFrame, PATCOPY);
    ::SelectObject(hDC, hOldBrush);
    ::DeleteObject(hBrush);

    if (bFlat)
        CPub::DrawLine(pDC, 0, 0, cx, 0, ::GetSysColor(LumoPalette::SysIndex(LumoPalette::FRAME)));
    for (INT_PTR i = 0; !bFlat && i < m_topLineColors.GetSize(); i++)
        CPub::DrawLine(pDC, m_cxFrame, (int)i, cx - m_cxFrame, (int)i, m_topLineColors[i]);

    if (m_hIcon != NULL)
        ::DrawIconEx(hDC, m_cxFrame + m_dpi.Scale(kIconLeft), m_cySize / 2 + m_cyFrame - m_dpi.Scale(kIconLeft),
                     m_hIcon, m_dpi.Scale(kIconSize), m_dpi.Scale(kIconSize), 0, NULL, DI_NORMAL);

    const int nCorner = m_dpi.Scale(kCorner);
    if (!bFlat && m_leftCorner.GetSafeHandle() != NULL)
        CDRAW::BitBltDirect(hDC, 0, 0, nCorner, nCorner, (HBITMAP)m_leftCorner.GetSafeHandle(), 0, 0, SRCCOPY);
    if (!bFlat && m_rightCorner.GetSafeHandle() != NULL)
        CDRAW::BitBltDirect(hDC, cx - nCorner, 0, nCorner, nCorner, (HBITMAP)m_rightCorner.GetSafeHandle(), 0, 0,
                            SRCCOPY);

    PaintButtonsOn(hDC);
    if (!bFlat)
        PaintBottomLines(hDC, m_cxFrame, cx - m_cxFrame);
    else  // the row the bands would take, above the client area, is the caption's too
        CPub::DrawLine(pDC, m_cxFrame, m_captionRect.bottom, cx - m_cxFrame, m_captionRect.bottom,
                       ::GetSysColor(LumoPalette::SysIndex(LumoPalette::HEADER)));
    PaintTitle(hDC);
}

void CSkin::PaintButtonsOn(HDC hDC)
{
    if (m_closeImages[0].GetSafeHandle() == NULL)
        return;
    const BOOL bZoomed = ::IsZoomed(m_hWnd);
    const BOOL bFlat = LumoPalette::Flat();
    struct
    {
        BOOL bPresent;
        CBitmap* pImages;
        const RECT* pRect;
        int nPressed;
        int nHot;
        CaptionGlyph glyph;
    } buttons[3] = {
        {TRUE, m_closeImages, &m_closeRect, StateClosePressed, StateCloseHot, GlyphClose},
        {m_bHasMaximize, bZoomed ? m_restoreImages : m_maximizeImages, &m_maximizeRect, StateMaximizePressed,
         StateMaximizeHot, bZoomed ? GlyphRestore : GlyphMaximize},
        {m_bHasMinimize, m_minimizeImages, &m_minimizeRect, StateMinimizePressed, StateMinimizeHot, GlyphMinimize},
    };
    for (int i = 0; i < 3; i++)
    {
        if (!buttons[i].bPresent)
            continue;
        int nImage = m_nButtonState == buttons[i].nPressed ? 2 : m_nButtonState == buttons[i].nHot ? 1 : 0;
        const RECT& rc = *buttons[i].pRect;
        if (bFlat)
        {
            // A hot button takes the hot colour with its glyph in the caption's colour, which
            // stands out on it whatever the user's colours; a pressed one the selection colours.
            static const LumoPalette::Role kFill[3] = {LumoPalette::HEADER, LumoPalette::HOT, LumoPalette::SELECTION};
            static const LumoPalette::Role kInk[3] = {LumoPalette::HEADER_TEXT, LumoPalette::HEADER,
                                                      LumoPalette::SELECTION_TEXT};
            const COLORREF crFill = ::GetSysColor(LumoPalette::SysIndex(kFill[nImage]));
            // A brush, not an opaque text rectangle: in a right-to-left window's mirrored context
            // it covers exactly the pixels the layout gives the button.
            HBRUSH hFill = ::CreateSolidBrush(crFill);
            ::FillRect(hDC, &rc, hFill);
            ::DeleteObject(hFill);
            DrawCaptionGlyph(hDC, rc, buttons[i].glyph, ::GetSysColor(LumoPalette::SysIndex(kInk[nImage])), crFill,
                             m_dpi);
            continue;
        }
        CDRAW::BitBltDirect(hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                            (HBITMAP)buttons[i].pImages[nImage].GetSafeHandle(), 0, 0, SRCCOPY);
        // A button at rest lies on the caption: the bottom lines run across it.
        if (nImage == 0)
            PaintBottomLines(hDC, rc.left, rc.right);
    }
}

void CSkin::PaintBottomLines(HDC hDC, int x1, int x2)
{
    for (INT_PTR i = 0; i < m_bottomLineColors.GetSize(); i++)
    {
        HPEN hPen = ::CreatePen(PS_SOLID, 1, m_bottomLineColors[i]);
        HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
        ::MoveToEx(hDC, x1, m_captionRect.bottom - (int)i, NULL);
        ::LineTo(hDC, x2, m_captionRect.bottom - (int)i);
        ::SelectObject(hDC, hOldPen);
        ::DeleteObject(hPen);
    }
}

void CSkin::PaintTitle(HDC hDC)
{
    char szText[257];
    int nLength = ::GetWindowTextA(m_hWnd, szText, sizeof(szText));
    if (nLength <= 0)
        return;

    RECT rc = m_captionRect;
    rc.left += m_dpi.Scale(m_hIcon != NULL ? kTitleLeftIcon : kTitleLeft);
    rc.bottom -= 1;
    if (m_bHasMinimize)
        rc.right = m_minimizeRect.left;
    else if (m_bHasMaximize)
        rc.right = m_maximizeRect.left;
    else if (m_bHasClose)
        rc.right = m_closeRect.left;
    else
        rc.right = m_captionRect.right - m_dpi.Scale(kTitleLeft);

    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    COLORREF crOldText = ::SetTextColor(hDC, LumoPalette::Color(LumoPalette::HEADER_TEXT, m_crTitleText));
    // Only a stock font is taken, made for the window's DPI; any other index keeps the device
    // context's font.
    HFONT hFont = m_dpi.StockFont(m_nTitleFont);
    HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    ::DrawTextA(hDC, szText, nLength, &rc,
                (m_nTitleAlign & (DT_CENTER | DT_RIGHT)) | DT_VCENTER | DT_SINGLELINE | RtlReading(hDC));
    if (hOldFont != NULL)
        ::SelectObject(hDC, hOldFont);
    ::SetTextColor(hDC, crOldText);
    ::SetBkMode(hDC, nOldMode);
}

void CSkin::PaintClientEdge(HDC hDC, int cx, int cy)
{
    if (!m_bClientEdge)
        return;
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    const int e = (cx - rcClient.right) / 2;
    const int top = m_captionRect.bottom - m_captionRect.top + m_cyFrame;
    const int bottom = cy - m_cyFrame;
    const int right = cx - m_cxFrame;

    // In system colours the sunken edge becomes one frame line around the client area, its
    // outer ring in the caption's colour.
    const BOOL bFlat = LumoPalette::Flat();
    const COLORREF crFrame = ::GetSysColor(LumoPalette::SysIndex(LumoPalette::FRAME));
    const COLORREF crFace = ::GetSysColor(LumoPalette::SysIndex(LumoPalette::HEADER));
    HPEN hEdge = ::CreatePen(PS_SOLID, 1, bFlat ? crFace : m_crEdge);
    HPEN hOutline = ::CreatePen(PS_SOLID, 1, bFlat ? crFrame : m_crOutline);
    HPEN hLight = ::CreatePen(PS_SOLID, 1, bFlat ? crFrame : 0x00D0D0D4);
    HPEN hWhite = bFlat ? ::CreatePen(PS_SOLID, 1, crFace) : NULL;
    HGDIOBJ hOldPen = ::SelectObject(hDC, hEdge);
    ::MoveToEx(hDC, e - 2, top, NULL);
    ::LineTo(hDC, e - 2, bottom - 1);
    ::SelectObject(hDC, hOutline);
    ::MoveToEx(hDC, e - 1, top, NULL);
    ::LineTo(hDC, e - 1, bottom - 2);
    ::SelectObject(hDC, hWhite != NULL ? (HGDIOBJ)hWhite : ::GetStockObject(WHITE_PEN));
    ::MoveToEx(hDC, e - 2, bottom - 1, NULL);
    ::LineTo(hDC, right - 1, bottom - 1);
    ::LineTo(hDC, right - 1, top);
    ::SelectObject(hDC, hLight);
    ::MoveToEx(hDC, e - 1, bottom - 2, NULL);
    ::LineTo(hDC, right - 2, bottom - 2);
    ::LineTo(hDC, right - 2, top + 1);
    ::SelectObject(hDC, hOldPen);
    ::DeleteObject(hEdge);
    ::DeleteObject(hOutline);
    ::DeleteObject(hLight);
    if (hWhite != NULL)
        ::DeleteObject(hWhite);
}

/////////////////////////////////////////////////////////////////////////////
// Caption buttons

void CSkin::OnHotTrack(POINT ptScreen)
{
    POINT pt = WindowPoint(ptScreen);
    if (pt.x == 0 || pt.y == 0)
        return;
    int nState = StateNone;
    if (::PtInRect(&m_closeRect, pt))
        nState = m_nButtonState == StateClosePressed ? StateClosePressed : StateCloseHot;
    else if (m_bHasMaximize && ::PtInRect(&m_maximizeRect, pt))
        nState = m_nButtonState == StateMaximizePressed ? StateMaximizePressed : StateMaximizeHot;
    else if (m_bHasMinimize && ::PtInRect(&m_minimizeRect, pt))
        nState = m_nButtonState == StateMinimizePressed ? StateMinimizePressed : StateMinimizeHot;
    if (nState == StateNone && m_nButtonState == StateNone)
        return;
    SetButtonState(nState);
}

int CSkin::ButtonAt(POINT ptScreen) const
{
    POINT pt = WindowPoint(ptScreen);
    if (::PtInRect(&m_closeRect, pt))
        return StateClosePressed;
    if (::PtInRect(&m_minimizeRect, pt))
        return StateMinimizePressed;
    if (::PtInRect(&m_maximizeRect, pt))
        return StateMaximizePressed;
    return StateNone;
}

void CSkin::SetButtonState(int nState)
{
    m_nButtonState = nState;
    // A hot or pressed button must hear of the pointer leaving the window, which it may do
    // straight from the caption without another move over the frame or the client area.
    if (nState != StateNone)
    {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE | TME_NONCLIENT, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
    PaintButtons();
}

BOOL CSkin::OnPress(POINT ptScreen, WPARAM nHitTest)
{
    const int nState = ButtonAt(ptScreen);
    if (nState != StateNone)
    {
        SetButtonState(nState);
        return TRUE;
    }
    // A press on a button the host reports itself is not the system's either.
    return nHitTest == HTMAXBUTTON || nHitTest == HTMINBUTTON || nHitTest == HTCLOSE;
}

void CSkin::OnRelease(POINT ptScreen)
{
    if (m_nButtonState < StateClosePressed || m_nButtonState > StateMinimizePressed)
        return;
    POINT pt = WindowPoint(ptScreen);
    LPARAM lPos = MAKELPARAM(ptScreen.x, ptScreen.y);
    if (m_nButtonState == StateClosePressed && ::PtInRect(&m_closeRect, pt))
        HostNotify::Post(m_hWnd, WM_CLOSE, 0, 0);
    else if (m_nButtonState == StateMinimizePressed && ::PtInRect(&m_minimizeRect, pt))
        HostNotify::Post(m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, lPos);
    else if (m_nButtonState == StateMaximizePressed && ::PtInRect(&m_maximizeRect, pt))
        HostNotify::Post(m_hWnd, WM_SYSCOMMAND, ::IsZoomed(m_hWnd) ? SC_RESTORE : SC_MAXIMIZE, lPos);
    // Every click ends with the buttons at rest, also when the host declines what it asked for.
    SetButtonState(StateNone);
}

void CSkin::OnLeave()
{
    if (m_nButtonState != StateNone)
        SetButtonState(StateNone);
}

BOOL CSkin::PostButtonCommand(int nButton)
{
    // A press that did not come from the mouse has no point on the screen.
    switch (nButton)
    {
    case StateClosePressed:
        return HostNotify::Post(m_hWnd, WM_CLOSE, 0, 0);
    case StateMinimizePressed:
        return HostNotify::Post(m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    case StateMaximizePressed:
        return HostNotify::Post(m_hWnd, WM_SYSCOMMAND, ::IsZoomed(m_hWnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
    default:
        return FALSE;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Message handlers

LRESULT CALLBACK CSkin::SkinWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CSkin* p = Find(hWnd);
    if (p == NULL)
        return CallPrevWndProc(WNDPROC_CLIENT_SKIN, hWnd, message, wParam, lParam);

    if (message == CDpiScale::LumoDpiChangedMessage())
    {
        // The library's own message: the host never sees it.
        p->OnDpiChange();
        return 0;
    }
    LRESULT lr;
    switch (message)
    {
    case WM_DESTROY:
        delete p;
        return CallPrevWndProc(WNDPROC_CLIENT_SKIN, hWnd, message, wParam, lParam);
    case WM_DPICHANGED:
    {
        // A skinned window is drawn by the library: it hands the DPI down (to the skin too) and
        // takes the suggested rectangle itself, so the controls under it are laid out at the new
        // size only. The host hears of the change after.
        if (LOWORD(wParam) > 0)
            CDpiScale::HandDown(hWnd, LOWORD(wParam));
        if (!Alive(hWnd, p))
            return 0;
        const RECT* prc = (const RECT*)lParam;
        if (prc != NULL)
            ::SetWindowPos(hWnd, NULL, prc->left, prc->top, prc->right - prc->left, prc->bottom - prc->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
        if (!Alive(hWnd, p))
            return 0;
        if (LOWORD(wParam) > 0)
            CDpiScale::LayOutHandedDown(hWnd);
        if (!Alive(hWnd, p))
            return 0;
        break;
    }
    case WM_GETOBJECT:
        lr = CAccessible::Answer(hWnd, wParam, lParam, OBJID_TITLEBAR, CSkinAccessible::Make);
        if (lr)
            return lr;
        break;
    case WM_SIZE:
        CallPrevWndProc(WNDPROC_CLIENT_SKIN, hWnd, message, wParam, lParam);
        if (Alive(hWnd, p))
            p->SetRegion();
        return 0;
    case WM_NCCALCSIZE:
        p->ReadFrame();
        break;
    case WM_NCHITTEST:
        // The point asked about, which need not be the cursor's (a program, a pen).
        lr = CallPrevWndProc(WNDPROC_CLIENT_SKIN, hWnd, message, wParam, lParam);
        // The caption buttons are the skin's: to the system they are caption.
        if (lr == HTMINBUTTON || lr == HTMAXBUTTON || lr == HTCLOSE)
            lr = HTCAPTION;
        return lr;
    case WM_NCPAINT:
        if (p->m_hMenu == NULL)
        {
            p->PaintNonClient();
            return 0;
        }
        // The system draws the menu bar; the skin paints over the rest.
        lr = CallPrevWndProc(WNDPROC_CLIENT_SKIN, hWnd, message, wParam, lParam);
        if (Alive(hWnd, p))
            p->PaintNonClient();
        return lr;
    case WM_NCMOUSEMOVE:
        p->OnHotTrack(CursorPos());
        break;
    case WM_NCLBUTTONDOWN:
        if (p->OnPress(CursorPos(), wParam))
            return 0;
        break;
    case WM_NCLBUTTONUP:
        p->OnRelease(CursorPos());
        break;
    case WM_NCLBUTTONDBLCLK:
        // The buttons answer as caption: the system would take a double click on one for a
        // double click on the caption and maximize. The first click of the two has acted.
        if (p->ButtonAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != StateNone)
            return 0;
        break;
    case WM_NCMOUSELEAVE:
        p->OnLeave();
        break;
    case WM_MOUSEMOVE:
        if (p->m_nButtonState != StateNone)
        {
            p->m_nButtonState = StateNone;
            p->PaintNonClient();
        }
        break;
    case WM_SETTEXT:
    case WM_MOVE:
    case WM_NCACTIVATE:
        lr = CallPrevWndProc(WNDPROC_CLIENT_SKIN, hWnd, message, wParam, lParam);
        if (Alive(hWnd, p))
            p->PaintNonClient();
        return lr;
    case WM_SYSCOMMAND:
        // Alt+Space opens the system menu, which the system offers only to windows that show
        // WS_SYSMENU.
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == VK_SPACE && p->HasButtons())
            return p->CallWithSystemMenu(message, wParam, lParam);
        break;
    case WM_CONTEXTMENU:
        // A right click on the caption opens the system menu too.
        if (p->HasButtons() && lParam != -1)
        {
            POINT ptAt = p->WindowPoint({(short)LOWORD(lParam), (short)HIWORD(lParam)});
            if (::PtInRect(&p->m_captionRect, ptAt))
                return p->CallWithSystemMenu(message, wParam, lParam);
        }
        break;
    default:
        break;
    }
    return CallPrevWndProc(WNDPROC_CLIENT_SKIN, hWnd, message, wParam, lParam);
}

LRESULT CSkin::CallWithSystemMenu(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = m_hWnd;
    ::SetWindowLongA(hWnd, GWL_STYLE, ::GetWindowLongA(hWnd, GWL_STYLE) | WS_SYSMENU);
    LRESULT lr = CallPrevWndProc(WNDPROC_CLIENT_SKIN, hWnd, message, wParam, lParam);
    // The menu has closed; its command, if any, is posted and handled without the style.
    if (Alive(hWnd, this))
        ::SetWindowLongA(hWnd, GWL_STYLE, ::GetWindowLongA(hWnd, GWL_STYLE) & ~WS_SYSMENU);
    return lr;
}

/////////////////////////////////////////////////////////////////////////////
// The flat family's entries. The skin list belongs to the thread of the windows in it: a window
// of another thread, or a call from another thread, finds no skin and gets none.

namespace {

CSkin* FindOnThisThread(HWND hWnd)
{
    return IsWindowOfThisThread(hWnd) ? CSkin::Find(hWnd) : NULL;
}

}  // namespace

int SkinRegister(HWND hWnd, int nSkinId)
{
    if (!LumoSettings::DrawsOwnLook() || !IsWindowOfThisThread(hWnd))
        return 0;
    if (!InstallWndProc(hWnd, WNDPROC_CLIENT_SKIN, CSkin::SkinWndProc))
        return 0;
    // A second registration keeps the skin the window already has.
    if (CSkin::Find(hWnd) != NULL)
        return 1;
    CSkin* p = new CSkin(hWnd, nSkinId);
    p->ShowIcon(TRUE);
    if (IsWndProcInstalled(hWnd, WNDPROC_CLIENT_SHADOW))
        ShadowWinSetSkinned(hWnd, 1);
    return 1;
}

int SkinChangeSkin(HWND hWnd, int nSkinId)
{
    CSkin* p = FindOnThisThread(hWnd);
    return (p != NULL && p->LoadSkin(nSkinId)) ? 1 : 0;
}

int SkinUnregister(HWND hWnd)
{
    CSkin* p = FindOnThisThread(hWnd);
    if (p == NULL)
        return 0;
    if (IsWndProcInstalled(hWnd, WNDPROC_CLIENT_SHADOW))
        ShadowWinSetSkinned(hWnd, 0);
    delete p;
    return 1;
}

void SkinShowIcon(HWND hWnd, int bShow)
{
    CSkin* p = FindOnThisThread(hWnd);
    if (p != NULL)
        p->ShowIcon(bShow);
}

void SkinSetTitleFont(HWND hWnd, int nStockFont)
{
    CSkin* p = FindOnThisThread(hWnd);
    if (p != NULL)
        p->m_nTitleFont = nStockFont;
}

void SkinSetTitlePosition(HWND hWnd, int nAlign)
{
    CSkin* p = FindOnThisThread(hWnd);
    if (p != NULL)
        p->m_nTitleAlign = nAlign;
}

int SkinListSize()
{
    return CSkin::GetCount();
}

int SkinButtonState(HWND hWnd)
{
    CSkin* p = FindOnThisThread(hWnd);
    return p != NULL ? p->m_nButtonState : -1;
}
