// CMenuEx: one level of a shown CMenuPopEx. Owner-drawn levels measure and paint their items:
// a picture column, a rounded gradient selection, check marks, greyed pictures and texts, and
// right-aligned shortcuts.
#include "CMenuPopEx.h"
#include "draw/RtlText.h"
#include "menu/CMenuItemData.h"
#include "CUtilityVisual.h"
#include "CPub.h"
#include "frame/DpiScale.h"
#include "draw/LumoPalette.h"

namespace
{

const COLORREF kColumnLine = 0x00C0C0C0;
const COLORREF kSeparatorLine = 0x00C5C5C5;
const COLORREF kCheckFrame = 0x003BBCF0;
// Provisional ids of items opening a submenu run from -9 down to -50 (as unsigned values).
const UINT kFirstProvisionalId = 0xFFFFFFCE;

} // namespace

// ---- Construction ----------------------------------------------------------------------------

namespace
{
// Item sizes in 96-DPI pixels.
const int kTextGap = 10;        // after the label, and after the shortcut
const int kTextIndent = 5;      // the label from the picture column
const int kPictureIndent = 6;   // a picture from the left edge
}  // namespace

MenuLook::MenuLook()
    : m_nItemHeight(0), m_nLeftBarWidth(24), m_pDpi(new CDpiScale), m_crBk(0x00F5F5F5),
      m_crText(0x00000000), m_crLeftBar(0x00EAEAEA), m_crSelected1(0x00EBF7FB),
      m_crSelected2(0x00AEECF7), m_crSelected3(0x0070E2F7)
{
}

MenuLook::~MenuLook()
{
    delete m_pDpi;
}

int MenuLook::Scale(int n) const
{
    return m_pDpi->Scale(n);
}

CMenuEx::CMenuEx() : m_pLook(NULL)
{
}

CMenuEx::~CMenuEx()
{
    DestroyMenu();
    FreeItemData();
}

void CMenuEx::FreeItemData()
{
    for (int i = 0; i < m_arrItemData.GetSize(); ++i)
    {
        delete[] m_arrItemData[i]->msaa.pszWText;
        delete m_arrItemData[i];
    }
    m_arrItemData.RemoveAll();
}

// ---- Operations ------------------------------------------------------------------------------

BOOL CMenuEx::AppendOwnerDrawn(UINT nFlags, UINT_PTR nIDNewItem, CMenuItem* pItem)
{
    // Screen readers read an item's shortcut after a tab, as in a menu the system draws.
    CString strText = pItem != NULL ? pItem->m_strText : CString();
    if (pItem != NULL && !pItem->m_strShortcut.IsEmpty() && strText.Find('\t') < 0)
        strText += "\t" + pItem->m_strShortcut;
    LPCTSTR lpszText = strText;
    int nChars = ::MultiByteToWideChar(CP_ACP, 0, lpszText, -1, NULL, 0);
    if (nChars < 1)
        nChars = 1;
    CMenuItemData* pData = new CMenuItemData;
    pData->msaa.dwMSAASignature = MSAA_MENU_SIG;
    pData->msaa.pszWText = new WCHAR[nChars];
    pData->msaa.pszWText[0] = L'\0';
    ::MultiByteToWideChar(CP_ACP, 0, lpszText, -1, pData->msaa.pszWText, nChars);
    pData->msaa.cchWText = (DWORD)wcslen(pData->msaa.pszWText);
    pData->pItem = pItem;
    pData->pMenu = this;
    m_arrItemData.Add(pData);
    return AppendMenu(nFlags | MF_OWNERDRAW, nIDNewItem, (LPCTSTR)pData);
}

BOOL CMenuEx::HoldsItemData(ULONG_PTR nItemData) const
{
    for (int i = 0; i < m_arrItemData.GetSize(); ++i)
        if ((ULONG_PTR)m_arrItemData[i] == nItemData)
            return TRUE;
    return FALSE;
}

