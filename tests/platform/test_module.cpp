// Module entry and the exported platform queries.
#include <afxdllx.h>
#include "lumo.h"
#include "frame/LumoModule.h"
#include "LumoTest.h"
#include <string>
#include <vector>

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

TEST(Module, VersionResourceAndGetDllVersionAgree)
{
    // A host that checks the file's version and one that asks GetDllVersion must get one answer.
    std::string path = lumotest::ModuleDir() + "\\Lumo.dll";
    DWORD ignored = 0;
    DWORD cb = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(cb, 0u);
    std::vector<BYTE> info(cb);
    ASSERT_TRUE(::GetFileVersionInfoA(path.c_str(), 0, cb, info.data()));
    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT cbFixed = 0;
    ASSERT_TRUE(::VerQueryValueA(info.data(), "\\", (void**)&pFixed, &cbFixed));
    char* pText = nullptr;
    UINT cchText = 0;
    ASSERT_TRUE(::VerQueryValueA(info.data(), "\\StringFileInfo\\040904b0\\FileVersion", (void**)&pText, &cchText));

    char fromFixed[64];
    sprintf(fromFixed, "%u.%u.%u.%u", HIWORD(pFixed->dwFileVersionMS), LOWORD(pFixed->dwFileVersionMS),
            HIWORD(pFixed->dwFileVersionLS), LOWORD(pFixed->dwFileVersionLS));
    EXPECT_STREQ(pText, fromFixed);

    HMODULE hLumo = ::LoadLibraryA(path.c_str());
    ASSERT_NE(hLumo, nullptr);
    typedef int(WINAPI * VersionFn)(void);
    VersionFn pfn = (VersionFn)(void*)::GetProcAddress(hLumo, "GetDllVersion");
    ASSERT_NE(pfn, nullptr);
    char digits[64];
    sprintf(digits, "%d", pfn());
    std::string joined;
    for (const char* p = fromFixed; *p; ++p)
        if (*p != '.')
            joined += *p;
    EXPECT_EQ(joined, digits);
    ::FreeLibrary(hLumo);
}
