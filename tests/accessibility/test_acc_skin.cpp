// The skinned caption as a screen reader meets it through OBJID_TITLEBAR: the system's five
// children, the skin's buttons visible and placed where the skin draws them, pressed through
// their objects as a click presses them.
#include "AccClient.h"
#include "ClassicLook.h"
#include "lumo.h"

using namespace lumotest;
using namespace acctest;

namespace {

// The skin stands aside under themes: this program sees them off from the start.
const bool g_accClassicLook = gallery::UseClassicLook();

struct Caption {
    AccInfo bar, buttons[5];
    long kinds[5] = {};
    long count = 0;
};

Caption ReadCaption(HWND hwnd) {
    Caption c;
    OnClientThread([&] {
        IAccessible* acc = ObjectOf(hwnd, OBJID_TITLEBAR);
        if (!acc)
            return;
        c.bar = Read(acc);
        std::vector<VARIANT> kids = ChildrenOf(acc);
        c.count = (long)kids.size();
        for (size_t i = 0; i < kids.size() && i < 5; ++i) {
            c.kinds[i] = kids[i].vt == VT_I4 ? kids[i].lVal : -1;
            c.buttons[i] = Read(acc, (long)i + 1);
        }
        ReleaseAll(kids);
        acc->Release();
    });
    return c;
}

}  // namespace

