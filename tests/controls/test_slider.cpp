// The slider read back: channel, band, thumb and ticks against the track bar's own channel,
// the hover capture, the edge cases of range and ticks, the disabled look and dragging.
#include "ControlsTest.h"
#include "draw/CUtilityVisual.h"

using namespace lumotest;
using namespace ctltest;

namespace {

const COLORREF kOutline = 0x006E748C, kHalo = 0x00D0DBDF, kFace = 0x00D8E6EC, kFaceLit = 0x0052C8FE;
const COLORREF kLeft[3] = { 0x00FEE2B4, 0x00FFCE88, 0x00FFBA63 };
const COLORREF kRight[3] = { 0x00D1DBE0, 0x00EAF0F3, 0x00F9FBFC };

// Lets a test put the track bar's channel where a platform might: n pixels higher.
class ShiftedSlider : public CMySlideCtrl
{
public:
    int m_nShift = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT lr = CMySlideCtrl::WindowProc(msg, wParam, lParam);
        if (msg == TBM_GETCHANNELRECT && lParam)
            ::OffsetRect((RECT*)lParam, 0, -m_nShift);
        return lr;
    }
};

class Slider : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ParkCursor();
        ASSERT_TRUE(parent_.Make());
    }
    // A slider of w x h at (10, 10); range 0..100 unless changed.
    void Make(DWORD style, int w, int h, int shift = 0)
    {
        slider_.m_nShift = shift;
        ASSERT_TRUE(slider_.Create(WS_CHILD | WS_VISIBLE | style, CRect(10, 10, 10 + w, 10 + h), &parent_, 1));
        slider_.SetRange(0, 100, FALSE);
    }
    // The channel where the slider draws it: 7 rows around the track bar's channel, moved so the
    // thumb's point has room on the side of the ticks.
    enum Ticks { kNone, kBelow, kAbove };
    CRect Channel(Ticks ticks, bool* moved = nullptr)
    {
        CRect client, ch;
        slider_.GetClientRect(&client);
        slider_.GetChannelRect(&ch);
        const int m = (ch.top + ch.bottom) / 2;
        ch.top = m - 3;
        ch.bottom = m + 4;
        int dy = 0;
        if (ticks == kAbove && m - 10 < 0)
            dy = 7 - ch.top;
        else if (ticks == kBelow && m + 8 > client.bottom)
            dy = client.bottom - 4 - ch.bottom;
        ch.OffsetRect(0, dy);
        if (moved)
            *moved = dy != 0;
        return ch;
    }
    // Centre of the thumb for the current position.
    int ThumbX(const CRect& ch)
    {
        int lo = 0, hi = 0;
        slider_.GetRange(lo, hi);
        return hi == lo ? ch.left : ch.left + ch.Width() * (slider_.GetPos() - lo) / (hi - lo);
    }

    Parent parent_;
    ShiftedSlider slider_;
};

TEST_F(Slider, PaintsChannelThumbAndBackgroundFromTheTrackBarsChannel)
{
    Make(0, 200, 30);
    slider_.SetPos(30);
    EXPECT_EQ(slider_.GetBkColor(), kParentBack);
    const CRect ch = Channel(kBelow);
    const int x = ThumbX(ch), y = ch.top - 3;
    WindowCapture cap(slider_);
    ASSERT_TRUE(cap.Ok());
    EXPECT_TRUE(PixelsAre(cap, {
        { 0, 0, kParentBack },
        { ch.right - 20, ch.top + 1, kOutline },      // outline, shrunk by a row
        { ch.right - 20, ch.top - 1, kHalo },         // halo, grown by a pixel
        { ch.left + 3, ch.top + 2, kLeft[0] },
        { ch.left + 3, ch.top + 4, kLeft[2] },
        { x - 8, ch.top + 3, kLeft[1] },
        { x + 8, ch.top + 3, kRight[1] },
        { ch.right - 3, ch.top + 4, kRight[2] },
        { x - 1, y + 6, kFace },                      // thumb face
        { x - 5, y + 6, kOutline },                   // thumb outline
        { x - 2, y + 14, kOutline },                  // its point, downwards
        { x - 1, y + 15, kOutline },
    }));
    EXPECT_EQ(cap.CountColor(kFaceLit), 0);
}

