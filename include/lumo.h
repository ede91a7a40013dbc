/*
 * Lumo.dll: the flat C interface.
 *
 * Every function is exported by its plain name with C linkage and the WINAPI calling
 * convention. Objects are named by handles: window handles for window-based controls, opaque
 * pointers for the others. A null or unknown handle makes a function do nothing and return its
 * failure value (0 or null unless stated). Strings go in as zero-terminated ANSI text. A string
 * that comes out belongs to the library: it stays valid until the same function is called again
 * for the same object, or until that object is destroyed, and the caller never frees it (copy it
 * to keep it longer). Truth values are 1 and 0; setters return the previous value of the
 * property they change.
 *
 * Threads. Call each function on the thread that created the object it names (for a window,
 * the thread that owns it: the host's user-interface thread). The library keeps its objects in
 * module-wide registries without locks and assumes one user-interface thread: a window of
 * another thread, or a collection made on another thread, counts as an unknown handle.
 *
 * Ownership. A window object the library makes (Tree_new, DoorWin_new, DropWin_new,
 * Frameset_new) deletes itself when its window is destroyed, and only then: the family's *_delete
 * function destroys the window, as does the host destroying the window or its parent. Objects
 * that attach to a window of the host (ShadowWin_Register, XPButton_Attach) belong to their
 * family's registry: they go when that window is destroyed or when they are unregistered,
 * putting back what they changed (window procedure, styles, screen pixels). LMENU_* collections
 * are not windows: LMENU_delete frees them.
 *
 * Screen readers and the keyboard. Every owner-drawn control answers WM_GETOBJECT (OBJID_CLIENT)
 * with an accessible object of its own (Microsoft Active Accessibility): a drop is a group named
 * by its title, expanded or collapsed, whose default action opens or closes it as a click on its
 * header does; the door's toggle a push button read "Close panel" or "Open panel" unless the host
 * gave it a text; XP buttons push buttons, check boxes or radio buttons by their kind; a
 * hyperlink a link with its target as value; a frame set one pane per frame that shows a window,
 * named by the frame's title, its icon a push button inside; a skinned caption answers
 * OBJID_TITLEBAR as the system's caption does. Default actions run after the asking program's
 * call has returned, as the same click would. Check and drop changes raise
 * EVENT_OBJECT_STATECHANGE, title and text changes EVENT_OBJECT_NAMECHANGE (the system raises
 * the focus events of windows). An object a program keeps after its window went fails every
 * call with CO_E_OBJNOTCONNECTED. The accessibility library (oleacc) is loaded from the system
 * folder the first time a program asks; if the host has not started COM on its thread then, the
 * library starts it there, single-threaded, for the thread's life.
 * Drops and the door's toggle are tab stops inside control parents, reached by IsDialogMessage
 * in the host's message loop; Space or Enter opens or closes a focused drop, Up and Down move
 * between drops, and the focused control draws a focus rectangle while its window shows
 * keyboard cues. A drop keeps the focus it is given (a click on its header and the door's
 * opening still hand it to the drop's body). A frame set's splitters take the keyboard through
 * Frameset_FocusSplitter. Owner-drawn popup menu items carry MSAAMENUINFO in their item data.
 *
 * Screen DPI. The library is per-monitor DPI aware. Every size it chooses itself (default
 * widths, insets, title and row heights, glyphs, its pictures and fonts) is made for the DPI of
 * the window it draws in: GetDpiForWindow when the control is made, and the DPI a top-level
 * window is told with WM_DPICHANGED, which the library hands down at once to every control of
 * its own under that window before the host's window procedure sees the message (they
 * re-measure, take new pictures and fonts, and repaint). The host's own top-level window takes
 * the suggested rectangle itself, as for any other child; the controls are laid out once per
 * change: on the WM_SIZE that follows, or, when the host's size did not change, once its
 * handling of WM_DPICHANGED has returned.
 * On a DPI-unaware thread every window has 96 DPI and every size is as at 100 %. Numbers a host
 * passes through this interface (widths, heights, positions, borders, margins, frame sizes)
 * are device pixels, as everywhere in Win32, and are never scaled; a picture a host supplies
 * (a background picture, say) is drawn at its size in device pixels: a bitmap or an icon one
 * screen pixel per pixel of its own at any DPI, a metafile at its length at the screen's DPI.
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

/* ---- Lumo_*: the library's look as a whole ------------------------------------------------- */
/* Process-wide; call on the user-interface thread, in any order with the controls: windows of the
 * library that exist already repaint in the new look.
 *
 * Lumo_UseOwnLook: with 0 (the default) the caption skin and the owner-drawn tabs stand aside
 * while visual themes are active (Skin_Register returns 0, CTabCtrlEx leaves its tabs to the
 * system). With 1 they draw their own look under themes too: a skinned window has its own theme
 * and the desktop compositor's frame turned off while it is skinned (both back on at
 * Skin_Unregister), and tabs made before the call draw themselves from their next paint. Turning
 * it back to 0 leaves windows skinned meanwhile skinned. Returns the previous value (0 or 1).
 *
 * Lumo_UseSystemColors: 1 = every colour the library chooses is a system colour by its role:
 * panes and lists (door, door layer, tree, frame-set areas) COLOR_WINDOW with COLOR_WINDOWTEXT;
 * headers, title bars and buttons (drop headers, frame titles, XP and bitmap buttons, tabs, group
 * box bands, a menu's picture column) COLOR_BTNFACE with COLOR_BTNTEXT; selection (menu items,
 * a progress bar's done part) COLOR_HIGHLIGHT with COLOR_HIGHLIGHTTEXT; hot items and links
 * COLOR_HOTLIGHT; disabled text COLOR_GRAYTEXT; frames and separators COLOR_WINDOWFRAME. Menu
 * items stand on COLOR_WINDOW.
 * Pictures and gradients then give way to flat fills and shadows are not drawn: a skinned
 * caption and its frame are COLOR_BTNFACE with the title in COLOR_BTNTEXT and frame lines in
 * COLOR_WINDOWFRAME, its buttons drawn glyphs in COLOR_BTNTEXT (a hot button COLOR_HOTLIGHT with
 * its glyph in COLOR_BTNFACE, a pressed one the selection colours). Colours a host set itself
 * (DoorWin_SetHue, XPButton_SetBkColor, a skin id...) are kept for when system colours are off
 * again.
 * 0 = the library's own palette; -1 (the default) = 1 while high contrast is on, else 0. Any other
 * mode changes nothing and returns -2; otherwise the previous mode. The library hears
 * WM_SYSCOLORCHANGE and WM_SETTINGCHANGE through a hidden top-level window of its own, class
 * "LumoSettingsWatch", made in the first thread that paints in the library's colours or calls
 * one of these two functions (a host enumerating its thread's windows meets it; it is never
 * shown and takes no activation). The system announces a change to every top-level window;
 * that window's copy repaints every top-level window of the thread with the library's windows
 * in it, in the colours of the moment, whatever the host's windows do with theirs.
 *
 * The library also follows the user's settings: while client-area animation is off
 * (SPI_GETCLIENTAREAANIMATION) the door and its drops open and close at once, whatever
 * DoorWin_SetAnimationAble says; while menu animation is off (SPI_GETMENUANIMATION) its menus
 * appear without animation (TPM_NOANIMATION). Under a host with WS_EX_LAYOUTRTL (or a
 * right-to-left process layout) the library mirrors: the door docks at the host's right edge and
 * slides from there, drops' and the layer's arrows point the other way, popup menus open with
 * TPM_LAYOUTRTL with their picture column on the right, a skinned window's caption buttons stand
 * on its left, texts stand at the right and read right to left (DT_RTLREADING), and background
 * pictures keep their orientation. */
