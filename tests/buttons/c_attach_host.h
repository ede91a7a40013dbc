/* The plain C host of the attach tests: push (default), check box (checked), radio and auto radio
 * buttons of 90 x 26, attached once and then painted from the host's WM_DRAWITEM. */
#ifndef C_ATTACH_HOST_H
#define C_ATTACH_HOST_H
#include <windows.h>
#ifdef __cplusplus
extern "C" {
#endif
#define CHOST_BUTTONS 4
#define CHOST_BACK RGB(250, 240, 200) /* the host's button background */
HWND CHost_Create(void);
HWND CHost_Button(int i);
int CHost_DrawItems(void);               /* WM_DRAWITEM received so far */
#ifdef __cplusplus
}
#endif
#endif
