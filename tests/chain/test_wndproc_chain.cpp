// The window procedure chain: clients stacked on a host window, leaving in any order.
#include "LumoTest.h"
#include "frame/WndProcChain.h"

#include <string>
#include <utility>
#include <vector>

using namespace lumotest;

namespace {

const UINT kProbe = WM_APP + 11;  // every client marks it and passes it on
const UINT kLeave = WM_APP + 12;  // the client named by wParam removes itself, then passes it on
const LRESULT kHostAnswer = 0x4242;

std::string g_trail;

LRESULT Client(char mark, UINT id, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kProbe || msg == kLeave) g_trail += mark;
    if (msg == kLeave && wp == id) RemoveWndProc(hwnd, id);
    return CallPrevWndProc(id, hwnd, msg, wp, lp);
}
LRESULT CALLBACK ProcA(HWND h, UINT m, WPARAM w, LPARAM l) { return Client('A', 1, h, m, w, l); }
LRESULT CALLBACK ProcB(HWND h, UINT m, WPARAM w, LPARAM l) { return Client('B', 2, h, m, w, l); }
LRESULT CALLBACK ProcC(HWND h, UINT m, WPARAM w, LPARAM l) { return Client('C', 3, h, m, w, l); }

WNDPROC CurrentProc(HWND hwnd) { return (WNDPROC)GetWindowLongPtrA(hwnd, GWLP_WNDPROC); }

// A host that marks kProbe with 'H' and answers it with kHostAnswer.
class MarkingHost {
public:
    MarkingHost() : host_(200, 100, false) {
        SetHostHandler(host_, [](HWND, UINT msg, WPARAM, LPARAM, LRESULT* result) {
            if (msg != kProbe && msg != kLeave) return false;
            g_trail += 'H';
            *result = kHostAnswer;
            return true;
        });
        own_ = CurrentProc(host_);
    }
    operator HWND() const { return host_; }
    WNDPROC Own() const { return own_; }

private:
    HostWindow host_;
    WNDPROC own_;
};

// The marks a call left on its way down the chain, and its answer.
using Outcome = std::pair<std::string, LRESULT>;
template <class F>
Outcome Marks(F call) {
    g_trail.clear();
    LRESULT r = call();
    return {g_trail, r};
}
Outcome Probe(HWND h) { return Marks([&] { return SendMessageA(h, kProbe, 0, 0); }); }
Outcome Leave(HWND h, UINT id) { return Marks([&] { return SendMessageA(h, kLeave, id, 0); }); }
Outcome Prev(UINT id, HWND h) { return Marks([&] { return CallPrevWndProc(id, h, kProbe, 0, 0); }); }
Outcome Own(UINT id, HWND h) { return Marks([&] { return CallOwnWndProc(id, h, kProbe, 0, 0); }); }
const Outcome kDefault("", 0);  // no client, no host: the default procedure

class WndProcChainTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(0, WndProcChainWindowCount()); }
    void TearDown() override { EXPECT_EQ(0, WndProcChainWindowCount()); }
};

}  // namespace

TEST_F(WndProcChainTest, ClientsStackAndLeaveInEitherOrder) {
    MarkingHost host;
    ASSERT_TRUE(InstallWndProc(host, 1, ProcA));
    ASSERT_TRUE(InstallWndProc(host, 2, ProcB));
    EXPECT_EQ(ProcB, CurrentProc(host));
    EXPECT_EQ(3, WndProcChainLength(host));
    EXPECT_EQ(host.Own(), WndProcChainProcAt(host, 0));
    EXPECT_EQ(0u, WndProcChainClientAt(host, 0));
    EXPECT_EQ(Outcome("BAH", kHostAnswer), Probe(host));
    // B's previous is A; A's previous is the host's own procedure; a client's own procedure
    // can be asked directly.
    EXPECT_EQ(Outcome("AH", kHostAnswer), Prev(2, host));
    EXPECT_EQ(Outcome("H", kHostAnswer), Prev(1, host));
    EXPECT_EQ(Outcome("AH", kHostAnswer), Own(1, host));

    // A leaves first: B stays on the window and now passes straight to the host.
    EXPECT_TRUE(RemoveWndProc(host, 1));
    EXPECT_FALSE(IsWndProcInstalled(host, 1));
    EXPECT_TRUE(IsWndProcInstalled(host, 2));
    EXPECT_EQ(ProcB, CurrentProc(host));
    EXPECT_EQ("BH", Probe(host).first);
    EXPECT_FALSE(RemoveWndProc(host, 1));
    EXPECT_TRUE(RemoveWndProc(host, 2));
    EXPECT_EQ(host.Own(), CurrentProc(host));
    EXPECT_EQ(0, WndProcChainLength(host));
    EXPECT_EQ("H", Probe(host).first);

    // The other order: the top leaves first.
    ASSERT_TRUE(InstallWndProc(host, 1, ProcA));
    ASSERT_TRUE(InstallWndProc(host, 2, ProcB));
    EXPECT_TRUE(RemoveWndProc(host, 2));
    EXPECT_EQ(ProcA, CurrentProc(host));
    EXPECT_EQ("AH", Probe(host).first);
    EXPECT_TRUE(RemoveWndProc(host, 1));
    EXPECT_EQ(host.Own(), CurrentProc(host));

    // A second install of one client changes nothing.
    ASSERT_TRUE(InstallWndProc(host, 1, ProcA));
    EXPECT_TRUE(InstallWndProc(host, 1, ProcC));
    EXPECT_EQ(ProcA, CurrentProc(host));
    EXPECT_EQ(2, WndProcChainLength(host));
    EXPECT_EQ("AH", Probe(host).first);
    EXPECT_TRUE(RemoveWndProc(host, 1));
    EXPECT_EQ(host.Own(), CurrentProc(host));
}

