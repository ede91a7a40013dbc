// Helpers shared by the layout tests: a framework wrapper around a host window and plain
// child windows whose rectangles are read back in the parent's client coordinates.
#pragma once

#include <afxwin.h>

#include "LumoTest.h"

namespace layouttest {

// Wraps an existing window in a framework object for the life of the scope, without owning it.
class AttachedWnd
{
public:
    explicit AttachedWnd(HWND hWnd) { m_wnd.Attach(hWnd); }
    ~AttachedWnd() { m_wnd.Detach(); }
    CWnd* Get() { return &m_wnd; }

private:
    CWnd m_wnd;
};

// A plain visible child window at (x, y) of size w x h in parent's client area.
inline HWND MakeChild(HWND parent, int x, int y, int w, int h, bool visible = true)
{
    return CreateWindowExA(0, "STATIC", "", WS_CHILD | (visible ? WS_VISIBLE : 0), x, y, w, h,
                           parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// The window's rectangle in its parent's client coordinates.
inline RECT RectIn(HWND parent, HWND child)
{
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}

// Resizes a top-level window so that its client area is w x h.
inline void SetClientSize(HWND hwnd, int w, int h)
{
    RECT rcWnd, rcClient;
    GetWindowRect(hwnd, &rcWnd);
    GetClientRect(hwnd, &rcClient);
    int extraW = (rcWnd.right - rcWnd.left) - rcClient.right;
    int extraH = (rcWnd.bottom - rcWnd.top) - rcClient.bottom;
    SetWindowPos(hwnd, nullptr, 0, 0, w + extraW, h + extraH,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace layouttest

// Rectangles print as (left,top)-(right,bottom) in failure messages; CRect and RECT compare.
inline std::ostream& operator<<(std::ostream& os, const RECT& rc)
{
    return os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}
