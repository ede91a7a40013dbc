// The frame-set gallery host: the work area of a small order-entry application tiled by a frame
// set, through the flat C interface only. A navigation tree, an order list and a message log
// each sit in a frame under a title bar, with splitters between them; the title icons report
// to the host, and the navigation frame's icon switches the title style.
//
//   gallery_frameset.exe                      interactive: the window stays open for a person
//   gallery_frameset.exe --script OUTDIR      scripted session: drags both splitters, clicks the
//                                             title icons through every style, writes a PNG of
//                                             each state to OUTDIR, prints every message the host
//                                             received and exits 0 when every check held
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "lumo.h"
#include "ScriptSupport.h"

using namespace gallery;

namespace {

const char kClassName[] = "LumoFramesetGallery";
const int kWindowW = 960, kWindowH = 600;
const int kOuter = 6;     // host background left around the frame set
const int kNavWidth = 240;
const UINT kIconOffset = 20;  // icon clicks arrive as WM_USER + 20

// Icon messages of the frames.
enum
{
    kIconNextStyle = 1,
    kIconOrders = 2,
    kIconClearLog = 3,
};

const char* const kStyleNames[] = { "none", "vertical gradient", "horizontal gradient",
                                    "brackets", "tab" };

struct App
{
    HWND hwnd = nullptr;
    HWND tree = nullptr;
    HWND list = nullptr;
    HWND log = nullptr;
    HFRAMESET set = nullptr;
    int style = 2;
    bool scripted = false;
    int iconMessages = 0;
    std::string logText;
};

App g;

void Log(const std::string& line)
{
    if (g.scripted)
    {
        printf("message: %s\n", line.c_str());
        fflush(stdout);
    }
    g.logText += line + "\r\n";
    ::SetWindowTextA(g.log, g.logText.c_str());
}

void OnIcon(WPARAM msg)
{
    ++g.iconMessages;
    char line[160];
    switch (msg)
    {
    case kIconNextStyle:
        g.style = g.style % 4 + 1;
        Frameset_SetStyle(g.set, g.style);
        sprintf(line, "WM_USER+%u wParam=%u: navigation icon, title style %d (%s)", kIconOffset,
                (unsigned)msg, g.style, kStyleNames[g.style]);
        break;
    case kIconOrders:
        sprintf(line, "WM_USER+%u wParam=%u: orders icon, %d orders listed", kIconOffset,
                (unsigned)msg, ListView_GetItemCount(g.list));
        break;
    case kIconClearLog:
        g.logText.clear();
        sprintf(line, "WM_USER+%u wParam=%u: log icon, log cleared", kIconOffset, (unsigned)msg);
        break;
    default:
        sprintf(line, "WM_USER+%u wParam=%u: unknown icon", kIconOffset, (unsigned)msg);
        break;
    }
    Log(line);
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + kIconOffset)
    {
        OnIcon(wParam);
        return 0;
    }
    if (msg == WM_DESTROY)
    {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND MakeTree()
{
    HWND tree = Tree_new(g.hwnd, 0, 0, 100, 100, 0);
    if (!tree)
        return nullptr;
    static const char* const items[][2] = {
        { "1", "Sales" },        { "101", "Orders" },       { "102", "Quotations" },
        { "103", "Customers" },  { "2", "Purchasing" },     { "201", "Requisitions" },
        { "202", "Suppliers" },  { "3", "Inventory" },      { "301", "Stock levels" },
        { "302", "Transfers" },  { "4", "Finance" },        { "401", "Invoices" },
    };
    for (const auto& item : items)
        Tree_AddItem(tree, item[0], item[1], "");
    Tree_Build(tree);
    Tree_Expand(tree, "1", 0);
    return tree;
}

HWND MakeList()
{
    HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
                                  100, 100, g.hwnd, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (!list)
        return nullptr;
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    static const char* const columns[] = { "Order", "Customer", "Date", "Amount" };
    static const int widths[] = { 80, 200, 100, 100 };
    for (int i = 0; i < 4; ++i)
    {
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = (char*)columns[i];
        col.cx = widths[i];
        ::SendMessageA(list, LVM_INSERTCOLUMNA, i, (LPARAM)&col);
    }
    static const char* const customers[] = { "Northwind Traders", "Harbour Supplies",
                                             "Alpine Office", "Lakeside Foods", "Metro Tools" };
    for (int i = 0; i < 14; ++i)
    {
        char order[16], date[16], amount[16];
        sprintf(order, "SO-%04d", 1041 + i);
        sprintf(date, "2026-11-%02d", 3 + i);
        sprintf(amount, "%d.%02d", 120 + 37 * i, (i * 13) % 100);
        const char* cells[] = { order, customers[i % 5], date, amount };
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = (char*)cells[0];
        ::SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
        for (int c = 1; c < 4; ++c)
        {
            item.iSubItem = c;
            item.pszText = (char*)cells[c];
            ::SendMessageA(list, LVM_SETITEMTEXTA, i, (LPARAM)&item);
        }
    }
    return list;
}

bool BuildWindow()
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES };
    ::InitCommonControlsEx(&icc);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kClassName;
    ::RegisterClassA(&wc);
    g.hwnd = ::CreateWindowExA(0, kClassName, "Lumo frame set", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               40, 40, kWindowW, kWindowH, nullptr, nullptr, wc.hInstance, nullptr);
    if (!g.hwnd)
        return false;
    g.tree = MakeTree();
    g.list = MakeList();
    g.log = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE |
                              ES_READONLY | ES_AUTOVSCROLL, 0, 0, 100, 100, g.hwnd, nullptr,
                              wc.hInstance, nullptr);
    ::SendMessageA(g.log, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), 0);
    g.set = Frameset_new(g.hwnd);
    if (!g.tree || !g.list || !g.log || !g.set)
        return false;

    // The navigation on the left at a fixed width; the orders above the log share the rest.
    bool ok = Frame_add(g.set, "nav", "", 0, g.tree, "240") &&
              Frame_add(g.set, "work", "", 0, nullptr, "100%") &&
              Frame_add(g.set, "orders", "work", 1, g.list, "60%") &&
              Frame_add(g.set, "log", "work", 1, g.log, "40%");
    Frame_SetTitle(g.set, "nav", "Navigation");
    Frame_SetTitle(g.set, "orders", "Open orders");
    Frame_SetTitle(g.set, "log", "Messages to the host");
    Frame_SetIconMsg(g.set, "nav", kIconNextStyle);
    Frame_SetIconMsg(g.set, "orders", kIconOrders);
    Frame_SetIconMsg(g.set, "log", kIconClearLog);
    Frame_SetTitleBkColor(g.set, "orders", RGB(0x9C, 0xC2, 0x7A));
    Frame_SetTitleBkColor(g.set, "log", RGB(0xD8, 0xB0, 0x78));
    Frameset_SetHue(g.set, 0);
    Frameset_SetSendMsg(g.set, kIconOffset);
    Frameset_SetStyle(g.set, g.style);
    Frameset_SetOuterBorder(g.set, kOuter, kOuter, kOuter, kOuter);
    Log("frame set: navigation 240 pixels, orders 60% above the log 40%; title style 2");
    return ok;
}

