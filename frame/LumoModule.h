// The library's module: its handle and its registration with the framework.
#pragma once

#include <afxdllx.h>
#include "frame/LumoRes.h"

// Instance handle of Lumo.dll.
HMODULE LumoGetModuleHandle();
// The library's extension-module record (registered at process attach).
AFX_EXTENSION_MODULE& LumoGetExtensionModule();
// Registered messages: a tree expanding its single node (CTree10::m_MsgExpandSingleNode), and
// the panel windows' command to their descendants (CWndBack::m_MsgSendChildren).
extern UINT g_msgExpandSingleNode;
extern UINT g_msgSendChildren;
// How many times the theme probe has run in this process (it runs at most once).
int LumoThemeProbeCount();
