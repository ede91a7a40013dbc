/* Runs the README's door host as it is and checks, from a timer inside its own message loop,
 * what it built: a door with one open drop titled "Sales" whose body is a tree of the three
 * records, and a click on a record naming the window after it. Then it closes the window.
 * Exit code 0 when every check held; otherwise the number of the first that failed. */
#include <stdio.h>
#include <string.h>
#include <time.h>
#define main door_host_main
#include "door_host/door_host.c"
#undef main
#include <commctrl.h>

/* Lumo::C gives a C host lumo.h alone: the framework layer's headers stay off its path. */
#if __has_include(<afxwin.h>) || __has_include(<afx.h>)
#error "the framework layer's headers are on a C host's include path"
#endif

static int failure = 1; /* the window never appeared */
static int ticks;

static BOOL CALLBACK FindTree(HWND hwnd, LPARAM found)
{
    char name[32];
    GetClassNameA(hwnd, name, sizeof name);
    if (strcmp(name, "SysTreeView32") != 0)
        return TRUE;
    *(HWND*)found = hwnd;
    return FALSE;
}

static int Check(HWND window)
{
    HWND door = FindWindowExA(window, NULL, NULL, "DoorWin");
    HWND drop = DoorWin_EnumDropWin(door, 0);
    HWND tree = NULL;
    HWND layer = FindWindowExA(door, NULL, NULL, "DoorWinLayer");
    RECT layerRect, dropRect, treeRect;
    const char* title = DropWin_GetTitle(drop);
    char caption[64];
    if (!door || !layer || !DoorWin_IsOpened(door)) return 2;
    if (!drop || DoorWin_EnumDropWin(door, 1) || !title || strcmp(title, "Sales") != 0) return 3;
    EnumChildWindows(window, FindTree, (LPARAM)&tree);
    if (!tree || !DropWin_GetDrop(drop) || !IsWindowVisible(tree)) return 4;
    /* The drop stands 4 pixels inside the door's layer (the door left of its toggle button) on
     * the left, right and top, 300 pixels high; the tree fills it below the header. */
    GetClientRect(layer, &layerRect);
    MapWindowPoints(layer, NULL, (POINT*)&layerRect, 2);
    GetWindowRect(drop, &dropRect);
    GetWindowRect(tree, &treeRect);
    if (dropRect.left - layerRect.left != 4 || layerRect.right - dropRect.right != 4 ||
        dropRect.top - layerRect.top != 4 || dropRect.bottom - dropRect.top != 300) return 5;
    if (treeRect.left != dropRect.left || treeRect.right != dropRect.right ||
        treeRect.bottom != dropRect.bottom || treeRect.top <= dropRect.top) return 6;
    if (TreeView_GetCount(tree) != 3 || !Tree_GetItem(tree, "1") || !Tree_GetItem(tree, "101") ||
        !Tree_GetItem(tree, "102")) return 7;
    Tree_SelectItem(tree, "102");
    GetWindowTextA(window, caption, sizeof caption);
    if (strcmp(caption, "Order list") != 0) return 8;
    return 0;
}

static void CALLBACK Tick(HWND unused, UINT msg, UINT_PTR id, DWORD time)
{
    HWND window = FindWindowA("DoorHost", NULL);
    (void)unused; (void)msg; (void)time;
    /* The window appears before the loop runs; ten seconds of ticks is a generous margin. A
     * tree reports no click within 0.4 seconds of the one before, the first counted from the
     * program's start, so the click waits until half a second has passed. */
    if ((!window || clock() < CLOCKS_PER_SEC / 2) && ++ticks < 200)
        return;
    KillTimer(NULL, id);
    if (window) {
        failure = Check(window);
        PostMessageA(window, WM_CLOSE, 0, 0);
    } else {
        PostQuitMessage(0);
    }
}

int main(void)
{
    int status;
    SetTimer(NULL, 0, 50, Tick);
    status = door_host_main();
    if (failure == 0 && status != 0) failure = 9;
    if (failure) printf("door_host: check %d failed\n", failure);
    return failure;
}
