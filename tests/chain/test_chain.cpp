// The window procedure chain and the parent message hook: clients and subscribers stacked on a
// host window, leaving in any order, and the window's own procedure handling every message as
// before.
#include "LumoTest.h"
#include "frame/CHookParent.h"
#include "frame/WndProcChain.h"

#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace lumotest;

namespace {

const UINT kProbe = WM_APP + 11;  // every chain client marks it and passes it on
const UINT kLeave = WM_APP + 12;  // the chain client named by wParam leaves, then passes it on
const UINT kOther = WM_APP + 21;  // no hook subscriber asks for it
const UINT kForward = WM_APP + 22;
const LRESULT kHostAnswer = 0x4242;

// Marks of the procedures a message went through, the host's own procedure marking 'H'.
std::string g_trail;

WNDPROC CurrentProc(HWND hwnd) { return (WNDPROC)GetWindowLongPtrA(hwnd, GWLP_WNDPROC); }

// A hidden host whose own procedure marks WM_SIZE and the test messages and answers them with
// kHostAnswer.
HWND MarkingHost() {
    HWND h = CreateHostWindow(200, 100, false);
    SetHostHandler(h, [](HWND, UINT msg, WPARAM, LPARAM, LRESULT* result) {
        if (msg != WM_SIZE && msg < WM_APP) return false;
        g_trail += 'H';
        *result = kHostAnswer;
        return true;
    });
    return h;
}

// The marks a call left on its way down, and its answer.
using Outcome = std::pair<std::string, LRESULT>;
template <class F>
Outcome Marks(F call) {
    g_trail.clear();
    LRESULT r = call();
    return {g_trail, r};
}
Outcome Send(HWND h, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    return Marks([&] { return SendMessageA(h, msg, wp, lp); });
}
Outcome Prev(UINT id, HWND h) { return Marks([&] { return CallPrevWndProc(id, h, kProbe, 0, 0); }); }
Outcome Own(UINT id, HWND h) { return Marks([&] { return CallOwnWndProc(id, h, kProbe, 0, 0); }); }
const Outcome kDefault("", 0);  // no client, no host: the default procedure

LRESULT Client(char mark, UINT id, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kProbe || msg == kLeave) g_trail += mark;
    if (msg == kLeave && wp == id) RemoveWndProc(hwnd, id);
    return CallPrevWndProc(id, hwnd, msg, wp, lp);
}
LRESULT CALLBACK ProcA(HWND h, UINT m, WPARAM w, LPARAM l) { return Client('A', 1, h, m, w, l); }
LRESULT CALLBACK ProcB(HWND h, UINT m, WPARAM w, LPARAM l) { return Client('B', 2, h, m, w, l); }
LRESULT CALLBACK ProcC(HWND h, UINT m, WPARAM w, LPARAM l) { return Client('C', 3, h, m, w, l); }

// Hook subscribers mark in lower case; the one named by g_quitter unhooks itself when told.
struct Subscriber : CObject {
    explicit Subscriber(char m) : mark(m) {}
    char mark;
};
Subscriber g_a('a'), g_b('b'), g_c('c');
Subscriber* g_quitter = nullptr;

LRESULT Heard(Subscriber* who, HWND hwnd) {
    g_trail += who->mark;
    if (g_quitter == who) CHookParentMessage::UnhookParent(hwnd, who);
    return 1;
}
LRESULT CALLBACK HookA(HWND h, UINT, WPARAM, LPARAM) { return Heard(&g_a, h); }
LRESULT CALLBACK HookB(HWND h, UINT, WPARAM, LPARAM) { return Heard(&g_b, h); }
LRESULT CALLBACK HookC(HWND h, UINT, WPARAM, LPARAM) { return Heard(&g_c, h); }

