#include "LumoTest.h"

#include <commctrl.h>

using namespace lumotest;

TEST(Recorder, PostedUserMessageIsRecordedWithItsParameters) {
    HostWindow host;
    ASSERT_TRUE(host.Hwnd());
    MessageRecorder rec(host);
    ASSERT_TRUE(rec.Ok());

    PostMessageA(host, WM_USER + 3, 7, 9);
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(WM_USER + 3) > 0; }));
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(WM_USER + 3, 7, 9, host)}));
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(WM_USER + 3, Any, 9)}));
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(WM_USER + 3)}));

    // Painting, sizing and timers are not recorded by default; commands and notifications are.
    rec.Clear();
    InvalidateRect(host, nullptr, TRUE);
    SetWindowPos(host, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageA(host, WM_COMMAND, MAKEWPARAM(12, BN_CLICKED), 0);
    PumpPending();
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(WM_COMMAND, MAKEWPARAM(12, BN_CLICKED), 0)}));
}

TEST(Recorder, ComparisonReportsTheFirstDifferenceWithNames) {
    std::vector<RecordedMsg> actual = {RecordedMsg(WM_USER + 3, 7, 9), RecordedMsg(WM_COMMAND, 1, 0)};

    ::testing::AssertionResult r = SequenceIs(actual, {RecordedMsg(WM_USER + 3, 7, 9),
                                                       RecordedMsg(WM_COMMAND, 2, 0)});
    ASSERT_FALSE(r);
    std::string text = r.message();
    EXPECT_NE(std::string::npos, text.find("message 1 differs")) << text;
    EXPECT_NE(std::string::npos, text.find("WM_USER+3")) << text;
    EXPECT_NE(std::string::npos, text.find("WM_COMMAND")) << text;

    r = SequenceIs(actual, {RecordedMsg(WM_USER + 4, 7, 9)});
    ASSERT_FALSE(r);
    EXPECT_NE(std::string::npos, std::string(r.message()).find("message 0 differs"));

    r = SequenceIs(actual, {RecordedMsg(WM_USER + 3), RecordedMsg(WM_COMMAND), RecordedMsg(WM_USER)});
    ASSERT_FALSE(r);
    EXPECT_NE(std::string::npos, std::string(r.message()).find("ends after 2"));

    r = SequenceIs(actual, {RecordedMsg(WM_USER + 3)});
    ASSERT_FALSE(r);
    EXPECT_NE(std::string::npos, std::string(r.message()).find("extra message 1"));

    // A window given in the expected message must match.
    RecordedMsg got(WM_USER, 0, 0, reinterpret_cast<HWND>(0x1234));
    EXPECT_FALSE(SequenceIs({got}, {RecordedMsg(WM_USER, 0, 0, reinterpret_cast<HWND>(0x5678))}));
    EXPECT_TRUE(SequenceIs({got}, {RecordedMsg(WM_USER, 0, 0)}));
}

TEST(Recorder, MessageNames) {
    EXPECT_EQ("WM_NOTIFY", MessageName(WM_NOTIFY));
    EXPECT_EQ("WM_USER+0", MessageName(WM_USER));
    EXPECT_EQ("WM_APP+2", MessageName(WM_APP + 2));
    UINT reg = RegisterWindowMessageA("LumoSelfTestMessage");
    ASSERT_GE(reg, 0xC000u);
    EXPECT_NE(std::string::npos, MessageName(reg).find("LumoSelfTestMessage")) << MessageName(reg);
    EXPECT_EQ("0x3ff", MessageName(0x3FF));
}

