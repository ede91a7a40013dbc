#include "buttons/CButtonXPAccessible.h"
#include "CButtonXP.h"

CAccessible* CButtonXPAccessible::Make(HWND hButton)
{
    return new CButtonXPAccessible(hButton);
}

CButtonXP_* CButtonXPAccessible::Button() const
{
    return CButtonXP_::FromHandle(Wnd());
}

long CButtonXPAccessible::Role(long)
{
    CButtonXP_* pButton = Button();
    const int nType = pButton ? pButton->GetButtonType() : XPBUTTON_PUSH;
    if (nType == XPBUTTON_CHECK)
        return ROLE_SYSTEM_CHECKBUTTON;
    return nType == XPBUTTON_RADIO ? ROLE_SYSTEM_RADIOBUTTON : ROLE_SYSTEM_PUSHBUTTON;
}

long CButtonXPAccessible::State(long)
{
    CButtonXP_* pButton = Button();
    if (!pButton)
        return 0;
    long state = WindowState();
    if (pButton->GetButtonType() != XPBUTTON_PUSH && pButton->IsChecked())
        state |= STATE_SYSTEM_CHECKED;
    if (pButton->GetButtonType() == XPBUTTON_PUSH && pButton->IsDefault())
        state |= STATE_SYSTEM_DEFAULT;
    if (pButton->IsPressed())
        state |= STATE_SYSTEM_PRESSED;
    if (pButton->IsHover())
        state |= STATE_SYSTEM_HOTTRACKED;
    return state;
}

std::wstring CButtonXPAccessible::DefaultAction(long)
{
    CButtonXP_* pButton = Button();
    if (!pButton)
        return std::wstring();
    switch (pButton->GetButtonType())
    {
    case XPBUTTON_CHECK:
        return pButton->IsChecked() ? L"Uncheck" : L"Check";
    case XPBUTTON_RADIO:
        return L"Check";
    default:
        return L"Press";
    }
}

HRESULT CButtonXPAccessible::DoDefaultAction(long)
{
    if (!::IsWindowEnabled(Wnd()))
        return E_FAIL;
    // The click arrives as the mouse's would (press and release, then the parent's
    // BN_CLICKED), once the asking program's call has returned.
    return ::PostMessageA(Wnd(), BM_CLICK, 0, 0) ? S_OK : E_FAIL;
}
