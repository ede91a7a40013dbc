// Common controls of the framework layer and the per-thread image list maps.
#include "afximpl.h"
#include "afxcmn.h"
#include "afxdllx.h"

/////////////////////////////////////////////////////////////////////////////
// CImageList

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::CImageList() : m_hImageList(nullptr)
{
}

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    if (hImageList == nullptr)
        return nullptr;
    AfxThreadState* pState = AfxGetThreadState();
    auto it = pState->permanentImageList.find(hImageList);
    if (it != pState->permanentImageList.end())
        return static_cast<CImageList*>(it->second);
    it = pState->temporaryImageList.find(hImageList);
    if (it != pState->temporaryImageList.end())
        return static_cast<CImageList*>(it->second);
    CImageList* pList = new CImageList;
    pList->m_hImageList = hImageList;
    pState->temporaryImageList[hImageList] = pList;
    return pList;
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    if (hImageList == nullptr)
        return nullptr;
    AfxThreadState* pState = AfxGetThreadState();
    auto it = pState->permanentImageList.find(hImageList);
    return it == pState->permanentImageList.end() ? nullptr : static_cast<CImageList*>(it->second);
}

void PASCAL CImageList::DeleteTempMap()
{
    std::unordered_map<HANDLE, CObject*> lists;
    lists.swap(AfxGetThreadState()->temporaryImageList);
    for (auto& entry : lists) {
        CImageList* pList = static_cast<CImageList*>(entry.second);
        pList->m_hImageList = nullptr;
        delete pList;
    }
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == nullptr)
        return FALSE;
    if (m_hImageList != nullptr && m_hImageList != hImageList)
        DeleteImageList();
    m_hImageList = hImageList;
    AfxGetThreadState()->permanentImageList[hImageList] = this;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    if (hImageList != nullptr) {
        auto& map = AfxGetThreadState()->permanentImageList;
        auto it = map.find(hImageList);
        if (it != map.end() && it->second == this)
            map.erase(it);
    }
    m_hImageList = nullptr;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    if (this == nullptr || m_hImageList == nullptr)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    AfxInitCommonControls();
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    if (lpszBitmapID == nullptr)
        return FALSE;
    AfxInitCommonControls();
    HINSTANCE hInst = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
    HIMAGELIST hList = ImageList_LoadImageA(hInst, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (hList == nullptr && hInst != ::GetModuleHandleA(nullptr))
        hList = ImageList_LoadImageA(::GetModuleHandleA(nullptr), lpszBitmapID, cx, nGrow, crMask,
                                     IMAGE_BITMAP, LR_CREATEDIBSECTION);
    return Attach(hList);
}

BOOL CImageList::Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2, int nImage2, int dx, int dy)
{
    if (imagelist1.m_hImageList == nullptr || imagelist2.m_hImageList == nullptr)
        return FALSE;
    return Attach(ImageList_Merge(imagelist1.m_hImageList, nImage1, imagelist2.m_hImageList, nImage2, dx, dy));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    HIMAGELIST hSource = pImageList->GetSafeHandle();
    return hSource != nullptr && Attach(ImageList_Duplicate(hSource));
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (m_hImageList == nullptr || pbmImage->GetSafeHandle() == nullptr)
        return -1;
    return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), (HBITMAP)pbmMask->GetSafeHandle());
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    if (m_hImageList == nullptr || pbmImage->GetSafeHandle() == nullptr)
        return -1;
    return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), crMask);
}

