// Reads a window's accessible tree as a screen reader does: from a thread of its own, through
// the accessibility library, while the window's thread keeps pumping its messages. Each
// window's object comes with the elements and objects it holds; child windows follow, walked
// through the window tree (the system's own objects of plain windows do not list them).
#pragma once

#include <windows.h>
#include <string>
#include <vector>

namespace gallery {

struct AccLine
{
    int depth = 0;
    long role = 0, state = 0;
    std::string name;
    // "role 'name' (state, state)", as GetRoleText and GetStateText word them.
    std::string Text() const;
};

// The visible objects under a top-level window, its caption first; empty when the
// accessibility library cannot be had. Hidden windows and invisible elements are left out, as
// a reader leaves them out.
std::vector<AccLine> ReadAccessibleTree(HWND hTop);

}  // namespace gallery
