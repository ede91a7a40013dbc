// Run-time class information and CObject.
#include "afx.h"
#include "afx_core_impl.h"

// The process-wide list of registered classes. A plain pointer, constant-initialised, so that
// classes of any module can register during static initialisation in any order.
static CRuntimeClass* s_pFirstClass = NULL;

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    if (pNewClass == NULL)
        return;
    for (CRuntimeClass* p = s_pFirstClass; p != NULL; p = p->m_pNextClass)
        if (p == pNewClass)
            return;
    pNewClass->m_pNextClass = s_pFirstClass;
    s_pFirstClass = pNewClass;
}

void _AfxUnregisterModuleClasses(HMODULE hModule)
{
    if (hModule == NULL)
        return;
    CRuntimeClass** ppPrev = &s_pFirstClass;
    while (*ppPrev != NULL) {
        CRuntimeClass* pClass = *ppPrev;
        MEMORY_BASIC_INFORMATION mbi;
        if (VirtualQuery(pClass, &mbi, sizeof(mbi)) == sizeof(mbi) && mbi.AllocationBase == (PVOID)hModule) {
            *ppPrev = pClass->m_pNextClass;
            pClass->m_pNextClass = NULL;
        } else {
            ppPrev = &pClass->m_pNextClass;
        }
    }
}

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == NULL)
        return NULL;
    return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    if (pBaseClass == NULL)
        return FALSE;
    for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->m_pBaseClass)
        if (pClass == pBaseClass)
            return TRUE;
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    for (CRuntimeClass* pClass = s_pFirstClass; pClass != NULL; pClass = pClass->m_pNextClass)
        if (lstrcmpA(pClass->m_lpszClassName, lpszClassName) == 0)
            return pClass;
    return NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass == NULL ? NULL : pClass->CreateObject();
}

/////////////////////////////////////////////////////////////////////////////
// CObject

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, NULL, NULL, NULL};
static AFX_CLASSINIT _init_CObject(&CObject::classCObject);

CRuntimeClass* PASCAL CObject::GetThisClass() { return &CObject::classCObject; }
CRuntimeClass* CObject::GetRuntimeClass() const { return &CObject::classCObject; }

CObject::~CObject() {}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}
