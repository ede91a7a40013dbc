// A framework host that uses the exported classes, compiled lean: the members named like
// Windows functions (GetObject, ChangeMenu) link whatever macros windows.h left out. It names
// the headers by their folder in the SDK, lumo/; the framework layer's it reaches through the
// target, as the class headers themselves do.
#define WIN32_LEAN_AND_MEAN
#include <afxwin.h>
#include <lumo/lumo.h>
#include <lumo/CButtonBMP.h>
#include <lumo/CButtonXP.h>
#include <lumo/CHookParentMessage.h>
#include <lumo/CHyperLinkStatic.h>
#include <lumo/CMenuPopEx.h>
#include <lumo/CMenuShadow.h>
#include <lumo/CMySlideCtrl.h>
#include <lumo/CMyWin.h>
#include <lumo/CProgressCtrlEx.h>
#include <lumo/CRgnMaker.h>
#include <lumo/CSpecGroupBox.h>
#include <lumo/CTabCtrlEx.h>
#include <lumo/CTree10.h>
#include <lumo/CTreeData.h>
#include <lumo/CUtilityVisual.h>
#include <lumo/CWndBack.h>
#include <lumo/CWndDoor.h>
#include <lumo/CWndDrop.h>

// Exit code 0 when every class answered; otherwise the number of the first check that failed.
int main()
{
    HWND host = ::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, NULL,
                                  NULL, NULL, NULL);
    if (!host) return 1;
    CTreeData data;
    data.AddItem("1", "One", "", "", 0, 0, "", 0);
    data.AddItem("101", "One-A", "", "", 1, 0, "", 0);
    if (!data.ChangeMenu(host, "")) return 2;
    CTree10* tree = CTree10::GetObject(Tree_new(host, 0, 0, 100, 100, 0));
    if (!tree) return 3;
    tree->BindTreeData(&data, "", 1, 1);
    if (!tree->GetItem("101")) return 4;
    if (!DoorWin_new(host) || !CWndDoor::GetObject(host)) return 5;
    if (CUtilityVisual::Hilight(RGB(250, 10, 100), 10) != RGB(255, 20, 110)) return 6;
    {
        // Controls a host embeds link too.
        CButtonXP button;
        CProgressCtrlEx progress;
        CMySlideCtrl slider;
    }
    ::DestroyWindow(host);
    data.DestroyMenus();
    return CWndDoor::GetObject(host) == NULL ? 0 : 7;
}
