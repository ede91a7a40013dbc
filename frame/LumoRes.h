// The resource library, loaded on first use from the folder of Lumo.dll (then the
// application's folder), never from the current directory or the search path.
//
// Each wrapper loads the library when needed and forwards to the entry point of the same name.
// When the library cannot be loaded, the user is told with a message box on every attempt and
// the wrapper returns its failure value.
#pragma once

#include <windows.h>

// Bitmap of a resource id; the caller owns and deletes it. 0 on failure.
HBITMAP Load1Bitmap(int id);
// The bitmap of a resource id drawn for a DPI (the 100 % one at 96, or where the resource library
// has no larger copies); the caller owns and deletes it. 0 on failure.
HBITMAP Load1BitmapForDpi(int id, int dpi);
// Number of leaf / node images offered; -1 when the library cannot be loaded.
int GetTreeLeave();
int GetTreeNodes();
// Resource id of a leaf / node image, for Load1Bitmap; 0 on failure.
int EnumTreeLeaf(int index);
int EnumTreeNode(int index);
// A door hue: normal and hover bitmap ids of the toggle button and the door's colour.
int GetDoorHandle(int hue, DWORD* normalId, DWORD* hoverId, DWORD* color);
// A drop hue: dropped, closed, dropped-hover, closed-hover bitmap ids and the header colour.
// Returns 0 without calling anything when the library cannot be loaded.
int GetDropHandle(int hue, DWORD* dropped, DWORD* closed, DWORD* droppedHover,
                              DWORD* closedHover, DWORD* color);
// A skin scheme: ten outputs whose meaning belongs to the skin.
int GetSkin(int skin, void* p1, void* p2, void* p3, void* p4, void* p5, void* p6,
                        void* p7, void* p8, void* p9, void* p10);

// The folder Lumo.dll was loaded from, with a trailing backslash.
const char* LumoModuleFolder();
