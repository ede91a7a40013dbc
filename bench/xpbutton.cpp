// Redrawing an XP push button of 90 x 26 next to the platform's own push button of the same
// size, text and font, in each of five states (normal, hovered, pressed, focused, disabled), with
// visual themes on and off for the platform's button (the program declares common controls 6; a
// button with its theme taken away draws the classic look). Each pair is redrawn in alternation
// so both meet the same load; every row prints both medians and the ratio, and says when it
// misses the target.
#include <afxwin.h>
#include <stdio.h>
#include <uxtheme.h>

#include <vector>

#include "BenchSupport.h"
#include "CButtonXP.h"

namespace {

const double kTarget = 1.5;

double RedrawTime(HWND hwnd)
{
    const double t0 = Now();
    ::RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    GdiFlush();
    return Now() - t0;
}

// Medians of n redraws of each, taken one of each in turn, the first alternating.
void Measure(HWND ours, HWND base, int n, double& tOurs, double& tBase)
{
    for (int i = 0; i < 20; ++i)
    {
        RedrawTime(ours);
        RedrawTime(base);
    }
    std::vector<double> a, b;
    for (int i = 0; i < n; ++i)
    {
        if (i & 1)
        {
            b.push_back(RedrawTime(base));
            a.push_back(RedrawTime(ours));
        }
        else
        {
            a.push_back(RedrawTime(ours));
            b.push_back(RedrawTime(base));
        }
    }
    tOurs = Median(a);
    tBase = Median(b);
}

enum State { kNormal, kHovered, kPressed, kFocused, kDisabled, kStates };
const char* const kStateNames[kStates] = { "normal", "hovered", "pressed", "focused", "disabled" };

// Puts a button in the state: the XP button through the messages a user's input brings, the
// platform's through the same messages and its push state.
void Enter(CButtonXP& xp, HWND platform, State state, HWND host)
{
    ::SetFocus(host);
    switch (state)
    {
    case kHovered:
        xp.SendMessage(WM_MOUSEHOVER);
        ::SendMessageA(platform, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        break;
    case kPressed:
        xp._OnLButtonDown();
        ::SendMessageA(platform, BM_SETSTATE, TRUE, 0);
        break;
    case kFocused:
        break;
    case kDisabled:
        xp.EnableWindow(FALSE);
        ::EnableWindow(platform, FALSE);
        break;
    default:
        break;
    }
    Pump();
}

void Leave(CButtonXP& xp, HWND platform, State state)
{
    switch (state)
    {
    case kHovered:
        xp.SendMessage(WM_MOUSELEAVE);
        ::SendMessageA(platform, WM_MOUSELEAVE, 0, 0);
        break;
    case kPressed:
        xp._OnLButtonUp(0, CPoint(-100, -100));
        ::SendMessageA(platform, BM_SETSTATE, FALSE, 0);
        break;
    case kDisabled:
        xp.EnableWindow(TRUE);
        ::EnableWindow(platform, TRUE);
        break;
    default:
        break;
    }
    Pump();
}

}  // namespace

int main()
{
    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                       "bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 50, 50, 420, 120, nullptr, nullptr))
    {
        printf("no host window\n");
        return 1;
    }
    SetCursorPos(1200, 1000);
    CFont* font = CFont::FromHandle((HFONT)GetStockObject(DEFAULT_GUI_FONT));
    CButtonXP xp;
    CButton themed, classic;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    if (!xp.Create("OK", BS_PUSHBUTTON, CRect(10, 10, 100, 36), &host, 1) ||
        !themed.Create("OK", style, CRect(120, 10, 210, 36), &host, 2) ||
        !classic.Create("OK", style, CRect(230, 10, 320, 36), &host, 3))
    {
        printf("no buttons\n");
        return 1;
    }
    ::SetWindowTheme(classic, L"", L"");
    for (CWnd* w : { (CWnd*)&xp, (CWnd*)&themed, (CWnd*)&classic })
        w->SetFont(font);
    Pump();
    const bool themes = ::GetWindowTheme(themed) != NULL;
    printf("platform button themed: %s\n", themes ? "yes" : "no (themes are not active here)");

    const int n = 301;
    int missed = 0;
    printf("%-9s %-10s %10s %10s %7s\n", "state", "themes", "XP ms", "platform", "ratio");
    for (int s = 0; s < kStates; ++s)
    {
        const State state = (State)s;
        for (int t = 0; t < 2; ++t)
        {
            HWND base = t == 0 ? themed.m_hWnd : classic.m_hWnd;
            Enter(xp, base, state, host);
            if (state == kFocused || state == kPressed)
            {
                // The focused button is the one redrawn: each gets it for its own turns.
                double a = 0, b = 0;
                std::vector<double> va, vb;
                for (int i = 0; i < n; ++i)
                {
                    xp.SetFocus();
                    va.push_back(RedrawTime(xp));
                    ::SetFocus(base);
                    vb.push_back(RedrawTime(base));
                }
                a = Median(va);
                b = Median(vb);
                const double r = a / b;
                printf("%-9s %-10s %10.4f %10.4f %7.2f%s\n", kStateNames[s], t == 0 ? "on" : "off", a, b, r,
                       r > kTarget ? "  MISSES the target" : "");
                missed += r > kTarget;
            }
            else
            {
                double a = 0, b = 0;
                Measure(xp, base, n, a, b);
                const double r = a / b;
                printf("%-9s %-10s %10.4f %10.4f %7.2f%s\n", kStateNames[s], t == 0 ? "on" : "off", a, b, r,
                       r > kTarget ? "  MISSES the target" : "");
                missed += r > kTarget;
            }
            Leave(xp, base, state);
        }
    }
    printf("target: XP / platform at most %.1f in every row; %d row(s) miss it\n", kTarget, missed);
    host.DestroyWindow();
    return 0;
}