TEST(AccSkin, CaptionButtonsReadAndPressedAsTheSystemCaptionHasThem) {
    ASSERT_TRUE(g_accClassicLook && !IsWinXPThemeOpened());
    HostWindow host(400, 300);
    SetWindowTextA(host, "Orders");
    bool closeAsked = false;
    SetHostHandler(host, [&](HWND, UINT m, WPARAM, LPARAM, LRESULT* r) {
        if (m != WM_CLOSE)
            return false;
        closeAsked = true;  // declined: the window stays
        *r = 0;
        return true;
    });
    ASSERT_EQ(Skin_Register(host, 0), 1);
    SetWindowPos(host, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    PumpPending();

    Caption c = ReadCaption(host);
    EXPECT_EQ(c.bar.hr, S_OK);
    EXPECT_EQ(c.bar.name, "Orders");
    EXPECT_EQ(c.bar.role, ROLE_SYSTEM_TITLEBAR);
    ASSERT_EQ(c.count, 5);
    const char* names[5] = {"", "Minimize", "Maximize", "Context help", "Close"};
    const bool shown[5] = {false, true, true, false, true};
    RECT wr;
    GetWindowRect(host, &wr);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(c.kinds[i], i + 1);
        EXPECT_EQ(c.buttons[i].name, names[i]);
        EXPECT_EQ(c.buttons[i].role, ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ((c.buttons[i].state & STATE_SYSTEM_INVISIBLE) == 0, shown[i]);
        EXPECT_EQ(c.buttons[i].action, shown[i] ? "Press" : "");
        if (shown[i]) {
            // The skin's buttons, 20 x 16 each, right to left from the close button.
            EXPECT_EQ(c.buttons[i].location.right - c.buttons[i].location.left, 20);
            EXPECT_EQ(c.buttons[i].location.bottom - c.buttons[i].location.top, 16);
            EXPECT_GT(c.buttons[i].location.top, wr.top);
        }
    }
    EXPECT_EQ(c.buttons[2].location.right, c.buttons[4].location.left);
    EXPECT_EQ(c.buttons[1].location.right, c.buttons[2].location.left);
    EXPECT_TRUE(c.bar.location.left >= wr.left && c.bar.location.right <= wr.right);

    // Readers move among the caption's children in their order.
    long moves[6] = {};
    HRESULT past = S_OK, fromSelf = S_OK;
    OnClientThread([&] {
        IAccessible* acc = ObjectOf(host, OBJID_TITLEBAR);
        if (!acc)
            return;
        auto go = [&](long dir, long from, HRESULT* hr = nullptr) {
            VARIANT to;
            VariantInit(&to);
            const HRESULT got = acc->accNavigate(dir, Child(from), &to);
            if (hr)
                *hr = got;
            return to.vt == VT_I4 ? to.lVal : -1;
        };
        moves[0] = go(NAVDIR_FIRSTCHILD, CHILDID_SELF);
        moves[1] = go(NAVDIR_NEXT, 2);
        moves[2] = go(NAVDIR_PREVIOUS, 2);
        moves[3] = go(NAVDIR_LASTCHILD, CHILDID_SELF);
        moves[4] = go(NAVDIR_NEXT, 5, &past);
        moves[5] = go(NAVDIR_NEXT, CHILDID_SELF, &fromSelf);
        acc->Release();
    });
    EXPECT_EQ(moves[0], 1);
    EXPECT_EQ(moves[1], 3);
    EXPECT_EQ(moves[2], 1);
    EXPECT_EQ(moves[3], 5);
    EXPECT_EQ(moves[4], -1);
    EXPECT_EQ(past, S_FALSE);
    EXPECT_EQ(moves[5], -1);
    EXPECT_EQ(fromSelf, S_FALSE);

    // Pressed through its object, the close button asks the host as a click does; the
    // maximize button maximizes and is then read as restoring.
    EXPECT_EQ(ActOnClient(host, 5, OBJID_TITLEBAR), S_OK);
    EXPECT_TRUE(closeAsked);
    EXPECT_TRUE(IsWindow(host));
    EXPECT_EQ(ActOnClient(host, 3, OBJID_TITLEBAR), S_OK);
    EXPECT_TRUE(IsZoomed(host));
    EXPECT_EQ(ReadCaption(host).buttons[2].name, "Restore");
    EXPECT_EQ(ActOnClient(host, 4, OBJID_TITLEBAR), DISP_E_MEMBERNOTFOUND);  // not shown: nothing to press
    EXPECT_EQ(ActOnClient(host, 3, OBJID_TITLEBAR), S_OK);
    EXPECT_FALSE(IsZoomed(host));

    // Without its skin the window's caption is the system's again; the skin's object fails.
    IAccessible* kept = ObjectOf(host, OBJID_TITLEBAR);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(Skin_Unregister(host), 1);
    VARIANT role;
    EXPECT_EQ(kept->get_accRole(Child(CHILDID_SELF), &role), CO_E_OBJNOTCONNECTED);
    kept->Release();
    SetHostHandler(host, nullptr);
}

// In a right-to-left window the caption is laid out from the right edge: a reader finds each
// button, and hits it, where a left-to-right window of the same size has it, mirrored.
TEST(AccSkin, CaptionButtonsOfARightToLeftWindowAreFoundMirrored) {
    ASSERT_TRUE(g_accClassicLook && !IsWinXPThemeOpened());
    RECT windows[2];
    Caption captions[2];
    for (int rtl = 0; rtl < 2; ++rtl) {
        HostWindow host(360, 200, false);
        if (rtl) SetWindowLongA(host, GWL_EXSTYLE, GetWindowLongA(host, GWL_EXSTYLE) | WS_EX_LAYOUTRTL);
        ShowWindow(host, SW_SHOW);
        ASSERT_EQ(Skin_Register(host, 1), 1);
        PumpPending();
        GetWindowRect(host, &windows[rtl]);
        captions[rtl] = ReadCaption(host);
        if (rtl) {
            // The middle of the close button as the reader has it is the close button.
            const RECT& close = captions[1].buttons[4].location;
            long hit = -1;
            OnClientThread([&] {
                IAccessible* acc = ObjectOf(host, OBJID_TITLEBAR);
                if (!acc) return;
                VARIANT child;
                VariantInit(&child);
                if (acc->accHitTest((close.left + close.right) / 2, (close.top + close.bottom) / 2, &child) == S_OK &&
                    child.vt == VT_I4)
                    hit = child.lVal;
                acc->Release();
            });
            EXPECT_EQ(hit, 5);
        }
        Skin_Unregister(host);
    }
    ASSERT_EQ(captions[1].count, 5);
    for (int i : {1, 2, 4}) {
        SCOPED_TRACE(i + 1);
        const RECT& ltr = captions[0].buttons[i].location;
        const RECT& rtl = captions[1].buttons[i].location;
        EXPECT_EQ(rtl.left - windows[1].left, windows[0].right - ltr.right);
        EXPECT_EQ(rtl.right - windows[1].left, windows[0].right - ltr.left);
        EXPECT_EQ(rtl.top - windows[1].top, ltr.top - windows[0].top);
        EXPECT_EQ(rtl.bottom - rtl.top, 16);
    }
    EXPECT_LT(captions[1].buttons[4].location.right, captions[1].buttons[2].location.right);
}
