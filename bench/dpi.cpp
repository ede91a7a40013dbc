// The door, the tree, an owner-drawn menu and an XP button painted at 192 DPI against the same
// at 96 DPI, in interleaved rounds: the 192 DPI window has twice the size each way, so four
// times the pixels. Each row prints the median time per paint at both DPIs, the time per
// thousand pixels, and the ratio of time per pixel (192 against 96; at most 1.3 is the goal).
//
// Run on a screen of 192 DPI, where a DPI-unaware thread makes the 96 DPI windows (one line):
//   scripts/with-wine.sh --prefix build/x64/wineprefix --keep-prefix
//     scripts/at-dpi.sh 192 build/x64/bin/bench_dpi.exe
#include <afxwin.h>
#include <stdio.h>

#include <functional>
#include <vector>

#include "BenchSupport.h"
#include "lumo.h"
#include "CButtonXP.h"
#include "CMenuPopEx.h"
#include "frame/DpiScale.h"

namespace {

// The thread's DPI awareness while the object lives: unaware (96 DPI) or per-monitor aware.
class DpiContext {
public:
    explicit DpiContext(bool unaware) {
        pfn_ = (HANDLE(WINAPI*)(HANDLE))(void*)GetProcAddress(GetModuleHandleA("user32.dll"),
                                                               "SetThreadDpiAwarenessContext");
        if (pfn_)
            old_ = pfn_(unaware ? (HANDLE)(INT_PTR)-1 : (HANDLE)(INT_PTR)-4);
    }
    ~DpiContext() {
        if (pfn_ && old_)
            pfn_(old_);
    }

private:
    HANDLE(WINAPI* pfn_)(HANDLE) = nullptr;
    HANDLE old_ = nullptr;
};

HWND MakeHost(int w, int h) {
    static const char* cls = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    return CreateWindowExA(0, cls, "bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, w, h, nullptr,
                           nullptr, nullptr, nullptr);
}

// One control at one DPI: how to paint it once, and how many pixels that paint covers.
struct Subject {
    std::function<void()> paint;
    double pixels = 1;
};

double PerPaint(const Subject& s, int count) {
    const double t0 = Now();
    for (int i = 0; i < count; ++i)
        s.paint();
    GdiFlush();
    return (Now() - t0) / count;
}

double Area(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    return (double)(rc.right - rc.left) * (rc.bottom - rc.top);
}

Subject Redrawn(HWND hwnd) {
    return {[hwnd] { RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN); },
            Area(hwnd)};
}

// ---- the subjects, made at a scale of 1 (96 DPI) or 2 (192 DPI) ----

Subject Door(int k) {
    HWND host = MakeHost(420 * k, 360 * k);
    HWND door = DoorWin_new(host);
    DoorWin_SetWidth(door, 230 * k);
    HWND drop = DropWin_new(door, "Sales", 2 * k, 2 * k, 4 * k, 160 * k);
    DropWin_new(door, "Stock", 2 * k, 2 * k, 4 * k, 120 * k);
    (void)drop;
    const double t0 = Now();
    while (Now() - t0 < 300)  // the door places itself after a timer
        Pump();
    return Redrawn(door);
}

Subject Tree(int k) {
    HWND host = MakeHost(320 * k, 420 * k);
    HWND tree = Tree_new(host, 0, 0, 0, 0, 0);
    MoveWindow(tree, 0, 0, 300 * k, 400 * k, TRUE);
    char code[16], text[32];
    for (int i = 0; i < 12; ++i) {
        sprintf(code, "%02d", i);
        sprintf(text, "Branch %d", i);
        Tree_AddItem(tree, code, text, "");
        for (int j = 0; j < 4; ++j) {
            sprintf(code, "%02d%02d", i, j);
            sprintf(text, "Leaf %d.%d", i, j);
            Tree_AddItem(tree, code, text, "");
        }
    }
    Tree_Build(tree);
    Tree_Expand(tree, "", 1);
    Pump();
    return Redrawn(tree);
}

