// The gallery host: a small business-style application that uses Lumo through its flat C
// interface only, the way a host in any language would.
//
//   gallery.exe                      interactive: the window stays open for a person
//   gallery.exe --script OUTDIR      scripted session: drives the window, writes a PNG of each
//                                    state to OUTDIR, prints every message the host received
//                                    (one decoded line each) and exits 0 on success
//
// The main window holds a door on its left with one drop per module, each drop's body a
// navigation tree bound to the same loaded data; right of the door a content area lists what
// the host was told, beside a second tree drawn on a dark background with details.
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <time.h>
#include <map>
#include <string>
#include <vector>
#include "lumo.h"
#include "GalleryMenu.h"
#include "AccessibleTree.h"
#include <oleacc.h>
#include "PngFile.h"
#include "ScriptSupport.h"
#include "gallery_skin.h"

using namespace gallery;

namespace {

const char kClassName[] = "LumoGalleryHost";

// Message offsets (WM_USER + n) the host picks for its controls. 3 is taken by the tree's drop.
enum
{
    kTreeSelect = 1,
    kTreeDblClick = 2,
    kTreeDrop = 3,
    kTreeRButton = 4,
    kDoorToggle = 10,
    kDoorRClick = 11,
};

const int kWindowW = 1000, kWindowH = 640;
const int kDoorWidth = 230;
const int kContentLeft = 244;
const int kSideTreeLeft = 700;
const COLORREF kHostBack = RGB(246, 247, 250);
const BYTE kDoorR = 214, kDoorG = 226, kDoorB = 240;

struct Module
{
    const char* code;
    const char* title;
};
const Module kDropModules[] = { { "1", "Sales" }, { "2", "Purchasing" }, { "3", "Inventory" },
                                { "4", "Finance" }, { "", "All modules" } };
const int kDropCount = sizeof(kDropModules) / sizeof(kDropModules[0]);

struct Gallery
{
    HWND hwnd = nullptr;
    HWND door = nullptr;
    HWND drops[kDropCount] = {};
    HWND trees[kDropCount] = {};
    HWND sideTree = nullptr;
    std::map<HWND, std::string> treeNames;
    std::map<std::string, std::string> texts;  // record code -> text
    HLMENU menuData = nullptr;
    std::string dataFile;
    // Each tree has its own collection loaded from the same file: a record remembers the one
    // tree item made from it, so trees sharing a collection would find each other's items.
    std::vector<HLMENU> treeData;
    int records = 0;
    int shadow = 0;
    std::string timeStamp;
    bool scripted = false;
    std::vector<std::string> log;
    // What the scripted session checks.
    int selects = 0, dblClicks = 0, rButtons = 0, doorToggles = 0, doorRClicks = 0, commands = 0;
};

Gallery g;

void Log(const std::string& line)
{
    g.log.push_back(line);
    if (g.scripted)
    {
        printf("message: %s\n", line.c_str());
        fflush(stdout);
    }
    if (g.hwnd)
    {
        RECT content = { kContentLeft, 0, kSideTreeLeft, kWindowH };
        ::InvalidateRect(g.hwnd, &content, FALSE);
    }
}

// A navigation menu of a business application: modules, their areas and the forms in them.
// Codes are prefixes of their children's codes; the record count is a few hundred.
int BuildNavigation(HLMENU data)
{
    static const char* const modules[] = { "Sales", "Purchasing", "Inventory", "Finance",
                                           "Human resources", "Production", "Reports", "Administration" };
    static const char* const areas[] = { "Documents", "Master data", "Planning", "Approvals", "Analysis", "Archive" };
    static const char* const forms[] = { "New", "Open list", "Search", "Import", "Print", "Settings" };
    int count = 0;
    char code[16], text[96], detail[64], tip[160];
    for (int m = 0; m < 8; ++m)
    {
        sprintf(code, "%d", m + 1);
        sprintf(tip, "Everything about %s.", modules[m]);
        LMENU_AddMenuItem(data, code, modules[m], "", tip, "", 0);
        ++count;
        for (int a = 0; a < 6; ++a)
        {
            sprintf(code, "%d%02d", m + 1, a + 1);
            sprintf(detail, "%d items", 6);
            LMENU_AddMenuItem(data, code, areas[a], detail, "", "", 0);
            ++count;
            for (int f = 0; f < 6; ++f)
            {
                sprintf(code, "%d%02d%02d", m + 1, a + 1, f + 1);
                sprintf(text, "%s %s", forms[f], areas[a][0] == 'D' ? "document" : "entry");
                sprintf(tip, "%s: %s in %s.", modules[m], forms[f], areas[a]);
                LMENU_AddMenuItem(data, code, text, "", tip, "", f + 1);
                ++count;
            }
        }
    }
    return count;
}

void RememberTexts()
{
    // The record texts by code, read back from the tree bound to every record, so that the
    // host names items by their path.
    HWND all = g.trees[kDropCount - 1];
    char code[16];
    for (int m = 1; m <= 8; ++m)
        for (int a = 0; a <= 6; ++a)
            for (int f = 0; f <= (a ? 6 : 0); ++f)
            {
                if (a == 0)
                    sprintf(code, "%d", m);
                else if (f == 0)
                    sprintf(code, "%d%02d", m, a);
                else
                    sprintf(code, "%d%02d%02d", m, a, f);
                HTREEITEM_LUMO item = Tree_GetItem(all, code);
                const char* text = item ? Tree_GetItemText(all, item) : nullptr;
                if (text)
                    g.texts[code] = text;
            }
}

std::string PathOf(const std::string& code)
{
    std::string path;
    for (size_t n = 1; n <= code.size(); ++n)
    {
        auto it = g.texts.find(code.substr(0, n));
        if (it == g.texts.end())
            continue;
        if (!path.empty())
            path += " > ";
        path += it->second;
    }
    return path.empty() ? code : path;
}

std::string DescribeItem(HWND tree, LPARAM item)
{
    if (!item)
        return "no item";
    const char* code = Tree_GetItemID(tree, (HTREEITEM_LUMO)item);
    if (!code)
        return "unknown item";
    return std::string("item '") + PathOf(code) + "'";
}

std::string TreeName(HWND tree)
{
    char head[96];
    auto it = g.treeNames.find(tree);
    sprintf(head, "tree '%s' (0x%lx)", it != g.treeNames.end() ? it->second.c_str() : "?",
            (unsigned long)(UINT_PTR)tree);
    return head;
}

void Paint(HDC dc, const RECT& rc)
{
    HBRUSH back = ::CreateSolidBrush(kHostBack);
    ::FillRect(dc, &rc, back);
    ::DeleteObject(back);

    RECT band = { kContentLeft, 8, rc.right - 8, 44 };
    HBRUSH bandBrush = ::CreateSolidBrush(RGB(58, 110, 165));
    ::FillRect(dc, &band, bandBrush);
    ::DeleteObject(bandBrush);

    ::SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::TextOutA(dc, kContentLeft + 12, 19, "Lumo gallery", 12);

    char line[256];
    ::SetTextColor(dc, RGB(30, 30, 30));
    int y = 56;
    const int x = kContentLeft + 8;
    auto put = [&](const std::string& s) {
        RECT r = { x, y, kSideTreeLeft - 8, y + 18 };
        ::DrawTextA(dc, s.c_str(), (int)s.size(), &r, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        y += 18;
    };
    sprintf(line, "Library version %d   Windows XP or later: %s   Vista: %s   Themes: %s", GetDllVersion(),
            IsWinXP() ? "yes" : "no", IsVista() ? "yes" : "no", IsWinXPThemeOpened() ? "on" : "off");
    put(line);
    sprintf(line, "Navigation data: %d records, saved and loaded back (stamp \"%s\").", g.records,
            g.timeStamp.c_str());
    put(line);
    put("The menu bar is generated from that data (LMENU_ChangeMenu).");
    put("Left: a door (DoorWin_new) with one drop per module; each body is a tree bound to the data.");
    put("Right: the same data in a tree with a dark background and details.");
    sprintf(line, "Window shadow (ShadowWin_Register): %s.", g.shadow ? "on" : "not available here");
    put(line);
    put("A right click in a tree pops an item menu (PopMenu_*), shadowed by ShadowMenu_Enable.");
    y += 10;
    ::SetTextColor(dc, RGB(58, 110, 165));
    put("Messages received by the host (newest last):");
    ::SetTextColor(dc, RGB(30, 30, 30));
    const size_t shown = 22;
    size_t first = g.log.size() > shown ? g.log.size() - shown : 0;
    for (size_t i = first; i < g.log.size(); ++i)
        put(g.log[i]);
    ::SelectObject(dc, oldFont);
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    char line[512];
    switch (msg)
    {
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        Paint(dc, rc);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && lParam == 0)
        {
            char text[128] = "";
            HMENU bar = ::GetMenu(hwnd);
            MENUITEMINFOA mii = { sizeof(mii), MIIM_STRING };
            mii.dwTypeData = text;
            mii.cch = sizeof(text);
            if (bar)
                ::GetMenuItemInfoA(bar, LOWORD(wParam), FALSE, &mii);
            sprintf(line, "menu: WM_COMMAND id=%u (menu item '%s')", LOWORD(wParam), text);
            ++g.commands;
            Log(line);
        }
        return 0;
    case WM_USER + kTreeSelect:
        ++g.selects;
        Log(TreeName((HWND)wParam) + ": WM_USER+1 select " + DescribeItem((HWND)wParam, lParam));
        return 0;
    case WM_USER + kTreeDblClick:
        ++g.dblClicks;
        Log(TreeName((HWND)wParam) + ": WM_USER+2 double click " + DescribeItem((HWND)wParam, lParam));
        return 0;
    case WM_USER + kTreeDrop:
        sprintf(line, ": WM_USER+3 dropped record %ld ('%s') on the host", (long)lParam,
                PathOf(std::to_string((long)lParam)).c_str());
        Log(TreeName((HWND)wParam) + line);
        return 0;
    case WM_USER + kTreeRButton:
        ++g.rButtons;
        Log(TreeName((HWND)wParam) + ": WM_USER+4 right button " + DescribeItem((HWND)wParam, lParam));
        ::PostMessageA(hwnd, kMsgItemMenu, 0, 0);
        return 0;
    case kMsgItemMenu:
        Log(ShowItemMenu(hwnd));
        return 0;
    case WM_USER + kDoorToggle:
        ++g.doorToggles;
        sprintf(line, "door (0x%lx): WM_USER+10 toggle wParam=%d (%s)", (unsigned long)(UINT_PTR)g.door, (int)wParam,
                wParam ? "closing" : "opening");
        Log(line);
        return 0;
    case WM_USER + kDoorRClick:
    {
        ++g.doorRClicks;
        char text[32] = "";
        ::GetWindowTextA((HWND)wParam, text, sizeof(text));
        sprintf(line, "door (0x%lx): WM_USER+11 right click on window 0x%lx ('%s')",
                (unsigned long)(UINT_PTR)g.door, (unsigned long)wParam,
                text);
        Log(line);
        return 0;
    }
    case WM_DESTROY:
    case WM_NCDESTROY:  // the decorations pass WM_DESTROY to the default procedure
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND MakeTree(HWND parent, const char* name, const char* root, int mode)
{
    HLMENU data = LMENU_new();
    if (!data)
        return nullptr;
    g.treeData.push_back(data);
    HWND tree = Tree_new(parent, 0, 0, 100, 100, 0);
    if (!tree || !LMENU_LoadFromFile(data, g.dataFile.c_str()))
        return nullptr;
    Tree_BindLmenu(tree, data, root, mode, 1);
    Tree_SetSingleExpand(tree, 1);
    Tree_SetSendMsg(tree, g.hwnd, kTreeSelect);
    Tree_SetSendMsgDblClick(tree, g.hwnd, kTreeDblClick);
    Tree_SetSendMsgRButtonDown(tree, g.hwnd, kTreeRButton);
    Tree_SetDragWindow(tree, g.hwnd);
    g.treeNames[tree] = name;
    return tree;
}

bool BuildWindow(DWORD dwExStyle = 0)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    ::RegisterClassA(&wc);
    g.hwnd = ::CreateWindowExA(dwExStyle, kClassName, "Lumo gallery", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40,
                               kWindowW, kWindowH, nullptr, nullptr, wc.hInstance, nullptr);
    if (!g.hwnd || !LMENU_ChangeMenu(g.menuData, g.hwnd, ""))
        return false;

    g.door = DoorWin_new(g.hwnd);
    if (!g.door)
        return false;
    DoorWin_SetHue(g.door, 0);
    DoorWin_SetBkColor(g.door, kDoorR, kDoorG, kDoorB);
    DoorWin_SetWidth(g.door, kDoorWidth);
    DoorWin_SetSingleDrop(g.door, 1);
    DoorWin_SetOpenCloseWhenMousemove(g.door, 0);
    DoorWin_SetSendMsg(g.door, kDoorToggle);
    DoorWin_SetSendMsg_RClick(g.door, kDoorRClick);
    for (int i = 0; i < kDropCount; ++i)
    {
        g.drops[i] = DropWin_new(g.door, kDropModules[i].title, 4, 4, 4, i == kDropCount - 1 ? 300 : 250);
        g.trees[i] = MakeTree(g.hwnd, kDropModules[i].title, kDropModules[i].code, 1);
        if (!g.drops[i] || !g.trees[i] || !DropWin_AddObj(g.drops[i], g.trees[i]))
            return false;
        DropWin_SetTitleHue(g.drops[i], i % 2);
    }
    DropWin_SetDrop(g.drops[0], 1);

    RECT rc;
    ::GetClientRect(g.hwnd, &rc);
    g.sideTree = MakeTree(g.hwnd, "Reports (dark, details)", "7", 3);
    if (!g.sideTree)
        return false;
    ::MoveWindow(g.sideTree, kSideTreeLeft, 52, rc.right - 8 - kSideTreeLeft, rc.bottom - 60, TRUE);
    Tree_SetBkColor(g.sideTree, 36, 52, 78);
    Tree_SetLineHeight(g.sideTree, 20);
    Tree_SetBorder(g.sideTree, 4);
    Tree_Expand(g.sideTree, "701", 0);

    RememberTexts();
    g.shadow = ShadowWin_Register(g.hwnd);
    ShadowMenu_Enable(1);
    SkinMainWindow(g.hwnd);
    return true;
}

// ---------------------------------------------------------------------------------------------
// The scripted session
// ---------------------------------------------------------------------------------------------






// Captures the main window as it is on the screen, frame and menu bar included, with a margin
// right and below for the shadow.
bool Screenshot(const std::string& folder, const char* name)
{
    Settle();
    ::RedrawWindow(g.hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return WriteScreenshot(g.hwnd, folder, name, 6);
}

// Centre of an item's label in the tree's client coordinates; false when it is not visible.
bool ItemPoint(HWND tree, const char* code, POINT* pt)
{
    HTREEITEM item = (HTREEITEM)Tree_GetItem(tree, code);
    RECT r;
    if (!item || !TreeView_GetItemRect(tree, item, &r, TRUE))
        return false;
    pt->x = (r.left + r.right) / 2;
    pt->y = (r.top + r.bottom) / 2;
    return true;
}

// Posts input the way the system delivers it and moves the real cursor along, so that anything
// reading the cursor position agrees with the messages.
// A press is followed by the control's own tracking loop, which waits for the release among the
// queued messages: a whole gesture is posted before anything is pumped.
void PostMouse(HWND target, UINT msg, WPARAM keys, POINT pt)
{
    POINT screen = pt;
    ::ClientToScreen(target, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::PostMessageA(target, msg, keys, MAKELPARAM(pt.x, pt.y));
}

// The tree reports at most one click per 0.4 seconds, timed from its reading of the clock when
// it handled the click before. That reading happens while the posted input is dispatched, which
// on a busy machine can be long after the input was posted; so the script reads the clock only
// once the tree has handled the click (Settle dispatches the input), never before the tree did.
clock_t g_lastClick = 0;
void SettleAfterClick()
{
    Settle();
    g_lastClick = clock();
}

// Waits (pumping) until the next click counts.
void WaitForClickInterval()
{
    PumpUntil([] { return clock() - g_lastClick > CLOCKS_PER_SEC / 2; }, 2000);
}

bool ClickItem(HWND tree, const char* code)
{
    POINT pt;
    if (!ItemPoint(tree, code, &pt))
        return false;
    WaitForClickInterval();
    PostMouse(tree, WM_MOUSEMOVE, 0, pt);
    PostMouse(tree, WM_LBUTTONDOWN, MK_LBUTTON, pt);
    PostMouse(tree, WM_LBUTTONUP, 0, pt);
    // The click is performed on the next move over the same item.
    PostMouse(tree, WM_MOUSEMOVE, 0, pt);
    SettleAfterClick();
    return true;
}

int Width(HWND hwnd)
{
    RECT r;
    ::GetWindowRect(hwnd, &r);
    return r.right - r.left;
}

int Height(HWND hwnd)
{
    RECT r;
    ::GetWindowRect(hwnd, &r);
    return r.bottom - r.top;
}

// Clicks the door's toggle button (control id 1) and pumps until the slide has ended.
bool ToggleDoor(int wantOpen, int* narrowest)
{
    HWND button = ::GetDlgItem(g.door, 1);
    if (!button)
        return false;
    POINT pt = { 4, 4 };
    PostMouse(button, WM_LBUTTONDOWN, MK_LBUTTON, pt);
    PostMouse(button, WM_LBUTTONUP, 0, pt);
    int least = Width(g.door);
    bool done = PumpUntil([&] {
        int w = Width(g.door);
        if (w < least)
            least = w;
        return DoorWin_IsOpened(g.door) == wantOpen && (!wantOpen || w == kDoorWidth);
    }, 5000);
    if (narrowest)
        *narrowest = least;
    return done;
}

// Prints the window's accessible tree and checks what a screen reader user needs of it: the
// skinned caption's buttons, the door's toggle named after what it does, and every drop as a
// group, only the first one expanded.
void CheckAccessibleTree()
{
    const std::vector<gallery::AccLine> lines = gallery::ReadAccessibleTree(g.hwnd);
    for (const gallery::AccLine& line : lines)
        printf("accessible: %s\n", line.Text().c_str());
    auto find = [&](long role, const std::string& name) -> const gallery::AccLine* {
        for (const gallery::AccLine& line : lines)
            if (line.role == role && line.name == name)
                return &line;
        return nullptr;
    };
    const gallery::AccLine* bar = find(ROLE_SYSTEM_TITLEBAR, "Lumo gallery");
    Check(bar && bar->depth == 0 && find(ROLE_SYSTEM_PUSHBUTTON, "Close") && find(ROLE_SYSTEM_PUSHBUTTON, "Minimize") &&
              find(ROLE_SYSTEM_PUSHBUTTON, "Maximize"),
          "accessible caption with its three buttons");
    Check(find(ROLE_SYSTEM_PUSHBUTTON, "Close panel") != nullptr, "accessible door toggle 'Close panel'");
    bool drops = true;
    for (int i = 0; i < kDropCount; ++i)
    {
        const gallery::AccLine* drop = find(ROLE_SYSTEM_GROUPING, kDropModules[i].title);
        const long want = i == 0 ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
        drops = drops && drop && (drop->state & (STATE_SYSTEM_EXPANDED | STATE_SYSTEM_COLLAPSED)) == want;
    }
    Check(drops, "accessible drops, the first expanded");
}

// The screen's colour where a window's client point lies.
COLORREF ScreenPixel(HWND hwnd, int x, int y)
{
    POINT pt = { x, y };
    ::ClientToScreen(hwnd, &pt);
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, pt.x, pt.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

// The window in the colours of a high-contrast scheme: set for this process as the system sets
// them, with the library asked for the system colours as high contrast would have it.
void RunHighContrast(const std::string& out)
{
    const int roles[] = { COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_HIGHLIGHT,
                          COLOR_HIGHLIGHTTEXT, COLOR_HOTLIGHT, COLOR_GRAYTEXT, COLOR_WINDOWFRAME, COLOR_MENU,
                          COLOR_MENUTEXT };
    const COLORREF contrast[] = { RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255),
                                  RGB(26, 235, 255), RGB(0, 0, 0), RGB(255, 255, 0), RGB(63, 242, 63),
                                  RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255) };
    const int n = sizeof(roles) / sizeof(roles[0]);
    COLORREF saved[n];
    for (int i = 0; i < n; ++i)
        saved[i] = ::GetSysColor(roles[i]);
    ::SetSysColors(n, roles, contrast);
    Lumo_UseSystemColors(1);
    Settle();
    const int doorBottom = Height(g.door) - 10;
    Check(ScreenPixel(g.door, kDoorWidth / 2, doorBottom) == RGB(0, 0, 0), "door in the window colour of high contrast");
    Screenshot(out, "11-high-contrast.png");
    ::SetSysColors(n, roles, saved);
    Lumo_UseSystemColors(-1);
    Settle();
    Check(ScreenPixel(g.door, kDoorWidth / 2, doorBottom) == RGB(kDoorR, kDoorG, kDoorB), "door in its own colour again");
}

// The same window made for a right-to-left host: mirrored, the door at the right edge.
void RunRightToLeft(const std::string& out)
{
    g.hwnd = nullptr;
    const bool built = BuildWindow(WS_EX_LAYOUTRTL);
    Check(built, "right-to-left window built");
    if (!built)
        return;
    ::ShowWindow(g.hwnd, SW_SHOW);
    ::SetForegroundWindow(g.hwnd);
    Settle();
    RECT client, door;
    ::GetClientRect(g.hwnd, &client);
    ::MapWindowPoints(g.hwnd, nullptr, (POINT*)&client, 2);
    ::GetWindowRect(g.door, &door);
    Check(door.right == (client.left > client.right ? client.left : client.right), "door at the right edge");
    Screenshot(out, "12-right-to-left.png");
    ::DestroyWindow(g.hwnd);
    PumpPending();
}

int RunScript(const std::string& out)
{
    // The door places itself once the host has settled (a deferred step after creation).
    PumpUntil([] { return Width(g.door) == kDoorWidth && ::IsWindowVisible(g.trees[0]); }, 3000);
    Settle();
    RECT wr, cr;
    POINT origin = { 0, 0 };
    ::GetWindowRect(g.hwnd, &wr);
    ::GetClientRect(g.hwnd, &cr);
    ::ClientToScreen(g.hwnd, &origin);
    printf("layout: client %ldx%ld at %ld,%ld in the screenshots; door width %d; host background %06lx; "
           "door background %02x%02x%02x\n",
           cr.right, cr.bottom, origin.x - wr.left, origin.y - wr.top, kDoorWidth, (unsigned long)kHostBack,
           kDoorR, kDoorG, kDoorB);
    Check(Width(g.door) == kDoorWidth, "door open at its width");
    Check(DropWin_GetDrop(g.drops[0]) == 1 && ::IsWindowVisible(g.trees[0]), "first drop open with its tree");
    Check(g.texts.size() == 344, "all 344 records named in the tree");
    Screenshot(out, "01-start.png");

    // What a screen reader reads of the window, one object a line.
    CheckAccessibleTree();

    HWND sales = g.trees[0];
    // Hover: the item under the mouse becomes the selected one.
    POINT pt;
    if (ItemPoint(sales, "102", &pt))
    {
        PostMouse(sales, WM_MOUSEMOVE, 0, pt);
        Settle();
    }
    const char* hovered = Tree_GetItemID(sales, Tree_GetSelectedItem(sales));
    Check(hovered && strcmp(hovered, "102") == 0, "hover selects 'Sales > Master data'");
    Screenshot(out, "02-hover.png");

    // Clicks: open a node, then pick a form in it.
    int selectsBefore = g.selects;
    Check(ClickItem(sales, "101"), "click on 'Sales > Documents'");
    Check(Tree_GetItem(sales, "10101") && ItemPoint(sales, "10101", &pt), "the node opened");
    Check(ClickItem(sales, "10101"), "click on 'Sales > Documents > New document'");
    Check(g.selects == selectsBefore + 2, "two select messages");
    Screenshot(out, "03-click.png");

    // A right click shows the item's tip, is reported and pops the item menu.
    ScriptNextItemMenu(g.hwnd, out, "04-right-click-menu.png");
    if (ItemPoint(sales, "10103", &pt))
    {
        PostMouse(sales, WM_RBUTTONDOWN, MK_RBUTTON, pt);
        PostMouse(sales, WM_RBUTTONUP, 0, pt);
        Settle();
    }
    Check(g.rButtons == 1, "right button message");
    Check(ItemMenuCount() == 1 && ItemMenuChoice() > 0, "item menu popped, a command chosen in its submenu");
    Screenshot(out, "04-right-click.png");

    // A double click on a leaf is reported too.
    if (ItemPoint(sales, "10104", &pt))
    {
        WaitForClickInterval();
        PostMouse(sales, WM_LBUTTONDBLCLK, MK_LBUTTON, pt);
        PostMouse(sales, WM_LBUTTONUP, 0, pt);
        SettleAfterClick();
    }
    Check(g.dblClicks == 1, "double click message");

    // The door closes to its button and opens again.
    int narrowest = 0;
    Check(ToggleDoor(0, &narrowest), "door closed by its toggle button");
    const int closedWidth = Width(g.door);
    Check(closedWidth < 40 && narrowest == closedWidth, "closed door shows only its button");
    Check(!::IsWindowVisible(sales), "tree hidden while the door is closed");
    Screenshot(out, "05-door-closed.png");
    Check(ToggleDoor(1, nullptr), "door opened by its toggle button");
    Check(Width(g.door) == kDoorWidth && ::IsWindowVisible(sales), "door back at its width with its tree");
    Screenshot(out, "06-door-open.png");

    // A right click on the door is posted to the host.
    pt.x = 100;
    pt.y = Height(g.door) - 10;
    PostMouse(g.door, WM_RBUTTONDOWN, MK_RBUTTON, pt);
    PostMouse(g.door, WM_RBUTTONUP, 0, pt);
    Settle();
    Check(g.doorRClicks == 1, "door right click message");

    // Another drop opens (animated) and the first one closes.
    HWND drop = g.drops[kDropCount - 1];
    pt.x = 20;
    pt.y = 3;
    PostMouse(drop, WM_LBUTTONDOWN, MK_LBUTTON, pt);
    PostMouse(drop, WM_LBUTTONUP, 0, pt);
    bool opened = PumpUntil([&] { return DropWin_GetDrop(drop) == 1 && Height(drop) == 300; }, 5000);
    Settle();
    Check(opened && DropWin_GetDrop(g.drops[0]) == 0, "'All modules' drop opened, 'Sales' closed");
    HWND all = g.trees[kDropCount - 1];
    Check(::IsWindowVisible(all) && ClickItem(all, "5"), "click on 'Human resources' in 'All modules'");
    Screenshot(out, "07-drop-opened.png");

    // A command from the generated menu bar.
    ::PostMessageA(g.hwnd, WM_COMMAND, MAKEWPARAM(10101, 0), 0);
    Settle();
    Check(g.commands == 1, "menu command");

    Check(g.doorToggles == 2, "two door toggle messages");
    RunSkinSession(g.hwnd, out, Screenshot);
    RunHighContrast(out);
    ::DestroyWindow(g.hwnd);
    PumpPending();
    RunRightToLeft(out);
    printf("session: %zu messages, %s\n", g.log.size(), gallery::SessionOk() ? "ok" : "FAILED");
    return gallery::SessionOk() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    PrepareSkin();
    const std::string outDir = gallery::ScriptFolder(argc, argv);
    g.scripted = !outDir.empty();

    // Save a navigation menu to a file and load it back, as a host does at start-up.
    HLMENU source = LMENU_new();
    int made = BuildNavigation(source);
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    char file[64];
    sprintf(file, "lumo-gallery-%lu.dat", ::GetCurrentProcessId());
    std::string& dataFile = g.dataFile;
    dataFile = std::string(temp) + file;
    if (!LMENU_SaveToFile(source, dataFile.c_str(), "2026-12-05 09:00"))
    {
        printf("error: could not save %s\n", dataFile.c_str());
        return 1;
    }
    LMENU_delete(source);
    g.menuData = LMENU_new();
    if (!LMENU_LoadFromFile(g.menuData, dataFile.c_str()))
    {
        printf("error: could not load %s\n", dataFile.c_str());
        return 1;
    }
    g.records = made;
    const char* stamp = LMENU_GetTimeStamp(g.menuData);
    g.timeStamp = stamp ? stamp : "";
    if (g.scripted)
        printf("data: %d records saved and loaded, stamp '%s'\n", made, g.timeStamp.c_str());

    // The file stays until the end: the right-to-left window of the session loads its trees
    // from it too.
    const bool built = BuildWindow();
    if (!built)
    {
        ::DeleteFileA(dataFile.c_str());
        printf("error: could not create the main window, its menu bar, door and trees\n");
        return 1;
    }
    ::ShowWindow(g.hwnd, SW_SHOW);
    ::SetForegroundWindow(g.hwnd);
    ::UpdateWindow(g.hwnd);
    if (g.scripted)
        printf("shadow: %s\n", g.shadow ? "registered" : "not available");

    int code = 0;
    if (g.scripted)
        code = RunScript(outDir);
    else
    {
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    ::DeleteFileA(dataFile.c_str());
    LMENU_delete(g.menuData);
    for (HLMENU data : g.treeData)
        LMENU_delete(data);
    return code;
}
