// Cost of one layout pass over a parent with 200 managed children, against the least a pass
// has to do: moving the same 200 windows to the same rectangles in one DeferWindowPos batch.
// Both alternate the parent between two sizes, so every pass really moves every window; the
// two are interleaved in one run so that the machine's state weighs on both alike.
#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "CMyWin.h"

namespace {

const int kChildren = 200;
const int kRounds = 60;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateParent()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "LayoutBenchParent";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "layout bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                           20, 20, 820, 640, nullptr, nullptr, wc.hInstance, nullptr);
}

void SetClientSize(HWND hwnd, int w, int h)
{
    RECT rcWnd, rcClient;
    GetWindowRect(hwnd, &rcWnd);
    GetClientRect(hwnd, &rcClient);
    SetWindowPos(hwnd, nullptr, 0, 0, w + (rcWnd.right - rcWnd.left) - rcClient.right,
                 h + (rcWnd.bottom - rcWnd.top) - rcClient.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double Now()
{
    static LARGE_INTEGER freq = {};
    if (freq.QuadPart == 0)
        QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(freq.QuadPart);
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main()
{
    HWND hParent = CreateParent();
    if (hParent == nullptr)
    {
        printf("cannot create the parent window\n");
        return 1;
    }
    CWnd parent;
    parent.Attach(hParent);
    SetClientSize(hParent, 800, 600);

    // Ten columns and twenty rows: size windows whose width follows the right edge, the last
    // column anchored to the right edge, every other row stacked under the row above.
    CMyWin layout;
    layout.SetParent(&parent);
    std::vector<HWND> children;
    for (int i = 0; i < kChildren; ++i)
    {
        int row = i / 10;
        int col = i % 10;
        HWND h = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 10 + row * 25, 50, 20, hParent,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        children.push_back(h);
        if (row % 2 == 1)
            layout.AddSizeWnd_Under(h, children[i - 10], 20, 5);
        else if (col == 9)
            layout.AddMoveWnd(h, 10, -1);
        else
            layout.AddSizeWnd(h, 10 + col * 60, 10 + row * 25, (9 - col) * 60 + 20, -1);
    }

    // The rectangles a pass gives the children at each of the two parent sizes.
    const SIZE sizes[2] = { { 800, 600 }, { 900, 640 } };
    std::vector<RECT> rects[2];
    for (int s = 0; s < 2; ++s)
    {
        SetClientSize(hParent, sizes[s].cx, sizes[s].cy);
        layout.OnSize(FALSE);
        Pump();
        for (HWND h : children)
            rects[s].push_back(layout.FindWnd(h)->m_rcLast);
    }

    auto moveBatch = [&](int s) {
        HDWP hdwp = BeginDeferWindowPos(kChildren);
        for (int i = 0; i < kChildren && hdwp != nullptr; ++i)
        {
            const RECT& rc = rects[s][i];
            hdwp = DeferWindowPos(hdwp, children[i], nullptr, rc.left, rc.top, rc.right - rc.left,
                                  rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (hdwp != nullptr)
            EndDeferWindowPos(hdwp);
    };

    // Each round starts with the children where the other size put them, so both the pass and
    // the batch move all 200 windows.
    std::vector<double> passTimes, batchTimes;
    for (int round = 0; round < kRounds; ++round)
    {
        int s = round % 2;
        SetClientSize(hParent, sizes[s].cx, sizes[s].cy);
        Pump();
        double t0 = Now();
        layout.OnSize(FALSE);
        double t1 = Now();
        passTimes.push_back(t1 - t0);
        Pump();

        moveBatch(1 - s);
        Pump();
        t0 = Now();
        moveBatch(s);
        t1 = Now();
        batchTimes.push_back(t1 - t0);
        Pump();
    }

    double pass = Median(passTimes);
    double batch = Median(batchTimes);
    printf("layout of %d children, median of %d passes\n", kChildren, kRounds);
    printf("  CMyWin::OnSize           %10.1f us  (%.2f us per window)\n", pass, pass / kChildren);
    printf("  one DeferWindowPos batch %10.1f us  (%.2f us per window)\n", batch, batch / kChildren);
    printf("  ratio OnSize / batch     %10.2f  (target at most 1.30)\n", pass / batch);

    parent.Detach();
    DestroyWindow(hParent);
    return 0;
}
