// Tree data: records, their storage, order and levels.
#include "CTreeData.h"
#include "treedata/TreeDataText.h"
#include "frame/ReturnText.h"

#include <mbstring.h>
#include <limits.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <new>
#include <vector>

using namespace treedata;

namespace
{
// Record storage. Records are placed one after another in blocks taken from the heap, each
// record followed by the blocks of its texts, so a collection of 100,000 records makes a few
// hundred heap allocations instead of half a million:
//
//   block:  PoolChunk header | slot | slot | ...
//   slot:   PoolChunk* (the block it lies in) | treedatas | code | text | detail | tip | LLA file
//
// A block is freed when its last record goes, except the current one, which is reused from its
// start. Texts longer than kMaxPooledText get a heap block of their own, so that one huge field
// of a damaged file does not decide the size of a block.
const size_t kFirstChunk = 4096;
const size_t kMaxChunk = 65536;
const int kMaxPooledText = 4096;


inline size_t TextBlockSize(int nLength)
{
    return nLength > 0 && nLength <= kMaxPooledText ? RoundUp(CString::ExternalBlockSize(nLength), sizeof(int))
                                                    : 0;
}

// The same white space CString::Trim removes: the runtime's isspace, which follows the
// current locale.
struct RuntimeSpace
{
    bool operator()(char ch) const { return isspace((unsigned char)ch) != 0; }
};
} // namespace

struct CTreeData::PoolChunk
{
    size_t nSize;   // bytes of slots the block has room for
    size_t nUsed;   // bytes of slots handed out
    int nLive;      // slots whose record is still alive

    char* Slots() { return (char*)this + RoundUp(sizeof(PoolChunk), sizeof(void*)); }
};

// Room for the texts of loaded records that did not fit in the file's buffer; freed only with
// the load.
struct CTreeData::LoadSpill
{
    LoadSpill* pNext;
    size_t nSize;
    size_t nUsed;

    char* Data() { return (char*)this + RoundUp(sizeof(LoadSpill), sizeof(void*)); }
};

/////////////////////////////////////////////////////////////////////////////
// construction

static_assert(sizeof(void*) != 8 || sizeof(treedatas) == 64, "the serial number fills padding");

UINT treedata::TakeRecordNumbers(UINT nCount)
{
    static UINT s_nNext = 1;
    const UINT nFirst = s_nNext;
    s_nNext += nCount;
    return nFirst;
}

CTreeData::CTreeData()
    : m_bSorted(0), m_bLevelBuilt(0), m_stamp(), m_bTipsInFile(false), m_bFileEscaped(false),
      m_bUnordered(false),
      m_pChunk(NULL), m_nNextChunk(kFirstChunk), m_pLoadText(NULL),
      m_pLoadRecords(NULL), m_nLoadRecords(0), m_pSpill(NULL)
{
}

CTreeData::~CTreeData()
{
    ReturnText::Forget(this);
    // A watcher may unbind itself, or destroy other watchers' windows, while it is told.
    while (m_arrWatchers.GetSize() > 0)
    {
        const Watcher w = m_arrWatchers[m_arrWatchers.GetSize() - 1];
        m_arrWatchers.RemoveAt(m_arrWatchers.GetSize() - 1);
        w.pfn(w.pWatcher, this);
    }
    Empty();
    free(m_pChunk);
}

void CTreeData::AddWatcher(PFNDATAGONE pfn, void* pWatcher)
{
    if (pfn != NULL)
        m_arrWatchers.Add(Watcher{ pfn, pWatcher });
}