LRESULT CMenuEx::OnMenuChar(UINT nChar)
{
    const UINT nLetter = (UINT)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)nChar);
    const int nCount = (int)GetMenuItemCount();
    int nHilite = -1, nFirst = -1, nAfterHilite = -1, nMatches = 0;
    for (int i = 0; i < nCount; ++i)
    {
        MENUITEMINFOA mii = { sizeof(mii), MIIM_DATA | MIIM_STATE };
        if (!GetMenuItemInfo(i, &mii, TRUE))
            continue;
        if (mii.fState & MFS_HILITE)
            nHilite = i;
        if (!HoldsItemData(mii.dwItemData))
            continue;
        CMenuItem* pItem = ((CMenuItemData*)mii.dwItemData)->pItem;
        if (pItem == NULL || pItem->GetMnemonic() != nLetter)
            continue;
        ++nMatches;
        if (nFirst < 0)
            nFirst = i;
        if (nAfterHilite < 0 && nHilite >= 0 && i > nHilite)
            nAfterHilite = i;
    }
    if (nMatches == 0)
        return MAKELRESULT(0, MNC_IGNORE);
    if (nMatches == 1)
        return MAKELRESULT(nFirst, MNC_EXECUTE);
    // Several items share the letter: each press moves on to the next one, as in system menus.
    return MAKELRESULT(nAfterHilite >= 0 ? nAfterHilite : nFirst, MNC_SELECT);
}

// ---- Owner drawing ---------------------------------------------------------------------------

void CMenuEx::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    if (m_pLook == NULL)
        return;
    lpMIS->itemWidth = 10;
    lpMIS->itemHeight = m_pLook->m_nItemHeight + 1;
    if (lpMIS->itemID == 0)
        return;  // a separator is as tall as a one-line item
    const BOOL bProvisional = lpMIS->itemID >= kFirstProvisionalId;
    CMenuItem* pItem = NULL;
    if (bProvisional)
    {
        int nIndex = -(int)lpMIS->itemID - 9;
        if (nIndex >= 0 && nIndex < m_arrPopupItems.GetSize())
            pItem = m_arrPopupItems[nIndex];
    }
    else
        pItem = FindByCommand(lpMIS->itemID);
    if (pItem == NULL)
        return;

    lpMIS->itemWidth = m_pLook->m_nLeftBarWidth + pItem->m_nTextWidth + m_pLook->Scale(kTextGap);
    if (pItem->m_nShortcutWidth != 0)
        lpMIS->itemWidth += pItem->m_nShortcutWidth + m_pLook->Scale(kTextGap);
    // A picture gets three pixels above and below (at 96 DPI) beyond the system's height.
    if (pItem->m_nImageHeight + m_pLook->Scale(6) > (int)lpMIS->itemHeight)
        lpMIS->itemHeight = pItem->m_nImageHeight + m_pLook->Scale(6) + 1;
    // From here on the item's id in the system's menu is its submenu's handle. The item is
    // found by its place: a search by id would look in the submenus first, where the same
    // provisional id stands for another item.
    const int nPos = bProvisional && pItem->m_pSubMenu != NULL ? PositionOf(lpMIS->itemID) : -1;
    if (nPos >= 0)
        ::ModifyMenuA(m_hMenu, nPos, MF_BYPOSITION | MF_OWNERDRAW | MF_POPUP,
                      (UINT_PTR)pItem->m_pSubMenu->m_hMenu, (LPCSTR)lpMIS->itemData);
}

