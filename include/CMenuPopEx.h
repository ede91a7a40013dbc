// Context menus built item by item and shown at a point: command items, separators and nested
// submenus, each with an optional picture, check mark, greyed state and shortcut text. Owner-
// drawn menus show a picture column on the left, a rounded gradient selection and right-aligned
// shortcuts; the chosen command comes back as the result of Popup.
//
// As in the system's menus, separators are never selected (a click on one leaves the menu open,
// the keyboard passes over it), and a greyed item the keyboard reaches shows the selection's
// edge around its grey text.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxcoll.h>
#include <afxtempl.h>

class CMenuEx;
struct CMenuItemData;

// One item of a CMenuPopEx. The text "-" makes it a separator; an item that other items name
// as their parent opens a submenu holding them. A tab in the text starts its shortcut
// ("Find\tCtrl+F"), shown right-aligned in the shortcut column like one SetShortcut gives.
class AFX_EXT_CLASS CMenuItem
{
public:
    CMenuItem(int nID, int nParentID, LPCTSTR lpszText);
    virtual ~CMenuItem();

    BOOL IsSeparator() const;
    // The upper-case letter after a single '&' in the label; 0 when there is none.
    UINT GetMnemonic() const;
    // The text up to its first tab.
    CString GetLabel() const;
    // The shortcut SetShortcut gave, else the text after the first tab; empty when neither.
    CString GetShortcutText() const;
    // Forgets the picture, deleting the image list and icon when the item owns them.
    void ReleasePictures();

    int m_nID;
    int m_nParentID;
    CString m_strText;
    CString m_strShortcut;
    int m_bChecked;
    int m_bEnabled;
    CImageList* m_pImageList;
    int m_nImageIndex;
    HICON m_hIcon;
    int m_bOwnsPictures;
    int m_nImageWidth;
    int m_nImageHeight;
    int m_nTextWidth;      // measured by Popup
    int m_nShortcutWidth;  // measured by Popup; 0 without a shortcut
    CMenuEx* m_pSubMenu;   // set while an owner-drawn menu is built; not owned

private:
    CMenuItem(const CMenuItem&);
    CMenuItem& operator=(const CMenuItem&);
};

class CDpiScale;

// Appearance shared by every level of one CMenuPopEx. Colours are 0x00BBGGRR. Sizes are made
// at each owner-drawn Popup for the DPI of the owner window.
class MenuLook
{
public:
    MenuLook();
    ~MenuLook();
    // n 96-DPI pixels at the DPI of the last Popup.
    int Scale(int n) const;

    int m_nItemHeight;    // the system's menu height, taken at each owner-drawn Popup
    int m_nLeftBarWidth;  // width of the picture column
    CDpiScale* m_pDpi;    // owned: the DPI of the last Popup
    CFont m_font;         // the system's menu font, made at each owner-drawn Popup
    COLORREF m_crBk;
    COLORREF m_crText;
    COLORREF m_crLeftBar;
    COLORREF m_crSelected1;
    COLORREF m_crSelected2;
    COLORREF m_crSelected3;
    CUIntArray m_arrCommandIds;  // every plain command id appended while building

private:
    MenuLook(const MenuLook&);
    MenuLook& operator=(const MenuLook&);
};

// One level of a shown menu, attached to its menu handle. Owner-drawn levels measure and draw
// their own items.
class AFX_EXT_CLASS CMenuEx : public CMenu
{
public:
    CMenuEx();
    virtual ~CMenuEx();

    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    // Appends an owner-drawn item whose item data carries the item's text for screen readers
    // (pItem null for a separator).
    BOOL AppendOwnerDrawn(UINT nFlags, UINT_PTR nIDNewItem, CMenuItem* pItem);
    // TRUE when the item data is that of an item appended here.
    BOOL HoldsItemData(ULONG_PTR nItemData) const;
    // The answer to WM_MENUCHAR for a character typed while this level is open.
    LRESULT OnMenuChar(UINT nChar);

