// What a screen reader reads of a drop: a group named by its title, expanded or collapsed, whose
// default action opens or closes it as a click on its header does. Its children are the drop's
// windows (the header button and the body).
#pragma once

#include "frame/CAccessible.h"

class CWndDrop;

class CDropAccessible : public CAccessible
{
public:
    static CAccessible* Make(HWND hDrop);

protected:
    explicit CDropAccessible(HWND hDrop) : CAccessible(hDrop, OBJID_CLIENT) {}

    // The drop while its window lives; null once it is gone.
    CWndDrop* Drop() const;

    std::wstring Name(long nChild) override;
    long Role(long nChild) override;
    long State(long nChild) override;
    std::wstring DefaultAction(long nChild) override;
    HRESULT DoDefaultAction(long nChild) override;
};
