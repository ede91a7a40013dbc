// Tree painting read back: background and text colours, the hover highlight, picture mode, and
// GDI objects across many repaints.
#include "TreeTestUtil.h"

#include <algorithm>
#include <fstream>
#include <string>

using namespace lumotest;
using namespace treetest;

namespace {

// A 24-bit bitmap file 16 pixels square (rows of 48 bytes need no padding), of one colour or,
// given a second, in bands of that many rows of each.
std::string WriteSolidBmp(COLORREF color, COLORREF other = 0, int band = 0)
{
    const int side = 16;
    BITMAPINFOHEADER bi = {sizeof(bi), side, side, 1, 24};
    const DWORD offBits = sizeof(BITMAPFILEHEADER) + sizeof(bi);
    BITMAPFILEHEADER bf = {0x4D42, offBits + 3 * side * side, 0, 0, offBits};
    std::string pixels;
    for (int i = 0; i < side * side; i++) {
        const COLORREF c = band && (i / side / band) % 2 ? other : color;
        pixels += {(char)GetBValue(c), (char)GetGValue(c), (char)GetRValue(c)};
    }
    std::string path = TempPath("tree_back.bmp");
    std::ofstream f(path, std::ios::binary);
    f.write((const char*)&bf, sizeof(bf)).write((const char*)&bi, sizeof(bi)) << pixels;
    return path;
}

// Longest horizontal run of one colour inside rc.
int LongestRun(const WindowCapture& cap, COLORREF color, const RECT& rc)
{
    int best = 0;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left, run = 0; x < rc.right; x++)
            best = std::max(best, run = cap.At(x, y) == color ? run + 1 : 0);
    return best;
}

class TreePaint : public TreeTest {
protected:
    void SetUp() override
    {
        TreeTest::SetUp();
        Tree_AddItem(tree_, "1", "Wide item label", "");
        Tree_AddItem(tree_, "2", "Another label", "");
        Tree_Build(tree_);
        PumpPending();
    }
    // The last hovered item is shared by every tree of the process and item handles come back
    // with new trees, so the other item is hovered first to make the move a real change.
    void Hover(const char* code)
    {
        PostMouse(tree_, WM_MOUSEMOVE, LabelCenter(tree_, Item(tree_, code[0] == '1' ? "2" : "1")));
        PostMouse(tree_, WM_MOUSEMOVE, LabelCenter(tree_, Item(tree_, code)));
        PumpPending();
    }
};

}  // namespace

// The default light background, read from the screen, then a dark one painted through
// WM_PRINTCLIENT: the text colour follows the background, and the hovered label is underlined
// (a long run of the hover colour across it).
TEST_F(TreePaint, TextAndHoverColoursFollowTheBackground)
{
    struct {
        bool dark;
        CaptureMode mode;
        COLORREF back, text, hover;
    } cases[] = {
        {false, CaptureMode::ScreenClient, 0xFFFFFF, 0x000000, 0xFF0000},
        {true, CaptureMode::PrintClient, 0x000000, 0xEBEBEB, 0xFFFFFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dark ? "dark" : "light");
        if (c.dark)
            Tree_SetBkColor(tree_, 0, 0, 0);
        Hover(c.dark ? "2" : "1");
        UpdateWindow(tree_);
        WindowCapture cap(tree_, c.mode);
        ASSERT_TRUE(cap.Ok());
        EXPECT_EQ(cap.At(cap.Width() - 5, cap.Height() - 5), c.back);
        EXPECT_GT(cap.CountColor(c.text, LabelRect(tree_, Item(tree_, c.dark ? "1" : "2"))), 0);
        RECT hover = LabelRect(tree_, Item(tree_, c.dark ? "2" : "1"));
        EXPECT_GT(LongestRun(cap, c.hover, hover), (hover.right - hover.left) / 2);
    }
}

// Tree_Redraw paints the tree again at once, over whatever was drawn on it; given a window that
// is no tree it paints nothing.
TEST_F(TreePaint, RedrawPaintsTheTreeAgainAndNothingElse)
{
    UpdateWindow(host_);
    UpdateWindow(tree_);
    const COLORREF junk = RGB(255, 0, 255);
    auto scribble = [&](HWND hwnd, const RECT& rc) {
        HDC dc = GetDC(hwnd);
        HBRUSH brush = CreateSolidBrush(junk);
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
        ReleaseDC(hwnd, dc);
        GdiFlush();
    };
    RECT treeRect, hostRect = {250, 10, 300, 60};
    GetClientRect(tree_, &treeRect);
    scribble(tree_, treeRect);
    scribble(host_, hostRect);
    Tree_Redraw(host_);
    Tree_Redraw((HWND)(LONG_PTR)0x1234);
    PumpPending();
    EXPECT_EQ(WindowCapture(host_, CaptureMode::ScreenClient).CountColor(junk, hostRect), 50 * 50);
    EXPECT_EQ(WindowCapture(tree_, CaptureMode::ScreenClient).CountColor(junk), treeRect.right * treeRect.bottom);
    Tree_Redraw(tree_);
    EXPECT_FALSE(GetUpdateRect(tree_, nullptr, FALSE));  // painted before the call returned
    PumpPending();  // the screen shows what was painted once the thread is idle
    WindowCapture tree(tree_, CaptureMode::ScreenClient);
    EXPECT_EQ(tree.CountColor(junk), 0);
    EXPECT_EQ(tree.At(tree.Width() - 5, tree.Height() - 5), 0xFFFFFFu);
    EXPECT_GT(tree.CountColor(0x000000, LabelRect(tree_, Item(tree_, "2"))), 0);
}

