// Pictures: loading from memory, files and resources, measuring, drawing stretched, aligned and
// tiled, and the placeholder.
#include "CUtilityVisual.h"
#include "DrawTestUtil.h"

#include <olectl.h>

using drawtest::CanvasDC;
using drawtest::Lend;
using lumotest::PixelsAre;

// Its own namespace: the test program compiles its files as one unit.
namespace picturetest {

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kGreen = RGB(0, 255, 0), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
const COLORREF kQuad[4] = {RGB(200, 40, 40), RGB(40, 200, 40), RGB(40, 40, 200), RGB(220, 220, 20)};

// A bitmap file in four coloured quadrants, or in a red top and a blue bottom half.
std::vector<uint8_t> QuadrantBmp(int w, int h) {
    return drawtest::MakeBmp(w, h, [w, h](int x, int y) { return kQuad[(x < w / 2 ? 0 : 1) + (y < h / 2 ? 0 : 2)]; });
}
std::vector<uint8_t> HalvesBmp(int w, int h) {
    return drawtest::MakeBmp(w, h, [h](int, int y) { return y < h / 2 ? kRed : kBlue; });
}

// An icon file with a mask, of 24 bits or of 32 bits with an alpha channel: pixel(x, y) gives a
// colour, kClear for a pixel that leaves what is under it, or Half(c) for c half covering what is
// under it (32 bits only).
const COLORREF kClear = 0x01000000;
COLORREF Half(COLORREF c) { return c | 0x02000000; }
std::vector<uint8_t> MakeIcon(int w, int h, int bits, const std::function<COLORREF(int x, int y)>& pixel) {
    const int bytesPerPixel = bits / 8, stride = (w * bytesPerPixel + 3) & ~3, maskStride = ((w + 31) / 32) * 4;
    const DWORD bytes = 40 + (stride + maskStride) * h;
    const uint8_t dir[6 + 16] = {0, 0, 1, 0, 1, 0, uint8_t(w), uint8_t(h), 0, 0, 1, 0, uint8_t(bits), 0,
                                 uint8_t(bytes), uint8_t(bytes >> 8), 0, 0, 22, 0, 0, 0};
    const BITMAPINFOHEADER info = {40, w, 2 * h, 1, WORD(bits), BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint8_t> v(dir, dir + sizeof dir);
    v.insert(v.end(), (const uint8_t*)&info, (const uint8_t*)(&info + 1));
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const COLORREF p = pixel(x, y), c = p == kClear ? 0 : p & 0xFFFFFF;
            v.insert(v.end(), {GetBValue(c), GetGValue(c), GetRValue(c)});
            if (bits == 32) v.push_back(p == kClear ? 0 : (p >> 24) == 2 ? 0x80 : 0xFF);
        }
        v.resize(v.size() + stride - w * bytesPerPixel);
    }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride);
        for (int x = 0; x < w; ++x)
            if (pixel(x, y) == kClear) row[x / 8] |= uint8_t(0x80 >> (x % 8));
        v.insert(v.end(), row.begin(), row.end());
    }
    return v;
}

// An enhanced metafile 10 pixels square: the left half inverts what is under it, the right half
// is red.
std::vector<uint8_t> InvertingMetafile() {
    const RECT frame = {0, 0, 265, 265};  // hundredths of a millimetre: 10 pixels at 96 DPI
    HDC dc = ::CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
    ::PatBlt(dc, 0, 0, 5, 10, DSTINVERT);
    const RECT red = {5, 0, 10, 10};
    HBRUSH brush = ::CreateSolidBrush(kRed);
    ::FillRect(dc, &red, brush);
    ::DeleteObject(brush);
    HENHMETAFILE emf = ::CloseEnhMetaFile(dc);
    std::vector<uint8_t> v(::GetEnhMetaFileBits(emf, 0, nullptr));
    ::GetEnhMetaFileBits(emf, (UINT)v.size(), v.data());
    ::DeleteEnhMetaFile(emf);
    return v;
}

