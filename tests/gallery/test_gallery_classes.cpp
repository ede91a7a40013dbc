// The second gallery host's scripted session, run as a separate process: its checks, the bitmap
// buttons' notifications it decoded, and pixels of its screenshots against the drawing
// toolkit's colours, the resource library's button bitmaps and the layout rules.
#include <cstdio>

#include "SessionRun.h"
#include "frame/LumoRes.h"

using namespace gallerytest;

namespace {

struct Probe {
    RECT rc = {};
    uint32_t colour = 0;  // 0xRRGGBB when the line gives one
};

const char* const kShots[9] = {"classes-01-start.png", "classes-02-button-hover.png", "classes-03-resized.png",
                               "classes-04-xp-hover.png", "classes-05-xp-pressed.png", "classes-06-xp-toggled.png",
                               "classes-07-xp-drop-menu.png", "controls-01-slider-hover.png", "controls-02-tab-hover.png"};

// The session, with the places and colours it printed as "probe: name left top right bottom
// [colour rrggbb]".
struct ClassesRun : Session {
    ClassesRun() : Session("gallery_classes", 180000, std::vector<std::string>(kShots, kShots + 9)) {}

    // The last place printed under the name.
    bool Find(const std::string& name, Probe* p) const {
        bool found = false;
        for (const std::string& line : Lines(output, ("probe: " + name + " ").c_str())) {
            unsigned colour = 0;
            if (sscanf(line.c_str(), "%ld %ld %ld %ld colour %x", &p->rc.left, &p->rc.top, &p->rc.right,
                       &p->rc.bottom, &colour) >= 4) {
                p->colour = colour;
                found = true;
            }
        }
        return found;
    }
};

using ClassesSession = SessionTest<ClassesRun>;

TEST_F(ClassesSession, EndsSuccessfullyWithEveryCheckPassed) {
    ExpectChecksPassed(s, 40);
    std::vector<std::string> shots = Lines(s.output, "screenshot: ");
    ASSERT_EQ(shots.size(), 9u) << s.output;
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(shots[i].compare(0, strlen(kShots[i]), kShots[i]), 0) << shots[i];
        EXPECT_NE(shots[i].find("written"), std::string::npos) << shots[i];
    }
    EXPECT_EQ(Lines(s.output, "session: "), std::vector<std::string>{"12 messages, ok"});
}

TEST_F(ClassesSession, HostReceivesTheButtonNotificationsInOrder) {
    // Hover over the first door button (three moves), leaving it, a click on a dropped drop
    // button and a double click on a closed one.
    const std::vector<std::string> expected = {
        "button 'door hue 0' (id 200): WM_NOTIFY BMPBTN_MOUSEMOVE (0x200)",
        "button 'door hue 0' (id 200): WM_NOTIFY BMPBTN_MOUSELEAVE (0x2A3)",
        "button 'drop hue 1 dropped' (id 211): WM_NOTIFY BMPBTN_CLICKED (0x0)",
        "button 'drop hue 2 closed' (id 222): WM_NOTIFY BMPBTN_DBLCLICKED (0x5)",
        // XP buttons: a click, three toggles, the space bar, the drop button and its menu.
        "xp button CButtonXP push 'Normal' (id 400): WM_COMMAND BN_CLICKED",
        "xp button check box 'Check' (id 420): WM_COMMAND BN_CLICKED",
        "xp button radio button 'Option A' (id 430): WM_COMMAND BN_CLICKED",
        "xp button attached 'Attached' (id 451): WM_COMMAND BN_CLICKED",
        "xp button CButtonXP push 'Focused' (id 403): WM_COMMAND BN_CLICKED",
        "xp button flat 'Print' (id 415): WM_COMMAND BN_CLICKED",
        "xp button flat 'Print': drop menu item 'Print preview' (id 2)",
        "hyperlink 'Open the order list' (id 310): WM_APP+1, wParam = the link's window",
    };
    EXPECT_EQ(Lines(s.output, "message: "), expected) << s.output;
}

