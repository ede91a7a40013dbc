// CMenuShadow: the thread hook that finds new menu windows, their subclass procedure, and the
// frame and shadow painted into the strips added to their right and bottom edges.
#include "CMenuShadow.h"
#include "draw/LumoPalette.h"
#include "frame/LumoSettings.h"
#include "frame/LumoModule.h"
#include "CDRAW.h"
#include "frame/DpiScale.h"
#include "shadow/ShadowRamp.h"

namespace
{

const char kOldProcProp[] = "CoolMenu_oldProc";
const char kMenuClass[] = "#32768";
// Sent to a menu window when it is sized to its items.
const UINT kMenuSizeWindow = 0x1E2;

WNDPROC OldProcOf(HWND hWnd)
{
    return (WNDPROC)::GetPropA(hWnd, kOldProcProp);
}

// The settings' change count the frame colours were read at.
DWORD g_dwFrameGeneration = 0;

} // namespace

HHOOK CMenuShadow::m_hMenuHook = NULL;
CMap<HWND, HWND, CMenuShadow*, CMenuShadow*> CMenuShadow::m_WndMenuMap(10);
COLORREF CMenuShadow::m_ColorFrame[4] = { ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW),
                                          ::GetSysColor(COLOR_MENU), ::GetSysColor(COLOR_MENU) };

// ---- The effect ------------------------------------------------------------------------------

BOOL CMenuShadow::IsShadowEnabled()
{
    BOOL bOn = FALSE;
    return ::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &bOn, 0) && bOn;
}

void CMenuShadow::InstallHook()
{
    if (IsShadowEnabled() || m_hMenuHook != NULL)
        return;
    m_hMenuHook = ::SetWindowsHookExA(WH_CALLWNDPROC, WindowHook, LumoGetModuleHandle(), ::GetCurrentThreadId());
}

void CMenuShadow::UnInstallHook()
{
    // Nothing is installed while the system shadows menus itself. A hook installed before the
    // system began to is still removed: no hook may outlive the library.
    CArray<CMenuShadow*, CMenuShadow*> arrShadows;
    for (POSITION pos = m_WndMenuMap.GetStartPosition(); pos != NULL;)
    {
        HWND hWnd;
        CMenuShadow* pShadow;
        m_WndMenuMap.GetNextAssoc(pos, hWnd, pShadow);
        arrShadows.Add(pShadow);
    }
    for (int i = 0; i < arrShadows.GetSize(); ++i)
        delete arrShadows[i];
    m_WndMenuMap.RemoveAll();
    if (m_hMenuHook != NULL)
        ::UnhookWindowsHookEx(m_hMenuHook);
    m_hMenuHook = NULL;
}

// ---- Menu windows ----------------------------------------------------------------------------

LRESULT CALLBACK CMenuShadow::WindowHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMsg = (const CWPSTRUCT*)lParam;
    if (nCode == HC_ACTION && (pMsg->message == WM_CREATE || pMsg->message == kMenuSizeWindow))
    {
        char szClass[10];
        if (::GetClassNameA(pMsg->hwnd, szClass, sizeof(szClass)) == 6 && strcmp(szClass, kMenuClass) == 0 &&
            ::GetPropA(pMsg->hwnd, kOldProcProp) == NULL)
        {
            // The window gets its object only once it is subclassed: no message could come to
            // free an object of a window that kept its own procedure.
            LONG_PTR pfnOld = ::GetWindowLongPtrA(pMsg->hwnd, GWLP_WNDPROC);
            if (pfnOld != 0 && ::SetPropA(pMsg->hwnd, kOldProcProp, (HANDLE)pfnOld))
            {
                if (::SetWindowLongPtrA(pMsg->hwnd, GWLP_WNDPROC, (LONG_PTR)CoolMenuProc) != 0)
                    AddWndHook(pMsg->hwnd);
                else
                    ::RemovePropA(pMsg->hwnd, kOldProcProp);
            }
        }
    }
    return ::CallNextHookEx(m_hMenuHook, nCode, wParam, lParam);
}

CMenuShadow* CMenuShadow::AddWndHook(HWND hWnd)
{
    CMenuShadow* pShadow = GetWndHook(hWnd);
    if (pShadow == NULL)
    {
        pShadow = new CMenuShadow(hWnd);
        m_WndMenuMap.SetAt(hWnd, pShadow);
    }
    return pShadow;
}

CMenuShadow* CMenuShadow::GetWndHook(HWND hWnd)
{
    CMenuShadow* pShadow = NULL;
    return m_WndMenuMap.Lookup(hWnd, pShadow) ? pShadow : NULL;
}

