#include "door/CDropAccessible.h"
#include "CWndDrop.h"

CAccessible* CDropAccessible::Make(HWND hDrop)
{
    return new CDropAccessible(hDrop);
}

CWndDrop* CDropAccessible::Drop() const
{
    return dynamic_cast<CWndDrop*>(CWnd::FromHandlePermanent(Wnd()));
}

std::wstring CDropAccessible::Name(long nChild)
{
    CWndDrop* pDrop = Drop();
    return pDrop && nChild == CHILDID_SELF ? Widen(pDrop->GetTitle()) : std::wstring();
}

long CDropAccessible::Role(long)
{
    return ROLE_SYSTEM_GROUPING;
}

long CDropAccessible::State(long nChild)
{
    CWndDrop* pDrop = Drop();
    if (!pDrop || nChild != CHILDID_SELF)
        return 0;
    return WindowState() | (pDrop->IsDropped() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED);
}

std::wstring CDropAccessible::DefaultAction(long nChild)
{
    CWndDrop* pDrop = Drop();
    if (!pDrop || nChild != CHILDID_SELF)
        return std::wstring();
    return pDrop->IsDropped() ? L"Collapse" : L"Expand";
}

HRESULT CDropAccessible::DoDefaultAction(long nChild)
{
    return nChild == CHILDID_SELF ? PostDefaultAction() : DISP_E_MEMBERNOTFOUND;
}
