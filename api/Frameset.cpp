// Frameset_* and Frame_*: frame sets.
#include "lumo.h"
#include "frameset/CFrameset.h"

LUMOAPI HFRAMESET WINAPI Frameset_new(HWND hHost)
{
    return CFrameset::New(hHost);
}

LUMOAPI int WINAPI Frameset_SetReserveBorder(HFRAMESET hFrameset, int nLeft, int nTop,
                                             int nRight, int nBottom)
{
    CFrameset* p = CFrameset::FromHandle(hFrameset);
    if (!p)
        return 0;
    p->SetReserveBorder(CRect(nLeft, nTop, nRight, nBottom));
    return 1;
}

LUMOAPI void WINAPI Frameset_SetOuterBorder(HFRAMESET hFrameset, int nLeft, int nTop,
                                            int nRight, int nBottom)
{
    if (CFrameset* p = CFrameset::FromHandle(hFrameset))
        p->SetOuterBorder(CRect(nLeft, nTop, nRight, nBottom));
}

LUMOAPI void WINAPI Frameset_SetHue(HFRAMESET hFrameset, int nHue)
{
    if (CFrameset* p = CFrameset::FromHandle(hFrameset))
        p->SetHue(nHue);
}

LUMOAPI void WINAPI Frameset_SetSendMsg(HFRAMESET hFrameset, UINT nOffset)
{
    if (CFrameset* p = CFrameset::FromHandle(hFrameset))
        p->SetSendMsg(nOffset);
}

LUMOAPI int WINAPI Frameset_SetStyle(HFRAMESET hFrameset, int nStyle)
{
    CFrameset* p = CFrameset::FromHandle(hFrameset);
    if (!p)
        return 0;
    p->SetStyle(nStyle);
    return 1;
}

LUMOAPI void WINAPI Frameset_SetSeparateWidth(HFRAMESET hFrameset, int nWidth)
{
    if (CFrameset* p = CFrameset::FromHandle(hFrameset))
        p->SetSeparateWidth(nWidth);
}

LUMOAPI int WINAPI Frame_add(HFRAMESET hFrameset, LPCSTR lpszName, LPCSTR lpszParent,
                             int nDirection, HWND hWnd, LPCSTR lpszSize)
{
    CFrameset* p = CFrameset::FromHandle(hFrameset);
    return p && p->AddFrame(lpszName, lpszParent, nDirection, hWnd, lpszSize) ? 1 : 0;
}

LUMOAPI void WINAPI Frame_SetTitle(HFRAMESET hFrameset, LPCSTR lpszName, LPCSTR lpszTitle)
{
    if (CFrameset* p = CFrameset::FromHandle(hFrameset))
        p->SetFrameTitle(lpszName, lpszTitle);
}

LUMOAPI void WINAPI Frame_SetIconMsg(HFRAMESET hFrameset, LPCSTR lpszName, UINT nMsg)
{
    if (CFrameset* p = CFrameset::FromHandle(hFrameset))
        p->SetFrameIconMsg(lpszName, nMsg);
}

LUMOAPI void WINAPI Frame_SetTitleBkColor(HFRAMESET hFrameset, LPCSTR lpszName,
                                          COLORREF crColor)
{
    if (CFrameset* p = CFrameset::FromHandle(hFrameset))
        p->SetFrameTitleColor(lpszName, crColor);
}

LUMOAPI int WINAPI Frameset_FocusSplitter(HFRAMESET hFrameset, LPCSTR lpszFrame)
{
    CFrameset* p = CFrameset::FromHandle(hFrameset);
    return p && p->FocusSplitter(lpszFrame) ? 1 : 0;
}