    MenuLook* m_pLook;                               // not owned
    CArray<CMenuItem*, CMenuItem*> m_arrItems;       // non-separator items, not owned
    CArray<CMenuItem*, CMenuItem*> m_arrPopupItems;  // owner-drawn items opening submenus

protected:
    // The item a measure or draw request names, as the system gives its id.
    CMenuItem* FindByCommand(UINT nItemID) const;
    CMenuItem* FindByPopupHandle(UINT nItemID) const;
    // The place of the item with that id in this level (submenus not searched), and the
    // submenu it opens; -1 when there is none.
    int PositionOf(UINT nItemID, HMENU* phSubMenu = NULL) const;
    // The colour of the selection's rounded edge.
    COLORREF SelectionEdge() const;
    void DrawSelection(CDC* pDC, const CRect& rcItem);
    // The rounded edge alone: the selection of a greyed item.
    void DrawSelectionFrame(CDC* pDC, const CRect& rcItem, COLORREF crEdge);
    void DrawPicture(CDC* pDC, CMenuItem* pItem, CRect rcBar, UINT nState);
    void DrawTexts(CDC* pDC, CMenuItem* pItem, CRect rcText, UINT nState);
    void FreeItemData();

    CArray<CMenuItemData*, CMenuItemData*> m_arrItemData;  // owned
};

class AFX_EXT_CLASS CMenuPopEx
{
public:
    // nDrawMode: 0 the system draws the menu; 1 owner-drawn except on Windows Vista; 2 always
    // owner-drawn; other values act as 0.
    CMenuPopEx(HWND hOwner, int nDrawMode);
    virtual ~CMenuPopEx();

    // -- Items: each returns the item, or null when refused (an id below 1 that is not a
    //    separator). The same id again changes that item's text and parent.
    // An icon of nSize x nSize pixels; the item destroys it when bOwn is set.
    virtual CMenuItem* SetItem(int nID, LPCTSTR lpszText, int nParentID, HICON hIcon, int nSize, int bOwn);
    // A bitmap, masked by the colour most of its corners share; the caller keeps the bitmap.
    virtual CMenuItem* SetItem(int nID, LPCTSTR lpszText, int nParentID, CBitmap* pBitmap);
    // An image of a list the caller keeps alive.
    virtual CMenuItem* SetItem(int nID, LPCTSTR lpszText, int nParentID, CImageList* pImageList, int nIndex);
    virtual CMenuItem* SetItem(int nID, LPCTSTR lpszText, int nParentID = 0);
    // Unknown ids are ignored.
    virtual void SetShortcut(int nID, LPCTSTR lpszShortcut);
    virtual void SetCheck(int nID, int bCheck);
    virtual void SetEnable(int nID, int bEnable);
    // Shows the menu with its top-left corner at the screen point ((0, 0): the cursor) and
    // returns the chosen command id, or 0 when dismissed. The owner is sent no command.
    virtual int Popup(int x = 0, int y = 0);

    // -- Appearance (setters return the previous value) ----------------------------------
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF SetTextColor(COLORREF crColor);
    COLORREF SetLeftBarColor(COLORREF crColor);
    void SetSelectedColor(COLORREF crColor1, COLORREF crColor2, COLORREF crColor3);
    int SetScaleMode(int nMode);

    BOOL IsOwnerDrawn() const;
    HWND GetOwner() const { return m_hOwner; }

protected:
    virtual int FindItem(int nID);
    virtual void CreateSubMenu(CMenuEx* pMenu, CUIntArray& arrIds, int nParentID);

    void MeasureTexts();
    BOOL HasChildren(int nID) const;
    // The shown level with that handle, or the one holding the item data; null when none.
    CMenuEx* FindLevel(HMENU hMenu) const;
    CMenuEx* FindLevelOfItemData(ULONG_PTR nItemData) const;
    void DeleteRootMenu();
    int Track(int x, int y);
    // How the menu is tracked for that owner: without animation while the user's menu animation
    // is off, mirrored for a right-to-left owner or process.
    static UINT TrackFlags(HWND hOwner);
    static LRESULT CALLBACK OwnerProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR uIdSubclass, DWORD_PTR dwRefData);

    CArray<CMenuItem*, CMenuItem*> m_arrItems;   // owned, in order of addition
    CArray<CMenuEx*, CMenuEx*> m_arrSubMenus;     // owned
    HWND m_hOwner;
    CMenuEx* m_pRootMenu;                         // owned; the last Popup's top level
    MenuLook* m_pLook;                            // owned
    int m_nDrawMode;
    int m_nScaleMode;

private:
    CMenuPopEx(const CMenuPopEx&);
    CMenuPopEx& operator=(const CMenuPopEx&);
};
