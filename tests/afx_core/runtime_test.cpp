// Run-time classes, dynamic creation, geometry, and the chain of extension modules.
#include <gtest/gtest.h>

#include "afx.h"
#include "afxcoll.h"
#include "afxdllx.h"
#include "afxtempl.h"
#include "ext_modules.h"

namespace {

class CAnimal : public CObject
{
    DECLARE_DYNCREATE(CAnimal)
};
IMPLEMENT_DYNCREATE(CAnimal, CObject)

class CDog : public CAnimal
{
    DECLARE_DYNCREATE(CDog)
public:
    int m_nLegs = 4;
};
IMPLEMENT_DYNCREATE(CDog, CAnimal)

class CStone : public CObject
{
    DECLARE_DYNAMIC(CStone)
};
IMPLEMENT_DYNAMIC(CStone, CObject)

}  // namespace

TEST(RuntimeClassTest, KindsAndDynamicCreation)
{
    CDog dog;
    CAnimal animal;
    EXPECT_TRUE(dog.IsKindOf(RUNTIME_CLASS(CAnimal)));
    EXPECT_TRUE(dog.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(animal.IsKindOf(RUNTIME_CLASS(CDog)));
    EXPECT_FALSE(dog.IsKindOf(RUNTIME_CLASS(CStone)));
    EXPECT_FALSE(dog.IsKindOf(NULL));

    CRuntimeClass* pDog = RUNTIME_CLASS(CDog);
    EXPECT_STREQ("CDog", pDog->m_lpszClassName);
    EXPECT_EQ((int)sizeof(CDog), pDog->m_nObjectSize);
    EXPECT_EQ(RUNTIME_CLASS(CAnimal), pDog->m_pBaseClass);
    EXPECT_EQ(RUNTIME_CLASS(CObject), RUNTIME_CLASS(CAnimal)->m_pBaseClass);
    EXPECT_EQ(NULL, RUNTIME_CLASS(CObject)->m_pBaseClass);
    EXPECT_EQ(pDog, CDog::GetThisClass());

    CObject* pObj = pDog->CreateObject();
    ASSERT_NE((CObject*)NULL, pObj);
    EXPECT_EQ(pDog, pObj->GetRuntimeClass());
    CAnimal* pAnimal = DYNAMIC_DOWNCAST(CAnimal, pObj);
    EXPECT_EQ(pObj, (CObject*)pAnimal);
    EXPECT_EQ(4, static_cast<CDog*>(pObj)->m_nLegs);
    EXPECT_EQ(NULL, DYNAMIC_DOWNCAST(CStone, pObj));
    delete pObj;
    EXPECT_EQ(NULL, RUNTIME_CLASS(CStone)->CreateObject());

    EXPECT_EQ(pDog, CRuntimeClass::FromName("CDog"));
    EXPECT_EQ(RUNTIME_CLASS(CFile), CRuntimeClass::FromName("CFile"));
    EXPECT_EQ(NULL, CRuntimeClass::FromName("CNoSuchClass"));
    EXPECT_EQ(NULL, CRuntimeClass::FromName(NULL));
    CObject* pByName = CRuntimeClass::CreateObject("CAnimal");
    ASSERT_NE((CObject*)NULL, pByName);
    EXPECT_TRUE(pByName->IsKindOf(RUNTIME_CLASS(CAnimal)));
    delete pByName;

    CTypedPtrArray<CObArray, CAnimal*> animals;
    animals.Add(&animal);
    animals.Add(&dog);
    EXPECT_EQ(&dog, animals[1]);
    EXPECT_TRUE(animals.GetAt(1)->IsKindOf(RUNTIME_CLASS(CDog)));
}

TEST(RuntimeClassTest, ClassesOfALinkedExtensionModule)
{
    // reached through the import table, like a host using the library's classes
    CRuntimeClass* pShape = RUNTIME_CLASS(CExtLinkedShape);
    EXPECT_STREQ("CExtLinkedShape", pShape->m_lpszClassName);
    EXPECT_EQ(RUNTIME_CLASS(CObject), pShape->m_pBaseClass);
    EXPECT_EQ(pShape, CRuntimeClass::FromName("CExtLinkedShape"));
    CObject* pObj = pShape->CreateObject();
    ASSERT_NE((CObject*)NULL, pObj);
    EXPECT_TRUE(pObj->IsKindOf(RUNTIME_CLASS(CExtLinkedShape)));
    EXPECT_EQ(4, static_cast<CExtLinkedShape*>(pObj)->m_nSides);
    delete pObj;

    HMODULE hLinked = GetModuleHandleA("afx_core_ext_linked.dll");
    ASSERT_NE((HMODULE)NULL, hLinked);
    bool found = false;
    for (CDynLinkLibrary* p = AfxGetFirstDynLinkLibrary(); p != NULL; p = p->m_pNextDLL)
        found |= p->m_hModule == hLinked && p->m_hResource == hLinked;
    EXPECT_TRUE(found);
}

TEST(RuntimeClassTest, ALoadedExtensionModuleJoinsAndLeavesTheChain)
{
    int nBefore = AfxGetExtensionModuleCount();
    CString str;
    EXPECT_FALSE(str.LoadString(IDS_EXT_LOADED_HELLO));
    EXPECT_EQ(NULL, CRuntimeClass::FromName("CExtLoadedThing"));

    HMODULE hExt = LoadLibraryA("afx_core_ext_loaded.dll");
    ASSERT_NE((HMODULE)NULL, hExt);
    EXPECT_EQ(nBefore + 1, AfxGetExtensionModuleCount());
    ASSERT_NE((CDynLinkLibrary*)NULL, AfxGetFirstDynLinkLibrary());
    EXPECT_EQ(hExt, AfxGetFirstDynLinkLibrary()->m_hModule);  // the newest comes first

    // resources of the module are found through the chain
    EXPECT_TRUE(str.LoadString(IDS_EXT_LOADED_HELLO));
    EXPECT_STREQ("Hello from the loaded module", str);
    EXPECT_STREQ("Hello from the loaded module", CString(MAKEINTRESOURCEA(IDS_EXT_LOADED_HELLO)));
    EXPECT_EQ(hExt, AfxFindResourceHandle(MAKEINTRESOURCEA((IDS_EXT_LOADED_HELLO >> 4) + 1), RT_STRING));
    EXPECT_EQ(hExt, AfxFindStringResourceHandle(IDS_EXT_LOADED_HELLO));
    EXPECT_EQ(AfxGetResourceHandle(), AfxFindResourceHandle(MAKEINTRESOURCEA(4242), RT_BITMAP));

    CRuntimeClass* pThing = CRuntimeClass::FromName("CExtLoadedThing");
    ASSERT_NE((CRuntimeClass*)NULL, pThing);
    CObject* pObj = pThing->CreateObject();
    ASSERT_NE((CObject*)NULL, pObj);
    EXPECT_TRUE(pObj->IsKindOf(RUNTIME_CLASS(CObject)));
    delete pObj;

    // unloading takes the module and its classes out again
    EXPECT_TRUE(FreeLibrary(hExt));
    EXPECT_EQ(nBefore, AfxGetExtensionModuleCount());
    EXPECT_EQ(NULL, CRuntimeClass::FromName("CExtLoadedThing"));
    EXPECT_FALSE(str.LoadString(IDS_EXT_LOADED_HELLO));
    EXPECT_TRUE(str.IsEmpty());
    EXPECT_NE((CRuntimeClass*)NULL, CRuntimeClass::FromName("CExtLinkedShape"));
}

TEST(ExtensionModuleTest, InitAndTermOfARecord)
{
    AFX_EXTENSION_MODULE state = {0, NULL, NULL, NULL, NULL};
    EXPECT_FALSE(AfxInitExtensionModule(state, NULL));
    EXPECT_FALSE(state.bInitialized);

    // a module that defines no framework classes, so terminating it forgets none
    HMODULE hSelf = GetModuleHandleA("kernel32.dll");
    EXPECT_TRUE(AfxInitExtensionModule(state, hSelf));
    EXPECT_TRUE(state.bInitialized);
    EXPECT_EQ(hSelf, state.hModule);
    EXPECT_EQ(hSelf, state.hResource);
    int n = AfxGetExtensionModuleCount();
    CDynLinkLibrary* pDLL = new CDynLinkLibrary(state, TRUE);
    EXPECT_EQ(n + 1, AfxGetExtensionModuleCount());
    EXPECT_TRUE(pDLL->m_bSystem);
    AfxTermExtensionModule(state);
    EXPECT_EQ(n, AfxGetExtensionModuleCount());
    EXPECT_FALSE(state.bInitialized);
    EXPECT_EQ(RUNTIME_CLASS(CDog), CRuntimeClass::FromName("CDog"));
}

