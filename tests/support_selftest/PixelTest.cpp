#include "LumoTest.h"

using namespace lumotest;

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 200, 0);
const COLORREF kBlue = RGB(0, 0, 255);

void FillWith(HDC dc, const RECT& rc, COLORREF color) {
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &rc, b);
    DeleteObject(b);
}

// Makes a host paint its whole client area in one colour, on screen and when printed.
void PaintSolid(HWND host, COLORREF color) {
    SetHostHandler(host, [color](HWND hwnd, UINT msg, WPARAM wParam, LPARAM, LRESULT* r) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        if (msg == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            FillWith(dc, rc, color);
            EndPaint(hwnd, &ps);
        } else if (msg == WM_PRINTCLIENT) {
            FillWith(reinterpret_cast<HDC>(wParam), rc, color);
        } else if (msg != WM_ERASEBKGND) {
            return false;
        }
        *r = msg == WM_ERASEBKGND ? 1 : 0;
        return true;
    });
    InvalidateRect(host, nullptr, TRUE);
}

}  // namespace

TEST(Pixels, MemoryCanvasReadsBackWhatWasPainted) {
    GdiBalance gdi;
    {
        MemoryCanvas canvas(40, 30, kRed);
        ASSERT_TRUE(canvas.Dc());
        EXPECT_EQ(kRed, canvas.At(0, 0));
        EXPECT_EQ(kRed, canvas.At(39, 29));
        RECT blue = {10, 5, 20, 15};
        FillWith(canvas.Dc(), blue, kBlue);
        EXPECT_EQ(kBlue, canvas.At(10, 5));
        EXPECT_EQ(kBlue, canvas.At(19, 14));
        EXPECT_EQ(kRed, canvas.At(20, 15));
        EXPECT_EQ(kBlue, PixelOf(canvas.Dc(), 12, 7));
        EXPECT_EQ(100, canvas.CountColor(kBlue));
        EXPECT_EQ(40 * 30 - 100, canvas.CountColor(kRed));
        RECT half = {15, 0, 100, 100};  // clipped to the canvas
        EXPECT_EQ(50, canvas.CountColor(kBlue, half));
        EXPECT_EQ(CLR_INVALID, canvas.At(40, 0));
        EXPECT_EQ(CLR_INVALID, canvas.At(-1, 0));
    }
    MemoryCanvas empty(0, 10);
    EXPECT_EQ(nullptr, empty.Dc());
    EXPECT_EQ(CLR_INVALID, empty.At(0, 0));
    EXPECT_EQ(CLR_INVALID, PixelOf(nullptr, 0, 0));
    EXPECT_EQ(0, gdi.Delta());
}

TEST(Pixels, PrintedCaptureComposesChildren) {
    HostWindow host(200, 100);
    HWND child = CreateHostWindow(50, 40, true, host);
    SetWindowPos(child, nullptr, 30, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PaintSolid(child, kGreen);

    GdiBalance gdi;
    WindowCapture cap(host, CaptureMode::PrintClient);
    ASSERT_TRUE(cap.Ok());
    EXPECT_EQ(200, cap.Width());
    EXPECT_EQ(100, cap.Height());
    EXPECT_EQ(RGB(255, 255, 255), cap.At(0, 0));
    EXPECT_EQ(kGreen, cap.At(30, 20));
    EXPECT_EQ(kGreen, cap.At(79, 59));
    EXPECT_EQ(RGB(255, 255, 255), cap.At(80, 60));
    EXPECT_EQ(50 * 40, cap.CountColor(kGreen));
    RECT left = {0, 0, 40, 100};
    EXPECT_EQ(10 * 40, cap.CountColor(kGreen, left));
    EXPECT_EQ(CLR_INVALID, cap.At(200, 0));
    EXPECT_EQ(0, gdi.Delta());

    WindowCapture whole(host, CaptureMode::PrintWindow);
    ASSERT_TRUE(whole.Ok());
    RECT wr;
    GetWindowRect(host, &wr);
    EXPECT_EQ(wr.right - wr.left, whole.Width());

    WindowCapture none(reinterpret_cast<HWND>(0xBAD0));
    EXPECT_FALSE(none.Ok());
    EXPECT_EQ(CLR_INVALID, none.At(0, 0));
    EXPECT_FALSE(none.SavePng(TempPath("none.png")));
}

TEST(Pixels, ScreenCaptureSeesThePaintedWindow) {
    HostWindow host(120, 80);
    PaintSolid(host, kBlue);
    SetForegroundWindow(host);
    ASSERT_TRUE(PumpUntil([&] {
        WindowCapture cap(host, CaptureMode::ScreenClient);
        return cap.Ok() && cap.CountColor(kBlue) == 120 * 80;
    }));
    WindowCapture frame(host, CaptureMode::ScreenWindow);
    ASSERT_TRUE(frame.Ok());
    POINT origin = {0, 0};
    ClientToScreen(host, &origin);
    RECT wr;
    GetWindowRect(host, &wr);
    EXPECT_EQ(kBlue, frame.At(origin.x - wr.left, origin.y - wr.top));
    EXPECT_EQ(120 * 80, frame.CountColor(kBlue));
}
