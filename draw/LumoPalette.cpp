// Colours by role: the library's own or the system's.
#include <afxwin.h>
#include "draw/LumoPalette.h"
#include "frame/LumoSettings.h"

namespace
{

const int kSysIndex[LumoPalette::ROLE_COUNT] = {
    COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_HIGHLIGHT,
    COLOR_HIGHLIGHTTEXT, COLOR_HOTLIGHT, COLOR_GRAYTEXT, COLOR_WINDOWFRAME,
};

}  // namespace

int LumoPalette::SysIndex(Role role)
{
    return (role >= 0 && role < ROLE_COUNT) ? kSysIndex[role] : COLOR_WINDOW;
}

BOOL LumoPalette::Flat()
{
    // Whoever paints in the library's colours wants to hear when they change.
    LumoSettings::WatchThread();
    return LumoSettings::SystemColors();
}

COLORREF LumoPalette::Color(Role role, COLORREF crOwn)
{
    return Flat() ? ::GetSysColor(SysIndex(role)) : crOwn;
}
