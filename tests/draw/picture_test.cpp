// Pictures: loading from memory, files and resources, measuring, drawing stretched, aligned and
// tiled, the placeholder, and the hand cursor.
#include "CUtilityVisual.h"
#include "DrawTestUtil.h"

#include <algorithm>
#include <cstdio>
#include <olectl.h>

using drawtest::CanvasDC;
using lumotest::PixelsAre;

// Its own namespace: the test program compiles its files as one unit.
namespace picturetest {

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// Quadrant colours of the test GIF.
const COLORREF kQuad[4] = {RGB(200, 40, 40), RGB(40, 200, 40), RGB(40, 40, 200), RGB(220, 220, 20)};

std::vector<uint8_t> QuadrantGif(int w, int h)
{
    return drawtest::MakeGif(w, h, kQuad, [w, h](int x, int y) {
        return (x < w / 2 ? 0 : 1) + (y < h / 2 ? 0 : 2);
    });
}

// Top half red, bottom half blue.
std::vector<uint8_t> HalvesBmp(int w, int h)
{
    return drawtest::MakeBmp(w, h, [h](int, int y) { return y < h / 2 ? kRed : kBlue; });
}

class Pictures : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr))); }
    void TearDown() override
    {
        for (IPicture* p : pictures_)
            p->Release();
        for (const std::string& f : files_)
            ::DeleteFileA(f.c_str());
        ::CoUninitialize();
    }

    IPicture* Load(std::vector<uint8_t> data)
    {
        IPicture* p = nullptr;
        return Keep(CUtilityVisual::GetPicture(&p, (void*)data.data(), (int)data.size()), p);
    }
    std::string File(const char* name, const std::vector<uint8_t>& data)
    {
        std::string path = lumotest::TempPath(name);
        EXPECT_TRUE(drawtest::WriteFileBytes(path, data));
        files_.push_back(path);
        return path;
    }
    // Null if the loader fails; otherwise released at the end of the test.
    IPicture* Keep(BOOL loaded, IPicture*& p)
    {
        if (!loaded)
            return nullptr;
        pictures_.push_back(p);
        return p;
    }
    IPicture* LoadFile(const std::string& path, int offset = -1, int length = -1)
    {
        IPicture* p = nullptr;
        return Keep(offset < 0 ? CUtilityVisual::GetPicture(&p, path.c_str())
                               : CUtilityVisual::GetPicture(&p, path.c_str(), offset, length), p);
    }

    static int ScreenDpiX()
    {
        HDC dc = ::GetDC(nullptr);
        int n = ::GetDeviceCaps(dc, LOGPIXELSX);
        ::ReleaseDC(nullptr, dc);
        return n;
    }

    std::vector<IPicture*> pictures_;
    std::vector<std::string> files_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Loading and measuring

TEST_F(Pictures, BmpAndGifLoadFromMemoryAndMeasureInScreenPixels)
{
    ASSERT_EQ(96, ScreenDpiX()) << "the expected sizes assume a 96 DPI screen";
    IPicture* bmp = Load(HalvesBmp(96, 48));
    ASSERT_NE(nullptr, bmp);
    OLE_XSIZE_HIMETRIC w = 0;
    bmp->get_Width(&w);
    EXPECT_EQ(2540, w);
    CSize size(-1, -1);
    CUtilityVisual::GetPictureSize(size, bmp);
    EXPECT_EQ(CSize(96, 48), size);

    IPicture* gif = Load(QuadrantGif(30, 30));
    ASSERT_NE(nullptr, gif);
    CUtilityVisual::GetPictureSize(size, gif);
    EXPECT_EQ(CSize(30, 30), size);

    CUtilityVisual::GetPictureSize(size, nullptr);
    EXPECT_EQ(CSize(0, 0), size);
}

