// CTree10: construction, the registry of live trees, items built from the tree data, labels.
#include "CTree10.h"
#include "frame/HostNotify.h"
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
#include "frame/DpiScale.h"

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

// The platform's tree view deletes a branch by recursing into it, one call per level below it:
// a deep enough branch would exhaust the stack. The tree deletes such a branch in pieces, from the
// bottom up, starting at items this many levels apart, so the platform never recurses twice as
// deep.
const int kPieceDepth = 128;

struct CTree10::CItemMap
{
    struct Entry
    {
        UINT nRecord;   // the record's number (treedatas::nSerial)
        int nBuilt;     // the item's place in the arrays below
    };
    std::unordered_map<HTREEITEM, Entry> recordOf;
    std::unordered_map<UINT, HTREEITEM> itemOf;

    // The shape of the last build, which only deletions change: the items in pre-order (null
    // once deleted), and for each the place after its last descendant; the places of the top
    // level items, and of the items a deletion takes off first (see DeleteInPieces), ascending.
    std::vector<HTREEITEM> built;
    std::vector<int> subtreeEnd;
    std::vector<int> tops;
    std::vector<int> pieces;

    void Add(HTREEITEM hItem, UINT nRecord, int nBuilt)
    {
        recordOf[hItem] = Entry{ nRecord, nBuilt };
        itemOf[nRecord] = hItem;
    }
    // The item now shows another record, in the same place.
    void Relabel(HTREEITEM hItem, UINT nRecord)
    {
        auto it = recordOf.find(hItem);
        if (it == recordOf.end())
            return;
        auto jt = itemOf.find(it->second.nRecord);
        if (jt != itemOf.end() && jt->second == hItem)
            itemOf.erase(jt);
        it->second.nRecord = nRecord;
        itemOf[nRecord] = hItem;
    }
    void Forget(HTREEITEM hItem)
    {
        auto it = recordOf.find(hItem);
        if (it == recordOf.end())
            return;
        auto jt = itemOf.find(it->second.nRecord);
        if (jt != itemOf.end() && jt->second == hItem)
            itemOf.erase(jt);
        built[(size_t)it->second.nBuilt] = NULL;
        recordOf.erase(it);
    }
    // The place of an item of this tree, or -1.
    int PlaceOf(HTREEITEM hItem) const
    {
        auto it = recordOf.find(hItem);
        return it == recordOf.end() ? -1 : it->second.nBuilt;
    }
    void Clear()
    {
        recordOf.clear();
        itemOf.clear();
        built.clear();
        subtreeEnd.clear();
        tops.clear();
        pieces.clear();
    }
};

namespace
{
// Row height in 96-DPI pixels until the host sets one.
const int kTreeLineHeight = 18;
}  // namespace

BEGIN_MESSAGE_MAP(CTree10, CTreeCtrl)
    ON_WM_CREATE()
    ON_REGISTERED_MESSAGE(CDpiScale::m_msgDpiChanged, OnDpiChanged)
    ON_MESSAGE(WM_SETFONT, OnSetFontMsg)
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
    ON_WM_KEYDOWN()
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
      m_nLineHeight(kTreeLineHeight),
      m_bLineHeightGiven(FALSE),
      m_pDpi(new CDpiScale),
      m_bFontGiven(FALSE),
      m_bApplyingFont(FALSE),
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
    delete m_pDpi;
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
    m_pDpi->Attach(m_hWnd);
}

void CTree10::MakeHoverFont()
{
    m_fontHover.DeleteObject();
    HFONT hFont = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    if (hFont == NULL)
        hFont = m_pDpi->GuiFont();
    LOGFONTA lf;
    if (::GetObjectA(hFont, sizeof(lf), &lf) == sizeof(lf))
    {
        lf.lfUnderline = TRUE;
        m_fontHover.CreateFontIndirect(&lf);
    }
}

// The system's tree keeps the font it made when it was created, for the DPI of that moment: the
// library gives it one for the tree's DPI, and another at each change, unless the host gave one.
void CTree10::ApplyOwnFont()
{
    if (m_bFontGiven)
        return;
    m_bApplyingFont = TRUE;
    ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)m_pDpi->GuiFont(), FALSE);
    m_bApplyingFont = FALSE;
}

