// XP buttons painted into a memory canvas and read back: push-button faces and frames by state,
// the pressed shift, focus rectangle and keyboard cues, disabled text, the default button, flat
// looks, the drop arrow, check and radio boxes, images and the gradient look.
#include "XPButtonTest.h"
#include "draw/CUtilityVisual.h"
#include "frame/LumoRes.h"

using namespace xptest;

namespace {

// Step i of a face table as designed: (blue, green, red) per band, pressed apart.
COLORREF Step(int table, int i) {
    auto bgr = [](int b, int g, int r) { return RGB(r, g, b); };
    if (table == 4) return bgr(236 - i / 4, 236 - i / 3, 236 - i / 3);
    int p, q;  // blue, and green = red
    if (i < 8) {
        const int a = 255 - i / 4, b = 255 - i / 5, c = 255 - i / 6;
        const int v[4][2] = {{a, b}, {c, b}, {b, a}, {c, a}};
        p = v[table][0], q = v[table][1];
    } else if (i <= 52) {
        const int d = 255 - i / 3, a = 255 - i / 4, e = 255 - i / 5;
        const int v[4][2] = {{d, a}, {e, a}, {a, d}, {e, d}};
        p = v[table][0], q = v[table][1];
    } else {
        const int f = 257 - i / 2, g = 257 - i / 3, h = 257 - i / 4;
        const int v[4][2] = {{f, g}, {h, g}, {g, f}, {h, f}};
        p = v[table][0], q = v[table][1];
    }
    return bgr(p, q, q);
}
enum { kHotFocused, kHot, kFocused, kNormal, kPressed };

struct State {
    const char* name;
    bool hover, focus, press, disable;
};

void Apply(CButtonXP& b, const State& s) {
    if (s.hover) b.SendMessage(WM_MOUSEHOVER);
    if (s.press) b._OnLButtonDown();
    if (s.focus) b.SetFocus();
    if (s.disable) b.EnableWindow(FALSE);
}

TEST(XPButtonPaint, PushButtonFaceAndFrameFollowTheState) {
    const struct Case {
        State s;
        int table;
        COLORREF left, top, right, bottom;  // frame; CLR_INVALID: none
    } cases[] = {
        {{"normal", 0, 0, 0, 0}, kNormal, CLR_INVALID},
        {{"hover", 1, 0, 0, 0}, kHot, 0x58C4FA, 0x79D2FC, 0x6ACAFB, 0x0097E5},
        {{"focused", 0, 1, 0, 0}, kFocused, 0xFCC699, 0xFFC9A2, 0xFCBDA2, 0xFFC9A2},
        {{"hover+focused", 1, 1, 0, 0}, kHotFocused, 0x58C4FA, 0x79D2FC, 0x6ACAFB, 0x0097E5},
        {{"pressed", 1, 1, 1, 0}, kPressed, 0xC6C6C6, 0xB9B9B9, 0xC6C6C6, 0xD2D2D2},
        {{"disabled", 0, 0, 0, 1}, kNormal, CLR_INVALID},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.s.name);
        FrameworkHost host;
        CButtonXP b;
        ASSERT_TRUE(Make(b, host, "OK", BS_PUSHBUTTON));
        Apply(b, c.s);
        MemoryCanvas canvas(kW, kH);
        Paint(b, canvas);
        // Rows of the face (2 .. 24) from the state's table; frame and focus rows left out.
        const bool framed = c.left != CLR_INVALID;
        for (int y = framed ? 4 : 2; y <= (framed ? 21 : 24); ++y)
            EXPECT_EQ(canvas.At(10, y), Step(c.table, 63 * y / 25)) << "row " << y;
        EXPECT_TRUE(PixelsAre(canvas, {{0, 0, kBack}, {45, 0, c.s.disable ? 0x828282u : 0u}, {0, 13, c.s.disable ? 0x828282u : 0u}}));
        if (framed) {
            EXPECT_TRUE(PixelsAre(canvas, {{2, 12, c.left}, {45, 2, c.top}, {88, 12, c.right}, {45, 24, c.bottom}}));
        }
    }
}

