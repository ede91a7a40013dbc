// XP buttons painted into a memory canvas and read back: push-button faces and frames by state,
// the pressed shift, focus rectangle and keyboard cues, disabled text, the default button, flat
// looks, the drop arrow, check and radio boxes, images and the gradient look.
#include "XPButtonTest.h"
#include "CUtilityVisual.h"

using namespace xptest;

namespace {

// The face of a push button in row 20, from the table of its state.
const COLORREF kNormalFace = 0xF5EFEF;

// Push buttons by state, with the frame (left, top, right, bottom) of the hot, focused and
// pressed states, and the flat look: raised, rounded, sunken or down, in shades of the host's colour.
TEST(XPButtonPaint, FaceAndFrameFollowTheStateFlatOrNot) {
    const COLORREF base = kBack, light = CUtilityVisual::Hilight(base, 21);
    const COLORREF dark = CUtilityVisual::Hilight(light, -100), lighter = CUtilityVisual::Hilight(light, 50);
    const COLORREF hot[4] = {0x58C4FA, 0x79D2FC, 0x6ACAFB, 0x0097E5};
    const struct {
        DWORD style;
        int flat, state;  // flat: 1, or 2 with the face shown under the mouse
        std::initializer_list<PixelIs> pixels;
    } cases[] = {
        {BS_PUSHBUTTON, 0, 0, {{10, 20, kNormalFace}}},
        {BS_PUSHBUTTON, 0, kHover,
         {{10, 20, 0xF5F3F3}, {2, 12, hot[0]}, {45, 2, hot[1]}, {88, 12, hot[2]}, {45, 24, hot[3]}}},
        {BS_PUSHBUTTON, 0, kFocus,
         {{10, 20, 0xF3EFEF}, {2, 12, 0xFCC699}, {45, 2, 0xFFC9A2}, {88, 12, 0xFCBDA2}, {45, 24, 0xFFC9A2}}},
        {BS_PUSHBUTTON, 0, kHover | kFocus,
         {{10, 20, 0xEFF3F3}, {2, 12, hot[0]}, {45, 2, hot[1]}, {88, 12, hot[2]}, {45, 24, hot[3]}}},
        {BS_PUSHBUTTON, 0, kHover | kFocus | kPress,
         {{10, 20, 0xE0DCDC}, {2, 12, 0xC6C6C6}, {45, 2, 0xB9B9B9}, {88, 12, 0xC6C6C6}, {45, 24, 0xD2D2D2}}},
        {BS_PUSHBUTTON, 0, kDisable, {{10, 20, kNormalFace}}},
        {BS_PUSHBUTTON, 1, 0, {{0, 5, base}, {45, 1, base}, {89, 5, base}}},
        {BS_PUSHBUTTON, 1, kHover, {{0, 5, lighter}, {45, 0, lighter}, {89, 5, dark}, {45, 25, dark}}},  // raised
        {BS_PUSHBUTTON, 2, kHover, {{0, 0, base}, {0, 13, dark}, {1, 13, base}, {2, 13, light}}},    // rounded
        {BS_PUSHBUTTON, 1, kHover | kPress, {{10, 5, light}, {0, 5, dark}, {89, 5, lighter}}},       // sunken
        {BS_AUTOCHECKBOX, 1, kCheck, {{10, 5, base}, {0, 5, dark}, {89, 5, lighter}}},               // checked: down
        {BS_DEFPUSHBUTTON, 1, 0, {{10, 5, base}, {0, 5, dark}, {45, 0, dark}, {89, 5, dark}}},       // default: framed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "flat " << c.flat << " state " << c.state);
        ButtonHost host;
        CButtonXP b;
        ASSERT_TRUE(Make(b, host, "OK", c.style));
        if (c.flat) b.SetFlat(TRUE, c.flat == 2);
        SetState(b, c.state);
        MemoryCanvas canvas(kW, kH);
        Paint(b, canvas);
        EXPECT_TRUE(PixelsAre(canvas, c.pixels));
        // The rounded outline, grey when disabled, with the host's colour outside it.
        const COLORREF outline = (c.state & kDisable) ? 0x828282 : 0;
        if (!c.flat) {
            EXPECT_TRUE(PixelsAre(canvas, {{0, 0, kBack}, {45, 0, outline}, {0, 13, outline}}));
        }
    }
}

TEST(XPButtonPaint, PressedCaptionShiftsAndFocusRectangleFollowsKeyboardCues) {
    ButtonHost host;
    CButtonXP b;
    ASSERT_TRUE(Make(b, host, "Save", BS_PUSHBUTTON));
    const RECT inner = {4, 4, 86, 22};
    MemoryCanvas normal(kW, kH), pressed(kW, kH), hidden(kW, kH);
    Paint(b, normal);
    b._OnLButtonDown();
    Paint(b, pressed);
    RECT a = BoxOf(normal, RGB(0, 0, 0), inner), p = BoxOf(pressed, RGB(0, 0, 0), inner);
    ASSERT_FALSE(IsRectEmpty(&a));
    OffsetRect(&a, 1, 1);
    EXPECT_TRUE(EqualRect(&a, &p));

    // Pressed draws the focus rectangle inside the frame; hidden cues leave it out, and only it.
    b.SendMessage(WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS));
    Paint(b, hidden);
    int onRect = 0, elsewhere = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (pressed.At(x, y) != hidden.At(x, y))
                ((x == 3 || x == 86) && y >= 3 && y <= 22) || ((y == 3 || y == 22) && x >= 3 && x <= 86) ? ++onRect
                                                                                                      : ++elsewhere;
    EXPECT_GT(onRect, 40);
    EXPECT_EQ(elsewhere, 0);
    b.SendMessage(WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS));
    Paint(b, hidden);
    EXPECT_EQ(hidden.At(3, 10), pressed.At(3, 10));
}

