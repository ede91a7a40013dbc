// Shared set-up of the small-control tests: a framework parent that reflects owner drawing,
// answers WM_CTLCOLORSTATIC with a known brush and records what the controls send it.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

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

using lumotest::ParkCursor;

const COLORREF kParentBack = RGB(236, 240, 226);  // the parent's static-control brush
const UINT kLinkMsg = WM_APP + 7;                 // what the hyperlinks are told to send

class Parent : public CWnd {
public:
    Parent() : m_brush(::CreateSolidBrush(kParentBack)) {}
    ~Parent() override;
    // A visible popup of w x h.
    bool Make(int w = 400, int h = 200);
    // A platform control made as a dialog would make it, for a control object to attach to with
    // SubclassDlgItem(id).
    HWND MakeItem(const char* cls, DWORD style, const RECT& rc, const char* text, UINT id);

    std::vector<WPARAM> m_links, m_scrolls;  // wParam of each kLinkMsg, each WM_HSCROLL
    std::map<UINT, RECT> m_tabItems;         // rcItem of the last WM_DRAWITEM of each tab
    int m_asked = 0;                         // WM_CTLCOLORSTATIC received

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    HBRUSH m_brush;
};

void SendMouse(HWND hwnd, UINT msg, POINT pt, WPARAM keys = 0);
void GuiFont(HWND hwnd);
// A one-line text's size in a window's font, as DrawText measures it.
SIZE TextSize(HWND hwnd, const char* text);

}  // namespace ctltest
