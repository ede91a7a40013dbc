// Tree data: an ordered collection of records whose codes define the hierarchy (a record's
// parent is the nearest earlier record, in code order, whose code is a prefix of its own).
// The same collection feeds the tree control, is saved to a scrambled text file, and is turned
// into plain system menus.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

// One record. Owned by its CTreeData, which places it, together with its shorter texts, in
// large blocks of its own rather than a heap block per record and per string; only the
// collection frees it. The texts of a loaded record lie in the collection's copy of the file,
// which lives until the collection is emptied, loaded again or destroyed.
struct treedatas
{
    HTREEITEM hItem;        // item showing this record in a tree control; 0 until built
    CString strCode;        // the key, trimmed, never empty
    CString strText;        // display text, trimmed; "-" is a menu separator, "&" a mnemonic
    CString strDetail;      // secondary text, trimmed
    CString strTip;         // tooltip, trimmed; empty means "read it from the file on demand"
    int nLevel;             // depth, 0 for a top-level record
    int nTipOffset;         // file offset of the tip in the data's file; 0 means none
    CString strLLAFile;     // host attribute, kept as given
    int nLLASeq;            // host attribute
    // Numbers the records of the collections one after another (a number comes back only
    // after four billion more records), so that a view showing records of a collection it does
    // not own can keep its items by record even when a freed record's memory is reused. It
    // takes room a 64-bit build leaves free after nLLASeq; 0 for a record no collection made.
    UINT nSerial;

    treedatas() : hItem(NULL), nLevel(0), nTipOffset(0), nLLASeq(0), nSerial(0) {}
};

class AFX_EXT_CLASS CTreeData
{
public:
    // construction
    CTreeData();
    // Frees the records; menus made by GenMenu stay alive (their owner calls DestroyMenus).
    // Watchers are told first.
    virtual ~CTreeData();

    // A window that shows the data without owning it watches it, so that it is told when the
    // data is destroyed and never follows a freed collection.
    typedef void (*PFNDATAGONE)(void* pWatcher, CTreeData* pData);
    void AddWatcher(PFNDATAGONE pfn, void* pWatcher);
    void RemoveWatcher(PFNDATAGONE pfn, void* pWatcher);

    // records
    void AddItem(LPCTSTR lpszCode, LPCTSTR lpszText, LPCTSTR lpszDetail, LPCTSTR lpszTip,
                 int nLevel, int nTipOffset, LPCTSTR lpszLLAFile, int nLLASeq);
    // Removes every record whose code begins with the prefix (all of them for an empty prefix).
    void DeleteItems(LPCTSTR lpszPrefix);
    void Empty();

    // attributes
    int GetSize() const;
    treedatas* GetAt(int nIndex) const;
    // Index of the record with exactly this code (sorting first), or -1.
    int Search(LPCTSTR lpszCode);
    treedatas* FindByCode(LPCTSTR lpszCode);
    int IsNode(int nIndex);
    // Mode 1 gives the text trimmed and without "&" marks, as a tree shows it.
    CString GetText(int nIndex, int nMode = 0) const;
    CString GetID(int nIndex) const;
    CString GetDetail(int nIndex) const;
    // The stored tip, or the tip read from the data's file when none is stored.
    CString GetTip(int nIndex) const;
    int GetLevel(int nIndex) const;
    CString GetLLAFile(int nIndex) const;
    int GetLLASeq(int nIndex) const;

    // order and hierarchy
    // Code order; records of equal codes stay in the order they were added (or loaded) in.
    void Sort();
    void BuildLevel();

    // file
    // A save writes every text so that a load gives it back as it was (see lumo.h).
    CString GetTimeStamp() const;
    BOOL SaveToFile(LPCTSTR lpszPath, LPCTSTR lpszTimeStamp);
    BOOL LoadFromFile(LPCTSTR lpszPath);