// After the window's own procedure subscribers mark in digits; the one named by g_afterQuitter
// unhooks itself then.
Subscriber* g_afterQuitter = nullptr;
LRESULT HeardAfter(Subscriber* who, char mark, HWND hwnd) {
    g_trail += mark;
    if (g_afterQuitter == who) CHookParentMessage::UnhookParent(hwnd, who);
    return 1;
}
LRESULT CALLBACK AfterA(HWND h, UINT, WPARAM, LPARAM) { return HeardAfter(&g_a, '1', h); }
LRESULT CALLBACK AfterC(HWND h, UINT, WPARAM, LPARAM) { return HeardAfter(&g_c, '3', h); }

class ChainTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_quitter = nullptr;
        g_afterQuitter = nullptr;
        ASSERT_EQ(0, WndProcChainWindowCount());
        ASSERT_EQ(0, HookParentProbe::HookedCount());
    }
    void TearDown() override {
        DestroyAllHostWindows();
        EXPECT_EQ(0, WndProcChainWindowCount());
        EXPECT_EQ(0, HookParentProbe::HookedCount());
    }
};

}  // namespace

TEST_F(ChainTest, ClientsStackAndLeaveInEitherOrder) {
    HWND host = MarkingHost();
    const WNDPROC own = CurrentProc(host);
    // The host's own procedure gets each message as it was sent, through the chain or not.
    MessageRecorder rec(host, [](HWND, UINT msg, WPARAM wp, LPARAM) { return msg == kProbe && wp != 0; });
    for (UINT first : {1u, 2u}) {
        SCOPED_TRACE(testing::Message() << "client " << first << " leaves first");
        ASSERT_TRUE(InstallWndProc(host, 1, ProcA));
        ASSERT_TRUE(InstallWndProc(host, 2, ProcB));
        EXPECT_TRUE(InstallWndProc(host, 1, ProcC));  // a second install changes nothing
        EXPECT_EQ(ProcB, CurrentProc(host));
        EXPECT_EQ(3, WndProcChainLength(host));
        EXPECT_EQ(Outcome("BAH", kHostAnswer), Send(host, kProbe, first, 10 + first));
        // B's previous is A; A's previous is the host's own procedure; a client's own procedure
        // can be asked directly.
        EXPECT_EQ(Outcome("AH", kHostAnswer), Prev(2, host));
        EXPECT_EQ(Outcome("H", kHostAnswer), Prev(1, host));
        EXPECT_EQ(Outcome("AH", kHostAnswer), Own(1, host));

        // The one that stays passes straight to what is under the one that left.
        EXPECT_TRUE(RemoveWndProc(host, first));
        EXPECT_FALSE(IsWndProcInstalled(host, first));
        EXPECT_TRUE(IsWndProcInstalled(host, 3 - first));
        EXPECT_EQ(first == 1 ? ProcB : ProcA, CurrentProc(host));
        EXPECT_EQ(first == 1 ? "BH" : "AH", Send(host, kProbe).first);
        EXPECT_TRUE(RemoveWndProc(host, 3 - first));
        EXPECT_EQ(own, CurrentProc(host));
        EXPECT_EQ(0, WndProcChainLength(host));
    }
    EXPECT_EQ("H", Send(host, kProbe, 3, 4).first);
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(kProbe, 1, 11), RecordedMsg(kProbe, 2, 12),
                                            RecordedMsg(kProbe, 3, 4)}));
}

TEST_F(ChainTest, CallsWithAnAbsentClientReachTheTop) {
    HWND host = MarkingHost();
    const WNDPROC own = CurrentProc(host);
    // No chain at all: the default procedure, not the host.
    EXPECT_EQ(kDefault, Prev(7, host));
    EXPECT_EQ(kDefault, Own(1, host));
    ASSERT_TRUE(InstallWndProc(host, 1, ProcA));
    ASSERT_TRUE(InstallWndProc(host, 2, ProcB));
    EXPECT_EQ(Outcome("BAH", kHostAnswer), Prev(7, host));
    EXPECT_EQ(kDefault, Own(7, host));

    // A client that leaves while handling a message hands it to what remains on top.
    EXPECT_EQ(Outcome("BAH", kHostAnswer), Send(host, kLeave, 2));
    EXPECT_FALSE(IsWndProcInstalled(host, 2));
    EXPECT_EQ(ProcA, CurrentProc(host));
    // The last client leaving while handling: the chain is gone, the default procedure answers.
    EXPECT_EQ(Outcome("A", 0), Send(host, kLeave, 1));
    EXPECT_EQ(own, CurrentProc(host));
}