// A picture of 4 x 4 pixels, each of its own colour, that counts its renderings; transparent,
// it covers only the pixels of its diagonal.
class CountingPicture : public IPicture {
public:
    explicit CountingPicture(bool transparent, OLE_XSIZE_HIMETRIC width = 106)
        : transparent_(transparent), width_(width) {}
    static COLORREF Pixel(int u, int v) { return RGB(40 + 50 * u, 40 + 50 * v, 90); }
    int renders = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { *out = nullptr; return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE get_Handle(OLE_HANDLE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_hPal(OLE_HANDLE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Type(SHORT* type) override { *type = PICTYPE_BITMAP; return S_OK; }
    // 4 pixels at 96 DPI, rounded up as the platform's pictures store it.
    HRESULT STDMETHODCALLTYPE get_Width(OLE_XSIZE_HIMETRIC* w) override { *w = width_; return S_OK; }
    HRESULT STDMETHODCALLTYPE get_Height(OLE_YSIZE_HIMETRIC* h) override { *h = 106; return S_OK; }
    HRESULT STDMETHODCALLTYPE Render(HDC dc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC, OLE_YPOS_HIMETRIC,
                                     OLE_XSIZE_HIMETRIC, OLE_YSIZE_HIMETRIC, LPCRECT) override {
        ++renders;
        for (int v = 0; v < 4; ++v)
            for (int u = 0; u < 4; ++u)
                if (!transparent_ || u == v) ::SetPixelV(dc, x + u * cx / 4, y + v * cy / 4, Pixel(u, v));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE set_hPal(OLE_HANDLE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_CurDC(HDC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SelectPicture(HDC, HDC*, OLE_HANDLE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_KeepOriginalFormat(WINBOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_KeepOriginalFormat(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PictureChanged() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SaveAsFile(LPSTREAM, WINBOOL, LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Attributes(DWORD* attr) override {
        *attr = transparent_ ? PICTURE_TRANSPARENT : 0;
        return S_OK;
    }

private:
    bool transparent_;
    OLE_XSIZE_HIMETRIC width_;
};

// Rows of colours that differ from row to row, so that what a picture leaves uncovered shows.
void Stripes(CanvasDC& c, int w, int h) {
    for (int y = 0; y < h; ++y) c.Dc()->FillSolidRect(0, y, w, 1, RGB(y * 3 % 256, 255 - y * 2 % 256, y * 7 % 256));
}

class Pictures : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr))); }
    void TearDown() override {
        for (IPicture* p : pictures_) p->Release();
        for (const std::string& f : files_) ::DeleteFileA(f.c_str());
        ::CoUninitialize();
    }
    // Null if the loader fails; otherwise released at the end of the test.
    IPicture* Keep(BOOL loaded, IPicture*& p) {  // p by reference: it is read after the loader ran
        if (loaded) pictures_.push_back(p);
        return loaded ? p : nullptr;
    }
    IPicture* Load(std::vector<uint8_t> data) {
        IPicture* p = nullptr;
        return Keep(CUtilityVisual::GetPicture(&p, (void*)data.data(), (int)data.size()), p);
    }
    std::string File(const char* name, const std::vector<uint8_t>& data) {
        files_.push_back(lumotest::TempPath(name));
        EXPECT_TRUE(drawtest::WriteFileBytes(files_.back(), data));
        return files_.back();
    }
    IPicture* LoadFile(const std::string& path, int offset = -1, int length = -1) {
        IPicture* p = nullptr;
        return Keep(offset < 0 ? CUtilityVisual::GetPicture(&p, path.c_str())
                               : CUtilityVisual::GetPicture(&p, path.c_str(), offset, length), p);
    }
    // A metafile's size in this screen's pixels: its HIMETRIC length at the screen's DPI, cut.
    static CSize LengthOnScreen(IPicture* p) {
        OLE_XSIZE_HIMETRIC w = 0, h = 0;
        p->get_Width(&w);
        p->get_Height(&h);
        HDC dc = ::GetDC(nullptr);
        CSize size(::GetDeviceCaps(dc, LOGPIXELSX) * w / 2540, ::GetDeviceCaps(dc, LOGPIXELSY) * h / 2540);
        ::ReleaseDC(nullptr, dc);
        return size;
    }

    std::vector<IPicture*> pictures_;
    std::vector<std::string> files_;
};

}  // namespace

TEST_F(Pictures, LoadFromMemoryFilesOffsetsAndResourcesAndMeasure) {
    const std::vector<uint8_t> quad = QuadrantBmp(30, 30);
    std::vector<uint8_t> packed(16, 0xAB);  // a picture stored after 16 bytes of something else
    packed.insert(packed.end(), quad.begin(), quad.end());
    const std::string path = File("quad.bmp", quad), packedPath = File("packed.bin", packed);
    IPicture* loaded[] = {Load(quad), LoadFile(path), LoadFile(packedPath, 16, -1),
                          LoadFile(packedPath, 16, (int)quad.size()), LoadFile(File("odd.bmp", HalvesBmp(20, 10)))};
    const CSize sizes[] = {CSize(30, 30), CSize(30, 30), CSize(30, 30), CSize(30, 30), CSize(20, 10)};
    // A bitmap measures its own pixels, even where its HIMETRIC size does not make a whole
    // number of them again (20 pixels would measure 19).
    CSize size;
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(nullptr, loaded[i]);
        CUtilityVisual::GetPictureSize(size, loaded[i]);
        EXPECT_EQ(sizes[i], size) << i;
    }
    // An icon measures its pixels too; a metafile its length.
    IPicture* icon = Load(MakeIcon(4, 4, 24, [](int, int) { return kRed; }));
    IPicture* meta = Load(InvertingMetafile());
    ASSERT_TRUE(icon && meta);
    CUtilityVisual::GetPictureSize(size, icon);
    EXPECT_EQ(CSize(4, 4), size);
    CUtilityVisual::GetPictureSize(size, meta);
    EXPECT_EQ(LengthOnScreen(meta), size);
    EXPECT_TRUE(CUtilityVisual::IsPictureFile(path.c_str()));
    CUtilityVisual::GetPictureSize(size, nullptr);
    EXPECT_EQ(CSize(0, 0), size);

    // Resources by the low sixteen bits of their id: left half green, right half blue.
    IPicture* res = nullptr;
    ASSERT_NE(nullptr, Keep(CUtilityVisual::GetPicture(&res, "PICTURE", (DWORD)0x10065), res));
    CanvasDC c(10, 10);
    CUtilityVisual::draw_pic(c.Dc(), res, Lend(CRect(0, 0, 8, 8)), SRCCOPY, 0);
    EXPECT_TRUE(PixelsAre(c, {{1, 1, kGreen}, {6, 6, kBlue}}));
}

TEST_F(Pictures, NonPicturesFailAndLeaveTheOutputAlone) {
    IPicture* const sentinel = (IPicture*)0x1234;
    IPicture* p = sentinel;
    const char text[] = "this is plain text, not a picture\r\n";
    const std::vector<uint8_t> whole = HalvesBmp(20, 10);
    std::vector<std::string> bad = {File("text.bmp", std::vector<uint8_t>(text, text + sizeof(text) - 1)),
                                    File("empty.bmp", {}), lumotest::TempPath("missing.bmp")};
    for (size_t len : {size_t(2), size_t(53), size_t(54), whole.size() - 1}) {  // cut in the headers or pixels
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + len);
        EXPECT_FALSE(CUtilityVisual::GetPicture(&p, (void*)cut.data(), (int)cut.size())) << len;
        bad.push_back(File("cut.bmp", cut));
    }
    for (const std::string& f : bad) {
        EXPECT_FALSE(CUtilityVisual::GetPicture(&p, f.c_str())) << f;
        EXPECT_FALSE(CUtilityVisual::IsPictureFile(f.c_str())) << f;
    }
    EXPECT_FALSE(CUtilityVisual::IsPictureFile(nullptr));
    EXPECT_FALSE(CUtilityVisual::GetPicture(&p, (LPCSTR) nullptr));
    EXPECT_FALSE(CUtilityVisual::GetPicture(&p, (void*)nullptr, 10));
    EXPECT_FALSE(CUtilityVisual::GetPicture(&p, (void*)text, 0));
    EXPECT_FALSE(CUtilityVisual::GetPicture(&p, bad[0].c_str(), 16, 1 << 20));  // past the end
    EXPECT_FALSE(CUtilityVisual::GetPicture(&p, "PICTURE", (DWORD)102));
    EXPECT_FALSE(CUtilityVisual::GetPicture(&p, "NOSUCHTYPE", (DWORD)101));
    EXPECT_EQ(sentinel, p);
    EXPECT_FALSE(CUtilityVisual::GetPicture(nullptr, (void*)whole.data(), (int)whole.size()));
}

TEST_F(Pictures, DrawPicStretchesUprightAndCombinesOtherRops) {
    IPicture* bmp = Load(HalvesBmp(96, 48));
    ASSERT_NE(nullptr, bmp);
    CanvasDC c(60, 40, kGreen);
    CUtilityVisual::draw_pic(c.Dc(), bmp, Lend(CRect(5, 5, 45, 25)), SRCCOPY, 0);
    EXPECT_TRUE(PixelsAre(c, {{5, 5, kRed}, {44, 14, kRed}, {10, 15, kBlue}, {44, 24, kBlue},
                              {45, 24, kGreen}, {44, 25, kGreen}, {4, 5, kGreen}}));
    EXPECT_EQ(40 * 10, c.canvas.CountColor(kRed));
    EXPECT_EQ(40 * 10, c.canvas.CountColor(kBlue));

    // Through a memory bitmap: yellow AND red, yellow AND blue, the yellow around.
    CanvasDC y(40, 40, RGB(255, 255, 0));
    CUtilityVisual::draw_pic(y.Dc(), bmp, Lend(CRect(10, 10, 30, 30)), SRCAND, 0);
    EXPECT_TRUE(PixelsAre(y, {{15, 12, kRed}, {15, 25, RGB(0, 0, 0)}, {9, 9, RGB(255, 255, 0)}, {30, 30, RGB(255, 255, 0)}}));

    // A printer without raster operations (a metafile stands in) gets the picture only on
    // white paper; paper already printed on keeps its ink.
    CanvasDC paper(40, 40);
    ::PatBlt(paper.canvas.Dc(), 0, 0, 20, 40, BLACKNESS);
    HDC meta = ::CreateMetaFileA(nullptr);
    ASSERT_EQ(0, ::GetDeviceCaps(meta, RASTERCAPS) & RC_FLOODFILL);
    paper.dc.m_bPrinting = TRUE;
    paper.dc.SetAttribDC(meta);
    EXPECT_EQ(lumotest::LeaksOf([&] { CUtilityVisual::draw_pic(paper.Dc(), bmp, Lend(CRect(10, 10, 30, 30)), SRCAND, 0); }).gdi, 0);
    paper.dc.SetAttribDC(paper.canvas.Dc());
    paper.dc.m_bPrinting = FALSE;
    ::DeleteMetaFile(::CloseMetaFile(meta));
    EXPECT_TRUE(PixelsAre(paper, {{15, 12, 0}, {15, 25, 0}, {25, 12, kRed}, {25, 25, kBlue}, {30, 30, kWhite}}));
    EXPECT_EQ(10 * 10, paper.canvas.CountColor(kRed));
}

// On paper the tiles are rendered one by one, giving what tiling on the screen gives and
// ending at the rectangle's edges. A printer without raster operations takes the picture only
// on white paper, not on a colour that merely has full channels, and nowhere past the
// rectangle; on the screen the picture is combined everywhere, whatever the attribute DC is.
TEST_F(Pictures, OnPaperTilesOneByOneAndOnlyWhitePaperTakesThePicture) {
    IPicture* quad = Load(QuadrantBmp(4, 4));
    IPicture* halves = Load(HalvesBmp(96, 48));
    ASSERT_TRUE(quad && halves);
    const CSize n(4, 4);
    const CRect whole(7, 5, 7 + 6 * n.cx, 5 + 4 * n.cy);
    CanvasDC screen(90, 70), paper(90, 70);
    for (CanvasDC* c : {&screen, &paper}) Stripes(*c, 90, 70);
    CUtilityVisual::fill_with_pic(screen.Dc(), quad, Lend(CRect(whole)));
    paper.dc.m_bPrinting = TRUE;
    CUtilityVisual::fill_with_pic(paper.Dc(), quad, Lend(CRect(whole)));
    paper.dc.m_bPrinting = FALSE;
    int differ = 0;
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 90; ++x) differ += screen.At(x, y) != paper.At(x, y);
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(paper.At(whole.left, whole.top), kQuad[0]);
    EXPECT_EQ(paper.At(whole.right - 1, whole.bottom - 1), kQuad[3]);

    // Bands of yellow, magenta, cyan, nearly white and white across the picture's place.
    const COLORREF bands[5] = {RGB(255, 255, 0), RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 254), kWhite};
    HDC meta = ::CreateMetaFileA(nullptr);
    ASSERT_EQ(0, ::GetDeviceCaps(meta, RASTERCAPS) & RC_FLOODFILL);
    for (bool printing : {true, false}) {
        SCOPED_TRACE(printing ? "printing" : "on the screen");
        CanvasDC c(40, 40);
        for (int i = 0; i < 5; ++i) c.Dc()->FillSolidRect(10 + 4 * i, 0, 4, 40, bands[i]);
        c.dc.m_bPrinting = printing;
        c.dc.SetAttribDC(meta);
        CUtilityVisual::draw_pic(c.Dc(), halves, Lend(CRect(10, 10, 30, 30)), SRCAND, 0);
        c.dc.SetAttribDC(c.canvas.Dc());
        c.dc.m_bPrinting = FALSE;
        for (int i = 0; i < 5; ++i) {
            const COLORREF top = printing && i < 4 ? bands[i] : bands[i] & kRed;
            const COLORREF bottom = printing && i < 4 ? bands[i] : bands[i] & kBlue;
            EXPECT_TRUE(PixelsAre(c, {{10 + 4 * i, 12, top}, {13 + 4 * i, 27, bottom}, {11 + 4 * i, 9, bands[i]},
                                      {12 + 4 * i, 30, bands[i]}})) << "band " << i;
        }
        EXPECT_EQ(c.At(30, 15), kWhite);
        EXPECT_EQ(c.At(9, 15), kWhite);
    }
    ::DeleteMetaFile(::CloseMetaFile(meta));
}

