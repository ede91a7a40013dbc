#include "ControlsTest.h"

#include "ClassicLook.h"

namespace ctltest {

namespace {

#ifdef LUMO_CLASSIC_LOOK
// The tab control paints itself only with themes off; this program sees them off.
class ClassicLookEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { ASSERT_TRUE(gallery::UseClassicLook()) << "themes could not be turned off"; }
};

const ::testing::Environment* const g_classicLook =
    ::testing::AddGlobalTestEnvironment(new ClassicLookEnvironment);
#endif

void Append(std::vector<WORD>& t, const void* data, size_t bytes)
{
    const WORD* w = static_cast<const WORD*>(data);
    t.insert(t.end(), w, w + bytes / 2);
}

void AppendText(std::vector<WORD>& t, const char* text)
{
    for (const char* p = text; *p; ++p)
        t.push_back((WORD)(unsigned char)*p);
    t.push_back(0);
}

}  // namespace

bool Parent::Make(int w, int h)
{
    CRect rc(0, 0, w, h);
    ::AdjustWindowRectEx(&rc, WS_POPUP | WS_BORDER, FALSE, 0);
    if (!CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), "controls", WS_POPUP | WS_BORDER | WS_VISIBLE,
                  50, 50, rc.Width(), rc.Height(), NULL, NULL))
        return false;
    ::SetForegroundWindow(m_hWnd);
    return true;
}

bool Parent::MakeDialog(const std::vector<Item>& items, int w, int h)
{
    std::vector<WORD> t;
    DLGTEMPLATE dt = {};
    dt.style = WS_POPUP | WS_VISIBLE;
    dt.cdit = (WORD)items.size();
    dt.cx = 200;
    dt.cy = 100;
    Append(t, &dt, sizeof(dt));
    t.insert(t.end(), { 0, 0, 0 });  // no menu, the dialog class, no title
    for (size_t i = 0; i < items.size(); ++i)
    {
        if (t.size() % 2)
            t.push_back(0);  // items start on a DWORD boundary
        DLGITEMTEMPLATE it = {};
        it.style = items[i].style | WS_CHILD | WS_VISIBLE;
        it.cx = 40;
        it.cy = 12;
        it.id = (WORD)(100 + i);
        Append(t, &it, sizeof(it));
        AppendText(t, items[i].cls);
        AppendText(t, items[i].text ? items[i].text : "");
        t.push_back(0);  // no creation data
    }
    HWND hDlg = ::CreateDialogIndirectParamA(::GetModuleHandleA(NULL), (LPCDLGTEMPLATEA)t.data(), NULL, NULL, 0);
    if (!hDlg || !SubclassWindow(hDlg))
        return false;
    ::SetWindowPos(hDlg, NULL, 50, 50, w, h, SWP_NOZORDER);
    for (size_t i = 0; i < items.size(); ++i)
    {
        HWND hItem = ::GetDlgItem(hDlg, (int)(100 + i));
        const RECT& rc = items[i].rc;
        ::MoveWindow(hItem, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, FALSE);
        ::SendMessageA(hItem, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    }
    ::SetForegroundWindow(hDlg);
    return true;
}

LRESULT Parent::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_CTLCOLORSTATIC:
        ++m_ctlColors;
        if (m_onCtlColor)
            m_onCtlColor();
        return (LRESULT)m_brush;
    case WM_HSCROLL:
        m_scrolls.push_back(wParam);
        break;
    case WM_DRAWITEM:
    {
        const DRAWITEMSTRUCT* dis = (const DRAWITEMSTRUCT*)lParam;
        if (dis->CtlType == ODT_TAB)
            m_tabItems[dis->itemID] = dis->rcItem;
        break;
    }
    default:
        if (msg == kLinkMsg)
        {
            m_links.push_back(wParam);
            if (m_onLink)
                m_onLink();
            return 0;
        }
    }
    return CWnd::WindowProc(msg, wParam, lParam);
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

int CountInRow(const lumotest::WindowCapture& cap, int y, int x0, int x1, COLORREF colour)
{
    RECT rc = { x0, y, x1, y + 1 };
    return cap.CountColor(colour, rc);
}

}  // namespace ctltest
