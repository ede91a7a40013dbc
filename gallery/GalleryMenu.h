// The gallery's item menu: a right click in a tree pops a PopMenu_* menu with icons, a check
// mark, a greyed item and a submenu, drawn with the menu shadows ShadowMenu_Enable switches on.
#pragma once

#include <windows.h>
#include <string>

namespace gallery {

// Posted to the host by its right-button handler, so the menu opens once the click is over.
const UINT kMsgItemMenu = WM_APP + 17;

// Pops the item menu at the cursor for the host and describes what was chosen, for the log.
std::string ShowItemMenu(HWND host);
// How many item menus were popped, and the command last chosen (0: none).
int ItemMenuCount();
int ItemMenuChoice();

// Scripted session: while the next item menu is open, opens "Send to", writes a screenshot of
// the host window's area with the menus and their shadows to folder\name once the screen holds
// still, then picks "Printer" by its letter.
void ScriptNextItemMenu(HWND host, const std::string& folder, const char* name);

}  // namespace gallery