TEST_F(ChainTest, BadInputAndUnknownWindowsChangeNothing) {
    HWND host = MarkingHost();
    const WNDPROC own = CurrentProc(host);
    for (HWND bad : {(HWND)nullptr, (HWND)(UINT_PTR)0xDEAD0}) {
        EXPECT_FALSE(InstallWndProc(bad, 1, ProcA));
        EXPECT_FALSE(RemoveWndProc(bad, 1));
        EXPECT_EQ(0, CHookParentMessage::HookParent(bad, &g_a, HookA));
    }
    EXPECT_FALSE(InstallWndProc(host, 1, nullptr));
    EXPECT_EQ(own, CurrentProc(host));
    EXPECT_FALSE(RemoveWndProc(host, 1));
    ASSERT_TRUE(InstallWndProc(host, 1, ProcA));
    // The window's own entry is not a client.
    EXPECT_FALSE(RemoveWndProc(host, 0));
    EXPECT_FALSE(RemoveWndProc(host, 2));
    EXPECT_EQ(ProcA, CurrentProc(host));
    EXPECT_TRUE(RemoveWndProc(host, 1));

    // Nothing happens to a window the hook does not know.
    CHookParentMessage::UnhookParent(host, &g_a);
    CHookParentMessage::SubscribeMessage(host, WM_SIZE);
    EXPECT_EQ(0, CHookParentMessage::CallParentOriginProc(host, kOther, 0, 0));
    EXPECT_EQ(own, CurrentProc(host));
    EXPECT_EQ(0, HookParentProbe::HookedCount());
    // Unhooking an object that never subscribed leaves the others.
    CHookParentMessage::HookParent(host, &g_a, HookA);
    CHookParentMessage::UnhookParent(host, &g_b);
    EXPECT_EQ(1, HookParentProbe::SubscriberCount(host));
    CHookParentMessage::UnhookParent(host, &g_a);
    EXPECT_EQ(own, CurrentProc(host));
}

TEST_F(ChainTest, RegistryEmptiesAndIsRebuilt) {
    EXPECT_EQ(0u, WndProcChainTableSize());
    // More windows than buckets and than one block of nodes, so buckets hold several windows.
    std::vector<HWND> hosts;
    for (int i = 0; i < 24; ++i) {
        hosts.push_back(CreateHostWindow(50, 50, false));
        ASSERT_TRUE(InstallWndProc(hosts[i], 1, ProcA));
        ASSERT_TRUE(InstallWndProc(hosts[i], 2, ProcB));
    }
    const WNDPROC own = WndProcChainProcAt(hosts[0], 0);
    EXPECT_EQ(24, WndProcChainWindowCount());
    EXPECT_EQ(17u, WndProcChainTableSize());

    // Leave from the middle of bucket chains, odd windows first, top client first: the windows
    // still chained are untouched.
    std::vector<bool> chained(24, true);
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 1 - pass; i < 24; i += 2) {
            EXPECT_TRUE(RemoveWndProc(hosts[i], 2));
            EXPECT_TRUE(RemoveWndProc(hosts[i], 1));
            chained[i] = false;
            for (int k = 0; k < 24; ++k)
                EXPECT_EQ(chained[k] ? ProcB : own, CurrentProc(hosts[k])) << i << " " << k;
        }
    EXPECT_EQ(0, WndProcChainWindowCount());
    EXPECT_EQ(0u, WndProcChainTableSize());

    ASSERT_TRUE(InstallWndProc(hosts[5], 2, ProcB));
    EXPECT_EQ(17u, WndProcChainTableSize());
    EXPECT_EQ(1, WndProcChainWindowCount());
    EXPECT_EQ("B", Send(hosts[5], kProbe).first);  // these hosts do not mark
    EXPECT_TRUE(RemoveWndProc(hosts[5], 2));
    EXPECT_EQ(0u, WndProcChainTableSize());
}

