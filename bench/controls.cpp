// Small-control benchmark: the median time of one full redraw (invalidate, erase, paint) of the
// slider, the progress bar and the tab control, each against the platform's own control of the
// same size and state in the same window, redrawn in alternation so both meet the same load.
#include <afxwin.h>
#include <afxcmn.h>

#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "CMySlideCtrl.h"
#include "CProgressCtrlEx.h"
#include "CTabCtrlEx.h"
#include "ClassicLook.h"

namespace {

// A framework window, so the owner-drawn tabs get their drawing reflected, painting static
// controls on a light grey.
class Host : public CWnd
{
public:
    Host() : m_brush(::CreateSolidBrush(RGB(236, 236, 236))) {}
    ~Host() override
    {
        DestroyWindow();
        ::DeleteObject(m_brush);
    }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_CTLCOLORSTATIC)
            return (LRESULT)m_brush;
        return CWnd::WindowProc(msg, wParam, lParam);
    }
    HBRUSH m_brush;
};

double RedrawTime(HWND hwnd)
{
    const double t0 = Now();
    ::RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return Now() - t0;
}

// Medians of n redraws of each window, taken one of each in turn.
void Measure(HWND ours, HWND base, int n, double& tOurs, double& tBase)
{
    for (int i = 0; i < 20; ++i)  // warm caches and fonts
    {
        RedrawTime(ours);
        RedrawTime(base);
    }
    std::vector<double> a, b;
    for (int i = 0; i < n; ++i)
    {
        a.push_back(RedrawTime(ours));
        b.push_back(RedrawTime(base));
    }
    tOurs = Median(a);
    tBase = Median(b);
}

bool Report(const char* what, double ours, double base, double target)
{
    const double ratio = base > 0 ? ours / base : 0;
    printf("%-44s %8.3f ms vs %8.3f ms  ratio %.2f (target <= %.1f)\n", what, ours, base, ratio, target);
    return ratio <= target;
}

}  // namespace

int main()
{
    if (!gallery::UseClassicLook())
        printf("note: themes stay on for the library, so the tabs are the platform's on both sides\n");
    Host host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), "bench_controls",
                       WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 560, 360, NULL, NULL))
        return 1;

    const DWORD kChild = WS_CHILD | WS_VISIBLE;
    CMySlideCtrl slider;
    CSliderCtrl plainSlider;
    CProgressCtrlEx bar;
    CProgressCtrl plainBar;
    CTabCtrlEx tabs;
    CTabCtrl plainTabs;
    if (!slider.Create(kChild | TBS_AUTOTICKS, CRect(10, 10, 260, 42), &host, 1) ||
        !plainSlider.Create(kChild | TBS_AUTOTICKS, CRect(280, 10, 530, 42), &host, 2) ||
        !bar.Create(kChild, CRect(10, 60, 260, 82), &host, 3) || !plainBar.Create(kChild, CRect(280, 60, 530, 82), &host, 4) ||
        !tabs.Create(kChild, CRect(10, 100, 260, 300), &host, 5) || !plainTabs.Create(kChild, CRect(280, 100, 530, 300), &host, 6))
        return 1;
    for (CSliderCtrl* s : { (CSliderCtrl*)&slider, &plainSlider })
    {
        s->SetRange(0, 100, FALSE);
        s->SendMessage(TBM_SETPOS, TRUE, 40);
        s->SendMessage(TBM_SETTICFREQ, 10, 0);
    }
    for (CProgressCtrl* p : { (CProgressCtrl*)&bar, &plainBar })
    {
        p->SetRange32(0, 200);
        p->SetPos(84);
    }
    for (CTabCtrl* t : { (CTabCtrl*)&tabs, &plainTabs })
    {
        t->SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
        for (const char* name : { "General", "Orders", "Invoices", "Notes" })
            t->InsertItem(t->GetItemCount(), name);
        t->SetCurSel(1);
    }
    host.UpdateWindow();

    const int kRedraws = 400;
    bool ok = true;
    double a = 0, b = 0;
    Measure(slider, plainSlider, kRedraws, a, b);
    ok &= Report("slider redraw (250 x 32, ticks every 10)", a, b, 2.0);
    Measure(bar, plainBar, kRedraws, a, b);
    ok &= Report("progress bar redraw (250 x 22, 42 %)", a, b, 1.5);
    Measure(tabs, plainTabs, kRedraws, a, b);
    ok &= Report("tab control redraw (250 x 200, four tabs)", a, b, 2.0);
    printf("%s\n", ok ? "all targets met" : "a target was missed");
    return ok ? 0 : 2;
}
