// Device contexts and GDI objects of the framework layer, with their per-thread handle maps.
#include "afximpl.h"
#include "afxcmn.h"
#include "afxdllx.h"

/////////////////////////////////////////////////////////////////////////////
// Handle map helpers

namespace {

CObject* LookupIn(const std::unordered_map<HANDLE, CObject*>& map, HANDLE h)
{
    auto it = map.find(h);
    return it == map.end() ? nullptr : it->second;
}

// Removes the entry for h only if it belongs to pObject, so that a stale wrapper whose handle
// value was reused cannot drop the entry of the object that owns the handle now.
void RemoveFrom(std::unordered_map<HANDLE, CObject*>& map, HANDLE h, CObject* pObject)
{
    auto it = map.find(h);
    if (it != map.end() && it->second == pObject)
        map.erase(it);
}

// A wrapper of the class matching the object's type, so that a temporary pen is a CPen.
CGdiObject* NewWrapperFor(HGDIOBJ h)
{
    switch (::GetObjectType(h)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return new CPen;
    case OBJ_BRUSH:
        return new CBrush;
    case OBJ_FONT:
        return new CFont;
    case OBJ_BITMAP:
        return new CBitmap;
    case OBJ_PAL:
        return new CPalette;
    case OBJ_REGION:
        return new CRgn;
    default:
        return new CGdiObject;
    }
}

}  // namespace

void AfxDeleteTempGdiMaps(AfxThreadState* pState)
{
    if (pState == nullptr)
        return;
    // Each map is swapped out first: a destructor must not find itself in a map being walked.
    std::unordered_map<HANDLE, CObject*> dcs, gdis, menus, lists;
    dcs.swap(pState->temporaryDC);
    gdis.swap(pState->temporaryGdi);
    menus.swap(pState->temporaryMenu);
    lists.swap(pState->temporaryImageList);
    for (auto& entry : dcs) {
        CDC* pDC = static_cast<CDC*>(entry.second);
        pDC->m_hDC = nullptr;
        pDC->m_hAttribDC = nullptr;
        delete pDC;
    }
    for (auto& entry : gdis) {
        CGdiObject* pObject = static_cast<CGdiObject*>(entry.second);
        pObject->m_hObject = nullptr;
        delete pObject;
    }
    for (auto& entry : menus) {
        CMenu* pMenu = static_cast<CMenu*>(entry.second);
        pMenu->m_hMenu = nullptr;
        delete pMenu;
    }
    for (auto& entry : lists) {
        CImageList* pList = static_cast<CImageList*>(entry.second);
        pList->m_hImageList = nullptr;
        delete pList;
    }
}

/////////////////////////////////////////////////////////////////////////////
// CGdiObject

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

CGdiObject::CGdiObject() : m_hObject(nullptr)
{
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return nullptr;
    AfxThreadState* pState = AfxGetThreadState();
    if (CObject* p = LookupIn(pState->permanentGdi, hObject))
        return static_cast<CGdiObject*>(p);
    if (CObject* p = LookupIn(pState->temporaryGdi, hObject))
        return static_cast<CGdiObject*>(p);
    CGdiObject* pObject = NewWrapperFor(hObject);
    pObject->m_hObject = hObject;
    pState->temporaryGdi[hObject] = pObject;
    return pObject;
}

CGdiObject* PASCAL CGdiObject::FromHandlePermanent(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return nullptr;
    return static_cast<CGdiObject*>(LookupIn(AfxGetThreadState()->permanentGdi, hObject));
}