TEST(XPButtonPaint, PressedCaptionShiftsAndFocusRectangleFollowsKeyboardCues) {
    FrameworkHost host;
    CButtonXP b;
    ASSERT_TRUE(Make(b, host, "Save", BS_PUSHBUTTON));
    const RECT inner = {4, 4, 86, 22};
    MemoryCanvas normal(kW, kH), pressed(kW, kH), cues(kW, kH), hidden(kW, kH);
    Paint(b, normal);
    b._OnLButtonDown();
    Paint(b, pressed);
    RECT a = BoxOf(normal, RGB(0, 0, 0), inner), p = BoxOf(pressed, RGB(0, 0, 0), inner);
    ASSERT_FALSE(IsRectEmpty(&a));
    OffsetRect(&a, 1, 1);
    EXPECT_TRUE(EqualRect(&a, &p));

    // Pressed draws the focus rectangle inside the frame; hidden cues leave it out, and only it.
    Paint(b, cues);
    b.SendMessage(WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS));
    Paint(b, hidden);
    int onRect = 0, elsewhere = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            if (cues.At(x, y) == hidden.At(x, y)) continue;
            const bool edge = (x == 3 || x == 86) ? (y >= 3 && y <= 22) : (y == 3 || y == 22) && x >= 3 && x <= 86;
            (edge ? onRect : elsewhere)++;
        }
    EXPECT_GT(onRect, 40);
    EXPECT_EQ(elsewhere, 0);
    b.SendMessage(WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS));
    Paint(b, hidden);
    EXPECT_EQ(hidden.At(3, 10), cues.At(3, 10));
}

TEST(XPButtonPaint, DisabledTextIsEmbossedAndDefaultButtonIsFramed) {
    FrameworkHost host;
    CButtonXP b, d;
    ASSERT_TRUE(Make(b, host, "Delete", BS_PUSHBUTTON));
    ASSERT_TRUE(Make(d, host, "OK", BS_DEFPUSHBUTTON, 110, 101));
    MemoryCanvas on(kW, kH), off(kW, kH);
    Paint(b, on);
    b.EnableWindow(FALSE);
    Paint(b, off);
    const RECT text = {4, 4, 86, 22};
    EXPECT_GT(on.CountColor(RGB(0, 0, 0), text), 0);
    EXPECT_EQ(off.CountColor(RGB(0, 0, 0), text), 0);
    EXPECT_GT(off.CountColor(GetSysColor(COLOR_3DSHADOW), text), 0);

    // The default button shows the focus frame without the focus, until a dialog moves the
    // default away; the window stays owner-drawn throughout.
    EXPECT_EQ(d.GetStyle() & BS_TYPEMASK, (DWORD)BS_OWNERDRAW);
    EXPECT_TRUE(d.IsDefault());
    EXPECT_EQ(d.SendMessage(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON), DLGC_DEFPUSHBUTTON);
    MemoryCanvas canvas(kW, kH);
    Paint(d, canvas);
    EXPECT_EQ(canvas.At(2, 12), 0xFCC699u);
    d.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(d.GetStyle() & BS_TYPEMASK, (DWORD)BS_OWNERDRAW);
    EXPECT_EQ(d.SendMessage(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON), DLGC_UNDEFPUSHBUTTON);
    Paint(d, canvas);
    EXPECT_EQ(canvas.At(2, 12), Step(kNormal, 63 * 12 / 25));
}

