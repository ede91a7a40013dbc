// Items of a CMenuPopEx, and its owner-drawn levels measured and painted into a memory canvas.
// Text is compared with what the same font draws in the same place; sizes with this machine's
// menu metrics.
#include "MenuTestUtil.h"
#include "PixelTable.h"
#include "CUtilityVisual.h"

#include <memory>

using namespace lumotest;
using namespace menutest;

namespace {

const COLORREF kRed = RGB(200, 40, 40), kBlue = RGB(40, 40, 200), kMagenta = RGB(255, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255), kBar = 0xEAEAEA, kBack = 0xF5F5F5;

// A size x size bitmap of one colour with its corners (top-left, top-right, bottom-left,
// bottom-right) set.
HBITMAP Bitmap(int size, COLORREF fill, const COLORREF* corners = nullptr) {
    auto bgr = [](COLORREF c) { return DWORD(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); };
    std::vector<DWORD> px(size * size, bgr(fill));
    const int at[4] = {0, size - 1, size * (size - 1), size * size - 1};
    for (int i = 0; corners && i < 4; ++i) px[at[i]] = bgr(corners[i]);
    return CreateBitmap(size, size, 1, 32, px.data());
}

TEST(MenuItems, SetItemAddsChangesOrRefuses) {
    TestMenu menu(nullptr);
    const struct { int id; const char* text; int parent; bool refused; int count; } steps[] = {
        {1, "A", 0, false, 1}, {1, "B", 2, false, 1},  // same id: changed in its place
        {0, "-", 0, false, 2}, {5, "-", 0, false, 3}, {5, "-", 0, false, 4},  // separators always new
        {0, "X", 0, true, 4},  {-3, "X", 0, true, 4}};
    for (const auto& s : steps) {
        CMenuItem* item = menu.SetItem(s.id, s.text, s.parent);
        EXPECT_EQ(item == nullptr, s.refused) << s.id << s.text;
        EXPECT_EQ(menu.ItemCount(), s.count) << s.id << s.text;
        EXPECT_TRUE(!item || (item->m_strText == s.text && item->m_nParentID == s.parent && item->m_bEnabled));
    }
    EXPECT_EQ(menu.Find(1), 0);
}

// DestroyIcon answers whether the icon was still alive.
TEST(MenuItems, PicturesAreDestroyedOnlyWhereTheItemOwnsThem) {
    EXPECT_EQ(LeaksOf([] {
                  HICON kept = SolidIcon(kRed), owned = SolidIcon(kBlue), replaced = SolidIcon(kRed);
                  HICON refused = SolidIcon(kBlue);
                  HBITMAP bitmap = Bitmap(16, kBlue);
                  {
                      TestMenu menu(nullptr);
                      menu.SetItem(1, "kept", 0, kept, 16, 0);
                      menu.SetItem(2, "owned", 0, owned, 24, 1);
                      menu.SetItem(3, "replaced", 0, replaced, 16, 1);
                      EXPECT_EQ(menu.SetItem(0, "refused", 0, refused, 16, 1), nullptr);
                      CMenuItem* item = menu.SetItem(3, "replaced", 0, CBitmap::FromHandle(bitmap));
                      EXPECT_TRUE(item->m_pImageList && item->m_nImageWidth == 16 && item->m_bOwnsPictures);
                      EXPECT_FALSE(DestroyIcon(replaced));  // an owned picture goes when another takes its place
                  }
                  EXPECT_TRUE(DestroyIcon(kept));
                  EXPECT_TRUE(DestroyIcon(refused)) << "a refused item takes no icon";
                  EXPECT_FALSE(DestroyIcon(owned));
                  DeleteObject(bitmap);
              }),
              Leaks{});
}

// A level answers for the item data it appended and nothing else, whatever its storage holds
// past its last item: the data of another level's item (the level asked first would otherwise
// measure and draw that item), or null.
TEST(MenuItems, ALevelHoldsOnlyTheItemDataItAppended) {
    struct Level : CMenuEx {
        // Leaves a value in the storage just past the last item, as an item taken back would.
        void LeaveBehind(ULONG_PTR value) {
            m_arrItemData.Add(reinterpret_cast<CMenuItemData*>(value));
            m_arrItemData.SetSize(m_arrItemData.GetSize() - 1);
        }
        ULONG_PTR DataAt(UINT pos) {
            MENUITEMINFOA mii = {sizeof(mii), MIIM_DATA};
            return ::GetMenuItemInfoA(GetSafeHmenu(), pos, TRUE, &mii) ? mii.dwItemData : 0;
        }
    };
    Level empty, a, b;
    for (Level* level : {&empty, &a, &b}) ASSERT_TRUE(level->CreatePopupMenu());
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(a.AppendOwnerDrawn(MF_SEPARATOR, 0, nullptr));
        ASSERT_TRUE(b.AppendOwnerDrawn(MF_SEPARATOR, 0, nullptr));
    }
    const ULONG_PTR a1 = a.DataAt(1), b0 = b.DataAt(0);
    ASSERT_TRUE(a1 && b0 && a1 != b0);
    EXPECT_TRUE(a.HoldsItemData(a.DataAt(0)) && a.HoldsItemData(a1) && b.HoldsItemData(b0));
    EXPECT_FALSE(a.HoldsItemData(b0));
    EXPECT_FALSE(empty.HoldsItemData(b0));
    a.LeaveBehind(b0);
    EXPECT_FALSE(a.HoldsItemData(b0));
    EXPECT_TRUE(a.HoldsItemData(a1));
    EXPECT_FALSE(a.HoldsItemData(0));
}

