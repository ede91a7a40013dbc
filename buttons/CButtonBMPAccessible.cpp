#include "buttons/CButtonBMPAccessible.h"
#include "CButtonBMP.h"

CAccessible* CButtonBMPAccessible::Make(HWND hButton)
{
    return new CButtonBMPAccessible(hButton);
}

CButtonBMP* CButtonBMPAccessible::Button() const
{
    return dynamic_cast<CButtonBMP*>(CWnd::FromHandlePermanent(Wnd()));
}

std::wstring CButtonBMPAccessible::Name(long)
{
    CButtonBMP* pButton = Button();
    return pButton ? Widen(pButton->GetAccessibleName()) : std::wstring();
}

long CButtonBMPAccessible::Role(long)
{
    return ROLE_SYSTEM_PUSHBUTTON;
}

long CButtonBMPAccessible::State(long)
{
    CButtonBMP* pButton = Button();
    if (!pButton)
        return 0;
    long state = WindowState();
    if (pButton->IsHover())
        state |= STATE_SYSTEM_HOTTRACKED;
    if (pButton->GetState() & BST_PUSHED)
        state |= STATE_SYSTEM_PRESSED;
    return state;
}

std::wstring CButtonBMPAccessible::DefaultAction(long)
{
    return L"Press";
}

HRESULT CButtonBMPAccessible::DoDefaultAction(long)
{
    if (!::IsWindowEnabled(Wnd()))
        return E_FAIL;
    // The click arrives as the mouse's would, once the asking program's call has returned.
    return ::PostMessageA(Wnd(), BM_CLICK, 0, 0) ? S_OK : E_FAIL;
}
