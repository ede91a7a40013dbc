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

// The drop's children are its windows, with objects of their own: only the drop itself is
// asked here.
std::wstring CDropAccessible::Name(long)
{
    CWndDrop* pDrop = Drop();
    return pDrop ? Widen(pDrop->GetTitle()) : std::wstring();
}

long CDropAccessible::Role(long)
{
    return ROLE_SYSTEM_GROUPING;
}

long CDropAccessible::State(long)
{
    CWndDrop* pDrop = Drop();
    if (!pDrop)
        return 0;
    return WindowState() | (pDrop->IsDropped() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED);
}

std::wstring CDropAccessible::DefaultAction(long)
{
    CWndDrop* pDrop = Drop();
    if (!pDrop)
        return std::wstring();
    return pDrop->IsDropped() ? L"Collapse" : L"Expand";
}

HRESULT CDropAccessible::DoDefaultAction(long)
{
    return PostDefaultAction();
}
