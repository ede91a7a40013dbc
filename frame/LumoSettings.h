// Process-wide settings of the library's look, and the system settings it follows: whether the
// library draws its own look under visual themes, whether its colours come from the system
// colours (by choice or because high contrast is on), and whether windows and menus animate.
// Every question about the system's settings goes through one seam a test can answer.
#pragma once

#include <windows.h>

namespace LumoSettings
{

// ---- Own look under visual themes -------------------------------------------------------------

// Sets whether the skin and the owner-drawn tabs draw their own look while themes are on;
// returns the previous value. Windows of the library repaint.
int UseOwnLook(int bOn);
int GetOwnLook();
// TRUE when the controls that stand aside under themes draw their own look now: themes are off,
// or the host asked for the library's own look.
BOOL DrawsOwnLook();

// ---- System colours ---------------------------------------------------------------------------

// 1 system colours, 0 the library's palette, -1 system colours while high contrast is on.
// Returns the previous mode; an unknown mode changes nothing and returns -2.
int UseSystemColors(int nMode);
int GetSystemColorsMode();
// TRUE when colours come from the system colours now.
BOOL SystemColors();

// ---- System settings ----------------------------------------------------------------------------

BOOL HighContrast();
// SPI_GETCLIENTAREAANIMATION: windows may slide and fade.
BOOL ClientAreaAnimation();
// SPI_GETMENUANIMATION: menus may slide or fade in.
BOOL MenuAnimation();

// Answers a yes-or-no system question by its SPI_GET* action. The default asks
// SystemParametersInfo; tests put their own answer in place (null restores the default).
typedef BOOL (*PFN_SystemQuestion)(UINT uiAction);
PFN_SystemQuestion SetSystemQuestion(PFN_SystemQuestion pfn);

// ---- Changes --------------------------------------------------------------------------------------

// Counts changes of the colours, the settings and the look; a control that keeps GDI objects made
// from them compares the count it made them at before it paints.
DWORD Generation();
// The colours or the settings changed: the count goes up and every window of the calling thread
// repaints, frames and children included.
void Changed();
// Makes sure WM_SYSCOLORCHANGE and WM_SETTINGCHANGE (which the system sends top-level windows
// only) are heard: by a hidden top-level window of the library's, made in the first thread that
// asks. Cheap after the first call.
void WatchThread();
// Ends the watch (at the library's unloading).
void Unwatch();

}  // namespace LumoSettings
