// Shared set-up of the small-control tests: a framework parent that reflects owner drawing,
// answers WM_CTLCOLORSTATIC with a known brush and records what the controls send it, made as a
// popup (the Create path) or as a dialog from a template in memory (the SubclassDlgItem path).
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

const COLORREF kParentBack = RGB(236, 240, 226);  // the parent's static-control brush
const UINT kLinkMsg = WM_APP + 7;                 // what the hyperlinks are told to send

class Parent : public CWnd
{
public:
    Parent() : m_brush(::CreateSolidBrush(kParentBack)) {}
    ~Parent() override;
    // A visible popup of w x h; a dialog with one item per entry (ids 100, 101, ...), each moved
    // to its rectangle and given the GUI font, as the Create-path controls of the tests are.
    bool Make(int w = 400, int h = 200);
    struct Item
    {
        const char* cls;
        DWORD style;
        RECT rc;
        const char* text;
    };
    bool MakeDialog(const std::vector<Item>& items);

    std::vector<WPARAM> m_links, m_scrolls;  // wParam of each kLinkMsg, each WM_HSCROLL
    std::map<UINT, RECT> m_tabItems;         // rcItem of the last WM_DRAWITEM of each tab
    std::function<void()> m_onCtlColor, m_onLink;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    HBRUSH m_brush;
};

void SendMouse(HWND hwnd, UINT msg, POINT pt, WPARAM keys = 0);
void GuiFont(HWND hwnd);
// Keeps the real pointer away from the windows under test.
void ParkCursor();
// A one-line text's size in a window's font, as DrawText measures it.
SIZE TextSize(HWND hwnd, const char* text);

}  // namespace ctltest
