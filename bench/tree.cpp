// Tree benchmarks, each measured side by side with its baseline in one run:
// building 100,000 records against plain inserts into a system tree view, a paint pass with
// hover highlight against the system tree view painting the same page, a 100,000-item paint
// against a 100-item one, and the registry look-up with 1,000 live trees against 1.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
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

void Report(const char* what, double ours, double base, double target)
{
    double ratio = base > 0 ? ours / base : 0;
    printf("%-58s %10.2f ms vs %10.2f ms  ratio %.2f (target <= %.1f)\n", what, ours * 1000,
           base * 1000, ratio, target);
}

}  // namespace

int main()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    const int kRecords = 100000;
    std::vector<Record> records = MakeRecords(kRecords);
    HWND host = MakeHost();

    // 1. Build against plain inserts with redraw off.
    HLMENU menu = LMENU_new();
    for (const Record& r : records)
        LMENU_AddMenuItem(menu, r.code.c_str(), r.text.c_str(), "", "", "", 0);
    HWND tree = Tree_new(host, 0, 0, 380, 460, 0);
    double t0 = Now();
    Tree_BindLmenu(tree, menu, "", 1, 1);
    double tBuild = Now() - t0;

    HWND plain = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER |
                                 TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, 0, 0, 380, 460,
                                 host, nullptr, nullptr, nullptr);
    t0 = Now();
    SendMessageA(plain, WM_SETREDRAW, 0, 0);
    {
        // The same parents as the tree's build: the nearest earlier code that is a prefix.
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
    SendMessageA(plain, WM_SETREDRAW, 1, 0);
    double tPlainBuild = Now() - t0;
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
    double tPaint = PaintTime(tree, kReps);
    double tPlainPaint = PaintTime(plain, kReps);
    Report("paint pass with hover, 100,000 items vs plain tree view", tPaint, tPlainPaint, 1.5);

    // 3. The same page with 100 items.
    HLMENU small = LMENU_new();
    std::vector<Record> few = MakeRecords(100);
    for (const Record& r : few)
        LMENU_AddMenuItem(small, r.code.c_str(), r.text.c_str(), "", "", "", 0);
    HWND smallTree = Tree_new(host, 0, 0, 380, 460, 0);
    Tree_BindLmenu(smallTree, small, "", 1, 1);
    Tree_Expand(smallTree, few[0].code.c_str(), 0);
    SendMessageA(smallTree, TVM_SELECTITEM, TVGN_CARET,
                 (LPARAM)Tree_GetItem(smallTree, few[1].code.c_str()));
    Pump();
    PaintTime(smallTree, 5);
    double tSmall = PaintTime(smallTree, kReps);
    tPaint = PaintTime(tree, kReps);
    Report("paint pass, 100,000-item tree vs 100-item tree", tPaint, tSmall, 1.2);
    Tree_delete(smallTree);
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