TEST(XPButtonPaint, DisabledTextIsEmbossedPrefixesUnderlineAndTheDefaultButtonIsFramed) {
    ButtonHost host;
    CButtonXP b, d;
    ASSERT_TRUE(Make(b, host, "Delete", BS_PUSHBUTTON));
    ASSERT_TRUE(Make(d, host, "OK", BS_DEFPUSHBUTTON, 110, 101));
    const RECT text = {4, 4, 86, 22};
    MemoryCanvas on(kW, kH), off(kW, kH);
    Paint(b, on);
    b.SetWindowText("&Delete");
    Paint(b, off);
    RECT plain = BoxOf(on, 0, text), prefixed = BoxOf(off, 0, text);
    EXPECT_LE(abs((prefixed.right - prefixed.left) - (plain.right - plain.left)), 3);  // no '&' drawn
    EXPECT_GT(prefixed.bottom, plain.bottom);
    b.EnableWindow(FALSE);
    Paint(b, off);
    EXPECT_GT(on.CountColor(RGB(0, 0, 0), text), 0);
    EXPECT_EQ(off.CountColor(RGB(0, 0, 0), text), 0);
    EXPECT_GT(off.CountColor(GetSysColor(COLOR_3DSHADOW), text), 0);

    // The default button shows the focus frame without the focus until a dialog moves the default
    // away; the window stays owner-drawn throughout.
    const auto push = [&] { return d.SendMessage(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON); };
    EXPECT_EQ(d.GetStyle() & BS_TYPEMASK, (DWORD)BS_OWNERDRAW);
    EXPECT_EQ(push(), DLGC_DEFPUSHBUTTON);
    MemoryCanvas canvas(kW, kH);
    Paint(d, canvas);
    EXPECT_EQ(canvas.At(2, 20), 0xFCC699u);
    d.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(d.GetStyle() & BS_TYPEMASK, (DWORD)BS_OWNERDRAW);
    EXPECT_EQ(push(), DLGC_UNDEFPUSHBUTTON);
    Paint(d, canvas);
    EXPECT_EQ(canvas.At(2, 20), kNormalFace);
}

