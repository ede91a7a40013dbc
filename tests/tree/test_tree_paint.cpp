// Tree painting read back: background and text colours, the hover highlight, picture mode, and
// GDI objects across many repaints.
#include "TreeTestUtil.h"

#include <fstream>

using namespace lumotest;
using namespace treetest;

namespace {

// A 24-bit bitmap file of one colour.
std::string WriteSolidBmp(COLORREF color, int w, int h)
{
    std::string path = TempPath("tree_back.bmp");
    int stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER bf = {};
    BITMAPINFOHEADER bi = {};
    bi.biSize = sizeof(bi);
    bi.biWidth = w;
    bi.biHeight = h;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    bf.bfType = 0x4D42;
    bf.bfOffBits = sizeof(bf) + sizeof(bi);
    bf.bfSize = bf.bfOffBits + stride * h;
    std::vector<unsigned char> row(stride, 0);
    for (int x = 0; x < w; x++)
    {
        row[x * 3] = GetBValue(color);
        row[x * 3 + 1] = GetGValue(color);
        row[x * 3 + 2] = GetRValue(color);
    }
    std::ofstream f(path, std::ios::binary);
    f.write((const char*)&bf, sizeof(bf));
    f.write((const char*)&bi, sizeof(bi));
    for (int y = 0; y < h; y++)
        f.write((const char*)row.data(), stride);
    return path;
}

// Longest horizontal run of one colour inside rc.
int LongestRun(const WindowCapture& cap, COLORREF color, const RECT& rc)
{
    int best = 0;
    for (int y = rc.top; y < rc.bottom; y++)
    {
        int run = 0;
        for (int x = rc.left; x < rc.right; x++)
        {
            run = cap.At(x, y) == color ? run + 1 : 0;
            best = run > best ? run : best;
        }
    }
    return best;
}

class TreePaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        ParkCursor();
        host_ = CreateHostWindow(300, 300);
        tree_ = Tree_new(host_, 0, 0, 220, 280, 0);
        ASSERT_NE(tree_, nullptr);
        Tree_AddItem(tree_, "1", "Wide item label", "");
        Tree_AddItem(tree_, "2", "Another label", "");
        Tree_Build(tree_);
        PumpPending();
    }
    void TearDown() override
    {
        if (IsWindow(tree_))
            Tree_delete(tree_);
        DestroyAllHostWindows();
    }
    // The last hovered item is shared by every tree of the process and item handles come back
    // with new trees, so the other item is hovered first to make the move a real change.
    void Hover(const char* code)
    {
        PostMouse(tree_, WM_MOUSEMOVE, LabelCenter(tree_, Item(tree_, code[0] == '1' ? "2" : "1")));
        PostMouse(tree_, WM_MOUSEMOVE, LabelCenter(tree_, Item(tree_, code)));
        PumpPending();
    }
    HWND host_ = nullptr;
    HWND tree_ = nullptr;
};

}  // namespace

TEST_F(TreePaint, DarkBackgroundLightTextWhiteHover)
{
    Tree_SetBkColor(tree_, 0, 0, 0);
    Hover("2");
    WindowCapture cap(tree_, CaptureMode::PrintClient);
    ASSERT_TRUE(cap.Ok());
    EXPECT_EQ(cap.At(cap.Width() - 5, cap.Height() - 5), 0x000000u);
    RECT plain = LabelRect(tree_, Item(tree_, "1"));
    EXPECT_GT(cap.CountColor(0xEBEBEB, plain), 0);
    RECT hover = LabelRect(tree_, Item(tree_, "2"));
    EXPECT_GT(cap.CountColor(0xFFFFFF, hover), 0);
    // The underline: a long run of the hover colour across the label.
    EXPECT_GT(LongestRun(cap, 0xFFFFFF, hover), (hover.right - hover.left) / 2);
}

TEST_F(TreePaint, LightBackgroundBlackTextBlueHoverOnScreen)
{
    Hover("1");
    UpdateWindow(tree_);
    WindowCapture cap(tree_, CaptureMode::ScreenClient);
    ASSERT_TRUE(cap.Ok());
    EXPECT_EQ(cap.At(cap.Width() - 5, cap.Height() - 5), 0xFFFFFFu);
    RECT plain = LabelRect(tree_, Item(tree_, "2"));
    EXPECT_GT(cap.CountColor(0x000000, plain), 0);
    RECT hover = LabelRect(tree_, Item(tree_, "1"));
    EXPECT_GT(LongestRun(cap, 0xFF0000, hover), (hover.right - hover.left) / 2);
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
    std::string path = WriteSolidBmp(RGB(0, 200, 0), 16, 16);
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

TEST_F(TreePaint, RepeatedHoverRepaintsKeepGdiObjects)
{
    Hover("1");
    UpdateWindow(tree_);
    GdiBalance gdi;
    POINT a = LabelCenter(tree_, Item(tree_, "1"));
    POINT b = LabelCenter(tree_, Item(tree_, "2"));
    for (int i = 0, n = SoakCycles(200, 1000); i < n; i++)
    {
        PostMouse(tree_, WM_MOUSEMOVE, (i % 2) ? a : b);
        PumpPending();
        UpdateWindow(tree_);
    }
    EXPECT_EQ(gdi.Delta(), 0);
}
