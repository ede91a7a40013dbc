// CMenuPopEx: turning the flat item list into real menus level by level, measuring, and
// tracking the menu for its owner window.
#include "CMenuPopEx.h"
#include "frame/LumoSettings.h"
#include "menu/CMenuItemData.h"
#include "lumo.h"
#include "frame/DpiScale.h"

#include <commctrl.h>
#include <stddef.h>

namespace
{

// The metrics record as it was before the padded border field; every system version takes it.
const UINT kMetricsSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
static_assert(kMetricsSize == 340, "the menu metrics are read with the 340-byte record");

// The picture column, in 96-DPI pixels: its width without pictures, and beyond the widest one.
const int kLeftBarWidth = 24;
const int kLeftBarMargin = 12;

// An owner-drawn level can give at most this many items a submenu: their provisional ids run
// from -9 to -50.
const int kMaxPopupItems = 42;

UINT_PTR ProvisionalId(int nIndex)
{
    return (UINT_PTR)(UINT)(-(9 + nIndex));
}

// The ANSI character of a WM_MENUCHAR, whichever character set the owner window uses.
UINT MenuCharOf(HWND hWnd, WPARAM wParam)
{
    if (!::IsWindowUnicode(hWnd))
        return LOWORD(wParam);
    WCHAR wch = (WCHAR)LOWORD(wParam);
    char ch = 0;
    ::WideCharToMultiByte(CP_ACP, 0, &wch, 1, &ch, 1, NULL, NULL);
    return (BYTE)ch;
}

} // namespace

BOOL CMenuPopEx::IsOwnerDrawn() const
{
    return m_nDrawMode == 2 || (m_nDrawMode == 1 && !IsVista());
}

// ---- Building --------------------------------------------------------------------------------

int CMenuPopEx::Popup(int x, int y)
{
    DeleteRootMenu();
    m_pRootMenu = new CMenuEx;
    const BOOL bOwnerDrawn = IsOwnerDrawn();
    if (bOwnerDrawn)
    {
        // The owner's DPI: its menu font, item height and picture column are made for it.
        const int nDpi = CDpiScale::DpiOfWindow(m_hOwner);
        const int nOldDefaultBar = m_pLook->Scale(kLeftBarWidth);
        m_pLook->m_pDpi->SetDpi(nDpi);
        if (m_pLook->m_nLeftBarWidth == nOldDefaultBar)
            m_pLook->m_nLeftBarWidth = m_pLook->Scale(kLeftBarWidth);
        NONCLIENTMETRICSA ncm;
        memset(&ncm, 0, sizeof(ncm));
        ncm.cbSize = kMetricsSize;
        // The thread's own metrics serve only the DPI they are made for: 96 in a thread that
        // is not DPI aware, whatever the screen.
        const BOOL bMetrics = nDpi == CDpiScale::MetricsDpi()
                                  ? ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kMetricsSize, &ncm, 0)
                                  : CDpiScale::NonClientMetricsForDpi(&ncm, kMetricsSize, nDpi);
        if (bMetrics)
        {
            m_pLook->m_font.DeleteObject();
            m_pLook->m_font.Attach(::CreateFontIndirectA(&ncm.lfMenuFont));
            m_pLook->m_nItemHeight = ncm.iMenuHeight;
        }
        int nWidest = 0;
        for (int i = 0; i < m_arrItems.GetSize(); ++i)
        {
            CMenuItem* pItem = m_arrItems[i];
            if ((pItem->m_hIcon != NULL || pItem->m_pImageList != NULL) && pItem->m_nImageWidth > nWidest)
                nWidest = pItem->m_nImageWidth;
        }
        if (nWidest != 0)
            m_pLook->m_nLeftBarWidth = nWidest + m_pLook->Scale(kLeftBarMargin);
        MeasureTexts();
        m_pRootMenu->m_pLook = m_pLook;
    }
    m_pRootMenu->CreatePopupMenu();
    CreateSubMenu(m_pRootMenu, m_pLook->m_arrCommandIds, 0);
    if (bOwnerDrawn)
        for (int i = 0; i < m_arrSubMenus.GetSize(); ++i)
            m_arrSubMenus[i]->m_pLook = m_pLook;
    if (x == 0 && y == 0)
    {
        POINT pt;
        ::GetCursorPos(&pt);
        x = pt.x;
        y = pt.y;
    }
    return Track(x, y);
}

