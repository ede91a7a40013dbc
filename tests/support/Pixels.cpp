// Client areas captured into memory, memory canvases to paint into, and solid icons.
#include "LumoTest.h"

#include <algorithm>

namespace lumotest {
namespace {

uint32_t FromColorref(COLORREF c) {
    return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

// Paints hwnd's client area and then its visible children, bottom of the z-order first, each
// through WM_ERASEBKGND + WM_PRINTCLIENT, with the DC origin at that window's client origin
// (origin, in capture coordinates) and clipped to that client area.
void PrintClientTree(HWND hwnd, HDC dc, POINT origin, int depth) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    // The children start from this window's origin and clip whatever its painting left behind;
    // each restores the DC after itself, so its clip does not leak into its siblings.
    RestoreDC(dc, saved);
    SaveDC(dc);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    std::vector<HWND> children;
    for (HWND c = GetWindow(hwnd, GW_CHILD); c && depth < 32; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    for (size_t i = children.size(); i-- > 0;) {
        if (!(GetWindowLongPtrA(children[i], GWL_STYLE) & WS_VISIBLE)) continue;
        POINT p = {0, 0}, parent = {0, 0};
        ClientToScreen(children[i], &p);
        ClientToScreen(hwnd, &parent);
        PrintClientTree(children[i], dc, {origin.x + p.x - parent.x, origin.y + p.y - parent.y}, depth + 1);
    }
    RestoreDC(dc, saved);
}

}  // namespace

COLORREF PixelImage::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const uint32_t p = Data()[size_t(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int PixelImage::CountColor(COLORREF color, const RECT& rc) const {
    const uint32_t* px = Data();
    const uint32_t want = FromColorref(color);
    int n = 0;
    for (int y = std::max<int>(rc.top, 0); y < std::min<int>(rc.bottom, height_); ++y)
        for (int x = std::max<int>(rc.left, 0); x < std::min<int>(rc.right, width_); ++x)
            n += (px[size_t(y) * width_ + x] & 0xFFFFFF) == want;
    return n;
}

WindowCapture::WindowCapture(HWND hwnd, CaptureMode mode) {
    RECT rc;
    if (!IsWindow(hwnd) || !GetClientRect(hwnd, &rc) || rc.right <= 0 || rc.bottom <= 0) return;
    MemoryCanvas canvas(rc.right, rc.bottom);
    if (canvas.Width() == 0) return;
    if (mode == CaptureMode::PrintClient) {
        PrintClientTree(hwnd, canvas.Dc(), POINT{0, 0}, 0);
    } else {
        // What is on the display is what the window last painted; make sure that is now.
        RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        POINT org = {0, 0};
        ClientToScreen(hwnd, &org);
        HDC screen = GetDC(nullptr);
        const BOOL copied = BitBlt(canvas.Dc(), 0, 0, rc.right, rc.bottom, screen, org.x, org.y, SRCCOPY);
        ReleaseDC(nullptr, screen);
        if (!copied) return;
    }
    pixels_.assign(canvas.Data(), canvas.Data() + size_t(rc.right) * rc.bottom);
    for (uint32_t& p : pixels_) p &= 0xFFFFFF;
    width_ = rc.right;
    height_ = rc.bottom;
}

MemoryCanvas::MemoryCanvas(int w, int h, COLORREF fill) {
    if (w <= 0 || h <= 0) return;
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB};  // top-down, 32 bits
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    if (!dc_ || !bitmap_) return;  // Width() stays 0; the destructor frees what was made
    oldBitmap_ = SelectObject(dc_, bitmap_);
    width_ = w;
    height_ = h;
    Fill(fill);
}

MemoryCanvas::~MemoryCanvas() {
    if (oldBitmap_) SelectObject(dc_, oldBitmap_);
    if (dc_) DeleteDC(dc_);
    if (bitmap_) DeleteObject(bitmap_);
}

void MemoryCanvas::Fill(COLORREF color) {
    GdiFlush();
    std::fill(bits_, bits_ + size_t(width_) * height_, FromColorref(color));
}

const uint32_t* MemoryCanvas::Data() const {
    GdiFlush();
    return bits_;
}

HICON SolidIcon(COLORREF colour, int size) {
    const std::vector<DWORD> bits(size_t(size) * size, FromColorref(colour));
    const std::vector<BYTE> mask(size_t((size + 15) / 16) * 2 * size, 0);  // rows of whole words
    ICONINFO ii = {TRUE, 0, 0, CreateBitmap(size, size, 1, 1, mask.data()),
                   CreateBitmap(size, size, 1, 32, bits.data())};
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(ii.hbmMask);
    DeleteObject(ii.hbmColor);
    return icon;
}

}  // namespace lumotest
