// The frame-set gallery host's scripted session, run as a separate process: its checks, its
// screenshots and the icon messages it received.
#include <windows.h>

#include <string>
#include <vector>

#include "LumoTest.h"
#include "SessionRun.h"

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

    RemoveShots(out);
}
