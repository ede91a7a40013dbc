// Gradients, lines, outlines, progress and check drawing, read back pixel by pixel.
#include "CUtilityVisual.h"
#include "DrawTestUtil.h"

#include <tuple>

using drawtest::CanvasDC;
using drawtest::Lend;
using lumotest::PixelIs;
using lumotest::PixelsAre;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// "x" for every pixel from (x0,y0) to (x1,y1) inclusive, along a row or a column, that has the
// colour, "." otherwise.
std::string Inked(const CanvasDC& c, int x0, int y0, int x1, int y1, COLORREF color = kBlack) {
    std::string s;
    for (int x = x0, y = y0;; x += x < x1, y += y < y1) {
        s += c.At(x, y) == color ? 'x' : '.';
        if (x == x1 && y == y1) return s;
    }
}

// The objects and modes a routine must give back.
std::tuple<HGDIOBJ, HGDIOBJ, HGDIOBJ, int, COLORREF> DcState(HDC dc) {
    return std::make_tuple(::GetCurrentObject(dc, OBJ_PEN), ::GetCurrentObject(dc, OBJ_BRUSH),
                           ::GetCurrentObject(dc, OBJ_FONT), ::GetBkMode(dc), ::GetTextColor(dc));
}

}  // namespace

TEST(GradientRect, BandsStepFromTheSecondColourAtTheBottomOrRight) {
    const COLORREF mix = RGB(200, 100, 50);
    const struct {
        int w, h;
        CRect rc;
        COLORREF c1, c2;
        int steps;
        BOOL vertical;
        std::initializer_list<PixelIs> pixels;
    } cases[] = {
        // Horizontal from the right: 103 pixels in 4 steps, bands of 25, the leftmost 28 wide.
        {110, 4, CRect(5, 0, 108, 4), RGB(0, 0, 200), RGB(0, 200, 0), 4, FALSE,
         {{4, 1, kWhite}, {108, 1, kWhite}, {107, 1, RGB(0, 200, 0)}, {83, 1, RGB(0, 200, 0)},
          {82, 1, RGB(0, 150, 50)}, {58, 1, RGB(0, 150, 50)}, {57, 1, RGB(0, 100, 100)},
          {33, 1, RGB(0, 100, 100)}, {32, 1, RGB(0, 50, 150)}, {5, 1, RGB(0, 50, 150)}}},
        // 3 pixels, 5 steps: bands are 1 pixel; the last two land on the top row again.
        {4, 3, CRect(0, 0, 4, 3), kBlack, RGB(250, 0, 0), 5, TRUE,
         {{1, 2, RGB(250, 0, 0)}, {1, 1, RGB(200, 0, 0)}, {1, 0, RGB(50, 0, 0)}}},
        // Below one step: one band of the second colour (all 16 x 16 of it, counted below).
        {20, 20, CRect(2, 2, 18, 18), RGB(10, 20, 30), mix, 0, TRUE, {{2, 2, mix}, {1, 1, kWhite}}},
        {20, 20, CRect(2, 2, 18, 18), RGB(10, 20, 30), mix, -3, TRUE, {{2, 2, mix}, {1, 1, kWhite}}},
    };
    for (const auto& k : cases) {
        CanvasDC c(k.w, k.h);
        CUtilityVisual::GradientRect(c.Dc(), Lend(CRect(k.rc)), k.c1, k.c2, k.steps, k.vertical);
        EXPECT_TRUE(PixelsAre(c, k.pixels)) << "steps " << k.steps;
        if (k.steps < 1) {
            EXPECT_EQ(16 * 16, c.canvas.CountColor(mix)) << "steps " << k.steps;
        }
    }

    // Two halves each with its pair (mid = 20): the upper from its bottom band up; the lower
    // half's 21 pixels in bands of 10 from the bottom, the top one 11 high.
    CanvasDC c(6, 41);
    CUtilityVisual::Gradient2Rect(c.Dc(), Lend(CRect(0, 0, 6, 41)), kBlack, RGB(0, 0, 255), kBlack, RGB(255, 0, 0), 2);
    EXPECT_TRUE(PixelsAre(c, {{0, 19, RGB(0, 0, 255)}, {0, 10, RGB(0, 0, 255)}, {0, 9, RGB(0, 0, 127)},
                              {0, 0, RGB(0, 0, 127)}, {0, 40, RGB(255, 0, 0)}, {0, 31, RGB(255, 0, 0)},
                              {0, 30, RGB(127, 0, 0)}, {5, 20, RGB(127, 0, 0)}}));
}

