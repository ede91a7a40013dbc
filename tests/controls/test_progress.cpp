// The progress bar's text rules, read back against the toolkit's bar drawn with the text and
// percentage the rules give.
#include "ControlsTest.h"

using namespace ctltest;

TEST(Progress, ShowsTheTextOrThePercentageMeasuredFromTheLowerBound) {
    const struct { int lower, upper, pos; const char* text; BOOL showPercent; int percent; const char* shown; }
        cases[] = {
        {0, 100, 42, "", TRUE, 42, "42%"},
        {50, 150, 100, "", TRUE, 50, "50%"},  // from the lower bound, not from 0
        {-200, 200, 100, "", TRUE, 75, "75%"},
        {0, 3, 1, "", TRUE, 33, "33%"},    // truncated
        {10, 210, 209, "", TRUE, 99, "99%"},  // truncated, not rounded up to done
        {7, 7, 7, "", TRUE, 100, "100%"},  // an empty range is complete
        {0, 100, 0, "", TRUE, 0, ""},      // nothing done shows no text
        {0, 100, 0, "Waiting", TRUE, 0, "Waiting"},
        {0, 100, 60, "", FALSE, 60, ""},
    };
    Parent parent;
    ASSERT_TRUE(parent.Make());
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lower << ".." << c.upper << " at " << c.pos << " '" << c.text << "'");
        CProgressCtrlEx bar;
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 252, 34), &parent, 1));
        bar.SetRange32(c.lower, c.upper);
        bar.SetPos(c.pos);
        bar.SetText(c.text);
        bar.SetShowPercent(c.showPercent);
        EXPECT_EQ(bar.GetPercent(), c.percent);
        MemoryCanvas want(240, 22);
        CRect rc(0, 0, 240, 22);
        CString text(c.shown);
        CUtilityVisual::DrawProgress(CDC::FromHandle(want.Dc()), rc, text, (UINT)c.percent, 0, 0, 1);
        WindowCapture got(bar);
        int differ = 0;
        for (int y = 2; y < 20; ++y)
            for (int x = 2; x < 238; ++x) differ += got.At(x, y) != want.At(x, y);
        EXPECT_EQ(differ, 0);
        // No border: the non-client pixels keep what was there.
        HDC dc = ::GetWindowDC(bar);
        ::SetPixel(dc, 0, 0, RGB(1, 2, 3));
        bar.SendMessage(WM_NCPAINT, 1, 0);
        EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(1, 2, 3));
        ::ReleaseDC(bar, dc);
    }
}