TEST_F(Pictures, PlaceholderFillsASmallBoxAndIsA21PixelIconInset4InALargeOne) {
    const COLORREF grey = RGB(0x80, 0x80, 0x80), light = RGB(0xC0, 0xC0, 0xC0), dark = RGB(0x40, 0x40, 0x40);
    CanvasDC c(20, 20, kGreen);
    CUtilityVisual::draw_pic(c.Dc(), nullptr, Lend(CRect(0, 0, 10, 10)), SRCCOPY, 0);
    EXPECT_TRUE(PixelsAre(c, {{0, 0, light}, {0, 8, light}, {9, 0, dark}, {9, 9, dark}, {0, 9, dark}, {10, 10, kGreen}}));
    // The red cross stays strictly inside the frame.
    EXPECT_GT(c.canvas.CountColor(kRed), 0);
    EXPECT_EQ(c.canvas.CountColor(kRed), c.canvas.CountColor(kRed, CRect(1, 1, 9, 9)));
    EXPECT_EQ(0, c.canvas.CountColor(kGreen, CRect(0, 0, 10, 10)));

    // Grey frame on white; the icon covers (4,4)..(24,24). Another raster operation leaves
    // the background unwhitened.
    for (int rop : {SRCCOPY, SRCAND}) {
        CanvasDC big(110, 110, kGreen);
        CUtilityVisual::draw_pic(big.Dc(), nullptr, Lend(CRect(0, 0, 100, 100)), rop, 0);
        EXPECT_TRUE(PixelsAre(big, {{0, 0, grey}, {99, 99, grey}, {50, 0, grey}, {100, 100, kGreen},
                                    {50, 50, rop == SRCCOPY ? kWhite : kGreen}, {4, 4, light}, {23, 4, light},
                                    {24, 4, dark}, {24, 24, dark}, {4, 24, dark}, {12, 12, kRed}}));
        EXPECT_EQ(0, big.canvas.CountColor(kRed, CRect(25, 0, 110, 110)));
    }
}