LUMOAPI int WINAPI Lumo_UseOwnLook(int bOn);
LUMOAPI int WINAPI Lumo_UseSystemColors(int nMode);

/* ---- LMENU_*: tree data, its file and generated menus -------------------------------------- */
/* A collection of tree-data records (codes, texts, tips, host attributes) that can be saved to
 * and loaded from a file and turned into a menu bar. Each record's code places it in the
 * hierarchy (a record is the child of the nearest record before it whose code is a prefix of
 * its own, so of records with equal codes each is the child of the one before it, in the order
 * they were added or that of the file they came from) and, read as a number, is the command id
 * of its menu item. Records nest as deep as the codes make them: the
 * collection, its file and the tree have no depth limit. */
typedef void* HLMENU;

/* Limits of the menus made from the records (LMENU_ChangeMenu), which the system builds and
 * destroys by recursion and lays out in full on each repaint. LMENU_MAX_LEVELS: menus nest at
 * most this many deep, the menu made counting as the first; a record that would open a submenu
 * deeper than that becomes a command of the deepest menu, and every record below it follows it
 * there, in order. LMENU_MAX_MENU_ITEMS: a menu holds at most this many entries; records that
 * need more make no menu at all (LMENU_ChangeMenu fails). LMENU_MAX_LEVELS used to limit the
 * nesting of the records themselves; it now limits only menus. */