TEST(Lines, LinesRectanglesBordersAndLineFills) {
    CanvasDC c(20, 20);  // DrawLine leaves out the end point
    CUtilityVisual::DrawLine(c.Dc(), Lend(CPoint(15, 5)), Lend(CPoint(15, 9)));
    EXPECT_EQ(".....xxxx.", Inked(c, 15, 0, 15, 9));

    // DrawRect leaves the interior alone, whatever brush the caller has selected (that it gives
    // the brush back the balance test below reads).
    CanvasDC r(20, 20, RGB(0, 255, 0));
    ::SelectObject(r.canvas.Dc(), ::GetStockObject(DC_BRUSH));
    ::SetDCBrushColor(r.canvas.Dc(), RGB(255, 0, 0));
    CUtilityVisual::DrawRect(r.Dc(), Lend(CRect(2, 2, 12, 8)));
    EXPECT_TRUE(PixelsAre(r, {{2, 2, kBlack}, {11, 7, kBlack}, {12, 8, RGB(0, 255, 0)}, {6, 5, RGB(0, 255, 0)}}));
    EXPECT_EQ(2 * 10 + 2 * 4, r.canvas.CountColor(kBlack));

    // Draw1Border picks one edge and ignores other values.
    const struct { int side, blacks; POINT inside, outside; } borders[] = {
        {BORDER_LEFT, 10, {2, 11}, {2, 12}},    {BORDER_TOP, 10, {11, 2}, {12, 2}},
        {BORDER_RIGHT, 10, {12, 11}, {12, 12}}, {BORDER_BOTTOM, 10, {11, 12}, {12, 12}},
        {-1, 0, {0, 0}, {2, 2}}, {4, 0, {0, 0}, {12, 12}}, {100, 0, {0, 0}, {2, 12}},
    };
    for (const auto& k : borders) {
        CanvasDC b(16, 16);
        CUtilityVisual::Draw1Border(b.Dc(), Lend(CRect(2, 2, 12, 12)), (ENUM_BORDER)k.side);
        EXPECT_EQ(k.blacks, b.canvas.CountColor(kBlack)) << "side " << k.side;
        EXPECT_TRUE(PixelsAre(b, {{k.inside.x, k.inside.y, k.blacks ? kBlack : kWhite},
                                  {k.outside.x, k.outside.y, kWhite}})) << "side " << k.side;
    }

    // FillRectWithLine covers the right column and bottom row inclusive.
    CanvasDC narrow(12, 20);  // vertical lines for x = 2..6 inclusive, each ending before the bottom
    CUtilityVisual::FillRectWithLine(narrow.Dc(), Lend(CRect(2, 1, 6, 15)));
    EXPECT_EQ(5 * 14, narrow.canvas.CountColor(kBlack));
    EXPECT_TRUE(PixelsAre(narrow, {{6, 14, kBlack}, {6, 15, kWhite}, {7, 5, kWhite}}));
    CanvasDC wide(20, 8);  // horizontal lines for y = 1..4 inclusive
    CUtilityVisual::FillRectWithLine(wide.Dc(), Lend(CRect(2, 1, 12, 4)));
    EXPECT_EQ(10 * 4, wide.canvas.CountColor(kBlack));
    EXPECT_TRUE(PixelsAre(wide, {{11, 4, kBlack}, {12, 4, kWhite}, {5, 5, kWhite}}));
}

