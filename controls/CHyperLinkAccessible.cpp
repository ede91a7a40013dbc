#include "controls/CHyperLinkAccessible.h"
#include "CHyperLinkStatic.h"

CAccessible* CHyperLinkAccessible::Make(HWND hLink)
{
    return new CHyperLinkAccessible(hLink);
}

CHyperLinkStatic* CHyperLinkAccessible::Link() const
{
    return dynamic_cast<CHyperLinkStatic*>(CWnd::FromHandlePermanent(Wnd()));
}

std::wstring CHyperLinkAccessible::Name(long)
{
    // A static shows its '&' as such when told not to take it as a mnemonic.
    if (::GetWindowLongPtrA(Wnd(), GWL_STYLE) & SS_NOPREFIX)
    {
        CHyperLinkStatic* pLink = Link();
        CString text;
        if (pLink)
            pLink->GetWindowText(text);
        return Widen(text);
    }
    return TextWithoutMnemonic(Wnd());
}

std::wstring CHyperLinkAccessible::Value(long)
{
    CHyperLinkStatic* pLink = Link();
    return pLink && !pLink->m_bNotify ? Widen(pLink->m_strTarget) : std::wstring();
}

long CHyperLinkAccessible::Role(long)
{
    return ROLE_SYSTEM_LINK;
}

long CHyperLinkAccessible::State(long)
{
    return WindowState() | STATE_SYSTEM_LINKED;
}

std::wstring CHyperLinkAccessible::DefaultAction(long)
{
    return L"Jump";
}

HRESULT CHyperLinkAccessible::DoDefaultAction(long)
{
    return ::IsWindowEnabled(Wnd()) ? PostDefaultAction() : E_FAIL;
}