LRESULT CTree10::OnSetFontMsg(WPARAM wParam, LPARAM)
{
    if (m_bApplyingFont)
        return Default();
    // A host's null font gives the choice back to the library.
    m_bFontGiven = wParam != 0;
    const LRESULT lr = Default();
    if (!m_bFontGiven)
        ApplyOwnFont();
    return lr;
}

// The font, the row height, the pictures and the hover font are made again for the new DPI.
LRESULT CTree10::OnDpiChanged(WPARAM, LPARAM)
{
    ApplyOwnFont();
    if (!m_bLineHeightGiven)
        ApplyLineHeight(m_pDpi->Scale(kTreeLineHeight));
    MakeHoverFont();
    MakeImageList();
    Invalidate(TRUE);
    return 0;
}

int CTree10::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTreeCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;

    if (m_pDpi->GetSafeHwnd() != m_hWnd)
        m_pDpi->Attach(m_hWnd);
    ApplyOwnFont();
    MakeHoverFont();
    if (!m_bLineHeightGiven)
        m_nLineHeight = m_pDpi->Scale(kTreeLineHeight);

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
    // The system control deletes the items it still holds as it goes.
    if (!DeleteInPieces(TVI_ROOT))
        return;
    CTreeCtrl::OnDestroy();
    UnregisterMe(this);
    m_pDpi->Detach();
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
// code is a prefix of its own, in the data's present order (a loaded file keeps its own). Data
// of any depth makes a tree: nothing here recurses, and deletions keep the system control's own
// recursion short (DeleteInPieces).
void CTree10::BuildTree(LPCTSTR lpszRootCode)
{
    m_pData->BuildLevel();
    if (m_hWnd == NULL)
        return;
    const HWND hSelf = m_hWnd;
    DeleteAllItems();
    if (!HostNotify::Alive(this, hSelf))
        return;   // a host destroyed the tree while its items went
    m_pItems->Clear();

    CString strRoot = lpszRootCode ? lpszRootCode : "";
    int nStart = 0;
    if (!strRoot.IsEmpty())
    {
        nStart = m_pData->Search(strRoot);
        if (nStart < 0)
            return;
    }

    const int nSize = m_pData->GetSize();
    // Per record from nStart on: the item it got in this build (null: none), and the record
    // its item went under (-1: the top level).
    std::vector<HTREEITEM> items((size_t)(nSize - nStart), NULL);
    std::vector<int> parents((size_t)(nSize - nStart), -1);
    CParentScan scan(*m_pData, nStart);

    // Drawing stays off while the items go in: the control would otherwise recompute its
    // scroll range and repaint after every insert.
    ::SendMessageA(m_hWnd, WM_SETREDRAW, 0, 0);
    TVINSERTSTRUCTA tvis;
    memset(&tvis, 0, sizeof(tvis));
    tvis.hInsertAfter = TVI_LAST;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;

    int nEnd = nStart;
    for (int i = nStart; i < nSize; i++)
    {
        treedatas* pRec = m_pData->GetAt(i);
        if (!strRoot.IsEmpty() &&
            (pRec->strCode.GetLength() < strRoot.GetLength() ||
             memcmp((LPCTSTR)pRec->strCode, (LPCTSTR)strRoot, (size_t)strRoot.GetLength()) != 0))
            break;
        nEnd = i + 1;

        const int nParent = scan.FindParent(i);
        HTREEITEM hParent = nParent < 0 ? NULL : items[nParent - nStart];
        const bool bTop = hParent == NULL;

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
        }
        items[i - nStart] = hItem;
        parents[i - nStart] = bTop ? -1 : nParent - nStart;
        if (bTop)
            scan.SetTop(i);
    }
    items.resize((size_t)(nEnd - nStart));
    parents.resize((size_t)(nEnd - nStart));
    KeepShape(items, parents, nStart);
    ::SendMessageA(m_hWnd, WM_SETREDRAW, 1, 0);
    ::SendMessageA(m_hWnd, TVM_EXPAND, TVE_EXPAND, (LPARAM)TVI_ROOT);
}

