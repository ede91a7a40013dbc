// CMenuPopEx: construction, the flat item list and the colours. Building and tracking the
// menu are in CMenuPopExPopup.cpp.
#include "CMenuPopEx.h"
#include "CDRAW.h"

#include <commctrl.h>

#include <utility>

namespace
{

// The colour most of a bitmap's corners share (top-left, top-right, bottom-left, bottom-right;
// on a tie the earlier corner wins): the background a picture is drawn without.
COLORREF CornerMaskColor(HWND hOwner, CBitmap* pBitmap, CSize size)
{
    HDC hScreen = ::GetDC(hOwner);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, pBitmap->GetSafeHandle());
    const COLORREF corners[4] = { ::GetPixel(hMem, 0, 0), ::GetPixel(hMem, size.cx - 1, 0),
                                  ::GetPixel(hMem, 0, size.cy - 1),
                                  ::GetPixel(hMem, size.cx - 1, size.cy - 1) };
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(hOwner, hScreen);

    int best = 0, bestCount = 0;
    for (int i = 0; i < 4; ++i)
    {
        int count = 0;
        for (int j = 0; j < 4; ++j)
            count += corners[j] == corners[i];
        if (count > bestCount)
        {
            best = i;
            bestCount = count;
        }
    }
    return corners[best];
}

} // namespace

// ---- Construction ----------------------------------------------------------------------------

CMenuPopEx::CMenuPopEx(HWND hOwner, int nDrawMode)
    : m_hOwner(hOwner), m_pRootMenu(NULL), m_pLook(new MenuLook), m_nDrawMode(nDrawMode),
      m_nScaleMode(0)
{
}

CMenuPopEx::~CMenuPopEx()
{
    // Deleted while its menu is open: the owner stops routing to it and the menu ends.
    if (m_hOwner != NULL && ::RemoveWindowSubclass(m_hOwner, OwnerProc, (UINT_PTR)this))
        ::EndMenu();
    DeleteRootMenu();
    for (int i = 0; i < m_arrItems.GetSize(); ++i)
        delete m_arrItems[i];
    delete m_pLook;
}

// ---- Items -----------------------------------------------------------------------------------

CMenuItem* CMenuPopEx::SetItem(int nID, LPCTSTR lpszText, int nParentID)
{
    CString strText(lpszText);
    const BOOL bSeparator = strText == "-";
    if (nID < 1 && !bSeparator)
        return NULL;
    if (!bSeparator)
    {
        int nIndex = FindItem(nID);
        if (nIndex >= 0)
        {
            CMenuItem* pItem = m_arrItems[nIndex];
            pItem->m_strText = strText;
            pItem->m_nParentID = nParentID;
            return pItem;
        }
    }
    CMenuItem* pItem = new CMenuItem(nID, nParentID, strText);
    m_arrItems.Add(pItem);
    return pItem;
}

CMenuItem* CMenuPopEx::SetItem(int nID, LPCTSTR lpszText, int nParentID, HICON hIcon, int nSize, int bOwn)
{
    CMenuItem* pItem = SetItem(nID, lpszText, nParentID);
    if (pItem == NULL)
        return NULL;
    pItem->ReleasePictures();
    pItem->m_hIcon = hIcon;
    pItem->m_nImageWidth = pItem->m_nImageHeight = nSize;
    pItem->m_bOwnsPictures = bOwn;
    return pItem;
}

CMenuItem* CMenuPopEx::SetItem(int nID, LPCTSTR lpszText, int nParentID, CBitmap* pBitmap)
{
    CMenuItem* pItem = SetItem(nID, lpszText, nParentID);
    if (pItem == NULL)
        return NULL;
    pItem->ReleasePictures();
    CSize size = CDRAW::GetBmpSize((HBITMAP)pBitmap->GetSafeHandle());
    if (size.cx <= 0 || size.cy <= 0)
        return pItem;  // no bitmap: the item keeps no picture
    CImageList* pList = new CImageList;
    if (!pList->Create(size.cx, size.cy, ILC_COLOR24 | ILC_MASK, 0, 1) ||
        pList->Add(pBitmap, CornerMaskColor(m_hOwner, pBitmap, size)) < 0)
    {
        delete pList;
        return pItem;
    }
    pItem->m_pImageList = pList;
    pItem->m_nImageWidth = size.cx;
    pItem->m_nImageHeight = size.cy;
    pItem->m_bOwnsPictures = 1;
    return pItem;
}

CMenuItem* CMenuPopEx::SetItem(int nID, LPCTSTR lpszText, int nParentID, CImageList* pImageList, int nIndex)
{
    CMenuItem* pItem = SetItem(nID, lpszText, nParentID);
    if (pItem == NULL)
        return NULL;
    pItem->ReleasePictures();
    IMAGEINFO info;
    if (!pImageList->GetImageInfo(nIndex, &info))
        return pItem;
    pItem->m_pImageList = pImageList;
    pItem->m_nImageIndex = nIndex;
    pItem->m_nImageWidth = info.rcImage.right - info.rcImage.left;
    pItem->m_nImageHeight = info.rcImage.bottom - info.rcImage.top;
    return pItem;
}

void CMenuPopEx::SetShortcut(int nID, LPCTSTR lpszShortcut)
{
    int nIndex = FindItem(nID);
    if (nIndex >= 0)
        m_arrItems[nIndex]->m_strShortcut = lpszShortcut;
}

void CMenuPopEx::SetCheck(int nID, int bCheck)
{
    int nIndex = FindItem(nID);
    if (nIndex >= 0)
        m_arrItems[nIndex]->m_bChecked = bCheck;
}

void CMenuPopEx::SetEnable(int nID, int bEnable)
{
    int nIndex = FindItem(nID);
    if (nIndex >= 0)
        m_arrItems[nIndex]->m_bEnabled = bEnable;
}

int CMenuPopEx::FindItem(int nID)
{
    for (int i = 0; i < m_arrItems.GetSize(); ++i)
        if (m_arrItems[i]->m_nID == nID)
            return i;
    return -1;
}

// ---- Appearance ------------------------------------------------------------------------------

COLORREF CMenuPopEx::SetBkColor(COLORREF crColor)
{
    return std::exchange(m_pLook->m_crBk, crColor);
}

COLORREF CMenuPopEx::SetTextColor(COLORREF crColor)
{
    return std::exchange(m_pLook->m_crText, crColor);
}

COLORREF CMenuPopEx::SetLeftBarColor(COLORREF crColor)
{
    return std::exchange(m_pLook->m_crLeftBar, crColor);
}

void CMenuPopEx::SetSelectedColor(COLORREF crColor1, COLORREF crColor2, COLORREF crColor3)
{
    m_pLook->m_crSelected1 = crColor1;
    m_pLook->m_crSelected2 = crColor2;
    m_pLook->m_crSelected3 = crColor3;
}

int CMenuPopEx::SetScaleMode(int nMode)
{
    return std::exchange(m_nScaleMode, nMode);
}