TEST(DotLine, DashesAreFourOnFourOffAcrossAndThreeOnFourOffDownWhicheverEndComesFirst) {
    struct Case { CPoint p1, p2; int x0, y0, x1, y1; const char* dashes; };
    Case cases[] = {
        {{0, 5}, {10, 5}, 0, 5, 11, 5, "xxxx....xx.."},
        {{1, 2}, {21, 2}, 0, 2, 22, 2, ".xxxx....xxxx....xxxx.."},
        {{5, 0}, {5, 20}, 5, 0, 5, 21, "xxx....xxx....xxx....."},
        {{5, 3}, {5, 6}, 5, 3, 5, 6, "xxx."},
        {{5, 3}, {5, 5}, 5, 0, 5, 9, ".........."},  // too short down: nothing
        {{12, 1}, {2, 7}, 0, 1, 11, 1, "..xxxx....xx"},  // slanted: along the upper y, left to right
    };
    for (Case& k : cases) {
        CanvasDC a(30, 30);
        CUtilityVisual::DrawDotLine(a.Dc(), k.p1, k.p2);
        EXPECT_EQ(k.dashes, Inked(a, k.x0, k.y0, k.x1, k.y1)) << k.p1.x << "," << k.p1.y;
        EXPECT_EQ(std::count(k.dashes, k.dashes + strlen(k.dashes), 'x'), a.canvas.CountColor(kBlack));
    }

    // A rectangle dashes all four edges, the right one drawn upwards and the bottom one leftwards:
    // the right edge's first dash takes the top-right corner, the bottom edge's the bottom-left one.
    CanvasDC c(30, 20);
    CUtilityVisual::DrawDotRectangle(c.Dc(), Lend(CRect(2, 2, 22, 12)));
    EXPECT_EQ("xxxx....xxxx....xxxxx", Inked(c, 2, 2, 22, 2));
    EXPECT_EQ("xxxx....xxxx....xxxx.", Inked(c, 2, 12, 22, 12));
    EXPECT_EQ("xxx....xxx.", Inked(c, 22, 2, 22, 12));
    EXPECT_EQ("xxx....xxxx", Inked(c, 2, 2, 2, 12));
}

TEST(Rop2, DrawingTwiceRestoresAndLeavesCopyPen) {
    const COLORREF ground = RGB(10, 200, 30), inverted = RGB(245, 55, 225);  // whatever the pen
    CanvasDC c(20, 20, ground, RGB(255, 0, 0));
    ::SetROP2(c.canvas.Dc(), R2_XORPEN);
    CPoint a(1, 4), b(15, 4);
    CUtilityVisual::DrawRop2Line(c.Dc(), a, b);
    EXPECT_EQ(R2_COPYPEN, ::GetROP2(c.canvas.Dc()));
    EXPECT_TRUE(PixelsAre(c, {{1, 4, inverted}, {14, 4, inverted}, {15, 4, ground}}));
    CUtilityVisual::DrawRop2Line(c.Dc(), a, b);
    EXPECT_EQ(20 * 20, c.canvas.CountColor(ground));

    ::SetROP2(c.canvas.Dc(), R2_MERGEPEN);
    CRect rc(3, 3, 13, 9);
    CUtilityVisual::DrawRop2Box(c.Dc(), rc);
    EXPECT_EQ(R2_COPYPEN, ::GetROP2(c.canvas.Dc()));
    // Each outline pixel exactly once, corners included.
    EXPECT_EQ(2 * 10 + 2 * 6, c.canvas.CountColor(inverted));
    EXPECT_TRUE(PixelsAre(c, inverted, {{13, 9}, {3, 3}}));
    CUtilityVisual::DrawRop2Box(c.Dc(), rc);
    EXPECT_EQ(20 * 20, c.canvas.CountColor(ground));
}

TEST(Progress, SegmentsFrameAndRectangle) {
    // Inner bar: x 12..111 (100 pixels), y 12..31; bottom band at y 31 in these colours.
    const COLORREF filled = 0xFFAA4D, empty = 0xF9FBFC;
    CString none;
    CanvasDC c(130, 50);
    CRect rc(10, 10, 114, 34);
    CUtilityVisual::DrawProgress(c.Dc(), rc, none, 30, 0, 0, TRUE);
    // The frame: a near-white line, then the two rounded outlines.
    EXPECT_TRUE(PixelsAre(c, {{12, 20, 0xFEFEFE}, {112, 20, 0xFEFEFE}, {60, 32, 0xFEFEFE}, {11, 20, 0x64748C},
                              {113, 20, 0x64748C}, {10, 20, 0xC6D2D7}, {114, 20, 0xC6D2D7}, {60, 34, 0xC6D2D7},
                              {9, 20, kWhite}}));
    // Top band: the bottom colour moved 15 of 16 steps towards the top colour.
    EXPECT_NE(filled, c.At(20, 13));
    EXPECT_NE(0xFBE8C4u, c.At(20, 13));
    EXPECT_EQ(CRect(10, 10, 114, 34), rc);  // no text: the caller's rectangle is kept

    // The second value is cut to what is left: 60 pixels, the first under the frame's line.
    CanvasDC d(130, 50);
    CUtilityVisual::DrawProgress(d.Dc(), rc, none, 60, 70, 0, FALSE);
    EXPECT_TRUE(PixelsAre(d, {{71, 31, filled}, {72, 31, empty}, {111, 31, empty}}));
    EXPECT_EQ(59, d.canvas.CountColor(filled, CRect(13, 31, 112, 32)));

    // 20 + 30 + 10 fall short of 100: the third takes the rest (50) and the middle is lit.
    CanvasDC e(130, 50);
    CUtilityVisual::DrawProgress(e.Dc(), rc, none, 20, 30, 10, FALSE);
    EXPECT_TRUE(PixelsAre(e, {{31, 31, empty}, {32, 31, filled}, {61, 31, filled}, {62, 31, empty}, {111, 31, empty}}));
}