#define LMENU_MAX_LEVELS 64
#define LMENU_MAX_MENU_ITEMS 256

/* A new empty collection; null when out of memory. */
LUMOAPI HLMENU WINAPI LMENU_new(void);
/* Destroys the collection. Menus already set on windows stay with their windows; trees showing
 * it keep their items but find no records in it any more (as if bound to an empty collection). */
LUMOAPI void WINAPI LMENU_delete(HLMENU hMenuData);
/* Always 0: the family reports failures only through its results. */
LUMOAPI int WINAPI LMENU_GetLastError(HLMENU hMenuData);
/* Adds a record at level 0; a code that is empty after trimming adds nothing. The code, text,
 * detail and tip lose the white space at their ends; every other byte of them, and all of the
 * LLA file, is kept, tabs and line breaks included, and comes back from a saved file as it was. */
LUMOAPI void WINAPI LMENU_AddMenuItem(HLMENU hMenuData, LPCSTR lpszCode, LPCSTR lpszText,
                                      LPCSTR lpszDetail, LPCSTR lpszTip, LPCSTR lpszLLAFile,
                                      int nLLASeq);
/* Writes the records in code order with the time stamp as the first line. 1 written, 0 failed;
 * a failed save leaves an existing file as it was. Tips of loaded records are copied from the
 * file they were loaded from: when it was deleted or changed since, the save fails. Whatever
 * LMENU_AddMenuItem and the time stamp hold comes back from the file as it was: a tab, CR or LF
 * inside a text (or the stamp) is written as the byte 0x1B followed by t, r or n, and 0x1B itself
 * as 0x1B e; a file holding such pairs says so with the bytes "ESC1" after the NUL that ends its
 * text, where readers of the older format stop (they show the pairs as they are). A file without
 * any such byte is written exactly as before. */
LUMOAPI int WINAPI LMENU_SaveToFile(HLMENU hMenuData, LPCSTR lpszPath, LPCSTR lpszTimeStamp);
/* Replaces the records with those of the file, in the file's order, nested as deep as they
 * come. 1 read, 0 failed (the records are then unchanged). A file without the "ESC1" mark (see
 * LMENU_SaveToFile), as older versions wrote them, is read byte for byte as before. */
LUMOAPI int WINAPI LMENU_LoadFromFile(HLMENU hMenuData, LPCSTR lpszPath);
/* The time stamp of the file last loaded ("" before any); null for an unknown handle. Valid
 * until the next LMENU_GetTimeStamp for this collection or its LMENU_delete. */
LUMOAPI LPSTR WINAPI LMENU_GetTimeStamp(HLMENU hMenuData);
/* Sets a menu bar made of the children of the code (of the whole collection for an empty code)
 * on the window. Submenus nest at most LMENU_MAX_LEVELS deep, the bar counting as the first:
 * records below a node of the deepest menu follow it there. 1 when it was made and set, 0
 * otherwise (the window's menu is then kept): also for a window that is not the calling
 * thread's (the desktop window is no thread's of a host), or more than LMENU_MAX_MENU_ITEMS
 * entries for one menu. The bar belongs to the window: the system destroys it with the window, and
 * the next LMENU_ChangeMenu on the window destroys the bar it replaces (a menu of the host's own is
 * left alone). */
LUMOAPI int WINAPI LMENU_ChangeMenu(HLMENU hMenuData, HWND hWnd, LPCSTR lpszCode);

/* ---- Tree_*: the navigation tree ----------------------------------------------------------- */
/* A tree is named by its window handle; items by the system tree view's item handles. Host
 * windows receive WM_USER + an offset chosen by the host, with wParam = the tree's window and
 * lParam = the item (for a drop, WM_USER + 3 with the dropped record's code as a number). */
typedef void* HTREEITEM_LUMO;

/* Creates a tree in the parent's client rectangle; its window, or 0 on failure (a parent that
 * is not a window of the calling thread among them). */
LUMOAPI HWND WINAPI Tree_new(HWND hParent, int nLeft, int nTop, int nRight, int nBottom,
                             DWORD dwStyle);
