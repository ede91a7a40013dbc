#include "CHyperLinkStatic.h"
#include "draw/LumoPalette.h"
#include "draw/RtlText.h"
#include "controls/ParentBackground.h"
#include "CUtilityVisual.h"
#include "frame/HostNotify.h"
#include "controls/CHyperLinkAccessible.h"
#include "frame/DpiScale.h"

#include <shellapi.h>

BEGIN_MESSAGE_MAP(CHyperLinkStatic, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SETCURSOR()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_ENABLE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_WM_DESTROY()
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_REGISTERED_MESSAGE(CAccessible::m_msgDefaultAction, OnAccDefaultAction)
    ON_REGISTERED_MESSAGE(CDpiScale::m_msgDpiChanged, OnDpiChanged)
END_MESSAGE_MAP()

namespace
{
// At 96 DPI: the underline lies 2 rows below the text's cell and is one pixel thick; the focus
// rectangle reaches one pixel past the text on either side.
const int kUnderlineGap = 2;
const int kFocusMargin = 1;
}  // namespace

/////////////////////////////////////////////////////////////////////////////
// construction

CHyperLinkStatic::CHyperLinkStatic()
    : m_crLink(0x00FF0000), m_bNotify(0), m_hNotifyWnd(NULL), m_nNotifyMsg(0),
      m_hCursor(CUtilityVisual::GetHandCursor()), m_pDpi(new CDpiScale)
{
}

CHyperLinkStatic::~CHyperLinkStatic()
{
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
    delete m_pDpi;
}

void CHyperLinkStatic::PreSubclassWindow()
{
    m_pDpi->Attach(m_hWnd);
    // A static control lets the mouse through to its parent unless it is asked to notify.
    ModifyStyle(0, SS_NOTIFY, SWP_NOSIZE);
    CStatic::PreSubclassWindow();
}

/////////////////////////////////////////////////////////////////////////////
// the text and its rectangle

COLORREF CHyperLinkStatic::LinkColor()
{
    return IsWindowEnabled() ? LumoPalette::Color(LumoPalette::HOT, m_crLink)
                             : ::GetSysColor(LumoPalette::SysIndex(LumoPalette::DISABLED_TEXT));
}

void CHyperLinkStatic::DrawCalcText(CDC* pDC, CRect& rect, int bCalcOnly)
{
    CString text;
    GetWindowText(text);
    const DWORD dwStyle = GetStyle();
    const UINT nAlign = (dwStyle & SS_CENTER) ? DT_CENTER : (dwStyle & SS_RIGHT) ? DT_RIGHT : DT_LEFT;

    // The host's font as it gave it; without one, the font a static shows, made for the DPI.
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    if (hFont == NULL)
        hFont = m_pDpi->StockFont(SYSTEM_FONT);
    HGDIOBJ hOldFont = hFont ? ::SelectObject(pDC->m_hDC, hFont) : NULL;
    COLORREF crOld = 0;
    int nOldMode = 0;
    if (!bCalcOnly)
    {
        crOld = pDC->SetTextColor(LinkColor());
        nOldMode = pDC->SetBkMode(TRANSPARENT);
    }
    // Measured without DT_VCENTER: centring in an empty rectangle makes some platforms count
    // the height from its middle.
    CRect rcCalc(0, 0, 0, 0);
    const int nTextH = pDC->DrawText(text, &rcCalc, DT_CALCRECT | DT_SINGLELINE);
    if (!bCalcOnly)
    {
        pDC->DrawText(text, &rect, nAlign | DT_SINGLELINE | DT_VCENTER | RtlReading(pDC->m_hDC));
        pDC->SetBkMode(nOldMode);
        pDC->SetTextColor(crOld);
    }
    if (hOldFont)
        ::SelectObject(pDC->m_hDC, hOldFont);

    const CRect client = rect;
    const int w = rcCalc.Width() < client.Width() ? rcCalc.Width() : client.Width();
    if (nAlign == DT_CENTER)
        rect.left = client.left + (client.Width() - w) / 2;
    else if (nAlign == DT_RIGHT)
        rect.left = client.right - w;
    rect.right = rect.left + w;
    rect.top = client.top + (client.Height() - nTextH) / 2;
    rect.bottom = rect.top + nTextH + m_pDpi->Scale(kUnderlineGap);
    if (rect.bottom > client.bottom)
        rect.bottom = client.bottom;
}

CRect CHyperLinkStatic::TextRect()
{
    CRect rc;
    GetClientRect(&rc);
    CClientDC dc(this);
    DrawCalcText(&dc, rc, 1);
    return rc;
}

/////////////////////////////////////////////////////////////////////////////
// painting

void CHyperLinkStatic::Paint(CDC* pDC, HBRUSH hBackground)
{
    CRect rc;
    GetClientRect(&rc);
    if (hBackground)
        ::FillRect(pDC->m_hDC, &rc, hBackground);
    DrawCalcText(pDC, rc, 0);
    const int nLine = m_pDpi->Pen(1);
    const COLORREF crOldBk = pDC->GetBkColor();
    pDC->FillSolidRect(rc.left, rc.bottom, rc.Width(), nLine, LinkColor());
    pDC->SetBkColor(crOldBk);
    if (::GetFocus() == m_hWnd)
    {
        const int nMargin = m_pDpi->Scale(kFocusMargin);
        CRect rcFocus(rc.left - nMargin, rc.top, rc.right + nMargin, rc.bottom + nLine);
        pDC->DrawFocusRect(&rcFocus);
    }
}

// The platform's static paints over the brush its parent gives it; so does the link, or a
// changed text would be drawn over the old one. The parent is asked before painting starts,
// since it may destroy the link when asked.
void CHyperLinkStatic::OnPaint()
{
    HBRUSH hBrush = NULL;
    if (!ParentBackground::Ask(this, NULL, &hBrush))
        return;
    CPaintDC dc(this);
    Paint(&dc, hBrush);
}

LRESULT CHyperLinkStatic::OnPrintClient(WPARAM wParam, LPARAM)
{
    HBRUSH hBrush = NULL;
    if (wParam && ParentBackground::Ask(this, (HDC)wParam, &hBrush))
        Paint(CDC::FromHandle((HDC)wParam), hBrush);
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// mouse and keyboard

void CHyperLinkStatic::OnMouseMove(UINT, CPoint point)
{
    if (TextRect().PtInRect(point))
        ::SetCursor(m_hCursor);
    Default();
}

void CHyperLinkStatic::OnLButtonDown(UINT, CPoint point)
{
    if (TextRect().PtInRect(point))
    {
        ::SetCursor(m_hCursor);
        // The window losing the focus is told, and may be the parent destroying the link.
        const HWND hSelf = m_hWnd;
        SetFocus();
        if (!HostNotify::Alive(this, hSelf))
            return;
    }
    Default();
}

void CHyperLinkStatic::OnLButtonUp(UINT, CPoint point)
{
    if (TextRect().PtInRect(point) && !Activate())
        return;
    Default();
}

BOOL CHyperLinkStatic::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    // Set here, before the class's arrow would be, so the hand does not flicker.
    CPoint pt;
    if (nHitTest == HTCLIENT && ::GetCursorPos(&pt))
    {
        ScreenToClient(&pt);
        if (TextRect().PtInRect(pt))
        {
            ::SetCursor(m_hCursor);
            return TRUE;
        }
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CHyperLinkStatic::OnKeyDown(UINT nChar, UINT, UINT nFlags)
{
    // Held keys repeat; the link opens once per press.
    const BOOL bRepeat = (nFlags & KF_REPEAT) != 0;
    if ((nChar == VK_RETURN || nChar == VK_SPACE) && !bRepeat && !Activate())
        return;
    Default();
}

LRESULT CHyperLinkStatic::OnGetDlgCode(WPARAM, LPARAM lParam)
{
    // A dialog turns Enter into its default button unless the focused control wants it.
    LRESULT lr = Default();
    const MSG* pMsg = (const MSG*)lParam;
    if (pMsg && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
        lr |= DLGC_WANTMESSAGE;
    return lr;
}

BOOL CHyperLinkStatic::Activate()
{
    if (m_bNotify)
    {
        if (!m_hNotifyWnd || !::IsWindow(m_hNotifyWnd))
            return TRUE;
        return HostNotify::Send(this, m_hNotifyWnd, m_nNotifyMsg, (WPARAM)m_hWnd, 0);
    }
    if (m_strTarget.IsEmpty())
        return TRUE;
    // The shell may run messages while it starts the target; the link may be gone afterwards.
    HWND hSelf = m_hWnd;
    const CString target = m_strTarget;
    HCURSOR hOld = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
    ::ShellExecuteA(NULL, "open", target, NULL, NULL, SW_SHOWNORMAL);
    ::SetCursor(hOld);
    return HostNotify::Alive(this, hSelf);
}

/////////////////////////////////////////////////////////////////////////////
// state

void CHyperLinkStatic::OnSetFocus(CWnd*)
{
    Default();
    Invalidate(TRUE);
}

void CHyperLinkStatic::OnKillFocus(CWnd*)
{
    Default();
    Invalidate(TRUE);
}

void CHyperLinkStatic::OnEnable(BOOL)
{
    // The platform's static paints its own text for the new state and tells the parent, which
    // may destroy the link; the link then repaints itself.
    HWND hSelf = m_hWnd;
    Default();
    if (HostNotify::Alive(this, hSelf))
        Invalidate(TRUE);
}

LRESULT CHyperLinkStatic::OnSetText(WPARAM wParam, LPARAM lParam)
{
    // The platform's static paints a new text at once in its own look; the text is stored
    // without that, and the link repaints itself.
    const LRESULT lr = ::DefWindowProcA(m_hWnd, WM_SETTEXT, wParam, lParam);
    Invalidate(TRUE);
    CAccessible::Notify(EVENT_OBJECT_NAMECHANGE, m_hWnd);
    return lr;
}

/////////////////////////////////////////////////////////////////////////////
// screen readers

LRESULT CHyperLinkStatic::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lr = CAccessible::Answer(m_hWnd, wParam, lParam, OBJID_CLIENT, CHyperLinkAccessible::Make);
    return lr ? lr : Default();
}

LRESULT CHyperLinkStatic::OnAccDefaultAction(WPARAM, LPARAM)
{
    if (IsWindowEnabled())
        Activate();
    return 0;
}

// The text, the underline and the font are measured at each paint.
LRESULT CHyperLinkStatic::OnDpiChanged(WPARAM, LPARAM)
{
    Invalidate(TRUE);
    return 0;
}

void CHyperLinkStatic::OnDestroy()
{
    m_pDpi->Detach();
    CAccessible::Disconnect(m_hWnd);
    CStatic::OnDestroy();
}