// Values of any size share out the bar: each is cut to 100 and to what the values before it
// leave, and the last segment takes what they all leave. Without a third value the first is
// the filled part; with one, the second. Read along the bottom band of a bar 200 pixels wide
// inside, from x = 32: a value of n covers 2n pixels.
TEST(Progress, ValuesAreCutToTheBarAndTheLastSegmentTakesTheRest) {
    const COLORREF filled = 0xFFAA4D, empty = 0xF9FBFC;
    const struct {
        UINT first, second, third;
        const char* runs;  // the segments: how many hundredths each, filled (F) or empty (E)
    } cases[] = {
        {150, 0, 0, "100F"},        {0, 0, 0, "100E"},        {25, 0, 0, "25F 75E"},
        {30, 200, 0, "30F 70E"},    {100, 50, 0, "100F"},     {101, 101, 101, "100E"},
        {60, 70, 5, "60E 40F"},     {10, 20, 5, "10E 20F 70E"}, {0, 40, 1, "40F 60E"},
        {0, 0, 7, "100E"},          {35, 65, 3, "35E 65F"},   {45, 5, 300, "45E 5F 50E"},
    };
    CString none;
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.first << " " << c.second << " " << c.third);
        std::string want;
        for (const char* p = c.runs; *p;) {
            char* end = nullptr;
            const long n = strtol(p, &end, 10);
            want.append(n, *end);
            p = end + 1 + (end[1] == ' ');
        }
        ASSERT_EQ(want.size(), 100u);
        CanvasDC d(260, 40);
        CRect rc(30, 7, 234, 31);
        CUtilityVisual::DrawProgress(d.Dc(), rc, none, c.first, c.second, c.third, FALSE);
        std::string got;
        for (int x = 33; x < 232; x += 2) got += d.At(x, 28) == filled ? 'F' : d.At(x, 28) == empty ? 'E' : '?';
        for (int x = 35; x < 232; x += 2) ASSERT_EQ(d.At(x, 28), d.At(x - 1, 28)) << x;  // a value's two pixels alike
        EXPECT_EQ(got, want);
    }
    // A bar 402 pixels wide inside, full: its fill stops inside its frame (x 5 to 411).
    CanvasDC wide(430, 30);
    CRect rc(5, 2, 411, 26);
    CUtilityVisual::DrawProgress(wide.Dc(), rc, none, 100, 0, 0, FALSE);
    EXPECT_EQ(wide.At(408, 23), filled);
    EXPECT_EQ(wide.canvas.CountColor(kWhite, CRect(412, 0, 430, 30)), 18 * 30);
}

