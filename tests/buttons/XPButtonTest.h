// What the XP button tests share: a framework host that reflects owner drawing to its buttons and
// answers WM_CTLCOLORBTN with a known colour, and painting a button into a memory canvas.
#pragma once

#include "LumoTest.h"
#include "PixelTable.h"
#include "CButtonXP.h"

namespace xptest {

using namespace lumotest;

// The host's button background (brush and DC background colour).
const COLORREF kBack = RGB(236, 233, 216);
const int kW = 90, kH = 26;

inline HBRUSH BackBrush() {
    static HBRUSH brush = CreateSolidBrush(kBack);
    return brush;
}

// A framework window over a test host: WM_DRAWITEM and WM_COMMAND reach the library's buttons
// while the host procedure still records what arrives.
class FrameworkHost {
public:
    explicit FrameworkHost(int w = 420, int h = 120) : host_(w, h) {
        wnd_.SubclassWindow(host_);
        SetHostHandler(host_, [](HWND, UINT m, WPARAM w, LPARAM, LRESULT* r) {
            if (m != WM_CTLCOLORBTN) return false;
            SetBkColor((HDC)w, kBack);
            *r = (LRESULT)BackBrush();
            return true;
        });
    }
    ~FrameworkHost() { wnd_.UnsubclassWindow(); }
    HWND Hwnd() const { return host_.Hwnd(); }
    CWnd* Wnd() { return &wnd_; }

private:
    HostWindow host_;
    CWnd wnd_;
};

// Creates the button 90 x 26 at (x, 10) of the host.
inline bool Make(CButtonXP& button, FrameworkHost& host, const char* text, DWORD style, int x = 10,
                 UINT id = 100) {
    if (!button.Create(text, style, CRect(x, 10, x + kW, 10 + kH), host.Wnd(), id)) return false;
    button.SetFont(CFont::FromHandle((HFONT)GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return true;
}

// Paints the button into the canvas the way its parent's WM_DRAWITEM does.
inline void Paint(CButtonXP& button, MemoryCanvas& canvas) {
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.hwndItem = button.m_hWnd;
    dis.hDC = canvas.Dc();
    SetRect(&dis.rcItem, 0, 0, canvas.Width(), canvas.Height());
    SetBkColor(canvas.Dc(), kBack);
    button.DrawItem(&dis);
}

// Bounding box of the pixels of one colour inside rc; empty when there are none.
template <class Image>
RECT BoxOf(const Image& img, COLORREF colour, const RECT& rc) {
    RECT box = {rc.right, rc.bottom, rc.left, rc.top};
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (img.At(x, y) == colour) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    if (box.left >= box.right) SetRectEmpty(&box);
    return box;
}

}  // namespace xptest
