// Collection templates: growable arrays, doubly linked lists and hash maps, and the typed
// pointer wrappers over the untyped collections.
#pragma once

#include "afx.h"
#include <new>
#include <type_traits>
#include <utility>

/////////////////////////////////////////////////////////////////////////////
// Element helpers

// New elements start zero-filled and then default-constructed, so plain numbers and pointers
// in fresh slots read as 0.
template <class TYPE>
inline void AFXAPI ConstructElements(TYPE* pElements, int nCount)
{
    memset((void*)pElements, 0, (size_t)nCount * sizeof(TYPE));
    for (; nCount-- > 0; pElements++)
        ::new ((void*)pElements) TYPE;
}

template <class TYPE>
inline void AFXAPI DestructElements(TYPE* pElements, int nCount)
{
    for (; nCount-- > 0; pElements++)
        pElements->~TYPE();
}

template <class TYPE>
inline void AFXAPI CopyElements(TYPE* pDest, const TYPE* pSrc, int nCount)
{
    while (nCount--)
        *pDest++ = *pSrc++;
}

template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// Moves nCount constructed elements into raw storage, leaving the source raw.
template <class TYPE>
inline void _AfxRelocateElements(TYPE* pDest, TYPE* pSrc, int nCount)
{
    if (std::is_trivially_copyable<TYPE>::value) {
        memcpy((void*)pDest, (const void*)pSrc, (size_t)nCount * sizeof(TYPE));
        return;
    }
    for (int i = 0; i < nCount; i++) {
        ::new ((void*)(pDest + i)) TYPE(std::move(pSrc[i]));
        pSrc[i].~TYPE();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Hash keys

// Integers and pointers hash by dropping the low four bits, which allocation alignment leaves
// mostly constant.
template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key)
{
    return (UINT)(((DWORD_PTR)key) >> 4);
}

inline UINT _AfxHashString(LPCTSTR key)
{
    UINT nHash = 0;
    if (key != NULL)
        while (*key)
            nHash = (nHash << 5) + nHash + (UINT)(int)*key++;
    return nHash;
}
template <> inline UINT AFXAPI HashKey<LPCTSTR>(LPCTSTR key) { return _AfxHashString(key); }
template <> inline UINT AFXAPI HashKey<LPTSTR>(LPTSTR key) { return _AfxHashString(key); }
template <> inline UINT AFXAPI HashKey<const CString&>(const CString& key) { return _AfxHashString(key); }
template <> inline UINT AFXAPI HashKey<CString>(CString key) { return _AfxHashString(key); }

/////////////////////////////////////////////////////////////////////////////
// CPlex: blocks of fixed-size nodes, chained and freed together

struct CPlex
{
    CPlex* pNext;
#if defined(_WIN64)
    DWORD dwReserved[2];  // keeps data() 16-byte aligned
#else
    DWORD dwReserved[1];
#endif
    void* data() { return this + 1; }

    // Allocates a block of nMax elements of cbElement bytes and puts it at the head of the chain.
    static CPlex* PASCAL Create(CPlex*& pHead, UINT_PTR nMax, UINT_PTR cbElement)
    {
        CPlex* p = (CPlex*)::operator new(sizeof(CPlex) + nMax * cbElement);
        p->pNext = pHead;
        pHead = p;
        return p;
    }
    void FreeDataChain()
    {
        CPlex* p = this;
        while (p != NULL) {
            CPlex* pNext = p->pNext;
            ::operator delete((void*)p);
            p = pNext;
        }
    }
};

/////////////////////////////////////////////////////////////////////////////
// CArray

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
    virtual ~CArray();

    // attributes
    int GetSize() const { return m_nSize; }
    int GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    int GetUpperBound() const { return m_nSize - 1; }
    // nGrowBy 0 grows by an eighth of the size (4 to 1024 slots); -1 keeps the current setting.
    void SetSize(int nNewSize, int nGrowBy = -1);

    // operations
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    // element access
    const TYPE& GetAt(int nIndex) const { return m_pData[nIndex]; }
    TYPE& GetAt(int nIndex) { return m_pData[nIndex]; }
    void SetAt(int nIndex, ARG_TYPE newElement) { m_pData[nIndex] = newElement; }
    const TYPE& ElementAt(int nIndex) const { return m_pData[nIndex]; }
    TYPE& ElementAt(int nIndex) { return m_pData[nIndex]; }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }
    const TYPE& operator[](int nIndex) const { return m_pData[nIndex]; }
    TYPE& operator[](int nIndex) { return m_pData[nIndex]; }

    // growing
    void SetAtGrow(int nIndex, ARG_TYPE newElement);
    int Add(ARG_TYPE newElement);
    int Append(const CArray& src);
    void Copy(const CArray& src);

    // moving elements around
    void InsertAt(int nIndex, ARG_TYPE newElement, int nCount = 1);
    void RemoveAt(int nIndex, int nCount = 1);
    void InsertAt(int nStartIndex, const CArray* pNewArray);