void CTreeData::RemoveWatcher(PFNDATAGONE pfn, void* pWatcher)
{
    for (INT_PTR i = m_arrWatchers.GetSize() - 1; i >= 0; --i)
    {
        if (m_arrWatchers[i].pfn == pfn && m_arrWatchers[i].pWatcher == pWatcher)
        {
            m_arrWatchers.RemoveAt(i);
            return;
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// record storage

// nSlot bytes, aligned for a pointer, whose first pointer names the block they lie in.
void* CTreeData::TakeSlot(size_t nSlot)
{
    if (m_pChunk == NULL || m_pChunk->nSize - m_pChunk->nUsed < nSlot)
    {
        size_t nSize = m_nNextChunk > nSlot ? m_nNextChunk : nSlot;
        PoolChunk* pChunk =
            (PoolChunk*)malloc(RoundUp(sizeof(PoolChunk), sizeof(void*)) + nSize);
        if (pChunk == NULL)
            return NULL;
        pChunk->nSize = nSize;
        pChunk->nUsed = 0;
        pChunk->nLive = 0;
        // the block being left is freed with its last record, or now when it has none
        if (m_pChunk != NULL && m_pChunk->nLive == 0)
            free(m_pChunk);
        m_pChunk = pChunk;
        if (m_nNextChunk < kMaxChunk)
            m_nNextChunk *= 2;
    }
    char* pSlot = m_pChunk->Slots() + m_pChunk->nUsed;
    m_pChunk->nUsed += nSlot;
    ++m_pChunk->nLive;
    *(PoolChunk**)pSlot = m_pChunk;
    return pSlot;
}

void CTreeData::FreeRecord(treedatas* pRec)
{
    if (pRec == NULL)
        return;
    // a loaded record lies in the load's array, which goes as a whole with the load
    if ((uintptr_t)pRec >= (uintptr_t)m_pLoadRecords &&
        (uintptr_t)pRec < (uintptr_t)(m_pLoadRecords + m_nLoadRecords))
    {
        pRec->~treedatas();
        return;
    }
    PoolChunk* pChunk = *((PoolChunk**)pRec - 1);
    pRec->~treedatas();
    if (--pChunk->nLive > 0)
        return;
    if (pChunk == m_pChunk)
        pChunk->nUsed = 0;
    else
        free(pChunk);
}

// nBlock bytes, aligned for an int, for texts of a loaded record; null when the heap refuses.
char* CTreeData::TakeSpill(size_t nBlock)
{
    if (m_pSpill == NULL || m_pSpill->nSize - m_pSpill->nUsed < nBlock)
    {
        const size_t nSize = nBlock > kMaxChunk ? nBlock : kMaxChunk;
        LoadSpill* pSpill = (LoadSpill*)malloc(RoundUp(sizeof(LoadSpill), sizeof(void*)) + nSize);
        if (pSpill == NULL)
            return NULL;
        pSpill->pNext = m_pSpill;
        pSpill->nSize = nSize;
        pSpill->nUsed = 0;
        m_pSpill = pSpill;
    }
    char* pBlock = m_pSpill->Data() + m_pSpill->nUsed;
    m_pSpill->nUsed += nBlock;
    return pBlock;
}

// Frees what the last load keeps; its records have been destroyed.
void CTreeData::ReleaseLoad()
{
    free(m_pLoadText);
    free(m_pLoadRecords);
    m_pLoadText = NULL;
    m_pLoadRecords = NULL;
    m_nLoadRecords = 0;
    while (m_pSpill != NULL)
    {
        LoadSpill* pNext = m_pSpill->pNext;
        free(m_pSpill);
        m_pSpill = pNext;
    }
}

/////////////////////////////////////////////////////////////////////////////
// records

void CTreeData::AddItem(LPCTSTR lpszCode, LPCTSTR lpszText, LPCTSTR lpszDetail, LPCTSTR lpszTip,
                        int nLevel, int nTipOffset, LPCTSTR lpszLLAFile, int nLLASeq)
{
    AddRecord(lpszCode, SafeLength(lpszCode), lpszText, SafeLength(lpszText), lpszDetail,
              SafeLength(lpszDetail), lpszTip, SafeLength(lpszTip), nLevel, nTipOffset, lpszLLAFile,
              SafeLength(lpszLLAFile), nLLASeq);
}

// Shared by AddItem and the file loader, which hands in pieces of its buffer without copying
// them first.
void CTreeData::AddRecord(const char* pCode, int nCode, const char* pText, int nText,
                          const char* pDetail, int nDetail, const char* pTip, int nTip, int nLevel,
                          int nTipOffset, const char* pLLAFile, int nLLAFile, int nLLASeq)
{
    const RuntimeSpace isSpace;
    TrimSpan(pCode, nCode, isSpace);
    TrimSpan(pText, nText, isSpace);
    TrimSpan(pDetail, nDetail, isSpace);
    TrimSpan(pTip, nTip, isSpace);
    treedatas* pRec = MakeRecord(pCode, nCode, pText, nText, pDetail, nDetail, pTip, nTip, nLevel,
                                 nTipOffset, pLLAFile, nLLAFile, nLLASeq);
    if (pRec == NULL)
        return;
    m_arrData.Add(pRec);
    m_bSorted = 0;
    m_bLevelBuilt = 0;
    m_bUnordered = false;
}

// A new record from pieces of text that the caller has trimmed; null for an empty code. The
// texts are copied once, straight into the record's slot.
treedatas* CTreeData::MakeRecord(const char* pCode, int nCode, const char* pText, int nText,
                                 const char* pDetail, int nDetail, const char* pTip, int nTip,
                                 int nLevel, int nTipOffset, const char* pLLAFile, int nLLAFile,
                                 int nLLASeq)
{
    if (pCode == NULL || nCode <= 0)
        return NULL;
    if (pLLAFile == NULL)
        nLLAFile = 0;

    const char* const apText[] = { pCode, pText, pDetail, pTip, pLLAFile };
    const int anText[] = { nCode, nText, nDetail, nTip, nLLAFile };
    const int kTexts = (int)(sizeof(anText) / sizeof(anText[0]));
    size_t nSlot = sizeof(PoolChunk*) + RoundUp(sizeof(treedatas), sizeof(int));
    for (int i = 0; i < kTexts; ++i)
        nSlot += TextBlockSize(anText[i]);
    char* pSlot = (char*)TakeSlot(RoundUp(nSlot, sizeof(void*)));
    if (pSlot == NULL)
        return NULL;

    treedatas* pRec = new (pSlot + sizeof(PoolChunk*)) treedatas;
    pRec->nSerial = TakeRecordNumbers(1);
    CString* const apString[] = { &pRec->strCode, &pRec->strText, &pRec->strDetail, &pRec->strTip,
                                  &pRec->strLLAFile };
    char* pBlock = pSlot + sizeof(PoolChunk*) + RoundUp(sizeof(treedatas), sizeof(int));
    for (int i = 0; i < kTexts; ++i)
    {
        const size_t nBlock = TextBlockSize(anText[i]);
        apString[i]->AssignExternal(nBlock ? pBlock : NULL, apText[i], anText[i]);
        pBlock += nBlock;
    }
    pRec->nLevel = nLevel;
    pRec->nTipOffset = nTipOffset;
    pRec->nLLASeq = nLLASeq;
    return pRec;
}

void CTreeData::DeleteItems(LPCTSTR lpszPrefix)
{
    CString strPrefix(lpszPrefix);
    strPrefix.TrimRight();
    const int nPrefix = strPrefix.GetLength();
    // One pass that keeps the survivors in order; removing one at a time would move the tail of
    // the array once per removed record.
    const int nSize = m_arrData.GetSize();
    treedatas** pData = m_arrData.GetData();
    int nKept = 0;
    for (int i = 0; i < nSize; ++i)
    {
        treedatas* pRec = pData[i];
        bool bRemove = nPrefix == 0 ||
                       (pRec->strCode.GetLength() >= nPrefix &&
                        memcmp((LPCTSTR)pRec->strCode, (LPCTSTR)strPrefix, nPrefix) == 0);
        if (bRemove)
            FreeRecord(pRec);
        else
            pData[nKept++] = pRec;
    }
    if (nKept < nSize)
        m_arrData.SetSize(nKept);
}

void CTreeData::Empty()
{
    for (int i = 0; i < m_arrData.GetSize(); ++i)
        FreeRecord(m_arrData[i]);
    m_arrData.RemoveAll();
    ReleaseLoad();
    m_bSorted = 0;
    m_bLevelBuilt = 0;
    m_strFileName.Empty();
    m_bTipsInFile = false;
    m_bFileEscaped = false;
    m_bUnordered = false;
}

/////////////////////////////////////////////////////////////////////////////
// attributes

int CTreeData::GetSize() const
{
    return m_arrData.GetSize();
}

treedatas* CTreeData::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_arrData.GetSize())
        return NULL;
    return m_arrData[nIndex];
}

int CTreeData::Search(LPCTSTR lpszCode)
{
    if (m_arrData.GetSize() == 0)
        return -1;
    if (m_bUnordered)
    {
        for (int i = 0; i < m_arrData.GetSize(); ++i)
            if (bsearchTree(lpszCode, &m_arrData[i]) == 0)
                return i;
        return -1;
    }
    Sort();
    treedatas** pFound = (treedatas**)bsearch(lpszCode, m_arrData.GetData(), m_arrData.GetSize(),
                                              sizeof(treedatas*), bsearchTree);
    if (pFound == NULL)
        return -1;
    return (int)(pFound - m_arrData.GetData());
}

treedatas* CTreeData::FindByCode(LPCTSTR lpszCode)
{
    return GetAt(Search(lpszCode));
}

int CTreeData::IsNode(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_arrData.GetSize() - 1)
        return 0;
    BuildLevel();
    return m_arrData[nIndex + 1]->nLevel == m_arrData[nIndex]->nLevel + 1 ? 1 : 0;
}