TEST_F(Pictures, FilesLoadWholeOrFromAnOffset)
{
    std::vector<uint8_t> gif = QuadrantGif(30, 30);
    std::string plain = File("plain.gif", gif);
    ASSERT_NE(nullptr, LoadFile(plain));
    EXPECT_TRUE(CUtilityVisual::IsPictureFile(plain.c_str()));

    IPicture* b = LoadFile(File("halves.bmp", HalvesBmp(48, 24)));
    ASSERT_NE(nullptr, b);
    CSize size;
    CUtilityVisual::GetPictureSize(size, b);
    EXPECT_EQ(CSize(48, 24), size);

    // 20 pixels are 529 HIMETRIC, which measure back as 19 pixels: the conversion truncates.
    IPicture* o = LoadFile(File("odd.bmp", HalvesBmp(20, 10)));
    ASSERT_NE(nullptr, o);
    OLE_XSIZE_HIMETRIC w = 0;
    o->get_Width(&w);
    EXPECT_EQ(529, w);
    CUtilityVisual::GetPictureSize(size, o);
    EXPECT_EQ(19, size.cx);

    // A picture stored after 16 bytes of something else.
    std::vector<uint8_t> packed(16 + gif.size(), 0xAB);
    std::copy(gif.begin(), gif.end(), packed.begin() + 16);
    std::string packedPath = File("packed.bin", packed);
    EXPECT_NE(nullptr, LoadFile(packedPath, 16, -1));
    EXPECT_NE(nullptr, LoadFile(packedPath, 16, (int)gif.size()));
    IPicture* s = (IPicture*)0x1234;
    EXPECT_FALSE(CUtilityVisual::GetPicture(&s, packedPath.c_str(), 16, (int)gif.size() + 1));
    EXPECT_EQ((IPicture*)0x1234, s);
}

TEST_F(Pictures, NonPicturesFailAndLeaveTheOutputAlone)
{
    IPicture* const sentinel = (IPicture*)0x1234;
    IPicture* p = sentinel;

    const char text[] = "this is plain text, not a picture\r\n";
    std::string textPath = File("text.gif", std::vector<uint8_t>(text, text + sizeof(text) - 1));
    EXPECT_FALSE(CUtilityVisual::GetPicture(&p, textPath.c_str()));
    EXPECT_FALSE(CUtilityVisual::IsPictureFile(textPath.c_str()));

    std::string emptyPath = File("empty.bmp", {});
    EXPECT_FALSE(CUtilityVisual::GetPicture(&p, emptyPath.c_str()));
    EXPECT_FALSE(CUtilityVisual::IsPictureFile(emptyPath.c_str()));

    std::string missing = lumotest::TempPath("missing.bmp");
    EXPECT_FALSE(CUtilityVisual::GetPicture(&p, missing.c_str()));
    EXPECT_FALSE(CUtilityVisual::IsPictureFile(missing.c_str()));
    EXPECT_FALSE(CUtilityVisual::IsPictureFile(nullptr));
    EXPECT_FALSE(CUtilityVisual::GetPicture(&p, (LPCSTR) nullptr));

    // Bitmaps cut short in the headers or in the pixels.
    const std::vector<uint8_t> whole = HalvesBmp(20, 10);
    for (size_t len : {size_t(2), size_t(20), size_t(53), size_t(54), whole.size() - 1})
    {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + len);
        EXPECT_FALSE(CUtilityVisual::GetPicture(&p, (void*)cut.data(), (int)cut.size())) << len;
        std::string cutPath = File("cut.bmp", cut);
        EXPECT_FALSE(CUtilityVisual::IsPictureFile(cutPath.c_str())) << len;
    }
    EXPECT_FALSE(CUtilityVisual::GetPicture(&p, (void*)text, (int)sizeof(text)));
    EXPECT_FALSE(CUtilityVisual::GetPicture(&p, (void*)nullptr, 10));
    EXPECT_FALSE(CUtilityVisual::GetPicture(&p, (void*)text, 0));
    EXPECT_EQ(sentinel, p);

    std::vector<uint8_t> good = HalvesBmp(4, 4);
    EXPECT_FALSE(CUtilityVisual::GetPicture(nullptr, (void*)good.data(), (int)good.size()));
}