void PASCAL CGdiObject::DeleteTempMap()
{
    AfxThreadState* pState = AfxGetThreadState();
    std::unordered_map<HANDLE, CObject*> gdis;
    gdis.swap(pState->temporaryGdi);
    for (auto& entry : gdis) {
        CGdiObject* pObject = static_cast<CGdiObject*>(entry.second);
        pObject->m_hObject = nullptr;
        delete pObject;
    }
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return FALSE;
    // An owned handle is replaced only after the old one is gone, so nothing leaks.
    if (m_hObject != nullptr && m_hObject != hObject)
        DeleteObject();
    m_hObject = hObject;
    AfxThreadState* pState = AfxGetThreadState();
    pState->permanentGdi[hObject] = this;
    // A temporary wrapper of the same handle would otherwise shadow nothing but linger; it is
    // harmless because FromHandle looks in the permanent map first.
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject != nullptr)
        RemoveFrom(AfxGetThreadState()->permanentGdi, hObject, this);
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (this == nullptr || m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    if (this == nullptr || m_hObject == nullptr)
        return 0;
    return ::GetObjectA(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    if (this == nullptr || m_hObject == nullptr)
        return 0;
    return (UINT)::GetObjectType(m_hObject);
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return Attach(::GetStockObject(nIndex));
}

BOOL CGdiObject::UnrealizeObject()
{
    return m_hObject != nullptr && ::UnrealizeObject(m_hObject);
}

/////////////////////////////////////////////////////////////////////////////
// CPen, CBrush, CFont, CBitmap, CPalette, CRgn

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount,
                     const DWORD* lpStyle)
{
    if (pLogBrush == nullptr)
        return FALSE;
    return Attach(::ExtCreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    return lpLogPen != nullptr && Attach(::CreatePenIndirect(lpLogPen));
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return Attach(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    return lpLogBrush != nullptr && Attach(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    HBITMAP hBitmap = (HBITMAP)pBitmap->GetSafeHandle();
    return hBitmap != nullptr && Attach(::CreatePatternBrush(hBitmap));
}

BOOL CBrush::CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage)
{
    return lpPackedDIB != nullptr && Attach(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    return Attach(::GetSysColorBrush(nIndex));
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    return lpLogFont != nullptr && Attach(::CreateFontIndirectA(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                                nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONTA logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    if (lpszFaceName != nullptr)
        lstrcpynA(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    if (lpLogFont == nullptr)
        return FALSE;
    HDC hDC = pDC != nullptr ? pDC->m_hAttribDC : ::GetDC(nullptr);
    LOGFONTA logFont = *lpLogFont;
    // Tenths of a point to device pixels, then to the DC's logical units.
    POINT pt = { 0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720) };
    POINT ptOrg = { 0, 0 };
    ::DPtoLP(hDC, &pt, 1);
    ::DPtoLP(hDC, &ptOrg, 1);
    logFont.lfHeight = -abs(pt.y - ptOrg.y);
    if (pDC == nullptr)
        ::ReleaseDC(nullptr, hDC);
    return CreateFontIndirect(&logFont);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == nullptr)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    HBITMAP hBitmap = ::LoadBitmapA(hInst, lpszResourceName);
    if (hBitmap == nullptr && hInst != ::GetModuleHandleA(nullptr))
        hBitmap = ::LoadBitmapA(::GetModuleHandleA(nullptr), lpszResourceName);
    return Attach(hBitmap);
}

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap)
{
    return Attach(::LoadBitmapA(nullptr, MAKEINTRESOURCEA(nIDBitmap)));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
    return lpBitmap != nullptr && Attach(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    HDC hDC = pDC->GetSafeHdc();
    return hDC != nullptr && Attach(::CreateCompatibleBitmap(hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return CreateCompatibleBitmap(pDC, nWidth, nHeight);
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight)
{
    SIZE size = {};
    ::SetBitmapDimensionEx((HBITMAP)m_hObject, nWidth, nHeight, &size);
    return CSize(size.cx, size.cy);
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = {};
    ::GetBitmapDimensionEx((HBITMAP)m_hObject, &size);
    return CSize(size.cx, size.cy);
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    HDC hDC = pDC->GetSafeHdc();
    return hDC != nullptr && Attach(::CreateHalftonePalette(hDC));
}

BOOL CRgn::CreateFromPath(CDC* pDC)
{
    HDC hDC = pDC->GetSafeHdc();
    return hDC != nullptr && Attach(::PathToRegion(hDC));
}

/////////////////////////////////////////////////////////////////////////////
// CDC

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CDC::CDC() : m_hDC(nullptr), m_hAttribDC(nullptr), m_bPrinting(FALSE)
{
}

CDC::~CDC()
{
    if (m_hDC != nullptr)
        ::DeleteDC(Detach());
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    if (hDC == nullptr)
        return nullptr;
    AfxThreadState* pState = AfxGetThreadState();
    if (CObject* p = LookupIn(pState->permanentDC, hDC))
        return static_cast<CDC*>(p);
    if (CObject* p = LookupIn(pState->temporaryDC, hDC))
        return static_cast<CDC*>(p);
    CDC* pDC = new CDC;
    pDC->m_hDC = pDC->m_hAttribDC = hDC;
    pState->temporaryDC[hDC] = pDC;
    return pDC;
}

void PASCAL CDC::DeleteTempMap()
{
    AfxThreadState* pState = AfxGetThreadState();
    std::unordered_map<HANDLE, CObject*> dcs;
    dcs.swap(pState->temporaryDC);
    for (auto& entry : dcs) {
        CDC* pDC = static_cast<CDC*>(entry.second);
        pDC->m_hDC = pDC->m_hAttribDC = nullptr;
        delete pDC;
    }
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr)
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    AfxGetThreadState()->permanentDC[hDC] = this;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != nullptr)
        RemoveFrom(AfxGetThreadState()->permanentDC, hDC, this);
    m_hDC = m_hAttribDC = nullptr;
    return hDC;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODEA*)lpInitData));
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateICA(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODEA*)lpInitData));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC->GetSafeHdc()));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const
{
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

int CDC::SaveDC()
{
    int nRet = 0;
    if (m_hAttribDC != nullptr)
        nRet = ::SaveDC(m_hAttribDC);
    if (m_hDC != m_hAttribDC && m_hDC != nullptr && ::SaveDC(m_hDC) != 0)
        nRet = -1;  // only the relative form can restore both
    return nRet;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL bRet = TRUE;
    if (m_hDC != m_hAttribDC && m_hDC != nullptr)
        bRet = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC != nullptr)
        bRet = ::RestoreDC(m_hAttribDC, nSavedDC) && bRet;
    return bRet;
}

