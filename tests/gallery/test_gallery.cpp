// The gallery's scripted session run as a separate process, checked by its log and by pixels of
// its screenshots.
#include <algorithm>
#include <cstdio>

#include "SessionRun.h"
#include "frame/LumoRes.h"

using namespace gallerytest;

namespace {

// The door's states, the item menu, the caption's hover, maximized and restored.
struct GalleryRun : Session {
    GalleryRun()
        : Session("gallery", 180000,
                  {"01-start.png", "02-hover.png", "03-click.png", "04-right-click.png", "05-door-closed.png",
                   "06-door-open.png", "07-drop-opened.png", "04-right-click-menu.png", "08-caption-hover.png",
                   "09-maximized.png", "10-restored.png"}) {}
};
using GallerySession = SessionTest<GalleryRun>;

bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

TEST_F(GallerySession, EndsSuccessfullyWithEveryCheckPassed) {
    ExpectChecksPassed(s, 21);
    EXPECT_EQ(Lines(s.output, "data: ").size(), 1u);
    ASSERT_EQ(Lines(s.output, "session: ").size(), 1u);
    EXPECT_NE(Lines(s.output, "session: ")[0].find("ok"), std::string::npos);
}

TEST_F(GallerySession, HostReceivesTheExpectedMessagesInOrder) {
    std::vector<std::string> got = Lines(s.output, "message: ");
    // Window handles differ from run to run: each line is matched by its beginning and end.
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"tree 'Sales' (0x", "): WM_USER+1 select item 'Sales > Documents'"},
        {"tree 'Sales' (0x", "): WM_USER+1 select item 'Sales > Documents > New document'"},
        {"tree 'Sales' (0x", "): WM_USER+4 right button item 'Sales > Documents > Search document'"},
        {"popup menu: PopMenu_Pop chose command ", "('Printer')"},
        {"tree 'Sales' (0x", "): WM_USER+2 double click item 'Sales > Documents > Import document'"},
        {"door (0x", "): WM_USER+10 toggle wParam=1 (closing)"},
        {"door (0x", "): WM_USER+10 toggle wParam=0 (opening)"},
        {"door (0x", "('DoorWin')"},
        {"tree 'All modules' (0x", "): WM_USER+1 select item 'Human resources'"},
        {"menu: WM_COMMAND id=10101", "(menu item 'New document')"},
    };
    ASSERT_EQ(got.size(), expected.size()) << s.output;
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_TRUE(got[i].rfind(expected[i].first, 0) == 0 && EndsWith(got[i], expected[i].second)) << got[i];
    EXPECT_NE(got[7].find("WM_USER+11 right click on window 0x"), std::string::npos) << got[7];
}

// The window as a screen reader reads it: the skinned caption and its buttons first, then the
// door with its toggle and the drops from top to bottom, each a group, only the first expanded.
TEST_F(GallerySession, PrintsTheAccessibleTreeAScreenReaderReads) {
    const std::vector<std::string> lines = Lines(s.output, "accessible: ");
    ASSERT_GT(lines.size(), 12u) << s.output;
    EXPECT_EQ(lines[0], "title bar 'Lumo gallery' (focusable)");
    EXPECT_EQ(lines[1], "  push button 'Minimize'");
    EXPECT_EQ(lines[2], "  push button 'Maximize'");
    EXPECT_EQ(lines[3], "  push button 'Close'");
    auto at = [&](const std::string& text) {
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].find(text) != std::string::npos)
                return (int)i;
        return -1;
    };
    const int toggle = at("push button 'Close panel'");
    EXPECT_GE(toggle, 0);
    const char* drops[] = {"Sales", "Purchasing", "Inventory", "Finance", "All modules"};
    int before = toggle;
    for (const char* d : drops) {
        const int line = at(std::string("grouping '") + d + "' (");
        ASSERT_GE(line, 0) << d;
        EXPECT_GT(line, before) << d;  // in the order they stand
        EXPECT_NE(lines[line].find(line == at("grouping 'Sales'") ? "expanded" : "collapsed"), std::string::npos)
            << lines[line];
        // The header button inside, named after the drop.
        EXPECT_EQ(lines[line + 1].find(std::string("push button '") + d + "'"), lines[line].find("grouping") + 2)
            << lines[line + 1];
        before = line;
    }
}

