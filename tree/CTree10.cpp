// CTree10: construction, the registry of live trees, items built from the tree data, labels.
#include "CTree10.h"
#include "frame/ReturnText.h"
#include "frame/UiThread.h"

#include <mbstring.h>
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "CPic.h"
#include "CUtilityVisual.h"
#include "frame/LumoModule.h"
#include "lumo.h"
#include "treedata/CParentScan.h"

CArray<TREE10INFO*, TREE10INFO*> CTree10::m_arrMap;
const UINT& CTree10::m_MsgExpandSingleNode = g_msgExpandSingleNode;

namespace {

// Window -> tree of the first registry entry holding that window, so that the look-up behind
// every flat call costs the same however many trees are alive. The array stays the record of
// creation order; this only mirrors its first matches.
std::unordered_map<HWND, CTree10*>& FirstMatch()
{
    static std::unordered_map<HWND, CTree10*> s_map;
    return s_map;
}

}  // namespace

struct CTree10::CItemMap
{
    std::unordered_map<HTREEITEM, UINT> recordOf;
    std::unordered_map<UINT, HTREEITEM> itemOf;

    void Add(HTREEITEM hItem, UINT nRecord)
    {
        recordOf[hItem] = nRecord;
        itemOf[nRecord] = hItem;
    }
    void Forget(HTREEITEM hItem)
    {
        auto it = recordOf.find(hItem);
        if (it == recordOf.end())
            return;
        auto jt = itemOf.find(it->second);
        if (jt != itemOf.end() && jt->second == hItem)
            itemOf.erase(jt);
        recordOf.erase(it);
    }
    void Clear()
    {
        recordOf.clear();
        itemOf.clear();
    }
};

BEGIN_MESSAGE_MAP(CTree10, CTreeCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_REGISTERED_MESSAGE(g_msgExpandSingleNode, OnExpandSingleNode)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAGA, OnBegindrag)
    ON_MESSAGE(TVM_DELETEITEM, OnDeleteItemMsg)
END_MESSAGE_MAP()

/////////////////////////////////////////////////////////////////////////////
// construction

CTree10::CTree10()
    : m_pData(new CTreeData),
      m_bBound(0),
      m_nNodeImg(0),
      m_nLeafImg(0),
      m_clrBack(0xFFFFFF),
      m_clrText(0),
      m_bColorMode(0), m_dwColourGeneration(0),
      m_pPic(new CPic),
      m_hHandCursor(CUtilityVisual::GetHandCursor()),
      m_nLineHeight(18),
      m_bSingleExpand(1),
      m_bMousemoveSelect(1),
      m_nBorder(1),
      m_nDisplayMode(3),
      m_pDragImage(NULL),
      m_hDragItem(NULL),
      m_bCollapsing(0),
      m_hWndSelect(NULL),
      m_hWndItemChanged(NULL),
      m_hWndDrag(NULL),
      m_hWndDblClk(NULL),
      m_hWndRButton(NULL),
      m_nMsgSelect(0),
      m_nMsgItemChanged(0),
      m_nMsgDblClk(0),
      m_nMsgRButton(0),
      m_hTipItem(NULL),
      m_hPendingClick(NULL),
      m_tLastSelect(0),
      m_bRegistered(0),
      m_pItems(new CItemMap)
{
}

CTree10::~CTree10()
{
    ReturnText::Forget(this);
    m_fontHover.DeleteObject();
    m_ImageList.DeleteImageList();
    if (m_hHandCursor)
        ::DestroyCursor(m_hHandCursor);
    m_hHandCursor = NULL;
    delete m_pDragImage;
    m_pDragImage = NULL;
    if (!m_bBound)
        delete m_pData;
    else if (m_pData)
        m_pData->RemoveWatcher(OnDataGone, this);
    m_pData = NULL;
    delete m_pItems;
    m_pItems = NULL;
    delete m_pPic;
    m_pPic = NULL;
    UnregisterMe(this);
}

BOOL CTree10::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= 0x54800020;
    return CTreeCtrl::PreCreateWindow(cs);
}