int CImageList::Add(HICON hIcon)
{
    if (m_hImageList == nullptr || hIcon == nullptr)
        return -1;
    return ImageList_ReplaceIcon(m_hImageList, -1, hIcon);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (m_hImageList == nullptr || pbmImage->GetSafeHandle() == nullptr)
        return FALSE;
    return ImageList_Replace(m_hImageList, nImage, (HBITMAP)pbmImage->GetSafeHandle(),
                             (HBITMAP)pbmMask->GetSafeHandle());
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    HDC hDC = pDC->GetSafeHdc();
    if (m_hImageList == nullptr || hDC == nullptr)
        return FALSE;
    return ImageList_Draw(m_hImageList, nImage, hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle)
{
    HDC hDC = pDC->GetSafeHdc();
    if (m_hImageList == nullptr || hDC == nullptr)
        return FALSE;
    return ImageList_DrawEx(m_hImageList, nImage, hDC, pt.x, pt.y, sz.cx, sz.cy, clrBk, clrFg, nStyle);
}

/////////////////////////////////////////////////////////////////////////////
// Shared by the controls

namespace {

BOOL CreateCommonControl(CWnd* pWnd, LPCTSTR lpszClass, DWORD dwExStyle, DWORD dwStyle,
                         const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls();
    return pWnd->CWnd::CreateEx(dwExStyle, lpszClass, nullptr, dwStyle, rect, pParentWnd, nID);
}

}  // namespace

/////////////////////////////////////////////////////////////////////////////
// CTreeCtrl

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

CTreeCtrl::~CTreeCtrl()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, WC_TREEVIEWA, 0, dwStyle, rect, pParentWnd, nID);
}

BOOL CTreeCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, WC_TREEVIEWA, dwExStyle, dwStyle, rect, pParentWnd, nID);
}

CImageList* CTreeCtrl::GetImageList(int nImageList) const
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessageA(m_hWnd, TVM_GETIMAGELIST, nImageList, 0));
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessageA(m_hWnd, TVM_SETIMAGELIST, nImageListType,
                                                             (LPARAM)pImageList->GetSafeHandle()));
}

CToolTipCtrl* CTreeCtrl::GetToolTips() const
{
    return (CToolTipCtrl*)CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, TVM_GETTOOLTIPS, 0, 0));
}

CToolTipCtrl* CTreeCtrl::SetToolTips(CToolTipCtrl* pWndTip)
{
    return (CToolTipCtrl*)CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, TVM_SETTOOLTIPS,
                                                                (WPARAM)pWndTip->GetSafeHwnd(), 0));
}

CEdit* CTreeCtrl::GetEditControl() const
{
    return (CEdit*)CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, TVM_GETEDITCONTROL, 0, 0));
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem)
{
    return (CEdit*)CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, TVM_EDITLABELA, 0, (LPARAM)hItem));
}

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage,
                        UINT nState, UINT nStateMask, LPARAM lParam)
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = nMask;
    item.pszText = (LPSTR)lpszItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return (BOOL)::SendMessageA(m_hWnd, TVM_SETITEMA, 0, (LPARAM)&item);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    // The control gives no length, so the buffer grows until the text fits with room to spare.
    CString str;
    if (hItem == nullptr)
        return str;
    for (int nLen = 256; nLen <= 0x100000; nLen *= 4) {
        TVITEMA item = {};
        item.hItem = hItem;
        item.mask = TVIF_TEXT;
        LPSTR pBuffer = str.GetBuffer(nLen);
        item.pszText = pBuffer;
        item.cchTextMax = nLen;
        BOOL bOk = (BOOL)::SendMessageA(m_hWnd, TVM_GETITEMA, 0, (LPARAM)&item);
        if (!bOk) {
            str.ReleaseBuffer(0);
            break;
        }
        // The control may answer with its own buffer instead of filling ours.
        if (item.pszText != nullptr && item.pszText != pBuffer) {
            CString copy(item.pszText);
            str.ReleaseBuffer(0);
            return copy;
        }
        str.ReleaseBuffer();
        if (str.GetLength() < nLen - 1)
            break;
    }
    return str;
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
{
    return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    BOOL bOk = (BOOL)::SendMessageA(m_hWnd, TVM_GETITEMA, 0, (LPARAM)&item);
    if (bOk) {
        nImage = item.iImage;
        nSelectedImage = item.iSelectedImage;
    }
    return bOk;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, nullptr, nImage, nSelectedImage, 0, 0, 0);
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_STATE;
    item.stateMask = nStateMask;
    if (!::SendMessageA(m_hWnd, TVM_GETITEMA, 0, (LPARAM)&item))
        return 0;
    return item.state & nStateMask;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    return SetItem(hItem, TVIF_STATE, nullptr, 0, 0, nState, nStateMask, 0);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    if (!::SendMessageA(m_hWnd, TVM_GETITEMA, 0, (LPARAM)&item))
        return 0;
    return (DWORD_PTR)item.lParam;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    return SetItem(hItem, TVIF_PARAM, nullptr, 0, 0, 0, 0, (LPARAM)dwData);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_CHILDREN;
    if (!::SendMessageA(m_hWnd, TVM_GETITEMA, 0, (LPARAM)&item))
        return FALSE;
    return item.cChildren;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    if (lpRect == nullptr || hItem == nullptr)
        return FALSE;
    // The item handle travels in the rectangle the control fills.
    *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
    return (BOOL)::SendMessageA(m_hWnd, TVM_GETITEMRECT, bTextOnly, (LPARAM)lpRect);
}

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpInsertStruct)
{
    if (lpInsertStruct == nullptr)
        return nullptr;
    return (HTREEITEM)::SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, (LPARAM)lpInsertStruct);
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = nMask;
    tvis.item.pszText = (LPSTR)lpszItem;
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    tvis.item.state = nState;
    tvis.item.stateMask = nStateMask;
    tvis.item.lParam = lParam;
    return (HTREEITEM)::SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, (LPARAM)&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage,
                      0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO hti = {};
    hti.pt = pt;
    HTREEITEM hItem = (HTREEITEM)::SendMessageA(m_hWnd, TVM_HITTEST, 0, (LPARAM)&hti);
    if (pFlags != nullptr)
        *pFlags = hti.flags;
    return hItem;
}

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM hItem)
{
    HIMAGELIST hList = (HIMAGELIST)::SendMessageA(m_hWnd, TVM_CREATEDRAGIMAGE, 0, (LPARAM)hItem);
    if (hList == nullptr)
        return nullptr;
    CImageList* pList = new CImageList;
    pList->Attach(hList);
    return pList;
}