// A greyed caption takes its '&' as a mnemonic too: the letter after it is underlined and the
// '&' itself is not drawn, on a push button as beside a check box or a radio button.
TEST(XPButtonPaint, GreyedCaptionsUnderlineTheirMnemonic) {
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    for (DWORD style : {BS_PUSHBUTTON, BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON}) {
        SCOPED_TRACE(style);
        ButtonHost host;
        CButtonXP b;
        ASSERT_TRUE(Make(b, host, "Delete", style));
        b.EnableWindow(FALSE);
        const RECT text = style == BS_PUSHBUTTON ? RECT{4, 4, 86, 22} : RECT{14, 0, kW, kH};
        MemoryCanvas plain(kW, kH), prefixed(kW, kH);
        Paint(b, plain);
        b.SetWindowText("&Delete");
        Paint(b, prefixed);
        const RECT p = BoxOf(plain, shadow, text), m = BoxOf(prefixed, shadow, text);
        ASSERT_FALSE(IsRectEmpty(&p));
        EXPECT_LE(abs((m.right - m.left) - (p.right - p.left)), 3) << "no '&' drawn";
        EXPECT_GT(m.bottom, p.bottom) << "the underline";
    }
}

// Where two paintings of a button differ: their bounding box, and how many of the differences
// lie off its outline.
struct Difference {
    RECT box = {kW, kH, 0, 0};
    int offOutline = 0;
};
Difference Differ(const MemoryCanvas& a, const MemoryCanvas& b) {
    Difference d;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (a.At(x, y) != b.At(x, y)) {
                d.box.left = std::min<LONG>(d.box.left, x), d.box.top = std::min<LONG>(d.box.top, y);
                d.box.right = std::max<LONG>(d.box.right, x + 1), d.box.bottom = std::max<LONG>(d.box.bottom, y + 1);
            }
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            d.offOutline += a.At(x, y) != b.At(x, y) && x != d.box.left && x != d.box.right - 1 &&
                            y != d.box.top && y != d.box.bottom - 1;
    return d;
}

// A check box or radio button keeps its box picture between paints: checked, then hovered as
// well, it shows what a button made in that state shows.
TEST(XPButtonPaint, KeptBoxFollowsTheCheckAndTheHover) {
    for (DWORD style : {BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON}) {
        SCOPED_TRACE(style);
        ButtonHost host;
        CButtonXP b;
        ASSERT_TRUE(Make(b, host, "Box", style));
        MemoryCanvas shown(kW, kH), made(kW, kH);
        Paint(b, shown);
        UINT id = 101;
        for (int state : {(int)kCheck, kCheck | kHover}) {
            SCOPED_TRACE(state);
            SetState(b, state);
            Paint(b, shown);
            CButtonXP fresh;
            ASSERT_TRUE(Make(fresh, host, "Box", style, 110, id++));
            SetState(fresh, state);
            Paint(fresh, made);
            EXPECT_EQ(Differ(shown, made).box.right, 0);
        }
    }
}

// A flat button's rounded hover face is kept for its rectangle: painted at another size, it is
// the face a button painted only at that size shows.
TEST(XPButtonPaint, HoverFaceFollowsTheButtonsSize) {
    ButtonHost host;
    CButtonXP b, fresh;
    ASSERT_TRUE(Make(b, host, "OK", BS_PUSHBUTTON));
    ASSERT_TRUE(Make(fresh, host, "OK", BS_PUSHBUTTON, 110, 101));
    for (CButtonXP* p : {&b, &fresh}) {
        p->SetFlat(TRUE, TRUE);
        SetState(*p, kHover);
    }
    MemoryCanvas wide(kW, kH);
    Paint(b, wide);
    MemoryCanvas shown(kW - 30, kH - 6), made(kW - 30, kH - 6);
    Paint(b, shown);
    Paint(fresh, made);
    int differ = 0;
    for (int y = 0; y < made.Height(); ++y)
        for (int x = 0; x < made.Width(); ++x) differ += shown.At(x, y) != made.At(x, y);
    EXPECT_EQ(differ, 0);
    EXPECT_NE(made.At(made.Width() - 1, made.Height() / 2), made.At(made.Width() / 2, made.Height() / 2));
}