TEST_F(ChainTest, HookSubscribersAreToldInOrderAndMayUnhookWhileTold) {
    HWND host = MarkingHost();
    const WNDPROC own = CurrentProc(host);
    EXPECT_NE(0, CHookParentMessage::HookParent(host, &g_a, HookA));
    EXPECT_NE(own, CurrentProc(host));
    EXPECT_EQ(own, HookParentProbe::OriginProc(host));
    EXPECT_EQ(1, CHookParentMessage::HookParent(host, &g_b, HookB));
    EXPECT_EQ(1, CHookParentMessage::HookParent(host, &g_c, HookC));
    // The same object twice: refused, its first procedure kept.
    EXPECT_EQ(0, CHookParentMessage::HookParent(host, &g_a, HookC));
    EXPECT_EQ(3, HookParentProbe::SubscriberCount(host));
    CHookParentMessage::SubscribeMessage(host, WM_SIZE);
    CHookParentMessage::SubscribeMessage(host, WM_SIZE);
    EXPECT_EQ(1, HookParentProbe::MessageCount(host));

    // Every subscriber in registration order, then the window's own procedure with its answer;
    // a message nobody subscribed to, or the origin procedure called on request, reaches only
    // the window's own procedure. A real resize is heard like a sent one.
    EXPECT_EQ(Outcome("abcH", kHostAnswer), Send(host, WM_SIZE));
    EXPECT_EQ(Outcome("H", kHostAnswer), Send(host, kOther));
    EXPECT_EQ(Outcome("H", kHostAnswer), Marks([&] {
        return CHookParentMessage::CallParentOriginProc(host, WM_SIZE, 0, 0);
    }));
    EXPECT_EQ("abcH", Marks([&] {
        return SetWindowPos(host, nullptr, 0, 0, 150, 80, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }).first);

    // The first, a middle and the last subscriber leave while told: the others are still told
    // and the window still handles it. With the last the hook is gone, the window's procedure is
    // back, and the message that was being dispatched goes to the default procedure.
    const struct { Subscriber* quitter; Outcome told, next; int left; } rows[] = {
        {&g_a, {"abcH", kHostAnswer}, {"bcH", kHostAnswer}, 2},
        {&g_b, {"bcH", kHostAnswer}, {"cH", kHostAnswer}, 1},
        {&g_c, {"c", 0}, {"H", kHostAnswer}, -1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.quitter->mark);
        g_quitter = r.quitter;
        EXPECT_EQ(r.told, Send(host, WM_SIZE));
        EXPECT_EQ(r.left, HookParentProbe::SubscriberCount(host));
        EXPECT_EQ(r.next, Send(host, WM_SIZE));
    }
    EXPECT_EQ(0, HookParentProbe::HookedCount());
    EXPECT_EQ(own, CurrentProc(host));
}

// Subscribers that gave an after-procedure hear their messages again once the window's own
// procedure has returned, in the order they subscribed; the window's answer is the caller's.
// One that leaves while told before or after is told nothing more; the others still are.
TEST_F(ChainTest, HookAfterProceduresHearOnceTheWindowHasHandled) {
    HWND host = MarkingHost();
    EXPECT_NE(0, CHookParentMessage::HookParent(host, &g_a, HookA, AfterA));
    EXPECT_EQ(1, CHookParentMessage::HookParent(host, &g_b, HookB));
    EXPECT_EQ(1, CHookParentMessage::HookParent(host, &g_c, HookC, AfterC));
    CHookParentMessage::SubscribeMessage(host, WM_SIZE);
    EXPECT_EQ(Outcome("abcH13", kHostAnswer), Send(host, WM_SIZE));
    EXPECT_EQ(Outcome("H", kHostAnswer), Send(host, kOther));

    g_afterQuitter = &g_a;
    EXPECT_EQ(Outcome("abcH13", kHostAnswer), Send(host, WM_SIZE));
    EXPECT_EQ(Outcome("bcH3", kHostAnswer), Send(host, WM_SIZE));
    g_quitter = &g_c;
    EXPECT_EQ(Outcome("bcH", kHostAnswer), Send(host, WM_SIZE));
    EXPECT_EQ(Outcome("bH", kHostAnswer), Send(host, WM_SIZE));
    CHookParentMessage::UnhookParent(host, &g_b);
    EXPECT_EQ(0, HookParentProbe::HookedCount());
}

TEST_F(ChainTest, HookSubscriberWithoutProcedureIsToldByNotify) {
    HWND host = MarkingHost();
    HWND listener = CreateHostWindow(50, 50, false);
    std::vector<WPARAM> wParams;
    HOOKPARENT_NMHDR block = {};
    SetHostHandler(listener, [&](HWND, UINT msg, WPARAM wp, LPARAM lp, LRESULT*) {
        if (msg != WM_NOTIFY) return false;
        wParams.push_back(wp);
        block = *reinterpret_cast<HOOKPARENT_NMHDR*>(lp);
        return false;  // the default answer, 0
    });
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(listener));
    EXPECT_NE(0, CHookParentMessage::HookParent(host, &wnd, nullptr));
    CHookParentMessage::SubscribeMessage(host, kForward);
    EXPECT_EQ(Outcome("H", kHostAnswer), Marks([&] { return SendMessageA(host, kForward, 0x1234, 0x5678); }));
    // Full-width comparisons, as a host writes them: the values are sign-extended on x64.
    EXPECT_EQ(std::vector<WPARAM>{(WPARAM)-3707}, wParams);
    EXPECT_EQ(std::make_tuple(host, (UINT_PTR)-176, 0u, kForward, (WPARAM)0x1234, (LPARAM)0x5678),
              std::make_tuple(block.hdr.hwndFrom, block.hdr.idFrom, block.hdr.code, block.message,
                              block.wParam, block.lParam));
    SendMessageA(host, kOther, 0, 0);  // not subscribed: nothing is forwarded
    EXPECT_EQ(1u, wParams.size());
    CHookParentMessage::UnhookParent(host, &wnd);
    wnd.Detach();
}