// Attribute setters change the output DC and, when it is a different one, the attribute DC,
// and report the attribute DC's previous value.
#define AFX_SET_BOTH(type, call)                                                   \
    type ret = type();                                                             \
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) ret = call(m_hDC);               \
    if (m_hAttribDC != nullptr) ret = call(m_hAttribDC);                           \
    return ret

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    if (m_hDC == nullptr && m_hAttribDC == nullptr)
        return CLR_INVALID;
    auto f = [&](HDC h) { return ::SetBkColor(h, crColor); };
    AFX_SET_BOTH(COLORREF, f);
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    if (m_hDC == nullptr && m_hAttribDC == nullptr)
        return CLR_INVALID;
    auto f = [&](HDC h) { return ::SetTextColor(h, crColor); };
    AFX_SET_BOTH(COLORREF, f);
}

int CDC::SetBkMode(int nBkMode)
{
    auto f = [&](HDC h) { return ::SetBkMode(h, nBkMode); };
    AFX_SET_BOTH(int, f);
}

int CDC::SetROP2(int nDrawMode)
{
    auto f = [&](HDC h) { return ::SetROP2(h, nDrawMode); };
    AFX_SET_BOTH(int, f);
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
    auto f = [&](HDC h) { return ::SetPolyFillMode(h, nPolyFillMode); };
    AFX_SET_BOTH(int, f);
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    auto f = [&](HDC h) { return ::SetStretchBltMode(h, nStretchMode); };
    AFX_SET_BOTH(int, f);
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    auto f = [&](HDC h) { return ::SetTextAlign(h, nFlags); };
    AFX_SET_BOTH(UINT, f);
}

int CDC::SetTextCharacterExtra(int nCharExtra)
{
    auto f = [&](HDC h) { return ::SetTextCharacterExtra(h, nCharExtra); };
    AFX_SET_BOTH(int, f);
}