LUMOAPI void WINAPI Tree_delete(HWND hTree);
/* Adds a record to the tree's own data; items appear with the next Tree_Build. */
LUMOAPI void WINAPI Tree_AddItem(HWND hTree, LPCSTR lpszCode, LPCSTR lpszText, LPCSTR lpszTip);
LUMOAPI void WINAPI Tree_Build(HWND hTree);
/* Shows an LMENU_* collection: bBuild 1 rebuilds the items (below the root code, or all),
 * 0 relabels the existing ones. Display mode bit 0 shows texts, bit 1 details. A record's parent
 * is the nearest record before it, in the collection's order, whose code is a prefix of its
 * own, however deep that nests (as with Tree_Build).
 * Stack: the system tree view deletes a branch by recursing once per level below it, which takes
 * about 150 bytes of the calling thread's stack per level on x64 (measured: 2.8 MB to delete a
 * chain of 20,000 levels, more than a thread's default stack), and opens a branch for the key "*"
 * the same way. A tree deletes deep branches in pieces, so that the system control never
 * recurses 256 levels deep (under 40 KB of stack), and opens branches itself: measured, a
 * 20,000-level chain loads, builds, opens, closes, is cut, saved and destroyed within 32 KB of
 * stack. A host that sends TVM_EXPAND with TVE_COLLAPSERESET to a deep branch itself still needs
 * the system's 150 bytes per level. */
LUMOAPI void WINAPI Tree_BindLmenu(HWND hTree, HLMENU hMenuData, LPCSTR lpszRootCode,
                                   int nDisplayMode, int bBuild);
LUMOAPI HTREEITEM_LUMO WINAPI Tree_GetSelectedItem(HWND hTree);
LUMOAPI void WINAPI Tree_SetItem(HWND hTree, LPCSTR lpszCode, LPCSTR lpszText, LPCSTR lpszTip);
LUMOAPI void WINAPI Tree_SetSendMsg(HWND hTree, HWND hWnd, int nMsg);
LUMOAPI void WINAPI Tree_SetSendMsgDblClick(HWND hTree, HWND hWnd, int nMsg);
LUMOAPI void WINAPI Tree_SetSendMsgRButtonDown(HWND hTree, HWND hWnd, int nMsg);
/* Items may be dragged onto this window (a plain or framework host, the tree in a drop or not);
 * a drop sends it WM_USER + 3. */
LUMOAPI void WINAPI Tree_SetDragWindow(HWND hTree, HWND hWnd);
/* Items are those the tree made from its records; an item of another tree, a deleted or made-up
 * one gives the failure value (null, or 0). Trees bound to the same collection each have items
 * of their own.
 * Tree_GetItemID: the code of the item's record; null for an unknown tree or item, or when the
 * record is gone.
 * This and Tree_GetItemText's text are each valid until the same function is called again for
 * the tree, or the tree's end. */
LUMOAPI LPSTR WINAPI Tree_GetItemID(HWND hTree, HTREEITEM_LUMO hItem);
/* This tree's item of the code, or 0. */
LUMOAPI HTREEITEM_LUMO WINAPI Tree_GetItem(HWND hTree, LPCSTR lpszCode);
/* The item's label as the tree shows it; null for an unknown tree or item. */
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
 * and makes it the selected item; 1 when it did, 0 for a code with no item in the tree (null
 * or empty too), which clicks nothing and keeps the selection. */
LUMOAPI int WINAPI Tree_SelectItem(HWND hTree, LPCSTR lpszCode);
LUMOAPI void WINAPI Tree_Redraw(HWND hTree);

/* ---- DoorWin_* and DropWin_*: the door panel ----------------------------------------------- */
/* A door is a panel docked to the left of a host window that slides open and closed and holds
 * drops: collapsible sections, each with a body window of the host's. A door is named by its
 * own window handle, and by no other (not the host's, nor any other window on the host, another
 * door included). A drop is named by its window handle. Colours go in as red, green, blue bytes and come back as three ints plus
 * the whole colour. Windows given as bodies or children stay owned by the host. */

/* A door in the host window; 0 when the host is not a window of the calling thread. */
LUMOAPI HWND WINAPI DoorWin_new(HWND hHost);
/* Destroys the door and its drops. Non-zero, or 0 when no door is found. */
LUMOAPI int WINAPI DoorWin_delete(HWND hDoor);
/* Whether the door slides (its drops keep their own setting). */
LUMOAPI int WINAPI DoorWin_SetAnimationAble(HWND hDoor, int bAble);
LUMOAPI int WINAPI DoorWin_GetAnimationAble(HWND hDoor);
/* At most one drop open at a time. */
LUMOAPI int WINAPI DoorWin_SetSingleDrop(HWND hDoor, int bSingle);
LUMOAPI int WINAPI DoorWin_GetSingleDrop(HWND hDoor);
/* Width of the opened door in pixels, kept between the width of the closed door and the width
 * of the host's usable area (the screen's while the host shows none). */