// ---------------------------------------------------------------------------------------------
// Measuring and drawing
// ---------------------------------------------------------------------------------------------

class MenuDrawing : public ::testing::Test {
protected:
    static constexpr int kWidth = 220;
    const int height_ = MenuMetrics().iMenuHeight + 1;
    const int y0_ = (height_ - 16) / 2 + 1, mid_ = height_ / 2;  // a 16-pixel picture's top; the middle
    HostWindow owner_;

    // One item drawn by a level, in a given state.
    std::unique_ptr<MemoryCanvas> Draw(CMenuEx* level, UINT id, UINT state) {
        auto canvas = std::make_unique<MemoryCanvas>(kWidth, height_, RGB(1, 2, 3));
        DRAWITEMSTRUCT dis = {ODT_MENU, 0, id, ODA_DRAWENTIRE, state, (HWND)level->GetSafeHmenu(), canvas->Dc(),
                              {0, 0, kWidth, height_}, 0};
        level->DrawItem(&dis);
        return canvas;
    }

    // Pixels right of the column line (bar + 1) unlike the text and shortcut drawn in the menu
    // font where the item puts them.
    int TextDiffers(const MemoryCanvas& drawn, int bar, const char* text, const char* shortcut, COLORREF color) {
        return TextColumnDiffers(drawn, {0, 0, kWidth, height_}, bar, text, shortcut, color);
    }
};