    // menus
    // A menu bar (popup flag 0) or popup menu of the children of a code (the whole collection
    // for an empty code); null for an unknown code, a separator record, an empty collection, or
    // more than LMENU_MAX_MENU_ITEMS entries for one menu. Menus nest at most LMENU_MAX_LEVELS
    // deep (lumo.h): records below a node at that depth follow it in the deepest menu.
    HMENU GenMenu(LPCTSTR lpszCode, int bPopup);
    // Destroys the menus GenMenu made, except the bars ChangeMenu gave to windows.
    void DestroyMenus();
    // Sets a menu bar made from the code on the window; the bar then belongs to the window, and
    // the bar it replaces is destroyed when ChangeMenu had set it. FALSE (and no menu left
    // behind) when no menu could be made or the window refused it.
    BOOL ChangeMenu(HWND hWnd, LPCTSTR lpszCode);

protected:
    // Writes a piece of the file to an open file; FALSE when any byte could not be written.
    virtual BOOL WriteFileBody(CFile& file, const BYTE* pData, UINT nLength);

private:
    static int qsortTree(const void* p1, const void* p2);
    static int bsearchTree(const void* pKey, const void* pElem);

    void AddRecord(const char* pCode, int nCode, const char* pText, int nText,
                   const char* pDetail, int nDetail, const char* pTip, int nTip,
                   int nLevel, int nTipOffset, const char* pLLAFile, int nLLAFile, int nLLASeq);
    treedatas* MakeRecord(const char* pCode, int nCode, const char* pText, int nText,
                          const char* pDetail, int nDetail, const char* pTip, int nTip,
                          int nLevel, int nTipOffset, const char* pLLAFile, int nLLAFile,
                          int nLLASeq);
    // Record storage: see the block layout in the implementation.
    struct PoolChunk;
    void* TakeSlot(size_t nSlot);
    void FreeRecord(treedatas* pRec);
    struct LoadSpill;
    char* TakeSpill(size_t nBlock);
    void ReleaseLoad();
    // What tells a file from its own earlier content and, mostly, from another file put in
    // its place: its size and the times it was made and last written.
    struct FileStamp
    {
        DWORD dwSizeHigh;
        DWORD dwSizeLow;
        FILETIME ftCreation;
        FILETIME ftWrite;
    };
    static bool StampOf(HANDLE hFile, FileStamp& stamp);
    static bool StampOf(LPCTSTR lpszPath, FileStamp& stamp);
    struct TipSource;
    BOOL ParseFile(LPCTSTR lpszPath);
    void TakeRecords(CTreeData& from);
    CString ReadTip(int nOffset) const;
    HMENU AddMenu(int bPopup);
    // Writes a new file beside the old one with writeBody(CFile&) and puts it in its place.
    template <class WriteBody>
    BOOL WriteTempAndReplace(const CString& strPath, WriteBody writeBody);
    struct RunWriter;

    CArray<treedatas*, treedatas*> m_arrData;
    // Every menu and submenu GenMenu has made, a menu before its submenus.
    CArray<HMENU, HMENU> m_arrMenus;
    int m_bSorted;
    int m_bLevelBuilt;
    CString m_strTimeStamp;
    CString m_strFileName;
    FileStamp m_stamp;          // of the file named above, as it was loaded or saved
    bool m_bTipsInFile;         // some record's tip lies in that file only
    bool m_bFileEscaped;        // that file holds its texts escaped (tabs and line breaks as pairs)
    // The records were loaded in an order other than code order and kept so: Search looks at
    // each in turn, since a binary search would miss codes.
    bool m_bUnordered;
    PoolChunk* m_pChunk;        // the block new records go to; null before the first
    size_t m_nNextChunk;        // size of the block made after it
    // What the last load keeps: the file's text, in which the loaded records' texts lie, the
    // records themselves, one after another, and blocks for texts that found no room in the file.
    char* m_pLoadText;
    treedatas* m_pLoadRecords;
    int m_nLoadRecords;
    LoadSpill* m_pSpill;
    struct Watcher
    {
        PFNDATAGONE pfn;
        void* pWatcher;
    };
    CArray<Watcher, const Watcher&> m_arrWatchers;

    CTreeData(const CTreeData&) = delete;
    CTreeData& operator=(const CTreeData&) = delete;
};
