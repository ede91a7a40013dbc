// Moving a window into a corner of another, and window ancestry.
#include "CUtilityVisual.h"
#include "DrawTestUtil.h"

TEST(MoveToCorner, EachCornerKeepsTheSize) {
    lumotest::HostWindow reference(400, 300), moved(120, 80);
    ASSERT_TRUE(reference.Hwnd() && moved.Hwnd());
    auto rectOf = [](HWND hwnd) { CRect rc; ::GetWindowRect(hwnd, &rc); return rc; };
    const CRect r = rectOf(reference), start = rectOf(moved);
    const int w = start.Width(), h = start.Height();
    const struct { ENUM_MOVE_CORNER corner; CPoint topLeft; } cases[] = {
        {CORNER_TOPLEFT, CPoint(r.left, r.top)},
        {CORNER_TOPRIGHT, CPoint(r.right - w, r.top)},
        {CORNER_BOTTOMRIGHT, CPoint(r.right - w, r.bottom - h)},
        {CORNER_BOTTOMLEFT, CPoint(r.left, r.bottom - h)},
    };
    for (const auto& k : cases) {
        CUtilityVisual::move_to_corner(CWnd::FromHandle(reference), CWnd::FromHandle(moved), k.corner);
        EXPECT_EQ(CRect(k.topLeft, start.Size()), rectOf(moved)) << "corner " << k.corner;
    }
    // Other corners and missing windows move nothing.
    const CRect before = rectOf(moved);
    for (int corner : {0, 5, -1})
        CUtilityVisual::move_to_corner(CWnd::FromHandle(reference), CWnd::FromHandle(moved), (ENUM_MOVE_CORNER)corner);
    CUtilityVisual::move_to_corner(nullptr, CWnd::FromHandle(moved), CORNER_TOPLEFT);
    CUtilityVisual::move_to_corner(CWnd::FromHandle(reference), nullptr, CORNER_TOPLEFT);
    EXPECT_EQ(before, rectOf(moved));
}

TEST(Ancestry, FollowsParentsUpToTheAncestor) {
    lumotest::HostWindow top(200, 200), other(100, 100);
    lumotest::HostWindow child(100, 100, true, top.Hwnd());
    lumotest::HostWindow grandchild(50, 50, true, child.Hwnd());
    ASSERT_TRUE(top.Hwnd() && child.Hwnd() && grandchild.Hwnd() && other.Hwnd());
    const struct { HWND wnd, ancestor; bool belongs; } cases[] = {
        {grandchild, top, true}, {grandchild, child, true}, {child, child, true}, {top, top, true},
        {top, child, false}, {grandchild, other, false}, {other, top, false},
        {child, nullptr, true}, {nullptr, nullptr, true}, {nullptr, top, false},
        {(HWND)(LONG_PTR)0x7FFF1234, top, false},
    };
    for (const auto& k : cases) {
        const bool belongs = CUtilityVisual::IsWidowBelongsToAncestor(k.wnd, k.ancestor);
        EXPECT_EQ(k.belongs, belongs) << k.wnd << " in " << k.ancestor;
    }
}
