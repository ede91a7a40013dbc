// What a screen reader reads of an XP button (a CButtonXP or a host's button given the look by
// XPButton_Attach): a push button, check box or radio button by its kind, named by its text
// without the '&', checked, default, pressed or unavailable as the button is; its default
// action clicks it.
#pragma once

#include "frame/CAccessible.h"

class CButtonXP_;

class CButtonXPAccessible : public CAccessible
{
public:
    static CAccessible* Make(HWND hButton);

protected:
    explicit CButtonXPAccessible(HWND hButton) : CAccessible(hButton, OBJID_CLIENT) {}

    // The button's behaviour while it is attached or alive; null once it is gone.
    CButtonXP_* Button() const;

    long ChildCount() override { return 0; }
    long Role(long nChild) override;
    long State(long nChild) override;
    std::wstring DefaultAction(long nChild) override;
    HRESULT DoDefaultAction(long nChild) override;
};