TEST_F(MenuDrawing, SizesColumnsSelectionChecksSeparatorsAndGreyedItems) {
    TestMenu menu(owner_);
    menu.SetItem(1, "&Open", 0, SolidIcon(kRed), 16, 1);
    menu.SetShortcut(1, "Ctrl+O");
    menu.SetItem(2, "Checked", 0, SolidIcon(kBlue), 16, 1);
    menu.SetItem(3, "Greyed", 0, SolidIcon(kRed), 16, 1);
    menu.SetItem(0, "-", 0);
    menu.SetItem(4, "Send to", 0);
    menu.SetItem(5, "Mail", 4);
    menu.SetShortcut(9, "x");  // unknown ids change nothing
    menu.SetCheck(9, 1);
    menu.SetCheck(2, 1);
    menu.SetEnable(3, 0);
    menu.ShowAndClose();
    CMenuEx* root = menu.Root();
    const HMENU hmenu = root->GetSafeHmenu();
    EXPECT_EQ(GetMenuItemCount(hmenu), 5);
    EXPECT_EQ(GetMenuState(hmenu, 1, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED), 0u);
    EXPECT_EQ(GetMenuState(hmenu, 2, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED), UINT(MF_CHECKED));
    EXPECT_EQ(GetMenuState(hmenu, 3, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED), UINT(MF_GRAYED));
    const int bar = 28, h = height_, y0 = y0_, mid = mid_;
    ASSERT_EQ(menu.Look()->m_nLeftBarWidth, bar);  // the widest picture and 12

    // Sizes: the column, the text, a gap and the shortcut; the menu's height, or the picture's and
    // 7; 10 by the menu's height for a separator.
    const struct { UINT id; int w, h; } sizes[] = {{0, 10, h},
                                                   {1, bar + MenuText("&Open") + 10 + MenuText("Ctrl+O") + 10, 0},
                                                   {3, bar + MenuText("Greyed") + 10, 0}};
    for (const auto& c : sizes) {
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, c.id, 0, 0, 0};
        root->MeasureItem(&mis);
        EXPECT_EQ(int(mis.itemWidth), c.w) << c.id;
        EXPECT_EQ(int(mis.itemHeight), c.h ? c.h : std::max(h, 16 + 7)) << c.id;
    }
    // Without pictures the column is 24 wide; a 32-pixel picture widens it and heightens its item.
    TestMenu plain(owner_), big(owner_);
    plain.SetItem(1, "One", 0);
    big.SetItem(2, "Big", 0, SolidIcon(kRed, 32), 32, 1);
    plain.ShowAndClose();
    big.ShowAndClose();
    MEASUREITEMSTRUCT mis = {ODT_MENU, 0, 2, 0, 0, 0};
    big.Root()->MeasureItem(&mis);
    EXPECT_TRUE(plain.Look()->m_nLeftBarWidth == 24 && big.Look()->m_nLeftBarWidth == 44);
    EXPECT_EQ(int(mis.itemHeight), std::max(h, 32 + 7));

    auto open = Draw(root, 1, 0);
    EXPECT_TRUE(PixelsAre(*open, {{1, 1, kBar}, {bar, 1, kBack}, {bar + 1, 0, 0xC0C0C0}, {bar + 1, h - 1, 0xC0C0C0},
                                  {5, y0, kBar}, {6, y0, kRed}, {21, y0 + 15, kRed}, {22, y0, kBar}}));
    EXPECT_EQ(TextDiffers(*open, bar, "&Open", "Ctrl+O", 0), 0);

    // Selected: the rounded gradient over the whole item, the picture one pixel up and left.
    MemoryCanvas fill(kWidth, h);
    CRect rc(0, 0, kWidth, h);
    CUtilityVisual::Gradient2Rect(CDC::FromHandle(fill.Dc()), rc, 0xEBF7FB, 0xAEECF7, 0x70E2F7, 0xAEECF7, 8);
    const COLORREF edge = CUtilityVisual::Hilight(0x70E2F7, -30);
    EXPECT_TRUE(PixelsAre(*Draw(root, 1, ODS_SELECTED),
                          {{kWidth / 2, 0, edge}, {kWidth / 2, h - 1, edge}, {0, mid, edge}, {2, 2, fill.At(2, 2)},
                           {bar + 20, h - 3, fill.At(bar + 20, h - 3)}, {5, y0 - 1, kRed}, {20, y0 + 14, kRed}}));

    // Greyed: no gradient, grey text, the picture drawn disabled.
    auto greyed = Draw(root, 3, ODS_GRAYED);
    EXPECT_TRUE(PixelsAre(*greyed, {{1, 1, kBar}, {bar + 3, 1, kBack}, {kWidth - 2, h - 2, kBack}}));
    EXPECT_EQ(greyed->CountColor(kRed), 0);
    EXPECT_EQ(TextDiffers(*greyed, bar, "Greyed", nullptr, 0xB5B5B5), 0);
    // Selected (the keyboard stops on it): the selection's edge alone around the same item.
    auto greyedSelected = Draw(root, 3, ODS_SELECTED | ODS_GRAYED);
    EXPECT_TRUE(PixelsAre(*greyedSelected, {{kWidth / 2, 0, edge}, {kWidth / 2, h - 1, edge}, {0, mid, edge},
                                            {kWidth - 1, mid, edge}}));
    int changed = 0;
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < kWidth - 1; ++x) changed += greyedSelected->At(x, y) != greyed->At(x, y);
    EXPECT_LE(changed, 4) << "no more than the rounded corners' inner pixels";

    // Checked: the check box instead of the picture.
    auto checked = Draw(root, 2, ODS_CHECKED);
    EXPECT_TRUE(PixelsAre(*checked, {{6, mid, 0x3BBCF0}, {10, mid - 5, 0x3BBCF0}, {8, mid, 0}}));
    EXPECT_EQ(checked->CountColor(kBlue), 0);

    // Separator: a line through the middle of the text column.
    auto separator = Draw(root, 0, 0);
    EXPECT_TRUE(PixelsAre(*separator, {{bar + 3, mid, kBack}, {bar + 4, mid, 0xC5C5C5}, {kWidth - 2, mid, 0xC5C5C5},
                                       {kWidth - 1, mid, kBack}}));
    EXPECT_EQ(separator->CountColor(0xC5C5C5), kWidth - 2 - (bar + 4) + 1);

    // The submenu item is found by the submenu handle it carries as its id.
    MENUITEMINFOA mii = {sizeof(mii), MIIM_ID | MIIM_SUBMENU};
    ASSERT_TRUE(GetMenuItemInfoA(hmenu, 4, TRUE, &mii) && mii.hSubMenu);
    EXPECT_EQ(TextDiffers(*Draw(root, mii.wID, 0), bar, "Send to", nullptr, 0), 0);

    // Selection colours: all three alike fill with the one colour; two alike, a gradient of the
    // first two; each with the edge of the last colour that differs, 30 darker.
    const struct { COLORREF c1, c2, c3, edge, fill; } looks[] = {
        {RGB(200, 210, 220), RGB(200, 210, 220), RGB(200, 210, 220), RGB(170, 180, 190), RGB(200, 210, 220)},
        {RGB(250, 250, 250), RGB(150, 160, 170), RGB(150, 160, 170), RGB(120, 130, 140), 0},
        {RGB(150, 160, 170), RGB(150, 160, 170), RGB(250, 250, 250), RGB(120, 130, 140), 0}};
    for (const auto& l : looks) {
        menu.SetSelectedColor(l.c1, l.c2, l.c3);
        auto selected = Draw(root, 2, ODS_SELECTED);
        EXPECT_TRUE(PixelsAre(*selected, {{kWidth / 2, 0, l.edge}, {0, mid, l.edge}}));
        EXPECT_TRUE(!l.fill || selected->At(kWidth - 5, mid) == l.fill);
    }
    menu.SetSelectedColor(0xEBF7FB, 0xAEECF7, 0x70E2F7);

    // Colours set after showing take effect at the next drawing.
    menu.SetBkColor(RGB(10, 20, 30));
    menu.SetLeftBarColor(RGB(40, 50, 60));
    EXPECT_TRUE(PixelsAre(*Draw(root, 0, 0), {{1, 1, RGB(40, 50, 60)}, {bar + 3, 1, RGB(10, 20, 30)}}));
}

