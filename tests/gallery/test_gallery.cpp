// The gallery's scripted session run as a separate process, checked by its log and by pixels of
// its screenshots.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "LumoTest.h"
#include "SessionRun.h"
#include "frame/LumoRes.h"

using namespace lumotest;
using namespace gallerytest;

namespace {

// ---------------------------------------------------------------------------------------------
// The gallery's scripted session
// ---------------------------------------------------------------------------------------------

class GallerySession : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        out_ = std::string(temp) + "lumo-gallery-test-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(out_.c_str(), nullptr);
        std::string cmd = "\"" + Folder() + "\\gallery.exe\" --script \"" + out_ + "\"";
        ran_ = RunProcess(cmd, &output_, &exitCode_, 180000);
    }
    static void TearDownTestSuite() { RemoveShots(out_); }
    static bool Load(const char* name, Shot* shot) {
        return ReadStoredPng(out_ + "\\" + name, &shot->w, &shot->h, &shot->px);
    }

    static std::string out_, output_;
    static DWORD exitCode_;
    static bool ran_;
};

std::string GallerySession::out_, GallerySession::output_;
DWORD GallerySession::exitCode_ = 0;
bool GallerySession::ran_ = false;

TEST_F(GallerySession, EndsSuccessfullyWithEveryCheckPassed) {
    ASSERT_TRUE(ran_) << output_;
    EXPECT_EQ(exitCode_, 0u) << output_;
    std::vector<std::string> checks = Lines(output_, "check: ");
    EXPECT_GE(checks.size(), 18u);
    for (const std::string& c : checks) EXPECT_NE(c.find(": ok"), std::string::npos) << c;
    EXPECT_EQ(Lines(output_, "data: ").size(), 1u);
    ASSERT_EQ(Lines(output_, "session: ").size(), 1u);
    EXPECT_NE(Lines(output_, "session: ")[0].find("ok"), std::string::npos);
}

TEST_F(GallerySession, HostReceivesTheExpectedMessagesInOrder) {
    ASSERT_TRUE(ran_) << output_;
    std::vector<std::string> got = Lines(output_, "message: ");
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
    ASSERT_EQ(got.size(), expected.size()) << output_;
    for (size_t i = 0; i < got.size(); ++i) {
        const std::string& line = got[i];
        const auto& e = expected[i];
        EXPECT_EQ(line.compare(0, e.first.size(), e.first), 0) << i << ": " << line;
        EXPECT_TRUE(line.size() >= e.second.size() &&
                    line.compare(line.size() - e.second.size(), e.second.size(), e.second) == 0)
            << i << ": " << line;
    }
    EXPECT_NE(got[7].find("WM_USER+11 right click on window 0x"), std::string::npos) << got[7];
}

TEST_F(GallerySession, ScreenshotsShowTheDoorOpenClosedAndOpenAgain) {
    ASSERT_TRUE(ran_) << output_;
    std::vector<std::string> layout = Lines(output_, "layout: ");
    ASSERT_EQ(layout.size(), 1u) << output_;
    int cw = 0, ch = 0, ox = 0, oy = 0;
    unsigned host = 0, door = 0;
    ASSERT_EQ(sscanf(layout[0].c_str(),
                     "client %dx%d at %d,%d in the screenshots; door width %*d; host background %x; "
                     "door background %x",
                     &cw, &ch, &ox, &oy, &host, &door),
              6)
        << layout[0];
    // The host's colour is a COLORREF (0x00BBGGRR), the door's written as red, green, blue.
    const uint32_t hostRgb = ((host & 0xFF) << 16) | (host & 0xFF00) | ((host >> 16) & 0xFF);
    const uint32_t doorRgb = door;

    const char* names[] = {"01-start.png", "02-hover.png", "03-click.png", "04-right-click.png",
                           "05-door-closed.png", "06-door-open.png", "07-drop-opened.png"};
    Shot shots[7];
    for (int i = 0; i < 7; ++i) {
        ASSERT_TRUE(Load(names[i], &shots[i])) << names[i];
        // The whole window with its frame and menu bar.
        EXPECT_GT(shots[i].w, cw);
        EXPECT_GT(shots[i].h, ch + oy - 1);
    }
    // Below the drops, inside the door: the door's colour while open, the host's once closed.
    const int x = ox + 100, y = oy + ch - 10;
    EXPECT_EQ(shots[0].At(x, y), doorRgb);
    EXPECT_EQ(shots[4].At(x, y), hostRgb);
    EXPECT_EQ(shots[5].At(x, y), doorRgb);
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
    // Each state differs from the one before it.
    for (int i = 1; i < 7; ++i) EXPECT_FALSE(shots[i].px == shots[i - 1].px) << names[i];

    // The item menu open over the tree, with its submenu: the text column and the picture column
    // of the menus, and the selection on "Send to".
    Shot menu;
    ASSERT_TRUE(Load("04-right-click-menu.png", &menu));
    int column = 0, bar = 0, selection = 0;
    for (uint32_t p : menu.px) {
        column += (p & 0xFFFFFF) == 0xF5F5F5;
        bar += (p & 0xFFFFFF) == 0xEAEAEA;
        selection += (p & 0xFFFFFF) == 0xD9C452;  // the selection's edge
    }
    EXPECT_GT(column, 20000);
    EXPECT_GT(bar, 3000);
    EXPECT_GT(selection, 200);
}

TEST_F(GallerySession, TheSkinnedCaptionMaximizesAndRestoresTheWindow) {
    ASSERT_TRUE(ran_) << output_;
    Shot start, hover, maximized, restored;
    ASSERT_TRUE(Load("01-start.png", &start));
    ASSERT_TRUE(Load("08-caption-hover.png", &hover));
    ASSERT_TRUE(Load("09-maximized.png", &maximized));
    ASSERT_TRUE(Load("10-restored.png", &restored));
    COLORREF c = 0;
    void* none = nullptr;
    ASSERT_TRUE(GetSkin(0, &c, &none, &none, &none, &none, &none, &none, &none, &none, &none));
    const uint32_t caption = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    // The caption in the first scheme's colour, the top corners cut.
    for (const Shot* s : {&start, &hover, &restored}) {
        EXPECT_EQ(caption, s->At(40, 10));
        EXPECT_NE(caption, s->At(0, 0));
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