void CTree10::PreSubclassWindow()
{
    CTreeCtrl::PreSubclassWindow();
}

int CTree10::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTreeCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;

    HFONT hFont = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTA lf;
    if (::GetObjectA(hFont, sizeof(lf), &lf) == sizeof(lf))
    {
        lf.lfUnderline = TRUE;
        m_fontHover.CreateFontIndirect(&lf);
    }

    if (CToolTipCtrl* pTips = Tips())
    {
        pTips->AddTool(this, "1");
        pTips->Activate(FALSE);
    }

    SetBackColor(0xFFFFFF);
    ::SendMessageA(m_hWnd, TVM_SETITEMHEIGHT, (WPARAM)(SHORT)m_nLineHeight, 0);
    SetTreeLeafImg(0);
    SetSingleExpand(1);
    RegisterMe(this);
    return 0;
}

// The window's end ends the tree: it leaves the registry at once, so no flat call finds it
// while the system tears the window down, and the object goes with the window's last message.
void CTree10::OnDestroy()
{
    if (m_hDragItem)
        EndDrag(FALSE);  // a drag cut short by the window's end drops nothing
    CTreeCtrl::OnDestroy();
    UnregisterMe(this);
}

void CTree10::PostNcDestroy()
{
    delete this;
}

/////////////////////////////////////////////////////////////////////////////
// registry

void CTree10::RegisterMe(CTree10* pTree)
{
    TREE10INFO* pInfo = new TREE10INFO;
    pInfo->hWnd = pTree ? pTree->m_hWnd : NULL;
    pInfo->pTree = pTree;
    m_arrMap.Add(pInfo);
    FirstMatch().emplace(pInfo->hWnd, pTree);
    if (pTree)
        pTree->m_bRegistered = 1;
}

CTree10* CTree10::GetObject(HWND hWnd)
{
    if (!IsWindowOfThisThread(hWnd))
        return NULL;
    const std::unordered_map<HWND, CTree10*>& map = FirstMatch();
    auto it = map.find(hWnd);
    return it == map.end() ? NULL : it->second;
}

int CTree10::GetRegistryCount()
{
    return (int)m_arrMap.GetSize();
}

void CTree10::UnregisterMe(CTree10* pTree)
{
    if (pTree == NULL || !pTree->m_bRegistered)
        return;
    pTree->m_bRegistered = 0;
    INT_PTR nCount = m_arrMap.GetSize();
    for (INT_PTR i = 0; i < nCount; i++)
    {
        TREE10INFO* pInfo = m_arrMap[i];
        if (pInfo->pTree != pTree)
            continue;
        HWND hWnd = pInfo->hWnd;
        m_arrMap.RemoveAt(i);
        delete pInfo;
        std::unordered_map<HWND, CTree10*>& map = FirstMatch();
        auto it = map.find(hWnd);
        if (it != map.end() && it->second == pTree)
        {
            // Another entry may hold the same window; the earliest one now answers for it.
            map.erase(it);
            for (INT_PTR j = 0; j < m_arrMap.GetSize(); j++)
            {
                if (m_arrMap[j]->hWnd == hWnd)
                {
                    map.emplace(hWnd, m_arrMap[j]->pTree);
                    break;
                }
            }
        }
        return;
    }
}

/////////////////////////////////////////////////////////////////////////////
// records and items

void CTree10::AddItem(LPCTSTR lpszCode, LPCTSTR lpszText, LPCTSTR lpszTip)
{
    m_pData->AddItem(lpszCode, lpszText, "", lpszTip, 0, 0, "", 0);
}

int CTree10::SetItem(LPCTSTR lpszCode, LPCTSTR lpszText, LPCTSTR lpszTip)
{
    treedatas* pRec = m_pData->FindByCode(lpszCode);
    if (pRec == NULL)
        return 0;
    pRec->strText = lpszText ? lpszText : "";
    pRec->strTip = lpszTip ? lpszTip : "";
    HTREEITEM hItem = GetItem(lpszCode);
    if (hItem && m_hWnd)
        SetItemText(hItem, pRec->strText);
    if (m_hWnd)
        Invalidate();
    return 1;
}