// A greyed caption beside a check box or a radio button keeps its letters' mask for the next
// paint: a new caption of the same size shows as a button made with it shows, and a new font
// too.
TEST(XPButtonPaint, GreyedCaptionFollowsItsTextAndFont) {
    for (DWORD style : {BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON}) {
        SCOPED_TRACE(style);
        ButtonHost host;
        CButtonXP b, fresh;
        ASSERT_TRUE(Make(b, host, "Mode", style));
        ASSERT_TRUE(Make(fresh, host, "edoM", style, 110, 101));
        b.EnableWindow(FALSE);
        fresh.EnableWindow(FALSE);
        MemoryCanvas first(kW, kH), changed(kW, kH), made(kW, kH);
        Paint(b, first);
        b.SetWindowText("edoM");
        Paint(b, changed);
        Paint(fresh, made);
        EXPECT_GT(Differ(first, changed).box.right, 0);
        EXPECT_EQ(Differ(changed, made).box.right, 0);
        // Letters, not their box: under half of the caption's box is in the shadow colour,
        // and the highlight shows beside it.
        const RECT caption = {14, 0, kW, kH};
        const RECT box = BoxOf(first, GetSysColor(COLOR_3DSHADOW), caption);
        ASSERT_FALSE(IsRectEmpty(&box));
        const int area = (box.right - box.left) * (box.bottom - box.top);
        EXPECT_LT(first.CountColor(GetSysColor(COLOR_3DSHADOW), box) * 2, area);
        EXPECT_GT(first.CountColor(GetSysColor(COLOR_3DHILIGHT), caption), 0);

        LOGFONTA lf = {};
        lf.lfHeight = -17;
        strcpy(lf.lfFaceName, "Tahoma");
        HFONT big = CreateFontIndirectA(&lf);
        b.SendMessage(WM_SETFONT, (WPARAM)big, FALSE);
        fresh.SendMessage(WM_SETFONT, (WPARAM)big, FALSE);
        Paint(b, changed);
        Paint(fresh, made);
        EXPECT_EQ(Differ(changed, made).box.right, 0);
        b.SendMessage(WM_SETFONT, 0, FALSE);
        fresh.SendMessage(WM_SETFONT, 0, FALSE);
        DeleteObject(big);
    }
}

// The focus rectangle, which only hidden keyboard cues take away: inside the frame of a focused
// or pressed push button; around the caption of a focused or pressed check box or radio button,
// a pixel wider and taller when the caption is greyed (its embossing is a pixel larger).
TEST(XPButtonPaint, FocusRectangleFramesTheFaceOrTheCaption) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE t;
    GetTextExtentPoint32A(dc, "Option", 6, &t);
    SelectObject(dc, old);
    DeleteDC(dc);
    const int ex = GetSystemMetrics(SM_CXEDGE), ey = GetSystemMetrics(SM_CYEDGE);
    const RECT face = {ex + 1, ey + 1, kW - ex - 1, kH - ey - 1};  // the face less a pixel all round
    // The caption beside a 13-pixel box starts 6 pixels right of it, centred on the box.
    const int ty = (kH - 13) / 2 + 13 / 2 - t.cy / 2;
    const RECT caption = {19 - 1, ty - 1, 19 + t.cx + 1, ty + t.cy + 2};
    const RECT greyed = {19 - 1, ty - 1, 19 + t.cx + 2 + 1, ty + t.cy + 2 + 2};
    const struct {
        DWORD style;
        int state;
        RECT focus;
    } cases[] = {
        {BS_PUSHBUTTON, kFocus, face},
        {BS_PUSHBUTTON, kPress, face},
        {BS_AUTOCHECKBOX, kFocus, caption},
        {BS_AUTORADIOBUTTON, kFocus | kCheck, caption},
        {BS_AUTOCHECKBOX, kPress, caption},
        {BS_AUTOCHECKBOX, kPress | kDisable, greyed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "style " << c.style << " state " << c.state);
        ButtonHost host;
        CButtonXP b;
        ASSERT_TRUE(Make(b, host, c.style == BS_PUSHBUTTON ? "Save" : "Option", c.style));
        SetState(b, c.state);
        b.SendMessage(WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS));
        MemoryCanvas shown(kW, kH), hidden(kW, kH);
        Paint(b, shown);
        b.SendMessage(WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS));
        Paint(b, hidden);
        const Difference d = Differ(shown, hidden);
        EXPECT_TRUE(EqualRect(&d.box, &c.focus)) << d.box.left << "," << d.box.top << "," << d.box.right << ","
                                                 << d.box.bottom;
        EXPECT_EQ(d.offOutline, 0);
    }
}

