// Cost of painting a skinned window's frame and caption (WM_NCPAINT of a 400 x 300 window)
// next to the platform painting the same frame of an identical window without a skin, in
// interleaved rounds; the medians and their ratio are printed.
#include <windows.h>
#include <stdio.h>
#include "lumo.h"
#include "BenchSupport.h"
#include "ClassicLook.h"

namespace {

// The skin stands aside under themes; the comparison runs without them for both windows.
const bool g_classicLook = gallery::UseClassicLook();

// Milliseconds per WM_NCPAINT, over a batch.
double PaintTime(HWND hwnd, int batch) {
    double t = Now();
    for (int i = 0; i < batch; ++i) SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    GdiFlush();
    return (Now() - t) / batch;
}

}  // namespace

int main() {
    if (!g_classicLook) {
        printf("themes could not be turned off\n");
        return 1;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = "BenchSkinHost";
    RegisterClassA(&wc);
    HWND windows[2];
    for (int i = 0; i < 2; ++i)
        windows[i] = CreateWindowExA(0, wc.lpszClassName, "Quarterly report", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     20 + 420 * i, 20, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
    HWND skinned = windows[0], plain = windows[1];
    if (!Skin_Register(skinned, 0)) {
        printf("no skin\n");
        return 1;
    }
    Pump();

    const int rounds = 41, batch = 20;
    std::vector<double> skin, base;
    PaintTime(skinned, batch);
    PaintTime(plain, batch);
    for (int r = 0; r < rounds; ++r) {
        skin.push_back(PaintTime(skinned, batch));
        base.push_back(PaintTime(plain, batch));
        Pump();
    }
    const double s = Median(skin), b = Median(base);
    printf("skinned WM_NCPAINT 400x300    %8.3f ms  (median of %d rounds of %d)\n", s, rounds, batch);
    printf("unskinned WM_NCPAINT 400x300  %8.3f ms  (the platform's own frame, same window)\n", b);
    printf("ratio skinned / unskinned     %8.2f  (target at most 2)\n", s / b);
    Skin_Unregister(skinned);
    DestroyWindow(skinned);
    DestroyWindow(plain);
    return 0;
}
