// The loaded extension module: a dynamic class and a string resource that exist only while the
// module is loaded.
#define AFX_CORE_EXT_BUILD
#include "ext_modules.h"
#include "afxdllx.h"

class CExtLoadedThing : public CObject
{
    DECLARE_DYNCREATE(CExtLoadedThing)
};
IMPLEMENT_DYNCREATE(CExtLoadedThing, CObject)

static AFX_EXTENSION_MODULE s_extLoaded = {0, NULL, NULL, NULL, NULL};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(s_extLoaded, hInstance))
            return FALSE;
        new CDynLinkLibrary(s_extLoaded);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(s_extLoaded);
    }
    return TRUE;
}
