// Gradients, lines, outlines, progress and check drawing, read back pixel by pixel.
#include "draw/CUtilityVisual.h"
#include "DrawTestUtil.h"

using drawtest::CanvasDC;
using drawtest::ScopedPen;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// "x" for every pixel of the row (or column) that has the colour, "." otherwise.
std::string RowPattern(const CanvasDC& c, int y, int x0, int x1, COLORREF color)
{
    std::string s;
    for (int x = x0; x <= x1; ++x)
        s += c.At(x, y) == color ? 'x' : '.';
    return s;
}

std::string ColumnPattern(const CanvasDC& c, int x, int y0, int y1, COLORREF color)
{
    std::string s;
    for (int y = y0; y <= y1; ++y)
        s += c.At(x, y) == color ? 'x' : '.';
    return s;
}

// The objects and modes a routine must give back.
struct DcState
{
    explicit DcState(HDC dc)
        : pen(::GetCurrentObject(dc, OBJ_PEN)), brush(::GetCurrentObject(dc, OBJ_BRUSH)),
          font(::GetCurrentObject(dc, OBJ_FONT)), bkMode(::GetBkMode(dc)),
          textColor(::GetTextColor(dc)) {}
    bool operator==(const DcState& o) const
    {
        return pen == o.pen && brush == o.brush && font == o.font && bkMode == o.bkMode
               && textColor == o.textColor;
    }
    HGDIOBJ pen, brush, font;
    int bkMode;
    COLORREF textColor;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Gradients

TEST(GradientRect, FourRedBandsFromTheBottomUp)
{
    CanvasDC c(10, 100);
    CRect rc(0, 0, 10, 100);
    CUtilityVisual::GradientRect(c.Dc(), rc, RGB(0, 0, 0), RGB(255, 0, 0), 4, TRUE);
    EXPECT_EQ(RGB(255, 0, 0), c.At(5, 99));
    EXPECT_EQ(RGB(255, 0, 0), c.At(5, 75));
    EXPECT_EQ(RGB(191, 0, 0), c.At(5, 74));
    EXPECT_EQ(RGB(191, 0, 0), c.At(5, 50));
    EXPECT_EQ(RGB(127, 0, 0), c.At(5, 49));
    EXPECT_EQ(RGB(127, 0, 0), c.At(5, 25));
    EXPECT_EQ(RGB(63, 0, 0), c.At(5, 24));
    EXPECT_EQ(RGB(63, 0, 0), c.At(0, 0));  // colour1 itself is never reached
    EXPECT_EQ(RGB(63, 0, 0), c.At(9, 0));
}

TEST(GradientRect, HorizontalStartsAtTheRightAndLastBandTakesTheRest)
{
    CanvasDC c(110, 4, kWhite);
    // 103 pixels in 4 steps: bands of 25, the leftmost 28 wide.
    CRect rc(5, 0, 108, 4);
    CUtilityVisual::GradientRect(c.Dc(), rc, RGB(0, 0, 200), RGB(0, 200, 0), 4, FALSE);
    EXPECT_EQ(kWhite, c.At(4, 1));
    EXPECT_EQ(kWhite, c.At(108, 1));
    EXPECT_EQ(RGB(0, 200, 0), c.At(107, 1));
    EXPECT_EQ(RGB(0, 200, 0), c.At(83, 1));
    EXPECT_EQ(RGB(0, 150, 50), c.At(82, 1));
    EXPECT_EQ(RGB(0, 150, 50), c.At(58, 1));
    EXPECT_EQ(RGB(0, 100, 100), c.At(57, 1));
    EXPECT_EQ(RGB(0, 100, 100), c.At(33, 1));
    EXPECT_EQ(RGB(0, 50, 150), c.At(32, 1));
    EXPECT_EQ(RGB(0, 50, 150), c.At(5, 1));
}

TEST(GradientRect, StepsBelowOnePaintOneBandOfTheSecondColour)
{
    for (int steps : {0, -3})
    {
        CanvasDC c(20, 20);
        CRect rc(2, 2, 18, 18);
        CUtilityVisual::GradientRect(c.Dc(), rc, RGB(10, 20, 30), RGB(200, 100, 50), steps, TRUE);
        EXPECT_EQ(16 * 16, c.canvas.CountColor(RGB(200, 100, 50))) << "steps " << steps;
        EXPECT_EQ(RGB(200, 100, 50), c.At(2, 2));
        EXPECT_EQ(kWhite, c.At(1, 1));
    }
}

TEST(GradientRect, MoreStepsThanPixelsPileUpAtTheTop)
{
    // 3 pixels, 5 steps: bands are 1 pixel; the last two land on the top row again.
    CanvasDC c(4, 3);
    CRect rc(0, 0, 4, 3);
    CUtilityVisual::GradientRect(c.Dc(), rc, RGB(0, 0, 0), RGB(250, 0, 0), 5, TRUE);
    EXPECT_EQ(RGB(250, 0, 0), c.At(1, 2));
    EXPECT_EQ(RGB(200, 0, 0), c.At(1, 1));
    EXPECT_EQ(RGB(50, 0, 0), c.At(1, 0));
}

TEST(GradientRect, TwoHalvesEachWithItsPair)
{
    CanvasDC c(6, 41);
    CRect rc(0, 0, 6, 41);  // mid = 20
    CUtilityVisual::Gradient2Rect(c.Dc(), rc, RGB(0, 0, 0), RGB(0, 0, 255), RGB(0, 0, 0),
                                  RGB(255, 0, 0), 2);
    EXPECT_EQ(RGB(0, 0, 255), c.At(0, 19));   // upper half, bottom band
    EXPECT_EQ(RGB(0, 0, 255), c.At(0, 10));
    EXPECT_EQ(RGB(0, 0, 127), c.At(0, 9));
    EXPECT_EQ(RGB(0, 0, 127), c.At(0, 0));
    // Lower half: 21 pixels, bands of 10 from the bottom, the top one 11 high.
    EXPECT_EQ(RGB(255, 0, 0), c.At(0, 40));
    EXPECT_EQ(RGB(255, 0, 0), c.At(0, 31));
    EXPECT_EQ(RGB(127, 0, 0), c.At(0, 30));
    EXPECT_EQ(RGB(127, 0, 0), c.At(5, 20));
}

// ---------------------------------------------------------------------------------------------
// Lines and outlines

TEST(Lines, DrawLineLeavesOutTheEndPoint)
{
    CanvasDC c(20, 20);
    ScopedPen pen(c.canvas.Dc(), kBlack);
    CUtilityVisual::DrawLine(c.Dc(), 2, 3, 12, 3);
    EXPECT_EQ("..xxxxxxxxxx..", RowPattern(c, 3, 0, 13, kBlack));
    CPoint a(15, 5), b(15, 9);
    CUtilityVisual::DrawLine(c.Dc(), a, b);
    EXPECT_EQ(".....xxxx.", ColumnPattern(c, 15, 0, 9, kBlack));
}

TEST(Lines, DrawRectOutlinesAndKeepsTheInterior)
{
    CanvasDC c(20, 20, RGB(0, 255, 0));
    ScopedPen pen(c.canvas.Dc(), kBlack);
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = ::SelectObject(c.canvas.Dc(), red);
    CRect rc(2, 2, 12, 8);
    CUtilityVisual::DrawRect(c.Dc(), rc);
    EXPECT_EQ(red, ::GetCurrentObject(c.canvas.Dc(), OBJ_BRUSH));
    ::SelectObject(c.canvas.Dc(), old);
    ::DeleteObject(red);
    EXPECT_EQ(kBlack, c.At(2, 2));
    EXPECT_EQ(kBlack, c.At(11, 7));
    EXPECT_EQ(RGB(0, 255, 0), c.At(12, 8));
    EXPECT_EQ(RGB(0, 255, 0), c.At(6, 5));
    EXPECT_EQ(2 * 10 + 2 * 4, c.canvas.CountColor(kBlack));
}

TEST(Lines, Draw1BorderPicksOneEdgeAndIgnoresOtherValues)
{
    CRect rc(2, 2, 12, 12);
    struct Case { int side; POINT inside; POINT outside; };
    const Case cases[] = {
        {BORDER_LEFT, {2, 11}, {2, 12}},
        {BORDER_TOP, {11, 2}, {12, 2}},
        {BORDER_RIGHT, {12, 11}, {12, 12}},
        {BORDER_BOTTOM, {11, 12}, {12, 12}},
    };
    for (const Case& k : cases)
    {
        CanvasDC c(16, 16);
        ScopedPen pen(c.canvas.Dc(), kBlack);
        CUtilityVisual::Draw1Border(c.Dc(), rc, (ENUM_BORDER)k.side);
        EXPECT_EQ(10, c.canvas.CountColor(kBlack)) << "side " << k.side;
        EXPECT_EQ(kBlack, c.At(k.inside.x, k.inside.y)) << "side " << k.side;
        EXPECT_EQ(kWhite, c.At(k.outside.x, k.outside.y)) << "side " << k.side;
    }
    for (int side : {-1, 4, 100})
    {
        CanvasDC c(16, 16);
        ScopedPen pen(c.canvas.Dc(), kBlack);
        CUtilityVisual::Draw1Border(c.Dc(), rc, (ENUM_BORDER)side);
        EXPECT_EQ(0, c.canvas.CountColor(kBlack)) << "side " << side;
    }
}

TEST(Lines, FillRectWithLineCoversRightColumnAndBottomRowInclusive)
{
    {
        // Narrow: vertical lines for x = 2..6 inclusive, each ending before the bottom.
        CanvasDC c(12, 20);
        ScopedPen pen(c.canvas.Dc(), kBlack);
        CRect rc(2, 1, 6, 15);
        CUtilityVisual::FillRectWithLine(c.Dc(), rc);
        EXPECT_EQ(5 * 14, c.canvas.CountColor(kBlack));
        EXPECT_EQ(kBlack, c.At(6, 14));
        EXPECT_EQ(kWhite, c.At(6, 15));
        EXPECT_EQ(kWhite, c.At(7, 5));
    }
    {
        // Wide: horizontal lines for y = 1..4 inclusive.
        CanvasDC c(20, 8);
        ScopedPen pen(c.canvas.Dc(), kBlack);
        CRect rc(2, 1, 12, 4);
        CUtilityVisual::FillRectWithLine(c.Dc(), rc);
        EXPECT_EQ(10 * 4, c.canvas.CountColor(kBlack));
        EXPECT_EQ(kBlack, c.At(11, 4));
        EXPECT_EQ(kWhite, c.At(12, 4));
        EXPECT_EQ(kWhite, c.At(5, 5));
    }
}

TEST(DotLine, HorizontalDashesAreFourOnFourOffWhicheverEndComesFirst)
{
    CanvasDC a(30, 10), b(30, 10);
    ScopedPen pa(a.canvas.Dc(), kBlack), pb(b.canvas.Dc(), kBlack);
    CPoint p1(0, 5), p2(10, 5);
    CUtilityVisual::DrawDotLine(a.Dc(), p1, p2);
    CUtilityVisual::DrawDotLine(b.Dc(), p2, p1);
    EXPECT_EQ("xxxx....xx..", RowPattern(a, 5, 0, 11, kBlack));
    EXPECT_EQ(RowPattern(a, 5, 0, 29, kBlack), RowPattern(b, 5, 0, 29, kBlack));
    EXPECT_EQ(6, a.canvas.CountColor(kBlack));

    CanvasDC d(30, 10);
    ScopedPen pd(d.canvas.Dc(), kBlack);
    CPoint q1(1, 2), q2(21, 2);
    CUtilityVisual::DrawDotLine(d.Dc(), q1, q2);
    EXPECT_EQ(".xxxx....xxxx....xxxx..", RowPattern(d, 2, 0, 22, kBlack));
}

TEST(DotLine, VerticalDashesAreThreeOnFourOff)
{
    CanvasDC a(10, 30), b(10, 30);
    ScopedPen pa(a.canvas.Dc(), kBlack), pb(b.canvas.Dc(), kBlack);
    CPoint p1(5, 0), p2(5, 20);
    CUtilityVisual::DrawDotLine(a.Dc(), p1, p2);
    CUtilityVisual::DrawDotLine(b.Dc(), p2, p1);
    EXPECT_EQ("xxx....xxx....xxx.....", ColumnPattern(a, 5, 0, 21, kBlack));
    EXPECT_EQ(ColumnPattern(a, 5, 0, 29, kBlack), ColumnPattern(b, 5, 0, 29, kBlack));
}

TEST(DotLine, ShortVerticalDrawsNothingAndSlantedBecomesHorizontal)
{
    for (int len : {0, 1, 2})
    {
        CanvasDC c(10, 10);
        ScopedPen pen(c.canvas.Dc(), kBlack);
        CPoint p1(5, 3), p2(5, 3 + len);
        CUtilityVisual::DrawDotLine(c.Dc(), p1, p2);
        EXPECT_EQ(0, c.canvas.CountColor(kBlack)) << "length " << len;
    }
    {
        CanvasDC c(10, 10);
        ScopedPen pen(c.canvas.Dc(), kBlack);
        CPoint p1(5, 3), p2(5, 6);
        CUtilityVisual::DrawDotLine(c.Dc(), p1, p2);
        EXPECT_EQ("xxx.", ColumnPattern(c, 5, 3, 6, kBlack));
    }
    {
        // Slanted: drawn along the upper y from the smaller x to the larger.
        CanvasDC c(20, 10);
        ScopedPen pen(c.canvas.Dc(), kBlack);
        CPoint p1(12, 1), p2(2, 7);
        CUtilityVisual::DrawDotLine(c.Dc(), p1, p2);
        EXPECT_EQ("..xxxx....xx", RowPattern(c, 1, 0, 11, kBlack));
        EXPECT_EQ(6, c.canvas.CountColor(kBlack));
    }
}

TEST(DotLine, RectangleDashesAllFourEdges)
{
    CanvasDC c(30, 20);
    ScopedPen pen(c.canvas.Dc(), kBlack);
    CRect rc(2, 2, 22, 12);
    CUtilityVisual::DrawDotRectangle(c.Dc(), rc);
    // The right edge's first dash takes the top-right corner; the bottom edge's first dash
    // the bottom-left one.
    EXPECT_EQ("xxxx....xxxx....xxxxx", RowPattern(c, 2, 2, 22, kBlack));
    EXPECT_EQ("xxxx....xxxx....xxxx.", RowPattern(c, 12, 2, 22, kBlack));
    EXPECT_EQ("xxx....xxx.", ColumnPattern(c, 22, 2, 12, kBlack));
    EXPECT_EQ("xxx....xxxx", ColumnPattern(c, 2, 2, 12, kBlack));
}

TEST(Rop2, DrawingTwiceRestoresAndLeavesCopyPen)
{
    CanvasDC c(20, 20, RGB(10, 200, 30));
    ScopedPen pen(c.canvas.Dc(), RGB(255, 0, 0));
    ::SetROP2(c.canvas.Dc(), R2_XORPEN);
    CPoint a(1, 4), b(15, 4);
    CUtilityVisual::DrawRop2Line(c.Dc(), a, b);
    EXPECT_EQ(R2_COPYPEN, ::GetROP2(c.canvas.Dc()));
    EXPECT_EQ(RGB(245, 55, 225), c.At(1, 4));   // inverted, whatever the pen
    EXPECT_EQ(RGB(245, 55, 225), c.At(14, 4));
    EXPECT_EQ(RGB(10, 200, 30), c.At(15, 4));
    CUtilityVisual::DrawRop2Line(c.Dc(), a, b);
    EXPECT_EQ(20 * 20, c.canvas.CountColor(RGB(10, 200, 30)));

    ::SetROP2(c.canvas.Dc(), R2_MERGEPEN);
    CRect rc(3, 3, 13, 9);
    CUtilityVisual::DrawRop2Box(c.Dc(), rc);
    EXPECT_EQ(R2_COPYPEN, ::GetROP2(c.canvas.Dc()));
    // Each outline pixel exactly once, corners included.
    EXPECT_EQ(2 * 10 + 2 * 6, c.canvas.CountColor(RGB(245, 55, 225)));
    EXPECT_EQ(RGB(245, 55, 225), c.At(13, 9));
    EXPECT_EQ(RGB(245, 55, 225), c.At(3, 3));
    CUtilityVisual::DrawRop2Box(c.Dc(), rc);
    EXPECT_EQ(20 * 20, c.canvas.CountColor(RGB(10, 200, 30)));
}

// ---------------------------------------------------------------------------------------------
// Progress and check

namespace {
const COLORREF kFilledBottom = 0xFFAA4D;
const COLORREF kEmptyBottom = 0xF9FBFC;
}  // namespace

TEST(Progress, ThirtyPercentFilledThenEmpty)
{
    CanvasDC c(130, 50);
    // Inner bar: x 12..111 (100 pixels), y 12..31; bottom band at y 31.
    CRect rc(10, 10, 114, 34);
    CString text;
    CUtilityVisual::DrawProgress(c.Dc(), rc, text, 30, 0, 0, TRUE);
    EXPECT_EQ(kFilledBottom, c.At(20, 31));
    EXPECT_EQ(kFilledBottom, c.At(41, 31));
    EXPECT_EQ(kEmptyBottom, c.At(42, 31));
    EXPECT_EQ(kEmptyBottom, c.At(101, 31));
    // Frame: near-white line, then the two rounded outlines.
    EXPECT_EQ(0xFEFEFEu, c.At(12, 20));
    EXPECT_EQ(0xFEFEFEu, c.At(112, 20));
    EXPECT_EQ(0xFEFEFEu, c.At(60, 32));
    EXPECT_EQ(0x64748Cu, c.At(11, 20));
    EXPECT_EQ(0x64748Cu, c.At(113, 20));
    EXPECT_EQ(0xC6D2D7u, c.At(10, 20));
    EXPECT_EQ(0xC6D2D7u, c.At(114, 20));
    EXPECT_EQ(0xC6D2D7u, c.At(60, 34));
    EXPECT_EQ(kWhite, c.At(9, 20));
    // Top band: the bottom colour moved 15 of 16 steps towards the top colour.
    EXPECT_NE(kFilledBottom, c.At(20, 13));
    EXPECT_NE(0xFBE8C4u, c.At(20, 13));
    // No text: the caller's rectangle is kept.
    EXPECT_EQ(CRect(10, 10, 114, 34), rc);
}

TEST(Progress, SecondValueIsCutToWhatIsLeft)
{
    CanvasDC c(130, 50);
    CRect rc(10, 10, 114, 34);
    CString text;
    CUtilityVisual::DrawProgress(c.Dc(), rc, text, 60, 70, 0, FALSE);
    EXPECT_EQ(kFilledBottom, c.At(71, 31));
    EXPECT_EQ(kEmptyBottom, c.At(72, 31));
    EXPECT_EQ(kEmptyBottom, c.At(111, 31));
    // 60 pixels filled, the first of them under the frame's left line.
    int filled = 0;
    for (int x = 13; x < 112; ++x)
        filled += c.At(x, 31) == kFilledBottom;
    EXPECT_EQ(59, filled);
}

TEST(Progress, ThirdValueHighlightsTheMiddleSegment)
{
    CanvasDC c(130, 50);
    CRect rc(10, 10, 114, 34);
    CString text;
    // 20 + 30 + 10 fall short of 100: the third takes the rest (50).
    CUtilityVisual::DrawProgress(c.Dc(), rc, text, 20, 30, 10, FALSE);
    EXPECT_EQ(kEmptyBottom, c.At(31, 31));
    EXPECT_EQ(kFilledBottom, c.At(32, 31));
    EXPECT_EQ(kFilledBottom, c.At(61, 31));
    EXPECT_EQ(kEmptyBottom, c.At(62, 31));
    EXPECT_EQ(kEmptyBottom, c.At(111, 31));
}

TEST(Progress, TextIsCentredInTheNarrowedRectangleAndStateRestored)
{
    CanvasDC c(130, 50);
    ::SetBkMode(c.canvas.Dc(), OPAQUE);
    ::SetTextColor(c.canvas.Dc(), RGB(1, 2, 3));
    DcState before(c.canvas.Dc());
    CRect rc(10, 10, 114, 34);
    CString text("50%");
    CUtilityVisual::DrawProgress(c.Dc(), rc, text, 50, 0, 0, TRUE);
    EXPECT_TRUE(before == DcState(c.canvas.Dc()));
    EXPECT_EQ(CRect(14, 10, 110, 34), rc);
    int black = 0, left = 1000, right = -1;
    for (int y = 12; y < 32; ++y)
        for (int x = 12; x < 112; ++x)
            if (c.At(x, y) == kBlack)
            {
                ++black;
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GT(black, 10);
    // Centred: the margins on either side differ by at most a pixel or two.
    EXPECT_LE(std::abs((left - 14) - (109 - right)), 2) << left << " " << right;
}

TEST(Check, BoxShadowAndTick)
{
    CanvasDC c(30, 30);
    CRect rc(0, 0, 30, 21);  // mid 10: box from (3,5) to (13,15)
    const COLORREF frame = RGB(0x80, 0x90, 0xA0), tick = RGB(0, 0, 255);
    const COLORREF shadow = RGB(0x62, 0x72, 0x82);
    CUtilityVisual::DrawCheck(c.Dc(), rc, 3, FALSE, frame, tick);
    EXPECT_EQ(frame, c.At(3, 15));
    EXPECT_EQ(frame, c.At(3, 6));
    EXPECT_EQ(frame, c.At(3, 5));
    EXPECT_EQ(frame, c.At(12, 5));
    EXPECT_EQ(shadow, c.At(13, 5));
    EXPECT_EQ(shadow, c.At(13, 14));
    EXPECT_EQ(shadow, c.At(13, 15));
    EXPECT_EQ(shadow, c.At(4, 15));
    EXPECT_EQ(20, c.canvas.CountColor(frame));
    EXPECT_EQ(20, c.canvas.CountColor(shadow));
    EXPECT_EQ(0, c.canvas.CountColor(tick));

    CUtilityVisual::DrawCheck(c.Dc(), rc, 3, TRUE, frame, tick);
    const POINT tickPixels[] = {{2, 5}, {2, 6}, {3, 6}, {3, 7}, {4, 7}, {4, 8}, {5, 7},
                                {5, 6}, {6, 6}, {6, 5}, {7, 5}, {7, 4}, {8, 4}, {8, 3}};
    for (const POINT& p : tickPixels)
        EXPECT_EQ(tick, c.At(3 + p.x, 5 + p.y)) << p.x << "," << p.y;
    EXPECT_EQ(14, c.canvas.CountColor(tick));
    // The low point is at x + 4.
    for (int y = 14; y < 30; ++y)
        EXPECT_NE(tick, c.At(7, y));
    EXPECT_EQ(tick, c.At(7, 13));
}

// ---------------------------------------------------------------------------------------------
// Resources

TEST(DrawingBalance, TenThousandCallsOfEachRoutineLeaveNoGdiObjects)
{
    CanvasDC c(140, 60);
    ScopedPen pen(c.canvas.Dc(), kBlack);
    DcState before(c.canvas.Dc());
    CString text("x");
    CString empty;
    lumotest::GdiBalance balance;
    ASSERT_GT(balance.Start(), 0);
    for (int i = 0; i < 10000; ++i)
    {
        CRect rc(10, 10, 114, 34);
        CRect small(2, 2, 8, 8);
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
    EXPECT_TRUE(before == DcState(c.canvas.Dc()));
}

TEST(DrawingBalance, NullDcDoesNothing)
{
    CRect rc(0, 0, 10, 10);
    CPoint a(0, 0), b(5, 5);
    CString text("t");
    CUtilityVisual::GradientRect(nullptr, rc, 0, 0, 4, TRUE);
    CUtilityVisual::Gradient2Rect(nullptr, rc, 0, 0, 0, 0, 4);
    CUtilityVisual::DrawLine(nullptr, a, b);
    CUtilityVisual::DrawRect(nullptr, rc);
    CUtilityVisual::Draw1Border(nullptr, rc, BORDER_LEFT);
    CUtilityVisual::FillRectWithLine(nullptr, rc);
    CUtilityVisual::DrawDotRectangle(nullptr, rc);
    CUtilityVisual::DrawRop2Box(nullptr, rc);
    CUtilityVisual::DrawProgress(nullptr, rc, text, 1, 2, 3, 1);
    CUtilityVisual::DrawCheck(nullptr, rc, 0, 1, 0, 0);
    CUtilityVisual::draw_pic(nullptr, nullptr, rc, SRCCOPY, 0);
    CUtilityVisual::fill_with_pic(nullptr, nullptr, rc);
    CDC empty;
    CUtilityVisual::DrawProgress(&empty, rc, text, 1, 2, 3, 1);
    CUtilityVisual::draw_picEx(&empty, nullptr, rc, 5, SRCCOPY);
    SUCCEED();
}
