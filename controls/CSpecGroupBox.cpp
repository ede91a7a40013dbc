#include "CSpecGroupBox.h"
#include "draw/RtlText.h"
#include "draw/LumoPalette.h"
#include "CPub.h"
#include "CUtilityVisual.h"
#include "frame/HostNotify.h"

namespace {

const COLORREF kBandTop = 0x00FCFDFE;
const COLORREF kBandBottom = 0x00E5EEF2;
const COLORREF kBandLine = 0x00CFE1E8;
const COLORREF kFrame = 0x00BECED8;
const int kBandBottomY = 19;  // the band spans rows 1 .. 18, its line lies on row 19

}  // namespace

BEGIN_MESSAGE_MAP(CSpecGroupBox, CButton)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ENABLE()
END_MESSAGE_MAP()

CSpecGroupBox::CSpecGroupBox() : m_bTitle(1)
{
}

CSpecGroupBox::~CSpecGroupBox()
{
}

void CSpecGroupBox::SetTitleBand(BOOL bShow)
{
    m_bTitle = bShow ? 1 : 0;
    if (::IsWindow(m_hWnd))
        Invalidate(TRUE);
}

void CSpecGroupBox::DrawRoundRect(CDC* pDC, CRect& rect)
{
    CPen pen(PS_SOLID, 1, LumoPalette::Color(LumoPalette::FRAME, kFrame));
    CPen* pOldPen = pDC->SelectObject(&pen);
    CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
    pDC->RoundRect(rect.left, rect.top, rect.right, rect.bottom, 5, 5);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

void CSpecGroupBox::Paint(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    if (m_bTitle)
    {
        CRect band(rc.left, rc.top + 1, rc.right, rc.top + kBandBottomY);
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
            CRect rcText(rc.left + 10, rc.top + 1, rc.right - 20, rc.top + kBandBottomY);
            pDC->DrawText(text, &rcText, DT_SINGLELINE | DT_VCENTER | RtlReading(pDC->GetSafeHdc()));
            pDC->SetTextColor(crOld);
            pDC->SetBkMode(nOldMode);
            if (hOldFont)
                ::SelectObject(pDC->m_hDC, hOldFont);
        }
        CPub::DrawLine(pDC, rc.left, rc.top + kBandBottomY, rc.right, rc.top + kBandBottomY,
                       LumoPalette::Color(LumoPalette::FRAME, kBandLine));
    }
    DrawRoundRect(pDC, rc);
}

void CSpecGroupBox::OnPaint()
{
    CPaintDC dc(this);
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