TEST_F(Pictures, DrawPicExAlignsAtNaturalSizeOrStretchesAndFillTiles) {
    IPicture* quad = Load(QuadrantBmp(30, 30));
    ASSERT_NE(nullptr, quad);
    const CSize n(30, 30);
    ASSERT_TRUE(n.cx < 100 && n.cy < 60);
    const int cx = (100 - n.cx) / 2, cy = (60 - n.cy) / 2;
    struct Case { int align; CRect expected; };
    const Case cases[] = {
        {DT_CENTER | DT_VCENTER, CRect(cx, cy, cx + n.cx, cy + n.cy)},
        {DT_LEFT | DT_TOP, CRect(0, 0, n.cx, n.cy)},
        {DT_RIGHT | DT_TOP, CRect(100 - n.cx, 0, 100, n.cy)},
        {3 | 12, CRect(100 - n.cx, 60 - n.cy, 100, 60)},  // 3 counts as right, 12 as bottom
        {DT_CENTER | DT_BOTTOM, CRect(cx, 60 - n.cy, cx + n.cx, 60)},
        {DT_RIGHT | DT_BOTTOM, CRect(0, 0, 100, 60)},      // stretched
    };
    for (const Case& k : cases) {
        CanvasDC c(110, 70);
        CRect rc(0, 0, 100, 60);
        CUtilityVisual::draw_picEx(c.Dc(), quad, rc, k.align, SRCCOPY);
        const CRect& e = k.expected;
        EXPECT_TRUE(PixelsAre(c, {{e.left, e.top, kQuad[0]}, {e.right - 1, e.bottom - 1, kQuad[3]}})) << k.align;
        EXPECT_EQ(100 * 60 - e.Width() * e.Height(), c.canvas.CountColor(kWhite, CRect(0, 0, 100, 60))) << k.align;
        EXPECT_EQ(CRect(0, 0, 100, 60), rc);
    }
    // Wider than the rectangle: squeezed across, centred down. No picture: the placeholder.
    CanvasDC c(110, 110);
    CUtilityVisual::draw_picEx(c.Dc(), quad, Lend(CRect(0, 0, 20, 100)), DT_CENTER | DT_VCENTER, SRCCOPY);
    const int top = (100 - n.cy) / 2;
    EXPECT_TRUE(PixelsAre(c, {{0, top, kQuad[0]}, {19, top + n.cy - 1, kQuad[3]}, {0, top - 1, kWhite},
                              {19, top + n.cy, kWhite}, {20, 50, kWhite}}));
    CanvasDC d(40, 40, kGreen);
    CUtilityVisual::draw_picEx(d.Dc(), nullptr, Lend(CRect(0, 0, 10, 10)), DT_CENTER, SRCCOPY);
    EXPECT_EQ(RGB(0x40, 0x40, 0x40), d.At(9, 9));

    // Whole tiles at natural size from the top left, the last ones past the edges.
    CanvasDC t(200, 150);
    CUtilityVisual::fill_with_pic(t.Dc(), quad, Lend(CRect(0, 0, 100, 50)));
    const int right = (100 + n.cx - 1) / n.cx * n.cx, bottom = (50 + n.cy - 1) / n.cy * n.cy;
    EXPECT_TRUE(PixelsAre(t, {{right - 1, bottom - 1, kQuad[3]}, {right, 0, kWhite}, {0, bottom, kWhite}}));
    CanvasDC e(40, 40);
    CUtilityVisual::fill_with_pic(e.Dc(), nullptr, Lend(CRect(0, 0, 100, 50)));
    EXPECT_EQ(40 * 40, e.canvas.CountColor(kWhite));
}