void CMenuEx::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (m_pLook == NULL)
        return;
    CDC dc;
    dc.Attach(lpDIS->hDC);
    const CRect rcItem(lpDIS->rcItem);
    CRect rcBar(rcItem);
    rcBar.right = rcItem.left + m_pLook->m_nLeftBarWidth;
    CRect rcText(rcItem);
    rcText.left = rcBar.right;
    dc.FillSolidRect(rcBar, LumoPalette::Color(LumoPalette::HEADER, m_pLook->m_crLeftBar));
    dc.FillSolidRect(rcText, LumoPalette::Color(LumoPalette::PANE, m_pLook->m_crBk));
    CPub::DrawLine(&dc, rcBar.right + 1, rcItem.top, rcBar.right + 1, rcItem.bottom,
                   LumoPalette::Color(LumoPalette::FRAME, kColumnLine));
    rcText.left = rcBar.right + 1;

    if (lpDIS->itemID == 0)
    {
        const int y = (rcText.top + rcText.bottom) / 2;
        CPub::DrawLine(&dc, rcText.left + m_pLook->Scale(3), y, rcText.right - 1, y, LumoPalette::Color(LumoPalette::FRAME, kSeparatorLine));
    }
    else
    {
        // A greyed item cannot be chosen, but the keyboard still stops on it: it shows where
        // the selection is with the frame alone.
        if (lpDIS->itemState & ODS_SELECTED)
        {
            if (lpDIS->itemState & ODS_GRAYED)
                DrawSelectionFrame(&dc, rcItem, SelectionEdge());
            else
                DrawSelection(&dc, rcItem);
        }
        BOOL bCommand = m_arrPopupItems.GetSize() == 0;
        for (int i = 0; !bCommand && i < m_pLook->m_arrCommandIds.GetSize(); ++i)
            bCommand = m_pLook->m_arrCommandIds[i] == lpDIS->itemID;
        CMenuItem* pItem = bCommand ? FindByCommand(lpDIS->itemID) : FindByPopupHandle(lpDIS->itemID);
        if (pItem != NULL)
        {
            DrawPicture(&dc, pItem, rcBar, lpDIS->itemState);
            DrawTexts(&dc, pItem, rcText, lpDIS->itemState);
        }
    }
    dc.Detach();
}

CMenuItem* CMenuEx::FindByCommand(UINT nItemID) const
{
    for (int i = 0; i < m_arrItems.GetSize(); ++i)
        if ((UINT)m_arrItems[i]->m_nID == nItemID)
            return m_arrItems[i];
    return NULL;
}

int CMenuEx::PositionOf(UINT nItemID, HMENU* phSubMenu) const
{
    const int nCount = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < nCount; ++i)
    {
        MENUITEMINFOA mii = { sizeof(mii), MIIM_ID | MIIM_SUBMENU };
        if (::GetMenuItemInfoA(m_hMenu, i, TRUE, &mii) && mii.wID == nItemID)
        {
            if (phSubMenu != NULL)
                *phSubMenu = mii.hSubMenu;
            return i;
        }
    }
    return -1;
}

CMenuItem* CMenuEx::FindByPopupHandle(UINT nItemID) const
{
    // The system hands a submenu item's id over cut to 32 bits; the submenu handle this level
    // holds for that id is compared with each item's at its full width.
    HMENU hSubMenu = NULL;
    if (PositionOf(nItemID, &hSubMenu) < 0 || hSubMenu == NULL)
        return NULL;
    for (int i = 0; i < m_arrPopupItems.GetSize(); ++i)
    {
        CMenuEx* pSub = m_arrPopupItems[i]->m_pSubMenu;
        if (pSub != NULL && pSub->m_hMenu == hSubMenu)
            return m_arrPopupItems[i];
    }
    return NULL;
}

COLORREF CMenuEx::SelectionEdge() const
{
    if (LumoPalette::Flat())
        return ::GetSysColor(LumoPalette::SysIndex(LumoPalette::SELECTION));
    const COLORREF c1 = m_pLook->m_crSelected1, c2 = m_pLook->m_crSelected2, c3 = m_pLook->m_crSelected3;
    if (c1 == c2 && c2 == c3)
        return CUtilityVisual::Hilight(c1, -30);
    if (c2 != c1 && c3 != c1)
        return CUtilityVisual::Hilight(c3, -30);
    return CUtilityVisual::Hilight(c2, -30);
}

void CMenuEx::DrawSelection(CDC* pDC, const CRect& rcItem)
{
    const COLORREF c1 = m_pLook->m_crSelected1, c2 = m_pLook->m_crSelected2, c3 = m_pLook->m_crSelected3;
    CRect rc(rcItem);
    if (LumoPalette::Flat())
    {
        pDC->FillSolidRect(&rc, ::GetSysColor(LumoPalette::SysIndex(LumoPalette::SELECTION)));
        return;
    }
    if (c1 == c2 && c2 == c3)
    {
        CBrush brushFill;
        brushFill.CreateSolidBrush(c1);
        CPen pen(PS_SOLID, 1, SelectionEdge());
        CPen* pOldPen = pDC->SelectObject(&pen);
        CBrush* pOldBrush = pDC->SelectObject(&brushFill);
        pDC->RoundRect(rcItem, CPoint(3, 3));
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
    }
    else if (c2 != c1 && c3 != c1)
        CUtilityVisual::Gradient2Rect(pDC, rc, c1, c2, c3, c2, 8);
    else
        CUtilityVisual::GradientRect(pDC, rc, c1, c2, 16, 1);
    DrawSelectionFrame(pDC, rcItem, SelectionEdge());
}