int CTree10::_DeleteItem(LPCTSTR lpszCode)
{
    CString strCode = lpszCode ? lpszCode : "";
    strCode.TrimRight();
    if (strCode.IsEmpty())
    {
        DeleteAllItems();
        return 1;
    }
    if (m_pData->FindByCode(lpszCode) == NULL)
        return 0;
    HTREEITEM hItem = GetItem(lpszCode);
    if (hItem != NULL)
        DeleteItem(hItem);
    return 1;
}

HTREEITEM CTree10::GetItem(LPCTSTR lpszCode)
{
    treedatas* pRec = m_pData->FindByCode(lpszCode);
    if (pRec == NULL)
        return NULL;
    auto it = m_pItems->itemOf.find(pRec->nSerial);
    return it == m_pItems->itemOf.end() ? NULL : it->second;
}

BOOL CTree10::IsOwnItem(HTREEITEM hItem) const
{
    return hItem != NULL && m_hWnd != NULL && m_pItems->recordOf.count(hItem) != 0;
}

CString CTree10::GetItemCode(HTREEITEM hItem)
{
    if (!IsOwnItem(hItem))
        return CString();
    INT_PTR nIndex = (INT_PTR)GetItemData(hItem);
    if (nIndex < 0 || nIndex >= m_pData->GetSize())
        return CString();
    return m_pData->GetID((int)nIndex);
}

CString CTree10::GetItemTip(HTREEITEM hItem)
{
    if (!IsOwnItem(hItem))
        return CString();
    INT_PTR nIndex = (INT_PTR)GetItemData(hItem);
    if (nIndex < 0 || nIndex >= m_pData->GetSize())
        return CString();
    return m_pData->GetTip((int)nIndex);
}

CString CTree10::ComposeLabel(int nIndex)
{
    CString strText;
    CString strDetail;
    if (m_nDisplayMode & 1)
        strText = m_pData->GetText(nIndex, 1);
    if (m_nDisplayMode & 2)
        strDetail = m_pData->GetDetail(nIndex);

    int nDot = strText.Find('.');
    CString strAfterDot = nDot >= 0 ? strText.Mid(nDot + 1) : strText;
    if (_mbsicmp((const unsigned char*)(LPCTSTR)strAfterDot,
                 (const unsigned char*)(LPCTSTR)strDetail) == 0)
        strDetail.Empty();

    if (strDetail.IsEmpty())
        return strText;
    if (strText.IsEmpty())
        return strDetail;
    return strText + "  (" + strDetail + ")";
}

