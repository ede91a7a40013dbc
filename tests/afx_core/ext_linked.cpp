// The linked extension module: joins the framework's module chain on attach.
#define AFX_CORE_EXT_BUILD
#include "ext_modules.h"
#include "afxdllx.h"

IMPLEMENT_DYNCREATE(CExtLinkedShape, CObject)

static AFX_EXTENSION_MODULE s_extLinked = {0, NULL, NULL, NULL, NULL};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(s_extLinked, hInstance))
            return FALSE;
        new CDynLinkLibrary(s_extLinked);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(s_extLinked);
    }
    return TRUE;
}
