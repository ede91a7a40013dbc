// Module entry and the exported platform queries.
#include <afxdllx.h>
#include "lumo.h"
#include "frame/LumoModule.h"
#include "LumoTest.h"

TEST(Module, EntryRegistersTheLibraryAsExtension)
{
    // This program links the library's objects; the DLL a host loads registers itself.
    HMODULE hLumo = ::LoadLibraryA((lumotest::ModuleDir() + "\\Lumo.dll").c_str());
    ASSERT_NE(hLumo, nullptr);
    bool found = false;
    for (CDynLinkLibrary* p = AfxGetFirstDynLinkLibrary(); p; p = p->m_pNextDLL)
        found = found || p->m_hModule == hLumo;
    EXPECT_TRUE(found) << "Lumo.dll is not in the framework's chain of extension modules";
}

TEST(Module, ExpandSingleNodeMessageIsRegistered)
{
    char name[64] = "";
    ASSERT_NE(g_msgExpandSingleNode, 0u);
    ::GetClipboardFormatNameA(g_msgExpandSingleNode, name, sizeof(name));
    EXPECT_STREQ(name, "CTree10_ExpandSingleNode");
}