protected:
    TYPE* m_pData;
    int m_nSize;
    int m_nMaxSize;
    int m_nGrowBy;
};

template <class TYPE, class ARG_TYPE>
CArray<TYPE, ARG_TYPE>::~CArray()
{
    if (m_pData != NULL) {
        DestructElements<TYPE>(m_pData, m_nSize);
        ::operator delete((void*)m_pData);
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(int nNewSize, int nGrowBy)
{
    if (nNewSize < 0)
        return;
    if (nGrowBy != -1)
        m_nGrowBy = nGrowBy;

    if (nNewSize == 0) {
        if (m_pData != NULL) {
            DestructElements<TYPE>(m_pData, m_nSize);
            ::operator delete((void*)m_pData);
            m_pData = NULL;
        }
        m_nSize = m_nMaxSize = 0;
    } else if (m_pData == NULL) {
        // the first allocation is exact
        m_pData = (TYPE*)::operator new((size_t)nNewSize * sizeof(TYPE));
        ConstructElements<TYPE>(m_pData, nNewSize);
        m_nSize = m_nMaxSize = nNewSize;
    } else if (nNewSize <= m_nMaxSize) {
        if (nNewSize > m_nSize)
            ConstructElements<TYPE>(&m_pData[m_nSize], nNewSize - m_nSize);
        else if (m_nSize > nNewSize)
            DestructElements<TYPE>(&m_pData[nNewSize], m_nSize - nNewSize);
        m_nSize = nNewSize;
    } else {
        int nGrow = m_nGrowBy;
        if (nGrow == 0) {
            nGrow = m_nSize / 8;
            nGrow = (nGrow < 4) ? 4 : ((nGrow > 1024) ? 1024 : nGrow);
        }
        int nNewMax = (nNewSize < m_nMaxSize + nGrow) ? m_nMaxSize + nGrow : nNewSize;
        TYPE* pNewData = (TYPE*)::operator new((size_t)nNewMax * sizeof(TYPE));
        _AfxRelocateElements<TYPE>(pNewData, m_pData, m_nSize);
        ConstructElements<TYPE>(&pNewData[m_nSize], nNewSize - m_nSize);
        ::operator delete((void*)m_pData);
        m_pData = pNewData;
        m_nSize = nNewSize;
        m_nMaxSize = nNewMax;
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize == m_nMaxSize)
        return;
    TYPE* pNewData = NULL;
    if (m_nSize != 0) {
        pNewData = (TYPE*)::operator new((size_t)m_nSize * sizeof(TYPE));
        _AfxRelocateElements<TYPE>(pNewData, m_pData, m_nSize);
    }
    ::operator delete((void*)m_pData);
    m_pData = pNewData;
    m_nMaxSize = m_nSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(int nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
        return;
    if (nIndex >= m_nSize) {
        TYPE copy(newElement);  // newElement may live in this array
        SetSize(nIndex + 1, -1);
        m_pData[nIndex] = std::move(copy);
    } else {
        m_pData[nIndex] = newElement;
    }
}

template <class TYPE, class ARG_TYPE>
int CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    int nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

template <class TYPE, class ARG_TYPE>
int CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    int nOldSize = m_nSize;
    if (this == &src)
        return nOldSize;
    SetSize(m_nSize + src.m_nSize, -1);
    CopyElements<TYPE>(m_pData + nOldSize, src.m_pData, src.m_nSize);
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    SetSize(src.m_nSize, -1);
    CopyElements<TYPE>(m_pData, src.m_pData, src.m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(int nIndex, ARG_TYPE newElement, int nCount)
{
    if (nIndex < 0 || nCount <= 0)
        return;
    TYPE copy(newElement);  // newElement may live in this array
    if (nIndex >= m_nSize) {
        SetSize(nIndex + nCount, -1);
    } else {
        int nOldSize = m_nSize;
        SetSize(m_nSize + nCount, -1);
        for (int i = nOldSize - 1; i >= nIndex; i--)
            m_pData[i + nCount] = std::move(m_pData[i]);
    }
    for (int i = 0; i < nCount; i++)
        m_pData[nIndex + i] = copy;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(int nIndex, int nCount)
{
    if (nIndex < 0 || nCount <= 0 || nIndex >= m_nSize)
        return;
    if (nCount > m_nSize - nIndex)
        nCount = m_nSize - nIndex;
    for (int i = nIndex + nCount; i < m_nSize; i++)
        m_pData[i - nCount] = std::move(m_pData[i]);
    DestructElements<TYPE>(&m_pData[m_nSize - nCount], nCount);
    m_nSize -= nCount;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(int nStartIndex, const CArray* pNewArray)
{
    if (pNewArray == NULL || nStartIndex < 0 || pNewArray->GetSize() == 0)
        return;
    if (pNewArray == this) {
        CArray copy;
        copy.Copy(*this);
        InsertAt(nStartIndex, &copy);
        return;
    }
    InsertAt(nStartIndex, pNewArray->GetAt(0), pNewArray->GetSize());
    for (int i = 0; i < pNewArray->GetSize(); i++)
        SetAt(nStartIndex + i, pNewArray->GetAt(i));
}

/////////////////////////////////////////////////////////////////////////////
// CList

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(int nBlockSize = 10)
        : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_pNodeFree(NULL), m_pBlocks(NULL),
          m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    virtual ~CList() { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return m_pNodeHead->data; }
    const TYPE& GetHead() const { return m_pNodeHead->data; }
    TYPE& GetTail() { return m_pNodeTail->data; }
    const TYPE& GetTail() const { return m_pNodeTail->data; }

    TYPE RemoveHead()
    {
        CNode* pOld = m_pNodeHead;
        TYPE returnValue = pOld->data;
        m_pNodeHead = pOld->pNext;
        if (m_pNodeHead != NULL) m_pNodeHead->pPrev = NULL; else m_pNodeTail = NULL;
        FreeNode(pOld);
        return returnValue;
    }
    TYPE RemoveTail()
    {
        CNode* pOld = m_pNodeTail;
        TYPE returnValue = pOld->data;
        m_pNodeTail = pOld->pPrev;
        if (m_pNodeTail != NULL) m_pNodeTail->pNext = NULL; else m_pNodeHead = NULL;
        FreeNode(pOld);
        return returnValue;
    }

    POSITION AddHead(ARG_TYPE newElement)
    {
        CNode* pNewNode = NewNode(NULL, m_pNodeHead);
        pNewNode->data = newElement;
        if (m_pNodeHead != NULL) m_pNodeHead->pPrev = pNewNode; else m_pNodeTail = pNewNode;
        m_pNodeHead = pNewNode;
        return (POSITION)pNewNode;
    }
    POSITION AddTail(ARG_TYPE newElement)
    {
        CNode* pNewNode = NewNode(m_pNodeTail, NULL);
        pNewNode->data = newElement;
        if (m_pNodeTail != NULL) m_pNodeTail->pNext = pNewNode; else m_pNodeHead = pNewNode;
        m_pNodeTail = pNewNode;
        return (POSITION)pNewNode;
    }
    void AddHead(CList* pNewList)
    {
        POSITION pos = pNewList->GetTailPosition();
        while (pos != NULL) AddHead(pNewList->GetPrev(pos));
    }
    void AddTail(CList* pNewList)
    {
        POSITION pos = pNewList->GetHeadPosition();
        while (pos != NULL) AddTail(pNewList->GetNext(pos));
    }

    void RemoveAll()
    {
        for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
            DestructElements<TYPE>(&pNode->data, 1);
        m_nCount = 0;
        m_pNodeHead = m_pNodeTail = m_pNodeFree = NULL;
        if (m_pBlocks != NULL) m_pBlocks->FreeDataChain();
        m_pBlocks = NULL;
    }

    // iteration
    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }
    TYPE& GetAt(POSITION position) { return ((CNode*)position)->data; }
    const TYPE& GetAt(POSITION position) const { return ((CNode*)position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { ((CNode*)pos)->data = newElement; }

    void RemoveAt(POSITION position)
    {
        CNode* pOldNode = (CNode*)position;
        if (pOldNode == m_pNodeHead) m_pNodeHead = pOldNode->pNext; else pOldNode->pPrev->pNext = pOldNode->pNext;
        if (pOldNode == m_pNodeTail) m_pNodeTail = pOldNode->pPrev; else pOldNode->pNext->pPrev = pOldNode->pPrev;
        FreeNode(pOldNode);
    }
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        if (position == NULL) return AddHead(newElement);
        CNode* pOldNode = (CNode*)position;
        CNode* pNewNode = NewNode(pOldNode->pPrev, pOldNode);
        pNewNode->data = newElement;
        if (pOldNode->pPrev != NULL) pOldNode->pPrev->pNext = pNewNode; else m_pNodeHead = pNewNode;
        pOldNode->pPrev = pNewNode;
        return (POSITION)pNewNode;
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        if (position == NULL) return AddTail(newElement);
        CNode* pOldNode = (CNode*)position;
        CNode* pNewNode = NewNode(pOldNode, pOldNode->pNext);
        pNewNode->data = newElement;
        if (pOldNode->pNext != NULL) pOldNode->pNext->pPrev = pNewNode; else m_pNodeTail = pNewNode;
        pOldNode->pNext = pNewNode;
        return (POSITION)pNewNode;
    }

    // searching; null when absent
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const
    {
        CNode* pNode = (CNode*)startAfter;
        pNode = (pNode == NULL) ? m_pNodeHead : pNode->pNext;
        for (; pNode != NULL; pNode = pNode->pNext)
            if (CompareElements(&pNode->data, &searchValue))
                return (POSITION)pNode;
        return NULL;
    }
    POSITION FindIndex(int nIndex) const
    {
        if (nIndex >= m_nCount || nIndex < 0) return NULL;
        CNode* pNode = m_pNodeHead;
        while (nIndex--) pNode = pNode->pNext;
        return (POSITION)pNode;
    }

protected:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    int m_nCount;
    CNode* m_pNodeFree;
    CPlex* m_pBlocks;
    int m_nBlockSize;

    CNode* NewNode(CNode* pPrev, CNode* pNext)
    {
        if (m_pNodeFree == NULL) {
            CPlex* pNewBlock = CPlex::Create(m_pBlocks, m_nBlockSize, sizeof(CNode));
            CNode* pNode = (CNode*)pNewBlock->data();
            pNode += m_nBlockSize - 1;
            for (int i = m_nBlockSize - 1; i >= 0; i--, pNode--) {
                pNode->pNext = m_pNodeFree;
                m_pNodeFree = pNode;
            }
        }
        CNode* pNode = m_pNodeFree;
        m_pNodeFree = m_pNodeFree->pNext;
        pNode->pPrev = pPrev;
        pNode->pNext = pNext;
        m_nCount++;
        ConstructElements<TYPE>(&pNode->data, 1);
        return pNode;
    }
    void FreeNode(CNode* pNode)
    {
        DestructElements<TYPE>(&pNode->data, 1);
        pNode->pNext = m_pNodeFree;
        m_pNodeFree = pNode;
        m_nCount--;
        if (m_nCount == 0)
            RemoveAll();
    }
};

/////////////////////////////////////////////////////////////////////////////
// CMap

// A chained hash table. Buckets hold singly linked nodes with a new node at the head; nodes
// come from blocks (10 by default) and removed ones go to a free list. The bucket array is
// allocated at the first insertion, and everything is released when the count returns to 0.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
protected:
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue;  // bucket index, kept for iteration
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(int nBlockSize = 10)
        : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0), m_pFreeList(NULL), m_pBlocks(NULL),
          m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    virtual ~CMap() { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        UINT nHash;
        CAssoc* pAssoc = GetAssocAt(key, nHash);
        if (pAssoc == NULL) return FALSE;
        rValue = pAssoc->value;
        return TRUE;
    }
    VALUE& operator[](ARG_KEY key)
    {
        UINT nHash;
        CAssoc* pAssoc = GetAssocAt(key, nHash);
        if (pAssoc == NULL) {
            if (m_pHashTable == NULL) InitHashTable(m_nHashTableSize);
            pAssoc = NewAssoc();
            pAssoc->nHashValue = nHash;
            pAssoc->key = key;
            pAssoc->pNext = m_pHashTable[nHash];
            m_pHashTable[nHash] = pAssoc;
        }
        return pAssoc->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_pHashTable == NULL) return FALSE;
        CAssoc** ppAssocPrev = &m_pHashTable[HashKey<ARG_KEY>(key) % m_nHashTableSize];
        for (CAssoc* pAssoc = *ppAssocPrev; pAssoc != NULL; pAssoc = pAssoc->pNext) {
            if (CompareElements(&pAssoc->key, &key)) {
                *ppAssocPrev = pAssoc->pNext;
                FreeAssoc(pAssoc);
                return TRUE;
            }
            ppAssocPrev = &pAssoc->pNext;
        }
        return FALSE;
    }
    void RemoveAll()
    {
        if (m_pHashTable != NULL) {
            for (UINT nHash = 0; nHash < m_nHashTableSize; nHash++)
                for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc != NULL; pAssoc = pAssoc->pNext) {
                    DestructElements<VALUE>(&pAssoc->value, 1);
                    DestructElements<KEY>(&pAssoc->key, 1);
                }
            delete[] m_pHashTable;
            m_pHashTable = NULL;
        }
        m_nCount = 0;
        m_pFreeList = NULL;
        if (m_pBlocks != NULL) m_pBlocks->FreeDataChain();
        m_pBlocks = NULL;
    }

    // Iteration goes bucket by bucket, each bucket from its head.
    POSITION GetStartPosition() const { return (m_nCount == 0) ? NULL : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        CAssoc* pAssocRet = (CAssoc*)rNextPosition;
        if (pAssocRet == (CAssoc*)BEFORE_START_POSITION) {
            pAssocRet = NULL;
            for (UINT nBucket = 0; nBucket < m_nHashTableSize; nBucket++)
                if ((pAssocRet = m_pHashTable[nBucket]) != NULL) break;
        }
        CAssoc* pAssocNext = pAssocRet->pNext;
        if (pAssocNext == NULL)
            for (UINT nBucket = pAssocRet->nHashValue + 1; nBucket < m_nHashTableSize; nBucket++)
                if ((pAssocNext = m_pHashTable[nBucket]) != NULL) break;
        rNextPosition = (POSITION)pAssocNext;
        rKey = pAssocRet->key;
        rValue = pAssocRet->value;
    }

    // Sets the bucket count; existing entries are not rehashed, so call it while the map is
    // empty.
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE)
    {
        if (nHashSize == 0) return;
        if (m_pHashTable != NULL) {
            delete[] m_pHashTable;
            m_pHashTable = NULL;
        }
        if (bAllocNow) {
            m_pHashTable = new CAssoc*[nHashSize];
            memset(m_pHashTable, 0, sizeof(CAssoc*) * nHashSize);
        }
        m_nHashTableSize = nHashSize;
    }

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    int m_nCount;
    CAssoc* m_pFreeList;
    CPlex* m_pBlocks;
    int m_nBlockSize;

    CAssoc* NewAssoc()
    {
        if (m_pFreeList == NULL) {
            CPlex* newBlock = CPlex::Create(m_pBlocks, m_nBlockSize, sizeof(CAssoc));
            CAssoc* pAssoc = (CAssoc*)newBlock->data();
            pAssoc += m_nBlockSize - 1;
            for (int i = m_nBlockSize - 1; i >= 0; i--, pAssoc--) {
                pAssoc->pNext = m_pFreeList;
                m_pFreeList = pAssoc;
            }
        }
        CAssoc* pAssoc = m_pFreeList;
        m_pFreeList = m_pFreeList->pNext;
        m_nCount++;
        ConstructElements<KEY>(&pAssoc->key, 1);
        ConstructElements<VALUE>(&pAssoc->value, 1);
        return pAssoc;
    }
    void FreeAssoc(CAssoc* pAssoc)
    {
        DestructElements<VALUE>(&pAssoc->value, 1);
        DestructElements<KEY>(&pAssoc->key, 1);
        pAssoc->pNext = m_pFreeList;
        m_pFreeList = pAssoc;
        m_nCount--;
        if (m_nCount == 0)
            RemoveAll();
    }
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHash) const
    {
        nHash = HashKey<ARG_KEY>(key) % m_nHashTableSize;
        if (m_pHashTable == NULL) return NULL;
        for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc != NULL; pAssoc = pAssoc->pNext)
            if (CompareElements(&pAssoc->key, &key))
                return pAssoc;
        return NULL;
    }
};

