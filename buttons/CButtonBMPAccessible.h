// What a screen reader reads of a bitmap button: a push button named by the button
// (CButtonBMP::GetAccessibleName), whose default action clicks it.
#pragma once

#include "frame/CAccessible.h"

class CButtonBMP;

class CButtonBMPAccessible : public CAccessible
{
public:
    static CAccessible* Make(HWND hButton);

protected:
    explicit CButtonBMPAccessible(HWND hButton) : CAccessible(hButton, OBJID_CLIENT) {}

    CButtonBMP* Button() const;

    long ChildCount() override { return 0; }
    std::wstring Name(long nChild) override;
    long Role(long nChild) override;
    long State(long nChild) override;
    std::wstring DefaultAction(long nChild) override;
    HRESULT DoDefaultAction(long nChild) override;
};
