// The door panel as a screen reader and a keyboard user meet it: drops read as groups that
// open and close, the toggle as a push button named after what it does, both reached with the
// keyboard, and objects that outlive their windows failing cleanly.
#include "AccClient.h"
#include "lumo.h"
#include "CWndDoor.h"
#include "CWndDrop.h"
#include "door/CWndDoorLayer.h"

using namespace lumotest;
using namespace acctest;

namespace {

// A door of three drops in a host of 500 x 400, sliding and animating nothing, so that every
// toggle is over when its message has been handled. The first drop holds a body.
class AccDoor : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(door, nullptr);
        DoorWin_SetAnimationAble(door, 0);
        SendMessageA(door, CWndBack::m_MsgSendChildren, SENDCHILDREN_ANIMATION, 0);
        const char* titles[3] = {"Orders", "Stock & room", "Reports"};
        for (int i = 0; i < 3; ++i)
            drops[i] = DropWin_new(door, titles[i], 4, 4, 6, 120);
        body = CreateWindowExA(0, "STATIC", "body", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, host, nullptr, nullptr,
                               nullptr);
        ASSERT_EQ(DropWin_AddObj(drops[0], body), 1);
        toggle = GetDlgItem(door, 1);
        layer = CWndDoor::GetObject(host)->GetLayer()->m_hWnd;
        // The door places itself again a moment after its creation; the tests start after.
        PumpUntil([&] { return CWndDoor::GetObject(host)->IsPlaced() != FALSE; });
        PumpPending();
    }

    HostWindow host{500, 400};
    HWND door = DoorWin_new(host);
    HWND drops[3] = {};
    HWND body = nullptr, toggle = nullptr, layer = nullptr;
};

void PostKeyDown(HWND hwnd, UINT vk) {
    PostMessageA(hwnd, WM_KEYDOWN, vk, 1);
    PostMessageA(hwnd, WM_KEYUP, vk, 0xC0000001);
}

}  // namespace

