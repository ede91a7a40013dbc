// Cuts a rectangle into horizontal bands, top to bottom, whose cut lines run from the left edge
// through the centre to the right edge as symmetric polylines; each band is a region.
#pragma once

#include <afxwin.h>

class AFX_EXT_CLASS CRgnMaker
{
public:
    CRgnMaker();
    virtual ~CRgnMaker();

    // Deletes all regions and lists and resets everything but the rectangle.
    virtual void Empty();
    // The rectangle and the two zero-terminated cut lists (percent of the height per band, at
    // the centre and at the edges). An entry that is negative or would take the running sum to
    // 100 or more is rewritten in the caller's array as 100 - sum and ends the list.
    virtual void InitVert(CRect& rect, int* pCentre, int* pEdges);
    // Makes the next band; pShape gives the cut's segment lengths in percent of the half width,
    // from the centre outwards, zero-terminated.
    virtual void MakeRgn_SideBySide(int* pShape);
    // Band nIndex, or null outside the bands made so far.
    virtual CRgn* GetAt(int nIndex);

    // -- Attributes ---------------------------------------------------------------------
    int GetCount() const { return m_nCount; }
    int GetMadeCount() const { return (int)m_arrRgn.GetSize(); }
    // The points of the most recent cut, x then y, left to right.
    const CUIntArray& GetLastCut() const { return m_arrLastCut; }

private:
    void BuildCur(CUIntArray& points, int* pShape);
    void RevertArray(CUIntArray& out, CUIntArray& in);
    void AddPoint(CUIntArray& points, int x, int y);

    CRgnMaker(const CRgnMaker&) = delete;
    CRgnMaker& operator=(const CRgnMaker&) = delete;

    RECT m_rect;
    int m_nWidth;
    int m_nHeight;
    int m_nCount;
    int m_nNext;
    int m_nCentreDepth;
    int m_nEdgeDepth;
    int* m_pCentreList;
    int* m_pEdgeList;
    CArray<CRgn*, CRgn*> m_arrRgn;
    CUIntArray m_arrLastCut;
};
