// ShadowMenu_Enable: menu shadows for the calling thread.
#include "lumo.h"
#include "CMenuShadow.h"

LUMOAPI void WINAPI ShadowMenu_Enable(int bEnable)
{
    if (bEnable)
        CMenuShadow::InstallHook();
    else
        CMenuShadow::UnInstallHook();
}