TEST_F(ChainTest, HookEndsWithTheWindowAndWithAnyInstance) {
    // A window destroyed while hooked takes its hook with it; its own procedure saw its end.
    HWND doomed = MarkingHost();
    CHookParentMessage::HookParent(doomed, &g_a, HookA);
    CHookParentMessage::SubscribeMessage(doomed, WM_DESTROY);
    MessageRecorder rec(doomed, std::vector<UINT>{WM_DESTROY, WM_NCDESTROY});
    EXPECT_EQ("a", Marks([&] { return DestroyWindow(doomed); }).first);
    EXPECT_EQ(0, HookParentProbe::HookedCount());
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(WM_DESTROY), RecordedMsg(WM_NCDESTROY)}));
    CHookParentMessage::UnhookParent(doomed, &g_a);  // late unhook: nothing left to do

    // Any instance's destruction unhooks every window.
    HWND h1 = MarkingHost(), h2 = MarkingHost();
    const WNDPROC own = CurrentProc(h1);
    {
        CHookParentMessage a;
        CHookParentMessage b(a);
        b = a;
        CHookParentMessage::HookParent(h1, &g_a, HookA);
        CHookParentMessage::HookParent(h2, &g_a, HookA);
        CHookParentMessage::HookParent(h2, &g_b, HookB);
        EXPECT_EQ(2, HookParentProbe::HookedCount());
    }
    EXPECT_EQ(0, HookParentProbe::HookedCount());
    EXPECT_EQ(own, CurrentProc(h1));
    EXPECT_EQ(own, CurrentProc(h2));
}
