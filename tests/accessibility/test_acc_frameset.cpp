// The frame set as a screen reader and a keyboard user meet it: a pane per frame with a window,
// its icon a push button the reader can press, and splitters moved with the arrows once the
// host hands them the focus.
#include "AccClient.h"
#include "lumo.h"
#include "frameset/CFrameset.h"

using namespace lumotest;
using namespace acctest;

namespace {

HWND Content(HWND host) {
    return CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host, nullptr, nullptr, nullptr);
}

// Navigation on the left, an order list above a log on the right, in title style 2.
struct AccFrames : ::testing::Test {
    void SetUp() override {
        ASSERT_NE(set, nullptr);
        nav = Content(host), list = Content(host), log = Content(host);
        ASSERT_EQ(Frame_add(set, "nav", "", 0, nav, "120"), 1);
        ASSERT_EQ(Frame_add(set, "body", "", 0, nullptr, "100%"), 1);
        ASSERT_EQ(Frame_add(set, "list", "body", 1, list, "60%"), 1);
        ASSERT_EQ(Frame_add(set, "log", "body", 1, log, "40%"), 1);
        Frame_SetTitle(set, "nav", "Navigation");
        Frame_SetTitle(set, "list", "Orders");
        Frame_SetTitle(set, "log", "Log");
        Frame_SetIconMsg(set, "nav", 1);
        Frame_SetIconMsg(set, "list", 2);
        Frameset_SetSendMsg(set, 20);
        Frameset_SetStyle(set, 2);
        Frameset_SetOuterBorder(set, 0, 0, 0, 0);
        window = FindWindowExA(host, nullptr, nullptr, "CWndArea");
        PumpPending();
    }
    // A frame's rectangle, or its icon's, on the screen.
    RECT OnScreen(const char* name, bool icon = false) const {
        CFrameset* p = CFrameset::FromHandle(set);
        const CFrame* f = nullptr;
        for (int i = 0; i < p->GetFrameCount(); ++i)
            if (p->GetFrame(i)->m_strName == name)
                f = p->GetFrame(i);
        CRect rc = icon ? p->GetIconRect(f) : f->m_rect;
        MapWindowPoints(window, nullptr, (LPPOINT)&rc, 2);
        return rc;
    }
    int Width(HWND h) const { return ScreenRect(h, false).right - ScreenRect(h, false).left; }
    int Height(HWND h) const { return ScreenRect(h, false).bottom - ScreenRect(h, false).top; }

    HostWindow host{400, 300};
    HFRAMESET set = Frameset_new(host);
    HWND nav = nullptr, list = nullptr, log = nullptr, window = nullptr;
};

void PostKeyPress(HWND hwnd, UINT vk) {
    PostMessageA(hwnd, WM_KEYDOWN, vk, 1);
    PostMessageA(hwnd, WM_KEYUP, vk, 0xC0000001);
    PumpPending();
}

}  // namespace

TEST_F(AccFrames, PanesWithTitlesPlacesAndIconsReadFromAnotherThread) {
    struct Pane {
        AccInfo self, icon;
    } panes[3];
    long count = 0, kinds[3] = {};
    VARIANT hit;
    VariantInit(&hit);
    std::string hitName;
    const RECT listRect = OnScreen("list");
    ASSERT_TRUE(OnClientThread([&] {
        IAccessible* acc = ObjectOf(window);
        if (!acc)
            return;
        count = Read(acc).children;
        std::vector<VARIANT> kids = ChildrenOf(acc);
        for (size_t i = 0; i < kids.size() && i < 3; ++i) {
            kinds[i] = kids[i].vt;
            IAccessible* pane = nullptr;
            if (kids[i].vt == VT_DISPATCH &&
                SUCCEEDED(kids[i].pdispVal->QueryInterface(__uuidof(IAccessible), (void**)&pane))) {
                panes[i].self = Read(pane);
                if (panes[i].self.children == 1)
                    panes[i].icon = Read(pane, 1);
                pane->Release();
            }
        }
        ReleaseAll(kids);
        // A point inside the order list finds its pane.
        if (SUCCEEDED(acc->accHitTest((listRect.left + listRect.right) / 2, (listRect.top + listRect.bottom) / 2,
                                      &hit)) &&
            hit.vt == VT_DISPATCH) {
            IAccessible* pane = nullptr;
            if (SUCCEEDED(hit.pdispVal->QueryInterface(__uuidof(IAccessible), (void**)&pane))) {
                hitName = Read(pane).name;
                pane->Release();
            }
        }
        VariantClear(&hit);
        acc->Release();
    }));
    EXPECT_EQ(count, 3);  // the container holds no window and has no pane
    const char* names[3] = {"Navigation", "Orders", "Log"};
    const char* frames[3] = {"nav", "list", "log"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(kinds[i], VT_DISPATCH);
        EXPECT_EQ(panes[i].self.name, names[i]);
        EXPECT_EQ(panes[i].self.role, ROLE_SYSTEM_PANE);
        EXPECT_TRUE(SameRect(panes[i].self.location, OnScreen(frames[i])));
        EXPECT_EQ(panes[i].self.children, i < 2 ? 1 : 0);
    }
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(panes[i].icon.role, ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(panes[i].icon.name, names[i]);
        EXPECT_EQ(panes[i].icon.action, "Press");
        EXPECT_TRUE(SameRect(panes[i].icon.location, OnScreen(frames[i], true)));
    }
    EXPECT_EQ(hitName, "Orders");
}

