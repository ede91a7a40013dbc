// DPI of the library's windows and the hand-down of a new DPI from a top-level window.
#include <afxwin.h>
#include <afxtempl.h>
#include "frame/DpiScale.h"
#include "CHookParentMessage.h"

#include <utility>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace
{
// The per-DPI functions are looked up at run time: the library still loads on a system that
// lacks them, and every window there is 96 DPI.
typedef UINT(WINAPI* PFN_GetDpiForWindow)(HWND);
typedef int(WINAPI* PFN_GetSystemMetricsForDpi)(int, UINT);
typedef BOOL(WINAPI* PFN_SystemParametersInfoForDpi)(UINT, UINT, PVOID, UINT, UINT);

struct DpiFunctions
{
    PFN_GetDpiForWindow pGetDpiForWindow;
    PFN_GetSystemMetricsForDpi pGetSystemMetricsForDpi;
    PFN_SystemParametersInfoForDpi pSystemParametersInfoForDpi;

    DpiFunctions()
    {
        HMODULE hUser = ::GetModuleHandleA("user32.dll");
        pGetDpiForWindow = hUser ? (PFN_GetDpiForWindow)(void*)::GetProcAddress(hUser, "GetDpiForWindow") : NULL;
        pGetSystemMetricsForDpi =
            hUser ? (PFN_GetSystemMetricsForDpi)(void*)::GetProcAddress(hUser, "GetSystemMetricsForDpi") : NULL;
        pSystemParametersInfoForDpi =
            hUser ? (PFN_SystemParametersInfoForDpi)(void*)::GetProcAddress(hUser, "SystemParametersInfoForDpi")
                  : NULL;
    }
};

const DpiFunctions& Functions()
{
    static const DpiFunctions s_functions;
    return s_functions;
}

// A top-level window and the DPI it was last told of.
struct HandedDpi
{
    HWND hTop;
    int nDpi;
};

CArray<CDpiScale*, CDpiScale*> s_arrAttached;
CArray<HandedDpi, const HandedDpi&> s_arrHanded;

int FindHanded(HWND hTop)
{
    for (INT_PTR i = 0; i < s_arrHanded.GetSize(); i++)
        if (s_arrHanded[i].hTop == hTop)
            return (int)i;
    return -1;
}

int FindAttached(HWND hWnd)
{
    for (INT_PTR i = 0; i < s_arrAttached.GetSize(); i++)
        if (s_arrAttached[i]->GetSafeHwnd() == hWnd)
            return (int)i;
    return -1;
}

// WM_DPICHANGED reaches top-level windows only. The top level of every attached window is
// listened to through the parent message hook, which hands the message to its subscribers before
// the window's own procedure: the controls are measured for the new DPI before the host moves
// the window to its suggested rectangle and they are laid out. (A thread hook would see it too,
// but it makes every message the thread sends dearer.)
class CDpiHandDown : public CObject
{
};
CDpiHandDown g_handDown;

// A listened top-level window and how many attached windows lie under it.
struct ListenedTop
{
    HWND hTop;
    int nWindows;
};
CArray<ListenedTop, const ListenedTop&> s_arrTops;

int FindTop(HWND hTop)
{
    for (INT_PTR i = 0; i < s_arrTops.GetSize(); i++)
        if (s_arrTops[i].hTop == hTop)
            return (int)i;
    return -1;
}

LRESULT CALLBACK DpiTopProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_DPICHANGED)
    {
        const int nDpi = LOWORD(wParam);
        if (nDpi > 0)
            CDpiScale::HandDown(hWnd, nDpi);
    }
    else if (message == WM_DESTROY)
    {
        // The hook leaves with the window; so does what was kept about it.
        int i = FindHanded(hWnd);
        if (i >= 0)
            s_arrHanded.RemoveAt(i);
        i = FindTop(hWnd);
        if (i >= 0)
            s_arrTops.RemoveAt(i);
    }
    return 0;
}

// After the top level's own handling of WM_DPICHANGED (and of the WM_SIZE it may have caused).
LRESULT CALLBACK DpiTopAfterProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_DPICHANGED && LOWORD(wParam) > 0)
        CDpiScale::LayOutHandedDown(hWnd);
    return 0;
}

