// Module entry and the exported platform queries.
#include <gtest/gtest.h>
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

TEST(Module, PlatformQueries)
{
    EXPECT_EQ(GetDllVersion(), 5308);

    // The test bed reports Windows 10 to programs that declare it in their manifest, so the
    // major version is 10 and the Vista query must say no.
    OSVERSIONINFOA vi = { sizeof(vi) };
    ASSERT_TRUE(::GetVersionExA(&vi));
    EXPECT_EQ(IsVista(), vi.dwMajorVersion == 6 ? 1 : 0);
    EXPECT_GT(vi.dwMajorVersion, 6u) << "the test bed should report Windows 10";
    EXPECT_EQ(IsVista(), 0);

    EXPECT_NE(IsWinXP(), 0);
}

TEST(Module, ThemeProbeRunsOnceAndIsCached)
{
    const int first = IsWinXPThemeOpened();
    EXPECT_TRUE(first == 0 || first == 1);
    EXPECT_EQ(LumoThemeProbeCount(), 1);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(IsWinXPThemeOpened(), first);
    EXPECT_EQ(LumoThemeProbeCount(), 1);
}

TEST(Module, ExpandSingleNodeMessageIsRegistered)
{
    char name[64] = "";
    ASSERT_NE(g_msgExpandSingleNode, 0u);
    ::GetClipboardFormatNameA(g_msgExpandSingleNode, name, sizeof(name));
    EXPECT_STREQ(name, "CTree10_ExpandSingleNode");
}
