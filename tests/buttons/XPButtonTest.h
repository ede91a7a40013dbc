// What the XP button tests share: a host that answers WM_CTLCOLORBTN with a known colour, states
// set on a button, painting into a canvas, and reading back text boxes and the library's check
// and radio pictures.
#pragma once

#include <algorithm>

#include "LumoTest.h"
#include "PixelTable.h"
#include "CButtonXP.h"
#include "frame/LumoRes.h"
#include "lumo.h"

namespace xptest {

using namespace lumotest;

// The host's button background (brush and DC background colour).
const COLORREF kBack = RGB(236, 233, 216);
const int kW = 90, kH = 26;

// A test host that answers WM_CTLCOLORBTN with a known colour.
struct ButtonHost : HostWindow {
    explicit ButtonHost(int w = 420, int h = 120, COLORREF back = kBack)
        : HostWindow(w, h), brush(CreateSolidBrush(back)) {
        SetHostHandler(*this, [this, back](HWND, UINT m, WPARAM w, LPARAM l, LRESULT* r) {
            if (m != WM_CTLCOLORBTN) return OnMessage(m, w, l, r);
            SetBkColor((HDC)w, back);
            *r = (LRESULT)brush;
            return true;
        });
    }
    ~ButtonHost() {
        SetHostHandler(*this, nullptr);
        DeleteObject(brush);
    }
    CWnd* Wnd() const { return CWnd::FromHandle(Hwnd()); }
    virtual bool OnMessage(UINT, WPARAM, LPARAM, LRESULT*) { return false; }
    HBRUSH brush;
};

// Gives a button of the platform the XP look, as a host does once before painting it.
inline int AttachXP(HWND button) {
    HDC dc = GetDC(button);
    const int attached = XPButton_Attach(button, dc);
    ReleaseDC(button, dc);
    return attached;
}

// The button, 90 x 26 at (x, 10) of the host, in the GUI font.
inline bool Make(CButtonXP& b, const ButtonHost& host, const char* text, DWORD style, int x = 10, UINT id = 100) {
    if (!b.Create(text, style, CRect(x, 10, x + kW, 10 + kH), host.Wnd(), id)) return false;
    b.SendMessage(WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT));
    return true;
}

enum { kHover = 1, kPress = 2, kFocus = 4, kDisable = 8, kCheck = 16 };
inline void SetState(CButtonXP& b, int state) {
    if (state & kHover) b.SendMessage(WM_MOUSEHOVER);
    if (state & kPress) b._OnLButtonDown();
    if (state & kCheck) b.SetCheck(BST_CHECKED);
    if (state & kFocus) b.SetFocus();
    if (state & kDisable) b.EnableWindow(FALSE);
}

// Paints the button into the canvas as its parent's WM_DRAWITEM does.
inline void Paint(CButtonXP& b, MemoryCanvas& canvas) {
    DRAWITEMSTRUCT dis = {ODT_BUTTON, 0, 0, 0, 0, b.m_hWnd, canvas.Dc(), {0, 0, canvas.Width(), canvas.Height()}, 0};
    SetBkColor(canvas.Dc(), kBack);
    b.DrawItem(&dis);
}

// Bounding box of the pixels of one colour inside rc; empty when there are none.
template <class Image>
RECT BoxOf(const Image& img, COLORREF colour, const RECT& rc) {
    RECT box = {rc.right, rc.bottom, rc.left, rc.top};
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (img.At(x, y) == colour) {
                box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    if (box.left >= box.right) SetRectEmpty(&box);
    return box;
}

// Pixels of the 13 x 13 box at (x0, y0) that differ from the library's picture id, its magenta
// standing for the host's background.
template <class Image>
int BoxMismatches(const Image& img, int x0, int y0, int id) {
    HBITMAP bmp = Load1Bitmap(id);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    int bad = bmp ? 0 : -1;
    for (int y = 0; bmp && y < 13; ++y)
        for (int x = 0; x < 13; ++x) {
            const COLORREF want = GetPixel(dc, x, y);
            bad += img.At(x0 + x, y0 + y) != (want == RGB(255, 0, 255) ? kBack : want);
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
    return bad;
}

}  // namespace xptest
