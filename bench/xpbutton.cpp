// Redrawing a hovered, focused XP push button of 90 x 26 next to the platform's own push button
// of the same size and text, in interleaved rounds; each prints its median and the ratio.
#include <afxwin.h>
#include <stdio.h>

#include <vector>

#include "BenchSupport.h"
#include "CButtonXP.h"

namespace {

// Milliseconds per full redraw (erase and paint) of the focused button.
double Redraws(HWND button, int count)
{
    SetFocus(button);
    Pump();
    const double t0 = Now();
    for (int i = 0; i < count; ++i)
        RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    GdiFlush();
    return (Now() - t0) / count;
}

}  // namespace

int main()
{
    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                       "bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 50, 50, 320, 120, nullptr, nullptr))
    {
        printf("no host window\n");
        return 1;
    }
    CFont* font = CFont::FromHandle((HFONT)GetStockObject(DEFAULT_GUI_FONT));
    CButtonXP xp;
    CButton platform;
    if (!xp.Create("OK", BS_PUSHBUTTON, CRect(10, 10, 100, 36), &host, 1) ||
        !platform.Create("OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(120, 10, 210, 36), &host, 2))
    {
        printf("no buttons\n");
        return 1;
    }
    xp.SetFont(font);
    platform.SetFont(font);
    // Hovered: the XP button shows its hot face and orange frame; the platform's has no hover look.
    xp.SendMessage(WM_MOUSEHOVER);
    Pump();

    const int rounds = 31, perRound = 40;
    Redraws(xp, perRound);  // warm both
    Redraws(platform, perRound);
    std::vector<double> ours, theirs;
    for (int r = 0; r < rounds; ++r)
    {
        // Alternate which goes first, so neither always follows the other's cache state.
        if (r & 1)
        {
            theirs.push_back(Redraws(platform, perRound));
            ours.push_back(Redraws(xp, perRound));
        }
        else
        {
            ours.push_back(Redraws(xp, perRound));
            theirs.push_back(Redraws(platform, perRound));
        }
    }
    const double mine = Median(ours), base = Median(theirs);
    printf("XP push button redraw      %8.4f ms  (median of %d rounds of %d, hovered and focused)\n", mine, rounds,
           perRound);
    printf("platform push button redraw %7.4f ms  (same size, text and font, focused)\n", base);
    printf("ratio XP / platform         %7.2f  (target at most 2)\n", mine / base);
    host.DestroyWindow();
    return 0;
}