TEST_F(Pictures, ResourcesLoadByTheLowSixteenBitsOfTheirId)
{
    IPicture* p = nullptr;
    ASSERT_NE(nullptr, Keep(CUtilityVisual::GetPicture(&p, "PICTURE", (DWORD)101), p));
    CSize size;
    CUtilityVisual::GetPictureSize(size, p);
    EXPECT_EQ(CSize(4, 4), size);
    IPicture* q = nullptr;
    EXPECT_NE(nullptr, Keep(CUtilityVisual::GetPicture(&q, "PICTURE", (DWORD)0x10065), q));

    IPicture* const sentinel = (IPicture*)0x1234;
    IPicture* r = sentinel;
    EXPECT_FALSE(CUtilityVisual::GetPicture(&r, "PICTURE", (DWORD)102));
    EXPECT_FALSE(CUtilityVisual::GetPicture(&r, "NOSUCHTYPE", (DWORD)101));
    EXPECT_EQ(sentinel, r);

    // Left half green, right half blue.
    CanvasDC c(10, 10);
    CRect rc(0, 0, 8, 8);
    CUtilityVisual::draw_pic(c.Dc(), p, rc, SRCCOPY, 0);
    EXPECT_TRUE(PixelsAre(c, {{1, 1, kGreen}, {6, 6, kBlue}}));
}

// ---------------------------------------------------------------------------------------------
// Drawing

TEST_F(Pictures, DrawPicStretchesUpright)
{
    IPicture* bmp = Load(HalvesBmp(96, 48));
    ASSERT_NE(nullptr, bmp);
    CanvasDC c(60, 40, kGreen);
    CRect rc(5, 5, 45, 25);
    CUtilityVisual::draw_pic(c.Dc(), bmp, rc, SRCCOPY, 0);
    EXPECT_TRUE(PixelsAre(c, {{5, 5, kRed}, {44, 10, kRed}, {10, 20, kBlue}, {44, 24, kBlue},
                              {45, 24, kGreen}, {44, 25, kGreen}, {4, 5, kGreen}}));
    EXPECT_EQ(40 * 10, c.canvas.CountColor(kRed));
    EXPECT_EQ(40 * 10, c.canvas.CountColor(kBlue));
}

TEST_F(Pictures, DrawPicWithAnotherRopCombinesThroughAMemoryBitmap)
{
    IPicture* bmp = Load(HalvesBmp(20, 20));
    ASSERT_NE(nullptr, bmp);
    CanvasDC c(40, 40, RGB(255, 255, 0));
    CRect rc(10, 10, 30, 30);
    CUtilityVisual::draw_pic(c.Dc(), bmp, rc, SRCAND, 0);
    // Yellow AND red, yellow AND blue, the yellow around.
    EXPECT_TRUE(PixelsAre(c, {{15, 12, kRed}, {15, 25, RGB(0, 0, 0)}, {9, 9, RGB(255, 255, 0)},
                              {30, 30, RGB(255, 255, 0)}}));
}

TEST_F(Pictures, PrinterWithoutRasterOpsGetsThePictureOnlyOnWhitePaper)
{
    IPicture* bmp = Load(HalvesBmp(20, 20));
    ASSERT_NE(nullptr, bmp);
    CanvasDC c(40, 40);
    // Paper already printed on in its left half.
    ::PatBlt(c.canvas.Dc(), 0, 0, 20, 40, BLACKNESS);
    // A metafile context answers no raster capabilities; it stands in for such a printer.
    HDC meta = ::CreateMetaFileA(nullptr);
    ASSERT_NE(nullptr, meta);
    ASSERT_EQ(0, ::GetDeviceCaps(meta, RASTERCAPS) & RC_FLOODFILL);
    c.dc.m_bPrinting = TRUE;
    c.dc.SetAttribDC(meta);
    CRect rc(10, 10, 30, 30);
    CUtilityVisual::draw_pic(c.Dc(), bmp, rc, SRCAND, 0);
    lumotest::GdiBalance balance;
    for (int i = 0; i < 200; ++i)
        CUtilityVisual::draw_pic(c.Dc(), bmp, rc, SRCAND, 0);
    EXPECT_EQ(0, balance.Delta());
    c.dc.SetAttribDC(c.canvas.Dc());
    c.dc.m_bPrinting = FALSE;
    ::DeleteMetaFile(::CloseMetaFile(meta));

    // Printed paper keeps its ink; white paper shows the picture.
    EXPECT_TRUE(PixelsAre(c, {{15, 12, RGB(0, 0, 0)}, {15, 25, RGB(0, 0, 0)}, {25, 12, kRed},
                              {25, 25, kBlue}, {30, 30, kWhite}}));
    EXPECT_EQ(10 * 10, c.canvas.CountColor(kRed));
    EXPECT_EQ(10 * 10, c.canvas.CountColor(kBlue));
}

