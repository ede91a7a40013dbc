// Run-time classes, dynamic creation, and the chain of extension modules.
#include <gtest/gtest.h>

#include "afx.h"
#include "afxdllx.h"
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
    EXPECT_TRUE(dog.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(CAnimal().IsKindOf(RUNTIME_CLASS(CDog)));
    EXPECT_FALSE(dog.IsKindOf(NULL));

    CObject* pObj = RUNTIME_CLASS(CDog)->CreateObject();
    ASSERT_NE((CObject*)NULL, pObj);
    EXPECT_EQ(RUNTIME_CLASS(CDog), pObj->GetRuntimeClass());
    EXPECT_EQ(pObj, (CObject*)DYNAMIC_DOWNCAST(CAnimal, pObj));
    EXPECT_EQ(NULL, DYNAMIC_DOWNCAST(CStone, pObj));
    delete pObj;
    EXPECT_EQ(NULL, RUNTIME_CLASS(CStone)->CreateObject());  // not dynamically creatable
    EXPECT_EQ(RUNTIME_CLASS(CFile), CRuntimeClass::FromName("CFile"));
    EXPECT_EQ(NULL, CRuntimeClass::FromName(NULL));
}

TEST(RuntimeClassTest, ExtensionModulesJoinAndLeaveTheChain)
{
    // A linked module's class is reached through the import table, like a host using the
    // library's classes, and by name.
    CObject* pShape = CRuntimeClass::CreateObject("CExtLinkedShape");
    ASSERT_NE((CObject*)NULL, pShape);
    EXPECT_TRUE(pShape->IsKindOf(RUNTIME_CLASS(CExtLinkedShape)));
    EXPECT_EQ(4, static_cast<CExtLinkedShape*>(pShape)->m_nSides);
    delete pShape;

    const int nBefore = AfxGetExtensionModuleCount();
    CString str;
    EXPECT_FALSE(str.LoadString(IDS_EXT_LOADED_HELLO));
    HMODULE hExt = LoadLibraryA("afx_core_ext_loaded.dll");
    ASSERT_NE((HMODULE)NULL, hExt);
    EXPECT_EQ(nBefore + 1, AfxGetExtensionModuleCount());
    EXPECT_EQ(hExt, AfxGetFirstDynLinkLibrary()->m_hModule);  // the newest comes first

    // resources and classes of the module are found through the chain
    EXPECT_TRUE(str.LoadString(IDS_EXT_LOADED_HELLO));
    EXPECT_STREQ("Hello from the loaded module", str);
    EXPECT_EQ(hExt, AfxFindResourceHandle(MAKEINTRESOURCEA((IDS_EXT_LOADED_HELLO >> 4) + 1),
                                          RT_STRING));
    EXPECT_EQ(AfxGetResourceHandle(), AfxFindResourceHandle(MAKEINTRESOURCEA(4242), RT_BITMAP));
    CObject* pThing = CRuntimeClass::CreateObject("CExtLoadedThing");
    EXPECT_NE((CObject*)NULL, pThing);
    delete pThing;

    // unloading takes the module and its classes out again
    EXPECT_TRUE(FreeLibrary(hExt));
    EXPECT_EQ(nBefore, AfxGetExtensionModuleCount());
    EXPECT_EQ(NULL, CRuntimeClass::FromName("CExtLoadedThing"));
    EXPECT_FALSE(str.LoadString(IDS_EXT_LOADED_HELLO));
    EXPECT_NE((CRuntimeClass*)NULL, CRuntimeClass::FromName("CExtLinkedShape"));

    // a record without a module is refused; terminating a record forgets only its own classes
    AFX_EXTENSION_MODULE state = {0, NULL, NULL, NULL, NULL};
    EXPECT_FALSE(AfxInitExtensionModule(state, NULL));
    EXPECT_TRUE(AfxInitExtensionModule(state, GetModuleHandleA("kernel32.dll")));
    new CDynLinkLibrary(state, TRUE);
    EXPECT_EQ(nBefore + 1, AfxGetExtensionModuleCount());
    AfxTermExtensionModule(state);
    EXPECT_EQ(nBefore, AfxGetExtensionModuleCount());
    EXPECT_FALSE(state.bInitialized);
    EXPECT_EQ(RUNTIME_CLASS(CDog), CRuntimeClass::FromName("CDog"));
}
