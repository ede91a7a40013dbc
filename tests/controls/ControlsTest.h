// Shared set-up of the small-control tests: a framework parent that reflects owner drawing,
// answers WM_CTLCOLORSTATIC with a known brush and records what the controls send it.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <map>
#include <vector>

#include "LumoTest.h"
#include "PixelTable.h"
#include "ClassicLook.h"
#include "CHyperLinkStatic.h"
#include "CMySlideCtrl.h"
#include "CProgressCtrlEx.h"
#include "CSpecGroupBox.h"
#include "CTabCtrlEx.h"
#include "CUtilityVisual.h"

namespace ctltest {

using namespace lumotest;

const COLORREF kParentBack = RGB(236, 240, 226);  // the parent's static-control brush
const UINT kLinkMsg = WM_APP + 7;                 // what the hyperlinks are told to send

#ifdef LUMO_CLASSIC_LOOK
// The tabs paint themselves only with themes off; this program sees them off.
struct ClassicLook : ::testing::Environment {
    void SetUp() override { ASSERT_TRUE(gallery::UseClassicLook()); }
};
inline const auto* const g_classicLook = ::testing::AddGlobalTestEnvironment(new ClassicLook);
#endif

inline void SendMouse(HWND hwnd, UINT msg, POINT pt, WPARAM keys = 0) {
    ::SendMessageA(hwnd, msg, keys, MAKELPARAM(pt.x, pt.y));
}

inline void GuiFont(HWND hwnd) { ::SendMessageA(hwnd, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE); }

// A one-line text's size in a window's font, as DrawText measures it.
inline SIZE TextSize(HWND hwnd, const char* text) {
    HDC dc = ::GetDC(hwnd);
    HGDIOBJ old = ::SelectObject(dc, (HFONT)::SendMessageA(hwnd, WM_GETFONT, 0, 0));
    RECT rc = {0, 0, 0, 0};
    const int h = ::DrawTextA(dc, text, -1, &rc, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(dc, old);
    ::ReleaseDC(hwnd, dc);
    return SIZE{rc.right - rc.left, h};
}

class Parent : public CWnd {
public:
    ~Parent() override {
        if (m_hWnd) DestroyWindow();
        ::DeleteObject(m_brush);
    }
    // A visible popup of w x h.
    bool Make(int w = 400, int h = 200) {
        if (!CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), "controls", WS_POPUP | WS_VISIBLE, 50,
                      50, w, h, NULL, NULL))
            return false;
        ::SetForegroundWindow(m_hWnd);
        return true;
    }
    // A platform control made as a dialog would make it, for a control object to attach to with
    // SubclassDlgItem(id).
    HWND MakeItem(const char* cls, DWORD style, const RECT& rc, const char* text, UINT id) {
        HWND item = ::CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, rc.left, rc.top, rc.right - rc.left,
                                      rc.bottom - rc.top, m_hWnd, (HMENU)(UINT_PTR)id, NULL, NULL);
        GuiFont(item);
        return item;
    }

    std::vector<WPARAM> m_links, m_scrolls;  // wParam of each kLinkMsg, each WM_HSCROLL
    std::map<UINT, RECT> m_tabItems;         // rcItem of the last WM_DRAWITEM of each tab
    int m_asked = 0;                         // WM_CTLCOLORSTATIC received

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        const auto* dis = (const DRAWITEMSTRUCT*)lParam;
        if (msg == WM_CTLCOLORSTATIC) {
            ++m_asked;
            return (LRESULT)m_brush;
        }
        if (msg == kLinkMsg) m_links.push_back(wParam);
        if (msg == WM_HSCROLL) m_scrolls.push_back(wParam);
        if (msg == WM_DRAWITEM && dis->CtlType == ODT_TAB) m_tabItems[dis->itemID] = dis->rcItem;
        return CWnd::WindowProc(msg, wParam, lParam);
    }
    HBRUSH m_brush = ::CreateSolidBrush(kParentBack);
};

}  // namespace ctltest
