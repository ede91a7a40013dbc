// The gallery's item menu, built through the flat PopMenu_* functions, and the scripted step
// that photographs it while it is open.
#include "GalleryMenu.h"

#include <stdio.h>
#include <string.h>
#include <vector>

#include "lumo.h"
#include "ScriptSupport.h"

namespace gallery {

namespace {

enum { kOpen = 1, kOpenNew, kFavourite, kSendTo, kMail, kPrinter, kDesktop, kDelete, kProperties };

struct Entry
{
    int id;
    const char* text;
    int parent;
    COLORREF tile;  // the icon's colour; 0 for no icon
    const char* glyph;
};

const Entry kEntries[] = {
    { kOpen, "&Open", 0, RGB(58, 110, 165), "O" },
    { kOpenNew, "Open in &new window", 0, RGB(46, 139, 87), "+" },
    { 0, "-", 0, 0, nullptr },
    { kFavourite, "&Favourite", 0, 0, nullptr },
    { kSendTo, "&Send to", 0, 0, nullptr },
    { kMail, "&Mail recipient", kSendTo, RGB(214, 150, 30), "@" },
    { kPrinter, "&Printer", kSendTo, RGB(96, 96, 110), "P" },
    { kDesktop, "&Desktop (shortcut)", kSendTo, 0, nullptr },
    { 0, "-", 0, 0, nullptr },
    { kDelete, "De&lete", 0, RGB(200, 50, 50), "X" },
    { kProperties, "P&roperties", 0, 0, nullptr },
};
const int kEntryCount = sizeof(kEntries) / sizeof(kEntries[0]);

HICON g_icons[kEntryCount];  // made on first use, kept for the session
int g_count, g_choice;

// A 16 x 16 icon: a rounded tile of one colour with a white letter on it.
HICON MakeIcon(COLORREF tile, const char* glyph)
{
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP image = ::CreateCompatibleBitmap(screen, 16, 16);
    HBITMAP mask = ::CreateBitmap(16, 16, 1, 1, nullptr);
    HBRUSH brush = ::CreateSolidBrush(tile);
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(GetRValue(tile) / 2, GetGValue(tile) / 2, GetBValue(tile) / 2));
    HGDIOBJ oldBitmap = ::SelectObject(dc, mask);  // black where the tile is, white around it
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(BLACK_BRUSH));
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    ::PatBlt(dc, 0, 0, 16, 16, WHITENESS);
    ::RoundRect(dc, 0, 0, 16, 16, 6, 6);
    ::SelectObject(dc, image);
    ::PatBlt(dc, 0, 0, 16, 16, BLACKNESS);
    ::SelectObject(dc, brush);
    ::SelectObject(dc, pen);
    ::RoundRect(dc, 0, 0, 16, 16, 6, 6);
    HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    RECT rc = { 0, 0, 16, 16 };
    ::DrawTextA(dc, glyph, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldBitmap);
    ICONINFO ii = { TRUE, 0, 0, mask, image };
    HICON icon = ::CreateIconIndirect(&ii);
    ::DeleteObject(pen);
    ::DeleteObject(brush);
    ::DeleteObject(mask);
    ::DeleteObject(image);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return icon;
}

// ---- The scripted step -----------------------------------------------------------------------

struct Script
{
    HWND host = nullptr;
    std::string folder;
    const char* name = nullptr;
    int step = 0;
    DWORD start = 0;
    std::vector<uint32_t> last;
};
Script g_script;

BOOL CALLBACK CountMenuLevel(HWND hwnd, LPARAM lp)
{
    char name[16] = "";
    ::GetClassNameA(hwnd, name, sizeof(name));
    if (strcmp(name, "#32768") == 0 && ::IsWindowVisible(hwnd))
        ++*(int*)lp;
    return TRUE;
}

int OpenMenuLevels()
{
    int n = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountMenuLevel, (LPARAM)&n);
    return n;
}

void PostLetter(char letter)
{
    ::PostMessageA(g_script.host, WM_KEYDOWN, (WPARAM)letter, 1);
}

void CALLBACK ScriptTick(HWND, UINT, UINT_PTR id, DWORD)
{
    if (::GetTickCount() - g_script.start > 5000)
    {
        ::KillTimer(nullptr, id);
        ::EndMenu();
        Check(false, "item menu open with its submenu");
        return;
    }
    const int levels = OpenMenuLevels();
    if (g_script.step == 0 && levels == 1)
    {
        PostLetter('S');  // opens "Send to"
        g_script.step = 1;
        return;
    }
    if (g_script.step != 1 || levels != 2)
        return;
    // The screen is read until two readings agree: painting reaches it a little later.
    RECT wr;
    ::GetWindowRect(g_script.host, &wr);
    wr.right += 6;
    wr.bottom += 6;
    std::vector<uint32_t> px;
    if (!GrabScreen(wr, &px) || px != g_script.last)
    {
        g_script.last.swap(px);
        return;
    }
    SaveScreenshot(px, wr, g_script.folder, g_script.name);
    ::KillTimer(nullptr, id);
    PostLetter('P');  // picks "Printer"
    g_script.step = 2;
}

} // namespace

std::string ShowItemMenu(HWND host)
{
    HPOPMENU menu = PopMenu_New(host);
    for (int i = 0; i < kEntryCount; ++i)
    {
        const Entry& e = kEntries[i];
        PopMenu_SetItem(menu, e.id, e.text, e.parent);
        if (e.glyph && !g_icons[i])
            g_icons[i] = MakeIcon(e.tile, e.glyph);
        if (e.glyph)
            PopMenu_SetIcon(menu, e.id, g_icons[i]);
    }
    PopMenu_SetCheck(menu, kFavourite, 1);
    PopMenu_SetEnable(menu, kDelete, 0);
    ++g_count;
    g_choice = PopMenu_Pop(menu);

    std::string text;
    for (const Entry& e : kEntries)
        if (e.id == g_choice && g_choice != 0)
            for (const char* p = e.text; *p; ++p)
                if (*p != '&')
                    text += *p;
    char line[160];
    if (g_choice > 0)
        sprintf(line, "popup menu: PopMenu_Pop chose command %d ('%s')", g_choice, text.c_str());
    else
        sprintf(line, "popup menu: PopMenu_Pop dismissed (%d)", g_choice);
    return line;
}

int ItemMenuCount()
{
    return g_count;
}

int ItemMenuChoice()
{
    return g_choice;
}

void ScriptNextItemMenu(HWND host, const std::string& folder, const char* name)
{
    g_script = Script();
    g_script.host = host;
    g_script.folder = folder;
    g_script.name = name;
    g_script.start = ::GetTickCount();
    ::SetTimer(nullptr, 0, 30, ScriptTick);
}

} // namespace gallery