class BenchMenu : public CMenuPopEx {
public:
    explicit BenchMenu(HWND owner) : CMenuPopEx(owner, 2) {}
    CMenuEx* Root() const { return m_pRootMenu; }
};

void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

// Every item of an owner-drawn menu drawn into a buffer of the menu's size.
Subject Menu(int k) {
    HWND owner = MakeHost(200, 200);
    BenchMenu* menu = new BenchMenu(owner);
    const char* labels[] = {"Open", "Save", "Save as", "Print", "Print preview", "Properties", "Close"};
    for (int i = 0; i < 7; ++i)
        menu->SetItem(i + 1, labels[i], 0);
    SetTimer(nullptr, 0, 30, EndMenuSoon);
    menu->Popup(50, 50);
    CMenuEx* root = menu->Root();
    std::vector<RECT> items;
    int width = 0, y = 0;
    for (int i = 0; i < 7; ++i) {
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, (UINT)(i + 1), 0, 0, 0};
        root->MeasureItem(&mis);
        width = std::max(width, (int)mis.itemWidth);
        items.push_back({0, y, 0, y + (int)mis.itemHeight});
        y += mis.itemHeight;
    }
    for (auto& r : items)
        r.right = width;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, width, y);
    ReleaseDC(nullptr, screen);
    SelectObject(dc, bmp);
    (void)k;
    return {[root, items, dc] {
                for (size_t i = 0; i < items.size(); ++i) {
                    DRAWITEMSTRUCT dis = {ODT_MENU, 0, (UINT)(i + 1), ODA_DRAWENTIRE, i == 2 ? (UINT)ODS_SELECTED : 0u,
                                          nullptr, dc, items[i], 0};
                    root->DrawItem(&dis);
                }
            },
            (double)width * y};
}

Subject Button(int k) {
    HWND host = MakeHost(300 * k, 120 * k);
    CButtonXP* xp = new CButtonXP;
    xp->Create("OK", BS_PUSHBUTTON, CRect(10 * k, 10 * k, 100 * k, 36 * k), CWnd::FromHandle(host), 1);
    xp->SendMessage(WM_MOUSEHOVER);
    Pump();
    return Redrawn(xp->m_hWnd);
}

}  // namespace

int main() {
    if (CDpiScale::SystemDpi() != 192)
        printf("note: the screen is %d DPI, not 192: run this through scripts/at-dpi.sh 192\n",
               CDpiScale::SystemDpi());
    struct Row {
        const char* name;
        std::function<Subject(int)> make;
    } rows[] = {{"door", Door}, {"tree", Tree}, {"menu", Menu}, {"XP button", Button}};
    const int rounds = 15, perRound = 20;
    printf("%-10s %12s %12s %14s %14s %8s\n", "control", "ms at 96", "ms at 192", "us/kpx at 96", "us/kpx at 192",
           "ratio");
    int over = 0;
    for (const Row& row : rows) {
        Subject low, high;
        {
            DpiContext unaware(true);
            low = row.make(1);
        }
        high = row.make(2);
        PerPaint(low, perRound);  // warm both
        PerPaint(high, perRound);
        std::vector<double> a, b;
        for (int r = 0; r < rounds; ++r) {
            // Alternate which goes first, so neither always follows the other's cache state.
            if (r & 1) {
                b.push_back(PerPaint(high, perRound));
                a.push_back(PerPaint(low, perRound));
            } else {
                a.push_back(PerPaint(low, perRound));
                b.push_back(PerPaint(high, perRound));
            }
        }
        const double ma = Median(a), mb = Median(b);
        const double pa = ma * 1e6 / low.pixels, pb = mb * 1e6 / high.pixels;
        const double ratio = pb / pa;
        if (ratio > 1.3)
            ++over;
        printf("%-10s %12.3f %12.3f %14.3f %14.3f %8.2f  (pixels %.0f and %.0f)\n", row.name, ma, mb, pa, pb, ratio,
               low.pixels, high.pixels);
    }
    printf("%s\n", over ? "some rows are above 1.3" : "every row is at most 1.3");
    return 0;
}
