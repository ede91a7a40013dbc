/* The host of the attach tests, written in plain C: push (default), check box (checked), radio and auto
 * radio buttons of 90 x 26, attached once and from then on painted from its WM_DRAWITEM. */
#ifndef C_ATTACH_HOST_H
#define C_ATTACH_HOST_H
#include <windows.h>
#ifdef __cplusplus
extern "C" {
#endif
#define CHOST_BUTTONS 4
/* The host window; its buttons go to buttons[], and back is the colour its WM_CTLCOLORBTN gives. */
HWND CHost_Create(COLORREF back, HWND buttons[CHOST_BUTTONS]);

/* A modeless dialog, also in plain C: a group of three automatic radio buttons (ids 200 to 202,
 * the first checked) and a push button starting the next group. With attach set, the buttons take
 * the XP look as the dialog starts and are painted from its WM_DRAWITEM (which draws nothing
 * otherwise). */
#define CDLG_RADIOS 3
HWND CDialog_Create(int attach, HWND radios[CDLG_RADIOS]);
/* Posts a key press to the focused control and dispatches what is queued through
 * IsDialogMessage, as the dialog's own message loop would. */
void CDialog_Key(HWND dialog, UINT vk);
/* The ids of the buttons whose BN_CLICKED the dialog received, oldest first, up to max; returns
 * how many there were since the last call. */
int CDialog_TakeClicks(HWND dialog, UINT* ids, int max);
#ifdef __cplusplus
}
#endif
#endif
