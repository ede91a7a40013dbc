// Horizontal bands of a rectangle with polyline cuts, as regions.
#include "CRgnMaker.h"

#include <stdlib.h>
#include <vector>

namespace {

// Counts the entries of a zero-terminated percent list that keep the running sum below 100.
// The first entry that is negative or would reach 100 is rewritten as what is left of 100 and
// ends the list without being counted.
int NormaliseList(int* pList)
{
    if (!pList)
        return 0;
    int nSum = 0;
    int nCounted = 0;
    for (int k = 0;; ++k)
    {
        const int v = pList[k];
        if (v == 0)
            break;
        if (v < 0 || nSum + v >= 100)
        {
            pList[k] = 100 - nSum;
            break;
        }
        nSum += v;
        ++nCounted;
    }
    return nCounted;
}

}  // namespace

/////////////////////////////////////////////////////////////////////////////
// Construction

CRgnMaker::CRgnMaker()
    : m_nWidth(0), m_nHeight(0), m_nCount(0), m_nNext(0), m_nCentreDepth(0), m_nEdgeDepth(0),
      m_pCentreList(nullptr), m_pEdgeList(nullptr)
{
    ::SetRectEmpty(&m_rect);
    m_arrLastCut.SetSize(0, 20);
}

CRgnMaker::~CRgnMaker()
{
    Empty();
}

void CRgnMaker::Empty()
{
    for (INT_PTR i = 0; i < m_arrRgn.GetSize(); ++i)
        delete m_arrRgn[i];
    m_arrRgn.RemoveAll();
    m_arrLastCut.RemoveAll();
    free(m_pCentreList);
    free(m_pEdgeList);
    m_pCentreList = nullptr;
    m_pEdgeList = nullptr;
    m_nCount = 0;
    m_nNext = 0;
    m_nWidth = 0;
    m_nHeight = 0;
    m_nCentreDepth = 0;
    m_nEdgeDepth = 0;
}

/////////////////////////////////////////////////////////////////////////////
// Operations

void CRgnMaker::InitVert(CRect& rect, int* pCentre, int* pEdges)
{
    m_rect = rect;
    m_nWidth = rect.right - rect.left;
    m_nHeight = rect.bottom - rect.top;

    const int nCentre = NormaliseList(pCentre);
    const int nEdges = NormaliseList(pEdges);
    free(m_pCentreList);
    free(m_pEdgeList);
    m_pCentreList = nullptr;
    m_pEdgeList = nullptr;

    m_nCount = nCentre > nEdges ? nCentre : nEdges;
    if (m_nCount < 2)
    {
        m_nCount = 1;
        return;
    }
    m_pCentreList = (int*)calloc((size_t)m_nCount, sizeof(int));
    m_pEdgeList = (int*)calloc((size_t)m_nCount, sizeof(int));
    if (!m_pCentreList || !m_pEdgeList)
    {
        free(m_pCentreList);
        free(m_pEdgeList);
        m_pCentreList = nullptr;
        m_pEdgeList = nullptr;
        m_nCount = 1;
        return;
    }
    for (int k = 0; k < nCentre; ++k)
        m_pCentreList[k] = pCentre[k];
    for (int k = 0; k < nEdges; ++k)
        m_pEdgeList[k] = pEdges[k];
}

void CRgnMaker::MakeRgn_SideBySide(int* pShape)
{
    if (m_nWidth <= 0 || m_nHeight <= 0 || m_nNext >= m_nCount)
        return;

    if (m_nCount == 1)
    {
        CRgn* pRgn = new CRgn;
        if (!pRgn->CreateRectRgn(m_rect.left, m_rect.top, m_rect.right, m_rect.bottom))
        {
            delete pRgn;
            return;
        }
        m_arrRgn.Add(pRgn);
        m_nNext = 1;
        return;
    }

    const int i = m_nNext;
    CUIntArray points;
    if (i > 0)
        points.Append(m_arrLastCut);   // upper boundary, left to right
    else
    {
        AddPoint(points, m_rect.left, m_rect.top);
        AddPoint(points, m_rect.right, m_rect.top);
    }

    if (i < m_nCount - 1)
    {
        BuildCur(m_arrLastCut, pShape);
        CUIntArray lower;
        RevertArray(lower, m_arrLastCut);
        points.Append(lower);
    }
    else
    {
        AddPoint(points, m_rect.right, m_rect.bottom);
        AddPoint(points, m_rect.left, m_rect.bottom);
    }

    const int nPoints = (int)(points.GetSize() / 2);
    std::vector<POINT> poly((size_t)(nPoints > 0 ? nPoints : 1));
    for (int k = 0; k < nPoints; ++k)
    {
        poly[k].x = (LONG)(int)points[2 * k];
        poly[k].y = (LONG)(int)points[2 * k + 1];
    }
    CRgn* pRgn = new CRgn;
    if (!pRgn->CreatePolygonRgn(poly.data(), nPoints, WINDING))
    {
        // A degenerate cut still takes its place, so band numbers stay in step.
        pRgn->CreateRectRgn(0, 0, 0, 0);
    }
    m_arrRgn.Add(pRgn);
    ++m_nNext;
}

CRgn* CRgnMaker::GetAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_arrRgn.GetSize())
        return nullptr;
    return m_arrRgn[nIndex];
}

/////////////////////////////////////////////////////////////////////////////
// Implementation

void CRgnMaker::AddPoint(CUIntArray& points, int x, int y)
{
    points.Add((UINT)x);
    points.Add((UINT)y);
}

void CRgnMaker::RevertArray(CUIntArray& out, CUIntArray& in)
{
    out.RemoveAll();
    for (INT_PTR k = in.GetSize() / 2 - 1; k >= 0; --k)
    {
        out.Add(in[2 * k]);
        out.Add(in[2 * k + 1]);
    }
}

void CRgnMaker::BuildCur(CUIntArray& points, int* pShape)
{
    points.RemoveAll();
    int nSegs = 0;
    while (pShape && pShape[nSegs] != 0)
        ++nSegs;
    if (nSegs == 0)
        return;

    int dc = m_pCentreList ? m_pCentreList[m_nNext] * m_nHeight / 100 : 0;
    int de = m_pEdgeList ? m_pEdgeList[m_nNext] * m_nHeight / 100 : 0;
    if (dc == 0)
        dc = 1;
    if (de == 0)
        de = 1;
    const int c = m_nCentreDepth + dc;
    const int e = m_nEdgeDepth + de;
    const int step = (e - c) / nSegs;
    const int half = m_nWidth / 2;
    const int top = m_rect.top;

    AddPoint(points, m_rect.left, top + e);
    int x = m_rect.left;
    int y = e;
    for (int j = nSegs - 2; j >= 0; --j)
    {
        x += half * pShape[j] / 100;
        y -= step;
        AddPoint(points, x, top + y);
    }
    AddPoint(points, m_rect.left + half, top + c);
    x = m_rect.left + half;
    y = c;
    for (int j = 0; j <= nSegs - 2; ++j)
    {
        x += half * pShape[j] / 100;
        y += step;
        AddPoint(points, x, top + y);
    }
    AddPoint(points, m_rect.right, top + e);

    m_nCentreDepth = c;
    m_nEdgeDepth = e;
}