LUMOAPI int WINAPI DoorWin_SetWidth(HWND hDoor, int nWidth);
LUMOAPI int WINAPI DoorWin_GetWidth(HWND hDoor);
/* Bit 0 border, bit 1 static edge, bit 2 sunken client edge. */
LUMOAPI int WINAPI DoorWin_SetBorder(HWND hDoor, int nFlags);
LUMOAPI int WINAPI DoorWin_GetBorder(HWND hDoor);
/* A colour scheme of the resource library for the door's button and its drops. */
LUMOAPI int WINAPI DoorWin_SetHue(HWND hDoor, int nHue);
LUMOAPI int WINAPI DoorWin_GetHue(HWND hDoor);
LUMOAPI COLORREF WINAPI DoorWin_SetBkColor(HWND hDoor, BYTE red, BYTE green, BYTE blue);
LUMOAPI COLORREF WINAPI DoorWin_GetBkColor(HWND hDoor, int* red, int* green, int* blue);
/* TRUE when the picture file was loaded as the door's background. */
LUMOAPI int WINAPI DoorWin_SetBkPicture(HWND hDoor, LPCSTR lpszFile);
/* The drop at an index, in order of adding; 0 outside the range. */
LUMOAPI HWND WINAPI DoorWin_EnumDropWin(HWND hDoor, int nIndex);
/* Header colour of every drop. */
LUMOAPI COLORREF WINAPI DoorWin_SetDropWinHeaderColor(HWND hDoor, BYTE red, BYTE green, BYTE blue);
LUMOAPI COLORREF WINAPI DoorWin_GetDropWinHeaderColor(HWND hDoor, int* red, int* green, int* blue);
/* WM_USER + n is sent to the host before each toggle with wParam 1 when the door was open;
 * -1 switches it off. */
LUMOAPI int WINAPI DoorWin_SetSendMsg(HWND hDoor, int n);
/* WM_USER + n is posted to the host on a right click, wParam the window clicked. */
LUMOAPI void WINAPI DoorWin_SetSendMsg_RClick(HWND hDoor, int n);
/* 0 bitmap-button headers, 1 framed gradient headers; -1 when no door is found. */
LUMOAPI int WINAPI DoorWin_GetViewStyle(HWND hDoor);
LUMOAPI void WINAPI DoorWin_SetViewStyle(HWND hDoor, int nStyle);
/* Mouse movement over the toggle button toggles the door; 1 when no door is found. */
LUMOAPI int WINAPI DoorWin_SetOpenCloseWhenMousemove(HWND hDoor, int bEnable);
LUMOAPI int WINAPI DoorWin_GetOpenCloseWhenMousemove(HWND hDoor);
/* Opens (1) or closes (0) the door unless it already is. */
LUMOAPI void WINAPI DoorWin_OpenClose(HWND hDoor, int bOpen);
LUMOAPI int WINAPI DoorWin_IsOpened(HWND hDoor);
/* Places a host window in the door at a fixed place, or moving or sizing with the door. 1, or
 * 0 for a window that cannot be held: not a window of the calling thread, the host or
 * another window above the door, or one of the panel's own windows (this goes for
 * DropWin_AddObj too). */
LUMOAPI int WINAPI DoorWin_AddObj(HWND hDoor, HWND hWnd, int x, int y);
LUMOAPI int WINAPI DoorWin_AddObj_AutoMove(HWND hDoor, HWND hWnd, int nRight, int nBottom,
                                           int bCenterV, int bCenterH);
LUMOAPI int WINAPI DoorWin_AddObj_AutoSize(HWND hDoor, HWND hWnd, int x, int y, int nRight,
                                           int nBottom);

/* A drop at the bottom of the door, open nOpenHeight pixels high, nGap below the one before. */
LUMOAPI HWND WINAPI DropWin_new(HWND hDoor, LPCSTR lpszTitle, int x, int nRight, int nGap,
                                int nOpenHeight);
/* The drop's object, looked up among all doors; null when unknown. */
LUMOAPI void* WINAPI SearchDropWin(HWND hDrop);
/* Makes a window the drop's body, shown under the header while the drop is open; 1, or 0 as
 * for DoorWin_AddObj. */
