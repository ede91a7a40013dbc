// The frame-set gallery host's scripted session, run as a separate process: its checks, the icon
// messages it received, and pixels of its first screenshot.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "LumoTest.h"
#include "SessionRun.h"
#include "frame/LumoRes.h"

using namespace gallerytest;

TEST(FramesetSession, DragsSplittersAndClicksIconsThroughEveryStyle) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string out = std::string(temp) + "lumo-frameset-test-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(out.c_str(), nullptr);
    std::string output;
    DWORD exitCode = 1;
    ASSERT_TRUE(RunProcess("\"" + Folder() + "\\gallery_frameset.exe\" --script \"" + out + "\"", &output, &exitCode,
                           120000));
    EXPECT_EQ(exitCode, 0u) << output;
    const std::vector<std::string> checks = Lines(output, "check: ");
    EXPECT_GE(checks.size(), 10u);
    for (const std::string& c : checks) EXPECT_NE(c.find(": ok"), std::string::npos) << c;
    EXPECT_EQ(Lines(output, "screenshot: ").size(), 5u) << output;
    const std::vector<std::string> messages = Lines(output, "message: WM_USER+20 ");
    const std::vector<std::string> expected = {
        "wParam=2: orders icon, 14 orders listed",
        "wParam=1: navigation icon, title style 3 (brackets)",
        "wParam=1: navigation icon, title style 4 (tab)",
        "wParam=1: navigation icon, title style 1 (vertical gradient)",
    };
    EXPECT_EQ(messages, expected) << output;

    // The splitter right of the 240-pixel navigation frame shows the frame set's colour (door hue
    // 0), and the middle of the navigation's horizontal title gradient is its title colour.
    int x = 0, y = 0;
    const std::vector<std::string> layout = Lines(output, "layout: frame set at ");
    ASSERT_EQ(layout.size(), 1u) << output;
    ASSERT_EQ(sscanf(layout[0].c_str(), "%d,%d", &x, &y), 2);
    Shot shot;
    ASSERT_TRUE(lumotest::ReadStoredPng(out + "\\frameset-01-start.png", &shot.w, &shot.h, &shot.px));
    DWORD normal = 0, hover = 0, colour = 0;
    ASSERT_TRUE(GetDoorHandle(0, &normal, &hover, &colour));
    const uint32_t hue = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    EXPECT_EQ(shot.At(x + 241, y + 300), hue);
    EXPECT_EQ(shot.At(x + 118, y + 15), 0x83B3CCu);
    RemoveShots(out);
}
