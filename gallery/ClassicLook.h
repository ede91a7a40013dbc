// Lets a host process see the library with visual themes off, so the controls that draw
// themselves only in the classic look (the owner-drawn tabs among them) show their own drawing
// and the caption skin, which stands aside under themes, can be registered.
//
// The library asks once per process whether themes are active (IsWinXPThemeOpened) and keeps
// the answer. Wine's theme library answers every program alike and ignores
// SetThemeAppProperties, so the question is asked while the desktop window names a theme class
// that does not exist, and the desktop's own setting is put back at once. Call this before
// anything else asks; the answer is whether the library now sees themes off.
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include "lumo.h"

namespace gallery {

inline bool UseClassicLook()
{
    HWND desktop = ::GetDesktopWindow();
    ::SetWindowTheme(desktop, NULL, L"LumoClassicLook");
    const int themed = IsWinXPThemeOpened();
    ::SetWindowTheme(desktop, NULL, NULL);
    return themed == 0;
}

}  // namespace gallery
