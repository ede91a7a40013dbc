// XP buttons driven through posted input and messages: clicks inside and outside, radio groups,
// the space bar, hover and tips, the drop menu's guard time, and hosts that destroy a button
// while it asks them something.
#include "DestroyInNotify.h"
#include "XPButtonTest.h"

using namespace xptest;

namespace {

void PostClick(HWND hwnd, int x, int y, int upX, int upY) {
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(upX, upY));
    PumpPending();
}

RecordedMsg Clicked(UINT id, HWND from) { return RecordedMsg(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), from); }

TEST(XPButtonInput, ClicksReleasedInsideAndTheSpaceBarToggleAndNotifyTheParent) {
    ButtonHost host;
    CButtonXP check, push;
    ASSERT_TRUE(Make(check, host, "Remember", BS_AUTOCHECKBOX));
    ASSERT_TRUE(Make(push, host, "Go", BS_PUSHBUTTON, 110, 101));
    MessageRecorder parent(host.Hwnd());
    PostClick(check, 5, 5, 300, 60);  // released outside: abandoned
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    EXPECT_FALSE(check.IsPressed());
    PostClick(check, 5, 5, 6, 6);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    PostClick(check, 5, 5, 6, 6);
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);

    push.SetFocus();
    PostMessageA(push, WM_KEYDOWN, VK_SPACE, 0x00390001);
    PumpPending();
    EXPECT_TRUE(push.IsPressed());
    PostMessageA(push, WM_KEYUP, VK_SPACE, 0xC0390001);
    PumpPending();
    EXPECT_FALSE(push.IsPressed());
    // Even a push button keeps the (unpainted) check flag the space bar toggles.
    EXPECT_EQ(push.GetCheck(), BST_CHECKED);
    EXPECT_TRUE(SequenceIs(parent.Messages(), {Clicked(100, check), Clicked(100, check), Clicked(101, push)}));
}

TEST(XPButtonInput, RadioGroupKeepsOneCheckedAndACheckedRadioStaysChecked) {
    ButtonHost host(520);
    CButtonXP r[4];
    const DWORD styles[4] = {BS_AUTORADIOBUTTON | WS_GROUP, BS_RADIOBUTTON, BS_AUTORADIOBUTTON, BS_AUTORADIOBUTTON | WS_GROUP};
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(Make(r[i], host, "Radio", styles[i], 10 + 100 * i, 100 + i));
    r[0].SetCheck(BST_CHECKED);
    r[3].SetCheck(BST_CHECKED);
    EXPECT_EQ(r[1].SendMessage(WM_GETDLGCODE) & DLGC_RADIOBUTTON, DLGC_RADIOBUTTON);
    PostClick(r[1], 5, 5, 5, 5);
    const int after[4] = {0, 1, 0, 1};  // the other group keeps its own
    for (int i = 0; i < 4; ++i) EXPECT_EQ(r[i].GetCheck(), after[i]) << i;
    MessageRecorder watch(r[1], std::vector<UINT>{BM_SETCHECK});
    PostClick(r[1], 5, 5, 5, 5);
    EXPECT_EQ(r[1].GetCheck(), BST_CHECKED);
    EXPECT_EQ(watch.Count(), 0);
}

