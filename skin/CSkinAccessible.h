// What a screen reader reads of a skinned caption, through OBJID_TITLEBAR as the system's own
// caption answers it: a title bar named by the window's text, with the system's five children
// (input method, minimize, maximize or restore, context help, close), the buttons the skin does
// not show being invisible. Its buttons' default action presses them as a click does.
#pragma once

#include "frame/CAccessible.h"

class CSkin;

class CSkinAccessible : public CAccessible
{
public:
    // The children, numbered as the system's caption numbers them.
    enum
    {
        ChildIme = 1,
        ChildMinimize = 2,
        ChildMaximize = 3,
        ChildHelp = 4,
        ChildClose = 5,
    };

    static CAccessible* Make(HWND hWnd);

protected:
    explicit CSkinAccessible(HWND hWnd) : CAccessible(hWnd, OBJID_TITLEBAR) {}

    CSkin* Skin() const;
    // The button's rectangle relative to the window, or null when the skin shows no such button.
    const RECT* ButtonRect(long nChild) const;

    long ChildCount() override { return ChildClose; }
    BOOL IsElement(long) override { return TRUE; }
    std::wstring Name(long nChild) override;
    long Role(long nChild) override;
    long State(long nChild) override;
    std::wstring DefaultAction(long nChild) override;
    HRESULT DoDefaultAction(long nChild) override;
    BOOL Location(long nChild, RECT* pRect) override;
    long FocusedChild() override { return -1; }
};
