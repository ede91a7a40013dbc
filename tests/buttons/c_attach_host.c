/* A host written in plain C that gives its own buttons the XP look. */
#include "lumo.h"
#include "c_attach_host.h"

static LRESULT CALLBACK CHostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const HBRUSH back = (HBRUSH)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
    LOGBRUSH lb;
    switch (msg)
    {
    case WM_DRAWITEM:
        return XPButton_Attach(((const DRAWITEMSTRUCT*)lParam)->hwndItem, ((const DRAWITEMSTRUCT*)lParam)->hDC);
    case WM_CTLCOLORBTN:
        GetObjectA(back, sizeof(lb), &lb);
        SetBkColor((HDC)wParam, lb.lbColor);
        return (LRESULT)back;
    case WM_NCDESTROY:
        DeleteObject(back);
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CHost_Create(COLORREF back, HWND buttons[CHOST_BUTTONS])
{
    static const DWORD styles[CHOST_BUTTONS] = { BS_DEFPUSHBUTTON | WS_GROUP, BS_AUTOCHECKBOX | WS_GROUP,
                                                 BS_RADIOBUTTON | WS_GROUP, BS_AUTORADIOBUTTON };
    WNDCLASSA wc = { 0, CHostProc, 0, 0, NULL, NULL, NULL, NULL, NULL, "LumoCAttachHost" };
    HWND host;
    int i;
    wc.hInstance = GetModuleHandleA(NULL);
    RegisterClassA(&wc);
    host = CreateWindowExA(0, wc.lpszClassName, "C host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 420, 120, NULL,
                           NULL, wc.hInstance, NULL);
    SetWindowLongPtrA(host, GWLP_USERDATA, (LONG_PTR)CreateSolidBrush(back));
    for (i = 0; i < CHOST_BUTTONS; ++i)
    {
        HDC dc;
        buttons[i] = CreateWindowExA(0, "BUTTON", "Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | styles[i],
                                     8 + 100 * i, 8, 90, 26, host, (HMENU)(INT_PTR)(100 + i), wc.hInstance, NULL);
        if (i == 1) /* starts checked: attaching keeps that */
            SendMessageA(buttons[i], BM_SETCHECK, BST_CHECKED, 0);
        dc = GetDC(buttons[i]);
        XPButton_Attach(buttons[i], dc);
        ReleaseDC(buttons[i], dc);
    }
    return host;
}
