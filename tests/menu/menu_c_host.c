/* A host written in plain C that loads Lumo.dll at run time, as hosts in other languages do.
 * "menu_c_host.exe X Y" pops the probe's menu at (X, Y) for a plain window and prints what it
 * saw and the result; then it switches menu shadows on, frees the library with the hook on and
 * opens a menu of the system's own, which must come without the library's subclass. Exit code
 * 0 when all went as expected. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "MenuProbe.h"

static int s_subclassed;

/* Notes whether the open menu carries the shadow's subclass, then ends it. */
static void CALLBACK Tick(HWND hwnd, UINT msg, UINT_PTR id, DWORD time)
{
    HWND menu = ProbeOpenMenu(-1);
    (void)hwnd, (void)msg, (void)time;
    if (!menu)
        return;
    s_subclassed = GetPropA(menu, "CoolMenu_oldProc") != NULL;
    KillTimer(NULL, id);
    EndMenu();
}

static int SystemMenuSubclassed(HWND owner)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "One");
    s_subclassed = -1;
    SetTimer(NULL, 0, 10, Tick);
    TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, 50, 50, 0, owner, NULL);
    DestroyMenu(menu);
    return s_subclassed;
}

int main(int argc, char** argv)
{
    /* The entry points in the order of PopMenuApi's members, then the shadow's. */
    static const char* const names[7] = { "PopMenu_New", "PopMenu_SetItem", "PopMenu_SetIcon", "PopMenu_SetCheck",
                                          "PopMenu_SetEnable", "PopMenu_Popxy", "ShadowMenu_Enable" };
    struct { PopMenuApi api; void(WINAPI* pfnShadow)(int); } lib;
    char path[MAX_PATH], out[1024];
    char* slash;
    HMODULE lumo;
    HWND owner;
    int i, result, before, after, unloaded;

    /* The library beside this program, by its full path. */
    GetModuleFileNameA(NULL, path, MAX_PATH);
    slash = strrchr(path, '\\');
    strcpy(slash ? slash + 1 : path, "Lumo.dll");
    if (argc < 3 || (lumo = LoadLibraryA(path)) == NULL)
        return 2;
    for (i = 0; i < 7; ++i)
        if ((((FARPROC*)&lib)[i] = GetProcAddress(lumo, names[i])) == NULL)
            return 3;

    owner = CreateWindowA("STATIC", "C host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, NULL, NULL, NULL, NULL);
    result = ProbePopMenu(&lib.api, owner, atoi(argv[1]), atoi(argv[2]), out, sizeof out);
    printf("%sresult %d\n", out, result);
    lib.pfnShadow(1);
    before = SystemMenuSubclassed(owner);
    FreeLibrary(lumo);
    unloaded = GetModuleHandleA("Lumo.dll") == NULL;
    after = SystemMenuSubclassed(owner);
    printf("shadow while loaded %d, library unloaded %d, shadow after unloading %d\n", before, unloaded, after);
    DestroyWindow(owner);
    return before == 1 && unloaded && after == 0 ? 0 : 1;
}