TEST_F(Pictures, PlaceholderFillsASmallBoxAndIsA21PixelIconInset4InALargeOne)
{
    const COLORREF grey = RGB(0x80, 0x80, 0x80), light = RGB(0xC0, 0xC0, 0xC0), dark = RGB(0x40, 0x40, 0x40);
    CanvasDC c(20, 20, kGreen);
    CRect rc(0, 0, 10, 10);
    CUtilityVisual::draw_pic(c.Dc(), nullptr, rc, SRCCOPY, 0);
    EXPECT_TRUE(PixelsAre(c, {{0, 0, light}, {0, 8, light}, {9, 0, dark}, {9, 9, dark}, {0, 9, dark},
                              {10, 10, kGreen}, {10, 0, kGreen}}));
    // The red cross stays strictly inside the frame.
    EXPECT_GT(c.canvas.CountColor(kRed, CRect(1, 1, 9, 9)), 0);
    EXPECT_EQ(c.canvas.CountColor(kRed), c.canvas.CountColor(kRed, CRect(1, 1, 9, 9)));
    EXPECT_EQ(0, c.canvas.CountColor(kGreen, CRect(0, 0, 10, 10)));

    CanvasDC big(110, 110, kGreen);
    rc.SetRect(0, 0, 100, 100);
    CUtilityVisual::draw_pic(big.Dc(), nullptr, rc, SRCCOPY, 0);
    // Grey frame on white; the box covers (4,4)..(24,24).
    EXPECT_TRUE(PixelsAre(big, {{0, 0, grey}, {99, 99, grey}, {50, 0, grey}, {0, 50, grey},
                                {100, 100, kGreen}, {50, 50, kWhite}, {3, 3, kWhite}, {4, 4, light},
                                {23, 4, light}, {4, 23, light}, {24, 4, dark}, {24, 24, dark},
                                {4, 24, dark}, {25, 25, kWhite}, {6, 18, kWhite}, {12, 12, kRed},
                                {17, 12, kRed}}));
    EXPECT_EQ(0, big.canvas.CountColor(kRed, CRect(25, 0, 110, 110)));

    // With another raster operation the background is not whitened.
    CanvasDC d(110, 110, kGreen);
    CUtilityVisual::draw_pic(d.Dc(), nullptr, rc, SRCAND, 0);
    EXPECT_TRUE(PixelsAre(d, {{50, 50, kGreen}, {0, 0, grey}, {4, 4, light}}));
}

