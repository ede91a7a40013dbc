/* A host written in plain C that gives its own buttons the XP look: it creates ordinary
 * buttons, attaches each once, and from then on paints them from its WM_DRAWITEM. */
#include "lumo.h"
#include "c_attach_host.h"

static HWND s_buttons[CHOST_BUTTONS];
static int s_drawItems;
static HWND s_destroyOnColour;
static HBRUSH s_back;

static LRESULT CALLBACK CHostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_DRAWITEM:
    {
        const DRAWITEMSTRUCT* dis = (const DRAWITEMSTRUCT*)lParam;
        ++s_drawItems;
        return XPButton_Attach(dis->hwndItem, dis->hDC);
    }
    case WM_CTLCOLORBTN:
        if (s_destroyOnColour && (HWND)lParam == s_destroyOnColour)
        {
            s_destroyOnColour = NULL;
            DestroyWindow((HWND)lParam);
        }
        if (!s_back)
            s_back = CreateSolidBrush(CHOST_BACK);
        SetBkColor((HDC)wParam, CHOST_BACK);
        return (LRESULT)s_back;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CHost_Create(void)
{
    static const struct { const char* text; DWORD style; } kinds[CHOST_BUTTONS] = {
        { "Push", BS_DEFPUSHBUTTON | WS_GROUP },
        { "Check", BS_AUTOCHECKBOX | WS_GROUP },
        { "Radio 1", BS_RADIOBUTTON | WS_GROUP },
        { "Radio 2", BS_AUTORADIOBUTTON },
    };
    WNDCLASSA wc;
    HWND host;
    int i;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = CHostProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "LumoCAttachHost";
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    RegisterClassA(&wc);
    host = CreateWindowExA(0, wc.lpszClassName, "C host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 420, 120,
                           NULL, NULL, wc.hInstance, NULL);
    s_drawItems = 0;
    for (i = 0; i < CHOST_BUTTONS; ++i)
        s_buttons[i] = CreateWindowExA(0, "BUTTON", kinds[i].text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | kinds[i].style,
                                       8 + 100 * i, 8, 90, 26, host, (HMENU)(INT_PTR)(100 + i), wc.hInstance, NULL);
    /* The check box starts checked: attaching must keep that. */
    SendMessageA(s_buttons[1], BM_SETCHECK, BST_CHECKED, 0);
    for (i = 0; i < CHOST_BUTTONS; ++i)
    {
        HDC dc = GetDC(s_buttons[i]);
        XPButton_Attach(s_buttons[i], dc);
        ReleaseDC(s_buttons[i], dc);
    }
    return host;
}

HWND CHost_Button(int i)
{
    return (i >= 0 && i < CHOST_BUTTONS) ? s_buttons[i] : NULL;
}

int CHost_DrawItems(void)
{
    return s_drawItems;
}

void CHost_DestroyOnColour(HWND button)
{
    s_destroyOnColour = button;
}