// Each drop reads as a group named by its title, expanded or collapsed, where it stands, with
// the action that changes that; its windows are its children. The toggle reads as a push
// button named after what it does.
TEST_F(AccDoor, DropsAndToggleReadFromAnotherThread) {
    struct Seen {
        AccInfo drop[3], toggle, stale;
        long kinds[3][4] = {};
        HRESULT childHr = S_OK;
    } seen;
    ASSERT_TRUE(OnClientThread([&] {
        for (int i = 0; i < 3; ++i) {
            IAccessible* acc = ObjectOf(drops[i]);
            if (!acc)
                continue;
            seen.drop[i] = Read(acc);
            std::vector<VARIANT> kids = ChildrenOf(acc);
            for (size_t k = 0; k < kids.size() && k < 4; ++k)
                seen.kinds[i][k] = kids[k].vt;
            ReleaseAll(kids);
            IDispatch* none = nullptr;
            if (i == 0)
                seen.childHr = acc->get_accChild(Child(7), &none);
            acc->Release();
        }
        if (IAccessible* acc = ObjectOf(toggle)) {
            seen.toggle = Read(acc);
            acc->Release();
        }
    }));

    const char* names[3] = {"Orders", "Stock & room", "Reports"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const AccInfo& d = seen.drop[i];
        EXPECT_EQ(d.hr, S_OK);
        EXPECT_EQ(d.name, names[i]);
        EXPECT_EQ(d.role, ROLE_SYSTEM_GROUPING);
        EXPECT_EQ(d.state & (STATE_SYSTEM_EXPANDED | STATE_SYSTEM_COLLAPSED),
                  i == 0 ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED);
        EXPECT_TRUE(d.state & STATE_SYSTEM_FOCUSABLE);
        EXPECT_EQ(d.action, i == 0 ? "Collapse" : "Expand");
        EXPECT_TRUE(SameRect(d.location, ScreenRect(drops[i])));
        // The header button, a child window read through its own object (the body is the
        // host's child, placed over the drop).
        EXPECT_EQ(d.children, 1);
        EXPECT_EQ(seen.kinds[i][0], VT_DISPATCH);
    }
    EXPECT_EQ(seen.childHr, E_INVALIDARG);

    EXPECT_EQ(seen.toggle.name, "Close panel");
    EXPECT_EQ(seen.toggle.role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(seen.toggle.action, "Press");
    EXPECT_EQ(seen.toggle.children, 0);
    EXPECT_TRUE(SameRect(seen.toggle.location, ScreenRect(toggle)));
}

// A drop opened and closed through its object's default action and through the keyboard tells
// its layer exactly as a click on its header does, and raises one state change per drop that
// opened or closed; Up and Down move the focus between drops.
TEST_F(AccDoor, DefaultActionAndKeysToggleADropAsAClickDoes) {
    MessageRecorder toLayer(layer, [](HWND, UINT m, WPARAM, LPARAM) { return m == WM_NOTIFY; });
    MessageRecorder toBody(body, std::vector<UINT>{WM_SHOWWINDOW});
    EventLog events({drops[0], drops[1], drops[2]});
    ASSERT_TRUE(events.Ok());
    auto stateOf = [](HWND d) { return AccEvent{EVENT_OBJECT_STATECHANGE, d, OBJID_CLIENT, CHILDID_SELF}; };
    auto focusOf = [](HWND d) { return AccEvent{EVENT_OBJECT_FOCUS, d, OBJID_CLIENT, CHILDID_SELF}; };

    // A click on the second header: the first closes, the second opens and, having no body,
    // takes the focus (the system raises the focus event for a window).
    PostMessageA(drops[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 3));
    PostMessageA(drops[1], WM_LBUTTONUP, 0, MAKELPARAM(20, 3));
    PumpPending();
    EXPECT_TRUE(SequenceIs(toLayer.Messages(), {Notify(0, 1001)}));
    EXPECT_TRUE(SequenceIs(toBody.Messages(), {RecordedMsg(WM_SHOWWINDOW, 0, Any)}));
    EXPECT_EQ(events.Events(), (std::vector<AccEvent>{focusOf(drops[1]), stateOf(drops[0]), stateOf(drops[1])}));
    const std::vector<RecordedMsg> byClick = toLayer.Messages();

    // The same through the first drop's object, from another thread.
    toLayer.Clear();
    toBody.Clear();
    events.Clear();
    EXPECT_EQ(ActOnClient(drops[0]), S_OK);
    EXPECT_TRUE(SequenceIs(toLayer.Messages(), {Notify(0, 1000)}));
    EXPECT_TRUE(SequenceIs(toBody.Messages(), {RecordedMsg(WM_SHOWWINDOW, 1, Any)}));
    EXPECT_EQ(events.Events(), (std::vector<AccEvent>{stateOf(drops[1]), stateOf(drops[0])}));
    const AccInfo after = ReadOnClient(drops[0]);
    EXPECT_TRUE(after.state & STATE_SYSTEM_EXPANDED);
    EXPECT_EQ(after.action, "Collapse");

    // The keyboard: Space on the focused first drop closes it, Down moves to the second,
    // Enter opens that one, Up comes back.
    toLayer.Clear();
    events.Clear();
    SetFocus(drops[0]);
    PostKeyDown(drops[0], VK_SPACE);
    PumpPending();
    EXPECT_EQ(DropWin_GetDrop(drops[0]), 0);
    PostKeyDown(drops[0], VK_DOWN);
    PumpPending();
    EXPECT_EQ(GetFocus(), drops[1]);
    PostKeyDown(drops[1], VK_RETURN);
    PumpPending();
    EXPECT_EQ(DropWin_GetDrop(drops[1]), 1);
    PostKeyDown(drops[1], VK_UP);
    PostKeyDown(drops[0], VK_UP);  // the first has none above: the focus stays
    PumpPending();
    EXPECT_EQ(GetFocus(), drops[0]);
    EXPECT_TRUE(SequenceIs(toLayer.Messages(), {Notify(0, 1000), Notify(0, 1001)}));
    EXPECT_EQ(events.Events(), (std::vector<AccEvent>{focusOf(drops[0]), stateOf(drops[0]), focusOf(drops[1]),
                                                       stateOf(drops[1]), focusOf(drops[0])}));
    EXPECT_TRUE(SequenceIs(byClick, {Notify(0, 1001)}));
}

// The toggle is a tab stop read as what it does; its default action and the space bar click it,
// the host is told as for a click, and its name follows the door.
TEST_F(AccDoor, ToggleClickedThroughItsObjectAndTheKeyboardTellsTheHost) {
    DoorWin_SetSendMsg(door, 7);
    MessageRecorder toHost(host, std::vector<UINT>{WM_USER + 7});
    EventLog events({toggle});
    EXPECT_EQ(ActOnClient(toggle), S_OK);
    EXPECT_EQ(DoorWin_IsOpened(door), 0);
    EXPECT_EQ(GetFocus(), toggle);  // kept while the door hid it
    EXPECT_EQ(ReadOnClient(toggle).name, "Open panel");

    // The keyboard reaches the toggle as a tab stop of the host's dialog navigation.
    EXPECT_TRUE(GetWindowLongA(toggle, GWL_STYLE) & WS_TABSTOP);
    EXPECT_TRUE(GetWindowLongA(door, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    SetFocus(toggle);
    PostKeyDown(toggle, VK_SPACE);
    PumpPending();
    EXPECT_EQ(DoorWin_IsOpened(door), 1);
    EXPECT_TRUE(SequenceIs(toHost.Messages(), {RecordedMsg(WM_USER + 7, 1, 0), RecordedMsg(WM_USER + 7, 0, 0)}));
    const AccEvent named = {EVENT_OBJECT_NAMECHANGE, toggle, OBJID_CLIENT, CHILDID_SELF};
    const AccEvent focused = {EVENT_OBJECT_FOCUS, toggle, OBJID_CLIENT, CHILDID_SELF};
    // The click through the object moves the focus to the toggle, as a mouse click does; the
    // closing door hides the toggle a moment, the opening one hands the focus to the open
    // drop's body: the toggle gets it back each time.
    EXPECT_EQ(events.Events(), (std::vector<AccEvent>{focused, named, focused, named, focused}));
    EXPECT_EQ(GetFocus(), toggle);

    // A host that names the toggle is read with its name.
    SetWindowTextA(toggle, "&Navigation");
    EXPECT_EQ(ReadOnClient(toggle).name, "Navigation");
}

// Tab goes through the toggle and the drops; a drop is left with the focus it is given.
TEST_F(AccDoor, TabReachesTheToggleAndEveryDrop) {
    std::vector<HWND> reached;
    HWND at = toggle;
    for (int i = 0; i < 6; ++i) {
        at = GetNextDlgTabItem(host, at, FALSE);
        reached.push_back(at);
    }
    for (HWND d : drops)
        EXPECT_NE(std::find(reached.begin(), reached.end(), d), reached.end());
    EXPECT_NE(std::find(reached.begin(), reached.end(), toggle), reached.end());
    // Top to bottom, as the drops stand.
    EXPECT_EQ(GetNextDlgTabItem(host, drops[0], FALSE), drops[1]);
    EXPECT_EQ(GetNextDlgTabItem(host, drops[1], FALSE), drops[2]);
    EXPECT_EQ(GetNextDlgTabItem(host, drops[2], TRUE), drops[1]);
    SetFocus(drops[2]);
    EXPECT_EQ(GetFocus(), drops[2]);
    // The door's opening still hands the focus to the body of its one open drop.
    SetFocus(host);
    CWndDoor::GetObject(host)->InitResize();
    EXPECT_EQ(GetFocus(), body);
}

// The focused drop frames its header, and the focused toggle itself, while the window shows
// keyboard cues; read from the screen after the change.
TEST_F(AccDoor, FocusRectangleFollowsTheFocusAndTheKeyboardCues) {
    HWND top = host;
    SetForegroundWindow(top);
    ParkCursor();
    PumpPending();
    auto header = [&](HWND d) { return WindowCapture(d, CaptureMode::ScreenClient); };
    const WindowCapture before = header(drops[1]);
    SetFocus(drops[1]);
    PumpPending();
    const WindowCapture focused = header(drops[1]);
    SendMessageA(drops[1], WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    PumpPending();
    const WindowCapture hidden = header(drops[1]);
    SendMessageA(drops[1], WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    PumpPending();
    const WindowCapture shown = header(drops[1]);
    SetFocus(drops[0]);
    PumpPending();
    const WindowCapture left = header(drops[1]);
    ASSERT_TRUE(before.Ok() && focused.Ok() && hidden.Ok() && shown.Ok() && left.Ok());
    // Where the header's frame runs (2 pixels in, on its top row) the pixels change.
    const int y = 2, w = before.Width();
    int changed = 0;
    for (int x = 2; x < w - 2; ++x)
        changed += before.At(x, y) != focused.At(x, y);
    EXPECT_GT(changed, (w - 4) / 4);
    EXPECT_EQ(hidden.Pixels(), before.Pixels());
    EXPECT_EQ(shown.Pixels(), focused.Pixels());
    EXPECT_EQ(left.Pixels(), before.Pixels());

    const WindowCapture plain(toggle, CaptureMode::ScreenClient);
    SetFocus(toggle);
    PumpPending();
    const WindowCapture ringed(toggle, CaptureMode::ScreenClient);
    SendMessageA(toggle, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    PumpPending();
    const WindowCapture quiet(toggle, CaptureMode::ScreenClient);
    ASSERT_TRUE(plain.Ok() && ringed.Ok() && quiet.Ok());
    EXPECT_NE(ringed.Pixels(), plain.Pixels());
    EXPECT_EQ(quiet.Pixels(), plain.Pixels());
}

// An object kept by a reader after its window went fails every call cleanly, on the reader's
// thread and on the window's own; the door's objects leave nothing behind.
TEST(AccDoorLifetime, ObjectsOfDestroyedWindowsFailCleanly) {
    HostWindow host(400, 300);
    HWND door = DoorWin_new(host);
    HWND drop = DropWin_new(door, "Gone", 4, 4, 4, 100);
    HWND toggle = GetDlgItem(door, 1);
    HRESULT name = S_OK, role = S_OK, state = S_OK, action = S_OK, location = S_OK, count = S_OK, focus = S_OK;
    ASSERT_TRUE(OnClientThread(
        [&](const std::function<void()>& handOver) {
            IAccessible* acc = ObjectOf(drop);
            if (!acc)
                return;
            handOver();  // the door goes
            BSTR b = nullptr;
            name = acc->get_accName(Child(CHILDID_SELF), &b);
            VARIANT v;
            role = acc->get_accRole(Child(CHILDID_SELF), &v);
            state = acc->get_accState(Child(CHILDID_SELF), &v);
            action = acc->accDoDefaultAction(Child(CHILDID_SELF));
            long x, y, w, h, n;
            location = acc->accLocation(&x, &y, &w, &h, Child(CHILDID_SELF));
            count = acc->get_accChildCount(&n);
            focus = acc->get_accFocus(&v);
            acc->Release();
        },
        [&] { DoorWin_delete(door); }));
    for (HRESULT hr : {name, role, state, action, location, count, focus})
        EXPECT_TRUE(hr == CO_E_OBJNOTCONNECTED || hr == E_FAIL) << std::hex << hr;

    // On the window's own thread the object is the library's, called directly.
    HWND door2 = DoorWin_new(host);
    HWND toggle2 = GetDlgItem(door2, 1);
    IAccessible* acc = ObjectOf(toggle2);
    ASSERT_NE(acc, nullptr);
    DestroyWindow(door2);
    BSTR b = nullptr;
    EXPECT_EQ(acc->get_accName(Child(CHILDID_SELF), &b), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(b, nullptr);
    EXPECT_EQ(acc->accDoDefaultAction(Child(CHILDID_SELF)), CO_E_OBJNOTCONNECTED);
    acc->Release();
    (void)toggle;

    // Readers asking again and again leave no window or GDI object behind.
    EXPECT_EQ(LeaksOf([&] {
                  HWND d = DoorWin_new(host);
                  HWND dr = DropWin_new(d, "Cycle", 4, 4, 4, 100);
                  OnClientThread([&] {
                      for (HWND h : {dr, GetDlgItem(d, 1)})
                          if (IAccessible* a = ObjectOf(h)) {
                              Read(a);
                              a->Release();
                          }
                  });
                  DoorWin_delete(d);
              }),
              Leaks{});
}

// A control answers for its own object only, and its object refuses what names nothing.
TEST_F(AccDoor, ObjectsAnswerForThemselvesAndRefuseBadArguments) {
    EXPECT_EQ(SendMessageA(drops[0], WM_GETOBJECT, 0, (LPARAM)OBJID_WINDOW), 0);
    EXPECT_EQ(SendMessageA(toggle, WM_GETOBJECT, 0, (LPARAM)OBJID_TITLEBAR), 0);
    const LRESULT lr = SendMessageA(drops[0], WM_GETOBJECT, 0, (LPARAM)OBJID_CLIENT);
    ASSERT_GT(lr, 0);
    IAccessible* acc = nullptr;
    ASSERT_EQ(ObjectFromLresult(lr, __uuidof(IAccessible), 0, (void**)&acc), S_OK);
    // Asked again, the window hands out the same object.
    IAccessible* again = ObjectOf(drops[0]);
    EXPECT_EQ(again, acc);
    if (again)
        again->Release();

    long x = 0, y = 0, w = 0, h = 0;
    EXPECT_EQ(acc->accLocation(&x, &y, nullptr, &h, Child(CHILDID_SELF)), E_POINTER);
    EXPECT_EQ(acc->accLocation(&x, &y, &w, nullptr, Child(CHILDID_SELF)), E_POINTER);
    BSTR b = nullptr;
    VARIANT notAnId;
    VariantInit(&notAnId);
    notAnId.vt = VT_BSTR;
    notAnId.bstrVal = nullptr;
    EXPECT_EQ(acc->get_accName(notAnId, &b), E_INVALIDARG);
    EXPECT_EQ(acc->get_accName(Child(1), &b), E_INVALIDARG);  // a child window: its own object
    EXPECT_EQ(acc->get_accName(Child(-3), &b), E_INVALIDARG);
    EXPECT_EQ(b, nullptr);
    IDispatch* disp = nullptr;
    EXPECT_EQ(acc->get_accChild(Child(0), &disp), E_INVALIDARG);
    EXPECT_EQ(acc->get_accChild(Child(2), &disp), E_INVALIDARG);
    EXPECT_EQ(acc->get_accChild(Child(1), &disp), S_OK);
    if (disp)
        disp->Release();
    EXPECT_EQ(acc->get_accName(Child(CHILDID_SELF), nullptr), E_POINTER);

    // A reader may give the drop the focus, and asks where it is.
    SetFocus(host);
    VARIANT focus;
    EXPECT_EQ(acc->get_accFocus(&focus), S_FALSE);
    EXPECT_EQ(focus.vt, VT_EMPTY);
    EXPECT_EQ(acc->accSelect(SELFLAG_TAKESELECTION, Child(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(GetFocus(), (HWND)host);
    EXPECT_EQ(acc->accSelect(SELFLAG_TAKEFOCUS, Child(CHILDID_SELF)), S_OK);
    EXPECT_EQ(GetFocus(), drops[0]);
    EXPECT_EQ(acc->get_accFocus(&focus), S_OK);
    EXPECT_EQ(focus.vt, VT_I4);
    EXPECT_EQ(focus.lVal, CHILDID_SELF);
    acc->Release();
}
