/* The plain C host of the attach tests. */
#ifndef C_ATTACH_HOST_H
#define C_ATTACH_HOST_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Push (default), check box (checked), radio, auto radio: 90 x 26 each. */
#define CHOST_BUTTONS 4
/* The background the host's WM_CTLCOLORBTN gives its buttons. */
#define CHOST_BACK RGB(250, 240, 200)

HWND CHost_Create(void);
HWND CHost_Button(int i);
/* WM_DRAWITEM messages the host received since it was created. */
int CHost_DrawItems(void);
/* The host destroys this button when it next asks for its colours. */
void CHost_DestroyOnColour(HWND button);

#ifdef __cplusplus
}
#endif

#endif
