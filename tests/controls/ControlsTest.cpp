#include "ControlsTest.h"

#include "ClassicLook.h"

namespace ctltest {

#ifdef LUMO_CLASSIC_LOOK
namespace {

// The tabs paint themselves only with themes off; this program sees them off.
class ClassicLook : public ::testing::Environment {
    void SetUp() override { ASSERT_TRUE(gallery::UseClassicLook()); }
};
const auto* const g_classicLook = ::testing::AddGlobalTestEnvironment(new ClassicLook);

}  // namespace
#endif

Parent::~Parent() {
    if (m_hWnd) DestroyWindow();
    ::DeleteObject(m_brush);
}

bool Parent::Make(int w, int h) {
    if (!CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), "controls", WS_POPUP | WS_VISIBLE, 50, 50,
                  w, h, NULL, NULL))
        return false;
    ::SetForegroundWindow(m_hWnd);
    return true;
}

HWND Parent::MakeItem(const char* cls, DWORD style, const RECT& rc, const char* text, UINT id) {
    HWND hItem = ::CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, rc.left, rc.top, rc.right - rc.left,
                                   rc.bottom - rc.top, m_hWnd, (HMENU)(UINT_PTR)id, NULL, NULL);
    GuiFont(hItem);
    return hItem;
}

LRESULT Parent::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CTLCOLORSTATIC) {
        ++m_asked;
        return (LRESULT)m_brush;
    }
    if (msg == kLinkMsg) m_links.push_back(wParam);
    if (msg == WM_HSCROLL) m_scrolls.push_back(wParam);
    if (msg == WM_DRAWITEM && ((DRAWITEMSTRUCT*)lParam)->CtlType == ODT_TAB)
        m_tabItems[((DRAWITEMSTRUCT*)lParam)->itemID] = ((DRAWITEMSTRUCT*)lParam)->rcItem;
    return CWnd::WindowProc(msg, wParam, lParam);
}

void SendMouse(HWND hwnd, UINT msg, POINT pt, WPARAM keys) {
    ::SendMessageA(hwnd, msg, keys, MAKELPARAM(pt.x, pt.y));
}

void GuiFont(HWND hwnd) {
    ::SendMessageA(hwnd, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
}

SIZE TextSize(HWND hwnd, const char* text) {
    HDC dc = ::GetDC(hwnd);
    HGDIOBJ old = ::SelectObject(dc, (HFONT)::SendMessageA(hwnd, WM_GETFONT, 0, 0));
    RECT rc = {0, 0, 0, 0};
    const int h = ::DrawTextA(dc, text, -1, &rc, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(dc, old);
    ::ReleaseDC(hwnd, dc);
    return SIZE{rc.right - rc.left, h};
}

}  // namespace ctltest
