/* The menu of MenuProbe.h, driven from a thread timer while it is tracked. */
#include "MenuProbe.h"

#include <stdio.h>
#include <string.h>

static HWND s_owner, s_found;
static char* s_out;
static int s_outSize, s_levels, s_ticks;

static BOOL CALLBACK FindLevel(HWND hwnd, LPARAM items)
{
    char name[16] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpA(name, "#32768") != 0 || !IsWindowVisible(hwnd) ||
        (items >= 0 && GetMenuItemCount((HMENU)SendMessageA(hwnd, 0x01E1 /* MN_GETHMENU */, 0, 0)) != items))
        return TRUE;
    s_found = hwnd;
    return FALSE;
}

HWND ProbeOpenMenu(int items)
{
    s_found = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindLevel, items);
    return s_found;
}

/* A line with the level's size and a checksum of its pixels, printed rather than read from the
 * screen, which may not show the latest painting yet. */
static void Describe(HWND menuWnd)
{
    RECT rc;
    HDC screen = GetDC(NULL), mem = CreateCompatibleDC(screen);
    HBITMAP bmp;
    HGDIOBJ old;
    unsigned long sum = 0;
    int x, y, w, h, used = (int)strlen(s_out);
    GetWindowRect(menuWnd, &rc);
    w = rc.right - rc.left;
    h = rc.bottom - rc.top;
    bmp = CreateCompatibleBitmap(screen, w, h);
    old = SelectObject(mem, bmp);
    SendMessageA(menuWnd, WM_PRINT, (WPARAM)mem, PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    for (y = 0; y < h; ++y)
        for (x = 0; x < w; ++x)
            sum = (sum * 31 + (GetPixel(mem, x, y) & 0xFFFFFF)) & 0xFFFFFFFFul;
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(NULL, screen);
    if (used + 40 < s_outSize)
        sprintf(s_out + used, "level %dx%d pixels %08lx\n", w, h, sum);
}

/* The top level (5 items) is described and S opens "Send to"; then the submenu (2 items) is
 * described and P picks "Printer". */
static void CALLBACK Tick(HWND hwnd, UINT msg, UINT_PTR id, DWORD time)
{
    HWND level = s_levels < 2 ? ProbeOpenMenu(s_levels == 0 ? 5 : 2) : NULL;
    (void)hwnd, (void)msg, (void)id, (void)time;
    if (++s_ticks > 300)
        EndMenu();
    if (!level)
        return;
    Describe(level);
    PostMessageA(s_owner, WM_KEYDOWN, s_levels++ == 0 ? 'S' : 'P', 1);
}

int ProbePopMenu(const PopMenuApi* api, HWND owner, int x, int y, char* out, int outSize)
{
    static const struct { int id; const char* text; int parent; } items[] = {
        {10, "&Open", 0}, {11, "&Favourite", 0}, {12, "&Delete", 0}, {0, "-", 0},
        {30, "&Send to", 0}, {31, "&Mail", 30}, {32, "&Printer", 30}};
    HPOPMENU menu = api->pfnNew(owner);
    UINT_PTR timer;
    int i, result;
    for (i = 0; i < 7; ++i)
        api->pfnSetItem(menu, items[i].id, items[i].text, items[i].parent);
    api->pfnSetIcon(menu, 10, LoadIconA(NULL, (LPCSTR)IDI_APPLICATION));
    api->pfnSetCheck(menu, 11, 1);
    api->pfnSetEnable(menu, 12, 0);
    s_owner = owner;
    s_out = out;
    s_outSize = outSize;
    s_out[0] = '\0';
    s_levels = s_ticks = 0;
    timer = SetTimer(NULL, 0, 10, Tick);
    result = api->pfnPopxy(menu, x, y);
    KillTimer(NULL, timer);
    return result;
}