LUMOAPI int WINAPI DropWin_AddObj(HWND hDrop, HWND hBody);
LUMOAPI int WINAPI DropWin_SetTitleHue(HWND hDrop, int nHue);
LUMOAPI int WINAPI DropWin_GetTitleHue(HWND hDrop);
LUMOAPI void WINAPI DropWin_SetTitle(HWND hDrop, LPCSTR lpszTitle);
/* Valid until the next DropWin_GetTitle for this drop or the drop's end; null when unknown. */
LUMOAPI LPSTR WINAPI DropWin_GetTitle(HWND hDrop);
LUMOAPI COLORREF WINAPI DropWin_SetTitleBkColor(HWND hDrop, BYTE red, BYTE green, BYTE blue);
LUMOAPI COLORREF WINAPI DropWin_GetTitleBkColor(HWND hDrop, int* red, int* green, int* blue);
/* Opens or closes the drop at once, without animation; returns the previous state. */
LUMOAPI int WINAPI DropWin_SetDrop(HWND hDrop, int bDropped);
LUMOAPI int WINAPI DropWin_GetDrop(HWND hDrop);

/* ---- PopMenu_* and ShadowMenu_Enable: popup menus ------------------------------------------ */
/* A one-shot context menu drawn by the library (a picture column, check marks, greyed items,
 * submenus): made for an owner window of the calling thread (any window; it is sent no
 * command), filled, then popped once, which returns the chosen command id (0 when dismissed)
 * and destroys the menu. A popped handle is no longer valid; a menu never popped is never
 * freed. Unknown handles are refused: the popping functions answer -1. */
typedef void* HPOPMENU;

/* A new empty menu; 0 when the owner is not a window of the calling thread (or null), or when
 * out of memory. */
LUMOAPI HPOPMENU WINAPI PopMenu_New(HWND hOwner);
/* Adds an item with a command id of at least 1, or changes the text and parent of the item with
 * that id. nParentID 0 puts it on the top level, another item's id into that item's submenu.
 * The text "-" adds a separator (any id), which the mouse and the keyboard pass over; "&" marks
 * the letter that chooses the item; a tab starts the item's shortcut ("Find\tCtrl+F"), shown
 * right-aligned in a column of its own. */
LUMOAPI void WINAPI PopMenu_SetItem(HPOPMENU hMenu, int nID, LPCSTR lpszText, int nParentID);
/* Shows an icon in front of the item (nothing for an unknown id). The menu does not destroy it:
 * keep it alive until the menu has been popped. */
LUMOAPI void WINAPI PopMenu_SetIcon(HPOPMENU hMenu, int nID, HICON hIcon);
LUMOAPI void WINAPI PopMenu_SetCheck(HPOPMENU hMenu, int nID, int bCheck);
/* A disabled item is shown greyed and cannot be chosen; the keyboard still stops on it, and it
 * then shows the selection's edge. */
LUMOAPI void WINAPI PopMenu_SetEnable(HPOPMENU hMenu, int nID, int bEnable);
/* Kept for hosts that set it; it changes nothing in the drawing. */
LUMOAPI void WINAPI PopMenu_SetScaleMode(HPOPMENU hMenu, int nMode);
/* Pops the menu with its top-left corner at the screen point ((0, 0): at the cursor). */
LUMOAPI int WINAPI PopMenu_Popxy(HPOPMENU hMenu, int x, int y);
/* Pops the menu at the cursor. */
LUMOAPI int WINAPI PopMenu_Pop(HPOPMENU hMenu);
/* Pops the menu below a button, at its bottom-left corner (at the cursor when it is not a
 * window). */
LUMOAPI int WINAPI PopMenu_PopButton(HPOPMENU hMenu, HWND hButton);

/* Non-zero: every menu the calling thread opens gets a flat frame and a shadow on its right and
 * bottom edges (nothing where the system shadows menus itself). Zero: switched off, menus open
 * now get their own look back. Unloading the library switches it off. */
LUMOAPI void WINAPI ShadowMenu_Enable(int bEnable);

/* ---- ShadowWin_*: window shadows ----------------------------------------------------------- */
/* Darkens a 4-pixel band of the screen along the window's right and bottom edges while the
 * window is shown, active and unobscured. 1 on success; 0 for a null window, a window that
 * cannot be subclassed, or when the platform draws its own shadows. */
LUMOAPI int WINAPI ShadowWin_Register(HWND hwnd);
/* Removes the window's shadow and puts the screen back. 1; 0 when the window has no shadow (a
 * window of another thread has none here). */