/////////////////////////////////////////////////////////////////////////////
// CSliderCtrl

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

CSliderCtrl::~CSliderCtrl()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, TRACKBAR_CLASSA, 0, dwStyle, rect, pParentWnd, nID);
}

void CSliderCtrl::GetSelection(int& nMin, int& nMax) const
{
    nMin = (int)::SendMessageA(m_hWnd, TBM_GETSELSTART, 0, 0);
    nMax = (int)::SendMessageA(m_hWnd, TBM_GETSELEND, 0, 0);
}

void CSliderCtrl::SetSelection(int nMin, int nMax)
{
    ::SendMessageA(m_hWnd, TBM_SETSELSTART, FALSE, nMin);
    ::SendMessageA(m_hWnd, TBM_SETSELEND, TRUE, nMax);
}

CToolTipCtrl* CSliderCtrl::GetToolTips() const
{
    return (CToolTipCtrl*)CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, TBM_GETTOOLTIPS, 0, 0));
}

void CSliderCtrl::SetToolTips(CToolTipCtrl* pWndTip)
{
    ::SendMessageA(m_hWnd, TBM_SETTOOLTIPS, (WPARAM)pWndTip->GetSafeHwnd(), 0);
}

/////////////////////////////////////////////////////////////////////////////
// CProgressCtrl

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

CProgressCtrl::~CProgressCtrl()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, PROGRESS_CLASSA, 0, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range = {};
    ::SendMessageA(m_hWnd, PBM_GETRANGE, FALSE, (LPARAM)&range);
    nLower = range.iLow;
    nUpper = range.iHigh;
}

/////////////////////////////////////////////////////////////////////////////
// CTabCtrl

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

CTabCtrl::~CTabCtrl()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, WC_TABCONTROLA, 0, dwStyle, rect, pParentWnd, nID);
}

CImageList* CTabCtrl::GetImageList() const
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessageA(m_hWnd, TCM_GETIMAGELIST, 0, 0));
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessageA(m_hWnd, TCM_SETIMAGELIST, 0,
                                                             (LPARAM)pImageList->GetSafeHandle()));
}

