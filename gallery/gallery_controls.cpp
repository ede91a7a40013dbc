// The small controls' strip of the classes host and its part of the scripted session.
#include "GalleryControls.h"

#include <stdio.h>

#include "ScriptSupport.h"
#include "CUtilityVisual.h"

namespace gallery {

namespace {

// The classes host's own colours, so the strip reads as more of its panels.
const COLORREF kWindowBack = RGB(228, 233, 240);
const COLORREF kPanelBack = RGB(255, 255, 255);
const COLORREF kTitleBack = RGB(58, 110, 165);
const COLORREF kText = RGB(40, 40, 40);
const int kTitleH = 20, kPanelW = 208, kGap = 12, kMargin = 8;
const int kPanels = 5;
const char* const kTitles[kPanels] = {
    "CMySlideCtrl: hover; above, disabled", "CProgressCtrlEx: percentage, text",
    "CSpecGroupBox: band and plain",   "CTabCtrlEx: owner-drawn, hot tab",
    "CHyperLinkStatic: notify mode",
};
const UINT kLinkMsg = WM_APP + 1;
const UINT kLinkId = 310;
const char kLinkText[] = "Open the order list";
const COLORREF kFaceLit = 0x0052C8FE;

// A point of a child in its grandparent's client coordinates, where the host's screenshots are.
POINT InHost(HWND child, POINT pt)
{
    ::MapWindowPoints(child, ::GetParent(::GetParent(child)), &pt, 1);
    return pt;
}

// Puts the real pointer on a child's point and tells the child it moved there.
void MoveMouse(HWND child, POINT pt, WPARAM keys = 0)
{
    POINT screen = pt;
    ::ClientToScreen(child, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::PostMessageA(child, WM_MOUSEMOVE, keys, MAKELPARAM(pt.x, pt.y));
}

}  // namespace

BEGIN_MESSAGE_MAP(CControlsStrip, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CRect CControlsStrip::PanelRect(int panel) const
{
    const int left = kMargin + panel * (kPanelW + kGap);
    return CRect(left, kMargin, left + kPanelW, kHeight);
}

CRect CControlsStrip::ClicksRect() const
{
    const CRect rc = PanelRect(4);
    return CRect(rc.left + 8, rc.top + kTitleH + 52, rc.right - 8, rc.top + kTitleH + 68);
}

BOOL CControlsStrip::Build(CWnd* pParent, const CRect& rect, LogLine log)
{
    m_log = log;
    m_hbrPanel = (HBRUSH)::GetStockObject(WHITE_BRUSH);
    // Not clipping its children: a group box paints no inside, the strip's panel shows there.
    if (!CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), "small controls",
                  WS_CHILD | WS_VISIBLE, rect, pParent, 0))
        return FALSE;
    const DWORD kChild = WS_CHILD | WS_VISIBLE;
    auto body = [this](int panel, int l, int t, int r, int b) {
        CRect p = PanelRect(panel);
        return CRect(p.left + l, p.top + kTitleH + t, p.left + r, p.top + kTitleH + b);
    };

    // Sliders: ticks below with every fifth long, and a disabled one with its ticks above.
    if (!m_slider.Create(kChild | WS_TABSTOP, body(0, 8, 2, 200, 34), this, 300) ||
        !m_sliderTop.Create(kChild | TBS_TOP | WS_DISABLED, body(0, 8, 36, 200, 72), this, 301))
        return FALSE;
    const int positions[2] = { 30, 70 };
    CMySlideCtrl* sliders[2] = { &m_slider, &m_sliderTop };
    for (int i = 0; i < 2; ++i)
    {
        sliders[i]->SetRange(0, 100, FALSE);
        sliders[i]->SetMaxTicFreq(5);
        sliders[i]->SetPos(positions[i]);
    }

    // Progress bars: a percentage, one measured from a lower bound of 50, a text.
    const struct
    {
        int lower, upper, pos;
        const char* text;
    } bars[3] = { { 0, 100, 42, "" }, { 50, 150, 100, "" }, { 0, 100, 70, "Saving orders" } };
    for (int i = 0; i < 3; ++i)
    {
        if (!m_bars[i].Create(kChild, body(1, 8, 2 + i * 24, 200, 22 + i * 24), this, 303 + i))
            return FALSE;
        m_bars[i].SetRange32(bars[i].lower, bars[i].upper);
        m_bars[i].SetPos(bars[i].pos);
        m_bars[i].SetText(bars[i].text);
    }

    const HGDIOBJ hFont = ::GetStockObject(DEFAULT_GUI_FONT);
    if (!m_boxBand.Create("Customer", kChild | BS_GROUPBOX, body(2, 8, 4, 124, 68), this, 307) ||
        !m_boxPlain.Create("", kChild | BS_GROUPBOX, body(2, 132, 4, 200, 68), this, 308))
        return FALSE;
    m_boxPlain.SetTitleBand(FALSE);

    if (!m_tabs.Create(kChild, body(3, 8, 4, 200, 68), this, 309))
        return FALSE;
    m_tabs.SendMessage(WM_SETFONT, (WPARAM)hFont, FALSE);
    for (const char* name : { "General", "Orders", "Invoices" })
        m_tabs.InsertItem(m_tabs.GetItemCount(), name);
    m_tabs.SetCurSel(0);

