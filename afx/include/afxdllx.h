// Extension modules: DLLs whose classes and resources join the host's framework state.
//
// An extension module's DllMain calls AfxInitExtensionModule on process attach and then
// creates a CDynLinkLibrary, which enters the module in the process-wide chain searched for
// resources; on detach it calls AfxTermExtensionModule, which takes the module out again.
#pragma once

#include "afx.h"

struct AFX_EXTENSION_MODULE
{
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
    CRuntimeClass* pFirstSharedClass;
    void* pFirstSharedFactory;
};

class AFX_API CDynLinkLibrary : public CObject
{
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    virtual ~CDynLinkLibrary();

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;                 // searched after the others
    CDynLinkLibrary* m_pNextDLL;    // next in the process-wide chain
};

// TRUE once the record describes the module; FALSE for a null module.
AFX_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Deletes the chain entries of the module (of every module with bAll) and forgets the
// run-time classes that the module defined, so that nothing points into an unloaded image.
AFX_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// The head of the process-wide chain (most recently added first), and its length.
AFX_API CDynLinkLibrary* AFXAPI AfxGetFirstDynLinkLibrary();
AFX_API int AFXAPI AfxGetExtensionModuleCount();