int CDC::SetMapMode(int nMapMode)
{
    auto f = [&](HDC h) { return ::SetMapMode(h, nMapMode); };
    AFX_SET_BOTH(int, f);
}

CPoint CDC::GetBrushOrg() const
{
    POINT pt = {};
    ::GetBrushOrgEx(m_hDC, &pt);
    return CPoint(pt.x, pt.y);
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT pt = {};
    ::SetBrushOrgEx(m_hDC, x, y, &pt);
    return CPoint(pt.x, pt.y);
}

CPoint CDC::GetViewportOrg() const
{
    POINT pt = {};
    ::GetViewportOrgEx(m_hAttribDC, &pt);
    return CPoint(pt.x, pt.y);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT pt = {};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr)
        ::SetViewportOrgEx(m_hDC, x, y, &pt);
    if (m_hAttribDC != nullptr)
        ::SetViewportOrgEx(m_hAttribDC, x, y, &pt);
    return CPoint(pt.x, pt.y);
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT pt = {};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr)
        ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &pt);
    if (m_hAttribDC != nullptr)
        ::OffsetViewportOrgEx(m_hAttribDC, nWidth, nHeight, &pt);
    return CPoint(pt.x, pt.y);
}

CPoint CDC::GetWindowOrg() const
{
    POINT pt = {};
    ::GetWindowOrgEx(m_hAttribDC, &pt);
    return CPoint(pt.x, pt.y);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT pt = {};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr)
        ::SetWindowOrgEx(m_hDC, x, y, &pt);
    if (m_hAttribDC != nullptr)
        ::SetWindowOrgEx(m_hAttribDC, x, y, &pt);
    return CPoint(pt.x, pt.y);
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    POINT pt = {};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr)
        ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &pt);
    if (m_hAttribDC != nullptr)
        ::OffsetWindowOrgEx(m_hAttribDC, nWidth, nHeight, &pt);
    return CPoint(pt.x, pt.y);
}

CSize CDC::GetViewportExt() const
{
    SIZE size = {};
    ::GetViewportExtEx(m_hAttribDC, &size);
    return CSize(size.cx, size.cy);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE size = {};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr)
        ::SetViewportExtEx(m_hDC, cx, cy, &size);
    if (m_hAttribDC != nullptr)
        ::SetViewportExtEx(m_hAttribDC, cx, cy, &size);
    return CSize(size.cx, size.cy);
}

CSize CDC::GetWindowExt() const
{
    SIZE size = {};
    ::GetWindowExtEx(m_hAttribDC, &size);
    return CSize(size.cx, size.cy);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE size = {};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr)
        ::SetWindowExtEx(m_hDC, cx, cy, &size);
    if (m_hAttribDC != nullptr)
        ::SetWindowExtEx(m_hAttribDC, cx, cy, &size);
    return CSize(size.cx, size.cy);
}

// Sizes convert as the vector between two converted points.
void CDC::DPtoLP(LPSIZE lpSize) const
{
    if (lpSize == nullptr)
        return;
    POINT pts[2] = { { 0, 0 }, { lpSize->cx, lpSize->cy } };
    ::DPtoLP(m_hAttribDC, pts, 2);
    lpSize->cx = pts[1].x - pts[0].x;
    lpSize->cy = pts[1].y - pts[0].y;
}

void CDC::LPtoDP(LPSIZE lpSize) const
{
    if (lpSize == nullptr)
        return;
    POINT pts[2] = { { 0, 0 }, { lpSize->cx, lpSize->cy } };
    ::LPtoDP(m_hAttribDC, pts, 2);
    lpSize->cx = pts[1].x - pts[0].x;
    lpSize->cy = pts[1].y - pts[0].y;
}

// -- Selection -------------------------------------------------------------------

