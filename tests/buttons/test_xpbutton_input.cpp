// XP buttons driven through posted input and messages: clicks inside and outside, radio groups,
// the space bar, hover and tips, the drop menu's guard time, and hosts that destroy a button
// while it asks them something.
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
    FrameworkHost host;
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
    FrameworkHost host(520);
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

TEST(XPButtonInput, HoverEndsOnLeaveAndMovesReachTheTip) {
    FrameworkHost host;
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

TEST(XPButtonInput, HostDestroyingTheButtonWhileAskedLeavesNothingRunning) {
    FrameworkHost host;
    MemoryCanvas canvas(kW, kH);
    {  // warm the resource library and fonts
        CButtonXP warm;
        ASSERT_TRUE(Make(warm, host, "Warm", BS_AUTOCHECKBOX));
        Paint(warm, canvas);
    }
    GdiBalance gdi;
    // The parent deletes the button when asked for its background colour.
    CButtonXP* doomed = new CButtonXP;
    ASSERT_TRUE(Make(*doomed, host, "Doomed", BS_AUTOCHECKBOX));
    HWND hDoomed = doomed->m_hWnd;
    SetHostHandler(host.Hwnd(), [&](HWND, UINT m, WPARAM, LPARAM l, LRESULT* r) {
        if (m != WM_CTLCOLORBTN || (HWND)l != hDoomed) return false;
        delete doomed;
        *r = (LRESULT)BackBrush();
        return true;
    });
    DRAWITEMSTRUCT dis = {ODT_BUTTON, 100, 0, 0, 0, hDoomed, canvas.Dc(), {0, 0, kW, kH}, 0};
    CButtonXP_::FromHandle(hDoomed)->_DrawItem(&dis);
    EXPECT_FALSE(IsWindow(hDoomed));
    EXPECT_EQ(gdi.Delta(), 0);

    // A sibling of a radio group that destroys the clicked radio when asked for its dialog code.
    CButtonXP radio;
    ASSERT_TRUE(Make(radio, host, "Radio", BS_AUTORADIOBUTTON | WS_GROUP));
    HostWindow sibling(20, 20, true, host.Hwnd());
    SetHostHandler(sibling, [&](HWND, UINT m, WPARAM, LPARAM, LRESULT* r) {
        if (m != WM_GETDLGCODE) return false;
        radio.DestroyWindow();
        *r = DLGC_RADIOBUTTON;
        return true;
    });
    MessageRecorder parent(host.Hwnd());
    PostClick(radio, 5, 5, 5, 5);
    EXPECT_FALSE(IsWindow(radio.m_hWnd));
    EXPECT_EQ(parent.Count(WM_COMMAND), 0);
}

}  // namespace
