#include "CSpecGroupBox.h"
#include "draw/RtlText.h"
#include "draw/LumoPalette.h"
#include "CPub.h"
#include "CUtilityVisual.h"
#include "frame/HostNotify.h"
#include "frame/DpiScale.h"
#include "controls/ParentBackground.h"

namespace {

const COLORREF kBandTop = 0x00FCFDFE;
const COLORREF kBandBottom = 0x00E5EEF2;
const COLORREF kBandLine = 0x00CFE1E8;
const COLORREF kFrame = 0x00BECED8;
// At 96 DPI: the band spans rows 1 .. 18, its line lies on row 19; the text stands 10 pixels
// in and keeps 20 clear on the right; the frame's corners are 5 across.
const int kBandBottomY = 19;
const int kTextLeft = 10, kTextRight = 20;
const int kCorner = 5;

}  // namespace

BEGIN_MESSAGE_MAP(CSpecGroupBox, CButton)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ENABLE()
    ON_WM_DESTROY()
    ON_REGISTERED_MESSAGE(CDpiScale::m_msgDpiChanged, OnDpiChanged)
END_MESSAGE_MAP()

CSpecGroupBox::CSpecGroupBox() : m_bTitle(1), m_pDpi(new CDpiScale), m_nStaleBottom(0)
{
}

CSpecGroupBox::~CSpecGroupBox()
{
    delete m_pDpi;
}

void CSpecGroupBox::PreSubclassWindow()
{
    m_pDpi->Attach(m_hWnd);
    CButton::PreSubclassWindow();
}

void CSpecGroupBox::OnDestroy()
{
    m_pDpi->Detach();
    CButton::OnDestroy();
}

// Everything is measured at each paint: a repaint draws it at the new DPI. The box paints no
// interior and a parent that clips its children paints none there either, so the next paint
// wipes what a taller band left below the new one.
LRESULT CSpecGroupBox::OnDpiChanged(WPARAM, LPARAM lParam)
{
    CDpiScale old;
    old.SetDpi((int)lParam);
    m_nStaleBottom = old.Scale(kBandBottomY) + old.Pen(1);
    Invalidate(TRUE);
    return 0;
}

int CSpecGroupBox::GetBandHeight() const
{
    return m_pDpi->Scale(kBandBottomY);
}

void CSpecGroupBox::SetTitleBand(BOOL bShow)
{
    m_bTitle = bShow ? 1 : 0;
    if (::IsWindow(m_hWnd))
        Invalidate(TRUE);
}

void CSpecGroupBox::DrawRoundRect(CDC* pDC, CRect& rect)
{
    // A wider pen stays inside the rectangle, as the one-pixel line does.
    const int nPen = m_pDpi->Pen(1);
    CPen pen(nPen > 1 ? PS_INSIDEFRAME : PS_SOLID, nPen, LumoPalette::Color(LumoPalette::FRAME, kFrame));
    CPen* pOldPen = pDC->SelectObject(&pen);
    CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
    pDC->RoundRect(rect.left, rect.top, rect.right, rect.bottom, m_pDpi->Scale(kCorner), m_pDpi->Scale(kCorner));
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

void CSpecGroupBox::Paint(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    const int nBandBottom = GetBandHeight();
    if (m_bTitle)
    {
        CRect band(rc.left, rc.top + 1, rc.right, rc.top + nBandBottom);
        if (LumoPalette::Flat())
            pDC->FillSolidRect(&band, ::GetSysColor(LumoPalette::SysIndex(LumoPalette::HEADER)));
        else
            CUtilityVisual::GradientRect(pDC, band, kBandTop, kBandBottom, 16, 1);
        CString text;
        GetWindowText(text);
        if (!text.IsEmpty())
        {
            HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
            HGDIOBJ hOldFont = hFont ? ::SelectObject(pDC->m_hDC, hFont) : NULL;
            const int nOldMode = pDC->SetBkMode(TRANSPARENT);
            const COLORREF crOld =
                pDC->SetTextColor(IsWindowEnabled() ? LumoPalette::Color(LumoPalette::HEADER_TEXT, RGB(0, 0, 0))
                                                  : ::GetSysColor(LumoPalette::SysIndex(LumoPalette::DISABLED_TEXT)));
            CRect rcText(rc.left + m_pDpi->Scale(kTextLeft), rc.top + 1, rc.right - m_pDpi->Scale(kTextRight),
                         rc.top + nBandBottom);
            pDC->DrawText(text, &rcText, DT_SINGLELINE | DT_VCENTER | RtlReading(pDC->GetSafeHdc()));
            pDC->SetTextColor(crOld);
            pDC->SetBkMode(nOldMode);
            if (hOldFont)
                ::SelectObject(pDC->m_hDC, hOldFont);
        }
        for (int i = 0; i < m_pDpi->Pen(1); i++)
            CPub::DrawLine(pDC, rc.left, rc.top + nBandBottom + i, rc.right, rc.top + nBandBottom + i,
                           LumoPalette::Color(LumoPalette::FRAME, kBandLine));
    }
    DrawRoundRect(pDC, rc);
}

void CSpecGroupBox::OnPaint()
{
    CPaintDC dc(this);
    const int nNewBottom = GetBandHeight() + m_pDpi->Pen(1);
    if (m_nStaleBottom > nNewBottom)
    {
        // The parent may destroy the box when asked for its background.
        const HWND hSelf = m_hWnd;
        HBRUSH hBrush = NULL;
        if (!ParentBackground::Ask(this, dc.m_hDC, &hBrush))
            return;
        if (!HostNotify::Alive(this, hSelf))
            return;
        CRect rc;
        GetClientRect(&rc);
        CRect stale(rc.left + 1, rc.top + nNewBottom, rc.right - 1, rc.top + m_nStaleBottom);
        ::FillRect(dc.m_hDC, &stale, hBrush ? hBrush : ::GetSysColorBrush(COLOR_BTNFACE));
    }
    m_nStaleBottom = 0;
    Paint(&dc);
}

LRESULT CSpecGroupBox::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (wParam)
        Paint(CDC::FromHandle((HDC)wParam));
    return 0;
}

void CSpecGroupBox::OnEnable(BOOL)
{
    // The platform's button draws its own group box for the new state, asking the parent for its
    // colours, and the parent may destroy the box; this one is drawn over.
    const HWND hSelf = m_hWnd;
    Default();
    if (HostNotify::Alive(this, hSelf))
        Invalidate(TRUE);
}
