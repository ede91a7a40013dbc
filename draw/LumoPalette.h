// The colours the library paints with, asked for by role. Each control names the role of what it
// paints and the colour of its own look; whether that colour or the system colour of the role is
// used is decided here, for every control alike.
#pragma once

#include <windows.h>

class LumoPalette
{
public:
    enum Role
    {
        PANE,            // backgrounds of panes and lists
        PANE_TEXT,
        HEADER,          // headers, title bars, buttons, tabs, menus
        HEADER_TEXT,
        SELECTION,
        SELECTION_TEXT,
        HOT,             // hot items and links
        DISABLED_TEXT,
        FRAME,           // frames and separators
        ROLE_COUNT
    };

    // The colour to paint a role with: crOwn in the library's own look, else the role's system
    // colour.
    static COLORREF Color(Role role, COLORREF crOwn);
    // The system colour index of a role.
    static int SysIndex(Role role);
    // TRUE while system colours rule: pictures and gradients give way to flat fills and no
    // shadows are drawn.
    static BOOL Flat();
};
