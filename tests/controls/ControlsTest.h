// Shared set-up of the small-control tests: a framework parent that reflects owner drawing,
// answers WM_CTLCOLORSTATIC with a known brush and records what the controls send it; dialogs
// made from a template in memory, for the SubclassDlgItem path; pixel helpers.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <functional>
#include <map>
#include <vector>

#include "LumoTest.h"
#include "PixelTable.h"
#include "CHyperLinkStatic.h"
#include "CMySlideCtrl.h"
#include "CProgressCtrlEx.h"
#include "CSpecGroupBox.h"
#include "CTabCtrlEx.h"

namespace ctltest {

// What the parent paints static controls with.
const COLORREF kParentBack = RGB(236, 240, 226);
// The message the hyperlinks are told to send.
const UINT kLinkMsg = WM_APP + 7;

class Parent : public CWnd
{
public:
    Parent() : m_brush(::CreateSolidBrush(kParentBack)) {}
    ~Parent() override
    {
        if (m_hWnd)
            DestroyWindow();
        ::DeleteObject(m_brush);
    }

    // A visible popup of w x h client pixels at (50, 50).
    bool Make(int w = 320, int h = 200);
    // A modeless dialog holding one item per class name, control ids 100, 101, ..., each then
    // moved to its rectangle and given the GUI font (as Font() gives Create-path controls).
    struct Item
    {
        const char* cls;
        DWORD style;
        RECT rc;
        const char* text;
    };
    bool MakeDialog(const std::vector<Item>& items, int w = 320, int h = 200);

    int m_ctlColors = 0;
    std::vector<WPARAM> m_links;            // wParam of every kLinkMsg
    std::vector<WPARAM> m_scrolls;          // wParam of every WM_HSCROLL
    std::map<UINT, RECT> m_tabItems;        // rcItem of the last WM_DRAWITEM per tab
    std::function<void()> m_onCtlColor, m_onLink;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    HBRUSH m_brush;
};

// The font both creation paths give their controls.
inline void UseGuiFont(CWnd& wnd)
{
    wnd.SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
}

// A link's cursor, for comparing with what WM_SETCURSOR set.
class TestLink : public CHyperLinkStatic
{
public:
    HCURSOR Cursor() const { return m_hCursor; }
};

inline void PostMouse(HWND hwnd, UINT msg, POINT pt, WPARAM keys = 0)
{
    ::PostMessageA(hwnd, msg, keys, MAKELPARAM(pt.x, pt.y));
}

inline void SendMouse(HWND hwnd, UINT msg, POINT pt, WPARAM keys = 0)
{
    ::SendMessageA(hwnd, msg, keys, MAKELPARAM(pt.x, pt.y));
}

// Keeps the real pointer away from the windows under test.
inline void ParkCursor()
{
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    lumotest::PumpPending();
}

// A text's size in the font a window uses, as DrawText measures it.
SIZE TextSize(HWND hwnd, const char* text);

// Columns of a capture row between x0 and x1 (exclusive) that show colour.
int CountInRow(const lumotest::WindowCapture& cap, int y, int x0, int x1, COLORREF colour);

}  // namespace ctltest
