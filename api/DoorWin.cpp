// DoorWin_*, DropWin_* and SearchDropWin: the door panel.
#include "lumo.h"
#include "CWndDoor.h"
#include "frame/ReturnText.h"
#include "frame/UiThread.h"

namespace {

CWndDoor* DoorOf(HWND hDoor)
{
    return CWndDoor::FromDoorWnd(hDoor);
}

CWndDrop* DropOf(HWND hDrop, CWndDoor** ppDoor = NULL)
{
    CWndDoor* pDoor = CWndDoor::SearchByDropWnd(hDrop);
    if (!pDoor)
        return NULL;
    if (ppDoor)
        *ppDoor = pDoor;
    return pDoor->SearchDropWnd(hDrop);
}

COLORREF SplitColor(COLORREF cr, int* red, int* green, int* blue)
{
    if (red) *red = GetRValue(cr);
    if (green) *green = GetGValue(cr);
    if (blue) *blue = GetBValue(cr);
    return cr;
}

void ZeroColor(int* red, int* green, int* blue)
{
    if (red) *red = 0;
    if (green) *green = 0;
    if (blue) *blue = 0;
}

}  // namespace

LUMOAPI HWND WINAPI DoorWin_new(HWND hHost)
{
    if (!IsWindowOfThisThread(hHost))
        return 0;
    CWndDoor* pDoor = new CWndDoor;
    if (!pDoor->Create(NULL, "DoorWin", 0, CRect(0, 0, 200, 200), CWnd::FromHandle(hHost), 0))
        return 0;  // a failed Create takes the object with it
    return pDoor->m_hWnd;
}

LUMOAPI int WINAPI DoorWin_delete(HWND hDoor)
{
    CWndDoor* pDoor = DoorOf(hDoor);
    if (!pDoor)
        return 0;
    // The window goes; its last message takes the object, after the door's own WM_DESTROY.
    ::DestroyWindow(pDoor->m_hWnd);
    return 1;
}

LUMOAPI int WINAPI DoorWin_SetAnimationAble(HWND hDoor, int bAble)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? (p->SetAnimationAble(bAble != 0) ? 1 : 0) : 0;
}

LUMOAPI int WINAPI DoorWin_GetAnimationAble(HWND hDoor)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? (p->GetAnimationAble() ? 1 : 0) : 0;
}

LUMOAPI int WINAPI DoorWin_SetSingleDrop(HWND hDoor, int bSingle)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? (p->SetSingleDrop(bSingle != 0) ? 1 : 0) : 0;
}

LUMOAPI int WINAPI DoorWin_GetSingleDrop(HWND hDoor)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? (p->GetSingleDrop() ? 1 : 0) : 0;
}

LUMOAPI int WINAPI DoorWin_SetWidth(HWND hDoor, int nWidth)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? p->SetWidth(nWidth) : 0;
}

LUMOAPI int WINAPI DoorWin_GetWidth(HWND hDoor)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? p->GetWidth() : 0;
}

LUMOAPI int WINAPI DoorWin_SetBorder(HWND hDoor, int nFlags)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? p->SetBorder(nFlags) : 0;
}

LUMOAPI int WINAPI DoorWin_GetBorder(HWND hDoor)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? p->GetBorder() : 0;
}

LUMOAPI int WINAPI DoorWin_SetHue(HWND hDoor, int nHue)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? p->SetHue(nHue) : 0;
}

LUMOAPI int WINAPI DoorWin_GetHue(HWND hDoor)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? p->GetHue() : 0;
}

LUMOAPI COLORREF WINAPI DoorWin_SetBkColor(HWND hDoor, BYTE red, BYTE green, BYTE blue)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? p->SetBkColor(RGB(red, green, blue)) : 0;
}

LUMOAPI COLORREF WINAPI DoorWin_GetBkColor(HWND hDoor, int* red, int* green, int* blue)
{
    ZeroColor(red, green, blue);
    CWndDoor* p = DoorOf(hDoor);
    return p ? SplitColor(p->GetBkColor(), red, green, blue) : 0;
}

LUMOAPI int WINAPI DoorWin_SetBkPicture(HWND hDoor, LPCSTR lpszFile)
{
    CWndDoor* p = DoorOf(hDoor);
    if (!p || !p->SetBkPicture(lpszFile))
        return 0;
    p->Invalidate(TRUE);
    return 1;
}

LUMOAPI HWND WINAPI DoorWin_EnumDropWin(HWND hDoor, int nIndex)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? p->EnumDropWnd(nIndex) : 0;
}

LUMOAPI COLORREF WINAPI DoorWin_SetDropWinHeaderColor(HWND hDoor, BYTE red, BYTE green, BYTE blue)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? p->SetDropHeaderColor(NULL, RGB(red, green, blue)) : 0;
}

// The drops share one header colour once it is set for all; the first drop's stands for them.
LUMOAPI COLORREF WINAPI DoorWin_GetDropWinHeaderColor(HWND hDoor, int* red, int* green, int* blue)
{
    ZeroColor(red, green, blue);
    CWndDoor* p = DoorOf(hDoor);
    if (!p)
        return 0;
    return SplitColor(p->GetDropHeaderColor(p->EnumDropWnd(0)), red, green, blue);
}

