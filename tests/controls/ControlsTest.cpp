#include "ControlsTest.h"

#include "ClassicLook.h"

namespace ctltest {

namespace {

#ifdef LUMO_CLASSIC_LOOK
// The tabs paint themselves only with themes off; this program sees them off.
class ClassicLook : public ::testing::Environment
{
    void SetUp() override { ASSERT_TRUE(gallery::UseClassicLook()); }
};
const auto* const g_classicLook = ::testing::AddGlobalTestEnvironment(new ClassicLook);
#endif

// Appends a record of WORDs, or a text as wide characters with its terminating zero.
void Append(std::vector<WORD>& t, const void* data, size_t bytes)
{
    t.insert(t.end(), (const WORD*)data, (const WORD*)data + bytes / 2);
}

void Append(std::vector<WORD>& t, const char* text)
{
    do
        t.push_back((WORD)(unsigned char)(text ? *text : 0));
    while (text && *text++);
}

}  // namespace

Parent::~Parent()
{
    if (m_hWnd)
        DestroyWindow();
    ::DeleteObject(m_brush);
}

bool Parent::Make(int w, int h)
{
    if (!CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), "controls", WS_POPUP | WS_VISIBLE, 50, 50,
                  w, h, NULL, NULL))
        return false;
    ::SetForegroundWindow(m_hWnd);
    return true;
}

bool Parent::MakeDialog(const std::vector<Item>& items)
{
    std::vector<WORD> t;
    DLGTEMPLATE dt = { WS_POPUP | WS_VISIBLE, 0, (WORD)items.size(), 0, 0, 200, 100 };
    Append(t, &dt, sizeof(dt));
    t.insert(t.end(), { 0, 0, 0 });  // no menu, the dialog class, no title
    for (size_t i = 0; i < items.size(); ++i)
    {
        if (t.size() % 2)
            t.push_back(0);  // items start on a DWORD boundary
        DLGITEMTEMPLATE it = { items[i].style | WS_CHILD | WS_VISIBLE, 0, 0, 0, 40, 12, (WORD)(100 + i) };
        Append(t, &it, sizeof(it));
        Append(t, items[i].cls);
        Append(t, items[i].text);
        t.push_back(0);  // no creation data
    }
    HWND hDlg = ::CreateDialogIndirectParamA(::GetModuleHandleA(NULL), (LPCDLGTEMPLATEA)t.data(), NULL, NULL, 0);
    if (!hDlg || !SubclassWindow(hDlg))
        return false;
    ::SetWindowPos(hDlg, NULL, 50, 50, 400, 200, SWP_NOZORDER);
    for (size_t i = 0; i < items.size(); ++i)
    {
        const RECT& rc = items[i].rc;
        HWND hItem = ::GetDlgItem(hDlg, (int)(100 + i));
        ::MoveWindow(hItem, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, FALSE);
        GuiFont(hItem);
    }
    return true;
}

LRESULT Parent::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CTLCOLORSTATIC)
    {
        if (m_onCtlColor)
            m_onCtlColor();
        return (LRESULT)m_brush;
    }
    if (msg == kLinkMsg)
    {
        m_links.push_back(wParam);
        if (m_onLink)
            m_onLink();
        return 0;
    }
    if (msg == WM_HSCROLL)
        m_scrolls.push_back(wParam);
    if (msg == WM_DRAWITEM && ((DRAWITEMSTRUCT*)lParam)->CtlType == ODT_TAB)
        m_tabItems[((DRAWITEMSTRUCT*)lParam)->itemID] = ((DRAWITEMSTRUCT*)lParam)->rcItem;
    return CWnd::WindowProc(msg, wParam, lParam);
}

void SendMouse(HWND hwnd, UINT msg, POINT pt, WPARAM keys)
{
    ::SendMessageA(hwnd, msg, keys, MAKELPARAM(pt.x, pt.y));
}

void GuiFont(HWND hwnd)
{
    ::SendMessageA(hwnd, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
}

void ParkCursor()
{
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    lumotest::PumpPending();
}

SIZE TextSize(HWND hwnd, const char* text)
{
    HDC dc = ::GetDC(hwnd);
    HGDIOBJ old = ::SelectObject(dc, (HFONT)::SendMessageA(hwnd, WM_GETFONT, 0, 0));
    RECT rc = { 0, 0, 0, 0 };
    const int h = ::DrawTextA(dc, text, -1, &rc, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(dc, old);
    ::ReleaseDC(hwnd, dc);
    return SIZE{ rc.right - rc.left, h };
}

}  // namespace ctltest