    if (!m_link.Create(kLinkText, kChild | SS_CENTER | WS_TABSTOP, body(4, 8, 2, 200, 24), this, kLinkId) ||
        !m_linkOff.Create("Print the list (not available)", kChild | SS_CENTER | WS_DISABLED, body(4, 8, 26, 200, 48),
                          this, kLinkId + 1))
        return FALSE;
    for (CHyperLinkStatic* link : { &m_link, &m_linkOff })
    {
        link->m_bNotify = 1;
        link->m_hNotifyWnd = m_hWnd;
        link->m_nNotifyMsg = kLinkMsg;
    }
    for (CWnd* w : { (CWnd*)&m_boxBand, (CWnd*)&m_boxPlain, (CWnd*)&m_link, (CWnd*)&m_linkOff })
        w->SendMessage(WM_SETFONT, (WPARAM)hFont, FALSE);
    return TRUE;
}

BOOL CControlsStrip::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CControlsStrip::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, kWindowBack);
    dc.SetBkMode(TRANSPARENT);
    CGdiObject* pOldFont = dc.SelectStockObject(DEFAULT_GUI_FONT);
    for (int p = 0; p < kPanels; ++p)
    {
        CRect rc = PanelRect(p);
        CRect title(rc.left, rc.top, rc.right, rc.top + kTitleH);
        CUtilityVisual::GradientRect(&dc, title, CUtilityVisual::Hilight(kTitleBack, 30), kTitleBack, 8, TRUE);
        CRect text = title;
        text.left += 8;
        dc.SetTextColor(RGB(255, 255, 255));
        dc.DrawText(kTitles[p], -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        CRect body(rc.left, title.bottom, rc.right, rc.bottom);
        dc.FillSolidRect(&body, kPanelBack);
        CRect outline = rc;
        outline.InflateRect(1, 1);
        dc.Draw3dRect(&outline, RGB(190, 198, 210), RGB(160, 170, 185));
    }
    char line[48];
    sprintf(line, "clicks on the link: %d", m_nLinkClicks);
    dc.SetTextColor(kText);
    const CRect rcClicks = ClicksRect();
    dc.DrawText(line, -1, (LPRECT)&rcClicks, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectObject(pOldFont);
}

LRESULT CControlsStrip::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CTLCOLORSTATIC)
        return (LRESULT)m_hbrPanel;
    if (msg == kLinkMsg)
    {
        ++m_nLinkClicks;
        char line[128];
        sprintf(line, "hyperlink '%s' (id %u): WM_APP+1, wParam %s", kLinkText, kLinkId,
                (HWND)wParam == m_link.m_hWnd ? "= the link's window" : "unexpected");
        if (m_log)
            m_log(line);
        const CRect rc = ClicksRect();
        InvalidateRect(&rc, FALSE);
        return 0;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

void CControlsStrip::RunScript(const TakeShot& shoot)
{
    Settle();
    // The first slider's thumb, where its channel and position put it.
    CRect ch;
    m_slider.GetChannelRect(&ch);
    const int m = (ch.top + ch.bottom) / 2;
    auto thumbX = [&] {
        int lo = 0, hi = 0;
        m_slider.GetRange(lo, hi);
        return ch.left + ch.Width() * (m_slider.GetPos() - lo) / (hi - lo);
    };
    const POINT grip = { thumbX(), m };
    MoveMouse(m_slider, grip);
    Check(PumpUntil([&] { return ::GetCapture() == m_slider.m_hWnd; }, 3000), "slider: the thumb takes the mouse while it rests on it");
    Settle();
    PixelAt hover = shoot("controls-01-slider-hover.png");
    const POINT face = InHost(m_slider, POINT{ grip.x - 1, m });
    Check(hover(face.x, face.y) == kFaceLit, "slider: the thumb under the mouse is lit");

    // Dragging: the pointer stays put while the moves are posted, so no real move interrupts.
    const int to = ch.left + ch.Width() * 4 / 5;
    m_slider.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grip.x, m));
    for (int x = grip.x + 10; x < to; x += 10)
        m_slider.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, m));
    m_slider.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, m));
    m_slider.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(to, m));
    const bool dragged = PumpUntil([&] { return m_slider.GetPos() >= 70 && ::GetCapture() != m_slider.m_hWnd; }, 3000);
    char what[96];
    sprintf(what, "slider: dragged from 30 to %d", m_slider.GetPos());
    Check(dragged, what);

    // The link, in notify mode: a click on its text tells the host.
    CRect link;
    m_link.GetClientRect(&link);
    const POINT centre = link.CenterPoint();
    MoveMouse(m_link, centre);
    m_link.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    m_link.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    Check(PumpUntil([&] { return m_nLinkClicks == 1; }, 3000), "hyperlink: a click on the text notifies the host");

    // A tab under the mouse lights up and holds the mouse until it leaves every tab. The second
    // tab is in view at any DPI (larger ones scroll the third behind the arrows).
    CRect tab;
    m_tabs.GetItemRect(1, &tab);
    MoveMouse(m_tabs, tab.CenterPoint());
    Check(PumpUntil([&] { return m_tabs.GetHotTab() == 1 && ::GetCapture() == m_tabs.m_hWnd; }, 3000),
          "tabs: the tab under the mouse is hot");
    Settle();
    PixelAt hot = shoot("controls-02-tab-hover.png");
    const POINT inTab = InHost(m_tabs, POINT{ tab.left + 4, tab.bottom - 3 });
    const COLORREF warm = hot(inTab.x, inTab.y);
    Check(GetRValue(warm) > GetBValue(warm) + 100, "tabs: the hot tab is drawn in its warm gradient");
    MoveMouse(m_tabs, POINT{ tab.left, tab.bottom + 30 });
    Check(PumpUntil([&] { return m_tabs.GetHotTab() == -1 && ::GetCapture() != m_tabs.m_hWnd; }, 3000),
          "tabs: leaving every tab gives the mouse back");
}

}  // namespace gallery