void CMenuPopEx::MeasureTexts()
{
    HDC hDC = ::GetDC(m_hOwner);
    HGDIOBJ hOldFont = NULL;
    if (m_pLook->m_font.GetSafeHandle() != NULL)
        hOldFont = ::SelectObject(hDC, m_pLook->m_font.GetSafeHandle());
    for (int i = 0; i < m_arrItems.GetSize(); ++i)
    {
        CMenuItem* pItem = m_arrItems[i];
        RECT rc = { 0, 0, 0, 100 };
        ::DrawTextA(hDC, pItem->GetLabel(), -1, &rc, DT_CALCRECT | DT_SINGLELINE);
        pItem->m_nTextWidth = rc.right - rc.left;
        pItem->m_nShortcutWidth = 0;
        const CString strShortcut = pItem->GetShortcutText();
        if (!strShortcut.IsEmpty())
        {
            ::DrawTextA(hDC, strShortcut, -1, &rc, DT_CALCRECT | DT_SINGLELINE);
            pItem->m_nShortcutWidth = rc.right - rc.left;
        }
    }
    if (hOldFont != NULL)
        ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hOwner, hDC);
}

BOOL CMenuPopEx::HasChildren(int nID) const
{
    for (int i = 0; i < m_arrItems.GetSize(); ++i)
        if (m_arrItems[i]->m_nParentID == nID)
            return TRUE;
    return FALSE;
}

void CMenuPopEx::CreateSubMenu(CMenuEx* pMenu, CUIntArray& arrIds, int nParentID)
{
    const BOOL bOwnerDrawn = IsOwnerDrawn();
    for (int i = 0; i < m_arrItems.GetSize(); ++i)
    {
        CMenuItem* pItem = m_arrItems[i];
        if (pItem->m_nParentID != nParentID)
            continue;
        if (pItem->IsSeparator())
        {
            // Drawn by the level, but a separator to the system: it is never selected, and
            // neither a click nor the keyboard stops on it.
            if (bOwnerDrawn)
                pMenu->AppendOwnerDrawn(MF_OWNERDRAW | MF_SEPARATOR, 0, NULL);
            else
                pMenu->AppendMenu(MF_SEPARATOR, 0, (LPCTSTR)NULL);
            continue;
        }
        // Items beyond what a level can hold as submenus are shown as plain commands.
        if (HasChildren(pItem->m_nID) && (!bOwnerDrawn || pMenu->m_arrPopupItems.GetSize() < kMaxPopupItems))
        {
            CMenuEx* pSub = new CMenuEx;
            m_arrSubMenus.Add(pSub);
            pSub->CreatePopupMenu();
            CreateSubMenu(pSub, arrIds, pItem->m_nID);
            if (bOwnerDrawn)
            {
                // Measuring turns the provisional item into the submenu item.
                pItem->m_pSubMenu = pSub;
                int nIndex = (int)pMenu->m_arrPopupItems.Add(pItem);
                pMenu->AppendOwnerDrawn(MF_OWNERDRAW, ProvisionalId(nIndex), pItem);
            }
            else
                pMenu->AppendMenu(MF_POPUP, (UINT_PTR)pSub->m_hMenu, pItem->m_strText);
            pMenu->m_arrItems.Add(pItem);
            continue;
        }
        UINT nFlags = (bOwnerDrawn ? MF_OWNERDRAW : MF_STRING) | (pItem->m_bChecked ? MF_CHECKED : 0) |
                      (pItem->m_bEnabled ? 0 : MF_GRAYED);
        if (bOwnerDrawn)
            pMenu->AppendOwnerDrawn(nFlags, (UINT)pItem->m_nID, pItem);
        else
            pMenu->AppendMenu(nFlags, (UINT)pItem->m_nID, pItem->m_strText);
        arrIds.Add((UINT)pItem->m_nID);
        pMenu->m_arrItems.Add(pItem);
    }
}

void CMenuPopEx::DeleteRootMenu()
{
    delete m_pRootMenu;  // destroys the submenus of its tree with it
    m_pRootMenu = NULL;
    // Submenu objects whose menus went with the tree let go of their handles before they go,
    // so that they destroy only the menus no tree took in (levels never opened).
    for (int i = 0; i < m_arrSubMenus.GetSize(); ++i)
    {
        CMenuEx* pSub = m_arrSubMenus[i];
        if (pSub->m_hMenu != NULL && !::IsMenu(pSub->m_hMenu))
            pSub->Detach();
        delete pSub;
    }
    m_arrSubMenus.RemoveAll();
    for (int i = 0; i < m_arrItems.GetSize(); ++i)
        m_arrItems[i]->m_pSubMenu = NULL;
    m_pLook->m_arrCommandIds.RemoveAll();
}

