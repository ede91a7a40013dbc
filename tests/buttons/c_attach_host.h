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
#ifdef __cplusplus
}
#endif
#endif