CString CTreeData::GetText(int nIndex, int nMode) const
{
    treedatas* pRec = GetAt(nIndex);
    if (pRec == NULL)
        return CString();
    CString str(pRec->strText);
    if (nMode == 1)
    {
        str.Trim();
        str.Remove('&');
    }
    return str;
}

CString CTreeData::GetID(int nIndex) const
{
    treedatas* pRec = GetAt(nIndex);
    return pRec ? pRec->strCode : CString();
}

CString CTreeData::GetDetail(int nIndex) const
{
    treedatas* pRec = GetAt(nIndex);
    return pRec ? pRec->strDetail : CString();
}

CString CTreeData::GetTip(int nIndex) const
{
    treedatas* pRec = GetAt(nIndex);
    if (pRec == NULL)
        return CString();
    if (!pRec->strTip.IsEmpty())
        return pRec->strTip;
    if (pRec->nTipOffset == 0 || m_strFileName.IsEmpty())
        return CString();
    return ReadTip(pRec->nTipOffset);
}

int CTreeData::GetLevel(int nIndex) const
{
    treedatas* pRec = GetAt(nIndex);
    return pRec ? pRec->nLevel : -1;
}

CString CTreeData::GetLLAFile(int nIndex) const
{
    treedatas* pRec = GetAt(nIndex);
    return pRec ? pRec->strLLAFile : CString();
}