TEST_F(TreePaint, NoHoverFontWithoutMouseMoveSelect)
{
    Tree_SetMousemoveSelect(tree_, 0);
    SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, (LPARAM)Item(tree_, "1"));
    WindowCapture cap(tree_, CaptureMode::PrintClient);
    ASSERT_TRUE(cap.Ok());
    EXPECT_EQ(cap.CountColor(0xFF0000), 0);
}

TEST_F(TreePaint, PictureModeCombinesWithSrcAnd)
{
    std::string path = WriteSolidBmp(RGB(0, 200, 0));
    Tree_SetBkImage(tree_, path.c_str());
    Hover("1");
    WindowCapture cap(tree_, CaptureMode::PrintClient);
    ASSERT_TRUE(cap.Ok());
    // White areas take the picture's colour; dark text stays dark.
    EXPECT_EQ(cap.At(cap.Width() - 5, cap.Height() - 5), RGB(0, 200, 0));
    RECT plain = LabelRect(tree_, Item(tree_, "2"));
    EXPECT_GT(cap.CountColor(0x000000, plain), 0);
    // The hover text is blue on white before the picture is laid over: blue AND green is black.
    RECT hover = LabelRect(tree_, Item(tree_, "1"));
    EXPECT_GT(LongestRun(cap, 0x000000, hover), (hover.right - hover.left) / 2);
    EXPECT_EQ(cap.CountColor(0xFF0000), 0);
    DeleteFileA(path.c_str());

    // A missing picture leaves picture mode with nothing laid over.
    Tree_SetBkImage(tree_, "no such picture.bmp");
    WindowCapture plainCap(tree_, CaptureMode::PrintClient);
    EXPECT_EQ(plainCap.At(plainCap.Width() - 5, plainCap.Height() - 5), 0xFFFFFFu);
}

// The wheel scrolls the items either way over a picture that stays where it is: the screen
// shows at once what painting the tree afresh gives, the picture's bands unbroken.
TEST_F(TreePaint, TheWheelScrollsTheItemsOverAPictureThatStays)
{
    for (int i = 10; i < 70; i++) {
        const std::string code = "x" + std::to_string(i);
        Tree_AddItem(tree_, code.c_str(), code.c_str(), "");
    }
    Tree_Build(tree_);
    const std::string path = WriteSolidBmp(RGB(0, 200, 0), RGB(250, 250, 120), 3);
    Tree_SetBkImage(tree_, path.c_str());
    UpdateWindow(tree_);
    PumpPending();
    POINT pt = {60, 90};
    ClientToScreen(tree_, &pt);
    const auto first = [&] { return (HTREEITEM)SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0); };
    const HTREEITEM top = first();
    for (int delta : {-WHEEL_DELTA, WHEEL_DELTA}) {
        SCOPED_TRACE(delta);
        const HTREEITEM before = first();
        SendMessageA(tree_, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(pt.x, pt.y));
        PumpPending();
        EXPECT_NE(first(), before);
        WindowCapture screen(tree_, CaptureMode::ScreenClient), fresh(tree_, CaptureMode::PrintClient);
        ASSERT_TRUE(screen.Ok() && fresh.Ok());
        int differ = 0;
        for (int y = 0; y < fresh.Height(); y++)
            for (int x = 0; x < fresh.Width(); x++)
                differ += screen.At(x, y) != fresh.At(x, y);
        EXPECT_EQ(differ, 0);
    }
    EXPECT_EQ(first(), top);
    DeleteFileA(path.c_str());
}

TEST_F(TreePaint, RepeatedHoverRepaintsKeepGdiObjects)
{
    Hover("1");
    UpdateWindow(tree_);
    GdiBalance gdi;
    POINT a = LabelCenter(tree_, Item(tree_, "1"));
    POINT b = LabelCenter(tree_, Item(tree_, "2"));
    for (int i = 0, n = SoakCycles(200, 1000); i < n; i++) {
        PostMouse(tree_, WM_MOUSEMOVE, (i % 2) ? a : b);
        PumpPending();
        UpdateWindow(tree_);
    }
    EXPECT_EQ(gdi.Delta(), 0);
}
