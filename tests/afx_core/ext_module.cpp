// The two extension modules of the tests, built from this one source: the linked one joins the
// framework's module chain as the test program starts; the loaded one (EXT_LOADED), with a
// dynamic class and a string resource, is in the chain only while a test holds it.
#define AFX_CORE_EXT_BUILD
#include "ext_modules.h"
#include "afxdllx.h"

#ifdef EXT_LOADED
class CExtLoadedThing : public CObject
{
    DECLARE_DYNCREATE(CExtLoadedThing)
};
IMPLEMENT_DYNCREATE(CExtLoadedThing, CObject)
#else
IMPLEMENT_DYNCREATE(CExtLinkedShape, CObject)
#endif

static AFX_EXTENSION_MODULE s_module = {0, NULL, NULL, NULL, NULL};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(s_module, hInstance))
            return FALSE;
        new CDynLinkLibrary(s_module);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(s_module);
    }
    return TRUE;
}
