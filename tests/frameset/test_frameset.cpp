// The frame set through its flat functions: frame rectangles for a table of definitions,
// refused definitions, splitter drags and icon clicks from posted mouse input, title painting
// read back through WM_PRINTCLIENT, a host ending it from inside what it sends, and what is
// left when the host goes.
#include "DestroyInNotify.h"
#include "LumoTest.h"
#include "PixelTable.h"
#include "lumo.h"

#include <functional>
#include <vector>

using namespace lumotest;

namespace {

HWND FramesetWindow(HWND host) { return FindWindowExA(host, nullptr, nullptr, "CWndArea"); }

RECT RectIn(HWND hwnd, HWND parent) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

HWND Content(HWND host) {
    return CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host, nullptr, nullptr, nullptr);
}

int Clamp(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
COLORREF Shade(COLORREF c, int d) { return RGB(Clamp(GetRValue(c) + d), Clamp(GetGValue(c) + d), Clamp(GetBValue(c) + d)); }

// A step of a title gradient: the title colour's green moved to g, red and blue keeping their
// distance from it.
COLORREF Tint(COLORREF t, int g) {
    return RGB(Clamp(g + GetRValue(t) - GetGValue(t)), Clamp(g), Clamp(g + GetBValue(t) - GetGValue(t)));
}

void ResizeClient(HWND hwnd, int w, int h) {
    RECT wr, cr;
    GetWindowRect(hwnd, &wr);
    GetClientRect(hwnd, &cr);
    SetWindowPos(hwnd, nullptr, 0, 0, w + (wr.right - wr.left - cr.right), h + (wr.bottom - wr.top - cr.bottom),
                 SWP_NOMOVE | SWP_NOZORDER);
}

void PostMouse(HWND hwnd, UINT msg, int x, int y) {
    PostMessageA(hwnd, msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
    PumpPending();
}

void Drag(HWND set, POINT from, POINT to) {
    PostMouse(set, WM_LBUTTONDOWN, from.x, from.y);
    PostMouse(set, WM_MOUSEMOVE, to.x, to.y);
    PostMouse(set, WM_LBUTTONUP, to.x, to.y);
}

// A frame: its name, the container it is in ("" for the frame set), its direction (0 across,
// 1 down), whether it holds a window of its own, and its size.
struct Def {
    const char *name, *parent;
    int direction;
    bool window;
    const char* size;
};
const std::vector<Def> kHalves = {{"a", "", 0, true, "50%"}, {"b", "", 0, true, "50%"}};

// A host with a frame set holding the given frames, laid out by the outer border.
struct Fixture {
    HostWindow host;
    HFRAMESET set = nullptr;
    std::vector<HWND> windows;  // by definition, null for containers

    Fixture(int w, int h, const std::vector<Def>& defs, int sep = 3, RECT reserve = {}, RECT outer = {})
        : host(w, h), set(Frameset_new(host)) {
        for (const Def& d : defs) {
            windows.push_back(d.window ? Content(host) : nullptr);
            EXPECT_EQ(Frame_add(set, d.name, d.parent, d.direction, windows.back(), d.size), 1) << d.name;
        }
        if (sep != 3) Frameset_SetSeparateWidth(set, sep);
        Frameset_SetReserveBorder(set, reserve.left, reserve.top, reserve.right, reserve.bottom);
        Frameset_SetOuterBorder(set, outer.left, outer.top, outer.right, outer.bottom);
    }
    HWND Set() const { return FramesetWindow(host); }
    RECT Frame(size_t i) const { return RectIn(windows[i], host); }
};

// Pixels of the frame set (its content windows left out) that differ on the screen from what
// painting it afresh gives: what it did not repaint after a change. -1 when nothing is captured.
int StalePixels(const Fixture& f) {
    const HWND set = f.Set();
    WindowCapture screen(set, CaptureMode::ScreenClient), fresh(set, CaptureMode::PrintClient);
    if (!screen.Ok() || !fresh.Ok()) return -1;
    std::vector<RECT> windows;
    for (HWND w : f.windows)
        if (w) windows.push_back(RectIn(w, set));
    int differ = 0;
    for (int y = 0; y < fresh.Height(); ++y)
        for (int x = 0; x < fresh.Width(); ++x) {
            bool covered = false;
            for (const RECT& rc : windows) covered = covered || PtInRect(&rc, {x, y});
            differ += !covered && screen.At(x, y) != fresh.At(x, y);
        }
    return differ;
}

// ---------------------------------------------------------------------------------------------

TEST(Frameset, FrameRectanglesFollowSizesDirectionsNestingAndBorders) {
    const struct {
        const char* what;
        int w, h, sep;
        RECT reserve, outer;
        std::vector<Def> defs;
        std::vector<RECT> expected;  // host coordinates of each definition's window (style 0)
    } cases[] = {
        {"two halves side by side", 203, 100, 3, {}, {}, kHalves, {{0, 0, 100, 100}, {103, 0, 203, 100}}},
        {"fixed plus the rest, stacked", 300, 300, 3, {}, {},
         {{"top", "", 1, true, "120"}, {"rest", "", 1, true, "100%"}}, {{0, 0, 300, 120}, {0, 123, 300, 300}}},
        {"shares rounded half up", 102, 50, 0, {}, {},
         {{"a", "", 0, true, "25%"}, {"b", "", 0, true, "25%"}, {"c", "", 0, true, "50%"}},
         {{0, 0, 26, 50}, {26, 0, 52, 50}, {52, 0, 102, 50}}},
        {"nested group", 400, 300, 3, {}, {},
         {{"top", "", 1, true, "50"}, {"body", "", 1, false, "100%"},
          {"left", "body", 0, true, "30%"}, {"right", "body", 0, true, "70%"}},
         {{0, 0, 400, 50}, {}, {0, 53, 119, 300}, {122, 53, 400, 300}}},
        {"reserve and outer borders", 300, 300, 3, {5, 6, 7, 8}, {10, 20, 30, 40}, kHalves,
         {{15, 26, 138, 252}, {141, 26, 263, 252}}},
        {"a group's direction is its first frame's", 100, 203, 3, {}, {},
         {{"a", "", 1, true, "50%"}, {"b", "", 0, true, "50%"}}, {{0, 0, 100, 100}, {0, 103, 100, 203}}},
        {"a lone frame fills its container", 200, 100, 3, {}, {},
         {{"box", "", 0, false, "100%"}, {"only", "box", 0, true, "40%"}}, {{}, {0, 0, 200, 100}}},
    };
    for (const auto& c : cases) {
        Fixture f(c.w, c.h, c.defs, c.sep, c.reserve, c.outer);
        for (size_t i = 0; i < c.defs.size(); ++i)
            EXPECT_TRUE(!f.windows[i] || Same(f.Frame(i), c.expected[i])) << c.what << ": " << c.defs[i].name;
    }

    // Each title style keeps its window inside the frame by its own margins.
    const struct { int style, l, t, r, b; } insets[] = {
        {1, 5, 24, 4, 4}, {2, 5, 24, 4, 4}, {3, 6, 25, 6, 6}, {4, 5, 19, 4, 4}, {7, 0, 0, 0, 0}, {0, 0, 0, 0, 0}};
    Fixture f(203, 100, kHalves);
    for (const auto& in : insets) {
        EXPECT_EQ(Frameset_SetStyle(f.set, in.style), 1);
        for (size_t i = 0; i < 2; ++i) {
            RECT want = cases[0].expected[i];
            want.left += in.l, want.top += in.t, want.right -= in.r, want.bottom -= in.b;
            EXPECT_PRED2(Same, f.Frame(i), want) << "style " << in.style;
        }
    }
}

// Fixed frames larger than the host shrink in proportion, none below the minimum of 31 pixels
// while the area holds that many, and every frame stays inside the frame set.
TEST(Frameset, FixedFramesGiveWayInAHostTooSmallForThem) {
    const struct {
        const char* what;
        int w, h;
        std::vector<Def> defs;
        std::vector<RECT> expected;
    } cases[] = {
        {"250 and 100 in 300", 300, 100, {{"a", "", 0, true, "250"}, {"b", "", 0, true, "100"}},
         {{0, 0, 212, 100}, {215, 0, 300, 100}}},
        {"and a shared frame keeps its minimum", 300, 100,
         {{"a", "", 0, true, "250"}, {"b", "", 0, true, "100"}, {"c", "", 0, true, "100%"}},
         {{0, 0, 187, 100}, {190, 0, 265, 100}, {268, 0, 300, 100}}},
        {"a small fixed frame keeps its minimum", 300, 100, {{"a", "", 0, true, "1000"}, {"b", "", 0, true, "10"}},
         {{0, 0, 266, 100}, {269, 0, 300, 100}}},
        {"stacked", 100, 300, {{"a", "", 1, true, "100"}, {"b", "", 1, true, "250"}},
         {{0, 0, 100, 84}, {0, 87, 100, 300}}},
        {"room for exactly the minimums", 65, 100, {{"a", "", 0, true, "250"}, {"b", "", 0, true, "10"}},
         {{0, 0, 31, 100}, {34, 0, 65, 100}}},
        {"no room for the minimums", 60, 100,
         {{"a", "", 0, true, "250"}, {"b", "", 0, true, "100"}, {"c", "", 0, true, "100%"}},
         {{0, 0, 16, 100}, {19, 0, 25, 100}, {28, 0, 60, 100}}},
    };
    for (const auto& c : cases) {
        Fixture f(c.w, c.h, c.defs);
        for (size_t i = 0; i < c.defs.size(); ++i) EXPECT_PRED2(Same, f.Frame(i), c.expected[i]) << c.what << ": " << c.defs[i].name;
    }
}

// The splitter follows the pointer, at the distance it was grabbed from it: held at the limit
// while the pointer goes beyond, back with the pointer as it returns, however fast it moves.
TEST(Frameset, ASplitterFollowsThePointerPastItsLimitAndBack) {
    const struct {
        int direction, grab;                    // the pointer's distance from the splitter's start
        std::vector<std::pair<int, int>> moves;  // pointer, then where the first frame ends
    } cases[] = {
        {0, 1, {{390, 366}, {300, 299}, {5, 31}, {100, 99}}},
        {0, 2, {{330, 328}, {350, 348}, {370, 366}, {380, 366}, {390, 366}, {360, 358}, {-40, 31}, {36, 34}}},
        {1, 1, {{290, 266}, {150, 149}, {60, 59}, {20, 31}, {250, 249}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "direction " << c.direction << ", grabbed " << c.grab << " in");
        Fixture f(c.direction ? 200 : 400, c.direction ? 300 : 200,
                  {{"a", "", c.direction, true, "50%"}, {"b", "", c.direction, true, "50%"}});
        const HWND set = f.Set();
        auto end = [&] { const RECT r = f.Frame(0); return int(c.direction ? r.bottom : r.right); };
        auto point = [&](int p) { return c.direction ? POINT{100, p} : POINT{p, 100}; };
        const POINT grab = point(end() + c.grab);
        PostMouse(set, WM_LBUTTONDOWN, grab.x, grab.y);
        ASSERT_EQ(GetCapture(), set);
        for (const auto& m : c.moves) {
            const POINT to = point(m.first);
            PostMouse(set, WM_MOUSEMOVE, to.x, to.y);
            EXPECT_EQ(end(), m.second) << "pointer at " << m.first;
        }
        PostMouse(set, WM_LBUTTONUP, 100, 100);
    }
}

TEST(Frameset, FollowsTheHostAndLiesBelowItsWindows) {
    HostWindow host(300, 200);
    HWND before = Content(host);
    HFRAMESET set = Frameset_new(host);
    HWND after = Content(host);
    ASSERT_TRUE(Frame_add(set, "a", "", 0, before, "50%") == 1 && Frame_add(set, "b", "", 0, after, "50%") == 1);
    EXPECT_EQ(GetWindow(before, GW_HWNDLAST), FramesetWindow(host)) << "the frame set is below every window";
    // Fitting moves the frames along with the frame set, also when its size stays.
    Frameset_SetOuterBorder(set, 10, 10, 0, 0);
    EXPECT_PRED2(Same, RectIn(before, host), (RECT{10, 10, 154, 200}));
    Frameset_SetOuterBorder(set, 0, 0, 10, 10);
    EXPECT_PRED2(Same, RectIn(before, host), (RECT{0, 0, 144, 190}));
    // The host's resize refits the frame set and the frames.
    ResizeClient(host, 500, 400);
    EXPECT_PRED2(Same, RectIn(FramesetWindow(host), host), (RECT{0, 0, 490, 390}));
    EXPECT_EQ(RectIn(after, host).right, 490);
}

TEST(Frameset, RefusesBadDefinitionsAndHandles) {
    HostWindow host(200, 100);
    HFRAMESET set = Frameset_new(host);
    HWND wnd = Content(host);
    RECT untouched = RectIn(wnd, host);
    ASSERT_EQ(Frame_add(set, "a", "", 0, wnd, "60"), 1);
    const struct { const char* name; const char* size; HWND window; } bad[] = {
        {"b", "0", nullptr},   {"b", "-5%", nullptr}, {"b", "0%", nullptr},    {"b", "abc", nullptr},
        {"b", "", nullptr},    {"b", "%", nullptr},   {"b", nullptr, nullptr}, {"", "10", nullptr},
        {nullptr, "10", nullptr}, {"a", "10", nullptr}, {"b", "10", (HWND)(UINT_PTR)0x7F3A5}, {"b", "10", host.Hwnd()}};
    for (const auto& b : bad)
        EXPECT_EQ(Frame_add(set, b.name, "", 0, b.window, b.size), 0) << (b.name ? b.name : "null") << " "
                                                                       << (b.size ? b.size : "null");
    EXPECT_PRED2(Same, RectIn(wnd, host), untouched) << "nothing is laid out by an add";
    EXPECT_EQ(Frame_add(set, "b", "", 0, nullptr, "20%"), 1);

    // Absurd but valid numbers lay out and paint without overflowing or hanging.
    EXPECT_EQ(Frame_add(set, "huge", "", 0, Content(host), "2147483647"), 1);
    EXPECT_EQ(Frame_add(set, "many", "", 0, Content(host), "99999999999%"), 1);
    Frameset_SetStyle(set, 2);
    for (int extreme : {INT_MAX, INT_MIN}) {
        Frameset_SetSeparateWidth(set, extreme);
        Frameset_SetReserveBorder(set, extreme, extreme, extreme, extreme);
        Frameset_SetOuterBorder(set, extreme, -(extreme / 2), extreme, 0);
        MemoryCanvas canvas(50, 50);
        SendMessageA(FramesetWindow(host), WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
        PostMouse(FramesetWindow(host), WM_LBUTTONUP, 10, 10);
    }

    HWND gone = CreateHostWindow(10, 10, false);
    DestroyWindow(gone);
    for (HWND h : {HWND(nullptr), gone, HWND(UINT_PTR(0x7F3A5))}) EXPECT_EQ(Frameset_new(h), nullptr);
    int junk = 0;
    for (HFRAMESET h : {HFRAMESET(nullptr), HFRAMESET(&junk)}) {
        EXPECT_EQ(Frameset_SetReserveBorder(h, 1, 1, 1, 1), 0);
        EXPECT_EQ(Frameset_SetStyle(h, 1), 0);
        EXPECT_EQ(Frame_add(h, "x", "", 0, nullptr, "10"), 0);
        Frameset_SetOuterBorder(h, 1, 1, 1, 1);
        Frameset_SetHue(h, 1);
        Frameset_SetSendMsg(h, 1);
        Frameset_SetSeparateWidth(h, 1);
        Frame_SetTitle(h, "a", "t");
        Frame_SetIconMsg(h, "a", 1);
        Frame_SetTitleBkColor(h, "a", 0);
    }
    Frame_SetTitle(set, nullptr, nullptr);
    Frame_SetTitle(set, "nobody", "t");
}

// ---------------------------------------------------------------------------------------------

TEST(Frameset, DraggingASplitterMovesBothNeighboursAndKeepsTheShares) {
    // Two halves side by side; the right one holds two frames stacked: a fixed 60 and the rest.
    Fixture f(400, 300, {{"a", "", 0, true, "50%"}, {"b", "", 0, false, "50%"},
                         {"b1", "b", 1, true, "60"}, {"b2", "b", 1, true, "100%"}});
    const HWND set = f.Set();
    ASSERT_PRED2(Same, f.Frame(0), (RECT{0, 0, 199, 300}));
    // The cursor over each splitter and beside them, on a move and when the system asks before
    // every move (answered at once, so the cursor does not flicker between the class cursor and
    // the splitter's). The real pointer waits away from the host unless put there.
    ParkCursor();
    const struct { int x, y; LPCSTR cursor; } cursors[] = {
        {200, 150, IDC_SIZEWE}, {300, 61, IDC_SIZENS}, {100, 100, nullptr}};
    for (const auto& c : cursors) {
        SetCursor(LoadCursor(nullptr, IDC_IBEAM));
        PostMouse(set, WM_MOUSEMOVE, c.x, c.y);
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, c.cursor ? c.cursor : IDC_IBEAM)) << c.x << "," << c.y;
        POINT pt = {c.x, c.y}, now = {};
        ClientToScreen(set, &pt);
        SetCursorPos(pt.x, pt.y);
        PumpUntil([&] { return GetCursorPos(&now) && now.x == pt.x && now.y == pt.y; });
        PumpPending();
        EXPECT_EQ(SendMessageA(set, WM_SETCURSOR, (WPARAM)set, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, c.cursor ? c.cursor : IDC_ARROW)) << c.x << "," << c.y;
    }
    ParkCursor();

    PostMouse(set, WM_LBUTTONDOWN, 200, 150);
    EXPECT_EQ(GetCapture(), set);
    PostMouse(set, WM_MOUSEMOVE, 220, 150);
    EXPECT_PRED2(Same, f.Frame(0), (RECT{0, 0, 219, 300}));
    EXPECT_PRED2(Same, f.Frame(2), (RECT{222, 0, 400, 60})) << "the container and what it holds follow";
    PostMouse(set, WM_MOUSEMOVE, 367, 150);  // leaves the right side 31 wide: allowed
    EXPECT_EQ(f.Frame(3).left, 369);
    PostMouse(set, WM_MOUSEMOVE, 368, 150);  // 30 would be too narrow: refused
    EXPECT_EQ(f.Frame(0).right, 366);
    EXPECT_EQ(f.Frame(3).left, 369);
    PostMouse(set, WM_LBUTTONUP, 368, 150);
    EXPECT_EQ(GetCapture(), nullptr);

    // The nested splitter: the fixed frame becomes 20 pixels taller and stays fixed.
    Drag(set, {380, 61}, {380, 81});
    EXPECT_PRED2(Same, f.Frame(2), (RECT{369, 0, 400, 80}));

    // Shares 366 and 31 of 397 pixels: 9219 and 781, which still cover everything at another size.
    ResizeClient(f.host, 800, 300);
    EXPECT_PRED2(Same, f.Frame(0), (RECT{0, 0, 735, 300}));
    EXPECT_PRED2(Same, f.Frame(2), (RECT{738, 0, 800, 80}));
    EXPECT_PRED2(Same, f.Frame(3), (RECT{738, 83, 800, 300}));
}

TEST(Frameset, ADragLeavesNoTrailOnTheScreen) {
    Fixture f(400, 200, kHalves);
    Frameset_SetStyle(f.set, 4);
    Frame_SetTitle(f.set, "b", "Orders");
    const HWND set = f.Set();
    UpdateWindow(f.host);
    PostMouse(set, WM_LBUTTONDOWN, 200, 100);
    for (int x = 205; x >= 80; x -= 25) PostMouse(set, WM_MOUSEMOVE, x, 100);
    PostMouse(set, WM_LBUTTONUP, 80, 100);
    EXPECT_EQ(StalePixels(f), 0);
}

// Each change of the look or the layout shows on the screen by itself, nothing else being
// repainted: a style that leaves the windows where they are, the colours, a title, an icon,
// the splitters' width, the margins, a splitter moved from the keyboard.
TEST(Frameset, EachChangeShowsOnTheScreenAtOnce) {
    Fixture f(300, 200, kHalves);
    Frameset_SetStyle(f.set, 1);
    Frame_SetIconMsg(f.set, "a", 7);
    const HWND set = f.Set();
    UpdateWindow(f.host);
    PumpPending();
    ASSERT_EQ(StalePixels(f), 0);
    LONG edge = 0;  // frame a's right edge before the key
    const struct {
        const char* what;
        std::function<void()> change;
    } steps[] = {
        {"style 2", [&] { EXPECT_EQ(Frameset_SetStyle(f.set, 2), 1); }},
        {"hue", [&] { Frameset_SetHue(f.set, 0x506070); }},
        {"title", [&] { Frame_SetTitle(f.set, "a", "Orders"); }},
        {"title colour", [&] { Frame_SetTitleBkColor(f.set, "b", RGB(30, 160, 90)); }},
        {"icon removed", [&] { Frame_SetIconMsg(f.set, "a", FRAME_NOICON); }},
        {"icon added", [&] { Frame_SetIconMsg(f.set, "b", 9); }},
        {"style 4", [&] { EXPECT_EQ(Frameset_SetStyle(f.set, 4), 1); }},
        {"separator width", [&] { Frameset_SetSeparateWidth(f.set, 11); }},
        {"reserve border", [&] { EXPECT_EQ(Frameset_SetReserveBorder(f.set, 6, 9, 3, 4), 1); }},
        {"splitter from the keyboard", [&] {
             EXPECT_EQ(Frameset_FocusSplitter(f.set, "a"), 1);
             edge = f.Frame(0).right;
             PostKey(set, VK_RIGHT);
         }},
        {"focus handed back", [&] { PostKey(set, VK_ESCAPE); }},
    };
    for (const auto& s : steps) {
        s.change();
        PumpPending();
        EXPECT_EQ(StalePixels(f), 0) << s.what;
    }
    EXPECT_EQ(f.Frame(0).right, edge + 10) << "the splitter moved";
}

// A host may end the frame set from inside the icon message and from inside the moves of its
// content windows, during a drag and while it follows the host's size.
TEST(Frameset, HostMayEndItFromInsideWhatItSends) {
    auto make = [](HWND host) {
        HFRAMESET set = Frameset_new(host);
        Frame_add(set, "a", "", 0, MakeRelay(host, WM_WINDOWPOSCHANGED), "149");
        Frame_add(set, "b", "", 0, Content(host), "100%");
        Frameset_SetOuterBorder(set, 0, 0, 0, 0);
        Frameset_SetStyle(set, 1);
        Frameset_SetSendMsg(set, 5);
        Frame_SetIconMsg(set, "a", 7);
        return FramesetWindow(host);
    };
    auto moved = [](HWND, UINT m, WPARAM w, LPARAM) { return m == kRelayed && w == WM_WINDOWPOSCHANGED; };
    ExpectDestroyInNotifyIsSafe({
        {"icon click", make, [](HWND set) { PostMouse(set, WM_LBUTTONUP, 130, 15); },
         [](HWND, UINT m, WPARAM w, LPARAM) { return m == WM_USER + 5 && w == 7; }},
        {"drag", make, [](HWND set) { Drag(set, {150, 100}, {180, 100}); }, moved},
        {"host resized", make, [](HWND set) { ResizeClient(GetParent(set), 350, 250); }, moved},
    });
}

TEST(Frameset, NothingIsLeftWhenTheHostGoes) {
    HFRAMESET set = nullptr;
    EXPECT_EQ(LeaksOf([&] {
                  Fixture f(300, 200, {{"a", "", 0, true, "50%"}, {"b", "", 1, false, "50%"},
                                       {"b1", "b", 1, true, "40%"}, {"b2", "b", 1, true, "60%"}});
                  Frameset_SetStyle(f.set, 4);
                  Frame_SetTitle(f.set, "b1", "Orders");
                  Frame_SetIconMsg(f.set, "b1", 3);
                  UpdateWindow(f.host);
                  Drag(f.Set(), {150, 50}, {120, 50});
                  set = f.set;
              }),
              Leaks{});
    EXPECT_EQ(Frameset_SetStyle(set, 1), 0) << "the handle died with the window";
}

// ---------------------------------------------------------------------------------------------

// A hue the resource library does not know is taken as the background colour itself.
const COLORREF kBase = 0x807060, kTitle = 0xCCB383;  // the title colour's green is 0xB3

// The frame set of two halves (frame a is (0,0,149,200)) with frame a's title painted.
struct Painted : Fixture {
    MemoryCanvas canvas{300, 200};
    Painted(int style, const char* title, UINT icon, const std::vector<Def>& defs = kHalves) : Fixture(300, 200, defs) {
        Frameset_SetStyle(set, style);
        Frameset_SetHue(set, (int)kBase);
        Frame_SetTitle(set, "a", title);
        Frame_SetIconMsg(set, "a", icon);
        SendMessageA(Set(), WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
    }
    COLORREF At(int x, int y) const { return canvas.At(x, y); }
};

TEST(FrameTitles, EachStylePaintsItsColoursAndLines) {
    const COLORREF t = kTitle, frame = 0x282828, k = kBase;
    for (int style : {1, 2}) {
        SCOPED_TRACE(style);
        const Painted p(style, "", FRAME_NOICON);
        // The title box, the rule with its corner and light line, the shadow.
        EXPECT_TRUE(PixelsAre(p, {{5, 15, frame}, {144, 15, frame}, {5, 3, 0xA0A0A0}, {50, 4, 0xFFFFFF}, {50, 3, frame},
                                  {145, 9, Shade(k, -90)}, {147, 11, Shade(k, -20)}, {50, 196, Shade(k, -90)}}));
        if (style == 1) {  // vertical: the middle rows in the title colour, 3 steps a row
            EXPECT_TRUE(PixelsAre(p, {{8, 14, t}, {8, 15, t}, {8, 16, Tint(t, 0xB3 - 3)}, {8, 13, Tint(t, 0xB3 + 3)}}));
        } else {  // horizontal: 4-pixel bands, 1 step a band
            EXPECT_TRUE(PixelsAre(p, {{73, 15, t}, {77, 15, t}, {81, 15, Tint(t, 0xB3 - 1)}, {69, 15, Tint(t, 0xB3 + 1)}}));
        }
    }
    // Style 3: C = (6,25,143,194), title box B = (6,6,143,26); brackets top-left and bottom-right.
    EXPECT_TRUE(PixelsAre(Painted(3, "", FRAME_NOICON), {{11, 3, 0x31C4F4}, {4, 11, frame}, {138, 194, 0x957A3E},
                                                          {144, 178, Shade(k, -80)}, {73, 15, t}}));
    // Style 4: C = (5,19,145,196); the tab (5,-1,74+text,17) stands on the rule (5,17,145,20),
    // drawn with the context's own pen (black here): its rows 5 and 4 (right end), beside it.
    EXPECT_TRUE(PixelsAre(Painted(4, "", FRAME_NOICON),
                          {{5, 17, 0xA0A0A0}, {50, 18, 0xFFFFFF}, {50, 19, 0}, {30, 11, Shade(k, 20)},
                           {44, 12, Shade(k, 16)}, {76, 11, k}, {145, 23, Shade(k, -90)}}));
}

// Only frames that show a window get a title: a group of frames laid out the same way inside a
// container paints exactly what the same frames give at the top level, with nothing of a title
// of its own in the separator between them or around them.
TEST(FrameTitles, AContainerHasNoTitleOfItsOwn) {
    const std::vector<Def> nested = {{"box", "", 0, false, "100%"}, {"a", "box", 0, true, "50%"}, {"b", "box", 0, true, "50%"}};
    for (int style : {1, 2, 3, 4}) {
        SCOPED_TRACE(style);
        const Painted flat(style, "Orders", 7), boxed(style, "Orders", 7, nested);
        ASSERT_PRED2(Same, boxed.Frame(1), flat.Frame(0));
        int differ = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x) differ += flat.At(x, y) != boxed.At(x, y);
        EXPECT_EQ(differ, 0);
        EXPECT_EQ(boxed.At(150, 12), kBase) << "the separator";
    }
}

TEST(FrameTitles, IconsShadowThresholdAndTabWidth) {
    Painted icon(1, "", 7);  // icon box (129,11,137,19) in the middle's colour, 15 darker
    EXPECT_EQ(icon.At(133, 15), Shade(kTitle, -15));
    EXPECT_EQ(icon.At(129, 11), Shade(Shade(kTitle, -15), 200));
    // Frames 27 and 28 pixels high: only the second has a shadow.
    Painted low(1, "", FRAME_NOICON, {{"a", "", 1, true, "27"}, {"b", "", 1, true, "28"}, {"c", "", 1, true, "100%"}});
    EXPECT_EQ(low.At(296, 9), kBase) << "27 pixels high";
    EXPECT_EQ(low.At(296, 39), Shade(kBase, -90)) << "28 pixels high";

    // The tab is 69 pixels plus the title's width, 15 more with an icon; too wide, none at all.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE text;
    GetTextExtentPoint32A(dc, "Orders", 6, &text);
    SelectObject(dc, old);
    DeleteDC(dc);
    for (bool withIcon : {false, true}) {
        Painted p(4, "Orders", withIcon ? 1 : FRAME_NOICON);
        const int right = 5 + 69 + text.cx + (withIcon ? 15 : 0);
        EXPECT_EQ(p.At(right - 37, 0), Shade(kBase, 74)) << "icon " << withIcon;
        EXPECT_EQ(p.At(right + 1, 0), kBase) << "icon " << withIcon;
    }
    Painted wide(4, "A title far too wide for the frame it stands on", FRAME_NOICON);
    EXPECT_EQ(wide.At(30, 11), kBase);
    EXPECT_EQ(wide.At(50, 18), 0xFFFFFFu) << "the rule is still drawn";
}

// The system's hand shows over a title icon, on a move and whenever the system asks; beside it
// the arrow.
TEST(FrameTitles, TheSystemsHandShowsOverATitleIcon) {
    Fixture f(300, 200, kHalves);
    Frameset_SetStyle(f.set, 1);
    Frame_SetIconMsg(f.set, "a", 7);
    const HWND set = f.Set();
    const HCURSOR hand = LoadCursor(nullptr, IDC_HAND), arrow = LoadCursor(nullptr, IDC_ARROW);
    ASSERT_TRUE(hand && hand != arrow);
    ParkCursor();
    const struct { POINT at; HCURSOR cursor; } cases[] = {{{130, 15}, hand}, {{60, 100}, arrow}};
    for (const auto& c : cases) {
        SetCursor(LoadCursor(nullptr, IDC_IBEAM));
        PostMouse(set, WM_MOUSEMOVE, c.at.x, c.at.y);
        EXPECT_EQ(GetCursor(), c.cursor == hand ? hand : LoadCursor(nullptr, IDC_IBEAM)) << c.at.x << "," << c.at.y;
        POINT pt = c.at, now = {};
        ClientToScreen(set, &pt);
        SetCursorPos(pt.x, pt.y);
        PumpUntil([&] { return GetCursorPos(&now) && now.x == pt.x && now.y == pt.y; });
        PumpPending();
        EXPECT_EQ(SendMessageA(set, WM_SETCURSOR, (WPARAM)set, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
        EXPECT_EQ(GetCursor(), c.cursor) << c.at.x << "," << c.at.y;
    }
    ParkCursor();
}

TEST(FrameTitles, IconClickSendsTheFramesMessage) {
    const struct { int style; RECT icon; } cases[] = {  // the icon rect of frame a (0,0,149,200)
        {1, {126, 9, 141, 23}}, {3, {124, 9, 139, 24}}, {4, {22, 7, 37, 20}}};
    for (const auto& c : cases) {
        Fixture f(300, 200, kHalves);
        Frameset_SetStyle(f.set, c.style);
        Frameset_SetSendMsg(f.set, 5);
        Frame_SetIconMsg(f.set, "a", 7);
        MessageRecorder rec(f.host);
        PostMouse(f.Set(), WM_LBUTTONUP, c.icon.left, c.icon.bottom - 1);
        PostMouse(f.Set(), WM_LBUTTONUP, c.icon.left - 1, c.icon.top);
        PostMouse(f.Set(), WM_LBUTTONUP, c.icon.left + 150 + 3, c.icon.top);  // b has no icon message
        EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(WM_USER + 5, 7, 0)})) << "style " << c.style;
    }
}

}  // namespace
