// The DPI of one window of the library, and the sizes the library chooses itself, given in
// 96-DPI pixels, turned into that window's pixels. Sizes a host passes in are device pixels
// and never go through here.
//
// A window's DPI is read once, when it is attached; afterwards it changes only when its top-level
// window is told of a new DPI (WM_DPICHANGED), which the library hears through the parent
// message hook on that window. It then hands the new DPI down to every attached window under it
// and sends each one LumoDpiChangedMessage(), so that it re-measures (fonts, sizes, bitmaps) and
// marks its layout out of date without laying out. The top level's own handling follows: a host
// that takes the suggested rectangle lays the controls out through its WM_SIZE, once, at the new
// size. When that handling has returned, every attached window is sent LumoDpiLayoutMessage(),
// and a window whose layout is still out of date (the host's size did not change) lays out then.
// The platform may still answer the old DPI at that moment, so nothing asks it again then.
#pragma once

#include <windows.h>

// The DPI every 96-DPI pixel count is written for.
#define LUMO_BASE_DPI 96

class CDpiScale
{
public:
    CDpiScale()
        : m_hWnd(NULL), m_hTop(NULL), m_nDpi(LUMO_BASE_DPI), m_hGuiFont(NULL), m_nStockIndex(-1), m_hStockFont(NULL)
    {
    }
    ~CDpiScale() { Detach(); }

    // Takes the window's DPI and hears of its changes from now on. Attaching again (the same
    // or another window) first detaches.
    void Attach(HWND hWnd);
    void Detach();
    HWND GetSafeHwnd() const { return m_hWnd; }

    int GetDpi() const { return m_nDpi; }
    // n 96-DPI pixels in this window, rounded to the nearest pixel.
    int Scale(int n) const { return ::MulDiv(n, m_nDpi, LUMO_BASE_DPI); }
    // A line meant to be seen: scaled, yet never thinner than one pixel.
    int Pen(int n) const
    {
        const int w = Scale(n);
        return w < 1 ? 1 : w;
    }
    // The interface font (the message font of the system's metrics) made for this window's
    // DPI. The helper owns it until the DPI changes or the helper detaches; the stock GUI font
    // only when it cannot be made.
    HFONT GuiFont();
    // A stock font (SYSTEM_FONT, ANSI_FIXED_FONT...) made for this window's DPI: the stock object
    // itself where the thread's metrics are made for that DPI, otherwise a copy scaled from it
    // that the helper owns until the DPI changes. Null for an index that names no font.
    HFONT StockFont(int nIndex);

    // Called by the hand-down (and by tests): takes a new DPI and drops what was made for
    // the old one. Does not notify the window.
    void SetDpi(int nDpi);

    // The DPI of any window: what was last handed down to its top level, otherwise the
    // platform's answer (96 where the platform cannot tell, or for a DPI-unaware window).
    static int DpiOfWindow(HWND hWnd);
    // The DPI the system's metrics and stock objects are made for, as the process first saw it.
    static int SystemDpi();
    // The DPI the metrics this thread reads now are made for: a thread that is not DPI aware
    // reads them made for 96 on any screen.
    static int MetricsDpi();
    // Metrics for a DPI: the platform's answer for that DPI when it can give one, otherwise
    // the metric this thread reads, scaled from the DPI it is made for.
    static int MetricForDpi(int nIndex, int nDpi);
    // The message font (SPI_GETNONCLIENTMETRICS) for a DPI. FALSE when none can be read.
    static BOOL NonClientMetricsForDpi(NONCLIENTMETRICSA* pMetrics, UINT cbSize, int nDpi);

    // The registered message an attached window receives after its DPI changed: wParam the
    // new DPI, lParam the old one.
    static UINT LumoDpiChangedMessage() { return m_msgDpiChanged; }
    // The same, as the variable message maps name.
    static const UINT m_msgDpiChanged;
    // The registered message every attached window under a top-level window receives once
    // that window has handled its DPI change, parents before children: wParam the DPI.
    static UINT LumoDpiLayoutMessage() { return m_msgDpiLayout; }
    static const UINT m_msgDpiLayout;
    // Hands a new DPI down to every attached window under hTop (itself included) and tells
    // each one, children first; what the library does when hTop receives WM_DPICHANGED, before
    // hTop's own procedure handles it.
    static void HandDown(HWND hTop, int nDpi);
    // Sends LumoDpiLayoutMessage to every attached window under hTop, parents first; what the
    // library does once hTop's own procedure has handled WM_DPICHANGED.
    static void LayOutHandedDown(HWND hTop);

private:
    CDpiScale(const CDpiScale&);
    CDpiScale& operator=(const CDpiScale&);
    void DropFonts();
    friend struct DpiScaleProbe;
    // Set by tests: the per-DPI calls are taken as missing.
    static bool s_bPlainMetrics;

    HWND m_hWnd;
    HWND m_hTop;  // the top-level window listened to for this window, if any
    int m_nDpi;
    HFONT m_hGuiFont;
    int m_nStockIndex;  // the stock font m_hStockFont was scaled from
    HFONT m_hStockFont;
};

// Reads the hand-down's state; used by the library's tests only.
struct DpiScaleProbe
{
    // Attached helpers of this thread.
    static int AttachedCount();
    // Top-level windows listened to for WM_DPICHANGED.
    static int ListenedCount();
    // false: metrics are read as on a system without the per-DPI calls, scaled from the
    // thread's own metrics.
    static void UsePerDpiMetrics(bool bUse);
};
