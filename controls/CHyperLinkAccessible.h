// What a screen reader reads of a hyperlink: a link named by its text, whose value is its
// target and whose default action activates it as a click does (opening the target, or in
// notify mode sending the host its message).
#pragma once

#include "frame/CAccessible.h"

class CHyperLinkStatic;

class CHyperLinkAccessible : public CAccessible
{
public:
    static CAccessible* Make(HWND hLink);

protected:
    explicit CHyperLinkAccessible(HWND hLink) : CAccessible(hLink, OBJID_CLIENT) {}

    CHyperLinkStatic* Link() const;

    long ChildCount() override { return 0; }
    std::wstring Name(long nChild) override;
    std::wstring Value(long nChild) override;
    long Role(long nChild) override;
    long State(long nChild) override;
    std::wstring DefaultAction(long nChild) override;
    HRESULT DoDefaultAction(long nChild) override;
};
