// Cost of one step of a splitter drag in a frame set of 8 frames side by side, next to the least
// such a step can cost: one DeferWindowPos batch moving the same 8 windows to the same
// rectangles, followed by UpdateWindow. Both run in twin hosts, in alternating steps; each
// figure is the median of its steps.
#include <windows.h>
#include <stdio.h>
#include <vector>
#include "BenchSupport.h"
#include "lumo.h"

namespace {

const int kFrames = 8;
const int kHostW = 800, kHostH = 300;
const int kStep = 12;

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

// A host with a frame set of 8 titled frames, each holding a plain window.
struct Twin {
    HWND host = nullptr;
    HWND set = nullptr;
    HWND windows[kFrames] = {};

    Twin(int y) {
        host = CreateWindowExA(0, "BenchFramesetHost", "frame set", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                               20, y, kHostW, kHostH, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        HFRAMESET fs = Frameset_new(host);
        for (int i = 0; i < kFrames; ++i) {
            char name[8] = {char('a' + i), 0};
            windows[i] = CreateWindowExA(0, "BenchFramesetBody", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host,
                                         nullptr, GetModuleHandleA(nullptr), nullptr);
            Frame_add(fs, name, "", 0, windows[i], "12%");
            Frame_SetTitle(fs, name, "Frame");
            Frame_SetIconMsg(fs, name, i);
        }
        Frameset_SetStyle(fs, 2);
        Frameset_SetOuterBorder(fs, 4, 4, 4, 4);
        set = FindWindowExA(host, nullptr, nullptr, "CWndArea");
        UpdateWindow(host);
        Pump();
    }
    void Rects(RECT* out) const {
        for (int i = 0; i < kFrames; ++i) {
            GetWindowRect(windows[i], &out[i]);
            MapWindowPoints(nullptr, host, (LPPOINT)&out[i], 2);
        }
    }
};

}  // namespace

int main() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "BenchFramesetHost";
    RegisterClassA(&wc);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = "BenchFramesetBody";
    RegisterClassA(&wc);

    Twin dragged(20), moved(360);
    if (!dragged.set || !moved.set) {
        printf("no frame set\n");
        return 1;
    }

    // The splitter after the fourth frame, grabbed in its middle.
    RECT r[kFrames];
    dragged.Rects(r);
    POINT grip = {(r[3].right + r[4].left) / 2, (r[3].top + r[3].bottom) / 2};
    MapWindowPoints(dragged.host, dragged.set, &grip, 1);
    SendMessageA(dragged.set, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grip.x, grip.y));
    if (GetCapture() != dragged.set) {
        printf("the splitter was not grabbed\n");
        return 1;
    }

    // The two rectangle sets a drag step alternates between, for the plain batch.
    RECT states[2][kFrames];
    dragged.Rects(states[0]);
    SendMessageA(dragged.set, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(grip.x + kStep, grip.y));
    dragged.Rects(states[1]);
    SendMessageA(dragged.set, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(grip.x, grip.y));
    Pump();

    const int rounds = 400;
    std::vector<double> drag, batch;
    for (int i = 0; i < rounds; ++i) {
        const int s = (i & 1) ? 0 : 1;
        double t = Now();
        SendMessageA(dragged.set, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(grip.x + s * kStep, grip.y));
        GdiFlush();
        drag.push_back(Now() - t);

        t = Now();
        HDWP dwp = BeginDeferWindowPos(kFrames);
        for (int k = 0; k < kFrames; ++k) {
            const RECT& rc = states[s][k];
            dwp = DeferWindowPos(dwp, moved.windows[k], nullptr, rc.left, rc.top, rc.right - rc.left,
                                 rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        EndDeferWindowPos(dwp);
        UpdateWindow(moved.host);
        GdiFlush();
        batch.push_back(Now() - t);
        Pump();
    }
    SendMessageA(dragged.set, WM_LBUTTONUP, 0, MAKELPARAM(grip.x, grip.y));

    const double d = Median(drag), b = Median(batch);
    printf("splitter drag step, 8 frames        %8.3f ms (median of %d)\n", d, rounds);
    printf("DeferWindowPos batch + UpdateWindow %8.3f ms (median of %d)\n", b, rounds);
    printf("ratio                               %8.2f  (target <= 1.5)\n", d / b);
    DestroyWindow(dragged.host);
    DestroyWindow(moved.host);
    return 0;
}
