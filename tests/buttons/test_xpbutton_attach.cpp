// XPButton_Attach and XPButton_SetBkColor on the buttons of a plain C host that paints them from
// its own WM_DRAWITEM: kinds kept, check states read back, clicks, failure values, and nothing
// left behind when the buttons go.
#include "XPButtonTest.h"
#include "c_attach_host.h"
#include "lumo.h"

using namespace xptest;

namespace {

struct CHost {
    CHost() : hwnd(CHost_Create()) { PumpPending(); }
    ~CHost() { DestroyWindow(hwnd); }
    HWND Button(int i) const { return CHost_Button(i); }
    HWND hwnd;
};

int TypeOf(HWND h) { return (int)(GetWindowLongPtrA(h, GWL_STYLE) & BS_TYPEMASK); }

TEST(XPButtonAttach, CHostButtonsTakeTheLookKeepTheirKindAndToggleTheirCheckState) {
    CHost host;
    ASSERT_TRUE(host.hwnd);
    const int kinds[CHOST_BUTTONS] = {XPBUTTON_PUSH, XPBUTTON_CHECK, XPBUTTON_RADIO, XPBUTTON_RADIO};
    for (int i = 0; i < CHOST_BUTTONS; ++i) {
        CButtonXP_* p = CButtonXP_::FromHandle(host.Button(i));
        ASSERT_TRUE(p) << i;
        EXPECT_EQ(p->GetButtonType(), kinds[i]) << i;
        // Every kind ends as a type the platform hands to its owner, BS_RADIOBUTTON included.
        EXPECT_EQ(TypeOf(host.Button(i)), BS_OWNERDRAW) << i;
    }
    EXPECT_TRUE(CButtonXP_::FromHandle(host.Button(0))->IsDefault());
    EXPECT_EQ(SendMessageA(host.Button(1), BM_GETCHECK, 0, 0), BST_CHECKED);

    // The platform asks the host to draw; the host's XPButton_Attach paints the library's boxes.
    const int drawn = CHost_DrawItems();
    WindowCapture check(host.Button(1)), radio(host.Button(2));
    EXPECT_GT(CHost_DrawItems(), drawn);
    EXPECT_EQ(BoxMismatches(check, 0, (kH - 13) / 2, 5022, CHOST_BACK), 0);
    EXPECT_EQ(BoxMismatches(radio, 0, (kH - 13) / 2, 5015, CHOST_BACK), 0);

    // Clicks toggle the object's check state; a radio button clears the others of its group.
    auto click = [](HWND h) {
        PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        PumpPending();
    };
    click(host.Button(1));
    EXPECT_EQ(SendMessageA(host.Button(1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessageA(host.Button(3), BM_SETCHECK, BST_CHECKED, 0);
    click(host.Button(2));
    EXPECT_EQ(SendMessageA(host.Button(2), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(host.Button(3), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    click(host.Button(2));
    EXPECT_EQ(SendMessageA(host.Button(2), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(XPButtonAttach, ASubclassedRadioButtonKeepsItsCheckAndKind) {
    ButtonHost host;
    HWND h = CreateWindowExA(0, "BUTTON", "Radio", WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON, 10, 10, kW, kH, host.Hwnd(),
                             nullptr, nullptr, nullptr);
    SendMessageA(h, BM_SETCHECK, BST_CHECKED, 0);
    CButtonXP b;
    ASSERT_TRUE(b.SubclassWindow(h));
    EXPECT_EQ(b.GetButtonType(), XPBUTTON_RADIO);
    EXPECT_EQ(TypeOf(h), BS_OWNERDRAW);
    EXPECT_EQ(b.GetCheck(), BST_CHECKED);
}

TEST(XPButtonAttach, SecondCallsReuseTheObjectAndBadArgumentsFail) {
    CHost host;
    HWND push = host.Button(0);
    CButtonXP_* first = CButtonXP_::FromHandle(push);
    MemoryCanvas canvas(kW, kH);
    EXPECT_EQ(XPButton_Attach(push, canvas.Dc()), 1);
    EXPECT_EQ(XPButton_SetBkColor(push, RGB(10, 20, 30)), 1);
    EXPECT_EQ(CButtonXP_::FromHandle(push), first);
    EXPECT_EQ(XPButton_Attach(push, canvas.Dc()), 1);
    EXPECT_EQ(canvas.At(0, 0), RGB(10, 20, 30));

    const LONG_PTR hostStyle = GetWindowLongPtrA(host.hwnd, GWL_STYLE);
    EXPECT_EQ(XPButton_Attach(nullptr, canvas.Dc()), 0);
    EXPECT_EQ(XPButton_Attach(push, nullptr), 0);
    EXPECT_EQ(XPButton_Attach((HWND)(LONG_PTR)0x7654321, canvas.Dc()), 0);
    EXPECT_EQ(XPButton_Attach(host.hwnd, canvas.Dc()), 0);  // not a button
    EXPECT_EQ(XPButton_SetBkColor(nullptr, 0), 0);
    EXPECT_EQ(XPButton_SetBkColor(host.hwnd, 0), 0);
    EXPECT_EQ(GetWindowLongPtrA(host.hwnd, GWL_STYLE), hostStyle);
    EXPECT_EQ(CButtonXP_::FromHandle(host.hwnd), nullptr);
}

TEST(XPButtonAttach, DestroyedButtonsLeaveNoPropertyMapEntryOrObject) {
    CHost host;
    GdiBalance gdi;
    WindowBalance windows;
    for (int i = -1; i < 100; ++i) {
        if (i == 0) gdi = GdiBalance(), windows = WindowBalance();  // the first round warms caches
        HWND b = CreateWindowExA(0, "BUTTON", "Extra", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 8, 50, 90, 26,
                                 host.hwnd, nullptr, nullptr, nullptr);
        HANDLE propAtEnd = (HANDLE)1;
        WNDPROC procAtEnd = nullptr;
        MessageRecorder end(b, [&](HWND h, UINT m, WPARAM, LPARAM) {
            if (m == WM_NCDESTROY) {
                propAtEnd = GetPropA(h, "Proc_CButtonXPBP");
                procAtEnd = (WNDPROC)GetWindowLongPtrA(h, GWLP_WNDPROC);
            }
            return false;
        });
        HDC dc = GetDC(b);
        ASSERT_EQ(XPButton_Attach(b, dc), 1);
        ReleaseDC(b, dc);
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
