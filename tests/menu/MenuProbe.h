/* A PopMenu_* menu opened for an owner window and described while it is open: what a host
 * written in plain C and a framework host must both see. Compiles as C and as C++. */
#ifndef MENU_PROBE_H
#define MENU_PROBE_H

#include "lumo.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The family's entry points, from the import library or from GetProcAddress. */
typedef struct PopMenuApi
{
    HPOPMENU(WINAPI* pfnNew)(HWND);
    void(WINAPI* pfnSetItem)(HPOPMENU, int, LPCSTR, int);
    void(WINAPI* pfnSetIcon)(HPOPMENU, int, HICON);
    void(WINAPI* pfnSetCheck)(HPOPMENU, int, int);
    void(WINAPI* pfnSetEnable)(HPOPMENU, int, int);
    int(WINAPI* pfnPopxy)(HPOPMENU, int, int);
} PopMenuApi;

/* Pops a menu with an icon, a check, a greyed item, a separator and a submenu at (x, y). While
 * it is open, writes a line per level to out (window size, checksum of its printed pixels), and
 * picks "Send to > Printer" (32) by its letters, posted to the owner. Returns the pop's result. */
int ProbePopMenu(const PopMenuApi* api, HWND owner, int x, int y, char* out, int outSize);

/* The shown menu window of this thread with that many items (any number when items < 0), or null. */
HWND ProbeOpenMenu(int items);

#ifdef __cplusplus
}
#endif

#endif