// The parent of a record is the nearest earlier record, back to the last top-level one, whose
// code is a prefix of its own, in the data's present order (a loaded file keeps its own).
// Records nested deeper than LMENU_MAX_LEVELS make no tree at all: the control and the host's
// walks over it would go as deep as the data.
void CTree10::BuildTree(LPCTSTR lpszRootCode)
{
    m_pData->BuildLevel();
    if (m_hWnd == NULL)
        return;
    DeleteAllItems();

    CString strRoot = lpszRootCode ? lpszRootCode : "";
    int nStart = 0;
    if (!strRoot.IsEmpty())
    {
        nStart = m_pData->Search(strRoot);
        if (nStart < 0)
            return;
    }

    const int nSize = m_pData->GetSize();
    // Per record from nStart on: the item it got in this build (null: none) and its depth.
    std::vector<HTREEITEM> items((size_t)(nSize - nStart), NULL);
    std::vector<int> depths((size_t)(nSize - nStart), 0);
    CParentScan scan(*m_pData, nStart);
    bool bTooDeep = false;

    // Drawing stays off while the items go in: the control would otherwise recompute its
    // scroll range and repaint after every insert.
    ::SendMessageA(m_hWnd, WM_SETREDRAW, 0, 0);
    TVINSERTSTRUCTA tvis;
    memset(&tvis, 0, sizeof(tvis));
    tvis.hInsertAfter = TVI_LAST;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;

    for (int i = nStart; i < nSize; i++)
    {
        treedatas* pRec = m_pData->GetAt(i);
        if (!strRoot.IsEmpty() &&
            (pRec->strCode.GetLength() < strRoot.GetLength() ||
             memcmp((LPCTSTR)pRec->strCode, (LPCTSTR)strRoot, (size_t)strRoot.GetLength()) != 0))
            break;

        const int nParent = scan.FindParent(i);
        HTREEITEM hParent = nParent < 0 ? NULL : items[nParent - nStart];
        const bool bTop = hParent == NULL;
        const int nDepth = bTop ? 0 : depths[nParent - nStart] + 1;
        if (nDepth >= LMENU_MAX_LEVELS)
        {
            bTooDeep = true;
            break;
        }
        depths[i - nStart] = nDepth;

        CString strLabel = ComposeLabel(i);
        HTREEITEM hItem = NULL;
        if (strLabel.IsEmpty() || strLabel[0] != '-')
        {
            int bNode = m_pData->IsNode(i);
            tvis.hParent = bTop ? TVI_ROOT : hParent;
            tvis.item.pszText = (LPSTR)(LPCTSTR)strLabel;
            tvis.item.iImage = bNode ? 1 : 4;
            tvis.item.iSelectedImage = bNode ? 0 : 5;
            tvis.item.lParam = (LPARAM)i;
            hItem = (HTREEITEM)::SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, (LPARAM)&tvis);
            pRec->hItem = hItem;
            if (hItem)
                m_pItems->Add(hItem, pRec->nSerial);
        }
        items[i - nStart] = hItem;
        if (bTop)
            scan.SetTop(i);
    }
    if (bTooDeep)
        DeleteAllItems();
    ::SendMessageA(m_hWnd, WM_SETREDRAW, 1, 0);
    ::SendMessageA(m_hWnd, TVM_EXPAND, TVE_EXPAND, (LPARAM)TVI_ROOT);
}