/////////////////////////////////////////////////////////////////////////////
// Typed pointer collections over the untyped ones of afxcoll.h

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS
{
public:
    TYPE GetAt(int nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
    TYPE& ElementAt(int nIndex) { return (TYPE&)BASE_CLASS::ElementAt(nIndex); }
    void SetAt(int nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(int nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    int Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    void InsertAt(int nIndex, TYPE newElement, int nCount = 1) { BASE_CLASS::InsertAt(nIndex, newElement, nCount); }
    TYPE operator[](int nIndex) const { return (TYPE)BASE_CLASS::operator[](nIndex); }
    TYPE& operator[](int nIndex) { return (TYPE&)BASE_CLASS::operator[](nIndex); }
};

template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS
{
public:
    explicit CTypedPtrList(int nBlockSize = 10) : BASE_CLASS(nBlockSize) {}
    TYPE& GetHead() { return (TYPE&)BASE_CLASS::GetHead(); }
    TYPE& GetTail() { return (TYPE&)BASE_CLASS::GetTail(); }
    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    TYPE& GetNext(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetNext(rPosition); }
    TYPE& GetPrev(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetPrev(rPosition); }
    TYPE& GetAt(POSITION position) { return (TYPE&)BASE_CLASS::GetAt(position); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
};

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS
{
public:
    explicit CTypedPtrMap(int nBlockSize = 10) : BASE_CLASS(nBlockSize) {}
    BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_VALUE v;
        BOOL bFound = BASE_CLASS::Lookup(key, v);
        rValue = (VALUE)v;
        return bFound;
    }
    VALUE& operator[](typename BASE_CLASS::BASE_ARG_KEY key) { return (VALUE&)BASE_CLASS::operator[](key); }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_KEY k;
        typename BASE_CLASS::BASE_VALUE v;
        BASE_CLASS::GetNextAssoc(rPosition, k, v);
        rKey = (KEY)k;
        rValue = (VALUE)v;
    }
};
