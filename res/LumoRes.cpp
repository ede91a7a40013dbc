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

// The larger copies of a bitmap id, with the DPI each is drawn for.
static const struct { int nDpi; int nOffset; } s_copies[] = {
    { 96, 0 }, { 144, LUMORES_ID_150 }, { 192, LUMORES_ID_200 },
};

// A copy of a bitmap at another size, scaled with a smoothing filter; 0 when it cannot be made.
static HBITMAP ScaleBitmap(HBITMAP hSrc, int cx, int cy)
{
    BITMAP bm;
    if (!::GetObjectA(hSrc, sizeof(bm), &bm) || cx <= 0 || cy <= 0)
        return NULL;
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof(bi));
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* pBits = NULL;
    HBITMAP hDst = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (!hDst)
        return NULL;
    HDC hSrcDC = ::CreateCompatibleDC(NULL);
    HDC hDstDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOldSrc = ::SelectObject(hSrcDC, hSrc);
    HGDIOBJ hOldDst = ::SelectObject(hDstDC, hDst);
    ::SetStretchBltMode(hDstDC, HALFTONE);
    ::SetBrushOrgEx(hDstDC, 0, 0, NULL);
    ::StretchBlt(hDstDC, 0, 0, cx, cy, hSrcDC, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    ::SelectObject(hSrcDC, hOldSrc);
    ::SelectObject(hDstDC, hOldDst);
    ::DeleteDC(hSrcDC);
    ::DeleteDC(hDstDC);
    return hDst;
}

// The bitmap of an id drawn for a DPI: the copy drawn for it (100, 150 or 200 %), otherwise the
// nearest larger copy scaled down to the DPI's size (the largest, scaled up, above 200 %). The
// caller owns it. 0 for an unknown id.
LUMORES_API HBITMAP WINAPI Load1BitmapForDpi(int id, int dpi)
{
    if (id <= 0 || id >= LUMORES_ID_150)
        return NULL;
    const int nCopies = (int)(sizeof(s_copies) / sizeof(s_copies[0]));
    int k = 0;
    while (k < nCopies - 1 && s_copies[k].nDpi < dpi)
        k++;
    HBITMAP hCopy = Load1Bitmap(id + s_copies[k].nOffset);
    if (!hCopy || dpi == s_copies[k].nDpi || dpi <= 0)
        return hCopy;
    // Sizes follow the 100 % copy, so every DPI gives what the controls compute from it.
    HBITMAP hBase = k == 0 ? NULL : Load1Bitmap(id);
    BITMAP bm;
    if (!::GetObjectA(hBase ? hBase : hCopy, sizeof(bm), &bm))
        bm.bmWidth = bm.bmHeight = 0;
    if (hBase)
        ::DeleteObject(hBase);
    HBITMAP hScaled = ScaleBitmap(hCopy, ::MulDiv(bm.bmWidth, dpi, 96), ::MulDiv(bm.bmHeight, dpi, 96));
    if (!hScaled)
        return hCopy;
    ::DeleteObject(hCopy);
    return hScaled;
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

// ---- Skin schemes ------------------------------------------------------------------------------
// A skin id is a scheme index. Its outputs: caption, title text and outline colours; the
// caption's top and bottom line colours, each list ended by 0; then bitmap ids of the two
// corners and of the close, restore, maximize and minimize buttons (normal, hot, pressed).

struct SkinScheme
{
    COLORREF colors[3];
    COLORREF topLines[4];
    COLORREF bottomLines[4];
};

static const SkinScheme s_skins[LUMORES_SKINS] = {
    {{LUMORES_SKIN0_COLORS}, LUMORES_SKIN0_TOP_LINES, LUMORES_SKIN0_BOTTOM_LINES},
    {{LUMORES_SKIN1_COLORS}, LUMORES_SKIN1_TOP_LINES, LUMORES_SKIN1_BOTTOM_LINES},
    {{LUMORES_SKIN2_COLORS}, LUMORES_SKIN2_TOP_LINES, LUMORES_SKIN2_BOTTOM_LINES},
    {{LUMORES_SKIN3_COLORS}, LUMORES_SKIN3_TOP_LINES, LUMORES_SKIN3_BOTTOM_LINES},
    {{LUMORES_SKIN4_COLORS}, LUMORES_SKIN4_TOP_LINES, LUMORES_SKIN4_BOTTOM_LINES},
};

// Bitmap ids of every scheme, laid out as the generator numbers them: corners, then four
// buttons of three states each.
static int s_skinIds[LUMORES_SKINS][14];

LUMORES_API int WINAPI GetSkin(int skin, COLORREF* caption, COLORREF* titleText, COLORREF* outline,
                               const COLORREF** topLines, const COLORREF** bottomLines, const int** corners,
                               const int** close, const int** restore, const int** maximize,
                               const int** minimize)
{
    if (skin < 0 || skin >= LUMORES_SKINS)
        return 0;
    int* ids = s_skinIds[skin];
    for (int i = 0; i < 14; i++)
        ids[i] = LUMORES_SKIN_BASE_ID + LUMORES_SKIN_ID_STRIDE * skin + i;
    const SkinScheme& s = s_skins[skin];
    if (caption) *caption = s.colors[0];
    if (titleText) *titleText = s.colors[1];
    if (outline) *outline = s.colors[2];
    if (topLines) *topLines = s.topLines;
    if (bottomLines) *bottomLines = s.bottomLines;
    if (corners) *corners = ids;
    if (close) *close = ids + 2;
    if (restore) *restore = ids + 5;
    if (maximize) *maximize = ids + 8;
    if (minimize) *minimize = ids + 11;
    return 1;
}