TEST_F(Pictures, DrawPicExAlignsAtNaturalSizeOrStretches)
{
    IPicture* gif = Load(QuadrantGif(30, 30));
    ASSERT_NE(nullptr, gif);
    struct Case { int align; CRect expected; };
    const Case cases[] = {
        {DT_CENTER | DT_VCENTER, CRect(35, 15, 65, 45)},
        {DT_LEFT | DT_TOP, CRect(0, 0, 30, 30)},
        {DT_RIGHT | DT_TOP, CRect(70, 0, 100, 30)},
        {3 | 12, CRect(70, 30, 100, 60)},           // 3 counts as right, 12 as bottom
        {DT_CENTER | DT_BOTTOM, CRect(35, 30, 65, 60)},
        {DT_RIGHT | DT_BOTTOM, CRect(0, 0, 100, 60)},  // stretched
    };
    for (const Case& k : cases)
    {
        CanvasDC c(110, 70);
        CRect rc(0, 0, 100, 60);
        CUtilityVisual::draw_picEx(c.Dc(), gif, rc, k.align, SRCCOPY);
        const CRect& e = k.expected;
        EXPECT_EQ(kQuad[0], c.At(e.left, e.top)) << "align " << k.align;
        EXPECT_EQ(kQuad[3], c.At(e.right - 1, e.bottom - 1)) << "align " << k.align;
        EXPECT_EQ(e.Width() * e.Height(),
                  c.canvas.CountColor(kQuad[0]) + c.canvas.CountColor(kQuad[1])
                      + c.canvas.CountColor(kQuad[2]) + c.canvas.CountColor(kQuad[3]))
            << "align " << k.align;
        EXPECT_EQ(CRect(0, 0, 100, 60), rc);
    }

    // Wider than the rectangle: squeezed across, centred down.
    CanvasDC c(110, 110);
    CRect narrow(0, 0, 20, 100);
    CUtilityVisual::draw_picEx(c.Dc(), gif, narrow, DT_CENTER | DT_VCENTER, SRCCOPY);
    EXPECT_TRUE(PixelsAre(c, {{0, 35, kQuad[0]}, {19, 64, kQuad[3]}, {0, 34, kWhite}, {19, 65, kWhite},
                              {20, 50, kWhite}}));

    // No picture: the placeholder over the whole rectangle.
    CanvasDC d(40, 40, kGreen);
    CRect small(0, 0, 10, 10);
    CUtilityVisual::draw_picEx(d.Dc(), nullptr, small, DT_CENTER, SRCCOPY);
    EXPECT_EQ(RGB(0x40, 0x40, 0x40), d.At(9, 9));
}

TEST_F(Pictures, FillWithPicTilesPastTheEdges)
{
    IPicture* gif = Load(QuadrantGif(30, 30));
    ASSERT_NE(nullptr, gif);
    CanvasDC c(140, 80);
    CRect rc(0, 0, 100, 50);
    CUtilityVisual::fill_with_pic(c.Dc(), gif, rc);
    // 4 tiles across, 2 down: each contributes its 15 by 15 top-left quadrant.
    EXPECT_EQ(8 * 15 * 15, c.canvas.CountColor(kQuad[0]));
    EXPECT_EQ(8 * 15 * 15, c.canvas.CountColor(kQuad[3]));
    for (int ty = 0; ty < 2; ++ty)
        for (int tx = 0; tx < 4; ++tx)
            EXPECT_EQ(kQuad[0], c.At(tx * 30, ty * 30)) << tx << "," << ty;
    EXPECT_TRUE(PixelsAre(c, {{119, 59, kQuad[3]}, {120, 0, kWhite}, {0, 60, kWhite}}));

    CanvasDC d(40, 40);
    CUtilityVisual::fill_with_pic(d.Dc(), nullptr, rc);
    EXPECT_EQ(40 * 40, d.canvas.CountColor(kWhite));
}

TEST_F(Pictures, RepeatedPictureDrawsLeaveNoGdiObjects)
{
    IPicture* gif = Load(QuadrantGif(30, 30));
    ASSERT_NE(nullptr, gif);
    CanvasDC c(140, 80);
    HGDIOBJ pen = ::GetCurrentObject(c.canvas.Dc(), OBJ_PEN);
    HGDIOBJ brush = ::GetCurrentObject(c.canvas.Dc(), OBJ_BRUSH);
    HGDIOBJ bitmap = ::GetCurrentObject(c.canvas.Dc(), OBJ_BITMAP);
    // Warm up once, so objects the picture caches on its first render are not counted.
    CRect rc(0, 0, 100, 50);
    CUtilityVisual::draw_pic(c.Dc(), gif, rc, SRCAND, 0);
    CUtilityVisual::fill_with_pic(c.Dc(), gif, rc);
    lumotest::GdiBalance balance;
    for (int i = 0, n = lumotest::SoakCycles(200, 10000); i < n; ++i)
    {
        CRect r(0, 0, 100, 50);
        CUtilityVisual::draw_pic(c.Dc(), gif, r, SRCCOPY, 0);
        CUtilityVisual::draw_pic(c.Dc(), gif, r, SRCAND, 0);
        CUtilityVisual::draw_pic(c.Dc(), nullptr, r, SRCCOPY, 0);
        CUtilityVisual::draw_picEx(c.Dc(), gif, r, DT_CENTER | DT_VCENTER, SRCCOPY);
        CUtilityVisual::fill_with_pic(c.Dc(), gif, r);
    }
    EXPECT_EQ(0, balance.Delta());
    EXPECT_EQ(pen, ::GetCurrentObject(c.canvas.Dc(), OBJ_PEN));
    EXPECT_EQ(brush, ::GetCurrentObject(c.canvas.Dc(), OBJ_BRUSH));
    EXPECT_EQ(bitmap, ::GetCurrentObject(c.canvas.Dc(), OBJ_BITMAP));
}