TEST(XPButtonPaint, DropMenuArrowNarrowsTheCaptionAndHoldsThePress) {
    ButtonHost host;
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
    EXPECT_EQ(BoxOf(b, 0, caption).left, BoxOf(a, 0, caption).left - 5);
    // A triangle of 6, 4 and 2 pixels, its top row at the middle less 2.
    EXPECT_TRUE(PixelsAre(b, RGB(0, 0, 0), {{80, 11}, {85, 11}, {81, 12}, {84, 12}, {82, 13}, {83, 13}}));
    EXPECT_NE(b.At(79, 11), RGB(0, 0, 0));
    EXPECT_NE(b.At(84, 13), RGB(0, 0, 0));
    drop.EnableWindow(FALSE);
    Paint(drop, b);
    const COLORREF dark = CUtilityVisual::Hilight(CUtilityVisual::Hilight(kBack, 21), -100);
    EXPECT_TRUE(PixelsAre(b, dark, {{80, 11}, {83, 13}}));

    // The press opens the menu: the button stays down past the button-up until the menu is
    // dismissed, and a press right after that does not open it again. (The gallery's session
    // reads the menu open with the button down and both undone by the dismissal.)
    drop.EnableWindow(TRUE);
    drop._OnLButtonDown();
    Paint(drop, b);
    drop._OnLButtonUp(0, CPoint(5, 5));
    Paint(drop, b);
    EXPECT_TRUE(drop.IsPressed());
    drop.DismissMenu();
    drop._OnLButtonDown();
    Paint(drop, b);
    EXPECT_FALSE(drop.IsMenuDropped());
}

TEST(XPButtonPaint, CheckAndRadioBoxesShowTheLibraryPictureOfTheirState) {
    const struct {
        int state, checkId, radioId;
    } cases[] = {
        {0, 5021, 5015}, {kHover, 5024, 5018}, {kHover | kPress, 5019, 5013},
        {kCheck, 5022, 5016}, {kHover | kCheck, 5020, 5014}, {kHover | kPress | kCheck, 5023, 5017},
        {kPress, 5019, 5013}, {kPress | kCheck, 5023, 5017},
    };
    const int y0 = (kH - 13) / 2;
    for (const auto& c : cases)
        for (int radio = 0; radio < 2; ++radio) {
            SCOPED_TRACE(::testing::Message() << (radio ? "radio " : "check ") << c.state);
            ButtonHost host;
            CButtonXP b;
            ASSERT_TRUE(Make(b, host, "Option", radio ? BS_AUTORADIOBUTTON : BS_AUTOCHECKBOX));
            SetState(b, c.state);
            MemoryCanvas canvas(kW, kH);
            Paint(b, canvas);
            EXPECT_EQ(BoxMismatches(canvas, 0, y0, radio ? c.radioId : c.checkId), 0);
            EXPECT_GE(BoxOf(canvas, 0, RECT{13, 0, kW, kH}).left, 19);  // caption 6 right of the box
        }

    // Disabled: outlines with a grey tick or dot; text on the left puts the box at the right.
    ButtonHost host;
    CButtonXP check, radio, left;
    ASSERT_TRUE(Make(check, host, "", BS_AUTOCHECKBOX));
    ASSERT_TRUE(Make(radio, host, "", BS_AUTORADIOBUTTON, 110, 101));
    ASSERT_TRUE(Make(left, host, "Left", BS_AUTOCHECKBOX | BS_LEFTTEXT, 210, 102));
    SetState(check, kCheck | kDisable);
    SetState(radio, kCheck | kDisable);
    MemoryCanvas canvas(kW, kH);
    Paint(check, canvas);
    EXPECT_TRUE(PixelsAre(canvas, 0x828282, {{0, y0}, {12, y0 + 12}, {4, y0 + 7}, {8, y0 + 5}}));
    Paint(radio, canvas);
    EXPECT_TRUE(PixelsAre(canvas, {{6, y0 + 6, 0xAAAAAA}, {6, y0, 0x828282}}));
    Paint(left, canvas);
    EXPECT_EQ(BoxMismatches(canvas, kW - 13, y0, 5021), 0);
}