TEST_F(ClassesSession, ToolkitColoursAndRegionBandsOnTheScreen) {
    const Shot& shot = s.shots[0];
    Probe p;

    // Four vertical bands from black to red: red 255 at the bottom, then 191, 127 and 63.
    ASSERT_TRUE(s.Find("gradient4", &p)) << s.output;
    const int gx = (p.rc.left + p.rc.right) / 2, band = (p.rc.bottom - p.rc.top) / 4;
    const uint32_t reds[4] = {0xFF0000, 0xBF0000, 0x7F0000, 0x3F0000};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(shot.At(gx, p.rc.bottom - band * i - band / 2), reds[i]) << i;

    // Progress at 30 %: inside the 2-pixel frame the bottom row is the filled pair's lower
    // colour up to 30 % of the width, then the empty pair's.
    ASSERT_TRUE(s.Find("progress30", &p)) << s.output;
    RECT r = {p.rc.left + 2, p.rc.top + 2, p.rc.right - 2, p.rc.bottom - 2};
    const int split = r.left + (r.right - r.left) * 30 / 100;
    const uint32_t filled = Rgb(0xFFAA4D), empty = Rgb(0xF9FBFC);
    EXPECT_EQ(shot.At(r.left + 3, r.bottom - 1), filled);
    EXPECT_EQ(shot.At(split - 1, r.bottom - 1), filled);
    EXPECT_EQ(shot.At(split, r.bottom - 1), empty);
    EXPECT_EQ(shot.At(r.right - 3, r.bottom - 1), empty);

    // The tiled picture: 24-pixel tiles whose top-left quadrant is red and bottom-right yellow.
    ASSERT_TRUE(s.Find("tiled", &p)) << s.output;
    for (int ty = 0; ty < 3; ++ty)
        for (int tx = 0; tx < 3; ++tx) {
            EXPECT_EQ(shot.At(p.rc.left + tx * 24 + 3, p.rc.top + ty * 24 + 3), 0xDC3C3Cu) << tx << "," << ty;
            EXPECT_EQ(shot.At(p.rc.left + tx * 24 + 20, p.rc.top + ty * 24 + 20), 0xF0C83Cu) << tx << "," << ty;
        }

    // Region bands: the first cut lies 25 % down at the centre and 40 % down at the edges. Each
    // band's label is centred in its band's box, so the points stay clear of the box's middle.
    ASSERT_TRUE(s.Find("regions", &p)) << s.output;
    std::vector<std::string> colours = Lines(s.output, "probe: band colours ");
    ASSERT_EQ(colours.size(), 1u);
    unsigned b1 = 0, b2 = 0, b3 = 0;
    ASSERT_EQ(sscanf(colours[0].c_str(), "%x %x %x", &b1, &b2, &b3), 3);
    const int h = p.rc.bottom - p.rc.top, mid = (p.rc.left + p.rc.right) / 2;
    EXPECT_EQ(shot.At(mid, p.rc.top + h * 8 / 100), b1);
    EXPECT_EQ(shot.At(mid, p.rc.top + h * 30 / 100), b2);
    EXPECT_EQ(shot.At(p.rc.left + 1, p.rc.top + h * 30 / 100), b1);
    EXPECT_EQ(shot.At(p.rc.right - 2, p.rc.top + h * 30 / 100), b1);
    EXPECT_EQ(shot.At(p.rc.left + 1, p.rc.top + h * 45 / 100), b2);
    EXPECT_EQ(shot.At(mid, p.rc.bottom - 2), b3);
}

