/* A host written in plain C that gives its own buttons the XP look: it creates ordinary buttons,
 * attaches each once, and from then on paints them from its WM_DRAWITEM. */
#include "lumo.h"
#include "c_attach_host.h"

static HWND s_buttons[CHOST_BUTTONS];
static int s_drawItems;
static HBRUSH s_back;

static LRESULT CALLBACK CHostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DRAWITEM)
    {
        ++s_drawItems;
        return XPButton_Attach(((const DRAWITEMSTRUCT*)lParam)->hwndItem, ((const DRAWITEMSTRUCT*)lParam)->hDC);
    }
    if (msg == WM_CTLCOLORBTN)
    {
        if (!s_back)
            s_back = CreateSolidBrush(CHOST_BACK);
        SetBkColor((HDC)wParam, CHOST_BACK);
        return (LRESULT)s_back;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CHost_Create(void)
{
    static const DWORD styles[CHOST_BUTTONS] = { BS_DEFPUSHBUTTON | WS_GROUP, BS_AUTOCHECKBOX | WS_GROUP,
                                                 BS_RADIOBUTTON | WS_GROUP, BS_AUTORADIOBUTTON };
    WNDCLASSA wc = { 0, CHostProc, 0, 0, NULL, NULL, NULL, NULL, NULL, "LumoCAttachHost" };
    HWND host;
    int i;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    RegisterClassA(&wc);
    host = CreateWindowExA(0, wc.lpszClassName, "C host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 420, 120, NULL,
                           NULL, wc.hInstance, NULL);
    for (i = 0; i < CHOST_BUTTONS; ++i)
    {
        HDC dc;
        s_buttons[i] = CreateWindowExA(0, "BUTTON", "Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | styles[i],
                                       8 + 100 * i, 8, 90, 26, host, (HMENU)(INT_PTR)(100 + i), wc.hInstance, NULL);
        if (i == 1) /* starts checked: attaching must keep that */
            SendMessageA(s_buttons[i], BM_SETCHECK, BST_CHECKED, 0);
        dc = GetDC(s_buttons[i]);
        XPButton_Attach(s_buttons[i], dc);
        ReleaseDC(s_buttons[i], dc);
    }
    return host;
}

HWND CHost_Button(int i) { return (i >= 0 && i < CHOST_BUTTONS) ? s_buttons[i] : NULL; }
int CHost_DrawItems(void) { return s_drawItems; }
