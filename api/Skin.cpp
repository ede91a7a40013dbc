// Skin_*: skinned windows.
#include "lumo.h"
#include "skin/CSkin.h"

LUMOAPI int WINAPI Skin_Register(HWND hwnd, int nSkinId)
{
    return SkinRegister(hwnd, nSkinId);
}

LUMOAPI int WINAPI Skin_ChangeSkin(HWND hwnd, int nSkinId)
{
    return SkinChangeSkin(hwnd, nSkinId);
}

LUMOAPI int WINAPI Skin_Unregister(HWND hwnd)
{
    return SkinUnregister(hwnd);
}

LUMOAPI void WINAPI Skin_ShowIcon(HWND hwnd, int show)
{
    SkinShowIcon(hwnd, show);
}

LUMOAPI void WINAPI Skin_SetTitleFont(HWND hwnd, int nStockFont)
{
    SkinSetTitleFont(hwnd, nStockFont);
}

LUMOAPI void WINAPI Skin_SetTitlePosition(HWND hwnd, int nAlign)
{
    SkinSetTitlePosition(hwnd, nAlign);
}