// The pixels of rc that differ from the resource library's bitmap; -1 when it cannot be loaded.
int Mismatches(const Shot& shot, const RECT& rc, DWORD bitmapId) {
    HBITMAP bmp = Load1Bitmap(static_cast<int>(bitmapId));
    if (!bmp) return -1;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    int bad = 0;
    for (int y = 0; y < rc.bottom - rc.top; ++y)
        for (int x = 0; x < rc.right - rc.left; ++x)
            bad += shot.At(rc.left + x, rc.top + y) != Rgb(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
    return bad;
}

TEST_F(ClassesSession, DoorButtonShowsItsNormalThenItsHoverBitmap) {
    Probe p;
    ASSERT_TRUE(s.Find("button-hue0", &p)) << s.output;
    ASSERT_EQ(p.rc.right - p.rc.left, 12);
    ASSERT_EQ(p.rc.bottom - p.rc.top, 48);
    DWORD normal = 0, hover = 0, colour = 0;
    ASSERT_NE(GetDoorHandle(0, &normal, &hover, &colour), 0);
    EXPECT_EQ(Mismatches(s.shots[0], p.rc, normal), 0);
    EXPECT_EQ(Mismatches(s.shots[1], p.rc, hover), 0);
    EXPECT_GT(Mismatches(s.shots[1], p.rc, normal), 0);
}

TEST_F(ClassesSession, ResizedWindowMovesTheRulePlacedChildren) {
    const Shot &start = s.shots[0], &grown = s.shots[2];
    std::vector<std::string> layout = Lines(s.output, "layout: ");
    ASSERT_EQ(layout.size(), 1u);
    int cw = 0, ch = 0, ox = 0, oy = 0;
    ASSERT_EQ(sscanf(layout[0].c_str(), "client %dx%d at %d,%d", &cw, &ch, &ox, &oy), 4) << layout[0];
    const int kGrowH = 120;  // as the host grows its window; it must stay on the screen
    EXPECT_EQ(grown.w - start.w, 136);
    EXPECT_EQ(grown.h - start.h, kGrowH);

    // The layout panel keeps 8 pixels to the window's right and bottom edges, and its corner tile
    // another 8 inside it: the tile ends 16 pixels from the grown client area's corner.
    Probe corner;
    ASSERT_TRUE(s.Find("resized-corner", &corner)) << s.output;
    EXPECT_EQ(corner.rc.right, ox + cw + 136 - 16);
    EXPECT_EQ(corner.rc.bottom, oy + ch + kGrowH - 16);
    EXPECT_EQ(grown.At(corner.rc.left + 3, corner.rc.top + 3), corner.colour);
    EXPECT_EQ(grown.At(corner.rc.right - 4, corner.rc.bottom - 4), corner.colour);
    // Where the tile was before the resize, the grown window shows something else.
    EXPECT_EQ(start.At(corner.rc.left - 136 + 3, corner.rc.top - kGrowH + 3), corner.colour);
    EXPECT_NE(grown.At(corner.rc.left - 136 + 3, corner.rc.top - kGrowH + 3), corner.colour);

    // The background window's corner child went down with the window's bottom edge.
    Probe tile;
    ASSERT_TRUE(s.Find("resized-back-tile", &tile)) << s.output;
    EXPECT_EQ(tile.rc.bottom, oy + ch + kGrowH - 8 - 10);
    EXPECT_EQ(grown.At(tile.rc.left + 3, tile.rc.top + 3), 0xF0C83Cu);
    EXPECT_EQ(start.At(tile.rc.left + 3, tile.rc.top - kGrowH + 3), 0xF0C83Cu);

    for (int i = 1; i < 3; ++i) EXPECT_FALSE(s.shots[i].px == s.shots[i - 1].px) << kShots[i];
}

TEST_F(ClassesSession, XPButtonsShowEveryStateAndFollowHoverPressAndToggles) {
    const std::vector<Shot>& shots = s.shots;
    // Left edges of the frames (orange under the mouse, grey while pressed), the lighter face of the
    // flat drop button held down while its menu is open, in the screenshots the session took.
    const uint32_t hot = Rgb(0x58C4FA), pressed = Rgb(0xC6C6C6);
    const struct { const char* probe; int shot, dx, dy; uint32_t colour; bool is; } pixels[] = {
        {"xp-state-hover", 0, 2, 12, hot, true}, {"xp-state-pressed", 0, 2, 12, pressed, true},
        {"xp-hovered", 0, 2, 12, hot, false},    {"xp-hovered", 3, 2, 12, hot, true},
        {"xp-hovered", 4, 2, 12, pressed, true}, {"xp-drop", 0, 10, 5, 0xECE9D8, true},
        {"xp-drop", 6, 10, 5, 0xFFFEED, true}};
    Probe p;
    for (const auto& px : pixels) {
        ASSERT_TRUE(s.Find(px.probe, &p)) << px.probe;
        EXPECT_EQ(shots[px.shot].At(p.rc.left + px.dx, p.rc.top + px.dy) == px.colour, px.is) << px.probe << " " << px.shot;
    }
    // Check boxes before and after the clicks (the radio group is checked in the session's log).
    const struct { const char* probe; int before, after; } boxes[] = {
        {"xp-state-checked", 5022, 5022}, {"xp-check-toggled", 5021, 5022}, {"xp-attached-check", 5022, 5021}};
    for (const auto& b : boxes) {
        ASSERT_TRUE(s.Find(b.probe, &p)) << b.probe;
        const LONG top = p.rc.top + (p.rc.bottom - p.rc.top - 13) / 2;
        const RECT box = {p.rc.left, top, p.rc.left + 13, top + 13};
        EXPECT_EQ(Mismatches(shots[0], box, b.before), 0) << b.probe;
        EXPECT_EQ(Mismatches(shots[5], box, b.after), 0) << b.probe;
    }
}

}  // namespace