// Only the dialog's arrow key that moves the focus to a radio button checks it: not Tab, not the
// radio's own key, not a focus the program gives later.
TEST(XPButtonInput, OnlyADialogsArrowKeyChecksTheRadioItMovesTo) {
    ButtonHost host;
    CButtonXP r[2];
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(Make(r[i], host, "Radio", BS_AUTORADIOBUTTON | (i ? 0 : WS_GROUP), 10 + 100 * i, 100 + i));
    r[0].SetCheck(BST_CHECKED);
    MessageRecorder parent(host.Hwnd());
    // The dialog asks the radio it is to move to about the key, then gives it the focus.
    auto move = [&](HWND from, UINT vk, DWORD time, bool focusAtOnce) {
        r[0].SetFocus();
        MSG key = {from, WM_KEYDOWN, vk, 1, time, {}};
        r[1].SendMessage(WM_GETDLGCODE, vk, (LPARAM)&key);
        if (!focusAtOnce) PumpPending();
        r[1].SetFocus();
        return r[1].GetCheck();
    };
    EXPECT_EQ(move(r[0], VK_TAB, GetMessageTime(), true), BST_UNCHECKED);
    EXPECT_EQ(move(r[1], VK_DOWN, GetMessageTime(), true), BST_UNCHECKED) << "its own key";
    EXPECT_EQ(move(r[0], VK_DOWN, GetMessageTime() - 1000, false), BST_UNCHECKED) << "a focus given later";
    EXPECT_EQ(parent.Count(), 0);
    EXPECT_EQ(move(r[0], VK_RIGHT, GetMessageTime(), true), BST_CHECKED);
    EXPECT_EQ(r[0].GetCheck(), BST_UNCHECKED);
    EXPECT_TRUE(SequenceIs(parent.Messages(), {Clicked(101, r[1])}));
}

TEST(XPButtonInput, HoverEndsOnLeaveAndMovesReachTheTip) {
    ButtonHost host;
    CButtonXP b;
    ASSERT_TRUE(Make(b, host, "Tip", BS_PUSHBUTTON));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(host.Wnd()));
    b.SetToolTip(&tip, "Saves the form");
    EXPECT_EQ(tip.GetToolCount(), 1);
    std::vector<MSG> relayed;
    MessageRecorder watch(tip, [&](HWND, UINT m, WPARAM, LPARAM l) {
        if (m == TTM_RELAYEVENT) relayed.push_back(*(const MSG*)l);
        return false;
    });
    POINT pt = {20, 10};
    ClientToScreen(b, &pt);
    SetCursorPos(pt.x, pt.y);
    PostMessageA(b, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    PumpPending();
    EXPECT_TRUE(b.IsHover());
    ASSERT_GE(relayed.size(), 1u);  // the cursor's own move may come too
    for (const MSG& m : relayed) {
        EXPECT_EQ(m.hwnd, b.m_hWnd);
        EXPECT_EQ(m.message, (UINT)WM_MOUSEMOVE);
    }
    b.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(b.IsHover());
}

// Reaches the time of the last dismissal.
struct DropProbe : CButtonXP {
    void DismissedAgo(DWORD ms) { m_dwDismissTime = GetTickCount() - ms; }
};

TEST(XPButtonInput, DropMenuGuardComparesTicksAsUnsignedDifferences) {
    DropProbe b;
    EXPECT_TRUE(b.IsMenuDropAble());  // never dismissed
    const struct { DWORD ago; bool able; } cases[] = {
        {100, false}, {300, false}, {400, true},
        // A host up for more than 24.8 days, and a dismissal just before the counter wrapped.
        {0x80000000u + 5000, true}, {0xFFFFFF00u, true},
    };
    for (auto c : cases) {
        b.DismissedAgo(c.ago);
        EXPECT_EQ(b.IsMenuDropAble() != 0, c.able) << c.ago;
    }
}

