/* A window with a door on its left; the door's drop holds a tree of three records. */
#include <lumo/lumo.h>

static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + 1) /* a tree item was clicked: show its label in the caption */
        SetWindowTextA(hwnd, Tree_GetItemText((HWND)wParam, (HTREEITEM_LUMO)lParam));
    if (msg == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int main(void)
{
    WNDCLASSA wc = {0};
    HWND window, door, drop, tree;
    HLMENU records = LMENU_new();
    MSG msg;

    wc.lpfnWndProc = WindowProc;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = "DoorHost";
    RegisterClassA(&wc);
    window = CreateWindowA("DoorHost", "Orders", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, NULL, NULL, NULL, NULL);

    LMENU_AddMenuItem(records, "1", "Orders", "", "", "", 0);
    LMENU_AddMenuItem(records, "101", "New order", "", "Enter an order", "", 0);
    LMENU_AddMenuItem(records, "102", "Order list", "", "All open orders", "", 0);

    door = DoorWin_new(window);
    drop = DropWin_new(door, "Sales", 4, 4, 4, 300);
    tree = Tree_new(window, 0, 0, 100, 100, 0);
    Tree_BindLmenu(tree, records, "", 1, 1);
    Tree_SetSendMsg(tree, window, 1);
    DropWin_AddObj(drop, tree);

    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    LMENU_delete(records);
    return (int)msg.wParam;
}
