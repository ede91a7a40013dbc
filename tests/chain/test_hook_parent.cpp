// The parent message hook: subscribers of a host window's messages, and the window's own
// procedure handling every message as before.
#include "LumoTest.h"
#include "frame/CHookParent.h"

#include <string>
#include <vector>

using namespace lumotest;

// Its own namespace: the test program compiles its files as one unit.
namespace hookparent {

namespace {

const UINT kOther = WM_APP + 21;
const UINT kForward = WM_APP + 22;
const LRESULT kHostAnswer = 0x5151;

// A plain subscriber object.
class Subscriber : public CObject {
public:
    explicit Subscriber(char mark) : mark(mark) {}
    char mark;
};

Subscriber g_a('a'), g_b('b'), g_c('c');
std::string g_trail;
// Which subscriber object unhooks itself when it hears a message (null: none).
Subscriber* g_quitter = nullptr;

void Heard(Subscriber* who, HWND hwnd) {
    g_trail += who->mark;
    if (g_quitter == who) CHookParentMessage::UnhookParent(hwnd, who);
}
LRESULT CALLBACK ProcA(HWND h, UINT, WPARAM, LPARAM) { Heard(&g_a, h); return 1; }
LRESULT CALLBACK ProcB(HWND h, UINT, WPARAM, LPARAM) { Heard(&g_b, h); return 1; }
LRESULT CALLBACK ProcC(HWND h, UINT, WPARAM, LPARAM) { Heard(&g_c, h); return 1; }

WNDPROC CurrentProc(HWND hwnd) { return (WNDPROC)GetWindowLongPtrA(hwnd, GWLP_WNDPROC); }

// A host whose own procedure marks WM_SIZE and kOther with 'H' and answers with kHostAnswer.
HWND MakeHost() {
    HWND h = CreateHostWindow(200, 100, false);
    SetHostHandler(h, [](HWND, UINT msg, WPARAM, LPARAM, LRESULT* result) {
        if (msg != WM_SIZE && msg != kOther && msg != kForward) return false;
        g_trail += 'H';
        *result = kHostAnswer;
        return true;
    });
    return h;
}

std::string Send(HWND hwnd, UINT msg, LRESULT* result = nullptr) {
    g_trail.clear();
    LRESULT r = SendMessageA(hwnd, msg, 0, 0);
    if (result) *result = r;
    return g_trail;
}

class HookParentTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_quitter = nullptr;
        ASSERT_EQ(0, HookParentProbe::HookedCount());
    }
    void TearDown() override {
        DestroyAllHostWindows();
        EXPECT_EQ(0, HookParentProbe::HookedCount());
    }
};

}  // namespace

TEST_F(HookParentTest, TwoSubscribersOnOneWindow) {
    HWND host = MakeHost();
    WNDPROC own = CurrentProc(host);

    EXPECT_NE(0, CHookParentMessage::HookParent(host, &g_a, ProcA));
    EXPECT_NE(own, CurrentProc(host));
    EXPECT_EQ(own, HookParentProbe::OriginProc(host));
    EXPECT_EQ(1, CHookParentMessage::HookParent(host, &g_b, ProcB));
    // The same object twice: refused, its first procedure kept.
    EXPECT_EQ(0, CHookParentMessage::HookParent(host, &g_a, ProcC));
    EXPECT_EQ(2, HookParentProbe::SubscriberCount(host));

    CHookParentMessage::SubscribeMessage(host, WM_SIZE);
    CHookParentMessage::SubscribeMessage(host, WM_SIZE);
    EXPECT_EQ(1, HookParentProbe::MessageCount(host));

    // Every subscriber in registration order, then the window's own procedure with its answer.
    LRESULT r = 0, r2 = 0;
    EXPECT_EQ("abH", Send(host, WM_SIZE, &r));
    // A message nobody subscribed to goes straight to the window's own procedure.
    EXPECT_EQ("H", Send(host, kOther, &r2));
    EXPECT_EQ(kHostAnswer, r);
    EXPECT_EQ(kHostAnswer, r2);
    // The origin procedure on request, bypassing the subscribers.
    g_trail.clear();
    EXPECT_EQ(kHostAnswer, CHookParentMessage::CallParentOriginProc(host, WM_SIZE, 0, 0));
    EXPECT_EQ("H", g_trail);

    // A real resize reaches both as well.
    g_trail.clear();
    SetWindowPos(host, nullptr, 0, 0, 150, 80, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ("abH", g_trail);

    CHookParentMessage::UnhookParent(host, &g_a);
    EXPECT_EQ(1, HookParentProbe::HookedCount());
    EXPECT_NE(own, CurrentProc(host));
    EXPECT_EQ("bH", Send(host, WM_SIZE));
    CHookParentMessage::UnhookParent(host, &g_b);
    EXPECT_EQ(0, HookParentProbe::HookedCount());
    EXPECT_EQ(own, CurrentProc(host));
    EXPECT_EQ("H", Send(host, WM_SIZE));
}

TEST_F(HookParentTest, SubscriberWithoutProcedureIsToldByNotify) {
    HWND host = MakeHost();
    HWND listener = CreateHostWindow(50, 50, false);
    struct Seen {
        int count = 0;
        WPARAM wParam = 0;
        HOOKPARENT_NMHDR block = {};
    } seen;
    SetHostHandler(listener, [&seen](HWND, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
        if (msg != WM_NOTIFY) return false;
        ++seen.count;
        seen.wParam = wp;
        seen.block = *reinterpret_cast<HOOKPARENT_NMHDR*>(lp);
        *result = 0;
        return true;
    });
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(listener));

    EXPECT_NE(0, CHookParentMessage::HookParent(host, &wnd, nullptr));
    CHookParentMessage::SubscribeMessage(host, kForward);
    g_trail.clear();
    EXPECT_EQ(kHostAnswer, SendMessageA(host, kForward, 0x1234, 0x5678));
    EXPECT_EQ("H", g_trail);

    ASSERT_EQ(1, seen.count);
    // Full-width comparisons, as a host writes them: the values are sign-extended on x64.
    EXPECT_EQ((WPARAM)-3707, seen.wParam);
    EXPECT_EQ(host, seen.block.hdr.hwndFrom);
    EXPECT_EQ((UINT_PTR)-176, seen.block.hdr.idFrom);
    EXPECT_EQ(0u, seen.block.hdr.code);
    EXPECT_EQ(kForward, seen.block.message);
    EXPECT_EQ(0x1234u, seen.block.wParam);
    EXPECT_EQ(0x5678, seen.block.lParam);

    // Not subscribed: nothing is forwarded.
    SendMessageA(host, kOther, 0, 0);
    EXPECT_EQ(1, seen.count);

    CHookParentMessage::UnhookParent(host, &wnd);
    wnd.Detach();
}