// A tab in the text starts the shortcut: "Find\tCtrl+F" is measured and drawn as "Find" and a
// right-aligned "Ctrl+F", as SetShortcut gives; a shortcut SetShortcut gave comes first.
TEST_F(MenuDrawing, TextAfterATabIsTheShortcutInItsOwnColumn) {
    TestMenu menu(owner_);
    menu.SetItem(1, "&Find\tCtrl+F", 0);
    menu.SetItem(2, "Save\tCtrl+S", 0);
    menu.SetShortcut(2, "F2");
    menu.SetItem(3, "Tab at the end\t", 0);
    menu.ShowAndClose();
    const int bar = 24;
    const struct { UINT id; const char *text, *shortcut; } cases[] = {
        {1, "&Find", "Ctrl+F"}, {2, "Save", "F2"}, {3, "Tab at the end", nullptr}};
    for (const auto& c : cases) {
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, c.id, 0, 0, 0};
        menu.Root()->MeasureItem(&mis);
        EXPECT_EQ(int(mis.itemWidth), bar + MenuText(c.text) + 10 + (c.shortcut ? MenuText(c.shortcut) + 10 : 0)) << c.id;
        EXPECT_EQ(TextDiffers(*Draw(menu.Root(), c.id, 0), bar, c.text, c.shortcut, 0), 0) << c.id;
    }
    EXPECT_EQ(menu.Root()->OnMenuChar('f'), MAKELRESULT(0, MNC_EXECUTE));
}

// The colour most corners share is left out; on a tie, the top-left corner's.
TEST_F(MenuDrawing, BitmapItemsLeaveOutTheirCornerColour) {
    const COLORREF threeMagenta[4] = {kMagenta, kMagenta, kWhite, kMagenta};
    const COLORREF tie[4] = {kWhite, kMagenta, kMagenta, kWhite};
    const struct { const COLORREF* corners; COLORREF masked; } cases[] = {{threeMagenta, kMagenta}, {tie, kWhite}};
    for (const auto& c : cases) {
        HBITMAP bitmap = Bitmap(16, kBlue, c.corners);
        TestMenu menu(owner_);
        menu.SetItem(1, "bitmap", 0, CBitmap::FromHandle(bitmap));
        menu.ShowAndClose();
        auto drawn = Draw(menu.Root(), 1, 0);
        const POINT at[4] = {{6, y0_}, {21, y0_}, {6, y0_ + 15}, {21, y0_ + 15}};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(drawn->At(at[i].x, at[i].y), c.corners[i] == c.masked ? kBar : c.corners[i]) << i;
        EXPECT_EQ(drawn->At(12, y0_ + 8), kBlue);
        DeleteObject(bitmap);
    }
}

}  // namespace
