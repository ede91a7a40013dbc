// Finds the parent of each record of a collection in the collection's present order, whatever
// that order is: the nearest earlier record, not before the top, whose code is a prefix of the
// record's own (an equal code counts). A top-level record becomes the new top, so nothing before
// it is a candidate for the records after it. This is the hierarchy a tree shows and the one a
// loaded file is checked against.
#pragma once

#include <vector>

#include "CTreeData.h"

class CParentScan
{
public:
    // Records are visited from nStart on, which is also the first top.
    CParentScan(const CTreeData& data, int nStart);

    // The parent of record nIndex, or -1. Records are asked in increasing order, each once;
    // every record asked becomes a candidate for the later ones.
    int FindParent(int nIndex);
    // Makes a record asked last the top: the records before it are candidates no more.
    void SetTop(int nIndex);

private:
    const unsigned char* Code(int nIndex, int& nLength) const;
    // Moves from the chain to the trie when the records turn out not to be in code order.
    void StartTrie(int nUpTo);
    int AddToTrie(int nIndex);

    // In code order every record between a prefix and one of its extensions begins with that
    // prefix, so the candidates form one chain of open ancestors, each pushed and popped once.
    // Out of order, a trie of the codes remembers the last record ending at each of its nodes.
    struct Node
    {
        int nFirstChild;
        int nNext;
        int nLast;      // the last record whose code ends here, or -1
        unsigned char ch;
    };

    const CTreeData& m_data;
    int m_nTop;
    int m_nPrev;        // the record asked last, or -1
    bool m_bOrdered;
    std::vector<int> m_chain;
    std::vector<Node> m_trie;
};