CSize CTabCtrl::SetItemSize(CSize size)
{
    DWORD dw = (DWORD)::SendMessageA(m_hWnd, TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
    return CSize(LOWORD(dw), HIWORD(dw));
}

DWORD CTabCtrl::GetItemState(int nItem, DWORD dwMask) const
{
    TCITEMA item = {};
    item.mask = TCIF_STATE;
    item.dwStateMask = dwMask;
    if (!::SendMessageA(m_hWnd, TCM_GETITEMA, nItem, (LPARAM)&item))
        return 0;
    return item.dwState & dwMask;
}

BOOL CTabCtrl::SetItemState(int nItem, DWORD dwMask, DWORD dwState)
{
    TCITEMA item = {};
    item.mask = TCIF_STATE;
    item.dwState = dwState;
    item.dwStateMask = dwMask;
    return (BOOL)::SendMessageA(m_hWnd, TCM_SETITEMA, nItem, (LPARAM)&item);
}

CToolTipCtrl* CTabCtrl::GetToolTips() const
{
    return (CToolTipCtrl*)CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, TCM_GETTOOLTIPS, 0, 0));
}

void CTabCtrl::SetToolTips(CToolTipCtrl* pWndTip)
{
    ::SendMessageA(m_hWnd, TCM_SETTOOLTIPS, (WPARAM)pWndTip->GetSafeHwnd(), 0);
}

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0);
}

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0);
}

LONG CTabCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam)
{
    TCITEMA item = {};
    item.mask = nMask;
    item.pszText = (LPSTR)lpszItem;
    item.iImage = nImage;
    item.lParam = lParam;
    return (LONG)::SendMessageA(m_hWnd, TCM_INSERTITEMA, nItem, (LPARAM)&item);
}

LONG CTabCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam,
                          DWORD dwState, DWORD dwStateMask)
{
    TCITEMA item = {};
    item.mask = nMask;
    item.pszText = (LPSTR)lpszItem;
    item.iImage = nImage;
    item.lParam = lParam;
    item.dwState = dwState;
    item.dwStateMask = dwStateMask;
    return (LONG)::SendMessageA(m_hWnd, TCM_INSERTITEMA, nItem, (LPARAM)&item);
}

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
    // An owner-drawn tab control must come from a class that draws its tabs.
}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return AfxReflectDrawItem(this, message, wParam, lParam, pResult);
}

/////////////////////////////////////////////////////////////////////////////
// CToolTipCtrl

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

CToolTipCtrl::~CToolTipCtrl()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    AfxInitCommonControls();
    return CWnd::CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                          pParentWnd->GetSafeHwnd(), nullptr);
}

// The version 2 record size is understood by every comctl32 this may meet.
void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    HWND hWnd = pWnd->GetSafeHwnd();
    if (nIDTool == 0) {
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = (UINT_PTR)hWnd;
    } else {
        ti.hwnd = hWnd;
        ti.uFlags = 0;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    ti.lpszText = (LPSTR)lpszText;
    return (BOOL)::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    ti.hinst = AfxFindResourceHandle(MAKEINTRESOURCE((nIDText >> 4) + 1), RT_STRING);
    ti.lpszText = MAKEINTRESOURCEA(nIDText);
    return (BOOL)::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ::SendMessageA(m_hWnd, TTM_DELTOOLA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = (LPSTR)lpszText;
    ::SendMessageA(m_hWnd, TTM_UPDATETIPTEXTA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool)
{
    CString str;
    str.LoadString(nIDText);
    UpdateTipText((LPCTSTR)str, pWnd, nIDTool);
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    // Tooltip texts are limited to 80 characters unless given by callback; allow more.
    char buffer[1024] = "";
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = buffer;
    ::SendMessageA(m_hWnd, TTM_GETTEXTA, sizeof(buffer), (LPARAM)&ti);
    str = buffer;
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFO* lpToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    if (lpToolInfo == nullptr)
        return FALSE;
    FillInToolInfo(*lpToolInfo, pWnd, nIDTool);
    return (BOOL)::SendMessageA(m_hWnd, TTM_GETTOOLINFOA, 0, (LPARAM)lpToolInfo);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    if (lpRect == nullptr)
        return;
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    ::SendMessageA(m_hWnd, TTM_NEWTOOLRECTA, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const
{
    TTHITTESTINFOA hti = {};
    hti.hwnd = pWnd->GetSafeHwnd();
    hti.pt = pt;
    hti.ti.cbSize = TTTOOLINFOA_V2_SIZE;
    BOOL bHit = (BOOL)::SendMessageA(m_hWnd, TTM_HITTESTA, 0, (LPARAM)&hti);
    if (bHit && lpToolInfo != nullptr)
        *lpToolInfo = hti.ti;
    return bHit;
}