// ---------------------------------------------------------------------------------------------
// The scripted session
// ---------------------------------------------------------------------------------------------

HWND FramesetWindow()
{
    return ::FindWindowExA(g.hwnd, nullptr, nullptr, "CWndArea");
}

// Margins of a frame's window inside its frame for the current style.
RECT Insets()
{
    switch (g.style)
    {
    case 1:
    case 2:
        return { 5, 24, 4, 4 };
    case 3:
        return { 6, 25, 6, 6 };
    case 4:
        return { 5, 19, 4, 4 };
    }
    return { 0, 0, 0, 0 };
}

// A content window's rect in the frame set's client coordinates, and its frame around it.
RECT RectInSet(HWND hwnd)
{
    RECT r;
    ::GetWindowRect(hwnd, &r);
    ::MapWindowPoints(nullptr, FramesetWindow(), (POINT*)&r, 2);
    return r;
}

RECT FrameOf(HWND hwnd)
{
    RECT r = RectInSet(hwnd);
    const RECT in = Insets();
    return { r.left - in.left, r.top - in.top, r.right + in.right, r.bottom + in.bottom };
}

// The middle of a frame's title icon, where the style puts it.
POINT IconPoint(HWND content)
{
    const RECT f = FrameOf(content);
    const RECT in = Insets();
    if (g.style == 4)
        return { f.left + 22 + 7, f.top + 7 + 6 };
    const int right = f.right - 4 - in.right;
    return { right - 8, f.top + 9 + (in.top - 10) / 2 };
}

void Post(UINT msg, POINT pt)
{
    ::PostMessageA(FramesetWindow(), msg, msg == WM_LBUTTONDOWN || msg == WM_MOUSEMOVE ? MK_LBUTTON : 0,
                   MAKELPARAM(pt.x, pt.y));
}