void CMenuEx::DrawSelectionFrame(CDC* pDC, const CRect& rcItem, COLORREF crEdge)
{
    CPen pen(PS_SOLID, 1, crEdge);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CGdiObject* pOldBrush = pDC->SelectStockObject(HOLLOW_BRUSH);
    pDC->RoundRect(rcItem, CPoint(3, 3));
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

void CMenuEx::DrawPicture(CDC* pDC, CMenuItem* pItem, CRect rcBar, UINT nState)
{
    if (nState & ODS_CHECKED)
    {
        CUtilityVisual::DrawCheck(pDC, rcBar, m_pLook->Scale(6), 1, LumoPalette::Color(LumoPalette::FRAME, kCheckFrame),
                                  LumoPalette::Color(LumoPalette::PANE_TEXT, 0));
        return;
    }
    if (pItem->m_pImageList == NULL && pItem->m_hIcon == NULL)
        return;
    const BOOL bGrayed = (nState & ODS_GRAYED) != 0;
    if ((nState & ODS_SELECTED) && !bGrayed)
        rcBar.OffsetRect(-1, -1);
    const int w = pItem->m_nImageWidth, h = pItem->m_nImageHeight;
    const int x = rcBar.left + m_pLook->Scale(kPictureIndent);
    const int y = rcBar.top + (rcBar.bottom - h - rcBar.top) / 2 + 1;
    const HDC hDC = pDC->GetSafeHdc();
    if (pItem->m_pImageList != NULL)
    {
        HIMAGELIST hList = pItem->m_pImageList->GetSafeHandle();
        if (!bGrayed)
        {
            ::ImageList_Draw(hList, pItem->m_nImageIndex, hDC, x, y, ILD_TRANSPARENT);
            return;
        }
        HICON hIcon = ::ImageList_GetIcon(hList, pItem->m_nImageIndex, 0);
        ::DrawStateA(hDC, NULL, NULL, (LPARAM)hIcon, 0, x, y, w, h, DST_ICON | DSS_DISABLED);
        if (hIcon != NULL)
            ::DestroyIcon(hIcon);
    }
    else
        ::DrawStateA(hDC, NULL, NULL, (LPARAM)pItem->m_hIcon, 0, x, y, w, h,
                     DST_ICON | (bGrayed ? DSS_DISABLED : 0));
}

void CMenuEx::DrawTexts(CDC* pDC, CMenuItem* pItem, CRect rcText, UINT nState)
{
    COLORREF crText = (nState & ODS_GRAYED)
                          ? LumoPalette::Color(LumoPalette::DISABLED_TEXT, CUtilityVisual::Hilight(m_pLook->m_crBk, -64))
                          : LumoPalette::Color(LumoPalette::PANE_TEXT, m_pLook->m_crText);
    if ((nState & ODS_SELECTED) && !(nState & ODS_GRAYED) && LumoPalette::Flat())
        crText = ::GetSysColor(LumoPalette::SysIndex(LumoPalette::SELECTION_TEXT));
    const COLORREF crOldText = pDC->SetTextColor(crText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = m_pLook->m_font.GetSafeHandle() != NULL ? pDC->SelectObject(&m_pLook->m_font) : NULL;
    rcText.left += m_pLook->Scale(kTextIndent);
    const UINT nReading = RtlReading(pDC->GetSafeHdc());
    pDC->DrawText(pItem->GetLabel(), rcText, DT_SINGLELINE | DT_VCENTER | nReading);
    const CString strShortcut = pItem->GetShortcutText();
    if (!strShortcut.IsEmpty())
    {
        rcText.right -= m_pLook->Scale(kTextGap);
        pDC->DrawText(strShortcut, rcText, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | nReading);
    }
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(crOldText);
}
