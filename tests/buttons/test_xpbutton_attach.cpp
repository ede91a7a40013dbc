// XPButton_Attach and XPButton_SetBkColor on a host's own buttons that it paints from its
// WM_DRAWITEM, in a host written in C: kinds kept, failure values, and nothing left behind
// when the buttons go. The gallery's session clicks and reads back an attached check box.
#include "XPButtonTest.h"
#include "c_attach_host.h"

using namespace xptest;

namespace {

// The host written in C, destroyed at the end of the test.
struct AttachHost {
    AttachHost() : hwnd(CHost_Create(kBack, button)) { PumpPending(); }
    ~AttachHost() { DestroyWindow(hwnd); }
    operator HWND() const { return hwnd; }
    HWND hwnd;
    HWND button[CHOST_BUTTONS];
};

int TypeOf(HWND h) { return (int)(GetWindowLongPtrA(h, GWL_STYLE) & BS_TYPEMASK); }

TEST(XPButtonAttach, HostButtonsTakeTheLookAndKeepTheirKind) {
    AttachHost host;
    const int kinds[4] = {XPBUTTON_PUSH, XPBUTTON_CHECK, XPBUTTON_RADIO, XPBUTTON_RADIO};
    for (int i = 0; i < 4; ++i) {
        CButtonXP_* p = CButtonXP_::FromHandle(host.button[i]);
        ASSERT_TRUE(p) << i;
        EXPECT_EQ(p->GetButtonType(), kinds[i]) << i;
        // Every kind ends as a type the platform hands to its owner, BS_RADIOBUTTON included.
        EXPECT_EQ(TypeOf(host.button[i]), BS_OWNERDRAW) << i;
    }
    EXPECT_TRUE(CButtonXP_::FromHandle(host.button[0])->IsDefault());
    // The platform answers 0 for an owner-drawn button; the object keeps the check it was given.
    EXPECT_EQ(SendMessageA(host.button[1], BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(host.button[2], BM_GETCHECK, 0, 0), BST_UNCHECKED);

    // A framework button subclassing a checked plain radio button keeps its check and kind.
    HWND h = CreateWindowExA(0, "BUTTON", "Radio", WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON, 10, 50, kW, kH, host,
                             nullptr, nullptr, nullptr);
    SendMessageA(h, BM_SETCHECK, BST_CHECKED, 0);
    CButtonXP b;
    ASSERT_TRUE(b.SubclassWindow(h));
    EXPECT_EQ(b.GetButtonType(), XPBUTTON_RADIO);
    EXPECT_EQ(TypeOf(h), BS_OWNERDRAW);
    EXPECT_EQ(b.GetCheck(), BST_CHECKED);
}

// In a dialog written in C, the arrow keys move through a radio group and check the radio they
// reach (clearing the others, telling the dialog of the click) the same before and after the
// buttons take the XP look, attached or as framework buttons.
TEST(XPButtonAttach, ArrowKeysCheckTheRadioTheyReachInAPlainCDialogAsBeforeAttaching) {
    // After each key: the focused radio, the three checks, the clicks the dialog was told of.
    struct State {
        int focus;
        int checks[CDLG_RADIOS];
        std::vector<UINT> clicks;
        bool operator==(const State& o) const {
            return focus == o.focus && std::equal(checks, checks + CDLG_RADIOS, o.checks) && clicks == o.clicks;
        }
    };
    const UINT keys[] = {VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT, VK_UP, VK_DOWN};
    std::vector<State> runs[3];
    for (int look : {0, 1, 2}) {  // the platform's, attached, framework buttons
        HWND radios[CDLG_RADIOS];
        HWND dialog = CDialog_Create(look == 1, radios);
        ASSERT_TRUE(dialog);
        CButtonXP framework[CDLG_RADIOS];
        for (int i = 0; look == 2 && i < CDLG_RADIOS; ++i) ASSERT_TRUE(framework[i].SubclassWindow(radios[i]));
        PumpPending();
        ASSERT_EQ(CButtonXP_::FromHandle(radios[0]) != nullptr, look != 0);
        for (UINT vk : keys) {
            CDialog_Key(dialog, vk);
            State s = {-1, {}, {}};
            for (int i = 0; i < CDLG_RADIOS; ++i) {
                if (GetFocus() == radios[i]) s.focus = i;
                s.checks[i] = (int)SendMessageA(radios[i], BM_GETCHECK, 0, 0);
            }
            UINT ids[8];
            const int n = CDialog_TakeClicks(dialog, ids, 8);
            s.clicks.assign(ids, ids + std::min(n, 8));
            runs[look].push_back(s);
        }
        DestroyWindow(dialog);
    }
    const std::vector<State> expected = {
        {1, {0, 1, 0}, {201}}, {2, {0, 0, 1}, {202}}, {1, {0, 1, 0}, {201}},
        {0, {1, 0, 0}, {200}}, {2, {0, 0, 1}, {202}}, {0, {1, 0, 0}, {200}}};  // the group wraps round
    const char* const looks[] = {"platform", "attached", "framework"};
    for (int look : {0, 1, 2})
        for (size_t k = 0; k < expected.size(); ++k) {
            const State& s = runs[look][k];
            EXPECT_TRUE(s == expected[k]) << looks[look] << ", key " << k
                                          << ": focus " << s.focus << ", checks " << s.checks[0] << s.checks[1]
                                          << s.checks[2] << ", clicks " << s.clicks.size();
        }
}

TEST(XPButtonAttach, SecondCallsReuseTheObjectAndBadArgumentsFail) {
    AttachHost host;
    HWND push = host.button[0];
    CButtonXP_* first = CButtonXP_::FromHandle(push);
    MemoryCanvas canvas(kW, kH);
    EXPECT_EQ(XPButton_Attach(push, canvas.Dc()), 1);
    EXPECT_EQ(XPButton_SetBkColor(push, RGB(10, 20, 30)), 1);
    EXPECT_EQ(CButtonXP_::FromHandle(push), first);
    EXPECT_EQ(XPButton_Attach(push, canvas.Dc()), 1);
    EXPECT_EQ(canvas.At(0, 0), RGB(10, 20, 30));

    const LONG_PTR hostStyle = GetWindowLongPtrA(host, GWL_STYLE);
    EXPECT_EQ(XPButton_Attach(nullptr, canvas.Dc()), 0);
    EXPECT_EQ(XPButton_Attach(push, nullptr), 0);
    EXPECT_EQ(XPButton_Attach((HWND)(LONG_PTR)0x7654321, canvas.Dc()), 0);
    EXPECT_EQ(XPButton_Attach(host, canvas.Dc()), 0);  // not a button
    EXPECT_EQ(XPButton_SetBkColor(nullptr, 0), 0);
    EXPECT_EQ(XPButton_SetBkColor(host, 0), 0);
    EXPECT_EQ(GetWindowLongPtrA(host, GWL_STYLE), hostStyle);
    EXPECT_EQ(CButtonXP_::FromHandle(host), nullptr);
}

TEST(XPButtonAttach, DestroyedButtonsLeaveNoPropertyMapEntryOrObject) {
    AttachHost host;
    GdiBalance gdi;
    WindowBalance windows;
    for (int i = -1; i < 100; ++i) {
        if (i == 0) gdi = GdiBalance(), windows = WindowBalance();  // the first round warms caches
        HWND b = CreateWindowExA(0, "BUTTON", "Extra", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 8, 50, 90, 26, host,
                                 nullptr, nullptr, nullptr);
        HANDLE propAtEnd = (HANDLE)1;
        WNDPROC procAtEnd = nullptr;
        MessageRecorder end(b, [&](HWND h, UINT m, WPARAM, LPARAM) {
            if (m == WM_NCDESTROY) {
                propAtEnd = GetPropA(h, "Proc_CButtonXPBP");
                procAtEnd = (WNDPROC)GetWindowLongPtrA(h, GWLP_WNDPROC);
            }
            return false;
        });
        ASSERT_EQ(AttachXP(b), 1);
        ASSERT_TRUE(CButtonXP_::FromHandle(b));
        WNDPROC attachedProc = (WNDPROC)GetWindowLongPtrA(b, GWLP_WNDPROC);
        DestroyWindow(b);
        EXPECT_EQ(propAtEnd, nullptr);
        EXPECT_NE(procAtEnd, attachedProc);
        EXPECT_EQ(CButtonXP_::FromHandle(b), nullptr);
    }
    EXPECT_EQ(gdi.Delta(), 0);
    EXPECT_EQ(windows.Delta(), 0);
}

}  // namespace