// Tiling gives the pixels of rendering the picture tile by tile, over a background that shows
// through where the picture is transparent, for tiles of any size from a rectangle anywhere;
// whatever the number of tiles.
TEST_F(Pictures, TilesAreThoseOfRenderingEachTile) {
    struct Case { const char* name; IPicture* pic; CSize size; };
    IPicture* meta = Load(InvertingMetafile());
    ASSERT_NE(meta, nullptr);
    const Case cases[] = {
        {"2x2", Load(QuadrantBmp(2, 2)), CSize(2, 2)},
        {"3x5", Load(QuadrantBmp(3, 5)), CSize(3, 5)},
        {"30x30", Load(QuadrantBmp(30, 30)), CSize(30, 30)},
        {"icon with clear and black pixels", Load(MakeIcon(4, 4, 24, [](int x, int y) {
             return (x + y) % 3 == 0 ? kClear : x == 2 ? RGB(0, 0, 0) : kQuad[(x + 2 * y) % 4];
         })), CSize(4, 4)},
        {"icon with clear and half-covering pixels", Load(MakeIcon(4, 4, 32, [](int x, int y) {
             return x == 1 && y == 2 ? Half(kGreen) : x == 3 ? kClear : kQuad[y];
         })), CSize(4, 4)},
        {"metafile inverting what is under it", meta, LengthOnScreen(meta)},
    };
    // The last one on a DC whose units are two thirds of a pixel.
    const CRect rects[] = {CRect(0, 0, 100, 50), CRect(7, 5, 61, 58), CRect(3, 9, 4, 10), CRect(5, 3, 70, 50)};
    const int w = 130, h = 90;
    for (const Case& k : cases) {
        ASSERT_NE(k.pic, nullptr) << k.name;
        const CSize n = k.size;
        for (const CRect& rc : rects) {
            SCOPED_TRACE(testing::Message() << k.name << " in " << rc.left << "," << rc.top << "," << rc.right
                                            << "," << rc.bottom);
            CanvasDC tiled(w, h), each(w, h), before(w, h);
            for (CanvasDC* c : {&tiled, &each, &before}) Stripes(*c, w, h);
            if (&rc == &rects[3])
                for (CanvasDC* c : {&tiled, &each}) {
                    ::SetMapMode(c->canvas.Dc(), MM_ANISOTROPIC);
                    ::SetWindowExtEx(c->canvas.Dc(), 2, 2, nullptr);
                    ::SetViewportExtEx(c->canvas.Dc(), 3, 3, nullptr);
                }
            CUtilityVisual::fill_with_pic(tiled.Dc(), k.pic, Lend(CRect(rc)));
            for (int y = rc.top; y < rc.bottom; y += n.cy)
                for (int x = rc.left; x < rc.right; x += n.cx)
                    CUtilityVisual::draw_pic(each.Dc(), k.pic, Lend(CRect(x, y, x + n.cx, y + n.cy)), SRCCOPY, 0);
            ::GdiFlush();
            int differ = 0, changed = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    differ += tiled.At(x, y) != each.At(x, y);
                    changed += tiled.At(x, y) != before.At(x, y);
                }
            EXPECT_EQ(differ, 0);
            EXPECT_GT(changed, 0);
        }
    }
}

