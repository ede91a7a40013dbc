// The navigation tree: a system tree view showing the records of a CTreeData, painted through
// an off-screen buffer with a hover highlight, selecting items as the mouse passes, keeping one
// branch open, and reporting clicks, double clicks, right clicks and drops to host windows.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <vector>

#include "CTreeData.h"

class CTree10;
class CPic;

// One registry entry: the window a tree had when it registered, and the tree.
struct TREE10INFO
{
    HWND hWnd;
    CTree10* pTree;
};

class CDpiScale;

class AFX_EXT_CLASS CTree10 : public CTreeCtrl
{
public:
    // -- construction --------------------------------------------------------------------
    CTree10();
    virtual ~CTree10();

    // -- registry ------------------------------------------------------------------------
    static void RegisterMe(CTree10* pTree);
    // The tree of the first registry entry holding this window, or null.
    static CTree10* GetObject(HWND hWnd);
    static int GetRegistryCount();

    // -- records and items ---------------------------------------------------------------
    void AddItem(LPCTSTR lpszCode, LPCTSTR lpszText, LPCTSTR lpszTip);
    int SetItem(LPCTSTR lpszCode, LPCTSTR lpszText, LPCTSTR lpszTip);
    int _DeleteItem(LPCTSTR lpszCode);
    // This tree's item of the code's record, or null.
    HTREEITEM GetItem(LPCTSTR lpszCode);
    // Whether this tree made the item and it still exists; only such items are handed to the
    // control, so an item of another tree or a made-up one cannot mislead it.
    BOOL IsOwnItem(HTREEITEM hItem) const;
    // Empty for an item that is not this tree's, or whose record is gone.
    CString GetItemCode(HTREEITEM hItem);
    CString GetItemTip(HTREEITEM hItem);
    void BuildTree(LPCTSTR lpszRootCode);
    void BindTreeData(CTreeData* pData, LPCTSTR lpszRootCode, int nDisplayMode, int bBuild);
    void ExpandItem(LPCTSTR lpszCode, int bExpandAll);
    CTreeData* GetTreeData() const { return m_pData; }
    int GetDisplayMode() const { return m_nDisplayMode; }

    // -- appearance ----------------------------------------------------------------------
    // A height the host sets is in device pixels and stays through DPI changes; until it sets
    // one, rows are 18 pixels at 96 DPI, scaled to the tree's DPI.
    int SetLineHeight(int nHeight);
    int GetLineHeight() const { return m_nLineHeight; }
    // The tree's DPI and the sizes it chooses at that DPI.
    const CDpiScale& GetDpiScale() const { return *m_pDpi; }
    int SetTreeNodeImg(int nIndex);
    int GetTreeNodeImg() const { return m_nNodeImg; }
    int SetTreeLeafImg(int nIndex);
    int GetTreeLeafImg() const { return m_nLeafImg; }
    COLORREF SetBackColor(COLORREF clr);
    COLORREF GetBackColor() const { return m_clrBack; }
    COLORREF GetTextColor() const { return m_clrText; }
    void SetBkImage(LPCTSTR lpszPath);
    int SetBorder(int nBorder);
    int GetBorder() const { return m_nBorder; }
    int IsColorMode() const { return m_bColorMode; }

    // -- behaviour -----------------------------------------------------------------------
    int SetSingleExpand(int bOn);
    int GetSingleExpand() const { return m_bSingleExpand; }
    int SetMousemoveSelect(int bOn);
    int GetMousemoveSelect() const { return m_bMousemoveSelect; }
    // Performs a click on the item: a node opens or closes, the select message goes out.
    // FALSE when the host destroyed the tree while it was told (the object is gone then).
    BOOL _OnSelectItem(HTREEITEM hItem);

    void SetSendMsg(HWND hWnd, int nMsg);
    void SetSendMsg_DblClick(HWND hWnd, int nMsg);
    void SetSendMsg_RButtonDown(HWND hWnd, int nMsg);
    void SetSendMsg_ItemChanged(HWND hWnd, int nMsg);
    void SetDragHwnd(HWND hWnd);

    // The clock behind the click rule, in milliseconds (clock() by default). A test may put
    // its own in place; null restores the default. Returns the previous one.
    typedef long (*PFNCLOCK)();
    static PFNCLOCK SetClock(PFNCLOCK pfn);

