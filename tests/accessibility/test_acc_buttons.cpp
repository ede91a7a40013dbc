// XP buttons as a screen reader meets them: each kind with its role, state and action, clicked
// through its object as the mouse clicks it, raising a state change when its check changes.
#include "AccClient.h"
#include "lumo.h"
#include "CButtonXP.h"

using namespace lumotest;
using namespace acctest;

namespace {

struct XPButtons : ::testing::Test {
    void SetUp() override {
        wnd.SubclassWindow(host);
        const struct {
            CButtonXP* b;
            const char* text;
            DWORD style;
        } made[] = {{&save, "&Save", BS_DEFPUSHBUTTON},
                    {&check, "&Check", BS_AUTOCHECKBOX},
                    {&optA, "Option &A", BS_AUTORADIOBUTTON | WS_GROUP},
                    {&optB, "Option &B", BS_AUTORADIOBUTTON},
                    {&flat, "Flat", BS_PUSHBUTTON | WS_GROUP},
                    {&grad, "Gradient", BS_PUSHBUTTON}};
        int y = 5;
        UINT id = 100;
        for (const auto& m : made) {
            ASSERT_TRUE(m.b->Create(m.text, WS_CHILD | WS_VISIBLE | m.style, CRect(10, y, 110, y + 24), &wnd, id++));
            y += 28;
        }
        check.SetCheck(BST_CHECKED);
        optA.SetCheck(BST_CHECKED);
        flat.SetFlat(1);
        flat.EnableWindow(FALSE);
        attached = CreateWindowExA(0, "BUTTON", "Attac&hed", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 150, 5, 100, 24,
                                   host, (HMENU)200, nullptr, nullptr);
        HDC dc = GetDC(attached);
        ASSERT_EQ(XPButton_Attach(attached, dc), 1);
        ReleaseDC(attached, dc);
        PumpPending();
    }
    void TearDown() override {
        DestroyWindow(attached);
        for (CButtonXP* b : std::initializer_list<CButtonXP*>{&save, &check, &optA, &optB, &flat, &grad})
            b->DestroyWindow();
        wnd.UnsubclassWindow();
    }

    HostWindow host{300, 200};
    CWnd wnd;
    CButtonXP save, check, optA, optB, flat;
    CButtonXPGradient grad;
    HWND attached = nullptr;
};

}  // namespace

TEST_F(XPButtons, EveryKindReadsWithItsRoleStateAndAction) {
    const long kKinds = STATE_SYSTEM_CHECKED | STATE_SYSTEM_DEFAULT | STATE_SYSTEM_UNAVAILABLE;
    const struct {
        HWND hwnd;
        const char* name;
        long role, state;
        const char* action;
    } want[] = {{save, "Save", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_DEFAULT, "Press"},
                {check, "Check", ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_CHECKED, "Uncheck"},
                {optA, "Option A", ROLE_SYSTEM_RADIOBUTTON, STATE_SYSTEM_CHECKED, "Check"},
                {optB, "Option B", ROLE_SYSTEM_RADIOBUTTON, 0, "Check"},
                {flat, "Flat", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE, "Press"},
                {grad, "Gradient", ROLE_SYSTEM_PUSHBUTTON, 0, "Press"},
                {attached, "Attached", ROLE_SYSTEM_CHECKBUTTON, 0, "Check"}};
    for (const auto& w : want) {
        SCOPED_TRACE(w.name);
        const AccInfo got = ReadOnClient(w.hwnd);
        EXPECT_EQ(got.hr, S_OK);
        EXPECT_EQ(got.name, w.name);
        EXPECT_EQ(got.role, w.role);
        EXPECT_EQ(got.state & kKinds, w.state);
        EXPECT_EQ(got.action, w.action);
        EXPECT_EQ(got.children, 0);
        EXPECT_TRUE(SameRect(got.location, ScreenRect(w.hwnd)));
    }
    // The focused button says so.
    optB.SetFocus();
    EXPECT_TRUE(ReadOnClient(optB).state & STATE_SYSTEM_FOCUSED);
    EXPECT_FALSE(ReadOnClient(optA).state & STATE_SYSTEM_FOCUSED);
}

