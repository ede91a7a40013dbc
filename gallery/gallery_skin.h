// The gallery's skinned main window: the caption skin with its shadow, and the steps of the
// scripted session that use its caption buttons.
#pragma once

#include <windows.h>
#include <string>

namespace gallery {

// Asks the library for its own look, so the skin draws the caption under themes as well.
void PrepareSkin();

// Skins the main window with the resource library's first scheme; true when the skin is on.
bool SkinMainWindow(HWND hwnd);

// Hovers the maximize button, clicks it, and clicks it again to restore the window, with a
// screenshot after each step.
void RunSkinSession(HWND hwnd, const std::string& out, bool (*screenshot)(const std::string&, const char*));

}  // namespace gallery
