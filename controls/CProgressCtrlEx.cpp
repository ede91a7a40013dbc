#include "CProgressCtrlEx.h"
#include "CUtilityVisual.h"
#include "frame/DpiScale.h"

#include <stdio.h>

BEGIN_MESSAGE_MAP(CProgressCtrlEx, CProgressCtrl)
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_DESTROY()
    ON_REGISTERED_MESSAGE(CDpiScale::m_msgDpiChanged, OnDpiChanged)
END_MESSAGE_MAP()

CProgressCtrlEx::CProgressCtrlEx() : m_bShowPercent(1), m_pDpi(new CDpiScale)
{
}

CProgressCtrlEx::~CProgressCtrlEx()
{
    delete m_pDpi;
}

void CProgressCtrlEx::PreSubclassWindow()
{
    m_pDpi->Attach(m_hWnd);
    CProgressCtrl::PreSubclassWindow();
}

void CProgressCtrlEx::OnDestroy()
{
    m_pDpi->Detach();
    CProgressCtrl::OnDestroy();
}

// The frame, the margins and the font are worked out at each paint: a repaint draws them at the
// new DPI.
LRESULT CProgressCtrlEx::OnDpiChanged(WPARAM, LPARAM)
{
    Invalidate(TRUE);
    return 0;
}

void CProgressCtrlEx::SetText(LPCSTR lpszText)
{
    m_strText = lpszText ? lpszText : "";
}

int CProgressCtrlEx::GetPercent() const
{
    int nLower = 0, nUpper = 0;
    GetRange(nLower, nUpper);
    if (nUpper == nLower)
        return 100;
    const LONGLONG pos = (LONGLONG)(int)::SendMessageA(m_hWnd, PBM_GETPOS, 0, 0);
    return (int)((pos - nLower) * 100 / ((LONGLONG)nUpper - nLower));
}

void CProgressCtrlEx::Paint(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    const int nPercent = GetPercent();
    CString text = m_strText;
    if (text.IsEmpty() && m_bShowPercent && nPercent != 0)
    {
        char buf[16];
        sprintf(buf, "%d%%", nPercent);
        text = buf;
    }
    CUtilityVisual::DrawProgress(pDC, rc, text, (UINT)nPercent, 0, 0, m_pDpi->GuiFont(), m_pDpi->GetDpi());
}

void CProgressCtrlEx::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

void CProgressCtrlEx::OnNcPaint()
{
    // No border: the bar draws its own frame inside the client area.
}

LRESULT CProgressCtrlEx::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (wParam)
        Paint(CDC::FromHandle((HDC)wParam));
    return 0;
}