TEST_F(GallerySession, ScreenshotsShowTheDoorOpenClosedAndOpenAgain) {
    std::vector<std::string> layout = Lines(s.output, "layout: ");
    ASSERT_EQ(layout.size(), 1u) << s.output;
    int cw = 0, ch = 0, ox = 0, oy = 0;
    unsigned host = 0, door = 0;
    ASSERT_EQ(sscanf(layout[0].c_str(), "client %dx%d at %d,%d in the screenshots; door width %*d; "
                     "host background %x; door background %x", &cw, &ch, &ox, &oy, &host, &door), 6) << layout[0];
    // The host's colour is a COLORREF (0x00BBGGRR), the door's written as red, green, blue.
    const uint32_t hostRgb = Rgb(host);

    const std::vector<Shot>& shots = s.shots;
    for (int i = 0; i < 7; ++i) {
        // The whole window with its frame and menu bar; each state differs from the one before.
        EXPECT_GT(shots[i].w, cw);
        EXPECT_GT(shots[i].h, ch + oy - 1);
        EXPECT_TRUE(i == 0 || shots[i].px != shots[i - 1].px) << i;
    }
    // Below the drops, inside the door: the door's colour while open, the host's once closed.
    const int x = ox + 100, y = oy + ch - 10;
    EXPECT_EQ(shots[0].At(x, y), door);
    EXPECT_EQ(shots[4].At(x, y), hostRgb);
    EXPECT_EQ(shots[5].At(x, y), door);
    // The closed door still shows its button at the left edge, halfway down.
    int notHost = 0;
    for (int dx = 0; dx < 16; ++dx) notHost += shots[4].At(ox + dx, oy + ch / 2) != hostRgb;
    EXPECT_GT(notHost, 8);
    // The open Sales tree has text in it; the same strip is plain door colour when closed.
    int dark = 0, darkClosed = 0;
    for (int yy = oy + 60; yy < oy + 200; ++yy)
        for (int xx = ox + 20; xx < ox + 200; ++xx) {
            dark += (shots[0].At(xx, yy) & 0xFF) < 0x60;
            darkClosed += (shots[4].At(xx, yy) & 0xFF) < 0x60;
        }
    EXPECT_GT(dark, 200);
    EXPECT_EQ(darkClosed, 0);
    // The dark tree on the right shows its background colour below its items.
    EXPECT_EQ(shots[0].At(ox + cw - 30, oy + ch - 20), 0x24344Eu);

    // The item menu open over the tree, with its submenu: the text column and the picture column
    // of the menus, and the selection's edge on "Send to".
    const Shot& menu = shots[7];
    const uint32_t colours[] = {0xF5F5F5, 0xEAEAEA, 0xD9C452};
    const long atLeast[] = {20000, 3000, 200};
    for (int k = 0; k < 3; ++k) {
        const auto isColour = [&](uint32_t p) { return (p & 0xFFFFFF) == colours[k]; };
        EXPECT_GT(std::count_if(menu.px.begin(), menu.px.end(), isColour), atLeast[k]) << std::hex << colours[k];
    }
}

TEST_F(GallerySession, TheSkinnedCaptionMaximizesAndRestoresTheWindow) {
    const Shot &start = s.shots[0], &hover = s.shots[8], &maximized = s.shots[9], &restored = s.shots[10];
    COLORREF c = 0;
    void* none = nullptr;
    ASSERT_TRUE(GetSkin(0, &c, &none, &none, &none, &none, &none, &none, &none, &none, &none));
    const uint32_t caption = Rgb(c);
    // The caption in the first scheme's colour, the top corners cut.
    for (const Shot* shot : {&start, &hover, &restored}) {
        EXPECT_EQ(caption, shot->At(40, 10));
        EXPECT_NE(caption, shot->At(0, 0));
    }
    // The hot maximize button (the second from the right; the shots have a 6-pixel margin).
    const int bx = start.w - 6 - GetSystemMetrics(SM_CXFRAME) - 7 - 40, by = GetSystemMetrics(SM_CYFRAME) + 1;
    int hot = 0;
    for (int y = by; y < by + 16; ++y)
        for (int x = bx; x < bx + 20; ++x) hot += hover.At(x, y) != restored.At(x, y);
    EXPECT_GT(hot, 40);
    // Maximized: the whole screen, no corner cut.
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), maximized.w);
    EXPECT_EQ(caption, maximized.At(0, 0));
    EXPECT_EQ(caption, maximized.At(maximized.w - 1, 0));
    // Restored to the size it had.
    EXPECT_EQ(start.w, restored.w);
    EXPECT_EQ(start.h, restored.h);
}

}  // namespace