    // Paints the whole client area into a device context as the screen shows it.
    void PaintTo(HDC hDC);
    // Gives the system control the colours of the moment when the settings changed since last
    // time (system colours or the tree's own).
    void SyncColours();

    // The registered message that asks a tree to open its single top-level branch; the
    // module registers it once at load.
    static const UINT& m_MsgExpandSingleNode;

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();

    CString ComposeLabel(int nIndex);
    void ReplaceText(HTREEITEM hItem);
    // Every item of the subtree that has children, in pre-order.
    void GetAllNodes(HTREEITEM hItem, CArray<HTREEITEM, HTREEITEM>& arrNodes);
    void ExpandChildren(HTREEITEM hItem, int bExpand);
    void AutoCollapseSibling(HTREEITEM hItem);
    BOOL _SelectItem(HTREEITEM hItem);
    void MakeImageList();
    int IsMouseOverTargetHwnd(CPoint ptScreen);
    void OnMouseMove_Drag(UINT nFlags, CPoint point);
    void BeginDrag(HTREEITEM hItem, POINT ptDrag);
    // Ends a drag; with bDrop, tells the drag window of a drop over it. FALSE when the drag
    // window destroyed the tree meanwhile.
    BOOL EndDrag(BOOL bDrop);
    void CollapseOtherTopItems(HTREEITEM hKeep);
    // Sends WM_USER + nMsg to hWnd when hWnd is set. FALSE when the receiver destroyed the
    // tree meanwhile: the object went with its window and the caller must not touch it.
    BOOL Notify(HWND hWnd, int nMsg, LPARAM lParam);
    CToolTipCtrl* Tips();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    // The row height the system is told, without taking it as the host's.
    void ApplyLineHeight(int nHeight);
    void MakeHoverFont();
    // Without a font of the host's, the tree shows the library's interface font for its DPI.
    void ApplyOwnFont();
    afx_msg LRESULT OnSetFontMsg(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnExpandSingleNode(WPARAM wParam, LPARAM lParam);
    afx_msg void OnBegindrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnDeleteItemMsg(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

    CTreeData* m_pData;
    int m_bBound;
    CImageList m_ImageList;
    int m_nNodeImg;
    int m_nLeafImg;
    COLORREF m_clrBack;
    COLORREF m_clrText;
    int m_bColorMode;
    DWORD m_dwColourGeneration;  // the settings' change count the control's colours were set at
    CPic* m_pPic;
    CFont m_fontHover;
    HCURSOR m_hHandCursor;
    int m_nLineHeight;
    BOOL m_bLineHeightGiven;  // the host set the row height
    CDpiScale* m_pDpi;        // owned
    BOOL m_bFontGiven;        // the host set the font
    BOOL m_bApplyingFont;     // the font being set is the library's own
    int m_bSingleExpand;
    int m_bMousemoveSelect;
    int m_nBorder;
    int m_nDisplayMode;
    CImageList* m_pDragImage;
    HTREEITEM m_hDragItem;
    int m_bCollapsing;
    HWND m_hWndSelect;
    HWND m_hWndItemChanged;
    HWND m_hWndDrag;
    HWND m_hWndDblClk;
    HWND m_hWndRButton;
    int m_nMsgSelect;
    int m_nMsgItemChanged;
    int m_nMsgDblClk;
    int m_nMsgRButton;
    HTREEITEM m_hTipItem;
    HTREEITEM m_hPendingClick;
    long m_tLastSelect;

    static CArray<TREE10INFO*, TREE10INFO*> m_arrMap;

private:
    static void UnregisterMe(CTree10* pTree);
    // Told by bound data that is being destroyed: the tree keeps its items and takes empty
    // data of its own.
    static void OnDataGone(void* pTree, CTreeData* pData);
    void KeepShape(const std::vector<HTREEITEM>& items, const std::vector<int>& parents, int nStart);
    void ForgetSubtree(HTREEITEM hItem);
    BOOL DeleteInPieces(HTREEITEM hItem);
    int m_bRegistered;
    // The items this tree made and the records they show, both ways. Records are shared by
    // every tree bound to the same data, so the record's own item field serves one tree only.
    struct CItemMap;
    CItemMap* m_pItems;

    CTree10(const CTree10&);
    CTree10& operator=(const CTree10&);
};