LRESULT CALLBACK CMenuShadow::CoolMenuProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnOld = OldProcOf(hWnd);
    if (pfnOld == NULL)
        return ::DefWindowProcA(hWnd, uMsg, wParam, lParam);
    CMenuShadow* pShadow = GetWndHook(hWnd);
    switch (uMsg)
    {
    case WM_NCCALCSIZE:
    {
        LRESULT lResult = ::CallWindowProcA(pfnOld, hWnd, uMsg, wParam, lParam);
        if (pShadow != NULL)
            pShadow->OnNcCalcsize((LPRECT)lParam);
        return lResult;
    }
    case WM_SHOWWINDOW:
        if (pShadow != NULL)
            pShadow->OnShowWindow(wParam != 0);
        break;
    case WM_WINDOWPOSCHANGING:
        if (pShadow != NULL)
            pShadow->OnWindowPosChanging((WINDOWPOS*)lParam);
        break;
    case WM_NCDESTROY:
        if (pShadow != NULL)
            pShadow->OnNcDestroy();
        break;
    case WM_NCPAINT:
        if (pShadow == NULL)
            break;
        pShadow->OnNcPaint();
        return 0;
    case WM_PRINT:
    {
        LRESULT lResult = ::CallWindowProcA(pfnOld, hWnd, uMsg, wParam, lParam);
        if (pShadow != NULL && wParam != 0)
        {
            CDC dc;
            dc.Attach((HDC)wParam);
            pShadow->OnPrint(&dc);
            dc.Detach();
        }
        return lResult;
    }
    }
    return ::CallWindowProcA(pfnOld, hWnd, uMsg, wParam, lParam);
}

// ---- Construction ----------------------------------------------------------------------------

// The strips are as wide as the shadow's band at the menu window's DPI.
CMenuShadow::CMenuShadow(HWND hWnd) : m_hWnd(hWnd), m_nShadow(ShadowRamp::Width(CDpiScale::DpiOfWindow(hWnd)))
{
}

CMenuShadow::~CMenuShadow()
{
    if (WNDPROC pfnOld = OldProcOf(m_hWnd))
    {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)pfnOld);
        ::RemovePropA(m_hWnd, kOldProcProp);
    }
    m_WndMenuMap.RemoveKey(m_hWnd);  // the map frees its table once it is empty
}

// ---- Message handlers ------------------------------------------------------------------------

void CMenuShadow::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    if (lpwndpos->flags & SWP_NOSIZE)
        return;
    lpwndpos->cx += m_nShadow;
    lpwndpos->cy += m_nShadow;
    // Only a hidden window lets the screen under its future place be read.
    if (::IsWindowVisible(m_hWnd))
        return;
    m_bmpBack.DeleteObject();
    const RECT rcArea = { lpwndpos->x, lpwndpos->y, lpwndpos->cx, lpwndpos->cy };  // a size, not a corner
    m_bmpBack.Attach(CDRAW::GetWindowBitmap(NULL, rcArea));
}

void CMenuShadow::OnNcCalcsize(LPRECT lpFirstRect)
{
    lpFirstRect->right -= m_nShadow;
    lpFirstRect->bottom -= m_nShadow;
}

void CMenuShadow::OnNcPaint()
{
    HDC hDC = ::GetWindowDC(m_hWnd);
    if (hDC == NULL)
        return;
    CDC dc;
    dc.Attach(hDC);
    OnPrint(&dc);
    dc.Detach();
    ::ReleaseDC(m_hWnd, hDC);
}

void CMenuShadow::OnPrint(CDC* pDC)
{
    CRect rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    const int w = rcWindow.Width(), h = rcWindow.Height();
    if (m_bmpBack.GetSafeHandle() != NULL)
    {
        // The strips first get back what the screen showed there, then are darkened.
        CDC dcMem;
        dcMem.CreateCompatibleDC(pDC);
        CBitmap* pOld = dcMem.SelectObject(&m_bmpBack);
        pDC->BitBlt(0, h - m_nShadow, w - m_nShadow, m_nShadow, &dcMem, 0, h - m_nShadow, SRCCOPY);
        pDC->BitBlt(w - m_nShadow, 0, m_nShadow, h, &dcMem, w - m_nShadow, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
    }
    // The frame follows the system colours as they change; in system colours the frame is the
    // role's and no shadow is drawn.
    const BOOL bFlat = LumoPalette::Flat();
    if (g_dwFrameGeneration != LumoSettings::Generation())
    {
        g_dwFrameGeneration = LumoSettings::Generation();
        const COLORREF crOuter = bFlat ? ::GetSysColor(LumoPalette::SysIndex(LumoPalette::FRAME)) : ::GetSysColor(COLOR_BTNSHADOW);
        const COLORREF crInner = bFlat ? ::GetSysColor(LumoPalette::SysIndex(LumoPalette::PANE)) : ::GetSysColor(COLOR_MENU);
        const COLORREF colours[4] = { crOuter, crOuter, crInner, crInner };
        memcpy(m_ColorFrame, colours, sizeof(colours));
    }
    if (!bFlat)
        ShadowRamp::DarkenStrips(pDC->GetSafeHdc(), CRect(0, 0, w, h), m_nShadow);
    CRect rcFrame(0, 0, w - m_nShadow, h - m_nShadow);
    pDC->Draw3dRect(rcFrame, m_ColorFrame[0], m_ColorFrame[1]);
    rcFrame.DeflateRect(1, 1);
    pDC->Draw3dRect(rcFrame, m_ColorFrame[2], m_ColorFrame[3]);
    rcFrame.DeflateRect(1, 1);
    pDC->Draw3dRect(rcFrame, m_ColorFrame[2], m_ColorFrame[3]);
}

void CMenuShadow::OnShowWindow(BOOL bShow)
{
    if (!bShow)
        delete this;
}

void CMenuShadow::OnNcDestroy()
{
    delete this;
}
