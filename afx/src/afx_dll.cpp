// Extension modules and the process-wide chain of their CDynLinkLibrary records.
#include "afxdllx.h"
#include "afx_core_impl.h"

// Most recently added first; a plain pointer so that modules may join during their static
// initialisation.
static CDynLinkLibrary* s_pFirstDLL = NULL;

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CObject)

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem), m_pNextDLL(s_pFirstDLL)
{
    s_pFirstDLL = this;
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE), m_pNextDLL(s_pFirstDLL)
{
    s_pFirstDLL = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    for (CDynLinkLibrary** pp = &s_pFirstDLL; *pp != NULL; pp = &(*pp)->m_pNextDLL)
        if (*pp == this) {
            *pp = m_pNextDLL;
            break;
        }
    m_pNextDLL = NULL;
}

CDynLinkLibrary* AFXAPI AfxGetFirstDynLinkLibrary() { return s_pFirstDLL; }

int AFXAPI AfxGetExtensionModuleCount()
{
    int n = 0;
    for (CDynLinkLibrary* p = s_pFirstDLL; p != NULL; p = p->m_pNextDLL)
        n++;
    return n;
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (hModule == NULL)
        return FALSE;
    if (state.bInitialized)
        return TRUE;
    state.bInitialized = TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.pFirstSharedClass = NULL;
    state.pFirstSharedFactory = NULL;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    if (!state.bInitialized)
        return;
    CDynLinkLibrary* pDLL = s_pFirstDLL;
    while (pDLL != NULL) {
        CDynLinkLibrary* pNext = pDLL->m_pNextDLL;
        if (bAll || pDLL->m_hModule == state.hModule)
            delete pDLL;  // unlinks itself
        pDLL = pNext;
    }
    _AfxUnregisterModuleClasses(state.hModule);
    state.bInitialized = FALSE;
}
