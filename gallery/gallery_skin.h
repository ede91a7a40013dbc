// The gallery's skinned main window: the caption skin with its shadow, and the steps of the
// scripted session that use its caption buttons.
#pragma once

#include <windows.h>
#include <string>

namespace gallery {

// Has the library see visual themes off (the skin stands aside under themes). Call before
// anything asks whether themes are on.
void PrepareSkin();

// Skins the main window with the resource library's first scheme; true when the skin is on.
bool SkinMainWindow(HWND hwnd);

// Hovers the maximize button, clicks it, and clicks it again to restore the window, with a
// screenshot after each step.
void RunSkinSession(HWND hwnd, const std::string& out, bool (*screenshot)(const std::string&, const char*));

}  // namespace gallery