TEST_F(Slider, ThumbLightsWhileTheMouseRestsOnItAndGivesTheMouseBack)
{
    Make(0, 200, 30);
    slider_.SetPos(50);
    const CRect ch = Channel(kBelow);
    const POINT on = { ThumbX(ch), ch.top + 2 }, off = { ThumbX(ch) + 30, ch.top + 2 };
    const POINT face = { ThumbX(ch) - 1, ch.top + 3 };

    SendMouse(slider_, WM_MOUSEMOVE, on);
    EXPECT_EQ(::GetCapture(), slider_.m_hWnd);
    EXPECT_EQ(WindowCapture(slider_).At(face.x, face.y), kFaceLit);
    SendMouse(slider_, WM_MOUSEMOVE, on);  // resting: stays lit
    EXPECT_EQ(::GetCapture(), slider_.m_hWnd);

    SendMouse(slider_, WM_MOUSEMOVE, off);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    EXPECT_EQ(WindowCapture(slider_).At(face.x, face.y), kFace);
    // Hovering is no scrolling: the host hears nothing from it.
    EXPECT_TRUE(parent_.m_scrolls.empty());
}

TEST_F(Slider, DraggingTheDrawnThumbMovesThePosition)
{
    Make(0, 200, 30);
    const CRect ch = Channel(kBelow);
    const POINT start = { ThumbX(ch), ch.top + 2 };  // the drawn thumb at 0, left of the track bar's
    const POINT end = { ch.left + ch.Width() * 3 / 4, ch.top + 2 };
    SendMouse(slider_, WM_MOUSEMOVE, start);
    SendMouse(slider_, WM_LBUTTONDOWN, start, MK_LBUTTON);
    SendMouse(slider_, WM_MOUSEMOVE, end, MK_LBUTTON);
    SendMouse(slider_, WM_LBUTTONUP, end);
    EXPECT_GT(slider_.GetPos(), 60);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    ASSERT_FALSE(parent_.m_scrolls.empty());
    EXPECT_EQ(LOWORD(parent_.m_scrolls.front()), TB_THUMBTRACK);
    EXPECT_EQ(LOWORD(parent_.m_scrolls.back()), TB_ENDTRACK);
    // The thumb is drawn where the position now puts it.
    EXPECT_EQ(WindowCapture(slider_).At(ThumbX(ch) - 1, ch.top + 3), kFace);
}

TEST_F(Slider, TicksFollowFrequencyRangeAndMajorInterval)
{
    struct Case
    {
        int lo, hi, freq, major;
        std::vector<int> longTicks, shortTicks;  // value offsets
    } cases[] = {
        { 0, 100, 10, 0, { 0, 100 }, { 10, 50, 90 } },
        { 0, 100, 10, 5, { 0, 50, 100 }, { 10, 40, 60 } },
        { 0, 100, 10, 2, { 0, 20, 40, 100 }, { 10, 30, 90 } },
        { 0, 20, 50, 0, { 0 }, {} },   // a frequency larger than the range: the first tick only
        { 5, 5, 1, 0, {}, {} },        // an empty range: no ticks
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.lo << ".." << c.hi << " every " << c.freq << " major " << c.major);
        Make(0, 200, 30);
        slider_.SetRange(c.lo, c.hi, FALSE);
        slider_.SetTicFreq(c.freq);
        slider_.SetMaxTicFreq(c.major);
        CRect client;
        slider_.GetClientRect(&client);
        const CRect ch = Channel(kBelow);
        const int top = ch.bottom + 6 + 1, bottom = client.bottom - 1;  // tick area
        WindowCapture cap(slider_);
        auto tickX = [&](int v) { return ch.left + ch.Width() * v / (c.hi - c.lo) - 1; };
        for (int v : c.longTicks)
            EXPECT_EQ(cap.At(tickX(v), top + 1), kOutline) << "long tick at " << v;
        for (int v : c.shortTicks)
        {
            EXPECT_EQ(cap.At(tickX(v), bottom), kOutline) << "short tick at " << v;
            EXPECT_EQ(cap.At(tickX(v), top + 1), kParentBack) << "short tick at " << v;
        }
        if (c.hi == c.lo)
        {
            EXPECT_EQ(cap.CountColor(kOutline, CRect(0, top, client.right, client.bottom)), 0);
            EXPECT_EQ(cap.At(ch.left - 5, ch.top + 3), kOutline) << "thumb at the channel's left end";
        }
        if (c.freq > c.hi - c.lo && c.hi > c.lo)
        {
            EXPECT_EQ(cap.CountColor(kOutline, CRect(0, bottom, client.right, client.bottom)), 1);
        }
        slider_.DestroyWindow();
    }
}

