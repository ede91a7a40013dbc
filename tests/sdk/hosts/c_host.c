/* A host written in plain C: the public header compiles as C, named as the target lets a host
 * name it ("lumo.h"), and the import library links. */
#include "lumo.h"

int main(void)
{
    /* Exit code 0 when the library answered through its flat interface. */
    HLMENU menu;
    LPSTR stamp;
    int ok;
    if (GetDllVersion() != 5308) return 1;
    menu = LMENU_new();
    stamp = LMENU_GetTimeStamp(menu);
    ok = stamp != NULL && stamp[0] == 0 && DoorWin_GetViewStyle(NULL) == -1;
    LMENU_delete(menu);
    return ok ? 0 : 2;
}