// Presses on a splitter, moves the mouse there in steps and lets go.
void Drag(POINT from, int dx, int dy)
{
    Post(WM_MOUSEMOVE, from);
    Post(WM_LBUTTONDOWN, from);
    for (int step = 1; step <= 4; ++step)
        Post(WM_MOUSEMOVE, { from.x + dx * step / 4, from.y + dy * step / 4 });
    Post(WM_LBUTTONUP, { from.x + dx, from.y + dy });
    Settle();
}

void ClickIcon(HWND content)
{
    const POINT pt = IconPoint(content);
    Post(WM_LBUTTONDOWN, pt);
    Post(WM_LBUTTONUP, pt);
    Settle();
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// Captures the main window as it is on the screen, once everything has been painted.
void Screenshot(const std::string& folder, const char* name)
{
    Settle();
    ::RedrawWindow(g.hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    WriteScreenshot(g.hwnd, folder, name);
}

int RunScript(const std::string& out)
{
    Settle();
    RECT client;
    ::GetClientRect(g.hwnd, &client);
    const RECT nav = FrameOf(g.tree), orders = FrameOf(g.list), log = FrameOf(g.log);
    Check(Width(nav) == kNavWidth, "navigation frame 240 pixels wide");
    Check(orders.left == kNavWidth + 3 && log.right == client.right - 2 * kOuter,
          "orders and log share the rest of the width");
    Check(orders.top == 0 && log.top == orders.bottom + 3 && log.bottom == client.bottom - 2 * kOuter,
          "orders above the log, one splitter apart");
    Check(::GetWindow(g.tree, GW_HWNDLAST) == FramesetWindow(), "the frame set lies below the windows");
    RECT wr;
    POINT origin = { 0, 0 };
    ::GetWindowRect(g.hwnd, &wr);
    ::ClientToScreen(FramesetWindow(), &origin);
    printf("layout: frame set at %ld,%ld in the screenshots\n", origin.x - wr.left, origin.y - wr.top);
    Screenshot(out, "frameset-01-start.png");

    // The splitter right of the navigation, 90 pixels to the right; then the one above the log,
    // 70 pixels up.
    Drag({ nav.right + 1, 200 }, 90, 0);
    Check(Width(FrameOf(g.tree)) == kNavWidth + 90 && FrameOf(g.list).left == kNavWidth + 93,
          "the navigation grew by the drag and the orders gave way");
    const RECT list = FrameOf(g.list);
    Drag({ (list.left + list.right) / 2, list.bottom + 1 }, 0, -70);
    Check(Height(FrameOf(g.list)) == Height(list) - 70 && FrameOf(g.log).top == list.bottom + 3 - 70,
          "the log grew by the drag and the orders gave way");
    Screenshot(out, "frameset-02-dragged.png");

    ClickIcon(g.list);
    Check(g.iconMessages == 1, "orders icon reported to the host");

    // The navigation icon steps through the title styles.
    const char* const shots[] = { "frameset-03-brackets.png", "frameset-04-tab.png",
                                  "frameset-05-vertical.png" };
    for (int i = 0; i < 3; ++i)
    {
        const int before = g.iconMessages;
        ClickIcon(g.tree);
        const RECT in = Insets();
        const RECT frame = FrameOf(g.tree), inside = RectInSet(g.tree);
        Check(g.iconMessages == before + 1 && inside.top - frame.top == in.top,
              "navigation icon switched the title style");
        Screenshot(out, shots[i]);
    }

    // The host made larger: the frame set and the frames follow.
    ::SetWindowPos(g.hwnd, nullptr, 0, 0, kWindowW + 120, kWindowH + 60, SWP_NOMOVE | SWP_NOZORDER);
    Settle();
    ::GetClientRect(g.hwnd, &client);
    Check(FrameOf(g.log).right == client.right - 2 * kOuter &&
              FrameOf(g.log).bottom == client.bottom - 2 * kOuter,
          "the frames follow the host's size");
    Check(Width(FrameOf(g.tree)) == kNavWidth + 90, "the navigation keeps its dragged width");

    ::DestroyWindow(g.hwnd);
    PumpPending();
    printf("session: %d icon messages, %s\n", g.iconMessages, SessionOk() ? "ok" : "FAILED");
    return SessionOk() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string outDir = gallery::ScriptFolder(argc, argv);
    g.scripted = !outDir.empty();
    if (!BuildWindow())
    {
        printf("error: could not create the window, its controls and the frame set\n");
        return 1;
    }
    ::ShowWindow(g.hwnd, SW_SHOW);
    ::SetForegroundWindow(g.hwnd);
    ::UpdateWindow(g.hwnd);
    if (g.scripted)
        return RunScript(outDir);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