TEST_F(Slider, ChannelKeepsRoomForTheThumbsPointOnTheSideOfTheTicks)
{
    // Heights and platform channels on both sides of each rule; the channel's outline row and
    // the point's tip show where it went.
    struct Case
    {
        DWORD style;
        int h, shift;
    } cases[] = {
        { 0, 30, 0 }, { 0, 16, 0 }, { 0, 10, 0 }, { 0, 30, 12 },
        { TBS_TOP, 40, 0 }, { TBS_TOP, 24, 0 }, { TBS_TOP, 40, 16 }, { TBS_BOTH, 40, 10 },
        { TBS_NOTICKS, 10, 0 },
    };
    int movedDown = 0, movedUp = 0;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " height " << c.h << " shift " << c.shift);
        Make(c.style, 120, c.h, c.shift);
        slider_.SetPos(50);
        const bool above = (c.style & (TBS_TOP | TBS_BOTH)) != 0;
        bool moved = false;
        const CRect ch = Channel((c.style & TBS_NOTICKS) ? kNone : above ? kAbove : kBelow, &moved);
        movedDown += moved && above;
        movedUp += moved && !above;
        const int x = ThumbX(ch), y = ch.top - 3;
        WindowCapture cap(slider_);
        if (ch.top >= 0)
        {
            EXPECT_EQ(cap.At(ch.right - 10, ch.top + 1), kOutline);
        }
        if (above)
        {
            EXPECT_EQ(cap.At(x - 2, y - 2), kOutline) << "point upwards";
        }
        else if (y + 14 < c.h)
        {
            EXPECT_EQ(cap.At(x - 2, y + 14), kOutline) << "point downwards";
        }
        slider_.DestroyWindow();
    }
    EXPECT_GT(movedDown, 0);
    EXPECT_GT(movedUp, 0);
}

TEST_F(Slider, DisabledSliderShowsItsColoursInGrey)
{
    Make(0, 200, 30);
    slider_.SetPos(50);
    slider_.EnableWindow(FALSE);
    const CRect ch = Channel(kBelow);
    WindowCapture cap(slider_);
    EXPECT_TRUE(PixelsAre(cap, {
        { ch.left + 3, ch.top + 2, CUtilityVisual::ToGray(kLeft[0]) },
        { ThumbX(ch) - 1, ch.top + 3, CUtilityVisual::ToGray(kFace) },
        { ch.right - 20, ch.top + 1, CUtilityVisual::ToGray(kOutline) },
    }));
    EXPECT_EQ(cap.CountColor(kLeft[0]), 0);
}

TEST_F(Slider, KeysAndHostMessagesRedrawTheWholeReachOfTheThumb)
{
    Make(0, 200, 30);
    const CRect ch = Channel(kBelow);
    const struct
    {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        int pos;
    } steps[] = {
        { WM_KEYDOWN, VK_END, 0, 100 },
        { TBM_SETPOS, TRUE, 20, 20 },
        { WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0, -1 },  // moving it is the platform's choice
    };
    for (const auto& step : steps)
    {
        slider_.ValidateRect(NULL);
        ::SendMessageA(slider_, step.msg, step.wParam, step.lParam);
        if (step.pos >= 0)
        {
            EXPECT_EQ(slider_.GetPos(), step.pos) << std::hex << step.msg;
        }
        CRect update;
        ASSERT_TRUE(slider_.GetUpdateRect(&update)) << std::hex << step.msg;
        EXPECT_LE(update.left, ch.left - 5);
        EXPECT_GE(update.right, ch.right + 5);
    }
}

TEST_F(Slider, VerticalSliderKeepsThePlatformsDrawing)
{
    Make(TBS_VERT, 30, 160);
    WindowCapture cap(slider_);
    EXPECT_EQ(cap.CountColor(kOutline) + cap.CountColor(kLeft[1]) + cap.CountColor(kFace), 0);
    SendMouse(slider_, WM_MOUSEMOVE, POINT{ 15, 10 });
    EXPECT_NE(::GetCapture(), slider_.m_hWnd);
}

TEST_F(Slider, TickFrequencyReachesTheTrackBarOnBothCreationPaths)
{
    Make(TBS_AUTOTICKS, 200, 30);
    EXPECT_EQ(slider_.GetTickFreq(), 10);
    EXPECT_EQ(slider_.GetNumTics(), 11u);
    Parent dlg;
    ASSERT_TRUE(dlg.MakeDialog({ { TRACKBAR_CLASSA, TBS_AUTOTICKS, { 10, 10, 210, 40 }, nullptr } }));
    CMySlideCtrl attached;
    ASSERT_TRUE(attached.SubclassDlgItem(100, &dlg));
    EXPECT_EQ(attached.GetNumTics(), 11u);
    EXPECT_EQ(attached.GetBkColor(), kParentBack);
}

}  // namespace
