// The library's module: its handle and its registration with the framework.
#pragma once

#include <afxdllx.h>
#include "frame/LumoRes.h"

// Instance handle of Lumo.dll.
HMODULE LumoGetModuleHandle();
// The library's extension-module record (registered at process attach).
AFX_EXTENSION_MODULE& LumoGetExtensionModule();
// Registered message that asks a tree to expand a single node.
LUMO_EXPORT extern UINT g_msgExpandSingleNode;
// How many times the theme probe has run in this process (it runs at most once).
LUMO_EXPORT int LumoThemeProbeCount();
