#include "LumoTest.h"

namespace lumotest {

namespace {

COLORREF ToColorref(uint32_t p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

uint32_t FromColorref(COLORREF c) {
    return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

int CountIn(const uint32_t* px, int w, int h, COLORREF color, const RECT& rc) {
    if (!px) return 0;
    const int left = rc.left < 0 ? 0 : rc.left;
    const int top = rc.top < 0 ? 0 : rc.top;
    const int right = rc.right > w ? w : rc.right;
    const int bottom = rc.bottom > h ? h : rc.bottom;
    const uint32_t want = FromColorref(color);
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if ((px[size_t(y) * w + x] & 0xFFFFFF) == want) ++n;
    return n;
}

// A top-down 32-bit DIB section; bits receives its memory.
HBITMAP CreateDib(HDC dc, int w, int h, uint32_t** bits) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    *bits = bmp ? static_cast<uint32_t*>(p) : nullptr;
    return bmp;
}

// Paints hwnd's client area and then its visible children, bottom of the z-order first, each
// through WM_ERASEBKGND + WM_PRINTCLIENT, with the DC origin at that window's client origin.
// origin is the window's client origin in capture coordinates.
void PrintClientTree(HWND hwnd, HDC dc, POINT origin, int depth) {
    RECT client;
    GetClientRect(hwnd, &client);
    int saved = SaveDC(dc);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);

    if (depth < 32) {
        std::vector<HWND> children;
        for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            children.push_back(c);
        for (size_t i = children.size(); i-- > 0;) {
            HWND c = children[i];
            if (!(GetWindowLongPtrA(c, GWL_STYLE) & WS_VISIBLE)) continue;
            POINT p = {0, 0};
            ClientToScreen(c, &p);
            POINT parent = {0, 0};
            ClientToScreen(hwnd, &parent);
            POINT childOrigin = {origin.x + p.x - parent.x, origin.y + p.y - parent.y};
            PrintClientTree(c, dc, childOrigin, depth + 1);
            // The child's clip must not leak into its siblings.
            RestoreDC(dc, saved);
            saved = SaveDC(dc);
            SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
            IntersectClipRect(dc, 0, 0, client.right, client.bottom);
        }
    }
    RestoreDC(dc, saved);
}

}  // namespace

WindowCapture::WindowCapture(HWND hwnd, CaptureMode mode) {
    if (!hwnd || !IsWindow(hwnd)) return;
    RECT rc;
    GetClientRect(hwnd, &rc);
    const int w = rc.right, h = rc.bottom;
    if (w <= 0 || h <= 0) return;

    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    uint32_t* bits = nullptr;
    HBITMAP bmp = CreateDib(screen, w, h, &bits);
    if (!mem || !bmp) {
        if (bmp) DeleteObject(bmp);
        if (mem) DeleteDC(mem);
        ReleaseDC(nullptr, screen);
        return;
    }
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all = {0, 0, w, h};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    bool ok = true;
    switch (mode) {
    case CaptureMode::PrintClient:
        PrintClientTree(hwnd, mem, POINT{0, 0}, 0);
        break;
    case CaptureMode::ScreenClient: {
        // What is on the display is what the window last painted; make sure that is now.
        RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        POINT org = {0, 0};
        ClientToScreen(hwnd, &org);
        ok = BitBlt(mem, 0, 0, w, h, screen, org.x, org.y, SRCCOPY) != FALSE;
        break;
    }
    }
    GdiFlush();
    if (ok) {
        pixels_.assign(bits, bits + size_t(w) * h);
        for (uint32_t& p : pixels_) p &= 0xFFFFFF;
        width_ = w;
        height_ = h;
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

COLORREF WindowCapture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    return ToColorref(pixels_[size_t(y) * width_ + x]);
}

int WindowCapture::CountColor(COLORREF color, const RECT& rc) const {
    return CountIn(pixels_.empty() ? nullptr : pixels_.data(), width_, height_, color, rc);
}

int WindowCapture::CountColor(COLORREF color) const {
    RECT rc = {0, 0, width_, height_};
    return CountColor(color, rc);
}

bool WindowCapture::SavePng(const std::string& path) const {
    if (!Ok()) return false;
    return WritePng(path, pixels_.data(), width_, height_, width_);
}

MemoryCanvas::MemoryCanvas(int w, int h, COLORREF fill) : width_(0), height_(0) {
    if (w <= 0 || h <= 0) return;
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateDib(screen, w, h, &bits_);
    ReleaseDC(nullptr, screen);
    if (!dc_ || !bitmap_) {
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
        dc_ = nullptr;
        bitmap_ = nullptr;
        bits_ = nullptr;
        return;
    }
    oldBitmap_ = SelectObject(dc_, bitmap_);
    width_ = w;
    height_ = h;
    Fill(fill);
}

MemoryCanvas::~MemoryCanvas() {
    if (dc_) {
        SelectObject(dc_, oldBitmap_);
        DeleteDC(dc_);
    }
    if (bitmap_) DeleteObject(bitmap_);
}

void MemoryCanvas::Fill(COLORREF color) {
    if (!bits_) return;
    GdiFlush();
    const uint32_t p = FromColorref(color);
    for (size_t i = 0, n = size_t(width_) * height_; i < n; ++i) bits_[i] = p;
}

COLORREF MemoryCanvas::At(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    GdiFlush();
    return ToColorref(bits_[size_t(y) * width_ + x]);
}

int MemoryCanvas::CountColor(COLORREF color, const RECT& rc) const {
    GdiFlush();
    return CountIn(bits_, width_, height_, color, rc);
}

int MemoryCanvas::CountColor(COLORREF color) const {
    RECT rc = {0, 0, width_, height_};
    return CountColor(color, rc);
}

bool MemoryCanvas::SavePng(const std::string& path) const {
    if (!bits_) return false;
    GdiFlush();
    std::vector<uint32_t> px(bits_, bits_ + size_t(width_) * height_);
    for (uint32_t& p : px) p &= 0xFFFFFF;
    return WritePng(path, px.data(), width_, height_, width_);
}

HICON SolidIcon(COLORREF colour, int size) {
    const DWORD bgr = DWORD(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    const std::vector<DWORD> bits(size_t(size) * size, bgr);
    const std::vector<BYTE> mask(size_t((size + 15) / 16) * 2 * size, 0);  // rows of whole words
    ICONINFO ii = {TRUE, 0, 0, CreateBitmap(size, size, 1, 1, mask.data()),
                   CreateBitmap(size, size, 1, 32, bits.data())};
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(ii.hbmMask);
    DeleteObject(ii.hbmColor);
    return icon;
}

}  // namespace lumotest