namespace {

// Selects into both DCs when they differ; returns the object the attribute DC had.
HGDIOBJ SelectInto(HDC hDC, HDC hAttribDC, HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return nullptr;
    HGDIOBJ hOld = nullptr;
    if (hDC != hAttribDC && hDC != nullptr)
        hOld = ::SelectObject(hDC, hObject);
    if (hAttribDC != nullptr)
        hOld = ::SelectObject(hAttribDC, hObject);
    return hOld == HGDI_ERROR ? nullptr : hOld;
}

}  // namespace

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ hObject = ::GetStockObject(nIndex);
    return CGdiObject::FromHandle(SelectInto(m_hDC, m_hAttribDC, hObject));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return (CPen*)CGdiObject::FromHandle(SelectInto(m_hDC, m_hAttribDC, pPen->GetSafeHandle()));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return (CBrush*)CGdiObject::FromHandle(SelectInto(m_hDC, m_hAttribDC, pBrush->GetSafeHandle()));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return (CFont*)CGdiObject::FromHandle(SelectInto(m_hDC, m_hAttribDC, pFont->GetSafeHandle()));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    // Bitmaps go only into the output DC: a bitmap can be selected into one DC at a time.
    HGDIOBJ hBitmap = pBitmap->GetSafeHandle();
    if (hBitmap == nullptr || m_hDC == nullptr)
        return nullptr;
    HGDIOBJ hOld = ::SelectObject(m_hDC, hBitmap);
    return (CBitmap*)CGdiObject::FromHandle(hOld == HGDI_ERROR ? nullptr : hOld);
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    HGDIOBJ hObject = pObject->GetSafeHandle();
    if (hObject != nullptr && ::GetObjectType(hObject) == OBJ_BITMAP)
        return SelectObject(static_cast<CBitmap*>(pObject));
    return CGdiObject::FromHandle(SelectInto(m_hDC, m_hAttribDC, hObject));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    if (hObject != nullptr && ::GetObjectType(hObject) == OBJ_REGION)
        return (HGDIOBJ)(INT_PTR)::SelectClipRgn(m_hDC, (HRGN)hObject);
    return SelectInto(m_hDC, m_hAttribDC, hObject);
}

int CDC::SelectObject(CRgn* pRgn)
{
    HGDIOBJ hRgn = pRgn->GetSafeHandle();
    if (hRgn == nullptr || m_hDC == nullptr)
        return ERROR;
    return (int)(INT_PTR)::SelectObject(m_hDC, hRgn);
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    HPALETTE hPalette = (HPALETTE)pPalette->GetSafeHandle();
    if (hPalette == nullptr || m_hDC == nullptr)
        return nullptr;
    return (CPalette*)CGdiObject::FromHandle(::SelectPalette(m_hDC, hPalette, bForceBackground));
}

CPen* CDC::GetCurrentPen() const
{
    return (CPen*)CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_PEN));
}

CBrush* CDC::GetCurrentBrush() const
{
    return (CBrush*)CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_BRUSH));
}

CFont* CDC::GetCurrentFont() const
{
    return (CFont*)CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_FONT));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return (CBitmap*)CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_BITMAP));
}

CPalette* CDC::GetCurrentPalette() const
{
    return (CPalette*)CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_PAL));
}

// -- Drawing -------------------------------------------------------------------

CPoint CDC::GetCurrentPosition() const
{
    POINT pt = {};
    ::GetCurrentPositionEx(m_hAttribDC, &pt);
    return CPoint(pt.x, pt.y);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT pt = {};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr)
        ::MoveToEx(m_hDC, x, y, &pt);
    if (m_hAttribDC != nullptr)
        ::MoveToEx(m_hAttribDC, x, y, &pt);
    return CPoint(pt.x, pt.y);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (lpRect != nullptr)
        ::FillRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle());
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (lpRect != nullptr)
        ::FrameRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle());
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor)
{
    if (lpRect == nullptr || m_hDC == nullptr)
        return;
    ::SetBkColor(m_hDC, crColor);
    // A mirrored context may place an opaque text rectangle one pixel beside the pixels a brush
    // or a line given the same coordinates covers (the platform under test does); a brush keeps
    // fills and outlines together there.
    if (::GetLayout(m_hDC) & LAYOUT_RTL)
    {
        HBRUSH hBrush = ::CreateSolidBrush(crColor);
        if (hBrush != nullptr)
        {
            ::FillRect(m_hDC, lpRect, hBrush);
            ::DeleteObject(hBrush);
            return;
        }
    }
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor)
{
    RECT rc = { x, y, x + cx, y + cy };
    FillSolidRect(&rc, crColor);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF crTopLeft, COLORREF crBottomRight)
{
    if (lpRect != nullptr)
        Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                   lpRect->bottom - lpRect->top, crTopLeft, crBottomRight);
}