// ---- Tracking --------------------------------------------------------------------------------

UINT CMenuPopEx::TrackFlags(HWND hOwner)
{
    UINT nFlags = TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD;
    if (!LumoSettings::MenuAnimation())
        nFlags |= TPM_NOANIMATION;
    // A right-to-left owner gets a mirrored menu: picture column on the right, texts aligned
    // to it. The menu's own device context is mirrored, so the items paint as they always do.
    DWORD dwLayout = 0;
    if ((hOwner && (::GetWindowLongA(hOwner, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)) ||
        (::GetProcessDefaultLayout(&dwLayout) && (dwLayout & LAYOUT_RTL)))
        nFlags |= TPM_LAYOUTRTL;
    return nFlags;
}

int CMenuPopEx::Track(int x, int y)
{
    // The owner is asked to measure and draw the items. Subclassing it while the menu is open
    // brings those requests to the levels here, whether or not the owner is a framework window.
    // Nothing of this object is touched after tracking: a host may delete it while it is open.
    const HWND hOwner = m_hOwner;
    const UINT_PTR uId = (UINT_PTR)this;
    const BOOL bRouted = IsOwnerDrawn() && ::SetWindowSubclass(hOwner, OwnerProc, uId, (DWORD_PTR)this);
    int nResult = m_pRootMenu->TrackPopupMenu(TrackFlags(hOwner), x, y, CWnd::FromHandle(hOwner), NULL);
    if (bRouted)
        ::RemoveWindowSubclass(hOwner, OwnerProc, uId);
    return nResult;
}

CMenuEx* CMenuPopEx::FindLevel(HMENU hMenu) const
{
    if (hMenu == NULL)
        return NULL;
    if (m_pRootMenu != NULL && m_pRootMenu->m_hMenu == hMenu)
        return m_pRootMenu;
    for (int i = 0; i < m_arrSubMenus.GetSize(); ++i)
        if (m_arrSubMenus[i]->m_hMenu == hMenu)
            return m_arrSubMenus[i];
    return NULL;
}

CMenuEx* CMenuPopEx::FindLevelOfItemData(ULONG_PTR nItemData) const
{
    if (nItemData == 0)
        return NULL;
    if (m_pRootMenu != NULL && m_pRootMenu->HoldsItemData(nItemData))
        return m_pRootMenu;
    for (int i = 0; i < m_arrSubMenus.GetSize(); ++i)
        if (m_arrSubMenus[i]->m_hMenu != NULL && m_arrSubMenus[i]->HoldsItemData(nItemData))
            return m_arrSubMenus[i];
    return NULL;
}

LRESULT CALLBACK CMenuPopEx::OwnerProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR dwRefData)
{
    const CMenuPopEx* pThis = (const CMenuPopEx*)dwRefData;
    switch (uMsg)
    {
    case WM_MEASUREITEM:
    {
        // The item data tells the level: levels share provisional ids, so the id cannot.
        LPMEASUREITEMSTRUCT lpMIS = (LPMEASUREITEMSTRUCT)lParam;
        CMenuEx* pLevel = lpMIS->CtlType == ODT_MENU ? pThis->FindLevelOfItemData(lpMIS->itemData) : NULL;
        if (pLevel == NULL)
            break;
        pLevel->MeasureItem(lpMIS);
        return TRUE;
    }
    case WM_DRAWITEM:
    {
        LPDRAWITEMSTRUCT lpDIS = (LPDRAWITEMSTRUCT)lParam;
        CMenuEx* pLevel = lpDIS->CtlType == ODT_MENU ? pThis->FindLevel((HMENU)lpDIS->hwndItem) : NULL;
        if (pLevel == NULL)
            break;
        pLevel->DrawItem(lpDIS);
        return TRUE;
    }
    case WM_MENUCHAR:
        if (CMenuEx* pLevel = pThis->FindLevel((HMENU)lParam))
            return pLevel->OnMenuChar(MenuCharOf(hWnd, wParam));
        break;
    }
    return ::DefSubclassProc(hWnd, uMsg, wParam, lParam);
}