TEST_F(HookParentTest, SubscriberUnhooksItselfDuringDispatch) {
    HWND host = MakeHost();
    WNDPROC own = CurrentProc(host);
    CHookParentMessage::HookParent(host, &g_a, ProcA);
    CHookParentMessage::HookParent(host, &g_b, ProcB);
    CHookParentMessage::HookParent(host, &g_c, ProcC);
    CHookParentMessage::SubscribeMessage(host, WM_SIZE);

    // The first leaves while told: the others are still told, the window still handles it.
    g_quitter = &g_a;
    EXPECT_EQ("abcH", Send(host, WM_SIZE));
    EXPECT_EQ(2, HookParentProbe::SubscriberCount(host));
    EXPECT_EQ("bcH", Send(host, WM_SIZE));

    // A middle one.
    g_quitter = &g_b;
    EXPECT_EQ("bcH", Send(host, WM_SIZE));
    EXPECT_EQ("cH", Send(host, WM_SIZE));

    // The last one: the hook is gone, the window's procedure is back, and the message that was
    // being dispatched goes to the default procedure.
    g_quitter = &g_c;
    LRESULT r = -1;
    EXPECT_EQ("c", Send(host, WM_SIZE, &r));
    EXPECT_EQ(0, r);
    EXPECT_EQ(0, HookParentProbe::HookedCount());
    EXPECT_EQ(own, CurrentProc(host));
    EXPECT_EQ("H", Send(host, WM_SIZE));
}

TEST_F(HookParentTest, UnhookedWindowsAndBadHandles) {
    HWND host = MakeHost();
    WNDPROC own = CurrentProc(host);
    // Nothing happens for a window that is not hooked.
    CHookParentMessage::UnhookParent(host, &g_a);
    CHookParentMessage::SubscribeMessage(host, WM_SIZE);
    EXPECT_EQ(0, CHookParentMessage::CallParentOriginProc(host, kOther, 0, 0));
    EXPECT_EQ(own, CurrentProc(host));
    EXPECT_EQ(0, HookParentProbe::HookedCount());

    EXPECT_EQ(0, CHookParentMessage::HookParent(nullptr, &g_a, ProcA));
    EXPECT_EQ(0, CHookParentMessage::HookParent((HWND)(UINT_PTR)0xBEEF0, &g_a, ProcA));
    EXPECT_EQ(0, HookParentProbe::HookedCount());

    // Unhooking an object that never subscribed leaves the others.
    CHookParentMessage::HookParent(host, &g_a, ProcA);
    CHookParentMessage::UnhookParent(host, &g_b);
    EXPECT_EQ(1, HookParentProbe::SubscriberCount(host));
    CHookParentMessage::UnhookParent(host, &g_a);
    EXPECT_EQ(own, CurrentProc(host));
}

TEST_F(HookParentTest, DestroyedWindowAndInstanceDestructionUnhook) {
    // A window destroyed while hooked takes its hook with it.
    HWND doomed = MakeHost();
    CHookParentMessage::HookParent(doomed, &g_a, ProcA);
    CHookParentMessage::SubscribeMessage(doomed, WM_DESTROY);
    {
        MessageRecorder rec(doomed, std::vector<UINT>{WM_DESTROY, WM_NCDESTROY});
        g_trail.clear();
        DestroyWindow(doomed);
        EXPECT_EQ("a", g_trail);
        EXPECT_EQ(0, HookParentProbe::HookedCount());
        // The window's own procedure saw its whole end.
        EXPECT_EQ(1, rec.Count(WM_DESTROY));
        EXPECT_EQ(1, rec.Count(WM_NCDESTROY));
    }
    CHookParentMessage::UnhookParent(doomed, &g_a);  // late unhook: nothing left to do

    // Any instance's destruction unhooks every window.
    HWND h1 = MakeHost(), h2 = MakeHost();
    WNDPROC own1 = CurrentProc(h1), own2 = CurrentProc(h2);
    {
        CHookParentMessage a;
        CHookParentMessage b(a);
        b = a;
        CHookParentMessage::HookParent(h1, &g_a, ProcA);
        CHookParentMessage::HookParent(h2, &g_a, ProcA);
        CHookParentMessage::HookParent(h2, &g_b, ProcB);
        EXPECT_EQ(2, HookParentProbe::HookedCount());
    }
    EXPECT_EQ(0, HookParentProbe::HookedCount());
    EXPECT_EQ(own1, CurrentProc(h1));
    EXPECT_EQ(own2, CurrentProc(h2));
}

}  // namespace hookparent