// A host may end a button, made as a CButtonXP or attached to a button of its own, from inside
// each message it or the platform's button sends: the background question while it paints, the
// clicks of the mouse and the space bar, a double click, the dialog code asked of a radio
// button's neighbours and the move relayed to its tip.
TEST(XPButtonInput, HostMayEndAButtonFromInsideEachNotification) {
    auto xp = [](DWORD style, bool gradient = false) {
        return [style, gradient](HWND host) {
            CButtonXP* b = gradient ? (CButtonXP*)new SelfDeleting<CButtonXPGradient> : new SelfDeleting<CButtonXP>;
            b->Create("Button", style, CRect(10, 10, 10 + kW, 10 + kH), CWnd::FromHandle(host), 100);
            return b->GetSafeHwnd();
        };
    };
    auto attached = [](DWORD style) {
        return [style](HWND host) {
            HWND b = CreateWindowExA(0, "BUTTON", "Button", WS_CHILD | WS_VISIBLE | style, 10, 10, kW, kH, host,
                                     (HMENU)100, nullptr, nullptr);
            AttachXP(b);
            return b;
        };
    };
    // The button, with a neighbour of its group or a tip that tells the host what it is sent.
    auto with = [](std::function<HWND(HWND)> make, UINT relay) {
        return [make, relay](HWND host) {
            HWND b = make(host);
            if (relay == WM_GETDLGCODE) MakeRelay(host, WM_GETDLGCODE, DLGC_RADIOBUTTON);
            if (relay == TTM_RELAYEVENT) {
                auto* tip = new SelfDeleting<CToolTipCtrl>;
                tip->SubclassWindow(MakeRelay(host, TTM_RELAYEVENT));
                CButtonXP_::FromHandle(b)->SetToolTip(tip, "Tip");
            }
            return b;
        };
    };
    auto paint = [](HWND b) {
        MemoryCanvas canvas(kW, kH);
        DRAWITEMSTRUCT dis = {ODT_BUTTON, 100, 0, 0, 0, b, canvas.Dc(), {0, 0, kW, kH}, 0};
        if (CButtonXP* framework = DYNAMIC_DOWNCAST(CButtonXP, CWnd::FromHandlePermanent(b)))
            framework->DrawItem(&dis);
        else
            XPButton_Attach(b, canvas.Dc());
    };
    // The pointer too rests on the button: the platform's button follows it while it is held.
    auto post = [](std::vector<UINT> msgs) {
        return [msgs](HWND b) {
            POINT pt = {5, 5};
            ClientToScreen(b, &pt);
            SetCursorPos(pt.x, pt.y);
            PumpPending();
            for (UINT m : msgs) PostMessageA(b, m, m == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
        };
    };
    auto click = post({WM_LBUTTONDOWN, WM_LBUTTONUP});
    auto told = [](int code) {
        return [code](HWND b, UINT m, WPARAM w, LPARAM l) { return m == WM_COMMAND && HIWORD(w) == code && (HWND)l == b; };
    };
    auto relayed = [](UINT msg) { return [msg](HWND, UINT m, WPARAM w, LPARAM) { return m == kRelayed && w == msg; }; };
    auto asked = [](HWND b, UINT m, WPARAM, LPARAM l) { return m == WM_CTLCOLORBTN && (HWND)l == b; };
    const DWORD push = BS_PUSHBUTTON, check = BS_AUTOCHECKBOX, radio = BS_AUTORADIOBUTTON | WS_GROUP;
    const struct {
        const char* what;
        DWORD style;
        std::function<void(HWND)> provoke;
        std::function<bool(HWND, UINT, WPARAM, LPARAM)> is;
        UINT relay;
    } rows[] = {
        {"push painted", push, paint, asked, 0},
        {"check box painted", check, paint, asked, 0},
        {"radio painted", radio, paint, asked, 0},
        {"push clicked", push, click, told(BN_CLICKED), 0},
        {"check box clicked", check, click, told(BN_CLICKED), 0},
        {"radio clicked", radio, click, told(BN_CLICKED), 0},
        {"check box space", check, [](HWND b) { PostKey(b, VK_SPACE); }, told(BN_CLICKED), 0},
        {"push double click", push, post({WM_LBUTTONDBLCLK, WM_LBUTTONUP}), told(BN_DOUBLECLICKED), 0},
        {"radio asks its group", radio, click, relayed(WM_GETDLGCODE), WM_GETDLGCODE},
        {"push moves its tip", push, post({WM_MOUSEMOVE}), relayed(TTM_RELAYEVENT), TTM_RELAYEVENT},
    };
    std::vector<NotifyCase> cases = {{"gradient painted", xp(push, true), paint, asked}};
    for (const auto& r : rows)
        for (bool attach : {false, true})
            cases.push_back({std::string(attach ? "attached " : "") + r.what,
                             with(attach ? std::function<HWND(HWND)>(attached(r.style)) : xp(r.style), r.relay), r.provoke, r.is});
    ExpectDestroyInNotifyIsSafe(cases);
    ParkCursor();
}

}  // namespace
