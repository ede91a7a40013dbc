// On-demand loading of the resource library and the wrappers of its entry points.
#include <afxwin.h>
#include "frame/LumoRes.h"
#include "frame/LumoModule.h"

namespace
{
typedef HBITMAP (WINAPI* PFN_Load1Bitmap)(int);
typedef HBITMAP (WINAPI* PFN_Load1BitmapForDpi)(int, int);
typedef int (WINAPI* PFN_Count)();
typedef int (WINAPI* PFN_Enum)(int);
typedef int (WINAPI* PFN_GetDoorHandle)(int, DWORD*, DWORD*, DWORD*);
typedef int (WINAPI* PFN_GetDropHandle)(int, DWORD*, DWORD*, DWORD*, DWORD*, DWORD*);
typedef int (WINAPI* PFN_GetSkin)(int, void*, void*, void*, void*, void*, void*, void*, void*, void*, void*);

HMODULE g_hResLib;
PFN_Load1Bitmap g_pfnLoad1Bitmap;
PFN_Load1BitmapForDpi g_pfnLoad1BitmapForDpi;
PFN_Count g_pfnGetTreeLeave;
PFN_Count g_pfnGetTreeNodes;
PFN_Enum g_pfnEnumTreeLeaf;
PFN_Enum g_pfnEnumTreeNode;
PFN_GetDoorHandle g_pfnGetDoorHandle;
PFN_GetDropHandle g_pfnGetDropHandle;
PFN_GetSkin g_pfnGetSkin;

const char kResLibName[] = "LumoRes.DLL";

// Folder of a module, with a trailing backslash; empty when it cannot be read.
CString ModuleFolder(HMODULE hModule)
{
    char path[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(hModule, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return CString();
    CString folder(path, (int)n);
    int slash = folder.ReverseFind('\\');
    return slash < 0 ? CString() : folder.Left(slash + 1);
}

// Loads by full path only, so that a copy in the current directory or on the path is ignored.
HMODULE LoadFromFolder(const CString& folder)
{
    if (folder.IsEmpty())
        return nullptr;
    CString path = folder + kResLibName;
    return ::LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

bool EnsureResLib()
{
    if (g_hResLib)
        return true;
    HMODULE hLib = LoadFromFolder(ModuleFolder(LumoGetModuleHandle()));
    if (!hLib)
        hLib = LoadFromFolder(ModuleFolder(nullptr));
    if (!hLib)
    {
        AfxMessageBox("Can't load LumoRes.DLL!\t", MB_OK, 0);
        return false;
    }
    g_hResLib = hLib;
    g_pfnLoad1Bitmap = (PFN_Load1Bitmap)(void*)::GetProcAddress(hLib, "Load1Bitmap");
    g_pfnGetTreeLeave = (PFN_Count)(void*)::GetProcAddress(hLib, "GetTreeLeave");
    g_pfnGetTreeNodes = (PFN_Count)(void*)::GetProcAddress(hLib, "GetTreeNodes");
    g_pfnEnumTreeLeaf = (PFN_Enum)(void*)::GetProcAddress(hLib, "EnumTreeLeaf");
    g_pfnEnumTreeNode = (PFN_Enum)(void*)::GetProcAddress(hLib, "EnumTreeNode");
    g_pfnGetDoorHandle = (PFN_GetDoorHandle)(void*)::GetProcAddress(hLib, "GetDoorHandle");
    g_pfnGetDropHandle = (PFN_GetDropHandle)(void*)::GetProcAddress(hLib, "GetDropHandle");
    g_pfnGetSkin = (PFN_GetSkin)(void*)::GetProcAddress(hLib, "GetSkin");
    // Optional: a resource library without larger copies gives the 100 % bitmaps everywhere.
    g_pfnLoad1BitmapForDpi = (PFN_Load1BitmapForDpi)(void*)::GetProcAddress(hLib, "Load1BitmapForDpi");
    return true;
}
} // namespace

// A library that lacks an entry point behaves, for that call, like a missing library.
HBITMAP Load1Bitmap(int id)
{
    return EnsureResLib() && g_pfnLoad1Bitmap ? g_pfnLoad1Bitmap(id) : nullptr;
}

HBITMAP Load1BitmapForDpi(int id, int dpi)
{
    if (dpi == 96 || !EnsureResLib() || !g_pfnLoad1BitmapForDpi)
        return Load1Bitmap(id);
    return g_pfnLoad1BitmapForDpi(id, dpi);
}

int GetTreeLeave()
{
    return EnsureResLib() && g_pfnGetTreeLeave ? g_pfnGetTreeLeave() : -1;
}

int GetTreeNodes()
{
    return EnsureResLib() && g_pfnGetTreeNodes ? g_pfnGetTreeNodes() : -1;
}

int EnumTreeLeaf(int index)
{
    return EnsureResLib() && g_pfnEnumTreeLeaf ? g_pfnEnumTreeLeaf(index) : 0;
}

int EnumTreeNode(int index)
{
    return EnsureResLib() && g_pfnEnumTreeNode ? g_pfnEnumTreeNode(index) : 0;
}

int GetDoorHandle(int hue, DWORD* normalId, DWORD* hoverId, DWORD* color)
{
    return EnsureResLib() && g_pfnGetDoorHandle ? g_pfnGetDoorHandle(hue, normalId, hoverId, color) : 0;
}

int GetDropHandle(int hue, DWORD* dropped, DWORD* closed, DWORD* droppedHover,
                              DWORD* closedHover, DWORD* color)
{
    if (!EnsureResLib() || !g_pfnGetDropHandle)
        return 0;
    return g_pfnGetDropHandle(hue, dropped, closed, droppedHover, closedHover, color);
}

int GetSkin(int skin, void* p1, void* p2, void* p3, void* p4, void* p5, void* p6,
                        void* p7, void* p8, void* p9, void* p10)
{
    if (!EnsureResLib() || !g_pfnGetSkin)
        return 0;
    return g_pfnGetSkin(skin, p1, p2, p3, p4, p5, p6, p7, p8, p9, p10);
}

const char* LumoModuleFolder()
{
    static CString s_folder = ModuleFolder(LumoGetModuleHandle());
    return s_folder;
}
