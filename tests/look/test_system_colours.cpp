// Every control in the system colours of its role, read back from the screen after the colours
// changed (SetSysColors and WM_SYSCOLORCHANGE, as the system announces them) without any repaint
// of the test's own; and back in the library's palette.
#include "LumoTest.h"
#include "SystemColours.h"
#include "MenuTestUtil.h"
#include "lumo.h"
#include "CButtonXP.h"
#include "CHyperLinkStatic.h"
#include "CMySlideCtrl.h"
#include "CProgressCtrlEx.h"
#include "CSpecGroupBox.h"
#include "CTabCtrlEx.h"
#include "skin/CSkin.h"
#include "frame/LumoRes.h"

using namespace lumotest;

namespace {

// A host that is a framework window too, so owner drawing is reflected to the controls.
struct LookHost : HostWindow {
    LookHost(int w, int h) : HostWindow(w, h) { wnd.SubclassWindow(Hwnd()); }
    ~LookHost() { wnd.UnsubclassWindow(); }
    CWnd wnd;
};

void GuiFontOf(HWND hwnd) { SendMessageA(hwnd, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE); }

// The library's own look for the tabs, whatever the themes, for one test.
struct OwnLook {
    OwnLook() { Lumo_UseOwnLook(1); }
    ~OwnLook() { Lumo_UseOwnLook(0); }
};

// A whole top-level window, frame and caption included, as it is on the display now.
struct WindowOnScreen : MemoryCanvas {
    explicit WindowOnScreen(const RECT& wr) : MemoryCanvas(wr.right - wr.left, wr.bottom - wr.top) {
        HDC screen = GetDC(nullptr);
        BitBlt(Dc(), 0, 0, Width(), Height(), screen, wr.left, wr.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    }
};

// Moves the real pointer over a point of the screen and tells the window, as a move over its
// caption does.
void PointerOverCaption(HWND hwnd, POINT pt) {
    SetCursorPos(pt.x, pt.y);
    SendMessageA(hwnd, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(pt.x, pt.y));
}

}  // namespace

// The small controls, the XP buttons, a frame set and a tree: made while the library already
// uses system colours (high contrast seen on, the default mode), then the system colours change.
TEST(SystemColours, EveryControlRepaintsInTheRoleColoursWhenTheyChange) {
    ParkCursor();
    OwnLook own;
    HighContrastSeen contrast(true);
    LookHost host(520, 260);
    CTabCtrlEx tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 250, 90), &host.wnd, 1));
    GuiFontOf(tabs);
    for (const char* name : {"One", "Two"}) tabs.InsertItem(tabs.GetItemCount(), name);
    tabs.SetCurSel(0);
    CHyperLinkStatic link;
    ASSERT_TRUE(link.Create("Lumo link", WS_CHILD | WS_VISIBLE, CRect(260, 10, 400, 30), &host.wnd, 2));
    GuiFontOf(link);
    CSpecGroupBox box;
    ASSERT_TRUE(box.Create("Group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(260, 40, 500, 140), &host.wnd, 3));
    GuiFontOf(box);
    CMySlideCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(10, 100, 250, 140), &host.wnd, 4));
    slider.SetRange(0, 100);
    slider.SetPos(50);
    CProgressCtrlEx bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 150, 250, 174), &host.wnd, 5));
    bar.SetRange(0, 100);
    bar.SetPos(40);
    CButtonXP push, check;
    ASSERT_TRUE(push.Create("Push", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 190, 100, 216), &host.wnd, 6));
    ASSERT_TRUE(check.Create("Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(110, 190, 200, 216), &host.wnd, 7));
    GuiFontOf(push);
    GuiFontOf(check);
    check.SetCheck(BST_CHECKED);
    HostWindow setHost(300, 200);
    SetWindowPos(setHost, nullptr, 620, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND tree = Tree_new(setHost, 0, 0, 10, 10, 0);
    ASSERT_NE(tree, nullptr);
    HFRAMESET set = Frameset_new(setHost);
    ASSERT_EQ(Frame_add(set, "a", "", 0, tree, "100%"), 1);
    Frame_SetTitle(set, "a", "Frame");
    ASSERT_EQ(Frameset_SetStyle(set, 1), 1);
    Frameset_SetOuterBorder(set, 0, 0, 0, 0);
    PumpPending();

    const std::vector<COLORREF> c = SysColours::Contrast();
    auto role = [&](int index) { return SysColours::Of(c, index); };
    SysColours colours(c);
    PumpPending();

    {
        WindowCapture cap(tabs, CaptureMode::ScreenClient);
        for (int i = 0; i < 2; ++i) {
            CRect rc;
            tabs.GetItemRect(i, &rc);
            EXPECT_EQ(cap.At(rc.left + 3, rc.top + 3), role(COLOR_BTNFACE)) << "tab " << i;
            EXPECT_GT(cap.CountColor(role(COLOR_BTNTEXT), rc), 5) << "tab " << i;
        }
    }
    EXPECT_GT(WindowCapture(link, CaptureMode::ScreenClient).CountColor(role(COLOR_HOTLIGHT)), 10);
    {
        WindowCapture cap(box, CaptureMode::ScreenClient);
        EXPECT_EQ(cap.At(200, 10), role(COLOR_BTNFACE));
        EXPECT_EQ(cap.At(120, 19), role(COLOR_WINDOWFRAME));
        EXPECT_EQ(cap.At(120, 99), role(COLOR_WINDOWFRAME));
        EXPECT_GT(cap.CountColor(role(COLOR_BTNTEXT), CRect(0, 0, 240, 19)), 5);
    }
    {
        WindowCapture cap(slider, CaptureMode::ScreenClient);
        EXPECT_EQ(cap.At(1, 1), role(COLOR_BTNFACE));
        EXPECT_GT(cap.CountColor(role(COLOR_HIGHLIGHT)), 20);
        EXPECT_GT(cap.CountColor(role(COLOR_WINDOW)), 20);
        EXPECT_GT(cap.CountColor(role(COLOR_WINDOWFRAME)), 20);
    }
    {
        WindowCapture cap(bar, CaptureMode::ScreenClient);
        EXPECT_EQ(cap.At(20, 12), role(COLOR_HIGHLIGHT));
        EXPECT_EQ(cap.At(cap.Width() - 20, 12), role(COLOR_WINDOW));
    }
    {
        WindowCapture cap(push, CaptureMode::ScreenClient);
        EXPECT_EQ(cap.At(45, 0), role(COLOR_WINDOWFRAME));
        EXPECT_EQ(cap.At(10, 13), role(COLOR_BTNFACE));
        EXPECT_GT(cap.CountColor(role(COLOR_BTNTEXT)), 5);
    }
    {
        WindowCapture cap(check, CaptureMode::ScreenClient);
        const int top = (cap.Height() - 13) / 2;
        EXPECT_EQ(cap.At(0, top + 6), role(COLOR_WINDOWFRAME));
        EXPECT_EQ(cap.At(1, top + 1), role(COLOR_WINDOW));
        EXPECT_GT(cap.CountColor(role(COLOR_WINDOWTEXT), CRect(0, top, 13, top + 13)), 5);
        EXPECT_EQ(cap.At(cap.Width() - 2, 2), role(COLOR_BTNFACE));
    }
    {
        // The frame's title box on the rule above the tree, the tree in the pane colour.
        WindowCapture cap(setHost, CaptureMode::ScreenClient);
        RECT rc;
        GetWindowRect(tree, &rc);
        MapWindowPoints(nullptr, setHost, (POINT*)&rc, 2);
        EXPECT_EQ(cap.At(rc.left + 3, rc.top - 10), role(COLOR_BTNFACE));
        EXPECT_EQ(cap.At(rc.left + 40, rc.top - 19), role(COLOR_WINDOWFRAME));
        EXPECT_GT(cap.CountColor(role(COLOR_BTNTEXT), CRect(rc.left, rc.top - 19, rc.right, rc.top)), 5);
        EXPECT_EQ(cap.At(rc.right - 3, rc.bottom - 3), role(COLOR_WINDOW));
    }

    // The library's palette again: nothing of the role colours left where the gradients are.
    EXPECT_EQ(Lumo_UseSystemColors(0), -1);
    PumpPending();
    EXPECT_NE(WindowCapture(box, CaptureMode::ScreenClient).At(200, 10), role(COLOR_BTNFACE));
    EXPECT_NE(WindowCapture(bar, CaptureMode::ScreenClient).At(20, 12), role(COLOR_HIGHLIGHT));
    EXPECT_NE(WindowCapture(push, CaptureMode::ScreenClient).At(10, 13), role(COLOR_BTNFACE));
    EXPECT_EQ(WindowCapture(link, CaptureMode::ScreenClient).CountColor(role(COLOR_HOTLIGHT)), 0);
    Lumo_UseSystemColors(-1);

    // Changes back and forth leave no GDI object and no window behind.
    EXPECT_EQ(LeaksOf([&] {
                  for (int i = 0; i < 4; ++i) {
                      SysColours again(SysColours::Contrast(i + 1));
                      PumpPending();
                  }
              }),
              Leaks{});
}

// Menus in system colours: items on the pane colour, the picture column in the button face,
// the selected item in the selection colours; the frame in the frame colour and no shadow.
TEST(SystemColours, MenusDrawTheirItemsInTheRoleColours) {
    const std::vector<COLORREF> c = SysColours::Contrast(3);
    SysColours colours(c);
    ColourMode mode(1);
    auto role = [&](int index) { return SysColours::Of(c, index); };
    HostWindow owner;
    HPOPMENU menu = PopMenu_New(owner);
    PopMenu_SetItem(menu, 1, "One", 0);
    PopMenu_SetItem(menu, 2, "Two", 0);
    COLORREF text = 0, bar = 0, selected = 0, selectedText = 0;
    int selectedInk = 0;
    menutest::MenuSteps steps({menutest::MenuShown, menutest::Keys(owner, {VK_DOWN}), [&] {
        HWND wnd = menutest::OpenMenus().front();
        HMENU h = (HMENU)SendMessageA(wnd, MN_GETHMENU, 0, 0);
        if (!(GetMenuState(h, 0, MF_BYPOSITION) & MF_HILITE)) return false;
        UpdateWindow(wnd);
        RECT one = menutest::ItemOnScreen(h, 0), two = menutest::ItemOnScreen(h, 1);
        MapWindowPoints(nullptr, wnd, (POINT*)&one, 2);
        MapWindowPoints(nullptr, wnd, (POINT*)&two, 2);
        auto pixels = menutest::MenuPixels(wnd);
        text = pixels->At(two.right - 4, (two.top + two.bottom) / 2);
        bar = pixels->At(two.left + 3, (two.top + two.bottom) / 2);
        selected = pixels->At(one.right - 4, (one.top + one.bottom) / 2);
        selectedInk = pixels->CountColor(role(COLOR_HIGHLIGHTTEXT), one);
        selectedText = role(COLOR_HIGHLIGHTTEXT);
        return true;
    }});
    PopMenu_Popxy(menu, 100, 100);
    EXPECT_TRUE(steps.Done());
    EXPECT_EQ(text, role(COLOR_WINDOW));
    EXPECT_EQ(bar, role(COLOR_BTNFACE));
    EXPECT_EQ(selected, role(COLOR_HIGHLIGHT));
    EXPECT_GT(selectedInk, 3) << std::hex << selectedText;
}

// A skinned caption in system colours: flat fills by role instead of the scheme's pictures, the
// caption buttons' glyphs in the text colour, a hot button in the hot colour. New colours
// repaint it; the library's palette gives the scheme back.
TEST(SystemColours, SkinnedCaptionIsFlatInTheRoleColoursAndTakesItsSchemeBack) {
    ParkCursor();
    OwnLook own;
    HostWindow host(320, 160);
    SetWindowTextA(host, "Lumo");
    // With a sunken client edge, which the skin draws too.
    SetWindowLongA(host, GWL_EXSTYLE, GetWindowLongA(host, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(host, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ASSERT_EQ(1, Skin_Register(host, 2));
    COLORREF scheme = 0, schemeText = 0, schemeOutline = 0;
    const COLORREF *top = nullptr, *bottom = nullptr;
    const int* ids[5] = {};
    ASSERT_TRUE(GetSkin(2, &scheme, &schemeText, &schemeOutline, &top, &bottom, &ids[0], &ids[1], &ids[2], &ids[3],
                        &ids[4]));
    ColourMode mode(1);
    std::vector<COLORREF> c = SysColours::Contrast(5);
    auto role = [&](int index) { return SysColours::Of(c, index); };
    SysColours colours(c);
    PumpPending();

    const CSkin* skin = CSkin::Find(host);
    ASSERT_NE(skin, nullptr);
    RECT wr;
    GetWindowRect(host, &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    const RECT caption = skin->m_captionRect;
    const RECT buttons[3] = {skin->m_closeRect, skin->m_maximizeRect, skin->m_minimizeRect};
    ASSERT_GT(buttons[0].right, buttons[0].left);
    // The band between the title and the buttons, and the title's room.
    const RECT band = {caption.left, caption.top, buttons[2].left, caption.bottom};
    const int midY = (caption.top + caption.bottom) / 2;
    // The client edge's two rings: the outer one in the caption's colour, the inner one a frame
    // line around the client area.
    RECT client;
    GetClientRect(host, &client);
    const int edge = (w - client.right) / 2, edgeBottom = h - skin->m_cyFrame;
    auto checkFlat = [&](const char* when) {
        WindowOnScreen s(wr);
        EXPECT_EQ(s.At(skin->m_cxFrame - 1, h / 2), role(COLOR_BTNFACE)) << when << ": the left border";
        EXPECT_EQ(s.At(0, h / 2), role(COLOR_WINDOWFRAME)) << when << ": the left outline";
        EXPECT_EQ(s.At(w / 2, h - 1), role(COLOR_WINDOWFRAME)) << when << ": the bottom outline";
        EXPECT_EQ(s.At(w / 2, 0), role(COLOR_WINDOWFRAME)) << when << ": the top line";
        EXPECT_EQ(s.At(buttons[2].left - 2, midY), role(COLOR_BTNFACE)) << when << ": the caption";
        EXPECT_EQ(s.At(edge - 2, h / 2), role(COLOR_BTNFACE)) << when << ": the client edge";
        EXPECT_EQ(s.At(edge - 1, h / 2), role(COLOR_WINDOWFRAME)) << when << ": the client edge";
        EXPECT_EQ(s.At(w / 2, edgeBottom - 1), role(COLOR_BTNFACE)) << when << ": the client edge";
        EXPECT_EQ(s.At(w / 2, edgeBottom - 2), role(COLOR_WINDOWFRAME)) << when << ": the client edge";
        EXPECT_GT(s.CountColor(role(COLOR_BTNTEXT), band), 5) << when << ": the title";
        EXPECT_EQ(s.At(buttons[2].left - 2, caption.bottom), role(COLOR_BTNFACE)) << when << ": the last row, no line bands";
        for (const RECT& b : buttons) {
            EXPECT_EQ(s.At(b.left + 1, b.top + 1), role(COLOR_BTNFACE)) << when;
            EXPECT_GE(s.CountColor(role(COLOR_BTNTEXT), b), 6) << when << ": a glyph";
        }
        // The close glyph, a cross, is the same mirrored; the maximize glyph, a window, has a
        // thick top edge over a hollow middle.
        const RECT& x = buttons[0];
        int inkLeft = x.right, inkRight = x.left - 1;
        for (int py = x.top; py < x.bottom; ++py)
            for (int px = x.left; px < x.right; ++px)
                if (s.At(px, py) == role(COLOR_BTNTEXT)) {
                    inkLeft = std::min(inkLeft, px);
                    inkRight = std::max(inkRight, px);
                }
        int asymmetric = 0;
        for (int py = x.top; py < x.bottom; ++py)
            for (int px = inkLeft; px <= inkRight; ++px)
                asymmetric += (s.At(px, py) == role(COLOR_BTNTEXT)) !=
                              (s.At(inkLeft + inkRight - px, py) == role(COLOR_BTNTEXT));
        EXPECT_EQ(asymmetric, 0) << when << ": the cross";
        const RECT& m = buttons[1];
        std::vector<int> rows;
        for (int py = m.top; py < m.bottom; ++py) {
            const int n = s.CountColor(role(COLOR_BTNTEXT), {m.left, py, m.right, py + 1});
            if (n > 0) rows.push_back(n);
        }
        ASSERT_GE(rows.size(), 4u) << when;
        EXPECT_EQ(rows[0], rows[1]) << when << ": the window's top edge";
        EXPECT_LT(rows[2], rows[1]) << when << ": the window's middle";
        EXPECT_EQ(s.CountColor(scheme, {0, 0, w, caption.bottom + 1}), 0) << when << ": the scheme's caption";
    };
    checkFlat("system colours");

    // The pointer over the close button: hot colour, glyph in the caption's colour on it.
    const POINT close = {wr.left + (buttons[0].left + buttons[0].right) / 2,
                         wr.top + (buttons[0].top + buttons[0].bottom) / 2};
    PointerOverCaption(host, close);
    ASSERT_EQ(SkinButtonState(host), CSkin::StateCloseHot);
    PumpPending();
    {
        WindowOnScreen s(wr);
        EXPECT_EQ(s.At(buttons[0].left + 1, buttons[0].top + 1), role(COLOR_HOTLIGHT));
        EXPECT_GE(s.CountColor(role(COLOR_BTNFACE), buttons[0]), 6) << "the hot glyph";
        EXPECT_EQ(s.CountColor(role(COLOR_BTNTEXT), buttons[0]), 0);
        EXPECT_EQ(s.At(buttons[1].left + 1, buttons[1].top + 1), role(COLOR_BTNFACE));
    }
    // Pressed, it takes the selection colours; released away from it, it closes nothing.
    SendMessageA(host, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(close.x, close.y));
    ASSERT_EQ(SkinButtonState(host), CSkin::StateClosePressed);
    PumpPending();
    {
        WindowOnScreen s(wr);
        EXPECT_EQ(s.At(buttons[0].left + 1, buttons[0].top + 1), role(COLOR_HIGHLIGHT));
        EXPECT_GE(s.CountColor(role(COLOR_HIGHLIGHTTEXT), buttons[0]), 6) << "the pressed glyph";
    }
    ParkCursor();
    SendMessageA(host, WM_NCLBUTTONUP, HTCAPTION, 0);
    SendMessageA(host, WM_NCMOUSELEAVE, 0, 0);
    PumpPending();
    ASSERT_TRUE(IsWindow(host));

    // Other colours: the caption follows them.
    {
        const std::vector<COLORREF> before = c;
        c = SysColours::Contrast(9);
        SysColours again(c);
        PumpPending();
        checkFlat("changed colours");
        c = before;
    }
    PumpPending();
    checkFlat("colours back");

    // The library's palette: the scheme's caption and button pictures again.
    EXPECT_EQ(Lumo_UseSystemColors(0), 1);
    PumpPending();
    {
        WindowOnScreen s(wr);
        EXPECT_EQ(s.At(buttons[2].left - 2, midY), scheme);
        EXPECT_EQ(s.At(skin->m_cxFrame - 1, h / 2), scheme);
        EXPECT_EQ(s.CountColor(role(COLOR_BTNFACE), {0, 0, w, h}), 0);
        int picture = 0;
        for (const RECT& b : buttons) picture += (b.right - b.left) * (b.bottom - b.top) - s.CountColor(scheme, b);
        EXPECT_GT(picture, 30) << "the buttons' pictures";
    }
    Lumo_UseSystemColors(1);

    // Colour changes and hot buttons painted flat leave no GDI object behind.
    EXPECT_EQ(LeaksOf([&] {
                  for (int i = 0; i < 3; ++i) {
                      SysColours again(SysColours::Contrast(i + 1));
                      PumpPending();
                      PointerOverCaption(host, close);
                      SendMessageA(host, WM_NCMOUSELEAVE, 0, 0);
                  }
                  ParkCursor();
              }),
              Leaks{});
    EXPECT_EQ(1, Skin_Unregister(host));
}
