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

/* The dialog's record of clicks, kept in its DWLP_USER slot. */
typedef struct CDialogLog
{
    int attach;
    int count;
    UINT ids[64];
} CDialogLog;

static INT_PTR CALLBACK CDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CDialogLog* log = (CDialogLog*)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (msg)
    {
    case WM_INITDIALOG:
        return TRUE;
    case WM_DRAWITEM:
        if (!log || !log->attach)
            return FALSE;
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT,
                          XPButton_Attach(((const DRAWITEMSTRUCT*)lParam)->hwndItem, ((const DRAWITEMSTRUCT*)lParam)->hDC));
        return TRUE;
    case WM_COMMAND:
        if (log && HIWORD(wParam) == BN_CLICKED && log->count < 64)
            log->ids[log->count++] = LOWORD(wParam);
        return TRUE;
    case WM_NCDESTROY:
        HeapFree(GetProcessHeap(), 0, log);
        break;
    }
    return FALSE;
}

HWND CDialog_Create(int attach, HWND radios[CDLG_RADIOS])
{
    /* An empty template: the controls are made below, as a program building its dialog does. */
    static const struct { DLGTEMPLATE t; WORD menu, cls, title; } empty = {
        { WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 60, 60, 200, 80 }, 0, 0, 0 };
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(NULL), &empty.t, NULL, CDialogProc, 0);
    HWND push;
    CDialogLog* log;
    int i;
    if (!dialog)
        return NULL;
    log = (CDialogLog*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(CDialogLog));
    if (log)
        log->attach = attach;
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)log);
    for (i = 0; i < CDLG_RADIOS; ++i)
        radios[i] = CreateWindowExA(0, "BUTTON", "Choice", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON |
                                    (i == 0 ? WS_GROUP | WS_TABSTOP : 0), 8, 8 + 24 * i, 90, 20, dialog,
                                    (HMENU)(INT_PTR)(200 + i), NULL, NULL);
    push = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, 110, 8,
                           60, 24, dialog, (HMENU)IDOK, NULL, NULL);
    SendMessageA(radios[0], BM_SETCHECK, BST_CHECKED, 0);
    if (attach)
    {
        for (i = 0; i <= CDLG_RADIOS; ++i)
        {
            HWND button = i < CDLG_RADIOS ? radios[i] : push;
            HDC dc = GetDC(button);
            XPButton_Attach(button, dc);
            ReleaseDC(button, dc);
        }
    }
    SetFocus(radios[0]);
    return dialog;
}

void CDialog_Key(HWND dialog, UINT vk)
{
    const LPARAM scan = (LPARAM)(MapVirtualKeyA(vk, 0) & 0xFF) << 16;
    MSG msg;
    PostMessageA(GetFocus(), WM_KEYDOWN, vk, 1 | scan);
    PostMessageA(GetFocus(), WM_KEYUP, vk, 1 | scan | ((LPARAM)3 << 30));
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (IsDialogMessageA(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int CDialog_TakeClicks(HWND dialog, UINT* ids, int max)
{
    CDialogLog* log = (CDialogLog*)GetWindowLongPtrA(dialog, DWLP_USER);
    int i, n = log ? log->count : 0;
    for (i = 0; i < n && i < max; ++i)
        ids[i] = log->ids[i];
    if (log)
        log->count = 0;
    return n;
}
