// The frame-set gallery host's scripted session, run as a separate process: its checks, its
// screenshots and the icon messages it received.
#include "SessionRun.h"

using namespace gallerytest;

TEST(FramesetSession, DragsSplittersAndClicksIconsThroughEveryStyle) {
    const Session s("gallery_frameset", 120000);
    ASSERT_TRUE(s.complete) << s.output;
    ExpectChecksPassed(s, 10);
    EXPECT_EQ(Lines(s.output, "screenshot: ").size(), 5u) << s.output;
    const std::vector<std::string> expected = {
        "wParam=2: orders icon, 14 orders listed",
        "wParam=1: navigation icon, title style 3 (brackets)",
        "wParam=1: navigation icon, title style 4 (tab)",
        "wParam=1: navigation icon, title style 1 (vertical gradient)",
    };
    EXPECT_EQ(Lines(s.output, "message: WM_USER+20 "), expected) << s.output;
}
