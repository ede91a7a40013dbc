#include "buttons/CButtonXPMap.h"
#include "CButtonXP.h"
#include "buttons/CButtonXPAccessible.h"
#include "frame/UiThread.h"
#include "frame/DpiScale.h"

#include <new>
#include <windowsx.h>

namespace {

const char kProcProperty[] = "Proc_CButtonXPBP";

// Window to object. Should the module go while buttons are still attached, each gets its
// procedure back and loses its object.
class CAttachedButtons
{
public:
    ~CAttachedButtons()
    {
        POSITION pos = m_map.GetStartPosition();
        while (pos)
        {
            void* hWnd = NULL;
            void* pObject = NULL;
            m_map.GetNextAssoc(pos, hWnd, pObject);
            WNDPROC pfnPrev = (WNDPROC)::GetPropA((HWND)hWnd, kProcProperty);
            if (::IsWindow((HWND)hWnd) && pfnPrev)
                ::SetWindowLongPtrA((HWND)hWnd, GWLP_WNDPROC, (LONG_PTR)pfnPrev);
            ::RemovePropA((HWND)hWnd, kProcProperty);
            delete (CButtonXP_*)pObject;
        }
        m_map.RemoveAll();
    }

    CMapPtrToPtr m_map;
};

CAttachedButtons g_attached;

// The screen's depth, asked once: -1 not yet, 1 more than 8 bits per pixel, 0 8 or fewer.
signed char g_nColourScreen = -1;

}  // namespace

BOOL CButtonXPMap::ScreenHasColours()
{
    if (g_nColourScreen < 0)
    {
        HWND hDesktop = ::GetDesktopWindow();
        HDC hDC = ::GetDC(hDesktop);
        if (!hDC)
            return FALSE;
        g_nColourScreen = ::GetDeviceCaps(hDC, BITSPIXEL) > 8 ? 1 : 0;
        ::ReleaseDC(hDesktop, hDC);
    }
    return g_nColourScreen == 1;
}

CButtonXP_* CButtonXPMap::Lookup(HWND hWnd)
{
    void* pObject = NULL;
    return hWnd && g_attached.m_map.Lookup(hWnd, pObject) ? (CButtonXP_*)pObject : NULL;
}

CButtonXP_* CButtonXPMap::Attach(HWND hWnd)
{
    // Only buttons (superclassed ones too) of this thread: the map belongs to it, and a button
    // attached on its own thread is not to be painted or changed from another.
    if (!IsWindowOfThisThread(hWnd))
        return NULL;
    if (::GetPropA(hWnd, kProcProperty))
        return Lookup(hWnd);
    char cls[16] = "";
    if (!::RealGetWindowClassA(hWnd, cls, sizeof(cls)) || lstrcmpiA(cls, "Button") != 0)
        return NULL;

    WNDPROC pfnPrev = (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    if (!pfnPrev || !::SetPropA(hWnd, kProcProperty, (HANDLE)pfnPrev))
        return NULL;
    CButtonXP_* pButton = new (std::nothrow) CButtonXP_;
    if (!pButton)
    {
        ::RemovePropA(hWnd, kProcProperty);
        return NULL;
    }
    const DWORD dwStyle = (DWORD)::GetWindowLongPtrA(hWnd, GWL_STYLE);
    pButton->Init(hWnd, CButtonXP_::TypeFromStyle(dwStyle));
    ::SetWindowLongPtrA(hWnd, GWL_STYLE, (LONG_PTR)CButtonXP_::OwnerDrawStyle(dwStyle));
    if (!::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)WindowProc))
    {
        ::SetWindowLongPtrA(hWnd, GWL_STYLE, (LONG_PTR)dwStyle);
        ::RemovePropA(hWnd, kProcProperty);
        delete pButton;
        return NULL;
    }
    g_attached.m_map.SetAt(hWnd, pButton);
    // Whatever the platform drew before is replaced by the new look.
    ::InvalidateRect(hWnd, NULL, TRUE);
    return pButton;
}

void CButtonXPMap::Detach(HWND hWnd)
{
    WNDPROC pfnPrev = (WNDPROC)::GetPropA(hWnd, kProcProperty);
    if (pfnPrev)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnPrev);
    ::RemovePropA(hWnd, kProcProperty);
    CButtonXP_* pButton = Lookup(hWnd);
    g_attached.m_map.RemoveKey(hWnd);
    delete pButton;
}

int CButtonXPMap::AttachAndPaint(HWND hWnd, HDC hDC)
{
    if (!hWnd || !hDC || !ScreenHasColours())
        return 0;
    CButtonXP_* pButton = Attach(hWnd);
    if (!pButton)
        return 0;
    DRAWITEMSTRUCT dis = {};
    dis.hwndItem = hWnd;
    dis.hDC = hDC;
    pButton->_DrawItem(&dis);
    return 1;
}