LUMOAPI int WINAPI ShadowWin_Unregister(HWND hwnd);
/* enable 0 removes the shadow at once (so the window can move without leaving dark pixels);
 * 1 draws it again where the window now is. Nothing for a window without a shadow. */
LUMOAPI void WINAPI ShadowWin_Enable(HWND hwnd, int enable);

/* ---- Skin_*: skinned windows --------------------------------------------------------------- */
/* Paints a top-level window's frame and caption in a scheme of the resource library: a flat
 * caption with lines at its top and bottom, bitmap corners, bitmap caption buttons (close,
 * maximize or restore, minimize) with hot and pressed images, the window's icon and title, and
 * rounded top corners (square while the window is maximized). While the skin is on, the window
 * lacks WS_SYSMENU, so that the system draws no caption buttons of its own; Alt+Space still opens
 * the system menu. Skin ids are the resource library's scheme numbers, 0 to 4.
 * The caption buttons behave as the system's: a double click on one acts as a single click (only
 * a double click on the caption itself maximizes and restores); they come back to rest after
 * every click, also when the host declines the close or the command it asked for, and when the
 * pointer leaves them or the window. WM_NCHITTEST answers for the point it is asked about, not
 * for the cursor. */

/* 1 on success, and when the window already has a skin (which stays as it is); 0 while visual
 * themes are active (unless Lumo_UseOwnLook(1)), for a window that is not the calling thread's
 * (null or unknown), or when the window cannot be subclassed. A skin id the resource library does
 * not know gives a plain look without buttons. */
LUMOAPI int WINAPI Skin_Register(HWND hwnd, int nSkinId);
/* 1 when the window's skin took the scheme; 0 for a window without a skin or an unknown skin id
 * (the look is kept). */
LUMOAPI int WINAPI Skin_ChangeSkin(HWND hwnd, int nSkinId);
/* Removes the skin: the window gets its caption buttons, its full shape and the system's frame
 * back. 1; 0 when the window has no skin. */
LUMOAPI int WINAPI Skin_Unregister(HWND hwnd);
/* show non-zero: the caption shows the window's small icon, else its big icon, else its class
 * icon; 0: no icon. */
LUMOAPI void WINAPI Skin_ShowIcon(HWND hwnd, int show);
/* The title's font, as a stock object index (SYSTEM_FIXED_FONT by default). */
LUMOAPI void WINAPI Skin_SetTitleFont(HWND hwnd, int nStockFont);
/* The title's alignment: 0 left, 1 centred (the default), 2 right. */
LUMOAPI void WINAPI Skin_SetTitlePosition(HWND hwnd, int nAlign);
/* Skin_ShowIcon and the setters do nothing for a window without a skin, and none of them
 * repaints: the change shows with the next painting of the frame. */

/* ---- Frameset_* and Frame_*: frame sets ---------------------------------------------------- */
/* A frame set tiles a host window into named frames. Each frame either shows one of the host's
 * windows (moved over the frame, under a title bar) or is a container whose child frames split
 * its area again, top to bottom (direction 1) or left to right (any other direction); a group
 * takes its direction from its first frame. Between neighbouring frames lies a splitter the
 * user drags: it follows the pointer, stopping where either neighbour would become narrower than
 * 31 pixels and coming back with the pointer. Fixed frames larger than the frame set give way in
 * proportion, none below 31 pixels (nor a shared frame) while there is room, and no frame lies
 * outside the frame set. A frame set is named by the pointer Frameset_new returns; it lives until
 * its window goes, normally with the host. */
typedef void* HFRAMESET;

/* No title icon: the value of Frame_SetIconMsg that removes the icon. */
#define FRAME_NOICON 0xFFFFFFFFu

/* A frame set covering the host's client area (less the outer border), below the host's other
 * windows; null when the host is not a window of the calling thread. */
LUMOAPI HFRAMESET WINAPI Frameset_new(HWND hHost);
/* Margins of the frames inside the frame set; lays out again. 1, or 0 for an unknown handle. */
LUMOAPI int WINAPI Frameset_SetReserveBorder(HFRAMESET hFrameset, int nLeft, int nTop,
                                             int nRight, int nBottom);
/* Margins of the frame set inside the host's client area; fits the frame set to the host
 * (once it has a frame). */
LUMOAPI void WINAPI Frameset_SetOuterBorder(HFRAMESET hFrameset, int nLeft, int nTop,
                                            int nRight, int nBottom);
/* Background colour from a door hue of the resource library (the hue taken as a colour when
 * the library has no such hue). */
