// Parents of records in any order.
#include "treedata/CParentScan.h"

#include <string.h>

namespace {

// Byte order; the chain only needs an order in which a prefix comes first and every string
// between a prefix and one of its extensions begins with that prefix.
int CompareCodes(const unsigned char* a, int na, const unsigned char* b, int nb)
{
    const int n = na < nb ? na : nb;
    const int c = memcmp(a, b, (size_t)n);
    return c != 0 ? c : na - nb;
}

bool IsPrefix(const unsigned char* pPrefix, int nPrefix, const unsigned char* p, int n)
{
    return nPrefix <= n && memcmp(pPrefix, p, (size_t)nPrefix) == 0;
}

}  // namespace

CParentScan::CParentScan(const CTreeData& data, int nStart)
    : m_data(data), m_nTop(nStart), m_nPrev(-1), m_bOrdered(true)
{
    m_chain.reserve(32);
}

const unsigned char* CParentScan::Code(int nIndex, int& nLength) const
{
    const CString& strCode = m_data.GetAt(nIndex)->strCode;
    nLength = strCode.GetLength();
    return (const unsigned char*)(LPCTSTR)strCode;
}

int CParentScan::FindParent(int nIndex)
{
    int nCode = 0;
    const unsigned char* pCode = Code(nIndex, nCode);
    if (m_bOrdered && m_nPrev >= m_nTop)
    {
        int nPrev = 0;
        const unsigned char* pPrev = Code(m_nPrev, nPrev);
        if (CompareCodes(pPrev, nPrev, pCode, nCode) > 0)
            StartTrie(nIndex);
    }
    m_nPrev = nIndex;

    if (!m_bOrdered)
        return AddToTrie(nIndex);
    while (!m_chain.empty())
    {
        int nCand = 0;
        const unsigned char* pCand = Code(m_chain.back(), nCand);
        if (IsPrefix(pCand, nCand, pCode, nCode))
            break;
        m_chain.pop_back();
    }
    const int nParent = m_chain.empty() ? -1 : m_chain.back();
    m_chain.push_back(nIndex);
    return nParent;
}

void CParentScan::SetTop(int nIndex)
{
    m_nTop = nIndex;
    if (m_bOrdered)
    {
        m_chain.clear();
        m_chain.push_back(nIndex);
    }
}

void CParentScan::StartTrie(int nUpTo)
{
    m_bOrdered = false;
    m_chain.clear();
    m_trie.assign(1, Node{ -1, -1, -1, 0 });
    for (int i = m_nTop; i < nUpTo; ++i)
        AddToTrie(i);
}

// Walks the record's code down the trie, making the nodes it lacks, and gives the last record
// not before the top whose code ends on the way (the record's own node included: an equal code
// is a parent); the record then becomes the last one ending at its node.
int CParentScan::AddToTrie(int nIndex)
{
    int nCode = 0;
    const unsigned char* pCode = Code(nIndex, nCode);
    int nBest = -1;
    int nNode = 0;
    for (int i = 0; i < nCode; ++i)
    {
        int nChild = m_trie[nNode].nFirstChild;
        while (nChild >= 0 && m_trie[nChild].ch != pCode[i])
            nChild = m_trie[nChild].nNext;
        if (nChild < 0)
        {
            nChild = (int)m_trie.size();
            m_trie.push_back(Node{ -1, m_trie[nNode].nFirstChild, -1, pCode[i] });
            m_trie[nNode].nFirstChild = nChild;
        }
        nNode = nChild;
        if (m_trie[nNode].nLast >= m_nTop && m_trie[nNode].nLast > nBest)
            nBest = m_trie[nNode].nLast;
    }
    m_trie[nNode].nLast = nIndex;
    return nBest;
}
