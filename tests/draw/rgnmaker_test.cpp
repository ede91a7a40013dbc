// Band regions of a rectangle, checked point by point at their boundaries.
#include "CRgnMaker.h"
#include "DrawTestUtil.h"

namespace {

// Index of the one band containing the point, -1 for none, -2 for more than one.
int BandAt(CRgnMaker& maker, int x, int y)
{
    int found = -1;
    for (int i = 0; maker.GetAt(i); ++i)
    {
        if (maker.GetAt(i)->PtInRegion(x, y))
            found = found == -1 ? i : -2;
    }
    return found;
}

struct BandIs { int x, y, band; };

// Every point in the band expected (-1: in none).
::testing::AssertionResult BandsAre(CRgnMaker& maker, std::initializer_list<BandIs> points)
{
    std::string bad;
    for (const BandIs& p : points)
        if (BandAt(maker, p.x, p.y) != p.band)
            bad += " (" + std::to_string(p.x) + "," + std::to_string(p.y) + ") in " + std::to_string(BandAt(maker, p.x, p.y)) + ";";
    if (bad.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "points in other bands:" << bad;
}

std::vector<int> CutOf(const CRgnMaker& maker)
{
    std::vector<int> v;
    const CUIntArray& cut = maker.GetLastCut();
    for (INT_PTR i = 0; i < cut.GetSize(); ++i)
        v.push_back((int)cut[i]);
    return v;
}

}  // namespace

TEST(RgnMaker, TwoEqualEntriesMakeTwoBandsCutAtThirtyPercent)
{
    int centre[] = {30, 30, 0};
    int edges[] = {30, 30, 0};
    int shape[] = {50, 0};
    CRgnMaker maker;
    CRect rc(0, 0, 100, 100);
    maker.InitVert(rc, centre, edges);
    EXPECT_EQ(2, maker.GetCount());
    EXPECT_EQ(30, centre[1]);  // counted entries are left alone
    for (int i = 0; i < 5; ++i)
        maker.MakeRgn_SideBySide(shape);
    EXPECT_EQ(2, maker.GetMadeCount());
    // A one-segment shape gives a cut of three points: edge, centre, edge.
    EXPECT_EQ((std::vector<int>{0, 30, 50, 30, 100, 30}), CutOf(maker));

    EXPECT_TRUE(BandsAre(maker, {{0, 0, 0}, {50, 29, 0}, {99, 29, 0}, {50, 30, 1}, {0, 30, 1},
                                {99, 99, 1}, {50, 100, -1}, {100, 50, -1}}));

    EXPECT_EQ(nullptr, maker.GetAt(-1));
    EXPECT_EQ(nullptr, maker.GetAt(2));
    EXPECT_NE(nullptr, maker.GetAt(1));
}

TEST(RgnMaker, ListsAreNormalisedInPlace)
{
    {
        int centre[] = {30, 80, 0};
        int edges[] = {30, 80, 0};
        CRgnMaker maker;
        CRect rc(5, 5, 55, 45);
        maker.InitVert(rc, centre, edges);
        EXPECT_EQ(70, centre[1]);
        EXPECT_EQ(70, edges[1]);
        EXPECT_EQ(0, centre[2]);
        EXPECT_EQ(1, maker.GetCount());
        int shape[] = {50, 0};
        maker.MakeRgn_SideBySide(shape);
        maker.MakeRgn_SideBySide(shape);
        EXPECT_EQ(1, maker.GetMadeCount());
        EXPECT_TRUE(BandsAre(maker, {{5, 5, 0}, {54, 44, 0}, {55, 44, -1}, {4, 5, -1}}));
    }
    {
        int centre[] = {30, -5, 12, 0};
        int edges[] = {20, 20, 20, 20, 20, 0};
        CRgnMaker maker;
        CRect rc(0, 0, 10, 10);
        maker.InitVert(rc, centre, edges);
        EXPECT_EQ(70, centre[1]);
        EXPECT_EQ(12, centre[2]);  // past the end of the list: untouched
        EXPECT_EQ(20, edges[3]);
        EXPECT_EQ(20, edges[4]);   // the entry that reaches 100 becomes 100 - 80
        EXPECT_EQ(4, maker.GetCount());
    }
    {
        int centre[] = {100, 0};
        int edges[] = {0};
        CRgnMaker maker;
        CRect rc(0, 0, 10, 10);
        maker.InitVert(rc, centre, edges);
        EXPECT_EQ(100, centre[0]);
        EXPECT_EQ(1, maker.GetCount());
    }
}

TEST(RgnMaker, ArchedCutsOffsetByTheRectangle)
{
    // Three bands; the cuts rise towards the centre (centre depth above edge depth).
    int centre[] = {20, 30, 10, 0};
    int edges[] = {40, 20, 10, 0};
    int shape[] = {50, 0};
    CRgnMaker maker;
    CRect rc(10, 20, 210, 120);
    maker.InitVert(rc, centre, edges);
    ASSERT_EQ(3, maker.GetCount());
    maker.MakeRgn_SideBySide(shape);
    EXPECT_EQ((std::vector<int>{10, 60, 110, 40, 210, 60}), CutOf(maker));
    maker.MakeRgn_SideBySide(shape);
    EXPECT_EQ((std::vector<int>{10, 80, 110, 70, 210, 80}), CutOf(maker));
    maker.MakeRgn_SideBySide(shape);
    EXPECT_EQ(3, maker.GetMadeCount());

    EXPECT_TRUE(BandsAre(maker, {{110, 20, 0}, {110, 37, 0}, {110, 43, 1}, {12, 57, 0}, {12, 63, 1},
                                {110, 67, 1}, {110, 73, 2}, {12, 77, 1}, {12, 83, 2}, {209, 119, 2},
                                {110, 120, -1}, {110, 19, -1}, {9, 50, -1}}));
}

TEST(RgnMaker, LongerShapeStepsTheDepthEvenly)
{
    int centre[] = {10, 10, 0};
    int edges[] = {40, 10, 0};
    int shape[] = {20, 30, 50, 0};
    CRgnMaker maker;
    CRect rc(0, 0, 200, 100);
    maker.InitVert(rc, centre, edges);
    maker.MakeRgn_SideBySide(shape);
    EXPECT_EQ((std::vector<int>{0, 40, 30, 30, 50, 20, 100, 10, 120, 20, 150, 30, 200, 40}),
              CutOf(maker));
}

TEST(RgnMaker, ShortListEntriesCutAtLeastOnePixel)
{
    int centre[] = {50, 0};
    int edges[] = {1, 1, 1, 0};
    int shape[] = {50, 0};
    CRgnMaker maker;
    CRect rc(0, 0, 40, 50);
    maker.InitVert(rc, centre, edges);
    ASSERT_EQ(3, maker.GetCount());
    maker.MakeRgn_SideBySide(shape);
    // 1 % of 50 truncates to 0 and counts as 1.
    EXPECT_EQ((std::vector<int>{0, 1, 20, 25, 40, 1}), CutOf(maker));
    maker.MakeRgn_SideBySide(shape);
    // The missing centre entry is 0, so the centre moves down 1 pixel as well.
    EXPECT_EQ((std::vector<int>{0, 2, 20, 26, 40, 2}), CutOf(maker));
}

TEST(RgnMaker, EmptyRectangleMakesNothingAndEmptyResets)
{
    int centre[] = {30, 30, 0};
    int edges[] = {30, 30, 0};
    int shape[] = {50, 0};
    CRgnMaker maker;
    CRect flat(0, 0, 100, 0);
    maker.InitVert(flat, centre, edges);
    maker.MakeRgn_SideBySide(shape);
    EXPECT_EQ(nullptr, maker.GetAt(0));
    EXPECT_EQ(0, maker.GetMadeCount());

    maker.Empty();
    EXPECT_EQ(0, maker.GetCount());
    CRect rc(0, 0, 100, 100);
    maker.InitVert(rc, centre, edges);
    maker.MakeRgn_SideBySide(shape);
    maker.MakeRgn_SideBySide(shape);
    EXPECT_EQ(2, maker.GetMadeCount());
    maker.Empty();
    EXPECT_EQ(nullptr, maker.GetAt(0));
    EXPECT_EQ(0, maker.GetMadeCount());
}

TEST(RgnMaker, RegionsAreFreedByEmptyAndByTheDestructor)
{
    int shape[] = {30, 40, 0};
    CRect rc(0, 0, 300, 200);
    {
        int centre[] = {10, 10, 10, 10, 0};
        int edges[] = {20, 20, 20, 20, 0};
        CRgnMaker warm;
        warm.InitVert(rc, centre, edges);
        warm.MakeRgn_SideBySide(shape);
    }
    lumotest::GdiBalance balance;
    for (int i = 0, n = lumotest::SoakCycles(200, 1000); i < n; ++i)
    {
        int centre[] = {10, 10, 10, 10, 0};
        int edges[] = {20, 20, 20, 20, 0};
        CRgnMaker maker;
        maker.InitVert(rc, centre, edges);
        for (int k = 0; k < 4; ++k)
            maker.MakeRgn_SideBySide(shape);
        ASSERT_EQ(4, maker.GetMadeCount());
        maker.Empty();
        maker.InitVert(rc, centre, edges);
        for (int k = 0; k < 4; ++k)
            maker.MakeRgn_SideBySide(shape);
    }
    EXPECT_EQ(0, balance.Delta());
}
