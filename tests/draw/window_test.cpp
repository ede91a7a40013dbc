// Moving a window into a corner of another, and window ancestry.
#include "CUtilityVisual.h"
#include "DrawTestUtil.h"

namespace {

CRect WindowRectOf(HWND hwnd)
{
    CRect rc;
    ::GetWindowRect(hwnd, &rc);
    return rc;
}

}  // namespace

TEST(MoveToCorner, EachCornerKeepsTheSize)
{
    lumotest::HostWindow reference(400, 300);
    lumotest::HostWindow moved(120, 80);
    ASSERT_TRUE(reference.Hwnd() && moved.Hwnd());
    const CRect r = WindowRectOf(reference);
    const CRect start = WindowRectOf(moved);
    const int w = start.Width(), h = start.Height();

    struct Case { ENUM_MOVE_CORNER corner; CPoint topLeft; };
    const Case cases[] = {
        {CORNER_TOPLEFT, CPoint(r.left, r.top)},
        {CORNER_TOPRIGHT, CPoint(r.right - w, r.top)},
        {CORNER_BOTTOMRIGHT, CPoint(r.right - w, r.bottom - h)},
        {CORNER_BOTTOMLEFT, CPoint(r.left, r.bottom - h)},
    };
    for (const Case& k : cases)
    {
        CUtilityVisual::move_to_corner(CWnd::FromHandle(reference), CWnd::FromHandle(moved), k.corner);
        const CRect now = WindowRectOf(moved);
        EXPECT_EQ(k.topLeft, now.TopLeft()) << "corner " << k.corner;
        EXPECT_EQ(w, now.Width()) << "corner " << k.corner;
        EXPECT_EQ(h, now.Height()) << "corner " << k.corner;
    }

    const CRect before = WindowRectOf(moved);
    for (int corner : {0, 5, -1})
        CUtilityVisual::move_to_corner(CWnd::FromHandle(reference), CWnd::FromHandle(moved),
                                       (ENUM_MOVE_CORNER)corner);
    EXPECT_EQ(before, WindowRectOf(moved));
    CUtilityVisual::move_to_corner(nullptr, CWnd::FromHandle(moved), CORNER_TOPLEFT);
    CUtilityVisual::move_to_corner(CWnd::FromHandle(reference), nullptr, CORNER_TOPLEFT);
    EXPECT_EQ(before, WindowRectOf(moved));
}

TEST(Ancestry, FollowsParentsUpToTheAncestor)
{
    lumotest::HostWindow top(200, 200);
    lumotest::HostWindow child(100, 100, true, top.Hwnd());
    lumotest::HostWindow grandchild(50, 50, true, child.Hwnd());
    lumotest::HostWindow other(100, 100);
    ASSERT_TRUE(top.Hwnd() && child.Hwnd() && grandchild.Hwnd() && other.Hwnd());

    EXPECT_TRUE(CUtilityVisual::IsWidowBelongsToAncestor(grandchild, top));
    EXPECT_TRUE(CUtilityVisual::IsWidowBelongsToAncestor(grandchild, child));
    EXPECT_TRUE(CUtilityVisual::IsWidowBelongsToAncestor(child, child));
    EXPECT_TRUE(CUtilityVisual::IsWidowBelongsToAncestor(top, top));
    EXPECT_FALSE(CUtilityVisual::IsWidowBelongsToAncestor(top, child));
    EXPECT_FALSE(CUtilityVisual::IsWidowBelongsToAncestor(grandchild, other));
    EXPECT_FALSE(CUtilityVisual::IsWidowBelongsToAncestor(other, top));

    EXPECT_TRUE(CUtilityVisual::IsWidowBelongsToAncestor(child, nullptr));
    EXPECT_TRUE(CUtilityVisual::IsWidowBelongsToAncestor(nullptr, nullptr));
    EXPECT_FALSE(CUtilityVisual::IsWidowBelongsToAncestor(nullptr, top));
    EXPECT_FALSE(CUtilityVisual::IsWidowBelongsToAncestor((HWND)(LONG_PTR)0x7FFF1234, top));
}