TEST_F(WndProcChainTest, CallsWithAnAbsentClientReachTheTop) {
    MarkingHost host;
    // No chain at all: the default procedure, not the host.
    EXPECT_EQ(kDefault, Prev(7, host));
    EXPECT_EQ(kDefault, Own(1, host));
    ASSERT_TRUE(InstallWndProc(host, 1, ProcA));
    ASSERT_TRUE(InstallWndProc(host, 2, ProcB));
    EXPECT_EQ(Outcome("BAH", kHostAnswer), Prev(7, host));
    EXPECT_EQ(kDefault, Own(7, host));

    // A client that leaves while handling a message hands it to what remains on top.
    EXPECT_EQ(Outcome("BAH", kHostAnswer), Leave(host, 2));
    EXPECT_FALSE(IsWndProcInstalled(host, 2));
    EXPECT_EQ(ProcA, CurrentProc(host));
    // The last client leaving while handling: the chain is gone, the default procedure answers.
    EXPECT_EQ(Outcome("A", 0), Leave(host, 1));
    EXPECT_EQ(host.Own(), CurrentProc(host));
}

TEST_F(WndProcChainTest, BadInputFailsWithoutChange) {
    MarkingHost host;
    EXPECT_FALSE(InstallWndProc(nullptr, 1, ProcA));
    EXPECT_FALSE(InstallWndProc((HWND)(UINT_PTR)0xDEAD0, 1, ProcA));
    EXPECT_FALSE(InstallWndProc(host, 1, nullptr));
    EXPECT_EQ(host.Own(), CurrentProc(host));
    EXPECT_FALSE(RemoveWndProc(host, 1));
    EXPECT_FALSE(RemoveWndProc(nullptr, 1));
    EXPECT_FALSE(IsWndProcInstalled(host, 1));
    ASSERT_TRUE(InstallWndProc(host, 1, ProcA));
    // The window's own entry is not a client.
    EXPECT_FALSE(RemoveWndProc(host, 0));
    EXPECT_FALSE(RemoveWndProc(host, 2));
    EXPECT_EQ(ProcA, CurrentProc(host));
    EXPECT_TRUE(RemoveWndProc(host, 1));
}

TEST_F(WndProcChainTest, RegistryEmptiesAndIsRebuilt) {
    EXPECT_EQ(0u, WndProcChainTableSize());
    // More windows than buckets and than one block of nodes, so buckets hold several windows.
    std::vector<HWND> hosts;
    std::vector<WNDPROC> own;
    for (int i = 0; i < 24; ++i) {
        hosts.push_back(CreateHostWindow(50, 50, false));
        own.push_back(CurrentProc(hosts.back()));
        ASSERT_TRUE(InstallWndProc(hosts.back(), 1, ProcA));
        ASSERT_TRUE(InstallWndProc(hosts.back(), 2, ProcB));
    }
    EXPECT_EQ(24, WndProcChainWindowCount());
    EXPECT_EQ(17u, WndProcChainTableSize());

    // Leave from the middle of bucket chains: odd windows first, top client first.
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 1 - pass; i < 24; i += 2) {
            EXPECT_TRUE(RemoveWndProc(hosts[i], 2));
            EXPECT_TRUE(RemoveWndProc(hosts[i], 1));
            EXPECT_EQ(own[i], CurrentProc(hosts[i]));
            // The windows still chained are untouched.
            for (int k = 0; k < 24; ++k) {
                bool chained = pass == 0 ? (k % 2 == 0 || k > i) : (k % 2 == 0 && k > i);
                if (chained) {
                    EXPECT_EQ(ProcB, CurrentProc(hosts[k])) << k;
                }
            }
        }
    EXPECT_EQ(0, WndProcChainWindowCount());
    EXPECT_EQ(0u, WndProcChainTableSize());

    ASSERT_TRUE(InstallWndProc(hosts[5], 2, ProcB));
    EXPECT_EQ(17u, WndProcChainTableSize());
    EXPECT_EQ(1, WndProcChainWindowCount());
    EXPECT_EQ("B", Probe(hosts[5]).first);  // these hosts do not mark
    EXPECT_TRUE(RemoveWndProc(hosts[5], 2));
    EXPECT_EQ(0u, WndProcChainTableSize());
    DestroyAllHostWindows();
}

TEST_F(WndProcChainTest, HostProcedureSeesEveryMessageAfterwards) {
    MarkingHost host;
    MessageRecorder rec(host, std::vector<UINT>{WM_SETTEXT, WM_SIZE, kProbe});
    ASSERT_TRUE(InstallWndProc(host, 1, ProcA));
    ASSERT_TRUE(InstallWndProc(host, 2, ProcB));
    SetWindowTextA(host, "chained");
    SetWindowPos(host, nullptr, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(host, kProbe, 1, 2);
    EXPECT_TRUE(RemoveWndProc(host, 1));
    EXPECT_TRUE(RemoveWndProc(host, 2));
    SetWindowTextA(host, "plain");
    SetWindowPos(host, nullptr, 0, 0, 130, 95, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(host, kProbe, 3, 4);

    char text[32] = "";
    GetWindowTextA(host, text, sizeof text);
    EXPECT_STREQ("plain", text);
    EXPECT_EQ(2, rec.Count(WM_SETTEXT));
    EXPECT_EQ(2, rec.Count(WM_SIZE));
    std::vector<RecordedMsg> probes;
    for (const auto& m : rec.Messages())
        if (m.msg == kProbe) probes.push_back(m);
    EXPECT_TRUE(SequenceIs(probes, {RecordedMsg(kProbe, 1, 2), RecordedMsg(kProbe, 3, 4)}));
}
