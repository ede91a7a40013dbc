// Tree benchmarks, each measured side by side with its baseline in one run:
// building 100,000 records against plain inserts into a system tree view (records of distinct
// codes, and records whose codes repeat and nest some 480 levels deep), a paint pass with
// hover highlight against the system tree view painting the same page, a 100,000-item paint
// against a 100-item one showing the same page (with the system tree view's own ratio beside it),
// and the registry look-up with 1,000 live trees against 1.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "lumo.h"

namespace {

double Now()
{
    static LARGE_INTEGER freq = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart / (double)freq.QuadPart;
}

LRESULT CALLBACK HostProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    return DefWindowProcA(h, m, w, l);
}

HWND MakeHost()
{
    static bool registered = false;
    if (!registered)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "LumoBenchHost";
        wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
        RegisterClassA(&wc);
        registered = true;
    }
    return CreateWindowExA(0, "LumoBenchHost", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                           400, 500, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// n records: 100 top-level nodes, each with ten nodes of n/1000 leaves.
struct Record { std::string code, text; };
std::vector<Record> MakeRecords(int n)
{
    std::vector<Record> out;
    int top = n >= 1000 ? 100 : 1;
    int perTop = n / top;
    for (int t = 0; t < top && (int)out.size() < n; t++)
    {
        char code[32];
        sprintf(code, "%03d", t);
        out.push_back({code, std::string("Node ") + code});
        int mid = perTop >= 11 ? 10 : 0;
        int leaves = mid ? (perTop - 1 - mid) / mid : perTop - 1;
        for (int m = 0; m < mid || (mid == 0 && m == 0); m++)
        {
            std::string midCode = code;
            if (mid)
            {
                char c2[32];
                sprintf(c2, "%s%02d", code, m);
                midCode = c2;
                out.push_back({midCode, "Group " + midCode});
            }
            for (int l = 0; l < leaves && (int)out.size() < n; l++)
            {
                char c3[40];
                sprintf(c3, "%s%04d", midCode.c_str(), l);
                out.push_back({c3, std::string("Leaf ") + c3});
            }
        }
    }
    while ((int)out.size() < n)
    {
        char c[32];
        sprintf(c, "9%07d", (int)out.size());
        out.push_back({c, std::string("Extra ") + c});
    }
    return out;
}

// n records whose codes repeat, in code order: 20 top codes with 20 children each, every code
// n / 420 times. Of two equal codes the later is the child of the earlier, so each code's
// records form a chain, its children's chains below the last of them: some 480 levels deep.
std::vector<Record> RepeatedRecords(int n)
{
    std::vector<Record> out;
    const int perCode = n / 420;
    for (int a = 0; a < 20 && (int)out.size() < n; a++)
    {
        const std::string top = std::to_string(10 + a);
        for (int k = 0; k < perCode; k++)
            out.push_back({top, "Top " + top + " #" + std::to_string(k)});
        for (int b = 0; b < 20; b++)
        {
            const std::string code = top + std::to_string(10 + b);
            for (int k = 0; k < perCode; k++)
                out.push_back({code, "Item " + code + " #" + std::to_string(k)});
        }
    }
    while ((int)out.size() < n)
        out.push_back({"2929", "Item 2929 #" + std::to_string(out.size())});
    return out;
}

// Levels of the deepest record: the longest chain of nearest earlier prefixes (the build's rule).
int Depth(const std::vector<Record>& records)
{
    std::vector<size_t> chain;
    size_t deepest = 0;
    for (size_t i = 0; i < records.size(); i++)
    {
        const std::string& code = records[i].code;
        while (!chain.empty() && code.compare(0, records[chain.back()].code.size(), records[chain.back()].code) != 0)
            chain.pop_back();
        chain.push_back(i);
        deepest = std::max(deepest, chain.size());
    }
    return (int)deepest;
}

// A 100-item tree whose first page is the same as that of the tree of MakeRecords(100,000) with
// its first top-level node open: the top-level nodes and the groups of the first one, each with
// one leaf so that it stays a node. Both trees then show the same rows and a vertical scroll bar.
std::vector<Record> FirstPageRecords(const std::vector<Record>& big, size_t n)
{
    std::vector<Record> out;
    const std::string& first = big[0].code;
    std::string lastNode;
    bool needChild = false;
    for (const Record& r : big)
    {
        if (out.size() >= n)
            break;
        bool top = r.code.size() == first.size();
        bool firstGroup = r.code.size() == first.size() + 2 && r.code.compare(0, first.size(), first) == 0;
        if (top || firstGroup)
        {
            out.push_back(r);
            lastNode = r.code;
            needChild = true;
        }
        else if (needChild && r.code.compare(0, lastNode.size(), lastNode) == 0)
        {
            out.push_back(r);
            needChild = false;
        }
    }
    return out;
}

// Inserts the records into a system tree view under the same parents as the tree's build: the
// nearest earlier code that is a prefix.
void InsertPlain(HWND plain, const std::vector<Record>& records)
{
    std::vector<HTREEITEM> chain;
    std::vector<size_t> chainRec;
    TVINSERTSTRUCTA tvis = {};
    tvis.hInsertAfter = TVI_LAST;
    tvis.item.mask = TVIF_TEXT | TVIF_PARAM;
    for (size_t i = 0; i < records.size(); i++)
    {
        const std::string& code = records[i].code;
        while (!chain.empty())
        {
            const std::string& cand = records[chainRec.back()].code;
            if (cand.size() <= code.size() && code.compare(0, cand.size(), cand) == 0)
                break;
            chain.pop_back();
            chainRec.pop_back();
        }
        tvis.hParent = chain.empty() ? TVI_ROOT : chain.back();
        tvis.item.pszText = (LPSTR)records[i].text.c_str();
        tvis.item.lParam = (LPARAM)i;
        HTREEITEM h = (HTREEITEM)SendMessageA(plain, TVM_INSERTITEMA, 0, (LPARAM)&tvis);
        chain.push_back(h);
        chainRec.push_back(i);
    }
}

const DWORD kPlainStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS |
                          TVS_LINESATROOT;

HWND NewPlain(HWND host)
{
    return CreateWindowExA(0, WC_TREEVIEWA, "", kPlainStyle, 0, 0, 380, 460, host, nullptr,
                           nullptr, nullptr);
}

// A plain tree view over the records, its first top-level item open and its first child selected.
HWND PlainPage(HWND host, const std::vector<Record>& records)
{
    HWND plain = NewPlain(host);
    SendMessageA(plain, WM_SETREDRAW, 0, 0);
    InsertPlain(plain, records);
    SendMessageA(plain, WM_SETREDRAW, 1, 0);
    LPARAM root = SendMessageA(plain, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    SendMessageA(plain, TVM_EXPAND, TVE_EXPAND, root);
    SendMessageA(plain, TVM_SELECTITEM, TVGN_CARET,
                 SendMessageA(plain, TVM_GETNEXTITEM, TVGN_CHILD, root));
    return plain;
}

// A bound tree over the records, its first top-level node open and the next record selected.
HWND TreePage(HWND host, HLMENU menu, const std::vector<Record>& records)
{
    for (const Record& r : records)
        LMENU_AddMenuItem(menu, r.code.c_str(), r.text.c_str(), "", "", "", 0);
    HWND tree = Tree_new(host, 0, 0, 380, 460, 0);
    Tree_BindLmenu(tree, menu, "", 1, 1);
    Tree_Expand(tree, records[0].code.c_str(), 0);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                 (LPARAM)Tree_GetItem(tree, records[1].code.c_str()));
    return tree;
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Time of `reps` paints of a window into a memory DC of its client size.
double PaintTime(HWND hwnd, int reps)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(mem, bmp);
    double t0 = Now();
    for (int i = 0; i < reps; i++)
        SendMessageA(hwnd, WM_PRINTCLIENT, (WPARAM)mem, PRF_CLIENT);
    double t = Now() - t0;
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return t;
}

// Times of paints of each of two windows, taken in alternating rounds so that both meet the same
// load of a shared machine; the half of the rounds with the least combined time counts (`reps`
// paints of each window in all), so that a burst of someone else's work in one round does not
// decide the ratio.
void PaintPair(HWND a, HWND b, int reps, double& ta, double& tb)
{
    const int kRounds = 16;
    const int kPerRound = reps * 2 / kRounds;
    std::vector<std::pair<double, double>> rounds;
    for (int r = 0; r < kRounds; r++)
    {
        double x = PaintTime(a, kPerRound);
        double y = PaintTime(b, kPerRound);
        rounds.push_back({x, y});
    }
    std::sort(rounds.begin(), rounds.end(), [](const std::pair<double, double>& l,
                                               const std::pair<double, double>& r) {
        return l.first + l.second < r.first + r.second;
    });
    ta = tb = 0;
    for (int r = 0; r < kRounds / 2; r++)
    {
        ta += rounds[r].first;
        tb += rounds[r].second;
    }
}

// Whether two windows of the same client size paint the same pixels.
bool SamePixels(HWND a, HWND b)
{
    RECT rc;
    GetClientRect(a, &rc);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = rc.right;
    bi.bmiHeader.biHeight = -rc.bottom;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pix[2];
    HWND wnd[2] = {a, b};
    for (int i = 0; i < 2; i++)
    {
        void* bits = nullptr;
        HDC mem = CreateCompatibleDC(nullptr);
        HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(mem, bmp);
        SendMessageA(wnd[i], WM_PRINTCLIENT, (WPARAM)mem, PRF_CLIENT);
        GdiFlush();
        pix[i].assign((DWORD*)bits, (DWORD*)bits + rc.right * rc.bottom);
        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteDC(mem);
    }
    return pix[0] == pix[1];
}

int RowsShown(HWND tree)
{
    RECT client;
    GetClientRect(tree, &client);
    int rows = 0;
    for (LPARAM h = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0); h;
         h = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, h))
    {
        RECT rc;
        HTREEITEM item = (HTREEITEM)h;
        memcpy(&rc, &item, sizeof(item));
        if (!SendMessageA(tree, TVM_GETITEMRECT, FALSE, (LPARAM)&rc) || rc.top >= client.bottom)
            break;
        rows++;
    }
    return rows;
}

