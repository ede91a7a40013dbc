/*
 * Lumo.dll: the flat C interface.
 *
 * Every function is exported by its plain name with C linkage and the WINAPI calling
 * convention. Objects are named by handles: window handles for window-based controls, opaque
 * pointers for the others. A null or unknown handle makes a function do nothing and return its
 * failure value (0 or null unless stated). Strings go in as zero-terminated ANSI text; strings
 * that come out stay valid after the call and are not freed by the caller. Truth values are 1
 * and 0; setters return the previous value of the property they change.
 *
 * This header compiles as C and as C++.
 */
#ifndef LUMO_H
#define LUMO_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef LUMO_BUILD
#define LUMOAPI __declspec(dllexport)
#else
#define LUMOAPI __declspec(dllimport)
#endif

/* ---- Platform queries ------------------------------------------------------------------ */

/* 1 when the system's major version is 6, else 0. */
LUMOAPI int WINAPI IsVista(void);
/* Non-zero on Windows XP and later NT systems. */
LUMOAPI int WINAPI IsWinXP(void);
/* 1 when visual themes are active for buttons; probed once per process. */
LUMOAPI int WINAPI IsWinXPThemeOpened(void);
/* The library's version number. */
LUMOAPI int WINAPI GetDllVersion(void);

/* ---- LMENU_*: tree data, its file and generated menus -------------------------------------- */
/* (LMENU functions go here) */

/* ---- Tree_*: the navigation tree ----------------------------------------------------------- */
/* (TREE functions go here) */

/* ---- DoorWin_* and DropWin_*: the door panel ----------------------------------------------- */
/* (DOOR functions go here) */

/* ---- PopMenu_* and ShadowMenu_Enable: popup menus ------------------------------------------ */
/* (POPMENU functions go here) */

/* ---- ShadowWin_*: window shadows ----------------------------------------------------------- */
/* (SHADOWWIN functions go here) */

/* ---- Skin_*: skinned windows --------------------------------------------------------------- */
/* (SKIN functions go here) */

/* ---- Frameset_* and Frame_*: frame sets ---------------------------------------------------- */
/* (FRAMESET functions go here) */

/* ---- XPButton_*: XP-style buttons attached to existing buttons ----------------------------- */
/* (XPBUTTON functions go here) */

#ifdef __cplusplus
}
#endif

#endif /* LUMO_H */
