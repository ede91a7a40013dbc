/*
 * Lumo.dll: the flat C interface.
 *
 * Every function is exported by its plain name with C linkage and the WINAPI calling
 * convention. Objects are named by handles: window handles for window-based controls, opaque
 * pointers for the others. A null or unknown handle makes a function do nothing and return its
 * failure value (0 or null unless stated). Strings go in as zero-terminated ANSI text; strings
 * that come out stay valid after the call and are not freed by the caller. Truth values are 1
 * and 0; setters return the previous value of the property they change.
 *
 * This header compiles as C and as C++.
 */
#ifndef LUMO_H
#define LUMO_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef LUMO_BUILD
#define LUMOAPI __declspec(dllexport)
#else
#define LUMOAPI __declspec(dllimport)
#endif

/* ---- Platform queries ------------------------------------------------------------------ */

/* 1 when the system's major version is 6, else 0. */
LUMOAPI int WINAPI IsVista(void);
/* Non-zero on Windows XP and later NT systems. */
LUMOAPI int WINAPI IsWinXP(void);
/* 1 when visual themes are active for buttons; probed once per process. */
LUMOAPI int WINAPI IsWinXPThemeOpened(void);
/* The library's version number. */
LUMOAPI int WINAPI GetDllVersion(void);

/* ---- LMENU_*: tree data, its file and generated menus -------------------------------------- */
/* A collection of tree-data records (codes, texts, tips, host attributes) that can be saved to
 * and loaded from a file and turned into a menu bar. Each record's code places it in the
 * hierarchy (a record is the child of the nearest record whose code is a prefix of its own) and,
 * read as a number, is the command id of its menu item. */
typedef void* HLMENU;

/* A new empty collection; null when out of memory. */
LUMOAPI HLMENU WINAPI LMENU_new(void);
/* Destroys the collection. Menus already set on windows stay with their windows. */
LUMOAPI void WINAPI LMENU_delete(HLMENU hMenuData);
/* Always 0: the family reports failures only through its results. */
LUMOAPI int WINAPI LMENU_GetLastError(HLMENU hMenuData);
/* Adds a record at level 0; a code that is empty after trimming adds nothing. */
LUMOAPI void WINAPI LMENU_AddMenuItem(HLMENU hMenuData, LPCSTR lpszCode, LPCSTR lpszText,
                                      LPCSTR lpszDetail, LPCSTR lpszTip, LPCSTR lpszLLAFile,
                                      int nLLASeq);
/* Writes the records in code order with the time stamp as the first line. 1 written, 0 failed;
 * a failed save leaves an existing file as it was. */
LUMOAPI int WINAPI LMENU_SaveToFile(HLMENU hMenuData, LPCSTR lpszPath, LPCSTR lpszTimeStamp);
/* Replaces the records with those of the file, in the file's order. 1 read, 0 failed (the
 * records are then unchanged). */
LUMOAPI int WINAPI LMENU_LoadFromFile(HLMENU hMenuData, LPCSTR lpszPath);
/* The time stamp of the file last loaded ("" before any); null for an unknown handle. */
LUMOAPI LPSTR WINAPI LMENU_GetTimeStamp(HLMENU hMenuData);
/* Sets a menu bar made of the children of the code (of the whole collection for an empty code)
 * on the window. 1 when it was made and set, 0 otherwise (the window's menu is then kept). */
LUMOAPI int WINAPI LMENU_ChangeMenu(HLMENU hMenuData, HWND hWnd, LPCSTR lpszCode);

/* ---- Tree_*: the navigation tree ----------------------------------------------------------- */
/* A tree is named by its window handle; items by the system tree view's item handles. Host
 * windows receive WM_USER + an offset chosen by the host, with wParam = the tree's window and
 * lParam = the item (for a drop, WM_USER + 3 with the dropped record's code as a number). */
typedef void* HTREEITEM_LUMO;

/* Creates a tree in the parent's client rectangle; its window, or 0 on failure. */
LUMOAPI HWND WINAPI Tree_new(HWND hParent, int nLeft, int nTop, int nRight, int nBottom,
                             DWORD dwStyle);
LUMOAPI void WINAPI Tree_delete(HWND hTree);
/* Adds a record to the tree's own data; items appear with the next Tree_Build. */
LUMOAPI void WINAPI Tree_AddItem(HWND hTree, LPCSTR lpszCode, LPCSTR lpszText, LPCSTR lpszTip);
LUMOAPI void WINAPI Tree_Build(HWND hTree);
/* Shows an LMENU_* collection: bBuild 1 rebuilds the items (below the root code, or all),
 * 0 relabels the existing ones. Display mode bit 0 shows texts, bit 1 details. */
LUMOAPI void WINAPI Tree_BindLmenu(HWND hTree, HLMENU hMenuData, LPCSTR lpszRootCode,
                                   int nDisplayMode, int bBuild);