// The top-left colour takes the top row and left column except their far ends, which belong
// to the bottom and right edges.
void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF crTopLeft, COLORREF crBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, crTopLeft);
    FillSolidRect(x, y, 1, cy - 1, crTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, crBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, crBottomRight);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateA(m_hDC, hBrush, nullptr, (LPARAM)hBitmap, 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, (HBITMAP)pBitmap->GetSafeHandle(), nFlags, (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateA(m_hDC, hBrush, nullptr, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText,
                    int nTextLen, HBRUSH hBrush)
{
    if (lpszText == nullptr)
        return FALSE;
    return ::DrawStateA(m_hDC, hBrush, nullptr, (LPARAM)lpszText, (WPARAM)nTextLen, pt.x, pt.y,
                        size.cx, size.cy, nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC,
                         int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->GetSafeHdc(),
                            xSrc, ySrc, nSrcWidth, nSrcHeight, clrTransparent);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC,
                     int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    return ::AlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->GetSafeHdc(),
                        xSrc, ySrc, nSrcWidth, nSrcHeight, blend);
}

// -- Text ------------------------------------------------------------------------

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    if (lpszString == nullptr)
        return FALSE;
    return ::TextOutA(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString,
                     UINT nCount, LPINT lpDxWidths)
{
    if (lpszString == nullptr)
        nCount = 0;
    return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    if (lpszString == nullptr || lpRect == nullptr)
        return 0;
    return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawTextEx(LPTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    if (lpszString == nullptr || lpRect == nullptr)
        return 0;
    return ::DrawTextExA(m_hDC, lpszString, nCount, lpRect, nFormat, lpDTParams);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {};
    if (lpszString != nullptr)
        ::GetTextExtentPoint32A(m_hAttribDC, lpszString, nCount, &size);
    return CSize(size.cx, size.cy);
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {};
    if (lpszString != nullptr)
        ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
    return CSize(size.cx, size.cy);
}

/////////////////////////////////////////////////////////////////////////////
// CPaintDC, CClientDC, CWindowDC

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    ZeroMemory(&m_ps, sizeof(m_ps));
    if (m_hWnd != nullptr)
        Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd != nullptr && m_ps.hdc != nullptr)
        ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    HDC hDC = Detach();
    if (hDC != nullptr)
        ::ReleaseDC(m_hWnd, hDC);
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    HDC hDC = Detach();
    if (hDC != nullptr)
        ::ReleaseDC(m_hWnd, hDC);
}

/////////////////////////////////////////////////////////////////////////////
// CWnd members that hand out drawing objects

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

void CWnd::EndPaint(LPPAINTSTRUCT lpPaint)
{
    ::EndPaint(m_hWnd, lpPaint);
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    return CDC::FromHandle(::GetDCEx(m_hWnd, (HRGN)prgnClip->GetSafeHandle(), flags));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    HDC hDC = pDC->GetSafeHdc();
    return hDC != nullptr ? ::ReleaseDC(m_hWnd, hDC) : 0;
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle(), bErase);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, (HRGN)prgnUpdate->GetSafeHandle(), flags);
}

void CWnd::Print(CDC* pDC, DWORD dwFlags) const
{
    ::SendMessageA(m_hWnd, WM_PRINT, (WPARAM)pDC->GetSafeHdc(), (LPARAM)dwFlags);
}

void CWnd::PrintClient(CDC* pDC, DWORD dwFlags) const
{
    ::SendMessageA(m_hWnd, WM_PRINTCLIENT, (WPARAM)pDC->GetSafeHdc(), (LPARAM)dwFlags);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle((HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
}