// Enters the items of a build in the item map with the shape of the tree they make: a record's
// parent comes before it, and siblings went in in record order, so the tree's pre-order follows
// from a walk over the children lists.
void CTree10::KeepShape(const std::vector<HTREEITEM>& items, const std::vector<int>& parents, int nStart)
{
    const int n = (int)items.size();
    // Children of each record in record order, as runs of one array.
    std::vector<int> firstChild((size_t)n + 1, 0);
    for (int i = 0; i < n; ++i)
        if (items[i] != NULL && parents[i] >= 0)
            ++firstChild[(size_t)parents[i] + 1];
    for (int i = 0; i < n; ++i)
        firstChild[(size_t)i + 1] += firstChild[(size_t)i];
    std::vector<int> children((size_t)firstChild[(size_t)n]);
    std::vector<int> filled(firstChild.begin(), firstChild.end() - 1);
    for (int i = 0; i < n; ++i)
        if (items[i] != NULL && parents[i] >= 0)
            children[(size_t)filled[(size_t)parents[i]]++] = i;

    CItemMap& map = *m_pItems;
    map.built.reserve((size_t)n);
    map.subtreeEnd.reserve((size_t)n);
    map.recordOf.reserve((size_t)n);
    map.itemOf.reserve((size_t)n);
    std::vector<int> height((size_t)n, 0);
    std::vector<int> place((size_t)n, -1);
    // A walk down from each top level item: the record and its next child to visit.
    std::vector<std::pair<int, int>> path;
    for (int nTop = 0; nTop < n; ++nTop)
    {
        if (items[nTop] == NULL || parents[nTop] >= 0)
            continue;
        path.push_back({ nTop, firstChild[(size_t)nTop] });
        for (;;)
        {
            if (path.back().second == firstChild[(size_t)path.back().first])
            {
                // entered
                const int i = path.back().first;
                place[(size_t)i] = (int)map.built.size();
                if (path.size() == 1)
                    map.tops.push_back(place[(size_t)i]);
                map.Add(items[i], m_pData->GetAt(nStart + i)->nSerial, place[(size_t)i]);
                map.built.push_back(items[i]);
                map.subtreeEnd.push_back(0);
            }
            std::pair<int, int>& at = path.back();
            if (at.second < firstChild[(size_t)at.first + 1])
            {
                const int c = children[(size_t)at.second++];
                path.push_back({ c, firstChild[(size_t)c] });
                continue;
            }
            // left: every descendant has been placed
            const int i = at.first;
            map.subtreeEnd[(size_t)place[(size_t)i]] = (int)map.built.size();
            const int nDepth = (int)path.size() - 1;
            if (nDepth > 0 && nDepth % kPieceDepth == 0 && height[(size_t)i] >= kPieceDepth)
                map.pieces.push_back(place[(size_t)i]);
            path.pop_back();
            if (path.empty())
                break;
            int& nParentHeight = height[(size_t)path.back().first];
            nParentHeight = std::max(nParentHeight, height[(size_t)i] + 1);
        }
    }
    std::sort(map.pieces.begin(), map.pieces.end());
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
            m_pItems->Relabel(h, m_pData->GetAt((int)nIndex)->nSerial);
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
LRESULT CTree10::OnDeleteItemMsg(WPARAM wParam, LPARAM lParam)
{
    HTREEITEM hItem = (HTREEITEM)lParam;
    if (!DeleteInPieces(hItem))
        return FALSE;   // the host destroyed the tree while it was told of a deletion
    ForgetSubtree(hItem);
    LRESULT lResult = DefWindowProc(TVM_DELETEITEM, wParam, lParam);
    if (GetCount() == 0)
        m_pItems->Clear();
    return lResult;
}

// An item of this tree and the items below it, as the last build placed them.
void CTree10::ForgetSubtree(HTREEITEM hItem)
{
    CItemMap& map = *m_pItems;
    const int nPlace = map.PlaceOf(hItem);
    if (nPlace < 0)
        return;
    for (int k = nPlace, nEnd = map.subtreeEnd[(size_t)nPlace]; k < nEnd; ++k)
        if (map.built[(size_t)k] != NULL)
            map.Forget(map.built[(size_t)k]);
}

// Before the system control deletes an item of this tree (or all of them, for TVI_ROOT), takes
// off the deep branches below it, the deepest first, each starting kPieceDepth levels below the
// next: every deletion then recurses less than twice that deep, and the pieces number at most
// one per kPieceDepth items. The branch is closed first, so that a selection inside it moves
// silently to it as a single deletion would leave it, instead of from piece to piece with a
// message to the host each time. FALSE when a host destroyed the tree while it was told of a
// deletion (the object is gone then).
BOOL CTree10::DeleteInPieces(HTREEITEM hItem)
{
    CItemMap& map = *m_pItems;
    int nFirst = 0;
    int nEnd = (int)map.built.size();
    HTREEITEM hClose = NULL;
    if (hItem != TVI_ROOT && hItem != NULL)
    {
        const int nPlace = map.PlaceOf(hItem);
        if (nPlace < 0)
            return TRUE;
        nFirst = nPlace + 1;
        nEnd = map.subtreeEnd[(size_t)nPlace];
        hClose = hItem;
    }
    auto first = std::lower_bound(map.pieces.begin(), map.pieces.end(), nFirst);
    auto last = std::lower_bound(first, map.pieces.end(), nEnd);
    std::vector<HTREEITEM> pieces;
    for (auto it = last; it != first;)
        if (HTREEITEM h = map.built[(size_t)*--it])
            pieces.push_back(h);
    if (pieces.empty())
        return TRUE;
    if (hClose == NULL)
    {
        // The top level branch that holds the selection, if this tree made it.
        const int nSelected = map.PlaceOf(GetSelectedItem());
        auto top = std::upper_bound(map.tops.begin(), map.tops.end(), nSelected);
        if (nSelected >= 0 && top != map.tops.begin())
            hClose = map.built[(size_t)*--top];
    }
    const HWND hSelf = m_hWnd;
    if (hClose != NULL)
        ::SendMessageA(hSelf, TVM_EXPAND, TVE_COLLAPSE, (LPARAM)hClose);
    for (HTREEITEM h : pieces)
    {
        ForgetSubtree(h);
        DefWindowProc(TVM_DELETEITEM, 0, (LPARAM)h);
        if (!HostNotify::Alive(this, hSelf))
            return FALSE;
    }
    return TRUE;
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

// The control lays a branch out again each time it opens or closes a node that shows, which for a
// deep branch costs as much as the branch each time. So the nodes are done in an order that
// keeps them hidden: closing, the branch's own node first, after which the nodes below it are
// hidden and only need their state set; opening, from the last node to the first, each still
// hidden under a closed parent, and nodes already open are left so.
void CTree10::ExpandChildren(HTREEITEM hItem, int bExpand)
{
    CArray<HTREEITEM, HTREEITEM> arrNodes;
    GetAllNodes(hItem, arrNodes);
    const INT_PTR nNodes = arrNodes.GetSize();
    if (nNodes == 0)
        return;
    if (!bExpand)
    {
        SetItemImage(arrNodes[0], 1, 0);
        Expand(arrNodes[0], TVE_COLLAPSE);
        TVITEMA tvi;
        memset(&tvi, 0, sizeof(tvi));
        tvi.mask = TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        tvi.stateMask = TVIS_EXPANDED;
        tvi.iImage = 1;
        tvi.iSelectedImage = 0;
        for (INT_PTR i = 1; i < nNodes; i++)
        {
            tvi.hItem = arrNodes[i];
            ::SendMessageA(m_hWnd, TVM_SETITEMA, 0, (LPARAM)&tvi);
        }
        return;
    }
    for (INT_PTR i = nNodes; i-- > 0;)
    {
        SetItemImage(arrNodes[i], 3, 2);
        if (!(GetItemState(arrNodes[i], TVIS_EXPANDED) & TVIS_EXPANDED))
            Expand(arrNodes[i], TVE_EXPAND);
    }
}

// The system control opens a whole branch for the key "*" by recursing once per level; the tree
// does it itself, without recursion (Ctrl+"*" stays the control's).
void CTree10::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    HTREEITEM hSelected = GetSelectedItem();
    if (nChar == VK_MULTIPLY && hSelected != NULL && ::GetKeyState(VK_CONTROL) >= 0)
    {
        ExpandChildren(hSelected, 1);
        return;
    }
    CTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
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