int CButtonXPMap::SetBkColor(HWND hWnd, COLORREF crBk)
{
    if (!hWnd || !ScreenHasColours())
        return 0;
    CButtonXP_* pButton = Attach(hWnd);
    if (!pButton)
        return 0;
    pButton->SetBkColor(crBk, 1);
    ::InvalidateRect(hWnd, NULL, TRUE);
    return 1;
}

LRESULT CALLBACK CButtonXPMap::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnPrev = (WNDPROC)::GetPropA(hWnd, kProcProperty);
    if (!pfnPrev)
        return 0;
    CButtonXP_* pButton = Lookup(hWnd);
    if (!pButton)
        return ::CallWindowProcA(pfnPrev, hWnd, msg, wParam, lParam);

    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    // The box pictures and sizes are taken for the DPI at each paint.
    if (msg == CDpiScale::LumoDpiChangedMessage())
    {
        ::InvalidateRect(hWnd, NULL, TRUE);
        return 0;
    }
    switch (msg)
    {
    case WM_DESTROY:
        CAccessible::Disconnect(hWnd);
        Detach(hWnd);
        break;
    case WM_GETOBJECT:
        if (const LRESULT lr = CAccessible::Answer(hWnd, wParam, lParam, OBJID_CLIENT, CButtonXPAccessible::Make))
            return lr;
        break;
    case WM_KEYDOWN:
        pButton->_OnKeyDown((UINT)wParam, lParam);
        break;
    case WM_KEYUP:
        pButton->_OnKeyUp((UINT)wParam, lParam);
        break;
    case WM_MOUSEMOVE:
        pButton->_OnMouseMove((UINT)wParam, point);
        break;
    case WM_LBUTTONDOWN:
        pButton->_OnLButtonDown();
        break;
    case WM_LBUTTONUP:
        pButton->_OnLButtonUp((UINT)wParam, point);
        break;
    case WM_MOUSEHOVER:
        pButton->_OnMouseHover(wParam, lParam);
        break;
    case WM_MOUSELEAVE:
        pButton->_OnMouseLeave();
        break;
    case BM_SETCHECK:
        pButton->_OnSetCheck(wParam, lParam);
        break;
    case BM_GETCHECK:
    {
        // The platform keeps no check state for an owner-drawn button: the object answers.
        ::InvalidateRect(hWnd, NULL, TRUE);
        const LRESULT lCheck = pButton->_OnGetCheck(wParam, lParam);
        ::CallWindowProcA(pfnPrev, hWnd, msg, wParam, lParam);
        return lCheck;
    }
    case BM_SETSTYLE:
        wParam = pButton->_OnSetStyle(wParam);
        break;
    case WM_GETDLGCODE:
    {
        const LRESULT lCode = ::CallWindowProcA(pfnPrev, hWnd, msg, wParam, lParam);
        pButton = Lookup(hWnd);
        return pButton ? pButton->_OnGetDlgCode(lCode, (const MSG*)lParam) : lCode;
    }
    case WM_SETTEXT:
    {
        // A new text is a new name for screen readers.
        const LRESULT lResult = ::CallWindowProcA(pfnPrev, hWnd, msg, wParam, lParam);
        ::InvalidateRect(hWnd, NULL, TRUE);
        CAccessible::Notify(EVENT_OBJECT_NAMECHANGE, hWnd);
        return lResult;
    }
    case WM_UPDATEUISTATE:
    {
        // The focus rectangle follows the keyboard cues once the platform has taken them.
        const LRESULT lResult = ::CallWindowProcA(pfnPrev, hWnd, msg, wParam, lParam);
        if ((pButton = Lookup(hWnd)) != NULL)
            pButton->_OnUpdateUIState(wParam);
        return lResult;
    }
    case WM_SETFOCUS:
    {
        ::InvalidateRect(hWnd, NULL, TRUE);
        const LRESULT lResult = ::CallWindowProcA(pfnPrev, hWnd, msg, wParam, lParam);
        if ((pButton = Lookup(hWnd)) != NULL)
            pButton->_OnSetFocus();
        return lResult;
    }
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_FONTCHANGE:
    case WM_SETFONT:
    case BM_SETSTATE:
    case BM_SETIMAGE:
    case WM_LBUTTONDBLCLK:
    case WM_MOVING:
        ::InvalidateRect(hWnd, NULL, TRUE);
        break;
    }
    // A host that destroyed the button while it was told of a check change is not called on.
    if (!::IsWindow(hWnd))
        return 0;
    return ::CallWindowProcA(pfnPrev, hWnd, msg, wParam, lParam);
}