TEST_F(Pictures, LoadingAndReleasingLeavesNoGdiObjects)
{
    std::vector<uint8_t> gif = QuadrantGif(30, 30);
    std::string path = File("loop.gif", gif);
    IPicture* warm = Load(gif);
    ASSERT_NE(nullptr, warm);
    lumotest::GdiBalance balance;
    for (int i = 0, n = lumotest::SoakCycles(100, 1000); i < n; ++i)
    {
        IPicture* p = nullptr;
        ASSERT_TRUE(CUtilityVisual::GetPicture(&p, path.c_str()));
        p->Release();
        ASSERT_TRUE(CUtilityVisual::IsPictureFile(path.c_str()));
    }
    EXPECT_EQ(0, balance.Delta());
}

// ---------------------------------------------------------------------------------------------
// Hand cursor

namespace {

// A 32 by 32 monochrome cursor file with the given hot spot.
std::vector<uint8_t> MakeCursorFile(int hotX, int hotY)
{
    std::vector<uint8_t> v;
    auto put16 = [&v](unsigned n) { v.push_back(n & 0xFF); v.push_back((n >> 8) & 0xFF); };
    auto put32 = [&](uint32_t n) { put16(n & 0xFFFF); put16(n >> 16); };
    const uint32_t imageSize = 40 + 8 + 128 + 128;
    put16(0); put16(2); put16(1);
    v.push_back(32); v.push_back(32); v.push_back(0); v.push_back(0);
    put16((unsigned)hotX); put16((unsigned)hotY);
    put32(imageSize); put32(22);
    put32(40); put32(32); put32(64); put16(1); put16(1); put32(0); put32(256);
    put32(0); put32(0); put32(0); put32(0);
    put32(0x00000000); put32(0x00FFFFFF);
    for (int i = 0; i < 128; ++i)
        v.push_back(i % 4 == 0 ? 0xF0 : 0x00);  // colour bits
    for (int i = 0; i < 128; ++i)
        v.push_back(i % 4 == 0 ? 0x0F : 0xFF);  // mask: transparent but for a small block
    return v;
}

}  // namespace

TEST(HandCursor, PrefersTheCursorFileInThePlatformFolderAndFallsBackToOneTheCallerCanDestroy)
{
    HCURSOR fallback = CUtilityVisual::GetHandCursor();
    ASSERT_NE(nullptr, fallback);
    ICONINFO info = {};
    EXPECT_TRUE(::GetIconInfo(fallback, &info));
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    ::DestroyCursor(fallback);

    char windir[MAX_PATH] = "";
    ASSERT_GT(::GetSystemDirectoryA(windir, MAX_PATH), 0u);
    std::string dir(windir);
    dir = dir.substr(0, dir.rfind('\\')) + "\\Cursors";
    const bool madeDir = ::CreateDirectoryA(dir.c_str(), nullptr) != 0;
    const std::string file = dir + "\\harrowsp_small.cur";
    if (::GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "the platform already has the cursor file";
    ASSERT_TRUE(drawtest::WriteFileBytes(file, MakeCursorFile(5, 7)));

    HCURSOR h = CUtilityVisual::GetHandCursor();
    ::DeleteFileA(file.c_str());
    if (madeDir)
        ::RemoveDirectoryA(dir.c_str());
    ASSERT_NE(nullptr, h);
    ASSERT_TRUE(::GetIconInfo(h, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(5u, info.xHotspot);
    EXPECT_EQ(7u, info.yHotspot);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    EXPECT_TRUE(::DestroyCursor(h));
}

}  // namespace picturetest