void CTree10::ReplaceText(HTREEITEM hItem)
{
    if (m_hWnd == NULL)
        return;
    // Pre-order walk without recursion, so that deep trees cost no stack.
    std::vector<HTREEITEM> stack;
    if (hItem != TVI_ROOT && hItem != NULL)
        stack.push_back(hItem);
    else
    {
        std::vector<HTREEITEM> tops;
        for (HTREEITEM h = GetChildItem(TVI_ROOT); h; h = GetNextSiblingItem(h))
            tops.push_back(h);
        stack.assign(tops.rbegin(), tops.rend());
    }
    TVITEMA tvi;
    memset(&tvi, 0, sizeof(tvi));
    std::vector<HTREEITEM> children;
    while (!stack.empty())
    {
        HTREEITEM h = stack.back();
        stack.pop_back();
        INT_PTR nIndex = (INT_PTR)GetItemData(h);
        if (nIndex >= 0 && nIndex < m_pData->GetSize() && IsOwnItem(h))
        {
            // The item now shows the record at its index, whatever data that is.
            m_pItems->Forget(h);
            m_pItems->Add(h, m_pData->GetAt((int)nIndex)->nSerial);
            CString strLabel = ComposeLabel((int)nIndex);
            tvi.mask = TVIF_TEXT;
            tvi.hItem = h;
            tvi.pszText = (LPSTR)(LPCTSTR)strLabel;
            ::SendMessageA(m_hWnd, TVM_SETITEMA, 0, (LPARAM)&tvi);
        }
        children.clear();
        for (HTREEITEM c = GetChildItem(h); c; c = GetNextSiblingItem(c))
            children.push_back(c);
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
}

void CTree10::BindTreeData(CTreeData* pData, LPCTSTR lpszRootCode, int nDisplayMode, int bBuild)
{
    // Items stand for records of the data they were built from; other data's records are
    // mapped to them again by the build or the relabelling below.
    if (pData != m_pData)
        m_pItems->itemOf.clear();
    if (!m_bBound && m_pData != NULL)
        delete m_pData;
    else if (m_pData != NULL)
        m_pData->RemoveWatcher(OnDataGone, this);
    m_bBound = 1;
    m_pData = pData;
    m_nDisplayMode = nDisplayMode;
    if (m_pData == NULL)
    {
        // A tree always has data to look at; a null binding leaves it an empty one of its own.
        m_pData = new CTreeData;
        m_bBound = 0;
    }
    else
        m_pData->AddWatcher(OnDataGone, this);
    if (bBuild)
        BuildTree(lpszRootCode);
    else if (m_hWnd)
    {
        ::SendMessageA(m_hWnd, WM_SETREDRAW, 0, 0);
        ReplaceText(TVI_ROOT);
        ::SendMessageA(m_hWnd, WM_SETREDRAW, 1, 0);
    }
}

void CTree10::OnDataGone(void* pWatcher, CTreeData* pData)
{
    CTree10* pTree = (CTree10*)pWatcher;
    if (pTree->m_pData != pData || !pTree->m_bBound)
        return;
    pTree->m_pData = new CTreeData;
    pTree->m_bBound = 0;
    pTree->m_pItems->itemOf.clear();
}

// Items leave the map before the control frees them, whoever asked for the deletion.
LRESULT CTree10::OnDeleteItemMsg(WPARAM, LPARAM lParam)
{
    HTREEITEM hItem = (HTREEITEM)lParam;
    if (IsOwnItem(hItem))
        ForgetSubtree(hItem);
    LRESULT lResult = Default();
    if (GetCount() == 0)
        m_pItems->Clear();
    return lResult;
}

void CTree10::ForgetSubtree(HTREEITEM hItem)
{
    std::vector<HTREEITEM> stack(1, hItem);
    while (!stack.empty())
    {
        HTREEITEM h = stack.back();
        stack.pop_back();
        m_pItems->Forget(h);
        for (HTREEITEM c = GetChildItem(h); c; c = GetNextSiblingItem(c))
            stack.push_back(c);
    }
}

// Pre-order without recursion: a stack of the siblings still to visit.
void CTree10::GetAllNodes(HTREEITEM hItem, CArray<HTREEITEM, HTREEITEM>& arrNodes)
{
    std::vector<HTREEITEM> stack(1, hItem);
    while (!stack.empty())
    {
        HTREEITEM h = stack.back();
        stack.pop_back();
        HTREEITEM hChild = GetChildItem(h);
        if (hChild == NULL)
            continue;
        if (h != TVI_ROOT)
            arrNodes.Add(h);
        const size_t nFirst = stack.size();
        for (; hChild; hChild = GetNextSiblingItem(hChild))
            stack.push_back(hChild);
        std::reverse(stack.begin() + nFirst, stack.end());
    }
}

void CTree10::ExpandChildren(HTREEITEM hItem, int bExpand)
{
    CArray<HTREEITEM, HTREEITEM> arrNodes;
    GetAllNodes(hItem, arrNodes);
    for (INT_PTR i = 0; i < arrNodes.GetSize(); i++)
    {
        if (bExpand)
        {
            SetItemImage(arrNodes[i], 3, 2);
            Expand(arrNodes[i], TVE_EXPAND);
        }
        else
        {
            SetItemImage(arrNodes[i], 1, 0);
            Expand(arrNodes[i], TVE_COLLAPSE);
        }
    }
}

void CTree10::ExpandItem(LPCTSTR lpszCode, int bExpandAll)
{
    HTREEITEM hItem = GetItem(lpszCode);
    if (hItem == NULL || m_hWnd == NULL)
        return;
    if (m_bSingleExpand)
    {
        for (HTREEITEM h = GetChildItem(TVI_ROOT); h; h = GetNextSiblingItem(h))
            ExpandChildren(h, 0);
    }
    AutoCollapseSibling(hItem);
    if (bExpandAll)
        ExpandChildren(hItem, 1);
    else
        Expand(hItem, TVE_EXPAND);
    Select(hItem, TVGN_CARET);
    EnsureVisible(hItem);
}
