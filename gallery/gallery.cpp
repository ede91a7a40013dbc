// The gallery host: a small business-style application that uses Lumo through its flat C
// interface only, the way a host in any language would.
//
//   gallery.exe                      interactive: the window stays open for a person
//   gallery.exe --script OUTDIR      scripted session: drives the window, writes a PNG of each
//                                    state to OUTDIR, prints every message the host received
//                                    (one decoded line each) and exits 0 on success
#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "lumo.h"
#include "PngWriter.h"

namespace {

const char kClassName[] = "LumoGalleryHost";

struct Gallery
{
    HWND hwnd = nullptr;
    HLMENU menuData = nullptr;
    int records = 0;
    std::string timeStamp;
    std::string lastCommand = "(none yet)";
    bool scripted = false;
    std::vector<std::string> log;
};

Gallery g;

// One decoded line per message the host is told about.
void Log(const std::string& line)
{
    g.log.push_back(line);
    if (g.scripted)
    {
        printf("message: %s\n", line.c_str());
        fflush(stdout);
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

void Paint(HDC dc, const RECT& rc)
{
    HBRUSH back = ::CreateSolidBrush(RGB(246, 247, 250));
    ::FillRect(dc, &rc, back);
    ::DeleteObject(back);

    RECT band = { rc.left, rc.top, rc.right, rc.top + 36 };
    HBRUSH bandBrush = ::CreateSolidBrush(RGB(58, 110, 165));
    ::FillRect(dc, &band, bandBrush);
    ::DeleteObject(bandBrush);

    ::SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::TextOutA(dc, 12, 11, "Lumo gallery", 12);

    char line[256];
    ::SetTextColor(dc, RGB(30, 30, 30));
    int y = 52;
    auto put = [&](const char* s) {
        ::TextOutA(dc, 16, y, s, (int)strlen(s));
        y += 20;
    };
    sprintf(line, "Library version %d", GetDllVersion());
    put(line);
    sprintf(line, "Windows XP or later: %s   Vista: %s   Themes: %s", IsWinXP() ? "yes" : "no",
            IsVista() ? "yes" : "no", IsWinXPThemeOpened() ? "on" : "off");
    put(line);
    sprintf(line, "Navigation data: %d records, saved and loaded back (stamp \"%s\")", g.records,
            g.timeStamp.c_str());
    put(line);
    put("The menu bar above is generated from that data.");
    sprintf(line, "Last command: %s", g.lastCommand.c_str());
    put(line);
    ::SelectObject(dc, oldFont);
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
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
    case WM_PRINTCLIENT:
    {
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        Paint((HDC)wParam, rc);
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
            char line[192];
            sprintf(line, "WM_COMMAND id=%u (menu item \"%s\")", LOWORD(wParam), text);
            Log(line);
            g.lastCommand = std::to_string(LOWORD(wParam)) + " " + text;
            ::InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Renders the window's client area through WM_PRINTCLIENT and writes it as a PNG.
bool Screenshot(const std::string& folder, const char* name)
{
    RECT rc;
    ::GetClientRect(g.hwnd, &rc);
    const int w = rc.right, h = rc.bottom;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HBITMAP bmp = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp)
    {
        ::DeleteDC(dc);
        return false;
    }
    HGDIOBJ old = ::SelectObject(dc, bmp);
    ::SendMessageA(g.hwnd, WM_PRINTCLIENT, (WPARAM)dc, PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
    ::GdiFlush();
    std::string path = folder + "\\" + name;
    bool ok = lumotest::WritePng(path, (const uint32_t*)bits, w, h, w);
    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc);
    printf("screenshot: %s %s\n", name, ok ? "written" : "FAILED");
    return ok;
}

// Finds the command id of the first leaf under the first popup of the menu bar.
UINT FirstLeafCommand(HMENU menu)
{
    for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i)
    {
        if (HMENU sub = ::GetSubMenu(menu, i))
        {
            if (UINT id = FirstLeafCommand(sub))
                return id;
        }
        else
        {
            UINT id = ::GetMenuItemID(menu, i);
            if (id != 0 && id != (UINT)-1)
                return id;
        }
    }
    return 0;
}

int RunScript(const std::string& out)
{
    bool ok = Screenshot(out, "01-start.png");
    UINT id = FirstLeafCommand(::GetMenu(g.hwnd));
    if (!id)
    {
        printf("error: the generated menu bar has no command\n");
        return 1;
    }
    // The user picks a menu command: the host receives it as WM_COMMAND.
    ::PostMessageA(g.hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Pump();
    ::UpdateWindow(g.hwnd);
    ok = Screenshot(out, "02-menu-command.png") && ok;
    ::DestroyWindow(g.hwnd);
    Pump();
    printf("session: %zu messages, %s\n", g.log.size(), ok ? "ok" : "FAILED");
    return ok && !g.log.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string outDir;
    for (int i = 1; i < argc; ++i)
        if (strcmp(argv[i], "--script") == 0 && i + 1 < argc)
            outDir = argv[++i];
    g.scripted = !outDir.empty();
    if (g.scripted)
        ::CreateDirectoryA(outDir.c_str(), nullptr);

    // Save a navigation menu to a file and load it back, as a host does at start-up.
    HLMENU source = LMENU_new();
    int made = BuildNavigation(source);
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    std::string dataFile = std::string(temp) + "lumo-gallery-navigation.dat";
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

    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    ::RegisterClassA(&wc);
    g.hwnd = ::CreateWindowExA(0, kClassName, "Lumo gallery", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40,
                               900, 600, nullptr, nullptr, wc.hInstance, nullptr);
    if (!g.hwnd || !LMENU_ChangeMenu(g.menuData, g.hwnd, ""))
    {
        printf("error: could not create the main window and its menu bar\n");
        return 1;
    }
    ::ShowWindow(g.hwnd, SW_SHOW);
    ::UpdateWindow(g.hwnd);

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
    LMENU_delete(g.menuData);
    ::DeleteFileA(dataFile.c_str());
    return code;
}