TEST(XPButtonPaint, FlatLooks) {
    const COLORREF base = kBack, light = CUtilityVisual::Hilight(base, 21);
    const COLORREF dark = CUtilityVisual::Hilight(light, -100), lighter = CUtilityVisual::Hilight(light, 50);
    const struct Case {
        const char* name;
        DWORD style;
        int hoverFace, hover, press, check;
        std::initializer_list<PixelIs> pixels;
    } cases[] = {
        {"plain", BS_PUSHBUTTON, 0, 0, 0, 0, {{0, 5, base}, {45, 1, base}, {89, 5, base}}},
        {"raised under the mouse", BS_PUSHBUTTON, 0, 1, 0, 0, {{0, 5, lighter}, {45, 0, lighter}, {89, 5, dark}, {45, 25, dark}}},
        {"rounded face", BS_PUSHBUTTON, 1, 1, 0, 0, {{0, 0, base}, {0, 13, dark}, {1, 13, base}, {2, 13, light}}},
        {"pressed", BS_PUSHBUTTON, 0, 1, 1, 0, {{10, 5, light}, {0, 5, dark}, {89, 5, lighter}}},
        {"checked check box is down", BS_AUTOCHECKBOX, 0, 0, 0, 1, {{10, 5, base}, {0, 5, dark}, {89, 5, lighter}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FrameworkHost host;
        CButtonXP b;
        ASSERT_TRUE(Make(b, host, "Flat", c.style));
        b.SetFlat(TRUE, c.hoverFace);
        if (c.hover) b.SendMessage(WM_MOUSEHOVER);
        if (c.press) b._OnLButtonDown();
        if (c.check) b.SetCheck(BST_CHECKED);
        MemoryCanvas canvas(kW, kH);
        Paint(b, canvas);
        EXPECT_TRUE(PixelsAre(canvas, c.pixels));
    }
}

TEST(XPButtonPaint, DropMenuArrowNarrowsTheCaptionAndHoldsThePress) {
    FrameworkHost host;
    CButtonXP plain, drop;
    ASSERT_TRUE(Make(plain, host, "Print", BS_PUSHBUTTON));
    ASSERT_TRUE(Make(drop, host, "Print", BS_PUSHBUTTON, 110, 101));
    plain.SetFlat(TRUE);
    drop.SetFlat(TRUE);
    drop.SetDropMenu(TRUE);
    MemoryCanvas a(kW, kH), b(kW, kH);
    Paint(plain, a);
    Paint(drop, b);
    const RECT caption = {2, 2, 76, 24};
    RECT ta = BoxOf(a, RGB(0, 0, 0), caption), tb = BoxOf(b, RGB(0, 0, 0), caption);
    EXPECT_EQ(tb.left, ta.left - 5);
    // A triangle of 6, 4 and 2 pixels, its top row at the middle less 2.
    EXPECT_TRUE(PixelsAre(b, RGB(0, 0, 0), {{80, 11}, {85, 11}, {81, 12}, {84, 12}, {82, 13}, {83, 13}}));
    EXPECT_NE(b.At(79, 11), RGB(0, 0, 0));
    EXPECT_NE(b.At(84, 13), RGB(0, 0, 0));
    drop.EnableWindow(FALSE);
    Paint(drop, b);
    const COLORREF dark = CUtilityVisual::Hilight(CUtilityVisual::Hilight(kBack, 21), -100);
    EXPECT_TRUE(PixelsAre(b, dark, {{80, 11}, {83, 13}}));

    // The press opens the menu: the button stays down until the menu is dismissed, and a press
    // right after that does not open it again.
    drop.EnableWindow(TRUE);
    drop._OnLButtonDown();
    Paint(drop, b);
    EXPECT_TRUE(drop.IsMenuDropped());
    drop._OnLButtonUp(0, CPoint(5, 5));
    Paint(drop, b);
    EXPECT_TRUE(drop.IsPressed());
    drop.DismissMenu();
    EXPECT_FALSE(drop.IsMenuDropped() || drop.IsPressed());
    drop._OnLButtonDown();
    Paint(drop, b);
    EXPECT_FALSE(drop.IsMenuDropped());
}

// The box as the library's bitmap shows it, magenta standing for the background.
int BoxMismatches(const MemoryCanvas& canvas, int x0, int y0, int id) {
    HBITMAP bmp = Load1Bitmap(id);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    int bad = bmp ? 0 : -1;
    for (int y = 0; bmp && y < 13; ++y)
        for (int x = 0; x < 13; ++x) {
            COLORREF want = GetPixel(dc, x, y);
            bad += canvas.At(x0 + x, y0 + y) != (want == RGB(255, 0, 255) ? kBack : want);
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
    return bad;
}

TEST(XPButtonPaint, CheckAndRadioBoxesShowTheLibraryPictureOfTheirState) {
    const struct Case {
        int hover, press, check;
        int checkId, radioId;
    } cases[] = {
        {0, 0, 0, 5021, 5015}, {1, 0, 0, 5024, 5018}, {1, 1, 0, 5019, 5013},
        {0, 0, 1, 5022, 5016}, {1, 0, 1, 5020, 5014}, {1, 1, 1, 5023, 5017},
    };
    for (const Case& c : cases)
        for (int radio = 0; radio < 2; ++radio) {
            SCOPED_TRACE(::testing::Message() << (radio ? "radio " : "check ") << c.hover << c.press << c.check);
            FrameworkHost host;
            CButtonXP b;
            ASSERT_TRUE(Make(b, host, "Option", radio ? BS_AUTORADIOBUTTON : BS_AUTOCHECKBOX));
            ASSERT_EQ(b.GetButtonType(), radio ? XPBUTTON_RADIO : XPBUTTON_CHECK);
            if (c.hover) b.SendMessage(WM_MOUSEHOVER);
            if (c.press) b._OnLButtonDown();
            if (c.check) b.SetCheck(BST_CHECKED);
            MemoryCanvas canvas(kW, kH);
            Paint(b, canvas);
            EXPECT_EQ(BoxMismatches(canvas, 0, (kH - 13) / 2, radio ? c.radioId : c.checkId), 0);
            // The caption starts 6 pixels right of the box.
            EXPECT_GE(BoxOf(canvas, RGB(0, 0, 0), RECT{13, 0, kW, kH}).left, 19);
        }

    // Disabled: outlines with a grey tick or dot; text on the left puts the box at the right.
    FrameworkHost host;
    CButtonXP check, radio, left;
    ASSERT_TRUE(Make(check, host, "", BS_AUTOCHECKBOX));
    ASSERT_TRUE(Make(radio, host, "", BS_AUTORADIOBUTTON, 110, 101));
    ASSERT_TRUE(Make(left, host, "Left", BS_AUTOCHECKBOX | BS_LEFTTEXT, 210, 102));
    MemoryCanvas canvas(kW, kH);
    for (CButtonXP* b : {&check, &radio}) {
        b->SetCheck(BST_CHECKED);
        b->EnableWindow(FALSE);
    }
    const int y0 = (kH - 13) / 2;
    Paint(check, canvas);
    EXPECT_TRUE(PixelsAre(canvas, 0x828282, {{0, y0}, {12, y0 + 12}, {4, y0 + 7}, {8, y0 + 5}}));
    Paint(radio, canvas);
    EXPECT_TRUE(PixelsAre(canvas, {{6, y0 + 6, 0xAAAAAA}, {6, y0, 0x828282}}));
    Paint(left, canvas);
    EXPECT_EQ(BoxMismatches(canvas, kW - 13, y0, 5021), 0);
}

TEST(XPButtonPaint, BitmapImageKeepsItsTransparentColourAndTurnsGreyWhenDisabled) {
    // 8 x 8 on magenta: a red band over a green one.
    CBitmap bmp;
    MemoryCanvas source(8, 8, RGB(255, 0, 255));
    RECT red = {2, 2, 6, 4}, green = {2, 4, 6, 6};
    FillRect(source.Dc(), &red, (HBRUSH)GetStockObject(DC_BRUSH));
    SetDCBrushColor(source.Dc(), RGB(0, 255, 0));
    FillRect(source.Dc(), &green, (HBRUSH)GetStockObject(DC_BRUSH));
    SetDCBrushColor(source.Dc(), RGB(255, 0, 0));
    FillRect(source.Dc(), &red, (HBRUSH)GetStockObject(DC_BRUSH));
    HBITMAP copy = (HBITMAP)CopyImage(source.Bitmap(), IMAGE_BITMAP, 0, 0, 0);
    ASSERT_TRUE(bmp.Attach(copy));

    FrameworkHost host;
    CButtonXP b;
    ASSERT_TRUE(Make(b, host, "", BS_PUSHBUTTON));
    b.SetButtonBmp(bmp, ICON_LEFT, 4);
    ASSERT_EQ(b.GetImage()->GetPixelCount(), 16);
    // No text: the image sits exactly in the middle, gap or not.
    const int x0 = (kW - 8) / 2, y0 = kH / 2 - 4;
    MemoryCanvas canvas(kW, kH);
    Paint(b, canvas);
    EXPECT_TRUE(PixelsAre(canvas, {{x0 + 2, y0 + 2, RGB(255, 0, 0)}, {x0 + 5, y0 + 5, RGB(0, 255, 0)},
                                   {x0, y0, Step(kNormal, 63 * y0 / 25)}, {x0 + 6, y0 + 2, Step(kNormal, 63 * (y0 + 2) / 25)}}));
    // Greys halved, then lifted so the brightest is white: green 0x99/2 -> 255, red 0x19/2 -> 0xBF.
    b.EnableWindow(FALSE);
    Paint(b, canvas);
    EXPECT_TRUE(PixelsAre(canvas, {{x0 + 2, y0 + 2, RGB(0xBF, 0xBF, 0xBF)}, {x0 + 5, y0 + 5, RGB(255, 255, 255)}}));
}

TEST(XPButtonPaint, GradientLookUnderTheMouse) {
    FrameworkHost host;
    CButtonXPGradient b;
    ASSERT_TRUE(Make(b, host, "Sales", BS_PUSHBUTTON));
    MemoryCanvas canvas(kW, kH), reference(kW, kH, kBack);
    Paint(b, canvas);
    EXPECT_TRUE(PixelsAre(canvas, kBack, {{0, 5}, {5, 12}}));
    // Hovered: two bands split at half the height (a third when pressed) and a frame.
    for (int press = 0; press < 2; ++press) {
        b.SendMessage(WM_MOUSEHOVER);
        if (press) b._OnLButtonDown();
        Paint(b, canvas);
        CDC* dc = CDC::FromHandle(reference.Dc());
        const int split = press ? 25 / 3 : 25 / 2;
        CRect upper(0, 0, 89, split), lower(0, split, 89, 25);
        CUtilityVisual::GradientRect(dc, upper, 0xDEF6FC, 0x93E7F6, 10, TRUE);
        CUtilityVisual::GradientRect(dc, lower, 0x39D7F3, 0xAAF1FB, 10, TRUE);
        for (int y = 1; y < 24; ++y) EXPECT_EQ(canvas.At(5, y), reference.At(5, y)) << press << " row " << y;
        EXPECT_TRUE(PixelsAre(canvas, 0x3BBCF0, {{0, 5}, {88, 5}, {40, 0}, {40, 24}}));
    }
    b.SetCheck(BST_CHECKED);
    Paint(b, canvas);
    EXPECT_EQ(canvas.At(12, 12 - 5), 0x3BBCF0u);
}

TEST(XPButtonPaint, PaintingAndButtonLifetimesLeaveNoObjects) {
    FrameworkHost host;
    {
        CButtonXP warm;
        ASSERT_TRUE(Make(warm, host, "Warm", BS_AUTORADIOBUTTON));
        MemoryCanvas canvas(kW, kH);
        Paint(warm, canvas);
    }
    MemoryCanvas canvas(kW, kH);
    GdiBalance gdi;
    WindowBalance windows;
    const DWORD styles[] = {BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON};
    for (int i = 0; i < 100; ++i) {
        CButtonXP b;
        ASSERT_TRUE(Make(b, host, "Cycle", styles[i % 4]));
        b.SetFlat(i % 3 == 0, i % 2);
        b.SetDropMenu(i % 5 == 0);
        b.SendMessage(WM_MOUSEHOVER);
        if (i % 2) b._OnLButtonDown();
        if (i % 7 == 0) b.EnableWindow(FALSE);
        Paint(b, canvas);
    }
    EXPECT_EQ(gdi.Delta(), 0);
    EXPECT_EQ(windows.Delta(), 0);
}

}  // namespace