// The attached windows under hTop (itself included), deepest first.
void AttachedUnder(HWND hTop, CArray<HWND, HWND>& arrWnd)
{
    for (INT_PTR k = 0; k < s_arrAttached.GetSize(); k++)
    {
        HWND hWnd = s_arrAttached[k]->GetSafeHwnd();
        if (hWnd == hTop || ::IsChild(hTop, hWnd))
            arrWnd.Add(hWnd);
    }
    CArray<int, int> arrDepth;
    arrDepth.SetSize(arrWnd.GetSize());
    for (INT_PTR k = 0; k < arrWnd.GetSize(); k++)
    {
        int nDepth = 0;
        for (HWND h = arrWnd[k]; h != hTop && h != NULL; h = ::GetParent(h))
            nDepth++;
        arrDepth[k] = nDepth;
    }
    for (INT_PTR k = 1; k < arrWnd.GetSize(); k++)
    {
        for (INT_PTR j = k; j > 0 && arrDepth[j - 1] < arrDepth[j]; j--)
        {
            std::swap(arrDepth[j - 1], arrDepth[j]);
            std::swap(arrWnd[j - 1], arrWnd[j]);
        }
    }
}

// A window's top level is listened to while an attached window lies under it. A top-level
// window attached itself (a skinned window) hears WM_DPICHANGED in its own procedure.
HWND ListenToTop(HWND hWnd)
{
    HWND hTop = ::GetAncestor(hWnd, GA_ROOT);
    if (hTop == NULL || hTop == hWnd ||
        ::GetWindowThreadProcessId(hTop, NULL) != ::GetCurrentThreadId())
        return NULL;
    const int i = FindTop(hTop);
    if (i >= 0)
    {
        s_arrTops[i].nWindows++;
        return hTop;
    }
    if (!CHookParentMessage::HookParent(hTop, &g_handDown, DpiTopProc, DpiTopAfterProc))
        return NULL;
    CHookParentMessage::SubscribeMessage(hTop, WM_DPICHANGED);
    CHookParentMessage::SubscribeMessage(hTop, WM_DESTROY);
    ListenedTop top = { hTop, 1 };
    s_arrTops.Add(top);
    return hTop;
}

void StopListening(HWND hTop)
{
    const int i = hTop ? FindTop(hTop) : -1;
    if (i < 0)
        return;
    if (--s_arrTops[i].nWindows > 0)
        return;
    s_arrTops.RemoveAt(i);
    CHookParentMessage::UnhookParent(hTop, &g_handDown);
}
}  // namespace

bool CDpiScale::s_bPlainMetrics = false;

/////////////////////////////////////////////////////////////////////////////
// construction

void CDpiScale::Attach(HWND hWnd)
{
    Detach();
    if (hWnd == NULL || !::IsWindow(hWnd))
        return;
    m_hWnd = hWnd;
    SetDpi(DpiOfWindow(hWnd));
    s_arrAttached.Add(this);
    m_hTop = ListenToTop(hWnd);
}

void CDpiScale::Detach()
{
    DropFonts();
    if (m_hWnd == NULL)
        return;
    for (INT_PTR i = 0; i < s_arrAttached.GetSize(); i++)
    {
        if (s_arrAttached[i] == this)
        {
            s_arrAttached.RemoveAt(i);
            break;
        }
    }
    m_hWnd = NULL;
    StopListening(m_hTop);
    m_hTop = NULL;
    if (s_arrAttached.GetSize() == 0)
        s_arrHanded.RemoveAll();  // nobody asks; a handle kept longer could name another window
}

/////////////////////////////////////////////////////////////////////////////
// attributes