LUMOAPI HTREEITEM_LUMO WINAPI Tree_GetSelectedItem(HWND hTree);
LUMOAPI void WINAPI Tree_SetItem(HWND hTree, LPCSTR lpszCode, LPCSTR lpszText, LPCSTR lpszTip);
LUMOAPI void WINAPI Tree_SetSendMsg(HWND hTree, HWND hWnd, int nMsg);
LUMOAPI void WINAPI Tree_SetSendMsgDblClick(HWND hTree, HWND hWnd, int nMsg);
LUMOAPI void WINAPI Tree_SetSendMsgRButtonDown(HWND hTree, HWND hWnd, int nMsg);
LUMOAPI void WINAPI Tree_SetDragWindow(HWND hTree, HWND hWnd);
/* The code of the item's record; null for an unknown tree. */
LUMOAPI LPSTR WINAPI Tree_GetItemID(HWND hTree, HTREEITEM_LUMO hItem);
LUMOAPI HTREEITEM_LUMO WINAPI Tree_GetItem(HWND hTree, LPCSTR lpszCode);
LUMOAPI LPSTR WINAPI Tree_GetItemText(HWND hTree, HTREEITEM_LUMO hItem);
/* 1 done, 0 unknown code; an empty code removes every item (the records stay). */
LUMOAPI int WINAPI Tree_DeleteItem(HWND hTree, LPCSTR lpszCode);
LUMOAPI int WINAPI Tree_ItemHasChildren(HWND hTree, HTREEITEM_LUMO hItem);
/* Image setters refuse an index outside the resource library's images. Getters answer -1 for
 * an unknown tree. */
LUMOAPI int WINAPI Tree_SetNodeBmp(HWND hTree, int nIndex);
LUMOAPI int WINAPI Tree_GetNodeBmp(HWND hTree);
LUMOAPI int WINAPI Tree_SetLeafBmp(HWND hTree, int nIndex);
LUMOAPI int WINAPI Tree_GetLeafBmp(HWND hTree);
/* Plain colour background; the text turns light on a dark colour. */
LUMOAPI COLORREF WINAPI Tree_SetBkColor(HWND hTree, BYTE red, BYTE green, BYTE blue);
LUMOAPI COLORREF WINAPI Tree_GetBkColor(HWND hTree, int* pRed, int* pGreen, int* pBlue);
/* Picture background (a bitmap file) combined with the drawn tree. */
LUMOAPI void WINAPI Tree_SetBkImage(HWND hTree, LPCSTR lpszPath);
LUMOAPI int WINAPI Tree_SetLineHeight(HWND hTree, int nHeight);
LUMOAPI int WINAPI Tree_GetLineHeight(HWND hTree);
/* Border bits: 1 plain border, 2 static edge, 4 client edge. */
LUMOAPI int WINAPI Tree_SetBorder(HWND hTree, int nBorder);
LUMOAPI int WINAPI Tree_GetBorder(HWND hTree);
LUMOAPI int WINAPI Tree_SetSingleExpand(HWND hTree, int bOn);
LUMOAPI int WINAPI Tree_GetSingleExpand(HWND hTree);
/* Unknown trees answer 1 here. */
LUMOAPI int WINAPI Tree_SetMousemoveSelect(HWND hTree, int bOn);
LUMOAPI int WINAPI Tree_GetMousemoveSelect(HWND hTree);
LUMOAPI void WINAPI Tree_Expand(HWND hTree, LPCSTR lpszCode, int bExpandAll);
/* Clicks the code's item (a node opens or closes; the select message follows the click rule)
 * and makes it the selected item; nonzero when the selection succeeded. */
LUMOAPI int WINAPI Tree_SelectItem(HWND hTree, LPCSTR lpszCode);
LUMOAPI void WINAPI Tree_Redraw(HWND hTree);

/* ---- DoorWin_* and DropWin_*: the door panel ----------------------------------------------- */
/* (DOOR functions go here) */

/* ---- PopMenu_* and ShadowMenu_Enable: popup menus ------------------------------------------ */
/* (POPMENU functions go here) */

/* ---- ShadowWin_*: window shadows ----------------------------------------------------------- */
/* Darkens a 4-pixel band of the screen along the window's right and bottom edges while the
 * window is shown, active and unobscured. 1 on success; 0 for a null window, a window that
 * cannot be subclassed, or when the platform draws its own shadows. */
LUMOAPI int WINAPI ShadowWin_Register(HWND hwnd);
/* Removes the window's shadow and puts the screen back. 1; 0 when the window has no shadow. */
LUMOAPI int WINAPI ShadowWin_Unregister(HWND hwnd);
/* enable 0 removes the shadow at once (so the window can move without leaving dark pixels);
 * 1 draws it again where the window now is. Nothing for a window without a shadow. */
LUMOAPI void WINAPI ShadowWin_Enable(HWND hwnd, int enable);

/* ---- Skin_*: skinned windows --------------------------------------------------------------- */
/* (SKIN functions go here) */

/* ---- Frameset_* and Frame_*: frame sets ---------------------------------------------------- */
/* (FRAMESET functions go here) */

/* ---- XPButton_*: XP-style buttons attached to existing buttons ----------------------------- */
/* (XPBUTTON functions go here) */

#ifdef __cplusplus
}
#endif

#endif /* LUMO_H */