int CTreeData::GetLLASeq(int nIndex) const
{
    treedatas* pRec = GetAt(nIndex);
    return pRec ? pRec->nLLASeq : -1;
}

/////////////////////////////////////////////////////////////////////////////
// order and hierarchy

int CTreeData::qsortTree(const void* p1, const void* p2)
{
    const treedatas* r1 = *(const treedatas* const*)p1;
    const treedatas* r2 = *(const treedatas* const*)p2;
    return _mbscmp((const unsigned char*)(LPCTSTR)r1->strCode,
                   (const unsigned char*)(LPCTSTR)r2->strCode);
}

int CTreeData::bsearchTree(const void* pKey, const void* pElem)
{
    LPCTSTR lpszKey = (LPCTSTR)pKey;
    if (lpszKey == NULL || *lpszKey == '\0')
        return -1;
    const treedatas* pRec = *(const treedatas* const*)pElem;
    return _mbscmp((const unsigned char*)lpszKey, (const unsigned char*)(LPCTSTR)pRec->strCode);
}

void CTreeData::Sort()
{
    if (m_bSorted)
        return;
    const int nSize = m_arrData.GetSize();
    treedatas** pData = m_arrData.GetData();
    if (nSize > 0)
        qsort(pData, (size_t)nSize, sizeof(treedatas*), qsortTree);
    // The sort leaves records of equal codes in no particular order: each run of them goes back to
    // the order its records were made in (added, or loaded from the file), so that of two equal
    // codes the later one is the child.
    for (int i = 0; i + 1 < nSize;)
    {
        const CString& strCode = pData[i]->strCode;
        int nEnd = i + 1;
        while (nEnd < nSize && pData[nEnd]->strCode.GetLength() == strCode.GetLength() &&
               memcmp((LPCTSTR)pData[nEnd]->strCode, (LPCTSTR)strCode, (size_t)strCode.GetLength()) == 0)
            ++nEnd;
        if (nEnd - i > 1)
            std::sort(pData + i, pData + nEnd,
                      [](const treedatas* r1, const treedatas* r2) { return r1->nSerial < r2->nSerial; });
        i = nEnd;
    }
    m_bSorted = 1;
}

// In code order every record between a prefix and one of its extensions also begins with that
// prefix, so the nearest earlier record that is a prefix of the current code always lies on the
// chain of open ancestors: records that stop being prefixes can be dropped from the chain for
// good, and each record is pushed and popped once.
void CTreeData::BuildLevel()
{
    if (m_bLevelBuilt)
        return;
    Sort();
    const int nSize = m_arrData.GetSize();
    std::vector<const treedatas*> chain;
    for (int i = 0; i < nSize; ++i)
    {
        treedatas* pRec = m_arrData[i];
        const int nLen = pRec->strCode.GetLength();
        while (!chain.empty())
        {
            const CString& strTop = chain.back()->strCode;
            if (strTop.GetLength() <= nLen &&
                memcmp((LPCTSTR)strTop, (LPCTSTR)pRec->strCode, strTop.GetLength()) == 0)
                break;
            chain.pop_back();
        }
        pRec->nLevel = chain.empty() ? 0 : chain.back()->nLevel + 1;
        chain.push_back(pRec);
    }
    m_bLevelBuilt = 1;
}