HFONT CDpiScale::GuiFont()
{
    // Made from the metrics for this window's DPI, never from the stock font: which DPI the
    // stock font was made for depends on the awareness of the thread that asks.
    if (m_hGuiFont == NULL)
    {
        NONCLIENTMETRICSA ncm;
        ZeroMemory(&ncm, sizeof(ncm));
        if (NonClientMetricsForDpi(&ncm, sizeof(ncm), m_nDpi))
            m_hGuiFont = ::CreateFontIndirectA(&ncm.lfMessageFont);
        if (m_hGuiFont == NULL)
            return (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    }
    return m_hGuiFont;
}

HFONT CDpiScale::StockFont(int nIndex)
{
    HGDIOBJ hStock = ::GetStockObject(nIndex);
    if (hStock == NULL || ::GetObjectType(hStock) != OBJ_FONT)
        return NULL;
    const int nMadeFor = MetricsDpi();
    if (m_nDpi == nMadeFor)
        return (HFONT)hStock;
    if (m_hStockFont != NULL && m_nStockIndex == nIndex)
        return m_hStockFont;
    LOGFONTA lf;
    if (::GetObjectA(hStock, sizeof(lf), &lf) != sizeof(lf))
        return (HFONT)hStock;
    lf.lfHeight = ::MulDiv(lf.lfHeight, m_nDpi, nMadeFor);
    lf.lfWidth = ::MulDiv(lf.lfWidth, m_nDpi, nMadeFor);
    HFONT hFont = ::CreateFontIndirectA(&lf);
    if (hFont == NULL)
        return (HFONT)hStock;
    if (m_hStockFont != NULL)
        ::DeleteObject(m_hStockFont);
    m_hStockFont = hFont;
    m_nStockIndex = nIndex;
    return m_hStockFont;
}

void CDpiScale::SetDpi(int nDpi)
{
    if (nDpi <= 0)
        nDpi = LUMO_BASE_DPI;
    if (nDpi != m_nDpi)
        DropFonts();
    m_nDpi = nDpi;
}

void CDpiScale::DropFonts()
{
    if (m_hGuiFont)
    {
        ::DeleteObject(m_hGuiFont);
        m_hGuiFont = NULL;
    }
    if (m_hStockFont)
    {
        ::DeleteObject(m_hStockFont);
        m_hStockFont = NULL;
    }
    m_nStockIndex = -1;
}

/////////////////////////////////////////////////////////////////////////////
// platform queries

int CDpiScale::DpiOfWindow(HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return LUMO_BASE_DPI;
    HWND hTop = ::GetAncestor(hWnd, GA_ROOT);
    const int i = FindHanded(hTop);
    if (i >= 0)
        return s_arrHanded[i].nDpi;
    UINT nDpi = Functions().pGetDpiForWindow ? Functions().pGetDpiForWindow(hWnd) : 0;
    return nDpi ? (int)nDpi : LUMO_BASE_DPI;
}

int CDpiScale::SystemDpi()
{
    // The stock objects are made once per process, for the DPI the screen reported then.
    static int s_nDpi = 0;
    if (s_nDpi == 0)
    {
        HDC hDC = ::GetDC(NULL);
        s_nDpi = hDC ? ::GetDeviceCaps(hDC, LOGPIXELSY) : 0;
        if (hDC)
            ::ReleaseDC(NULL, hDC);
        if (s_nDpi <= 0)
            s_nDpi = LUMO_BASE_DPI;
    }
    return s_nDpi;
}

int CDpiScale::MetricsDpi()
{
    HDC hDC = ::GetDC(NULL);
    const int nDpi = hDC ? ::GetDeviceCaps(hDC, LOGPIXELSY) : 0;
    if (hDC)
        ::ReleaseDC(NULL, hDC);
    return nDpi > 0 ? nDpi : LUMO_BASE_DPI;
}

int CDpiScale::MetricForDpi(int nIndex, int nDpi)
{
    if (Functions().pGetSystemMetricsForDpi && !s_bPlainMetrics)
        return Functions().pGetSystemMetricsForDpi(nIndex, (UINT)nDpi);
    return ::MulDiv(::GetSystemMetrics(nIndex), nDpi, MetricsDpi());
}

BOOL CDpiScale::NonClientMetricsForDpi(NONCLIENTMETRICSA* pMetrics, UINT cbSize, int nDpi)
{
    pMetrics->cbSize = cbSize;
    if (Functions().pSystemParametersInfoForDpi && !s_bPlainMetrics)
    {
        // The per-DPI call answers in wide characters only.
        NONCLIENTMETRICSW ncw;
        ZeroMemory(&ncw, sizeof(ncw));
        ncw.cbSize = sizeof(ncw);
        if (Functions().pSystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(ncw), &ncw, 0, (UINT)nDpi))
        {
            pMetrics->iBorderWidth = ncw.iBorderWidth;
            pMetrics->iScrollWidth = ncw.iScrollWidth;
            pMetrics->iScrollHeight = ncw.iScrollHeight;
            pMetrics->iCaptionWidth = ncw.iCaptionWidth;
            pMetrics->iCaptionHeight = ncw.iCaptionHeight;
            pMetrics->iSmCaptionWidth = ncw.iSmCaptionWidth;
            pMetrics->iSmCaptionHeight = ncw.iSmCaptionHeight;
            pMetrics->iMenuWidth = ncw.iMenuWidth;
            pMetrics->iMenuHeight = ncw.iMenuHeight;
            const LOGFONTW* src[5] = { &ncw.lfCaptionFont, &ncw.lfSmCaptionFont, &ncw.lfMenuFont,
                                       &ncw.lfStatusFont, &ncw.lfMessageFont };
            LOGFONTA* dst[5] = { &pMetrics->lfCaptionFont, &pMetrics->lfSmCaptionFont, &pMetrics->lfMenuFont,
                                 &pMetrics->lfStatusFont, &pMetrics->lfMessageFont };
            for (int i = 0; i < 5; i++)
            {
                memcpy(dst[i], src[i], offsetof(LOGFONTA, lfFaceName));
                ::WideCharToMultiByte(CP_ACP, 0, src[i]->lfFaceName, -1, dst[i]->lfFaceName, LF_FACESIZE, NULL,
                                      NULL);
            }
            return TRUE;
        }
    }
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, cbSize, pMetrics, 0))
        return FALSE;
    const int nSystem = MetricsDpi();
    if (nDpi != nSystem)
    {
        LOGFONTA* fonts[5] = { &pMetrics->lfCaptionFont, &pMetrics->lfSmCaptionFont, &pMetrics->lfMenuFont,
                               &pMetrics->lfStatusFont, &pMetrics->lfMessageFont };
        for (int i = 0; i < 5; i++)
            fonts[i]->lfHeight = ::MulDiv(fonts[i]->lfHeight, nDpi, nSystem);
        pMetrics->iMenuHeight = ::MulDiv(pMetrics->iMenuHeight, nDpi, nSystem);
        pMetrics->iMenuWidth = ::MulDiv(pMetrics->iMenuWidth, nDpi, nSystem);
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// hand-down

const UINT CDpiScale::m_msgDpiChanged = ::RegisterWindowMessageA("Lumo_DpiChanged");
const UINT CDpiScale::m_msgDpiLayout = ::RegisterWindowMessageA("Lumo_DpiLayout");

void CDpiScale::HandDown(HWND hTop, int nDpi)
{
    if (hTop == NULL || nDpi <= 0)
        return;
    const int i = FindHanded(hTop);
    if (i >= 0)
    {
        s_arrHanded[i].nDpi = nDpi;
    }
    else
    {
        HandedDpi h = { hTop, nDpi };
        s_arrHanded.Add(h);
    }

    // A window told of its DPI may create or destroy others: the list is taken first, and each
    // window is looked up again before it is told. Children re-measure before their parents,
    // so that a parent measures what its children have become.
    CArray<HWND, HWND> arrWnd;
    AttachedUnder(hTop, arrWnd);
    const UINT msg = LumoDpiChangedMessage();
    for (INT_PTR k = 0; k < arrWnd.GetSize(); k++)
    {
        const int n = FindAttached(arrWnd[k]);
        if (n < 0)
            continue;
        CDpiScale* pScale = s_arrAttached[n];
        const int nOld = pScale->GetDpi();
        if (nOld == nDpi)
            continue;
        pScale->SetDpi(nDpi);
        ::SendMessageA(arrWnd[k], msg, (WPARAM)nDpi, (LPARAM)nOld);
    }
}

void CDpiScale::LayOutHandedDown(HWND hTop)
{
    if (hTop == NULL)
        return;
    // Parents first: a parent's layout places its children in the same batch, and brings
    // theirs up to date with it.
    CArray<HWND, HWND> arrWnd;
    AttachedUnder(hTop, arrWnd);
    const UINT msg = LumoDpiLayoutMessage();
    for (INT_PTR k = arrWnd.GetSize() - 1; k >= 0; k--)
    {
        const int n = FindAttached(arrWnd[k]);
        if (n >= 0)
            ::SendMessageA(arrWnd[k], msg, (WPARAM)s_arrAttached[n]->GetDpi(), 0);
    }
}

/////////////////////////////////////////////////////////////////////////////
// DpiScaleProbe

int DpiScaleProbe::AttachedCount()
{
    return (int)s_arrAttached.GetSize();
}

void DpiScaleProbe::UsePerDpiMetrics(bool bUse)
{
    CDpiScale::s_bPlainMetrics = !bUse;
}

int DpiScaleProbe::ListenedCount()
{
    return (int)s_arrTops.GetSize();
}