TEST(XPButtonPaint, ImagesTransparentCentredAndGreyedWhenDisabled) {
    // 8 x 8 on magenta: a red band over a green one.
    MemoryCanvas source(8, 8, RGB(255, 0, 255));
    SetDCBrushColor(source.Dc(), RGB(255, 0, 0));
    RECT red = {2, 2, 6, 4}, green = {2, 4, 6, 6};
    FillRect(source.Dc(), &red, (HBRUSH)GetStockObject(DC_BRUSH));
    SetDCBrushColor(source.Dc(), RGB(0, 255, 0));
    FillRect(source.Dc(), &green, (HBRUSH)GetStockObject(DC_BRUSH));
    CBitmap bmp;
    ASSERT_TRUE(bmp.Attach(CopyImage(source.Bitmap(), IMAGE_BITMAP, 0, 0, 0)));

    ButtonHost host;
    CButtonXP b;
    ASSERT_TRUE(Make(b, host, "", BS_PUSHBUTTON));
    b.SetButtonBmp(bmp, ICON_LEFT, 4);
    ASSERT_EQ(b.GetImage()->GetPixelCount(), 16);
    // No text: the image sits exactly in the middle, gap or not; its magenta shows the face (rows
    // 9 and 11).
    const int x0 = (kW - 8) / 2, y0 = kH / 2 - 4;
    MemoryCanvas canvas(kW, kH);
    Paint(b, canvas);
    EXPECT_TRUE(PixelsAre(canvas, {{x0 + 2, y0 + 2, RGB(255, 0, 0)}, {x0 + 5, y0 + 5, RGB(0, 255, 0)},
                                   {x0, y0, 0xFBF8F8}, {x0 + 6, y0 + 2, 0xFAF6F6}}));
    // Greys halved, then lifted so the brightest is white: green 0x99/2 -> 255, red 0x19/2 -> 0xBF.
    b.EnableWindow(FALSE);
    Paint(b, canvas);
    EXPECT_TRUE(PixelsAre(canvas, {{x0 + 2, y0 + 2, RGB(0xBF, 0xBF, 0xBF)}, {x0 + 5, y0 + 5, RGB(255, 255, 255)}}));

    // Two icons, the second missing: the normal one stands in. One icon: the platform's disabled
    // effect, which leaves no pure red.
    const RECT icon = {(kW - 16) / 2, kH / 2 - 8, (kW + 16) / 2, kH / 2 + 8};
    b.SetButtonIcon(SolidIcon(RGB(255, 0, 0)), (HICON)nullptr, 16, ICON_LEFT, 4);
    Paint(b, canvas);
    EXPECT_EQ(canvas.CountColor(RGB(255, 0, 0), icon), 256);
    b.SetButtonIcon(SolidIcon(RGB(255, 0, 0)), 16, ICON_LEFT, 4);
    Paint(b, canvas);
    EXPECT_EQ(canvas.CountColor(RGB(255, 0, 0), icon), 0);
}

TEST(XPButtonPaint, GradientLookUnderTheMouse) {
    ButtonHost host;
    CButtonXPGradient b;
    ASSERT_TRUE(Make(b, host, "Sales", BS_PUSHBUTTON));
    MemoryCanvas canvas(kW, kH), reference(kW, kH, kBack);
    Paint(b, canvas);
    EXPECT_TRUE(PixelsAre(canvas, kBack, {{0, 5}, {5, 12}}));
    // Hovered: two bands split at half the height (a third when pressed) and a frame.
    for (int press = 0; press < 2; ++press) {
        SetState(b, kHover | (press ? kPress : 0));
        Paint(b, canvas);
        const int split = press ? 25 / 3 : 25 / 2;
        CRect upper(0, 0, 89, split), lower(0, split, 89, 25);
        CUtilityVisual::GradientRect(CDC::FromHandle(reference.Dc()), upper, 0xDEF6FC, 0x93E7F6, 10, TRUE);
        CUtilityVisual::GradientRect(CDC::FromHandle(reference.Dc()), lower, 0x39D7F3, 0xAAF1FB, 10, TRUE);
        for (int y = 1; y < 24; ++y) EXPECT_EQ(canvas.At(5, y), reference.At(5, y)) << press << " row " << y;
        EXPECT_TRUE(PixelsAre(canvas, 0x3BBCF0, {{0, 5}, {88, 5}, {40, 0}, {40, 24}}));
    }
    b.SetCheck(BST_CHECKED);
    Paint(b, canvas);
    EXPECT_EQ(canvas.At(12, 12 - 5), 0x3BBCF0u);
}

