// The slider read back against the track bar's own channel: channel, band, thumb and ticks in
// each state, the edge cases of range and ticks, where the channel goes for the thumb's point,
// hover capture and dragging.
#include "ControlsTest.h"

using namespace ctltest;

namespace {

const COLORREF kOutline = 0x006E748C, kHalo = 0x00D0DBDF, kFace = 0x00D8E6EC, kFaceLit = 0x0052C8FE;
const COLORREF kLeft[3] = {0x00FEE2B4, 0x00FFCE88, 0x00FFBA63};
const COLORREF kRight[3] = {0x00D1DBE0, 0x00EAF0F3, 0x00F9FBFC};

// Reports the track bar's channel n pixels higher, as a platform might place it.
struct ShiftedSlider : CMySlideCtrl {
    int m_nShift = 0;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        const LRESULT lr = CMySlideCtrl::WindowProc(msg, wParam, lParam);
        if (msg == TBM_GETCHANNELRECT && lParam) ::OffsetRect((RECT*)lParam, 0, -m_nShift);
        return lr;
    }
};

class Slider : public ::testing::Test {
protected:
    void SetUp() override {
        ParkCursor();
        ASSERT_TRUE(parent_.Make());
    }
    void Make(DWORD style, int w, int h, int shift = 0) {
        if (slider_.m_hWnd) slider_.DestroyWindow();
        slider_.m_nShift = shift;
        ASSERT_TRUE(slider_.Create(WS_CHILD | WS_VISIBLE | style, CRect(10, 10, 10 + w, 10 + h), &parent_, 1));
        slider_.SetRange(0, 100, FALSE);
    }
    // The 7-row channel around the track bar's, moved when the thumb's point lacks room on the
    // side of the ticks (ticks: 0 none, 1 below, 2 above); *moved tells whether it was.
    CRect Channel(int ticks, bool* moved = nullptr) {
        CRect client, ch;
        slider_.GetClientRect(&client);
        slider_.GetChannelRect(&ch);
        const int m = (ch.top + ch.bottom) / 2;
        ch.SetRect(ch.left, m - 3, ch.right, m + 4);
        const int dy = ticks == 2 && m - 10 < 0 ? 7 - ch.top
                       : ticks == 1 && m + 8 > client.bottom ? client.bottom - 4 - ch.bottom : 0;
        ch.OffsetRect(0, dy);
        if (moved) *moved = dy != 0;
        return ch;
    }
    int ThumbX(const CRect& ch) {
        int lo = 0, hi = 0;
        slider_.GetRange(lo, hi);
        return hi == lo ? ch.left : ch.left + ch.Width() * (slider_.GetPos() - lo) / (hi - lo);
    }

    Parent parent_;
    ShiftedSlider slider_;
};

TEST_F(Slider, PaintsItsPartsAndLightsTheThumbOnlyWhileTheMouseRestsOnIt) {
    Make(0, 200, 30);
    slider_.SetPos(30);
    EXPECT_EQ(slider_.GetBkColor(), kParentBack);
    const CRect ch = Channel(1);
    const int x = ThumbX(ch), y = ch.top - 3;
    const POINT on = {x, ch.top + 2}, off = {x + 30, ch.top + 2};
    const struct { const char* name; POINT mouse; BOOL enabled; COLORREF face; bool captured; } states[] = {
        {"normal", off, TRUE, kFace, false},        {"under the mouse", on, TRUE, kFaceLit, true},
        {"resting there", on, TRUE, kFaceLit, true}, {"left", off, TRUE, kFace, false},
        {"disabled", off, FALSE, CUtilityVisual::ToGray(kFace), false}};
    for (const auto& s : states) {
        SCOPED_TRACE(s.name);
        slider_.EnableWindow(s.enabled);
        SendMouse(slider_, WM_MOUSEMOVE, s.mouse);
        EXPECT_EQ(::GetCapture() == slider_.m_hWnd, s.captured);
        WindowCapture cap(slider_);
        auto tone = [&](COLORREF c) { return s.enabled ? c : CUtilityVisual::ToGray(c); };
        // The outline a row inside the channel and its halo a pixel outside, the band left and right
        // of the thumb, the thumb's face and outline, and its point, downwards.
        EXPECT_TRUE(PixelsAre(cap, {{0, 0, kParentBack}, {ch.right - 20, ch.top + 1, tone(kOutline)},
                                    {ch.right - 20, ch.top - 1, tone(kHalo)}, {ch.left + 3, ch.top + 2, tone(kLeft[0])},
                                    {x - 8, ch.top + 3, tone(kLeft[1])}, {x + 8, ch.top + 3, tone(kRight[1])},
                                    {ch.right - 3, ch.top + 4, tone(kRight[2])}, {x - 1, y + 6, s.face},
                                    {x - 5, y + 6, tone(kOutline)}, {x - 2, y + 14, tone(kOutline)}}));
    }
    EXPECT_TRUE(parent_.m_scrolls.empty()) << "hovering is no scrolling";
}

