// Private state of the framework layer, shared by its source files only.
#pragma once

#include "afxwin.h"
#include <unordered_map>
#include <vector>

// Per-thread framework state: handle maps, the message being handled, window creation hook.
struct AfxThreadState
{
    std::unordered_map<HWND, CWnd*> permanentWnd;
    std::unordered_map<HWND, CWnd*> temporaryWnd;

    // Maps of the drawing and menu wrappers, keyed by handle.
    std::unordered_map<HANDLE, CObject*> permanentDC, temporaryDC;
    std::unordered_map<HANDLE, CObject*> permanentGdi, temporaryGdi;
    std::unordered_map<HANDLE, CObject*> permanentMenu, temporaryMenu;
    std::unordered_map<HANDLE, CObject*> permanentImageList, temporaryImageList;

    MSG lastSentMsg = {};       // the message being handled now, for Default()
    int dispatchDepth = 0;      // nesting of AfxWndProc; temporaries go when it returns to 0
    CWnd* pWndInit = nullptr;   // object waiting for its window during CreateEx
    HHOOK hHookCbt = nullptr;
    HMENU hTrackingMenu = nullptr;
};

AfxThreadState* AfxGetThreadState();

// Deletes the temporary wrappers of device contexts, GDI objects, menus and image lists.
void AfxDeleteTempGdiMaps(AfxThreadState* pState);

// Makes sure the framework's default window class exists; returns its name.
LPCTSTR AfxDefaultWndClass();

// Reflected WM_DRAWITEM goes to the control's DrawItem; other messages to CWnd's reflection.
template <class TControl>
BOOL AfxReflectDrawItem(TControl* pCtl, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return pCtl->CWnd::OnChildNotify(message, wParam, lParam, pResult);
    if (lParam != 0)
        pCtl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}