TEST(Recorder, NotificationsKeepTheirCode) {
    HostWindow host;
    MessageRecorder rec(host);
    NMHDR nm = {host, 42, static_cast<UINT>(NM_CLICK)};
    SendMessageA(host, WM_NOTIFY, 42, reinterpret_cast<LPARAM>(&nm));
    nm.code = static_cast<UINT>(NM_DBLCLK);
    SendMessageA(host, WM_NOTIFY, 42, reinterpret_cast<LPARAM>(&nm));
    EXPECT_TRUE(SequenceIs(rec.Messages(), {Notify(NM_CLICK, 42), Notify(NM_DBLCLK)}));
    EXPECT_FALSE(SequenceIs(rec.Messages(), {Notify(NM_CLICK), Notify(NM_CLICK)}));
    EXPECT_EQ(42u, rec.Messages()[1].notifyId);

    // The expected id is the NMHDR's idFrom, whatever the sender put in wParam.
    rec.Clear();
    nm.idFrom = 7;
    SendMessageA(host, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    EXPECT_TRUE(SequenceIs(rec.Messages(), {Notify(NM_DBLCLK, 7)}));
    EXPECT_FALSE(SequenceIs(rec.Messages(), {Notify(NM_DBLCLK, 0)}));
}

TEST(Recorder, FiltersAndAllHosts) {
    HostWindow a, b;
    MessageRecorder all;  // every host window
    MessageRecorder onlyA(a, std::vector<UINT>{WM_SIZE, WM_USER + 1});
    MessageRecorder pred(b, [](HWND, UINT msg, WPARAM w, LPARAM) { return msg == WM_USER + 1 && w == 5; });

    SendMessageA(a, WM_USER + 1, 5, 0);
    SendMessageA(b, WM_USER + 1, 5, 0);
    SendMessageA(b, WM_USER + 1, 6, 0);
    SendMessageA(a, WM_USER + 2, 0, 0);
    SetWindowPos(a, nullptr, 0, 0, 120, 80, SWP_NOMOVE | SWP_NOZORDER);

    EXPECT_TRUE(SequenceIs(all.Messages(), {RecordedMsg(WM_USER + 1, 5, 0, a), RecordedMsg(WM_USER + 1, 5, 0, b),
                                            RecordedMsg(WM_USER + 1, 6, 0, b), RecordedMsg(WM_USER + 2, 0, 0, a)}));
    EXPECT_EQ(1, onlyA.Count(WM_USER + 1));
    EXPECT_EQ(0, onlyA.Count(WM_USER + 2));
    EXPECT_GE(onlyA.Count(WM_SIZE), 1);
    EXPECT_TRUE(SequenceIs(pred.Messages(), {RecordedMsg(WM_USER + 1, 5, 0, b)}));
}

TEST(Recorder, ForeignWindowIsSubclassedAndRestored) {
    HostWindow host;
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, host, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(edit);
    LONG_PTR original = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    {
        MessageRecorder outer(edit, std::vector<UINT>{WM_SETTEXT, WM_USER + 7});
        {
            MessageRecorder inner(edit, std::vector<UINT>{WM_SETTEXT});
            ASSERT_TRUE(inner.Ok());
            SetWindowTextA(edit, "abc");
            EXPECT_EQ(1, inner.Count(WM_SETTEXT));
        }
        // The edit control still works through the chain.
        char buf[16] = "";
        GetWindowTextA(edit, buf, sizeof buf);
        EXPECT_STREQ("abc", buf);
        SendMessageA(edit, WM_USER + 7, 1, 2);
        EXPECT_EQ(1, outer.Count(WM_SETTEXT));
        EXPECT_EQ(1, outer.Count(WM_USER + 7));
    }
    EXPECT_EQ(original, GetWindowLongPtrA(edit, GWLP_WNDPROC));

    // A recorder outliving its window neither crashes nor records any more.
    {
        MessageRecorder rec(edit, std::vector<UINT>{WM_DESTROY});
        DestroyWindow(edit);
        EXPECT_EQ(1, rec.Count(WM_DESTROY));
    }
    MessageRecorder bad(reinterpret_cast<HWND>(0xDEAD));
    EXPECT_FALSE(bad.Ok());
}

TEST(Host, HandlerAnswersAndWindowsAreLaidOutAlike) {
    HostWindow host(320, 240);
    RECT rc;
    GetClientRect(host, &rc);
    EXPECT_EQ(320, rc.right);
    EXPECT_EQ(240, rc.bottom);
    POINT p = {0, 0};
    ClientToScreen(host, &p);
    RECT wr;
    GetWindowRect(host, &wr);
    EXPECT_EQ(50, wr.left);
    EXPECT_EQ(50, wr.top);

    SetHostHandler(host, [](HWND, UINT msg, WPARAM, LPARAM, LRESULT* r) {
        if (msg != WM_USER + 9) return false;
        *r = 77;
        return true;
    });
    EXPECT_EQ(77, SendMessageA(host, WM_USER + 9, 0, 0));
    SetHostHandler(host, nullptr);
    EXPECT_EQ(0, SendMessageA(host, WM_USER + 9, 0, 0));

    HWND child = CreateHostWindow(100, 50, true, host);
    ASSERT_TRUE(IsHostWindow(child));
    GetWindowRect(child, &wr);
    EXPECT_EQ(p.x, wr.left);
    EXPECT_EQ(p.y, wr.top);
    HWND loose = CreateHostWindow(10, 10, false);
    EXPECT_FALSE(IsWindowVisible(loose));
    // All hosts go, the one a HostWindow owns included (its destructor copes).
    EXPECT_EQ(3, DestroyAllHostWindows());
    EXPECT_FALSE(IsWindow(host));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(loose));
    EXPECT_EQ(nullptr, CreateHostWindow(10, 10, true, reinterpret_cast<HWND>(0xBAD0)));
}

namespace {

int g_ticks;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }

}  // namespace

TEST(Pump, UntilReturnsWhetherTheConditionHeld) {
    HostWindow host;
    bool seen = false;
    SetHostHandler(host, [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg == WM_USER + 1) seen = true;
        return false;
    });
    PostMessageA(host, WM_USER + 1, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return seen; }));
    EXPECT_FALSE(PumpUntil([] { return false; }, 30));

    // A thread timer keeps the pump awake until the condition turns true.
    g_ticks = 0;
    UINT_PTR id = SetTimer(nullptr, 0, 10, CountTick);
    EXPECT_TRUE(PumpUntil([] { return g_ticks >= 3; }));
    KillTimer(nullptr, id);
}