LUMOAPI void WINAPI Frameset_SetHue(HFRAMESET hFrameset, int nHue);
/* A click on a frame's title icon sends WM_USER + nOffset to the host, wParam the frame's icon
 * message, lParam 0. */
LUMOAPI void WINAPI Frameset_SetSendMsg(HFRAMESET hFrameset, UINT nOffset);
/* Title style: 0 none, 1 vertical and 2 horizontal gradient bar, 3 bar with corner brackets,
 * 4 rounded tab. Moves the windows into their frames again. 1, or 0 for an unknown handle. */
LUMOAPI int WINAPI Frameset_SetStyle(HFRAMESET hFrameset, int nStyle);
/* Width of the splitters in pixels (below 0 counts as 0); lays out again. Until a host sets
 * one, the splitters are 3 pixels at 96 DPI, scaled for the frame set's DPI. */
LUMOAPI void WINAPI Frameset_SetSeparateWidth(HFRAMESET hFrameset, int nWidth);
/* Adds a frame under lpszParent ("" or null for the top level) holding hWnd (0 for a
 * container). lpszSize is "N%" (N percent of the space the fixed frames and the splitters
 * leave) or "N" (N pixels). 1 added; 0 for an empty or taken name, a size that is not above 0
 * or not a number, or a handle that is not a window of the calling thread. Nothing is laid out until the next call
 * that lays out (Frameset_SetOuterBorder, Frameset_SetReserveBorder, ...) or a resize. */
LUMOAPI int WINAPI Frame_add(HFRAMESET hFrameset, LPCSTR lpszName, LPCSTR lpszParent,
                             int nDirection, HWND hWnd, LPCSTR lpszSize);
/* The Frame_Set* functions do nothing for a name no frame has. */
LUMOAPI void WINAPI Frame_SetTitle(HFRAMESET hFrameset, LPCSTR lpszName, LPCSTR lpszTitle);
/* The frame gets a title icon whose click sends nMsg (see Frameset_SetSendMsg); FRAME_NOICON
 * removes it. */
LUMOAPI void WINAPI Frame_SetIconMsg(HFRAMESET hFrameset, LPCSTR lpszName, UINT nMsg);
LUMOAPI void WINAPI Frame_SetTitleBkColor(HFRAMESET hFrameset, LPCSTR lpszName,
                                          COLORREF crColor);
/* Gives the keyboard focus to the splitter after the named frame (between it and the next frame
 * of its group): a host does so from a key or menu command of its own (F6, say). The arrows
 * along the splitter's direction then move it 10 pixels a press (1 with Ctrl), no neighbour
 * getting smaller than its least size; Esc or Enter hands the focus back to the window that had
 * it. Tab leaves the frame set as the host's dialog navigation does. 1, or 0 for an unknown
 * handle, an unknown name or the last frame of its group (which has no splitter after it). */
LUMOAPI int WINAPI Frameset_FocusSplitter(HFRAMESET hFrameset, LPCSTR lpszFrame);

/* ---- XPButton_*: XP-style buttons attached to existing buttons ----------------------------- */
/* Gives a button window of the host (push button, check box or radio button) the library's XP
 * look. The first call on a window attaches it: the button becomes owner-drawn (a radio or
 * three-state button keeps its kind in the library, the window gets the owner-drawn type), its
 * window procedure is replaced and kept in the property "Proc_CButtonXPBP", and the library keeps
 * its check state (BM_GETCHECK answers it). Later calls reuse what the first one made. The
 * host's WM_DRAWITEM for the button calls XPButton_Attach with the item's DC. Destroying the
 * button puts its procedure back and forgets it. Buttons of the calling thread only.
 * In a dialog, the arrow keys that move the focus through a group of attached radio buttons
 * check the radio button they reach and clear the others (the dialog is told of the click), as
 * the platform does for its automatic radio buttons before they are attached. */

/* Paints the button into hdc (its whole client area), attaching it first if needed. 1; 0 for a
 * null argument, a window that is not a button or cannot be subclassed, or a screen of 8 bits
 * per pixel or fewer (the button is then left as it was). */
LUMOAPI int WINAPI XPButton_Attach(HWND hButton, HDC hdc);
/* Paints the button's background in this colour instead of the parent's button brush,
 * attaching it first if needed. 1; 0 on the same failures as XPButton_Attach. */
LUMOAPI int WINAPI XPButton_SetBkColor(HWND hButton, COLORREF color);

#ifdef __cplusplus
}
#endif

#endif /* LUMO_H */