TEST(XPButtonPaint, PaintingAndButtonLifetimesLeaveNoObjects) {
    ButtonHost host;
    MemoryCanvas canvas(kW, kH);
    GdiBalance gdi;
    WindowBalance windows;
    const DWORD styles[] = {BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON};
    for (int i = -1; i < 100; ++i) {
        if (i == 0) gdi = GdiBalance(), windows = WindowBalance();  // the first round warms caches
        CButtonXP b;
        ASSERT_TRUE(Make(b, host, "Cycle", styles[(i + 4) % 4]));
        b.SetFlat(i % 3 == 0, i % 2);
        b.SetDropMenu(i % 5 == 0);
        SetState(b, kHover | (i % 2 ? kPress : 0) | (i % 7 ? 0 : kDisable));
        Paint(b, canvas);
    }
    EXPECT_EQ(gdi.Delta(), 0);
    EXPECT_EQ(windows.Delta(), 0);
}

// A push button copies its face from a picture it keeps: one button led through states and
// sizes paints exactly as a new button in the same state and size does, before and after the
// kept picture is forgotten, and painting it in every state many times leaves no objects.
TEST(XPButtonPaint, KeptFaceFollowsStateAndSizeAndLeavesNoObjects) {
    ButtonHost host;
    CButtonXP kept;
    ASSERT_TRUE(Make(kept, host, "", BS_PUSHBUTTON));
    const int states[] = {0, kHover, kHover | kFocus, kHover | kFocus | kPress, kFocus, kDisable, 0};
    const int heights[] = {kH, 40, 21};
    auto same = [](const MemoryCanvas& a, const MemoryCanvas& b) {
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (a.At(x, y) != b.At(x, y)) return false;
        return true;
    };
    for (int h : heights) {
        kept.MoveWindow(10, 10, kW, h);
        for (int state : states) {
            SCOPED_TRACE(::testing::Message() << "height " << h << " state " << state);
            // Out of the last state, then into this one.
            kept.EnableWindow(TRUE);
            kept.SendMessage(WM_MOUSELEAVE);
            kept._OnLButtonUp(0, CPoint(-50, -50));
            host.Wnd()->SetFocus();
            SetState(kept, state);
            CButtonXP fresh;
            ASSERT_TRUE(Make(fresh, host, "", BS_PUSHBUTTON, 200, 101));
            fresh.MoveWindow(200, 10, kW, h);
            SetState(fresh, state);
            if (state & kFocus) kept.SetFocus();
            MemoryCanvas a(kW, h), b(kW, h), c(kW, h);
            Paint(kept, a);
            if (state & kFocus) fresh.SetFocus();
            Paint(fresh, b);
            EXPECT_TRUE(same(a, b));
            if (state & kFocus) kept.SetFocus();
            kept.InvalidatePaintCache();
            Paint(kept, c);
            EXPECT_TRUE(same(a, c));
        }
    }

    MemoryCanvas canvas(kW, kH);
    kept.MoveWindow(10, 10, kW, kH);
    Paint(kept, canvas);
    GdiBalance gdi;
    for (int i = 0; i < 500; ++i) {
        kept.EnableWindow(i % 5 != 4);
        kept.SendMessage(i % 5 == 1 ? WM_MOUSEHOVER : WM_MOUSELEAVE);
        if (i % 5 == 2) kept._OnLButtonDown();
        Paint(kept, canvas);
        kept._OnLButtonUp(0, CPoint(-50, -50));
    }
    EXPECT_EQ(gdi.Delta(), 0);
}

}  // namespace