TEST_F(Slider, TicksFollowFrequencyRangeAndMajorInterval) {
    const struct { int lo, hi, freq, major; std::vector<int> longTicks, shortTicks; } cases[] = {  // value offsets
        {0, 100, 10, 0, {0, 100}, {10, 50, 90}}, {0, 100, 10, 5, {0, 50, 100}, {10, 40, 60}},
        {0, 100, 10, 2, {0, 20, 40, 100}, {10, 30, 90}},
        {0, 20, 50, 0, {0}, {}},  // a frequency larger than the range: the first tick only
        {5, 5, 1, 0, {}, {}}};    // an empty range: no ticks, the thumb at the left end
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lo << ".." << c.hi << " every " << c.freq << " major " << c.major);
        Make(0, 200, 30);
        slider_.SetRange(c.lo, c.hi, FALSE);
        slider_.SetTicFreq(c.freq);
        slider_.SetMaxTicFreq(c.major);
        slider_.SetPos((c.lo + c.hi) / 2 + 1);  // away from the left end unless the range is empty
        const CRect ch = Channel(1);
        const int top = ch.bottom + 7, bottom = 29;  // the tick area's rows
        WindowCapture cap(slider_);
        auto tickX = [&](int v) { return ch.left + ch.Width() * v / (c.hi - c.lo) - 1; };
        for (int v : c.longTicks) EXPECT_EQ(cap.At(tickX(v), top + 1), kOutline) << "long tick at " << v;
        for (int v : c.shortTicks)
            EXPECT_TRUE(cap.At(tickX(v), bottom) == kOutline && cap.At(tickX(v), top + 1) == kParentBack) << v;
        const int ticks = c.hi > c.lo ? (c.hi - c.lo) / c.freq + 1 : 0;
        EXPECT_EQ(cap.CountColor(kOutline, CRect(0, bottom, 200, bottom + 1)), ticks);
        EXPECT_EQ(cap.At(ch.left - 5, ch.top + 3), c.hi == c.lo ? kOutline : kParentBack) << "thumb at the left end";
    }
}

TEST_F(Slider, ChannelKeepsRoomForTheThumbsPointOnTheSideOfTheTicks) {
    // Heights and platform channels on both sides of each rule.
    const struct { DWORD style; int h, shift; } cases[] = {
        {0, 30, 0},       {0, 16, 0},        {0, 10, 0},         {0, 30, 12},        {TBS_TOP, 40, 0},
        {TBS_TOP, 24, 0}, {TBS_TOP, 40, 16}, {TBS_BOTH, 40, 10}, {TBS_NOTICKS, 10, 0}};
    int moved = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " height " << c.h << " shift " << c.shift);
        Make(c.style, 120, c.h, c.shift);
        slider_.SetPos(50);
        const bool above = (c.style & (TBS_TOP | TBS_BOTH)) != 0;
        bool m = false;
        const CRect ch = Channel((c.style & TBS_NOTICKS) ? 0 : above ? 2 : 1, &m);
        moved += m ? (above ? 1 : 10) : 0;
        const int x = ThumbX(ch), y = ch.top - 3;
        WindowCapture cap(slider_);
        EXPECT_TRUE(ch.top < 0 || cap.At(ch.right - 10, ch.top + 1) == kOutline);
        EXPECT_TRUE(above ? cap.At(x - 2, y - 2) == kOutline : y + 14 >= c.h || cap.At(x - 2, y + 14) == kOutline)
            << "the point, " << (above ? "upwards" : "downwards");
    }
    EXPECT_TRUE(moved % 10 > 0 && moved / 10 > 0) << "each rule moved a channel";
}

TEST_F(Slider, DraggingTheDrawnThumbMovesItAndTheTickFrequencyReachesTheTrackBarEitherWay) {
    Make(TBS_AUTOTICKS, 200, 30);
    EXPECT_EQ(slider_.GetNumTics(), 11u);  // sent again once the track bar exists
    const CRect ch = Channel(1);
    // At 0 the drawn thumb's left half lies left of the track bar's own thumb.
    const POINT start = {ThumbX(ch) - 4, ch.top + 2}, end = {ch.left + ch.Width() * 3 / 4, ch.top + 2};
    SendMouse(slider_, WM_MOUSEMOVE, start);
    SendMouse(slider_, WM_LBUTTONDOWN, start, MK_LBUTTON);
    SendMouse(slider_, WM_MOUSEMOVE, end, MK_LBUTTON);
    SendMouse(slider_, WM_LBUTTONUP, end);
    EXPECT_GT(slider_.GetPos(), 60);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);

    CMySlideCtrl attached;
    ASSERT_TRUE(parent_.MakeItem(TRACKBAR_CLASSA, TBS_AUTOTICKS, {10, 50, 210, 80}, "", 100));
    ASSERT_TRUE(attached.SubclassDlgItem(100, &parent_));
    EXPECT_EQ(attached.GetNumTics(), 11u);
}

}  // namespace
