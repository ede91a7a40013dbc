// Ends controls from inside their notifications and checks what is left afterwards.
#include "DestroyInNotify.h"
#include "LumoTest.h"

namespace lumotest {
namespace {

// Longer than every timer of the library's controls (the door's deferred placement, 100 ms;
// the shadows' shared timer, at most 150 ms).
const UINT kMarkerMs = 160;

// Runs one case; the number of times the host was told. A warming run does not wait for
// the control's timers.
int RunCase(const NotifyCase& c, int w, int h, bool warming) {
    HostWindow host(w, h);
    HWND control = c.make(host);
    EXPECT_NE(control, nullptr) << "the control was not made";
    if (!control) return 0;
    PumpPending();
    int told = 0;
    SetHostHandler(host, [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
        if (!c.is(control, msg, wParam, lParam) || ++told > 1) return false;
        c.destroy ? c.destroy(control) : (void)::DestroyWindow(control);
        *result = 0;
        return true;
    });
    c.provoke(control);
    PumpUntil([&] { return told > 0; }, 2000);
    if (!warming) {
        bool fired = false;
        ModalDriver marker;
        marker.After(kMarkerMs, [&] { fired = true; });
        EXPECT_TRUE(PumpUntil([&] { return fired; }, 5000));
    }
    SetHostHandler(host, nullptr);
    EXPECT_FALSE(::IsWindow(control)) << "the control's window outlived the notification";
    return told;
}

}  // namespace

HWND MakeRelay(HWND host, UINT msg, LRESULT answer, int w, int h) {
    HWND relay = CreateHostWindow(w, h, true, host);
    SetHostHandler(relay, [msg, answer](HWND self, UINT m, WPARAM, LPARAM, LRESULT* result) {
        if (m != msg) return false;
        ::SendMessageA(::GetParent(self), kRelayed, msg, 0);
        *result = answer;
        return true;
    });
    return relay;
}

void ExpectDestroyInNotifyIsSafe(const std::vector<NotifyCase>& cases, int w, int h) {
    // One run of each case first fills the library's and the platform's one-time caches (the
    // system's drag image list, say), which would otherwise count as leaks.
    for (const NotifyCase& c : cases) RunCase(c, w, h, true);
    // Regions are counted over the whole round: the system frees some of its own a case late.
    GdiBalance all;
    for (const NotifyCase& c : cases) {
        SCOPED_TRACE(c.name);
        GdiBalance gdi(false);
        WindowBalance windows;
        EXPECT_EQ(RunCase(c, w, h, false), 1) << "the host was not told exactly once";
        PumpPending();
        EXPECT_EQ(gdi.Delta(), 0) << "GDI objects outlived the control";
        EXPECT_EQ(windows.Delta(), 0) << "windows outlived the control";
    }
    EXPECT_EQ(all.Delta(), 0) << "GDI objects, regions included, outlived the controls";
}

}  // namespace lumotest