bool HasVScroll(HWND hwnd)
{
    return (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VSCROLL) != 0;
}

// A target of 0 marks a figure shown for comparison only.
void Report(const char* what, double ours, double base, double target)
{
    double ratio = base > 0 ? ours / base : 0;
    printf("%-58s %10.2f ms vs %10.2f ms  ratio %.2f", what, ours * 1000, base * 1000, ratio);
    if (target > 0)
        printf(" (target <= %.1f)", target);
    printf("\n");
}

}  // namespace

int main()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    const int kRecords = 100000;
    std::vector<Record> records = MakeRecords(kRecords);
    HWND host = MakeHost();

    // 1. Build against plain inserts with redraw off, each the best of a few tries; either side
    // first in turn, so that neither always meets the heap as the other left it, and a burst of
    // another tenant's work on a shared machine does not decide the ratio. The last tree of each
    // side stays for the paint passes.
    const int kBuildTries = 3;
    HLMENU menu = LMENU_new();
    for (const Record& r : records)
        LMENU_AddMenuItem(menu, r.code.c_str(), r.text.c_str(), "", "", "", 0);
    HWND tree = nullptr, plain = nullptr;
    double tBuild = 1e30, tPlainBuild = 1e30, t0 = 0;
    auto buildPair = [&](const std::vector<Record>& recs, HLMENU data, double& tOurs, double& tPlain,
                         bool keep) {
        for (int k = 0; k < kBuildTries; k++)
        {
            for (int pass = 0; pass < 2; pass++)
            {
                if ((pass == 0) == (k % 2 == 0))
                {
                    if (tree)
                        Tree_delete(tree);
                    tree = Tree_new(host, 0, 0, 380, 460, 0);
                    t0 = Now();
                    Tree_BindLmenu(tree, data, "", 1, 1);
                    tOurs = std::min(tOurs, Now() - t0);
                }
                else
                {
                    if (plain)
                        DestroyWindow(plain);
                    plain = NewPlain(host);
                    t0 = Now();
                    SendMessageA(plain, WM_SETREDRAW, 0, 0);
                    InsertPlain(plain, recs);
                    SendMessageA(plain, WM_SETREDRAW, 1, 0);
                    tPlain = std::min(tPlain, Now() - t0);
                }
            }
        }
        if (!keep)
        {
            Tree_delete(tree);
            DestroyWindow(plain);
            tree = plain = nullptr;
        }
    };

    // Codes that repeat and nest hundreds of levels deep.
    {
        std::vector<Record> repeated = RepeatedRecords(kRecords);
        HLMENU deepMenu = LMENU_new();
        for (const Record& r : repeated)
            LMENU_AddMenuItem(deepMenu, r.code.c_str(), r.text.c_str(), "", "", "", 0);
        double tDeep = 1e30, tPlainDeep = 1e30;
        buildPair(repeated, deepMenu, tDeep, tPlainDeep, false);
        printf("repeated codes: %d records, %d levels deep\n", (int)repeated.size(), Depth(repeated));
        Report("Tree_BindLmenu build, 100,000 repeated codes vs plain inserts", tDeep, tPlainDeep, 1.3);
        LMENU_delete(deepMenu);
    }
    buildPair(records, menu, tBuild, tPlainBuild, true);
    Report("Tree_BindLmenu build, 100,000 records vs plain inserts", tBuild, tPlainBuild, 1.3);

    // 2. A page painted: ours with hover highlight against the plain tree view.
    Tree_Expand(tree, records[0].code.c_str(), 0);
    SendMessageA(plain, TVM_EXPAND, TVE_EXPAND,
                 SendMessageA(plain, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    HTREEITEM sel = (HTREEITEM)Tree_GetItem(tree, records[1].code.c_str());
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)sel);
    SendMessageA(plain, TVM_SELECTITEM, TVGN_CARET,
                 SendMessageA(plain, TVM_GETNEXTITEM, TVGN_CHILD,
                              SendMessageA(plain, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
    Pump();
    const int kReps = 200;
    PaintTime(tree, 5);
    PaintTime(plain, 5);
    double tPaint, tPlainPaint;
    PaintPair(tree, plain, kReps, tPaint, tPlainPaint);
    Report("paint pass with hover, 100,000 items vs plain tree view", tPaint, tPlainPaint, 1.5);

    // 3. The same page with 100 items. The system tree view sets its scroll bars on every paint,
    // so a 100-item tree that needs no scroll bar, or shows fewer rows, paints less for reasons
    // that have nothing to do with the item count: the small trees show the big ones' first page,
    // scroll bar included, and the system tree view's own ratio is measured beside ours.
    std::vector<Record> few = FirstPageRecords(records, 100);
    HLMENU small = LMENU_new();
    HWND smallTree = TreePage(host, small, few);
    HWND plainSmall = PlainPage(host, few);
    Pump();
    PaintTime(smallTree, 5);
    PaintTime(plainSmall, 5);
    double tSmall, tPlainBig, tPlainSmall;
    PaintPair(tree, smallTree, kReps, tPaint, tSmall);
    PaintPair(plain, plainSmall, kReps, tPlainBig, tPlainSmall);
    printf("100-item trees: %d records, %d rows on the page, vertical scroll bar %s; same pixels "
           "as the 100,000-item page: ours %s, plain %s\n",
           (int)few.size(), RowsShown(smallTree), HasVScroll(smallTree) ? "yes" : "no",
           SamePixels(tree, smallTree) ? "yes" : "NO", SamePixels(plain, plainSmall) ? "yes" : "NO");
    Report("paint pass, 100,000-item tree vs 100-item tree", tPaint, tSmall, 1.2);
    Report("  platform: plain tree view, 100,000 vs 100 items", tPlainBig, tPlainSmall, 0);

    // The same measurement against 100 records that fill only part of the page and need no
    // scroll bar: the gap is the system tree view's, the plain one shows it too.
    std::vector<Record> part = MakeRecords(100);
    HLMENU partMenu = LMENU_new();
    HWND partTree = TreePage(host, partMenu, part);
    HWND plainPart = PlainPage(host, part);
    Pump();
    PaintTime(partTree, 5);
    PaintTime(plainPart, 5);
    double tPart, tPlainPart;
    PaintPair(tree, partTree, kReps, tPaint, tPart);
    PaintPair(plain, plainPart, kReps, tPlainBig, tPlainPart);
    printf("100-item trees of MakeRecords(100): %d rows on the page, vertical scroll bar %s "
           "(100,000 items: %d rows, %s)\n", RowsShown(partTree),
           HasVScroll(partTree) ? "yes" : "no", RowsShown(tree), HasVScroll(tree) ? "yes" : "no");
    Report("  100,000-item tree vs 100 items on a part page", tPaint, tPart, 0);
    Report("  platform: plain tree view, the same two pages", tPlainBig, tPlainPart, 0);
    Tree_delete(partTree);
    DestroyWindow(plainPart);
    LMENU_delete(partMenu);
    Tree_delete(smallTree);
    DestroyWindow(plainSmall);
    DestroyWindow(plain);
    Tree_delete(tree);

    // 4. Registry look-up: 1,000 live trees against 1, asking for the newest one.
    const int kCalls = 2000000;
    HWND one = Tree_new(host, 0, 0, 50, 50, 0);
    volatile int sink = 0;
    t0 = Now();
    for (int i = 0; i < kCalls; i++)
        sink += Tree_GetLineHeight(one);
    double tOne = Now() - t0;
    std::vector<HWND> many;
    for (int i = 0; i < 999; i++)
        many.push_back(Tree_new(host, 0, 0, 50, 50, 0));
    HWND newest = many.back();
    t0 = Now();
    for (int i = 0; i < kCalls; i++)
        sink += Tree_GetLineHeight(newest);
    double tMany = Now() - t0;
    Report("Tree_GetLineHeight x2,000,000, 1,000 trees vs 1 tree", tMany, tOne, 1.5);
    for (HWND h : many)
        Tree_delete(h);
    Tree_delete(one);

    LMENU_delete(small);
    LMENU_delete(menu);
    DestroyWindow(host);
    return sink == -1;
}
