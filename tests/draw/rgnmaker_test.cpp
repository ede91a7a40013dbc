// Band regions of a rectangle, checked by their cut lines and point by point at their boundaries.
#include "CRgnMaker.h"
#include "DrawTestUtil.h"

namespace {

// The bands read as an image, for the pixel tables: At(x, y) is the index of the one band
// containing the point, kNone for none, kMany for more than one.
const COLORREF kNone = CLR_INVALID, kMany = CLR_INVALID - 1;
struct Bands {
    CRgnMaker& maker;
    COLORREF At(int x, int y) const {
        COLORREF found = kNone;
        for (int i = 0; maker.GetAt(i); ++i)
            if (maker.GetAt(i)->PtInRegion(x, y)) found = found == kNone ? i : kMany;
        return found;
    }
};

std::vector<int> CutOf(const CRgnMaker& maker) {
    std::vector<int> v;
    const CUIntArray& cut = maker.GetLastCut();
    for (INT_PTR i = 0; i < cut.GetSize(); ++i) v.push_back((int)cut[i]);
    return v;
}

}  // namespace

TEST(RgnMaker, CutsFollowTheListsAndTheShape) {
    // Each case: the lists, the rectangle, the shape, then the cut after each call (x, y pairs:
    // edge, shape points, edge). Depths step from the edge list towards the centre list.
    struct Case {
        std::vector<int> centre, edges, shape;
        CRect rc;
        std::vector<std::vector<int>> cuts;
    };
    const Case cases[] = {
        // Two equal entries: two bands cut at 30 %; a counted entry is left alone.
        {{30, 30, 0}, {30, 30, 0}, {50, 0}, CRect(0, 0, 100, 100), {{0, 30, 50, 30, 100, 30}}},
        // Arched and offset by the rectangle: the cuts rise towards the centre.
        {{20, 30, 10, 0}, {40, 20, 10, 0}, {50, 0}, CRect(10, 20, 210, 120),
         {{10, 60, 110, 40, 210, 60}, {10, 80, 110, 70, 210, 80}}},
        // A longer shape steps the depth evenly.
        {{10, 10, 0}, {40, 10, 0}, {20, 30, 50, 0}, CRect(0, 0, 200, 100),
         {{0, 40, 30, 30, 50, 20, 100, 10, 120, 20, 150, 30, 200, 40}}},
        // 1 % of 50 truncates to 0 and counts as 1; the missing centre entry is 0, so the centre
        // moves down a pixel too.
        {{50, 0}, {1, 1, 1, 0}, {50, 0}, CRect(0, 0, 40, 50), {{0, 1, 20, 25, 40, 1}, {0, 2, 20, 26, 40, 2}}},
    };
    for (const Case& k : cases) {
        std::vector<int> centre = k.centre, edges = k.edges, shape = k.shape;
        CRgnMaker maker;
        CRect rc = k.rc;
        maker.InitVert(rc, centre.data(), edges.data());
        EXPECT_EQ(k.centre, centre);
        for (size_t i = 0; i < k.cuts.size(); ++i) {
            maker.MakeRgn_SideBySide(shape.data());
            EXPECT_EQ(k.cuts[i], CutOf(maker)) << k.rc.right << " cut " << i;
        }
    }
}

TEST(RgnMaker, BandsCoverTheRectangleOnceEach) {
    int centre[] = {20, 30, 10, 0}, edges[] = {40, 20, 10, 0}, shape[] = {50, 0};
    CRgnMaker maker;
    CRect rc(10, 20, 210, 120);
    maker.InitVert(rc, centre, edges);
    ASSERT_EQ(3, maker.GetCount());
    for (int i = 0; i < 5; ++i) maker.MakeRgn_SideBySide(shape);  // calls past the last band make nothing more
    EXPECT_EQ(3, maker.GetMadeCount());
    EXPECT_TRUE(lumotest::PixelsAre(Bands{maker}, {{110, 20, 0}, {110, 37, 0}, {110, 43, 1}, {12, 57, 0},
                                                   {12, 63, 1}, {110, 67, 1}, {110, 73, 2}, {12, 77, 1}, {12, 83, 2},
                                                   {209, 119, 2}, {110, 120, kNone}, {110, 19, kNone}, {9, 50, kNone},
                                                   {210, 50, kNone}}));
    EXPECT_EQ(nullptr, maker.GetAt(-1));
    EXPECT_EQ(nullptr, maker.GetAt(3));

    maker.Empty();
    EXPECT_EQ(nullptr, maker.GetAt(0));
    EXPECT_EQ(0, maker.GetMadeCount());
    EXPECT_EQ(0, maker.GetCount());
    CRect flat(0, 0, 100, 0);  // nothing to cut
    maker.InitVert(flat, centre, edges);
    maker.MakeRgn_SideBySide(shape);
    EXPECT_EQ(0, maker.GetMadeCount());
}

TEST(RgnMaker, ListsAreNormalisedInPlace) {
    // Entries past 100 in all are cut to what is left; the list ends at the entry reaching 100.
    int centre[] = {30, 80, 0}, edges[] = {30, 80, 0};
    CRgnMaker maker;
    CRect rc(5, 5, 55, 45);
    maker.InitVert(rc, centre, edges);
    EXPECT_EQ(70, centre[1]);
    EXPECT_EQ(70, edges[1]);
    EXPECT_EQ(1, maker.GetCount());

    int c2[] = {30, -5, 12, 0}, e2[] = {20, 20, 20, 20, 20, 0};
    CRgnMaker second;
    second.InitVert(rc, c2, e2);
    EXPECT_EQ(70, c2[1]);
    EXPECT_EQ(12, c2[2]);  // past the end of the list: untouched
    EXPECT_EQ(20, e2[4]);  // the entry that reaches 100 becomes 100 - 80
    EXPECT_EQ(4, second.GetCount());
}

TEST(RgnMaker, RegionsAreFreedByEmptyAndByTheDestructor) {
    int shape[] = {30, 40, 0};
    CRect rc(0, 0, 300, 200);
    auto cycle = [&] {
        int centre[] = {10, 10, 10, 10, 0}, edges[] = {20, 20, 20, 20, 0};
        CRgnMaker maker;
        for (int pass = 0; pass < 2; ++pass) {
            maker.Empty();
            maker.InitVert(rc, centre, edges);
            for (int k = 0; k < 4; ++k) maker.MakeRgn_SideBySide(shape);
        }
    };
    cycle();
    lumotest::GdiBalance balance;
    for (int i = 0, n = lumotest::SoakCycles(200, 1000); i < n; ++i) cycle();
    EXPECT_EQ(0, balance.Delta());
}
