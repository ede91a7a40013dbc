#include "skin/CSkinAccessible.h"
#include "skin/CSkin.h"

CAccessible* CSkinAccessible::Make(HWND hWnd)
{
    return new CSkinAccessible(hWnd);
}

CSkin* CSkinAccessible::Skin() const
{
    return CSkin::Find(Wnd());
}

const RECT* CSkinAccessible::ButtonRect(long nChild) const
{
    CSkin* pSkin = Skin();
    if (!pSkin)
        return NULL;
    switch (nChild)
    {
    case ChildMinimize:
        return pSkin->m_bHasMinimize ? &pSkin->m_minimizeRect : NULL;
    case ChildMaximize:
        return pSkin->m_bHasMaximize ? &pSkin->m_maximizeRect : NULL;
    case ChildClose:
        return pSkin->m_bHasClose ? &pSkin->m_closeRect : NULL;
    default:
        return NULL;
    }
}

std::wstring CSkinAccessible::Name(long nChild)
{
    switch (nChild)
    {
    case CHILDID_SELF:
        return CAccessible::Name(nChild);
    case ChildMinimize:
        return ::IsIconic(Wnd()) ? L"Restore" : L"Minimize";
    case ChildMaximize:
        return ::IsZoomed(Wnd()) ? L"Restore" : L"Maximize";
    case ChildHelp:
        return L"Context help";
    case ChildClose:
        return L"Close";
    default:
        return std::wstring();
    }
}

long CSkinAccessible::Role(long nChild)
{
    return nChild == CHILDID_SELF ? ROLE_SYSTEM_TITLEBAR : ROLE_SYSTEM_PUSHBUTTON;
}

long CSkinAccessible::State(long nChild)
{
    CSkin* pSkin = Skin();
    if (!pSkin)
        return 0;
    if (nChild == CHILDID_SELF)
        return ::IsWindowVisible(Wnd()) ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_INVISIBLE;
    if (!ButtonRect(nChild) || !::IsWindowVisible(Wnd()))
        return STATE_SYSTEM_INVISIBLE;
    static const int kPressed[] = { 0, 0, CSkin::StateMinimizePressed, CSkin::StateMaximizePressed, 0,
                                    CSkin::StateClosePressed };
    static const int kHot[] = { 0, 0, CSkin::StateMinimizeHot, CSkin::StateMaximizeHot, 0, CSkin::StateCloseHot };
    long state = 0;
    if (pSkin->m_nButtonState == kPressed[nChild])
        state |= STATE_SYSTEM_PRESSED;
    if (pSkin->m_nButtonState == kHot[nChild])
        state |= STATE_SYSTEM_HOTTRACKED;
    return state;
}

std::wstring CSkinAccessible::DefaultAction(long nChild)
{
    return ButtonRect(nChild) ? L"Press" : std::wstring();
}

HRESULT CSkinAccessible::DoDefaultAction(long nChild)
{
    CSkin* pSkin = Skin();
    if (!pSkin || !ButtonRect(nChild))
        return DISP_E_MEMBERNOTFOUND;
    static const int kButtons[] = { 0, 0, CSkin::StateMinimizePressed, CSkin::StateMaximizePressed, 0,
                                    CSkin::StateClosePressed };
    return pSkin->PostButtonCommand(kButtons[nChild]) ? S_OK : E_FAIL;
}

BOOL CSkinAccessible::Location(long nChild, RECT* pRect)
{
    CSkin* pSkin = Skin();
    RECT rcWindow;
    if (!pSkin || !::GetWindowRect(Wnd(), &rcWindow))
        return FALSE;
    const RECT* pRel = nChild == CHILDID_SELF ? &pSkin->m_captionRect : ButtonRect(nChild);
    if (!pRel || ::IsRectEmpty(pRel))
        return FALSE;
    // A right-to-left window's caption is laid out from its right edge, as it is painted.
    if (::GetWindowLongA(Wnd(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
        ::SetRect(pRect, rcWindow.right - pRel->right, rcWindow.top + pRel->top, rcWindow.right - pRel->left,
                  rcWindow.top + pRel->bottom);
    else
    {
        *pRect = *pRel;
        ::OffsetRect(pRect, rcWindow.left, rcWindow.top);
    }
    return TRUE;
}