// However many tiles there are, the picture is rendered once (twice when transparent: over two
// backgrounds), and only the tiles that can show are painted: a rectangle far larger than the
// device, a clipped DC. No DC, nothing drawn.
TEST_F(Pictures, TilingRendersThePictureOnceWhateverTheNumberOfTiles) {
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        CountingPicture pic(transparent);
        // From a corner 2 pixels left of and 3 above a tile's edge (mod 4), 100 million wide.
        CanvasDC huge(40, 30);
        Stripes(huge, 40, 30);
        CUtilityVisual::fill_with_pic(huge.Dc(), &pic, Lend(CRect(-50000002, -50000003, 50000000, 50000000)));
        EXPECT_EQ(pic.renders, transparent ? 2 : 1);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                if (!transparent || (x + 2) % 4 == (y + 3) % 4)
                    EXPECT_EQ(huge.At(x, y), CountingPicture::Pixel((x + 2) % 4, (y + 3) % 4)) << x << "," << y;

        // Clipped: the same pixels as rendering each tile under the same clipping.
        CanvasDC clipped(130, 90), each(130, 90);
        for (CanvasDC* c : {&clipped, &each}) {
            Stripes(*c, 130, 90);
            ::IntersectClipRect(c->canvas.Dc(), 21, 14, 75, 61);
        }
        pic.renders = 0;
        const CRect rc(7, 5, 101, 83);
        CUtilityVisual::fill_with_pic(clipped.Dc(), &pic, Lend(CRect(rc)));
        EXPECT_EQ(pic.renders, transparent ? 2 : 1);
        for (int y = rc.top; y < rc.bottom; y += 4)
            for (int x = rc.left; x < rc.right; x += 4)
                CUtilityVisual::draw_pic(each.Dc(), &pic, Lend(CRect(x, y, x + 4, y + 4)), SRCCOPY, 0);
        ::GdiFlush();
        int differ = 0;
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 130; ++x) differ += clipped.At(x, y) != each.At(x, y);
        EXPECT_EQ(differ, 0);

        // Nothing to show: a rectangle outside the clipping, no DC, a picture narrower than a pixel.
        pic.renders = 0;
        CUtilityVisual::fill_with_pic(clipped.Dc(), &pic, Lend(CRect(80, 5, 120, 83)));
        CDC none;
        CUtilityVisual::fill_with_pic(&none, &pic, Lend(CRect(rc)));
        CUtilityVisual::fill_with_pic(nullptr, &pic, Lend(CRect(rc)));
        EXPECT_EQ(pic.renders, 0);
        CountingPicture thin(transparent, 10);
        CanvasDC blank(40, 30);
        CUtilityVisual::fill_with_pic(blank.Dc(), &thin, Lend(CRect(0, 0, 40, 30)));
        EXPECT_EQ(thin.renders, 0);
        EXPECT_EQ(blank.canvas.CountColor(RGB(255, 255, 255)), 40 * 30);
    }
}