// Pressing an icon through its object tells the host as the mouse click does; a new title is
// announced for its pane.
TEST_F(AccFrames, IconPressedThroughItsObjectAndTitleChangesAnnounced) {
    MessageRecorder toHost(host, std::vector<UINT>{WM_USER + 20});
    EventLog events({window});
    HRESULT hr = E_FAIL, none = S_OK;
    ASSERT_TRUE(OnClientThread([&] {
        IAccessible* acc = ObjectOf(window);
        if (!acc)
            return;
        IDispatch* disp = nullptr;
        IAccessible* pane = nullptr;
        if (acc->get_accChild(Child(2), &disp) == S_OK &&
            SUCCEEDED(disp->QueryInterface(__uuidof(IAccessible), (void**)&pane))) {
            hr = pane->accDoDefaultAction(Child(1));
            none = pane->accDoDefaultAction(Child(CHILDID_SELF));
            pane->Release();
        }
        if (disp)
            disp->Release();
        acc->Release();
    }));
    PumpPending();
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(none, DISP_E_MEMBERNOTFOUND);
    EXPECT_TRUE(SequenceIs(toHost.Messages(), {RecordedMsg(WM_USER + 20, 2, 0)}));
    Frame_SetTitle(set, "log", "Messages");
    EXPECT_EQ(events.Events(), (std::vector<AccEvent>{{EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, 3}}));
}

// Once given the focus, a splitter moves with the arrows along its direction, 10 pixels a press
// or 1 with Ctrl, never past a neighbour's least size; Esc gives the focus back.
TEST_F(AccFrames, SplittersMoveWithTheKeyboardOnceFocused) {
    EXPECT_EQ(Frameset_FocusSplitter(set, "log"), 0);  // the last of its group
    EXPECT_EQ(Frameset_FocusSplitter(set, "nowhere"), 0);
    EXPECT_EQ(Frameset_FocusSplitter((HFRAMESET)0x1234, "nav"), 0);
    SetFocus(list);
    const int navWidth = Width(nav);
    ASSERT_EQ(Frameset_FocusSplitter(set, "nav"), 1);
    EXPECT_EQ(GetFocus(), window);
    PostKeyPress(window, VK_RIGHT);
    PostKeyPress(window, VK_RIGHT);
    EXPECT_EQ(Width(nav), navWidth + 20);
    PostKeyPress(window, VK_DOWN);  // across this splitter: nothing
    EXPECT_EQ(Width(nav), navWidth + 20);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostKeyPress(window, VK_LEFT);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(Width(nav), navWidth + 19);
    for (int i = 0; i < 20; ++i)
        PostKeyPress(window, VK_LEFT);
    EXPECT_EQ(OnScreen("nav").right - OnScreen("nav").left, 31);
    PostKeyPress(window, VK_ESCAPE);
    EXPECT_EQ(GetFocus(), list);

    // The splitter between the list and the log moves up and down.
    const int listHeight = Height(list);
    ASSERT_EQ(Frameset_FocusSplitter(set, "list"), 1);
    PostKeyPress(window, VK_DOWN);
    PostKeyPress(window, VK_RIGHT);  // across: nothing
    EXPECT_EQ(Height(list), listHeight + 10);
    PostKeyPress(window, VK_RETURN);
    EXPECT_EQ(GetFocus(), list);
}

// The focused splitter is framed while the window shows keyboard cues; read from the screen.
TEST_F(AccFrames, FocusedSplitterShowsAFocusRectangleWithTheCues) {
    SetForegroundWindow(host);
    ParkCursor();
    PumpPending();
    const RECT band = {OnScreen("nav").right, OnScreen("nav").top, OnScreen("list").left, OnScreen("nav").bottom};
    auto bandPixels = [&] {
        WindowCapture cap(window, CaptureMode::ScreenClient);
        std::vector<COLORREF> px;
        POINT origin = {0, 0};
        ClientToScreen(window, &origin);
        for (int y = band.top; y < band.bottom; ++y)
            for (int x = band.left; x < band.right; ++x)
                px.push_back(cap.At(x - origin.x, y - origin.y));
        return px;
    };
    const std::vector<COLORREF> before = bandPixels();
    ASSERT_EQ(Frameset_FocusSplitter(set, "nav"), 1);
    PumpPending();
    const std::vector<COLORREF> focused = bandPixels();
    SendMessageA(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    PumpPending();
    const std::vector<COLORREF> hidden = bandPixels();
    SendMessageA(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(list);
    PumpPending();
    const std::vector<COLORREF> left = bandPixels();
    ASSERT_FALSE(before.empty());
    EXPECT_NE(focused, before);
    EXPECT_EQ(hidden, before);
    EXPECT_EQ(left, before);
}
