// LumoRes.dll: bitmaps, colours and image counts for the controls of Lumo.dll.
// Every bitmap is drawn by gen_bitmaps.py at build time and linked in as a BITMAP resource.
#include <windows.h>
#include "LumoResIds.h"

#define LUMORES_API extern "C" __declspec(dllexport)

static HINSTANCE g_hInstance;

static const DWORD s_doorColors[LUMORES_DOOR_HUES] = LUMORES_DOOR_COLORS;
static const DWORD s_dropColors[LUMORES_DROP_HUES] = LUMORES_DROP_COLORS;

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
    {
        g_hInstance = hInstance;
        DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}

// Loads a bitmap by id as a DIB section; the caller owns and deletes it. 0 for an unknown id.
LUMORES_API HBITMAP WINAPI Load1Bitmap(int id)
{
    return (HBITMAP)LoadImageA(g_hInstance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
}

LUMORES_API int WINAPI GetTreeLeave()
{
    return LUMORES_LEAF_COUNT;
}

LUMORES_API int WINAPI GetTreeNodes()
{
    return LUMORES_NODE_COUNT;
}

LUMORES_API int WINAPI EnumTreeLeaf(int index)
{
    return (index >= 0 && index < LUMORES_LEAF_COUNT) ? IDB_LEAF0 + index : 0;
}

LUMORES_API int WINAPI EnumTreeNode(int index)
{
    return (index >= 0 && index < LUMORES_NODE_COUNT) ? IDB_NODE0 + index : 0;
}

// Door hue: the toggle button's normal and hover bitmap ids and the door's colour.
LUMORES_API int WINAPI GetDoorHandle(int hue, DWORD* normalId, DWORD* hoverId, DWORD* color)
{
    if (hue < 0 || hue >= LUMORES_DOOR_HUES)
        return 0;
    if (normalId) *normalId = IDB_DOOR0_NORMAL + 2 * hue;
    if (hoverId) *hoverId = IDB_DOOR0_HOVER + 2 * hue;
    if (color) *color = s_doorColors[hue];
    return 1;
}

// Drop hue: dropped, closed, dropped-hover and closed-hover bitmap ids, then the header colour.
LUMORES_API int WINAPI GetDropHandle(int hue, DWORD* dropped, DWORD* closed, DWORD* droppedHover,
                                     DWORD* closedHover, DWORD* color)
{
    if (hue < 0 || hue >= LUMORES_DROP_HUES)
        return 0;
    const DWORD base = IDB_DROP0_DROPPED + 4 * hue;
    if (dropped) *dropped = base;
    if (closed) *closed = base + 1;
    if (droppedHover) *droppedHover = base + 2;
    if (closedHover) *closedHover = base + 3;
    if (color) *color = s_dropColors[hue];
    return 1;
}

// Skin schemes come with the skinned-window work; until then no skin id is known.
LUMORES_API int WINAPI GetSkin(int, void*, void*, void*, void*, void*, void*, void*, void*, void*, void*)
{
    return 0;
}