TEST_F(Pictures, RepeatedDrawsAndLoadsLeaveNoGdiObjects) {
    std::vector<uint8_t> quad = QuadrantBmp(30, 30);
    const std::string path = File("loop.bmp", quad);
    IPicture* pic = Load(quad);
    IPicture* icon = Load(MakeIcon(4, 4, 24, [](int x, int) { return x < 2 ? kClear : kRed; }));
    ASSERT_NE(nullptr, pic);
    ASSERT_NE(nullptr, icon);
    CanvasDC c(140, 80);
    const HGDIOBJ bitmap = ::GetCurrentObject(c.canvas.Dc(), OBJ_BITMAP);
    auto cycle = [&] {
        CRect r(0, 0, 100, 50);
        CUtilityVisual::draw_pic(c.Dc(), pic, r, SRCCOPY, 0);
        CUtilityVisual::draw_pic(c.Dc(), pic, r, SRCAND, 0);
        CUtilityVisual::draw_pic(c.Dc(), nullptr, r, SRCCOPY, 0);
        CUtilityVisual::draw_picEx(c.Dc(), pic, r, DT_CENTER | DT_VCENTER, SRCCOPY);
        CUtilityVisual::fill_with_pic(c.Dc(), pic, r);
        CUtilityVisual::fill_with_pic(c.Dc(), icon, r);
        IPicture* p = nullptr;
        ASSERT_TRUE(CUtilityVisual::GetPicture(&p, path.c_str()));
        p->Release();
    };
    cycle();  // what the picture caches on its first render is not counted
    lumotest::GdiBalance balance;
    for (int i = 0, n = lumotest::SoakCycles(200, 10000); i < n; ++i) cycle();
    EXPECT_EQ(0, balance.Delta());
    EXPECT_EQ(c.pen, ::GetCurrentObject(c.canvas.Dc(), OBJ_PEN));
    EXPECT_EQ(bitmap, ::GetCurrentObject(c.canvas.Dc(), OBJ_BITMAP));
}

}  // namespace picturetest