LUMOAPI int WINAPI DoorWin_SetSendMsg(HWND hDoor, int n)
{
    CWndDoor* p = DoorOf(hDoor);
    if (!p)
        return 0;
    p->Set_WM_OpenClose(n);
    return 1;
}

LUMOAPI void WINAPI DoorWin_SetSendMsg_RClick(HWND hDoor, int n)
{
    CWndDoor* p = DoorOf(hDoor);
    if (p)
        p->Set_WM_RClick(n);
}

LUMOAPI int WINAPI DoorWin_GetViewStyle(HWND hDoor)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? p->GetViewStyle() : -1;
}

LUMOAPI void WINAPI DoorWin_SetViewStyle(HWND hDoor, int nStyle)
{
    CWndDoor* p = DoorOf(hDoor);
    if (!p)
        return;
    if (nStyle < 0)
        nStyle = 0;
    if (nStyle > 1)
        nStyle = 1;
    p->SetViewStyle(nStyle);
}

LUMOAPI int WINAPI DoorWin_SetOpenCloseWhenMousemove(HWND hDoor, int bEnable)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? (p->SetOpenCloseWhenMousemove(bEnable != 0) ? 1 : 0) : 0;
}

LUMOAPI int WINAPI DoorWin_GetOpenCloseWhenMousemove(HWND hDoor)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? (p->GetOpenCloseWhenMousemove() ? 1 : 0) : 1;
}

LUMOAPI void WINAPI DoorWin_OpenClose(HWND hDoor, int bOpen)
{
    CWndDoor* p = DoorOf(hDoor);
    if (p && (p->IsOpened() ? 1 : 0) != (bOpen ? 1 : 0))
        p->DoorCloseOpen();
}

LUMOAPI int WINAPI DoorWin_IsOpened(HWND hDoor)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? (p->IsOpened() ? 1 : 0) : 0;
}

LUMOAPI int WINAPI DoorWin_AddObj(HWND hDoor, HWND hWnd, int x, int y)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? p->AddChild(hWnd, x, y) : 0;
}

LUMOAPI int WINAPI DoorWin_AddObj_AutoMove(HWND hDoor, HWND hWnd, int nRight, int nBottom,
                                           int bCenterV, int bCenterH)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? p->AddChild_AutoMove(hWnd, nRight, nBottom, bCenterV, bCenterH) : 0;
}

LUMOAPI int WINAPI DoorWin_AddObj_AutoSize(HWND hDoor, HWND hWnd, int x, int y, int nRight,
                                           int nBottom)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? p->AddChild_AutoSize(hWnd, x, y, nRight, nBottom) : 0;
}

LUMOAPI HWND WINAPI DropWin_new(HWND hDoor, LPCSTR lpszTitle, int x, int nRight, int nGap,
                                int nOpenHeight)
{
    CWndDoor* p = DoorOf(hDoor);
    return p ? p->AddDropWnd(lpszTitle, x, nRight, nGap, nOpenHeight) : 0;
}

LUMOAPI void* WINAPI SearchDropWin(HWND hDrop)
{
    return DropOf(hDrop);
}

LUMOAPI int WINAPI DropWin_AddObj(HWND hDrop, HWND hBody)
{
    CWndDoor* pDoor = NULL;
    if (!DropOf(hDrop, &pDoor))
        return 0;
    return pDoor->AttachDropBody(hDrop, hBody);
}

LUMOAPI int WINAPI DropWin_SetTitleHue(HWND hDrop, int nHue)
{
    CWndDrop* p = DropOf(hDrop);
    return p ? p->SetTitleHue(nHue) : 0;
}

LUMOAPI int WINAPI DropWin_GetTitleHue(HWND hDrop)
{
    CWndDrop* p = DropOf(hDrop);
    return p ? p->GetTitleHue() : 0;
}

LUMOAPI void WINAPI DropWin_SetTitle(HWND hDrop, LPCSTR lpszTitle)
{
    CWndDrop* p = DropOf(hDrop);
    if (p)
        p->SetTitle(lpszTitle);
}

LUMOAPI LPSTR WINAPI DropWin_GetTitle(HWND hDrop)
{
    CWndDrop* p = DropOf(hDrop);
    return p ? ReturnText::Keep(p, __func__, p->GetTitle()) : NULL;
}

LUMOAPI COLORREF WINAPI DropWin_SetTitleBkColor(HWND hDrop, BYTE red, BYTE green, BYTE blue)
{
    CWndDrop* p = DropOf(hDrop);
    return p ? p->SetHeaderBkColor(RGB(red, green, blue)) : 0;
}

LUMOAPI COLORREF WINAPI DropWin_GetTitleBkColor(HWND hDrop, int* red, int* green, int* blue)
{
    ZeroColor(red, green, blue);
    CWndDrop* p = DropOf(hDrop);
    return p ? SplitColor(p->GetHeaderBkColor(), red, green, blue) : 0;
}

LUMOAPI int WINAPI DropWin_SetDrop(HWND hDrop, int bDropped)
{
    CWndDoor* pDoor = NULL;
    if (!DropOf(hDrop, &pDoor))
        return 0;
    return pDoor->SetDropped(hDrop, bDropped) ? 1 : 0;
}

LUMOAPI int WINAPI DropWin_GetDrop(HWND hDrop)
{
    CWndDrop* p = DropOf(hDrop);
    return p ? (p->IsDropped() ? 1 : 0) : 0;
}