// The default action clicks: the parent hears BN_CLICKED as for a mouse click, the check
// changes (a radio button clears its group), and each changed check raises a state change.
TEST_F(XPButtons, DefaultActionClicksAndRaisesStateChanges) {
    MessageRecorder toHost(host, std::vector<UINT>{WM_COMMAND});
    EventLog events({save, check, optA, optB, attached});
    auto stateOf = [](HWND h) { return AccEvent{EVENT_OBJECT_STATECHANGE, h, OBJID_CLIENT, CHILDID_SELF}; };

    EXPECT_EQ(ActOnClient(check), S_OK);
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(ActOnClient(optB), S_OK);
    EXPECT_EQ(optB.GetCheck(), BST_CHECKED);
    EXPECT_EQ(optA.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(ActOnClient(attached), S_OK);
    EXPECT_EQ(SendMessageA(attached, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(ActOnClient(save), S_OK);
    EXPECT_EQ(ActOnClient(flat), E_FAIL);  // disabled: nothing happens

    EXPECT_TRUE(SequenceIs(toHost.Messages(),
                           {RecordedMsg(WM_COMMAND, MAKEWPARAM(101, BN_CLICKED), (HWND)check),
                            RecordedMsg(WM_COMMAND, MAKEWPARAM(103, BN_CLICKED), (HWND)optB),
                            RecordedMsg(WM_COMMAND, MAKEWPARAM(200, BN_CLICKED), attached),
                            RecordedMsg(WM_COMMAND, MAKEWPARAM(100, BN_CLICKED), (HWND)save)}));
    const std::vector<AccEvent> states = [&] {
        std::vector<AccEvent> only;
        for (const AccEvent& e : events.Events())
            if (e.event == EVENT_OBJECT_STATECHANGE)
                only.push_back(e);
        return only;
    }();
    EXPECT_EQ(states, (std::vector<AccEvent>{stateOf(check), stateOf(optB), stateOf(optA), stateOf(attached)}));
    EXPECT_EQ(ReadOnClient(check).action, "Check");

    // A check set by the host is heard too; setting the same check again is not.
    events.Clear();
    check.SetCheck(BST_CHECKED);
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(events.Events(), (std::vector<AccEvent>{stateOf(check)}));
}

// An attached button's object fails once the button is gone, as every object does.
TEST_F(XPButtons, AttachedButtonObjectFailsOnceTheButtonIsGone) {
    IAccessible* acc = ObjectOf(attached);
    ASSERT_NE(acc, nullptr);
    DestroyWindow(attached);
    VARIANT role;
    EXPECT_EQ(acc->get_accRole(Child(CHILDID_SELF), &role), CO_E_OBJNOTCONNECTED);
    acc->Release();
}

// A new text is a new name, announced for the button's object, framework or attached.
TEST_F(XPButtons, NewTextsAreAnnouncedAndRead) {
    EventLog events({save, attached});
    save.SetWindowText("Save &all");
    SetWindowTextA(attached, "Keep");
    const AccEvent saveNamed = {EVENT_OBJECT_NAMECHANGE, save, OBJID_CLIENT, CHILDID_SELF};
    const AccEvent keepNamed = {EVENT_OBJECT_NAMECHANGE, attached, OBJID_CLIENT, CHILDID_SELF};
    const std::vector<AccEvent>& got = events.Events();
    EXPECT_NE(std::find(got.begin(), got.end(), saveNamed), got.end());
    EXPECT_NE(std::find(got.begin(), got.end(), keepNamed), got.end());
    EXPECT_EQ(ReadOnClient(save).name, "Save all");
    EXPECT_EQ(ReadOnClient(attached).name, "Keep");
}
