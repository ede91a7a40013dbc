// Module entry and exit, and the exported platform queries.
#include <afxwin.h>
#include <afxdllx.h>
#include "lumo.h"
#include "frame/LumoModule.h"
#include "CMenuShadow.h"
#include "LumoSys.h"
#include "frame/LumoSettings.h"
#include "LumoVersion.h"

namespace
{
AFX_EXTENSION_MODULE g_extensionModule = {};
HMODULE g_hModule;
// Theme probe cache: 0xFFFFFFFF until the first probe.
DWORD g_themeOpened = 0xFFFFFFFF;
int g_themeProbes;
} // namespace

UINT g_msgExpandSingleNode = ::RegisterWindowMessageA("CTree10_ExpandSingleNode");

// The module holding the library's code: Lumo.dll, or the program itself when the library's
// objects are linked into it (as the library's tests do), where no DllMain runs.
HMODULE LumoGetModuleHandle()
{
    if (!g_hModule)
        ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             (LPCSTR)(void*)&LumoGetModuleHandle, &g_hModule);
    return g_hModule;
}

AFX_EXTENSION_MODULE& LumoGetExtensionModule()
{
    return g_extensionModule;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    switch (dwReason)
    {
    case DLL_PROCESS_ATTACH:
        g_hModule = hInstance;
        if (!AfxInitExtensionModule(g_extensionModule, hInstance))
            return FALSE;
        // Joins the host's resource and class look-ups; the framework owns it from here on.
        new CDynLinkLibrary(g_extensionModule);
        return TRUE;
    case DLL_PROCESS_DETACH:
        // No menu hook of the library may outlive it.
        CMenuShadow::UnInstallHook();
        LumoSettings::Unwatch();
        AfxTermExtensionModule(g_extensionModule);
        return TRUE;
    default:
        return TRUE;
    }
}

LUMOAPI int WINAPI IsVista(void)
{
    OSVERSIONINFOA vi = {};
    vi.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    static_assert(sizeof(OSVERSIONINFOA) == 148, "the version query expects the 148-byte record");
    if (!::GetVersionExA(&vi))
        return 0;
    return vi.dwMajorVersion == 6 ? 1 : 0;
}

LUMOAPI int WINAPI IsWinXP(void)
{
    return CGlobalInfo::GetInstance()->IsWinXP();
}

LUMOAPI int WINAPI IsWinXPThemeOpened(void)
{
    if (g_themeOpened != 0xFFFFFFFF)
        return (int)g_themeOpened;
    g_themeOpened = 0;
    ++g_themeProbes;

    OSVERSIONINFOA vi = {};
    vi.dwOSVersionInfoSize = sizeof(vi);
    if (!::GetVersionExA(&vi) || vi.dwPlatformId != VER_PLATFORM_WIN32_NT || vi.dwMajorVersion < 5 ||
        (vi.dwMajorVersion == 5 && vi.dwMinorVersion == 0))
        return 0;

    // The theme library comes from the system folder only.
    CString path = CPub::AppendPath(CGlobalInfo::GetInstance()->GetSystemDir(), "UxTheme.dll");
    HMODULE hTheme = ::LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!hTheme)
        return 0;
    typedef HANDLE (WINAPI* PFN_OpenThemeData)(HWND, LPCWSTR);
    typedef HRESULT (WINAPI* PFN_CloseThemeData)(HANDLE);
    auto pfnOpen = (PFN_OpenThemeData)(void*)::GetProcAddress(hTheme, "OpenThemeData");
    auto pfnClose = (PFN_CloseThemeData)(void*)::GetProcAddress(hTheme, "CloseThemeData");
    if (!pfnOpen || !pfnClose)
    {
        ::FreeLibrary(hTheme);
        return 0;
    }
    HANDLE hThemeData = pfnOpen(::GetDesktopWindow(), L"BUTTON");
    if (hThemeData)
        pfnClose(hThemeData);
    ::FreeLibrary(hTheme);
    g_themeOpened = hThemeData ? 1 : 0;
    return (int)g_themeOpened;
}

LUMOAPI int WINAPI GetDllVersion(void)
{
    return LUMO_VERSION_NUMBER;
}

int LumoThemeProbeCount()
{
    return g_themeProbes;
}