TEST(Progress, TextIsCentredInTheNarrowedRectangleAndStateRestored) {
    CanvasDC c(130, 50);
    ::SetBkMode(c.canvas.Dc(), OPAQUE);
    ::SetTextColor(c.canvas.Dc(), RGB(1, 2, 3));
    const auto before = DcState(c.canvas.Dc());
    CRect rc(10, 10, 114, 34);
    CString text("50%");
    CUtilityVisual::DrawProgress(c.Dc(), rc, text, 50, 0, 0, TRUE);
    EXPECT_EQ(before, DcState(c.canvas.Dc()));
    EXPECT_EQ(CRect(14, 10, 110, 34), rc);

    // The ink lies where DrawText centres the text with the GUI font in the narrowed
    // rectangle, whichever face that font has here.
    CanvasDC ref(130, 50);
    ::SelectObject(ref.canvas.Dc(), ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(ref.canvas.Dc(), TRANSPARENT);
    ::DrawTextA(ref.canvas.Dc(), "50%", 3, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    int black = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 130; ++x) {
            black += ref.At(x, y) == kBlack;
            ASSERT_EQ(ref.At(x, y) == kBlack, c.At(x, y) == kBlack) << x << "," << y;
        }
    EXPECT_GT(black, 10);
}

TEST(Check, BoxShadowAndTick) {
    CanvasDC c(30, 30);
    CRect rc(0, 0, 30, 21);  // mid 10: box from (3,5) to (13,15)
    const COLORREF frame = RGB(0x80, 0x90, 0xA0), tick = RGB(0, 0, 255), shadow = RGB(0x62, 0x72, 0x82);
    CUtilityVisual::DrawCheck(c.Dc(), rc, 3, FALSE, frame, tick);
    EXPECT_TRUE(PixelsAre(c, frame, {{3, 15}, {3, 6}, {3, 5}, {12, 5}}));
    EXPECT_TRUE(PixelsAre(c, shadow, {{13, 5}, {13, 14}, {13, 15}, {4, 15}}));
    EXPECT_EQ(20, c.canvas.CountColor(frame));
    EXPECT_EQ(20, c.canvas.CountColor(shadow));
    EXPECT_EQ(0, c.canvas.CountColor(tick));

    CUtilityVisual::DrawCheck(c.Dc(), rc, 3, TRUE, frame, tick);
    // The tick, 14 pixels from the box's corner, its low point at x + 4.
    EXPECT_TRUE(PixelsAre(c, tick, {{5, 10}, {5, 11}, {6, 11}, {6, 12}, {7, 12}, {7, 13}, {8, 12},
                                    {8, 11}, {9, 11}, {9, 10}, {10, 10}, {10, 9}, {11, 9}, {11, 8}}));
    EXPECT_EQ(14, c.canvas.CountColor(tick));
    EXPECT_EQ(0, c.canvas.CountColor(tick, CRect(7, 14, 8, 30)));
}

// Each routine called over and over leaves no GDI object and gives back the DC's objects and
// modes; without a DC (or with one that has no handle) it does nothing.
TEST(DrawingBalance, RepeatedCallsLeaveNoGdiObjectsAndNullDcDoesNothing) {
    CanvasDC c(140, 60);
    const auto before = DcState(c.canvas.Dc());
    CString text("x"), empty;
    lumotest::GdiBalance balance;
    ASSERT_GT(balance.Start(), 0);
    for (int i = 0, n = lumotest::SoakCycles(200, 10000); i < n; ++i) {
        CRect rc(10, 10, 114, 34), small(2, 2, 8, 8);
        CPoint a(1, 1), b(20, 1), v(1, 20);
        CUtilityVisual::GradientRect(c.Dc(), rc, RGB(1, 2, 3), RGB(200, 100, 0), 8, i & 1);
        CUtilityVisual::Gradient2Rect(c.Dc(), rc, 1, 2, 3, 4, 4);
        CUtilityVisual::DrawLine(c.Dc(), a, b);
        CUtilityVisual::DrawRect(c.Dc(), small);
        CUtilityVisual::Draw1Border(c.Dc(), small, BORDER_TOP);
        CUtilityVisual::FillRectWithLine(c.Dc(), small);
        CUtilityVisual::DrawDotRectangle(c.Dc(), small);
        CUtilityVisual::DrawDotLine(c.Dc(), a, v);
        CUtilityVisual::DrawRop2Line(c.Dc(), a, b);
        CUtilityVisual::DrawRop2Box(c.Dc(), small);
        CUtilityVisual::DrawProgress(c.Dc(), rc, (i & 1) ? text : empty, 30, 20, i & 2, i & 4);
        CUtilityVisual::DrawCheck(c.Dc(), rc, 2, TRUE, RGB(1, 2, 3), RGB(4, 5, 6));
    }
    EXPECT_EQ(0, balance.Delta());
    EXPECT_EQ(before, DcState(c.canvas.Dc()));

    // The routines that use the DC themselves (the others pass it on to these).
    CRect rc(0, 0, 10, 10);
    CPoint a(0, 0), b(5, 5);
    CDC none;
    for (CDC* dc : {(CDC*)nullptr, &none}) {
        CUtilityVisual::GradientRect(dc, rc, 0, 0, 4, TRUE);
        CUtilityVisual::DrawLine(dc, a, b);
        CUtilityVisual::DrawRect(dc, rc);
        CUtilityVisual::FillRectWithLine(dc, rc);
        CUtilityVisual::DrawDotLine(dc, a, b);
        CUtilityVisual::DrawRop2Line(dc, a, b);
        CUtilityVisual::DrawRop2Box(dc, rc);
        CUtilityVisual::DrawProgress(dc, rc, text, 1, 2, 3, 1);
        CUtilityVisual::DrawCheck(dc, rc, 0, 1, 0, 0);
        CUtilityVisual::draw_pic(dc, nullptr, rc, SRCCOPY, 0);
    }
}
